#include "registry/SacramentRegister.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "registry/rules/Numbering.h"
#include "registry/rules/Sacraments.h"
#include "rtl/DateUtils.h"

namespace registry {

using namespace gui;
using namespace kit;
using app::DM;

TSacramentRegister::TSacramentRegister(rtl::TComponent* owner, const TSpec& spec) : TForm(owner), spec_(spec) {
  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(3000);
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

TEdit* TSacramentRegister::MemberNumber(TWinControl* group, const char* name, TSpeedButton*& button,
                                        const char* buttonName, int x, int y) {
  TEdit* e = MakeEdit(this, group, name, x, y, 150, false, true);
  e->Font().SetStyle(fsBold);
  SetEditable(*e, false);
  button = Make<TSpeedButton>(this, group, buttonName, x + 154, y, 26, 22);
  button->SetCaption("...");
  button->OnClick = [this, button](TObject*) { OpenMemberLookup(*button); };
  return e;
}

void TSacramentRegister::MakeSchedule(TWinControl* group, int x, int y, int step) {
  MakeLabel(this, group, "LabelTglPengembalaan", x, y + 3, "Tgl.Pengembalaan");
  DateTimePicker1 = MakePicker(this, group, "DateTimePicker1", x + 120, y, 110);
  MakeLabel(this, group, "LabelJamPengembalaan", x + 240, y + 3, "Jam");
  DateTimePicker3 = MakePicker(this, group, "DateTimePicker3", x + 270, y, 100);
  DateTimePicker3->SetKind(TDateTimeKind::dtkTime);
  y += step;
  MakeLabel(this, group, "LabelTglPelaksanaan", x, y + 3, "Tgl.Pelaksanaan");
  DateTimePicker2 = MakePicker(this, group, "DateTimePicker2", x + 120, y, 110);
  MakeLabel(this, group, "LabelJamPelaksanaan", x + 240, y + 3, "Jam");
  ComboBox2 = MakeList(this, group, "ComboBox2", x + 270, y, 120,
                       {rules::kServiceTimes[0], rules::kServiceTimes[1], rules::kServiceTimes[2],
                        rules::kServiceTimes[3]});
  y += step;
  MakeLabel(this, group, "LabelDilayani", x, y + 3, "Dilayani Oleh Pdt.");
  Edit24 = MakeEdit(this, group, "Edit24", x + 120, y, 270, true);
  Edit24->Font().SetStyle(fsBold);
}

void TSacramentRegister::MakeValidation(TWinControl* parent, int x, int y) {
  MakeLabel(this, parent, "LabelValidasi", x, y + 3, "Validasi Pelaksanaan");
  RadioButton3 = Make<TRadioButton>(this, parent, "RadioButton3", x + 130, y, 70, 20);
  RadioButton3->SetCaption("Sudah");
  RadioButton4 = Make<TRadioButton>(this, parent, "RadioButton4", x + 205, y, 70, 20);
  RadioButton4->SetCaption("Batal");
  for (TRadioButton* r : {RadioButton3, RadioButton4}) {
    r->Font().SetColor(clRed);
    r->Font().SetStyle(fsBold);
  }
}

void TSacramentRegister::MakeBar() {
  Panel3 = MakeActionBar(*this, "Panel3", 60,
                         {{&SpeedButton4, "SpeedButton4", "Simpan", [this](TObject* s) { SpeedButton4Click(s); }},
                          {&SpeedButton5, "SpeedButton5", "Cari", [this](TObject* s) { SpeedButton5Click(s); }},
                          {&SpeedButton6, "SpeedButton6", "Reset Form", [this](TObject* s) { SpeedButton6Click(s); }},
                          {&SpeedButton7, "SpeedButton7", "Close", [this](TObject* s) { SpeedButton7Click(s); }}});
  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  LimitLengths(spec_.record(), *this);
}

void TSacramentRegister::ApplyStatus(bool external) {
  auto edit = [this](const char* n) -> TEdit& { return *dynamic_cast<TEdit*>(FindComponent(n)); };
  for (const char* n : spec_.status.numbers) edit(n).SetText(external ? "Eksternal" : "Internal");
  for (const char* n : spec_.status.switched) {
    edit(n).Clear();
    SetEditable(edit(n), external);
  }
  for (const char* n : spec_.status.cleared) edit(n).Clear();
  for (const char* n : spec_.status.pickers) {
    auto* p = dynamic_cast<TDateTimePicker*>(FindComponent(n));
    p->SetDateTime(rtl::Now());
    p->SetEnabled(external);
  }
  for (TSpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton3}) b->SetEnabled(!external);
  StatusApplied(external);
}

void TSacramentRegister::FormActivate(TObject*) {
  Timer1->SetEnabled(false);
  ClearRecord(spec_.record(), *this);  // "[Auto]", Internal, schedule now, no flags, no validation
  ApplyStatus(false);
  DateTimePicker3->SetDateTime(rtl::Now());
  for (TSpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton3}) b->SetFlat(false);
}

void TSacramentRegister::RadioButton1Click(TObject*) { ApplyStatus(false); }
void TSacramentRegister::RadioButton2Click(TObject*) { ApplyStatus(true); }

void TSacramentRegister::OpenMemberLookup(TSpeedButton& button) {
  DM->Q4->SQL.Clear();
  button.SetFlat(true);
  OpenLookup("FCariNIJ", "[Ketik Nama Jemaat Disini]");
}

void SaveRegistration(const TRegistrationSave& s) {
  const std::string table = s.record.table;
  auto& q = s.query;
  SetSQL(q, {"select no_reg from " + table, "where no_reg=:nr"});
  q.ParamByName("nr")->AsString(s.number.Text());
  q.Open();
  const bool exists = q.RecordCount() > 0;
  if (!exists) {
    SetSQL(q, {"select * from " + table, "order by no_reg"});
    q.Open();
    // A counter past five digits, or a last number that does not begin with one, would
    // give a number that is malformed or taken: refused before anything is written.
    std::string number;
    try {
      number = rules::NextSacramentNumber(LastKey(q, "no_reg"), rtl::Now(), s.suffix);
    } catch (const rules::ENumberingError& e) {
      Refuse(e.Message());
      return;
    }
    s.number.SetText(number);
    if (s.numbered) s.numbered(number);
  }
  const auto statement = exists ? kit::rules::kUpdate : kit::rules::kInsert;
  try {
    SetRecordSQL(q, s.record, statement);
    BindRecord(s.record, s.form, q, statement);
    if (s.beforeWrite) s.beforeWrite();
    q.ExecSQL();
  } catch (...) {
    // Nothing was stored under the new number: saving again derives a fresh one.
    if (!exists) s.number.SetText("[Auto]");
    throw;
  }
  if (s.afterWrite) s.afterWrite();
  Inform(exists ? s.updated : s.inserted);
  Screen->SetCursor(crHourGlass);
  s.timer.SetEnabled(true);
}

void TSacramentRegister::SpeedButton4Click(TObject*) {
  SaveRegistration({.record = spec_.record(),
                    .form = *this,
                    .query = *DM->Q1,
                    .number = *Edit6,
                    .suffix = spec_.suffix,
                    .updated = spec_.updated,
                    .inserted = spec_.inserted,
                    .timer = *Timer1,
                    .numbered = [this](const std::string& n) { Numbered(n); },
                    .beforeWrite = [this] { BeforeWrite(); },
                    .afterWrite = [this] { AfterWrite(); }});
}

void TSacramentRegister::SpeedButton5Click(TObject*) {
  if (auto* search = dynamic_cast<TCustomForm*>(Application->FindComponent(spec_.search))) search->ShowModal();
}

void TSacramentRegister::SpeedButton6Click(TObject*) { FormActivate(this); }

void TSacramentRegister::SpeedButton7Click(TObject*) { Close(); }

void TSacramentRegister::Timer1Timer(TObject*) {
  FormActivate(this);
  Timer1->SetEnabled(false);
  Screen->SetCursor(crDefault);
}

}  // namespace registry
