#include "kit/Records.h"

#include "gui/Dialogs.h"
#include "gui/Forms.h"

namespace kit {

void SetSQL(data::TZQuery& query, std::initializer_list<std::string_view> pieces) {
  query.SQL.Clear();
  for (std::string_view p : pieces) query.SQL.Add(std::string(p));
}

std::optional<std::string> LastKey(data::TZQuery& query, std::string_view field) {
  if (query.RecordCount() == 0) return std::nullopt;
  query.Last();
  return query.FieldByName(field)->AsString();
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

void Inform(const std::string& text) { gui::MessageDlg(text, gui::TMsgDlgType::mtInformation, gui::mbOK); }

void Refuse(const std::string& text) { gui::MessageDlg(text, gui::TMsgDlgType::mtError, gui::mbOK); }

void Warn(const std::string& text) { gui::MessageDlg(text, gui::TMsgDlgType::mtWarning, gui::mbOK); }

bool Confirm(const std::string& text) {
  return gui::MessageDlg(text, gui::TMsgDlgType::mtConfirmation, gui::mbYes | gui::mbNo) == gui::mrYes;
}

void DigitsOnly(wchar_t& key) {
  if (key == 8 || key == 13 || key == L' ' || (key >= L'0' && key <= L'9')) return;
  key = 0;
  Refuse("Maaf...Hanya bisa masukan angka!");
}

}  // namespace kit
