#include "skin/forms/acFormsStartup.h"

#include <memory>

namespace skin {

namespace {
std::unique_ptr<gui::TBitmap> g_popupShadow;
TGetSystemMetricsForDpi g_metricsForDpi = nullptr;
}  // namespace

gui::TBitmap* PopupShadowBitmap() { return g_popupShadow.get(); }

void InitPopupController() {
  if (!g_popupShadow) g_popupShadow = std::make_unique<gui::TBitmap>();
}

void DonePopupController() { g_popupShadow.reset(); }

TGetSystemMetricsForDpi GetSystemMetricsForDpiProc() { return g_metricsForDpi; }

void InitSkinProviderUnit() {
  // user32 is loaded for the whole process: its entry points stay valid.
  g_metricsForDpi = reinterpret_cast<TGetSystemMetricsForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
}

void DoneSkinProviderUnit() { g_metricsForDpi = nullptr; }

}  // namespace skin
