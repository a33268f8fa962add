#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "gui/Dialogs.h"
#include "tests/shell/ShellTestSupport.h"

using namespace gui;
using shell::FLogin;

namespace {

class Recomputation : public shelltest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Exec("delete from detail_kk where nij like 'NJ-TSTUP.%'");
    Start();
  }
  void TearDown() override {
    Exec("delete from detail_kk where nij like 'NJ-TSTUP.%'");
    ShellFixture::TearDown();
  }
  // A member whose calendar-year age is `age` (no birth date when nullopt).
  void Member(int n, std::optional<int> age, const char* nikah, const char* sex, const char* old) {
    std::string born = age ? "makedate(year(curdate())-" + std::to_string(*age) + ", 1)" : "NULL";
    Exec("insert into detail_kk(nij,nik,nama_gabung,tgl_lahir,nikah,sex,pelkat) values ('NJ-TSTUP." +
         std::to_string(n) + "','NK-TSTUP','UJI'," + born + ",'" + nikah + "','" + sex + "','" + old + "')");
  }
  std::string Group(int n) { return Value("select pelkat from detail_kk where nij='NJ-TSTUP." + std::to_string(n) + "'"); }
};

TEST_F(Recomputation, RewritesEveryMembersGroupAndRestoresTheWindow) {
  struct Row {
    std::optional<int> age;
    const char* nikah;
    const char* sex;
    const char* old;
    const char* now;
  } rows[] = {
      {std::nullopt, "BELUM", "Pria", "GP", "PA"},
      {12, "BELUM", "Wanita", "PT", "PA"},
      {13, "BELUM", "Pria", "PA", "PT"},
      {30, "BELUM", "Wanita", "PKP", "GP"},
      {30, "SUDAH", "Pria", "GP", "PKB"},
      {30, "CERAI", "Wanita", "GP", "GP"},  // neither state: kept
      {40, "BELUM", "Wanita", "PKP", "GP"},
      {46, "BELUM", "Wanita", "GP", "PKP"},
      {50, "SUDAH", "-", "PKB", "PKB"},     // no known sex: kept
      {60, "SUDAH", "Pria", "PKB", "PKLU"},
  };
  int n = 0;
  for (const Row& r : rows) Member(++n, r.age, r.nikah, r.sex, r.old);
  FLogin->UpdatePelkat();
  EXPECT_TRUE(dialogs.shown.empty()) << Texts();
  n = 0;
  for (const Row& r : rows) {
    ++n;
    EXPECT_EQ(Group(n), r.now) << "member " << n;
  }
  EXPECT_EQ(FLogin->Height(), shell::TFLogin::NormalHeight);
  EXPECT_FALSE(FLogin->Gauge1->Visible());
  EXPECT_EQ(FLogin->Gauge1->Progress(), FLogin->Gauge1->MaxValue());
}

TEST_F(Recomputation, AFailureIsReportedAndTheWindowRestored) {
  Member(1, 30, "SUDAH", "Pria", "GP");
  Exec("rename table detail_kk to tst_recompute_moved");
  FLogin->UpdatePelkat();
  Exec("rename table tst_recompute_moved to detail_kk");
  EXPECT_EQ(Texts(), "Query Automation Gagal!|");
  EXPECT_EQ(dialogs.shown[0].Caption, "Error");
  EXPECT_EQ(FLogin->Height(), shell::TFLogin::NormalHeight);
  EXPECT_FALSE(FLogin->Gauge1->Visible());
  EXPECT_EQ(Group(1), "GP");
}

}  // namespace
