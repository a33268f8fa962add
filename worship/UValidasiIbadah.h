// The PIN dialog of the services: a council member confirms a Sunday or church-feast
// service as its validator, or opens a validated service from its search window, with
// the PIN kept on the council record. The dialog tells the two uses apart by the search
// windows that are shown.
#pragma once
#include "data/ZQuery.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace worship {

using rtl::TObject;

class TFValidasiIbadah : public gui::TForm {
  KORVAN_CLASS(TFValidasiIbadah)
 public:
  explicit TFValidasiIbadah(rtl::TComponent* owner);
  ~TFValidasiIbadah() override;

  gui::TPanel* Panel1;
  gui::TImage* Image1;
  gui::TLabel *Label1, *Label2, *Label3, *Label4;
  gui::TLabel* Label5;  // office and name of the council member asked
  gui::TEdit* Edit1;    // the PIN
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TStatusBar* StatusBar1;

  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Edit1KeyPress(TObject* sender, wchar_t& key);

  // What a caller does before showing the dialog: the member's office and name, an
  // empty PIN.
  void Ask(const std::string& office, const std::string& name);
  // What a search window does to open a validated service: the council member in the
  // current row of `council` (none when it is empty) is asked for the PIN, modally.
  void AskToUnlock(data::TZQuery& council);
};

extern TFValidasiIbadah* FValidasiIbadah;

}  // namespace worship
