#include <gtest/gtest.h>

#include <functional>

#include "gui/Dialogs.h"
#include "shell/USettingHakAkses.h"
#include "shell/UUser.h"
#include "tests/shell/ShellTestSupport.h"

using namespace gui;
using shell::FLogin;
using shell::FMenu;

namespace {

const char* kRefused = "Maaf...Anda tidak bisa akses menu ini|";
const char* kNoPhoto =
    "Maaf...Belum ada Foto Default! Silahkan Masukkan Foto Default Terlebih dahulu. Tools >> Foto Default|";

class MainWindowChecks : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Exec("delete from user where username like 'tst_menu%'");
    Exec("delete from hak_akses where id_kategori in ('T1','T2')");
    // T1 holds every right the window tests; T2 only "Pendaftaran".
    Exec("insert into user(nama,username,pswd,id_kategori,active) values "
         "('A','tst_menu_all','x','T1','T'),('B','tst_menu_few','x','T2','T')");
    for (const char* right : {"Master", "Warga Jemaat", "Majelis", "Attestasi Pindah", "Peminjaman Barang", "Ibadah",
                              "Pendaftaran", "Report", "Tools"})
      Exec(std::string("insert into hak_akses(id_kategori,menu) values ('T1','") + right + "')");
    Exec("insert into hak_akses(id_kategori,menu) values ('T2','Pendaftaran')");
    // The default photos are put back as they were.
    photos_ = Value("select count(*) from foto_default") != "0";
    if (photos_) Exec("create table if not exists tst_menu_photo_keep as select * from foto_default");
    Start();  // the login window's activation connects the data module
  }
  void TearDown() override {
    Exec("delete from foto_default");
    if (photos_) {
      Exec("insert into foto_default select * from tst_menu_photo_keep");
      Exec("drop table tst_menu_photo_keep");
    }
    Exec("delete from user where username like 'tst_menu%'");
    Exec("delete from hak_akses where id_kategori in ('T1','T2')");
    ShellFixture::TearDown();
  }
  void SetPhoto(bool present) {
    Exec("delete from foto_default");
    if (present) Exec("insert into foto_default(id,foto,foto_nikah) values (1, x'FFD8FFD9', x'FFD8FFD9')");
  }
  // What the user sees when running one entry as the given user.
  std::string Run(const std::string& user, const std::function<void()>& entry) {
    FMenu->Label4->SetCaption(user);
    dialogs.shown.clear();
    entry();
    return Texts();
  }
  bool photos_ = false;
};

struct Case {
  const char* what;
  std::function<void()> run;
  bool photo;
  const char* all;  // seen by the user whose category holds every right
  const char* few;  // seen by the user holding only "Pendaftaran"
};

TEST_F(MainWindowChecks, AccessMatrix) {
  auto click = [](TMenuItem* item) { return [item] { item->Click(); }; };
  auto press = [](TSpeedButton* b) { return [b] { b->Click(); }; };
  const std::vector<Case> cases = {
      // Blocking: the right first, then the photo.
      {"Warga Jemaat, no photo", click(FMenu->WargaJemaat1), false, kNoPhoto, kRefused},
      {"Warga Jemaat", click(FMenu->WargaJemaat1), true, "", kRefused},
      {"Attestasi Pindah", click(FMenu->AttestasiPindah1), false, "", kRefused},
      {"Peminjaman Barang", click(FMenu->PeminjamanBarang1), false, "", kRefused},
      {"toolbar Warga Jemaat", press(FMenu->SpeedButton1), true, "", kRefused},
      {"toolbar Ibadah Minggu", press(FMenu->SpeedButton4), false, "", kRefused},
      {"toolbar Ibadah Hari Raya", press(FMenu->SpeedButton8), false, "", kRefused},
      // "Pendaftaran" is not enough for the toolbar's sacrament buttons.
      {"toolbar Baptis", press(FMenu->SpeedButton9), false, "", kRefused},
      {"toolbar Sidi, no photo", press(FMenu->SpeedButton10), false, kNoPhoto, kRefused},
      {"toolbar Nikah", press(FMenu->SpeedButton11), true, "", kRefused},
      // Warning only: the menu with a submenu warns and blocks nothing.
      {"menu Master", click(FMenu->Master1), false, "", kRefused},
      {"menu Ibadah", click(FMenu->Ibadah1), false, "", kRefused},
      {"menu Sakramen", click(FMenu->Pendaftaran1), false, "", ""},
      {"menu Report", click(FMenu->Report1), false, "", kRefused},
      {"menu Tools", click(FMenu->ools1), false, "", kRefused},
      {"menu File > Majelis", click(FMenu->Majelis3), false, "", kRefused},
      // Except the two windows that give rights away: they need "Tools" themselves.
      {"Administrasi User", click(FMenu->AdministrasiUser1), false, "", kRefused},
      {"Setting Hak Akses", click(FMenu->SettingHakAkses1), false, "", kRefused},
      {"Setup Gereja", click(FMenu->G1), false, "", ""},
      // Entries below a warning menu have no right check of their own.
      {"Hari Minggu", click(FMenu->H1), false, "", ""},
      {"Pendaftaran Baptis", click(FMenu->PendaftaranBaptis1), false, "", ""},
      {"Semua Jemaat report", click(FMenu->SemuaJemaat1), false, "", ""},
      // The photo check alone.
      {"Pendeta, no photo", click(FMenu->Pendeta1), false, kNoPhoto, kNoPhoto},
      {"Pendeta", click(FMenu->Pendeta1), true, "", ""},
      {"Group Majelis, no photo", click(FMenu->GroupMajelis1), false, kNoPhoto, kNoPhoto},
      {"Perkawinan, no photo", click(FMenu->PendaftaranPerkawinan1), false, kNoPhoto, kNoPhoto},
  };
  for (const Case& c : cases) {
    SetPhoto(c.photo);
    EXPECT_EQ(Run("tst_menu_all", c.run), c.all) << c.what;
    EXPECT_EQ(Run("tst_menu_few", c.run), c.few) << c.what;
  }
}

// A category without "Tools" sees the Tools menu's warning and still cannot open the user
// and rights windows, so it cannot make itself an administrator.
TEST_F(MainWindowChecks, OnlyToolsOpensTheUserAndRightsWindows) {
  Application->CreateForm(shell::FUser);
  Application->CreateForm(shell::FSettingHakAkses);
  for (TMenuItem* entry : {FMenu->AdministrasiUser1, FMenu->SettingHakAkses1}) {
    for (const char* user : {"tst_menu_all", "tst_menu_few"}) {
      bool opened = false;
      auto* t = new TTimer(nullptr);
      t->SetInterval(1);
      t->OnTimer = [&](rtl::TObject*) {
        TCustomForm* f = Screen->ActiveForm();
        if (f != shell::FUser && f != shell::FSettingHakAkses) return;
        opened = true;
        f->Close();
      };
      std::string seen = Run(user, [&] {
        FMenu->ools1->Click();
        entry->Click();
      });
      delete t;
      bool all = std::string(user) == "tst_menu_all";
      EXPECT_EQ(opened, all) << entry->Name() << " " << user;
      EXPECT_EQ(seen, all ? "" : std::string(kRefused) + kRefused) << entry->Name() << " " << user;
    }
  }
  delete shell::FUser;
  shell::FUser = nullptr;
  delete shell::FSettingHakAkses;
  shell::FSettingHakAkses = nullptr;
}

TEST_F(MainWindowChecks, AUserWithoutAnAccountRowIsRefusedEverywhere) {
  SetPhoto(true);
  EXPECT_EQ(Run("tst_menu_gone", [] { FMenu->WargaJemaat1->Click(); }), kRefused);
}

TEST_F(MainWindowChecks, DisabledEntriesStayDisabled) {
  for (const char* name : {"About1", "B2", "EVote1", "EProja1", "EBPPJ1", "KordinatorSektor1", "JadwalPelayanan1"}) {
    auto* item = dynamic_cast<TMenuItem*>(FMenu->FindComponent(name));
    ASSERT_NE(item, nullptr) << name;
    EXPECT_FALSE(item->Enabled()) << name;
  }
}

TEST_F(MainWindowChecks, TheUserLabelChangesColourUnderTheMouse) {
  FMenu->Label4->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(FMenu->Label4->Font().Color(), clWhite);
  FMenu->Label4->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(FMenu->Label4->Font().Color(), static_cast<TColor>(0xC0C0C0));
}

TEST_F(MainWindowChecks, ActivationShowsTheChurchAndTheActiveTheme) {
  Exec("delete from gereja");
  Exec("insert into gereja(nama_gereja,alamat) values ('GEREJA MENU','Jl. A')");
  Exec("create table if not exists tst_menu_tema_keep as select * from tema_tahunan");
  Exec("delete from tema_tahunan");
  Exec("insert into tema_tahunan(periode,tema,aktif) values ('2098-2099','TEMA LAMA',''),('2099-2100','TEMA AKTIF','Ya')");
  FMenu->Activate();
  EXPECT_EQ(FMenu->Label11->Caption(), "GEREJA MENU");
  EXPECT_EQ(FMenu->StatusBar1->Panels()[0]->Text(), "KVRB GEREJA MENU");
  EXPECT_EQ(FMenu->Label3->Caption(), "TEMA AKTIF");
  EXPECT_TRUE(FMenu->Timer4->Enabled());
  // Without a church row the label empties and the status bar keeps its line; without
  // an active theme the theme shown before stays.
  Exec("delete from gereja");
  Exec("update tema_tahunan set aktif=''");
  FMenu->Activate();
  EXPECT_EQ(FMenu->Label11->Caption(), "");
  EXPECT_EQ(FMenu->StatusBar1->Panels()[0]->Text(), "KVRB GEREJA MENU");
  EXPECT_EQ(FMenu->Label3->Caption(), "TEMA AKTIF");
  // Blinking swaps silver and navy.
  FMenu->Timer4Timer(FMenu->Timer4);
  EXPECT_EQ(FMenu->Label3->Font().Color(), static_cast<TColor>(0x800000));
  FMenu->Timer4Timer(FMenu->Timer4);
  EXPECT_EQ(FMenu->Label3->Font().Color(), static_cast<TColor>(0xC0C0C0));
  Exec("delete from tema_tahunan");
  Exec("insert into tema_tahunan select * from tst_menu_tema_keep");
  Exec("drop table tst_menu_tema_keep");
}

}  // namespace
