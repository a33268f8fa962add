// What the member list windows of one criterion share: the criterion's list (always
// applied), optionally the "Sidi" box, and up to two further lists each guarded by a
// check box; the preview of the member list by criterion.
#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "kit/ReportForm.h"
#include "kit/rules/Statement.h"

namespace registry {

using rtl::TObject;

class TMemberCriterionForm : public kit::TReportForm {
  KORVAN_CLASS(TMemberCriterionForm)
 public:
  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label1;
  gui::TComboBox* ComboBox1;  // the criterion
  gui::TCheckBox* CheckBox1 = nullptr;  // "Sidi"
  gui::TCheckBox* CheckBox2 = nullptr;
  gui::TComboBox* ComboBox2 = nullptr;
  gui::TCheckBox* CheckBox3 = nullptr;
  gui::TComboBox* ComboBox3 = nullptr;

  void FormActivate(TObject* sender);

 protected:
  struct TGuarded {
    const char* caption;
    std::vector<const char*> items;
  };
  struct TSpec {
    const char* name;
    const char* caption;
    const char* label;
    std::vector<const char*> items;
    bool sidi = false;
    std::vector<TGuarded> guarded = {};
    // A guarded list goes back to its first entry and turns grey or white with its
    // box; otherwise it keeps its entry and only turns off or on.
    bool resetGuarded = true;
  };
  TMemberCriterionForm(rtl::TComponent* owner, const TSpec& spec);

  // The criterion, whether "Sidi" is ticked, and the guarded lists' entries.
  std::string Criterion();
  bool Confirmed();
  std::optional<std::string> Second();
  std::optional<std::string> Third();
  // Previews the member list by criterion.
  void ShowMembers(const kit::rules::TReportQuery& report);

 private:
  bool resetGuarded_;
};

}  // namespace registry
