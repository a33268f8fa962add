#include "worship/ServiceSearch.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "worship/ServiceForm.h"
#include "worship/UValidasiIbadah.h"

namespace worship {

using namespace gui;
using app::DM;

TFCariIbadahMinggu* FCariIbadahMinggu = nullptr;
TFCariIbadahHariRayaGerejawi* FCariIbadahHariRayaGerejawi = nullptr;

namespace {

TCustomForm* Window(const char* name) {
  return dynamic_cast<TCustomForm*>(Application->FindComponent(name));
}

}  // namespace

TServiceSearch::TServiceSearch(rtl::TComponent* owner, const TSpec& s)
    : TForm(owner), kind_(s.kind), entry_(s.entry), layout_(s.layout) {
  const bool sunday = s.kind.rosterRequired;
  kit::SetupForm(*this, {.name = s.name, .caption = s.caption, .width = 720, .height = 470});

  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 10, 6, 700, 96, " Filter Pencarian ");
  RadioButton1 = kit::Make<TRadioButton>(this, GroupBox1, "RadioButton1", 12, 24, 110, 20);
  RadioButton1->SetCaption("Tanggal");
  DateTimePicker1 = kit::MakePicker(this, GroupBox1, "DateTimePicker1", 130, 22, 120);
  Label1 = kit::MakeLabel(this, GroupBox1, "Label1", 258, 25, "To");
  DateTimePicker2 = kit::MakePicker(this, GroupBox1, "DateTimePicker2", 280, 22, 120);
  RadioButton2 = kit::Make<TRadioButton>(this, GroupBox1, "RadioButton2", 12, 58, 110, 20);
  RadioButton2->SetCaption(sunday ? "Jam/Tempat" : "Jenis Ibadah");
  if (sunday) {
    ComboBox2 = kit::MakeList(this, GroupBox1, "ComboBox2", 130, 56, 80, {});
    for (const char* t : s.kind.times) ComboBox2->Items().Add(t);
    ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", 220, 56, 180, {"PLK Pelok", "VRN Vareno"});
    ComboBox2->OnChange = [this](TObject* o) { ComboBox2Change(o); };
  } else {
    ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", 130, 56, 200, {});
    for (const char* f : rules::Feasts()) ComboBox1->Items().Add(f);
  }
  Button1 = kit::MakeButton(this, GroupBox1, "Button1", 420, 20, 66, "Cari");
  Button2 = kit::MakeButton(this, GroupBox1, "Button2", 492, 20, 66, "Hapus");
  Button5 = kit::MakeButton(this, GroupBox1, "Button5", 564, 20, 66, "Print");
  Button3 = kit::MakeButton(this, GroupBox1, "Button3", 420, 54, 66, "Reset");
  Button4 = kit::MakeButton(this, GroupBox1, "Button4", 492, 54, 66, "Close");

  DBGrid1 = kit::Make<TDBGrid>(this, this, "DBGrid1", 10, 110, 700, 330);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("tgl", "Tanggal", 90);
  if (sunday) {
    DBGrid1->Columns().Add("jam", "Jam", 60);
    DBGrid1->Columns().Add("tempat", "Tempat", 60);
  } else {
    DBGrid1->Columns().Add("judul_ibadah", "Jenis Ibadah", 150);
  }
  DBGrid1->Columns().Add("nama_pf", "Nama PF", 200);
  DBGrid1->Columns().Add("validasi_1", "Validasi P1", 110);
  DBGrid1->Columns().Add("validasi_2", "Validasi P2", 110);
  DBGrid1->SetDataSource(DM ? DM->DS_Q3 : nullptr);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 446, 720, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(500);

  OnActivate = [this](TObject* o) { FormActivate(o); };
  RadioButton1->OnClick = [this](TObject* o) { RadioButton1Click(o); };
  RadioButton2->OnClick = [this](TObject* o) { RadioButton2Click(o); };
  Button1->OnClick = [this](TObject* o) { Button1Click(o); };
  Button2->OnClick = [this](TObject* o) { Button2Click(o); };
  Button3->OnClick = [this](TObject* o) { Button3Click(o); };
  Button4->OnClick = [this](TObject* o) { Button4Click(o); };
  Button5->OnClick = [this](TObject* o) { Button5Click(o); };
  DBGrid1->OnDblClick = [this](TObject* o) { DBGrid1DblClick(o); };
}

void TServiceSearch::SetLists(bool enabled) {
  for (TComboBox* c : {ComboBox1, ComboBox2})
    if (c) {
      c->SetItemIndex(0);
      kit::SetInputEnabled(*c, enabled);
    }
}

void TServiceSearch::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_Q3) DBGrid1->SetDataSource(DM->DS_Q3);
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  for (TDateTimePicker* p : {DateTimePicker1, DateTimePicker2}) {
    p->SetDateTime(rtl::Now());
    p->SetEnabled(false);
  }
  SetLists(false);
  StatusBar1->Panels()[0]->SetText("");
  kit::SetSQL(*DM->Q3, {std::string("select * from ") + kind_.table});
  DM->Q3->Open();
}

void TServiceSearch::RadioButton1Click(TObject*) {
  for (TDateTimePicker* p : {DateTimePicker1, DateTimePicker2}) {
    p->SetDateTime(rtl::Now());
    p->SetEnabled(true);
  }
  SetLists(false);
  StatusBar1->Panels()[0]->SetText("Pencarian Berdasarkan : \"Tanggal\"");
}

void TServiceSearch::RadioButton2Click(TObject*) {
  for (TDateTimePicker* p : {DateTimePicker1, DateTimePicker2}) {
    p->SetDateTime(rtl::Now());
    p->SetEnabled(false);
  }
  SetLists(true);
  StatusBar1->Panels()[0]->SetText(Sunday() ? "Pencarian Berdasarkan : \"Lokasi Ibadah\""
                                            : "Pencarian Berdasarkan : \"Jenis Ibadah\"");
}

void TServiceSearch::ComboBox2Change(TObject*) {
  ComboBox1->SetItemIndex(rules::PlaceForTime(kit::Chosen(*ComboBox2)));
}

void TServiceSearch::Button1Click(TObject*) {
  data::TZQuery& q = *DM->Q3;
  const std::string select = std::string("select * from ") + kind_.table;
  if (RadioButton1->Checked()) {
    kit::SetSQL(q, {select, "where tgl>=:t1 and tgl<=:t2"});
    q.ParamByName("t1")->AsDate(DateTimePicker1->Date());
    q.ParamByName("t2")->AsDate(DateTimePicker2->Date());
  } else if (RadioButton2->Checked() && Sunday()) {
    kit::SetSQL(q, {select, "where jam=:jam and tempat=:te"});
    q.ParamByName("jam")->AsString(kit::Chosen(*ComboBox2));
    q.ParamByName("te")->AsString(kit::Chosen(*ComboBox1).substr(0, 3));
  } else if (RadioButton2->Checked()) {
    kit::SetSQL(q, {select, "where judul_ibadah=:ji"});
    q.ParamByName("ji")->AsString(kit::Chosen(*ComboBox1));
  } else {
    kit::SetSQL(q, {select});
  }
  q.Open();
}

void TServiceSearch::Button2Click(TObject*) {
  if (!kit::Confirm("Apakah anda yakin record ini mau dihapus?")) return;
  const std::string kode = DM->Q3->IsEmpty() ? "" : DM->Q3->FieldByName("kode")->AsString();
  for (const std::string& table : {std::string(kind_.table), kind_.Detail()}) {
    kit::SetSQL(*DM->Q1, {"delete from " + table + " where kode=:ko"});
    DM->Q1->ParamByName("ko")->AsString(kode);
    DM->Q1->ExecSQL();
  }
  FormActivate(this);
}

void TServiceSearch::Button3Click(TObject*) { FormActivate(this); }
void TServiceSearch::Button4Click(TObject*) { Close(); }

void TServiceSearch::DBGrid1DblClick(TObject*) {
  data::TZQuery& row = *DM->Q3;
  const std::string p1 = row.IsEmpty() ? "" : row.FieldByName("validasi_1")->AsString();
  if (!p1.empty()) {
    kit::SetSQL(*DM->Q1, {"select m.pnt_dkn,d.nama_gabung,m.nimp from majelis m,detail_kk d", "where m.nij=d.nij",
                          "and m.nimp=:ni"});
    DM->Q1->ParamByName("ni")->AsString(p1);
    DM->Q1->Open();
    FValidasiIbadah->AskToUnlock(*DM->Q1);
    return;
  }
  if (auto* entry = dynamic_cast<TServiceForm*>(Window(entry_))) entry->LoadService(row);
  Close();
}

void TServiceSearch::Button5Click(TObject*) {
  auto* form = dynamic_cast<TServiceReport*>(Application->FindComponent(layout_));
  if (!form) return;
  data::TZQuery& row = *DM->Q3;
  const bool sunday = Sunday();
  auto text = [&row](const char* column) { return row.IsEmpty() ? std::string() : row.FieldByName(column)->AsString(); };
  const std::string kode = text("kode");
  const std::string kindColumn = sunday ? "pf" : "sts_pf";

  form->Value("QRLabel24").SetCaption(kode);
  form->Value("QRLabel25").SetCaption(row.IsEmpty() ? "" : rtl::DateToStr(row.FieldByName("tgl")->AsDateTime()));
  form->Value("QRLabel26").SetCaption(rules::PrintedTime(text("jam")));
  form->Value("QRLabel27").SetCaption(text("tempat"));
  form->Value("QRLabel28").SetCaption(text("ayat"));
  form->Value("QRLabel29").SetCaption(text(kindColumn.c_str()));
  form->Value("QRLabel30").SetCaption(text("nama_pf"));
  form->Value("QRLabel31").SetCaption(text("nama_gereja"));
  form->Value("QRLabel32").SetCaption(
      row.IsEmpty() ? "" : rtl::IntToStr(row.FieldByName("jml_jemaat")->AsInteger()));
  double total = 0;
  const char* amountLabels[] = {"QRLabel33", "QRLabel34", "QRLabel35", "QRLabel36", "QRLabel37"};
  for (int i = 0; i < 5; ++i) {
    const double v = row.IsEmpty() ? 0 : row.FieldByName(rules::kAmountColumns[i])->AsFloat();
    total += v;
    form->Value(amountLabels[i]).SetCaption(rules::PrintedAmount(v));
  }
  form->Value("QRLabel65").SetCaption(rules::PrintedAmount(total));
  form->Value("QRLabel62").SetCaption(text("nama_pf"));
  form->Value("QRLabel63").SetCaption(text(kindColumn.c_str()));
  form->Value("QRLabel67").SetCaption("[" + text("nama_gereja") + "]");
  const char* helpers[] = {"pianis", "prokantor", "kantoria", "multimedia", "soundman1", "soundman2"};
  for (int i = 0; i < 6; ++i) form->Value(("QRLabel" + std::to_string(80 + i)).c_str()).SetCaption(text(helpers[i]));
  form->QRRichText1->Lines.SetText(text("keterangan"));
  if (!sunday) form->QRLabel87->SetCaption("Ibadah : " + text("judul_ibadah"));

  // The validators' names, empty where the service has none.
  data::TZQuery& q = sunday ? *DM->QRepIM : *DM->QRepIG;
  const std::pair<const char*, const char*> validators[] = {{"validasi_2", "QRLabel59"}, {"validasi_1", "QRLabel60"}};
  for (const auto& [column, label] : validators) {
    kit::SetSQL(q, {"select d.nama_gabung from " + std::string(kind_.table) + " i,majelis m,detail_kk d",
                    "where i." + std::string(column) + "=m.nimp and m.nij=d.nij", "and i.kode=:ko"});
    q.ParamByName("ko")->AsString(kode);
    q.Open();
    form->Value(label).SetCaption(q.IsEmpty() ? "" : q.FieldByName("nama_gabung")->AsString());
  }
  // The duties: a Sunday form in the order stored, a feast form by the duties' names.
  kit::SetSQL(q, {"select i.petugas,i.nimp,d.nama_gabung,m.pnt_dkn from " + kind_.Detail() +
                      " i,majelis m,detail_kk d",
                  "where i.nimp=m.nimp and m.nij=d.nij", "and i.kode=:ko",
                  sunday ? "order by i.id" : "order by i.petugas"});
  q.ParamByName("ko")->AsString(kode);
  q.Open();
  form->Status().SetCaption(rules::FormStatus(text("validasi_1")));
  form->Preview();
}

TFCariIbadahMinggu::TFCariIbadahMinggu(rtl::TComponent* owner)
    : TServiceSearch(owner, {rules::Sunday(), "FCariIbadahMinggu", "Ibadah >> Ibadah Minggu >> Pencarian",
                             "FIbadahMinggu", "FQRRepIbadahMinggu"}) {}

TFCariIbadahHariRayaGerejawi::TFCariIbadahHariRayaGerejawi(rtl::TComponent* owner)
    : TServiceSearch(owner, {rules::Feast(), "FCariIbadahHariRayaGerejawi",
                             "Ibadah >> Ibadah Hari Raya Gerejawi >> Pencarian", "FIbadahHariRayaGerejawi",
                             "FQRRepIbadahHariRayaGerejawi"}) {}

}  // namespace worship
