#include "shell/Upantra.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "kit/FormKit.h"
#include "app/UDM.h"
#include "gui/Com.h"
#include "gui/Dialogs.h"
#include "rtl/Utf.h"
#include "rtl/SysUtils.h"
#include "shell/ULogin.h"
#include "shell/rules/Dashboard.h"

namespace shell {

using namespace gui;
using app::DM;

TFMenu* FMenu = nullptr;


namespace {
constexpr TColor kSilver = static_cast<TColor>(0xC0C0C0);
constexpr TColor kNavy = static_cast<TColor>(0x800000);
}  // namespace

TMenuItem* TFMenu::Item(TMenuItem* parent, const char* name, const char* caption, bool enabled) {
  auto* m = new TMenuItem(this);
  if (name && *name) m->SetName(name);
  m->SetCaption(caption);
  m->SetEnabled(enabled);
  parent->Add(m);
  return m;
}

TFMenu::TFMenu(rtl::TComponent* owner) : TForm(owner) {
  SetName("FMenu");
  SetCaption("Sistem Informasi Manajemen Selvaran [KORVAN] : [Tim Pengembang KORVAN]");
  BorderStyle = TFormBorderStyle::bsSingle;
  BorderIcons = biSystemMenu;
  WindowState = TWindowState::wsMaximized;
  SetColor(clSilver);
  Font().SetName("MS Reference Sans Serif");
  Font().SetHeight(-12);
  SetBounds(0, 0, 1024, 740);
  BuildMenu();
  BuildHeader();
  BuildToolbar();
  BuildDashboard();

  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TFMenu::BuildMenu() {
  // One row an entry, in menu order: level (0 on the bar), name, caption, enabled, the
  // window it opens by instance name or the handler it runs, and the field that keeps
  // it. An entry belongs to the nearest row above it one level up.
  struct TMenuRow {
    int level;
    const char* name;
    const char* caption;
    bool enabled = true;
    const char* window = nullptr;
    void (TFMenu::*handler)(TObject*) = nullptr;
    TMenuItem* TFMenu::*field = nullptr;
  };
  // clang-format off
  static const TMenuRow kRows[] = {
      {0, "Master1", "Master", true, nullptr, &TFMenu::Master1Click, &TFMenu::Master1},
      {1, "Pendeta1", "Pendeta", true, nullptr, &TFMenu::Pendeta1Click, &TFMenu::Pendeta1},
      {1, "Vikaris1", "Vikaris", true, nullptr, &TFMenu::Vikaris1Click, &TFMenu::Vikaris1},
      {1, "Majelis1", "Majelis", true, nullptr, &TFMenu::Majelis1Click, &TFMenu::Majelis1},
      {1, "PHMJ1", "PHMJ", true, nullptr, &TFMenu::PHMJ1Click, &TFMenu::PHMJ1},
      {1, "MahasiswaPraktek1", "Mahasiswa Praktek", true, nullptr, &TFMenu::MahasiswaPraktek1Click, &TFMenu::MahasiswaPraktek1},
      {1, "KordinatorSektor1", "Kordinator Sektor", false},
      {1, "PengurusPELKAT1", "Pengurus PELKAT"},
      {1, "Komisi1", "Komisi"},
      {1, "BPPJ1", "BPPJ"},
      {1, "PanitiaKegiatan1", "Panitia Kegiatan"},
      {1, "N1", "-"},
      {1, "emaTahunan1", "Tema Tahunan", true, "FTemaTahunan", nullptr, &TFMenu::emaTahunan1},
      {0, "File1", "File", true, nullptr, nullptr, &TFMenu::File1},
      {1, "WargaJemaat1", "Warga Jemaat", true, nullptr, &TFMenu::WargaJemaat1Click, &TFMenu::WargaJemaat1},
      {1, "Majelis3", "Majelis", true, nullptr, &TFMenu::Majelis3Click, &TFMenu::Majelis3},
      {2, "GroupMajelis1", "Group Majelis", true, nullptr, &TFMenu::GroupMajelis1Click, &TFMenu::GroupMajelis1},
      {2, "JadwalPelayanan1", "Jadwal Pelayanan", false},
      {2, "CutiPelayanan1", "Cuti Pelayanan", false},
      {1, "AttestasiPindah1", "Attestasi Pindah", true, nullptr, &TFMenu::AttestasiPindah1Click, &TFMenu::AttestasiPindah1},
      {1, "N2", "-"},
      {1, "PeminjamanBarang1", "Peminjaman Barang", true, nullptr, &TFMenu::PeminjamanBarang1Click, &TFMenu::PeminjamanBarang1},
      {1, "N3", "-"},
      {1, "PembayaranMPAG1", "Pembayaran MPAG", true, "FMPAG", nullptr, &TFMenu::PembayaranMPAG1},
      {0, "Ibadah1", "Ibadah", true, nullptr, &TFMenu::Ibadah1Click, &TFMenu::Ibadah1},
      {1, "H1", "Hari Minggu", true, "FIbadahMinggu", nullptr, &TFMenu::H1},
      {1, "S5", "Sektor Pelayanan", true, "FIbadahSektor", nullptr, &TFMenu::S5},
      {1, "P13", "Pelayanan Kategorial", true, "FIbadahPelkat", nullptr, &TFMenu::P13},
      {1, "P14", "Pengucapan Syukur", true, "FIbadahSyukur", nullptr, &TFMenu::P14},
      {1, "H2", "Hari Raya Gerejawi", true, "FIbadahHariRayaGerejawi", nullptr, &TFMenu::H2},
      {0, "Pendaftaran1", "Sakramen", true, nullptr, &TFMenu::Pendaftaran1Click, &TFMenu::Pendaftaran1},
      {1, "Baptisan1", "Baptisan"},
      {2, "PermohonanBaptisDiluar1", "Permohonan Baptis Diluar", false},
      {2, "PendaftaranBaptis1", "Pendaftaran Baptis", true, "FDaftarBaptis", nullptr, &TFMenu::PendaftaranBaptis1},
      {1, "KatekisasiSidi1", "Katekisasi/Sidi", true, nullptr, &TFMenu::KatekisasiSidi1Click, &TFMenu::KatekisasiSidi1},
      {1, "Perkawinan1", "Perkawinan"},
      {2, "PermohonanPerkawinanDiluar1", "Permohonan Perkawinan Diluar", false},
      {2, "PendaftaranPerkawinan1", "Pendaftaran Perkawinan", true, nullptr, &TFMenu::PendaftaranPerkawinan1Click, &TFMenu::PendaftaranPerkawinan1},
      {0, "EVote1", "E-Vote", false},
      {1, "", "PHMJ"},
      {2, "", "Pemungutan Suara"},
      {2, "", "-"},
      {2, "", "Setup"},
      {2, "", "Penghitungan Suara"},
      {1, "", "PELKAT"},
      {2, "", "Pemungutan Suara"},
      {2, "", "-"},
      {2, "", "Setup"},
      {2, "", "Penghitungan Suara"},
      {1, "", "Majelis"},
      {2, "", "Pemungutan Suara"},
      {2, "", "-"},
      {2, "", "Setup"},
      {2, "", "Penghitungan Suara"},
      {0, "EProja1", "E-Proja", false},
      {1, "", "Input Rencana Program"},
      {2, "", "Komisi"},
      {2, "", "Pelkat"},
      {2, "", "Sekretariat"},
      {1, "", "RPMJ - PHMJ"},
      {1, "", "Lokakarya"},
      {1, "", "-"},
      {1, "", "Program Kerja"},
      {0, "EBPPJ1", "E-BPPJ", false},
      {1, "", "Triwulan I"},
      {1, "", "Triwulan II"},
      {1, "", "Triwulan III"},
      {1, "", "Triwulan IV"},
      {0, "Report1", "Report", true, nullptr, &TFMenu::Report1Click, &TFMenu::Report1},
      {1, "WargaJemaat2", "Warga Jemaat"},
      {2, "Jemaat1", "Jemaat"},
      {3, "K3", "Kepala Keluarga", true, "FRepKK", nullptr, &TFMenu::K3},
      {3, "SemuaJemaat1", "Semua Jemaat", true, "FRepWargaJemaat", nullptr, &TFMenu::SemuaJemaat1},
      {3, "PerSektor1", "Per Sektor", true, "FRepJemaatPerSektor", nullptr, &TFMenu::PerSektor1},
      {3, "PerPelKat1", "Per PelKat", true, "FRepJemaatPerPelkat", nullptr, &TFMenu::PerPelKat1},
      {3, "PerGolonganDarah1", "Per Golongan Darah", true, "FRepJemaatPerGolDarah", nullptr, &TFMenu::PerGolonganDarah1},
      {3, "JemaatMeninggal1", "Jemaat Meninggal", true, "FRepJemaatStsHidup", nullptr, &TFMenu::JemaatMeninggal1},
      {2, "UlangTahun1", "Ulang Tahun", true, "FLapJemaatUlangTahun", nullptr, &TFMenu::UlangTahun1},
      {1, "Persembahan1", "Persembahan"},
      {2, "IbadahMinggu2", "Ibadah Minggu", true, "FRepPersembahanIbadahMinggu", nullptr, &TFMenu::IbadahMinggu2},
      {2, "IbadahSektor2", "Ibadah Sektor", true, "FRepPersembahanIbadahSektor", nullptr, &TFMenu::IbadahSektor2},
      {2, "IbadahPelKat2", "Ibadah PelKat", true, "FRepPersembahanIbadahPelkat", nullptr, &TFMenu::IbadahPelKat2},
      {2, "IbadahSyukur2", "Ibadah Syukur", true, "FRepPersembahanIbadahSyukur", nullptr, &TFMenu::IbadahSyukur2},
      {2, "IbadahHariRayaGerejawi2", "Ibadah Hari Raya Gerejawi", true, "FRepPersembahanIbadahHariRayaGerejawi", nullptr, &TFMenu::IbadahHariRayaGerejawi2},
      {1, "Majelis2", "Majelis"},
      {2, "SemuaMajelis1", "Semua Majelis", true, "FRepMajelis", nullptr, &TFMenu::SemuaMajelis1},
      {2, "PerWilayahSektor1", "Per Wilayah/Sektor", true, "FRepMajelisPerSektor", nullptr, &TFMenu::PerWilayahSektor1},
      {2, "PerJenisKelamin1", "Per Jenis Kelamin", true, "FRepMajelisPerSex", nullptr, &TFMenu::PerJenisKelamin1},
      {2, "PerJabatan1", "Per Jabatan", true, "FRepMajelisPerJabatan", nullptr, &TFMenu::PerJabatan1},
      {2, "PerStatusAktif1", "Per Status Aktif", true, "FRepMajelisPerStatusAktif", nullptr, &TFMenu::PerStatusAktif1},
      {1, "MPAG1", "MPAG", true, "FRepMPAG", nullptr, &TFMenu::MPAG1},
      {0, "ools1", "Tools", true, nullptr, &TFMenu::ools1Click, &TFMenu::ools1},
      {1, "FotoDefault1", "Foto Default", true, "FFotoDefault", nullptr, &TFMenu::FotoDefault1},
      {1, "Pengguna1", "Pengguna"},
      {2, "AdministrasiUser1", "Administrasi User", true, nullptr, &TFMenu::AdministrasiUser1Click, &TFMenu::AdministrasiUser1},
      {2, "N4", "-"},
      {2, "SettingHakAkses1", "Setting Hak Akses", true, nullptr, &TFMenu::SettingHakAkses1Click, &TFMenu::SettingHakAkses1},
      {1, "N5", "-"},
      {1, "G1", "Setup Gereja", true, "FGereja", nullptr, &TFMenu::G1},
      {1, "N6", "-"},
      {1, "A1", "Automation Support", true, nullptr, &TFMenu::A1Click, &TFMenu::A1},
      {1, "A2", "Auto KORVAN Update", true, nullptr, &TFMenu::A2Click, &TFMenu::A2},
      {1, "N7", "-"},
      {1, "B2", "Backup Database", false, "FBackupDB", nullptr, &TFMenu::B2},
      {0, "Maker1", "Tim Pengembang", false},
      {1, "", "Decision Support System"},
      {0, "About1", "About", false, nullptr, nullptr, &TFMenu::About1},
      {1, "WhatisKORVAN1", "What is KORVAN ?", true, "FWhatisKorvan", nullptr, &TFMenu::WhatisKORVAN1},
      {1, "DeveloperTeam1", "Developer Team", true, "FDeveloper", nullptr, &TFMenu::DeveloperTeam1},
      {1, "N8", "-"},
      {1, "Logout1", "Logout", true, nullptr, &TFMenu::Logout1Click, &TFMenu::Logout1},
  };
  // clang-format on
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  std::vector<TMenuItem*> parents{MainMenu1->Items()};
  for (const TMenuRow& r : kRows) {
    parents.resize(r.level + 1);
    TMenuItem* m = Item(parents.back(), r.name, r.caption, r.enabled);
    parents.push_back(m);
    if (r.field) this->*r.field = m;
    if (r.window) m->OnClick = [this, window = r.window](TObject*) { Open(window); };
    if (r.handler) m->OnClick = [this, h = r.handler](TObject* s) { (this->*h)(s); };
  }
  SetMenu(MainMenu1);
}

void TFMenu::BuildHeader() {
  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetParent(this);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->SetHeight(110);
  Panel2->SetColor(clBlue);
  Panel2->SetCaption("");

  auto label = [this](TWinControl* parent, const char* name, const char* caption, int x, int y, TColor color) {
    TLabel* l = kit::MakeLabel(this, parent, name, x, y, caption);
    l->Font().SetColor(color);
    return l;
  };
  Label5 = label(Panel2, "Label5", "SISTEM INFORMASI MANAJEMEN SELVARAN", 16, 12, clWhite);
  Label5->Font().SetHeight(-20);
  Label5->Font().SetStyle(fsBold);
  Label6 = label(Panel2, "Label6", "KORVAN 8.20", 16, 44, clWhite);
  Label6->Font().SetHeight(-14);
  Label10 = label(Panel2, "Label10", "", 820, 20, clWhite);
  Label10->Font().SetHeight(-28);

  Panel3 = new TPanel(this);
  Panel3->SetName("Panel3");
  Panel3->SetParent(Panel2);
  Panel3->SetAlign(TAlign::alBottom);
  Panel3->SetHeight(28);
  Panel3->SetColor(kNavy);
  Panel3->SetCaption("");
  Label1 = label(Panel3, "Label1", "Tema Tahunan :", 16, 6, kSilver);
  Label3 = label(Panel3, "Label3",
                 "Membangun Spiritualitas Damai yang Menciptakan Pendamai (Yakobus 3:13-18)", 120, 6, kSilver);
  Label2 = label(Panel3, "Label2", "Username :", 760, 6, kSilver);
  Label4 = label(Panel3, "Label4", "", 840, 6, kSilver);
  Label4->SetCursor(crHandPoint);
  Label4->OnClick = [this](TObject* s) { Label4Click(s); };
  Label4->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { Label4MouseMove(s, sh, x, y); };
  Label4->OnMouseLeave = [this](TObject* s) { Label4MouseLeave(s); };

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->Panels().Add()->SetWidth(600);
  StatusBar1->Panels()[0]->SetText("KORVAN 8.20 - Sistem Informasi Manajemen Selvaran");
}

void TFMenu::BuildToolbar() {
  Panel6 = new TPanel(this);
  Panel6->SetName("Panel6");
  Panel6->SetParent(this);
  Panel6->SetAlign(TAlign::alTop);
  Panel6->SetHeight(52);
  Panel6->SetCaption("");
  struct Def {
    TSpeedButton** field;
    const char* name;
    const char* hint;
    const char* caption;
    void (TFMenu::*handler)(TObject*);
  };
  const Def defs[] = {
      {&SpeedButton1, "SpeedButton1", "Warga Jemaat", "Jemaat", &TFMenu::SpeedButton1Click},
      {&SpeedButton2, "SpeedButton2", "Attestasi Pindah", "Attestasi", &TFMenu::SpeedButton2Click},
      {&SpeedButton3, "SpeedButton3", "Peminjaman Barang", "Pinjam", &TFMenu::SpeedButton3Click},
      {&SpeedButton4, "SpeedButton4", "Ibadah Minggu", "Minggu", &TFMenu::SpeedButton4Click},
      {&SpeedButton5, "SpeedButton5", "Ibadah Sektor", "Sektor", &TFMenu::SpeedButton5Click},
      {&SpeedButton6, "SpeedButton6", "Ibadah Pelkat", "Pelkat", &TFMenu::SpeedButton6Click},
      {&SpeedButton7, "SpeedButton7", "Ibadah Syukur", "Syukur", &TFMenu::SpeedButton7Click},
      {&SpeedButton8, "SpeedButton8", "Ibadah Hari Raya Gerejawi", "Hari Raya", &TFMenu::SpeedButton8Click},
      {&SpeedButton9, "SpeedButton9", "Pendaftaran Baptisan", "Baptis", &TFMenu::SpeedButton9Click},
      {&SpeedButton10, "SpeedButton10", "Pendaftaran Ketekisasi/Sidi", "Sidi", &TFMenu::SpeedButton10Click},
      {&SpeedButton11, "SpeedButton11", "Pendaftaran Perkawinan", "Nikah", &TFMenu::SpeedButton11Click},
  };
  int x = 8;
  for (const Def& d : defs) {
    auto* b = new TSpeedButton(this);
    b->SetName(d.name);
    b->SetParent(Panel6);
    b->SetBounds(x, 4, 80, 44);
    b->SetFlat(true);
    b->SetCaption(d.caption);
    b->Hint = d.hint;
    b->ShowHint = true;
    b->SetCursor(crHandPoint);
    b->OnClick = [this, h = d.handler](TObject* s) { (this->*h)(s); };
    *d.field = b;
    x += 84;
  }
}

void TFMenu::BuildDashboard() {
  Panel5 = new TPanel(this);
  Panel5->SetName("Panel5");
  Panel5->SetParent(this);
  Panel5->SetAlign(TAlign::alTop);
  Panel5->SetHeight(28);
  Panel5->SetColor(kNavy);
  Panel5->Font().SetColor(clWhite);
  Panel5->Font().SetStyle(fsBold);
  Panel5->SetCaption("Dashboard");

  Panel4 = new TPanel(this);
  Panel4->SetName("Panel4");
  Panel4->SetParent(this);
  Panel4->SetAlign(TAlign::alClient);
  Panel4->SetBevelOuter(TBevelCut::bvNone);
  Panel4->SetCaption("");
  Panel4->OnResize = [this](TObject*) { PlaceDashboard(); };

  Label11 = kit::MakeLabel(this, Panel4, "Label11", 16, 8, "Label11");
  Label11->Font().SetHeight(-16);
  Label11->Font().SetStyle(fsBold);
  Label7 = kit::MakeLabel(this, Panel4, "Label7", 16, 32, "*Status : Hidup");
  Label9 = kit::MakeLabel(this, Panel4, "Label9", 0, 12, "View Chart :");
  ComboBox1 = kit::MakeList(this, Panel4, "ComboBox1", 0, 8, 220, {});
  for (const TOfferingChart& c : OfferingCharts()) ComboBox1->Items().Add(c.kind);
  ComboBox1->SetItemIndex(0);
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  Label8 = kit::MakeLabel(this, Panel4, "Label8", 0, 32, "*Status : Hidup");

  auto makeChart = [this](const char* name, const std::string& title, TColor titleColor) {
    auto* c = new TChart(this);
    c->SetName(name);
    c->SetParent(Panel4);
    c->SetTitle(title);
    c->TitleFont().SetColor(titleColor);
    return c;
  };
  Chart1 = makeChart("Chart1", "Jumlah Jemaat Berdasarkan Pelayanan Kategorial", clBlack);
  Series1 = new TPieSeries(this);
  Series1->SetName("Series1");
  Series1->Title = "Pelkat";
  Series1->SetParentChart(Chart1);

  auto makeTimer = [this](const char* name, unsigned interval, void (TFMenu::*handler)(TObject*)) {
    auto* t = new TTimer(this);
    t->SetName(name);
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->OnTimer = [this, handler](TObject* s) { (this->*handler)(s); };
    return t;
  };
  Timer2 = makeTimer("Timer2", 1000, &TFMenu::Timer2Timer);

  struct BarDef {
    const char* chart;
    TChart* TFMenu::*chartField;
    const char* series;
    TBarSeries* TFMenu::*seriesField;
    const char* timer;
    TTimer* TFMenu::*timerField;
    void (TFMenu::*handler)(TObject*);
  };
  // In the order of the list's entries.
  static const BarDef kBars[] = {
      {"Chart2", &TFMenu::Chart2, "BarSeries1", &TFMenu::BarSeries1, "Timer3", &TFMenu::Timer3, &TFMenu::Timer3Timer},
      {"Chart3", &TFMenu::Chart3, "BarSeries2", &TFMenu::BarSeries2, "Timer5", &TFMenu::Timer5, &TFMenu::Timer5Timer},
      {"Chart4", &TFMenu::Chart4, "BarSeries3", &TFMenu::BarSeries3, "Timer6", &TFMenu::Timer6, &TFMenu::Timer6Timer},
      {"Chart5", &TFMenu::Chart5, "BarSeries4", &TFMenu::BarSeries4, "Timer7", &TFMenu::Timer7, &TFMenu::Timer7Timer},
      {"Chart6", &TFMenu::Chart6, "BarSeries5", &TFMenu::BarSeries5, "Timer8", &TFMenu::Timer8, &TFMenu::Timer8Timer},
  };
  for (size_t i = 0; i < std::size(kBars); ++i) {
    const BarDef& d = kBars[i];
    const TOfferingChart& kind = OfferingCharts()[i];
    TChart* chart = makeChart(d.chart, kind.title, static_cast<TColor>(kind.titleColor));
    chart->SetLegendVisible(false);
    chart->SetVisible(i == 0);
    auto* series = new TBarSeries(this);
    series->SetName(d.series);
    series->Title = "Kolekte";
    series->SetParentChart(chart);
    this->*d.chartField = barCharts_[i] = chart;
    this->*d.seriesField = barSeries_[i] = series;
    this->*d.timerField = barTimers_[i] = makeTimer(d.timer, 1000, d.handler);
  }
  Timer4 = makeTimer("Timer4", 3000, &TFMenu::Timer4Timer);
  PlaceDashboard();
}

// The pie takes the left half, the bar charts the right; the list and the month sit
// above the bar charts, right-aligned to them.
void TFMenu::PlaceDashboard() {
  const int w = Panel4->Width(), h = Panel4->Height();
  const int half = w / 2;
  const int top = 56, chartHeight = std::max(0, h - top - 8);
  Chart1->SetBounds(8, top, std::max(0, half - 12), chartHeight);
  for (TChart* c : barCharts_) c->SetBounds(half + 4, top, std::max(0, w - half - 12), chartHeight);
  const int right = w - 8;
  ComboBox1->SetBounds(right - ComboBox1->Width(), 8, ComboBox1->Width(), ComboBox1->Height());
  Label9->SetLeft(ComboBox1->Left() - Label9->Width() - 8);
  Label8->SetLeft(right - Label8->Width());
}

// ---------------------------------------------------------------- checks

bool TFMenu::HasMenuAccess(const std::string& right) {
  auto* q = DM->QAkses;
  q->SQL.Clear();
  q->SQL.Add("select id_kategori from user");
  q->SQL.Add("where username=:un");
  q->ParamByName("un")->AsString(CurrentUserName());
  q->Open();
  std::string category = q->FieldByName("id_kategori")->AsString();
  q->SQL.Clear();
  q->SQL.Add("select * from hak_akses");
  q->SQL.Add("where id_kategori=:ik and menu=:me");
  q->ParamByName("ik")->AsString(category);
  q->ParamByName("me")->AsString(right);
  q->Open();
  if (q->RecordCount() > 0) return true;
  MessageDlg("Maaf...Anda tidak bisa akses menu ini", TMsgDlgType::mtError, mbOK);
  return false;
}

bool TFMenu::HasDefaultPhoto() {
  auto* q = DM->Q1;
  q->SQL.Clear();
  q->SQL.Add("select * from foto_default");
  q->Open();
  if (q->RecordCount() > 0) return true;
  MessageDlg("Maaf...Belum ada Foto Default! Silahkan Masukkan Foto Default Terlebih dahulu. Tools >> Foto Default",
             TMsgDlgType::mtError, mbOK);
  return false;
}

void TFMenu::Open(const std::string& window) {
  // Windows are found by their instance name, so the main window needs no knowledge of
  // the subsystems it opens.
  if (auto* form = dynamic_cast<TCustomForm*>(Application->FindComponent(window))) form->ShowModal();
}

// ---------------------------------------------------------------- activation, logout

void TFMenu::FormActivate(TObject*) {
  Timer2->SetEnabled(true);
  Timer4->SetEnabled(true);
  for (int i = 0; i < static_cast<int>(barTimers_.size()); ++i) {
    barTimers_[i]->SetEnabled(i == 0);
    barCharts_[i]->SetVisible(i == 0);
  }
  ComboBox1->SetItemIndex(0);  // from code: no change handler runs
  auto* q = DM->Q7;
  q->SQL.Clear();
  q->SQL.Add("select * from gereja");
  q->Open();
  if (q->RecordCount() == 0) {
    Label11->SetCaption("");
  } else {
    Label11->SetCaption(q->FieldByName("nama_gereja")->AsString());
    StatusBar1->Panels()[0]->SetText("KVRB " + q->FieldByName("nama_gereja")->AsString());
  }
  q->SQL.Clear();
  q->SQL.Add("select * from tema_tahunan");
  q->SQL.Add("where aktif=:ak");
  q->ParamByName("ak")->AsString("Ya");
  q->Open();
  if (q->RecordCount() > 0) Label3->SetCaption(q->FieldByName("tema")->AsString());
}

void TFMenu::Timer4Timer(TObject*) {
  for (TLabel* l : {Label1, Label3}) l->Font().SetColor(l->Font().Color() == kSilver ? kNavy : kSilver);
}

// ---------------------------------------------------------------- dashboard

void TFMenu::Timer2Timer(TObject*) {
  auto* q = DM->QTimer2;
  q->SQL.Clear();
  for (const std::string& line : PelkatStatement()) q->SQL.Add(line);
  q->ParamByName("sh")->AsString("Hidup");
  q->Open();
  Series1->Clear();
  for (q->First(); !q->Eof(); q->Next())
    Series1->Add(rtl::StrToFloat(q->FieldByName("jml")->AsString()), q->FieldByName("pelkat")->AsString(), clTeeColor);
  Label10->SetCaption(rtl::TimeToStr(rtl::Now()));
}

void TFMenu::ShowOfferings(int index, rtl::TDateTime today) {
  static app::TZQuery* app::TDM::*const kQueries[] = {&app::TDM::QTimer3, &app::TDM::QTimer5, &app::TDM::QTimer6,
                                                      &app::TDM::QTimer7, &app::TDM::QTimer8};
  const TOfferingChart& kind = OfferingCharts().at(index);
  Label8->SetCaption(MonthCaption(today));
  PlaceDashboard();  // the month's name stays right-aligned to the chart
  const TMonthSpan month = MonthOf(today);
  app::TZQuery* q = DM->*kQueries[index];
  q->SQL.Clear();
  for (const std::string& line : OfferingStatement(kind)) q->SQL.Add(line);
  q->ParamByName("t1")->AsDate(month.first);
  q->ParamByName("t2")->AsDate(month.last);
  q->Open();
  TBarSeries* series = barSeries_.at(index);
  series->Clear();
  if (q->IsEmpty()) return;
  for (q->First(); !q->Eof(); q->Next())
    series->Add(rtl::StrToFloat(q->FieldByName("kolekte")->AsString()), q->FieldByName("dt")->AsString(),
                clTeeColor);
}

void TFMenu::Timer3Timer(TObject*) { ShowOfferings(0, rtl::Date()); }
void TFMenu::Timer5Timer(TObject*) { ShowOfferings(1, rtl::Date()); }
void TFMenu::Timer6Timer(TObject*) { ShowOfferings(2, rtl::Date()); }
void TFMenu::Timer7Timer(TObject*) { ShowOfferings(3, rtl::Date()); }
void TFMenu::Timer8Timer(TObject*) { ShowOfferings(4, rtl::Date()); }

// The chosen chart is shown and its timer started; the other four stop and hide. The
// chart fills at its timer's next tick.
void TFMenu::ComboBox1Change(TObject*) {
  const int chosen = ComboBox1->ItemIndex();
  for (int i = 0; i < static_cast<int>(barTimers_.size()); ++i) {
    barTimers_[i]->SetEnabled(i == chosen);
    barCharts_[i]->SetVisible(i == chosen);
  }
}

void TFMenu::FormClose(TObject*, TCloseAction&) {
  auto* q = DM->Q1;
  q->SQL.Clear();
  q->SQL.Add("update user set active=:st");
  q->SQL.Add("where username=:un");
  q->ParamByName("un")->AsString(CurrentUserName());
  q->ParamByName("st")->AsString("T");
  // A failed update leaves the window open (the error is reported by the modal loop) and
  // the session as it was: the user goes on working and can try again.
  q->ExecSQL();
  FLogin->EndSession();
  Timer4->SetEnabled(false);
  FLogin->Edit1->SetText("");
  FLogin->Edit2->SetText("");
  FLogin->SetActiveControl(FLogin->Edit1);
  if (FLogin->Edit1->HandleAllocated()) FLogin->Edit1->SetFocus();
}

void TFMenu::Logout1Click(TObject*) { Close(); }

// ---------------------------------------------------------------- the user label

void TFMenu::Label4Click(TObject*) { Open("FUpdatePswd"); }

void TFMenu::Label4MouseMove(TObject*, TShiftState, int, int) { Label4->Font().SetColor(clWhite); }

void TFMenu::Label4MouseLeave(TObject*) { Label4->Font().SetColor(kSilver); }

// ---------------------------------------------------------------- menus with a submenu

void TFMenu::Master1Click(TObject*) { HasMenuAccess("Master"); }
void TFMenu::Majelis3Click(TObject*) { HasMenuAccess("Majelis"); }
void TFMenu::Ibadah1Click(TObject*) { HasMenuAccess("Ibadah"); }
void TFMenu::Pendaftaran1Click(TObject*) { HasMenuAccess("Pendaftaran"); }
void TFMenu::Report1Click(TObject*) { HasMenuAccess("Report"); }
void TFMenu::ools1Click(TObject*) { HasMenuAccess("Tools"); }

// ---------------------------------------------------------------- entries

void TFMenu::Pendeta1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FPendeta");
}
void TFMenu::Vikaris1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FVikaris");
}
void TFMenu::Majelis1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FMajelis");
}
void TFMenu::PHMJ1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FPhmj");
}
void TFMenu::MahasiswaPraktek1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FMahasiswaPraktek");
}
void TFMenu::WargaJemaat1Click(TObject*) {
  if (HasMenuAccess("Warga Jemaat") && HasDefaultPhoto()) Open("FWargaJemaat");
}
void TFMenu::GroupMajelis1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FGroupMajelis");
}
void TFMenu::AttestasiPindah1Click(TObject*) {
  if (HasMenuAccess("Attestasi Pindah")) Open("FAttestasi");
}
void TFMenu::PeminjamanBarang1Click(TObject*) {
  if (HasMenuAccess("Peminjaman Barang")) Open("FPeminjamanBarang");
}
void TFMenu::KatekisasiSidi1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FKatekisasi");
}
void TFMenu::PendaftaranPerkawinan1Click(TObject*) {
  if (HasDefaultPhoto()) Open("FDaftarKawin");
}

// The Tools menu only warns, but these two windows decide who may do what: a user
// whose category lacks "Tools" must not be able to make himself an administrator.
void TFMenu::AdministrasiUser1Click(TObject*) {
  if (HasMenuAccess("Tools")) Open("FUser");
}
void TFMenu::SettingHakAkses1Click(TObject*) {
  if (HasMenuAccess("Tools")) Open("FSettingHakAkses");
}

static void StartCompanion(HWND owner, const wchar_t* file) {
  // The result is ignored on purpose: a missing companion program says nothing here.
  gui::UseCom();  // the shell may hand the file to a COM handler
  ShellExecuteW(owner, L"open", file, nullptr, nullptr, SW_SHOWNORMAL);
}
void TFMenu::A1Click(TObject*) { StartCompanion(Handle(), L"Tandurin.exe"); }
void TFMenu::A2Click(TObject*) { StartCompanion(Handle(), L"Lentrak.exe"); }

// ---------------------------------------------------------------- toolbar

void TFMenu::SpeedButton1Click(TObject*) { WargaJemaat1->Click(); }
void TFMenu::SpeedButton2Click(TObject*) { AttestasiPindah1->Click(); }
void TFMenu::SpeedButton3Click(TObject*) { PeminjamanBarang1->Click(); }
void TFMenu::SpeedButton4Click(TObject*) {
  if (HasMenuAccess("Ibadah")) H1->Click();
}
void TFMenu::SpeedButton5Click(TObject*) {
  if (HasMenuAccess("Ibadah")) S5->Click();
}
void TFMenu::SpeedButton6Click(TObject*) {
  if (HasMenuAccess("Ibadah")) P13->Click();
}
void TFMenu::SpeedButton7Click(TObject*) {
  if (HasMenuAccess("Ibadah")) P14->Click();
}
void TFMenu::SpeedButton8Click(TObject*) {
  if (HasMenuAccess("Ibadah")) H2->Click();
}
void TFMenu::SpeedButton9Click(TObject*) {
  if (HasMenuAccess("Ibadah")) PendaftaranBaptis1->Click();
}
void TFMenu::SpeedButton10Click(TObject*) {
  if (HasMenuAccess("Ibadah")) KatekisasiSidi1->Click();
}
void TFMenu::SpeedButton11Click(TObject*) {
  if (HasMenuAccess("Ibadah")) PendaftaranPerkawinan1->Click();
}

}  // namespace shell
