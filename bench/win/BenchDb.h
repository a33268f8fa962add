// The bench database's connection: the program's server and account, another database.
#pragma once
#include <memory>
#include <string>

#include "data/ZConnection.h"

namespace bench {

inline std::unique_ptr<data::TZConnection> Connect(const std::string& database) {
  auto c = std::make_unique<data::TZConnection>(nullptr);
  c->Protocol = "mysql-5";
  c->HostName = "127.0.0.1";
  c->Port = 3306;
  c->User = "korvan";
  c->Password = "417vardon417";
  c->Database = database;
  c->Connect();
  return c;
}

}  // namespace bench
