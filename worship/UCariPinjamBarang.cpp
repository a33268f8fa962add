#include "worship/UCariPinjamBarang.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "worship/UPeminjamanBarang.h"

namespace worship {

using namespace gui;
using app::DM;

TFCariPinjamBarang* FCariPinjamBarang = nullptr;

namespace {

const char* const kSelect =
    "select p.tgl,p.no_blanko,p.nij,p.nama,p.sekpel,p.keperluan,p.sts_lengkap,d.sts_pinjam,d.nama_barang,d.qty from "
    "pinjam_barang p,pinjam_barang_detail d";
const char* const kJoin = "where p.no_blanko=d.no_blanko";
const char* const kOrder = "order by p.no_blanko,p.tgl";

}  // namespace

// "Print" has nothing to print.
TFCariPinjamBarang::TFCariPinjamBarang(rtl::TComponent* owner)
    : TDocumentSearch(owner,
                      {"FCariPinjamBarang", "File >> Peminjaman Barang >> Pencarian", 760, 150, true, true},
                      {{"sts_pinjam", "Sts.Pinjam", 86},
                       {"tgl", "Tanggal", 80},
                       {"no_blanko", "No.Blanko", 140},
                       {"nama", "Nama", 200},
                       {"nama_barang", "Barang", 164},
                       {"qty", "Qty.", 50, true}}) {
  RadioButton1 = Criterion("RadioButton1", "Tanggal", 22);
  DateRange(22, "To");
  RadioButton2 = Criterion("RadioButton2", "Status Pinjam", 53);
  ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", kInputX, 53, 120, {"PINJAM", "KEMBALI"});
  RadioButton3 = Criterion("RadioButton3", "No.Blanko", 84);
  Edit1 = kit::MakeEdit(this, GroupBox1, "Edit1", kInputX, 84, 270);
  CheckBox1 = kit::Make<TCheckBox>(this, GroupBox1, "CheckBox1", 12, 117, 134, 20);
  CheckBox1->SetCaption("Filter Nama Barang");
  Edit2 = kit::MakeEdit(this, GroupBox1, "Edit2", kInputX, 115, 270);
  RadioButton1->OnClick = [this](TObject* o) { RadioButton1Click(o); };
  RadioButton2->OnClick = [this](TObject* o) { RadioButton2Click(o); };
  RadioButton3->OnClick = [this](TObject* o) { RadioButton3Click(o); };
  CheckBox1->OnClick = [this](TObject* o) { CheckBox1Click(o); };
}

void TFCariPinjamBarang::SetInputs(bool dates, bool status, bool number) {
  ResetDates(dates);
  ComboBox1->SetItemIndex(0);
  kit::SetInputEnabled(*ComboBox1, status);
  Edit1->Clear();
  kit::SetEditable(*Edit1, number);
}

void TFCariPinjamBarang::FormActivate(TObject*) {
  ShowRows();
  for (TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3}) r->SetChecked(false);
  SetInputs(false, false, false);
  CheckBox1->SetChecked(false);
  Edit2->Clear();
  kit::SetEditable(*Edit2, false);
  StatusBar1->Panels()[0]->SetText("");
  kit::SetSQL(*DM->Q3, {kSelect, kJoin, kOrder});
  DM->Q3->Open();
}

void TFCariPinjamBarang::RadioButton1Click(TObject*) {
  SetInputs(true, false, false);
  SayCriterion("Tanggal");
}

void TFCariPinjamBarang::RadioButton2Click(TObject*) {
  SetInputs(false, true, false);
  SayCriterion("Status Pinjam");
}

void TFCariPinjamBarang::RadioButton3Click(TObject*) {
  SetInputs(false, false, true);
  if (Edit1->Showing()) Edit1->SetFocus();
  SayCriterion("No.Blanko");
}

void TFCariPinjamBarang::CheckBox1Click(TObject*) {
  Edit2->Clear();
  kit::SetEditable(*Edit2, CheckBox1->Checked());
  if (CheckBox1->Checked() && Edit2->Showing()) {
    Edit2->SetFocus();
    Edit2->SelectAll();
  }
}

void TFCariPinjamBarang::Button1Click(TObject*) {
  data::TZQuery& q = *DM->Q3;
  const bool byName = CheckBox1->Checked();
  if (RadioButton1->Checked()) {
    if (byName)
      kit::SetSQL(q, {kSelect, kJoin, "and p.tgl>=:t1 and p.tgl<=:t2", "and d.nama_barang like :nb", kOrder});
    else
      kit::SetSQL(q, {kSelect, kJoin, "and p.tgl>=:t1 and p.tgl<=:t2", kOrder});
    q.ParamByName("t1")->AsDate(DateTimePicker1->Date());
    q.ParamByName("t2")->AsDate(DateTimePicker2->Date());
  } else if (RadioButton2->Checked()) {
    kit::SetSQL(q, {kSelect, kJoin, byName ? "and d.sts_pinjam=:sp and d.nama_barang like :nb" : "and d.sts_pinjam=:sp",
                    kOrder});
    q.ParamByName("sp")->AsString(kit::Chosen(*ComboBox1));
  } else if (RadioButton3->Checked()) {
    kit::SetSQL(q, {kSelect, kJoin, byName ? "and p.no_blanko=:no and d.nama_barang like :nb" : "and p.no_blanko=:no",
                    kOrder});
    q.ParamByName("no")->AsString(Edit1->Text());
  } else {
    kit::SetSQL(q, {kSelect, kJoin});
  }
  if (byName && (RadioButton1->Checked() || RadioButton2->Checked() || RadioButton3->Checked()))
    q.ParamByName("nb")->AsString("%" + Edit2->Text() + "%");
  q.Open();
}

void TFCariPinjamBarang::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin record ini mau dihapus?")) return;
  const std::string number = DM->Q3->IsEmpty() ? "" : DM->Q3->FieldByName("no_blanko")->AsString();
  for (const char* table : {"pinjam_barang", "pinjam_barang_detail"}) {
    kit::SetSQL(*DM->Q1, {std::string("delete from ") + table, "where no_blanko=:no"});
    DM->Q1->ParamByName("no")->AsString(number);
    DM->Q1->ExecSQL();
  }
  FormActivate(this);
}

void TFCariPinjamBarang::DBGrid1DblClick(TObject*) {
  data::TZQuery& row = *DM->Q3;
  if (row.IsEmpty()) return;
  if (row.FieldByName("sts_lengkap")->AsString() == "Ya") {
    kit::Refuse("Maaf...Status Peminjaman barang sudah lengkap, jadi data tidak bisa diakses kembali");
    return;
  }
  TFPeminjamanBarang* f = FPeminjamanBarang;
  if (!f) return;
  const std::string number = row.FieldByName("no_blanko")->AsString();
  // The borrower's kind as stored, put back without its change handler (which would
  // empty the borrower): a save then keeps a minister's, vicar's or student's loan.
  kit::SetSQL(*DM->Q1, {"select sts_peminjam from pinjam_barang", "where no_blanko=:no"});
  DM->Q1->ParamByName("no")->AsString(number);
  DM->Q1->Open();
  if (!DM->Q1->IsEmpty()) kit::SelectExact(*f->ComboBox2, DM->Q1->FieldByName("sts_peminjam")->AsString());
  f->Edit2->SetText(rtl::DateToStr(row.FieldByName("tgl")->AsDateTime()));
  const std::string status = row.FieldByName("sts_pinjam")->AsString();
  if (status == "PINJAM") f->ComboBox1->SetItemIndex(0);
  else if (status == "KEMBALI") f->ComboBox1->SetItemIndex(1);
  f->Edit3->SetText(row.FieldByName("nij")->AsString());
  f->Edit4->SetText(row.FieldByName("nama")->AsString());
  f->Edit5->SetText(row.FieldByName("sekpel")->IsNull() ? "" : rtl::IntToStr(row.FieldByName("sekpel")->AsInteger()));
  f->Edit6->SetText(row.FieldByName("keperluan")->AsString());
  f->Edit1->SetText(number);  // loads the form's lines
  Close();
}

}  // namespace worship
