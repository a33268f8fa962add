#include "skin/forms/acBorderForm.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acMinTimer.h"
#include "skin/forms/acTitleBar.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acNineParts.h"

namespace skin {

const TBitmap32* FormShadowTemplate(TacSkinData& sd, bool active, TRect& widths, bool windowShadow) {
  const TBitmap32* t = windowShadow ? (active ? &sd.GetActiveShadowBmp() : &sd.GetNormalShadowBmp())
                                    : active ? sd.FormShadowActive.get()
                                             : sd.FormShadowInactive.get();
  if (!t || t->Width() <= 0 || t->Height() <= 0) return nullptr;
  // Half its width on the sides and half its height above and below: a template shifted by
  // the shadow's offset is higher than wide, and half its height on every side would leave no
  // middle column to stretch along the top and bottom.
  const int32_t halfW = (t->Width() - 1) / 2, halfH = (t->Height() - 1) / 2;
  widths = TRect{halfW, halfH, halfW, halfH};
  if (!windowShadow && IndexInRange(sd.ExtBorderImage, int32_t(sd.Masks.size()))) {
    const TsMaskData& e = sd.Masks[size_t(sd.ExtBorderImage)];
    widths = TRect{e.BorderLeft, e.BorderTop, e.BorderRight, e.BorderBottom};
  }
  return t;
}

void DrawFormShadow(TBitmap32& picture, const TBitmap32* shadow, const TRect& widths) {
  const int32_t w = picture.Width(), h = picture.Height();
  FillBitmapRect(picture, picture.Bounds(), clFuchsia, 0);
  if (shadow)
    DrawBitmapNineParts(picture, *shadow, TRect{0, 0, w, h}, TRect{0, 0, shadow->Width(), shadow->Height()}, widths,
                        TRect{255, 255, 255, 255}, TRect{1, 1, 1, 1}, true, false);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if ((picture.At(x, y) >> 24) == 0) picture.At(x, y) = 0x00FF00FFu;
}

namespace {
constexpr UINT kNoActivateFlags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;  // 0x610
}  // namespace

TacBorderForm::TacBorderForm(TsSkinProvider* owner) : Provider(owner) {
  // The form's image gets the shadow around it.
  if (owner) SkinData = owner->SkinData();
  if (SkinData) SkinData->FCacheInvalid = true;
  CreateBorderWindow();
}

TacBorderForm::TacBorderForm(TacBorderOwner* owner, TsCommonData* skinData) : Owner(owner), Provider(nullptr) {
  SkinData = skinData;
  CreateBorderWindow();
}

void TacBorderForm::SetOwnerHotItem(int32_t code) {
  if (Owner)
    Owner->BorderHotItem(code);
  else
    Provider->SetHotItem(code, true);
}

TacBorderForm::~TacBorderForm() {
  if (Provider && !Provider->IsDestroying()) {
    Provider->FreeTitleAnimations();
    // The form's image loses the shadow around it.
    if (SkinData) SkinData->FCacheInvalid = true;
  }
  FreeBorderWindow();
  // The bar's items were shown in this window: they forget it.
  if (Provider && !Provider->IsDestroying() && Provider->TitleBar)
    for (int i = 0; i < Provider->TitleBar->Items.Count(); ++i) Provider->TitleBar->Items.Items(i)->ExtForm = nullptr;
}

void TacBorderForm::FreeBorderWindow() {
  if (BorderWindow) BorderWindow->WindowProc = OldWindowProc;
  BorderWindow.reset();
}

std::unique_ptr<TacGlowForm> TacBorderForm::TakeWindow() {
  HWND h = Handle();
  if (!h) return nullptr;
  BorderWindow->WindowProc = OldWindowProc;
  // No longer the form's: it may outlive the form it shows.
  SetWindowLongPtrW(h, GWLP_HWNDPARENT, OldParent);
  RECT r{};
  GetWindowRect(h, &r);
  BorderWindow->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  SetWindowRgn(h, nullptr, FALSE);
  return std::move(BorderWindow);
}

void TacBorderForm::CreateBorderWindow() {
  if (OwnerState() & psFirstShowing) return;
  OwnerRegionSet = false;
  BorderWindow = std::make_unique<TacGlowForm>(nullptr);
  BorderWindow->HandleNeeded();
  HWND h = Handle();
  if (!h) return;
  SetWindowLongPtrW(h, GWL_EXSTYLE, WS_EX_LAYERED);
  if (HWND owner = OwnerHandle()) OldParent = SetWindowLongPtrW(h, GWLP_HWNDPARENT, LONG_PTR(owner));
  OldWindowProc = BorderWindow->WindowProc;
  BorderWindow->WindowProc = [this](gui::TMessage& m) { BorderWndProc(m); };
}

HWND TacBorderForm::OwnerHandle() {
  if (Owner) return Owner->BorderOwnerWnd();
  return Provider && Provider->Form() && Provider->Form()->HandleAllocated() ? Provider->Form()->Handle() : nullptr;
}

uint32_t TacBorderForm::OwnerState() { return Owner ? Owner->BorderOwnerState() : Provider ? Provider->FormState() : 0; }

namespace {
TacBorderOffsetQuery OffsetQuery(TsSkinProvider* p) {
  TacBorderOffsetQuery q;
  q.Shadow = p->GetShadowSize();
  q.SkinBorderWidth = p->GetSkinBorderWidth();
  q.OwnFrame = p->GetBorderWidth(false);
  q.SkinTitleHeight = p->GetBorderFormTitleHeight();
  q.SysCaption = p->CaptionHeight(false);
  q.TallTitleMaximized = p->TallTitleMaximized;
  q.ExtraTitle = p->GetExtraTitleHeight();
  return q;
}
}  // namespace

int32_t TacBorderForm::OwnerOffsetX() {
  if (Owner) return Owner->BorderOwnerOffset().x;
  return BorderOwnerOffsetX(OffsetQuery(Provider));
}

int32_t TacBorderForm::OwnerOffsetY() {
  if (Owner) return Owner->BorderOwnerOffset().y;
  return BorderOwnerOffsetY(OffsetQuery(Provider));
}

HWND TacBorderForm::InsertAfterWnd() {
  HWND owner = OwnerHandle();
  if (!Provider) return owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) ? HWND_TOPMOST : owner;
  if (Provider->Form()->FormStyle == gui::TFormStyle::fsStayOnTop) return HWND_TOP;
  if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) return HWND_TOPMOST;
  return owner;
}

void TacBorderForm::UpdateBorderWindow(bool repaint) {
  if (Locked || Updating || (!Provider && !Owner) || !SkinData) return;
  if (gui::Application && gui::Application->Terminated()) return;
  HWND owner = OwnerHandle();
  RECT wr{};
  if (!owner || !GetWindowRect(owner, &wr)) return;
  if (OwnerState() & (psCapturing | psScaling)) return;
  if ((Provider && !Provider->DrawNonClient()) || SkinData->FUpdating) return;
  if (!IsWindowVisible(owner) && (Owner || OwnerState() == 0 || OwnerState() == psNcActivating)) {
    FreeBorderWindow();
    SkinData->FCacheInvalid = true;
    return;
  }
  if (!Handle()) CreateBorderWindow();
  HWND h = Handle();
  if (!h) return;
  Updating = true;
  HWND after = (OwnerState() & psBorderSizing) ? nullptr : InsertAfterWnd();
  gui::TBitmap* image = nullptr;
  if (Owner) {
    image = Owner->BorderImage(repaint);
  } else {
    if (OwnerState() & (psBlendMoving | psMinimizing | psCapturing)) {
      // Dragged or flying, the border window shows the whole form: its client area goes
      // into the image too.
      if (std::unique_ptr<gui::TBitmap> whole = Provider->FormImageWithClient()) SkinData->FCache = std::move(whole);
      repaint = true;
    } else if (SkinData->FCacheInvalid || SkinData->CacheEmpty()) {
      Provider->PrepareCache();
      repaint = true;
    }
    if (!SkinData->CacheEmpty()) image = SkinData->FCache.get();
  }
  if (!image) {
    Updating = false;
    return;
  }
  gui::TBitmap& cache = *image;
  RECT br{};
  GetWindowRect(h, &br);
  const bool sized = br.right - br.left != cache.Width() || br.bottom - br.top != cache.Height();
  if (!after) after = (IsIconic(owner) || (OwnerState() & psBorderSizing)) ? GetWindow(owner, GW_HWNDPREV) : owner;
  UINT flags = kNoActivateFlags;
  if (OwnerState() & psBorderSizing) flags |= SWP_NOZORDER;
  if (!repaint && !sized) flags |= SWP_NOSIZE;
  if (!repaint) flags |= SWP_NOREDRAW;
  const POINT at{wr.left - OwnerOffsetX(), wr.top - OwnerOffsetY()};
  const BYTE alpha = 255;
  if (LayeredWindowsAvailable() && (repaint || sized) && !InMouseHole) {
    if (sized) SetWindowPos(h, nullptr, 0, 0, cache.Width(), cache.Height(), SWP_NOMOVE | SWP_NOZORDER | kNoActivateFlags);
    std::unique_ptr<gui::TBitmap> image = NewBitmap32(cache.Width(), cache.Height());
    BitBlt(image->Canvas().Handle(), 0, 0, cache.Width(), cache.Height(), cache.Canvas().Handle(), 0, 0, SRCCOPY);
    TBitmap32 px = Pixels32(*image);
    GdiFlush();
    PrepareBorderImage(px);
    UpdateBlurBehind(h, px);
    if (OwnerState() & psBlendMoving) SetWindowRegion(h, CreateRegion(0, 0), false);
    UpdateLayeredImage(h, *image, alpha, &at);
    if (!(OwnerState() & (psBlendMoving | psMinimizing | psCapturing))) SetWindowRegion(h, CreateRegion(0, 0), true);
    if (IsWindowVisible(h))
      SetWindowPos(h, after, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE);
    else
      SetWindowPos(h, after, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    if (!OwnerRegionSet && !(OwnerState() & psBorderSizing)) OwnerRegionSet = true;
  } else {
    SetWindowPos(h, after, at.x, at.y, 0, 0, flags | SWP_NOSIZE);
  }
  Updating = false;
}

void TacBorderForm::UpdateBlurBehind(HWND h, const TBitmap32& image) {
  TsSkinManager* m = SkinData ? SkinData->GetSkinManager() : nullptr;
  const bool wanted = Provider && m && m->Effects.AllowAeroBluring && m->CommonInfo().AeroBlur && IsCompositionEnabled() &&
                      !Provider->GetBoolProp(4);
  if (!wanted) {
    EnableBlurBehind(h, false, nullptr);
    return;
  }
  TacSkinData* sd = SkinData->GetScaledSkin();
  const TacBlurArea a = BlurBehindArea(image, Provider->GetShadowSize(), sd ? sd->FormOffset : 0);
  HRGN rgn = CreateRectRgn(a.Inner.Left, a.Inner.Top, a.Inner.Right, a.Inner.Bottom);
  for (const TacPoint& p : a.Cut) {
    HRGN dot = CreateRectRgn(p.X, p.Y, p.X + 1, p.Y + 1);
    CombineRgn(rgn, rgn, dot, RGN_DIFF);
    DeleteObject(dot);
  }
  EnableBlurBehind(h, true, rgn);  // takes the region
}

int32_t TacBorderForm::WorkAreaTop() {
  HWND h = Handle();
  if (!h) return 0;
  RECT br{};
  GetWindowRect(h, &br);
  return GetWorkAreaAtPoint({(br.left + br.right) / 2, (br.top + br.bottom) / 2}).Top;
}

HRGN TacBorderForm::CreateRegion(int32_t newWidth, int32_t newHeight) {
  HWND h = Handle();
  if (!h) return nullptr;
  RECT br{};
  GetWindowRect(h, &br);
  const int32_t w = newWidth > 0 ? newWidth : br.right - br.left, ht = newHeight > 0 ? newHeight : br.bottom - br.top;
  if (Owner) {
    // The owner window shows its own part, except while the border window stands in for it.
    HRGN rgn = CreateRectRgn(0, 0, w, ht);
    if (!(OwnerState() & (psBlendMoving | psCapturing))) {
      const RECT r = Owner->BorderOwnerPart();
      HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
      CombineRgn(rgn, rgn, part, RGN_DIFF);
      DeleteObject(part);
    }
    return rgn;
  }
  const TacRect shadow = Provider->GetShadowSize();
  HWND owner = OwnerHandle();
  HRGN rgn = nullptr;
  if (owner && IsZoomed(owner)) {
    const int32_t b = Provider->GetBorderWidth(false) + Provider->GetExtraBorderWidth();
    rgn = CreateRectRgn(b + shadow.Left, shadow.Top + 4, w - b - shadow.Right, ht - b - shadow.Bottom);
  }
  if (OwnerState() & psCapturing) return rgn ? rgn : CreateRectRgn(0, 0, w, ht);
  if (!rgn) rgn = CreateRectRgn(0, 0, w, ht);
  if (OwnerState() & (psBlendMoving | psMinimizing | psAnimating)) {
    // While the form is dragged or flies, what would lie above the work area is cut away.
    const int32_t above = WorkAreaTop() - br.top;
    TitleClipped = above > 0;
    if (TitleClipped) {
      HRGN strip = CreateRectRgn(0, 0, w, above);
      CombineRgn(rgn, rgn, strip, RGN_DIFF);
      DeleteObject(strip);
    }
    return rgn;
  }
  // The owner's client part shows the owner window itself.
  RECT cr{};
  if (owner) GetClientRect(owner, &cr);
  const int32_t x = Provider->ClientOffsetX(), y = Provider->ClientOffsetY();
  HRGN client = CreateRectRgn(x, y, x + cr.right, y + cr.bottom);
  CombineRgn(rgn, rgn, client, RGN_DIFF);
  DeleteObject(client);
  return rgn;
}

void TacBorderForm::UpdateRegion() {
  if (!RegionChanged) return;
  RegionChanged = false;
  SetWindowRegion(Handle(), CreateRegion(0, 0), true);
}

TacBorderBandFacts TacBorderForm::BandFacts() {
  TacBorderBandFacts f;
  HWND h = Handle(), owner = OwnerHandle();
  RECT br{};
  if (h) GetWindowRect(h, &br);
  f.Width = br.right - br.left;
  f.Height = br.bottom - br.top;
  f.Maximized = owner && IsZoomed(owner);
  f.ThickFrame = owner && (GetWindowLongPtrW(owner, GWL_STYLE) & WS_THICKFRAME);
  if (Owner) {
    Owner->BorderFacts(f);
  } else {
    f.Shadow = Provider->GetShadowSize();
    f.OwnFrame = Provider->GetBorderWidth(false);
    f.CaptionHeight = Provider->CaptionHeight(true);
    f.MenuLineHeight = Provider->HasMenuLine() ? Provider->MenuLineHeight() : 0;
    f.IconRect = {Provider->IconRect.Left, Provider->IconRect.Top, Provider->IconRect.Right, Provider->IconRect.Bottom};
  }
  if (TacSkinData* sd = SkinData ? SkinData->GetScaledSkin() : nullptr) {
    f.BorderMode = sd->BorderMode;
    f.AlignOffset = {sd->AlignOffsetL, sd->AlignOffsetT, sd->AlignOffsetR, sd->AlignOffsetB};
    f.SkinBorderWidth = sd->BorderWidth > 0 ? sd->BorderWidth : 4;
  }
  return f;
}

int32_t TacBorderForm::TitleItemAt(POINT p) {
  if (!Provider) return 0;  // another owner answers over its title itself
  return Provider->TitleElementAt({p.x, p.y});
}

int32_t TacBorderForm::HitTest(int32_t screenX, int32_t screenY) {
  HWND owner = OwnerHandle(), h = Handle();
  if (!owner || !h) return kHitNowhere;
  if (!IsWindowEnabled(owner)) return kHitTransparent;
  RECT br{};
  GetWindowRect(h, &br);
  const POINT p{screenX - br.left, screenY - br.top};
  if (Owner)
    if (const int32_t code = Owner->BorderTitleHit(screenX, screenY)) return code;
  const int32_t n = TitleItemAt(p);
  if (n > 0 && Provider) {
    TacTitleHitFacts f = Provider->TitleHitFacts();
    f.Iconic = IsIconic(owner);
    const int32_t code = TitlePositionCode(n, f);
    if (code == kHitClose && !f.Rules.CloseVisible) return kHitNowhere;
    // Past the system buttons a disabled user button or a pressed tab lets the mouse through.
    if (code == kHitClient) return kHitTransparent;
    return code;
  }
  return BorderBandHitCode(p.x, p.y, BandFacts());
}

bool TacBorderForm::MouseInShadow(int32_t screenX, int32_t screenY) {
  if (Locked || (OwnerState() & psBlendMoving)) return false;
  UpdateRegion();
  HWND owner = OwnerHandle(), h = Handle();
  if (!owner || !h || !SkinData || IsZoomed(owner)) return false;
  RECT br{};
  GetWindowRect(h, &br);
  if (!InShadowBeyondBand(screenX - br.left, screenY - br.top, BandFacts())) return false;
  SetOwnerHotItem(-1);
  return true;
}

bool TacBorderForm::UpdateCursor() {
  POINT p{};
  GetCursorPos(&p);
  if (MouseInShadow(p.x, p.y)) return false;
  LPCWSTR cursor = nullptr;
  switch (HitTest(p.x, p.y)) {
    case kHitCaption:
    case kHitMenu: cursor = IDC_ARROW; break;
    case kHitLeft:
    case kHitRight: cursor = IDC_SIZEWE; break;
    case kHitTop:
    case kHitBottom: cursor = IDC_SIZENS; break;
    case kHitTopLeft:
    case kHitBottomRight: cursor = IDC_SIZENWSE; break;
    case kHitTopRight:
    case kHitBottomLeft: cursor = IDC_SIZENESW; break;
    default: return false;
  }
  SetCursor(LoadCursorW(nullptr, cursor));
  return true;
}

void TacBorderForm::CutMouseHole() {
  HWND h = Handle();
  if (!h) return;
  POINT p{};
  GetCursorPos(&p);
  RECT br{};
  GetWindowRect(h, &br);
  HRGN rgn = CreateRegion(0, 0);
  if (!rgn) rgn = CreateRectRgn(0, 0, br.right - br.left, br.bottom - br.top);
  HRGN dot = CreateRectRgn(p.x - br.left, p.y - br.top, p.x - br.left + 1, p.y - br.top + 1);
  CombineRgn(rgn, rgn, dot, RGN_XOR);
  DeleteObject(dot);
  if (!Provider || (Provider->Form()->FormState() & gui::fsModal)) {
    DeleteObject(rgn);  // a modal form keeps its shadow solid
    return;
  }
  InMouseHole = true;
  SetWindowRegion(h, rgn, false);
  RegionChanged = true;
  InMouseHole = false;
}

void TacBorderForm::StretchToWorkArea(bool vertical) {
  gui::TCustomForm* form = Provider->Form();
  const uint32_t bit = vertical ? psVertRestore : psHorzRestore;
  if (Provider->FormState() & bit) {
    const TacPlace& s = Provider->LastBounds;
    if (vertical)
      form->SetBounds(form->Left(), s.Top, form->Width(), s.Height);
    else
      form->SetBounds(s.Left, form->Top(), s.Width, form->Height());
    Provider->SetFormState(Provider->FormState() & ~bit);
    return;
  }
  Provider->LastBounds = {form->Left(), form->Top(), form->Width(), form->Height()};
  const gui::TRect w = GetFormWorkArea(form);
  const TacPlace b = StretchedBounds(Provider->LastBounds, {w.Left, w.Top, w.Right, w.Bottom}, vertical,
                                     Provider->GetExtraBorderWidth(), Provider->GetExtraTitleHeight());
  form->SetBounds(b.Left, b.Top, b.Width, b.Height);
  Provider->SetFormState(Provider->FormState() | bit);
}

void TacBorderForm::DragOutOfMaximizedState(POINT c) {
  HWND owner = OwnerHandle();
  gui::TCustomForm* form = Provider->Form();
  TacPoint at;
  if (!DragOutOfMaximized({c.x, c.y}, {DragPoint.x, DragPoint.y}, 0, at)) return;
  DragFromMaximized = false;
  Updating = true;
  form->WindowState = gui::TWindowState::wsNormal;
  ShowWindow(owner, SW_RESTORE);
  // Centred by its own width once it has it back.
  DragOutOfMaximized({c.x, c.y}, {DragPoint.x, DragPoint.y}, form->Width(), at);
  form->SetBounds(at.X, at.Y, form->Width(), form->Height());
  Updating = false;
  TsSkinManager* m = SkinData ? SkinData->GetSkinManager() : nullptr;
  if (m && m->AnimEffects.BlendOnMoving.Active && m->AnimEffects.BlendValue < 255 && Provider->AllowBlendOnMoving) {
    Provider->BeginBlendMove();
    return;
  }
  UpdateBorderWindow(true);
  // The press goes on as a caption drag of the restored form.
  if (HWND h = Handle()) SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(c.x, c.y));
}

void TacBorderForm::DoubleClickItem(int32_t code, LPARAM at) {
  TsTitleBar* bar = Provider->TitleBar;
  TacTitleBarItem* item = bar->Items.Items(code - kHitTitleBarItem);
  delete item->Animation;
  item->Animation = nullptr;
  const bool button = item->Style() == TacBtnStyle::bsButton || item->Style() == TacBtnStyle::bsMenu;
  const bool dropDown = item->DropdownMenu && item->DropdownMenu->HasItems();
  if (button && !dropDown) {
    // The second click of a double click is a click of its own.
    if (HWND h = Handle()) {
      SendMessageW(h, WM_NCLBUTTONDOWN, WPARAM(code), at);
      SendMessageW(h, WM_NCLBUTTONUP, WPARAM(code), at);
    }
    return;
  }
  RECT br{};
  GetWindowRect(Handle(), &br);
  bar->ItemMouseDown(item, gui::TMouseButton::mbLeft, 0, GET_X_LPARAM(at) - br.left, GET_Y_LPARAM(at) - br.top);
}

void TacBorderForm::BorderWndProc(gui::TMessage& m) {
  auto pass = [&] {
    if (OldWindowProc) OldWindowProc(m);
  };
  HWND owner = OwnerHandle();
  switch (m.Msg) {
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_DPICHANGED: m.Result = 0; return;
    case WM_MOUSEACTIVATE:
      m.Result = MA_NOACTIVATE;
      if (owner && IsWindowEnabled(owner)) SetForegroundWindow(owner);
      return;
    case WM_SETCURSOR:
      // A hot title-bar item keeps the cursor it set.
      if (Provider && Provider->TitleBar && Provider->HotItem >= kHitTitleBarItem &&
          Provider->HotItem - kHitTitleBarItem < Provider->TitleBar->Items.Count()) {
        m.Result = 1;
        return;
      }
      if (!UpdateCursor()) pass();
      else m.Result = 1;
      return;
    case WM_NCHITTEST:
      if (MouseInShadow(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam))) {
        pass();
        m.Result = HTTRANSPARENT;
      } else {
        pass();
        m.Result = kHitObject;
      }
      return;
    case WM_NCMOUSEMOVE: {
      const int32_t code = HitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      m.Result = code;
      if (code == kHitMin || code == kHitMax || code == kHitClose || code == kHitHelp || (code >= 1000 && code <= 2100)) {
        SetOwnerHotItem(code);
        return;
      }
      SetOwnerHotItem(0);
      if (Provider && DragFromMaximized && owner && IsZoomed(owner))
        DragOutOfMaximizedState({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      return;
    }
    case WM_MOVE:
      if (!Provider) break;
      if (OwnerState() & psBlendMoving) {
        // The part above the work area comes and goes as the window is dragged.
        RECT br{};
        GetWindowRect(Handle(), &br);
        if (br.top < WorkAreaTop() || TitleClipped) {
          RegionChanged = true;
          UpdateRegion();
        }
      }
      Provider->MoveGluedForms(true);
      return;
    case WM_SETFOCUS: {
      if (!Provider) break;
      gui::TCustomForm* form = Provider->Form();
      if (form && !form->IsDestroying() && form->Visible() && form->Enabled() && form->CanFocus() && owner)
        SetFocus(owner);
      return;
    }
    case WM_WINDOWPOSCHANGING:
      if (Provider && (OwnerState() & psBlendMoving) && Handle()) {
        auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
        if (wp && Provider->ScreenSnap && owner && !IsZoomed(owner) && !(wp->flags & SWP_NOMOVE) &&
            (wp->x != 0 || wp->y != 0)) {
          // Snapping is reckoned with the form's place: the border window lies around it.
          const int32_t dx = OwnerOffsetX(), dy = OwnerOffsetY();
          int32_t x = wp->x + dx, y = wp->y + dy;
          Provider->SnapToEdges(x, y);
          wp->x = x - dx;
          wp->y = y - dy;
        }
        pass();
        if (wp && !(wp->flags & SWP_NOMOVE)) {
          SavedLeft = wp->x;
          SavedTop = wp->y;
        }
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      if (!Provider) break;
      // Title fades are placed on the screen: a move or a new size ends them.
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (wp && (~wp->flags & (SWP_NOMOVE | SWP_NOSIZE))) Provider->FreeTitleAnimations();
      pass();
      gui::TCustomForm* form = Provider->Form();
      if (!form || form->IsDestroying() || !owner || !Handle() || Updating) return;
      const bool animating = (Provider->MinTimer && Provider->MinTimer->Enabled()) ||
                             (Provider->MoveTimer && Provider->MoveTimer->Enabled());
      if (!animating && IsIconic(owner) && !(OwnerState() & psMinimizing)) {
        SkinData->FCacheInvalid = true;
        UpdateBorderWindow(false);
      }
      if (form->FormStyle == gui::TFormStyle::fsStayOnTop) {
        Updating = true;
        SetWindowPos(Handle(), owner, 0, 0, 0, 0, 0x65B);  // just below the form, as it is
        Updating = false;
      }
      return;
    }
    case WM_NCLBUTTONDOWN: {
      if (MouseInShadow(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam))) return;
      Updating = false;
      const int32_t code = HitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      if (code == kHitCaption && owner && IsZoomed(owner)) {
        DragFromMaximized = true;
        DragPoint = {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        return;
      }
      if (owner) {
        if (code == kHitCaption) {
          TsSkinManager* mgr = SkinData ? SkinData->GetSkinManager() : nullptr;
          if (Provider && mgr && mgr->AnimEffects.BlendOnMoving.Active && !IsIconic(owner) &&
              (!IsCompositionEnabled() || (mgr->AnimEffects.BlendValue < 255 && Provider->AllowBlendOnMoving))) {
            // The border window is dragged itself, showing the whole form translucent.
            StartBlendMoving(Provider, true);
            return;
          }
          ReleaseCapture();
          SendMessageW(owner, WM_SYSCOMMAND, 0xF012, 0);  // the caption drag
          return;
        }
        if (code >= kHitLeft && code <= kHitBottomRight) {
          // The sizing loop runs on the form: the border window follows it.
          ReleaseCapture();
          SendMessageW(owner, WM_SYSCOMMAND, SC_SIZE | UINT(code - kHitLeft + 1), m.LParam);
          return;
        }
        SendMessageW(owner, WM_NCLBUTTONDOWN, code == kHitSysMenu ? WPARAM(code) : WPARAM(-1), m.LParam);
      }
      return;
    }
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
      if (MouseInShadow(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam))) return;
      if (m.Msg == WM_NCLBUTTONUP) DragFromMaximized = false;
      if (owner) SendMessageW(owner, m.Msg, WPARAM(-1), m.LParam);
      return;
    case WM_NCRBUTTONDOWN:
      if (MouseInShadow(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam))) return;
      if (owner) SendMessageW(owner, m.Msg, WPARAM(HitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam))), m.LParam);
      return;
    case WM_NCLBUTTONDBLCLK: {
      DragFromMaximized = false;
      const int32_t code = HitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      m.WParam = WPARAM(code);
      if (!owner) return;
      TsSystemMenu* menu = Provider ? Provider->EnsureSystemMenu() : nullptr;
      if (code == kHitCaption) {
        if (menu && Provider->HasSystemMenu() && (menu->MaxEnabled() || menu->RestoreEnabled()))
          SendMessageW(owner, WM_SYSCOMMAND, IsZoomed(owner) || IsIconic(owner) ? SC_RESTORE : SC_MAXIMIZE, 0);
        else if (IsIconic(owner))
          SendMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        if (menu) menu->UpdateItems(false);
        m.WParam = 0;
      } else if (code == kHitSysMenu) {
        SendMessageW(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
      } else if (Provider && code >= kHitTitleBarItem && Provider->TitleBar &&
                 code - kHitTitleBarItem < Provider->TitleBar->Items.Count()) {
        DoubleClickItem(code, m.LParam);
      } else if (Provider && Provider->Form()->BorderStyle == gui::TFormBorderStyle::bsSizeable) {
        if (code == kHitLeft || code == kHitRight) StretchToWorkArea(false);
        if (code == kHitTop || code == kHitBottom) StretchToWorkArea(true);
      }
      return;
    }
    default:
      break;
  }
  if (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (HWND h = Handle()) ClientToScreen(h, &p);
    if (MouseInShadow(p.x, p.y) && OwnerState() == 0) CutMouseHole();
    return;
  }
  pass();
}

}  // namespace skin
