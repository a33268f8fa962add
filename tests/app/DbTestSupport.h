// Direct access to the test database for the application tests: statements that set up
// the rows a test needs, on a connection of their own.
#pragma once
#include <memory>
#include <string>

#include "app/UDM.h"
#include "data/ZConnection.h"
#include "data/ZQuery.h"

namespace apptest {

inline std::unique_ptr<data::TZConnection> OpenTestConnection() {
  auto c = std::make_unique<data::TZConnection>(nullptr);
  const auto& s = app::ConnectionSettings();
  c->HostName = s.HostName;
  c->Port = s.Port;
  c->User = s.User;
  c->Password = s.Password;
  c->Database = s.Database;
  c->Connect();
  return c;
}

inline void Exec(data::TZConnection& c, const std::string& sql) { c.ExecuteDirect(sql); }

}  // namespace apptest
