#include "shell/UTemaTahunan.h"

#include "kit/FormKit.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "data/Transaction.h"
#include "shell/Upantra.h"

namespace shell {

using namespace gui;
using app::DM;

TFTemaTahunan* FTemaTahunan = nullptr;

namespace {

// A search control in use is white; one out of use is grey.
void SetInUse(TWinControl* c, bool inUse) {
  c->SetEnabled(inUse);
  c->SetColor(inUse ? clWhite : clBtnFace);
}

}  // namespace

TFTemaTahunan::TFTemaTahunan(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FTemaTahunan", .caption = "Master >> Tema Tahunan", .width = 640, .height = 480});

  auto label = [this](const char* name, const char* caption, int x, int y) {
    return kit::MakeLabel(this, this, name, x, y, caption);
  };
  auto edit = [this](TWinControl* parent, const char* name, int x, int y, int w) {
    return kit::MakeEdit(this, parent, name, x, y, w);
  };
  auto button = [this](TWinControl* parent, const char* name, const char* caption, int x, int y) {
    return kit::MakeButton(this, parent, name, x, y, 90, caption);
  };

  Label1 = label("Label1", "Periode Tahun", 16, 20);
  Edit1 = edit(this, "Edit1", 120, 16, 60);
  Edit1->SetMaxLength(4);
  Label2 = label("Label2", "Hingga Tahun", 196, 20);
  Edit2 = edit(this, "Edit2", 296, 16, 60);
  Edit2->SetMaxLength(4);
  Label3 = label("Label3", "Tema Tahunan", 16, 52);
  Edit3 = edit(this, "Edit3", 120, 48, 504);
  CheckBox1 = new TCheckBox(this);
  CheckBox1->SetName("CheckBox1");
  CheckBox1->SetParent(this);
  CheckBox1->SetBounds(120, 80, 120, 20);
  CheckBox1->SetCaption("Aktifkan");

  Button1 = button(this, "Button1", "Simpan", 120, 110);
  Button2 = button(this, "Button2", "Hapus", 218, 110);
  Button3 = button(this, "Button3", "Close", 316, 110);

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(16, 152, 608, 84);
  GroupBox1->SetCaption(" Filter Pencarian ");
  RadioButton1 = new TRadioButton(this);
  RadioButton1->SetName("RadioButton1");
  RadioButton1->SetParent(GroupBox1);
  RadioButton1->SetBounds(12, 22, 120, 20);
  RadioButton1->SetCaption("Periode Tahun");
  ComboBox1 = new TComboBox(this);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetParent(GroupBox1);
  ComboBox1->SetStyle(TComboBoxStyle::csDropDownList);
  ComboBox1->SetBounds(12, 46, 150, 24);
  RadioButton2 = new TRadioButton(this);
  RadioButton2->SetName("RadioButton2");
  RadioButton2->SetParent(GroupBox1);
  RadioButton2->SetBounds(190, 22, 120, 20);
  RadioButton2->SetCaption("Tema ");
  Edit5 = edit(GroupBox1, "Edit5", 190, 46, 290);
  Button4 = button(GroupBox1, "Button4", "Cari", 500, 42);

  DBGrid1 = new TDBGrid(this);
  DBGrid1->SetName("DBGrid1");
  DBGrid1->SetParent(this);
  DBGrid1->SetBounds(16, 248, 608, 216);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("periode", "Periode", 100);
  DBGrid1->Columns().Add("tema", "Tema Tahunan", 400);
  DBGrid1->Columns().Add("aktif", "Aktif", 60);
  if (DM) DBGrid1->SetDataSource(DM->DS_Q3);

  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFTemaTahunan::FormActivate(TObject*) {
  if (!DBGrid1->DataSource()) DBGrid1->SetDataSource(DM->DS_Q3);
  Edit1->SetText("");
  Edit2->SetText("");
  Edit3->SetText("");
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  SetInUse(ComboBox1, false);
  ComboBox1->SetItemIndex(0);
  SetInUse(Edit5, false);
  Edit5->SetText("");
  CheckBox1->SetChecked(false);
  if (Showing()) Edit1->SetFocus();
  SetActiveControl(Edit1);
  auto* q = DM->Q3;
  kit::SetSQL(*q, {"select * from tema_tahunan", "order by aktif desc"});
  q->Open();
  ComboBox1->Clear();
  for (int row = 0; row < q->RecordCount(); ++row) ComboBox1->Items().Add(q->FieldByName("periode")->AsStringAt(row));
  ComboBox1->SetItemIndex(0);
}

void TFTemaTahunan::RadioButton1Click(TObject*) {
  SetInUse(ComboBox1, true);
  ComboBox1->SetItemIndex(0);
  SetInUse(Edit5, false);
  Edit5->SetText("");
  auto* q = DM->Q1;
  kit::SetSQL(*q, {"select periode from tema_tahunan"});
  q->Open();
  if (q->RecordCount() == 0) {
    kit::Refuse("Maaf...Belum ada Tema Tahunan yang diinput");
    FormActivate(this);
    return;
  }
  ComboBox1->Clear();
  for (q->First(); !q->Eof(); q->Next()) ComboBox1->Items().Add(q->FieldByName("periode")->AsString());
  ComboBox1->SetItemIndex(0);
  ComboBox1->DropDownCount = q->RecordCount();
}

void TFTemaTahunan::RadioButton2Click(TObject*) {
  SetInUse(ComboBox1, false);
  ComboBox1->SetItemIndex(0);
  SetInUse(Edit5, true);
  Edit5->SetText("");
  if (Showing()) Edit5->SetFocus();
}

void TFTemaTahunan::Button4Click(TObject*) {
  auto* q = DM->Q3;
  if (RadioButton1->Checked()) {
    kit::SetSQL(*q, {"select * from tema_tahunan", "where periode=:pe", "order by aktif desc"});
    q->ParamByName("pe")->AsString(ComboBox1->Text());
  } else if (RadioButton2->Checked()) {
    kit::SetSQL(*q, {"select * from tema_tahunan", "where tema like :te", "order by aktif desc"});
    q->ParamByName("te")->AsString("%" + Edit5->Text() + "%");
  } else {
    return;
  }
  q->Open();
}

void TFTemaTahunan::DBGrid1DblClick(TObject*) {
  auto* q = DM->Q3;
  std::string period = q->FieldByName("periode")->AsString();
  Edit1->SetText(period.substr(0, 4));
  Edit2->SetText(period.size() > 5 ? period.substr(5, 4) : std::string());
  Edit3->SetText(q->FieldByName("tema")->AsString());
  if (Showing()) Edit3->SetFocus();
  SetActiveControl(Edit3);
  Edit3->SelectAll();
  CheckBox1->SetChecked(q->FieldByName("aktif")->AsString() == "Ya");
}

void TFTemaTahunan::Button1Click(TObject*) {
  std::string period = Edit1->Text() + "-" + Edit2->Text();
  auto* q = DM->Q2;
  kit::SetSQL(*q, {"select * from tema_tahunan", "where periode=:pe"});
  q->ParamByName("pe")->AsString(period);
  q->Open();
  bool exists = q->RecordCount() > 0;
  if (!exists)
    kit::SetSQL(*q, {"insert into tema_tahunan(periode,tema,aktif,username)values(:pe,:te,:ak,:un)"});
  else
    kit::SetSQL(*q, {"update tema_tahunan set tema=:te,aktif=:ak,username=:un", "where periode=:pe"});
  q->ParamByName("pe")->AsString(period);
  q->ParamByName("te")->AsString(Edit3->Text());
  bool activate = CheckBox1->Checked();
  // Clearing the marks and the save go together: a save that fails after the marks were
  // cleared would leave no theme active.
  data::TTransaction save(*DM->ZConnection1);
  if (activate) {
    // Only one theme is active: every theme loses its mark before this one takes it.
    auto* c = DM->Q1;
    kit::SetSQL(*c, {"update tema_tahunan set aktif=:ak"});
    c->ParamByName("ak")->AsString("");
    c->ExecSQL();
    q->ParamByName("ak")->AsString("Ya");
  }
  // Unticked, the theme is saved without a mark (NULL).
  q->ParamByName("un")->AsString(CurrentUserName());
  q->ExecSQL();
  save.Commit();
  // The main window takes the new theme only once it is stored.
  if (activate && FMenu) FMenu->Label3->SetCaption(Edit3->Text());
  kit::Inform(exists ? "Data Tema Tahunan berhasil di-ubah" : "Data Tema Tahunan berhasil di-input");
  FormActivate(this);
}

void TFTemaTahunan::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin mau hapus record ini?")) return;
  std::string period = DM->Q3->FieldByName("periode")->AsString();
  auto* q = DM->Q2;
  kit::SetSQL(*q, {"delete from tema_tahunan", "where periode=:pe"});
  q->ParamByName("pe")->AsString(period);
  q->ExecSQL();
  FormActivate(this);
}

void TFTemaTahunan::Button3Click(TObject*) { Close(); }

}  // namespace shell
