// The reference for start-up: a bare Win32 window with one label and nothing else.
// With the argument "phases" it reports when its first line ran and when its window
// showed (milliseconds since the process was created) and ends.
#include <windows.h>

#include "bench/win/BenchSupport.h"

namespace {

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR cmd, int) {
  const bool phases = cmd && lstrcmpW(cmd, L"phases") == 0;
  if (phases) bench::Report("startup_phase_bare_libraries", bench::MsSinceProcessStart());
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"BenchBareWindow";
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, wc.lpszClassName, L"Bench bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 420, 300, nullptr, nullptr, inst, nullptr);
  CreateWindowExW(0, L"STATIC", L"Bare window", WS_CHILD | WS_VISIBLE, 40, 40, 200, 20, w, nullptr, inst, nullptr);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  if (phases) {
    bench::Report("startup_phase_bare_shown", bench::MsSinceProcessStart());
    return 0;
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
