#include "worship/UPeminjamanBarang.h"

#include "app/UDM.h"
#include "data/Transaction.h"
#include "kit/CurrentUser.h"
#include "kit/FormKit.h"
#include "kit/Lines.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "registry/rules/Numbering.h"
#include "rtl/SysUtils.h"
#include "worship/rules/Documents.h"

namespace worship {

using namespace gui;
using app::DM;

TFPeminjamanBarang* FPeminjamanBarang = nullptr;

namespace {

const kit::TWorkLines& LoanLines() {
  static const kit::TWorkLines lines{
      "pinjam_barang_detail_temp",
      {"select * from pinjam_barang_detail", "where no_blanko=:nb"},
      "nb",
      "insert into pinjam_barang_detail_temp(nama_barang,qty,sts_pinjam,kondisi_pinjam,kondisi_kembali)values(:nb,:qty,"
      ":sp,:kp,:kk)",
      {{"nb", "nama_barang"},
       {"qty", "qty", kit::TLineValue::Integer},
       {"sp", "sts_pinjam"},
       {"kp", "kondisi_pinjam"},
       {"kk", "kondisi_kembali"}}};
  return lines;
}

// The lookup of each borrower kind and its hint.
struct TBorrowerLookup {
  const char* kind;
  const char* lookup;
  const char* hint;
};
constexpr TBorrowerLookup kBorrowers[] = {
    {"Jemaat", "FCariNIJ", "[Ketik Nama Jemaat Disini]"},
    {"Pendeta", "FCariNIP", "[Ketik Nama Pendeta Disini]"},
    {"Vikaris", "FCariNIV", "[Ketik Nama Vikaris Disini]"},
    {"Mahasiswa Praktek", "FCariNIMPra", "[Ketik Nama Mahasiswa Praktek Disini]"},
};

}  // namespace

TFPeminjamanBarang::TFPeminjamanBarang(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FPeminjamanBarang", .caption = "File >> Peminjaman Barang", .width = 720,
                         .height = 640});
  Panel1 = kit::MakeActionBar(*this, "Panel1", 48,
                              {{&SpeedButton6, "SpeedButton6", "Simpan", [this](TObject* s) { SpeedButton6Click(s); }},
                               {&SpeedButton7, "SpeedButton7", "Cari", [this](TObject* s) { SpeedButton7Click(s); }},
                               {&SpeedButton8, "SpeedButton8", "Reset Form",
                                [this](TObject* s) { SpeedButton8Click(s); }},
                               {&SpeedButton9, "SpeedButton9", "Close", [this](TObject* s) { SpeedButton9Click(s); }}},
                              7);

  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 8, 6, 704, 264, " Blanko ");
  kit::TRows head{.owner = this, .group = GroupBox1, .inputX = 130, .inputW = 400, .y = 20, .step = 29};
  Edit1 = head.Edit("Edit1", "Nomor", false, true, 200);
  Edit1->SetText("Edit1");  // the layout's placeholder
  Edit2 = head.Edit("Edit2", "Tanggal", false, true, 120);
  ComboBox2 = head.List("ComboBox2", "Peminjam", {"Jemaat", "Pendeta", "Vikaris", "Mahasiswa Praktek"}, 180);
  const int numberRow = head.Row("No.Induk");
  Edit3 = kit::MakeEdit(this, GroupBox1, "Edit3", 130, numberRow, 180, false, true);
  SpeedButton1 = kit::Make<TSpeedButton>(this, GroupBox1, "SpeedButton1", 314, numberRow, 26, 22);
  SpeedButton1->SetCaption("...");
  Edit4 = head.Edit("Edit4", "Nama", true, true);
  Edit5 = head.Edit("Edit5", "SekPel", false, true, 60);
  Edit6 = head.Edit("Edit6", "Keperluan");
  head.Radios("Kembali Lengkap ?", {{&RadioButton1, "RadioButton1", "Ya"}, {&RadioButton2, "RadioButton2", "Tidak"}});

  GroupBox2 = kit::MakeGroup(this, this, "GroupBox2", 8, 274, 704, 292, " Barang ");
  kit::MakeLabel(this, GroupBox2, "LabelStatus", 10, 23, "Status");
  ComboBox1 = kit::MakeList(this, GroupBox2, "ComboBox1", 100, 20, 100, {"PINJAM", "KEMBALI"});
  kit::MakeLabel(this, GroupBox2, "LabelBarang", 220, 23, "Nama Barang");
  Edit7 = kit::MakeEdit(this, GroupBox2, "Edit7", 310, 20, 250);
  kit::MakeLabel(this, GroupBox2, "LabelQty", 580, 23, "Qty.");
  Edit8 = kit::MakeEdit(this, GroupBox2, "Edit8", 620, 20, 70);
  kit::MakeLabel(this, GroupBox2, "LabelKondisiPinjam", 10, 52, "Kondisi Pinjam");
  Edit9 = kit::MakeEdit(this, GroupBox2, "Edit9", 100, 49, 220);
  kit::MakeLabel(this, GroupBox2, "LabelKondisiKembali", 340, 52, "Kondisi Kembali");
  Edit10 = kit::MakeEdit(this, GroupBox2, "Edit10", 440, 49, 250);
  Button1 = kit::MakeButton(this, GroupBox2, "Button1", 100, 80, 100, "Add/Update");
  Button2 = kit::MakeButton(this, GroupBox2, "Button2", 210, 80, 100, "Hapus");
  DBGrid1 = kit::Make<TDBGrid>(this, GroupBox2, "DBGrid1", 10, 114, 684, 168);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("sts_pinjam", "Status", 80);
  DBGrid1->Columns().Add("nama_barang", "Barang", 200);
  DBGrid1->Columns().Add("qty", "Qty.", 50)->Alignment = TAlignment::taRightJustify;
  DBGrid1->Columns().Add("kondisi_pinjam", "Kondisi Pinjam", 160);
  DBGrid1->Columns().Add("kondisi_kembali", "Kondisi Kembali", 160);
  DBGrid1->SetDataSource(DM ? DM->DS_QTemp4 : nullptr);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 616, 720, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(400);

  kit::LimitLength(*Edit6, "pinjam_barang", "keperluan");
  kit::LimitLength(*Edit7, "pinjam_barang_detail", "nama_barang");
  kit::LimitLength(*Edit9, "pinjam_barang_detail", "kondisi_pinjam");
  kit::LimitLength(*Edit10, "pinjam_barang_detail", "kondisi_kembali");

  OnActivate = [this](TObject* s) { FormActivate(s); };
  Edit1->OnChange = [this](TObject* s) { Edit1Change(s); };
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  ComboBox2->OnChange = [this](TObject* s) { ComboBox2Change(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
}

void TFPeminjamanBarang::ResetLineInputs() {
  ComboBox1->SetItemIndex(0);
  Edit7->Clear();
  Edit8->SetText("0");
  Edit9->Clear();
  kit::SetEditable(*Edit9, true);
  Edit10->Clear();
  kit::SetEditable(*Edit10, false);
}

void TFPeminjamanBarang::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_QTemp4) DBGrid1->SetDataSource(DM->DS_QTemp4);
  Edit1->SetText("[Auto]");
  Edit2->SetText(rtl::DateToStr(rtl::Date()));
  for (TEdit* e : {Edit3, Edit4, Edit5, Edit6}) e->Clear();
  ComboBox2->SetItemIndex(0);
  ResetLineInputs();
  RadioButton2->SetChecked(true);
  kit::SetSQL(*DM->Q1, {"truncate table pinjam_barang_detail_temp"});
  DM->Q1->ExecSQL();
  DM->QTemp4->SQL.Clear();
}

void TFPeminjamanBarang::OpenLines() {
  kit::SetSQL(*DM->QTemp4, {"select * from pinjam_barang_detail_temp"});
  DM->QTemp4->Open();
}

void TFPeminjamanBarang::Edit1Change(TObject*) {
  kit::LoadWorkLines(LoanLines(), Edit1->Text(), *StatusBar1);
  OpenLines();
  Screen->SetCursor(crDefault);
  StatusBar1->Panels()[0]->SetText("");
}

void TFPeminjamanBarang::ComboBox1Change(TObject*) {
  const bool lending = kit::Chosen(*ComboBox1) == "PINJAM";
  if (lending) Edit9->Clear();
  else Edit10->Clear();
  kit::SetEditable(*Edit9, lending);
  kit::SetEditable(*Edit10, !lending);
}

void TFPeminjamanBarang::ComboBox2Change(TObject*) {
  for (TEdit* e : {Edit3, Edit4, Edit5}) e->Clear();
}

void TFPeminjamanBarang::SpeedButton1Click(TObject*) {
  const std::string kind = kit::Chosen(*ComboBox2);
  for (const TBorrowerLookup& b : kBorrowers)
    if (kind == b.kind) {
      SpeedButton1->SetFlat(true);
      kit::OpenLookup(b.lookup, b.hint);
      return;
    }
}

void TFPeminjamanBarang::Button1Click(TObject*) {
  const int qty = rtl::StrToInt(Edit8->Text());
  const std::string status = kit::Chosen(*ComboBox1);
  kit::SetSQL(*DM->Q2, {"select * from pinjam_barang_detail_temp", "where sts_pinjam=:sp and nama_barang=:nb"});
  DM->Q2->ParamByName("sp")->AsString(status);
  DM->Q2->ParamByName("nb")->AsString(Edit7->Text());
  DM->Q2->Open();
  if (DM->Q2->IsEmpty())
    kit::SetSQL(*DM->Q2, {"insert into pinjam_barang_detail_temp(sts_pinjam,nama_barang,qty,kondisi_pinjam,"
                          "kondisi_kembali)values(:sp,:nb,:qty,:kp,:kk)"});
  else
    kit::SetSQL(*DM->Q2, {"update pinjam_barang_detail_temp set qty=:qty,kondisi_pinjam=:kp,kondisi_kembali=:kk",
                          "where sts_pinjam=:sp and nama_barang=:nb"});
  DM->Q2->ParamByName("sp")->AsString(status);
  DM->Q2->ParamByName("nb")->AsString(Edit7->Text());
  DM->Q2->ParamByName("qty")->AsInteger(qty);
  DM->Q2->ParamByName("kp")->AsString(Edit9->Text());
  DM->Q2->ParamByName("kk")->AsString(Edit10->Text());
  DM->Q2->ExecSQL();
  ResetLineInputs();
  OpenLines();
}

void TFPeminjamanBarang::Button2Click(TObject*) {
  if (!kit::Confirm("Anda yakin mau batalkan record ini ?")) return;
  data::TZQuery& lines = *DM->QTemp4;
  kit::SetSQL(*DM->Q8, {"delete from pinjam_barang_detail_temp", "where sts_pinjam=:sp and nama_barang=:nb"});
  DM->Q8->ParamByName("sp")->AsString(lines.IsEmpty() ? "" : lines.FieldByName("sts_pinjam")->AsString());
  DM->Q8->ParamByName("nb")->AsString(lines.IsEmpty() ? "" : lines.FieldByName("nama_barang")->AsString());
  DM->Q8->ExecSQL();
  OpenLines();
}

void TFPeminjamanBarang::DBGrid1DblClick(TObject*) {
  data::TZQuery& lines = *DM->QTemp4;
  if (lines.IsEmpty()) return;
  const std::string status = lines.FieldByName("sts_pinjam")->AsString();
  if (status == "PINJAM") ComboBox1->SetItemIndex(0);
  else if (status == "KEMBALI") ComboBox1->SetItemIndex(1);
  Edit7->SetText(lines.FieldByName("nama_barang")->AsString());
  Edit8->SetText(lines.FieldByName("qty")->AsString());
  Edit9->SetText(lines.FieldByName("kondisi_pinjam")->AsString());
  Edit10->SetText(lines.FieldByName("kondisi_kembali")->AsString());
  if (ComboBox1->Showing()) ComboBox1->SetFocus();
}

void TFPeminjamanBarang::SpeedButton6Click(TObject*) {
  // A form lends or takes back at least one item.
  OpenLines();
  if (DM->QTemp4->IsEmpty()) {
    kit::Refuse("Maaf...Data Barang masih kosong");
    return;
  }
  // Every value is converted before anything is written. A borrower who is no member
  // has no sector: 0 is stored for it.
  const rtl::TDateTime day = rtl::StrToDate(Edit2->Text());
  const bool member = kit::Chosen(*ComboBox2) == "Jemaat";
  const int sector = !member && Edit5->Text().empty() ? 0 : rtl::StrToInt(Edit5->Text());

  data::TZQuery& q = *DM->Q3;
  kit::SetSQL(q, {"select no_blanko from pinjam_barang", "where no_blanko=:no"});
  q.ParamByName("no")->AsString(Edit1->Text());
  q.Open();
  const bool stored = !q.IsEmpty();
  std::string number = Edit1->Text();
  if (!stored) {
    kit::SetSQL(*DM->Q1, {"select * from pinjam_barang"});
    DM->Q1->Open();
    try {
      number = rules::NextLoanNumber(kit::LastKey(*DM->Q1, "no_blanko"), rtl::Now());
    } catch (const registry::rules::ENumberingError& e) {
      kit::Refuse(e.Message());
      return;
    }
  }
  {
    // The form and its lines are stored together.
    data::TTransaction save(*DM->ZConnection1);
    if (stored)
      kit::SetSQL(q, {"update pinjam_barang set tgl=:tgl,sts_peminjam=:sp,nij=:nij,nama=:na,keperluan=:ke,sekpel=:se,"
                      "sts_lengkap=:sl,username=:un",
                      "where no_blanko=:no"});
    else
      kit::SetSQL(q, {"insert into pinjam_barang(no_blanko,tgl,sts_peminjam,nij,nama,keperluan,sekpel,sts_lengkap,"
                      "username)values(:no,:tgl,:sp,:nij,:na,:ke,:se,:sl,:un)"});
    q.ParamByName("no")->AsString(number);
    q.ParamByName("tgl")->AsDate(day);
    q.ParamByName("sp")->AsString(kit::Chosen(*ComboBox2));
    q.ParamByName("nij")->AsString(Edit3->Text());
    q.ParamByName("na")->AsString(Edit4->Text());
    q.ParamByName("ke")->AsString(Edit6->Text());
    q.ParamByName("se")->AsInteger(sector);
    if (RadioButton1->Checked()) q.ParamByName("sl")->AsString("Ya");
    else if (RadioButton2->Checked()) q.ParamByName("sl")->AsString("Tidak");
    q.ParamByName("un")->AsString(kit::CurrentUserName());
    q.ExecSQL();
    if (stored) {
      kit::SetSQL(*DM->Q5, {"delete from pinjam_barang_detail", "where no_blanko=:no"});
      DM->Q5->ParamByName("no")->AsString(number);
      DM->Q5->ExecSQL();
    }
    kit::InsertEachRow(*DM->QTemp4, q,
                       "insert into pinjam_barang_detail(no_blanko,nama_barang,qty,sts_pinjam,kondisi_pinjam,"
                       "kondisi_kembali)values(:no,:nb,:qty,:sp,:kp,:kk)",
                       {{"nb", "nama_barang"},
                        {"qty", "qty", kit::TLineValue::Integer},
                        {"sp", "sts_pinjam"},
                        {"kp", "kondisi_pinjam"},
                        {"kk", "kondisi_kembali"}},
                       {"no", number});
    save.Commit();
  }
  if (!stored) Edit1->SetText(number);
  kit::Inform(stored ? "Data Peminjaman Barang berhasil di-ubah" : "Data Peminjaman Barang berhasil di-input");
  FormActivate(this);
}

void TFPeminjamanBarang::SpeedButton7Click(TObject*) {
  if (auto* f = dynamic_cast<TCustomForm*>(Application->FindComponent("FCariPinjamBarang"))) f->ShowModal();
}
void TFPeminjamanBarang::SpeedButton8Click(TObject*) { FormActivate(this); }
void TFPeminjamanBarang::SpeedButton9Click(TObject*) { Close(); }

}  // namespace worship
