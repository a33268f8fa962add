// What the searches of the documents with lines (dues payments, loans, transfers) share:
// the filter group with its radio criteria, a date range, the buttons "Cari", "Hapus",
// ("Print",) "Reset" and "Close" at its right, the grid of the rows on DS_Q3 below it
// and the status bar. The window adds its own criteria and handlers; "Reset" runs the
// activation again and "Close" closes.
#pragma once
#include <initializer_list>

#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace kit {

class TDocumentSearch : public gui::TForm {
  KORVAN_CLASS(TDocumentSearch)
 public:
  gui::TGroupBox* GroupBox1;
  gui::TDateTimePicker *DateTimePicker1, *DateTimePicker2;
  gui::TButton *Button1, *Button2, *Button3, *Button4;
  gui::TButton* Button5 = nullptr;  // "Print", where the window prints
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1 = nullptr;

  virtual void FormActivate(rtl::TObject* sender) = 0;
  virtual void Button1Click(rtl::TObject* sender) = 0;
  virtual void Button2Click(rtl::TObject* sender) = 0;
  void Button3Click(rtl::TObject* sender);
  void Button4Click(rtl::TObject* sender);
  virtual void Button5Click(rtl::TObject*) {}
  virtual void DBGrid1DblClick(rtl::TObject* sender) = 0;

  struct TColumn {
    const char* field;
    const char* title;
    int width;
    bool right = false;  // amounts and counts
  };

 protected:
  struct TFrame {
    const char* name;
    const char* caption;
    int width;
    int groupHeight;
    bool print;      // a "Print" button
    bool statusBar;  // a status bar with one panel
  };
  TDocumentSearch(rtl::TComponent* owner, const TFrame& frame, std::initializer_list<TColumn> columns);

  // A radio criterion at the left of the group, on the row at `y`.
  gui::TRadioButton* Criterion(const char* name, const char* caption, int y);
  // The date range beside a criterion: DateTimePicker1, `to`, DateTimePicker2.
  void DateRange(int y, const char* to);
  // Both dates today, enabled or not.
  void ResetDates(bool enabled);
  // The grid back on DS_Q3 (a window opened from this one may have taken the query).
  void ShowRows();
  // "Pencarian Berdasarkan : " and the criterion in double quotes.
  void SayCriterion(const char* criterion);

  static constexpr int kInputX = 150;
};

}  // namespace kit
