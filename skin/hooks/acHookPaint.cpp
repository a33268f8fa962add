#include "skin/hooks/acHookPaint.h"

#include <algorithm>
#include <cwchar>

#include "rtl/Utf.h"
#include "skin/core/sVclUtils.h"
#include "gui/StdCtrls.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/hooks/acEditWnd.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {

TWndBounds GetWndBounds(HWND wnd) {
  TWndBounds b;
  GetWindowRect(wnd, &b.WndRect);
  b.ParentWnd = GetParent(wnd);
  if (b.ParentWnd) GetWindowRect(b.ParentWnd, &b.ParentRect);
  b.WndSize = {std::max<LONG>(0, b.WndRect.right - b.WndRect.left), std::max<LONG>(0, b.WndRect.bottom - b.WndRect.top)};
  POINT p{b.WndRect.left, b.WndRect.top};
  if (b.ParentWnd) ScreenToClient(b.ParentWnd, &p);
  b.WndPos = p;
  return b;
}

namespace {

// A disabled one-line edit's text where the edit writes it, in the section's font colour.
void WriteDisabledEditText(TsCommonData& d, gui::TEdit& edit, HWND wnd) {
  std::wstring text = GetWindowWideText(wnd);
  if (text.empty()) return;
  if (const wchar_t mask = edit.PasswordChar()) text.assign(text.size(), mask);
  gui::TRect r = GetClientRectInWindow(wnd);
  const DWORD margins = DWORD(SendMessageW(wnd, EM_GETMARGINS, 0, 0));
  r.Left += LOWORD(margins);
  r.Right -= HIWORD(margins);
  UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP;
  if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & (WS_EX_RIGHT | WS_EX_RTLREADING)) format |= DT_RIGHT | DT_RTLREADING;
  PrepareCacheFont(d, wnd);
  d.FCache->Canvas().Brush().SetStyle(gui::bsClear);
  WriteControlText(d.FCache->Canvas(), rtl::U8(text), true, r, format, &d, 0, false);
}

}  // namespace

void PaintWindowCache(TsCommonData& d, HWND wnd, bool dialogMode) {
  if (!d.FCacheInvalid || !wnd) return;
  const TWndBounds b = GetWndBounds(wnd);
  EnsureCache(d, b.WndSize.x, b.WndSize.y);
  TacBackgroundCache cache;
  if (b.ParentWnd) {
    TacBackgroundQuery q;
    QueryWindowBackground(q, b.ParentWnd, false);
    if (q.Kind == bkNotReady) {
      d.FUpdating = true;
      return;
    }
    cache = BackgroundQueryToCache(q);
  } else {
    cache.FillColor = TColor(d.GetBackgroundColor(0, wnd));
  }
  const gui::TRect all(0, 0, b.WndSize.x, b.WndSize.y);
  TsSkinManager* m = d.GetSkinManager();
  const uint32_t border = m ? m->CommonInfo().InactiveBorderColor : clFuchsia;
  if (dialogMode && m && border != clFuchsia) {
    HDC dc = d.FCache->Canvas().Handle();
    FillRectOnDC(dc, all, TColor(GetSysColor(COLOR_BTNFACE)));
    HBRUSH br = CreateSolidBrush(border & 0xFFFFFF);
    const RECT r{0, 0, b.WndSize.x, b.WndSize.y};
    FrameRect(dc, &r, br);
    DeleteObject(br);
  } else if (d.Section()) {
    const bool hot = GetFocus() == wnd || d.FFocused || (d.FHovered && HasAnimatedStates(d, false));
    const gui::TPoint offset(b.WndPos.x, b.WndPos.y);
    auto* edit = dynamic_cast<gui::TEdit*>(d.FControl);
    const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE), exStyle = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (edit && !(style & WS_BORDER) && !(exStyle & WS_EX_CLIENTEDGE))
      PaintControlBackground(d, cache, hot ? 1 : 0, *d.FCache, offset, all);
    else
      PaintControlSection(d, cache, hot ? 1 : 0, all, offset, *d.FCache);
    if (edit && !IsWindowEnabled(wnd) && !(style & ES_MULTILINE)) WriteDisabledEditText(d, *edit, wnd);
    if (d.FControl && !IsWindowEnabled(wnd)) {
      // The look a control asks for by its published DisabledKind; blended without one.
      const int64_t kind = GetOrdPropIfExists(d.FControl, "DisabledKind");
      constexpr int64_t dkBlended = 1, dkGrayed = 2;
      if (kind & dkGrayed) {
        TBitmap32 px = Pixels32(*d.FCache);
        GrayscaleBitmap(px);
      }
      if (!HasProp(d.FControl, "DisabledKind") || (kind & dkBlended)) {
        TacBackgroundCache at = cache;
        at.X += b.WndPos.x;
        at.Y += b.WndPos.y;
        ApplyDisabledLook(*d.FCache, at);
      }
    }
  }
  d.FCacheInvalid = false;
}

void SetDiscolouredGlyph(TacGlyphDrawParams& p, TsCommonData& d, int state) {
  TsSkinManager* m = d.GetSkinManager();
  if (state != 0 || !m || !m->Effects.DiscoloredGlyphs() || !d.IsSkinned(false) || !d.Section()) return;
  p.Discoloured = true;
  p.DiscolourColor = gui::TColor(d.Section()->StateParams[0].Color);
}

bool HasAnimatedStates(TsCommonData& d, bool checkKind) {
  const TsGeneralData* s = d.Section();
  const TacSkinData* data = d.GetScaledSkin();
  if (!d.IsSkinned(false) || !s || !data || s->BorderIndex < 0 || size_t(s->BorderIndex) >= data->Masks.size())
    return false;
  if (data->Masks[size_t(s->BorderIndex)].FrameCount <= 1 && s->States <= 1) return false;
  if (!checkKind) return true;
  TsSkinManager* m = d.GetSkinManager();
  return !NoHoverKinds.Has(d.FControlKind) && m && m->Effects.AllowAnimation;
}

void PaintCacheCorners(TsCommonData& d, int state, HWND wnd) {
  const TsGeneralData* s = d.Section();
  const TacSkinData* data = d.GetScaledSkin();
  if (!s || !data || !wnd || d.CacheEmpty() || s->BorderIndex < 0 || size_t(s->BorderIndex) >= data->Masks.size())
    return;
  const TWndBounds b = GetWndBounds(wnd);
  if (b.WndSize.x <= 1 || b.WndSize.y <= 1) return;
  TsSkinManager* m = d.GetSkinManager();
  TBitmap32 master = m && m->MasterBitmap() ? Pixels32(*m->MasterBitmap()) : TBitmap32();
  TBitmap32 cache = Pixels32(*d.FCache);
  TacBackgroundQuery q;
  if (b.ParentWnd) {
    QueryWindowBackground(q, b.ParentWnd, false);
  } else {
    q.Kind = bkColor;
    q.Color = TColor(d.GetBackgroundColor(0, wnd));
  }
  if (q.Kind == bkNotReady) return;
  // A colour answer may name a system colour.
  if (q.Kind != bkBitmap) q.Color = gui::ColorToRGB(q.Color);
  FillTransparentCorners(cache, data->Masks[size_t(s->BorderIndex)], master.HasRows() ? &master : nullptr, state,
                         acTopLeft | acBottomLeft | acTopRight | acBottomRight, q, TPoint{b.WndPos.x, b.WndPos.y});
}

std::string GetMainFontName(const std::string& name) {
  TsSkinManager* m = DefaultManager();
  if (!m) return name;
  switch (m->Fonts.MainMode()) {
    case TacFontMode::fmFromSkin:
      return m->CommonInfo().MainFont.empty() ? name : m->CommonInfo().MainFont;
    case TacFontMode::fmCustom:
      return m->Fonts.MainFont();
    default:
      return name;
  }
}

bool ApplyMainFontW(LOGFONTW& font) {
  const std::wstring name = rtl::W(GetMainFontName({}));
  // The field holds 31 characters and the end mark.
  if (name.empty() || name.size() >= LF_FACESIZE) return false;
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
  std::wmemcpy(font.lfFaceName, name.c_str(), name.size());
  return true;
}

void GetNonClientFont(int kind, LOGFONTW& font) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
    font.lfHeight = 0;
    return;
  }
  switch (kind) {
    case 1: font = ncm.lfCaptionFont; break;
    case 2: font = ncm.lfSmCaptionFont; break;
    case 3: font = ncm.lfMenuFont; break;
    case 4: font = ncm.lfStatusFont; break;
    default: font = ncm.lfMessageFont; break;
  }
}

void EnsureCache(TsCommonData& d, int w, int h) {
  if (!d.FCache || d.FCache->Width() != w || d.FCache->Height() != h) d.FCache = CreateBitmap32(w, h);
}

bool IsContentShifted(TsCommonData& d) {
  TsSkinManager* m = d.GetSkinManager();
  const TsGeneralData* section = d.Section();
  if (!m || !section) return true;
  return m->ButtonsOptions.ShiftContentOnClick || section->ShiftClick;
}

void SetMainFont(gui::TFont& font) {
  const std::string name = GetMainFontName({});
  if (!name.empty()) font.SetName(name);
}

bool SelectNonClientFont(gui::TCanvas& canvas, int kind) {
  LOGFONTW lf{};
  GetNonClientFont(kind, lf);
  if (lf.lfHeight == 0) return false;
  ApplyMainFontW(lf);
  HFONT f = CreateFontIndirectW(&lf);
  if (!f) return false;
  canvas.Font().SetHandle(f);
  return true;
}

bool HookPaints(TsCommonData* d) {
  if (!d) return false;
  TsSkinManager* m = d->GetSkinManager();
  return m && m->IsSkinLoaded() && d->Section();
}

void ApplyDisabledLook(gui::TBitmap& bmp, const TacBackgroundCache& bg) {
  TBitmap32 px = Pixels32(bmp);
  if (px.Width() == 0 || px.Height() == 0) return;
  constexpr uint8_t kDisabledBlend = 100;
  if (bg.Ready && bg.Bitmap) {
    BlendCopyBitmap(px, 0, 0, *bg.Bitmap, TRect{bg.X, bg.Y, bg.X + px.Width() - 1, bg.Y + px.Height() - 1}, kDisabledBlend,
                    clFuchsia);
  } else if (bg.FillColor != clFuchsia) {
    TintBitmap(px, kDisabledBlend, bg.FillColor);
  }
}

void CopyParentBackground(gui::TBitmap& dst, const TacBackgroundCache& bg, const gui::TRect& r, gui::TPoint pos) {
  TBitmap32 px = Pixels32(dst);
  const TRect c = ClipRect(r, px);
  if (bg.Ready && bg.Bitmap) {
    for (int y = c.Top; y < c.Bottom; ++y)
      for (int x = c.Left; x < c.Right; ++x) {
        const int sx = bg.X + pos.X + x, sy = bg.Y + pos.Y + y;
        if (sx >= 0 && sy >= 0 && sx < bg.Bitmap->Width() && sy < bg.Bitmap->Height()) px.At(x, y) = bg.Bitmap->At(sx, sy);
      }
  } else if (bg.FillColor != clFuchsia) {
    FillRectOnDC(dst.Canvas().Handle(), c, bg.FillColor);
  }
}

void DrawSolidArrow(HDC dc, const gui::TRect& rc, int direction, uint32_t color, bool pressed) {
  const int cx = (rc.Left + rc.Right) / 2 + (pressed ? 1 : 0), cy = (rc.Top + rc.Bottom) / 2 + (pressed ? 1 : 0);
  const int s = std::max(2, std::min(rc.Right - rc.Left, rc.Bottom - rc.Top) / 5);
  POINT pts[3];
  switch (direction) {
    case 0: pts[0] = {cx - s, cy}; pts[1] = {cx + s / 2, cy - s}; pts[2] = {cx + s / 2, cy + s}; break;
    case 1: pts[0] = {cx, cy - s}; pts[1] = {cx - s, cy + s / 2}; pts[2] = {cx + s, cy + s / 2}; break;
    case 2: pts[0] = {cx + s, cy}; pts[1] = {cx - s / 2, cy - s}; pts[2] = {cx - s / 2, cy + s}; break;
    default: pts[0] = {cx, cy + s}; pts[1] = {cx - s, cy - s / 2}; pts[2] = {cx + s, cy - s / 2}; break;
  }
  HBRUSH br = CreateSolidBrush(color & 0xFFFFFF);
  HPEN pen = CreatePen(PS_SOLID, 1, color & 0xFFFFFF);
  HGDIOBJ ob = SelectObject(dc, br), op = SelectObject(dc, pen);
  Polygon(dc, pts, 3);
  SelectObject(dc, ob);
  SelectObject(dc, op);
  DeleteObject(br);
  DeleteObject(pen);
}

void TrackMouseLeave(HWND wnd, bool& tracking) {
  if (tracking) return;
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, wnd, 0};
  tracking = TrackMouseEvent(&t) != FALSE;
}

void DrawDottedFrame(HDC dc, const gui::TRect& r, uint32_t color) {
  LOGBRUSH lb{BS_SOLID, color & 0xFFFFFF, 0};
  HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.Left, r.Top, r.Right, r.Bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void PrepareCacheFont(TsCommonData& d, HWND wnd) {
  if (!d.FCache) return;
  gui::TCanvas& canvas = d.FCache->Canvas();
  if (d.FControl) {
    canvas.Font().Assign(&d.FControl->Font());
    SetMainFont(canvas.Font());
    return;
  }
  HFONT own = wnd ? reinterpret_cast<HFONT>(SendMessageDirect(wnd, WM_GETFONT, 0, 0)) : nullptr;
  LOGFONTW lf{};
  if (!own || !GetObjectW(own, sizeof lf, &lf)) {
    SelectNonClientFont(canvas, 5);
    return;
  }
  ApplyMainFontW(lf);
  // A font made for the ANSI code page would lose the other characters of the text.
  if (lf.lfCharSet == ANSI_CHARSET && !std::wcsstr(lf.lfFaceName, L"MS Shell Dlg")) lf.lfCharSet = DEFAULT_CHARSET;
  if (HFONT f = CreateFontIndirectW(&lf)) canvas.Font().SetHandle(f);
}

int64_t GetOrdPropIfExists(rtl::TObject* obj, std::string_view name) {
  return obj && HasProp(obj, name) ? ReadOrdProp(obj, name) : 0;
}

TColor GetColorPropRGB(rtl::TObject* obj, std::string_view name) {
  return gui::ColorToRGB(TColor(GetOrdPropIfExists(obj, name)));
}

LRESULT GetTopParentAnswer(HWND wnd) {
  HWND top = wnd;
  while (HWND p = GetParent(top)) top = p;
  return top ? SendSkinCommand(top, AC_ADDTOADAPTER) : 0;
}

void UpdateScrollWnd(TsScrollWndData& d, std::unique_ptr<TacScrollWnd>& wnd) {
  auto* c = dynamic_cast<gui::TWinControl*>(d.FControl);
  if (!c || (c->ComponentState() & (rtl::csLoading | rtl::csDestroying | rtl::csDesigning)) || !c->HandleAllocated())
    return;
  const TScrollBarFunctions& fn = ScrollBarFunctions();
  if (d.IsSkinned()) {
    if (fn.InitializeFlatSB) fn.InitializeFlatSB(c->Handle());
    if (wnd && wnd->Released()) wnd.reset();
    if (!wnd) {
      wnd = std::make_unique<TacScrollWnd>();
      wnd->InstallControl(c, &d, true);
      wnd->AfterCreation();
    }
  } else {
    wnd.reset();
    if (fn.UninitializeFlatSB) fn.UninitializeFlatSB(c->Handle());
  }
}

void UpdateEditWnd(TsScrollWndData& d, std::unique_ptr<TacEditWnd>& wnd) {
  auto* c = dynamic_cast<gui::TWinControl*>(d.FControl);
  if (!c || (c->ComponentState() & (rtl::csLoading | rtl::csDestroying | rtl::csDesigning)) || !c->HandleAllocated())
    return;
  if (d.IsSkinned()) {
    if (wnd && wnd->Released()) wnd.reset();
    if (!wnd) {
      wnd = std::make_unique<TacEditWnd>();
      wnd->HookControl(c, d);
    }
  } else {
    wnd.reset();
  }
}

void PaintThroughErase(HWND wnd, gui::TMessage& msg) {
  InvalidateRect(wnd, nullptr, TRUE);
  PAINTSTRUCT ps;
  BeginPaint(wnd, &ps);
  EndPaint(wnd, &ps);
  msg.Result = 0;
}

bool AnswerWholePaint(HWND wnd, gui::TMessage& msg, const std::function<void(HDC, bool)>& paint,
                      LRESULT printResult) {
  switch (msg.Msg) {
    case WM_ERASEBKGND:
      if (IsWindowVisible(wnd)) paint(reinterpret_cast<HDC>(msg.WParam), false);
      msg.Result = 1;
      return true;
    case WM_NCPAINT:
      msg.Result = 0;
      return true;
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(msg.WParam), true);
      msg.Result = printResult;
      return true;
    default:
      return false;
  }
}

}  // namespace skin
