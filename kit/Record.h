// A described record on its window: the statements derived from the description put on
// a query, the parameters bound from the named controls of the form, a row loaded into
// them, the controls cleared, and every text input limited to its column's length.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/ZQuery.h"
#include "kit/rules/Record.h"
#include "rtl/Classes.h"

namespace kit {

using rules::TRecordSpec;

// The value of a derived column, asked by its parameter name when the record binds.
using TDerive = std::function<std::string(std::string_view param)>;

// Puts the insert, or the update with its condition, on the query.
void SetRecordSQL(data::TZQuery& q, const TRecordSpec& record, rules::TIn statement);
// Binds every parameter of that statement (the condition's too) from the controls of
// `form`. A column whose control is missing is a fault of the description: it throws.
void BindRecord(const TRecordSpec& record, rtl::TComponent& form, data::TZQuery& q, rules::TIn statement,
                const TDerive& derive = {});
// Shows the row's columns in the controls.
void LoadRecord(const TRecordSpec& record, rtl::TComponent& form, data::TZQuery& row);
// Puts every control back to its blank state (edits, dates to today, lists to their
// first entry, the first radio button, no photo).
void ClearRecord(const TRecordSpec& record, rtl::TComponent& form);
// Gives every text input of the record the length of its column, so that nothing
// longer can be typed; an input with a length of its own keeps it.
void LimitLengths(const TRecordSpec& record, rtl::TComponent& form);
// The same for one edit and one column.
void LimitLength(rtl::TComponent& edit, std::string_view table, std::string_view column);

// The save of a record by its key, on DM->Q2: the row is looked for by the key; when
// it exists the save goes on as a change (after the warning, when there is one) and
// updates it, otherwise it inserts a new one.
struct TRecordSave {
  const TRecordSpec& record;
  rtl::TComponent& form;
  std::string key;                // the key the row is looked for by
  const char* keyName = nullptr;  // a key the user types ("NIP"): a blank one is refused, an existing one warned
  // The lookup, where it is not the record's own condition: its statement lines and the
  // parameter of the key.
  std::vector<std::string> find = {};
  const char* findParam = nullptr;
  bool endedStaysAsItIs = false;       // a row whose status is "Selesai" may not be changed
  std::string existsWarning = {};      // the warning before a change, where keyName gives none
  std::function<void()> newKey = {};   // makes the key of a new row before the insert
  std::function<void()> undoKey = {};  // takes it back when the insert fails
  TDerive derive = {};
  std::string updated;   // information after the update
  std::string inserted;  // information after the insert
};
// False when nothing was saved (the key or the change was refused).
bool SaveRecord(const TRecordSave& save);

}  // namespace kit
