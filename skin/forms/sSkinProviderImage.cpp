// The form's whole picture as the animations, thumbnails and previews take it: the cached
// non-client image with the client area and the child controls painted in; and the size
// grip painted over what lies behind it; a snapshot window of a form as it shows now.
#include <algorithm>

#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sMessages.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"

namespace skin {

gui::TBitmap* TsSkinProvider::FormImage() {
  gui::TBitmap* cache = skinData_ ? skinData_->FCache.get() : nullptr;
  return cache && !cache->Empty() ? cache : nullptr;
}

void TsSkinProvider::PaintFormImage(gui::TBitmap& picture) {
  std::unique_ptr<gui::TBitmap> image = CreateFormImage(this, false);
  if (!image) return;
  BitBlt(picture.Canvas().Handle(), 0, 0, image->Width(), image->Height(), image->Canvas().Handle(), 0, 0, SRCCOPY);
}

std::unique_ptr<gui::TBitmap> CreateFormImage(TsSkinProvider* provider, bool freeCache) {
  gui::TBitmap* cache = provider ? provider->FormImage() : nullptr;
  gui::TCustomForm* form = provider ? provider->Form() : nullptr;
  if (!cache || !form || !form->HandleAllocated()) return nullptr;
  auto image = NewBitmap32(cache->Width(), cache->Height());
  gui::TCanvas& canvas = image->Canvas();
  canvas.Lock();
  HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);
  HWND wnd = form->Handle();
  // With a border window the image is the border window's: the shadow around as the image
  // has it, the form printing itself inside the margins.
  const POINT at = provider->BorderOffset();
  if (provider->BorderForm) BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, SRCCOPY);
  // The frame and the client background as the form prints itself, then its windowed
  // children at their places inside the client area.
  SendSkinCommand(wnd, AC_PRINTING, reinterpret_cast<LPARAM>(dc));
  OffsetViewportOrgEx(dc, at.x, at.y, nullptr);
  const LRESULT answer = SendMessageDirect(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
  OffsetViewportOrgEx(dc, -at.x, -at.y, nullptr);
  SendSkinCommand(wnd, AC_PRINTING, 0);
  if (answer != -2) {
    OffsetWindowOrgEx(dc, -provider->ClientOffsetX(), -provider->ClientOffsetY(), nullptr);
    PaintWindowedChildren(form, *image);
  }
  RestoreDC(dc, saved);
  canvas.Unlock();
  GdiFlush();
  if (!provider->BorderForm) {
    TBitmap32 px = Pixels32(*image);
    gui::TRect opaque = provider->GetBoolProp(4) ? provider->ClientAreaRect() : gui::Rect(0, 0, px.Width(), px.Height());
    FillBitmapAlpha(px, {opaque.Left, opaque.Top, opaque.Right, opaque.Bottom}, 255, uint32_t(gui::clNone));
  }
  if (freeCache) provider->SkinData()->FCache.reset();
  return image;
}

std::unique_ptr<TacGlowForm> CreateSnapshotForm(HWND wnd, TsSkinProvider* provider) {
  RECT wr{};
  if (!wnd || !GetWindowRect(wnd, &wr) || wr.right <= wr.left || wr.bottom <= wr.top) return nullptr;
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  auto snap = std::make_unique<TacGlowForm>(nullptr);
  snap->SetBounds(wr.left, wr.top, w, h);
  snap->Bitmap = NewBitmap32(w, h);
  gui::TBitmap& bmp = *snap->Bitmap;
  HDC from = GetWindowDC(wnd);
  BitBlt(bmp.Canvas().Handle(), 0, 0, w, h, from, 0, 0, SRCCOPY);
  ReleaseDC(wnd, from);
  GdiFlush();
  TBitmap32 px = Pixels32(bmp);
  FillBitmapAlpha(px, {0, 0, w, h}, 255, uint32_t(gui::clNone));
  snap->HandleNeeded();
  if (!snap->HandleAllocated()) return nullptr;
  HWND s = snap->Handle();
  TsCommonData* sd = provider ? static_cast<TsCommonData*>(provider->SkinData())
                              : reinterpret_cast<TsCommonData*>(SendSkinCommand(wnd, AC_GETSKINDATA, 0));
  if (sd && provider && provider->GetBoolProp(4) && !provider->BorderForm) {
    // A form drawn as a bare client shows nothing around it.
    const gui::TRect c = provider->ClientAreaRect();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (x < c.Left || y < c.Top || x >= c.Right || y >= c.Bottom) px.At(x, y) = 0;
  } else if (sd && sd->GetSkinManager()) {
    if (HRGN region = CreateSkinRegion(sd->FSkinIndex, bmp, *sd)) {
      if (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION) {
        const int32_t title = sd->GetSkinManager()->GetSkinIndex("FORMTITLE");
        if (HRGN t = title >= 0 ? CreateSkinRegion(title, bmp, *sd) : nullptr) {
          CombineRgn(region, region, t, RGN_AND);
          DeleteObject(t);
        }
      }
      SetWindowRgn(s, region, FALSE);  // the window owns the region now
    }
  }
  const POINT at{wr.left, wr.top};
  SetLayeredBitmap(s, &bmp, 255, &at);
  SetWindowPos(s, HWND_TOPMOST, wr.left, wr.top, 0, 0,
               SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  return snap;
}

void TsSkinProvider::PaintGrip(HDC dc) {
  TacSkinData* sd = skinData_ ? skinData_->GetScaledSkin() : nullptr;
  const int32_t index = sd ? sd->GripImage : -1;
  if (!dc || !sd || index < 0 || size_t(index) >= sd->Masks.size()) return;
  if (skinData_->FCacheInvalid || !FormImage()) PrepareCache();
  gui::TBitmap* cache = FormImage();
  if (!cache) return;
  const TsMaskData& e = sd->Masks[size_t(index)];
  const int32_t border = GetBorderWidth(true);
  const TacPoint at = GripPositionFor(cache->Width(), cache->Height(), e.FrameWidth, e.FrameHeight, border, GetShadowSize());
  auto grip = NewBitmap32(e.FrameWidth, e.FrameHeight);
  HDC g = grip->Canvas().Handle();
  HDC src = cache->Canvas().Handle();
  // What lies behind the grip: the form's image where the form answers with one, else its
  // colour with the frame's right and bottom strips taken from the image.
  TacBackgroundQuery q;
  {
    TacCommandRecord held(&q);
    SendSkinCommand(FormHandle(), AC_GETBG, LPARAM(&q));
  }
  if (q.Kind == bkBitmap) {
    BitBlt(g, 0, 0, e.FrameWidth, e.FrameHeight, src, at.X, at.Y, SRCCOPY);
  } else {
    FillRectOnDC(g, gui::Rect(0, 0, e.FrameWidth, e.FrameHeight), gui::TColor(q.Color));
    const int32_t right = at.X + e.FrameWidth - (cache->Width() - border);
    const int32_t bottom = at.Y + e.FrameHeight - (cache->Height() - border);
    if (right > 0) BitBlt(g, e.FrameWidth - right, 0, right, e.FrameHeight, src, cache->Width() - border, at.Y, SRCCOPY);
    if (bottom > 0)
      BitBlt(g, 0, e.FrameHeight - bottom, e.FrameWidth, bottom, src, at.X, cache->Height() - border, SRCCOPY);
  }
  GdiFlush();
  TSkinOnBitmap skin(skinData_->GetSkinManager(), sd, *grip);
  TBitmap32 px = Pixels32(*grip);
  DrawMaskGlyph(px, {0, 0}, 0, 1, e, skin.Source.Master, MakeBackgroundCache(&px, 0, 0));
  GdiFlush();
  BitBlt(dc, at.X, at.Y, e.FrameWidth, e.FrameHeight, g, 0, 0, SRCCOPY);
}

}  // namespace skin
