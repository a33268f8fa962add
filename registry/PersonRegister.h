// What the minister, vicar and practice-student windows share: a register whose key the
// user types, with the name, the birth and service dates, the status buttons and the
// photo's "Upload". Each window adds its own inputs and places everything.
#pragma once
#include "gui/ComCtrls.h"
#include "gui/FileDialogs.h"
#include "kit/EntryForm.h"

namespace registry {

using rtl::TObject;

class TPersonRegister : public kit::TEntryForm {
  KORVAN_CLASS(TPersonRegister)
 public:
  gui::TEdit* Edit2;                                                          // the name
  gui::TDateTimePicker *DateTimePicker1, *DateTimePicker2, *DateTimePicker3;  // born, from, until
  gui::TRadioButton *RadioButton1, *RadioButton2;
  gui::TButton* Button1;  // "Upload"
  gui::TOpenDialog* OpenDialog1;

 protected:
  struct TSpec {
    const kit::rules::TRecordSpec& (*record)();
    const char* search;    // the search window's instance name
    const char* keyName;   // "NIP"
    const char* updated;   // information after a change
    const char* inserted;  // information after a new one
  };
  TPersonRegister(rtl::TComponent* owner, const TSpec& spec);

  // The record saved by its typed key, the window emptied.
  void Save() override;

 private:
  TSpec spec_;
};

}  // namespace registry
