#include "worship/UMPAG.h"

#include "app/UDM.h"
#include "data/Transaction.h"
#include "kit/CurrentUser.h"
#include "kit/FormKit.h"
#include "kit/Lines.h"
#include "kit/Records.h"
#include "registry/rules/Numbering.h"
#include "rtl/SysUtils.h"
#include "worship/QRKwitansiMPAG.h"
#include "worship/rules/Documents.h"

namespace worship {

using namespace gui;
using app::DM;

TFMPAG* FMPAG = nullptr;

namespace {

constexpr const char* kDefaultNominal = "50000";
constexpr const char* kLinesSelect = "select m.nij,d.nama_gabung,d.sex,d.sekpel,m.nominal from mpag_detail_temp m,detail_kk d";

const kit::TWorkLines& PaymentLines() {
  static const kit::TWorkLines lines{
      "mpag_detail_temp",
      {"select m.nij,d.nama_gabung,d.sex,d.sekpel,m.nominal from mpag_detail m,detail_kk d", "where d.nij=m.nij",
       "and m.no_kwitansi=:nk"},
      "nk",
      "insert into mpag_detail_temp(nij,nominal)values(:ni,:no)",
      {{"ni", "nij"}, {"no", "nominal", kit::TLineValue::Float}}};
  return lines;
}

}  // namespace

TFMPAG::TFMPAG(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FMPAG", .caption = "File >> Pembayaran MPAG", .width = 640, .height = 560});
  Panel1 = kit::MakeActionBar(
      *this, "Panel1", 48,
      {{&SpeedButton5, "SpeedButton5", "Simpan", [this](TObject* s) { SpeedButton5Click(s); }},
       {&SpeedButton6, "SpeedButton6", "Cari", [this](TObject* s) { SpeedButton6Click(s); }},
       {&SpeedButton7, "SpeedButton7", "Reset Form", [this](TObject* s) { SpeedButton7Click(s); }},
       {&SpeedButton8, "SpeedButton8", "Close", [this](TObject* s) { SpeedButton8Click(s); }},
       {&SpeedButton4, "SpeedButton4", "Cetak Kwitansi", [this](TObject* s) { SpeedButton4Click(s); }, 120}},
      7);

  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 8, 6, 624, 90, " MPAG ");
  kit::MakeLabel(this, GroupBox1, "Label1", 10, 23, "No.Kwitansi");
  Edit1 = kit::MakeEdit(this, GroupBox1, "Edit1", 100, 20, 250, true, true);
  Edit1->SetText("Edit1");  // the layout's placeholder: the first activation is a change
  kit::MakeLabel(this, GroupBox1, "Label2", 370, 23, "Periode");
  ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", 470, 20, 140, {});
  for (const char* p : rules::DuesPeriods()) ComboBox1->Items().Add(p);
  kit::MakeLabel(this, GroupBox1, "Label3", 10, 55, "Tgl.Bayar");
  DateTimePicker1 = kit::MakePicker(this, GroupBox1, "DateTimePicker1", 100, 52, 130);
  DateTimePicker1->SetEnabled(false);
  kit::MakeLabel(this, GroupBox1, "Label4", 370, 55, "Total Nominal");
  Edit2 = kit::MakeEdit(this, GroupBox1, "Edit2", 470, 52, 140, false, true);
  Edit2->Alignment = TAlignment::taRightJustify;

  GroupBox2 = kit::MakeGroup(this, this, "GroupBox2", 8, 100, 624, 380, " Detail Pembayaran ");
  kit::MakeLabel(this, GroupBox2, "Label5", 10, 23, "NIJ");
  Edit3 = kit::MakeEdit(this, GroupBox2, "Edit3", 100, 20, 160, false, true);
  SpeedButton1 = kit::Make<TSpeedButton>(this, GroupBox2, "SpeedButton1", 264, 20, 26, 22);
  SpeedButton1->SetCaption("...");
  kit::MakeLabel(this, GroupBox2, "Label6", 10, 52, "Nama Jemaat");
  Edit4 = kit::MakeEdit(this, GroupBox2, "Edit4", 100, 49, 380, false, true);
  kit::MakeLabel(this, GroupBox2, "Label7", 10, 81, "Nominal");
  kit::MakeLabel(this, GroupBox2, "Label8", 100, 81, "Rp");
  Edit5 = kit::MakeEdit(this, GroupBox2, "Edit5", 124, 78, 136, false, true);
  CheckBox1 = kit::Make<TCheckBox>(this, GroupBox2, "CheckBox1", 270, 80, 80, 20);
  CheckBox1->SetCaption("Default");
  Button1 = kit::MakeButton(this, GroupBox2, "Button1", 400, 76, 80, "Add");
  Button2 = kit::MakeButton(this, GroupBox2, "Button2", 490, 76, 80, "Batal");
  DBGrid1 = kit::Make<TDBGrid>(this, GroupBox2, "DBGrid1", 10, 112, 604, 258);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("nij", "NIJ", 120);
  DBGrid1->Columns().Add("nama_gabung", "Nama", 220);
  DBGrid1->Columns().Add("sex", "Sex", 70);
  DBGrid1->Columns().Add("sekpel", "SekPel", 60);
  DBGrid1->Columns().Add("nominal", "Nominal", 100)->Alignment = TAlignment::taRightJustify;
  DBGrid1->SetDataSource(DM ? DM->DS_QMPAGTemp : nullptr);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 536, 640, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(400);

  OnActivate = [this](TObject* s) { FormActivate(s); };
  Edit1->OnChange = [this](TObject* s) { Edit1Change(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  CheckBox1->OnClick = [this](TObject* s) { CheckBox1Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
}

void TFMPAG::ResetLineInputs() {
  Edit3->Clear();
  Edit4->Clear();
  Edit5->SetText(kDefaultNominal);
  kit::SetEditable(*Edit5, false);
  CheckBox1->SetChecked(true);
}

void TFMPAG::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_QMPAGTemp) DBGrid1->SetDataSource(DM->DS_QMPAGTemp);
  // Every activation starts a new payment with an empty work table, also when the
  // number field already shows the placeholder.
  const bool same = Edit1->Text() == "[AUTO]";
  Edit1->SetText("[Auto]");
  if (same) Edit1Change(this);
  ComboBox1->SetItemIndex(0);
  DateTimePicker1->SetDateTime(rtl::Now());
  Edit2->SetText("0");
  ResetLineInputs();
}

void TFMPAG::OpenLines() {
  kit::SetSQL(*DM->QMPAGTemp, {kLinesSelect, "where d.nij=m.nij"});
  DM->QMPAGTemp->Open();
}

void TFMPAG::RecomputeTotal() {
  kit::SetSQL(*DM->Q2, {"select sum(nominal) as total from mpag_detail_temp"});
  DM->Q2->Open();
  total_ = DM->Q2->FieldByName("total")->AsFloat();
  Edit2->SetText(rules::TotalText(total_));
}

void TFMPAG::Edit1Change(TObject*) {
  kit::LoadWorkLines(PaymentLines(), Edit1->Text(), *StatusBar1);
  OpenLines();
  Screen->SetCursor(crDefault);
  StatusBar1->Panels()[0]->SetText("");
}

void TFMPAG::SpeedButton1Click(TObject*) {
  SpeedButton1->SetFlat(true);
  kit::OpenLookup("FCariNIJ", "[Ketik Nama Jemaat Disini]");
}

void TFMPAG::CheckBox1Click(TObject*) {
  kit::SetEditable(*Edit5, !CheckBox1->Checked());
  if (!CheckBox1->Checked() && Edit5->Showing()) {
    Edit5->SetFocus();
    Edit5->SelectAll();
  }
}

void TFMPAG::Button1Click(TObject*) {
  if (Edit3->Text().empty() || Edit4->Text().empty()) {
    kit::Refuse("Maaf...NIJ dan Nama tidak boleh kosong");
    return;
  }
  kit::SetSQL(*DM->Q2, {"select * from mpag_detail_temp", "where nij=:ni"});
  DM->Q2->ParamByName("ni")->AsString(Edit3->Text());
  DM->Q2->Open();
  if (!DM->Q2->IsEmpty()) {
    kit::Refuse("Maaf...NIJ tidak dapat diinput 2(dua) kali");
    return;
  }
  const double nominal = rtl::StrToFloat(Edit5->Text());
  kit::SetSQL(*DM->Q2, {"insert into mpag_detail_temp(nij,nominal)values(:ni,:no)"});
  DM->Q2->ParamByName("ni")->AsString(Edit3->Text());
  DM->Q2->ParamByName("no")->AsFloat(nominal);
  DM->Q2->ExecSQL();
  ResetLineInputs();
  OpenLines();
  RecomputeTotal();
}

void TFMPAG::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin mau batalkan record ini?")) return;
  const std::string nij = DM->QMPAGTemp->IsEmpty() ? "" : DM->QMPAGTemp->FieldByName("nij")->AsString();
  kit::SetSQL(*DM->Q2, {"delete from mpag_detail_temp", "where nij=:ni"});
  DM->Q2->ParamByName("ni")->AsString(nij);
  DM->Q2->ExecSQL();
  OpenLines();
  RecomputeTotal();
}

void TFMPAG::SpeedButton5Click(TObject*) {
  // A payment holds at least one member's amount: no receipt for nothing.
  if (DM->QMPAGTemp->IsEmpty()) {
    kit::Refuse("Maaf...Detail Pembayaran masih kosong");
    return;
  }
  // The stored total is the sum of the lines stored with it.
  RecomputeTotal();
  const std::string period = kit::Chosen(*ComboBox1);
  data::TZQuery& q = *DM->Q4;
  kit::SetSQL(q, {"select * from mpag", "where no_kwitansi=:nk"});
  q.ParamByName("nk")->AsString(Edit1->Text());
  q.Open();
  const bool stored = !q.IsEmpty();
  std::string number = Edit1->Text();
  if (!stored) {
    kit::SetSQL(q, {"select * from mpag"});
    q.Open();
    try {
      number = rules::NextReceiptNumber(kit::LastKey(q, "no_kwitansi"), period, rtl::Now());
    } catch (const registry::rules::ENumberingError& e) {
      kit::Refuse(e.Message());
      return;
    }
  }
  {
    // The payment and its lines are stored together: a failure halfway keeps what was
    // stored before.
    data::TTransaction save(*DM->ZConnection1);
    if (stored)
      kit::SetSQL(q, {"update mpag set periode=:pe,tgl_bayar=:tb,total_nominal=:tn,username=:un",
                      "where no_kwitansi=:nk"});
    else
      kit::SetSQL(q, {"insert into mpag(no_kwitansi,periode,tgl_bayar,total_nominal,username)values(:nk,:pe,:tb,:tn,:un)"});
    q.ParamByName("nk")->AsString(number);
    q.ParamByName("pe")->AsString(period);
    q.ParamByName("tb")->AsDate(DateTimePicker1->Date());
    q.ParamByName("tn")->AsFloat(total_);
    q.ParamByName("un")->AsString(kit::CurrentUserName());
    q.ExecSQL();
    if (stored) {
      kit::SetSQL(q, {"delete from mpag_detail", "where no_kwitansi=:nk"});
      q.ParamByName("nk")->AsString(number);
      q.ExecSQL();
    }
    kit::InsertEachRow(*DM->QMPAGTemp, q, "insert into mpag_detail(no_kwitansi,nij,nominal)values(:nk,:ni,:no)",
                       {{"ni", "nij"}, {"no", "nominal", kit::TLineValue::Float}}, {"nk", number});
    save.Commit();
  }
  if (!stored) Edit1->SetText(number);
  kit::Inform(stored ? "Data Pembayaran MPAG berhasil di-ubah" : "Data Pembayaran MPAG berhasil di-input");
  FormActivate(this);
}

void TFMPAG::SpeedButton6Click(TObject*) {
  if (auto* f = dynamic_cast<TCustomForm*>(Application->FindComponent("FCariMPAG"))) f->ShowModal();
}
void TFMPAG::SpeedButton7Click(TObject*) { FormActivate(this); }
void TFMPAG::SpeedButton8Click(TObject*) { Close(); }

void TFMPAG::LoadPayment(data::TZQuery& row) {
  if (row.IsEmpty()) return;
  kit::SelectExact(*ComboBox1, row.FieldByName("periode")->AsString());
  DateTimePicker1->SetDateTime(row.FieldByName("tgl_bayar")->AsDateTime());
  Edit1->SetText(row.FieldByName("no_kwitansi")->AsString());  // loads the lines
  RecomputeTotal();
}

void TFMPAG::SpeedButton4Click(TObject*) {
  auto* receipt = dynamic_cast<TFQRKwitansiMPAG*>(Application->FindComponent("FQRKwitansiMPAG"));
  if (!receipt) return;
  receipt->QRLabel10->SetCaption(Edit1->Text());
  kit::SetSQL(*DM->Q1, {"select nama_gereja from gereja"});
  DM->Q1->Open();
  const std::string church = DM->Q1->IsEmpty() ? "" : DM->Q1->FieldByName("nama_gereja")->AsString();
  receipt->QRLabel11->SetCaption("Kantor Gereja " + church);
  receipt->QRLabel23->SetCaption(church);
  kit::SetSQL(*DM->Q1, {"select sum(nominal) as nominal from mpag_detail_temp"});
  DM->Q1->Open();
  receipt->QRLabel12->SetCaption(rules::AmountInWords(DM->Q1->FieldByName("nominal")->AsFloat()) + " rupiah");
  receipt->QRLabel15->SetCaption(Edit2->Text());
  kit::SetSQL(*DM->Q1, {"select nama from user", "where username=:un"});
  DM->Q1->ParamByName("un")->AsString(kit::CurrentUserName());
  DM->Q1->Open();
  receipt->QRLabel18->SetCaption(DM->Q1->IsEmpty() ? "" : DM->Q1->FieldByName("nama")->AsString());
  receipt->QRLabel13->SetCaption("Iuran Taman Makam Kristen Wendaru MPAG Periode " + kit::Chosen(*ComboBox1));
  receipt->Preview();
}

}  // namespace worship
