#include "gui/Timer.h"

#include <map>
#include <set>

#include "gui/Forms.h"

namespace gui {

namespace {

std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> m;
  return m;
}
UINT_PTR g_nextId = 1;

// Timers whose tick raised and whose exception box is still open.
std::set<const TTimer*>& Reporting() {
  static std::set<const TTimer*> s;
  return s;
}

}  // namespace

namespace {

LRESULT CALLBACK TimerWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER) {
    auto it = Timers().find(w);
    if (it != Timers().end()) {
      TTimer* t = it->second;
      // The exception box runs a message loop in which this timer goes on ticking: a
      // handler that keeps failing (a lost connection) would open box over box without
      // end. Until its own box is closed, the timer's ticks are skipped.
      if (Reporting().count(t)) return 0;
      try {
        if (t->OnTimer) t->OnTimer(t);
      } catch (...) {
        if (Application) {
          Reporting().insert(t);
          try {
            Application->HandleException(std::current_exception());
          } catch (...) {
          }
          Reporting().erase(t);  // also when the timer was freed meanwhile (see ~TTimer)
        }
      }
    }
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

HWND TimerWindow() {
  static HWND h = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TimerWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TPUtilWindow";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, L"TPUtilWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
  }();
  return h;
}

}  // namespace

TTimer::TTimer(rtl::TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() {
  Reporting().erase(this);
  enabled_ = false;
  Update();
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::Update() {
  HWND w = TimerWindow();
  if (id_) {
    KillTimer(w, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  // The handler is looked up at each tick, so it may be set after the timer starts.
  if (enabled_ && interval_ > 0) {
    id_ = g_nextId++;
    Timers()[id_] = this;
    SetTimer(w, id_, interval_, nullptr);
  }
}

}  // namespace gui
