#include "app/Records.h"

#include "gui/Dialogs.h"
#include "gui/Forms.h"

namespace app {

void SetSQL(data::TZQuery& query, std::initializer_list<std::string_view> pieces) {
  query.SQL.Clear();
  for (std::string_view p : pieces) query.SQL.Add(std::string(p));
}

void Inform(const std::string& text) { gui::MessageDlg(text, gui::TMsgDlgType::mtInformation, gui::mbOK); }

void Refuse(const std::string& text) { gui::MessageDlg(text, gui::TMsgDlgType::mtError, gui::mbOK); }

bool Confirm(const std::string& text) {
  return gui::MessageDlg(text, gui::TMsgDlgType::mtConfirmation, gui::mbYes | gui::mbNo) == gui::mrYes;
}

}  // namespace app
