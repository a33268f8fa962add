// A record described once: its table, its columns with the parameter each is bound
// through and the control each maps to. The insert, the update and its condition are
// derived from the description, so that a window never writes its columns out again.
// Win32-free: the windows resolve the control names on their form (kit/Record.h).
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit::rules {

// How a column's value comes from its control and goes back to it.
enum class TMap {
  Text,     // an edit's text (upper-case edits convert as typed)
  Date,     // a date picker's date
  DateIf,   // the picker's date while a list shows the value that makes it apply, else the zero date
  TextIf,   // the edit's text while a list shows a value; otherwise left unbound (NULL)
  Choice,   // the chosen entry of a drop-down list
  Radio,    // the value of the checked button of a group; `blank` when none is checked
            // (a null `blank`: the column stays NULL and clearing checks no button)
  Flag,     // a check box: "Y" checked, "N" not
  Time,     // a time picker's time of day
  Photo,    // the JPEG bytes of an image, as loaded
  User,     // the current user's name
  Derived,  // computed by the window when it binds
};

// In which statement a column is set.
enum TIn : unsigned { kInsert = 1, kUpdate = 2, kBoth = 3 };

struct TColumn {
  const char* column;
  const char* param;
  TMap map = TMap::Text;
  // The control, or for a radio group its buttons; for DateIf/TextIf the first is the
  // input and the second the list that decides.
  std::vector<const char*> controls = {};
  // Radio: the value of each button; DateIf/TextIf: the list entry that makes it apply.
  std::vector<const char*> values = {};
  // What the control shows after clearing (an edit's text), or the radio value without
  // a checked button.
  const char* blank = "";
  unsigned in = kBoth;
  // The update's name for the parameter, where it differs from the insert's.
  const char* updateParam = nullptr;

  const char* ParamIn(TIn statement) const { return statement == kUpdate && updateParam ? updateParam : param; }
};

struct TKeyParam {
  const char* column;
  const char* param;
};

struct TRecordSpec {
  const char* table;
  std::vector<TColumn> columns;          // in the insert's order
  std::vector<const char*> updateOrder;  // the update's column order; empty: the insert's
  std::vector<TKeyParam> where;          // the update's condition

  // "insert into t(a,b)values(:x,:y)"
  std::string Insert() const;
  // "update t set b=:y" (without the condition)
  std::string Update() const;
  // "where a=:x" ("and" between several keys)
  std::string Where() const;
  // The columns of a statement in its order.
  std::vector<const TColumn*> In(TIn statement) const;
  const TColumn* Find(std::string_view column) const;
};

// The declared length of a text column in db/schema.sql; nothing for a column that is
// not VARCHAR or not known.
std::optional<int> ColumnLength(std::string_view table, std::string_view column);

}  // namespace kit::rules
