#include "skin/graphics/acHintWindow.h"

#include <algorithm>

#include "skin/core/acControlUtils.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acHtmlCanvas.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acHintLayout.h"
#include "skin/graphics/acNineParts.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"

namespace skin {

namespace {

TacLayeredUpdate& LayeredUpdate() {
  static TacLayeredUpdate update = [](HWND window, gui::TBitmap& picture, gui::TPoint pos, uint8_t alpha) {
    if (!UpdateLayeredWindowProc) return;
    POINT dst{pos.X, pos.Y}, src{0, 0};
    SIZE size{picture.Width(), picture.Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    UpdateLayeredWindowProc(window, nullptr, &dst, &size, picture.Canvas().Handle(), &src, 0, &blend, ULW_ALPHA);
  };
  return update;
}

TRect SizesRect(const TacBordersSizes& s) { return {s.Left(), s.Top(), s.Right(), s.Bottom()}; }

// The picture of a template that serves a position (a single-picture template uses its
// default one for all).
TacHintImage* PictureFor(TacHintTemplate& t, uint8_t position) {
  if (IsSingleImageTemplate(t)) return &t.ImageDefault;
  switch (position) {
    case 1: return &t.Img_LeftBottom;
    case 2: return &t.Img_RightTop;
    case 3: return &t.Img_RightBottom;
    default: return &t.ImageDefault;
  }
}

std::optional<TRect> MonitorAt(gui::TPoint p) {
  HMONITOR m = MonitorFromPoint(POINT{p.X, p.Y}, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!m || !GetMonitorInfoW(m, &mi)) return std::nullopt;
  return TRect{mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom};
}

// A windowed control's window rectangle; a windowless one's rectangle inside its parent's.
TRect ControlScreenRect(gui::TControl& c) {
  if (auto* w = dynamic_cast<gui::TWinControl*>(&c); w && w->HandleAllocated()) {
    RECT r;
    GetWindowRect(w->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  const gui::TPoint p = c.ClientToScreen({0, 0});
  return {p.X, p.Y, p.X + c.Width(), p.Y + c.Height()};
}

// The text of a bubble: mini-HTML in HTMLMode, else wrapped plain text. With DT_CALCRECT
// R comes back as the text's size.
void DrawHintText(gui::TCanvas& canvas, gui::TRect& r, const std::string& text, bool html, UINT flags,
                  uint8_t alignment) {
  if (!html) {
    const UINT align = alignment == 1 ? DT_RIGHT : alignment == 2 ? DT_CENTER : DT_LEFT;
    canvas.TextRect(r, text, flags | DT_WORDBREAK | DT_NOPREFIX | align);
    return;
  }
  TacCanvasHtml target(canvas);
  TsHtml layout;
  layout.Alignment = static_cast<TAlignment>(alignment <= 2 ? alignment : 0);
  layout.Init(target, text, -1, -1, r);
  TacLinks links;
  gui::TRect out = r;
  layout.Render(links, (flags & DT_CALCRECT) != 0, out);
  if (flags & DT_CALCRECT) r = {r.Left, r.Top, r.Left + out.Width(), r.Top + out.Height()};
}

// The default manager's skin as the section painters read it, for a bubble's section.
struct THintSkin {
  TsSkinManager* Manager = nullptr;
  TacSkinData* Data = nullptr;
  const TsGeneralData* Section = nullptr;
  const TsMaskData* Border = nullptr;  // the section's border element, if any
  TBitmap32 Master;
  TacSectionSource Source(TGradientFills* fills) const { return {Data, Master.HasRows() ? &Master : nullptr, fills}; }
};

std::optional<THintSkin> HintSkin(int skinIndex) {
  TsSkinManager* m = DefaultManager();
  if (skinIndex < 0 || !m || !m->IsSkinLoaded()) return std::nullopt;
  THintSkin s;
  s.Manager = m;
  s.Data = m->GetSkinDataForPPI(GetSkinPPI(m, nullptr, false));
  if (!s.Data || size_t(skinIndex) >= s.Data->Sections.size()) return std::nullopt;
  s.Section = &s.Data->Sections[size_t(skinIndex)];
  if (s.Section->BorderIndex >= 0 && size_t(s.Section->BorderIndex) < s.Data->Masks.size())
    s.Border = &s.Data->Masks[size_t(s.Section->BorderIndex)];
  if (m->MasterBitmap()) s.Master = Pixels32(*m->MasterBitmap());
  return s;
}

// Each side's border of a skinned bubble (Left, Top, Right, Bottom): the border element's,
// and the outer effects' offsets when the section has them.
TRect SkinBorders(const THintSkin& s, bool outer) {
  TRect b;
  if (s.Border) b = {s.Border->BorderLeft, s.Border->BorderTop, s.Border->BorderRight, s.Border->BorderBottom};
  if (outer) {
    const TsGeneralData& g = *s.Section;
    b = {b.Left + g.OuterOffsetL, b.Top + g.OuterOffsetT, b.Right + g.OuterOffsetR, b.Bottom + g.OuterOffsetB};
  }
  return b;
}

const TsGenState& NormalState(const THintSkin& s) { return s.Section->StateParams[0]; }

// The font of a skinned bubble: the hint font at the size hints get.
void HintFont(gui::TFont& font) {
  const gui::TFont fresh;
  font.Assign(&fresh);
  ScaleHintFont(font, false);
}

gui::TPoint MousePos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

// The windowed control of ours under the mouse; bubbles, which let the mouse through,
// do not count. Another program's window is nobody's here: the control a window property
// names is an address in the window's own process.
gui::TWinControl* ControlUnderMouse() {
  POINT p{};
  GetCursorPos(&p);
  HWND h = WindowFromPoint(p);
  DWORD pid = 0;
  if (!h || !GetWindowThreadProcessId(h, &pid) || pid != GetCurrentProcessId()) return nullptr;
  if (GetWindowLongPtrW(GetAncestor(h, GA_ROOT), GWL_EXSTYLE) & WS_EX_TRANSPARENT) return nullptr;
  for (; h; h = GetParent(h))
    if (gui::TWinControl* c = gui::TWinControl::FromHandle(h)) return c;
  return nullptr;
}

// A bare borderless form that shows a layered picture above everything and lets the mouse
// through.
gui::TForm* CreateBackWindow(rtl::TComponent* owner, const gui::TRect& r) {
  auto* f = new gui::TForm(owner);
  f->BorderStyle = gui::TFormBorderStyle::bsNone;
  HWND h = f->Handle();
  SetWindowLongPtrW(h, GWL_EXSTYLE,
                    GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_LAYERED |
                        WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  SetWindowLongPtrW(h, GWL_STYLE, (GetWindowLongPtrW(h, GWL_STYLE) & ~(WS_CAPTION | WS_THICKFRAME)) | WS_POPUP);
  SetWindowPos(h, HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  return f;
}

}  // namespace

TacLayeredUpdate SetLayeredUpdate(TacLayeredUpdate update) {
  TacLayeredUpdate old = std::move(LayeredUpdate());
  LayeredUpdate() = std::move(update);
  return old;
}

bool UsesSkin(TacHintController* c) {
  TsSkinManager* m = DefaultManager();
  return c && m && c->UseSkin && m->IsSkinLoaded() && m->GetSkinIndex(c->SkinSection) >= 0;
}

int GetHintSkinIndex(TacHintController* c) {
  if (!UsesSkin(c)) return -1;
  const int index = DefaultManager()->GetSkinIndex(c->SkinSection);
  const auto s = HintSkin(index);
  if (!s) return -1;
  c->SectionHasOuterEffects = s->Section->OuterMode > 2;
  return index;
}

bool UsesSkinAlpha(const TacPngHintWindow& w) {
  if (w.SkinIndex < 0) return true;
  const auto s = HintSkin(w.SkinIndex);
  if (!s || !UpdateLayeredWindowProc) return false;
  return (NormalState(*s).Transparency == 100 && s->Border) || s->Section->OuterMode > 2;
}

int ContentMargin() {
  TsSkinManager* m = DefaultManager();
  return m ? m->ScaleInt(4) : 4;
}

void ScaleHintFont(gui::TFont& font, bool keepHeight) {
  const int n = keepHeight ? font.Height() : -12;
  TsSkinManager* m = DefaultManager();
  if (m && m->Options.ScaleMode() != TacScaleMode::smVCL) {
    font.SetHeight(m->ScaleInt(n));
    return;
  }
  TacHintController* c = HintController();
  gui::TControl* ctl = c ? c->PositionControl : nullptr;
  if (!ctl && gui::Application) ctl = gui::Application->MainForm();
  // Without a control to ask, the height is left unscaled, but the default still applies.
  font.SetHeight(ctl ? MulDiv(n, GetControlPPI(ctl), 96) : n);
}

// ---------------------------------------------------------------- the window

TacPngHintWindow::TacPngHintWindow(rtl::TComponent* owner) : gui::THintWindow(owner) {}
// A window the application lets go takes its bubble with it.
TacPngHintWindow::~TacPngHintWindow() {
  TacHintController* c = Controller();
  if (!c || c->hintWindow_ == this) return;
  if (c->fadeSource_ == this) c->fadeSource_ = nullptr;
  if (alphaImage_ && c->backWindow_) {
    if (c->fadeTimer_) c->fadeTimer_->SetEnabled(false);
    ShowWindow(c->backWindow_->Handle(), SW_HIDE);
  }
}

void TacPngHintWindow::WndProc(gui::TMessage& msg) {
  if (msg.Msg == SM_ALPHACMD) {
    switch (HIWORD(msg.WParam)) {
      case AC_CTRLHANDLED:
        msg.Result = 1;
        return;
      case AC_GETBG: {
        auto* q = reinterpret_cast<TacBackgroundQuery*>(msg.LParam);
        if (!IsCommandRecord(q)) return;
        if (alphaImage_) {
          pictureView_ = Pixels32(*alphaImage_);
          q->Bitmap = &pictureView_;
          q->OffsetX = q->OffsetY = 0;
          q->Kind = bkBitmap;
        } else {
          q->Color = Color();
          q->Kind = bkColor;
        }
        return;
      }
      default:
        break;
    }
  }
  gui::THintWindow::WndProc(msg);
}

TacHintController* TacPngHintWindow::Controller() const {
  if (auto* c = dynamic_cast<TacHintController*>(Owner())) return c;
  TacHintController* c = HintController();
  return c && c->Active() ? c : nullptr;
}

gui::TRect TacPngHintWindow::ShadowMargins() const {
  TacHintController* c = Controller();
  if (!c) return {};
  if (SkinIndex >= 0) {
    // The border's see-through edge reaches over the point, all but its last pixel.
    const auto s = HintSkin(SkinIndex);
    if (!s || !UsesSkinAlpha(*this)) return {};
    const TRect b = SkinBorders(*s, c->SectionHasOuterEffects);
    return {std::max(0, b.Left - 1), std::max(0, b.Top - 1), std::max(0, b.Right - 1), std::max(0, b.Bottom - 1)};
  }
  TacHintTemplate* t = CurrentHintTemplate();
  if (!t) return {};
  return SizesRect(PictureFor(*t, Position)->ShadowSizes);
}

// The content's size: the text wrapped at the width limit in Font, which OnGetSize may change.
gui::TRect TacPngHintWindow::MeasureContent(int maxWidth, const std::string& hint, const gui::TFont& font) {
  TacHintController* c = Controller();
  if (c->ContentWidth != 0) return {0, 0, c->ContentWidth, c->ContentHeight};
  if (gui::TWinControl* content = c->ContentControl()) return {0, 0, content->Width(), content->Height()};
  gui::TBitmap scratch(1, 1);
  scratch.Canvas().Font().Assign(&font);
  gui::TRect r{0, 0, maxWidth, 0};
  DrawHintText(scratch.Canvas(), r, hint.empty() ? std::string(" ") : hint, c->HTMLMode, DT_CALCRECT | DT_VCENTER,
               c->Alignment);
  if (c->OnGetSize) {
    const TacHintInfo info{c->PositionControl, c->HintPos, MousePos()};
    int width = r.Width(), height = r.Height();
    c->OnGetSize(hint, info, width, height);
    r = {r.Left, r.Top, r.Left + width, r.Top + height};
  }
  return r;
}

gui::TRect TacPngHintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
  TacHintController* c = Controller();
  if (!c) return {};
  SkinIndex = GetHintSkinIndex(c);
  if (const auto s = HintSkin(SkinIndex)) {
    // A skinned bubble: the text in the hint font, then the section's borders and margins.
    gui::TFont font;
    HintFont(font);
    gui::TRect r = MeasureContent(maxWidth, hint, font);
    const TRect b = SkinBorders(*s, c->SectionHasOuterEffects);
    const int cm = ContentMargin();
    r.Right += b.Left + b.Right + 2 * cm;
    r.Bottom += b.Top + b.Bottom + 2 * cm;
    if (c->PositionControl) {
      c->HintPos = c->ContentPos;
      if (c->PlaceAtControl)
        c->HintPos = c->AnchorPoint = ComputeAnchorPoint(ControlScreenRect(*c->PositionControl), std::nullopt);
    }
    return r;
  }
  SelectHintImage(c);
  TacHintTemplate* t = CurrentHintTemplate();
  TacHintImage* pic = CurrentHintImage();
  if (!t || !pic) return gui::THintWindow::CalcHintRect(maxWidth, hint, nullptr);
  // The text measured in the template's font, wrapped at the width limit.
  gui::TFont font;
  font.Assign(&t->Font());
  ScaleHintFont(font, true);
  gui::TRect r = MeasureContent(maxWidth, hint, font);
  const TRect margins = SizesRect(pic->ClientMargins);
  r.Right += margins.Left + margins.Right;
  r.Bottom += margins.Top + margins.Bottom;
  if (c->PositionControl) {
    // A positioned hint goes where it was asked, or points at its control's edge.
    c->HintPos = c->ContentPos;
    if (c->PlaceAtControl) {
      TacAnchorPicture a{t->HintAlign == TacHintAlign::haVertCenter,
                         static_cast<uint8_t>(pic == &t->Img_LeftBottom    ? 1
                                              : pic == &t->Img_RightTop    ? 2
                                              : pic == &t->Img_RightBottom ? 3
                                                                           : 0),
                         SizesRect(pic->ShadowSizes),
                         {pic->OffsetHorz(), pic->OffsetVert()}};
      c->HintPos = c->AnchorPoint = ComputeAnchorPoint(ControlScreenRect(*c->PositionControl), a);
    }
    return r.Offset(c->HintPos.X, c->HintPos.Y);
  }
  const gui::TPoint p = (c->HintPos.X != 0 && c->HintPos.Y != 0) ? c->HintPos
                        : c->AnchorPoint.X == -1                  ? MousePos()
                                                                  : c->AnchorPoint;
  r = r.Offset(p.X - r.Left, p.Y - r.Top);
  const TacHintFit fit = IsSingleImageTemplate(*t) ? TacHintFit::SinglePicture : TacHintFit::CornerPictures;
  Position = PlaceHint(r, p, c->PreferredPosition, MonitorAt(p), ShadowMargins(), fit);
  const TRect m = ShadowMargins();
  return r.Offset(-m.Left, -m.Top);
}

void TacPngHintWindow::PrepareHintBitmap(int width, int height) {
  if (SkinIndex >= 0) return PrepareSkinnedBitmap(width, height);
  if (HandleAllocated()) SetWindowRgn(Handle(), nullptr, FALSE);
  alphaImage_ = CreateBitmap32(width, height);
  TacHintTemplate* t = CurrentHintTemplate();
  if (!t) return;
  TacHintImage* pic = PictureFor(*t, Position);
  if (pic->Image().Empty() && !pic->ImgData().Bytes().empty()) pic->LoadImageData();
  if (!pic->Image().Empty()) {
    gui::TBitmap source;
    PngToAlphaBitmap(source, pic->Image());
    TBitmap32 dst = Pixels32(*alphaImage_), src = Pixels32(source);
    const TacBorderDrawModes& modes = pic->BorderDrawModes;
    const auto mode = [&](int i) { return modes.Get(i) == TacBorderDrawMode::dmStretch ? 1 : 0; };
    DrawBitmapNineParts(dst, src, {0, 0, width, height}, {0, 0, source.Width(), source.Height()},
                        SizesRect(pic->BordersWidths), {255, 255, 255, 255}, {mode(1), mode(0), mode(3), mode(2)},
                        mode(4) == 1, true);
  }
  // Text drawn by GDI leaves its pixels' alpha at 0: the picture's alpha is put back after.
  const TBitmap32 before = Pixels32(*alphaImage_).Clone();
  gui::TCanvas& canvas = alphaImage_->Canvas();
  canvas.Font().Assign(&t->Font());
  if (canvas.Font().Color() & 0xFF000000) canvas.Font().SetColor(gui::clBlack);
  canvas.Brush().SetStyle(gui::bsClear);
  ScaleHintFont(canvas.Font(), true);
  const TRect m = SizesRect(pic->ClientMargins);
  gui::TRect content{m.Left, m.Top, width - m.Right, height - m.Bottom};
  TacHintController* c = Controller();
  std::string text = hintText_;
  switch (DrawContent(*alphaImage_, content, text)) {
    case TContentDrawn::HintText:
      content = content.Offset(-1, 0);
      DrawHintText(canvas, content, text, c && c->HTMLMode, 0, c ? c->Alignment : 0);
      break;
    case TContentDrawn::ContentText:
      DrawHintText(canvas, content, text, c && c->HTMLMode, DT_VCENTER, c ? c->Alignment : 0);
      break;
    case TContentDrawn::All:
      break;
  }
  TBitmap32 px = Pixels32(*alphaImage_);
  CopyChannel32(px, before, 3);
  PremultiplyBitmap(px, false);
}

// A bubble drawn from the skin section: its mask (what the section leaves of the background)
// shapes the window, and the picture is the section with the text, see-through where the
// mask is.
void TacPngHintWindow::PrepareSkinnedBitmap(int width, int height) {
  alphaImage_ = CreateBitmap32(width, height);
  TacHintController* c = Controller();
  const auto s = HintSkin(SkinIndex);
  if (!c || !s) return;
  TGdiGradientFills fills(alphaImage_->Canvas().Handle());
  const TacSectionSource source = s->Source(&fills);
  const TRect whole{0, 0, width, height};
  SectionHasAlpha = s->Border && (s->Border->PaintFlags & pfAlphaPicture) != 0;

  // The mask: white where the section leaves the marker colour of the background.
  constexpr TColor kMarker = 0x00FF00FE;
  auto mask = CreateBitmap32(width, height);
  TBitmap32 maskPx = Pixels32(*mask);
  if (!SectionHasAlpha) {
    TacBackgroundCache marker;
    marker.FillColor = kMarker;
    PaintSkinSection(source, SkinIndex, marker, 0, whole, {0, 0}, maskPx);
    const TPixel key = SwapRB(kMarker) & 0xFFFFFF;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        maskPx.At(x, y) = (maskPx.At(x, y) & 0xFFFFFF) == key ? 0x00FFFFFF : 0;
    GdiFlush();
    SetWindowRgn(Handle(), CreateRegionWithoutColor(*mask, 0xFFFFFF), FALSE);
  }

  const bool outer = c->SectionHasOuterEffects && s->Section->OuterIndex >= 0 &&
                     size_t(s->Section->OuterIndex) < s->Data->Masks.size();
  const bool clearBorder = NormalState(*s).Transparency == 100 && s->Border;
  TBitmap32 alpha = Pixels32(*alphaImage_);
  if (outer) {
    // The outer effect around the body, the section inside it, both with their alpha.
    const TsGeneralData& g = *s->Section;
    FillBitmapRect(alpha, whole, 0, 0);
    DrawSkinMaskBlended(alpha, whole, TacBackgroundCache(), s->Data->Masks[size_t(g.OuterIndex)], source.Master, 0,
                        {g.OuterOffsetL, g.OuterOffsetT, g.OuterOffsetR, g.OuterOffsetB}, g.OuterOpacity);
    const TRect body{std::clamp(g.OuterOffsetL, 0, width), std::clamp(g.OuterOffsetT, 0, height),
                     std::clamp(width - g.OuterOffsetR, 0, width), std::clamp(height - g.OuterOffsetB, 0, height)};
    if (!body.IsEmpty()) PaintSkinSectionAlpha(source, SkinIndex, 0, body, alpha);
    DrawSkinnedText(*alphaImage_, true);
    PremultiplyBitmap(alpha, false);
    return;
  }
  if (clearBorder) {
    // Only the border element shows, over the whole bubble, with its own alpha.
    const TsMaskData& b = *s->Border;
    DrawSkinMaskAlpha(alpha, whole, TacBackgroundCache(), b, source.Master, 0);
    DrawSkinnedText(*alphaImage_, true);
    PremultiplyBitmap(alpha, false);
    return;
  }
  PaintSkinSection(source, SkinIndex, TacBackgroundCache(), 0, whole, {0, 0}, alpha);
  DrawSkinnedText(*alphaImage_, false);
  GdiFlush();
  // Opaque but where the mask leaves the background or the section its transparent colour;
  // those pixels are cleared whole, or the layered window would add their colour.
  const TPixel fuchsia = SwapRB(clFuchsia) & 0xFFFFFF;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      TPixel& p = alpha.At(x, y);
      const bool clear = (!SectionHasAlpha && ChR(maskPx.At(x, y)) == 0xFF) || (p & 0xFFFFFF) == fuchsia;
      p = clear ? 0 : (p | 0xFF000000u);
    }
}

void TacPngHintWindow::DrawSkinnedText(gui::TBitmap& bmp, bool alphaMode) {
  TacHintController* c = Controller();
  const auto s = HintSkin(SkinIndex);
  if (!c || !s) return;
  const TRect b = SkinBorders(*s, c->SectionHasOuterEffects);
  const int cm = ContentMargin();
  gui::TRect r{b.Left + cm, b.Top + cm, bmp.Width() - b.Right - cm, bmp.Height() - b.Bottom - cm};
  HintFont(bmp.Canvas().Font());
  std::string text = hintText_;
  const TContentDrawn drawn = DrawContent(bmp, r, text);
  if (drawn == TContentDrawn::All) return;
  const UINT vcenter = drawn == TContentDrawn::ContentText ? DT_VCENTER : 0;
  if (drawn == TContentDrawn::HintText) r = r.Offset(-1, 0);
  const UINT align = c->Alignment == 1 ? DT_RIGHT : c->Alignment == 2 ? DT_CENTER : DT_LEFT;
  if (c->HTMLMode) {
    TColor color = NormalState(*s).FontColor;
    if (color & 0xFF000000) color = gui::clBlack;
    bmp.Canvas().Font().SetColor(gui::TColor(color));
    bmp.Canvas().Brush().SetStyle(gui::bsClear);
    DrawHintText(bmp.Canvas(), r, text, true, vcenter, c->Alignment);
    return;
  }
  const UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | vcenter | align;
  WriteSkinTextOnBitmap(bmp, text, alphaMode, r, flags, s->Data, SkinIndex, 0);
}

// Fixed content puts its picture by PicturePosition and leaves R as the place of its text,
// centred in what the picture leaves; OnPaintContent may draw everything itself; a content
// control is painted with its children at R's corner and made opaque there.
TacPngHintWindow::TContentDrawn TacPngHintWindow::DrawContent(gui::TBitmap& bmp, gui::TRect& r, std::string& text) {
  TacHintController* c = Controller();
  if (!c) return TContentDrawn::HintText;
  if (c->ContentWidth != 0) {
    text = c->ContentText;
    gui::TRect rest = r;
    if (gui::TGraphic* pic = c->ContentPicture; pic && !pic->Empty()) {
      const int w = pic->Width(), h = pic->Height();
      gui::TPoint at;
      switch (c->PicturePosition) {
        case 1:
          at = {r.Left + (r.Width() - w) / 2, r.Top};
          rest.Top = at.Y + h + 4;
          break;
        case 2:
          at = {r.Right - w, r.Top + (r.Height() - h) / 2};
          rest.Right = at.X - 4;
          break;
        case 3:
          at = {r.Left + (r.Width() - w) / 2, r.Bottom - h};
          rest.Bottom = at.Y - 4;
          break;
        default:
          at = {r.Left, r.Top + (r.Height() - h) / 2};
          rest.Left = at.X + w + 4;
          break;
      }
      auto* b = dynamic_cast<gui::TBitmap*>(pic);
      if (b && b->PixelFormat() == gui::pf32bit) {
        TBitmap32 dst = Pixels32(bmp), src = Pixels32(*b);
        DrawAlphaImage({at.X, at.Y, at.X + w, at.Y + h}, {0, 0, w, h}, dst, src, TacBackgroundCache(), false, clNone,
                       0, false);
      } else {
        pic->Draw(bmp.Canvas(), {at.X, at.Y, at.X + w, at.Y + h});
      }
    }
    gui::TRect size{0, 0, std::max(0, rest.Width()), 0};
    bmp.Canvas().TextRect(size, text.empty() ? std::string(" ") : text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int dx = std::max(0, (rest.Width() - size.Width()) / 2), dy = std::max(0, (rest.Height() - size.Height()) / 2);
    r = {rest.Left + dx, rest.Top + dy, std::min(rest.Right, rest.Left + dx + size.Width()),
         std::min(rest.Bottom, rest.Top + dy + size.Height())};
    return TContentDrawn::ContentText;
  }
  if (c->OnPaintContent) {
    bool doDefault = true;
    gui::TControl* hintControl = c->PositionControl;
    c->OnPaintContent(hintText_, hintControl, doDefault, bmp, r);
    if (!doDefault) return TContentDrawn::All;
  }
  gui::TWinControl* content = c->ContentControl();
  if (!content) return TContentDrawn::HintText;
  content->SetVisible(false);
  content->SetBounds(r.Left, r.Top, content->Width(), content->Height());
  content->SetParent(this);
  content->SetVisible(true);
  content->HandleNeeded();
  HDC dc = bmp.Canvas().Handle();
  POINT old;
  SetWindowOrgEx(dc, -r.Left, -r.Top, &old);
  PaintControlToBitmap(bmp, content, r.Left, r.Top, false);
  SetWindowOrgEx(dc, old.x, old.y, nullptr);
  SelectClipRgn(dc, nullptr);
  GdiFlush();
  TBitmap32 px = Pixels32(bmp);
  const gui::TRect painted{r.Left, r.Top, std::min(bmp.Width(), r.Left + content->Width()),
                           std::min(bmp.Height(), r.Top + content->Height())};
  for (int y = std::max(0, painted.Top); y < painted.Bottom; ++y)
    for (int x = std::max(0, painted.Left); x < painted.Right; ++x) px.At(x, y) |= 0xFF000000u;
  return TContentDrawn::All;
}

void TacPngHintWindow::ActivateHint(gui::TRect rect, const std::string& hint) {
  TacHintController* c = Controller();
  if (!c) return gui::THintWindow::ActivateHint(rect, hint);
  hintText_ = hint;
  const gui::TPoint p = (c->HintPos.X != 0 && c->HintPos.Y != 0) ? c->HintPos : gui::TPoint{rect.Left, rect.Top};
  const int w = rect.Width(), h = rect.Height();
  TRect m = ShadowMargins();
  rect = rect.Offset(p.X - rect.Left - m.Left, p.Y - rect.Top - m.Top);
  TacHintTemplate* t = CurrentHintTemplate();
  const TacHintFit fit = SkinIndex >= 0                          ? TacHintFit::Skin
                         : t && !IsSingleImageTemplate(*t)        ? TacHintFit::CornerPictures
                                                                  : TacHintFit::SinglePicture;
  Position = PlaceHint(rect, p, c->PreferredPosition, MonitorAt(p), m, fit);
  // Above the point a template's bubble keeps clear of the mouse pointer.
  if (SkinIndex < 0 && (Position == 1 || Position == 3) && !c->PlaceAtControl) rect = rect.Offset(0, -16);
  rect = {rect.Left, rect.Top, rect.Left + w, rect.Top + h};
  c->HintRect = rect;

  // The picture still on screen, if this window showed the last bubble: a new bubble at
  // another place slides from there while it fades away.
  std::unique_ptr<gui::TBitmap> previous = std::move(alphaImage_);
  PrepareHintBitmap(w, h);
  gui::TRect start = rect;
  if (c->backWindow_) {
    RECT br;
    GetWindowRect(c->backWindow_->Handle(), &br);
    if (IsWindowVisible(c->backWindow_->Handle())) start = {br.left, br.top, br.right, br.bottom};
  } else {
    c->backWindow_ = CreateBackWindow(c, rect);
  }
  HWND back = c->backWindow_->Handle();
  if (c->Animated) {
    // A see-through section fades in only as far as its transparency lets it.
    const auto skin = HintSkin(SkinIndex);
    c->fade_.Start(skin ? NormalState(*skin).Transparency : -1, start, rect);
    if (start != rect && previous && c->fadeSource_ == this) c->previousImage_ = std::move(previous);
    c->fadeSource_ = this;
    if (!c->fadeTimer_) {
      c->fadeTimer_ = new TacThreadedTimer(c);
      c->fadeTimer_->SetOnTimer([c](rtl::TObject*) { c->FadeStep(); });
    }
    c->fadeTimer_->SetInterval(TacHintFade::kIntervalMs);
    c->fadeTimer_->SetEnabled(true);
    // The next hint comes quickly while bubbles fade in; the pause comes back once none
    // is shown.
    if (gui::Application) {
      if (c->savedHintPause_ == 0) c->savedHintPause_ = gui::Application->HintPause;
      gui::Application->HintPause = 100;
    }
    if (c->pauseTimer_) c->pauseTimer_->SetEnabled(false);
  } else {
    c->fadeSource_ = this;
    LayeredUpdate()(back, *alphaImage_, {rect.Left, rect.Top}, 255);
    SetWindowPos(back, HWND_TOPMOST, rect.Left, rect.Top, w, h,
                 SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
  c->AnchorPoint.X = -1;
}

// ---------------------------------------------------------------- the controller

namespace {
TacHintController* g_controller = nullptr;
}

TacHintController* HintController() { return g_controller; }

TacHintController::TacHintController(rtl::TComponent* owner) : rtl::TComponent(owner) { g_controller = this; }

TacHintController::~TacHintController() {
  SetActive(false);
  FreeContentControl();
  if (g_controller == this) g_controller = nullptr;
}

void TacHintController::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  // The engine's quick hints and hovered controls show their hints through this bubble.
  if (v)
    ActiveHintShow = [this](gui::TPoint p, const std::string& text) -> gui::THintWindow* {
      ShowHintAt(p, text, gui::Application ? gui::Application->HintHidePause : 2500);
      return hintWindow_;
    };
  else
    ActiveHintShow = nullptr;
  if (!gui::Application) return;
  gui::Application->HintWindowClass =
      v ? gui::THintWindowClass::Of<TacPngHintWindow>() : gui::THintWindowClass{};
}

void TacHintController::FadeStep() {
  TacPngHintWindow* source = fadeSource_;
  if (!backWindow_ || !source || !source->AlphaImage()) {
    if (fadeTimer_) fadeTimer_->SetEnabled(false);
    return;
  }
  gui::TBitmap& picture = *source->AlphaImage();
  const auto show = [](gui::TForm* window, HWND after, gui::TBitmap& pic, gui::TPoint pos, uint8_t alpha) {
    LayeredUpdate()(window->Handle(), pic, pos, alpha);
    SetWindowPos(window->Handle(), after, pos.X, pos.Y, pic.Width(), pic.Height(),
                 SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  };
  const TacHintFade::TFrame f = fade_.Step();
  if (f.Done) {
    fadeTimer_->SetEnabled(false);
    if (fadeWindow_) {  // the window of the new picture stays
      delete backWindow_;
      backWindow_ = fadeWindow_;
      fadeWindow_ = nullptr;
    }
    previousImage_.reset();
    show(backWindow_, HWND_TOPMOST, picture, {HintRect.Left, HintRect.Top}, f.Alpha);
  } else if (f.Slides && previousImage_) {
    // The old picture fades out and the new one in, both on their way to the new place.
    if (!fadeWindow_) fadeWindow_ = CreateBackWindow(this, {f.Pos.X, f.Pos.Y, f.Pos.X + 1, f.Pos.Y + 1});
    show(backWindow_, HWND_TOPMOST, *previousImage_, f.Pos, f.BackAlpha);
    show(fadeWindow_, backWindow_->Handle(), picture, f.Pos, f.Alpha);
  } else {
    show(backWindow_, HWND_TOPMOST, picture, f.Slides ? f.Pos : gui::TPoint{HintRect.Left, HintRect.Top}, f.Alpha);
  }
}

void TacHintController::ShowHintAt(gui::TPoint p, const std::string& text, int hideTimeout) {
  if (showing_) return;
  showing_ = true;
  struct Guard {
    bool& b;
    ~Guard() { b = false; }
  } guard{showing_};
  if (fadeTimer_) fadeTimer_->SetEnabled(false);
  gui::TWinControl* ctl = ControlUnderMouse();
  if (ctl != lastControl_) HideHint();
  lastControl_ = ctl;
  if (!hintWindow_) hintWindow_ = new TacPngHintWindow(this);
  HintPos = p;
  // MaxWidth counts at 96 pixels per inch: the limit grows with the skin's.
  int limit = MulDiv(GetSkinPPI(nullptr, hintWindow_, false), MaxWidth, 96);
  if (limit < 1) limit = GetSystemMetrics(SM_CXSCREEN);
  gui::TRect r = hintWindow_->CalcHintRect(limit, text, nullptr);
  std::string hintText = text;
  if (OnShowHint) {
    bool canShow = true;
    TacHintInfo info{PositionControl, HintPos, MousePos()};
    FreeContentControl();
    gui::TWinControl* content = nullptr;
    OnShowHint(hintText, canShow, content, info);
    contentControl_ = content;
    // A handler that refuses the hint gets none.
    if (!canShow) {
      HideHint();
      return;
    }
    if (hintText != text || contentControl_) r = hintWindow_->CalcHintRect(limit, hintText, nullptr);
    HintPos = info.HintPos;
  }
  hintWindow_->ActivateHint(r, hintText);
  HintPos = {0, 0};
  // A positioned hint stays while the mouse is over its own control.
  if (auto* w = dynamic_cast<gui::TWinControl*>(PositionControl)) lastControl_ = w;
  StartHideTimer(hideTimeout);
}

void TacHintController::StartHideTimer(int timeout) {
  if (!hideTimer_) hideTimer_ = new TacThreadedTimer(this);
  hideTimer_->SetEnabled(false);
  hideTimer_->SetInterval(timeout ? static_cast<unsigned>(timeout) : 300);
  if (timeout) {
    hideTimer_->SetOnTimer([this](rtl::TObject*) { HideHint(); });
  } else {
    // Kept while the mouse stays over the control the bubble was shown for.
    hideTimer_->SetOnTimer([this](rtl::TObject*) {
      if (lastControl_ && ControlUnderMouse() == lastControl_) return;
      HideHint();
      lastControl_ = nullptr;
    });
  }
  hideTimer_->SetEnabled(true);
}

void TacHintController::FreeContentControl() {
  delete contentControl_;
  contentControl_ = nullptr;
}

void TacHintController::HideHint() {
  FreeContentControl();
  if (hideTimer_) hideTimer_->SetEnabled(false);
  if (fadeTimer_) fadeTimer_->SetEnabled(false);
  const bool shown = backWindow_ != nullptr;
  fadeSource_ = nullptr;
  delete hintWindow_;
  hintWindow_ = nullptr;
  delete backWindow_;
  backWindow_ = nullptr;
  delete fadeWindow_;
  fadeWindow_ = nullptr;
  previousImage_.reset();
  if (shown && OnHideHint) OnHideHint(this);
  if (shown) StartPauseTimer();
}

void TacHintController::StartPauseTimer() {
  if (!pauseTimer_) {
    pauseTimer_ = new TacThreadedTimer(this);
    pauseTimer_->SetOnTimer([this](rtl::TObject*) {
      pauseTimer_->SetEnabled(false);
      if (backWindow_ && IsWindowVisible(backWindow_->Handle())) return;
      if (savedHintPause_ != 0 && gui::Application) gui::Application->HintPause = savedHintPause_;
      savedHintPause_ = 0;
    });
  }
  pauseTimer_->SetEnabled(false);
  pauseTimer_->SetInterval(static_cast<unsigned>((gui::Application ? gui::Application->HintShortPause : 0) + 300));
  pauseTimer_->SetEnabled(true);
}

}  // namespace skin
