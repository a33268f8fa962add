#include "registry/CouncilReportForm.h"

#include "app/UDM.h"
#include "registry/QRMajelis.h"

namespace registry {

using namespace kit;

TCouncilReportForm::TCouncilReportForm(rtl::TComponent* owner, const char* name, const char* caption, int width,
                                       int height)
    : TReportForm(owner, {.name = name,
                          .caption = caption,
                          .width = width,
                          .height = height,
                          .icons = gui::biSystemMenu | gui::biMinimize}) {}

void TCouncilReportForm::Preview() {
  const std::optional<rules::TCouncilCriteria> c = Criteria();
  ShowList(*app::DM->QReport, c ? std::optional(rules::CouncilList(*c)) : std::nullopt, *FQRMajelis);
}

TCouncilChoiceForm::TCouncilChoiceForm(rtl::TComponent* owner, const TChoice& choice)
    : TCouncilReportForm(owner, choice.name, choice.caption, 300, 116), filter_(choice.filter) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 60, " Filter ");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 14, 27, choice.label);
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 110, 24, 110, choice.items);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TCouncilChoiceForm::FormActivate(TObject*) { ComboBox1->SetItemIndex(0); }

std::optional<rules::TCouncilCriteria> TCouncilChoiceForm::Criteria() {
  return rules::TCouncilCriteria{.filter = filter_, .choice = Chosen(*ComboBox1)};
}

}  // namespace registry
