// Users, access rights and the password change, against the database.
#include <gtest/gtest.h>

#include <string>

#include "app/UDM.h"
#include "gui/Dialogs.h"
#include "shell/USettingHakAkses.h"
#include "shell/UUpdatePswd.h"
#include "shell/UUser.h"
#include "tests/shell/ShellTestSupport.h"

using namespace gui;
using app::DM;
using shell::FMenu;
using shell::FSettingHakAkses;
using shell::FUpdatePswd;
using shell::FUser;

namespace {

// Moves a query onto the row whose field holds the value; false when there is none.
bool Locate(data::TZQuery* q, const char* field, const std::string& value) {
  for (q->First(); !q->Eof(); q->Next())
    if (q->FieldByName(field)->AsString() == value) return true;
  return false;
}

class UserWindow : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Clean();
    Start();
    Application->CreateForm(FUser);
    FUser->FormActivate(nullptr);
  }
  void TearDown() override {
    delete FUser;
    FUser = nullptr;
    Clean();
    ShellFixture::TearDown();
  }
  void Clean() { Exec("delete from user where username in ('tst_adm_satu','tst_adm_dua','tst_adm_aktif')"); }
  std::string Row(const std::string& user) {
    return Value("select concat_ws('|',nama,pswd,id_kategori,coalesce(active,'NULL')) from user where username='" + user +
                 "'");
  }
  void Fill(const char* name, const char* user, const char* password, int category, bool active) {
    FUser->Edit1->SetText(name);
    FUser->Edit2->SetText(user);
    FUser->Edit3->SetText(password);
    FUser->ComboBox1->SetItemIndex(category);
    (active ? FUser->RadioButton2 : FUser->RadioButton1)->SetChecked(true);
  }
};

TEST_F(UserWindow, SavingInsertsANewAccountAndUpdatesAnExistingOne) {
  Fill("tst adm satu", "tst_adm_satu", "rahasia", 3, true);
  FUser->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Data User telah berhasil di-input|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtInformation);
  // The name is kept in capitals; "Keuangan" is category "40"; "Ya" stores "Y".
  EXPECT_EQ(Row("tst_adm_satu"), "TST ADM SATU|rahasia|40|Y");
  // The save ends with a fresh window, and the grid lists the new account.
  EXPECT_EQ(FUser->Edit2->Text(), "");
  EXPECT_EQ(FUser->ComboBox1->Text(), "Admin");
  EXPECT_TRUE(FUser->RadioButton1->Checked());
  EXPECT_FALSE(FUser->RadioButton2->Checked());
  EXPECT_TRUE(Locate(DM->QUser, "username", "tst_adm_satu"));
  EXPECT_EQ(DM->QUser->FieldByName("nm_kategori")->AsString(), "Keuangan");

  dialogs.shown.clear();
  Fill("Nama Baru", "tst_adm_satu", "lain", 8, false);
  FUser->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Data User telah berhasil di-update|");
  EXPECT_EQ(Row("tst_adm_satu"), "NAMA BARU|lain|90|T");
  EXPECT_EQ(Value("select count(*) from user where username='tst_adm_satu'"), "1");
}

TEST_F(UserWindow, ShownItListsTheAccountsAndSavesFromItsButtons) {
  bool focused = false;
  int rows = 0;
  guitest::RunSoon([&] {
    focused = FUser->Edit1->Focused();
    rows = FUser->DBGrid1->RowCount();
    Fill("tst adm dua", "tst_adm_dua", "pw", 0, false);
    FUser->Button1->Click();
    FUser->Button3->Click();
  });
  FUser->ShowModal();
  EXPECT_TRUE(focused);
  EXPECT_EQ(rows, DM->QUser->RecordCount() - 1);
  EXPECT_EQ(Texts(), "Data User telah berhasil di-input|");
  EXPECT_EQ(Row("tst_adm_dua"), "TST ADM DUA|pw|10|T");
  EXPECT_FALSE(FUser->Showing());
}

TEST_F(UserWindow, SavingWithTidakReleasesAnAccountLeftLoggedIn) {
  Exec("insert into user(nama,username,pswd,id_kategori,active) values ('SISA','tst_adm_aktif','pw','70','Y')");
  FUser->FormActivate(nullptr);
  ASSERT_TRUE(Locate(DM->QUser, "username", "tst_adm_aktif"));
  FUser->DBGrid1DblClick(nullptr);
  // The row comes back into the fields as stored.
  EXPECT_EQ(FUser->Edit1->Text(), "SISA");
  EXPECT_EQ(FUser->Edit2->Text(), "tst_adm_aktif");
  EXPECT_EQ(FUser->Edit3->Text(), "pw");
  EXPECT_EQ(FUser->ComboBox1->Text(), "PHMJ");
  EXPECT_TRUE(FUser->RadioButton2->Checked());

  FUser->RadioButton1->SetChecked(true);
  FUser->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Data User telah berhasil di-update|");
  EXPECT_EQ(Row("tst_adm_aktif"), "SISA|pw|70|T");
}

TEST_F(UserWindow, AnAccountNeedsAUsernameAndAPassword) {
  struct Case {
    const char* user;
    const char* password;
    const char* message;
  };
  for (const Case& c : {Case{"", "pw", "Maaf...Username belum diisi!|"},
                        Case{"tst_adm_satu", "", "Maaf...Password belum diisi!|"}}) {
    dialogs.shown.clear();
    Fill("TANPA", c.user, c.password, 0, false);
    FUser->Button1Click(nullptr);
    EXPECT_EQ(Texts(), c.message);
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
    // Nothing is stored and the fields stay for the user to complete.
    EXPECT_EQ(Value("select count(*) from user where username in ('','tst_adm_satu')"), "0");
    EXPECT_EQ(FUser->Edit1->Text(), "TANPA");
  }
}

// Text longer than its column would end in the server's "Data too long": the inputs of
// the accounts carry their column's length, the login's too.
TEST_F(UserWindow, NothingLongerThanItsColumnCanBeTyped) {
  auto length = [this](const char* column) { return ColumnLength("user", column); };
  EXPECT_EQ(FUser->Edit1->MaxLength(), length("nama"));
  EXPECT_EQ(FUser->Edit2->MaxLength(), length("username"));
  EXPECT_EQ(FUser->Edit3->MaxLength(), length("pswd"));
  EXPECT_EQ(FUser->Edit4->MaxLength(), length("nama"));
  EXPECT_EQ(shell::FLogin->Edit1->MaxLength(), length("username"));
  EXPECT_EQ(shell::FLogin->Edit2->MaxLength(), length("pswd"));
}

TEST_F(UserWindow, DeleteRemovesTheSelectedRowOnlyOnYes) {
  Exec("insert into user(nama,username,pswd,id_kategori,active) values "
       "('TST ADM SATU','tst_adm_satu','a','10','T'),('TST ADM DUA','tst_adm_dua','b','10','T')");
  // A search narrows the grid; the delete works on the row selected there.
  FUser->Edit4->SetText("TST ADM");
  FUser->Button4Click(nullptr);
  EXPECT_EQ(DM->QUser->RecordCount(), 2);
  ASSERT_TRUE(Locate(DM->QUser, "username", "tst_adm_dua"));
  FUser->Edit2->SetText("tst_adm_satu");  // the fields play no part

  dialogs.answers = {mrNo};
  FUser->Button2Click(nullptr);
  EXPECT_EQ(Texts(), "Apakah anda yakin mau hapus record ini?|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtConfirmation);
  EXPECT_EQ(dialogs.shown[0].Buttons, mbYes | mbNo);
  EXPECT_EQ(Value("select count(*) from user where username='tst_adm_dua'"), "1");

  dialogs.answers = {mrYes};
  FUser->Button2Click(nullptr);
  EXPECT_EQ(Value("select count(*) from user where username='tst_adm_dua'"), "0");
  EXPECT_EQ(Value("select count(*) from user where username='tst_adm_satu'"), "1");
  // The grid still shows the search, refreshed.
  EXPECT_EQ(DM->QUser->RecordCount(), 1);
  EXPECT_EQ(DM->QUser->FieldByName("username")->AsString(), "tst_adm_satu");
}

class RightsWindow : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Clean();
    Exec("insert into kategori_user(id_kategori,nm_kategori) values ('T7','tst_adm')");
    Start();
    Application->CreateForm(FSettingHakAkses);
    FSettingHakAkses->FormActivate(nullptr);
  }
  void TearDown() override {
    delete FSettingHakAkses;
    FSettingHakAkses = nullptr;
    Clean();
    ShellFixture::TearDown();
  }
  void Clean() {
    Exec("delete from hak_akses where id_kategori='T7'");
    Exec("delete from kategori_user where id_kategori='T7'");
  }
  void Choose(const std::string& right) {
    auto& cats = FSettingHakAkses->ComboBox1->Items();
    for (int i = 0; i < cats.Count(); ++i)
      if (cats[i] == "T7 tst_adm") FSettingHakAkses->ComboBox1->SetItemIndex(i);
    auto& rights = FSettingHakAkses->ComboBox2->Items();
    for (int i = 0; i < rights.Count(); ++i)
      if (rights[i] == right) FSettingHakAkses->ComboBox2->SetItemIndex(i);
    ASSERT_EQ(FSettingHakAkses->ComboBox1->Text(), "T7 tst_adm");
    ASSERT_EQ(FSettingHakAkses->ComboBox2->Text(), right);
  }
  std::string Count(const char* right) {
    return Value(std::string("select count(*) from hak_akses where id_kategori='T7' and menu='") + right + "'");
  }
};

TEST_F(RightsWindow, ListsTheCategoriesAndTheRights) {
  auto& cats = FSettingHakAkses->ComboBox1->Items();
  ASSERT_GE(cats.Count(), 10);
  EXPECT_EQ(cats[0], "10 Admin");
  EXPECT_EQ(cats[8], "90 BPPJ");
  EXPECT_EQ(FSettingHakAkses->ComboBox1->ItemIndex(), 0);
  auto& rights = FSettingHakAkses->ComboBox2->Items();
  ASSERT_EQ(rights.Count(), 11);
  EXPECT_EQ(rights[5], "Pembayaran MPAG");
  EXPECT_EQ(rights[8], "E-Vote");
}

TEST_F(RightsWindow, InsertsARightOnceAndRefusesItAgain) {
  Choose("E-Vote");
  FSettingHakAkses->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Menu sesuai Kategori yang dipilih berhasil di-input|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtInformation);
  EXPECT_EQ(Count("E-Vote"), "1");
  EXPECT_TRUE(Locate(DM->Q3, "menu", "E-Vote"));
  EXPECT_EQ(FSettingHakAkses->ComboBox1->ItemIndex(), 0);

  dialogs.shown.clear();
  Choose("E-Vote");
  FSettingHakAkses->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Maaf...Menu sesuai Kategori tersebut sudah pernah di-input|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_EQ(Count("E-Vote"), "1");
}

TEST_F(RightsWindow, DeleteRemovesTheSelectedRightOnlyOnYes) {
  Exec("insert into hak_akses(id_kategori,menu) values ('T7','Tools'),('T7','Report')");
  FSettingHakAkses->FormActivate(nullptr);
  auto select = [] {
    auto* q = DM->Q3;
    for (q->First(); !q->Eof(); q->Next())
      if (q->FieldByName("id_kategori")->AsString() == "T7" && q->FieldByName("menu")->AsString() == "Tools") return true;
    return false;
  };
  ASSERT_TRUE(select());
  dialogs.answers = {mrNo};
  FSettingHakAkses->Button2Click(nullptr);
  EXPECT_EQ(Texts(), "Apakah mau hapus record ini?|");
  EXPECT_EQ(Count("Tools"), "1");

  dialogs.answers = {mrYes};
  FSettingHakAkses->Button2Click(nullptr);
  EXPECT_EQ(Count("Tools"), "0");
  EXPECT_EQ(Count("Report"), "1");
  EXPECT_FALSE(select());
}

class PasswordWindow : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Clean();
    Exec("insert into user(nama,username,pswd,id_kategori,active) values ('TST','tst_adm_satu','lama','10','Y')");
    Start();
    FMenu->Label4->SetCaption("tst_adm_satu");
    Application->CreateForm(FUpdatePswd);
  }
  void TearDown() override {
    delete FUpdatePswd;
    FUpdatePswd = nullptr;
    Clean();
    ShellFixture::TearDown();
  }
  void Clean() { Exec("delete from user where username='tst_adm_satu'"); }
  std::string Password() { return Value("select pswd from user where username='tst_adm_satu'"); }
};

TEST_F(PasswordWindow, EnterStoresTheTypedPasswordAndCloses) {
  std::string user, offered;
  bool focused = false;
  guitest::RunSoon([&] {
    user = FUpdatePswd->Edit1->Text();
    offered = FUpdatePswd->Edit2->Text();
    focused = FUpdatePswd->Edit2->Focused();
    FUpdatePswd->Edit2->SetText("baru99");
    wchar_t enter = 13;
    FUpdatePswd->Edit2KeyPress(nullptr, enter);
  });
  FUpdatePswd->ShowModal();
  EXPECT_EQ(user, "tst_adm_satu");
  EXPECT_EQ(offered, "58316047");
  EXPECT_TRUE(focused);
  EXPECT_EQ(Texts(), "Password berhasil di-ubah|");
  EXPECT_EQ(Password(), "baru99");
  EXPECT_TRUE(FUpdatePswd->Edit1->ReadOnly());
}

TEST_F(PasswordWindow, ShowPasswordUnmasksTheField) {
  FUpdatePswd->FormActivate(nullptr);
  EXPECT_EQ(FUpdatePswd->Edit2->PasswordChar(), L'*');
  FUpdatePswd->CheckBox1->SetChecked(true);
  EXPECT_EQ(FUpdatePswd->Edit2->PasswordChar(), L'\0');
  FUpdatePswd->CheckBox1->SetChecked(false);
  EXPECT_EQ(FUpdatePswd->Edit2->PasswordChar(), L'*');
  // Each showing starts masked again.
  FUpdatePswd->CheckBox1->SetChecked(true);
  FUpdatePswd->FormActivate(nullptr);
  EXPECT_FALSE(FUpdatePswd->CheckBox1->Checked());
  EXPECT_EQ(FUpdatePswd->Edit2->PasswordChar(), L'*');
}

TEST_F(PasswordWindow, RefusesAnEmptyPasswordAndAnAccountThatIsGone) {
  FUpdatePswd->FormActivate(nullptr);
  FUpdatePswd->Edit2->SetText("");
  FUpdatePswd->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Maaf...Password belum diisi!|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_EQ(Password(), "lama");

  // The logged-in account was deleted meanwhile: no success is reported.
  dialogs.shown.clear();
  Clean();
  FUpdatePswd->Edit2->SetText("baru99");
  FUpdatePswd->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Maaf...Username tidak terdaftar!|");
  EXPECT_EQ(Value("select count(*) from user where username='tst_adm_satu'"), "0");
}

}  // namespace
