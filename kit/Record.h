// A described record on its window: the statements derived from the description put on
// a query, the parameters bound from the named controls of the form, a row loaded into
// them, the controls cleared, and every text input limited to its column's length.
#pragma once
#include <functional>
#include <string>
#include <string_view>

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

// The save of a register whose key the user types (a minister's, vicar's or student's
// number), on DM->Q2: an empty key is refused; a key that exists warns that the save
// goes on as a change and updates the row, any other key inserts one.
struct TKeyedSave {
  const TRecordSpec& record;
  rtl::TComponent& form;
  std::string key;       // the typed key, bound through the key's parameter
  const char* keyName;   // "NIP": names the key in the boxes
  std::string updated;   // information after the update
  std::string inserted;  // information after the insert
};
// False when nothing was saved (the key was refused).
bool SaveByTypedKey(const TKeyedSave& save);

}  // namespace kit
