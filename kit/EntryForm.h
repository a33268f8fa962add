// The base of a register's entry window: a record described once, its key in `Edit1`,
// the photo block, and the bar "Simpan", "Cari", "Reset Form", "Close". Activation and
// "Reset Form" clear the record (and what the window clears beside it), focus the
// first input and show the default photo; "Cari" opens the search window by instance
// name; "Simpan" runs the window's save.
#pragma once
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "kit/rules/Record.h"

namespace kit {

class TEntryForm : public gui::TForm {
  KORVAN_CLASS(TEntryForm)
 public:
  gui::TEdit* Edit1 = nullptr;  // the record's key
  gui::TPanel* Panel1 = nullptr;
  gui::TImage* Image1 = nullptr;
  gui::TSpeedButton *SpeedButton3 = nullptr, *SpeedButton4 = nullptr, *SpeedButton5 = nullptr;

  void FormActivate(rtl::TObject* sender);
  void SpeedButton3Click(rtl::TObject* sender);
  void SpeedButton4Click(rtl::TObject* sender);
  void SpeedButton5Click(rtl::TObject* sender);

 protected:
  TEntryForm(rtl::TComponent* owner, const rules::TRecordSpec& (*record)(), const char* search);

  const rules::TRecordSpec& Record() const { return record_(); }
  // The bar, "Simpan" first under the window's own name; every text input of the record
  // is limited to its column from here on.
  gui::TPanel* MakeBar(gui::TSpeedButton*& save, const char* saveName, int height);

  virtual void Save() = 0;
  // What the window clears beside its record.
  virtual void Cleared() {}
  // The input focused after clearing; none keeps the focus where it is.
  virtual gui::TWinControl* FirstInput() { return Edit1; }

 private:
  const rules::TRecordSpec& (*record_)();
  const char* search_;
};

}  // namespace kit
