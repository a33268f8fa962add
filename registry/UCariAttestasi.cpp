#include "registry/UCariAttestasi.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "registry/QRAttestasi.h"
#include "registry/UAttestasi.h"

namespace registry {

using namespace gui;
using app::DM;

TFCariAttestasi* FCariAttestasi = nullptr;

TFCariAttestasi::TFCariAttestasi(rtl::TComponent* owner)
    : TDocumentSearch(owner,
                      {"FCariAttestasi", "File >> Attestasi Pindah >> Pencarian", 720, 122, true, true},
                      {{"no_att", "No.Attestasi", 150},
                       {"tgl", "Tanggal", 90},
                       {"sts_att", "Attestasi", 80},
                       {"nij_nik", "No.Induk", 130},
                       {"nama", "Nama", 230}}) {
  RadioButton1 = Criterion("RadioButton1", "Tanggal", 22);
  DateRange(22, "To");
  RadioButton2 = Criterion("RadioButton2", "Attestasi", 54);
  ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", kInputX, 54, 120, {"KELUAR", "MASUK"});
  RadioButton3 = Criterion("RadioButton3", "Nama", 86);
  Edit1 = kit::MakeEdit(this, GroupBox1, "Edit1", kInputX, 86, 270, true);
  RadioButton1->OnClick = [this](TObject* o) { RadioButton1Click(o); };
  RadioButton2->OnClick = [this](TObject* o) { RadioButton2Click(o); };
  RadioButton3->OnClick = [this](TObject* o) { RadioButton3Click(o); };
}

void TFCariAttestasi::SetInputs(bool dates, bool status, bool name) {
  ResetDates(dates);
  ComboBox1->SetItemIndex(0);
  kit::SetInputEnabled(*ComboBox1, status);
  Edit1->Clear();
  kit::SetEditable(*Edit1, name);
}

void TFCariAttestasi::FormActivate(TObject*) {
  ShowRows();
  for (TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3}) r->SetChecked(false);
  SetInputs(false, false, false);
  StatusBar1->Panels()[0]->SetText("");
  kit::SetSQL(*DM->Q3, {"select * from attestasi", "order by no_att"});
  DM->Q3->Open();
}

void TFCariAttestasi::RadioButton1Click(TObject*) {
  SetInputs(true, false, false);
  SayCriterion("Tanggal");
}

void TFCariAttestasi::RadioButton2Click(TObject*) {
  SetInputs(false, true, false);
  SayCriterion("Status Attestasi");
}

void TFCariAttestasi::RadioButton3Click(TObject*) {
  SetInputs(false, false, true);
  SayCriterion("Nama Kepala Keluarga yang Attestasi");
}

void TFCariAttestasi::Button1Click(TObject*) {
  data::TZQuery& q = *DM->Q3;
  if (RadioButton1->Checked()) {
    kit::SetSQL(q, {"select * from attestasi", "where tgl>=:t1 and tgl<=:t2", "order by no_att"});
    q.ParamByName("t1")->AsDate(DateTimePicker1->Date());
    q.ParamByName("t2")->AsDate(DateTimePicker2->Date());
  } else if (RadioButton2->Checked()) {
    kit::SetSQL(q, {"select * from attestasi", "where sts_att=:sa", "order by no_att"});
    q.ParamByName("sa")->AsString(kit::Chosen(*ComboBox1));
  } else if (RadioButton3->Checked()) {
    kit::SetSQL(q, {"select * from attestasi", "where nama like :na", "order by no_att"});
    q.ParamByName("na")->AsString("%" + Edit1->Text() + "%");
  } else {
    kit::SetSQL(q, {"select * from attestasi"});
  }
  q.Open();
}

void TFCariAttestasi::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin record ini mau dihapus?")) return;
  const std::string number = DM->Q3->IsEmpty() ? "" : DM->Q3->FieldByName("no_att")->AsString();
  for (const char* table : {"attestasi", "attestasi_detail"}) {
    kit::SetSQL(*DM->Q1, {std::string("delete from ") + table + " where no_att=:na"});
    DM->Q1->ParamByName("na")->AsString(number);
    DM->Q1->ExecSQL();
  }
  FormActivate(this);
}

void TFCariAttestasi::DBGrid1DblClick(TObject*) {
  data::TZQuery& row = *DM->Q3;
  if (row.IsEmpty()) return;
  if (row.FieldByName("sts_att")->AsString() == "KELUAR") {
    kit::Refuse("Maaf...Warga Jemaat tersebut sudah Attestasi Keluar, Jadi tidak bisa diakses kembali");
  } else if (TFAttestasi* f = FAttestasi) {
    f->Edit1->SetText(row.FieldByName("no_att")->AsString());  // loads the lines
    f->DateTimePicker1->SetDateTime(row.FieldByName("tgl")->AsDateTime());
    f->ComboBox1->SetItemIndex(row.FieldByName("sts_att")->AsString() == "KELUAR" ? 0 : 1);
    f->Edit2->SetText(row.FieldByName("no_srt_masuk")->AsString());
    f->Edit3->SetText(row.FieldByName("nij_nik")->AsString());
    f->Edit4->SetText(row.FieldByName("nama")->AsString());
    f->Edit5->SetText(row.FieldByName("alamat_lama")->AsString());
    f->Edit6->SetText(row.FieldByName("pindah_ke_dari_jemaat")->AsString());
    f->Edit7->SetText(row.FieldByName("alamat_baru")->AsString());
  }
  Close();
}

void TFCariAttestasi::Button5Click(TObject*) {
  auto* letter = dynamic_cast<TFQRAttestasi*>(Application->FindComponent("FQRAttestasi"));
  if (!letter) return;
  data::TZQuery& q = *DM->Q4;
  kit::SetSQL(q, {"select a.*,d.* from attestasi a,attestasi_detail d", "where a.no_att=d.no_att",
                  "and a.no_att=:na"});
  q.ParamByName("na")->AsString(DM->Q3->IsEmpty() ? "" : DM->Q3->FieldByName("no_att")->AsString());
  q.Open();
  if (q.IsEmpty()) return;
  letter->QRLabel20->SetCaption(q.FieldByName("nama")->AsString());
  letter->QRLabel21->SetCaption(q.FieldByName("alamat_lama")->AsString());
  letter->QRLabel22->SetCaption(rtl::IntToStr(q.FieldByName("sekpel")->AsInteger()));
  letter->QRLabel23->SetCaption(q.FieldByName("pindah_ke_dari_jemaat")->AsString());
  letter->QRLabel24->SetCaption(q.FieldByName("alamat_baru")->AsString());
  letter->QRLabel13->SetCaption("Status Attestasi : Pindah " + q.FieldByName("sts_att")->AsString());
  letter->QRLabel33->SetCaption(q.FieldByName("no_att")->AsString());
  letter->Preview();
}

}  // namespace registry
