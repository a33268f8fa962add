// What the worship window tests share: the windows a test makes (freed after it, in
// reverse), members and council members stored directly, and the rows of a select as
// one text; the lookup rows of a window checked against its controls.
#pragma once
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "registry/LookupProtocol.h"
#include "tests/registry/RegistryTestSupport.h"

namespace worshiptest {

class WorshipFixture : public regtest::RegistryFixture {
 protected:
  void TearDown() override {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) (*it)();
    made_.clear();
    RegistryFixture::TearDown();
  }
  // Creates the one instance of a window for this test.
  template <class T>
  void Make(T*& instance) {
    gui::Application->CreateForm(instance);
    made_.push_back([&instance] {
      delete instance;
      instance = nullptr;
    });
  }
  void Member(const std::string& nik, const std::string& nij, const std::string& name,
              const std::string& sector = "") {
    Exec("insert into detail_kk(nik,nij,nama_gabung,sekpel,sts_hidup,username) values ('" + nik + "','" + nij +
         "','" + name + "','" + sector + "','Hidup','tst_reg')");
  }
  // `pin` as SQL: a quoted text or NULL.
  void Council(const std::string& nimp, const std::string& nij, const std::string& office, const std::string& pin) {
    Exec("insert into majelis(nimp,nij,pnt_dkn,sts_aktif,pswd,username) values ('" + nimp + "','" + nij + "','" +
         office + "','Aktif'," + pin + ",'tst_reg')");
  }
  // The rows of a select, on the test's connection or (for the work tables, which each
  // connection keeps to itself) on the program's.
  std::string Rows(const std::string& sql, data::TZConnection* on = nullptr) {
    data::TZQuery q(nullptr);
    q.SetConnection(on ? on : db.get());
    q.SQL.Add(sql);
    q.Open();
    std::string out;
    for (q.First(); !q.Eof(); q.Next()) {
      for (int i = 0; i < q.FieldCount(); ++i) out += (i ? "," : "") + q.Fields(i)->AsString();
      out += ";";
    }
    return out;
  }

  // Every row of the lookup tables that serves one of `windows` names buttons, inputs
  // and lists the window has, and a hand-over that is installed. The rows walked.
  int CheckLookupRows(const std::vector<std::string>& windows) {
    namespace lookup = registry::lookup;
    int walked = 0;
    for (const lookup::TLookupTable* table : {&lookup::MemberTable(), &lookup::CouncilTable(),
                                              &lookup::MinisterTable(), &lookup::VicarTable(), &lookup::StudentTable()})
      for (const lookup::TCaller& c : table->callers) {
        if (std::find(windows.begin(), windows.end(), c.window) == windows.end()) continue;
        SCOPED_TRACE(c.window);
        auto* caller = dynamic_cast<gui::TCustomForm*>(gui::Application->FindComponent(c.window));
        EXPECT_NE(caller, nullptr);
        if (!caller) continue;
        ++walked;
        for (const auto* buttons : {&c.flagged, &c.notFlagged, &c.alsoClears})
          for (const std::string& b : *buttons) {
            EXPECT_NE(dynamic_cast<gui::TSpeedButton*>(caller->FindComponent(b)), nullptr) << b;
          }
        for (const lookup::TWrite& w : c.writes) {
          if (w.control.find('.') != std::string::npos) continue;  // another window's control
          EXPECT_NE(dynamic_cast<gui::TControl*>(caller->FindComponent(w.control)), nullptr) << w.control;
        }
        for (const lookup::TParamValue& p : c.params) {
          if (!p.fromList.empty()) {
            EXPECT_NE(caller->FindComponent(p.fromList), nullptr) << p.fromList;
          }
        }
        if (!c.hook.empty()) {
          EXPECT_TRUE(lookup::HookInstalled(c.hook)) << c.hook;
        }
      }
    return walked;
  }

 private:
  std::vector<std::function<void()>> made_;
};

}  // namespace worshiptest
