#include "kit/EntryForm.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Photo.h"
#include "kit/Record.h"

namespace kit {

TEntryForm::TEntryForm(rtl::TComponent* owner, const rules::TRecordSpec& (*record)(), const char* search)
    : TForm(owner), record_(record), search_(search) {
  OnActivate = [this](rtl::TObject* s) { FormActivate(s); };
}

gui::TPanel* TEntryForm::MakeBar(gui::TSpeedButton*& save, const char* saveName, int height) {
  gui::TPanel* bar =
      MakeActionBar(*this, "Panel2", height,
                    {{&save, saveName, "Simpan", [this](rtl::TObject*) { Save(); }},
                     {&SpeedButton3, "SpeedButton3", "Cari", [this](rtl::TObject* s) { SpeedButton3Click(s); }},
                     {&SpeedButton4, "SpeedButton4", "Reset Form", [this](rtl::TObject* s) { SpeedButton4Click(s); }},
                     {&SpeedButton5, "SpeedButton5", "Close", [this](rtl::TObject* s) { SpeedButton5Click(s); }}});
  LimitLengths(Record(), *this);
  return bar;
}

void TEntryForm::FormActivate(rtl::TObject*) {
  ClearRecord(Record(), *this);
  Cleared();
  if (gui::TWinControl* first = FirstInput()) {
    SetActiveControl(first);
    if (first->Showing()) first->SetFocus();
  }
  ShowDefaultPhoto(*app::DM->Q1, *Image1);
}

void TEntryForm::SpeedButton3Click(rtl::TObject*) {
  if (auto* search = dynamic_cast<gui::TCustomForm*>(gui::Application->FindComponent(search_))) search->ShowModal();
}

void TEntryForm::SpeedButton4Click(rtl::TObject*) { FormActivate(this); }

void TEntryForm::SpeedButton5Click(rtl::TObject*) { Close(); }

}  // namespace kit
