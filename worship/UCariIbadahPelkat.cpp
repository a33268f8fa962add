#include "worship/UCariIbadahPelkat.h"

#include "app/UDM.h"
#include "data/Transaction.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "worship/QRRepIbadahPelkat.h"
#include "worship/UIbadahPelkat.h"
#include "worship/rules/PelkatServices.h"

namespace worship {

using namespace gui;
using app::DM;

TFCariIbadahPelkat* FCariIbadahPelkat = nullptr;

namespace {

const char* const kSelect =
    "select i.*,d.wilayah,d.nama_tuan_rumah,d.tuan_rumah,d.sts_pf,d.pf,d.nama_pf,d.nama_liturgos,d.nama_pkt,"
    "d.jml_jemaat,d.ayat,d.kolekte,d.syukur,d.keterangan,d.tempat,d.kelas from ibadah_pelkat i,ibadah_pelkat_detail d";
const char* const kJoin = "where i.kode=d.kode";
const char* const kOrder = "order by i.tgl,i.pelkat,d.wilayah";

}  // namespace

TFCariIbadahPelkat::TFCariIbadahPelkat(rtl::TComponent* owner)
    : TDocumentSearch(owner, {"FCariIbadahPelkat", "Ibadah >> Ibadah Pelkat >> Pencarian", 720, 122, true, true},
                      {{"tgl", "Tanggal", 80},
                       {"pelkat", "PelKat", 56},
                       {"wilayah", "Wilayah", 70},
                       {"tempat", "Tempat", 64},
                       {"kelas", "Kelas", 80},
                       {"nama_tuan_rumah", "Tuan Rumah", 190},
                       {"validasi", "Validasi", 110}}) {
  RadioButton1 = Criterion("RadioButton1", "Tanggal", 22);
  DateRange(22, "To");
  RadioButton2 = Criterion("RadioButton2", "PelKat", 54);
  ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", kInputX, 54, 90, {});
  for (const char* c : rules::Categories()) ComboBox1->Items().Add(c);
  ComboBox2 = kit::MakeList(this, GroupBox1, "ComboBox2", kInputX + 100, 54, 110, {});
  for (const char* a : rules::Areas()) ComboBox2->Items().Add(a);
  RadioButton3 = Criterion("RadioButton3", "Tuan Rumah", 86);
  Edit1 = kit::MakeEdit(this, GroupBox1, "Edit1", kInputX, 86, 270, true);
  RadioButton1->OnClick = [this](TObject* o) { RadioButton1Click(o); };
  RadioButton2->OnClick = [this](TObject* o) { RadioButton2Click(o); };
  RadioButton3->OnClick = [this](TObject* o) { RadioButton3Click(o); };
}

void TFCariIbadahPelkat::SetInputs(bool dates, bool category, bool host) {
  ResetDates(dates);
  for (TComboBox* c : {ComboBox1, ComboBox2}) {
    c->SetItemIndex(0);
    kit::SetInputEnabled(*c, category);
  }
  Edit1->Clear();
  kit::SetEditable(*Edit1, host);
}

void TFCariIbadahPelkat::FormActivate(TObject*) {
  ShowRows();
  for (TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3}) r->SetChecked(false);
  SetInputs(false, false, false);
  StatusBar1->Panels()[0]->SetText("");
  kit::SetSQL(*DM->Q3, {kSelect, kJoin, kOrder});
  DM->Q3->Open();
}

void TFCariIbadahPelkat::RadioButton1Click(TObject*) {
  SetInputs(true, false, false);
  SayCriterion("Tanggal");
}
void TFCariIbadahPelkat::RadioButton2Click(TObject*) {
  SetInputs(false, true, false);
  SayCriterion("Pelayanan Kategorial dan Wilayah");
}
void TFCariIbadahPelkat::RadioButton3Click(TObject*) {
  SetInputs(false, false, true);
  SayCriterion("Nama Tuan Rumah");
}

void TFCariIbadahPelkat::Button1Click(TObject*) {
  data::TZQuery& q = *DM->Q3;
  if (RadioButton1->Checked()) {
    kit::SetSQL(q, {kSelect, kJoin, "and i.tgl>=:t1 and i.tgl<=:t2", kOrder});
    q.ParamByName("t1")->AsDate(DateTimePicker1->Date());
    q.ParamByName("t2")->AsDate(DateTimePicker2->Date());
  } else if (RadioButton2->Checked()) {
    kit::SetSQL(q, {kSelect, kJoin, "and i.pelkat=:pe and d.wilayah=:wi", kOrder});
    q.ParamByName("pe")->AsString(kit::Chosen(*ComboBox1));
    q.ParamByName("wi")->AsString(kit::Chosen(*ComboBox2));
  } else if (RadioButton3->Checked()) {
    kit::SetSQL(q, {kSelect, kJoin, "and d.nama_tuan_rumah like :ntr", kOrder});
    q.ParamByName("ntr")->AsString("%" + Edit1->Text() + "%");
  } else {
    kit::SetSQL(q, {kSelect, kJoin});
  }
  q.Open();
}

void TFCariIbadahPelkat::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin record ini mau dihapus?")) return;
  const std::string number = DM->Q3->IsEmpty() ? "" : DM->Q3->FieldByName("kode")->AsString();
  {
    // The service goes with all its lines, or neither goes.
    data::TTransaction remove(*DM->ZConnection1);
    for (const char* table : {"ibadah_pelkat", "ibadah_pelkat_detail"}) {
      kit::SetSQL(*DM->Q1, {std::string("delete from ") + table + " where kode=:ko"});
      DM->Q1->ParamByName("ko")->AsString(number);
      DM->Q1->ExecSQL();
    }
    remove.Commit();
  }
  FormActivate(this);
}

void TFCariIbadahPelkat::DBGrid1DblClick(TObject*) {
  if (DM->Q3->IsEmpty()) return;
  if (FIbadahPelkat) FIbadahPelkat->LoadService(*DM->Q3);
  Close();
}

void TFCariIbadahPelkat::Button5Click(TObject*) {
  if (!FQRRepIbadahPelkat) return;
  FQRRepIbadahPelkat->FillFrom(*DM->Q3);
  FQRRepIbadahPelkat->Preview();
}

}  // namespace worship
