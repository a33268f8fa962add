#include "worship/HostServiceSearch.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "worship/HostServiceForm.h"
#include "worship/UValidasiIbadah.h"
#include "worship/rules/Services.h"

namespace worship {

using namespace gui;
using app::DM;

THostServiceSearch::THostServiceSearch(rtl::TComponent* owner, const TSpec& s)
    : TForm(owner), kind_(s.kind), entry_(s.entry), layout_(s.layout) {
  const bool sector = s.kind.sector;
  kit::SetupForm(*this, {.name = s.name, .caption = s.caption, .width = 720, .height = sector ? 470 : 500});

  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 10, 6, 700, sector ? 96 : 126, " Filter Pencarian ");
  RadioButton1 = kit::Make<TRadioButton>(this, GroupBox1, "RadioButton1", 12, 24, 110, 20);
  RadioButton1->SetCaption("Tanggal");
  DateTimePicker1 = kit::MakePicker(this, GroupBox1, "DateTimePicker1", 130, 22, 120);
  Label1 = kit::MakeLabel(this, GroupBox1, "Label1", 258, 25, "To");
  DateTimePicker2 = kit::MakePicker(this, GroupBox1, "DateTimePicker2", 280, 22, 120);
  RadioButton2 = kit::Make<TRadioButton>(this, GroupBox1, "RadioButton2", 12, 58, 110, 20);
  RadioButton2->SetCaption("SekPel");
  ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", 130, 56, 60,
                            {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
  ComboBox1->DropDownCount = 10;
  if (!sector) {
    RadioButton3 = kit::Make<TRadioButton>(this, GroupBox1, "RadioButton3", 12, 92, 110, 20);
    RadioButton3->SetCaption("Jenis Ibadah");
    ComboBox2 = kit::MakeList(this, GroupBox1, "ComboBox2", 130, 90, 200, {});
    for (const char* o : rules::Occasions()) ComboBox2->Items().Add(o);
  }
  Button1 = kit::MakeButton(this, GroupBox1, "Button1", 420, 20, 66, "Cari");
  Button2 = kit::MakeButton(this, GroupBox1, "Button2", 492, 20, 66, "Hapus");
  Button5 = kit::MakeButton(this, GroupBox1, "Button5", 564, 20, 66, "Print");
  Button3 = kit::MakeButton(this, GroupBox1, "Button3", 420, 54, 66, "Reset");
  Button4 = kit::MakeButton(this, GroupBox1, "Button4", 492, 54, 66, "Close");

  const int gridTop = GroupBox1->Top() + GroupBox1->Height() + 8;
  DBGrid1 = kit::Make<TDBGrid>(this, this, "DBGrid1", 10, gridTop, 700, ClientHeight() - 24 - 6 - gridTop);
  DBGrid1->Options |= dgRowSelect;
  const int nameW = sector ? 180 : 140;
  DBGrid1->Columns().Add("tgl", "Tanggal", 84);
  if (!sector) DBGrid1->Columns().Add("judul_ibadah", "Jenis Ibadah", 140);
  DBGrid1->Columns().Add("sekpel", "SekPel", 50);
  DBGrid1->Columns().Add("nama_tuan_rumah", "Tuan Rumah", nameW);
  DBGrid1->Columns().Add("nama_pf", "Nama PF", nameW);
  DBGrid1->Columns().Add("validasi", "Validasi", 110);
  DBGrid1->SetDataSource(DM ? DM->DS_Q3 : nullptr);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, ClientHeight() - 24, 720, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(500);

  OnActivate = [this](TObject* o) { FormActivate(o); };
  RadioButton1->OnClick = [this](TObject* o) { RadioButton1Click(o); };
  RadioButton2->OnClick = [this](TObject* o) { RadioButton2Click(o); };
  if (RadioButton3) RadioButton3->OnClick = [this](TObject* o) { RadioButton3Click(o); };
  Button1->OnClick = [this](TObject* o) { Button1Click(o); };
  Button2->OnClick = [this](TObject* o) { Button2Click(o); };
  Button3->OnClick = [this](TObject* o) { Button3Click(o); };
  Button4->OnClick = [this](TObject* o) { Button4Click(o); };
  Button5->OnClick = [this](TObject* o) { Button5Click(o); };
  DBGrid1->OnDblClick = [this](TObject* o) { DBGrid1DblClick(o); };
}

void THostServiceSearch::Criterion(int chosen) {
  for (TDateTimePicker* p : {DateTimePicker1, DateTimePicker2}) {
    p->SetDateTime(rtl::Now());
    p->SetEnabled(chosen == 1);
  }
  const std::pair<TComboBox*, int> lists[] = {{ComboBox1, 2}, {ComboBox2, 3}};
  for (auto [list, criterion] : lists)
    if (list) {
      list->SetItemIndex(0);
      kit::SetInputEnabled(*list, chosen == criterion);
    }
}

void THostServiceSearch::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_Q3) DBGrid1->SetDataSource(DM->DS_Q3);
  for (TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3})
    if (r) r->SetChecked(false);
  Criterion(0);
  StatusBar1->Panels()[0]->SetText("");
  kit::SetSQL(*DM->Q3, {std::string("select * from ") + kind_.table});
  DM->Q3->Open();
}

void THostServiceSearch::RadioButton1Click(TObject*) {
  Criterion(1);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Tanggal\"");
}

void THostServiceSearch::RadioButton2Click(TObject*) {
  Criterion(2);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Sektor Pelayanan\"");
}

void THostServiceSearch::RadioButton3Click(TObject*) {
  Criterion(3);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Jenis Ibadah\"");
}

void THostServiceSearch::Button1Click(TObject*) {
  data::TZQuery& q = *DM->Q3;
  const std::string select = std::string("select * from ") + kind_.table;
  if (RadioButton1->Checked()) {
    kit::SetSQL(q, {select, "where tgl>=:t1 and tgl<=:t2"});
    q.ParamByName("t1")->AsDate(DateTimePicker1->Date());
    q.ParamByName("t2")->AsDate(DateTimePicker2->Date());
  } else if (RadioButton2->Checked()) {
    kit::SetSQL(q, {select, "where sekpel=:se"});
    q.ParamByName("se")->AsString(kit::Chosen(*ComboBox1));
  } else if (RadioButton3 && RadioButton3->Checked()) {
    kit::SetSQL(q, {select, "where judul_ibadah=:ji"});
    q.ParamByName("ji")->AsString(kit::Chosen(*ComboBox2));
  } else {
    kit::SetSQL(q, {select});
  }
  q.Open();
}

void THostServiceSearch::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin record ini mau dihapus?")) return;
  kit::SetSQL(*DM->Q1, {"delete from " + std::string(kind_.table) + " where kode=:ko"});
  DM->Q1->ParamByName("ko")->AsString(DM->Q3->IsEmpty() ? "" : DM->Q3->FieldByName("kode")->AsString());
  DM->Q1->ExecSQL();
  FormActivate(this);
}

void THostServiceSearch::Button3Click(TObject*) { FormActivate(this); }
void THostServiceSearch::Button4Click(TObject*) { Close(); }

void THostServiceSearch::DBGrid1DblClick(TObject*) {
  data::TZQuery& row = *DM->Q3;
  const std::string validator = row.IsEmpty() ? "" : row.FieldByName("validasi")->AsString();
  // A validated sector service opens only with its coordinator's PIN: the dialog
  // checks it against the council record found here and opens the service itself.
  if (kind_.sector && !validator.empty()) {
    kit::SetSQL(*DM->Q1, {"select m.pnt_dkn,d.nij,d.nama_gabung,m.nimp from majelis m,detail_kk d", "where m.nij=d.nij",
                          "and d.nij=:ni"});
    DM->Q1->ParamByName("ni")->AsString(validator);
    DM->Q1->Open();
    FValidasiIbadah->AskToUnlock(*DM->Q1);
    return;
  }
  if (auto* entry = dynamic_cast<THostServiceForm*>(Application->FindComponent(entry_))) entry->LoadService(row);
  Close();
}

void THostServiceSearch::Button5Click(TObject*) {
  auto* form = dynamic_cast<THostServiceReport*>(Application->FindComponent(layout_));
  if (!form) return;
  form->FillFrom(*DM->Q3);
  form->Preview();
}

}  // namespace worship
