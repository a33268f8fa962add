// The bench database's connection: the program's server and account, another database.
#pragma once
#include <memory>
#include <string>

#include "app/UDM.h"
#include "data/ZConnection.h"

namespace bench {

inline std::unique_ptr<data::TZConnection> Connect(const std::string& database) {
  const app::TConnectionSettings s;
  auto c = std::make_unique<data::TZConnection>(nullptr);
  c->Protocol = s.Protocol;
  c->HostName = s.HostName;
  c->Port = s.Port;
  c->User = s.User;
  c->Password = s.Password;
  c->Database = database;
  c->Connect();
  return c;
}

}  // namespace bench
