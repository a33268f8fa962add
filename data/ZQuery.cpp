#include "data/ZQuery.h"

#include <algorithm>
#include <cmath>

#include "data/Odbc.h"
#include "rtl/SysUtils.h"
#include "rtl/Utf.h"

namespace data {

namespace {

TFieldType TypeOfSql(SQLSMALLINT t) {
  switch (t) {
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
    case SQL_BIT: return TFieldType::ftInteger;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: return TFieldType::ftFloat;
    case SQL_TYPE_DATE:
    case SQL_DATE: return TFieldType::ftDate;
    case SQL_TYPE_TIME:
    case SQL_TIME: return TFieldType::ftTime;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: return TFieldType::ftDateTime;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY: return TFieldType::ftBlob;
    default: return TFieldType::ftString;
  }
}

// The buffers a bound parameter points at; they must live until the statement has run.
struct Bound {
  std::u16string text;
  int64_t i = 0;
  double d = 0;
  SQL_DATE_STRUCT date{};
  SQL_TIME_STRUCT time{};
  SQL_TIMESTAMP_STRUCT stamp{};
  SQLLEN ind = 0;
};

void Bind(const odbc::Statement& st, SQLUSMALLINT pos, const TParam& p, Bound& b) {
  SQLRETURN r = SQL_SUCCESS;
  auto bind = [&](SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN size, SQLSMALLINT digits, SQLPOINTER buf,
                  SQLLEN bufLen) {
    r = SQLBindParameter(st.get(), pos, SQL_PARAM_INPUT, cType, sqlType, size, digits, buf, bufLen, &b.ind);
  };
  switch (p.DataType()) {
    case TParamType::ptNull:
      // Left unbound by the caller: sent as NULL, whatever the column's type.
      b.ind = SQL_NULL_DATA;
      bind(SQL_C_WCHAR, SQL_WVARCHAR, 1, 0, b.text.data(), 0);
      break;
    case TParamType::ptString: {
      b.text = rtl::Utf8ToUtf16(p.Bytes());
      b.ind = static_cast<SQLLEN>(b.text.size() * sizeof(char16_t));
      SQLULEN chars = std::max<SQLULEN>(1, b.text.size());
      bind(SQL_C_WCHAR, chars > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR, chars, 0, b.text.data(), b.ind);
      break;
    }
    case TParamType::ptBlob:
      b.ind = static_cast<SQLLEN>(p.Bytes().size());
      bind(SQL_C_BINARY, SQL_LONGVARBINARY, std::max<SQLULEN>(1, p.Bytes().size()), 0,
           const_cast<char*>(p.Bytes().data()), b.ind);
      break;
    case TParamType::ptInteger:
      b.i = p.AsInteger();
      bind(SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &b.i, 0);
      break;
    case TParamType::ptFloat:
      b.d = p.AsFloat();
      bind(SQL_C_DOUBLE, SQL_DOUBLE, 15, 0, &b.d, 0);
      break;
    case TParamType::ptDate: {
      rtl::DateParts d = rtl::DecodeDateTime(p.AsDateTime());
      b.date = {static_cast<SQLSMALLINT>(d.year), static_cast<SQLUSMALLINT>(d.month),
                static_cast<SQLUSMALLINT>(d.day)};
      bind(SQL_C_TYPE_DATE, SQL_TYPE_DATE, 10, 0, &b.date, 0);
      break;
    }
    case TParamType::ptTime: {
      rtl::DateParts d = rtl::DecodeDateTime(p.AsDateTime());
      b.time = {static_cast<SQLUSMALLINT>(d.hour), static_cast<SQLUSMALLINT>(d.minute),
                static_cast<SQLUSMALLINT>(d.second)};
      bind(SQL_C_TYPE_TIME, SQL_TYPE_TIME, 8, 0, &b.time, 0);
      break;
    }
    case TParamType::ptDateTime: {
      rtl::DateParts d = rtl::DecodeDateTime(p.AsDateTime());
      b.stamp = {static_cast<SQLSMALLINT>(d.year), static_cast<SQLUSMALLINT>(d.month),
                 static_cast<SQLUSMALLINT>(d.day), static_cast<SQLUSMALLINT>(d.hour),
                 static_cast<SQLUSMALLINT>(d.minute), static_cast<SQLUSMALLINT>(d.second),
                 static_cast<SQLUINTEGER>(d.msec) * 1000000u};
      bind(SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, d.msec ? 23 : 19, d.msec ? 3 : 0, &b.stamp, 0);
      break;
    }
  }
  if (!odbc::Ok(r)) st.Fail("Cannot bind a parameter");
}

// Long text and blobs arrive in pieces: a full buffer comes with SQL_SUCCESS_WITH_INFO and
// the rest follows on the next call.
template <typename Char>
bool GetChunked(const odbc::Statement& st, SQLUSMALLINT col, SQLSMALLINT cType, std::basic_string<Char>& out) {
  constexpr size_t kBytes = 32768;
  std::vector<Char> buf(kBytes / sizeof(Char));
  // Text comes zero-terminated, so one character of each piece is the terminator.
  const size_t room = cType == SQL_C_BINARY ? kBytes : kBytes - sizeof(Char);
  out.clear();
  for (;;) {
    SQLLEN ind = 0;
    SQLRETURN r = SQLGetData(st.get(), col, cType, buf.data(), static_cast<SQLLEN>(kBytes), &ind);
    if (r == SQL_NO_DATA) break;
    if (!odbc::Ok(r)) st.Fail("Cannot read a column");
    if (ind == SQL_NULL_DATA) return false;
    size_t got = (ind == SQL_NO_TOTAL || static_cast<size_t>(ind) > room) ? room : static_cast<size_t>(ind);
    out.append(buf.data(), got / sizeof(Char));
    if (r == SQL_SUCCESS) break;
  }
  return true;
}

void Fetch(const odbc::Statement& st, SQLUSMALLINT col, TFieldType type, TFieldValue& v) {
  SQLLEN ind = 0;
  SQLRETURN r = SQL_SUCCESS;
  switch (type) {
    case TFieldType::ftString: {
      std::u16string text;
      v.null = !GetChunked(st, col, SQL_C_WCHAR, text);
      if (!v.null) v.s = rtl::Utf16ToUtf8(text);
      return;
    }
    case TFieldType::ftBlob:
      v.null = !GetChunked(st, col, SQL_C_BINARY, v.s);
      return;
    case TFieldType::ftInteger:
      r = SQLGetData(st.get(), col, SQL_C_SBIGINT, &v.i, 0, &ind);
      break;
    case TFieldType::ftFloat:
      r = SQLGetData(st.get(), col, SQL_C_DOUBLE, &v.f, 0, &ind);
      break;
    case TFieldType::ftTime: {
      SQL_TIME_STRUCT t{};
      r = SQLGetData(st.get(), col, SQL_C_TYPE_TIME, &t, sizeof t, &ind);
      // A MySQL TIME may pass 24 hours; it stays a fraction of days like any duration.
      v.f = (t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0;
      break;
    }
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: {
      SQL_TIMESTAMP_STRUCT t{};
      r = SQLGetData(st.get(), col, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &ind);
      if (odbc::Ok(r) && ind != SQL_NULL_DATA) {
        // MySQL's "zero" dates (0000-00-00, a day 0) name no day: read as NULL.
        if (!rtl::IsValidDate(t.year, t.month, t.day)) {
          v.null = true;
          return;
        }
        v.f = CombineDateTime(rtl::EncodeDate(t.year, t.month, t.day),
                                   (t.hour * 3600000.0 + t.minute * 60000.0 + t.second * 1000.0 +
                                    std::floor(t.fraction / 1000000.0)) / 86400000.0);
      }
      break;
    }
  }
  if (!odbc::Ok(r)) st.Fail("Cannot read a column");
  v.null = ind == SQL_NULL_DATA;
}

}  // namespace

TZQuery::TZQuery(rtl::TComponent* owner) : rtl::TComponent(owner) {
  SQL.OnChange = [this](rtl::TObject*) { SqlChanged(); };
}

TZQuery::~TZQuery() {
  MarkDestroying();
  try {
    Close();
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->QueryGone();
    for (TDataLink* l : std::vector<TDataLink*>(links_)) {
      l->query_ = nullptr;
      l->ActiveChanged();
    }
  } catch (...) {
    // A grid's handler must not stop the query from going away.
  }
  sources_.clear();
  links_.clear();
  SetConnection(nullptr);
}

void TZQuery::SetConnection(TZConnection* c) {
  if (c == conn_) return;
  Close();
  if (conn_) {
    auto& list = conn_->queries_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    conn_->RemoveFreeNotification(this);
  }
  conn_ = c;
  if (c) {
    c->queries_.push_back(this);
    c->FreeNotification(this);
  }
}

void TZQuery::Notification(rtl::TComponent* component, rtl::TOperation op) {
  rtl::TComponent::Notification(component, op);
  if (op == rtl::TOperation::opRemove && component == conn_) conn_ = nullptr;
}

void TZQuery::SqlChanged() {
  Close();
  parsed_ = ParseSql(SQL.Text());
  params_.clear();
  for (const std::string& name : parsed_.refs)
    if (!FindParam(name)) params_.push_back(std::make_unique<TParam>(name));
}

TParam* TZQuery::Params(int i) const {
  if (i < 0 || i >= ParamCount()) throw rtl::ERangeError(rtl::Format("List index out of bounds (%d)", i));
  return params_[static_cast<size_t>(i)].get();
}

TParam* TZQuery::FindParam(std::string_view name) const {
  for (const auto& p : params_)
    if (rtl::SameText(p->Name(), name)) return p.get();
  return nullptr;
}

TParam* TZQuery::ParamByName(std::string_view name) const {
  if (TParam* p = FindParam(name)) return p;
  throw EDatabaseError(rtl::Format("Parameter '%s' not found", std::string(name).c_str()));
}

void TZQuery::Run(bool wantRows, TRowSet* rows) {
  if (!conn_) throw EDatabaseError("Database connection component is not assigned");
  conn_->Connect();
  odbc::Statement st(static_cast<SQLHDBC>(conn_->dbc_));

  std::vector<Bound> bound(parsed_.refs.size());
  for (size_t k = 0; k < parsed_.refs.size(); ++k)
    Bind(st, static_cast<SQLUSMALLINT>(k + 1), *FindParam(parsed_.refs[k]), bound[k]);

  std::wstring text = rtl::W(parsed_.text);
  SQLRETURN r = SQLExecDirectW(st.get(), reinterpret_cast<SQLWCHAR*>(text.data()),
                               static_cast<SQLINTEGER>(text.size()));
  if (r != SQL_NO_DATA && !odbc::Ok(r)) st.Fail("Cannot execute the statement");

  if (!wantRows) {
    SQLLEN n = 0;
    SQLRowCount(st.get(), &n);
    rowsAffected_ = n;
    return;
  }
  SQLSMALLINT cols = 0;
  if (!odbc::Ok(SQLNumResultCols(st.get(), &cols))) st.Fail("Cannot read the result");
  if (cols <= 0) throw EDatabaseError("Can not open a Resultset");

  rows->columns.resize(static_cast<size_t>(cols));
  for (SQLUSMALLINT c = 1; c <= cols; ++c) {
    std::vector<SQLWCHAR> name(256);
    SQLSMALLINT nameLen = 0, sqlType = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    for (;;) {
      if (!odbc::Ok(SQLDescribeColW(st.get(), c, name.data(), static_cast<SQLSMALLINT>(name.size()), &nameLen,
                                    &sqlType, &size, &digits, &nullable)))
        st.Fail("Cannot read the result");
      if (static_cast<size_t>(nameLen) < name.size()) break;
      name.resize(static_cast<size_t>(nameLen) + 1);
    }
    TColumn& col = rows->columns[c - 1u];
    col.name = rtl::U8(std::wstring_view(reinterpret_cast<const wchar_t*>(name.data()), static_cast<size_t>(nameLen)));
    col.type = TypeOfSql(sqlType);
  }
  MakeColumnNamesUnique(rows->columns);

  while ((r = SQLFetch(st.get())) != SQL_NO_DATA) {
    if (!odbc::Ok(r)) st.Fail("Cannot fetch a row");
    std::vector<TFieldValue> row(static_cast<size_t>(cols));
    for (SQLUSMALLINT c = 1; c <= cols; ++c) Fetch(st, c, rows->columns[c - 1u].type, row[c - 1u]);
    rows->rows.push_back(std::move(row));
  }
  rows->current = rows->rows.empty() ? -1 : 0;
}

void TZQuery::Open() {
  if (active_) return;
  TRowSet fetched;
  Run(true, &fetched);
  rows_ = std::move(fetched);
  fields_.clear();
  for (size_t i = 0; i < rows_.columns.size(); ++i) fields_.push_back(std::make_unique<TField>(&rows_, static_cast<int>(i)));
  active_ = true;
  bof_ = true;
  eof_ = rows_.rows.empty();
  NotifyActive();
  NotifyDataSet();
}

void TZQuery::ExecSQL() {
  Close();
  rowsAffected_ = 0;
  Run(false, nullptr);
}

void TZQuery::Close() {
  if (!active_) return;
  active_ = false;
  fields_.clear();
  rows_ = TRowSet{};
  bof_ = eof_ = true;
  NotifyActive();
  NotifyDataSet();
}

void TZQuery::Refresh() {
  CheckActive();
  int recNo = RecNo();
  TRowSet fetched;
  Run(true, &fetched);
  bool sameColumns = fetched.columns.size() == rows_.columns.size();
  for (size_t i = 0; sameColumns && i < fetched.columns.size(); ++i)
    sameColumns = fetched.columns[i].name == rows_.columns[i].name;
  rows_.columns = std::move(fetched.columns);
  rows_.rows = std::move(fetched.rows);
  const int n = static_cast<int>(rows_.rows.size());
  rows_.current = n == 0 ? -1 : std::clamp(recNo, 1, n) - 1;
  if (!sameColumns) {
    fields_.clear();
    for (size_t i = 0; i < rows_.columns.size(); ++i) fields_.push_back(std::make_unique<TField>(&rows_, static_cast<int>(i)));
  }
  bof_ = eof_ = n == 0;
  NotifyDataSet();
}

void TZQuery::CheckActive() const {
  if (!active_) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TZQuery::SetCurrent(int index) {
  if (index == rows_.current) return;
  rows_.current = index;
  NotifyScrolled();
}

void TZQuery::First() {
  CheckActive();
  bof_ = true;
  eof_ = rows_.rows.empty();
  SetCurrent(rows_.rows.empty() ? -1 : 0);
}

void TZQuery::Last() {
  CheckActive();
  eof_ = true;
  bof_ = rows_.rows.empty();
  SetCurrent(static_cast<int>(rows_.rows.size()) - 1);
}

void TZQuery::Next() {
  CheckActive();
  const int n = static_cast<int>(rows_.rows.size());
  if (n == 0) return;
  bof_ = false;
  if (rows_.current < n - 1) {
    eof_ = false;
    SetCurrent(rows_.current + 1);
  } else {
    eof_ = true;
  }
}

void TZQuery::Prior() {
  CheckActive();
  if (rows_.rows.empty()) return;
  eof_ = false;
  if (rows_.current > 0) {
    bof_ = false;
    SetCurrent(rows_.current - 1);
  } else {
    bof_ = true;
  }
}

void TZQuery::MoveTo(int recNo) {
  CheckActive();
  const int n = static_cast<int>(rows_.rows.size());
  if (n == 0) return;
  bof_ = eof_ = false;
  SetCurrent(std::clamp(recNo, 1, n) - 1);
}

TField* TZQuery::Fields(int i) const {
  if (i < 0 || i >= FieldCount()) throw rtl::ERangeError(rtl::Format("List index out of bounds (%d)", i));
  return fields_[static_cast<size_t>(i)].get();
}

TField* TZQuery::FindField(std::string_view name) const {
  for (const auto& f : fields_)
    if (rtl::SameText(f->FieldName(), name)) return f.get();
  return nullptr;
}

TField* TZQuery::FieldByName(std::string_view name) const {
  if (TField* f = FindField(name)) return f;
  throw EDatabaseError(rtl::Format("Field '%s' not found", std::string(name).c_str()));
}

void TZQuery::NotifyActive() {
  for (TDataLink* l : std::vector<TDataLink*>(links_)) l->ActiveChanged();
  for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->ActiveChanged();
}

void TZQuery::NotifyDataSet() {
  for (TDataLink* l : std::vector<TDataLink*>(links_)) l->DataSetChanged();
  for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->DataSetChanged();
}

void TZQuery::NotifyScrolled() {
  for (TDataLink* l : std::vector<TDataLink*>(links_)) l->Scrolled();
  for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->Scrolled();
}

}  // namespace data
