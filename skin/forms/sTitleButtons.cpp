#include "skin/forms/sTitleButtons.h"

#include <algorithm>

#include "skin/core/acControlPaint.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"

namespace skin {

namespace {

void RepaintTitleOf(TsSkinProvider* p) {
  if (!p || !p->Form() || (p->ComponentState() & rtl::csLoading) || !p->SkinData()) return;
  p->SkinData()->FCacheInvalid = true;
  if (p->Form()->HandleAllocated())
    RedrawWindow(p->Form()->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

}  // namespace

// ---------------------------------------------------------------- user title buttons

TsTitleButton::TsTitleButton(rtl::TCollection* collection)
    : rtl::TCollectionItem(collection), name_("TsTitleButton"), glyph_(std::make_unique<gui::TBitmap>(0, 0)) {
  Data.HitCode = kHitUserButton + Index();
}

TsTitleButton::~TsTitleButton() { delete Data.Animation; }

TsSkinProvider* TsTitleButton::Provider() const {
  auto* c = dynamic_cast<TsTitleButtons*>(Collection());
  return c ? c->Provider() : nullptr;
}

void TsTitleButton::SetName(const std::string& name) {
  if (name != name_) name_ = name;
}

void TsTitleButton::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  RepaintTitleOf(Provider());
}

void TsTitleButton::SetGlyph(const gui::TBitmap* glyph) {
  // A picture without alpha keeps its own format: its bottom-left colour is its key.
  const gui::TPixelFormat pf = glyph ? glyph->PixelFormat() : gui::pf32bit;
  glyph_ = std::make_unique<gui::TBitmap>(glyph ? glyph->Width() : 0, glyph ? glyph->Height() : 0, pf);
  if (glyph && !glyph->Empty())
    BitBlt(glyph_->Canvas().Handle(), 0, 0, glyph->Width(), glyph->Height(),
           const_cast<gui::TBitmap*>(glyph)->Canvas().Handle(), 0, 0, SRCCOPY);
  delete Data.Animation;
  Data.Animation = nullptr;
}

void TsTitleButton::DoMouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TsTitleButton::DoMouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TsTitleButton::AssignTo(rtl::TPersistent* dest) const {
  auto* d = dynamic_cast<TsTitleButton*>(dest);
  // Assigning nothing reaches here with the button itself as destination.
  if (!d || d == this) {
    rtl::TCollectionItem::AssignTo(dest);
    return;
  }
  d->Enabled = Enabled;
  d->SetGlyph(glyph_.get());
  d->Hint = Hint;
  d->SetName(name_);
  d->UseSkinData = UseSkinData;
  d->OnMouseDown = OnMouseDown;
  d->OnMouseUp = OnMouseUp;
}

TsTitleButtons::TsTitleButtons(TsSkinProvider* provider)
    : rtl::TCollection([](rtl::TCollection* c) { return new TsTitleButton(c); }, provider), provider_(provider) {}

TsTitleButtons::~TsTitleButtons() {
  provider_ = nullptr;
  Clear();
}

TsTitleButton* TsTitleButtons::ByHitCode(int32_t code) const {
  const int32_t i = code - kHitUserButton;
  return i >= 0 && i < Count() ? Items(i) : nullptr;
}

void DrawUserGlyph(TBitmap32& px, gui::TBitmap& glyph, const gui::TRect& r, bool pressed) {
  if (glyph.Empty()) return;
  const int shift = pressed ? 1 : 0;
  const int x = r.Left + (r.Width() - glyph.Width()) / 2 + shift, y = r.Top + (r.Height() - glyph.Height()) / 2 + shift;
  if (glyph.PixelFormat() == gui::pf32bit) {
    TBitmap32 g = Pixels32(glyph);
    AlphaBlendRect(px, g, g.Bounds(), {x, y}, 255);
    return;
  }
  auto g32 = CopyBitmap32(glyph);
  TBitmap32 g = Pixels32(*g32);
  GdiFlush();
  const uint32_t key = g.At(0, g.Height() - 1) & 0xFFFFFF;
  for (int j = 0; j < g.Height(); ++j)
    for (int i = 0; i < g.Width(); ++i)
      if (x + i >= 0 && y + j >= 0 && x + i < px.Width() && y + j < px.Height() && (g.At(i, j) & 0xFFFFFF) != key) px.At(x + i, y + j) = g.At(i, j) | 0xFF000000u;
}

// ---------------------------------------------------------------- the fade window

void ShowFadePicture(std::unique_ptr<TacGlowForm>& window, gui::TBitmap& picture, const RECT& r, HWND ref, BYTE alpha) {
  const bool topmost = ref && (GetWindowLongPtrW(ref, GWL_EXSTYLE) & WS_EX_TOPMOST);
  if (!window) {
    window = std::make_unique<TacGlowForm>(nullptr);
    window->HandleNeeded();
    const LONG_PTR ex = GetWindowLongPtrW(window->Handle(), GWL_EXSTYLE);
    SetWindowLongPtrW(window->Handle(), GWL_EXSTYLE, ex | WS_EX_TRANSPARENT | (topmost ? WS_EX_TOPMOST : 0));
  }
  if (!window->HandleAllocated()) return;
  HWND wnd = window->Handle();
  // A picture wider than the place (a glow) stands out by half the difference each side.
  const int dx = (picture.Width() - (r.right - r.left)) / 2, dy = (picture.Height() - (r.bottom - r.top)) / 2;
  POINT at{r.left - dx, r.top - dy};
  HWND anchor = topmost ? HWND_TOPMOST : GetWindow(ref, GW_HWNDPREV);
  SetWindowPos(wnd, anchor, 0, 0, 0, 0, 0x613);
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  UpdateLayeredImage(wnd, picture, alpha, &at);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
}

// ---------------------------------------------------------------- the title-button fade

TacSBAnimation::TacSBAnimation(rtl::TComponent* owner) : gui::TTimer(owner) {
  SetEnabled(false);
  SetInterval(12);
  OnTimer = [this](rtl::TObject*) { Tick(); };
}

TacSBAnimation::~TacSBAnimation() {
  SetEnabled(false);
  Window.reset();
  Image.reset();
  if (Button && Button->Animation == this) Button->Animation = nullptr;
}

int32_t TacSBAnimation::GlowMargin() const {
  TsSkinManager* m = SkinData ? SkinData->GetSkinManager() : nullptr;
  TacSkinData* sd = SkinData ? SkinData->GetScaledSkin() : nullptr;
  if (!m || !sd || !Button || !m->Effects.AllowGlowing || State != 1 || Button->GlyphIndex > 4) return 0;
  if (Button->HitCode != kHitMin && Button->HitCode != kHitMax && Button->HitCode != kHitClose) return 0;
  return sd->TitleBtnGlowMargins[Button->GlyphIndex];
}

int32_t TacSBAnimation::GlowElement() const {
  TacSkinData* sd = SkinData ? SkinData->GetScaledSkin() : nullptr;
  if (!sd || GlowMargin() <= 0) return -1;
  const TacIntArray& glows = sd->TitleBtnGlows[Button->GlyphIndex];
  return !glows.empty() && glows[0] >= 0 && size_t(glows[0]) < sd->Masks.size() ? glows[0] : -1;
}

RECT TacSBAnimation::ImageRect() const {
  RECT w{};
  if (Wnd) GetWindowRect(Wnd, &w);
  if (!Button) return w;
  RECT r{w.left + Button->Rect.Left, w.top + Button->Rect.Top, w.left + Button->Rect.Right, w.top + Button->Rect.Bottom};
  if (const int32_t e = GlowElement(); e >= 0) {
    const TsMaskData& g = SkinData->GetScaledSkin()->Masks[size_t(e)];
    const int32_t m = GlowMargin();
    r = {r.left - m, r.top - m, r.left - m + g.FrameWidth, r.top - m + g.FrameHeight};
  }
  return r;
}

void TacSBAnimation::MakeImage() {
  if (State == 0 && Image) return;
  const RECT r = ImageRect();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  if (!Image) Image = CreateBitmap32(w, h);
  TBitmap32 px = Pixels32(*Image);
  GdiFlush();
  FillBitmapRect(px, px.Bounds(), 0, 0);
  TacSkinData* sd = SkinData ? SkinData->GetScaledSkin() : nullptr;
  const int glyph = Button ? Button->GlyphIndex : -1;
  if (const int32_t e = GlowElement(); e >= 0) {
    // A glowing button shows its glow picture, the glyph drawn into it by the skin.
    const TsMaskData& g = sd->Masks[size_t(e)];
    TSkinOnBitmap skin(SkinData->GetSkinManager(), sd, *Image);
    const TBitmap32* from = g.Image ? g.Image : skin.Source.Master;
    for (int y = 0; y < std::min(px.Height(), g.FrameHeight); ++y)
      for (int x = 0; x < std::min(px.Width(), g.FrameWidth); ++x) {
        const int sx = g.SrcRect.Left + x, sy = g.SrcRect.Top + y;
        if (from && sx >= 0 && sy >= 0 && sx < from->Width() && sy < from->Height()) px.At(x, y) = from->At(sx, sy);
      }
  } else if (sd && glyph >= 0 && glyph < int(sd->TitleBtnImages.size())) {
    const int32_t e = sd->TitleBtnImages[size_t(glyph)];
    if (e >= 0 && size_t(e) < sd->Masks.size()) {
      TSkinOnBitmap skin(SkinData->GetSkinManager(), sd, *Image);
      const TacBackgroundCache none;
      DrawMaskGlyph(px, {0, 0}, std::max(0, Button->State), 1, sd->Masks[size_t(e)], skin.Source.Master, none);
      // Fuchsia left by the element is the title's own colour on screen: nothing here.
      for (int y = 0; y < px.Height(); ++y)
        for (int x = 0; x < px.Width(); ++x)
          if (px.At(x, y) == 0x00FF00FFu) px.At(x, y) = 0;
    }
  }
  if (UserGlyph && Button) DrawUserGlyph(px, *UserGlyph, {0, 0, w, h}, Button->State == 2);
}

void TacSBAnimation::Show(int32_t alpha) {
  MakeImage();
  if (!Image) return;
  ShowFadePicture(Window, *Image, ImageRect(), Wnd, BYTE(std::clamp(alpha, 0, 255)));
}

void TacSBAnimation::DropPicture() {
  Window.reset();
  Image.reset();
}

void TacSBAnimation::Finished() { DropPicture(); }

bool TacSBAnimation::MouseLeft() {
  if (!Button || !Wnd) return false;
  POINT c{};
  GetCursorPos(&c);
  RECT w{};
  GetWindowRect(Wnd, &w);
  const int x = c.x - w.left, y = c.y - w.top;
  const gui::TRect& r = Button->Rect;
  if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return false;
  SetEnabled(false);
  SendMessageW(Wnd, WM_MOUSELEAVE, 0, 0);
  return true;
}

void StartTitleButtonFade(rtl::TComponent* owner, HWND wnd, TsCommonData* skinData, TacTitleButtonData& button,
                          int32_t steps, gui::TBitmap* userGlyph) {
  TsSkinManager* m = skinData ? skinData->GetSkinManager() : nullptr;
  const int32_t count = std::max(1, m && m->Effects.AllowAnimation ? steps : 0);
  TacSBAnimation* a = button.Animation;
  if (!a) {
    a = new TacSBAnimation(owner);
    button.Animation = a;
    a->Wnd = wnd, a->SkinData = skinData, a->Button = &button, a->UserGlyph = userGlyph;
  }
  a->StepCount = count;
  a->ChangeState(button.State, true);
}

}  // namespace skin
