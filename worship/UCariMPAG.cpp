#include "worship/UCariMPAG.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "worship/UMPAG.h"
#include "worship/rules/Documents.h"

namespace worship {

using namespace gui;
using app::DM;

TFCariMPAG* FCariMPAG = nullptr;

namespace {

const char* const kSelect =
    "select m.no_kwitansi,m.periode,m.tgl_bayar,t.nij,d.nama_gabung,t.nominal from mpag m,detail_kk d,mpag_detail t";

}  // namespace

TFCariMPAG::TFCariMPAG(rtl::TComponent* owner)
    : TDocumentSearch(owner,
                      {"FCariMPAG", "File >> Pembayaran MPAG >> Pencarian", 720, 122, false, false},
                      {{"no_kwitansi", "No.Kwitansi", 262},
                       {"periode", "Periode", 80},
                       {"tgl_bayar", "Tgl.Bayar", 80},
                       {"nama_gabung", "Nama", 170},
                       {"nominal", "Nominal", 90, true}}) {
  RadioButton1 = Criterion("RadioButton1", "No.Kwitansi", 22);
  Edit1 = kit::MakeEdit(this, GroupBox1, "Edit1", kInputX, 22, 270, true);
  RadioButton2 = Criterion("RadioButton2", "Tgl.Bayar", 54);
  DateRange(54, "to");
  RadioButton3 = Criterion("RadioButton3", "Periode/Nama", 86);
  ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", kInputX, 86, 100, {});
  for (const char* p : rules::DuesPeriods()) ComboBox1->Items().Add(p);
  Edit2 = kit::MakeEdit(this, GroupBox1, "Edit2", kInputX + 106, 86, 164, true);
  RadioButton1->OnClick = [this](TObject* o) { RadioButton1Click(o); };
  RadioButton2->OnClick = [this](TObject* o) { RadioButton2Click(o); };
  RadioButton3->OnClick = [this](TObject* o) { RadioButton3Click(o); };
}

void TFCariMPAG::SetInputs(bool number, bool dates, bool periodName) {
  Edit1->Clear();
  kit::SetInputEnabled(*Edit1, number);
  ResetDates(dates);
  ComboBox1->SetItemIndex(0);
  kit::SetInputEnabled(*ComboBox1, periodName);
  Edit2->Clear();
  kit::SetInputEnabled(*Edit2, periodName);
}

void TFCariMPAG::FormActivate(TObject*) {
  ShowRows();
  for (TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3}) r->SetChecked(false);
  SetInputs(false, false, false);
  kit::SetSQL(*DM->Q3, {kSelect, "where d.nij=t.nij", "and m.no_kwitansi=t.no_kwitansi"});
  DM->Q3->Open();
}

void TFCariMPAG::RadioButton1Click(TObject*) {
  SetInputs(true, false, false);
  if (Edit1->Showing()) Edit1->SetFocus();
}
void TFCariMPAG::RadioButton2Click(TObject*) { SetInputs(false, true, false); }
void TFCariMPAG::RadioButton3Click(TObject*) { SetInputs(false, false, true); }

void TFCariMPAG::Button1Click(TObject*) {
  data::TZQuery& q = *DM->Q3;
  if (RadioButton1->Checked()) {
    kit::SetSQL(q, {kSelect, "where d.nij=t.nij", "and m.no_kwitansi=t.no_kwitansi", "and m.no_kwitansi like :nk"});
    q.ParamByName("nk")->AsString("%" + Edit1->Text() + "%");
  } else if (RadioButton2->Checked()) {
    kit::SetSQL(q, {kSelect, "where d.nij=t.nij", "and m.no_kwitansi=t.no_kwitansi",
                    "and m.tgl_bayar>=:t1 and m.tgl_bayar<=:t2"});
    q.ParamByName("t1")->AsDate(DateTimePicker1->Date());
    q.ParamByName("t2")->AsDate(DateTimePicker2->Date());
  } else if (RadioButton3->Checked()) {
    kit::SetSQL(q, {kSelect, "where d.nij=t.nij", "and m.no_kwitansi=t.no_kwitansi",
                    "and m.periode=:pe and d.nama_gabung like :ng"});
    q.ParamByName("pe")->AsString(kit::Chosen(*ComboBox1));
    q.ParamByName("ng")->AsString("%" + Edit2->Text() + "%");
  } else {
    kit::SetSQL(q, {kSelect, "where d.nij=t.nij", "and m.no_kwitansi=t.no_kwitansi"});
  }
  q.Open();
}

void TFCariMPAG::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin record ini mau dihapus?")) return;
  if (DM->Q3->IsEmpty()) return;
  const std::string number = DM->Q3->FieldByName("no_kwitansi")->AsString();
  const std::string nij = DM->Q3->FieldByName("nij")->AsString();
  data::TZQuery& q = *DM->Q1;
  kit::SetSQL(q, {"delete from mpag_detail", "where no_kwitansi=:nk", "and nij=:ni"});
  q.ParamByName("nk")->AsString(number);
  q.ParamByName("ni")->AsString(nij);
  q.ExecSQL();
  kit::SetSQL(q, {"select * from mpag_detail", "where no_kwitansi=:nk"});
  q.ParamByName("nk")->AsString(number);
  q.Open();
  if (q.IsEmpty()) {
    kit::SetSQL(q, {"delete from mpag", "where no_kwitansi=:nk"});
  } else {
    // The payment's total stays the sum of the lines it still holds.
    kit::SetSQL(q, {"update mpag set total_nominal=(select sum(nominal) from mpag_detail where no_kwitansi=:nk)",
                    "where no_kwitansi=:nk"});
  }
  q.ParamByName("nk")->AsString(number);
  q.ExecSQL();
  // The grid shows what is stored now, under the same criterion.
  Button1Click(this);
}

void TFCariMPAG::DBGrid1DblClick(TObject*) {
  if (DM->Q3->IsEmpty()) return;
  if (FMPAG) FMPAG->LoadPayment(*DM->Q3);
  Close();
}

}  // namespace worship
