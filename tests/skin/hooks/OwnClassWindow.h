// A child window of a class of the test's own, so that what a hook does to its window class
// touches no other window; the window and its class go with the object.
#pragma once
#include <windows.h>

namespace skintest {

struct TOwnClassWindow {
  TOwnClassWindow(const wchar_t* className, HWND parent, HBRUSH background) : name(className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    wc.hbrBackground = background;
    registered = RegisterClassW(&wc) != 0;
    Wnd = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent, nullptr, wc.hInstance,
                          nullptr);
  }
  ~TOwnClassWindow() {
    if (Wnd) DestroyWindow(Wnd);
    if (registered) UnregisterClassW(name, GetModuleHandleW(nullptr));
  }
  TOwnClassWindow(const TOwnClassWindow&) = delete;
  TOwnClassWindow& operator=(const TOwnClassWindow&) = delete;
  HBRUSH ClassBrush() const { return reinterpret_cast<HBRUSH>(GetClassLongPtrW(Wnd, GCLP_HBRBACKGROUND)); }

  const wchar_t* name;
  bool registered = false;
  HWND Wnd = nullptr;
};

}  // namespace skintest
