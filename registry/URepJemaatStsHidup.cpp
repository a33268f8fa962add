#include "registry/URepJemaatStsHidup.h"

#include "registry/rules/ListReports.h"

namespace registry {

TFRepJemaatStsHidup* FRepJemaatStsHidup = nullptr;

TFRepJemaatStsHidup::TFRepJemaatStsHidup(rtl::TComponent* owner)
    : TMemberCriterionForm(owner, {.name = "FRepJemaatStsHidup",
                                   .caption = "Laporan Jemaat Status Hidup",
                                   .label = "Status Hidup",
                                   .items = {"Hidup", "Meninggal", "Attestasi"}}) {}

void TFRepJemaatStsHidup::Preview() { ShowMembers(rules::MembersByLifeState(Criterion())); }

}  // namespace registry
