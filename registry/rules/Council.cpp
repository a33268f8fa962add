#include "registry/rules/Council.h"

#include <cmath>

namespace registry::rules {

std::string NextCouncilNumber(const std::optional<std::string>& lastNimp, std::string_view sex) {
  const char* suffix = nullptr;
  if (sex == "Pria")
    suffix = "-1";
  else if (sex == "Wanita")
    suffix = "-2";
  else
    throw ENumberingError(
        rtl::Format("Jenis kelamin '%s' tidak dapat dipakai untuk nomor majelis", std::string(sex).c_str()));
  return "MJ-" + rtl::IntToStr(NextCounter(lastNimp, 4)) + suffix;
}

std::string PeriodText(rtl::TDateTime start, rtl::TDateTime end) {
  return rtl::IntToStr(rtl::DecodeDateTime(start).year) + "-" + rtl::IntToStr(rtl::DecodeDateTime(end).year);
}

int AgeInYears(rtl::TDateTime birth, rtl::TDateTime now) {
  // A tiny tolerance, so that a date stored at midnight and a clock a hair before it
  // still count the full day.
  const double days = std::floor(std::fabs(now - birth) + 1e-9);
  return static_cast<int>(days) / 365;
}

int TGroupDeal::Next() {
  if (index_ > groups_ - 1) index_ = 0;
  return static_cast<int>(++index_);
}

}  // namespace registry::rules
