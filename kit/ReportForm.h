// What the report windows share: a fixed window with its criteria, "Preview" and
// "Close" at the foot; the preview runs the report's statement on the list query,
// writes its filter line into the layout and shows the layout. A report whose criteria
// are not chosen is refused instead of previewing what the query last held.
#pragma once
#include <optional>

#include "data/ZQuery.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "kit/FormKit.h"
#include "kit/rules/Statement.h"
#include "report/Layout.h"

namespace kit {

// Puts the statement on the query, binds its values and opens it.
void OpenStatement(data::TZQuery& query, const rules::TStatement& statement);

class TReportForm : public gui::TForm {
  KORVAN_CLASS(TReportForm)
 public:
  gui::TButton* Button1;  // "Preview"
  gui::TButton* Button2;  // "Close"

  void Button1Click(rtl::TObject* sender);
  void Button2Click(rtl::TObject* sender);

 protected:
  // The buttons sit at the foot of the client area.
  TReportForm(rtl::TComponent* owner, const TFormSetup& setup);
  virtual void Preview() = 0;

  // Runs the report on `query` into `layout` (its label QRLabel22 takes the filter
  // line) and shows the preview; without a report the refusal shows and nothing runs.
  void ShowList(data::TZQuery& query, const std::optional<rules::TReportQuery>& report,
                report::TLayoutReport& layout);
};

// The lists of the criteria: the sectors "1" to "10", the category groups "PA" to
// "PKLU"; and a check box that guards one of them.
gui::TComboBox* MakeSectorList(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y,
                               int w = 70);
gui::TComboBox* MakeGroupList(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y,
                              int w = 90);
gui::TCheckBox* MakeCheck(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                          const std::string& caption);
gui::TRadioButton* MakeRadio(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                             const std::string& caption);

// The refusal of a report whose criteria are not chosen.
void RefuseNoChoice();

// A check box that guards a list: ticked, the list is enabled (and white); cleared, it
// is disabled (and grey). With `firstEntry` the list goes back to its first entry at
// each change; `colour` false leaves its colour alone.
void GuardList(gui::TCheckBox& box, gui::TComboBox& list, bool firstEntry = true, bool colour = true);
// The guarded list as the window starts: the box cleared, the list at its first entry
// and disabled.
void ResetGuard(gui::TCheckBox& box, gui::TComboBox& list, bool colour = true);
// The guarded list's entry while the box is ticked.
std::optional<std::string> Guarded(gui::TCheckBox& box, gui::TComboBox& list);

}  // namespace kit
