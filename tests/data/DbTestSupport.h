// The development server every database test talks to, and small helpers around it.
#pragma once
#include <memory>
#include <string>

#include "data/ZConnection.h"
#include "data/ZQuery.h"

namespace dbtest {

inline void Configure(data::TZConnection& c, int port = 3306) {
  c.Protocol = "mysql-5";
  c.HostName = "127.0.0.1";
  c.Port = port;
  c.User = "korvan";
  c.Password = "417vardon417";
  c.Database = "korvan";
}

inline std::unique_ptr<data::TZConnection> NewConnection(int port = 3306) {
  auto c = std::make_unique<data::TZConnection>(nullptr);
  Configure(*c, port);
  return c;
}

// Runs one statement (possibly with parameters bound by the caller first) the program's way.
inline void Sql(data::TZQuery& q, std::initializer_list<const char*> lines) {
  q.SQL.Clear();
  for (const char* l : lines) q.SQL.Add(l);
}

}  // namespace dbtest
