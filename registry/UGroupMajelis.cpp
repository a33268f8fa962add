#include "registry/UGroupMajelis.h"

#include "kit/Photo.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "data/Transaction.h"
#include "gui/Dialogs.h"
#include "kit/FormKit.h"
#include "registry/UPrintGroupMajelis.h"
#include "registry/rules/Council.h"
#include "rtl/Classes.h"
#include "kit/CurrentUser.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

int GroupCount = 0;
TFGroupMajelis* FGroupMajelis = nullptr;

namespace {

// The grid's statement up to its filter: council groups with the member's name and office.
void GroupSelect(data::TZQuery& q) {
  kit::SetSQL(q, {"select m.nimp,d.nama_gabung,m.grup,m.foto,j.pnt_dkn from majelis_group m,detail_kk d,majelis j",
                  "where m.nimp=j.nimp and j.nij=d.nij"});
}

void Exec(data::TZQuery& q, std::string_view sql) {
  kit::SetSQL(q, {sql});
  q.ExecSQL();
}

}  // namespace

TFGroupMajelis::TFGroupMajelis(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this,
            {.name = "FGroupMajelis", .caption = "Master >> Majelis >> Group Majelis", .width = 760, .height = 560});

  Panel1 = Make<TPanel>(this, this, "Panel1", 8, 8, 560, 230);
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  const int lx = 8, ex = 190;
  MakeLabel(this, Panel1, "Label1", lx, 12, "Nomor Induk Majelis (NIM)");
  Edit1 = MakeEdit(this, Panel1, "Edit1", ex, 8, 130, false, true);
  SpeedButton1 = Make<TSpeedButton>(this, Panel1, "SpeedButton1", ex + 134, 8, 26, 22);
  SpeedButton1->SetCaption("...");
  Edit7 = MakeEdit(this, Panel1, "Edit7", ex + 166, 8, 50, false, true);
  MakeLabel(this, Panel1, "Label2", lx, 44, "Nama Majelis");
  Edit2 = MakeEdit(this, Panel1, "Edit2", ex, 40, 300, true, true);
  MakeLabel(this, Panel1, "Label3", lx, 76, "Sektor Pelayanan");
  Edit3 = MakeEdit(this, Panel1, "Edit3", ex, 72, 60, false, true);
  MakeLabel(this, Panel1, "Label4", lx, 108, "Umur");
  Edit4 = MakeEdit(this, Panel1, "Edit4", ex, 104, 60, false, true);
  MakeLabel(this, Panel1, "Label5", lx, 140, "Sex");
  Edit5 = MakeEdit(this, Panel1, "Edit5", ex, 136, 100, false, true);
  MakeLabel(this, Panel1, "Label6", lx, 172, "Group Majelis");
  Edit6 = MakeEdit(this, Panel1, "Edit6", ex, 168, 60);
  MakeLabel(this, Panel1, "Label7", ex + 66, 172, "(Ex. 1,2,3,4,dsb)");

  Panel2 = Make<TPanel>(this, this, "Panel2", 588, 8, 160, 206);
  Panel2->SetCaption("Photo");
  Panel2->SetBevelOuter(TBevelCut::bvLowered);
  Image1 = Make<TImage>(this, Panel2, "Image1", 2, 2, 156, 202);
  Image1->SetStretch(true);

  Button1 = MakeButton(this, this, "Button1", 16, 240, 84, "Simpan");
  Button2 = MakeButton(this, this, "Button2", 104, 240, 84, "Hapus");
  Button3 = MakeButton(this, this, "Button3", 192, 240, 84, "Clear All");
  Button5 = MakeButton(this, this, "Button5", 280, 240, 84, "Reset");
  Button7 = MakeButton(this, this, "Button7", 368, 240, 84, "Print");
  Button4 = MakeButton(this, this, "Button4", 456, 240, 84, "Close");

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 8, 274, 744, 56, " Filter ");
  RadioButton1 = Make<TRadioButton>(this, GroupBox1, "RadioButton1", 12, 22, 70, 20);
  RadioButton1->SetCaption("Group");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 84, 20, 70, {});
  RadioButton2 = Make<TRadioButton>(this, GroupBox1, "RadioButton2", 180, 22, 110, 20);
  RadioButton2->SetCaption("Nama Majelis");
  Edit8 = MakeEdit(this, GroupBox1, "Edit8", 292, 20, 280, true);
  Button6 = MakeButton(this, GroupBox1, "Button6", 584, 18, 70, "Cari");

  DBGrid1 = Make<TDBGrid>(this, this, "DBGrid1", 8, 336, 744, 170);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("grup", "Group", 60);
  DBGrid1->Columns().Add("nimp", "NIMP", 110);
  DBGrid1->Columns().Add("pnt_dkn", "Pnt/Dkn", 70);
  DBGrid1->Columns().Add("nama_gabung", "Nama Majelis", 300);
  DBGrid1->SetDataSource(DM ? DM->DS_Q5 : nullptr);

  SpeedButton2 = Make<TSpeedButton>(this, this, "SpeedButton2", 8, 516, 240, 30);
  SpeedButton2->SetCaption("Generate Random Group Majelis");
  Gauge1 = Make<TGauge>(this, this, "Gauge1", 256, 520, 496, 22);
  Gauge1->SetForeColor(clBlue);
  Gauge1->SetBackColor(clBtnFace);
  Gauge1->Hide();

  Panel3 = Make<TPanel>(this, this, "Panel3", 0, 0, 760, 560);
  Panel3->SetAlign(TAlign::alClient);
  Panel3->SetColor(clWhite);
  Panel3->SetBevelOuter(TBevelCut::bvNone);
  Panel4 = Make<TPanel>(this, Panel3, "Panel4", 0, 0, 760, 32);
  Panel4->SetAlign(TAlign::alTop);
  Panel4->SetColor(clBlue);
  Panel4->SetCaption("Setup Group Majelis");
  Panel4->Font().SetColor(clWhite);
  Panel4->Font().SetStyle(fsBold);
  Image2 = Make<TImage>(this, Panel3, "Image2", 40, 80, 128, 128);
  Image2->SetStretch(true);
  Label10 = MakeLabel(this, Panel3, "Label10", 200, 120, "Jumlah Group Majelis :");
  Edit9 = MakeEdit(this, Panel3, "Edit9", 360, 116, 60);
  Edit9->Font().SetColor(clRed);
  Edit9->Font().SetStyle(fsBold);
  Button8 = MakeButton(this, Panel3, "Button8", 200, 160, 84, "OK");
  Button9 = MakeButton(this, Panel3, "Button9", 292, 160, 84, "Cancel");
  Panel3->Hide();

  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
  Edit6->OnKeyPress = [this](TObject* s, wchar_t& k) { Edit6KeyPress(s, k); };
  Edit9->OnKeyPress = [this](TObject* s, wchar_t& k) { Edit9KeyPress(s, k); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };
  Button5->OnClick = [this](TObject* s) { Button5Click(s); };
  Button6->OnClick = [this](TObject* s) { Button6Click(s); };
  Button7->OnClick = [this](TObject* s) { Button7Click(s); };
  Button8->OnClick = [this](TObject* s) { Button8Click(s); };
  Button9->OnClick = [this](TObject* s) { Button9Click(s); };
  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFGroupMajelis::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_Q5) DBGrid1->SetDataSource(DM->DS_Q5);
  for (TEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7}) e->Clear();
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  Edit8->Clear();
  SetInputEnabled(*Edit8, false);
  SetInputEnabled(*ComboBox1, false);
  if (Showing()) Edit6->SetFocus();
  SetActiveControl(Edit6);
  Gauge1->Hide();
  Panel3->Hide();
  auto& q = *DM->Q5;
  GroupSelect(q);
  q.SQL.Add("order by m.grup,m.nimp");
  q.Open();
  Image1->Picture().SetGraphic(static_cast<const TGraphic*>(nullptr));
  auto& g = *DM->Q7;
  kit::SetSQL(g, {"select distinct grup from majelis_group", "order by grup"});
  g.Open();
  ComboBox1->Items().Clear();
  if (g.RecordCount() > 0) {
    for (g.First(); !g.Eof(); g.Next()) ComboBox1->Items().Add(rtl::IntToStr(g.FieldByName("grup")->AsInteger()));
    ComboBox1->SetItemIndex(0);
  }
}

void TFGroupMajelis::SpeedButton1Click(TObject*) {
  DM->Q4->SQL.Clear();
  // The lookup knows this window by its being shown: no flag is set.
  OpenLookup("FCariNIM", "[Ketik Nama Majelis Disini]");
}

void TFGroupMajelis::Edit6KeyPress(TObject*, wchar_t& key) { kit::DigitsOnly(key); }

void TFGroupMajelis::Button1Click(TObject*) {
  // The council member's number is the row's key: without one the save would store an
  // empty key.
  if (Edit1->Text().empty()) {
    kit::Refuse("Maaf...Data Majelis belum dipilih");
    return;
  }
  auto& q = *DM->Q5;
  kit::SetSQL(q, {"select * from majelis_group", "where nimp=:ni"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.Open();
  const bool exists = q.RecordCount() > 0;
  // A council member reopened from the grid shows no photo: the change keeps the stored
  // one rather than wiping it.
  rtl::TMemoryStream kept;
  const bool keepStored = exists && !kit::HasPhoto(*Image1);
  if (keepStored) q.FieldByName("foto")->SaveToStream(kept);
  const int group = rtl::StrToInt(Edit6->Text());
  if (exists)
    kit::SetSQL(q, {"update majelis_group set grup=:gr,foto=:fo,username=:un", "where nimp=:ni"});
  else
    kit::SetSQL(q, {"insert into majelis_group(nimp,grup,foto,username)values(:ni,:gr,:fo,:un)"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.ParamByName("gr")->AsInteger(group);
  q.ParamByName("un")->AsString(kit::CurrentUserName());
  if (keepStored) {
    if (kept.Size() > 0) {
      kept.Seek(0, rtl::TSeekOrigin::soBeginning);
      q.ParamByName("fo")->LoadFromStream(kept);
    } else {
      q.ParamByName("fo")->Clear();
    }
  } else {
    kit::BindPhoto(*q.ParamByName("fo"), *Image1);
  }
  q.ExecSQL();
  kit::Inform(exists ? "Data Group Majelis berhasil di-ubah" : "Data Group Majelis berhasil di-input");
  FormActivate(this);
}

void TFGroupMajelis::Button2Click(TObject*) {
  auto& grid = *DM->Q5;
  if (grid.RecordCount() == 0) return;
  if (!kit::Confirm("Apakah anda yakin record ini mau dihapus?")) return;
  auto& q = *DM->Q1;
  kit::SetSQL(q, {"delete from majelis_group where nimp=:ni"});
  q.ParamByName("ni")->AsString(grid.FieldByName("nimp")->AsString());
  q.ExecSQL();
  FormActivate(this);
}

void TFGroupMajelis::Button3Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin seluruh Data Group Majelis mau dihapus?")) return;
  Exec(*DM->Q2, "truncate table majelis_group");
  FormActivate(this);
}

void TFGroupMajelis::Button4Click(TObject*) { Close(); }

void TFGroupMajelis::Button5Click(TObject*) { FormActivate(this); }

void TFGroupMajelis::Button7Click(TObject*) { FPrintGroupMajelis->ShowModal(); }

void TFGroupMajelis::DBGrid1DblClick(TObject*) {
  auto& grid = *DM->Q5;
  if (grid.RecordCount() == 0) return;
  const std::string nimp = grid.FieldByName("nimp")->AsString();
  const int group = grid.FieldByName("grup")->AsInteger();
  auto& q = *DM->Q4;
  kit::SetSQL(q, {"select m.nimp,d.nama_gabung,m.pnt_dkn,d.sekpel,d.sex,d.tgl_lahir from majelis m,detail_kk d",
                  "where m.nij=d.nij", "and m.nimp=:ni and m.sts_aktif=:sa"});
  q.ParamByName("ni")->AsString(nimp);
  q.ParamByName("sa")->AsString("Aktif");
  q.Open();
  Edit1->SetText(q.FieldByName("nimp")->AsString());
  Edit7->SetText(q.FieldByName("pnt_dkn")->AsString());
  Edit2->SetText(q.FieldByName("nama_gabung")->AsString());
  Edit3->SetText(q.FieldByName("sekpel")->AsString());
  Edit4->SetText(rtl::IntToStr(rules::AgeInYears(q.FieldByName("tgl_lahir")->AsDateTime(), rtl::Now())));
  Edit5->SetText(q.FieldByName("sex")->AsString());
  Edit6->SetText(rtl::IntToStr(group));
}

void TFGroupMajelis::RadioButton1Click(TObject*) {
  Edit8->Clear();
  SetInputEnabled(*Edit8, false);
  SetInputEnabled(*ComboBox1, true);
  if (Showing()) ComboBox1->SetFocus();
}

void TFGroupMajelis::RadioButton2Click(TObject*) {
  Edit8->Clear();
  SetInputEnabled(*Edit8, true);
  if (Showing()) Edit8->SetFocus();
  SetInputEnabled(*ComboBox1, false);
}

void TFGroupMajelis::Button6Click(TObject*) {
  auto& q = *DM->Q5;
  if (RadioButton1->Checked()) {
    const int group = rtl::StrToInt(Chosen(*ComboBox1));
    GroupSelect(q);
    q.SQL.Add("and m.grup=:gr");
    q.SQL.Add("order by m.grup,m.nimp");
    q.ParamByName("gr")->AsInteger(group);
  } else if (RadioButton2->Checked()) {
    GroupSelect(q);
    q.SQL.Add("and d.nama_gabung like :ng");
    q.SQL.Add("order by m.grup,m.nimp");
    q.ParamByName("ng")->AsString("%" + Edit8->Text() + "%");
  } else {
    return;
  }
  q.Open();
}

void TFGroupMajelis::ShowSetup() {
  // The panel covers the whole window: over every other control, not under them.
  Panel3->BringToFront();
  Panel3->Show();
  Edit9->Clear();
  if (Showing()) Edit9->SetFocus();
}

void TFGroupMajelis::Button8Click(TObject*) {
  const std::string text = Edit9->Text();
  if (text.empty() || text == "0") {
    kit::Refuse("Maaf...Jumlah Group tidak boleh kosong");
    return;
  }
  GroupCount = rtl::StrToInt(text);
  Panel3->Hide();
}

void TFGroupMajelis::Button9Click(TObject*) { Panel3->Hide(); }

void TFGroupMajelis::Edit9KeyPress(TObject*, wchar_t& key) {
  if (key == 13) {
    key = 0;
    Button8->Click();
  }
}

void TFGroupMajelis::DealPass(const char* office) {
  auto& draw = *DM->QRandomMajelis;
  kit::SetSQL(draw, {"select id,nimp,pnt_dkn,sts_aktif from majelis", "where pnt_dkn=:pd and sts_aktif=:sa",
                     "order by rand()"});
  draw.ParamByName("pd")->AsString(office);
  draw.ParamByName("sa")->AsString("Aktif");
  draw.Open();
  if (draw.RecordCount() == 0) return;
  auto& q = *DM->Q2;
  for (draw.First(); !draw.Eof(); draw.Next()) {
    kit::SetSQL(q, {"insert into majelis_group_temp(id,nimp)values(:id,:ni)"});
    q.ParamByName("id")->AsInteger(draw.FieldByName("id")->AsInteger());
    q.ParamByName("ni")->AsString(draw.FieldByName("nimp")->AsString());
    q.ExecSQL();
  }
  kit::SetSQL(draw, {"select * from majelis_group_temp"});
  draw.Open();
  if (draw.RecordCount() == 0) return;
  rules::TGroupDeal deal(GroupCount);
  Gauge1->SetProgress(0);
  Gauge1->SetMaxValue(draw.RecordCount());
  Gauge1->Show();
  auto& del = *DM->Q1;
  for (draw.First(); !draw.Eof(); draw.Next()) {
    Gauge1->AddProgress(1);
    const int id = draw.FieldByName("id")->AsInteger();
    kit::SetSQL(q, {"insert into majelis_group_temp2(id,nimp,grup)values(:id,:ni,:gr)"});
    q.ParamByName("id")->AsInteger(id);
    q.ParamByName("ni")->AsString(draw.FieldByName("nimp")->AsString());
    q.ParamByName("gr")->AsInteger(deal.Next());
    q.ExecSQL();
    kit::SetSQL(del, {"delete from majelis_group_temp", "where id=:id"});
    del.ParamByName("id")->AsInteger(id);
    del.ExecSQL();
  }
}

void TFGroupMajelis::SpeedButton2Click(TObject*) {
  if (GroupCount == 0) {
    ShowSetup();
    return;
  }
  ShowMessage("Jumlah Group Majelis sudah disetting sebanyak : " + rtl::IntToStr(GroupCount));
  if (!kit::Confirm("Pilih \"YES\" untuk Random Group Majelis dan Pilih \"NO\" untuk ubah jumlah group majelis")) {
    ShowSetup();
    return;
  }
  // The groups stay as they are until the new deal is complete: it is dealt into the
  // work tables first, and the groups are then replaced in one transaction, so a failure
  // at any step leaves the previous groups whole.
  try {
    auto& q = *DM->Q2;
    Exec(q, "truncate majelis_group_temp2");
    // A run that failed earlier may have left drawn rows behind; read back, they would
    // deal those council members a second time.
    Exec(q, "truncate majelis_group_temp");
    DealPass("Pnt");
    DealPass("Dkn");
    auto& dealt = *DM->Q4;
    kit::SetSQL(dealt, {"select * from majelis_group_temp2"});
    dealt.Open();
    data::TTransaction replacing(*DM->ZConnection1);
    Exec(q, "delete from majelis_group");
    if (dealt.RecordCount() > 0) {
      Gauge1->SetProgress(0);
      Gauge1->SetMaxValue(dealt.RecordCount());
      const rtl::TDateTime today = rtl::Date();
      for (dealt.First(); !dealt.Eof(); dealt.Next()) {
        Gauge1->AddProgress(1);
        kit::SetSQL(q, {"insert into majelis_group(id,nimp,grup,username,lastupdate)values(:id,:ni,:gr,:un,:lu)"});
        q.ParamByName("id")->AsInteger(dealt.FieldByName("id")->AsInteger());
        q.ParamByName("ni")->AsString(dealt.FieldByName("nimp")->AsString());
        q.ParamByName("gr")->AsInteger(dealt.FieldByName("grup")->AsInteger());
        q.ParamByName("un")->AsString(kit::CurrentUserName());
        q.ParamByName("lu")->AsDate(today);
        q.ExecSQL();
      }
    }
    replacing.Commit();
    Exec(q, "truncate majelis_group_temp2");
    kit::Inform("Random Group Majelis Selesai");
    Gauge1->Hide();
    FormActivate(this);
  } catch (...) {
    kit::Refuse("Proses Random Group Majelis gagal!");
    FormActivate(this);
  }
}

}  // namespace registry
