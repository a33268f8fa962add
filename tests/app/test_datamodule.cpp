#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/UDM.h"
#include "tests/app/DbTestSupport.h"

using namespace app;

TEST(DataModule, HoldsEveryQueryAndSourceInDeclarationOrder) {
  TDM dm(nullptr);
  const std::vector<std::string> names = {
      "ZConnection1", "Q1", "Q2", "Q3", "DS_Q3", "Q4", "DS_Q4", "Q5", "DS_Q5", "Q6", "QTimer", "QTimer2", "Q7",
      "Q8", "DS_Q8", "QTemp", "DS_QTemp", "QTimer3", "QTemp2", "DS_QTemp2", "QTemp3", "DS_QTemp3", "QTemp4",
      "DS_QTemp4", "QTimer5", "QTimer6", "QTimer7", "QTimer8", "QUser", "DS_QUser", "QRepIM", "DS_QRepIM",
      "QRepIG", "DS_QRepIG", "QReport", "DS_QReport", "QAkses", "QMPAGTemp", "DS_QMPAGTemp", "QRepIS",
      "DS_QRepIS", "QRepIP", "DS_QRepIP", "QRandomMajelis", "DS_QRandomMajelis", "QVote", "DS_QVote", "QCheck",
      "QDelete", "QRepIY", "DS_QRepIY", "Q9"};
  ASSERT_EQ(dm.ComponentCount(), static_cast<int>(names.size()));
  int queries = 0, sources = 0;
  for (int i = 0; i < dm.ComponentCount(); ++i) {
    rtl::TComponent* c = dm.Components(i);
    EXPECT_EQ(c->Name(), names[static_cast<size_t>(i)]);
    if (auto* q = dynamic_cast<TZQuery*>(c)) {
      ++queries;
      EXPECT_EQ(q->Connection(), dm.ZConnection1) << q->Name();
    }
    if (auto* s = dynamic_cast<TDataSource*>(c)) {
      ++sources;
      // Each source shows the query its name ends with.
      EXPECT_EQ("DS_" + s->DataSet()->Name(), s->Name());
    }
  }
  EXPECT_EQ(queries, 33);
  EXPECT_EQ(sources, 18);
}

static void PointAtTheTestServer(TDM& dm) {
  const auto& s = ConnectionSettings();
  dm.ZConnection1->HostName = s.HostName;
  dm.ZConnection1->Port = s.Port;
  dm.ZConnection1->User = s.User;
  dm.ZConnection1->Password = s.Password;
  dm.ZConnection1->Database = s.Database;
}

// Two running copies of the program: each one's document lines stay its own, and a
// truncate by one never empties the other's.
TEST(DataModule, EachConnectionKeepsItsOwnWorkTableLines) {
  const std::string table = "majelis_group_temp";
  ASSERT_NE(std::find(WorkTables().begin(), WorkTables().end(), table), WorkTables().end());
  auto admin = apptest::OpenTestConnection();
  apptest::Exec(*admin, "delete from " + table);

  TDM one(nullptr), two(nullptr);
  for (TDM* dm : {&one, &two}) PointAtTheTestServer(*dm);
  auto run = [&](TDM& dm, const std::string& sql) {
    dm.Q1->SQL.Clear();
    dm.Q1->SQL.Add(sql);
    dm.Q1->ExecSQL();
  };
  auto lines = [&](TDM& dm) {
    dm.Q1->SQL.Clear();
    dm.Q1->SQL.Add("select nimp from " + table);
    dm.Q1->Open();
    std::vector<std::string> v;
    for (dm.Q1->First(); !dm.Q1->Eof(); dm.Q1->Next()) v.push_back(dm.Q1->FieldByName("nimp")->AsString());
    return v;
  };
  // The first statement connects on demand, and the connection hides the shared table;
  // both copies may even use the same ids.
  run(one, "insert into " + table + "(id,nimp) values (1,'MJ-SATU')");
  run(two, "insert into " + table + "(id,nimp) values (1,'MJ-DUA')");
  run(two, "insert into " + table + "(id,nimp) values (2,'MJ-DUA-LAGI')");
  EXPECT_EQ(lines(one), std::vector<std::string>{"MJ-SATU"});
  EXPECT_EQ(lines(two), (std::vector<std::string>{"MJ-DUA", "MJ-DUA-LAGI"}));
  run(one, "truncate table " + table);
  EXPECT_TRUE(lines(one).empty());
  EXPECT_EQ(lines(two).size(), 2u);

  // A reconnect starts with an empty table of its own again.
  two.ZConnection1->Disconnect();
  EXPECT_TRUE(lines(two).empty());

  data::TZQuery shared(nullptr);
  shared.SetConnection(admin.get());
  shared.SQL.Add("select count(*) as n from " + table);
  shared.Open();
  EXPECT_EQ(shared.FieldByName("n")->AsInteger(), 0);
}

// A workstation whose work tables cannot be hidden would edit the lines every other one
// edits: its connection is refused with the reason, and no statement reaches the shared
// tables. Here the server cannot copy one work table as a temporary table (a
// partitioned table cannot be temporary).
TEST(DataModule, AConnectionWithoutItsOwnWorkTablesIsRefused) {
  const std::string table = "majelis_group_temp2";
  ASSERT_NE(std::find(WorkTables().begin(), WorkTables().end(), table), WorkTables().end());
  auto admin = apptest::OpenTestConnection();
  apptest::Exec(*admin, "rename table " + table + " to tst_dm_keep");
  struct Restore {
    data::TZConnection& c;
    std::string table;
    ~Restore() {
      c.ExecuteDirect("drop table if exists " + table);
      c.ExecuteDirect("rename table tst_dm_keep to " + table);
    }
  } restore{*admin, table};
  apptest::Exec(*admin, "create table " + table + "(id int primary key) partition by hash(id) partitions 2");

  TDM dm(nullptr);
  PointAtTheTestServer(dm);
  for (int attempt = 0; attempt < 2; ++attempt) {
    dm.Q1->SQL.Clear();
    dm.Q1->SQL.Add("insert into " + table + "(id) values (" + std::to_string(attempt + 1) + ")");
    try {
      dm.Q1->ExecSQL();
      ADD_FAILURE() << "the statement ran on attempt " << attempt;
    } catch (const data::EDatabaseError& e) {
      EXPECT_EQ(e.Message().rfind(kWorkTablesFailed, 0), 0u) << e.Message();
      EXPECT_NE(e.Message().find("TEMPORARY"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(dm.ZConnection1->Connected());
  }
  data::TZQuery shared(nullptr);
  shared.SetConnection(admin.get());
  shared.SQL.Add("select count(*) as n from " + table);
  shared.Open();
  EXPECT_EQ(shared.FieldByName("n")->AsInteger(), 0);
}
