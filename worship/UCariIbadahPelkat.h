// The search of the category-group services, one row per line joined to its service:
// every line, or those of a date range, of a category and area, or of a host's name. A
// service is deleted whole with its lines, opened in its entry window (validated or
// not, without a PIN) or one of its lines printed on the service form.
#pragma once
#include "kit/DocumentSearch.h"

namespace worship {

using rtl::TObject;

class TFCariIbadahPelkat : public kit::TDocumentSearch {
  KORVAN_CLASS(TFCariIbadahPelkat)
 public:
  explicit TFCariIbadahPelkat(rtl::TComponent* owner);

  gui::TRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
  gui::TComboBox *ComboBox1, *ComboBox2;  // category, area
  gui::TEdit* Edit1;                      // part of a host's name

  void FormActivate(TObject* sender) override;
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void RadioButton3Click(TObject* sender);
  void Button1Click(TObject* sender) override;
  void Button2Click(TObject* sender) override;
  void Button5Click(TObject* sender) override;
  void DBGrid1DblClick(TObject* sender) override;

 private:
  void SetInputs(bool dates, bool category, bool host);
};

extern TFCariIbadahPelkat* FCariIbadahPelkat;

}  // namespace worship
