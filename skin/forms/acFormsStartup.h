// The start-up work of the form-skinning units that every program runs: the popup
// controller's shared shadow bitmap and the per-DPI system-metrics function.
#pragma once
#include <windows.h>

#include "gui/Graphics.h"

namespace skin {

// The popup controller's shadow picture, shared by every popup; nullptr outside the
// engine's run.
gui::TBitmap* PopupShadowBitmap();
void InitPopupController();
void DonePopupController();

// GetSystemMetricsForDpi of "user32.dll"; nullptr where the system has none.
using TGetSystemMetricsForDpi = int(WINAPI*)(int index, UINT dpi);
TGetSystemMetricsForDpi GetSystemMetricsForDpiProc();
void InitSkinProviderUnit();
void DoneSkinProviderUnit();

}  // namespace skin
