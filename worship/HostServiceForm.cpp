#include "worship/HostServiceForm.h"

#include <cmath>

#include "app/UDM.h"
#include "gui/Controls.h"
#include "kit/FormKit.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "rtl/SysUtils.h"
#include "worship/ServiceBar.h"
#include "worship/ServiceSave.h"

namespace worship {

using namespace gui;
using app::DM;
using kit::MakeEdit;

namespace {

constexpr const char* kCouncilHint = "[Ketik Nama Majelis Disini]";
constexpr const char* kMemberHint = "[Ketik Nama Jemaat Disini]";

}  // namespace

THostServiceForm::THostServiceForm(rtl::TComponent* owner, const rules::THostKind& kind, const char* name,
                                   const char* caption, const char* search)
    : TForm(owner), kind_(kind), search_(search) {
  const bool sector = kind.sector;
  kit::SetupForm(*this, {.name = name, .caption = caption, .width = 780, .height = 510,
                         .border = TFormBorderStyle::bsDialog});

  Panel1 = MakeServiceBar(*this);

  // The service and its host.
  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 8, 6, 380, 292, " Ibadah ");
  kit::TRows service{.owner = this, .group = GroupBox1, .inputX = 120, .inputW = 246, .y = 20, .step = 29,
                     .prefix = "LabelIbadah"};
  Edit1 = service.Edit("Edit1", "Kode", false, true, 170);
  Edit1->Font().SetStyle(fsBold);
  DateTimePicker1 = service.Picker("DateTimePicker1", "Tanggal");
  DateTimePicker2 = service.Picker("DateTimePicker2", "Jam");
  DateTimePicker2->SetKind(TDateTimeKind::dtkTime);
  // The sector service starts at seven in the evening until the user picks another time.
  DateTimePicker2->SetDateTime(std::floor(rtl::Now()) + rtl::EncodeTime(19, 0, 0));
  std::vector<const char*> sectors;
  static const char* const kSectors[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  sectors.assign(std::begin(kSectors), std::end(kSectors));
  ComboBox1 = kit::MakeListOf(this, GroupBox1, "ComboBox1", service.inputX, service.Row("SekPel"), 60, sectors);
  ComboBox1->DropDownCount = 10;
  ComboBox2 = kit::MakeListOf(this, GroupBox1, "ComboBox2", service.inputX, service.Row("Tuan Rumah"), 160, kind.hosts);
  Edit2 = service.EditWithDots("Edit2", sector ? "NIP/NIJ" : "No.Induk", 170, SpeedButton1, "SpeedButton1");
  Edit3 = service.Edit("Edit3", "Nama", true, true);
  Edit4 = service.Edit("Edit4", "Ayat Bacaan");
  if (sector)
    Edit5 = service.Edit("Edit5", "Tema Kotbah");
  else
    ComboBox4 = kit::MakeListOf(this, GroupBox1, "ComboBox4", service.inputX, service.Row("Jenis Ibadah"), 200,
                       rules::Occasions());

  // Those who serve.
  GroupBox2 = kit::MakeGroup(this, this, "GroupBox2", 396, 6, 376, 172, " Pelayan Ibadah ");
  kit::TRows serving{.owner = this, .group = GroupBox2, .inputX = 120, .inputW = 242, .y = 20, .step = 29,
                     .prefix = "LabelPelayan"};
  ComboBox3 = kit::MakeListOf(this, GroupBox2, "ComboBox3", serving.inputX, serving.Row("Pelayan Firman"), 160,
                     {"Pendeta", "Vikaris", "Mahasiswa Praktek", "Majelis", "Eksternal"});
  Edit6 = serving.EditWithDots("Edit6", sector ? "NIP/NIV/NIM/NIMP" : "No.Induk", 170, SpeedButton5, "SpeedButton5");
  Edit7 = serving.Edit("Edit7", "Nama", true, true);
  Edit8 = serving.EditWithDots("Edit8", "Liturgos", 212, SpeedButton2, "SpeedButton2");
  Edit9 = serving.EditWithDots("Edit9", "PKT", 212, SpeedButton3, "SpeedButton3");

  // The offerings and the attendance.
  GroupBox3 = kit::MakeGroup(this, this, "GroupBox3", 396, 182, 376, 116, " Persembahan ");
  kit::TRows offerings{.owner = this, .group = GroupBox3, .inputX = 120, .inputW = 150, .y = 20, .step = 29,
                       .prefix = "LabelPersembahan"};
  Edit10 = offerings.Edit("Edit10", "Kolekte");
  Edit11 = offerings.Edit("Edit11", "Syukur");
  if (sector) {
    Edit14 = offerings.Edit("Edit14", "Jumlah Jemaat", false, false, 80);
  } else {
    Edit5 = offerings.Edit("Edit5", "Jml.Jemaat", false, false, 80);
    Edit5->Font().SetStyle(fsBold);
  }

  GroupBox4 = kit::MakeGroup(this, this, "GroupBox4", 8, 302, 380, 124, " Evaluasi Ibadah ");
  Memo1 = kit::Make<TMemo>(this, GroupBox4, "Memo1", 10, 20, 360, 94);

  GroupBox5 = kit::MakeGroup(this, this, "GroupBox5", 396, 302, 376, 124, " Validasi Setor Duit ");
  kit::TRows deposit{.owner = this, .group = GroupBox5, .inputX = 120, .inputW = 242, .y = 24, .step = 32,
                     .prefix = "LabelValidasi"};
  Edit12 = deposit.EditWithDots("Edit12", sector ? "Kordinator Sektor" : "Majelis Bertugas", 170, SpeedButton4,
                        "SpeedButton4");
  Edit13 = MakeEdit(this, GroupBox5, "Edit13", deposit.inputX, deposit.y, 242, true, true);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 486, 780, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(600);

  kit::LimitLengths(kind.record(), *this);

  OnActivate = [this](TObject* s) { FormActivate(s); };
  if (sector) ComboBox2->OnChange = [this](TObject* s) { ComboBox2Change(s); };
  ComboBox3->OnChange = [this](TObject* s) { ComboBox3Change(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
  SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
  SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
  SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
  Edit12->OnChange = [this](TObject* s) { Edit12Change(s); };
}

void THostServiceForm::FormActivate(TObject*) {
  Edit1->SetText("[Auto]");
  DateTimePicker1->SetDateTime(rtl::Now());
  // A thanksgiving service starts at the current time; a sector service keeps its time.
  if (!kind_.sector) DateTimePicker2->SetDateTime(rtl::Now());
  for (TComboBox* c : {ComboBox1, ComboBox2, ComboBox3, ComboBox4})
    if (c) c->SetItemIndex(0);
  for (TEdit* e : {Edit2, Edit3, Edit4, Edit12, Edit13, Edit6, Edit7, Edit8, Edit9}) e->Clear();
  if (kind_.sector) Edit5->Clear();
  Memo1->SetText("");
  for (TEdit* e : {&Attendance(), Edit10, Edit11}) e->SetText("0");
  kit::SetEditable(*Edit7, false);
  SpeedButton1->SetEnabled(true);
  StatusBar1->Panels()[0]->SetText("");
}

void THostServiceForm::ComboBox2Change(TObject*) {
  if (kit::Chosen(*ComboBox2) == "Presbiter") {
    SpeedButton1->SetEnabled(false);
    Edit2->SetText("Presbiter");
    Edit3->SetText("Presbiter");
    if (Edit4->Showing()) {
      Edit4->SetFocus();
      Edit4->SelectAll();
    }
  } else {
    SpeedButton1->SetEnabled(true);
    Edit2->Clear();
    Edit3->Clear();
  }
}

void THostServiceForm::ComboBox3Change(TObject*) {
  const bool external = kit::Chosen(*ComboBox3) == "Eksternal";
  Edit7->Clear();
  kit::SetEditable(*Edit7, external);
  if (external) {
    Edit6->SetText("Eksternal");
    if (Edit7->Showing()) Edit7->SetFocus();
  } else {
    Edit6->Clear();
  }
}

void THostServiceForm::Lookup(TSpeedButton& button, const char* instance, const char* hint, bool clearQuery) {
  if (clearQuery) DM->Q4->SQL.Clear();
  button.SetFlat(true);
  kit::OpenLookup(instance, hint);
}

void THostServiceForm::SpeedButton1Click(TObject*) {
  const std::string k = kit::Chosen(*ComboBox2);
  if (k == "Pendeta") Lookup(*SpeedButton1, "FCariNIP", "[Ketik Nama Pendeta Disini]");
  else if (k == "Vikaris") Lookup(*SpeedButton1, "FCariNIV", "[Ketik Nama Vikaris Disini]");
  else if (k == "Mahasiswa Praktek") Lookup(*SpeedButton1, "FCariNIMPra", "[Ketik Nama Mahasiswa Praktek Disini]");
  else if (k == "Jemaat") Lookup(*SpeedButton1, "FCariNIJ", kMemberHint);
}

void THostServiceForm::SpeedButton5Click(TObject*) {
  const std::string k = kit::Chosen(*ComboBox3);
  if (k == "Eksternal") return;
  Edit6->Clear();
  Edit7->Clear();
  if (k == "Pendeta") Lookup(*SpeedButton5, "FCariNIP", "[Ketik Nama Pendeta Disini]");
  else if (k == "Vikaris") Lookup(*SpeedButton5, "FCariNIV", "[Ketik Nama Vikaris Disini]");
  else if (k == "Mahasiswa Praktek")
    Lookup(*SpeedButton5, "FCariNIMPra",
           kind_.sector ? "[Ketik Nama Mahasiswa Disini]" : "[Ketik Nama Mahasiswa Praktek Disini]");
  else if (k == "Majelis") Lookup(*SpeedButton5, "FCariNIM", kCouncilHint);
}

void THostServiceForm::SpeedButton2Click(TObject*) { Lookup(*SpeedButton2, "FCariNIM", kCouncilHint); }
void THostServiceForm::SpeedButton3Click(TObject*) { Lookup(*SpeedButton3, "FCariNIM", kCouncilHint); }
void THostServiceForm::SpeedButton4Click(TObject*) { Lookup(*SpeedButton4, "FCariNIJ", kMemberHint, false); }

void THostServiceForm::Edit12Change(TObject*) {
  // The sector coordinator must live in the chosen sector; a thanksgiving's council
  // member on duty may live anywhere.
  data::TZQuery& q = kind_.sector ? *DM->Q4 : *DM->Q8;
  if (kind_.sector) {
    kit::SetSQL(q, {"select nij,nama_gabung,sekpel from detail_kk", "where nij=:ni and sekpel=:se"});
    q.ParamByName("se")->AsString(kit::Chosen(*ComboBox1));
  } else {
    kit::SetSQL(q, {"select nij,nama_gabung,sekpel from detail_kk", "where nij=:ni"});
  }
  q.ParamByName("ni")->AsString(Edit12->Text());
  q.Open();
  if (!q.IsEmpty()) Edit13->SetText(q.FieldByName("nama_gabung")->AsString());
}

std::string THostServiceForm::Derive(std::string_view param) const {
  if (param == "ke") return Memo1->Text();
  if (param == "jj") return rtl::IntToStr(rtl::StrToInt(Attendance().Text()));
  if (param == "kol") return rtl::FloatToStr(rtl::StrToFloat(Edit10->Text()));
  if (param == "sy") return rtl::FloatToStr(rtl::StrToFloat(Edit11->Text()));
  // The sector window shows "[number]name"; the number alone is stored.
  if (param == "li") return rules::CouncilNumberOf(Edit8->Text());
  if (param == "pkt") return rules::CouncilNumberOf(Edit9->Text());
  throw std::logic_error("service column without a value: " + std::string(param));
}

void THostServiceForm::SpeedButton6Click(TObject*) {
  // The busy cursor and the waiting text go whichever way the save ends.
  kit::TBusyStatus busy(*StatusBar1->Panels()[0], "Update Data...Mohon Menunggu");
  // Every number is converted before a statement runs: a wrong one writes nothing.
  for (const char* p : {"kol", "sy", "jj"}) Derive(p);

  const auto saved = SaveServiceRow(kind_.record(), *this, kind_.prefix, Edit1->Text(),
                                    [this](std::string_view p) { return Derive(p); });
  if (!saved) return;
  const bool stored = saved->stored;
  kit::Inform("Data " + std::string(kind_.name) + (stored ? " berhasil di-ubah" : " berhasil di-input"));
  FormActivate(this);
}

void THostServiceForm::SpeedButton7Click(TObject*) {
  if (auto* f = dynamic_cast<TCustomForm*>(Application->FindComponent(search_))) f->ShowModal();
}
void THostServiceForm::SpeedButton8Click(TObject*) { FormActivate(this); }
void THostServiceForm::SpeedButton9Click(TObject*) { Close(); }

void THostServiceForm::LoadService(data::TZQuery& row) {
  auto text = [&row](const char* column) { return row.IsEmpty() ? std::string() : row.FieldByName(column)->AsString(); };
  Edit1->SetText(text("kode"));
  if (!row.IsEmpty()) {
    DateTimePicker1->SetDateTime(row.FieldByName("tgl")->AsDateTime());
    DateTimePicker2->SetDateTime(std::floor(rtl::Now()) + row.FieldByName("jam")->AsDateTime());
  }
  if (auto entry = rules::SectorEntry(text("sekpel"))) ComboBox1->SetItemIndex(*entry);
  if (kind_.sector) {
    kit::SelectExact(*ComboBox2, rules::SectorHostKind(text("tuan_rumah")));
    Edit2->SetText(text("tuan_rumah"));
  } else {
    kit::SelectExact(*ComboBox2, text("tuan_rumah"));
    Edit2->SetText(text("nij"));
  }
  Edit3->SetText(text("nama_tuan_rumah"));
  Edit4->SetText(text("ayat"));
  if (kind_.sector) Edit5->SetText(text("tema_kotbah"));
  if (ComboBox4) kit::SelectExact(*ComboBox4, text("judul_ibadah"));
  kit::SelectExact(*ComboBox3, text("sts_pf"));
  Edit6->SetText(text("pf"));
  Edit7->SetText(text("nama_pf"));
  for (auto [edit, column] : {std::pair{Edit8, "liturgos"}, {Edit9, "pkt"}}) {
    const std::string nimp = text(column);
    if (!kind_.sector) {
      edit->SetText(nimp);
      continue;
    }
    kit::SetSQL(*DM->Q8, {"select d.nama_gabung from majelis m,detail_kk d", "where m.nij=d.nij", "and m.nimp=:ni"});
    DM->Q8->ParamByName("ni")->AsString(nimp);
    DM->Q8->Open();
    edit->SetText(rules::ShownCouncil(nimp, DM->Q8->IsEmpty() ? "" : DM->Q8->FieldByName("nama_gabung")->AsString()));
  }
  for (auto [edit, column] : {std::pair{Edit10, "kolekte"}, {Edit11, "syukur"}})
    edit->SetText(row.IsEmpty() ? "" : rtl::FloatToStr(row.FieldByName(column)->AsFloat()));
  Attendance().SetText(row.IsEmpty() || row.FieldByName("jml_jemaat")->IsNull()
                           ? ""
                           : rtl::IntToStr(static_cast<int>(row.FieldByName("jml_jemaat")->AsInteger())));
  Memo1->SetText(text("keterangan"));
  Edit12->SetText(text("validasi"));
}

}  // namespace worship
