#include "registry/rules/Numbering.h"

#include <algorithm>

namespace registry::rules {

namespace {

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

int NextCounter(const std::optional<std::string>& lastKey, int position, int length) {
  int first = 1;
  for (int i = 1; i < length; ++i) first *= 10;
  const int last = first * 10 - 1;
  if (!lastKey) return first;
  const std::string& key = *lastKey;
  size_t from = static_cast<size_t>(position - 1);
  if (key.size() < from + static_cast<size_t>(length) || !AllDigits(std::string_view(key).substr(from, length)))
    throw ENumberingError(rtl::Format("Nomor terakhir '%s' tidak dapat dilanjutkan", key.c_str()));
  int next = rtl::StrToInt(std::string_view(key).substr(from, length)) + 1;
  // Below the first value the next number would have fewer digits and break the order
  // of the keys; above the last it would not fit the places it is read from.
  if (next <= first || next > last)
    throw ENumberingError(rtl::Format("Nomor urut sesudah '%s' di luar %d-%d", key.c_str(), first, last));
  return next;
}

std::string DatePart(rtl::TDateTime date) { return rtl::FormatDateTime("ddmmyyyy", date); }

std::string NextFamilyNumber(const std::optional<std::string>& lastNik) {
  return "NK-" + rtl::IntToStr(NextCounter(lastNik, 4));
}

std::string NextRegistrationNumber(const std::optional<std::string>& lastNoReg, rtl::TDateTime regDate) {
  return "REG-" + rtl::IntToStr(NextCounter(lastNoReg, 5)) + "-" + DatePart(regDate);
}

std::string NextMemberNumber(std::string_view nik, const std::optional<std::string>& lastNij,
                             const std::optional<std::string>& lastRegisteredNij) {
  if (nik.size() != 8 || nik.substr(0, 3) != "NK-" || !AllDigits(nik.substr(3)))
    throw ENumberingError(rtl::Format("Nomor keluarga '%s' tidak dapat dipakai untuk nomor jemaat",
                                      std::string(nik).c_str()));
  const int counter = std::max(NextCounter(lastNij, 10), NextCounter(lastRegisteredNij, 10));
  return "NJ-" + std::string(nik.substr(3, 5)) + "." + rtl::IntToStr(counter);
}

std::string NextSacramentNumber(const std::optional<std::string>& lastNoReg, rtl::TDateTime date,
                                std::string_view suffix) {
  return rtl::IntToStr(NextCounter(lastNoReg, 1)) + "/" + DatePart(date) + "/" + std::string(suffix);
}

std::string SacramentLabelDigits(std::string_view noReg) {
  std::string digits;
  for (char c : noReg.substr(0, 14))
    if (c != '/') digits += c;
  return digits;
}

std::string NextTransferNumber(const std::optional<std::string>& lastNoAtt, rtl::TDateTime date) {
  return rtl::IntToStr(NextCounter(lastNoAtt, 1, 6)) + "/" + DatePart(date) + "/ATT";
}

}  // namespace registry::rules
