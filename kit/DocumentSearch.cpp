#include "kit/DocumentSearch.h"

#include "app/UDM.h"
#include "kit/FormKit.h"

namespace kit {

using namespace gui;
using app::DM;

TDocumentSearch::TDocumentSearch(rtl::TComponent* owner, const TFrame& f, std::initializer_list<TColumn> columns)
    : TForm(owner) {
  const int barH = f.statusBar ? 24 : 0, gridTop = f.groupHeight + 14, gridH = 330;
  SetupForm(*this, {.name = f.name, .caption = f.caption, .width = f.width, .height = gridTop + gridH + 10 + barH});
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, f.width - 20, f.groupHeight, " Filter Pencarian ");
  const int bx = 440;
  Button1 = MakeButton(this, GroupBox1, "Button1", bx, 20, 66, "Cari");
  Button2 = MakeButton(this, GroupBox1, "Button2", bx + 72, 20, 66, "Hapus");
  if (f.print) Button5 = MakeButton(this, GroupBox1, "Button5", bx + 144, 20, 66, "Print");
  Button3 = MakeButton(this, GroupBox1, "Button3", bx, 54, 66, "Reset");
  Button4 = MakeButton(this, GroupBox1, "Button4", bx + 72, 54, 66, "Close");

  DBGrid1 = Make<TDBGrid>(this, this, "DBGrid1", 10, gridTop, f.width - 20, gridH);
  DBGrid1->Options |= dgRowSelect;
  for (const TColumn& c : columns)
    DBGrid1->Columns().Add(c.field, c.title, c.width)->Alignment =
        c.right ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
  DBGrid1->SetDataSource(DM ? DM->DS_Q3 : nullptr);
  if (f.statusBar) {
    StatusBar1 = Make<TStatusBar>(this, this, "StatusBar1", 0, gridTop + gridH + 10, f.width, barH);
    StatusBar1->SetAlign(TAlign::alBottom);
    StatusBar1->Panels().Add()->SetWidth(500);
  }

  OnActivate = [this](rtl::TObject* o) { FormActivate(o); };
  Button1->OnClick = [this](rtl::TObject* o) { Button1Click(o); };
  Button2->OnClick = [this](rtl::TObject* o) { Button2Click(o); };
  Button3->OnClick = [this](rtl::TObject* o) { Button3Click(o); };
  Button4->OnClick = [this](rtl::TObject* o) { Button4Click(o); };
  if (Button5) Button5->OnClick = [this](rtl::TObject* o) { Button5Click(o); };
  DBGrid1->OnDblClick = [this](rtl::TObject* o) { DBGrid1DblClick(o); };
}

TRadioButton* TDocumentSearch::Criterion(const char* name, const char* caption, int y) {
  auto* r = Make<TRadioButton>(this, GroupBox1, name, 12, y + 2, 134, 20);
  r->SetCaption(caption);
  return r;
}

void TDocumentSearch::DateRange(int y, const char* to) {
  DateTimePicker1 = MakePicker(this, GroupBox1, "DateTimePicker1", kInputX, y, 120);
  MakeLabel(this, GroupBox1, "LabelTo", kInputX + 128, y + 3, to);
  DateTimePicker2 = MakePicker(this, GroupBox1, "DateTimePicker2", kInputX + 150, y, 120);
}

void TDocumentSearch::ResetDates(bool enabled) {
  for (TDateTimePicker* p : {DateTimePicker1, DateTimePicker2}) {
    p->SetDateTime(rtl::Now());
    p->SetEnabled(enabled);
  }
}

void TDocumentSearch::ShowRows() {
  if (DBGrid1->DataSource() != DM->DS_Q3) DBGrid1->SetDataSource(DM->DS_Q3);
}

void TDocumentSearch::SayCriterion(const char* criterion) {
  if (StatusBar1) StatusBar1->Panels()[0]->SetText(std::string("Pencarian Berdasarkan : \"") + criterion + "\"");
}

void TDocumentSearch::Button3Click(rtl::TObject*) { FormActivate(this); }
void TDocumentSearch::Button4Click(rtl::TObject*) { Close(); }

}  // namespace kit
