// Pictures between the three forms an engine image list deals with: the item's file bytes
// (PNG, icon, BMP), the engine's 32-bit bitmap with alpha, and an icon in the Windows image
// list inside the list.
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Graphics.h"
#include "gui/ImgList.h"
#include "rtl/Classes.h"

namespace skin {

// Bits per pixel of the screen.
int GetBpp();
// Every stream is taken for a PNG picture (the only kind callers pass).
bool DetectImageFormat(rtl::TStream& stream, uint8_t& format);

// A 32-bit bitmap as an icon of the list, appended (Index < 0) or replacing image Index.
// A bitmap of another size than the list's is resampled to exactly the list's size (a
// list that is not square gets its own proportions, not a square's); one narrower or
// lower than 2 pixels becomes an almost transparent cell (colour 0, alpha 1). Nothing for
// a nil bitmap or a list without a Windows image list.
void AddBitmapToImageList(gui::TCustomImageList& list, gui::TBitmap* bmp, int index);

// The icon's colour bitmap as a new 32-bit bitmap of the icon's own size (W x H when the
// icon has no colour part); with UseMask its alpha comes from the mask (255 - mask) when
// the sizes agree.
std::unique_ptr<gui::TBitmap> IconToBitmap32(HICON icon, int width, int height, bool useMask);
// The icon's colour bitmap into Bmp, which keeps its size; False when the icon gives none.
bool IconToBitmap32Into(HICON icon, gui::TBitmap& bmp);

// A bitmap that is not 32-bit made so, with the corner-colour alpha of a picture that has
// no alpha at all.
void EnsureAlphaBitmap(gui::TBitmap& bmp);
// Src resampled (Mitchell filter) into a new W x H 32-bit bitmap.
std::unique_ptr<gui::TBitmap> ResampledBitmap(gui::TBitmap& src, int width, int height);

}  // namespace skin
