// The engine's start-up and shut-down road: every unit's start-up work in one fixed
// order, run once before the application object exists, and the shut-down work in the
// reverse order when the program ends. Nothing relies on the order of static
// initialisation: the road is one table (acStartup.cpp), one row per step.
//
// Filling a step: in acStartup.cpp put the unit's start-up and shut-down functions
// (plain `void()` functions, either may be nullptr) into the step's row and link the
// unit's library to korvan_skin_startup. A step without work does nothing.
#pragma once
#include <functional>

namespace skin {

enum TStartupStep : int {
  ssConstants = 1,         // WinVersionFlag, HScrollBtnWidth, captions
  ssDpiAwareness,          // SetProcessDPIAware
  ssPngGraphic,            // the "PNG" picture format
  ssPipette,               // cursor "CRASPIPETTE" as screen cursor -50, custom colours
  ssPopupShadow,           // popup controller: the shared shadow bitmap
  ssCalendarCaption,       // "Today: " from comctl32
  ssShellFolder,           // desktop folder and OLE, the system small-icon list (at first use)
  ssStandardGlyphs,        // the standard glyph list
  ssNeverSkinnedForms,     // form class names never skinned as top-level forms
  ssIconFont,              // the icon font from resource "AWFONT"
  ssScrollBarHooks,        // GetScrollBarInfo, InitializeFlatSB, UninitializeFlatSB
  ssDefaultHintTemplate,   // the default hint template from resource "ACHINT"
  ssThemeServices,         // theme services, SetWindowTheme, GetDpiForMonitor
  ssLayeredFunctions,      // SetLayout, GetLayout, UpdateLayeredWindow, SetLayeredWindowAttributes
  ssGdiPlus,               // GDI+ entry points (at first use)
  ssGradientFill,          // GradientFill from msimg32 (at first use)
  ssAppIcons,              // the program's large and small icons
  ssFormSkinning,          // GetSystemMetricsForDpi
  ssUtilities,             // IsDebuggerPresent, IsWow64Process, SHGetFileInfo, SystemParametersInfoForDpi
  ssEditLabelClasses,      // class registration of TsEditLabel
  ssSkinManagerUnit,       // NT flag, the four shared skin data objects, "/acver"
  ssLastStep = ssSkinManagerUnit
};

struct TStartupWork {
  TStartupStep Step;
  const char* Name;
  void (*Init)();
  void (*Done)();
};

// The road in its order (one row per step, steps 1..ssLastStep).
const TStartupWork* StartupRoad();

// Runs every step's start-up work in order. Counted: only the first call runs the road.
// When a step raises, the steps already done are shut down in reverse and the error
// goes to the caller.
void RunEngineStartup();
// The matching end: the last call shuts the steps down in reverse order.
void RunEngineShutdown();
bool EngineStarted();

// Called before each step's work (init = true at start-up, false at shut-down), for
// tests that follow the road; nullptr stops it.
using TStartupTrace = std::function<void(TStartupStep step, bool init)>;
void SetStartupTrace(TStartupTrace trace);

}  // namespace skin
