// Queries against the real MariaDB server: parameters of every kind, blobs, dates, column
// names, conversions, navigation, refresh, connection on demand and data links.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "DbTestSupport.h"
#include "data/DataLink.h"
#include "rtl/Classes.h"
#include "rtl/DateUtils.h"
#include "rtl/SysUtils.h"

using data::EDatabaseError;
using data::TFieldType;
using data::TZQuery;
using dbtest::Sql;

namespace {

class QueryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    conn_ = dbtest::NewConnection().release();
    for (const char* s : {
             "drop table if exists tst_dl_kinds, tst_dl_fam, tst_dl_person, tst_dl_seq",
             "create table tst_dl_kinds(id int primary key, s varchar(100), s2 varchar(100), s3 varchar(100),"
             " n bigint, f double, dec1 decimal(12,2), d date, t time, dt datetime, u varchar(10), b longblob,"
             " memo longtext)"
             " default charset=utf8mb4",
             "create table tst_dl_fam(nik varchar(10) primary key, nama varchar(50)) default charset=utf8mb4",
             "create table tst_dl_person(nij varchar(10) primary key, nik varchar(10), nama varchar(50),"
             " tgl_lahir date) default charset=utf8mb4",
             "create table tst_dl_seq(v int primary key, grp int) default charset=utf8mb4",
         })
      conn_->ExecuteDirect(s);
  }
  static void TearDownTestSuite() {
    conn_->ExecuteDirect("drop table if exists tst_dl_kinds, tst_dl_fam, tst_dl_person, tst_dl_seq");
    delete conn_;
    conn_ = nullptr;
  }
  void SetUp() override {
    for (const char* t : {"tst_dl_kinds", "tst_dl_fam", "tst_dl_person", "tst_dl_seq"})
      conn_->ExecuteDirect(std::string("delete from ") + t);
    q_.SetConnection(conn_);
  }

  void FillSeq(int n, int grp) {
    TZQuery ins(nullptr);
    ins.SetConnection(conn_);
    Sql(ins, {"insert into tst_dl_seq(v,grp)values(:v,:g)"});
    for (int i = 1; i <= n; ++i) {
      ins.ParamByName("v")->AsInteger(i);
      ins.ParamByName("g")->AsInteger(grp);
      ins.ExecSQL();
    }
  }

  static data::TZConnection* conn_;
  TZQuery q_{nullptr};
};
data::TZConnection* QueryTest::conn_ = nullptr;

TEST_F(QueryTest, EveryParameterKindRoundTrips) {
  const std::string text = "Sitì Ñoël – € 𝄞 Tuhan";  // non-ASCII, a surrogate pair included
  const rtl::TDateTime day = rtl::EncodeDate(2026, 1, 5);
  const rtl::TDateTime time = rtl::EncodeTime(19, 30, 15);
  const int64_t big = 9007199254740993LL;  // beyond 32 bits and beyond a double's exact range
  std::string memo;  // longer than one piece of a fetch, odd length, multi-byte letters across the seams
  for (int i = 0; i < 9001; ++i) memo += "ab\xC3\xA9\xE2\x82\xAC";  // "abé€"

  Sql(q_, {"insert into tst_dl_kinds(id,s,s2,s3,n,f,dec1,d,t,dt,u,memo)",
           "values(:id,:s,:S,'jam 10:30 :bukan',:n,:f,:dec,:d,:t,:dt,:u,:memo)"});
  EXPECT_EQ(q_.ParamCount(), 10);  // ":s" and ":S" are one parameter
  q_.ParamByName("id")->AsInteger(1);
  q_.ParamByName("s")->AsString(text);
  q_.ParamByName("n")->AsInteger(big);
  q_.ParamByName("f")->AsFloat(-1234.5625);
  q_.ParamByName("DEC")->AsFloat(150000);
  q_.ParamByName("d")->AsDate(day + 0.75);  // the time part is dropped
  q_.ParamByName("t")->AsTime(day + time);  // the date part is dropped
  q_.ParamByName("dt")->AsDateTime(day + time);
  q_.ParamByName("memo")->AsString(memo);
  q_.ExecSQL();  // ":u" left unbound: NULL
  EXPECT_EQ(q_.RowsAffected(), 1);

  Sql(q_, {"select * from tst_dl_kinds", "where id=:id"});
  q_.ParamByName("id")->AsInteger(1);
  q_.Open();
  ASSERT_EQ(q_.RecordCount(), 1);
  EXPECT_EQ(q_.FieldByName("s")->AsString(), text);
  EXPECT_EQ(q_.FieldByName("s2")->AsString(), text);
  EXPECT_EQ(q_.FieldByName("s3")->AsString(), "jam 10:30 :bukan");
  EXPECT_TRUE(q_.FieldByName("memo")->AsString() == memo);
  EXPECT_EQ(q_.FieldByName("n")->AsInteger(), big);
  EXPECT_EQ(q_.FieldByName("f")->AsFloat(), -1234.5625);
  EXPECT_EQ(q_.FieldByName("dec1")->AsString(), "150000");
  EXPECT_EQ(q_.FieldByName("d")->AsString(), "05/01/2026");
  EXPECT_EQ(q_.FieldByName("d")->AsDateTime(), day);
  EXPECT_EQ(q_.FieldByName("t")->AsString(), "19:30:15");
  EXPECT_EQ(q_.FieldByName("dt")->AsString(), "05/01/2026 19:30:15");
  EXPECT_NEAR(q_.FieldByName("dt")->AsDateTime(), day + time, 1e-9);
  EXPECT_TRUE(q_.FieldByName("u")->IsNull());
  EXPECT_EQ(q_.FieldByName("u")->AsString(), "");

  const std::pair<const char*, TFieldType> kinds[] = {
      {"s", TFieldType::ftString}, {"n", TFieldType::ftInteger},   {"f", TFieldType::ftFloat},
      {"dec1", TFieldType::ftFloat}, {"d", TFieldType::ftDate},    {"t", TFieldType::ftTime},
      {"dt", TFieldType::ftDateTime}, {"b", TFieldType::ftBlob},
  };
  for (auto [name, type] : kinds) EXPECT_EQ(q_.FieldByName(name)->DataType(), type) << name;

  // The server stored real UTF-8, not text in some code page.
  Sql(q_, {"select hex(s) h from tst_dl_kinds where id=1"});
  q_.Open();
  std::string hex;
  for (unsigned char c : text) hex += rtl::Format("%02X", c);
  EXPECT_EQ(q_.FieldByName("h")->AsString(), hex);
}

TEST_F(QueryTest, ZeroDateRoundTripsAsTheZeroDate) {
  Sql(q_, {"insert into tst_dl_kinds(id,d,dt)values(:id,:d,:dt)"});
  q_.ParamByName("id")->AsInteger(2);
  q_.ParamByName("d")->AsDate(rtl::ZeroDate);
  q_.ParamByName("dt")->AsDateTime(rtl::ZeroDate);
  q_.ExecSQL();
  Sql(q_, {"select d,dt,cast(d as char) ds from tst_dl_kinds", "where id=2"});
  q_.Open();
  EXPECT_EQ(q_.FieldByName("ds")->AsString(), "1899-12-30");
  EXPECT_FALSE(q_.FieldByName("d")->IsNull());
  EXPECT_EQ(q_.FieldByName("d")->AsDateTime(), rtl::ZeroDate);
  EXPECT_EQ(q_.FieldByName("dt")->AsDateTime(), rtl::ZeroDate);
  EXPECT_EQ(q_.FieldByName("d")->AsString(), "30/12/1899");
}

TEST_F(QueryTest, MySqlZeroDatesReadAsNull) {
  // Rows written by the old MySQL 5 server may hold "0000-00-00": no day at all.
  auto legacy = dbtest::NewConnection();
  legacy->ExecuteDirect("set session sql_mode=''");
  legacy->ExecuteDirect("insert into tst_dl_kinds(id,d,dt)values(5,'0000-00-00','0000-00-00 00:00:00')");
  TZQuery q(nullptr);
  q.SetConnection(legacy.get());
  Sql(q, {"select d,dt from tst_dl_kinds", "where id=5"});
  q.Open();
  for (const char* name : {"d", "dt"}) {
    EXPECT_TRUE(q.FieldByName(name)->IsNull()) << name;
    EXPECT_EQ(q.FieldByName(name)->AsString(), "") << name;
    EXPECT_EQ(q.FieldByName(name)->AsDateTime(), rtl::ZeroDate) << name;
  }
}

TEST_F(QueryTest, JpegBlobRoundTripsByteForByte) {
  std::vector<uint8_t> photo;
  if (std::strlen(KORVAN_TEST_JPEG) > 0) {
    photo = rtl::ReadFileBytes(KORVAN_TEST_JPEG);
    ASSERT_EQ(photo[0], 0xFF);
    ASSERT_EQ(photo[1], 0xD8);
  } else {
    std::mt19937 gen(7);
    photo.resize(300000);
    for (auto& b : photo) b = static_cast<uint8_t>(gen());
  }
  ASSERT_GT(photo.size(), 100000u);
  rtl::TMemoryStream in(photo);
  in.SetPosition(in.Size());  // the whole stream is sent, wherever it stands

  Sql(q_, {"insert into tst_dl_kinds(id,b)values(:id,:foto)"});
  q_.ParamByName("id")->AsInteger(3);
  q_.ParamByName("foto")->LoadFromStream(in);
  q_.ExecSQL();

  Sql(q_, {"select b,length(b) len from tst_dl_kinds", "where id=3"});
  q_.Open();
  EXPECT_EQ(q_.FieldByName("len")->AsInteger(), static_cast<int64_t>(photo.size()));
  rtl::TMemoryStream out;
  q_.FieldByName("b")->SaveToStream(out);
  EXPECT_TRUE(out.Bytes() == photo);
}

TEST_F(QueryTest, EmptyResultsAndNullsReadAsDefaults) {
  Sql(q_, {"insert into tst_dl_kinds(id)values(4)"});
  q_.ExecSQL();
  for (const char* where : {"where id=-1", "where id=4"}) {
    Sql(q_, {"select * from tst_dl_kinds", where});
    q_.Open();
    for (const char* name : {"s", "n", "f", "d", "t", "dt", "b"}) {
      data::TField* f = q_.FieldByName(name);
      EXPECT_TRUE(f->IsNull()) << where << " " << name;
      EXPECT_EQ(f->AsString(), "");
      EXPECT_EQ(f->AsInteger(), 0);
      EXPECT_EQ(f->AsFloat(), 0.0);
      EXPECT_EQ(f->AsDateTime(), rtl::ZeroDate);
      rtl::TMemoryStream s;
      f->SaveToStream(s);
      EXPECT_EQ(s.Size(), 0);
    }
  }
  Sql(q_, {"select * from tst_dl_kinds", "where id=-1"});
  q_.Open();
  EXPECT_TRUE(q_.IsEmpty());
  EXPECT_EQ(q_.RecordCount(), 0);
  EXPECT_EQ(q_.RecNo(), 0);
  EXPECT_TRUE(q_.Eof());
  EXPECT_TRUE(q_.Bof());
  q_.Next();
  q_.Last();
  EXPECT_TRUE(q_.Eof());
}

TEST_F(QueryTest, UnknownNamesAndBadTextRaiseTheLibraryTexts) {
  Sql(q_, {"select 'abc' as x, '12' as y, '05/01/2026' as z from dual", "where 1=:one"});
  try {
    q_.ParamByName("two");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Parameter 'two' not found");
  }
  q_.ParamByName("ONE")->AsInteger(1);
  q_.Open();
  try {
    q_.FieldByName("nama");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'nama' not found");
  }
  EXPECT_EQ(q_.FindField("nama"), nullptr);
  EXPECT_EQ(q_.FindField("X"), q_.FieldByName("x"));
  try {
    q_.FieldByName("x")->AsInteger();
    FAIL();
  } catch (const rtl::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  try {
    q_.FieldByName("x")->AsFloat();
    FAIL();
  } catch (const rtl::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
  }
  EXPECT_EQ(q_.FieldByName("y")->AsInteger(), 12);
  EXPECT_EQ(q_.FieldByName("z")->AsDateTime(), rtl::EncodeDate(2026, 1, 5));
}

TEST_F(QueryTest, ServerErrorsCarryTheServersWords) {
  Sql(q_, {"select * from tst_dl_missing"});
  try {
    q_.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Table 'korvan.tst_dl_missing' doesn't exist");
    EXPECT_EQ(e.NativeError(), 1146);
  }
  EXPECT_FALSE(q_.Active());
}

TEST_F(QueryTest, JoinAndExpressionColumnsAreNamedAsTheServerGivesThem) {
  conn_->ExecuteDirect("insert into tst_dl_fam values('K1','Keluarga Lumi')");
  conn_->ExecuteDirect("insert into tst_dl_person values('J1','K1','Yohana Lumi','1990-07-21')");
  Sql(q_, {"select p.nama,f.nama,p.nama,day(p.tgl_lahir),p.nij from tst_dl_person p,tst_dl_fam f",
           "where f.nik=p.nik"});
  q_.Open();
  std::vector<std::string> names;
  for (int i = 0; i < q_.FieldCount(); ++i) names.push_back(q_.Fields(i)->FieldName());
  EXPECT_EQ(names, (std::vector<std::string>{"nama", "nama_1", "nama_2", "day(p.tgl_lahir)", "nij"}));
  EXPECT_EQ(q_.FieldByName("NAMA_1")->AsString(), "Keluarga Lumi");
  EXPECT_EQ(q_.FieldByName("day(p.tgl_lahir)")->AsInteger(), 21);
}

TEST_F(QueryTest, RowsAreWalkedInOrder) {
  FillSeq(5, 1);
  Sql(q_, {"select v from tst_dl_seq", "order by v"});
  q_.Open();
  EXPECT_EQ(q_.RecordCount(), 5);
  EXPECT_EQ(q_.RecNo(), 1);
  EXPECT_TRUE(q_.Bof());
  std::vector<int64_t> seen;
  while (!q_.Eof()) {
    seen.push_back(q_.FieldByName("v")->AsInteger());
    q_.Next();
  }
  EXPECT_EQ(seen, (std::vector<int64_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(q_.RecNo(), 5);
  q_.Prior();
  EXPECT_FALSE(q_.Eof());
  EXPECT_EQ(q_.FieldByName("v")->AsInteger(), 4);
  q_.First();
  EXPECT_TRUE(q_.Bof());
  EXPECT_EQ(q_.FieldByName("v")->AsInteger(), 1);
  q_.Last();
  EXPECT_TRUE(q_.Eof());
  EXPECT_EQ(q_.RecNo(), 5);
  q_.MoveTo(3);
  EXPECT_EQ(q_.FieldByName("v")->AsInteger(), 3);
}

TEST_F(QueryTest, RefreshRerunsWithTheSameValuesAndKeepsTheRow) {
  FillSeq(5, 1);
  conn_->ExecuteDirect("insert into tst_dl_seq values(100,2)");
  Sql(q_, {"select v from tst_dl_seq", "where grp=:g", "order by v"});
  q_.ParamByName("g")->AsInteger(1);
  q_.Open();
  q_.MoveTo(3);

  conn_->ExecuteDirect("insert into tst_dl_seq values(0,1)");
  q_.Refresh();
  EXPECT_EQ(q_.RecordCount(), 6);  // grp 2 stays out: the value of :g was sent again
  EXPECT_EQ(q_.RecNo(), 3);
  EXPECT_EQ(q_.FieldByName("v")->AsInteger(), 2);

  TZQuery del(nullptr);
  del.SetConnection(conn_);
  Sql(del, {"delete from tst_dl_seq", "where v>=:v"});
  del.ParamByName("v")->AsInteger(2);
  del.ExecSQL();
  EXPECT_EQ(del.RowsAffected(), 5);
  q_.Refresh();
  EXPECT_EQ(q_.RecordCount(), 2);
  EXPECT_EQ(q_.RecNo(), 2);  // row 3 is gone: the last row
  EXPECT_EQ(q_.FieldByName("v")->AsInteger(), 1);
}

TEST_F(QueryTest, ChangingTheTextClosesAndForgetsValues) {
  Sql(q_, {"select :a as x from dual"});
  q_.ParamByName("a")->AsString("satu");
  q_.Open();
  EXPECT_EQ(q_.FieldByName("x")->AsString(), "satu");
  q_.SQL.Add("where 1=1");
  EXPECT_FALSE(q_.Active());
  EXPECT_EQ(q_.FieldCount(), 0);
  EXPECT_TRUE(q_.ParamByName("a")->IsNull());
  q_.Open();
  EXPECT_TRUE(q_.FieldByName("x")->IsNull());
}

TEST(Connection, ConnectsOnDemandOnceAndRunsAfterConnect) {
  auto c = dbtest::NewConnection();
  int connects = 0;
  c->AfterConnect = [&](rtl::TObject* sender) {
    EXPECT_EQ(sender, c.get());
    ++connects;
  };
  TZQuery q(nullptr);
  q.SetConnection(c.get());
  EXPECT_FALSE(c->Connected());
  Sql(q, {"select 1 as one"});
  q.Open();
  EXPECT_TRUE(c->Connected());
  EXPECT_EQ(q.FieldByName("one")->AsInteger(), 1);
  c->Connect();
  EXPECT_EQ(connects, 1);

  c->Disconnect();
  EXPECT_FALSE(q.Active());  // a query cannot outlive its session's result
  q.Open();
  EXPECT_EQ(connects, 2);

  c.reset();  // the query forgets a connection that goes away
  EXPECT_EQ(q.Connection(), nullptr);
  EXPECT_FALSE(q.Active());
  EXPECT_THROW(q.Open(), EDatabaseError);
}

TEST(Connection, UnreachableServerFailsTheFirstQuery) {
  auto c = dbtest::NewConnection(1);
  TZQuery q(nullptr);
  q.SetConnection(c.get());
  Sql(q, {"select 1"});
  try {
    q.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("Can't connect"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().front(), '[') << e.Message();
  }
  EXPECT_FALSE(c->Connected());
  EXPECT_THROW(c->Connect(), EDatabaseError);
  EXPECT_FALSE(c->Connected());
}

// Records what a grid would hear; Scrolled is left to its default.
struct RecordingLink : data::TDataLink {
  std::vector<std::string> heard;
  void ActiveChanged() override { heard.push_back(Active() ? "active" : "inactive"); }
  void DataSetChanged() override { heard.push_back("rows"); }
  void RecordChanged() override { heard.push_back("row"); }
  std::vector<std::string> Take() { return std::exchange(heard, {}); }
};

TEST(DataLinks, GridsAndLayoutsHearOpenScrollRefreshAndClear) {
  auto c = dbtest::NewConnection();
  auto* q = new TZQuery(nullptr);
  q->SetConnection(c.get());
  data::TDataSource ds(nullptr);
  RecordingLink grid, layout;
  grid.SetDataSource(&ds);
  ds.SetDataSet(q);
  layout.SetDataSet(q);
  EXPECT_EQ(grid.DataSet(), q);
  grid.Take();
  layout.Take();
  using V = std::vector<std::string>;

  Sql(*q, {"select 1 v union all select 2"});
  q->Open();
  EXPECT_EQ(grid.Take(), (V{"active", "rows"}));
  q->Next();
  q->Next();  // already on the last row: nothing moves
  EXPECT_EQ(grid.Take(), (V{"row"}));
  q->Refresh();
  EXPECT_EQ(grid.Take(), (V{"rows"}));
  q->SQL.Clear();
  EXPECT_EQ(grid.Take(), (V{"inactive", "rows"}));
  EXPECT_EQ(layout.Take(), (V{"active", "rows", "row", "rows", "inactive", "rows"}));

  delete q;
  EXPECT_EQ(ds.DataSet(), nullptr);
  EXPECT_EQ(grid.DataSet(), nullptr);
  EXPECT_EQ(layout.DataSet(), nullptr);
}

}  // namespace
