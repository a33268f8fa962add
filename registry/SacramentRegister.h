// What the baptism and the catechism registration windows share: the number in `Edit6`
// ("[Auto]" until the first save), the church status (`RadioButton1` "Internal" from the
// member registry, `RadioButton2` "Eksternal" typed in) that switches the person fields,
// the three member lookups of the person and the parents, the schedule, the validation
// (`RadioButton3` "Sudah", `RadioButton4` "Batal", NULL while neither), the save as an
// insert or update by number with the three seconds under the hourglass before the
// window resets, and the bar "Simpan", "Cari", "Reset Form", "Close".
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "gui/Timer.h"
#include "kit/rules/Record.h"

namespace registry {

using rtl::TObject;

// The save of a sacrament registration by the number its window shows: an update when
// that number is stored, otherwise an insert under the next number (a counter past its
// digits is refused with an error box and nothing is written). The success message,
// then the hourglass for the three seconds of `timer` before the window resets.
struct TRegistrationSave {
  const kit::rules::TRecordSpec& record;
  rtl::TComponent& form;
  data::TZQuery& query;
  gui::TEdit& number;
  const char* suffix;
  const char* updated;
  const char* inserted;
  gui::TTimer& timer;
  std::function<void(const std::string&)> numbered = {};  // a new number was given
  std::function<void()> beforeWrite = {};                 // the statement is bound, not yet run
  std::function<void()> afterWrite = {};
};
void SaveRegistration(const TRegistrationSave& save);

class TSacramentRegister : public gui::TForm {
  KORVAN_CLASS(TSacramentRegister)
 public:
  gui::TEdit* Edit6 = nullptr;  // the registration number
  gui::TRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;  // Internal / Eksternal
  gui::TRadioButton *RadioButton3 = nullptr, *RadioButton4 = nullptr;  // Sudah / Batal
  gui::TSpeedButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr;  // lookups
  gui::TSpeedButton *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr,
                    *SpeedButton7 = nullptr;
  gui::TDateTimePicker *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr, *DateTimePicker3 = nullptr;
  gui::TComboBox* ComboBox2 = nullptr;
  gui::TEdit* Edit24 = nullptr;
  gui::TPanel* Panel3 = nullptr;  // the bar
  gui::TTimer* Timer1 = nullptr;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);  // save
  void SpeedButton5Click(TObject* sender);  // search
  void SpeedButton6Click(TObject* sender);  // reset
  void SpeedButton7Click(TObject* sender);  // close
  void Timer1Timer(TObject* sender);

 protected:
  // The fields the church status switches, by name.
  struct TStatusFields {
    std::vector<const char*> numbers;   // member numbers: "Internal" / "Eksternal", always read-only
    std::vector<const char*> switched;  // cleared; grey and read-only for Internal, white for Eksternal
    std::vector<const char*> cleared;   // cleared, staying writable
    std::vector<const char*> pickers;   // now; disabled for Internal
  };
  struct TSpec {
    const kit::rules::TRecordSpec& (*record)();
    const char* search;  // the search window's instance name
    const char* suffix;  // of the number
    TStatusFields status;
    const char* updated;
    const char* inserted;
  };
  TSacramentRegister(rtl::TComponent* owner, const TSpec& spec);

  // The schedule group's inputs on `group`, rows from `y` with `step` between them; the
  // validation radios go on `validation` (a parent of their own: one radio group).
  void MakeSchedule(gui::TWinControl* group, int x, int y, int step);
  void MakeValidation(gui::TWinControl* parent, int x, int y);
  // A member number with its lookup button beside it.
  gui::TEdit* MemberNumber(gui::TWinControl* group, const char* name, gui::TSpeedButton*& button,
                           const char* buttonName, int x, int y);
  // The bar at the foot; every text input of the record is limited to its column.
  void MakeBar();

  // The status fields switched to Internal or Eksternal.
  void ApplyStatus(bool external);
  // What a status click does beyond the person fields.
  virtual void StatusApplied(bool external) {}
  // Just before the registration statement runs, with its parameters bound.
  virtual void BeforeWrite() {}
  // Just after it ran.
  virtual void AfterWrite() {}
  // A new registration got its number.
  virtual void Numbered(const std::string& number) {}

 private:
  void OpenMemberLookup(gui::TSpeedButton& button);
  TSpec spec_;
};

}  // namespace registry
