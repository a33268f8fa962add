// The members of one life state: living, deceased or transferred.
#pragma once
#include "kit/ReportForm.h"

namespace registry {

using rtl::TObject;

class TFRepJemaatStsHidup : public kit::TReportForm {
  KORVAN_CLASS(TFRepJemaatStsHidup)
 public:
  explicit TFRepJemaatStsHidup(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label1;  // "Status Hidup"
  gui::TComboBox* ComboBox1;

  void FormActivate(TObject* sender);

 protected:
  void Preview() override;
};

extern TFRepJemaatStsHidup* FRepJemaatStsHidup;

}  // namespace registry
