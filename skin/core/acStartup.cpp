#include "skin/core/acStartup.h"

#include <exception>
#include <stdexcept>

#include "skin/core/acShellCtrls.h"
#include "skin/core/sConstUnit.h"
#include "skin/core/sSkinManagerUnit.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acDials.h"
#include "skin/forms/acFormsStartup.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/graphics/acAlphaHints.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/graphics/acFontStore.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acPNG.h"
#include "skin/hooks/acMnuWnd.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

namespace {

// The standard glyph list renders at the main form's density, which the lists ask through
// the source installed here.
// The form skinning unit and the window-creation hook's unit; the hook's unit ends after
// the provider's.
void InitFormSkinningStep() {
  InitSkinProviderUnit();
  InitDialsUnit();
}
void DoneFormSkinningStep() {
  DoneSkinProviderUnit();
  DoneDialsUnit();
}

void InitStandardGlyphStep() {
  SetMainFormPPISource(&GetMainFormPPI);
  InitStandardGlyphs();
}
// The popup-menu hooks left, then the menus' popup images and font, go before the popup
// controller's shadow.
void DonePopupStep() {
  FinalMenuWnds();
  FinalSkinMenus();
  DonePopupController();
}
void DoneStandardGlyphStep() {
  DoneStandardGlyphs();
  SetMainFormPPISource(nullptr);
}

// One row per step, in the order the units start; nullptr where a unit has no work
// (yet). The shut-down runs the same rows backwards.
const TStartupWork kRoad[] = {
    {ssConstants, "constants", &InitConstantsUnit, &DoneConstantsUnit},
    {ssDpiAwareness, "DPI awareness", &InitDpiAwareness, nullptr},
    {ssPngGraphic, "PNG picture format", &RegisterPNGGraphic, &UnregisterPNGGraphic},
    {ssPipette, "pipette cursor", &InitPipetteUnit, &DonePipetteUnit},
    {ssPopupShadow, "popup shadow", &InitPopupController, &DonePopupStep},
    {ssCalendarCaption, "calendar caption", &InitCalendarCaption, &DoneCalendarCaption},
    {ssShellFolder, "shell folder", &InitShellFolderUnit, &DoneShellFolderUnit},
    {ssStandardGlyphs, "standard glyph list", &InitStandardGlyphStep, &DoneStandardGlyphStep},
    {ssNeverSkinnedForms, "never-skinned forms", &InitNeverSkinnedForms, &DoneNeverSkinnedForms},
    {ssIconFont, "icon font", &InitIconFont, &DoneIconFont},
    {ssScrollBarHooks, "scroll-bar hooks", &InitScrollBarHooksUnit, &DoneScrollBarHooksUnit},
    {ssDefaultHintTemplate, "default hint template", &InitDefaultHintTemplate, &DoneDefaultHintTemplate},
    {ssThemeServices, "theme services", &InitVclUtilsUnit, &DoneVclUtilsUnit},
    {ssLayeredFunctions, "layered-window functions", &InitBitmapUnit, &FinalBitmapUnit},
    {ssGdiPlus, "GDI+", &InitGdiPlus, &FinalGdiPlus},
    {ssGradientFill, "GradientFill", &InitGradientFill, &FinalGradientFill},
    {ssAppIcons, "application icons", nullptr, nullptr},
    {ssFormSkinning, "form skinning", &InitFormSkinningStep, &DoneFormSkinningStep},
    {ssUtilities, "utilities", &InitUtilitiesUnit, &DoneUtilitiesUnit},
    {ssEditLabelClasses, "edit label classes", nullptr, nullptr},
    {ssSkinManagerUnit, "skin manager unit", &InitSkinManagerUnit, &DoneSkinManagerUnit},
};
static_assert(sizeof kRoad / sizeof kRoad[0] == ssLastStep, "one row per step");

int g_startCount = 0;
int g_stepsDone = 0;  // how many rows ran their start-up work
TStartupTrace g_trace;

void ShutDownFrom(int done) {
  // Shut-down work never stops the road: a step that fails leaves the others to run.
  for (int i = done - 1; i >= 0; --i) {
    g_stepsDone = i;
    try {
      if (g_trace) g_trace(kRoad[i].Step, false);
      if (kRoad[i].Done) kRoad[i].Done();
    } catch (...) {
    }
  }
  g_stepsDone = 0;
}

}  // namespace

const TStartupWork* StartupRoad() { return kRoad; }

void RunEngineStartup() {
  if (g_startCount++ > 0) return;
  try {
    for (int i = 0; i < ssLastStep; ++i) {
      if (kRoad[i].Step != i + 1) throw std::logic_error("start-up road out of order");
      if (g_trace) g_trace(kRoad[i].Step, true);
      if (kRoad[i].Init) kRoad[i].Init();
      g_stepsDone = i + 1;
    }
  } catch (...) {
    ShutDownFrom(g_stepsDone);
    g_startCount = 0;
    throw;
  }
}

void RunEngineShutdown() {
  if (g_startCount == 0 || --g_startCount > 0) return;
  ShutDownFrom(g_stepsDone);
}

bool EngineStarted() { return g_startCount > 0; }

void SetStartupTrace(TStartupTrace trace) { g_trace = std::move(trace); }

}  // namespace skin
