// GUI-thread timers. They fire between messages of whatever message loop is running,
// so they go on while a modal form or a message box is open. An exception that escapes a
// tick goes to the application's exception box; while that box is open, the timer's own
// ticks are skipped, so a handler that fails at every tick shows one box at a time.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

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

  // A timer that asks often whether something changed: with a check set, the check runs
  // at every interval on a thread of the timer's own, and OnTimer runs on the GUI thread
  // only once the check has answered true, and at the first interval after the timer is
  // enabled (or the check is set). The check must be cheap and safe to call from that
  // thread. Waking the GUI thread a hundred times a second costs a core noticeably under
  // Wine; a thread that only sleeps between two looks costs next to nothing.
  void SetCheck(std::function<bool()> check);

 private:
  friend LRESULT CALLBACK TimerWindowProc(HWND h, UINT m, WPARAM w, LPARAM l);
  struct Watcher;
  void Update();
  void Stop();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  UINT_PTR id_ = 0;
  std::function<bool()> check_;
  std::unique_ptr<Watcher> watcher_;
};

}  // namespace gui
