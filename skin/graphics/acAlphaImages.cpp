#include "skin/graphics/acAlphaImages.h"

#include "gui/Messages.h"
#include "skin/core/sCommonUtils.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acPNG.h"

namespace skin {

void DrawAlphaBitmapOnCanvas(gui::TCanvas& canvas, gui::TBitmap& bmp, const TRect& r, bool reflected) {
  if (r.IsEmpty() || bmp.Empty()) return;
  if (bmp.PixelFormat() != gui::pf32bit) {
    canvas.StretchDraw(r, &bmp);
    return;
  }
  const int w = r.Width(), h = r.Height();
  auto temp = CreateBitmap32(w, h + (reflected ? h / 2 : 0));
  if (temp->Empty()) return;
  HDC dc = canvas.Handle();
  BitBlt(temp->Canvas().Handle(), 0, 0, temp->Width(), temp->Height(), dc, r.Left, r.Top, SRCCOPY);
  GdiFlush();
  TBitmap32 under = Pixels32(*temp);
  const TBitmap32 picture = Pixels32(bmp);
  const TRect area{0, 0, w, h};
  if (bmp.Width() == w && bmp.Height() == h) {
    DrawAlphaImage(area, area, under, picture, TacBackgroundCache(), false, clNone, 0, reflected);
  } else {
    // Colour and alpha stretched together, pixel for pixel as StretchBlt's COLORONCOLOR.
    TBitmap32 stretched(w, h);
    StretchCopy(stretched, area, picture, picture.Bounds());
    DrawAlphaImage(area, area, under, stretched, TacBackgroundCache(), false, clNone, 0, false);
  }
  BitBlt(dc, r.Left, r.Top, temp->Width(), temp->Height(), temp->Canvas().Handle(), 0, 0, SRCCOPY);
}

void LoadPngFileToBitmap(gui::TBitmap& bmp, const std::string& fileName) {
  TPNGGraphic png;
  png.LoadFromFile(fileName);
  bmp.Assign(&png);
  PngToAlphaBitmap(bmp, png);
}

void LoadPngStreamToBitmap(gui::TBitmap& bmp, rtl::TStream& stream) {
  TPNGGraphic png;
  png.LoadFromStream(stream);
  const bool transparent = bmp.Transparent();
  bmp.Assign(&png);
  bmp.SetTransparent(transparent);
  bmp.IgnorePalette = png.IgnorePalette;
  PngToAlphaBitmap(bmp, png);
}

namespace {

TGlobalColorSource globalColorSource = nullptr;

// The paint fallback: the window or control paints its background and itself into Q.DC,
// shifted so that the asker's position lands at the DC's origin and clipped to PaintRect.
template <class Send>
void PaintInto(TacBackgroundQuery& q, Send send) {
  HDC dc = reinterpret_cast<HDC>(q.DC);
  const int saved = SaveDC(dc);
  POINT old;
  OffsetViewportOrgEx(dc, -q.OffsetX, -q.OffsetY, &old);
  q.PaintRect = q.PaintRect.Offset(q.OffsetX, q.OffsetY);
  IntersectClipRect(dc, q.PaintRect.Left, q.PaintRect.Top, q.PaintRect.Right, q.PaintRect.Bottom);
  send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
  send(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  RestoreDC(dc, saved);
}

void Prepare(TacBackgroundQuery& q, bool pleaseDraw) {
  q.Kind = bkNone;
  q.PleaseDraw = pleaseDraw;
  q.FillRect = {};
}

}  // namespace

void SetGlobalColorSource(TGlobalColorSource source) { globalColorSource = source; }

bool QueryWindowBackground(TacBackgroundQuery& q, HWND wnd, bool pleaseDraw) {
  Prepare(q, pleaseDraw);
  {
    TacCommandRecord hold(&q);  // only a record its sender holds is filled in
    SendMessageW(wnd, gui::SM_ALPHACMD, kBackgroundCommand, reinterpret_cast<LPARAM>(&q));
  }
  if (q.Kind != bkNone) return true;
  if (pleaseDraw) {
    PaintInto(q, [wnd](UINT msg, WPARAM dc) { SendMessageW(wnd, msg, dc, 0); });
    return false;
  }
  const TColor global = globalColorSource ? globalColorSource() : clNone;
  q.Color = global != clNone ? global : clBtnFace;
  q.Kind = bkColor;
  return false;
}

bool QueryControlBackground(TacBackgroundQuery& q, gui::TControl& control, bool pleaseDraw) {
  q.Bitmap = nullptr;
  Prepare(q, pleaseDraw);
  {
    TacCommandRecord hold(&q);
    control.Perform(gui::SM_ALPHACMD, kBackgroundCommand, reinterpret_cast<LPARAM>(&q));
  }
  if (q.Kind != bkNone) return true;
  if (pleaseDraw) {
    PaintInto(q, [&control](UINT msg, WPARAM dc) { control.Perform(msg, dc, 0); });
    return true;
  }
  // Skin command 21: the control's own background colour, 0 when it has none to tell.
  const LRESULT answer = control.Perform(gui::SM_ALPHACMD, WPARAM{21} << 16, 0);
  q.Color = answer != 0 ? static_cast<TColor>(answer) : ColorToRGB(static_cast<TColor>(control.Color()));
  q.Kind = bkColor;
  return true;
}

}  // namespace skin
