#include "kit/Search.h"

#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"

namespace kit {

using namespace gui;
using app::DM;

TSearchForm::TSearchForm(rtl::TComponent* owner, const TFrame& f, std::initializer_list<TColumn> columns)
    : TForm(owner) {
  SetupForm(*this, {.name = f.name, .caption = f.caption, .width = 640, .height = 470});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 620, 96, " Filter Pencarian ");
  RadioButton1 = Make<TRadioButton>(this, GroupBox1, "RadioButton1", 12, 24, 150, 20);
  RadioButton1->SetCaption(f.nameLabel);
  RadioButton2 = Make<TRadioButton>(this, GroupBox1, "RadioButton2", 12, 58, 150, 20);
  RadioButton2->SetCaption(f.listLabel);
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", 170, 22, f.editWidth, true);
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 170, 56, f.listWidth, f.items);
  Button1 = MakeButton(this, GroupBox1, "Button1", 470, 20, 66, "Cari");
  Button2 = MakeButton(this, GroupBox1, "Button2", 542, 20, 66, "Hapus");
  Button3 = MakeButton(this, GroupBox1, "Button3", 470, 54, 66, "Reset");
  Button4 = MakeButton(this, GroupBox1, "Button4", 542, 54, 66, "Close");

  DBGrid1 = Make<TDBGrid>(this, this, "DBGrid1", 10, 110, 620, f.gridHeight);
  DBGrid1->Options |= dgRowSelect;
  for (const TColumn& c : columns) DBGrid1->Columns().Add(c.field, c.title, c.width);
  DBGrid1->SetDataSource(DM ? DM->DS_Q3 : nullptr);

  StatusBar1 = Make<TStatusBar>(this, this, "StatusBar1", 0, 446, 640, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
}

TPersonSearch::TPersonSearch(rtl::TComponent* owner, const TSpec& spec, std::initializer_list<TColumn> columns)
    : TSearchForm(owner, {spec.name, spec.caption, spec.nameLabel, spec.listLabel, spec.items}, columns),
      select_(spec.select),
      nameLabel_(spec.nameLabel),
      nameWhere_(spec.nameWhere),
      nameParam_(spec.nameParam),
      listLabel_(spec.listLabel),
      listWhere_(spec.listWhere),
      listParam_(spec.listParam),
      deleteStatement_(spec.deleteStatement),
      confirm_(spec.confirm),
      deleteKeys_(spec.deleteKeys.begin(), spec.deleteKeys.end()) {
  StatusBar1->Panels().Add()->SetWidth(400);

  RadioButton1->OnClick = [this](rtl::TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](rtl::TObject* s) { RadioButton2Click(s); };
  Button1->OnClick = [this](rtl::TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](rtl::TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](rtl::TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](rtl::TObject* s) { Button4Click(s); };
  DBGrid1->OnDblClick = [this](rtl::TObject* s) { DBGrid1DblClick(s); };
  OnActivate = [this](rtl::TObject* s) { FormActivate(s); };
}

void TPersonSearch::FormActivate(rtl::TObject*) {
  // The data module may be created after this window.
  if (DBGrid1->DataSource() != DM->DS_Q3) DBGrid1->SetDataSource(DM->DS_Q3);
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  Edit1->Clear();
  SetInputEnabled(*Edit1, false);
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, false);
  StatusBar1->Panels()[0]->SetText("");
  SelectAll(*DM->Q3);
  DM->Q3->Open();
}

void TPersonSearch::SelectAll(data::TZQuery& q) {
  q.SQL.Clear();
  for (const std::string& line : select_) q.SQL.Add(line);
}

void TPersonSearch::RadioButton1Click(rtl::TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, true);
  if (Edit1->Showing()) Edit1->SetFocus();
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, false);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"" + nameLabel_ + "\"");
}

void TPersonSearch::RadioButton2Click(rtl::TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, false);
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, true);
  if (ComboBox1->Showing()) ComboBox1->SetFocus();
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"" + listLabel_ + "\"");
}

void TPersonSearch::Button1Click(rtl::TObject*) {
  auto& q = *DM->Q3;
  SelectAll(q);
  if (RadioButton1->Checked()) {
    q.SQL.Add(nameWhere_);
    q.ParamByName(nameParam_)->AsString("%" + Edit1->Text() + "%");
  } else if (RadioButton2->Checked()) {
    q.SQL.Add(listWhere_);
    q.ParamByName(listParam_)->AsString(Chosen(*ComboBox1));
  }
  q.Open();
}

void TPersonSearch::Button2Click(rtl::TObject*) {
  auto& grid = *DM->Q3;
  // Nothing selected in an empty grid: a delete would bind an empty key.
  if (!grid.Active() || grid.RecordCount() == 0) return;
  if (!Confirm(confirm_)) return;
  auto& q = *DM->Q1;
  SetSQL(q, {deleteStatement_});
  for (const auto& [param, column] : deleteKeys_) q.ParamByName(param)->AsString(grid.FieldByName(column)->AsString());
  q.ExecSQL();
  FormActivate(this);
}

void TPersonSearch::Button3Click(rtl::TObject*) { FormActivate(this); }

void TPersonSearch::Button4Click(rtl::TObject*) { Close(); }

void TPersonSearch::DBGrid1DblClick(rtl::TObject*) {
  auto& q = *DM->Q3;
  // An empty grid has no row to open: the entry window keeps what it shows.
  if (!q.Active() || q.RecordCount() == 0) return;
  if (!MayReopen(q)) return;
  CopyRow(q);
  Close();
}

}  // namespace kit
