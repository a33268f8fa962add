#include "registry/URepJemaatPerSektor.h"

#include "registry/rules/ListReports.h"

namespace registry {

TFRepJemaatPerSektor* FRepJemaatPerSektor = nullptr;

TFRepJemaatPerSektor::TFRepJemaatPerSektor(rtl::TComponent* owner)
    : TMemberCriterionForm(owner, {.name = "FRepJemaatPerSektor",
                                   .caption = "Laporan Jemaat Per Sektor",
                                   .label = "Sektor",
                                   .items = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
                                   .sidi = true,
                                   .guarded = {{"PelKat", {"PA", "PT", "GP", "PKP", "PKB", "PKLU"}},
                                               {"Sex", {"Pria", "Wanita"}}}}) {}

void TFRepJemaatPerSektor::Preview() {
  ShowMembers(rules::MembersOfSector({Criterion(), Confirmed(), Second(), Third()}));
}

}  // namespace registry
