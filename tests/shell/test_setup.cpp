// The church record and the yearly themes, against the database. The single church row
// and the other themes' marks are put back as they were found.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/UDM.h"
#include "gui/Dialogs.h"
#include "shell/UGereja.h"
#include "shell/UTemaTahunan.h"
#include "tests/shell/ShellTestSupport.h"

using namespace gui;
using app::DM;
using shell::FGereja;
using shell::FMenu;
using shell::FTemaTahunan;

namespace {

class ChurchWindow : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    data::TZQuery q(nullptr);
    q.SetConnection(db.get());
    q.SQL.Add("select nama_gereja,alamat from gereja");
    q.Open();
    if (q.RecordCount() > 0)
      kept_ = std::make_pair(q.FieldByName("nama_gereja")->AsString(), q.FieldByName("alamat")->AsString());
    Exec("delete from gereja");
    Start();
    Application->CreateForm(FGereja);
  }
  void TearDown() override {
    delete FGereja;
    FGereja = nullptr;
    Exec("delete from gereja");
    if (kept_) {
      data::TZQuery q(nullptr);
      q.SetConnection(db.get());
      q.SQL.Add("insert into gereja(nama_gereja,alamat)values(:ng,:al)");
      q.ParamByName("ng")->AsString(kept_->first);
      q.ParamByName("al")->AsString(kept_->second);
      q.ExecSQL();
    }
    ShellFixture::TearDown();
  }
  std::optional<std::pair<std::string, std::string>> kept_;
};

TEST_F(ChurchWindow, SetupInsertsTheRowThenOverwritesIt) {
  FMenu->Label11->SetCaption("LAMA");
  FGereja->Edit1->SetText("sisa");
  FGereja->FormActivate(nullptr);
  // No row: empty fields, and the main window shows no church.
  EXPECT_EQ(FGereja->Edit1->Text(), "");
  EXPECT_EQ(FMenu->Label11->Caption(), "");

  FGereja->Edit1->SetText("gereja uji");
  FGereja->Edit2->SetText("Jl. Uji no. 1");
  FGereja->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Data Gereja sudah berhasil di-input|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtInformation);
  EXPECT_EQ(Value("select concat(nama_gereja,'|',alamat) from gereja"), "GEREJA UJI|Jl. Uji no. 1");
  // The activation after the save reads the row back and the main window follows at once.
  EXPECT_EQ(FGereja->Edit1->Text(), "GEREJA UJI");
  EXPECT_EQ(FMenu->Label11->Caption(), "GEREJA UJI");

  dialogs.shown.clear();
  FGereja->Edit1->SetText("GEREJA BARU");
  FGereja->Edit2->SetText("Jl. Baru");
  FGereja->Button1Click(nullptr);
  EXPECT_EQ(Texts(), "Data Gereja sudah berhasil di-update|");
  EXPECT_EQ(Value("select count(*) from gereja"), "1");
  EXPECT_EQ(Value("select concat(nama_gereja,'|',alamat) from gereja"), "GEREJA BARU|Jl. Baru");
  EXPECT_EQ(FMenu->Label11->Caption(), "GEREJA BARU");
}

TEST_F(ChurchWindow, NothingLongerThanItsColumnCanBeTyped) {
  EXPECT_EQ(FGereja->Edit1->MaxLength(), ColumnLength("gereja", "nama_gereja"));
  EXPECT_EQ(FGereja->Edit2->MaxLength(), ColumnLength("gereja", "alamat"));
}

TEST_F(ChurchWindow, ShownItOffersTheStoredNameForEditing) {
  Exec("insert into gereja(nama_gereja,alamat) values ('GEREJA UJI','Jl. Uji')");
  bool focused = false;
  std::string name;
  guitest::RunSoon([&] {
    focused = FGereja->Edit1->Focused();
    name = FGereja->Edit1->Text();
    FGereja->Button2->Click();
  });
  FGereja->ShowModal();
  EXPECT_TRUE(focused);
  EXPECT_EQ(name, "GEREJA UJI");
  EXPECT_TRUE(dialogs.shown.empty());
}

const char* const kA = "2901-2902";
const char* const kB = "2903-2904";
const char* const kC = "2905-2906";

class ThemeWindow : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Clean();
    // Activation rewrites every theme's mark: keep them to put them back.
    data::TZQuery q(nullptr);
    q.SetConnection(db.get());
    q.SQL.Add("select periode,aktif from tema_tahunan");
    q.Open();
    for (q.First(); !q.Eof(); q.Next())
      marks_.push_back({q.FieldByName("periode")->AsString(),
                        q.FieldByName("aktif")->IsNull() ? std::nullopt
                                                         : std::optional<std::string>(q.FieldByName("aktif")->AsString())});
    Start();
    FMenu->Label4->SetCaption("tst_adm_tema");
    Application->CreateForm(FTemaTahunan);
    FTemaTahunan->FormActivate(nullptr);
  }
  void TearDown() override {
    delete FTemaTahunan;
    FTemaTahunan = nullptr;
    Clean();
    data::TZQuery q(nullptr);
    q.SetConnection(db.get());
    for (const auto& [period, mark] : marks_) {
      q.SQL.Clear();
      q.SQL.Add("update tema_tahunan set aktif=:ak where periode=:pe");
      q.ParamByName("pe")->AsString(period);
      if (mark) q.ParamByName("ak")->AsString(*mark);
      q.ExecSQL();
    }
    ShellFixture::TearDown();
  }
  void Clean() {
    Exec(std::string("delete from tema_tahunan where periode in ('") + kA + "','" + kB + "','" + kC + "')");
  }
  void Save(const char* period, const char* theme, bool activate) {
    std::string p = period;
    FTemaTahunan->Edit1->SetText(p.substr(0, 4));
    FTemaTahunan->Edit2->SetText(p.substr(5));
    FTemaTahunan->Edit3->SetText(theme);
    FTemaTahunan->CheckBox1->SetChecked(activate);
    FTemaTahunan->Button1Click(nullptr);
  }
  std::string Row(const char* period) {
    return Value(std::string("select concat_ws('|',tema,coalesce(aktif,'NULL'),username) from tema_tahunan where periode='") +
                 period + "'");
  }
  bool Select(const char* period) {
    auto* q = DM->Q3;
    for (q->First(); !q->Eof(); q->Next())
      if (q->FieldByName("periode")->AsString() == period) return true;
    return false;
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> marks_;
};

TEST_F(ThemeWindow, SavingInsertsANewPeriodAndUpdatesAnExistingOne) {
  Save(kA, "Tema pertama", false);
  EXPECT_EQ(Texts(), "Data Tema Tahunan berhasil di-input|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtInformation);
  // Saved without "Aktifkan" the theme carries no mark at all.
  EXPECT_EQ(Row(kA), "Tema pertama|NULL|tst_adm_tema");
  EXPECT_EQ(FTemaTahunan->Edit1->Text(), "");
  EXPECT_TRUE(Select(kA));

  dialogs.shown.clear();
  FMenu->Label4->SetCaption("tst_adm_lain");
  Save(kA, "Tema diubah", false);
  EXPECT_EQ(Texts(), "Data Tema Tahunan berhasil di-ubah|");
  EXPECT_EQ(Row(kA), "Tema diubah|NULL|tst_adm_lain");
}

TEST_F(ThemeWindow, ActivatingLeavesExactlyOneActiveTheme) {
  Save(kA, "Tema A", true);
  EXPECT_EQ(Row(kA), "Tema A|Ya|tst_adm_tema");
  EXPECT_EQ(FMenu->Label3->Caption(), "Tema A");
  Save(kB, "Tema B", true);
  EXPECT_EQ(Row(kB), "Tema B|Ya|tst_adm_tema");
  EXPECT_EQ(Row(kA), "Tema A||tst_adm_tema");
  EXPECT_EQ(Value("select count(*) from tema_tahunan where aktif='Ya'"), "1");
  EXPECT_EQ(FMenu->Label3->Caption(), "Tema B");
  // The grid shows the active theme first.
  DM->Q3->First();
  EXPECT_EQ(DM->Q3->FieldByName("periode")->AsString(), kB);

  // Saving the active theme unticked leaves none active.
  Save(kB, "Tema B", false);
  EXPECT_EQ(Value("select count(*) from tema_tahunan where aktif='Ya'"), "0");
}

// A save that fails after the marks were cleared must not leave the congregation without
// its active theme: the marks stay as they were, for a new period and an existing one.
TEST_F(ThemeWindow, AFailedActivationLeavesTheMarksAsTheyWere) {
  Save(kA, "Tema A", true);
  Save(kB, "Tema B", false);
  dialogs.shown.clear();
  // Longer than the column that records who saved: the server refuses the save.
  FMenu->Label4->SetCaption(std::string(101, 'x'));
  for (const char* period : {kB, kC}) {
    EXPECT_THROW(Save(period, "Tema baru", true), data::EDatabaseError) << period;
    EXPECT_EQ(Row(kA), "Tema A|Ya|tst_adm_tema") << period;
    EXPECT_EQ(Row(kB), "Tema B|NULL|tst_adm_tema") << period;
    EXPECT_EQ(Value(std::string("select count(*) from tema_tahunan where periode='") + kC + "'"), "0");
    EXPECT_EQ(FMenu->Label3->Caption(), "Tema A") << period;
  }
  EXPECT_TRUE(dialogs.shown.empty()) << Texts();
  // The connection commits statement by statement again afterwards.
  FMenu->Label4->SetCaption("tst_adm_tema");
  Save(kB, "Tema B", true);
  EXPECT_EQ(Row(kB), "Tema B|Ya|tst_adm_tema");
  EXPECT_EQ(Row(kA), "Tema A||tst_adm_tema");
}

TEST_F(ThemeWindow, DoubleClickReadsTheRowBack) {
  Exec(std::string("insert into tema_tahunan(periode,tema,aktif,username) values ('") + kA + "','Tema A','Ya','x'),('" + kB +
       "','Tema B',NULL,'x')");
  FTemaTahunan->FormActivate(nullptr);
  ASSERT_TRUE(Select(kA));
  FTemaTahunan->DBGrid1DblClick(nullptr);
  EXPECT_EQ(FTemaTahunan->Edit1->Text(), "2901");
  EXPECT_EQ(FTemaTahunan->Edit2->Text(), "2902");
  EXPECT_EQ(FTemaTahunan->Edit3->Text(), "Tema A");
  EXPECT_TRUE(FTemaTahunan->CheckBox1->Checked());
  ASSERT_TRUE(Select(kB));
  FTemaTahunan->DBGrid1DblClick(nullptr);
  EXPECT_EQ(FTemaTahunan->Edit2->Text(), "2904");
  EXPECT_FALSE(FTemaTahunan->CheckBox1->Checked());
}

TEST_F(ThemeWindow, SearchesByPeriodOrByTheme) {
  Exec(std::string("insert into tema_tahunan(periode,tema,aktif,username) values ('") + kA +
       "','Kasih tst_adm','','x'),('" + kB + "','Iman tst_adm','','x')");
  FTemaTahunan->FormActivate(nullptr);
  int all = DM->Q3->RecordCount();
  EXPECT_GE(all, 2);
  // The search controls are out of use until a kind of search is chosen; "Cari" then
  // leaves the list as it is.
  EXPECT_FALSE(FTemaTahunan->ComboBox1->Enabled());
  EXPECT_EQ(FTemaTahunan->Edit5->Color(), clBtnFace);
  FTemaTahunan->Button4Click(nullptr);
  EXPECT_EQ(DM->Q3->RecordCount(), all);

  FTemaTahunan->RadioButton1->SetChecked(true);
  EXPECT_TRUE(FTemaTahunan->ComboBox1->Enabled());
  EXPECT_EQ(FTemaTahunan->ComboBox1->Color(), clWhite);
  auto& periods = FTemaTahunan->ComboBox1->Items();
  int b = periods.IndexOf(kB);
  ASSERT_GE(b, 0);
  FTemaTahunan->ComboBox1->SetItemIndex(b);
  FTemaTahunan->Button4Click(nullptr);
  ASSERT_EQ(DM->Q3->RecordCount(), 1);
  EXPECT_EQ(DM->Q3->FieldByName("tema")->AsString(), "Iman tst_adm");

  FTemaTahunan->RadioButton2->SetChecked(true);
  EXPECT_FALSE(FTemaTahunan->ComboBox1->Enabled());
  EXPECT_TRUE(FTemaTahunan->Edit5->Enabled());
  FTemaTahunan->Edit5->SetText("kasih tst");
  FTemaTahunan->Button4Click(nullptr);
  ASSERT_EQ(DM->Q3->RecordCount(), 1);
  EXPECT_EQ(DM->Q3->FieldByName("periode")->AsString(), kA);
}

TEST_F(ThemeWindow, ASearchByPeriodWithoutAnyThemeIsRefused) {
  if (Value("select count(*) from tema_tahunan") != "0") GTEST_SKIP() << "the database holds themes of others";
  FTemaTahunan->Edit3->SetText("sisa");
  FTemaTahunan->RadioButton1->SetChecked(true);
  EXPECT_EQ(Texts(), "Maaf...Belum ada Tema Tahunan yang diinput|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  // The window starts over.
  EXPECT_FALSE(FTemaTahunan->RadioButton1->Checked());
  EXPECT_FALSE(FTemaTahunan->ComboBox1->Enabled());
  EXPECT_EQ(FTemaTahunan->Edit3->Text(), "");
}

TEST_F(ThemeWindow, DeleteRemovesTheSelectedThemeOnlyOnYes) {
  Exec(std::string("insert into tema_tahunan(periode,tema,aktif,username) values ('") + kA + "','Tema A',NULL,'x')");
  FTemaTahunan->FormActivate(nullptr);
  ASSERT_TRUE(Select(kA));
  dialogs.answers = {mrNo};
  FTemaTahunan->Button2Click(nullptr);
  EXPECT_EQ(Texts(), "Apakah anda yakin mau hapus record ini?|");
  EXPECT_EQ(dialogs.shown[0].Buttons, mbYes | mbNo);
  EXPECT_EQ(Row(kA), "Tema A|NULL|x");

  ASSERT_TRUE(Select(kA));
  dialogs.answers = {mrYes};
  FTemaTahunan->Button2Click(nullptr);
  EXPECT_EQ(Value(std::string("select count(*) from tema_tahunan where periode='") + kA + "'"), "0");
  EXPECT_FALSE(Select(kA));
}

}  // namespace
