#include "skin/core/sSkinManagerUnit.h"

#include <windows.h>

#include <array>
#include <memory>

#include "gui/Dialogs.h"
#include "rtl/SysUtils.h"
#include "rtl/Utf.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonUtils.h"

namespace skin {

namespace {
bool g_nt = false;
std::array<std::unique_ptr<TacSkinData>, kScaleStepCount> g_shared;

void FreeSharedSkinData() {
  for (auto& d : g_shared) d.reset();
}
}  // namespace

TacSkinData* SharedSkinData(int step) {
  if (step < 0 || step >= kScaleStepCount) return nullptr;
  auto& d = g_shared[size_t(step)];
  if (!d) {
    d = std::make_unique<TacSkinData>(ScalePPI[size_t(step)]);
    d->ScaleStep = step;
    // Without a skin the metrics are the defaults, scaled to the step.
    TacSkinSource none;
    ReadCommonMetrics(*d, none);
  }
  return d.get();
}

bool IsNTPlatform() { return g_nt; }

std::vector<std::string> CommandLineParams() {
  // Split here rather than by the shell: the shell's library stays unloaded at start.
  std::vector<std::string> params = rtl::SplitCommandLine(rtl::U8(GetCommandLineW()));
  params.erase(params.begin());
  return params;
}

void InitSkinManagerUnit() {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  g_nt = GetVersionExW(&v) && v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  for (int step = 0; step < kScaleStepCount; ++step) SharedSkinData(step);
  ShowVersionForSwitch(CommandLineParams());
}

void ShowVersionForSwitch(const std::vector<std::string>& params) {
  if (HasVersionSwitch(params)) gui::ShowMessage(kEngineVersionText);
}

void DoneSkinManagerUnit() {
  FreeSharedSkinData();
  g_nt = false;
}

}  // namespace skin
