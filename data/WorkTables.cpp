#include "data/WorkTables.h"

#include "data/ZQuery.h"

namespace data {

namespace {

std::string QuoteName(const std::string& name) {
  std::string out = "`";
  for (char c : name) {
    out.push_back(c);
    if (c == '`') out.push_back('`');
  }
  return out + "`";
}

constexpr int kTableExists = 1050;

}  // namespace

void ShadowWorkTables(TZConnection& c, const std::vector<std::string>& tables) {
  TZQuery q(nullptr);
  q.SetConnection(&c);
  for (const std::string& table : tables) {
    q.SQL.Clear();
    q.SQL.Add("select table_name from information_schema.tables");
    q.SQL.Add("where table_schema=database() and table_name=:tn and table_type='BASE TABLE'");
    q.ParamByName("tn")->AsString(table);
    q.Open();
    if (q.IsEmpty()) continue;
    // MariaDB refuses "create temporary table x like x" (the name is taken twice in one
    // statement), so the copy is made under a name of its own and then takes the shared
    // table's name; a temporary table may hide a base table of the same name.
    c.ExecuteDirect("drop temporary table if exists korvan_shadow");
    c.ExecuteDirect("create temporary table korvan_shadow like " + QuoteName(table));
    try {
      c.ExecuteDirect("alter table korvan_shadow rename to " + QuoteName(table));
    } catch (const EDatabaseError& e) {
      c.ExecuteDirect("drop temporary table if exists korvan_shadow");
      // Already hidden on this connection: its lines stay as they are.
      if (e.NativeError() != kTableExists) throw;
    }
  }
}

}  // namespace data
