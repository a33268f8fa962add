// Work tables hidden per connection: two workstations editing document lines at once
// each keep their own lines, and the shared table is never touched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DbTestSupport.h"
#include "data/WorkTables.h"

using data::TZQuery;
using dbtest::Sql;

namespace {

class WorkTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    admin_->ExecuteDirect("drop table if exists tst_dl_lines_temp");
    admin_->ExecuteDirect(
        "create table tst_dl_lines_temp(id int auto_increment primary key, nama varchar(50) not null,"
        " unique key u_nama(nama)) default charset=utf8mb4");
  }
  void TearDown() override { admin_->ExecuteDirect("drop table if exists tst_dl_lines_temp"); }

  // A workstation: its own connection that hides the work tables on every connect.
  std::unique_ptr<data::TZConnection> Workstation() {
    auto c = dbtest::NewConnection();
    data::TZConnection* raw = c.get();
    c->AfterConnect = [raw](rtl::TObject*) {
      data::ShadowWorkTables(*raw, {"tst_dl_lines_temp", "tst_dl_absent_temp"});
    };
    return c;
  }

  static void AddLine(data::TZConnection& c, const char* nama) {
    TZQuery q(nullptr);
    q.SetConnection(&c);
    Sql(q, {"insert into tst_dl_lines_temp(nama)values(:na)"});
    q.ParamByName("na")->AsString(nama);
    q.ExecSQL();
  }

  static std::vector<std::string> Lines(data::TZConnection& c) {
    TZQuery q(nullptr);
    q.SetConnection(&c);
    Sql(q, {"select nama from tst_dl_lines_temp", "order by id"});
    q.Open();
    std::vector<std::string> out;
    for (; !q.Eof(); q.Next()) out.push_back(q.FieldByName("nama")->AsString());
    return out;
  }

  std::unique_ptr<data::TZConnection> admin_ = dbtest::NewConnection();
};

TEST_F(WorkTablesTest, EachConnectionSeesOnlyItsOwnLines) {
  auto a = Workstation();
  auto b = Workstation();
  AddLine(*a, "Andreas");
  AddLine(*a, "Maria");
  AddLine(*b, "Andreas");  // the copy keeps the unique key, but per connection
  using V = std::vector<std::string>;
  EXPECT_EQ(Lines(*a), (V{"Andreas", "Maria"}));
  EXPECT_EQ(Lines(*b), (V{"Andreas"}));
  EXPECT_EQ(Lines(*admin_), V{});

  // The windows empty their lines with "truncate table": only this connection's go.
  a->ExecuteDirect("truncate table tst_dl_lines_temp");
  EXPECT_EQ(Lines(*a), V{});
  EXPECT_EQ(Lines(*b), (V{"Andreas"}));

  // Hiding again on the same session keeps the lines; a new session starts empty.
  data::ShadowWorkTables(*b, {"tst_dl_lines_temp"});
  EXPECT_EQ(Lines(*b), (V{"Andreas"}));
  b->Disconnect();
  EXPECT_EQ(Lines(*b), V{});
  EXPECT_EQ(Lines(*admin_), V{});
}

TEST_F(WorkTablesTest, TheCopyKeepsKeysAndCounters) {
  auto a = Workstation();
  AddLine(*a, "Yohanes");
  EXPECT_THROW(AddLine(*a, "Yohanes"), data::EDatabaseError);
  TZQuery q(nullptr);
  q.SetConnection(a.get());
  Sql(q, {"select id from tst_dl_lines_temp"});
  q.Open();
  EXPECT_EQ(q.FieldByName("id")->AsInteger(), 1);
}

}  // namespace
