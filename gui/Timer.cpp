#include "gui/Timer.h"

#include <chrono>
#include <map>
#include <set>
#include <thread>

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

// The tick a checking thread posts once its check found a change.
constexpr UINT kCheckedTick = WM_APP + 1;

}  // namespace

struct TTimer::Watcher {
  std::atomic<bool> stop{false};
  // Every watched signal forwards to this one; stopping notifies it too.
  std::shared_ptr<rtl::ChangeSignal> wake = std::make_shared<rtl::ChangeSignal>();
  // Set while a tick is on its way to the GUI thread: changes found meanwhile ride on it,
  // since its handler runs after them and sees them.
  std::atomic<bool> pending{false};
  std::thread thread;
};

LRESULT CALLBACK TimerWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER || m == kCheckedTick) {
    auto it = Timers().find(w);
    if (it != Timers().end()) {
      TTimer* t = it->second;
      if (m == kCheckedTick && t->watcher_) t->watcher_->pending = false;
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

namespace {

HWND TimerWindow() {
  static HWND h = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TimerWindowProc;
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

void TTimer::SetCheck(std::function<bool()> check, std::vector<std::shared_ptr<rtl::ChangeSignal>> watched) {
  check_ = std::move(check);
  watched_ = std::move(watched);
  Update();
}

void TTimer::Stop() {
  if (!watcher_) return;
  watcher_->stop = true;
  watcher_->wake->Notify();
  watcher_->thread.join();
  watcher_.reset();
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
  Stop();
  if (id_) {
    KillTimer(w, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  // The handler is looked up at each tick, so it may be set after the timer starts.
  if (enabled_ && interval_ > 0) {
    id_ = g_nextId++;
    Timers()[id_] = this;
    if (!check_) {
      SetTimer(w, id_, interval_, nullptr);
      return;
    }
    watcher_ = std::make_unique<Watcher>();
    for (const auto& s : watched_)
      if (s) s->ForwardTo(watcher_->wake);
    watcher_->thread = std::thread([watch = watcher_.get(), check = check_, interval = interval_, w, id = id_] {
      using Clock = rtl::ChangeSignal::Clock;
      rtl::ChangeSignal& wake = *watch->wake;
      // Waits out the rest of the interval. The stop flag is read after the count: a stop
      // made after that read changes the count (stopping notifies), so no wait outlasts it.
      auto rest = [&](Clock::time_point until) {
        for (;;) {
          const uint64_t seen = wake.Count();
          if (watch->stop || Clock::now() >= until) return;
          wake.WaitUntil(seen, until);
        }
      };
      Clock::time_point looked = Clock::now();
      bool first = true;
      for (;;) {
        rest(looked + std::chrono::milliseconds(interval));
        if (watch->stop) break;
        // Changes from here on wake the wait below, even those made while the check runs.
        const uint64_t seen = wake.Count();
        looked = Clock::now();
        bool changed = true;
        try {
          changed = check();
        } catch (...) {
          // A check that fails cannot tell; the handler on the GUI thread finds out.
        }
        if ((first || changed) && !watch->pending.exchange(true)) PostMessageW(w, kCheckedTick, id, 0);
        first = false;
        wake.Wait(seen);
        if (watch->stop) break;
      }
    });
  }
}

}  // namespace gui
