// The provider's painting entry points (the frame, the client background, printing, the
// caption and icon changes) and the form's window region cut to the skin's corners.
#include <algorithm>

#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

using gui::TFormBorderStyle;
using gui::TMessage;

namespace {

bool IsMDIChild(gui::TCustomForm* f) { return f && f->FormStyle == gui::TFormStyle::fsMDIChild; }

gui::TRect ToGui(const TacRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// The window DC, saved and restored around a paint.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd) : wnd_(wnd), dc_(GetWindowDC(wnd)), saved_(dc_ ? SaveDC(dc_) : 0) {}
  ~TWindowDC() {
    if (!dc_) return;
    RestoreDC(dc_, saved_);
    ReleaseDC(wnd_, dc_);
  }
  HDC Handle() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
  int saved_;
};

}  // namespace

// ---------------------------------------------------------------- the frame

void TsSkinProvider::WMNCPaint(TMessage& m) {
  if (!SystemMenu) InitSkin();
  const bool skinnedFrame = DrawNonClient();
  if (skinnedFrame && ((skinData_->FStateFlags & sfUpdating) || (formState_ & (psAnimating | psFirstShowing))))
    return;
  if (forDialog_) {
    forDialog_ = false;
    CompleteSetup();
  }
  if (skinData_->IsUpdating(false)) {
    if (!skinnedFrame) PassOn(m);
    return;
  }
  if (!skinnedFrame || (IsMDIChild(form_) && AnimationInProgress)) {
    PassOn(m);
    return;
  }
  HWND wnd = FormHandle();
  if (PaintSuppressed || !wnd || !form_->Showing() || skinData_->FLoading ||
      (form_->ControlState & gui::csDestroyingHandle) || !SystemMenu)
    return;
  if (IsIconic(wnd)) {
    skinData_->FCacheInvalid = true;
  } else {
    // A paint that comes while the window still has its old size waits for the next one.
    RECT r{};
    GetWindowRect(wnd, &r);
    if (r.right - r.left != form_->Width() || r.bottom - r.top != form_->Height()) return;
  }
  if (!Adapter) CreateAdapter();
  if (skinData_->CacheEmpty())
    if (TsSkinManager* own = skinData_->GetSkinManager()) UpdateExtBorders(own->ExtendedBorders());
  PaintFrame();
  m.Result = 0;
}

void TsSkinProvider::PaintFrame() {
  HWND wnd = FormHandle();
  if (!wnd || !DrawNonClient() || RedrawLock >= 1) return;
  HookMenuLine();
  if (skinData_->FCache && skinData_->FCache->Width() == 0) skinData_->FCacheInvalid = true;
  if (skinData_->FCacheInvalid && !PrepareCache()) return;
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  const bool iconic = IsIconic(wnd) != FALSE;
  if (!RegionUpdating && RegionChanged) {
    if (HasBorder() || (style & WS_THICKFRAME) || iconic) {
      if (iconic && (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_APPWINDOW)) return;
      if (!BorderForm) PrepareRegionRects();
      RegionChanged = false;
      if ((form_->FormState() & gui::fsShowing) && form_->Position != gui::TPosition::poDesigned && !IsZoomed(wnd)) {
        UpdateRegion(true, true);
      } else {
        UpdateRegion(!AnimationInProgress, false);
        if (!skinData_->FCacheInvalid) {
          RegionUpdating = false;
          return;
        }
      }
    } else {
      SetWindowRgn(wnd, nullptr, FALSE);
    }
  }
  skinData_->FUpdating = false;
  {
    TWindowDC dc(wnd);
    if (dc.Handle()) {
      if (!HasBorder() && (style & WS_THICKFRAME) && !iconic)
        PaintFrameStrips(dc.Handle(), FrameWidth(true) + 3);
      else
        PaintNonClient(dc.Handle());
    }
  }
  RegionUpdating = false;
}

void TsSkinProvider::PaintFrameStrips(HDC dc, int32_t w) {
  gui::TBitmap* cache = skinData_->FCache.get();
  if (!cache || cache->Empty()) return;
  HDC src = cache->Canvas().Handle();
  const int32_t fw = form_->Width(), fh = form_->Height(), cw = cache->Width(), ch = cache->Height();
  BitBlt(dc, 0, 0, fw, w, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, w, w, ch, src, 0, w, SRCCOPY);
  BitBlt(dc, w, fh - w, fw - w, w, src, w, fh - w, SRCCOPY);
  BitBlt(dc, cw - w, w, w, ch, src, cw - w, w, SRCCOPY);
}

void TsSkinProvider::RedrawNonClient() {
  HWND wnd = FormHandle();
  if (InAnimation || !wnd || !form_->Visible() || !DrawNonClient() || (form_->ControlState & gui::csDestroyingHandle) ||
      !skinData_->IsSkinned(false))
    return;
  skinData_->FCacheInvalid = true;
  if (BorderForm) {
    if (form_->Menu()) CallWndProc(WM_NCPAINT, 0, 0);
    UpdateBorderWindow(true, 255);
    return;
  }
  if (skinData_->CacheEmpty())
    if (TsSkinManager* own = skinData_->GetSkinManager()) UpdateExtBorders(own->ExtendedBorders());
  TWindowDC dc(wnd);
  if (dc.Handle()) PaintNonClient(dc.Handle());
}

// ---------------------------------------------------------------- the client area

void TsSkinProvider::WMPaint(TMessage& m) {
  if (!DrawClientArea || (formState_ & psRestoring)) {
    PassOn(m);
    return;
  }
  if (form_->ControlState & gui::csPaintCopy) return;
  if (BorderForm && !BorderWindowShown() && !InAnimation) UpdateBorderWindow(false, 255);
  if (form_->Showing()) {
    PaintClient(m);
    m.Result = 0;
  } else {
    PassOn(m);
  }
  if (!DrawNonClient() && form_->Menu()) CallWndProc(WM_NCPAINT, 0, 0);
}

void TsSkinProvider::PaintClient(TMessage& m) {
  HWND wnd = FormHandle();
  PAINTSTRUCT ps{};
  HDC given = reinterpret_cast<HDC>(m.WParam);
  const bool animation = AnimationInProgress;
  if (PaintSuppressed || (animation && !given) || (form_->ComponentState() & rtl::csDestroying)) {
    BeginPaint(wnd, &ps);
    EndPaint(wnd, &ps);
    return;
  }
  HDC dc = given;
  gui::TRect area;
  if (!animation) {
    HDC painted = BeginPaint(wnd, &ps);
    if (!dc) dc = painted;
    area = {ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
  }
  if (given || area.IsEmpty()) {
    RECT cr{};
    GetClientRect(wnd, &cr);
    if (given) area = {0, 0, cr.right, cr.bottom};
  }
  const bool parentUpdating = form_->Parent() && skinData_->ParentUpdating();
  skinData_->FUpdating = parentUpdating;
  if (dc && !parentUpdating && !area.IsEmpty()) PaintClientBackground(dc, area, true);
  if (!animation) EndPaint(wnd, &ps);
}

void TsSkinProvider::WMEraseBkgnd(TMessage& m) {
  HWND wnd = FormHandle();
  if (!wnd || !IsWindowVisible(wnd) || !DrawClientArea) {
    PassOn(m);
    return;
  }
  if ((skinData_->FStateFlags & sfUpdating) || skinData_->FUpdating) return;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if ((form_->ControlState & gui::csPaintCopy) || m.WParam == WPARAM(m.LParam)) {
    if (dc && !skinData_->FCacheInvalid && !skinData_->CacheEmpty())
      BitBlt(dc, 0, 0, form_->Width(), form_->Height(), skinData_->FCache->Canvas().Handle(), ClientOffsetX(),
             ClientOffsetY(), SRCCOPY);
    m.Result = 1;
    return;
  }
  if (dc && !skinData_->FCacheInvalid && !skinData_->CacheEmpty()) {
    RECT cr{};
    GetClientRect(wnd, &cr);
    PaintCacheExceptChildren(form_, skinData_.get(), {ClientOffsetX(), ClientOffsetY()}, 0, 0, false, dc,
                             gui::Rect(0, 0, cr.right, cr.bottom));
    EndUpdateChildControls(form_);
  }
  m.Result = 1;
}

void TsSkinProvider::PaintFormBackground(HDC dc) {
  HWND wnd = FormHandle();
  if (!wnd) return;
  if (dc && Composition) {
    RECT clip{};
    if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) dc = nullptr;
  }
  HDC own = nullptr;
  if (!dc || (skinData_->FPaintDC && skinData_->FPaintDC != dc)) dc = own = GetDC(wnd);
  skinData_->FUpdating = false;
  if (!PaintSuppressed && !(form_->ComponentState() & rtl::csDestroying)) {
    const int saved = SaveDC(dc);
    PaintClientBackground(dc, gui::Rect(0, 0, form_->Width(), form_->Height()), false);
    if (GripVisible()) {
      // The grip is placed in the image's coordinates.
      OffsetWindowOrgEx(dc, ClientOffsetX(), ClientOffsetY(), nullptr);
      PaintGrip(dc);
    }
    RestoreDC(dc, saved);
    TsSkinManager* manager = skinData_->GetSkinManager();
    if (!manager || !manager->Effects.AllowOuterEffects()) EndUpdateChildControls(form_);
  }
  if (own) ReleaseDC(wnd, own);
}

void TsSkinProvider::WMPrint(TMessage& m) {
  HWND wnd = FormHandle();
  if (!wnd || skinData_->FLoading || (form_->FormState() & gui::fsCreating) ||
      (form_->ComponentState() & rtl::csDestroying))
    return;
  SetDwmTransitions(wnd, true);
  if (!MenuHooked && RefreshMenuBar()) MenuHooked = true;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (m.LParam & PRF_ERASEBKGND) {
    CallWndProc(WM_ERASEBKGND, m.WParam, LPARAM(m.WParam));
    return;
  }
  if (!dc) return;
  skinData_->FPaintDC = dc;
  skinData_->FUpdating = false;
  if (skinData_->CacheEmpty()) skinData_->FCacheInvalid = true;
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  if (DrawNonClient()) {
    if (!HasBorder() && (style & WS_THICKFRAME)) {
      if (skinData_->FCacheInvalid) PrepareCache();
      PaintFrameStrips(dc, 3);
    } else {
      PaintNonClient(dc);
    }
  }
  const int saved = SaveDC(dc);
  RECT cr{};
  GetClientRect(wnd, &cr);
  // In the window's coordinates: the window lies in its image at the border offset.
  const POINT at = BorderOffset();
  OffsetViewportOrgEx(dc, ClientOffsetX() - at.x, ClientOffsetY() - at.y, nullptr);
  IntersectClipRect(dc, 0, 0, cr.right, cr.bottom);
  PaintClientBackground(dc, gui::Rect(0, 0, cr.right, cr.bottom), false);
  RestoreDC(dc, saved);
  skinData_->FPaintDC = nullptr;
}

// ---------------------------------------------------------------- caption, icon, redraw

void TsSkinProvider::WMSetRedraw(TMessage& m) {
  if (m.WParam == 1)
    RedrawLock = std::max(0, RedrawLock - 1);
  else
    ++RedrawLock;
  PassOn(m);
}

void TsSkinProvider::WMSetText(TMessage& m) {
  HWND wnd = FormHandle();
  if (!wnd || !IsWindowVisible(wnd) || (form_->FormState() & gui::fsCreating) || !DrawNonClient()) {
    PassOn(m);
    return;
  }
  // The title stays covered while the system changes the text, so its own caption never
  // shows.
  if (Composition) {
    if (!BorderForm) ShowCaptForm(true);
    PassOn(m);
    RedrawNonClient();
    if (!BorderForm) ShowCaptForm(false);
  } else {
    skinData_->FCacheInvalid = true;
    PassCovered(m);
    CallWndProc(WM_NCPAINT, 0, 0);
  }
  if (BorderForm) UpdateBorderWindow(true, 255);
}

void TsSkinProvider::WMSetIcon(TMessage& m) {
  if (skinData_->FLoading || m.LParam == 0 || AnimationInProgress || !form_->Showing()) {
    PassOn(m);
    return;
  }
  if (Composition) {
    PassOn(m);
  } else {
    form_->Perform(WM_SETREDRAW, 0, 0);
    PassOn(m);
    form_->Perform(WM_SETREDRAW, 1, 0);
  }
  RedrawNonClient();
}

// ---------------------------------------------------------------- the region

void TsSkinProvider::PrepareRegionRects() {
  TacSkinData* sd = skinData_->GetScaledSkin();
  TsSkinManager* own = skinData_->GetSkinManager();
  const TsGeneralData* section = skinData_->Section();
  if (!sd || !section) return;
  RegionRects.clear();
  // A border window's image has the shadow in the frame's transparent corners: nothing is cut.
  if (BorderForm) return;
  const int32_t width = CacheWidth();
  auto add = [&](const TRects& rects) {
    for (const TacRect& r : rects) RegionRects.push_back(ToGui(r));
  };
  if (section->BorderIndex >= 0 && size_t(section->BorderIndex) < sd->Masks.size()) {
    const TsMaskData& border = sd->Masks[size_t(section->BorderIndex)];
    add(SkinCornerRects(border, own, width, true, form_->Height() - border.BorderBottom));
  }
  if (TitleSkinIndex >= 0 && size_t(TitleSkinIndex) < sd->Sections.size()) {
    const int32_t mask = GetMaskIndex(*sd, TitleSkinIndex, "BORDERSMASK");
    if (mask >= 0 && size_t(mask) < sd->Masks.size()) add(SkinCornerRects(sd->Masks[size_t(mask)], own, width, true, -1));
  }
}

HRGN TsSkinProvider::CreateRegion(int32_t x, int32_t y) {
  HRGN region = CreateRectRgn(x, y, x + CacheWidth(), y + form_->Height());
  for (const gui::TRect& r : RegionRects) {
    HRGN cut = CreateRectRgn(r.Left + x, r.Top + y, r.Right + x, r.Bottom + y);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  return region;
}

void TsSkinProvider::UpdateRegion(bool redraw, bool setOnly) {
  HWND wnd = FormHandle();
  if (!DrawNonClient() || !wnd || RegionLocked) return;
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  if (!HasBorder() && !IsIconic(wnd) && !(style & WS_THICKFRAME)) return;
  // Before its first complete paint, a window that draws its own frame keeps its region.
  if (!CacheReady && SendMessageDirect(wnd, 0xBC4D, 0x41A2, 0) == 0x41A2) return;
  RegionUpdating = true;
  const bool zoomed = IsZoomed(wnd) != FALSE;
  HRGN region = nullptr;
  if (GetBoolProp(4) && !BorderForm) {
    gui::TRect r = ClientAreaRect();
    if (zoomed) r.Top -= GetSysCaptionHeight();
    region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
  } else if (BorderForm) {
    const int32_t a = GetBorderWidth(false);
    const int32_t b = a + GetSysCaptionHeight();
    region = CreateRectRgn(a, b, form_->Width() - a, form_->Height() - a);
  } else if (!zoomed || IsMDIChild(form_)) {
    region = CreateRegion(0, 0);
  } else {
    // Maximized: the frame lies outside the screen, only the window's inside is shown.
    const int32_t h = GetBorderWidth(false), v = GetOwnBorderWidth(false);
    region = CreateRectRgn(h, v, form_->Width() - h, form_->Height() - v);
  }
  RegionChanged = false;
  if (setOnly) {
    SetWindowRegion(wnd, region, redraw);
  } else {
    SetWindowRegion(wnd, region, true);
    if (redraw) {
      RedrawWindow(wnd, nullptr, nullptr, RDW_NOCHILDREN | RDW_INVALIDATE);
      CallWndProc(WM_NCPAINT, 0, 0);
    }
  }
  RegionUpdating = false;
}

}  // namespace skin
