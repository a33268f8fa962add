// The search of the membership transfers: every transfer, or those of a date range, of
// one status or of a head's name. A transfer is deleted with its lines (the moved
// members stay transferred), an incoming one reopened in the transfer window, and the
// letter of the chosen transfer printed.
#pragma once
#include "kit/DocumentSearch.h"

namespace registry {

using rtl::TObject;

class TFCariAttestasi : public kit::TDocumentSearch {
  KORVAN_CLASS(TFCariAttestasi)
 public:
  explicit TFCariAttestasi(rtl::TComponent* owner);

  gui::TRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
  gui::TComboBox* ComboBox1;
  gui::TEdit* Edit1;

  void FormActivate(TObject* sender) override;
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void RadioButton3Click(TObject* sender);
  void Button1Click(TObject* sender) override;
  void Button2Click(TObject* sender) override;
  void Button5Click(TObject* sender) override;
  void DBGrid1DblClick(TObject* sender) override;

 private:
  void SetInputs(bool dates, bool status, bool name);
};

extern TFCariAttestasi* FCariAttestasi;

}  // namespace registry
