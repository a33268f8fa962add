#include "registry/UAttestasi.h"

#include "app/UDM.h"
#include "data/Transaction.h"
#include "kit/CurrentUser.h"
#include "kit/FormKit.h"
#include "kit/Lines.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "registry/rules/Numbering.h"
#include "rtl/SysUtils.h"

namespace registry {

using namespace gui;
using app::DM;

TFAttestasi* FAttestasi = nullptr;

namespace {

constexpr const char* kIncoming = "Jemaat Masuk";
constexpr const char* kMemberHint = "[Ketik Nama Jemaat Disini]";

const std::vector<kit::TLineParam>& LineParams() {
  static const std::vector<kit::TLineParam> p{{"ni", "nij"},
                                              {"na", "nama"},
                                              {"hk", "hubungan_keluarga"},
                                              {"tl", "tmpt_lahir"},
                                              {"tgll", "tgl_lahir", kit::TLineValue::DateTime},
                                              {"se", "sekpel", kit::TLineValue::Integer},
                                              {"ke", "keterangan"}};
  return p;
}

const kit::TWorkLines& TransferLines() {
  static const kit::TWorkLines lines{
      "attestasi_detail_temp",
      {"select * from attestasi_detail", "where no_att=:nat"},
      "nat",
      "insert into attestasi_detail_temp(nij,nama,hubungan_keluarga,tmpt_lahir,tgl_lahir,sekpel,keterangan)values(:ni,"
      ":na,:hk,:tl,:tgll,:se,:ke)",
      LineParams()};
  return lines;
}

void Grey(TEdit* e, bool clear = true) {
  if (clear) e->Clear();
  kit::SetEditable(*e, false);
}
void White(TEdit* e) {
  e->Clear();
  kit::SetEditable(*e, true);
}

}  // namespace

const std::vector<const char*>& Relationships() {
  static const std::vector<const char*> r{"Suami", "Istri",  "Anak",      "Ayah", "Ibu",  "Kakak",
                                          "Adik",  "Kakek", "Nenek", "Keponakan", "Ipar", "Sepupu"};
  return r;
}

TFAttestasi::TFAttestasi(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FAttestasi", .caption = "File >> Attestasi", .width = 860, .height = 600});
  Panel1 = kit::MakeActionBar(*this, "Panel1", 48,
                              {{&SpeedButton6, "SpeedButton6", "Simpan", [this](TObject* s) { SpeedButton6Click(s); }},
                               {&SpeedButton7, "SpeedButton7", "Cari", [this](TObject* s) { SpeedButton7Click(s); }},
                               {&SpeedButton8, "SpeedButton8", "Reset Form",
                                [this](TObject* s) { SpeedButton8Click(s); }},
                               {&SpeedButton9, "SpeedButton9", "Close", [this](TObject* s) { SpeedButton9Click(s); }}},
                              7);

  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 8, 6, 420, 140, " Dokumentasi ");
  kit::TRows doc{.owner = this, .group = GroupBox1, .inputX = 130, .inputW = 270, .y = 20, .step = 29,
                 .prefix = "LabelDok"};
  Edit1 = doc.Edit("Edit1", "No.Attestasi", false, true, 200);
  Edit1->Font().SetStyle(fsBold);
  Edit1->SetText("Edit1");  // the layout's placeholder
  DateTimePicker1 = doc.Picker("DateTimePicker1", "Tanggal");
  ComboBox1 = doc.List("ComboBox1", "Status Attestasi", {"KELUAR", "MASUK"}, 120);
  Edit2 = doc.Edit("Edit2", "No.Surat Masuk");

  GroupBox2 = kit::MakeGroup(this, this, "GroupBox2", 8, 150, 420, 200, " Jemaat ");
  kit::TRows head{.owner = this, .group = GroupBox2, .inputX = 150, .inputW = 254, .y = 20, .step = 29,
                  .prefix = "LabelJemaat"};
  const int headRow = head.Row("Nomor Induk");
  Edit3 = kit::MakeEdit(this, GroupBox2, "Edit3", 150, headRow, 180, false, true);
  Edit3->Font().SetStyle(fsBold);
  SpeedButton1 = kit::Make<TSpeedButton>(this, GroupBox2, "SpeedButton1", 334, headRow, 26, 22);
  SpeedButton1->SetCaption("...");
  Edit4 = head.Edit("Edit4", "Nama", true);
  Edit5 = head.Edit("Edit5", "Alamat Lama");
  Edit11 = head.Edit("Edit11", "SekPel", false, true, 60);
  Edit6 = head.Edit("Edit6", "Pindah Ke/Dari Jemaat");
  Edit7 = head.Edit("Edit7", "Alamat Baru");

  GroupBox3 = kit::MakeGroup(this, this, "GroupBox3", 436, 6, 416, 344, " Pengikut ");
  kit::TRows line{.owner = this, .group = GroupBox3, .inputX = 110, .inputW = 290, .y = 20, .step = 29,
                  .prefix = "LabelPengikut"};
  const int lineRow = line.Row("No.Induk");
  Edit8 = kit::MakeEdit(this, GroupBox3, "Edit8", 110, lineRow, 180, false, true);
  Edit8->Font().SetStyle(fsBold);
  SpeedButton2 = kit::Make<TSpeedButton>(this, GroupBox3, "SpeedButton2", 294, lineRow, 26, 22);
  SpeedButton2->SetCaption("...");
  Edit9 = line.Edit("Edit9", "Nama");
  const int relRow = line.Row("Hub.Keluarga");
  ComboBox2 = kit::MakeList(this, GroupBox3, "ComboBox2", 110, relRow, 140, {});
  for (const char* r : Relationships()) ComboBox2->Items().Add(r);
  Edit10 = line.Edit("Edit10", "Tp.Lahir");
  DateTimePicker2 = line.Picker("DateTimePicker2", "Tg.Lahir");
  const int memoRow = line.Row("Keterangan");
  Memo1 = kit::Make<TMemo>(this, GroupBox3, "Memo1", 110, memoRow, 290, 60);
  Button1 = kit::MakeButton(this, GroupBox3, "Button1", 110, memoRow + 70, 90, "Add");
  Button2 = kit::MakeButton(this, GroupBox3, "Button2", 210, memoRow + 70, 90, "Hapus");

  DBGrid1 = kit::Make<TDBGrid>(this, this, "DBGrid1", 8, 356, 844, 168);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("nij", "No.Induk", 130);
  DBGrid1->Columns().Add("nama", "Nama", 250);
  DBGrid1->Columns().Add("hubungan_keluarga", "Hub.Keluarga", 110);
  DBGrid1->Columns().Add("tmpt_lahir", "Tempat Lahir", 150);
  DBGrid1->Columns().Add("tgl_lahir", "Tgl.Lahir", 110);
  DBGrid1->SetDataSource(DM ? DM->DS_QTemp3 : nullptr);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 576, 860, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(400);

  for (auto [edit, column] : {std::pair{Edit2, "no_srt_masuk"}, {Edit4, "nama"}, {Edit5, "alamat_lama"},
                              {Edit6, "pindah_ke_dari_jemaat"}, {Edit7, "alamat_baru"}})
    kit::LimitLength(*edit, "attestasi", column);
  kit::LimitLength(*Edit9, "attestasi_detail", "nama");
  kit::LimitLength(*Edit10, "attestasi_detail", "tmpt_lahir");

  OnActivate = [this](TObject* s) { FormActivate(s); };
  Edit1->OnChange = [this](TObject* s) { Edit1Change(s); };
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
}

void TFAttestasi::LineToLookupState() {
  Edit8->Clear();
  Grey(Edit9);
  Grey(Edit10);
  DateTimePicker2->SetDateTime(rtl::Now());
  DateTimePicker2->SetEnabled(false);
  SpeedButton1->SetEnabled(true);
  SpeedButton2->SetEnabled(true);
}

void TFAttestasi::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_QTemp3) DBGrid1->SetDataSource(DM->DS_QTemp3);
  Edit1->SetText("[Auto]");
  DateTimePicker1->SetDateTime(rtl::Now());
  ComboBox1->SetItemIndex(0);
  Grey(Edit2);
  Edit3->Clear();
  Grey(Edit4);
  Grey(Edit5);
  Edit6->Clear();
  Edit7->Clear();
  Grey(Edit11);
  LineToLookupState();
  ComboBox2->SetItemIndex(0);
  Memo1->SetText("");
  DM->QTemp3->SQL.Clear();
  kit::SetSQL(*DM->Q1, {"truncate table attestasi_detail_temp"});
  DM->Q1->ExecSQL();
}

void TFAttestasi::ComboBox1Change(TObject*) {
  if (ComboBox1->ItemIndex() == 0) {
    Grey(Edit2);
    Edit3->Clear();
    Grey(Edit4);
    Grey(Edit5, false);
    Edit6->Clear();
    Grey(Edit11);
    LineToLookupState();
    return;
  }
  White(Edit2);
  Edit3->SetText(kIncoming);
  White(Edit4);
  White(Edit5);
  Edit8->SetText(kIncoming);
  White(Edit9);
  White(Edit10);
  Edit11->SetText("0");
  kit::SetEditable(*Edit11, false);
  DateTimePicker2->SetDateTime(rtl::Now());
  DateTimePicker2->SetEnabled(true);
  SpeedButton1->SetEnabled(false);
  SpeedButton2->SetEnabled(false);
  if (Edit2->Showing()) Edit2->SetFocus();
  kit::SetSQL(*DM->Q2, {"select * from gereja"});
  DM->Q2->Open();
  Edit6->SetText(DM->Q2->IsEmpty() ? "" : "KVRB " + DM->Q2->FieldByName("nama_gereja")->AsString());
}

void TFAttestasi::SpeedButton1Click(TObject*) {
  SpeedButton1->SetFlat(true);
  kit::OpenLookup("FCariNIJ", kMemberHint);
}

void TFAttestasi::SpeedButton2Click(TObject*) {
  SpeedButton2->SetFlat(true);
  kit::OpenLookup("FCariNIJ", kMemberHint);
}

void TFAttestasi::OpenLines() {
  kit::SetSQL(*DM->QTemp3, {"select * from attestasi_detail_temp"});
  DM->QTemp3->Open();
}

void TFAttestasi::Button1Click(TObject*) {
  if (Edit8->Text().empty() || Edit9->Text().empty()) {
    kit::Refuse("Maaf...Data belum lengkap");
    return;
  }
  data::TZQuery& q = *DM->Q2;
  kit::SetSQL(q, {"select * from attestasi_detail_temp", "where nij=:ni and nama=:na"});
  q.ParamByName("ni")->AsString(Edit8->Text());
  q.ParamByName("na")->AsString(Edit9->Text());
  q.Open();
  const bool exists = !q.IsEmpty();
  if (exists) {
    kit::SetSQL(q, {"update attestasi_detail_temp set hubungan_keluarga=:hk,tmpt_lahir=:tl,tgl_lahir=:tgll,keterangan=:ke",
                    "where nij=:ni and nama=:na"});
  } else {
    const int sector = rtl::StrToInt(Edit11->Text());
    kit::SetSQL(q, {"insert into attestasi_detail_temp(nij,nama,hubungan_keluarga,tmpt_lahir,tgl_lahir,sekpel,"
                    "keterangan)values(:ni,:na,:hk,:tl,:tgll,:se,:ke)"});
    q.ParamByName("se")->AsInteger(sector);
  }
  q.ParamByName("ni")->AsString(Edit8->Text());
  q.ParamByName("na")->AsString(Edit9->Text());
  q.ParamByName("hk")->AsString(kit::Chosen(*ComboBox2));
  q.ParamByName("tl")->AsString(Edit10->Text());
  q.ParamByName("tgll")->AsDate(DateTimePicker2->Date());
  q.ParamByName("ke")->AsString(Memo1->Text());
  q.ExecSQL();
  LineToLookupState();
  ComboBox2->SetItemIndex(0);
  Memo1->SetText("");
  OpenLines();
}

void TFAttestasi::Button2Click(TObject*) {
  if (!kit::Confirm("Anda yakin mau batalkan record ini ?")) return;
  data::TZQuery& lines = *DM->QTemp3;
  if (lines.IsEmpty()) return;
  // One line: its member number and name together (every incoming line carries the
  // same number, and two members may share a name).
  kit::SetSQL(*DM->Q8, {"delete from attestasi_detail_temp", "where nij=:ni and nama=:na"});
  DM->Q8->ParamByName("ni")->AsString(lines.FieldByName("nij")->AsString());
  DM->Q8->ParamByName("na")->AsString(lines.FieldByName("nama")->AsString());
  DM->Q8->ExecSQL();
  OpenLines();
}

void TFAttestasi::DBGrid1DblClick(TObject*) {
  data::TZQuery& lines = *DM->QTemp3;
  if (lines.IsEmpty()) return;
  Edit8->SetText(lines.FieldByName("nij")->AsString());
  Edit9->SetText(lines.FieldByName("nama")->AsString());
  kit::SelectExact(*ComboBox2, lines.FieldByName("hubungan_keluarga")->AsString());
  Edit10->SetText(lines.FieldByName("tmpt_lahir")->AsString());
  DateTimePicker2->SetDateTime(lines.FieldByName("tgl_lahir")->AsDateTime());
  Memo1->SetText(lines.FieldByName("keterangan")->AsString());
}

void TFAttestasi::Edit1Change(TObject*) {
  kit::LoadWorkLines(TransferLines(), Edit1->Text(), *StatusBar1);
  OpenLines();
  Screen->SetCursor(crDefault);
  StatusBar1->Panels()[0]->SetText("");
}

void TFAttestasi::SpeedButton6Click(TObject*) {
  data::TZQuery& q = *DM->Q5;
  kit::SetSQL(q, {"select * from attestasi", "where no_att=:na"});
  q.ParamByName("na")->AsString(Edit1->Text());
  q.Open();
  const bool stored = !q.IsEmpty();
  const std::string status = kit::Chosen(*ComboBox1);
  std::string number = Edit1->Text();
  int sector = 0;
  if (!stored) {
    sector = rtl::StrToInt(Edit11->Text());
    kit::SetSQL(*DM->Q7, {"select * from attestasi", "order by no_att"});
    DM->Q7->Open();
    try {
      number = rules::NextTransferNumber(kit::LastKey(*DM->Q7, "no_att"), rtl::Now());
    } catch (const rules::ENumberingError& e) {
      kit::Refuse(e.Message());
      return;
    }
  }
  OpenLines();
  data::TZQuery& lines = *DM->QTemp3;
  {
    // The transfer, the moved members' state and the lines are stored together.
    data::TTransaction save(*DM->ZConnection1);
    if (stored)
      kit::SetSQL(q, {"update attestasi set sts_att=:sa,tgl=:tgl,no_srt_masuk=:nsm,nij_nik=:nn,nama=:na,alamat_lama=:al,"
                      "pindah_ke_dari_jemaat=:pkdj,alamat_baru=:ab,username=:un",
                      "where no_att=:nat"});
    else
      kit::SetSQL(q, {"insert into attestasi(no_att,sts_att,tgl,no_srt_masuk,nij_nik,nama,alamat_lama,sekpel,"
                      "pindah_ke_dari_jemaat,alamat_baru,username)values(:nat,:sa,:tgl,:nsm,:nn,:na,:al,:se,:pkdj,:ab,"
                      ":un)"});
    q.ParamByName("nat")->AsString(number);
    q.ParamByName("sa")->AsString(status);
    q.ParamByName("tgl")->AsDate(DateTimePicker1->Date());
    q.ParamByName("nsm")->AsString(Edit2->Text());
    q.ParamByName("nn")->AsString(Edit3->Text());
    q.ParamByName("na")->AsString(Edit4->Text());
    q.ParamByName("al")->AsString(Edit5->Text());
    if (!stored) q.ParamByName("se")->AsInteger(sector);
    q.ParamByName("pkdj")->AsString(Edit6->Text());
    q.ParamByName("ab")->AsString(Edit7->Text());
    q.ParamByName("un")->AsString(kit::CurrentUserName());
    q.ExecSQL();
    if (status == "KELUAR") {
      std::vector<std::string> moved{Edit3->Text()};
      for (lines.First(); !lines.Eof(); lines.Next()) moved.push_back(lines.FieldByName("nij")->AsString());
      for (const std::string& nij : moved) {
        kit::SetSQL(q, {"update detail_kk set sts_hidup=:sh", "where nij=:ni"});
        q.ParamByName("sh")->AsString("Attestasi");
        q.ParamByName("ni")->AsString(nij);
        q.ExecSQL();
      }
    }
    if (stored) {
      kit::SetSQL(q, {"delete from attestasi_detail", "where no_att=:nat"});
      q.ParamByName("nat")->AsString(number);
      q.ExecSQL();
    }
    kit::InsertEachRow(lines, q,
                       "insert into attestasi_detail(no_att,nij,nama,hubungan_keluarga,tmpt_lahir,tgl_lahir,sekpel,"
                       "keterangan)values(:nat,:ni,:na,:hk,:tl,:tgll,:se,:ke)",
                       LineParams(), {"nat", number});
    save.Commit();
  }
  if (!stored) Edit1->SetText(number);
  kit::Inform(stored ? "Data Attestasi berhasil di-ubah" : "Data Attestasi berhasil di-input");
  FormActivate(this);
}

void TFAttestasi::SpeedButton7Click(TObject*) {
  if (auto* f = dynamic_cast<TCustomForm*>(Application->FindComponent("FCariAttestasi"))) f->ShowModal();
}
void TFAttestasi::SpeedButton8Click(TObject*) { FormActivate(this); }
void TFAttestasi::SpeedButton9Click(TObject*) { Close(); }

}  // namespace registry
