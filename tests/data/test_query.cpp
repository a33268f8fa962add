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
             "drop table if exists tst_dl_kinds, tst_dl_fam, tst_dl_person, tst_dl_seq, tst_dl_many, tst_dl_long",
             "create table tst_dl_kinds(id int primary key, s varchar(100), s2 varchar(100), s3 varchar(100),"
             " n bigint, f double, dec1 decimal(12,2), d date, t time, dt datetime, u varchar(10), b longblob,"
             " memo longtext)"
             " default charset=utf8mb4",
             "create table tst_dl_fam(nik varchar(10) primary key, nama varchar(50)) default charset=utf8mb4",
             "create table tst_dl_person(nij varchar(10) primary key, nik varchar(10), nama varchar(50),"
             " tgl_lahir date) default charset=utf8mb4",
             "create table tst_dl_seq(v int primary key, grp int) default charset=utf8mb4",
             "create table tst_dl_many(id int primary key, s varchar(40), n bigint, d date, dt datetime, t time,"
             " bin varbinary(8), photo longblob, tail varchar(20)) default charset=utf8mb4",
             "create table tst_dl_long(id int primary key, v varchar(2000), w varchar(6000), m mediumtext,"
             " after_m varchar(10)) default charset=utf8mb4",
         })
      conn_->ExecuteDirect(s);
  }
  static void TearDownTestSuite() {
    conn_->ExecuteDirect("drop table if exists tst_dl_kinds, tst_dl_fam, tst_dl_person, tst_dl_seq, tst_dl_many, tst_dl_long");
    delete conn_;
    conn_ = nullptr;
  }
  void SetUp() override {
    for (const char* t : {"tst_dl_kinds", "tst_dl_fam", "tst_dl_person", "tst_dl_seq", "tst_dl_many", "tst_dl_long"})
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

// Rows arrive from the driver in blocks: a result of many blocks must come back whole, in
// order, with NULLs, dates, times, short binary values and the blobs between them (a blob
// is read by itself in the middle of a block, and the columns after it from the block).
TEST_F(QueryTest, ManyRowsArriveWholeAndInOrderAcrossBlocks) {
  constexpr int kRows = 5000;
  conn_->ExecuteDirect("set max_recursive_iterations=100000");
  conn_->ExecuteDirect(
      "insert into tst_dl_many with recursive r(i) as (select 1 union all select i+1 from r where i<" +
      std::to_string(kRows) +
      ") select i, if(i%7=0, null, concat('Warga ', i, ' Ñ')), if(i%11=0, null, i*1000003),"
      " if(i%5=0, null, date_add('1950-01-01', interval i day)), date_add('2020-01-01 08:00:00', interval i minute),"
      " if(i%13=0, null, sec_to_time(i*7)), if(i%17=0, null, unhex(lpad(hex(i),16,'0'))),"
      " case when i%100=0 then repeat(char(i%256, 0, 255), 1000) when i%3=0 then '' else null end,"
      " concat('t', i) from r");
  // With the blob the rows come one by one; without it every column is bound and the
  // rows come in blocks.
  for (const char* columns : {"*", "id, s, n, d, dt, t, bin, tail"}) {
    SCOPED_TRACE(columns);
    Sql(q_, {"select", columns, "from tst_dl_many", "order by id"});
    q_.Open();
    ASSERT_EQ(q_.RecordCount(), kRows);
    int i = 0;
    for (q_.First(); !q_.Eof(); q_.Next()) {
      ++i;
      SCOPED_TRACE(i);
      ASSERT_EQ(q_.FieldByName("id")->AsInteger(), i);
      EXPECT_EQ(q_.FieldByName("s")->IsNull(), i % 7 == 0);
      if (i % 7) EXPECT_EQ(q_.FieldByName("s")->AsString(), "Warga " + std::to_string(i) + " \xC3\x91");
      EXPECT_EQ(q_.FieldByName("n")->AsInteger(), i % 11 ? i * 1000003LL : 0);
      EXPECT_EQ(q_.FieldByName("d")->AsDateTime(), i % 5 ? rtl::EncodeDate(1950, 1, 1) + i : rtl::ZeroDate);
      EXPECT_NEAR(q_.FieldByName("dt")->AsDateTime(), rtl::EncodeDate(2020, 1, 1) + (8 * 60.0 + i) / 1440.0, 1e-9);
      EXPECT_NEAR(q_.FieldByName("t")->AsFloat(), i % 13 ? i * 7 / 86400.0 : 0.0, 1e-12);
      std::string bin;
      for (int k = 7; k >= 0; --k) bin.push_back(static_cast<char>(k < 4 ? (i >> (8 * k)) & 0xFF : 0));
      EXPECT_EQ(q_.FieldByName("bin")->AsString(), i % 17 ? bin : "");
      if (data::TField* photo = q_.FindField("photo")) {
        EXPECT_EQ(photo->IsNull(), i % 100 != 0 && i % 3 != 0);
        std::string want;
        for (int k = 0; i % 100 == 0 && k < 1000; ++k) want += std::string{static_cast<char>(i % 256), '\0', '\xFF'};
        EXPECT_EQ(photo->AsString(), want);
      }
      EXPECT_EQ(q_.FieldByName("tail")->AsString(), "t" + std::to_string(i));
    }
    EXPECT_EQ(i, kRows);
  }

  // Refresh fetches the blocks again and keeps the row number.
  q_.MoveTo(4321);
  conn_->ExecuteDirect("delete from tst_dl_many where id>4000");
  q_.Refresh();
  EXPECT_EQ(q_.RecordCount(), 4000);
  EXPECT_EQ(q_.RecNo(), 4000);
  EXPECT_EQ(q_.FieldByName("tail")->AsString(), "t4000");
  EXPECT_EQ(q_.FieldByName("bin")->AsString().size(), 8u);
}

// Text as long as its column allows, in characters that take two UTF-16 units, and text
// longer than any buffer bound for a block, arrives whole; so do the columns after it.
TEST_F(QueryTest, LongTextArrivesWhole) {
  std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600: a surrogate pair in UTF-16
  std::string v, w, m;
  for (int k = 0; k < 2000; ++k) v += emoji;
  for (int k = 0; k < 6000; ++k) w += "\xC3\xA9";
  for (int k = 0; k < 40000; ++k) m += k % 3 ? "a\xE2\x82\xAC" : emoji;
  TZQuery ins(nullptr);
  ins.SetConnection(conn_);
  Sql(ins, {"insert into tst_dl_long values(:id,:v,:w,:m,:a)"});
  for (int id = 1; id <= 300; ++id) {
    ins.ParamByName("id")->AsInteger(id);
    ins.ParamByName("v")->AsString(id % 2 ? v : "pendek");
    ins.ParamByName("w")->AsString(w);
    ins.ParamByName("m")->AsString(id % 50 ? "" : m);
    ins.ParamByName("a")->AsString("x" + std::to_string(id));
    ins.ExecSQL();
  }
  // The full-length column alone is bound and comes in blocks.
  for (bool wide : {true, false}) {
    SCOPED_TRACE(wide);
    Sql(q_, {wide ? "select id, v, concat(v, '|', v) as vv, w, m, after_m" : "select id, v, after_m",
             "from tst_dl_long order by id"});
    q_.Open();
    ASSERT_EQ(q_.RecordCount(), 300);
    for (int id = 1; id <= 300; ++id, q_.Next()) {
      SCOPED_TRACE(id);
      const std::string want = id % 2 ? v : "pendek";
      ASSERT_EQ(q_.FieldByName("v")->AsString(), want);
      if (wide) {
        ASSERT_EQ(q_.FieldByName("vv")->AsString(), want + "|" + want);
        ASSERT_EQ(q_.FieldByName("w")->AsString(), w);
        ASSERT_EQ(q_.FieldByName("m")->AsString(), id % 50 ? "" : m);
      }
      ASSERT_EQ(q_.FieldByName("after_m")->AsString(), "x" + std::to_string(id));
    }
  }
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
