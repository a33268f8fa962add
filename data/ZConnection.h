// The one database connection: MariaDB (MySQL protocol) through the ODBC driver
// "MariaDB Unicode". Every statement commits on its own unless a TTransaction groups them.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/DBError.h"
#include "rtl/ChangeSignal.h"
#include "rtl/Classes.h"

namespace data {

class TZQuery;

class TZConnection : public rtl::TComponent {
  KORVAN_CLASS(TZConnection)
 public:
  explicit TZConnection(rtl::TComponent* owner);
  ~TZConnection() override;

  std::string Protocol;  // "mysql-5"; kept for the program's settings, not used to connect
  std::string HostName;
  int Port = 3306;
  std::string User;
  std::string Password;
  std::string Database;
  // Runs after every successful connect; when it raises, the connection is closed again
  // and Connect raises its error.
  rtl::TNotifyEvent AfterConnect;

  // Connecting while connected does nothing; a failed attempt raises EDatabaseError and
  // leaves the connection closed.
  void Connect();
  // Closes every query of this connection first.
  void Disconnect();
  bool Connected() const { return dbc_ != nullptr; }
  // Whether the connection is open, for a watcher on another thread: readable from any
  // thread, and for as long as the watcher holds it (false once the connection is gone).
  std::shared_ptr<const std::atomic<bool>> OpenFlag() const { return open_; }
  // Notified whenever the connection opens or closes, after OpenFlag tells the new state.
  std::shared_ptr<rtl::ChangeSignal> OpenChanged() const { return openChanged_; }
  void SetConnected(bool v) { v ? Connect() : Disconnect(); }

  // Runs a statement without parameters or results; returns the rows it affected.
  int64_t ExecuteDirect(const std::string& sql);

  // The ODBC connection string built from the settings.
  std::string ConnectionString() const;
  // The ODBC connection handle (SQLHDBC) while connected, else nullptr.
  void* Handle() const { return dbc_; }

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation op) override;

 private:
  friend class TZQuery;
  void* dbc_ = nullptr;
  // The driver hands text to char buffers as UTF-8 (checked at each connect).
  bool utf8Text_ = false;
  // The driver reads unbound columns among bound ones (checked at each connect).
  bool bindsColumns_ = false;
  std::vector<TZQuery*> queries_;
  std::shared_ptr<std::atomic<bool>> open_ = std::make_shared<std::atomic<bool>>(false);
  std::shared_ptr<rtl::ChangeSignal> openChanged_ = std::make_shared<rtl::ChangeSignal>();
};

// Wraps an ODBC connection-string value in braces when it holds a character that would
// end or confuse the attribute ("a;b" -> "{a;b}", a "}" inside doubled).
std::string OdbcConnectValue(const std::string& value);

}  // namespace data
