// GUI-thread timers. They fire between messages of whatever message loop is running,
// so they go on while a modal form or a message box is open. An exception that escapes a
// tick goes to the application's exception box; while that box is open, the timer's own
// ticks are skipped, so a handler that fails at every tick shows one box at a time.
#pragma once
#include <windows.h>

#include "rtl/Classes.h"

namespace gui {

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

 private:
  void Update();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  UINT_PTR id_ = 0;
};

}  // namespace gui
