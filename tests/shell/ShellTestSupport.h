// The program's start-up for the shell tests, in process: the login window, the main
// window and the data module, with message boxes recorded.
#pragma once
#include <string>

#include "app/UDM.h"
#include "shell/ULogin.h"
#include "shell/Upantra.h"
#include "tests/app/DbTestSupport.h"
#include "tests/gui/GuiTestSupport.h"

namespace shelltest {

class ShellFixture : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    saved_ = app::ConnectionSettings();
    gui::Application->CreateForm(shell::FLogin);
    gui::Application->CreateForm(shell::FMenu);
    gui::Application->CreateForm(app::DM);
    db = apptest::OpenTestConnection();
  }
  void TearDown() override {
    shell::FLogin->Timer1->SetEnabled(false);
    shell::FMenu->Timer4->SetEnabled(false);
    delete shell::FMenu;
    shell::FMenu = nullptr;
    delete shell::FLogin;
    shell::FLogin = nullptr;
    delete app::DM;
    app::DM = nullptr;
    app::ConnectionSettings() = saved_;
    db.reset();
    WithRecordedDialogs::TearDown();
  }
  // The login window on screen and activated, as at start-up.
  void Start() { gui::Application->ShowMainForm(); }
  void Exec(const std::string& sql) { apptest::Exec(*db, sql); }
  std::string Value(const std::string& sql) {
    data::TZQuery q(nullptr);
    q.SetConnection(db.get());
    q.SQL.Add(sql);
    q.Open();
    return q.Fields(0)->AsString();
  }
  // The declared length of a text column, as the server reports it.
  int ColumnLength(const std::string& table, const std::string& column) {
    return std::stoi(
        Value("select character_maximum_length from information_schema.columns where "
              "table_schema=database() and table_name='" +
              table + "' and column_name='" + column + "'"));
  }
  std::string Texts() const {
    std::string all;
    for (const auto& r : dialogs.shown) all += r.Text + "|";
    return all;
  }

  std::unique_ptr<data::TZConnection> db;
  app::TConnectionSettings saved_;
};

}  // namespace shelltest
