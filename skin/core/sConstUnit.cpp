#include "skin/core/sConstUnit.h"

#include <windows.h>

#include "rtl/Utf.h"
#include "skin/core/acProcAddress.h"
#include "skin/core/sConst.h"

namespace skin {

namespace {

TacCaptions g_captions;
// The constants step ran and the captions are not read yet: they are read at the first
// ask. Mapping the system's libraries for their string tables costs every start several
// milliseconds, and most runs never show a box or menu that uses them.
bool g_captionsDue = false;

void LoadCaptions();

}  // namespace

TacCaptions& Captions() {
  if (g_captionsDue) {
    g_captionsDue = false;
    LoadCaptions();
  }
  return g_captions;
}

std::string LoadLibraryString(HMODULE lib, unsigned id) {
  const wchar_t* text = nullptr;
  // With a zero buffer size LoadString hands out the resource text itself.
  int n = LoadStringW(lib, id, reinterpret_cast<LPWSTR>(&text), 0);
  if (n <= 0 || !text) return {};
  return rtl::U8(std::wstring(text, static_cast<size_t>(n)));
}

void InitHScrollBtnWidth() {
  if (Globals().HScrollBtnWidth < 0) Globals().HScrollBtnWidth = GetSystemMetrics(SM_CXHSCROLL);
}

void GetWindowsVersion(unsigned& major, unsigned& minor) {
  // GetVersionEx answers what the manifest allows; ntdll tells the truth. The version
  // cannot change while the program runs, and the PPI functions ask on every layout.
  static const OSVERSIONINFOW v = [] {
    OSVERSIONINFOW r{};
    r.dwOSVersionInfoSize = sizeof r;
    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto proc = ProcAddress<RtlGetVersionProc>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    if (!proc || proc(&r) != 0) r.dwMajorVersion = r.dwMinorVersion = 0;
    return r;
  }();
  major = v.dwMajorVersion;
  minor = v.dwMinorVersion;
}

namespace {

struct CaptionRow {
  const wchar_t* Library;
  unsigned Id;
  const char* Suffix;
  const char* Fallback;
  std::string TacCaptions::*Field;
};

// In the order the libraries are loaded; each library is loaded once for its rows.
const CaptionRow kCaptionRows[] = {
    {L"user32.dll", 800, "", "OK", &TacCaptions::OK},
    {L"user32.dll", 801, "", "Cancel", &TacCaptions::Cancel},
    {L"user32.dll", 808, "", "&Help", &TacCaptions::Help},
    {L"user32.dll", 905, "", "Close", &TacCaptions::Close},
    {L"colorui.dll", 1810, "", "Add to custom colors set", &TacCaptions::AddToCustomColors},
    {L"shell32.dll", 4151, "", "Define colors", &TacCaptions::DefineColors},
    {L"shell32.dll", 31153, ":", "Additional colors :", &TacCaptions::AdditionalColors},
    {L"shell32.dll", 16514, " - ", "Decimal - ", &TacCaptions::Decimal},
    {L"shell32.dll", 33015, ":", "Root:", &TacCaptions::Root},
    {L"shell32.dll", 4151, "", "Create", &TacCaptions::Create},
    {L"comctl32.dll", 33056, "", "Restore", &TacCaptions::Restore},
    {L"comctl32.dll", 32768, "", "Size", &TacCaptions::Size},
    {L"comctl32.dll", 32784, "", "Move", &TacCaptions::Move},
    {L"comctl32.dll", 32816, "", "Maximize", &TacCaptions::Maximize},
    {L"comctl32.dll", 32800, "", "Minimize", &TacCaptions::Minimize},
    {L"comdlg32.dll", 436, "", "File open", &TacCaptions::FileOpen},
    {L"comdlg32.dll", 439, "", "Select directory", &TacCaptions::SelectDirectory},
    {L"comdlg32.dll", 1049, ":", "Red :", &TacCaptions::Red},
    {L"comdlg32.dll", 1042, ":", "Green :", &TacCaptions::Green},
    {L"comdlg32.dll", 1052, ":", "Blue :", &TacCaptions::Blue},
    {L"compstui.dll", 64744, "", "Color", &TacCaptions::Color},
    {L"inetres.dll", 1175, "", "Font", &TacCaptions::Font},
    {L"inetres.dll", 5273, ":", "Font color:", &TacCaptions::FontColor},
};

void LoadCaptions() {
  TacCaptions& c = g_captions;
  HMODULE lib = nullptr;
  const wchar_t* libName = nullptr;
  for (const CaptionRow& row : kCaptionRows) {
    if (!libName || wcscmp(libName, row.Library) != 0) {
      if (lib) FreeLibrary(lib);
      if (libName && wcscmp(libName, L"comctl32.dll") == 0) c.Calculator = "Calculator";
      libName = row.Library;
      // Only the string tables are read: the library is mapped as resources, without
      // running its start-up or loading the libraries it needs (a full load of these
      // costs every start several milliseconds).
      lib = LoadLibraryExW(row.Library, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    if (!lib) continue;  // the caption stays empty
    std::string s = LoadLibraryString(lib, row.Id);
    c.*row.Field = s.empty() ? std::string(row.Fallback) : s + row.Suffix;
  }
  if (lib) FreeLibrary(lib);
  // The program carries no string table of its own: its texts are these.
  c.Hex = "Hex - ";
  c.InvalidDate = "Invalid date";
  c.AvailableStyles = "Available styles";
  c.Internal = "(internal)";
  c.SkinDirectory = "Directory with skins:";
  c.SelectSkin = "Select skin";
  c.SkinPreview = "Skin preview";
  c.FrameAdapterPlacement = "TsFrameAdapter adapter must be placed on the handled frame";
}

}  // namespace

void InitConstantsUnit() {
  unsigned major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  Globals().WinVersionFlag = WinVersionFlagOf(major, minor);
  InitHScrollBtnWidth();
  g_captionsDue = true;
}

void DoneConstantsUnit() {
  g_captionsDue = false;
  g_captions = TacCaptions{};
}

void InitDpiAwareness() {
  // At start-up no main form exists yet, so the switch is always made here.
  using Proc = BOOL(WINAPI*)();
  if (auto p = ProcAddress<Proc>(GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware")) p();
}

}  // namespace skin
