// The Sunday and church-feast services without windows: their numbers, the record of
// each kind with the columns its window binds, the two validators and the PIN, the
// roster's order numbers and the printed amounts. Win32-free.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/rules/Record.h"
#include "rtl/DateUtils.h"

namespace worship::rules {

// The number of a new service: prefix ("IM", "IG") + "-" + the day of saving as
// ddmmyyyy + "-" + the counter that follows the last stored number (characters 13 to 17;
// 10000 for the first service). The counter runs on across days. A last number without
// five digits there, or a counter that would outgrow five digits, throws
// registry::rules::ENumberingError: a malformed or repeated number is never made.
std::string NextServiceNumber(std::string_view prefix, const std::optional<std::string>& lastKode,
                              rtl::TDateTime day);

// What the PIN dialog does, told by the search windows that are shown.
enum class TPinMode { Validator, SundayUnlock, SectorUnlock, FeastUnlock, None };
TPinMode PinMode(bool sundaySearchShown, bool sectorSearchShown, bool feastSearchShown);

// Which validator a right PIN writes in validator mode: P1 when its button carries the
// flag, else P5 when its button does, else none.
enum class TValidator { None, P1, P5 };
TValidator ValidatorFor(bool p1Flagged, bool p5Flagged);
// The edit of the entry window that holds the validator ("Edit16" P1, "Edit17" P5).
const char* ValidatorEdit(TValidator v);

// P5 validates first: P1 may be chosen only once P5's number is there.
bool MayValidateP1(std::string_view p5);
inline constexpr const char* kP5First = "Maaf...Yang Validasi terlebih dahulu adalah P5";

// A PIN that can be right at all: an empty one never is, whatever is stored.
bool PinGiven(std::string_view pin);

// The place a service time chooses: entry 1 ("VRN Vareno") for "08:00", else entry 0
// ("PLK Pelok").
int PlaceForTime(std::string_view time);
// The place entry of a stored `tempat` ("PLK" 0, "VRN" 1); nothing for any other value.
std::optional<int> PlaceEntry(std::string_view tempat);

// The order number of a duty added to a roster of `rows` duties.
int NextOrder(int rows);

// A printed amount: rounded to whole rupiah, "#,##" (zero prints nothing).
std::string PrintedAmount(double value);
// A stored service time ("07:00") as the printed form shows times ("07:00:00"); a text
// that is no time prints as it is.
std::string PrintedTime(std::string_view jam);
// The printed form's status line.
std::string FormStatus(std::string_view validasi1);

// What tells the Sunday window and the church-feast window apart.
struct TServiceKind {
  const char* prefix;        // "IM"
  const char* table;         // "ibadah_minggu"
  const char* name;          // "Ibadah Minggu", in the save's information
  int duties;                // roster places P1..Pn
  bool rosterRequired;       // a service without a duty is refused
  bool removable;            // a duty can be removed by a double click
  std::vector<const char*> times;
  std::vector<const char*> kinds;   // preacher kinds, "Eksternal" last
  const kit::rules::TRecordSpec& (*record)();
  std::string Detail() const { return std::string(table) + "_detail"; }
  std::string Work() const { return std::string(table) + "_detail_temp"; }
};
const TServiceKind& Sunday();
const TServiceKind& Feast();

// The nine feasts of the church year's list.
const std::vector<const char*>& Feasts();

// The five amounts every service form prints and adds up.
inline constexpr const char* kAmountColumns[] = {"kantong_rutin", "kantong_pembangunan", "persepuluhan", "syukur",
                                                 "sbu"};

}  // namespace worship::rules
