#include "worship/UIbadahPelkat.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Lines.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"
#include "worship/ServiceBar.h"
#include "worship/ServiceSave.h"
#include "worship/rules/PelkatServices.h"

namespace worship {

using namespace gui;
using app::DM;

TFIbadahPelkat* FIbadahPelkat = nullptr;

namespace {

constexpr const char* kWork = "ibadah_pelkat_detail_temp";
constexpr const char* kMemberHint = "[Ketik Nama Jemaat Disini]";
constexpr const char* kBoardHint = "[Ketik Nama Pengurus Disini]";

std::vector<kit::TLineParam> LineParams() {
  std::vector<kit::TLineParam> params;
  for (const rules::TLineColumn& c : rules::PelkatLineColumns())
    params.push_back({c.param, c.column,
                      c.as == rules::TLineColumn::Float     ? kit::TLineValue::Float
                      : c.as == rules::TLineColumn::Integer ? kit::TLineValue::Integer
                                                            : kit::TLineValue::Text});
  return params;
}

const kit::TWorkLines& ServiceLines() {
  static const kit::TWorkLines lines{kWork,
                                     {"select * from ibadah_pelkat_detail", "where kode=:ko", "order by id"},
                                     "ko",
                                     rules::PelkatLineInsert(kWork, false),
                                     LineParams()};
  return lines;
}

TLabel* TotalLabel(TForm& f, const char* name, int x, int y, TColor color) {
  TLabel* l = kit::MakeLabel(&f, &f, name, x, y, "0");
  l->SetAutoSize(false);
  l->SetBounds(x, y, 170, 24);
  l->Transparent = false;
  l->SetColor(color);
  l->Alignment = TAlignment::taRightJustify;
  l->Layout = TTextLayout::tlCenter;
  l->Font().SetStyle(fsBold);
  l->Font().SetSize(12);
  return l;
}

}  // namespace

TFIbadahPelkat::TFIbadahPelkat(rtl::TComponent* owner) : TForm(owner) {
  kit::SetupForm(*this, {.name = "FIbadahPelkat", .caption = "Ibadah >> Ibadah PelKat", .width = 780,
                         .height = 720, .border = TFormBorderStyle::bsDialog});
  Panel1 = MakeServiceBar(*this);

  // The service.
  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 8, 6, 380, 170, " Ibadah ");
  kit::TRows service{.owner = this, .group = GroupBox1, .inputX = 110, .inputW = 256, .y = 20, .step = 29,
                     .prefix = "LabelIbadah"};
  Edit1 = service.Edit("Edit1", "Kode", false, true, 170);
  Edit1->Font().SetStyle(fsBold);
  Edit1->SetText("Edit1");  // the layout's placeholder
  DateTimePicker1 = service.Picker("DateTimePicker1", "Tanggal");
  DateTimePicker2 = service.Picker("DateTimePicker2", "Jam");
  DateTimePicker2->SetKind(TDateTimeKind::dtkTime);
  ComboBox1 = kit::MakeListOf(this, GroupBox1, "ComboBox1", service.inputX, service.Row("PelKat"), 90, rules::Categories());
  Edit6 = service.Edit("Edit6", "Ayat Bacaan");

  // Who confirmed the deposit, and the running totals under it.
  GroupBox2 = kit::MakeGroup(this, this, "GroupBox2", 396, 6, 376, 88, " Validasi Setor Duit ");
  kit::TRows deposit{.owner = this, .group = GroupBox2, .inputX = 110, .inputW = 252, .y = 22, .step = 30,
                     .prefix = "LabelValidasi"};
  Edit2 = deposit.EditWithDots("Edit2", "Pengurus", 170, SpeedButton4, "SpeedButton4");
  Edit3 = kit::MakeEdit(this, GroupBox2, "Edit3", deposit.inputX, deposit.y, 252, true, true);
  Label18 = kit::MakeLabel(this, this, "Label18", 404, 110, "TOTAL KOLEKTE");
  Label18->Font().SetStyle(fsBold);
  Label19 = TotalLabel(*this, "Label19", 594, 106, clYellow);
  Label20 = kit::MakeLabel(this, this, "Label20", 404, 144, "TOTAL SYUKUR");
  Label20->Font().SetStyle(fsBold);
  Label21 = TotalLabel(*this, "Label21", 594, 140, clLime);

  // One line: where, who served, the offerings and the evaluation.
  GroupBox3 = kit::MakeGroup(this, this, "GroupBox3", 8, 180, 764, 314, " Pelayanan ");
  kit::TRows where{.owner = this, .group = GroupBox3, .inputX = 100, .inputW = 260, .y = 20, .step = 29,
                   .prefix = "LabelTempat"};
  ComboBox2 = kit::MakeListOf(this, GroupBox3, "ComboBox2", where.inputX, where.Row("Wilayah"), 110, rules::Areas());
  ComboBox6 = kit::MakeListOf(this, GroupBox3, "ComboBox6", where.inputX, where.Row("Tempat"), 110, rules::Places());
  ComboBox5 = kit::MakeListOf(this, GroupBox3, "ComboBox5", where.inputX, where.Row("Kelas"), 130, {});
  ComboBox4 = kit::MakeListOf(this, GroupBox3, "ComboBox4", where.inputX, where.Row("Tuan Rumah"), 110,
                     rules::HostStatuses());
  Edit4 = where.EditWithDots("Edit4", "Nama", 150, SpeedButton1, "SpeedButton1");
  Edit5 = kit::MakeEdit(this, GroupBox3, "Edit5", where.inputX, where.y, 260, true, true);
  where.y += where.step;
  ComboBox3 = kit::MakeListOf(this, GroupBox3, "ComboBox3", where.inputX, where.Row("PF"), 150,
                     rules::PelkatPreacherKinds());
  Edit7 = where.EditWithDots("Edit7", "No.Induk", 150, SpeedButton2, "SpeedButton2");
  Edit8 = kit::MakeEdit(this, GroupBox3, "Edit8", where.inputX, where.y, 260, true, true);

  kit::TRows serving{.owner = this, .group = GroupBox3, .labelX = 384, .inputX = 480, .inputW = 270, .y = 20,
                     .step = 29, .prefix = "LabelPelayan"};
  Edit9 = serving.EditWithDots("Edit9", "Liturgos", 150, SpeedButton3, "SpeedButton3");
  Edit13 = serving.Edit("Edit13", "Nama", true, true);
  Edit10 = serving.EditWithDots("Edit10", "PKT", 150, SpeedButton5, "SpeedButton5");
  Edit14 = serving.Edit("Edit14", "Nama", true, true);
  Edit15 = serving.Edit("Edit15", "Jumlah Jemaat", false, false, 80);
  const int amounts = serving.Row("Kolekte");
  Edit11 = kit::MakeEdit(this, GroupBox3, "Edit11", serving.inputX, amounts, 110);
  kit::MakeLabel(this, GroupBox3, "LabelSyukur", serving.inputX + 120, amounts + 3, "Syukur");
  Edit12 = kit::MakeEdit(this, GroupBox3, "Edit12", serving.inputX + 170, amounts, 100);
  for (TEdit* e : {Edit15, Edit11, Edit12}) e->Alignment = TAlignment::taRightJustify;
  Memo1 = kit::Make<TMemo>(this, GroupBox3, "Memo1", 384, serving.y, 366, 70);
  Button1 = kit::MakeButton(this, GroupBox3, "Button1", 100, 282, 90, "Add");
  Button2 = kit::MakeButton(this, GroupBox3, "Button2", 196, 282, 90, "Hapus");

  DBGrid1 = kit::Make<TDBGrid>(this, this, "DBGrid1", 8, 500, 764, 140);
  DBGrid1->Options |= dgRowSelect;
  DBGrid1->Columns().Add("wilayah", "Wilayah", 70);
  DBGrid1->Columns().Add("kelas", "Kelas", 80);
  DBGrid1->Columns().Add("tempat", "Tempat", 60);
  DBGrid1->Columns().Add("nama_tuan_rumah", "Tuan Rumah", 160);
  DBGrid1->Columns().Add("nama_pf", "Pelayan Firman", 160);
  DBGrid1->Columns().Add("liturgos", "Liturgos", 100);
  DBGrid1->Columns().Add("pkt", "PKT", 100);
  DBGrid1->SetDataSource(DM ? DM->DS_QTemp2 : nullptr);

  StatusBar1 = kit::Make<TStatusBar>(this, this, "StatusBar1", 0, 696, 780, 24);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(600);

  kit::LimitLength(*Edit6, "ibadah_pelkat_detail", "ayat");
  kit::LimitLength(*Edit8, "ibadah_pelkat_detail", "nama_pf");

  OnActivate = [this](TObject* s) { FormActivate(s); };
  Edit1->OnChange = [this](TObject* s) { Edit1Change(s); };
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  ComboBox3->OnChange = [this](TObject* s) { ComboBox3Change(s); };
  ComboBox4->OnChange = [this](TObject* s) { ComboBox4Change(s); };
  for (TEdit* e : {Edit15, Edit11, Edit12}) e->OnKeyPress = [](TObject*, wchar_t& key) { kit::DigitsOnly(key); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
  SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
  SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
  SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  DBGrid1->OnDblClick = [this](TObject* s) { DBGrid1DblClick(s); };
}

void TFIbadahPelkat::FillClasses() {
  ComboBox5->Items().Clear();
  for (const char* c : rules::ClassesOf(kit::Chosen(*ComboBox1))) ComboBox5->Items().Add(c);
  ComboBox5->SetItemIndex(0);
}

void TFIbadahPelkat::ShowTotals() {
  Label19->SetCaption(rtl::FormatFloat("#,###", totalKolekte_));
  Label21->SetCaption(rtl::FormatFloat("#,###", totalSyukur_));
}

void TFIbadahPelkat::FormActivate(TObject*) {
  if (DBGrid1->DataSource() != DM->DS_QTemp2) DBGrid1->SetDataSource(DM->DS_QTemp2);
  Edit1->SetText("[Auto]");
  DateTimePicker1->SetDateTime(rtl::Now());
  DateTimePicker2->SetDateTime(rtl::Now());
  kit::SelectExact(*ComboBox1, "PA");
  Edit2->Clear();
  Edit3->Clear();
  for (TComboBox* c : {ComboBox2, ComboBox3, ComboBox4, ComboBox6}) c->SetItemIndex(0);
  FillClasses();
  for (TEdit* e : {Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit13, Edit14}) e->Clear();
  for (TEdit* e : {Edit11, Edit12, Edit15}) e->SetText("0");
  totalKolekte_ = totalSyukur_ = 0;
  Label19->SetCaption("0");
  Label21->SetCaption("0");
  Memo1->SetText("Evaluasi Ibadah");
  SpeedButton1->SetEnabled(true);
  SpeedButton2->SetEnabled(true);
  kit::SetEditable(*Edit8, false);
  StatusBar1->Panels()[0]->SetText("");
  // A new service starts with no line, whatever the number showed before.
  kit::SetSQL(*DM->QTemp2, {"truncate table ibadah_pelkat_detail_temp"});
  DM->QTemp2->ExecSQL();
  OpenLines();
}

void TFIbadahPelkat::OpenLines() {
  kit::SetSQL(*DM->QTemp2, {"select * from ibadah_pelkat_detail_temp", "order by id"});
  DM->QTemp2->Open();
}

void TFIbadahPelkat::RecomputeTotals() {
  kit::SetSQL(*DM->Q8, {"select sum(kolekte) as totalk,sum(syukur) as totals from ibadah_pelkat_detail_temp"});
  DM->Q8->Open();
  totalKolekte_ = DM->Q8->FieldByName("totalk")->AsFloat();
  totalSyukur_ = DM->Q8->FieldByName("totals")->AsFloat();
  OpenLines();
  ShowTotals();
}

void TFIbadahPelkat::Edit1Change(TObject*) {
  // The cursor and the status come back however the copy ends.
  struct TRestore {
    TStatusBar& status;
    ~TRestore() {
      Screen->SetCursor(crDefault);
      status.Panels()[0]->SetText("");
    }
  } restore{*StatusBar1};
  kit::LoadWorkLines(ServiceLines(), Edit1->Text(), *StatusBar1);
  OpenLines();
}

void TFIbadahPelkat::ComboBox1Change(TObject*) { FillClasses(); }

void TFIbadahPelkat::ComboBox4Change(TObject*) {
  const bool board = kit::Chosen(*ComboBox4) == "Pengurus";
  Edit4->SetText(board ? "Pengurus" : "");
  Edit5->SetText(board ? "Pengurus" : "");
  SpeedButton1->SetEnabled(!board);
}

void TFIbadahPelkat::ComboBox3Change(TObject*) {
  const bool external = kit::Chosen(*ComboBox3) == "Eksternal";
  SpeedButton2->SetEnabled(!external);
  Edit7->SetText(external ? "Eksternal" : "");
  Edit8->Clear();
  kit::SetEditable(*Edit8, external);
  if (external && Edit8->Showing()) Edit8->SetFocus();
}

void TFIbadahPelkat::Lookup(TSpeedButton& button, const char* instance, const char* hint, bool clearQuery) {
  if (clearQuery) DM->Q4->SQL.Clear();
  button.SetFlat(true);
  kit::OpenLookup(instance, hint);
}

void TFIbadahPelkat::SpeedButton4Click(TObject*) { Lookup(*SpeedButton4, "FCariNIJ", kMemberHint); }
void TFIbadahPelkat::SpeedButton1Click(TObject*) { Lookup(*SpeedButton1, "FCariNIJ", kMemberHint); }
void TFIbadahPelkat::SpeedButton3Click(TObject*) { Lookup(*SpeedButton3, "FCariNIJ", kBoardHint); }
void TFIbadahPelkat::SpeedButton5Click(TObject*) { Lookup(*SpeedButton5, "FCariNIJ", kBoardHint); }

void TFIbadahPelkat::SpeedButton2Click(TObject*) {
  const std::string k = kit::Chosen(*ComboBox3);
  if (k == "Pendeta") Lookup(*SpeedButton2, "FCariNIP", "[Ketik Nama Pendeta Disini]", true);
  else if (k == "Vikaris") Lookup(*SpeedButton2, "FCariNIV", "[Ketik Nama Vikaris Disini]", true);
  else if (k == "Mahasiswa Praktek")
    Lookup(*SpeedButton2, "FCariNIMPra", "[Ketik Nama Mahasiswa Praktek Disini]", true);
  else if (k == "Majelis") Lookup(*SpeedButton2, "FCariNIM", "[Ketik Nama Majelis Disini]", true);
  else if (k == "Pengurus") Lookup(*SpeedButton2, "FCariNIJ", kBoardHint, true);
}

void TFIbadahPelkat::Button1Click(TObject*) {
  for (TEdit* name : {Edit5, Edit8, Edit13, Edit14})
    if (name->Text().empty()) {
      kit::Refuse("Maaf...Silahkan lengkapi dahulu DATA yang mau di-input");
      return;
    }
  // Every number is converted before a statement runs: a wrong one writes nothing.
  const double kolekte = rtl::StrToFloat(Edit11->Text());
  const double syukur = rtl::StrToFloat(Edit12->Text());
  const int attendance = rtl::StrToInt(Edit15->Text());
  const std::string area = kit::Chosen(*ComboBox2), place = kit::Chosen(*ComboBox6), klass = kit::Chosen(*ComboBox5);

  kit::SetSQL(*DM->Q8, {"select wilayah,tempat,kelas from ibadah_pelkat_detail_temp", "where wilayah=:wi and tempat=:te",
                        "and kelas=:ks"});
  DM->Q8->ParamByName("wi")->AsString(area);
  DM->Q8->ParamByName("te")->AsString(place);
  DM->Q8->ParamByName("ks")->AsString(klass);
  DM->Q8->Open();
  const bool listed = !DM->Q8->IsEmpty();
  data::TZQuery& q = listed ? *DM->Q8 : *DM->Q7;
  if (listed) {
    kit::Refuse(rules::LineExistsText(area, place, klass));
    kit::SetSQL(q, {"update ibadah_pelkat_detail_temp set tuan_rumah=:tr,nama_tuan_rumah=:ntr,ayat=:ay,sts_pf=:sp,"
                    "pf=:pf,nama_pf=:np,liturgos=:li,nama_liturgos=:nl,pkt=:pkt,nama_pkt=:npkt,kolekte=:kl,"
                    "syukur=:sy,keterangan=:ke,jml_jemaat=:jj,sts_tuan_rumah=:str",
                    "where wilayah=:wi and tempat=:te", "and kelas=:ks"});
  } else {
    kit::SetSQL(q, {rules::PelkatLineInsert(kWork, false)});
  }
  const std::pair<const char*, std::string> texts[] = {
      {"wi", area},           {"tr", Edit4->Text()},  {"ntr", Edit5->Text()},  {"ay", Edit6->Text()},
      {"sp", kit::Chosen(*ComboBox3)}, {"pf", Edit7->Text()}, {"np", Edit8->Text()}, {"li", Edit9->Text()},
      {"nl", Edit13->Text()}, {"pkt", Edit10->Text()}, {"npkt", Edit14->Text()}, {"ke", Memo1->Text()},
      {"str", kit::Chosen(*ComboBox4)}, {"te", place}, {"ks", klass}};
  for (const auto& [param, value] : texts) q.ParamByName(param)->AsString(value);
  q.ParamByName("kl")->AsFloat(kolekte);
  q.ParamByName("sy")->AsFloat(syukur);
  q.ParamByName("jj")->AsInteger(attendance);
  q.ExecSQL();
  if (listed) kit::Inform(rules::LineChangedText(area));
  if (ComboBox2->Showing()) ComboBox2->SetFocus();
  RecomputeTotals();
}

void TFIbadahPelkat::DBGrid1DblClick(TObject*) {
  data::TZQuery& line = *DM->QTemp2;
  if (line.IsEmpty()) return;
  auto text = [&line](const char* column) { return line.FieldByName(column)->AsString(); };
  kit::SelectExact(*ComboBox2, text("wilayah"));
  kit::SelectExact(*ComboBox4, text("sts_tuan_rumah"));
  kit::SelectExact(*ComboBox6, text("tempat"));
  FillClasses();
  kit::SelectExact(*ComboBox5, text("kelas"));
  Edit4->SetText(text("tuan_rumah"));
  Edit5->SetText(text("nama_tuan_rumah"));
  kit::SelectExact(*ComboBox3, text("sts_pf"));
  Edit7->SetText(text("pf"));
  Edit8->SetText(text("nama_pf"));
  Edit9->SetText(text("liturgos"));
  Edit13->SetText(text("nama_liturgos"));
  Edit10->SetText(text("pkt"));
  Edit14->SetText(text("nama_pkt"));
  Edit6->SetText(text("ayat"));
  Edit15->SetText(text("jml_jemaat"));
  Edit11->SetText(rtl::FloatToStr(line.FieldByName("kolekte")->AsFloat()));
  Edit12->SetText(rtl::FloatToStr(line.FieldByName("syukur")->AsFloat()));
  Memo1->SetText(text("keterangan"));
}

void TFIbadahPelkat::Button2Click(TObject*) {
  if (!kit::Confirm("Anda yakin mau batalkan record ini ?")) return;
  data::TZQuery& line = *DM->QTemp2;
  auto text = [&line](const char* column) { return line.IsEmpty() ? std::string() : line.FieldByName(column)->AsString(); };
  kit::SetSQL(*DM->Q8, {"delete from ibadah_pelkat_detail_temp", "where wilayah=:wi and tempat=:te", "and kelas=:ks"});
  DM->Q8->ParamByName("wi")->AsString(text("wilayah"));
  DM->Q8->ParamByName("te")->AsString(text("tempat"));
  DM->Q8->ParamByName("ks")->AsString(text("kelas"));
  DM->Q8->ExecSQL();
  RecomputeTotals();
}

void TFIbadahPelkat::SpeedButton6Click(TObject*) {
  // The stored totals are those of the lines stored with them.
  RecomputeTotals();
  const auto saved = SaveServiceRow(
      rules::PelkatRecord(), *this, "IP", Edit1->Text(),
      [this](std::string_view p) -> std::string {
        if (p == "tk") return rtl::FloatToStr(totalKolekte_);
        if (p == "ts") return rtl::FloatToStr(totalSyukur_);
        throw std::logic_error("service column without a value: " + std::string(p));
      },
      // The stored lines become the listed ones: lines added, changed and removed alike.
      [](const TServiceSaved& s) {
        if (s.stored) {
          kit::SetSQL(*DM->Q3, {"delete from ibadah_pelkat_detail", "where kode=:ko"});
          DM->Q3->ParamByName("ko")->AsString(s.number);
          DM->Q3->ExecSQL();
        }
        kit::InsertEachRow(*DM->QTemp2, *DM->Q3, rules::PelkatLineInsert("ibadah_pelkat_detail", true),
                           LineParams(), {"ko", s.number});
      });
  if (!saved) return;
  if (!saved->stored) Edit1->SetText(saved->number);  // loads the stored lines back
  kit::Inform(saved->stored ? "Data Ibadah Pelkat berhasil di-ubah" : "Data Ibadah Pelkat berhasil di-input");
  FormActivate(this);
}

void TFIbadahPelkat::SpeedButton7Click(TObject*) {
  if (auto* f = dynamic_cast<TCustomForm*>(Application->FindComponent("FCariIbadahPelkat"))) f->ShowModal();
}
void TFIbadahPelkat::SpeedButton8Click(TObject*) { FormActivate(this); }
void TFIbadahPelkat::SpeedButton9Click(TObject*) { Close(); }

void TFIbadahPelkat::LoadService(data::TZQuery& row) {
  if (row.IsEmpty()) return;
  auto text = [&row](const char* column) { return row.FieldByName(column)->AsString(); };
  DateTimePicker1->SetDateTime(row.FieldByName("tgl")->AsDateTime());
  if (!row.FieldByName("jam")->IsNull()) DateTimePicker2->SetDateTime(row.FieldByName("jam")->AsDateTime());
  kit::SelectExact(*ComboBox1, text("pelkat"));
  // The classes offered are the reopened category's, so that a line added to it cannot
  // carry a class of the category shown before.
  FillClasses();
  Edit2->SetText(text("validasi"));
  kit::SetSQL(*DM->Q4, {"select nama_gabung from detail_kk", "where nij=:ni"});
  DM->Q4->ParamByName("ni")->AsString(Edit2->Text());
  DM->Q4->Open();
  Edit3->SetText(DM->Q4->IsEmpty() ? "" : DM->Q4->FieldByName("nama_gabung")->AsString());
  // The number loads the stored lines; the same number again loads them anew, so that
  // lines edited and not saved are not taken for the stored ones.
  const std::string number = text("kode");
  if (Edit1->Text() == number) Edit1Change(this);
  else Edit1->SetText(number);
  totalKolekte_ = row.FieldByName("total_kolekte")->AsFloat();
  totalSyukur_ = row.FieldByName("total_syukur")->AsFloat();
  ShowTotals();
}

}  // namespace worship
