// Skin image elements painted into engine bitmaps: a border element as nine parts into a
// rectangle for a control state (corners at their size, sides and centre tiled or
// stretched), a single frame of a glyph element at a point, and the masked copy the
// section painter lays textures with. Free of Win32.
//
// An element's frames lie side by side from its SrcRect's left; a masked element carries
// below its image block a mask block of the same layout (mask 0 shows the image, 255 keeps
// the destination). Its picture is its own Image or, when that is nullptr, the skin's
// master picture that the caller hands in; an element with neither is never drawn.
#pragma once
#include <array>
#include <cstdint>

#include "skin/core/acSkinData.h"
#include "skin/graphics/acBackground.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

// Paint flags of an element as the painters read them.
inline constexpr int32_t pfStretch = 1;      // sides and centre stretched instead of tiled
inline constexpr int32_t pfSkipState0 = 2;   // nothing drawn in state 0
inline constexpr int32_t pfDrawCentre = 4;

// The background nobody knows: no picture, not ready, fill colour clFuchsia.
const TacBackgroundCache& EmptyBackgroundCache();

// The element's own picture, else the master picture; nullptr when it has neither.
const TBitmap32* ElementImage(const TsMaskData& mask, const TBitmap32* master);
inline TRect ToRect(const TacRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// The nine parts of a border element for one destination rectangle and state, in the order
// they are drawn: top-left, left, top, bottom-left, bottom, bottom-right, top-right, right,
// centre. Source and destination rectangles are half-open; corners have equal sizes.
enum TMaskPartKind : uint8_t { mpCorner, mpSide, mpCentre };
struct TMaskPart {
  TRect Src, Dst;
  TMaskPartKind Kind = mpCorner;
};
struct TMaskLayout {
  int L = 0, T = 0, Rt = 0, B = 0;  // border widths after shrinking to the destination
  int MW = 0, MH = 0;               // the source's middle sizes
  int X0 = 0, Y0 = 0;               // the frame's top-left in the picture
  std::array<TMaskPart, 9> Parts;
};
// False when nothing is to be drawn: state 0 of an element that skips it, a destination
// under 2 pixels wide or high, an element without picture or frames, negative middles.
bool LayoutSkinMask(const TsMaskData& mask, const TBitmap32* master, const TRect& r, int state, TMaskLayout& out);

// Calls F(dst, src) for the tiles that fill Dst from the tile Src: rows from the top, each
// left to right, full tiles while they fit and the last row and column cut. Nothing when
// the tile has no width or height. Tiles wholly outside Visible (the target bitmap) are
// passed over.
template <class F>
void ForEachTile(const TRect& visible, const TRect& dst, const TRect& src, F&& f) {
  const int tw = src.Width(), th = src.Height();
  if (tw <= 0 || th <= 0) return;
  const int skipRows = visible.Top > dst.Top ? (visible.Top - dst.Top) / th : 0;
  const int skipCols = visible.Left > dst.Left ? (visible.Left - dst.Left) / tw : 0;
  const int bottom = dst.Bottom < visible.Bottom ? dst.Bottom : visible.Bottom;
  const int right = dst.Right < visible.Right ? dst.Right : visible.Right;
  for (int y = dst.Top + skipRows * th; y < bottom; y += th) {
    const int h = dst.Bottom - y < th ? dst.Bottom - y : th;
    for (int x = dst.Left + skipCols * tw; x < right; x += tw) {
      const int w = dst.Right - x < tw ? dst.Right - x : tw;
      f(TRect{x, y, x + w, y + h}, TRect{src.Left, src.Top, src.Left + w, src.Top + h});
    }
  }
}

// The element into R of Bmp for State. UseCache lets the transparent corner pixels of an
// element whose CornerFlags allow it take the background from Cache; sides and centre
// never do.
void DrawSkinMask(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, const TsMaskData& mask,
                  const TBitmap32* master, int state, bool useCache);
// The source piece of a masked element stretched onto the destination piece through the
// mask piece MaskOffset rows below it (0: a plain stretch).
void StretchMaskedPiece(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH,
                        TBitmap32& dst, const TBitmap32& src, int maskOffset, bool isCentre);

// The alpha painters' twins, for 32-bit images that go to layered windows. DrawSkinMaskAlpha
// writes alpha: masked pieces raise it by the mask, key pixels of masked pieces take the
// cache's picture (read at the destination's own position) or lose their alpha.
void DrawSkinMaskAlpha(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, const TsMaskData& mask,
                       const TBitmap32* master, int state);
void CopyMaskedAlpha(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TBitmap32& src,
                     const TacBackgroundCache& cache, const TsMaskData& mask);
void StretchMaskedPieceAlpha(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH,
                             TBitmap32& dst, const TBitmap32& src, int maskOffset, bool isCentre);
// An element painted around an object with an overall opacity (0..255): Margins (used as
// four widths) say how much of each border lies outside it. A masked element draws its
// sides only that thick and no centre; a plain one is drawn as by DrawSkinMaskAlpha.
void DrawSkinMaskBlended(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, const TsMaskData& mask,
                         const TBitmap32* master, int state, const TRect& margins, int opacity);
void CopyMaskedBlended(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TBitmap32& src,
                       const TacBackgroundCache& cache, const TsMaskData& mask, int opacity);
void StretchMaskedPieceBlended(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH,
                               TBitmap32& dst, const TBitmap32& src, int maskOffset, int opacity, bool isCentre);

// Frame Min(State, FrameCount - 1) of a glyph element with its top-left at P; BlendMode 1
// draws it normally, any other value half transparent.
void DrawMaskGlyph(TBitmap32& bmp, TPoint p, int state, int blendMode, const TsMaskData& mask,
                   const TBitmap32* master, const TacBackgroundCache& cache);
// The pixel step of DrawMaskGlyph; rectangles inclusive. Source and destination are cut
// together: a start left of or above the bitmap shortens the copy by as much.
void DrawMaskGlyphPixels(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TBitmap32& src, int blendMode,
                         const TsMaskData& mask);
// SrcR of the master picture onto DstR (half-open) through the mask half the element's
// height below it; fuchsia pixels take the cache's fill colour or picture.
void CopyMaskedFromMaster(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TacBackgroundCache& cache,
                          const TsMaskData& mask, const TBitmap32* master);

}  // namespace skin

namespace skin {

// Transparent corners of a control's cached image: where the control's border element
// (drawn for State) holds fuchsia in a corner, the cached pixel takes what lies behind the
// control, as its parent answered (Q: a bitmap answer, its offsets relative to the parent,
// or a colour). ControlPos is the control's place in its parent. Corners: 1 top-left,
// 2 bottom-left, 4 top-right, 8 bottom-right. Nothing unless CornerFlags and 3 is set.
enum TacCorner : uint8_t { acTopLeft = 1, acBottomLeft = 2, acTopRight = 4, acBottomRight = 8 };
void FillTransparentCorners(TBitmap32& cached, const TsMaskData& border, const TBitmap32* master, int state,
                            uint8_t corners, TacBackgroundQuery q, TPoint controlPos);
// A plain element's corner: SrcR inclusive in Src, its pixel (x, y) over (DstX, DstY) +
// (x - SrcR.Left, y - SrcR.Top) of the cached image.
void FillCornerFromParent(TBitmap32& cached, const TBitmap32& src, int dstX, int dstY, const TacBackgroundQuery& q,
                          const TRect& srcR);
// A masked element's corner (half-open rectangles; only the image block is read); a colour
// answer is taken even when it is clFuchsia.
void FillMaskedCornerFromParent(TBitmap32& cached, const TRect& dstR, const TRect& srcR, const TBitmap32& src,
                                const TacBackgroundQuery& q);

}  // namespace skin
