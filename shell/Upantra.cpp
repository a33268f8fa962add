#include "shell/Upantra.h"

#include <shellapi.h>

#include "kit/FormKit.h"
#include "app/UDM.h"
#include "gui/Dialogs.h"
#include "rtl/Utf.h"
#include "shell/ULogin.h"

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

  Timer4 = new TTimer(this);
  Timer4->SetName("Timer4");
  Timer4->SetEnabled(false);
  Timer4->SetInterval(3000);
  Timer4->OnTimer = [this](TObject* s) { Timer4Timer(s); };

  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TFMenu::BuildMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* root = MainMenu1->Items();
  auto on = [this](TMenuItem* m, void (TFMenu::*h)(TObject*)) {
    m->OnClick = [this, h](TObject* s) { (this->*h)(s); };
  };
  // Entries that open their window without a check of their own.
  auto opens = [this](TMenuItem* m, const char* window) {
    m->OnClick = [this, window](TObject*) { Open(window); };
  };

  Master1 = Item(root, "Master1", "Master");
  on(Master1, &TFMenu::Master1Click);
  Pendeta1 = Item(Master1, "Pendeta1", "Pendeta");
  on(Pendeta1, &TFMenu::Pendeta1Click);
  Vikaris1 = Item(Master1, "Vikaris1", "Vikaris");
  on(Vikaris1, &TFMenu::Vikaris1Click);
  Majelis1 = Item(Master1, "Majelis1", "Majelis");
  on(Majelis1, &TFMenu::Majelis1Click);
  PHMJ1 = Item(Master1, "PHMJ1", "PHMJ");
  on(PHMJ1, &TFMenu::PHMJ1Click);
  MahasiswaPraktek1 = Item(Master1, "MahasiswaPraktek1", "Mahasiswa Praktek");
  on(MahasiswaPraktek1, &TFMenu::MahasiswaPraktek1Click);
  Item(Master1, "KordinatorSektor1", "Kordinator Sektor", false);
  Item(Master1, "PengurusPELKAT1", "Pengurus PELKAT");
  Item(Master1, "Komisi1", "Komisi");
  Item(Master1, "BPPJ1", "BPPJ");
  Item(Master1, "PanitiaKegiatan1", "Panitia Kegiatan");
  Item(Master1, "N1", "-");
  emaTahunan1 = Item(Master1, "emaTahunan1", "Tema Tahunan");
  opens(emaTahunan1, "FTemaTahunan");

  File1 = Item(root, "File1", "File");
  WargaJemaat1 = Item(File1, "WargaJemaat1", "Warga Jemaat");
  on(WargaJemaat1, &TFMenu::WargaJemaat1Click);
  Majelis3 = Item(File1, "Majelis3", "Majelis");
  on(Majelis3, &TFMenu::Majelis3Click);
  GroupMajelis1 = Item(Majelis3, "GroupMajelis1", "Group Majelis");
  on(GroupMajelis1, &TFMenu::GroupMajelis1Click);
  Item(Majelis3, "JadwalPelayanan1", "Jadwal Pelayanan", false);
  Item(Majelis3, "CutiPelayanan1", "Cuti Pelayanan", false);
  AttestasiPindah1 = Item(File1, "AttestasiPindah1", "Attestasi Pindah");
  on(AttestasiPindah1, &TFMenu::AttestasiPindah1Click);
  Item(File1, "N2", "-");
  PeminjamanBarang1 = Item(File1, "PeminjamanBarang1", "Peminjaman Barang");
  on(PeminjamanBarang1, &TFMenu::PeminjamanBarang1Click);
  Item(File1, "N3", "-");
  PembayaranMPAG1 = Item(File1, "PembayaranMPAG1", "Pembayaran MPAG");
  opens(PembayaranMPAG1, "FMPAG");

  Ibadah1 = Item(root, "Ibadah1", "Ibadah");
  on(Ibadah1, &TFMenu::Ibadah1Click);
  H1 = Item(Ibadah1, "H1", "Hari Minggu");
  opens(H1, "FIbadahMinggu");
  S5 = Item(Ibadah1, "S5", "Sektor Pelayanan");
  opens(S5, "FIbadahSektor");
  P13 = Item(Ibadah1, "P13", "Pelayanan Kategorial");
  opens(P13, "FIbadahPelkat");
  P14 = Item(Ibadah1, "P14", "Pengucapan Syukur");
  opens(P14, "FIbadahSyukur");
  H2 = Item(Ibadah1, "H2", "Hari Raya Gerejawi");
  opens(H2, "FIbadahHariRayaGerejawi");

  Pendaftaran1 = Item(root, "Pendaftaran1", "Sakramen");
  on(Pendaftaran1, &TFMenu::Pendaftaran1Click);
  TMenuItem* baptisan = Item(Pendaftaran1, "Baptisan1", "Baptisan");
  Item(baptisan, "PermohonanBaptisDiluar1", "Permohonan Baptis Diluar", false);
  PendaftaranBaptis1 = Item(baptisan, "PendaftaranBaptis1", "Pendaftaran Baptis");
  opens(PendaftaranBaptis1, "FDaftarBaptis");
  KatekisasiSidi1 = Item(Pendaftaran1, "KatekisasiSidi1", "Katekisasi/Sidi");
  on(KatekisasiSidi1, &TFMenu::KatekisasiSidi1Click);
  TMenuItem* perkawinan = Item(Pendaftaran1, "Perkawinan1", "Perkawinan");
  Item(perkawinan, "PermohonanPerkawinanDiluar1", "Permohonan Perkawinan Diluar", false);
  PendaftaranPerkawinan1 = Item(perkawinan, "PendaftaranPerkawinan1", "Pendaftaran Perkawinan");
  on(PendaftaranPerkawinan1, &TFMenu::PendaftaranPerkawinan1Click);

  TMenuItem* evote = Item(root, "EVote1", "E-Vote", false);
  for (const char* group : {"PHMJ", "PELKAT", "Majelis"}) {
    TMenuItem* g = Item(evote, "", group);
    Item(g, "", "Pemungutan Suara");
    Item(g, "", "-");
    Item(g, "", "Setup");
    Item(g, "", "Penghitungan Suara");
  }
  TMenuItem* eproja = Item(root, "EProja1", "E-Proja", false);
  TMenuItem* rencana = Item(eproja, "", "Input Rencana Program");
  Item(rencana, "", "Komisi");
  Item(rencana, "", "Pelkat");
  Item(rencana, "", "Sekretariat");
  Item(eproja, "", "RPMJ - PHMJ");
  Item(eproja, "", "Lokakarya");
  Item(eproja, "", "-");
  Item(eproja, "", "Program Kerja");
  TMenuItem* ebppj = Item(root, "EBPPJ1", "E-BPPJ", false);
  for (const char* t : {"Triwulan I", "Triwulan II", "Triwulan III", "Triwulan IV"}) Item(ebppj, "", t);

  Report1 = Item(root, "Report1", "Report");
  on(Report1, &TFMenu::Report1Click);
  TMenuItem* warga = Item(Report1, "WargaJemaat2", "Warga Jemaat");
  TMenuItem* jemaat = Item(warga, "Jemaat1", "Jemaat");
  K3 = Item(jemaat, "K3", "Kepala Keluarga");
  opens(K3, "FRepKK");
  SemuaJemaat1 = Item(jemaat, "SemuaJemaat1", "Semua Jemaat");
  opens(SemuaJemaat1, "FRepWargaJemaat");
  PerSektor1 = Item(jemaat, "PerSektor1", "Per Sektor");
  opens(PerSektor1, "FRepJemaatPerSektor");
  PerPelKat1 = Item(jemaat, "PerPelKat1", "Per PelKat");
  opens(PerPelKat1, "FRepJemaatPerPelkat");
  PerGolonganDarah1 = Item(jemaat, "PerGolonganDarah1", "Per Golongan Darah");
  opens(PerGolonganDarah1, "FRepJemaatPerGolDarah");
  JemaatMeninggal1 = Item(jemaat, "JemaatMeninggal1", "Jemaat Meninggal");
  opens(JemaatMeninggal1, "FRepJemaatStsHidup");
  UlangTahun1 = Item(warga, "UlangTahun1", "Ulang Tahun");
  opens(UlangTahun1, "FLapJemaatUlangTahun");
  TMenuItem* persembahan = Item(Report1, "Persembahan1", "Persembahan");
  IbadahMinggu2 = Item(persembahan, "IbadahMinggu2", "Ibadah Minggu");
  opens(IbadahMinggu2, "FRepPersembahanIbadahMinggu");
  IbadahSektor2 = Item(persembahan, "IbadahSektor2", "Ibadah Sektor");
  opens(IbadahSektor2, "FRepPersembahanIbadahSektor");
  IbadahPelKat2 = Item(persembahan, "IbadahPelKat2", "Ibadah PelKat");
  opens(IbadahPelKat2, "FRepPersembahanIbadahPelkat");
  IbadahSyukur2 = Item(persembahan, "IbadahSyukur2", "Ibadah Syukur");
  opens(IbadahSyukur2, "FRepPersembahanIbadahSyukur");
  IbadahHariRayaGerejawi2 = Item(persembahan, "IbadahHariRayaGerejawi2", "Ibadah Hari Raya Gerejawi");
  opens(IbadahHariRayaGerejawi2, "FRepPersembahanIbadahHariRayaGerejawi");
  TMenuItem* majelisRep = Item(Report1, "Majelis2", "Majelis");
  SemuaMajelis1 = Item(majelisRep, "SemuaMajelis1", "Semua Majelis");
  opens(SemuaMajelis1, "FRepMajelis");
  PerWilayahSektor1 = Item(majelisRep, "PerWilayahSektor1", "Per Wilayah/Sektor");
  opens(PerWilayahSektor1, "FRepMajelisPerSektor");
  PerJenisKelamin1 = Item(majelisRep, "PerJenisKelamin1", "Per Jenis Kelamin");
  opens(PerJenisKelamin1, "FRepMajelisPerSex");
  PerJabatan1 = Item(majelisRep, "PerJabatan1", "Per Jabatan");
  opens(PerJabatan1, "FRepMajelisPerJabatan");
  PerStatusAktif1 = Item(majelisRep, "PerStatusAktif1", "Per Status Aktif");
  opens(PerStatusAktif1, "FRepMajelisPerStatusAktif");
  MPAG1 = Item(Report1, "MPAG1", "MPAG");
  opens(MPAG1, "FRepMPAG");

  ools1 = Item(root, "ools1", "Tools");
  on(ools1, &TFMenu::ools1Click);
  FotoDefault1 = Item(ools1, "FotoDefault1", "Foto Default");
  opens(FotoDefault1, "FFotoDefault");
  TMenuItem* pengguna = Item(ools1, "Pengguna1", "Pengguna");
  AdministrasiUser1 = Item(pengguna, "AdministrasiUser1", "Administrasi User");
  opens(AdministrasiUser1, "FUser");
  Item(pengguna, "N4", "-");
  SettingHakAkses1 = Item(pengguna, "SettingHakAkses1", "Setting Hak Akses");
  opens(SettingHakAkses1, "FSettingHakAkses");
  Item(ools1, "N5", "-");
  G1 = Item(ools1, "G1", "Setup Gereja");
  opens(G1, "FGereja");
  Item(ools1, "N6", "-");
  A1 = Item(ools1, "A1", "Automation Support");
  on(A1, &TFMenu::A1Click);
  A2 = Item(ools1, "A2", "Auto KORVAN Update");
  on(A2, &TFMenu::A2Click);
  Item(ools1, "N7", "-");
  B2 = Item(ools1, "B2", "Backup Database", false);
  opens(B2, "FBackupDB");

  TMenuItem* maker = Item(root, "Maker1", "Tim Pengembang", false);
  Item(maker, "", "Decision Support System");

  About1 = Item(root, "About1", "About", false);
  WhatisKORVAN1 = Item(About1, "WhatisKORVAN1", "What is KORVAN ?");
  opens(WhatisKORVAN1, "FWhatisKorvan");
  DeveloperTeam1 = Item(About1, "DeveloperTeam1", "Developer Team");
  opens(DeveloperTeam1, "FDeveloper");
  Item(About1, "N8", "-");
  Logout1 = Item(About1, "Logout1", "Logout");
  on(Logout1, &TFMenu::Logout1Click);

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

  Panel5 = new TPanel(this);
  Panel5->SetName("Panel5");
  Panel5->SetParent(this);
  Panel5->SetAlign(TAlign::alTop);
  Panel5->SetHeight(28);
  Panel5->SetCaption("Dashboard");
  Label11 = new TLabel(this);
  Label11->SetName("Label11");
  Label11->SetParent(this);
  Label11->SetBounds(16, 200, 0, 0);
  Label11->Font().SetHeight(-16);
  Label11->Font().SetStyle(fsBold);
  Label11->SetCaption("Label11");
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
  Timer4->SetEnabled(true);
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

void TFMenu::FormClose(TObject*, TCloseAction&) {
  auto* q = DM->Q1;
  q->SQL.Clear();
  q->SQL.Add("update user set active=:st");
  q->SQL.Add("where username=:un");
  q->ParamByName("un")->AsString(CurrentUserName());
  q->ParamByName("st")->AsString("T");
  q->ExecSQL();
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

static void StartCompanion(HWND owner, const wchar_t* file) {
  // The result is ignored on purpose: a missing companion program says nothing here.
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
