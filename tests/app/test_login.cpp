#include <gtest/gtest.h>

#include "app/UDM.h"
#include "shell/ULogin.h"
#include "tests/app/DbTestSupport.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;
using app::DM;
using shell::FLogin;

namespace {

// The program's start-up, in process: the data module and the login window, then the
// login window shown and activated as the message loop would.
class LoginWindow : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    saved_ = app::ConnectionSettings();
    Application->CreateForm(FLogin);
    Application->CreateForm(DM);
  }
  void TearDown() override {
    FLogin->Timer1->SetEnabled(false);
    delete FLogin;
    FLogin = nullptr;
    delete DM;
    DM = nullptr;
    app::ConnectionSettings() = saved_;
    WithRecordedDialogs::TearDown();
  }
  void Start() { Application->ShowMainForm(); }
  // Lets the message loop run until the status timer has ticked.
  void RunTimer() {
    int ticks = 0;
    auto previous = FLogin->Timer1->OnTimer;
    FLogin->Timer1->OnTimer = [&](rtl::TObject* s) {
      previous(s);
      ++ticks;
    };
    while (ticks < 2) Application->HandleMessage();
    FLogin->Timer1->OnTimer = previous;
  }
  app::TConnectionSettings saved_;
};

TEST_F(LoginWindow, StartsWithTheServerUnreachable) {
  app::ConnectionSettings().Port = 1;
  Start();
  EXPECT_TRUE(FLogin->Showing());
  EXPECT_EQ(FLogin->Caption(), "Akses KORVAN 8.20");
  // The connection attempt itself is silent; the reset's query reports the failure.
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Caption, "KORVAN");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_FALSE(dialogs.shown[0].Text.empty());
  EXPECT_EQ(FLogin->StatusBar3->Panels()[0]->Text(), "");
  RunTimer();
  EXPECT_EQ(FLogin->StatusBar1->Panels()[1]->Text(), "DATABASE : DISCONNECT");
  EXPECT_FALSE(DM->ZConnection1->Connected());
}

TEST_F(LoginWindow, ConnectsAndShowsTheChurchName) {
  auto db = apptest::OpenTestConnection();
  apptest::Exec(*db, "delete from gereja");
  apptest::Exec(*db, "insert into gereja(nama_gereja, alamat) values ('GEREJA UJI', 'Jl. Uji 1')");
  FLogin->Edit1->SetText("sisa");
  Start();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(FLogin->Height(), shell::TFLogin::NormalHeight);
  EXPECT_EQ(FLogin->Edit1->Text(), "");
  EXPECT_EQ(FLogin->StatusBar3->Panels()[0]->Text(), "GEREJA UJI");
  EXPECT_TRUE(FLogin->Edit1->Focused());
  RunTimer();
  EXPECT_EQ(FLogin->StatusBar1->Panels()[1]->Text(), "DATABASE : CONNECT");
  std::string net = FLogin->StatusBar1->Panels()[0]->Text();
  EXPECT_TRUE(net == "NETWORK : CONNECT" || net == "NETWORK : DISCONNECT") << net;
  apptest::Exec(*db, "delete from gereja");
}

TEST_F(LoginWindow, AnEmptyChurchTableLeavesThePanelEmpty) {
  auto db = apptest::OpenTestConnection();
  apptest::Exec(*db, "delete from gereja");
  Start();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(FLogin->StatusBar3->Panels()[0]->Text(), "");
}

}  // namespace
