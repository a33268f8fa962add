// The title's options (added text, form header, icon), the provider's user title buttons
// and title-bar items: their places in the title layout, their skin sections and their
// painting into the title image.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acTitleBar.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acShapes.h"
#include "skin/graphics/acShapesGdi.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"

namespace skin {

// ---------------------------------------------------------------- the title's options

void TacAddedTitle::SetFont(const gui::TFont& font) {
  Font.Assign(&font);
  Changed();
}

void TacAddedTitle::SetText(const std::string& text) {
  if (text == Text) return;
  Text = text;
  Changed();
}

void TacAddedTitle::SetShowMainCaption(bool value) {
  if (value == ShowMainCaption) return;
  ShowMainCaption = value;
  Changed();
}

void TacAddedTitle::Changed() {
  if (provider_ && provider_->OptionsLive()) provider_->RedrawNonClient();
}

void TacFormHeader::SetAdditionalHeight(int32_t value) {
  if (value == AdditionalHeight) return;
  AdditionalHeight = value;
  // The band changes the frame's height: the whole image is built again, and shown now,
  // since the provider's skin state has no control of its own to repaint.
  if (provider_ && provider_->OptionsLive() && provider_->SkinData()) {
    provider_->SkinData()->Invalidate();
    provider_->RedrawNonClient();
  }
}

int32_t TacFormHeader::ScaledHeight() const {
  TacSkinData* sd = provider_ && provider_->SkinData() ? provider_->SkinData()->GetScaledSkin() : nullptr;
  return sd ? sd->ScaleInt(AdditionalHeight) : AdditionalHeight;
}

TsTitleIcon::TsTitleIcon() : glyph_(CreateBitmap32(0, 0)) {}

void TsTitleIcon::SetGlyph(const gui::TBitmap* glyph) {
  if (!glyph || glyph->Empty()) {
    glyph_ = CreateBitmap32(0, 0);
  } else {
    glyph_ = CopyBitmap32(const_cast<gui::TBitmap&>(*glyph));  // only read
    if (glyph->PixelFormat() != gui::pf32bit) {
      // A picture without alpha is opaque but for its fuchsia.
      TBitmap32 px = Pixels32(*glyph_);
      GdiFlush();
      for (int y = 0; y < px.Height(); ++y)
        for (int x = 0; x < px.Width(); ++x)
          px.At(x, y) = (px.At(x, y) & 0xFFFFFF) == 0xFF00FF ? 0 : px.At(x, y) | 0xFF000000u;
    }
  }
  if (provider_ && provider_->OptionsLive()) provider_->RedrawNonClient();
}

void TsTitleIcon::SetVisible(bool value) {
  if (value == Visible) return;
  Visible = value;
  if (provider_ && provider_->OptionsLive() && provider_->SkinData() && !provider_->SkinData()->FUpdating)
    provider_->RedrawNonClient();
}

// ---------------------------------------------------------------- user title buttons

TsTitleButtons& TsSkinProvider::TitleButtons() {
  if (!titleButtons_) titleButtons_ = std::make_unique<TsTitleButtons>(this);
  return *titleButtons_;
}

bool TsSkinProvider::HeaderVisible() {
  TacSkinData* sd = skinData_ ? skinData_->GetScaledSkin() : nullptr;
  return FormHeader.AdditionalHeight > 0 && sd && HeaderSkinIndex >= 0 &&
         size_t(HeaderSkinIndex) < sd->Sections.size() && sd->Sections[size_t(HeaderSkinIndex)].States > 1;
}

void TsSkinProvider::AddUserButtons(TacTitleInput& in) {
  if (!titleButtons_) return;
  for (int i = 0; i < titleButtons_->Count(); ++i) {
    TsTitleButton* b = titleButtons_->Items(i);
    in.UserButtons.push_back({b->Visible(), b->UseSkinData, b->Glyph().Empty() ? 0 : b->Glyph().Width()});
  }
}

void TsSkinProvider::TakeTitleExtras(const TacTitleLayout& t) {
  if (titleButtons_)
    for (int i = 0; i < titleButtons_->Count() && size_t(i) < t.User.size(); ++i) {
      TacTitleButtonData& d = titleButtons_->Items(i)->Data;
      const TacTitleButtonPlace& p = t.User[size_t(i)];
      d.Rect = {p.Rect.Left, p.Rect.Top, p.Rect.Right, p.Rect.Bottom};
      d.GlyphIndex = uint8_t(p.GlyphIndex);
      d.HitCode = p.HitCode;
      d.NormalTitle = p.NormalTitle;
    }
  if (!TitleBar) return;
  PrepareTitleBarItems();
  if (!TitleBar->Initialized) TitleBar->UpdateItemSizes();
  const int32_t top = GetOwnBorderWidth(true) + GetShadowSize().Top;
  TitleBar->BarRect = {t.FreeLeft, top, t.FreeRight, TitleBottom};
  TitleBar->FullRight = t.FreeRight;
  TitleBar->BarVCenter = TitleVCenter;
  TitleBar->RecalcLayout();
}

void TsSkinProvider::PrepareTitleBarItems() {
  if (!TitleBar) return;
  TitleBar->Provider = this;
  TsSkinManager* m = skinData_ ? skinData_->GetSkinManager() : nullptr;
  for (int i = 0; i < TitleBar->Items.Count(); ++i) {
    TacTitleBarItem* it = TitleBar->Items.Items(i);
    int32_t index = -1;
    if (m && !it->SkinSection().empty()) index = m->GetSkinIndex(it->SkinSection());
    if (index < 0 && m) {
      switch (it->Style()) {
        case TacBtnStyle::bsButton: index = m->GetSkinIndex("TB_BTN"); break;
        case TacBtnStyle::bsMenu: index = m->GetSkinIndex("TB_MENUBTN"); break;
        case TacBtnStyle::bsTab: index = m->GetSkinIndex("TB_TAB"); break;
        default: break;
      }
    }
    it->SkinIndex = index;
    it->InternalDraw = [this](TacTitleBarItem* item, const gui::TRect& r, gui::TBitmap& bmp) {
      PaintTitleBarItem(item, r, bmp);
    };
  }
}

void TsSkinProvider::PaintTitleBarItems(gui::TBitmap& cache) {
  if (!TitleBar) return;
  for (int i = 0; i < TitleBar->Items.Count(); ++i) {
    TacTitleBarItem* it = TitleBar->Items.Items(i);
    if (it->Visible() && !it->ItemRect.IsEmpty()) PaintTitleBarItem(it, it->ItemRect, cache);
  }
}

bool TsSkinProvider::TitleBarItemHot() {
  return TitleBar && HotItem >= kHitTitleBarItem && HotItem - kHitTitleBarItem < TitleBar->Items.Count();
}

TacTitleBarItem* TsSkinProvider::TitleBarItemOf(int32_t code) {
  if (!TitleBar || code < kHitTitleBarItem || code - kHitTitleBarItem >= TitleBar->Items.Count()) return nullptr;
  return TitleBar->Items.Items(code - kHitTitleBarItem);
}

void TsSkinProvider::ItemHover(int32_t code, bool hot, bool repaint) {
  TacTitleBarItem* item = TitleBarItemOf(code);
  if (!item) return;
  if (hot) {
    if (item->OnMouseEnter) item->OnMouseEnter(item);
    if (gui::Screen) SetCursor(gui::Screen->Cursors(item->Cursor));
    TitleBar->SetItemState(item, 1);
    if (item->ShowHint) TitleBar->ShowItemHint(item);
  } else {
    if (item->OnMouseLeave) item->OnMouseLeave(item);
    if (gui::Screen) SetCursor(gui::Screen->Cursors(gui::crDefault));
    TitleBar->SetItemState(item, 0);
    TitleBar->HideItemHint(item);
  }
  if (repaint) FadeTitleBarItem(item);
}

void TsSkinProvider::FadeTitleBarItem(TacTitleBarItem* item) {
  if (!item->Visible()) return;
  TsSkinManager* m = skinData_->GetSkinManager();
  // With a border window the item is seen there: the fade is placed over it.
  StartItemFade(item, m && m->Effects.AllowAnimation ? 10 : 1, item->State > 0,
                BorderForm && BorderForm->Handle() ? BorderForm->BorderWindow.get() : nullptr);
}

void TsSkinProvider::ItemPress(int32_t code, gui::TPoint p) {
  TacTitleBarItem* item = TitleBarItemOf(code);
  if (!item) return;
  TitleBar->HideItemHint(item);
  const bool dropsDown = item->Style() == TacBtnStyle::bsMenu && item->DropdownMenu && item->DropdownMenu->HasItems();
  if (item->Style() != TacBtnStyle::bsTab && !dropsDown) {
    TitleBar->SetItemState(item, 2);
    FadeTitleBarItem(item);
  }
  // A class-layer menu dropped from a button or menu item is drawn like the skin's popups.
  TsSkinManager* m = skinData_->GetSkinManager();
  auto* popup = dynamic_cast<TacPopupDropdown*>(item->DropdownMenu);
  if (popup && popup->Menu && m && m->SkinnedPopups() &&
      (item->Style() == TacBtnStyle::bsButton || item->Style() == TacBtnStyle::bsMenu))
    SkinableMenus(m)->HookMenu(popup->Menu, true);
  TitleBar->ItemMouseDown(item, gui::TMouseButton::mbLeft, 0, p.X, p.Y);
  ButtonPressed = item->MouseDown;
}

void TsSkinProvider::ItemRelease(int32_t code, gui::TPoint p) {
  TacTitleBarItem* item = ButtonPressed ? TitleBarItemOf(code) : nullptr;
  ButtonPressed = false;
  if (!item) return;
  TitleBar->SetItemState(item, 0);
  TitleBar->ItemMouseUp(item, gui::TMouseButton::mbLeft, 0, p.X, p.Y);
  if (!item->Visible()) {
    delete item->Animation;
  } else if (!item->Down()) {
    // Still under the mouse, the item goes back to its hot look.
    POINT c{};
    GetCursorPos(&c);
    gui::TMessage at{WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y), 0};
    if (HitTest(at) == code) {
      item->State = 1;
      FadeTitleBarItem(item);
    }
  }
  item->State = 0;
}

void TsSkinProvider::UserButtonHint(int32_t code, bool show) {
  TsTitleButton* b = titleButtons_ ? titleButtons_->ByHitCode(code) : nullptr;
  if (!b) return;
  if (!show) {
    b->HintWindow.reset();
    return;
  }
  if (b->HintWindow || b->Hint.empty()) return;
  POINT c{};
  GetCursorPos(&c);
  // The engine's hint controller keeps the bubbles it shows; a plain hint window is ours.
  gui::THintWindow* w = ShowHintWindow(b->Hint, {c.x, c.y});
  if (!ActiveHintShow) b->HintWindow.reset(w);
}

void TsSkinProvider::FreeTitleAnimations() {
  for (TacTitleButtonData* b : {&MinBtn, &MaxBtn, &CloseBtn, &HelpBtn}) delete b->Animation;
  if (titleButtons_)
    for (int i = 0; i < titleButtons_->Count(); ++i) delete titleButtons_->Items(i)->Data.Animation;
  // The bar's items go with the form; their fades are the bar's to end then.
  if (TitleBar && !IsDestroying())
    for (int i = 0; i < TitleBar->Items.Count(); ++i) delete TitleBar->Items.Items(i)->Animation;
}

void TsSkinProvider::PaintUserButtons(gui::TBitmap& cache) {
  if (!titleButtons_) return;
  TacSkinData* sd = skinData_->GetScaledSkin();
  if (!sd) return;
  TSkinOnBitmap skin(skinData_->GetSkinManager(), sd, cache);
  TBitmap32 px = Pixels32(cache);
  GdiFlush();
  const TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
  for (int i = 0; i < titleButtons_->Count(); ++i) {
    TsTitleButton* b = titleButtons_->Items(i);
    const gui::TRect& r = b->Data.Rect;
    if (!b->Visible() || r.IsEmpty()) continue;
    const int32_t e = b->UseSkinData ? sd->TitleBtnImages[tgUserSkinned] : -1;
    const bool dim = !b->Enabled || (b->Data.State == 0 && FormActive == 0);
    if (e >= 0 && size_t(e) < sd->Masks.size())
      DrawMaskGlyph(px, {r.Left, r.Top}, b->Data.State, dim ? 2 : 1, sd->Masks[size_t(e)], skin.Source.Master, self);
    DrawUserGlyph(px, b->Glyph(), r, b->Data.State == 2);
  }
}

namespace {

bool ValidSection(const TacSkinData* sd, int32_t i) { return sd && i >= 0 && size_t(i) < sd->Sections.size(); }

}  // namespace

void TsSkinProvider::PaintTitleBarItem(TacTitleBarItem* item, const gui::TRect& rect, gui::TBitmap& bmp) {
  TacSkinData* sd = skinData_ ? skinData_->GetScaledSkin() : nullptr;
  if (!item || !TitleBar || !sd || rect.IsEmpty()) return;
  TsSkinManager* m = skinData_->GetSkinManager();
  const int32_t si = item->SkinIndex;
  const bool siValid = ValidSection(sd, si);
  const int32_t drawState = TitleBar->ItemState(item);
  const TacBtnStyle style = item->Style();
  const bool formEnabled = form_ && form_->Enabled();
  const bool dimmed = !item->Enabled() || !formEnabled || (style == TacBtnStyle::bsMenu && FormActive == 0 && drawState == 0);
  std::unique_ptr<gui::TBitmap> copy;
  if (dimmed) copy = CopyBitmap32(bmp);
  gui::TBitmap& work = dimmed ? *copy : bmp;
  const TacFontData& fd = item->FontData;
  int32_t n = siValid ? SectionStateFor(drawState, sd->Sections[size_t(si)].States) : 0;
  uint32_t fontColor = uint32_t(fd.Color);
  int32_t glowSize = fd.UseSysGlowing ? 0 : fd.GlowSize;
  uint32_t glowColor = fd.GlowColor;
  if (siValid && fd.UseSysColor) fontColor = sd->Sections[size_t(si)].StateParams[size_t(n)].FontColor;
  if (siValid && fd.UseSysGlowing) {
    glowSize = std::min(48, sd->Sections[size_t(si)].StateParams[size_t(n)].GlowSize);
    glowColor = sd->Sections[size_t(si)].StateParams[size_t(n)].GlowColor;
  }
  int32_t colorSection = fd.UseSysColor && siValid ? si : -1;
  const bool titleValid = ValidSection(sd, TitleSkinIndex);
  const int32_t titleState = titleValid ? SectionStateFor(FormActive, sd->Sections[size_t(TitleSkinIndex)].States) : 0;
  TBitmap32 px = Pixels32(work);
  GdiFlush();
  if (&bmp != skinData_->FCache.get()) FillBitmapRect(px, {rect.Left, rect.Top, rect.Right, rect.Bottom}, 0, 0);

  gui::TRect r = rect;
  const int32_t barH = TitleBar->BarRect.Height();
  auto paintSection = [&](const gui::TRect& at) {
    if (!siValid) return;
    TSkinOnBitmap skin(m, sd, work);
    const TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
    // A section with fewer states than asked for gives its last one.
    PaintSkinSection(skin.Source, si, self, SectionStateFor(drawState, sd->Sections[size_t(si)].States), at,
                     {at.Left, at.Top}, px);
  };
  switch (style) {
    case TacBtnStyle::bsButton:
    case TacBtnStyle::bsInfo:
      paintSection(r);
      if (item->SkinSection().empty() && drawState == 0) {
        // A resting item without its own section reads like the title's text.
        n = FormActive ? 1 : 0;
        fontColor = fd.UseSysColor && titleValid ? sd->Sections[size_t(TitleSkinIndex)].StateParams[size_t(titleState)].FontColor
                                                 : uint32_t(fd.Color);
        glowSize = 0;
        if (fd.UseSysGlowing && titleValid) {
          glowSize = sd->Sections[size_t(TitleSkinIndex)].StateParams[size_t(titleState)].GlowSize;
          glowColor = sd->Sections[size_t(TitleSkinIndex)].StateParams[size_t(titleState)].GlowColor;
        }
        colorSection = titleValid ? TitleSkinIndex : -1;
        n = titleState;
      }
      break;
    case TacBtnStyle::bsMenu:
      if (siValid) {
        paintSection(r);
      } else {
        if (barH - 2 < r.Height()) r.Bottom = r.Top + barH - 2;
        if (TitleBar->MenuBtnBmp) {
          TBitmap32 pic = Pixels32(*TitleBar->MenuBtnBmp);
          const int fw = TitleBar->MenuBtnBmp->Width() / 3;
          const int frame = std::min(std::max(drawState, 0), 2);
          DrawNinePart(px, pic, r, {8, 2, 8, 4}, {frame * fw, 0, frame * fw + fw, TitleBar->MenuBtnBmp->Height()});
        }
        if (fd.UseSysColor) fontColor = 0xFFFFFF, colorSection = -1;
        if (fd.UseSysGlowing) glowSize = 2, glowColor = 0x0E5A8D;
      }
      break;
    case TacBtnStyle::bsTab:
      if (barH - 2 < r.Height()) r.Top = r.Bottom - barH + 2;
      if (siValid) {
        gui::TRect t = r;
        if (!item->Down()) t.Top += 2;
        paintSection(t);
      }
      break;
    case TacBtnStyle::bsSpacing: n = FormActive ? 1 : 0; break;
  }

  // Content.
  const int32_t ppi = skinData_->GetPixelsPerInch();
  auto P = [&](int32_t v) { return v * ppi / 96; };
  const int32_t margin = MenuExtraMargin(style);
  HFONT font = CreateItemFont(fd, ppi);
  SIZE text{};
  if (!item->Caption().empty()) text = GetTextSizeWithFont(font, item->Caption(), 0, false, 0, false);
  const bool arrow = (style == TacBtnStyle::bsButton || style == TacBtnStyle::bsMenu) && item->DropdownMenu;
  const int32_t a = arrow ? 2 * sd->ScaleInt(Globals().DefArrowSize) : 0;
  const int32_t arrowArea = arrow ? item->Spacing() + a : 0;
  gui::TBitmap* glyph = item->Glyph();
  // The image of the state: hot, pressed or disabled ones where the item names them.
  gui::TCustomImageList* images = TitleBar->Images;
  int32_t imageIndex = item->ImageIndex;
  if (!item->Enabled() || !formEnabled) imageIndex = item->DisabledImageIndex;
  else if (drawState == 1) imageIndex = item->HotImageIndex;
  else if (drawState == 2) imageIndex = item->PressedImageIndex;
  if (imageIndex < 0) imageIndex = item->ImageIndex;
  const bool fromList = images && imageIndex >= 0 && imageIndex < images->Count();
  int32_t gw = 0, gh = 0;
  if (fromList && !item->StretchImage()) {
    gw = P(images->Width()), gh = P(images->Height());
  } else if (item->StretchImage()) {
    gw = P(item->Width() - 2 * (margin + TitleBar->ItemsMargin)), gh = P(item->Height() - 2 * (margin + TitleBar->ItemsMargin));
  } else if (glyph && !glyph->Empty()) {
    gw = P(glyph->Width() / std::max(1, item->NumGlyphs)), gh = P(glyph->Height());
  }
  const int32_t e = gw + (text.cx ? P(item->Spacing()) : 0);
  int32_t gx = r.Left + P(margin + TitleBar->ItemsMargin);
  if (item->Alignment == TacAlignment::taRightJustify)
    gx = r.Left + P(item->Width()) - e - int32_t(text.cx) - a - P(2 * 4);
  else if (item->Alignment == TacAlignment::taCenter)
    gx = std::max(r.Left, r.Left + (r.Width() - e - int32_t(text.cx) - arrowArea) / 2);
  const int32_t h = item->AutoSize() ? item->Height() : P(item->Height());
  gui::TRect g{gx, r.Top + (h - gh) / 2, gx + gw, r.Top + (h - gh) / 2 + gh};
  gui::TRect tr{g.Right, r.Top, g.Right, r.Top};
  if (gw && text.cx) tr.Left += P(item->Spacing()) * (style == TacBtnStyle::bsTab ? 2 : 1);
  UINT flags = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP;
  if (text.cx) {
    tr.Top = r.Top + (h - text.cy) / 2;
    tr.Bottom = tr.Top + text.cy;
    tr.Right = std::min(tr.Left + int32_t(text.cx), r.Right);
  } else {
    tr.Right = tr.Left;
  }
  gui::TRect ar;
  if (a > 0) {
    ar.Left = tr.Right + (text.cx || gw ? sd->ScaleInt(4) : 0);
    ar.Top = r.Top, ar.Bottom = r.Bottom, ar.Right = ar.Left + a;
  }
  if (RightToLeft()) {
    auto mirror = [&](gui::TRect& x) {
      const int32_t w = x.Width();
      x.Left = r.Left + r.Right - x.Right;
      x.Right = x.Left + w;
    };
    mirror(g), mirror(tr), mirror(ar);
    flags |= DT_RTLREADING | DT_RIGHT;
  }
  if (gw > 0 && gh > 0 && fromList) {
    ImageList_DrawEx(images->Handle(), imageIndex, work.Canvas().Handle(), g.Left, g.Top, gw, gh, CLR_NONE, CLR_NONE,
                     ILD_TRANSPARENT);
    GdiFlush();
  } else if (gw > 0 && gh > 0 && glyph && !glyph->Empty()) {
    TBitmap32 src = Pixels32(*glyph);
    const int32_t fw = glyph->Width() / std::max(1, item->NumGlyphs);
    StretchAlphaBlend(px, g.Left, g.Top, gw, gh, src, 0, 0, fw, glyph->Height(), 255);
  }
  if (text.cx) {
    gui::TCanvas& c = work.Canvas();
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    c.Font().SetName(rtl::U8(lf.lfFaceName));
    c.Font().SetHeight(lf.lfHeight);
    c.Font().SetColor(gui::TColor(fontColor));
    c.Brush().SetStyle(gui::bsClear);
    if (glowSize != 0) {
      TacGlowMask mask;
      DrawTextGlow(work, item->Caption(), tr, flags, 15, glowSize, gui::TColor(glowColor), mask);
    }
    WriteSkinTextOnBitmap(work, item->Caption(), true, tr, flags, colorSection >= 0 ? sd : nullptr, colorSection, n);
  }
  DeleteObject(font);
  if (a > 0 && m)
    DrawStyledArrow(work, gui::TColor(fontColor), gui::clNone, ar, adDown, 0, 0, 0,
                    TacArrowsStyle(m->Options.GetActualArrowsStyle()), ppi);
  if (item->OnDrawItem) item->OnDrawItem(item, rect, bmp);
  if (dimmed) {
    TBitmap32 dst = Pixels32(bmp);
    GdiFlush();
    BlendBitmapRect(dst, px, 128, {rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1}, {rect.Left, rect.Top});
  }
}

}  // namespace skin
