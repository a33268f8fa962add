#include "shell/rules/PelkatRule.h"

namespace shell {

namespace {
std::optional<std::string> BySex(std::string_view sex) {
  if (sex == "Wanita") return "PKP";
  if (sex == "Pria") return "PKB";
  return std::nullopt;
}
}  // namespace

std::optional<std::string> DecidePelkat(int umur, std::string_view nikah, std::string_view sex) {
  // The rules are tried in this order; the first that applies wins.
  if (umur <= 12) return "PA";
  if (umur <= 17) return "PT";
  if (umur <= 35 && nikah == "BELUM") return "GP";
  if (umur >= 36 && umur <= 45 && nikah == "BELUM") return "GP";
  if (umur >= 36 && umur <= 59) return BySex(sex);
  if (umur <= 35 && nikah == "SUDAH") return BySex(sex);
  if (umur >= 60) return "PKLU";
  return std::nullopt;
}

bool GaugeStillRed(int progress, int rowCount) {
  // Half as an exact fraction: 2 of 5 is below half, 3 of 5 above.
  return 2LL * progress <= rowCount;
}

}  // namespace shell
