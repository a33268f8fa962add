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

namespace data {
class TZQuery;
}

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

 // Logout: lets go of the live-session mark taken at login (see ClaimSessionLock).
  void EndSession();

 private:
  // Gives the status timer its look at the network and the connection.
  void WatchStatus();
  void ReleaseAccount(const std::string& userName);
  // The stored name of the account whose session this connection holds; empty when none.
  std::string session_;
};

extern TFLogin* FLogin;

// An account's "active" mark alone cannot tell a live session from a program that ended
// without logging out (killed, crashed, power lost). A live session also holds a named
// lock on the server, which the server drops when the session's connection ends.
// ClaimSessionLock takes that lock for the account (its stored name) on the query's
// connection without waiting: false when another connection holds it, that is, when the
// account is in use elsewhere. ReleaseSessionLock lets it go again.
bool ClaimSessionLock(data::TZQuery& q, const std::string& account);
void ReleaseSessionLock(data::TZQuery& q, const std::string& account);

// The hardware address of the first network adapter that reports one, as
// "00-1A-2B-3C-4D-5E"; "" when no adapter answers (or before the first read has
// finished). Read in the background, so that asking never waits for the adapters.
std::string GetAdapterAddress();
// Notified whenever the address GetAdapterAddress returns changes.
std::shared_ptr<rtl::ChangeSignal> AdapterAddressChanged();

}  // namespace shell
