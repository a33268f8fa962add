#include "registry/UCariPHMJ.h"

#include "app/Photo.h"
#include "app/Records.h"
#include "app/UDM.h"
#include "registry/FormKit.h"
#include "registry/UPhmj.h"

namespace registry {

using namespace gui;
using app::DM;

TFCariPHMJ* FCariPHMJ = nullptr;

TFCariPHMJ::TFCariPHMJ(rtl::TComponent* owner) : TForm(owner) {
  SetName("FCariPHMJ");
  SetCaption("Master >> PHMJ >> Pencarian");
  BorderStyle = TFormBorderStyle::bsSingle;
  BorderIcons = biSystemMenu;
  Position = TPosition::poScreenCenter;
  Font().SetName("MS Reference Sans Serif");
  Font().SetHeight(-12);
  SetClientSize(640, 470);

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 620, 96, " Filter Pencarian ");
  RadioButton1 = Make<TRadioButton>(this, GroupBox1, "RadioButton1", 12, 24, 130, 20);
  RadioButton1->SetCaption("Nama PHMJ");
  RadioButton2 = Make<TRadioButton>(this, GroupBox1, "RadioButton2", 12, 58, 130, 20);
  RadioButton2->SetCaption("Status");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", 150, 22, 280, true);
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 150, 56, 100, {"Aktif", "Selesai"});
  Button1 = MakeButton(this, GroupBox1, "Button1", 470, 20, 66, "Cari");
  Button2 = MakeButton(this, GroupBox1, "Button2", 542, 20, 66, "Hapus");
  Button3 = MakeButton(this, GroupBox1, "Button3", 470, 54, 66, "Reset");
  Button4 = MakeButton(this, GroupBox1, "Button4", 542, 54, 66, "Close");

  DBGrid1 = Make<TDBGrid>(this, this, "DBGrid1", 10, 110, 620, 330);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("nimp", "NIM", 100);
  DBGrid1->Columns().Add("nama_gabung", "Nama", 220);
  DBGrid1->Columns().Add("jabatan", "Jabatan", 120);
  DBGrid1->Columns().Add("periode", "Periode", 90);
  DBGrid1->Columns().Add("sts_aktif", "Status", 70);
  DBGrid1->SetDataSource(DM ? DM->DS_Q3 : nullptr);

  StatusBar1 = Make<TStatusBar>(this, this, "StatusBar1", 0, 446, 640, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(640);

  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFCariPHMJ::SelectAll(data::TZQuery& q) {
  app::SetSQL(q, {"select p.nimp,d.nama_gabung,p.jabatan,p.sts_aktif,p.periode,p.foto,p.tgl_mulai,p.tgl_selesai "
                  "from majelis m,detail_kk d,phmj p",
                  "where m.nij=d.nij and m.nimp=p.nimp"});
}

void TFCariPHMJ::FormActivate(TObject*) {
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

void TFCariPHMJ::RadioButton1Click(TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, true);
  if (Showing()) Edit1->SetFocus();
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, false);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Nama PHMJ\"");
}

void TFCariPHMJ::RadioButton2Click(TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, false);
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, true);
  if (Showing()) ComboBox1->SetFocus();
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Status\"");
}

void TFCariPHMJ::Button1Click(TObject*) {
  auto& q = *DM->Q3;
  SelectAll(q);
  if (RadioButton1->Checked()) {
    q.SQL.Add("and d.nama_gabung like :ng");
    q.ParamByName("ng")->AsString("%" + Edit1->Text() + "%");
  } else if (RadioButton2->Checked()) {
    q.SQL.Add("and p.sts_aktif=:sa");
    q.ParamByName("sa")->AsString(Chosen(*ComboBox1));
  }
  q.Open();
}

void TFCariPHMJ::Button2Click(TObject*) {
  auto& grid = *DM->Q3;
  if (grid.RecordCount() == 0) return;
  if (!app::Confirm("Apakah anda yakin record yang dipilih ini mau dihapus?")) return;
  auto& q = *DM->Q1;
  app::SetSQL(q, {"delete from phmj where nimp=:ni and periode=:pe"});
  q.ParamByName("ni")->AsString(grid.FieldByName("nimp")->AsString());
  q.ParamByName("pe")->AsString(grid.FieldByName("periode")->AsString());
  q.ExecSQL();
  FormActivate(this);
}

void TFCariPHMJ::Button3Click(TObject*) { FormActivate(this); }

void TFCariPHMJ::Button4Click(TObject*) { Close(); }

void TFCariPHMJ::DBGrid1DblClick(TObject*) {
  auto& row = *DM->Q3;
  if (row.RecordCount() == 0) return;
  const std::string nimp = row.FieldByName("nimp")->AsString();
  auto& q = *DM->Q2;
  app::SetSQL(q, {"select d.nama_gabung,m.pnt_dkn,m.periode,m.sts_aktif from majelis m,detail_kk d",
                  "where m.nij=d.nij", "and m.nimp=:ni"});
  q.ParamByName("ni")->AsString(nimp);
  q.Open();
  auto* w = FPhmj;
  w->Edit1->SetText(nimp);
  w->Edit2->SetText(q.FieldByName("nama_gabung")->AsString());
  w->Edit3->SetText(q.FieldByName("pnt_dkn")->AsString());
  w->Edit4->SetText(q.FieldByName("periode")->AsString());
  w->Edit5->SetText(q.FieldByName("sts_aktif")->AsString());
  SelectExact(*w->ComboBox1, row.FieldByName("jabatan")->AsString());
  const bool ended = row.FieldByName("sts_aktif")->AsString() == "Selesai";
  w->RadioButton1->SetChecked(!ended);
  w->RadioButton2->SetChecked(ended);
  w->Edit6->SetText(row.FieldByName("periode")->AsString());
  app::ShowPhoto(*w->Image1, *row.FieldByName("foto"));
  w->DateTimePicker1->SetDateTime(row.FieldByName("tgl_mulai")->AsDateTime());
  w->DateTimePicker2->SetDateTime(row.FieldByName("tgl_selesai")->AsDateTime());
  Close();
}

}  // namespace registry
