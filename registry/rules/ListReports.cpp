#include "registry/rules/ListReports.h"

#include <vector>

#include "rtl/SysUtils.h"

namespace registry::rules {

namespace {

constexpr const char* kMemberSelect = "select h.nik,h.nama_kk,h.tgl_input_daftar,d.* from header_kk h,detail_kk d";
constexpr const char* kMemberOrder = "order by h.nik,d.nij,d.sekpel";
constexpr const char* kConfirmedTail = " (Warga Sidi Jemaat)";

TStatement MemberStatement(const char* statusLine, const std::string& lifeState = "Hidup") {
  TStatement s;
  s.Line(kMemberSelect).Line("where h.nik=d.nik").Line(statusLine).Text("sh", lifeState);
  return s;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : separator) + p;
  return out;
}

}  // namespace

std::optional<TReportQuery> MemberList(const TMemberListCriteria& c) {
  if (!c.scope) return std::nullopt;
  const bool confirmed = *c.scope == TMemberScope::Confirmed;
  TReportQuery r;
  r.statement = MemberStatement(confirmed ? "and d.sts_hidup=:sh and d.sidi=:si" : "and d.sts_hidup=:sh");
  if (confirmed) r.statement.Text("si", "SUDAH");
  if (c.sector) {
    const int sector = rtl::StrToInt(*c.sector);
    r.statement.Line("and h.sekpel=:hse and d.sekpel=:dse").Integer("hse", sector).Integer("dse", sector);
  }
  if (c.group) r.statement.Line("and d.pelkat=:pe").Text("pe", *c.group);
  r.statement.Line(kMemberOrder);
  r.filter = confirmed ? "Filter : Semua Warga Sidi Jemaat" : "Filter : Semua Warga Jemaat";
  // With both criteria the line names the sector alone, as it always has.
  if (c.sector)
    r.filter += " Sektor Pelayanan " + *c.sector;
  else if (c.group)
    r.filter += " Pelayanan Kategorial " + *c.group;
  return r;
}

TReportQuery MembersOfSector(const TSectorCriteria& c) {
  TReportQuery r;
  r.statement = MemberStatement("and d.sts_hidup=:sh and d.sekpel=:se");
  r.statement.Text("se", c.sector);
  std::vector<std::string> parts;
  if (c.confirmed) {
    parts.push_back("d.sidi=:si");
    r.statement.Text("si", "SUDAH");
  }
  if (c.group) {
    parts.push_back("d.pelkat=:pe");
    r.statement.Text("pe", *c.group);
  }
  if (c.sex) {
    parts.push_back("d.sex=:sx");
    r.statement.Text("sx", *c.sex);
  }
  // The criteria share one line; all three put the sex on a line of its own.
  if (parts.size() == 3) {
    r.statement.Line("and " + parts[0] + " and " + parts[1]).Line("and " + parts[2]);
  } else if (!parts.empty()) {
    r.statement.Line("and " + Joined(parts, " and "));
  }
  r.statement.Line(kMemberOrder);
  r.filter = "Filter : Warga Jemaat Sektor Pelayanan : " + c.sector;
  if (c.group) r.filter += " & Pelayanan Kategorial : " + *c.group;
  if (c.sex) r.filter += " & Jenis Kelamin : " + *c.sex;
  if (c.confirmed) r.filter += kConfirmedTail;
  return r;
}

TReportQuery MembersOfGroup(const TGroupCriteria& c) {
  TReportQuery r;
  r.statement = MemberStatement("and d.sts_hidup=:sh and d.pelkat=:pe");
  r.statement.Text("pe", c.group);
  if (c.confirmed) r.statement.Line("and d.sidi=:si").Text("si", "SUDAH");
  if (c.region) {
    const TSectorRange range = RegionSectors(*c.region);
    r.statement.Line("and d.sekpel>=:s1 and d.sekpel<=:s2").Integer("s1", range.first).Integer("s2", range.last);
  }
  if (c.sex) r.statement.Line("and d.sex=:sx").Text("sx", *c.sex);
  r.statement.Line("order by d.sekpel,h.nik,d.nij");
  r.filter = "Filter : Warga Jemaat Pelayanan Kategorial : " + c.group;
  if (c.region) r.filter += " Wilayah " + *c.region;
  if (c.sex) r.filter += " Jenis Kelamin : " + *c.sex;
  if (c.confirmed) r.filter += kConfirmedTail;
  return r;
}

TReportQuery MembersOfBloodGroup(const std::string& bloodGroup, bool confirmed) {
  TReportQuery r;
  r.statement = MemberStatement("and d.sts_hidup=:sh and d.gol_darah=:gd");
  r.statement.Text("gd", bloodGroup);
  if (confirmed) r.statement.Line("and d.sidi=:si").Text("si", "SUDAH");
  r.statement.Line(kMemberOrder);
  r.filter = "Filter : Warga Jemaat Golongan Darah : " + bloodGroup;
  if (confirmed) r.filter += kConfirmedTail;
  return r;
}

TReportQuery MembersByLifeState(const std::string& state) {
  TReportQuery r;
  r.statement = MemberStatement("and d.sts_hidup=:sh", state);
  r.statement.Line(kMemberOrder);
  r.filter = "Filter : Warga Jemaat Status Hidup : " + state;
  return r;
}

TReportQuery HeadsOfFamily(const std::optional<std::string>& sector) {
  TReportQuery r;
  r.statement.Line("select * from header_kk");
  if (sector) {
    r.statement.Line("where sekpel=:se").Line("order by nama_kk").Text("se", *sector);
    r.filter = "Filter : Sektor Pelayanan " + *sector;
  } else {
    r.statement.Line("order by sekpel,nama_kk");
    r.filter = "Filter : Semua Sektor Pelayanan";
  }
  return r;
}

TSectorRange RegionSectors(const std::string& region) {
  if (region == "Utara") return {1, 5};
  if (region == "Selatan") return {6, 10};
  return {1, 10};
}

const char* MonthName(int month) {
  static const char* const names[] = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                                      "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
  return month >= 1 && month <= 12 ? names[month - 1] : "";
}

TBirthdayReport Birthdays(const TBirthdayCriteria& c) {
  TBirthdayReport r;
  TStatement& s = r.statement;
  // A range of months crossed with a range of days that applies in each of them.
  s.Line("select *,day(tgl_lahir),monthname(tgl_lahir) from detail_kk")
      .Line("where month(tgl_lahir) between :b1 and :b2")
      .Line("and day(tgl_lahir) between :h1 and :h2");
  if (c.sector) s.Line("and sekpel=:sp");
  if (c.group) s.Line("and pelkat=:pk");
  s.Line(c.sector ? "order by day(tgl_lahir)" : "order by day(tgl_lahir),sekpel");
  if (c.sector) s.Integer("sp", rtl::StrToInt(*c.sector));
  if (c.group) s.Text("pk", *c.group);
  s.Integer("b1", c.m1).Integer("b2", c.m2).Integer("h1", c.d1).Integer("h2", c.d2);
  r.sectorLine = "SekPel : " + (c.sector ? *c.sector : std::string("Semua"));
  r.groupLine = "PelKat : " + (c.group ? *c.group : std::string("Semua"));
  r.periodLine = "Ulang Tahun Tanggal : " + std::to_string(c.d1) + " " + MonthName(c.m1) + " sampai " +
                 std::to_string(c.d2) + " " + MonthName(c.m2);
  return r;
}

TReportQuery CouncilList(const TCouncilCriteria& c) {
  TReportQuery r;
  TStatement& s = r.statement;
  s.Line("select m.nimp,m.nij,d.*,m.pnt_dkn,m.sts_aktif,m.periode from majelis m,detail_kk d")
      .Line("where m.nij=d.nij")
      .Line("and d.sts_hidup=:sh and m.sts_aktif=:sa")
      .Text("sh", "Hidup")
      .Text("sa", c.filter == TCouncilFilter::Status ? c.choice : std::string("Aktif"));
  switch (c.filter) {
    case TCouncilFilter::All: r.filter = "Filter : Semua Warga Jemaat"; break;
    case TCouncilFilter::Region: {
      const TSectorRange range = RegionSectors(c.choice);
      s.Line("and d.sekpel>=:s1 and d.sekpel<=:s2").Integer("s1", range.first).Integer("s2", range.last);
      r.filter = "Filter : Majelis Jemaat Wilayah " + c.choice;
      break;
    }
    case TCouncilFilter::Sector:
      s.Line("and d.sekpel=:se").Integer("se", rtl::StrToInt(c.choice));
      r.filter = "Filter : Majelis Jemaat Sektor Pelayanan " + c.choice;
      break;
    case TCouncilFilter::Sex:
      s.Line("and d.sex=:se").Text("se", c.choice);
      r.filter = "Filter : Majelis Jemaat Jenis Kelamin " + c.choice;
      break;
    case TCouncilFilter::Office:
      s.Line("and m.pnt_dkn=:pd").Text("pd", c.choice == "Diaken" ? "Dkn" : "Pnt");
      r.filter = "Filter : Majelis Jemaat Jabatan " + c.choice;
      break;
    case TCouncilFilter::Status: r.filter = "Filter : Majelis Jemaat Status " + c.choice; break;
  }
  s.Line("order by m.nimp,m.nij,d.sekpel");
  return r;
}

}  // namespace registry::rules
