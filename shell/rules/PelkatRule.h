// The category group ("pelkat") a member belongs to, from the calendar-year age, the
// marital state and the sex. Exact, case-sensitive comparisons: a value the office did
// not enter as "SUDAH"/"BELUM" or "Pria"/"Wanita" decides nothing, and the member keeps
// the group stored before.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace shell {

std::optional<std::string> DecidePelkat(int umur, std::string_view nikah, std::string_view sex);

// The daily pass colours its gauge red while at most half of the rows are done.
bool GaugeStillRed(int progress, int rowCount);

}  // namespace shell
