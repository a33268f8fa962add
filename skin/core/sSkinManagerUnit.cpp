#include "skin/core/sSkinManagerUnit.h"

#include <windows.h>

#include <shellapi.h>

#include "gui/Dialogs.h"
#include "rtl/Utf.h"
#include "skin/core/sCommonUtils.h"

namespace skin {

namespace {
bool g_nt = false;
}

bool IsNTPlatform() { return g_nt; }

std::vector<std::string> CommandLineParams() {
  std::vector<std::string> params;
  int n = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &n);
  if (!argv) return params;
  for (int i = 1; i < n; ++i) params.push_back(rtl::U8(argv[i]));
  LocalFree(argv);
  return params;
}

void InitSkinManagerUnit() {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  g_nt = GetVersionExW(&v) && v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  ShowVersionForSwitch(CommandLineParams());
}

void ShowVersionForSwitch(const std::vector<std::string>& params) {
  if (HasVersionSwitch(params)) gui::ShowMessage(kEngineVersionText);
}

void DoneSkinManagerUnit() { g_nt = false; }

}  // namespace skin
