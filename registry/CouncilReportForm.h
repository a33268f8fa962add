// What the council report windows share: the preview of the council list for the
// criteria the window shows, and the window that offers one list of choices (a sex, an
// office, a status).
#pragma once
#include <initializer_list>
#include <optional>

#include "kit/ReportForm.h"
#include "registry/rules/ListReports.h"

namespace registry {

using rtl::TObject;

class TCouncilReportForm : public kit::TReportForm {
  KORVAN_CLASS(TCouncilReportForm)
 protected:
  // A fixed window with the system menu and the minimise button.
  TCouncilReportForm(rtl::TComponent* owner, const char* name, const char* caption, int width, int height);
  // The criteria chosen; nothing when none is.
  virtual std::optional<rules::TCouncilCriteria> Criteria() = 0;
  void Preview() override;
};

class TCouncilChoiceForm : public TCouncilReportForm {
  KORVAN_CLASS(TCouncilChoiceForm)
 public:
  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label1;
  gui::TComboBox* ComboBox1;

  void FormActivate(TObject* sender);

 protected:
  struct TChoice {
    const char* name;
    const char* caption;
    const char* label;
    std::initializer_list<const char*> items;
    rules::TCouncilFilter filter;
  };
  TCouncilChoiceForm(rtl::TComponent* owner, const TChoice& choice);
  std::optional<rules::TCouncilCriteria> Criteria() override;

 private:
  rules::TCouncilFilter filter_;
};

}  // namespace registry
