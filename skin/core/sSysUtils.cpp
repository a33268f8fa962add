#include "skin/core/sSysUtils.h"

#include <shellapi.h>

#include "gui/Com.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/Messages.h"
#include "rtl/Utf.h"
#include "skin/core/acProcAddress.h"
#include "skin/core/sConst.h"
#include "skin/core/sConstUnit.h"

namespace skin {

namespace {

// The optional functions, bound by the utilities' start-up step (the shell's on first use).
struct OptionalFunctions {
  HMODULE shell = nullptr;
  BOOL(WINAPI* isDebuggerPresent)() = nullptr;
  BOOL(WINAPI* isWow64Process)(HANDLE, PBOOL) = nullptr;
  DWORD_PTR(WINAPI* shGetFileInfo)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT) = nullptr;
  BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
};
OptionalFunctions g_fn;

void BindShellFileInfo() {
  if (g_fn.shGetFileInfo) return;
  if (!g_fn.shell) g_fn.shell = LoadLibraryW(L"shell32.dll");
  g_fn.shGetFileInfo = ProcAddress<decltype(g_fn.shGetFileInfo)>(g_fn.shell, "SHGetFileInfoW");
}

bool CompositionEnabled() {
  HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (!dwm) return false;
  using Proc = HRESULT(WINAPI*)(BOOL*);
  BOOL on = FALSE;
  auto p = ProcAddress<Proc>(dwm, "DwmIsCompositionEnabled");
  bool result = p && SUCCEEDED(p(&on)) && on;
  FreeLibrary(dwm);
  return result;
}

bool VersionAtLeast(unsigned major, unsigned minor) {
  unsigned ma = 0, mi = 0;
  GetWindowsVersion(ma, mi);
  return ma > major || (ma == major && mi >= minor);
}

}  // namespace

// ---------------------------------------------------------------- waits

void WaitWithMessages(uint32_t milliseconds) {
  const uint64_t start = GetTickCount64();
  for (;;) {
    if (gui::Application) gui::Application->ProcessMessages();
    const uint32_t left = TicksLeft(start, milliseconds, GetTickCount64());
    if (left == 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
  }
}

void WaitUntilTick(uint64_t start, uint32_t interval) {
  while (TicksLeft(start, interval, GetTickCount64()) != 0) Sleep(0);
}

// ---------------------------------------------------------------- message box

int DialogPosX = -1, DialogPosY = -1;

namespace {
void CALLBACK MessageBoxHelpCallback(LPHELPINFO info) {
  // Help contexts have no help file in this program; the call is kept for a caller
  // that installs one.
  (void)info;
}
}  // namespace

int MessageBoxEx(const std::string& caption, const std::string& text, int kind, unsigned buttons,
                 unsigned helpContext, int x, int y) {
  const uint32_t style = MessageBoxStyle(kind, buttons);
  const std::string title = caption.empty() ? DefaultMessageCaption(kind) : caption;
  DialogPosX = x;
  DialogPosY = y;
  int result = IDCANCEL;
  const uint32_t kind_buttons = style & 0xF;
  if (!(style & MB_HELP) && kind_buttons != MB_ABORTRETRYIGNORE && kind_buttons != MB_RETRYCANCEL) {
    // The boxes the program's dialog service knows go through it, like every other box.
    gui::TMessageRequest r;
    r.Caption = title;
    r.Text = text;
    static const gui::TMsgDlgType types[] = {gui::TMsgDlgType::mtWarning, gui::TMsgDlgType::mtError,
                                             gui::TMsgDlgType::mtInformation, gui::TMsgDlgType::mtConfirmation,
                                             gui::TMsgDlgType::mtCustom};
    r.Type = types[(kind >= 0 && kind <= 4) ? kind : 4];
    r.Left = x, r.Top = y;
    switch (kind_buttons) {
      case MB_OKCANCEL: r.Buttons = gui::mbOK | gui::mbCancel; break;
      case MB_YESNOCANCEL: r.Buttons = gui::mbYes | gui::mbNo | gui::mbCancel; break;
      case MB_YESNO: r.Buttons = gui::mbYes | gui::mbNo; break;
      default: r.Buttons = gui::mbOK; break;
    }
    result = gui::DialogService().ShowMessageBox(r);  // mrOk.. share the IDOK.. numbers
  } else {
    std::wstring wText = rtl::W(text), wTitle = rtl::W(title);
    MSGBOXPARAMSW p{};
    p.cbSize = sizeof p;
    p.hwndOwner = gui::Application ? gui::Application->Handle() : nullptr;
    p.hInstance = GetModuleHandleW(nullptr);
    p.lpszText = wText.c_str();
    p.lpszCaption = wTitle.c_str();
    p.dwStyle = style;
    p.dwContextHelpId = helpContext;
    p.lpfnMsgBoxCallback = MessageBoxHelpCallback;
    HWND active = GetActiveWindow();
    result = MessageBoxIndirectW(&p);
    if (active && IsWindow(active)) SetFocus(active);
  }
  DialogPosX = DialogPosY = -1;
  return result;
}

int ShowMessageDlg(const std::string& text, int kind, unsigned buttons, unsigned helpContext) {
  return MessageBoxEx("", text, kind, buttons, helpContext, -1, -1);
}

void ShowWarningMessage(const std::string& text) { ShowMessageDlg(text, mkWarning, mbtOK, 0); }
void ShowErrorMessage(const std::string& text) { ShowMessageDlg(text, mkError, mbtOK, 0); }

// ---------------------------------------------------------------- versions and system

bool IsWinXPOrLater() { return VersionAtLeast(5, 1); }
bool IsWin81OrLater() { return VersionAtLeast(6, 3); }

bool SystemParamsForDpi(UINT action, UINT param, void* pparam, UINT dpi) {
  if (IsWin81OrLater() && g_fn.systemParametersInfoForDpi &&
      g_fn.systemParametersInfoForDpi(action, param, pparam, 0, dpi))
    return true;
  return SystemParametersInfoW(action, param, pparam, 0) != 0;
}

namespace {
bool ReadNonClientMetrics(UINT dpi, NONCLIENTMETRICSW& m) {
  m = NONCLIENTMETRICSW{};
  // The layout without the padded-border field, which every version answers to.
  m.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
  return SystemParamsForDpi(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, dpi);
}
}  // namespace

int GetCaptionFontHeight(UINT dpi) {
  NONCLIENTMETRICSW m;
  if (!ReadNonClientMetrics(dpi, m)) return 0;
  return std::min<LONG>(-11, m.lfCaptionFont.lfHeight);
}

HFONT CreateCaptionFont(UINT dpi) {
  NONCLIENTMETRICSW m;
  if (!ReadNonClientMetrics(dpi, m)) return nullptr;
  return CreateFontIndirectW(&m.lfCaptionFont);
}

bool MinimizeAnimationOn() {
  ANIMATIONINFO a{sizeof a, 0};
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof a, &a, 0) && a.iMinAnimate != 0;
}

void SetMinimizeAnimation(bool on) {
  ANIMATIONINFO a{sizeof a, on ? 1 : 0};
  SystemParametersInfoW(SPI_SETANIMATION, sizeof a, &a, 0);
}

bool IsDebuggerAttached() { return g_fn.isDebuggerPresent ? g_fn.isDebuggerPresent() != 0 : true; }

bool RunningUnderWow64() {
  BOOL wow = FALSE;
  return g_fn.isWow64Process && g_fn.isWow64Process(GetCurrentProcess(), &wow) && wow;
}

// ---------------------------------------------------------------- files and icons

bool DirExistsQuiet(const std::string& path) {
  UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
  DWORD a = GetFileAttributesW(rtl::W(path).c_str());
  SetErrorMode(old);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Moves on to the next entry the search's attributes allow; 0 or the system's error.
int FindMatchingFile(TSearchRec& f, WIN32_FIND_DATAW& d) {
  while (static_cast<int>(d.dwFileAttributes) & f.ExcludeAttr)
    if (!FindNextFileW(f.FindHandle, &d)) return static_cast<int>(GetLastError());
  f.Name = rtl::U8(d.cFileName);
  f.Size = static_cast<int64_t>(d.nFileSizeHigh) << 32 | d.nFileSizeLow;
  f.Attr = static_cast<int>(d.dwFileAttributes);
  f.LastWrite = d.ftLastWriteTime;
  return 0;
}

}  // namespace

int SkinFindFirst(const std::string& path, int attr, TSearchRec& f) {
  f.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  WIN32_FIND_DATAW d;
  f.FindHandle = FindFirstFileW(rtl::W(path).c_str(), &d);
  if (f.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  int rc = FindMatchingFile(f, d);
  if (rc != 0) SkinFindClose(f);
  return rc;
}

int SkinFindNext(TSearchRec& f) {
  WIN32_FIND_DATAW d;
  if (!FindNextFileW(f.FindHandle, &d)) return static_cast<int>(GetLastError());
  return FindMatchingFile(f, d);
}

void SkinFindClose(TSearchRec& f) {
  if (f.FindHandle != INVALID_HANDLE_VALUE) FindClose(f.FindHandle);
  f.FindHandle = INVALID_HANDLE_VALUE;
}

std::string ExeFolder() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) {
      buf.resize(n);
      break;
    }
    buf.resize(buf.size() * 2);
  }
  return rtl::U8(buf.substr(0, buf.find_last_of(L"\\/") + 1));
}

std::unique_ptr<gui::TIcon> GetFileIcon(const std::string& fileName, bool small) {
  std::wstring w = rtl::W(fileName);
  if (GetFileAttributesW(w.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  BindShellFileInfo();
  if (!g_fn.shGetFileInfo) return nullptr;
  gui::UseCom();
  SHFILEINFOW info{};
  if (!g_fn.shGetFileInfo(w.c_str(), 0, &info, sizeof info, SHGFI_ICON | (small ? SHGFI_SMALLICON : 0)) ||
      !info.hIcon)
    return nullptr;
  return std::make_unique<gui::TIcon>(info.hIcon);
}

// ---------------------------------------------------------------- form adapters

void AttachAdapterToForm(gui::TControl* adapter, gui::TControl* form) {
  if (form) form->Perform(gui::SM_ALPHACMD, MAKEWPARAM(1, 55), reinterpret_cast<LPARAM>(adapter));
}

void DetachAdapterFromForm(gui::TControl* control, gui::TControl* form) {
  if (form) form->Perform(gui::SM_ALPHACMD, MAKEWPARAM(0, 55), reinterpret_cast<LPARAM>(control));
}

// ---------------------------------------------------------------- start-up

namespace {
HCURSOR g_pipette = nullptr;
}

HCURSOR PipetteCursor() { return g_pipette; }

std::vector<std::string>& CustomColors() {
  static std::vector<std::string> colors;
  return colors;
}

void InitPipetteUnit() {
  g_pipette = LoadCursorW(GetModuleHandleW(nullptr), L"CRASPIPETTE");
  if (gui::Screen) gui::Screen->SetCursors(crPipette, g_pipette);
  CustomColors().assign(18, "FFFFFF");
}

void DonePipetteUnit() {
  CustomColors().clear();
  // A cursor loaded from the program's resources is shared and is not destroyed.
  g_pipette = nullptr;
}

void InitUtilitiesUnit() {
  // kernel32 and user32 are loaded for the whole process: their entry points stay valid.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll"), user = GetModuleHandleW(L"user32.dll");
  g_fn.isDebuggerPresent = ProcAddress<decltype(g_fn.isDebuggerPresent)>(kernel, "IsDebuggerPresent");
  g_fn.isWow64Process = ProcAddress<decltype(g_fn.isWow64Process)>(kernel, "IsWow64Process");
  if (RunningUnderWow64() && !CompositionEnabled()) Globals().Wow64NoComposition = true;
  g_fn.systemParametersInfoForDpi =
      ProcAddress<decltype(g_fn.systemParametersInfoForDpi)>(user, "SystemParametersInfoForDpi");
}

void DoneUtilitiesUnit() {
  if (g_fn.shell) FreeLibrary(g_fn.shell);
  g_fn = OptionalFunctions{};
}

}  // namespace skin
