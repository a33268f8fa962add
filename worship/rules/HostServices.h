// The sector and thanksgiving services without windows: what tells the two apart, their
// record descriptions, the council member shown as "[number]name" and taken back out,
// the sector list's entry of a stored sector, the host kind a stored sector host
// reopens with, the printed preacher line and the nine occasions. Win32-free.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/rules/Record.h"

namespace worship::rules {

struct THostKind {
  const char* prefix;   // "IS"
  const char* table;    // "ibadah_sektor"
  const char* name;     // "Ibadah Sektor", in the save's information
  // The sector service: host kinds "Pendeta"/"Jemaat"/"Presbiter" with their change
  // handler, the sermon theme, liturgist and PKT shown with their names, the coordinator
  // from the chosen sector, the time kept across resets and a validated service locked
  // by the coordinator's PIN. Otherwise the thanksgiving service: the host kind stored,
  // the occasion, council numbers shown alone, any member, the time reset, no lock.
  bool sector;
  std::vector<const char*> hosts;
  const char* attendance;  // the attendance's edit
  const kit::rules::TRecordSpec& (*record)();
};
const THostKind& SectorService();
const THostKind& ThanksgivingService();

// The nine occasions of a thanksgiving service, in list order.
const std::vector<const char*>& Occasions();

// A council member as the sector window shows it: "[" + number + "]" + name; nothing
// at all when no number is stored, so that an empty field stays empty.
std::string ShownCouncil(std::string_view nimp, std::string_view name);
// The number back out of that text: what stands between the brackets (the ten
// characters of a council number); empty for an empty field or one without them.
std::string CouncilNumberOf(std::string_view shown);

// The sector list's entry (0 to 9) of a stored sector "1" to "10"; nothing for any
// other value.
std::optional<int> SectorEntry(std::string_view sekpel);

// The host kind a stored sector host reopens with: "Pendeta" for a number that begins
// with "NIP", "Jemaat" for every other (a stored "Presbiter" included).
const char* SectorHostKind(std::string_view tuanRumah);

// The printed preacher: "Pdt. " or "Vik. " before a minister's or vicar's name, the
// council title ("Pnt", "Dkn") + ". " before a council member's, the name alone for
// every other kind.
std::string PreacherLine(std::string_view kind, std::string_view name, std::string_view councilTitle);

}  // namespace worship::rules
