// Alpha images on Windows: a 32-bit picture with its alpha drawn onto any canvas (stretched
// when its size differs, with a fading reflection below on request), PNG files and streams
// loaded into engine bitmaps, and the background question a control asks its parent.
#pragma once
#include <windows.h>

#include <string>

#include "gui/Controls.h"
#include "gui/Graphics.h"
#include "rtl/Classes.h"
#include "skin/graphics/acBackground.h"

namespace skin {

// The canvas pixels under R (and under half R's height more, with the reflection) are
// blended with the bitmap and put back. A bitmap that is not 32-bit draws itself.
void DrawAlphaBitmapOnCanvas(gui::TCanvas& canvas, gui::TBitmap& bmp, const TRect& r, bool reflected);

// The PNG picture becomes a 32-bit bitmap with straight alpha.
void LoadPngFileToBitmap(gui::TBitmap& bmp, const std::string& fileName);
// The same from a stream's position; Bmp keeps its Transparent flag and takes the picture's
// palette flag.
void LoadPngStreamToBitmap(gui::TBitmap& bmp, rtl::TStream& stream);

// The skin command that asks a parent for the background under a child.
inline constexpr WPARAM kBackgroundCommand = WPARAM{34} << 16;

// Asks the window (skin command 34). True when it answered. Without an answer: with
// PleaseDraw the window paints itself into Q.DC moved by the offset and clipped to
// Q.PaintRect (which is left moved); otherwise Q becomes a colour answer with the skin's
// global colour, or the button face while no skin is loaded.
bool QueryWindowBackground(TacBackgroundQuery& q, HWND wnd, bool pleaseDraw);
// The same for a control of the class layer (Perform instead of messages); the colour
// fallback is the control's own colour. Always True.
bool QueryControlBackground(TacBackgroundQuery& q, gui::TControl& control, bool pleaseDraw);

// The colour of the loaded skin that backgrounds fall back to; the skin manager installs
// it while a skin is loaded (clNone: no skin, the button face is used).
using TGlobalColorSource = TColor (*)();
void SetGlobalColorSource(TGlobalColorSource source);

}  // namespace skin
