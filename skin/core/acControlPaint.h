// The painters that take a control's skin state: its section's background and whole
// section into its cached image (with the control's own colour when it keeps one), the
// control's colour effects (tone, hue, saturation) with its transparent corners refilled,
// and its caption in the colours of its state.
#pragma once
#include <windows.h>

#include <string_view>

#include "gui/Graphics.h"
#include "skin/graphics/acBackground.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acSkinSection.h"

namespace skin {

class TsCommonData;
class TsSkinManager;
class TacSkinData;

// The section painters' view of a manager's skin over a bitmap: the master picture as
// engine pixels and gradient fills drawn on the bitmap's canvas.
struct TSkinOnBitmap {
  TBitmap32 Master;
  TGdiGradientFills Fills;
  TacSectionSource Source;
  TSkinOnBitmap(TsSkinManager* manager, TacSkinData* data, gui::TBitmap& bmp);
  // The control's skin: its manager and its scaled skin data.
  TSkinOnBitmap(TsCommonData& d, gui::TBitmap& bmp);
};

// The state's background of the control's section into R of Bmp; the control's own colour
// (through the skin's colours) in place of the skin's while it keeps a custom colour.
void PaintControlBackground(TsCommonData& data, const TacBackgroundCache& cache, int state, gui::TBitmap& bmp,
                            gui::TPoint offset, const gui::TRect& r);
// The background, the corner pictures and the border element (skipped in state 0 when the
// element says so), then the control's colour effects over the whole bitmap. Nothing unless
// R lies inside Bmp and the control is skinned.
void PaintControlSection(TsCommonData& data, const TacBackgroundCache& cache, int state, const gui::TRect& r,
                         gui::TPoint offset, gui::TBitmap& bmp, bool maskUsesCache = true);
// The control's tone (Tone for the kinds that carry their own: 93 and 94), hue and
// saturation over the non-fuchsia pixels, then its transparent corners refilled.
void ApplyColorEffects(gui::TBitmap& bmp, TsCommonData& data, uint32_t tone, int state);
// The control's caption on the canvas in its state's colours: contours, font colour and
// the text glow into its cache; the dimmed look when disabled; plain text unskinned.
void WriteControlText(gui::TCanvas& canvas, std::string_view text, bool enabled, const gui::TRect& r, UINT format,
                      TsCommonData* data, int state, bool allowGlow);

}  // namespace skin
