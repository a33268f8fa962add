#include "data/ZConnection.h"

#include <algorithm>
#include <cstring>

#include "data/Odbc.h"
#include "data/ZQuery.h"
#include "rtl/Utf.h"

namespace data {

namespace odbc {

SQLHENV Environment() {
  static SQLHENV env = [] {
    SQLHENV h = nullptr;
    if (!Ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h)))
      throw EDatabaseError("Cannot allocate an ODBC environment");
    SQLSetEnvAttr(h, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return h;
  }();
  return env;
}

EDatabaseError DiagError(SQLSMALLINT handleType, SQLHANDLE handle, const char* fallback) {
  SQLWCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLWCHAR text[4096] = {};
  SQLSMALLINT len = 0;
  if (handle && Ok(SQLGetDiagRecW(handleType, handle, 1, state, &native, text,
                                  static_cast<SQLSMALLINT>(sizeof text / sizeof text[0]), &len))) {
    return EDatabaseError(CleanDriverMessage(rtl::U8(reinterpret_cast<const wchar_t*>(text))),
                          rtl::U8(reinterpret_cast<const wchar_t*>(state)), static_cast<int>(native));
  }
  return EDatabaseError(fallback);
}

Statement::Statement(SQLHDBC dbc) {
  if (!Ok(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h_))) {
    h_ = nullptr;
    throw DiagError(SQL_HANDLE_DBC, dbc, "Cannot allocate a statement");
  }
}

Statement::~Statement() {
  if (h_) SQLFreeHandle(SQL_HANDLE_STMT, h_);
}

void Statement::Fail(const char* fallback) const { throw DiagError(SQL_HANDLE_STMT, h_, fallback); }

}  // namespace odbc

namespace {

// Whether the driver hands text to SQL_C_CHAR buffers as UTF-8, the connection's own
// character set, rather than in a legacy code page. Fetching text that way spares the
// driver a conversion to UTF-16 per value, which costs it more than the rest of a fetch.
bool ReadsTextAsUtf8(SQLHDBC dbc) {
  try {
    odbc::Statement st(dbc);
    std::wstring sql = L"select '\u00D1\u20AC'";
    char buf[16] = {};
    SQLLEN ind = 0;
    return odbc::Ok(SQLExecDirectW(st.get(), reinterpret_cast<SQLWCHAR*>(sql.data()), SQL_NTS)) &&
           odbc::Ok(SQLFetch(st.get())) && odbc::Ok(SQLGetData(st.get(), 1, SQL_C_CHAR, buf, sizeof buf, &ind)) &&
           ind == 5 && std::memcmp(buf, "\xC3\x91\xE2\x82\xAC", 5) == 0;
  } catch (...) {
    return false;
  }
}

// Whether the driver reads unbound columns with SQLGetData among bound ones, in any
// order: only then can a fetch bind the short columns and read long ones by themselves.
bool ReadsUnboundAmongBound(SQLHDBC dbc) {
  SQLUINTEGER ext = 0;
  const SQLUINTEGER needed = SQL_GD_ANY_COLUMN | SQL_GD_BOUND;
  return odbc::Ok(SQLGetInfoW(dbc, SQL_GETDATA_EXTENSIONS, &ext, sizeof ext, nullptr)) && (ext & needed) == needed;
}

}  // namespace

std::string OdbcConnectValue(const std::string& value) {
  bool plain = value.find_first_of(";{}") == std::string::npos &&
               (value.empty() || (value.front() != ' ' && value.back() != ' '));
  if (plain) return value;
  std::string out = "{";
  for (char c : value) {
    out.push_back(c);
    if (c == '}') out.push_back('}');
  }
  out.push_back('}');
  return out;
}

TZConnection::TZConnection(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TZConnection::~TZConnection() {
  MarkDestroying();
  try {
    Disconnect();
  } catch (...) {
    // Nothing to tell anyone while the program tears down.
  }
  for (TZQuery* q : std::vector<TZQuery*>(queries_)) q->conn_ = nullptr;
  queries_.clear();
}

std::string TZConnection::ConnectionString() const {
  return "DRIVER={MariaDB Unicode};SERVER=" + OdbcConnectValue(HostName) + ";PORT=" + std::to_string(Port) +
         ";DATABASE=" + OdbcConnectValue(Database) + ";UID=" + OdbcConnectValue(User) +
         ";PWD=" + OdbcConnectValue(Password) + ";";
}

void TZConnection::Connect() {
  if (dbc_) return;
  SQLHDBC h = nullptr;
  if (!odbc::Ok(SQLAllocHandle(SQL_HANDLE_DBC, odbc::Environment(), &h)))
    throw odbc::DiagError(SQL_HANDLE_ENV, odbc::Environment(), "Cannot allocate an ODBC connection");
  SQLSetConnectAttrW(h, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
  std::wstring cs = rtl::W(ConnectionString());
  SQLWCHAR out[1024];
  SQLSMALLINT outLen = 0;
  SQLRETURN r = SQLDriverConnectW(h, nullptr, reinterpret_cast<SQLWCHAR*>(cs.data()), SQL_NTS, out,
                                  static_cast<SQLSMALLINT>(sizeof out / sizeof out[0]), &outLen,
                                  SQL_DRIVER_NOPROMPT);
  if (!odbc::Ok(r)) {
    EDatabaseError e = odbc::DiagError(SQL_HANDLE_DBC, h, "Cannot connect to the database server");
    SQLFreeHandle(SQL_HANDLE_DBC, h);
    throw e;
  }
  // Every statement commits on its own unless a TTransaction groups them.
  SQLSetConnectAttrW(h, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
  utf8Text_ = ReadsTextAsUtf8(h);
  bindsColumns_ = ReadsUnboundAmongBound(h);
  dbc_ = h;
  *open_ = true;
  openChanged_->Notify();
  // What runs after connecting belongs to the connection: when it fails, the connection
  // is not made, so no statement runs on a half-prepared session.
  try {
    if (AfterConnect) AfterConnect(this);
  } catch (...) {
    Disconnect();
    throw;
  }
}

void TZConnection::Disconnect() {
  if (!dbc_) return;
  for (TZQuery* q : std::vector<TZQuery*>(queries_)) q->Close();
  SQLHDBC h = static_cast<SQLHDBC>(dbc_);
  dbc_ = nullptr;
  *open_ = false;
  openChanged_->Notify();
  SQLDisconnect(h);
  SQLFreeHandle(SQL_HANDLE_DBC, h);
}

int64_t TZConnection::ExecuteDirect(const std::string& sql) {
  Connect();
  odbc::Statement st(static_cast<SQLHDBC>(dbc_));
  std::wstring text = rtl::W(sql);
  SQLRETURN r = SQLExecDirectW(st.get(), reinterpret_cast<SQLWCHAR*>(text.data()),
                               static_cast<SQLINTEGER>(text.size()));
  if (r != SQL_NO_DATA && !odbc::Ok(r)) st.Fail("Cannot execute the statement");
  SQLLEN n = 0;
  SQLRowCount(st.get(), &n);
  return n;
}

void TZConnection::Notification(rtl::TComponent* component, rtl::TOperation op) {
  rtl::TComponent::Notification(component, op);
  if (op == rtl::TOperation::opRemove)
    queries_.erase(std::remove(queries_.begin(), queries_.end(), component), queries_.end());
}

}  // namespace data
