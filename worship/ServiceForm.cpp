#include "worship/ServiceForm.h"

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
using kit::MakeLabel;

namespace {

constexpr const char* kCouncilHint = "[Ketik Nama Majelis Disini]";

TSpeedButton* Dots(TServiceForm* f, TWinControl* parent, const char* name, int x, int y) {
  auto* b = kit::Make<TSpeedButton>(f, parent, name, x, y, 26, 22);
  b->SetCaption("...");
  return b;
}

// A number typed into an amount or the attendance; the conversion's own message when
// it is not one, before anything is written.
std::string AmountText(const TEdit* e) { return e ? rtl::FloatToStr(rtl::StrToFloat(e->Text())) : "0"; }

}  // namespace

TServiceForm::TServiceForm(rtl::TComponent* owner, const rules::TServiceKind& kind, const char* name,
                           const char* caption, const char* search)
    : TForm(owner), kind_(kind), search_(search) {
  const bool sunday = kind.rosterRequired;
  kit::SetupForm(*this, {.name = name, .caption = caption, .width = 900, .height = 640});

  Panel1 = MakeServiceBar(*this);

  // The service.
  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 8, 6, 440, 168, " Ibadah ");
  kit::TRows service{.owner = this, .group = GroupBox1, .inputX = 150, .inputW = 270, .y = 20, .step = 29,
                     .prefix = "LabelIbadah"};
  Edit1 = service.Edit("Edit1", "Kode", false, true, 160);
  Edit1->SetText("Edit1");  // the layout's placeholder: the first activation is a change
  const int dateRow = service.Row("Tanggal");
  DateTimePicker1 = kit::MakePicker(this, GroupBox1, "DateTimePicker1", 150, dateRow, 130);
  const int timeRow = service.Row("Jam");
  ComboBox4 = kit::MakeListOf(this, GroupBox1, "ComboBox4", 150, timeRow, 70, kind.times);
  MakeLabel(this, GroupBox1, "LabelTempat", 230, timeRow + 3, "Tempat");
  ComboBox1 = kit::MakeList(this, GroupBox1, "ComboBox1", 284, timeRow, 136, {"PLK Pelok", "VRN Vareno"});
  Edit2 = service.Edit("Edit2", sunday ? "Ayat Bacaan" : "Ayat");
  if (sunday) {
    Edit3 = service.Edit("Edit3", "Tema Khotbah");
  } else {
    const int feastRow = service.Row("Jenis Ibadah");
    ComboBox5 = kit::MakeListOf(this, GroupBox1, "ComboBox5", 150, feastRow, 200, rules::Feasts());
  }

  // The preacher.
  GroupBox2 = kit::MakeGroup(this, this, "GroupBox2", 8, 178, 440, 168, " Pelayan Firman ");
  kit::TRows preacher{.owner = this, .group = GroupBox2, .inputX = 150, .inputW = 270, .y = 20, .step = 29,
                      .prefix = "LabelPF"};
  const int kindRow = preacher.Row("Pelayan Firman");
  ComboBox2 = kit::MakeListOf(this, GroupBox2, "ComboBox2", 150, kindRow, 160, kind.kinds);
  const int numberRow = preacher.Row("No.Induk");
  Edit21 = MakeEdit(this, GroupBox2, "Edit21", 150, numberRow, 140, false, true);
  SpeedButton4 = Dots(this, GroupBox2, "SpeedButton4", 294, numberRow);
  Edit4 = preacher.Edit("Edit4", "Nama Pelayan Firman", true);
  Edit5 = preacher.Edit("Edit5", "Nama Gereja");
  const int attendRow = preacher.Row("Jumlah Jemaat Hadir");
  Edit15 = MakeEdit(this, GroupBox2, "Edit15", 150, attendRow, 80);
  MakeLabel(this, GroupBox2, "LabelOrang", 236, attendRow + 3, "Orang");

  // The helpers.
  GroupBox3 = kit::MakeGroup(this, this, "GroupBox3", 8, 350, 440, 168, " Pendukung Ibadah ");
  kit::TRows helpers{.owner = this, .group = GroupBox3, .inputX = 150, .inputW = 270, .y = 20, .step = 29,
                     .prefix = "LabelPendukung"};
  Edit6 = helpers.Edit("Edit6", "Pianis");
  Edit7 = helpers.Edit("Edit7", "Pro Kantor");
  Edit8 = helpers.Edit("Edit8", "Kantoria");
  Edit9 = helpers.Edit("Edit9", "Multimedia");
  const int soundRow = helpers.Row("Soundman");
  Edit19 = MakeEdit(this, GroupBox3, "Edit19", 150, soundRow, 132);
  Edit20 = MakeEdit(this, GroupBox3, "Edit20", 288, soundRow, 132);

  // The offerings.
  GroupBox4 = kit::MakeGroup(this, this, "GroupBox4", 456, 6, 436, sunday ? 196 : 168, " Persembahan ");
  kit::TRows offerings{.owner = this, .group = GroupBox4, .inputX = 150, .inputW = 160, .y = 20, .step = 29,
                       .prefix = "LabelPersembahan"};
  Edit10 = offerings.Edit("Edit10", "Rutin");
  Edit11 = offerings.Edit("Edit11", "Pembangunan");
  Edit12 = offerings.Edit("Edit12", "Persepuluhan");
  Edit13 = offerings.Edit("Edit13", "Syukur");
  Edit14 = offerings.Edit("Edit14", "Sabda Bina Umat");
  if (sunday) Edit22 = offerings.Edit("Edit22", "Kantong Lainnya");
  for (TEdit* e : {Edit10, Edit11, Edit12, Edit13, Edit14, Edit15})
    e->OnKeyPress = [](TObject*, wchar_t& key) { kit::DigitsOnly(key); };

  // The evaluation.
  const int evalTop = sunday ? 206 : 178;
  GroupBox5 = kit::MakeGroup(this, this, "GroupBox5", 456, evalTop, 436, 78, " Evaluasi Ibadah ");
  Memo1 = kit::Make<TMemo>(this, GroupBox5, "Memo1", 10, 18, 416, 52);

  // The roster.
  GroupBox6 = kit::MakeGroup(this, this, "GroupBox6", 456, evalTop + 82, 436, 518 - (evalTop + 82), " Majelis Bertugas ");
  MakeLabel(this, GroupBox6, "LabelPetugas", 10, 23, "Petugas");
  std::vector<const char*> duties;
  static std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (int i = 1; i <= 30; ++i) n.push_back("P" + std::to_string(i));
    return n;
  }();
  for (int i = 0; i < kind.duties; ++i) duties.push_back(names[i].c_str());
  ComboBox3 = kit::MakeListOf(this, GroupBox6, "ComboBox3", 70, 20, 60, duties);
  MakeLabel(this, GroupBox6, "LabelNIMP", 142, 23, "NIMP");
  Edit18 = MakeEdit(this, GroupBox6, "Edit18", 180, 20, 110, false, true);
  SpeedButton3 = Dots(this, GroupBox6, "SpeedButton3", 294, 20);
  SpeedButton5 = kit::Make<TSpeedButton>(this, GroupBox6, "SpeedButton5", 330, 18, 90, 26);
  SpeedButton5->SetCaption("Add");
  MakeLabel(this, GroupBox6, "LabelNama", 10, 50, "Nama :");
  Label27 = MakeLabel(this, GroupBox6, "Label27", 70, 50, "");
  const int gridH = GroupBox6->Height() - 74 - (kind.removable ? 18 : 0);
  DBGrid1 = kit::Make<TDBGrid>(this, GroupBox6, "DBGrid1", 10, 70, 416, gridH);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("petugas", "Petugas", 70)->Alignment = TAlignment::taCenter;
  DBGrid1->Columns().Add("nama_gabung", "Nama Majelis", 300);
  DBGrid1->SetDataSource(DM ? DM->DS_QTemp : nullptr);
  if (kind.removable) {
    MakeLabel(this, GroupBox6, "LabelHapus", 10, 72 + gridH, "*Untuk hapus salah satu petugas, klik 2x");
    DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
  }

  // The validators.
  GroupBox7 = kit::MakeGroup(this, this, "GroupBox7", 8, 522, 884, 44, " Validasi ");
  MakeLabel(this, GroupBox7, "LabelP1", 10, 19, "Validasi P1");
  Edit16 = MakeEdit(this, GroupBox7, "Edit16", 90, 16, 130, false, true);
  SpeedButton1 = Dots(this, GroupBox7, "SpeedButton1", 224, 16);
  CheckBox1 = kit::Make<TCheckBox>(this, GroupBox7, "CheckBox1", 256, 18, 20, 18);
  MakeLabel(this, GroupBox7, "LabelP5", 300, 19, "Validasi P5");
  Edit17 = MakeEdit(this, GroupBox7, "Edit17", 380, 16, 130, false, true);
  SpeedButton2 = Dots(this, GroupBox7, "SpeedButton2", 514, 16);
  CheckBox2 = kit::Make<TCheckBox>(this, GroupBox7, "CheckBox2", 546, 18, 20, 18);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 616, 900, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(600);

  kit::LimitLengths(kind.record(), *this);

  OnActivate = [this](TObject* s) { FormActivate(s); };
  ComboBox4->OnChange = [this](TObject* s) { ComboBox4Change(s); };
  ComboBox2->OnChange = [this](TObject* s) { ComboBox2Change(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
  SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
  SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
  SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
  Edit1->OnChange = [this](TObject* s) { Edit1Change(s); };
  Edit16->OnChange = [this](TObject* s) { Edit16Change(s); };
  Edit17->OnChange = [this](TObject* s) { Edit17Change(s); };
}

void TServiceForm::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_QTemp) DBGrid1->SetDataSource(DM->DS_QTemp);
  Edit1->SetText("[Auto]");
  DateTimePicker1->SetDateTime(rtl::Now());
  kit::SelectExact(*ComboBox4, "07:00");
  ComboBox1->SetItemIndex(0);
  Edit2->Clear();
  if (Edit3) Edit3->Clear();
  if (ComboBox5) ComboBox5->SetItemIndex(0);

  kit::SelectExact(*ComboBox2, "Pendeta");
  Edit4->Clear();
  kit::SetEditable(*Edit4, false);
  SpeedButton4->SetEnabled(true);
  SpeedButton4->SetFlat(false);
  kit::SetSQL(*DM->Q1, {"select * from gereja"});
  DM->Q1->Open();
  churchName_ = DM->Q1->IsEmpty() ? "" : DM->Q1->FieldByName("nama_gereja")->AsString();
  Edit5->SetText(churchName_);
  kit::SetEditable(*Edit5, false);

  // A feast's attendance starts empty; a Sunday's at 0.
  Edit15->SetText(kind_.rosterRequired ? "0" : "");
  for (TEdit* e : {Edit21, Edit6, Edit7, Edit8, Edit9, Edit19, Edit20}) e->Clear();
  for (TEdit* e : {Edit10, Edit11, Edit12, Edit13, Edit14, Edit22})
    if (e) e->SetText("0");
  Memo1->SetText("");

  for (TSpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton3}) {
    b->SetEnabled(true);
    b->SetFlat(false);
  }
  Edit16->Clear();
  Edit17->Clear();
  CheckBox1->SetEnabled(false);
  CheckBox2->SetEnabled(false);
  SetValidatorBox(*CheckBox1, *Edit16);
  SetValidatorBox(*CheckBox2, *Edit17);

  ComboBox3->SetItemIndex(0);
  Label27->SetCaption("");
  Edit18->Clear();
  StatusBar1->Panels()[0]->SetText("");
  // The grid's query is shared with the other service window: show this window's own
  // roster again.
  OpenRoster(nullptr);
}

void TServiceForm::ComboBox4Change(TObject*) {
  ComboBox1->SetItemIndex(rules::PlaceForTime(kit::Chosen(*ComboBox4)));
}

void TServiceForm::ComboBox2Change(TObject*) {
  const bool external = kit::Chosen(*ComboBox2) == "Eksternal";
  Edit4->Clear();
  kit::SetEditable(*Edit4, external);
  SpeedButton4->SetEnabled(!external);
  if (external) {
    Edit5->Clear();
    kit::SetEditable(*Edit5, true);
    Edit21->SetText("Eksternal");
    if (Edit4->Showing()) Edit4->SetFocus();
  } else {
    Edit5->SetText(churchName_);
    kit::SetEditable(*Edit5, false);
    Edit21->Clear();
  }
}

void TServiceForm::LookupCouncil(TSpeedButton& button) {
  DM->Q4->SQL.Clear();
  button.SetFlat(true);
  kit::OpenLookup("FCariNIM", kCouncilHint);
}

void TServiceForm::SpeedButton1Click(TObject*) {
  if (!rules::MayValidateP1(Edit17->Text())) {
    kit::Refuse(rules::kP5First);
    return;
  }
  LookupCouncil(*SpeedButton1);
}

void TServiceForm::SpeedButton2Click(TObject*) { LookupCouncil(*SpeedButton2); }
void TServiceForm::SpeedButton3Click(TObject*) { LookupCouncil(*SpeedButton3); }

void TServiceForm::SpeedButton4Click(TObject*) {
  const std::string k = kit::Chosen(*ComboBox2);
  const char* lookup = nullptr;
  const char* hint = nullptr;
  if (k == "Pendeta") lookup = "FCariNIP", hint = "[Ketik Nama Pendeta Disini]";
  else if (k == "Vikaris") lookup = "FCariNIV", hint = "[Ketik Nama Vikaris Disini]";
  else if (k == "Mahasiswa Praktek") lookup = "FCariNIMPra", hint = "[Ketik Nama Mahasiswa Praktek Disini]";
  else if (k == "Majelis") lookup = "FCariNIM", hint = kCouncilHint;
  if (!lookup) return;
  DM->Q4->SQL.Clear();
  SpeedButton4->SetFlat(true);
  kit::OpenLookup(lookup, hint);
}

void TServiceForm::OpenRoster(const char* order) {
  const std::string from = "select i.petugas,d.nama_gabung,i.nimp,i.urut from " + kind_.Work() +
                           " i,majelis m,detail_kk d";
  if (order)
    kit::SetSQL(*DM->QTemp, {from, "where d.nij=m.nij and m.nimp=i.nimp", order});
  else
    kit::SetSQL(*DM->QTemp, {from, "where d.nij=m.nij and m.nimp=i.nimp"});
  DM->QTemp->Open();
}

void TServiceForm::Edit1Change(TObject*) {
  kit::SetSQL(*DM->Q7, {"truncate table " + kind_.Work()});
  DM->Q7->ExecSQL();
  kit::SetSQL(*DM->Q8, {"select i.petugas,d.nama_gabung,i.nimp,i.urut from " + kind_.Detail() +
                            " i,majelis m,detail_kk d",
                        "where d.nij=m.nij and m.nimp=i.nimp", "and i.kode=:ko"});
  DM->Q8->ParamByName("ko")->AsString(Edit1->Text());
  DM->Q8->Open();
  data::TZQuery& stored = *DM->Q8;
  if (!stored.IsEmpty()) {
    Screen->SetCursor(crHourGlass);
    StatusBar1->Panels()[0]->SetText("Update Data...Mohon Menunggu");
    for (stored.First(); !stored.Eof(); stored.Next()) {
      kit::SetSQL(*DM->Q7, {"insert into " + kind_.Work() + "(petugas,nimp,urut)values(:pe,:ni,:ur)"});
      DM->Q7->ParamByName("pe")->AsString(stored.FieldByName("petugas")->AsString());
      DM->Q7->ParamByName("ni")->AsString(stored.FieldByName("nimp")->AsString());
      DM->Q7->ParamByName("ur")->AsInteger(static_cast<int>(stored.FieldByName("urut")->AsInteger()));
      DM->Q7->ExecSQL();
    }
  }
  OpenRoster(nullptr);
  Screen->SetCursor(crDefault);
  StatusBar1->Panels()[0]->SetText("");
}

void TServiceForm::SetValidatorBox(TCheckBox& box, const TEdit& edit) {
  box.SetState(edit.Text().empty() ? TCheckBoxState::cbUnchecked : TCheckBoxState::cbGrayed);
}
void TServiceForm::Edit16Change(TObject*) { SetValidatorBox(*CheckBox1, *Edit16); }
void TServiceForm::Edit17Change(TObject*) { SetValidatorBox(*CheckBox2, *Edit17); }

void TServiceForm::SpeedButton5Click(TObject*) {
  if (Edit18->Text().empty()) {
    kit::Refuse("NIMP tidak ditemukan");
    return;
  }
  const std::string duty = kit::Chosen(*ComboBox3);
  kit::SetSQL(*DM->Q8, {"select nimp from " + kind_.Work(), "where petugas=:pe"});
  DM->Q8->ParamByName("pe")->AsString(duty);
  DM->Q8->Open();
  if (DM->Q8->IsEmpty()) {
    const int order = rules::NextOrder(DM->QTemp->RecordCount());
    kit::SetSQL(*DM->Q8, {"insert into " + kind_.Work() + "(petugas,nimp,urut)values(:pe,:ni,:ur)"});
    DM->Q8->ParamByName("pe")->AsString(duty);
    DM->Q8->ParamByName("ni")->AsString(Edit18->Text());
    DM->Q8->ParamByName("ur")->AsInteger(order);
    DM->Q8->ExecSQL();
    kit::Inform("Majelis di Petugas: " + duty + " sudah di-input");
  } else {
    kit::SetSQL(*DM->Q8, {"update " + kind_.Work() + " set nimp=:ni", "where petugas=:pe"});
    DM->Q8->ParamByName("ni")->AsString(Edit18->Text());
    DM->Q8->ParamByName("pe")->AsString(duty);
    DM->Q8->ExecSQL();
    kit::Inform("Majelis di Petugas: " + duty + " sudah di-ubah");
  }
  ComboBox3->SetItemIndex(0);
  Edit18->Clear();
  Label27->SetCaption("");
  // A Sunday roster shows the duties in the order added; a feast roster in the work
  // table's own order.
  OpenRoster(kind_.removable ? "order by i.id" : nullptr);
}

void TServiceForm::DBGrid1DblClick(TObject*) {
  const std::string duty = DM->QTemp->IsEmpty() ? "" : DM->QTemp->FieldByName("petugas")->AsString();
  if (!kit::Confirm("Apakah anda yakin mau menghapus petugas " + duty + " ?")) return;
  kit::SetSQL(*DM->QDelete, {"delete from " + kind_.Work(), "where petugas=:pe"});
  DM->QDelete->ParamByName("pe")->AsString(duty);
  DM->QDelete->ExecSQL();
  OpenRoster("order by i.petugas");
}

std::string TServiceForm::Derive(std::string_view param) const {
  if (param == "te") return kit::Chosen(*ComboBox1).substr(0, 3);
  if (param == "ke") return Memo1->Text();
  if (param == "jj") return rtl::IntToStr(rtl::StrToInt(Edit15->Text()));
  const std::pair<const char*, TEdit*> amounts[] = {{"kr", Edit10}, {"kp", Edit11}, {"pe", Edit12},
                                                    {"sy", Edit13}, {"sbu", Edit14}, {"kll", Edit22}};
  for (const auto& [p, e] : amounts)
    if (param == p) return AmountText(e);
  throw std::logic_error("service column without a value: " + std::string(param));
}

void TServiceForm::SpeedButton6Click(TObject*) {
  if (kind_.rosterRequired && DM->QTemp->IsEmpty()) {
    kit::Refuse("Maaf...Petugas Pelayanan masih kosong");
    return;
  }
  // Every number is converted before a statement runs: a wrong one writes nothing.
  for (const char* p : {"jj", "kr", "kp", "pe", "sy", "sbu", "kll"}) Derive(p);

  // The row and its roster are stored together or not at all.
  const auto saved = SaveServiceRow(kind_.record(), *this, kind_.prefix, Edit1->Text(),
                                    [this](std::string_view p) { return Derive(p); },
                                    [this](const TServiceSaved& s) { StoreRoster(s); });
  if (!saved) return;
  number_ = saved->number;
  const bool stored = saved->stored;
  if (!stored) Edit1->SetText(number_);
  kit::Inform("Data " + std::string(kind_.name) + (stored ? " berhasil di-ubah" : " berhasil di-input"));
  FormActivate(this);
}

// The roster is stored whole again at every save: duties added, replaced and removed alike.
void TServiceForm::StoreRoster(const TServiceSaved& saved) {
  if (saved.stored) {
    kit::SetSQL(*DM->Q3, {"delete from " + kind_.Detail(), "where kode=:ko"});
    DM->Q3->ParamByName("ko")->AsString(saved.number);
    DM->Q3->ExecSQL();
  }
  data::TZQuery& roster = *DM->QTemp;
  for (roster.First(); !roster.Eof(); roster.Next()) {
    kit::SetSQL(*DM->Q2, {"insert into " + kind_.Detail() + "(kode,nimp,petugas,urut)values(:ko,:ni,:pe,:ur)"});
    DM->Q2->ParamByName("ko")->AsString(saved.number);
    DM->Q2->ParamByName("ni")->AsString(roster.FieldByName("nimp")->AsString());
    DM->Q2->ParamByName("pe")->AsString(roster.FieldByName("petugas")->AsString());
    DM->Q2->ParamByName("ur")->AsInteger(static_cast<int>(roster.FieldByName("urut")->AsInteger()));
    DM->Q2->ExecSQL();
  }
}

void TServiceForm::SpeedButton7Click(TObject*) {
  if (auto* f = dynamic_cast<TCustomForm*>(Application->FindComponent(search_))) f->ShowModal();
}
void TServiceForm::SpeedButton8Click(TObject*) { FormActivate(this); }
void TServiceForm::SpeedButton9Click(TObject*) { Close(); }

void TServiceForm::LoadService(data::TZQuery& row) {
  auto text = [&row](const char* column) { return row.IsEmpty() ? std::string() : row.FieldByName(column)->AsString(); };
  const bool sunday = kind_.rosterRequired;
  Edit1->SetText(text("kode"));  // loads the roster
  if (!row.IsEmpty()) DateTimePicker1->SetDateTime(row.FieldByName("tgl")->AsDateTime());
  kit::SelectExact(*ComboBox4, text("jam"));
  if (auto place = rules::PlaceEntry(text("tempat"))) ComboBox1->SetItemIndex(*place);
  Edit2->SetText(text("ayat"));
  if (Edit3) Edit3->SetText(text("tema_kotbah"));
  if (ComboBox5) kit::SelectExact(*ComboBox5, text("judul_ibadah"));
  kit::SelectExact(*ComboBox2, text(sunday ? "pf" : "sts_pf"));
  Edit21->SetText(text(sunday ? "nip_pf" : "pf"));
  Edit4->SetText(text("nama_pf"));
  Edit5->SetText(text("nama_gereja"));
  Edit15->SetText(row.IsEmpty() || row.FieldByName("jml_jemaat")->IsNull()
                      ? ""
                      : rtl::IntToStr(static_cast<int>(row.FieldByName("jml_jemaat")->AsInteger())));
  Edit6->SetText(text("pianis"));
  Edit7->SetText(text("prokantor"));
  Edit8->SetText(text("kantoria"));
  Edit9->SetText(text("multimedia"));
  const std::pair<TEdit*, const char*> amounts[] = {{Edit10, "kantong_rutin"}, {Edit11, "kantong_pembangunan"},
                                                    {Edit12, "persepuluhan"},  {Edit13, "syukur"},
                                                    {Edit14, "sbu"},           {Edit22, "kantong_lainlain"}};
  for (const auto& [e, column] : amounts)
    if (e) e->SetText(row.IsEmpty() ? "" : rtl::FloatToStr(row.FieldByName(column)->AsFloat()));
  Memo1->SetText(text("keterangan"));
  Edit16->SetText(text("validasi_1"));
  Edit17->SetText(text("validasi_2"));
  Edit19->SetText(text("soundman1"));
  Edit20->SetText(text("soundman2"));
}

}  // namespace worship
