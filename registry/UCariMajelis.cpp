#include "registry/UCariMajelis.h"

#include "app/Photo.h"
#include "app/Records.h"
#include "app/UDM.h"
#include "registry/FormKit.h"
#include "registry/UMajelis.h"

namespace registry {

using namespace gui;
using app::DM;

TFCariMajelis* FCariMajelis = nullptr;

TFCariMajelis::TFCariMajelis(rtl::TComponent* owner) : TForm(owner) {
  SetName("FCariMajelis");
  SetCaption("Master >> Majelis >> Pencarian");
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  Font().SetName("MS Reference Sans Serif");
  Font().SetHeight(-12);
  SetClientSize(640, 470);

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 620, 96, " Filter Pencarian ");
  RadioButton1 = Make<TRadioButton>(this, GroupBox1, "RadioButton1", 12, 24, 130, 20);
  RadioButton1->SetCaption("Nama Majelis");
  RadioButton2 = Make<TRadioButton>(this, GroupBox1, "RadioButton2", 12, 58, 130, 20);
  RadioButton2->SetCaption("Jabatan");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", 150, 22, 280, true);
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 150, 56, 80, {"Pnt", "Dkn"});
  Button1 = MakeButton(this, GroupBox1, "Button1", 470, 20, 66, "Cari");
  Button2 = MakeButton(this, GroupBox1, "Button2", 542, 20, 66, "Hapus");
  Button3 = MakeButton(this, GroupBox1, "Button3", 470, 54, 66, "Reset");
  Button4 = MakeButton(this, GroupBox1, "Button4", 542, 54, 66, "Close");

  DBGrid1 = Make<TDBGrid>(this, this, "DBGrid1", 10, 110, 620, 330);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("nimp", "NIM", 100);
  DBGrid1->Columns().Add("nij", "NIJ", 110);
  DBGrid1->Columns().Add("nama_gabung", "Nama", 220);
  DBGrid1->Columns().Add("pnt_dkn", "Jabatan", 70);
  DBGrid1->Columns().Add("sts_aktif", "Status", 80);
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

void TFCariMajelis::SelectAll(data::TZQuery& q) {
  app::SetSQL(q, {"select m.nimp,m.nij,d.nama_gabung,m.pnt_dkn,m.sts_aktif,d.tgl_lahir,d.sex,d.pelkat,d.sekpel,"
                  "m.periode,m.pnt_dkn,m.sts_aktif,m.tgl_mulai,m.tgl_selesai,m.foto,m.alasan_selesai "
                  "from majelis m,detail_kk d",
                  "where m.nij=d.nij"});
}

void TFCariMajelis::FormActivate(TObject*) {
  // The grid is bound here as well: the data module may be created after this window.
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

void TFCariMajelis::RadioButton1Click(TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, true);
  if (Showing()) Edit1->SetFocus();
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, false);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Nama Majelis\"");
}

void TFCariMajelis::RadioButton2Click(TObject*) {
  Edit1->Clear();
  SetInputEnabled(*Edit1, false);
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, true);
  if (Showing()) ComboBox1->SetFocus();
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Jabatan\"");
}

void TFCariMajelis::Button1Click(TObject*) {
  auto& q = *DM->Q3;
  SelectAll(q);
  if (RadioButton1->Checked()) {
    q.SQL.Add("and d.nama_gabung like :ng");
    q.ParamByName("ng")->AsString("%" + Edit1->Text() + "%");
  } else if (RadioButton2->Checked()) {
    q.SQL.Add("and m.pnt_dkn=:pd");
    q.ParamByName("pd")->AsString(Chosen(*ComboBox1));
  }
  q.Open();
}

void TFCariMajelis::Button2Click(TObject*) {
  auto& grid = *DM->Q3;
  if (grid.RecordCount() == 0) return;
  if (!app::Confirm("Apakah anda yakin record yang dipilih ini mau dihapus?")) return;
  auto& q = *DM->Q1;
  app::SetSQL(q, {"delete from majelis where nimp=:ni"});
  q.ParamByName("ni")->AsString(grid.FieldByName("nimp")->AsString());
  q.ExecSQL();
  FormActivate(this);
}

void TFCariMajelis::Button3Click(TObject*) { FormActivate(this); }

void TFCariMajelis::Button4Click(TObject*) { Close(); }

void TFCariMajelis::DBGrid1DblClick(TObject*) {
  auto& q = *DM->Q3;
  // An empty grid would reopen a record without number.
  if (q.RecordCount() == 0) return;
  auto* w = FMajelis;
  w->Edit1->SetText(q.FieldByName("nimp")->AsString());
  w->Edit2->SetText(q.FieldByName("nij")->AsString());
  w->Edit3->SetText(q.FieldByName("nama_gabung")->AsString());
  w->Edit4->SetText(rtl::DateToStr(q.FieldByName("tgl_lahir")->AsDateTime()));
  w->Edit5->SetText(q.FieldByName("sex")->AsString());
  w->Edit6->SetText(q.FieldByName("pelkat")->AsString());
  w->Edit7->SetText(q.FieldByName("sekpel")->AsString());
  const std::string office = q.FieldByName("pnt_dkn")->AsString();
  w->RadioButton1->SetChecked(office == "Pnt");
  w->RadioButton2->SetChecked(office == "Dkn");
  w->Edit8->SetText(q.FieldByName("periode")->AsString());
  app::ShowPhoto(*w->Image1, *q.FieldByName("foto"));
  const bool ended = q.FieldByName("sts_aktif")->AsString() == "Selesai";
  w->ComboBox1->SetItemIndex(ended ? 1 : 0);
  w->Label13->SetVisible(ended);
  w->Edit9->SetVisible(ended);
  if (ended) w->Edit9->SetText(q.FieldByName("alasan_selesai")->AsString());
  w->DateTimePicker1->SetDateTime(q.FieldByName("tgl_mulai")->AsDateTime());
  w->DateTimePicker2->SetDateTime(q.FieldByName("tgl_selesai")->AsDateTime());
  Close();
}

}  // namespace registry
