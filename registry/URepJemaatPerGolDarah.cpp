#include "registry/URepJemaatPerGolDarah.h"

#include "registry/rules/ListReports.h"

namespace registry {

TFRepJemaatPerGolDarah* FRepJemaatPerGolDarah = nullptr;

TFRepJemaatPerGolDarah::TFRepJemaatPerGolDarah(rtl::TComponent* owner)
    : TMemberCriterionForm(owner, {.name = "FRepJemaatPerGolDarah",
                                   .caption = "Laporan Jemaat Per Gol.Darah",
                                   .label = "Gol.Darah",
                                   .items = {"A", "B", "AB", "O"},
                                   .sidi = true}) {}

void TFRepJemaatPerGolDarah::Preview() { ShowMembers(rules::MembersOfBloodGroup(Criterion(), Confirmed())); }

}  // namespace registry
