#include "kit/rules/Record.h"

#include <stdexcept>

namespace kit::rules {

namespace {

struct TLength {
  const char* table;
  const char* column;
  int length;
};

// Every VARCHAR column of db/schema.sql, generated from it at build time.
constexpr TLength kColumnLengths[] = {
#include "ColumnLengths.inc"
};

}  // namespace

std::vector<const TColumn*> TRecordSpec::In(TIn statement) const {
  std::vector<const TColumn*> out;
  if (statement == kUpdate && !updateOrder.empty()) {
    for (const char* c : updateOrder) {
      const TColumn* col = Find(c);
      if (!col) throw std::logic_error(std::string("update column without description: ") + c);
      out.push_back(col);
    }
    return out;
  }
  for (const TColumn& c : columns)
    if (c.in & statement) out.push_back(&c);
  return out;
}

const TColumn* TRecordSpec::Find(std::string_view column) const {
  for (const TColumn& c : columns)
    if (column == c.column) return &c;
  return nullptr;
}

std::string TRecordSpec::Insert() const {
  std::string names, params;
  for (const TColumn* c : In(kInsert)) {
    if (!names.empty()) names += ',', params += ',';
    names += c->column;
    params += std::string(":") + c->ParamIn(kInsert);
  }
  return std::string("insert into ") + table + "(" + names + ")values(" + params + ")";
}

std::string TRecordSpec::Update() const {
  std::string set;
  for (const TColumn* c : In(kUpdate)) {
    if (!set.empty()) set += ',';
    set += std::string(c->column) + "=:" + c->ParamIn(kUpdate);
  }
  return std::string("update ") + table + " set " + set;
}

std::string TRecordSpec::Where() const {
  std::string w;
  for (const TKeyParam& k : where) w += (w.empty() ? "where " : " and ") + std::string(k.column) + "=:" + k.param;
  return w;
}

std::optional<int> ColumnLength(std::string_view table, std::string_view column) {
  for (const TLength& l : kColumnLengths)
    if (table == l.table && column == l.column) return l.length;
  return std::nullopt;
}

}  // namespace kit::rules
