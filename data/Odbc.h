// ODBC plumbing shared by the connection and the query; not part of the layer's interface.
// Only the W functions are used: the ANSI ones follow the process code page, which is a
// legacy one on Windows (and Wine's odbc32 does not export them at all).
#pragma once
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include "data/DBError.h"

namespace data::odbc {

inline bool Ok(SQLRETURN r) { return r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO; }

// The process's one ODBC environment (ODBC 3 behaviour), made on first use.
SQLHENV Environment();

// The first diagnostic record of the handle as an error, or fallback when there is none.
EDatabaseError DiagError(SQLSMALLINT handleType, SQLHANDLE handle, const char* fallback);

// Frees a statement handle when it goes out of scope.
class Statement {
 public:
  explicit Statement(SQLHDBC dbc);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  SQLHSTMT get() const { return h_; }
  [[noreturn]] void Fail(const char* fallback) const;

 private:
  SQLHSTMT h_ = nullptr;
};

}  // namespace data::odbc
