// Text of the skin engine on Windows: drawing and measuring on device contexts and
// canvases, texts cut to a width, text on 32-bit bitmaps whose alpha GDI would destroy
// (rendered black on white apart and moved on by acTextPixels.h), text in a section's
// colours with its contours, and the glow behind text. Texts are UTF-8.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "gui/Graphics.h"
#include "skin/core/acSkinData.h"
#include "skin/graphics/acTextPixels.h"

namespace skin {

// The most characters (UTF-16 units) that DrawTextOnDC draws of a longer text.
inline constexpr int kMaxTextOnDC = 5460;

// DrawText of at most kMaxTextOnDC characters; with DT_CALCRECT R receives the measure.
int DrawTextOnDC(HDC dc, std::string_view text, TRect& r, UINT format);
// DrawText of the whole text with the canvas's font, colour and brush.
int DrawTextOnCanvas(gui::TCanvas& canvas, std::string_view text, TRect& r, UINT format);
void CanvasTextRect(gui::TCanvas& canvas, const TRect& r, int x, int y, std::string_view text);
// The text shortened until it fits MaxWidth with "..." appended; empty when even the
// shortest such text does not fit or MaxWidth is 0 or less.
std::string CutTextToWidth(gui::TCanvas& canvas, std::string_view text, int maxWidth);
int GetTextWidth(gui::TCanvas& canvas, std::string_view text);
int GetTextHeight(gui::TCanvas& canvas, std::string_view text);
SIZE GetTextSize(gui::TCanvas& canvas, std::string_view text);
// On DC, or with DC 0 on the screen with Font selected (when given); the system's answer.
bool GetTextExtentOnDC(HDC dc, std::string_view text, SIZE& size, HFONT font);
// With WordWrap the rectangle DrawText measures within MaxWidth, else the extent; with
// AddCharWidth plus the width of "I".
SIZE GetTextSizeWithFont(HFONT font, std::string_view text, UINT format, bool wordWrap, int maxWidth,
                         bool addCharWidth);
// The cell height without leadings, or the height plus 6; 0 when the metrics cannot be read.
int GetFontTextHeight(HFONT font, bool withoutLeading);
// Style, size, colour and name equal.
bool FontsEqual(const gui::TFont& a, const gui::TFont& b);

// Text into R of a 32-bit bitmap in Color with the flags of DrawText and Bmp's canvas font;
// WholeText draws the whole text, else at most kMaxTextOnDC characters. Alpha rules as
// TransferTextPixels.
void DrawTextOnBitmap32(gui::TBitmap& bmp, std::string_view text, bool alphaMode, const TRect& r, UINT flags,
                        TColor color, bool wholeText);
// The text in the font colour of a section state (0..2) of the skin data, with its
// contours (one-pixel copies left, up, right and down) in alpha mode; with no skin data or
// an invalid section, in the canvas font's colour.
void WriteSkinTextOnBitmap(gui::TBitmap& bmp, std::string_view text, bool alphaMode, const TRect& r, UINT flags,
                           const TacSkinData* data, int skinIndex, int state);
// Text on a canvas in a section's colours: contours and font colour when Enabled, else the
// state-0 font colour mixed with its colour; plainly without skin data or section.
void WriteSkinText(gui::TCanvas& canvas, std::string_view text, bool enabled, const TRect& r, UINT format,
                   const TacSkinData* data, int skinIndex, int state);

// The glow behind a text into a 32-bit bitmap: the text (and the copies Flags asks for: 1
// left, 2 up, 4 right, 8 down by one pixel) drawn into a grey mask GlowSize + 4 pixels
// larger on every side, blurred by GlowSize, then laid on in GlowColor. A mask of the
// same size is reused as it is.
void DrawTextGlow(gui::TBitmap& bmp, std::string_view text, const TRect& r, UINT format, int flags, int glowSize,
                  TColor glowColor, TacGlowMask& mask);

}  // namespace skin
