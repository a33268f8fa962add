#include "gui/Timer.h"

#include <map>

#include "gui/Forms.h"

namespace gui {

namespace {

std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> m;
  return m;
}
UINT_PTR g_nextId = 1;

}  // namespace

namespace {

LRESULT CALLBACK TimerWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER) {
    auto it = Timers().find(w);
    if (it != Timers().end()) {
      TTimer* t = it->second;
      try {
        if (t->OnTimer) t->OnTimer(t);
      } catch (...) {
        if (Application) Application->HandleException(std::current_exception());
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
