#include "kit/Record.h"

#include <optional>
#include <stdexcept>

#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "kit/CurrentUser.h"
#include "kit/FormKit.h"
#include "kit/Photo.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "rtl/DateUtils.h"

namespace kit {

using rules::TColumn;
using rules::TMap;

namespace {

template <class T>
T& Control(rtl::TComponent& form, const TColumn& c, size_t i = 0) {
  auto* found = i < c.controls.size() ? dynamic_cast<T*>(form.FindComponent(c.controls[i])) : nullptr;
  if (!found)
    throw std::logic_error(std::string("record column ") + c.column + ": no control " +
                           (i < c.controls.size() ? c.controls[i] : "(none)") + " of the expected kind on " +
                           form.Name());
  return *found;
}

// True when the deciding list (the second control) shows the value that makes the
// column apply.
bool Applies(rtl::TComponent& form, const TColumn& c) {
  return Chosen(Control<gui::TComboBox>(form, c, 1)) == c.values.at(0);
}

// The checked button's value; nothing when none is checked and the column has no blank.
std::optional<std::string> RadioValue(rtl::TComponent& form, const TColumn& c) {
  for (size_t i = 0; i < c.controls.size(); ++i)
    if (Control<gui::TRadioButton>(form, c, i).Checked()) return c.values.at(i);
  if (!c.blank) return std::nullopt;
  return c.blank;
}

void BindColumn(rtl::TComponent& form, const TColumn& c, data::TParam& p, const TDerive& derive,
                std::string_view param) {
  switch (c.map) {
    case TMap::Text: p.AsString(Control<gui::TEdit>(form, c).Text()); break;
    case TMap::Date: p.AsDate(Control<gui::TDateTimePicker>(form, c).Date()); break;
    case TMap::DateIf:
      p.AsDate(Applies(form, c) ? Control<gui::TDateTimePicker>(form, c).Date() : rtl::ZeroDate);
      break;
    case TMap::TextIf:
      if (Applies(form, c)) p.AsString(Control<gui::TEdit>(form, c).Text());
      break;
    case TMap::Choice: p.AsString(Chosen(Control<gui::TComboBox>(form, c))); break;
    case TMap::Radio:
      if (auto v = RadioValue(form, c)) p.AsString(*v);
      break;
    case TMap::Flag: p.AsString(Control<gui::TCheckBox>(form, c).Checked() ? "Y" : "N"); break;
    case TMap::Time: p.AsTime(Control<gui::TDateTimePicker>(form, c).DateTime()); break;
    case TMap::Photo: BindPhoto(p, Control<gui::TImage>(form, c)); break;
    case TMap::User: p.AsString(CurrentUserName()); break;
    case TMap::Derived:
      if (!derive) throw std::logic_error(std::string("record column ") + c.column + " is derived: no derivation");
      p.AsString(derive(param));
      break;
  }
}

}  // namespace

void SetRecordSQL(data::TZQuery& q, const TRecordSpec& record, rules::TIn statement) {
  if (statement == rules::kUpdate) SetSQL(q, {record.Update(), record.Where()});
  else SetSQL(q, {record.Insert()});
}

void BindRecord(const TRecordSpec& record, rtl::TComponent& form, data::TZQuery& q, rules::TIn statement,
                const TDerive& derive) {
  for (const TColumn* c : record.In(statement)) {
    const char* param = c->ParamIn(statement);
    BindColumn(form, *c, *q.ParamByName(param), derive, param);
  }
  if (statement != rules::kUpdate) return;
  for (const rules::TKeyParam& k : record.where) {
    const TColumn* c = record.Find(k.column);
    if (!c) throw std::logic_error(std::string("record key without description: ") + k.column);
    BindColumn(form, *c, *q.ParamByName(k.param), derive, k.param);
  }
}

void LoadRecord(const TRecordSpec& record, rtl::TComponent& form, data::TZQuery& row) {
  for (const TColumn& c : record.columns) {
    // Nothing shows the user's name or a derived value without a control of its own.
    if (c.map == TMap::User || (c.map == TMap::Derived && c.controls.empty())) continue;
    const data::TField& f = *row.FieldByName(c.column);
    switch (c.map) {
      case TMap::Text: Control<gui::TEdit>(form, c).SetText(f.AsString()); break;
      case TMap::Derived:
        if (!c.controls.empty()) Control<gui::TEdit>(form, c).SetText(f.AsString());
        break;
      case TMap::TextIf:
        if (Applies(form, c)) Control<gui::TEdit>(form, c).SetText(f.AsString());
        break;
      case TMap::Date:
      case TMap::DateIf:
      case TMap::Time: Control<gui::TDateTimePicker>(form, c).SetDateTime(f.AsDateTime()); break;
      case TMap::Flag: Control<gui::TCheckBox>(form, c).SetChecked(f.AsString() == "Y"); break;
      case TMap::Choice: SelectExact(Control<gui::TComboBox>(form, c), f.AsString()); break;
      case TMap::Radio: {
        // A stored value that no button stands for leaves the buttons as they are.
        const std::string v = f.AsString();
        bool known = false;
        for (const char* value : c.values) known = known || v == value;
        if (!known) break;
        for (size_t i = 0; i < c.controls.size(); ++i) Control<gui::TRadioButton>(form, c, i).SetChecked(v == c.values[i]);
        break;
      }
      case TMap::Photo: ShowPhoto(Control<gui::TImage>(form, c), f); break;
      case TMap::User: break;
    }
  }
}

void ClearRecord(const TRecordSpec& record, rtl::TComponent& form) {
  for (const TColumn& c : record.columns) {
    switch (c.map) {
      case TMap::Text:
      case TMap::TextIf: Control<gui::TEdit>(form, c).SetText(c.blank); break;
      case TMap::Derived:
        if (!c.controls.empty()) Control<gui::TEdit>(form, c).SetText(c.blank);
        break;
      case TMap::Date:
      case TMap::DateIf:
      case TMap::Time: Control<gui::TDateTimePicker>(form, c).SetDateTime(rtl::Now()); break;
      case TMap::Flag: Control<gui::TCheckBox>(form, c).SetChecked(false); break;
      case TMap::Choice: Control<gui::TComboBox>(form, c).SetItemIndex(0); break;
      case TMap::Radio:
        for (size_t i = 0; i < c.controls.size(); ++i)
          Control<gui::TRadioButton>(form, c, i).SetChecked(c.blank && i == 0);
        break;
      case TMap::Photo: Control<gui::TImage>(form, c).Picture().SetGraphic(static_cast<const gui::TGraphic*>(nullptr)); break;
      case TMap::User: break;
    }
  }
}

void LimitLength(rtl::TComponent& edit, std::string_view table, std::string_view column) {
  auto* e = dynamic_cast<gui::TEdit*>(&edit);
  if (!e || e->MaxLength() > 0) return;
  if (auto length = rules::ColumnLength(table, column)) e->SetMaxLength(*length);
}

void LimitLengths(const TRecordSpec& record, rtl::TComponent& form) {
  for (const TColumn& c : record.columns) {
    if (c.map != TMap::Text && c.map != TMap::TextIf) continue;
    LimitLength(Control<gui::TEdit>(form, c), record.table, c.column);
  }
}

bool SaveRecord(const TRecordSave& s) {
  // A key of nothing but blanks is no key: the server compares it equal to an empty one.
  if (s.keyName && IsBlank(s.key)) {
    Refuse(std::string("Maaf...") + s.keyName + " belum dimasukkan");
    return false;
  }
  auto& q = *app::DM->Q2;
  if (s.find.empty()) {
    SetSQL(q, {std::string("select * from ") + s.record.table, s.record.Where()});
    q.ParamByName(s.record.where.at(0).param)->AsString(s.key);
  } else {
    q.SQL.Clear();
    for (const std::string& line : s.find) q.SQL.Add(line);
    q.ParamByName(s.findParam)->AsString(s.key);
  }
  q.Open();
  if (q.RecordCount() > 0) {
    if (s.endedStaysAsItIs && q.FieldByName("sts_aktif")->AsString() == "Selesai") {
      Refuse("Maaf...Statusnya sudah \"Selesai\" jadi data tidak boleh diubah");
      return false;
    }
    if (s.keyName)
      Warn(std::string("Maaf...") + s.keyName + " Sudah ada!, Anda masuk dalam mode: Perubahan Data");
    else if (!s.existsWarning.empty())
      Warn(s.existsWarning);
    SetRecordSQL(q, s.record, rules::kUpdate);
    BindRecord(s.record, s.form, q, rules::kUpdate, s.derive);
    q.ExecSQL();
    Inform(s.updated);
    return true;
  }
  if (s.newKey) s.newKey();
  try {
    SetRecordSQL(q, s.record, rules::kInsert);
    BindRecord(s.record, s.form, q, rules::kInsert, s.derive);
    q.ExecSQL();
  } catch (...) {
    // Nothing was stored under a new key: saving again makes a fresh one.
    if (s.undoKey) s.undoKey();
    throw;
  }
  Inform(s.inserted);
  return true;
}

}  // namespace kit
