#include "registry/SacramentSearch.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"

namespace registry {

using namespace gui;

TSacramentSearch::TSacramentSearch(rtl::TComponent* owner, const TSpec& spec, std::initializer_list<TColumn> columns,
                                   const char* refusal)
    : TPersonSearch(owner, spec, columns), refusal_(refusal) {
  Edit1->SetWidth(210);
  Edit1->Font().SetStyle(fsBold);
  Button5 = kit::MakeButton(this, GroupBox1, "Button5", 396, 54, 66, "Print");
  Button5->Font().SetColor(clRed);
  for (TButton* b : {Button1, Button2, Button3, Button4, Button5}) b->Font().SetStyle(fsBold);
  Button5->OnClick = [this](rtl::TObject* s) { Button5Click(s); };
}

bool TSacramentSearch::MayReopen(data::TZQuery& q) {
  if (q.FieldByName("validasi")->AsString().empty()) return true;
  kit::Refuse(refusal_);
  return false;
}

void TSacramentSearch::Button5Click(rtl::TObject*) {
  auto& q = *app::DM->Q3;
  // An empty grid has no registration to print, unless the form prints blank.
  if ((!q.Active() || q.RecordCount() == 0) && !PrintsWithoutRow()) return;
  Print(q);
}

}  // namespace registry
