#include "skin/forms/acFormsStartup.h"

#include "skin/core/acProcAddress.h"

#include <memory>

#include "skin/core/acLayeredWindows.h"
#include "skin/forms/acPopupController.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGradient.h"
#include "skin/graphics/acGradientGdi.h"

namespace skin {

namespace {
std::unique_ptr<gui::TBitmap> g_popupShadow;
TGetSystemMetricsForDpi g_metricsForDpi = nullptr;
}  // namespace

gui::TBitmap* PopupShadowBitmap() { return g_popupShadow.get(); }

void InitPopupController() {
  // Black at alpha 0x44, radius 17, two rows down, 8 rows longer: 35 x 45 pixels.
  if (!g_popupShadow) g_popupShadow = BitmapFromPixels(CreateShadowBitmap(0x44000000, 17, 2, 8, 0, 0, false));
}

void DonePopupController() {
  g_popupShadow.reset();
  DonePopupControllerObject();
}

TGetSystemMetricsForDpi GetSystemMetricsForDpiProc() { return g_metricsForDpi; }

void InitSkinProviderUnit() {
  CompositionEnabledProc = &IsCompositionEnabled;
  // user32 is loaded for the whole process: its entry points stay valid.
  g_metricsForDpi = ProcAddress<TGetSystemMetricsForDpi>(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
}

void DoneSkinProviderUnit() { g_metricsForDpi = nullptr; }

}  // namespace skin
