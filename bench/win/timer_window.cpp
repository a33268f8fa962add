// The reference for the idle load: a bare Win32 window with a 10 ms timer that does
// nothing, the least any window with such a timer costs.
//
//   bench_timer SETTLE SECS
#include <windows.h>

#include <cstdlib>

#include "bench/win/IdleLoad.h"

namespace {

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER) return 0;
  return DefWindowProcW(h, m, w, l);
}

}  // namespace

int main(int argc, char** argv) {
  const double settle = argc > 1 ? std::atof(argv[1]) : 2;
  const double secs = argc > 2 ? std::atof(argv[2]) : 5;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"BenchTimerWindow";
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, wc.lpszClassName, L"Bench timer window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 420, 300, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOW);
  SetTimer(w, 1, 10, nullptr);
  bench::MeasureIdle(L"Bench timer window", "idle_cpu_timer", settle, secs);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
