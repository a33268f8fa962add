// The login window: the program's main window. Its activation opens the database
// connection; it checks the account, marks it as logged in and shows the main window.
#pragma once
#include <string>

#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Gauges.h"
#include "gui/StdCtrls.h"
#include "gui/Timer.h"

namespace shell {

using gui::TCloseAction;
using rtl::TObject;

class TFLogin : public gui::TForm {
  KORVAN_CLASS(TFLogin)
 public:
  explicit TFLogin(rtl::TComponent* owner);

  gui::TImage* Image4;
  gui::TLabel* Label3;
  gui::TLabel* Label4;
  gui::TLabel* Label5;
  gui::TLabel* Label1;
  gui::TEdit* Edit1;
  gui::TLabel* Label2;
  gui::TEdit* Edit2;
  gui::TSpeedButton* SpeedButton1;
  gui::TSpeedButton* SpeedButton2;
  gui::TGauge* Gauge1;
  gui::TStatusBar* StatusBar1;
  gui::TStatusBar* StatusBar3;
  gui::TTimer* Timer1;

  void FormActivate(TObject* sender);
  // The reset after start-up and after a refused login.
  void awal();
  void Timer1Timer(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void Edit2KeyPress(TObject* sender, wchar_t& key);
  void FormClose(TObject* sender, TCloseAction& action);
  // The daily recomputation of every member's category group.
  void UpdatePelkat();

  // Window heights: the strip with the progress gauge shows only while the daily
  // recomputation runs.
  static constexpr int NormalHeight = 518;
  static constexpr int RecomputeHeight = 586;

 private:
  void ReleaseAccount(const std::string& userName);
};

extern TFLogin* FLogin;

// The hardware address of the first network adapter that reports one, as
// "00-1A-2B-3C-4D-5E"; "" when no adapter answers (or before the first read has
// finished). Read in the background once a second: the status timer asks every 10 ms.
std::string GetAdapterAddress();

}  // namespace shell
