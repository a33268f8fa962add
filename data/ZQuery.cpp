#include "data/ZQuery.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
  // One buffer for every call: a result with a blob column reads it on every row.
  thread_local std::vector<Char> buf(kBytes / sizeof(Char));
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

// MySQL's "zero" dates (0000-00-00, a day 0) name no day: they read as NULL.
void FromTimestamp(const SQL_TIMESTAMP_STRUCT& t, TCell& v) {
  if (!rtl::IsValidDate(t.year, t.month, t.day)) {
    v = TCell();
    return;
  }
  v.SetFloat(CombineDateTime(rtl::EncodeDate(t.year, t.month, t.day),
                        (t.hour * 3600000.0 + t.minute * 60000.0 + t.second * 1000.0 +
                         std::floor(t.fraction / 1000000.0)) / 86400000.0));
}

// A MySQL TIME may pass 24 hours; it stays a fraction of days like any duration.
void FromTime(const SQL_TIME_STRUCT& t, TCell& v) {
  v.SetFloat((t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0);
}

// One cell of the row the statement stands on, read by itself; its text goes into rows.
void Fetch(const odbc::Statement& st, SQLUSMALLINT col, TFieldType type, TCell& v, TRowSet& rows) {
  SQLLEN ind = 0;
  SQLRETURN r = SQL_SUCCESS;
  switch (type) {
    case TFieldType::ftString: {
      std::u16string text;
      if (GetChunked(st, col, SQL_C_WCHAR, text)) rows.SetText(v, rtl::Utf16ToUtf8(text));
      return;
    }
    case TFieldType::ftBlob: {
      std::string bytes;
      if (GetChunked(st, col, SQL_C_BINARY, bytes)) rows.SetText(v, bytes);
      return;
    }
    case TFieldType::ftInteger: {
      int64_t i = 0;
      r = SQLGetData(st.get(), col, SQL_C_SBIGINT, &i, 0, &ind);
      if (odbc::Ok(r) && ind != SQL_NULL_DATA) v.SetInteger(i);
      break;
    }
    case TFieldType::ftFloat: {
      double f = 0;
      r = SQLGetData(st.get(), col, SQL_C_DOUBLE, &f, 0, &ind);
      if (odbc::Ok(r) && ind != SQL_NULL_DATA) v.SetFloat(f);
      break;
    }
    case TFieldType::ftTime: {
      SQL_TIME_STRUCT t{};
      r = SQLGetData(st.get(), col, SQL_C_TYPE_TIME, &t, sizeof t, &ind);
      if (odbc::Ok(r) && ind != SQL_NULL_DATA) FromTime(t, v);
      break;
    }
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: {
      SQL_TIMESTAMP_STRUCT t{};
      r = SQLGetData(st.get(), col, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &ind);
      if (odbc::Ok(r) && ind != SQL_NULL_DATA) {
        FromTimestamp(t, v);
        return;
      }
      break;
    }
  }
  if (!odbc::Ok(r)) st.Fail("Cannot read a column");
}

// Rows come from the driver in blocks into buffers bound to the columns: one call per
// block instead of one per cell. A column whose values need not fit a buffer (long text,
// blobs, very wide columns) has none and is read by itself; a result with such a column is
// fetched one row at a time, the bound columns still in one call, since a driver cannot
// be relied on to read a single value from anywhere but the one row it stands on.
class TBlockReader {
 public:
  // Text up to this many characters (binary up to this many bytes) gets a buffer.
  static constexpr SQLULEN kMaxBoundChars = 2000;
  // The buffers of one block take about this many bytes.
  static constexpr size_t kBlockBytes = 1 << 20;
  static constexpr SQLULEN kMaxRows = 512;

  TBlockReader(bool canBind, bool utf8Text, const odbc::Statement& st, const std::vector<TColumn>& columns,
               const std::vector<SQLSMALLINT>& sqlTypes, const std::vector<SQLULEN>& sizes)
      : st_(st), columns_(columns), slots_(columns.size()) {
    // Unbound columns among bound ones are read with SQLGetData; a driver that cannot
    // has every cell read by itself, one row at a time.
    size_t rowBytes = 0;
    bool allBound = canBind;
    for (size_t c = 0; canBind && c < slots_.size(); ++c) {
      Slot& s = slots_[c];
      const SQLSMALLINT t = sqlTypes[c];
      const bool fits = t != SQL_LONGVARCHAR && t != SQL_WLONGVARCHAR && t != SQL_LONGVARBINARY && sizes[c] > 0 &&
                        sizes[c] <= kMaxBoundChars;
      switch (columns[c].type) {
        case TFieldType::ftString:
          if (!fits) break;
          if (utf8Text) {
            // Up to four bytes a character; one more ends the text.
            s.cType = SQL_C_CHAR;
            s.width = static_cast<SQLLEN>(4 * sizes[c] + 1);
          } else {
            // A character beyond the basic plane takes two UTF-16 units; one more ends the text.
            s.cType = SQL_C_WCHAR;
            s.width = static_cast<SQLLEN>((2 * sizes[c] + 1) * sizeof(SQLWCHAR));
          }
          break;
        case TFieldType::ftBlob:
          if (!fits) break;
          s.cType = SQL_C_BINARY;
          s.width = static_cast<SQLLEN>(sizes[c]);
          break;
        case TFieldType::ftInteger: s.cType = SQL_C_SBIGINT; s.width = sizeof(int64_t); break;
        case TFieldType::ftFloat: s.cType = SQL_C_DOUBLE; s.width = sizeof(double); break;
        case TFieldType::ftTime: s.cType = SQL_C_TYPE_TIME; s.width = sizeof(SQL_TIME_STRUCT); break;
        case TFieldType::ftDate:
        case TFieldType::ftDateTime: s.cType = SQL_C_TYPE_TIMESTAMP; s.width = sizeof(SQL_TIMESTAMP_STRUCT); break;
      }
      if (!s.cType) allBound = false;
      // The driver steps through an array of fixed-size values by their own size, and
      // through text and binary ones by the buffer length given.
      rowBytes += static_cast<size_t>(s.width) + sizeof(SQLLEN);
    }
    if (allBound) blockRows_ = std::clamp<SQLULEN>(kBlockBytes / std::max<size_t>(rowBytes, 1), 1, kMaxRows);
    status_.resize(blockRows_);
    SetAttr(SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN);
    SetAttr(SQL_ATTR_ROW_ARRAY_SIZE, blockRows_);
    if (!odbc::Ok(SQLSetStmtAttr(st.get(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0)) ||
        !odbc::Ok(SQLSetStmtAttr(st.get(), SQL_ATTR_ROW_STATUS_PTR, status_.data(), 0)))
      st.Fail("Cannot fetch a row");
    for (size_t c = 0; c < slots_.size(); ++c) {
      Slot& s = slots_[c];
      if (!s.cType) continue;
      s.data.resize((static_cast<size_t>(s.width) * blockRows_ + 7) / 8);
      s.ind.resize(blockRows_);
      if (!odbc::Ok(SQLBindCol(st.get(), static_cast<SQLUSMALLINT>(c + 1), s.cType, s.data.data(), s.width,
                               s.ind.data())))
        st.Fail("Cannot read the result");
    }
  }

  // Appends every remaining row of the result.
  void ReadAll(TRowSet& rows) {
    SQLRETURN r;
    while ((r = SQLFetch(st_.get())) != SQL_NO_DATA) {
      if (!odbc::Ok(r)) st_.Fail("Cannot fetch a row");
      for (SQLULEN k = 0; k < fetched_; ++k) {
        if (status_[k] == SQL_ROW_ERROR) st_.Fail("Cannot fetch a row");
        if (status_[k] == SQL_ROW_NOROW) continue;
        ReadRow(k, rows);
      }
    }
  }

 private:
  struct Slot {
    SQLSMALLINT cType = 0;  // 0: no buffer, every value read by itself
    SQLLEN width = 0;       // bytes of one row's element
    std::vector<uint64_t> data;
    std::vector<SQLLEN> ind;
  };

  void SetAttr(SQLINTEGER attr, SQLULEN value) {
    if (!odbc::Ok(SQLSetStmtAttr(st_.get(), attr, reinterpret_cast<SQLPOINTER>(value), 0)))
      st_.Fail("Cannot fetch a row");
  }

  void ReadRow(SQLULEN k, TRowSet& rows) {
    TCell* row = rows.AddRow();
    for (size_t c = 0; c < slots_.size(); ++c) {
      if (FromBuffer(slots_[c], k, row[c], rows)) continue;
      // A value longer than its column's size as described cannot be read again from a
      // block: it fails rather than arrive cut short.
      if (blockRows_ > 1) throw EDatabaseError("Cannot read a column");
      Fetch(st_, static_cast<SQLUSMALLINT>(c + 1), columns_[c].type, row[c], rows);
    }
  }

  // The value from the column's buffer; false when it has none or the value did not fit.
  static bool FromBuffer(const Slot& s, SQLULEN k, TCell& v, TRowSet& rows) {
    if (!s.cType) return false;
    const SQLLEN ind = s.ind[k];
    if (ind == SQL_NULL_DATA) return true;
    const auto* p = reinterpret_cast<const unsigned char*>(s.data.data()) + k * static_cast<SQLULEN>(s.width);
    switch (s.cType) {
      case SQL_C_WCHAR: {
        if (ind == SQL_NO_TOTAL || ind < 0 || ind > s.width - static_cast<SQLLEN>(sizeof(SQLWCHAR))) return false;
        rows.SetText(v, rtl::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(p),
                                                             static_cast<size_t>(ind) / sizeof(char16_t))));
        break;
      }
      case SQL_C_CHAR:
        if (ind == SQL_NO_TOTAL || ind < 0 || ind >= s.width) return false;
        rows.SetText(v, std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(ind)));
        break;
      case SQL_C_BINARY:
        if (ind == SQL_NO_TOTAL || ind < 0 || ind > s.width) return false;
        rows.SetText(v, std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(ind)));
        break;
      case SQL_C_SBIGINT: {
        int64_t i;
        std::memcpy(&i, p, sizeof i);
        v.SetInteger(i);
        break;
      }
      case SQL_C_DOUBLE: {
        double f;
        std::memcpy(&f, p, sizeof f);
        v.SetFloat(f);
        break;
      }
      case SQL_C_TYPE_TIME: {
        SQL_TIME_STRUCT t;
        std::memcpy(&t, p, sizeof t);
        FromTime(t, v);
        return true;
      }
      default: {
        SQL_TIMESTAMP_STRUCT t;
        std::memcpy(&t, p, sizeof t);
        FromTimestamp(t, v);
        return true;
      }
    }
    return true;
  }

  const odbc::Statement& st_;
  const std::vector<TColumn>& columns_;
  std::vector<Slot> slots_;
  SQLULEN blockRows_ = 1;
  SQLULEN fetched_ = 0;
  std::vector<SQLUSMALLINT> status_;
};

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
  std::vector<SQLSMALLINT> sqlTypes(static_cast<size_t>(cols));
  std::vector<SQLULEN> sizes(static_cast<size_t>(cols));
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
    sqlTypes[c - 1u] = sqlType;
    sizes[c - 1u] = size;
  }
  MakeColumnNamesUnique(rows->columns);

  TBlockReader(conn_->bindsColumns_, conn_->utf8Text_, st, rows->columns, sqlTypes, sizes).ReadAll(*rows);
  rows->current = rows->Empty() ? -1 : 0;
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
  eof_ = rows_.Empty();
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
  rows_ = std::move(fetched);
  const int n = static_cast<int>(rows_.RowCount());
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
  eof_ = rows_.Empty();
  SetCurrent(rows_.Empty() ? -1 : 0);
}

void TZQuery::Last() {
  CheckActive();
  eof_ = true;
  bof_ = rows_.Empty();
  SetCurrent(static_cast<int>(rows_.RowCount()) - 1);
}

void TZQuery::Next() {
  CheckActive();
  const int n = static_cast<int>(rows_.RowCount());
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
  if (rows_.Empty()) return;
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
  const int n = static_cast<int>(rows_.RowCount());
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
