// The statements of the registry's list reports and the filter lines their layouts
// print: the member lists (all members, by sector, by category group, by blood group,
// by life state), the heads of family, the birthdays and the council lists. Each takes
// the criteria as the report window shows them. Win32-free.
#pragma once
#include <optional>
#include <string>

#include "kit/rules/Statement.h"

namespace registry::rules {

using kit::rules::TReportQuery;
using kit::rules::TStatement;

// The member list: every living member or the confirmed ones, optionally of one sector
// (the family and the member both in it) and of one category group. Nothing when
// neither "all" nor "confirmed" is chosen: there is no list to print.
enum class TMemberScope { All, Confirmed };
struct TMemberListCriteria {
  std::optional<TMemberScope> scope;
  std::optional<std::string> sector;  // "1" to "10"
  std::optional<std::string> group;   // "PA", ...
};
std::optional<TReportQuery> MemberList(const TMemberListCriteria& c);

// The living members of one sector, optionally confirmed only, of one category group,
// of one sex.
struct TSectorCriteria {
  std::string sector;
  bool confirmed = false;
  std::optional<std::string> group;
  std::optional<std::string> sex;
};
TReportQuery MembersOfSector(const TSectorCriteria& c);

// The living members of one category group, optionally confirmed only, of one region
// ("Utara" sectors 1 to 5, "Selatan" 6 to 10), of one sex.
struct TGroupCriteria {
  std::string group;
  bool confirmed = false;
  std::optional<std::string> region;
  std::optional<std::string> sex;
};
TReportQuery MembersOfGroup(const TGroupCriteria& c);

// The living members of one blood group, optionally confirmed only.
TReportQuery MembersOfBloodGroup(const std::string& bloodGroup, bool confirmed);

// The members of one life state.
TReportQuery MembersByLifeState(const std::string& state);

// The heads of family, of one sector or of all.
TReportQuery HeadsOfFamily(const std::optional<std::string>& sector);

// The first and last sector of a region ("Utara", "Selatan"; "Semua" every sector).
struct TSectorRange {
  int first, last;
};
TSectorRange RegionSectors(const std::string& region);

// Indonesian month name of 1 to 12.
const char* MonthName(int month);

// The birthday report: members born in the months m1 to m2 on the days d1 to d2 of
// each of those months, optionally of one sector and of one category group, with the
// texts of its three header lines.
struct TBirthdayCriteria {
  int d1, m1, d2, m2;
  std::optional<std::string> sector;
  std::optional<std::string> group;
};
struct TBirthdayReport {
  TStatement statement;
  std::string sectorLine;  // "SekPel : 3" / "SekPel : Semua"
  std::string groupLine;   // "PelKat : PA" / "PelKat : Semua"
  std::string periodLine;  // "Ulang Tahun Tanggal : 1 Maret sampai 31 Maret"
};
TBirthdayReport Birthdays(const TBirthdayCriteria& c);

// The council lists: the active council records of living members, or those of one
// status; all of them or those of a region, a sector, a sex or an office.
enum class TCouncilFilter { All, Region, Sector, Sex, Office, Status };
struct TCouncilCriteria {
  TCouncilFilter filter = TCouncilFilter::All;
  // The chosen entry: the region, the sector, "Pria"/"Wanita", "Penatua"/"Diaken",
  // "Aktif"/"Selesai".
  std::string choice;
};
TReportQuery CouncilList(const TCouncilCriteria& c);

}  // namespace registry::rules
