// GUI-thread timers. They fire between messages of whatever message loop is running,
// so they go on while a modal form or a message box is open. An exception that escapes a
// tick goes to the application's exception box; while that box is open, the timer's own
// ticks are skipped, so a handler that fails at every tick shows one box at a time.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "rtl/ChangeSignal.h"
#include "rtl/Classes.h"

namespace gui {

LRESULT CALLBACK TimerWindowProc(HWND h, UINT m, WPARAM w, LPARAM l);

class TTimer : public rtl::TComponent {
  KORVAN_CLASS(TTimer)
 public:
  // Enabled with a one-second interval, as a new timer is.
  explicit TTimer(rtl::TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  rtl::TNotifyEvent OnTimer;

  // A timer that waits for a change: with a check set, a thread of the timer's own sleeps
  // until one of the watched signals reports a change, then runs the check, and OnTimer
  // runs on the GUI thread only once the check has answered true, and at the first
  // interval after the timer is enabled (or the check is set). The interval stays the
  // shortest time between two looks. The check must be cheap and safe to call from that
  // thread. An idle window thus wakes nothing: under Wine, even a thread that wakes a
  // hundred times a second to look costs a core noticeably.
  void SetCheck(std::function<bool()> check, std::vector<std::shared_ptr<rtl::ChangeSignal>> watched);

 private:
  friend LRESULT CALLBACK TimerWindowProc(HWND h, UINT m, WPARAM w, LPARAM l);
  struct Watcher;
  void Update();
  void Stop();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  UINT_PTR id_ = 0;
  std::function<bool()> check_;
  std::vector<std::shared_ptr<rtl::ChangeSignal>> watched_;
  std::unique_ptr<Watcher> watcher_;
};

}  // namespace gui
