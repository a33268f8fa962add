#include "registry/URepJemaatPerPelkat.h"

#include "registry/rules/ListReports.h"

namespace registry {

TFRepJemaatPerPelkat* FRepJemaatPerPelkat = nullptr;

TFRepJemaatPerPelkat::TFRepJemaatPerPelkat(rtl::TComponent* owner)
    : TMemberCriterionForm(owner, {.name = "FRepJemaatPerPelkat",
                                   .caption = "Laporan Jemaat Per Pelkat",
                                   .label = "Pelkat",
                                   .items = {"PA", "PT", "GP", "PKP", "PKB", "PKLU"},
                                   .sidi = true,
                                   .guarded = {{"Wilayah", {"Utara", "Selatan"}}, {"Sex", {"Pria", "Wanita"}}},
                                   .resetGuarded = false}) {}

void TFRepJemaatPerPelkat::Preview() {
  ShowMembers(rules::MembersOfGroup({Criterion(), Confirmed(), Second(), Third()}));
}

}  // namespace registry
