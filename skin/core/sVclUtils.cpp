#include "skin/core/sVclUtils.h"

#include "skin/core/acProcAddress.h"

#include "gui/Forms.h"
#include "skin/core/sConstUnit.h"

namespace skin {

namespace {

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kMdtEffectiveDpi = 0;

HMODULE g_uxTheme = nullptr;
HMODULE g_shCore = nullptr;
TSetWindowThemeProc g_setWindowTheme = nullptr;
GetDpiForMonitorFn g_getDpiForMonitor = nullptr;

bool Win10OrLater() {
  unsigned major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  return major >= 10;
}

HMODULE LoadOptional(const wchar_t* name) {
  HMODULE m = LoadLibraryW(name);
  return reinterpret_cast<uintptr_t>(m) <= 32 ? nullptr : m;
}

int MonitorPPI(HMONITOR monitor) {
  if (!monitor) return GetScreenPPI();
  UINT x = 0, y = 0;
  if (g_getDpiForMonitor && g_getDpiForMonitor(monitor, kMdtEffectiveDpi, &x, &y) == S_OK) return static_cast<int>(y);
  return 96;
}

}  // namespace

gui::TPoint GetMousePos() {
  POINT p;
  if (!GetCursorPos(&p)) return {0, 0};
  return {p.x, p.y};
}

HWND GetRootWindow(HWND wnd) {
  for (HWND p = GetParent(wnd); p; p = GetParent(wnd)) wnd = p;
  return wnd;
}

bool IsWindowOrDescendant(HWND wnd, HWND ancestor) {
  for (; wnd; wnd = GetParent(wnd))
    if (wnd == ancestor) return true;
  return false;
}

bool IsWindowUnderMouse(HWND wnd) {
  if (!IsWindowVisible(wnd)) return false;
  HDC dc = GetWindowDC(wnd);
  RECT clip{};
  bool simple = GetClipBox(dc, &clip) == SIMPLEREGION;
  ReleaseDC(wnd, dc);
  if (!simple) return false;
  RECT wr{};
  GetWindowRect(wnd, &wr);
  OffsetRect(&clip, wr.left, wr.top);
  POINT p;
  return GetCursorPos(&p) && PtInRect(&clip, p);
}

gui::TRect GetFormWorkArea(gui::TCustomForm* form) {
  HMONITOR m = form && form->HandleAllocated() ? MonitorFromWindow(form->Handle(), MONITOR_DEFAULTTONEAREST)
                                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO mi{sizeof mi};
  if (!GetMonitorInfoW(m, &mi)) return {};
  return gui::Rect(mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom);
}

gui::TRect GetWorkAreaAtPoint(gui::TPoint p) {
  if (!gui::Screen) return {};
  for (const gui::TMonitor& m : gui::Screen->Monitors())
    if (m.WorkareaRect.Contains(p)) return m.WorkareaRect;
  return {};
}

int GetScreenPPI() { return gui::TScreen::PixelsPerInch(); }

int GetControlPPI(gui::TControl* control) {
  if (!control || !Win10OrLater()) return GetScreenPPI();
  auto* win = dynamic_cast<gui::TWinControl*>(control);
  if (!win) {
    win = control->Parent();
    if (!win) return 96;
  }
  if (!win->HandleAllocated()) return 96;
  return MonitorPPI(MonitorFromWindow(win->Handle(), MONITOR_DEFAULTTONEAREST));
}

int GetWindowPPI(HWND wnd) {
  if (!Win10OrLater()) return GetScreenPPI();
  HMONITOR m = MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST);
  return m ? MonitorPPI(m) : 96;
}

int GetMainFormPPI() {
  if (!gui::Application) return GetControlPPI(nullptr);
  gui::TCustomForm* form = gui::Application->MainForm();
  for (int i = 0; !form && i < gui::Application->ComponentCount(); ++i)
    form = dynamic_cast<gui::TCustomForm*>(gui::Application->Components(i));
  return GetControlPPI(form);
}

void EnableNCDpiScaling(HWND wnd) {
  if (!Win10OrLater()) return;
  using Proc = BOOL(WINAPI*)(HWND);
  if (auto p = ProcAddress<Proc>(GetModuleHandleW(L"user32.dll"), "EnableNonClientDpiScaling")) p(wnd);
}

int SumAlignedChildSizes(gui::TWinControl* parent, bool includeGraphic) {
  const gui::TAlign a = parent->Align();
  const bool vertical = a == gui::TAlign::alTop || a == gui::TAlign::alBottom;
  if (!vertical && a != gui::TAlign::alLeft && a != gui::TAlign::alRight) return 0;
  int sum = 0;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    gui::TControl* c = parent->Controls(i);
    if (!c->Visible() || c->Align() != a) continue;
    if (!includeGraphic && !dynamic_cast<gui::TWinControl*>(c)) continue;
    sum += vertical ? c->Height() : c->Width();
  }
  return sum;
}

std::wstring GetWindowWideText(HWND wnd) {
  std::wstring s(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
  s.resize(static_cast<size_t>(GetWindowTextW(wnd, s.data(), static_cast<int>(s.size()))));
  return s;
}

bool GetThemesEnabled() {
  if (!g_uxTheme) return false;
  using Proc = BOOL(WINAPI*)();
  auto active = ProcAddress<Proc>(g_uxTheme, "IsThemeActive");
  auto app = ProcAddress<Proc>(g_uxTheme, "IsAppThemed");
  return active && app && active() && app();
}

TSetWindowThemeProc SetWindowThemeProc() { return g_setWindowTheme; }

void InitVclUtilsUnit() {
  if (!g_uxTheme) g_uxTheme = LoadOptional(L"UXTHEME");
  if (g_uxTheme) g_setWindowTheme = ProcAddress<TSetWindowThemeProc>(g_uxTheme, "SetWindowTheme");
  if (Win10OrLater()) {
    if (!g_shCore) g_shCore = LoadOptional(L"ShCore");
    if (g_shCore) g_getDpiForMonitor = ProcAddress<GetDpiForMonitorFn>(g_shCore, "GetDpiForMonitor");
  }
}

void DoneVclUtilsUnit() {
  // ShCore stays loaded: per-monitor DPI may still be asked while the program ends.
  if (g_uxTheme) FreeLibrary(g_uxTheme);
  g_uxTheme = nullptr;
  g_setWindowTheme = nullptr;
}

}  // namespace skin
