#include "registry/UDaftarKawin.h"

#include "app/UDM.h"
#include "gui/Dialogs.h"
#include "kit/FormKit.h"
#include "kit/Photo.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "registry/SacramentRegister.h"
#include "registry/rules/Sacraments.h"

namespace registry {

using namespace gui;
using namespace kit;
using app::DM;

TFDaftarKawin* FDaftarKawin = nullptr;

namespace {

// The controls of one spouse block: the member number, the ten edits after it and the
// three pickers.
struct TSpouse {
  int number, firstPicker;
};
constexpr TSpouse kGroom{2, 1}, kBride{13, 4};

// One parents block: father, mother and guardian, each an edit run and a picker.
struct TParents {
  int father, mother, guardian;  // first edits (number, name, place / name, place)
  int pickers;                   // the father's picker; mother and guardian follow
};
constexpr TParents kGroomParents{24, 27, 30, 7}, kBrideParents{32, 35, 38, 10};

}  // namespace

TEdit* TFDaftarKawin::Edit(int n) { return dynamic_cast<TEdit*>(FindComponent("Edit" + std::to_string(n))); }
TDateTimePicker* TFDaftarKawin::Picker(int n) {
  return dynamic_cast<TDateTimePicker*>(FindComponent("DateTimePicker" + std::to_string(n)));
}

TFDaftarKawin::TFDaftarKawin(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FDaftarKawin",
                    .caption = "Pendaftaran >> Perkawinan >> Pendaftaran Perkawinan",
                    .width = 900,
                    .height = 600});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 200, 470, " Registrasi Pengantin ");
  MakeLabel(this, GroupBox1, "LabelNoReg", 10, 22, "No.Registrasi");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", 10, 40, 180, false, true);
  Edit1->Font().SetStyle(fsBold);
  Panel1 = Make<TPanel>(this, GroupBox1, "Panel1", 10, 72, 180, 200);
  Panel1->SetCaption("Photo Sepasang");
  Image1 = Make<TImage>(this, Panel1, "Image1", 2, 2, 176, 196);
  Image1->SetStretch(true);
  Button1 = MakeButton(this, GroupBox1, "Button1", 10, 278, 86, "Upload");
  Button2 = MakeButton(this, GroupBox1, "Button2", 104, 278, 86, "Reset");
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  SetupPhotoDialog(*OpenDialog1);
  Panel2 = Make<TPanel>(this, GroupBox1, "Panel2", 10, 316, 180, 60);
  MakeLabel(this, Panel2, "LabelValidasi", 8, 6, "Validasi Pelaksanaan");
  RadioButton3 = Make<TRadioButton>(this, Panel2, "RadioButton3", 8, 30, 70, 20);
  RadioButton3->SetCaption("Sudah");
  RadioButton4 = Make<TRadioButton>(this, Panel2, "RadioButton4", 90, 30, 70, 20);
  RadioButton4->SetCaption("Batal");
  for (TRadioButton* r : {RadioButton3, RadioButton4}) {
    r->Font().SetColor(clRed);
    r->Font().SetStyle(fsBold);
  }

  PageControl1 = Make<TPageControl>(this, this, "PageControl1", 220, 6, 670, 470);
  auto sheet = [this](const char* name, const char* caption) {
    auto* t = new TTabSheet(this);
    t->SetName(name);
    t->SetPageControl(PageControl1);
    t->SetCaption(caption);
    return t;
  };
  TabSheet1 = sheet("TabSheet1", "Pengantin Pria");
  TabSheet2 = sheet("TabSheet2", "Pengantin Wanita");
  TabSheet3 = sheet("TabSheet3", "Orang Tua/Wali");
  TabSheet4 = sheet("TabSheet4", "Saksi");
  TabSheet5 = sheet("TabSheet5", "Pemberkatan && Catatan Sipil");

  // The two spouse tabs.
  auto spouse = [this](TTabSheet* tab, const TSpouse& s, TRadioButton*& in, const char* inName, TRadioButton*& ex,
                       const char* exName, TSpeedButton*& button, const char* buttonName, int labels) {
    TRows r{.owner = this, .group = tab, .inputX = 200, .inputW = 300, .y = 12, .step = 30, .labels = labels,
            .labelDy = 4};
    r.Radios("Status Gereja :", {{&in, inName, "Internal"}, {&ex, exName, "Eksternal", 90}});
    const int top = r.Row("Nomor Induk Jemaat (NIJ)");
    TEdit* number = MakeEdit(this, tab, ("Edit" + std::to_string(s.number)).c_str(), 200, top, 150, false, true);
    number->Font().SetStyle(fsBold);
    button = Make<TSpeedButton>(this, tab, buttonName, 354, top, 26, 22);
    button->SetCaption("...");
    const int e = s.number;
    r.Edit(("Edit" + std::to_string(e + 1)).c_str(), "Nama", true);
    auto placeDate = [&](int edit, int picker, const char* caption) {
      const int y = r.Row(caption);
      MakeEdit(this, tab, ("Edit" + std::to_string(edit)).c_str(), 200, y, 180);
      MakePicker(this, tab, ("DateTimePicker" + std::to_string(picker)).c_str(), 386, y, 114);
    };
    placeDate(e + 2, s.firstPicker, "Tempat/Tgl.Lahir");
    r.Edit(("Edit" + std::to_string(e + 3)).c_str(), "Pekerjaan");
    r.Edit(("Edit" + std::to_string(e + 4)).c_str(), "Alamat");
    r.Edit(("Edit" + std::to_string(e + 5)).c_str(), "Sektor Pelayanan", false, false, 80);
    r.Edit(("Edit" + std::to_string(e + 6)).c_str(), "No.Telpon");
    r.Edit(("Edit" + std::to_string(e + 7)).c_str(), "Jemaat");
    placeDate(e + 8, s.firstPicker + 1, "Tempat/Tgl.Baptis");
    placeDate(e + 9, s.firstPicker + 2, "Tempat/Tgl.Sidi");
    r.Edit(("Edit" + std::to_string(e + 10)).c_str(), "Suku Bangsa", true, false, 80);
  };
  spouse(TabSheet1, kGroom, RadioButton1, "RadioButton1", RadioButton2, "RadioButton2", SpeedButton1, "SpeedButton1",
         10);
  spouse(TabSheet2, kBride, RadioButton9, "RadioButton9", RadioButton10, "RadioButton10", SpeedButton2,
         "SpeedButton2", 30);
  // Only the groom's nationality is held to its three capitals.
  Edit(12)->SetMaxLength(3);
  Edit(23)->SetCharCase(TEditCharCase::ecNormal);
  MakeLabel(this, TabSheet1, "LabelSukuHint", 290, Edit(12)->Top() + 4, "(Ex. WNI/WNA)");

  // The parents tab: each side its own status and its own parents-or-guardian choice.
  auto parents = [this](int x, const char* caption, const TParents& p, TRadioButton*& in, const char* inName,
                        TRadioButton*& ex, const char* exName, TRadioButton*& both, const char* bothName,
                        TRadioButton*& guardian, const char* guardianName, TSpeedButton*& fatherButton,
                        const char* fatherButtonName, TSpeedButton*& motherButton, const char* motherButtonName,
                        int labels) {
    auto* status = Make<TPanel>(this, TabSheet3, (std::string("PanelStatus") + inName).c_str(), x, 8, 320, 30);
    MakeLabel(this, status, (std::string("LabelStatus") + inName).c_str(), 6, 7, "Status Gereja :");
    in = Make<TRadioButton>(this, status, inName, 110, 5, 80, 20);
    in->SetCaption("Internal");
    ex = Make<TRadioButton>(this, status, exName, 200, 5, 90, 20);
    ex->SetCaption("Eksternal");
    auto* group = MakeGroup(this, TabSheet3, (std::string("GroupBoxOrtu") + inName).c_str(), x, 44, 320, 390,
                            caption);
    both = Make<TRadioButton>(this, group, bothName, 10, 20, 90, 20);
    both->SetCaption("Orang Tua");
    guardian = Make<TRadioButton>(this, group, guardianName, 110, 20, 90, 20);
    guardian->SetCaption("Wali");
    TRows r{.owner = this, .group = group, .labelX = 10, .inputX = 120, .inputW = 190, .y = 50, .step = 30,
            .labels = labels, .labelDy = 4};
    auto number = [&](int edit, const char* cap, TSpeedButton*& b, const char* bName) {
      const int y = r.Row(cap);
      MakeEdit(this, group, ("Edit" + std::to_string(edit)).c_str(), 120, y, 150, false, true)->Font().SetStyle(fsBold);
      b = Make<TSpeedButton>(this, group, bName, 274, y, 26, 22);
      b->SetCaption("...");
    };
    auto placeDate = [&](int edit, int picker) {
      const int y = r.Row("Tempat/Tgl.Lahir");
      MakeEdit(this, group, ("Edit" + std::to_string(edit)).c_str(), 120, y, 90);
      MakePicker(this, group, ("DateTimePicker" + std::to_string(picker)).c_str(), 214, y, 96);
    };
    number(p.father, "NIJ Ayah", fatherButton, fatherButtonName);
    r.Edit(("Edit" + std::to_string(p.father + 1)).c_str(), "Nama Ayah/Wali", true);
    placeDate(p.father + 2, p.pickers);
    number(p.mother, "NIJ Ibu", motherButton, motherButtonName);
    r.Edit(("Edit" + std::to_string(p.mother + 1)).c_str(), "Nama Ibu", true);
    placeDate(p.mother + 2, p.pickers + 1);
    r.Edit(("Edit" + std::to_string(p.guardian)).c_str(), "Nama Wali", true);
    placeDate(p.guardian + 1, p.pickers + 2);
  };
  parents(8, " Orang Tua/Wali Pria ", kGroomParents, RadioButton11, "RadioButton11", RadioButton12, "RadioButton12",
          RadioButton5, "RadioButton5", RadioButton6, "RadioButton6", SpeedButton3, "SpeedButton3", SpeedButton9,
          "SpeedButton9", 50);
  parents(336, " Orang Tua/Wali Wanita ", kBrideParents, RadioButton13, "RadioButton13", RadioButton14,
          "RadioButton14", RadioButton7, "RadioButton7", RadioButton8, "RadioButton8", SpeedButton4, "SpeedButton4",
          SpeedButton10, "SpeedButton10", 70);

  // Witnesses.
  for (auto [x, caption, first, labels] : {std::tuple{8, " Saksi Pria ", 40, 90}, {336, " Saksi Wanita ", 44, 95}}) {
    auto* g = MakeGroup(this, TabSheet4, (std::string("GroupBoxSaksi") + std::to_string(first)).c_str(), x, 8, 320,
                        150, caption);
    TRows r{.owner = this, .group = g, .labelX = 10, .inputX = 100, .inputW = 210, .y = 22, .step = 30,
            .labels = labels, .labelDy = 4};
    r.Edit(("Edit" + std::to_string(first)).c_str(), "Nama Saksi", true);
    TEdit* age = r.Edit(("Edit" + std::to_string(first + 1)).c_str(), "Umur", false, false, 50);
    age->OnKeyPress = [](TObject*, wchar_t& key) { DigitsOnly(key); };
    r.Edit(("Edit" + std::to_string(first + 2)).c_str(), "Pekerjaan");
    r.Edit(("Edit" + std::to_string(first + 3)).c_str(), "Alamat");
  }

  // The ceremonies.
  auto ceremony = [this](int y, const char* name, const char* caption, int place, int picker, int timePicker,
                         int by, int labels) {
    auto* g = MakeGroup(this, TabSheet5, name, 8, y, 650, timePicker ? 90 : 56, caption);
    MakeLabel(this, g, ("Label" + std::to_string(labels)).c_str(), 10, 26, "Tempat/Tgl.");
    MakeEdit(this, g, ("Edit" + std::to_string(place)).c_str(), 100, 22, 300);
    MakePicker(this, g, ("DateTimePicker" + std::to_string(picker)).c_str(), 406, 22, 114);
    if (!timePicker) return;
    MakeLabel(this, g, ("Label" + std::to_string(labels + 1)).c_str(), 10, 58, "Jam");
    MakePicker(this, g, ("DateTimePicker" + std::to_string(timePicker)).c_str(), 100, 54, 100)
        ->SetKind(TDateTimeKind::dtkTime);
    MakeLabel(this, g, ("Label" + std::to_string(labels + 2)).c_str(), 220, 58, "Dilayani Oleh");
    MakeEdit(this, g, ("Edit" + std::to_string(by)).c_str(), 310, 54, 330, true);
  };
  ceremony(8, "GroupBoxCapil", " Catatan Sipil ", 48, 13, 16, 50, 100);
  ceremony(104, "GroupBoxPemberkatan", " Pemberkatan ", 51, 14, 17, 53, 110);
  ceremony(200, "GroupBoxPengembalaan", " Pengembalaan ", 54, 15, 0, 0, 120);
  SpeedButton11 = MakeSpeedButton(this, TabSheet5, "SpeedButton11", 8, 270, "Generate Majelis yang Bertugas");
  SpeedButton11->SetWidth(240);
  int noteY = 300;
  for (const char* note : {"*Dibutuhkan Algoritma Penentuan", "1. Sesuai Sektor Pelayanan", "2. Jika dari Gereja Eksternal"}) {
    MakeLabel(this, TabSheet5, ("LabelCatatan" + std::to_string(noteY)).c_str(), 8, noteY, note);
    noteY += 18;
  }
  SpeedButton11->OnClick = [](TObject*) { ShowMessage("Project Berikutnya ya...!"); };

  MakeActionBar(*this, "Panel3", 60,
                {{&SpeedButton5, "SpeedButton5", "Simpan", [this](TObject* s) { SpeedButton5Click(s); }},
                 {&SpeedButton6, "SpeedButton6", "Cari",
                  [](TObject*) {
                    if (auto* f = dynamic_cast<TCustomForm*>(Application->FindComponent("FCariDaftarNikah")))
                      f->ShowModal();
                  }},
                 {&SpeedButton7, "SpeedButton7", "Reset Form", [this](TObject* s) { FormActivate(s); }},
                 {&SpeedButton8, "SpeedButton8", "Close", [this](TObject*) { Close(); }}});

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(3000);
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };

  RadioButton1->OnClick = [this](TObject*) { SpouseMode(false, false); };
  RadioButton2->OnClick = [this](TObject*) { SpouseMode(false, true); };
  RadioButton9->OnClick = [this](TObject*) { SpouseMode(true, false); };
  RadioButton10->OnClick = [this](TObject*) { SpouseMode(true, true); };
  for (TRadioButton* r : {RadioButton5, RadioButton6, RadioButton11, RadioButton12})
    r->OnClick = [this](TObject*) { ParentsMode(false); };
  for (TRadioButton* r : {RadioButton7, RadioButton8, RadioButton13, RadioButton14})
    r->OnClick = [this](TObject*) { ParentsMode(true); };
  for (TSpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton9, SpeedButton10})
    b->OnClick = [this, b](TObject*) { OpenMemberLookup(*b); };
  Button1->OnClick = [this](TObject*) { UploadPhoto(*OpenDialog1, *Image1); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  LimitLengths(rules::MarriageRecord(), *this);
}

void TFDaftarKawin::SpouseMode(bool bride, bool external) {
  const TSpouse& s = bride ? kBride : kGroom;
  Edit(s.number)->SetText(external ? "Eksternal" : "Internal");
  SetEditable(*Edit(s.number), false);
  for (int i = 1; i <= 10; ++i) {
    Edit(s.number + i)->Clear();
    SetEditable(*Edit(s.number + i), external);
  }
  for (int i = 0; i < 3; ++i) {
    Picker(s.firstPicker + i)->SetDateTime(rtl::Now());
    Picker(s.firstPicker + i)->SetEnabled(external);
  }
  (bride ? SpeedButton2 : SpeedButton1)->SetEnabled(!external);
}

void TFDaftarKawin::ParentsMode(bool bride) {
  const TParents& p = bride ? kBrideParents : kGroomParents;
  const bool guardian = (bride ? RadioButton8 : RadioButton6)->Checked();
  const bool external = (bride ? RadioButton14 : RadioButton12)->Checked();
  const char* number = guardian ? "Wali" : external ? "Eksternal" : "Internal";
  // Typed parents are writable; a guardian is typed alone; members come from the lookup.
  const bool parentsTyped = !guardian && external;
  for (int n : {p.father, p.mother}) {
    Edit(n)->SetText(number);
    SetEditable(*Edit(n), false);
    for (int i : {1, 2}) {
      Edit(n + i)->Clear();
      SetEditable(*Edit(n + i), parentsTyped);
    }
  }
  for (int i : {0, 1}) {
    Edit(p.guardian + i)->Clear();
    SetEditable(*Edit(p.guardian + i), guardian);
  }
  for (int i = 0; i < 3; ++i) Picker(p.pickers + i)->SetDateTime(rtl::Now());
  Picker(p.pickers)->SetEnabled(parentsTyped);
  Picker(p.pickers + 1)->SetEnabled(parentsTyped);
  Picker(p.pickers + 2)->SetEnabled(guardian);
  const bool lookups = !guardian && !external;
  (bride ? SpeedButton4 : SpeedButton3)->SetEnabled(lookups);
  (bride ? SpeedButton10 : SpeedButton9)->SetEnabled(lookups);
}

void TFDaftarKawin::FormActivate(TObject*) {
  ShowDefaultPhoto(*DM->Q1, *Image1, "foto_nikah");
  PageControl1->SetActivePage(TabSheet1);
  Timer1->SetEnabled(false);
  ClearRecord(rules::MarriageRecord(), *this);  // "[Auto]", every status Internal, no validation
  for (TRadioButton* r : {RadioButton5, RadioButton7}) r->SetChecked(true);
  SpouseMode(false, false);
  SpouseMode(true, false);
  ParentsMode(false);
  ParentsMode(true);
  for (TSpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton9, SpeedButton10})
    b->SetFlat(false);
}

void TFDaftarKawin::OpenMemberLookup(TSpeedButton& button) {
  DM->Q4->SQL.Clear();
  button.SetFlat(true);
  OpenLookup("FCariNIJ", "[Ketik Nama Jemaat Disini]");
}

void TFDaftarKawin::Button2Click(TObject*) {
  ResetPhotoOrClose(*this, *Image1,
                    "Foto tidak dapat di-Reset! Silahkan Masukkan Foto Default Terlebih dahulu. Form Pendaftaran "
                    "Nikah akan tertutup",
                    "foto_nikah");
}

void TFDaftarKawin::SpeedButton5Click(TObject*) {
  SaveRegistration({.record = rules::MarriageRecord(),
                    .form = *this,
                    .query = *DM->Q7,
                    .number = *Edit1,
                    .suffix = rules::kMarriageSuffix,
                    .updated = "Data Pendaftaran Nikah berhasil di-ubah",
                    .inserted = "Data Pendaftaran Nikah berhasil di-input",
                    .timer = *Timer1});
}

void TFDaftarKawin::Timer1Timer(TObject*) {
  FormActivate(this);
  Timer1->SetEnabled(false);
  Screen->SetCursor(crDefault);
}

}  // namespace registry
