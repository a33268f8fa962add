// Statement text as the server gets it and the driver's messages as the user reads them.
#include <gtest/gtest.h>

#include "data/DBError.h"
#include "data/Params.h"
#include "data/ZConnection.h"

namespace {

struct ParseCase {
  const char* sql;
  const char* sent;
  std::vector<std::string> refs;
};

TEST(SqlText, ParametersBecomeMarkersOutsideQuotesAndComments) {
  const ParseCase cases[] = {
      {"select * from user\r\nwhere username=:un and pswd=:ps\r\n", "select * from user\r\nwhere username=? and pswd=?\r\n",
       {"un", "ps"}},
      {"insert into x(a)values(:2lpf)", "insert into x(a)values(?)", {"2lpf"}},
      {"where a=:Ko or b=:ko", "where a=? or b=?", {"Ko", "ko"}},
      {"select ':no', \"a:b\", `c:d` from t where e=:yes", "select ':no', \"a:b\", `c:d` from t where e=?", {"yes"}},
      {"select 'it\\'s :no', 'a''b:c' where x=:p", "select 'it\\'s :no', 'a''b:c' where x=?", {"p"}},
      {"select x::int, @v:=1", "select x::int, @v:=1", {}},
      {"select 1 -- :c\r\n, /* :d */ :e # :f", "select 1 -- :c\r\n, /* :d */ ? # :f", {"e"}},
      {"select 'open :no", "select 'open :no", {}},
      {"where t=:a_b1,:", "where t=?,:", {"a_b1"}},
  };
  for (const auto& c : cases) {
    data::TParsedSql p = data::ParseSql(c.sql);
    EXPECT_EQ(p.text, c.sent) << c.sql;
    EXPECT_EQ(p.refs, c.refs) << c.sql;
  }
}

TEST(SqlText, DriverTagsAreStrippedFromMessages) {
  EXPECT_EQ(data::CleanDriverMessage("[ma-3.1.18][10.11.19-MariaDB]Table 'korvan.x' doesn't exist"),
            "Table 'korvan.x' doesn't exist");
  EXPECT_EQ(data::CleanDriverMessage("[unixODBC][Driver Manager]Data source name not found"),
            "Data source name not found");
  EXPECT_EQ(data::CleanDriverMessage("Duplicate entry '1' for key 'PRIMARY' [x]"),
            "Duplicate entry '1' for key 'PRIMARY' [x]");
}

TEST(SqlText, ConnectionStringValuesAreBracedWhenNeeded) {
  data::TZConnection c(nullptr);
  c.HostName = "127.0.0.1";
  c.Port = 3306;
  c.Database = "korvan";
  c.User = "korvan";
  c.Password = "pa;ss}word";
  EXPECT_EQ(c.ConnectionString(),
            "DRIVER={MariaDB Unicode};SERVER=127.0.0.1;PORT=3306;DATABASE=korvan;UID=korvan;PWD={pa;ss}}word};");
  EXPECT_EQ(data::OdbcConnectValue(" lead"), "{ lead}");
  EXPECT_EQ(data::OdbcConnectValue("{x"), "{{x}");
}

}  // namespace
