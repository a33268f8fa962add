#include "skin/forms/acTitleBar.h"

#include <algorithm>

#include "gui/Forms.h"
#include "rtl/Utf.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSysUtils.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinText.h"

namespace skin {

bool DropDownShowing = false;

void TacSystemDropdown::Popup(HWND owner, int x, int y, bool rightToLeft) {
  const UINT flags = TPM_LEFTBUTTON | TPM_TOPALIGN | (rightToLeft ? TPM_RIGHTALIGN | TPM_LAYOUTRTL : TPM_LEFTALIGN);
  const UINT cmd = TrackPopupMenu(Menu, flags | TPM_RETURNCMD, x, y, 0, owner, nullptr);
  if (cmd) PostMessageW(owner, WM_COMMAND, cmd, 0);
}

// ---------------------------------------------------------------- items

TacTitleBarItem::TacTitleBarItem(rtl::TCollection* collection)
    : rtl::TCollectionItem(collection), name_("TacTitleBarItem"), glyph_(std::make_unique<gui::TBitmap>(0, 0)) {}

TacTitleBarItem::~TacTitleBarItem() { delete Animation; }

TsTitleBar* TacTitleBarItem::Bar() const {
  auto* items = dynamic_cast<TacTitleItems*>(Collection());
  return items ? items->Bar() : nullptr;
}

void TacTitleBarItem::Refresh(bool resize) {
  if (TsTitleBar* b = Bar()) b->RefreshItem(this, resize);
}

void TacTitleBarItem::SetInt(int32_t& field, int32_t v) {
  // A pressed item changed under the mouse starts again from normal.
  if (State == 2) State = 0;
  Set(field, v, true);
}

void TacTitleBarItem::SetAutoSize(bool v) {
  if (v) stretchImage_ = false;
  Set(autoSize_, v, true);
}

void TacTitleBarItem::SetStretchImage(bool v) {
  if (v) autoSize_ = false;
  Set(stretchImage_, v, true);
}

void TacTitleBarItem::SetSkinSection(const std::string& v) {
  if (v == skinSection_) return;
  skinSection_ = v;
  if (OnChanged) OnChanged(this);
  if (TsTitleBar* b = Bar()) b->RefreshItem(this, false);
}

void TacTitleBarItem::SetGlyph(const gui::TBitmap* glyph) {
  glyph_ = glyph && !glyph->Empty() ? CopyBitmap32(*const_cast<gui::TBitmap*>(glyph)) : std::make_unique<gui::TBitmap>(0, 0);
  if (TsTitleBar* b = Bar()) b->RefreshItem(this, true);
}

void TacTitleBarItem::SetDown(bool v) {
  if (v == down_) return;
  down_ = v;
  TsTitleBar* b = Bar();
  if (b) b->SetItemState(this, v ? 2 : 0);
  if (v && (groupIndex_ != 0 || style_ == TacBtnStyle::bsTab) && Collection()) {
    for (int i = 0; i < Collection()->Count(); ++i) {
      auto* other = static_cast<TacTitleBarItem*>(Collection()->Items(i));
      if (other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->State = 0;
      }
    }
  }
  if (b) b->RefreshItem(this, false);
}

void TacTitleBarItem::AssignTo(rtl::TPersistent* dest) const {
  auto* d = dynamic_cast<TacTitleBarItem*>(dest);
  // Assigning nothing reaches here with the button itself as destination.
  if (!d || d == this) {
    rtl::TCollectionItem::AssignTo(dest);
    return;
  }
  d->align_ = align_, d->style_ = style_, d->caption_ = caption_, d->visible_ = visible_, d->enabled_ = enabled_;
  d->autoSize_ = autoSize_, d->stretchImage_ = stretchImage_, d->width_ = width_, d->height_ = height_;
  d->spacing_ = spacing_, d->groupIndex_ = groupIndex_, d->down_ = down_, d->name_ = name_;
  d->skinSection_ = skinSection_;
  d->SetGlyph(glyph_.get());
  d->Alignment = Alignment, d->DropdownMenu = DropdownMenu, d->FontData = FontData, d->Hint = Hint;
  d->ShowHint = ShowHint, d->ImageIndex = ImageIndex, d->HotImageIndex = HotImageIndex;
  d->PressedImageIndex = PressedImageIndex, d->DisabledImageIndex = DisabledImageIndex, d->NumGlyphs = NumGlyphs;
  d->Tag = Tag, d->Cursor = Cursor, d->OnClick = OnClick, d->OnMouseEnter = OnMouseEnter, d->OnMouseLeave = OnMouseLeave;
  d->OnMouseDown = OnMouseDown, d->OnMouseUp = OnMouseUp, d->OnDrawItem = OnDrawItem;
}

TacTitleItems::TacTitleItems(TsTitleBar* bar)
    : rtl::TCollection([](rtl::TCollection* c) { return new TacTitleBarItem(c); }, bar), bar_(bar) {}

// ---------------------------------------------------------------- the bar

namespace {
rtl::TComponent* FormOwner(rtl::TComponent* owner) {
  if (!dynamic_cast<gui::TCustomForm*>(owner)) throw EAbort("TsTitleBar component may be used with forms only!");
  return owner;
}
}  // namespace

HFONT CreateItemFont(const TacFontData& f, int32_t ppi) {
  LOGFONTW lf{};
  HFONT caption = CreateCaptionFont(UINT(ppi));
  if (caption) {
    GetObjectW(caption, sizeof lf, &lf);
    DeleteObject(caption);
  }
  lf.lfHeight = f.UseSysSize ? MulDiv(-11, ppi, 96) : f.FontHeight * ppi / 96;
  lf.lfCharSet = DEFAULT_CHARSET;
  if (!f.UseSysFontName && !f.FontName.empty()) {
    const std::wstring name = rtl::W(f.FontName);
    wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  }
  return CreateFontIndirectW(&lf);
}

TsTitleBar::TsTitleBar(rtl::TComponent* owner)
    : rtl::TComponent(FormOwner(owner)), barForm_(static_cast<gui::TCustomForm*>(owner)) {
  HBITMAP h = HBITMAP(LoadImageW(GetModuleHandleW(nullptr), L"MENUBTN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!h) return;
  gui::TBitmap picture;
  picture.SetHandle(h);
  MenuBtnBmp = CopyBitmap32(picture);
  TBitmap32 px = Pixels32(*MenuBtnBmp);
  GdiFlush();
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) {
      const uint32_t c = px.At(x, y) & 0xFFFFFF;
      if (c == 0xFF00FF) {
        px.At(x, y) = c;
        continue;
      }
      const uint32_t r = (c >> 16 & 0xFF) * 255 >> 8, g = (c >> 8 & 0xFF) * 255 >> 8, b = (c & 0xFF) * 255 >> 8;
      px.At(x, y) = 0xFF000000u | r << 16 | g << 8 | b;
    }
}

void DrawNinePart(TBitmap32& dest, const TBitmap32& src, const gui::TRect& d, const gui::TRect& m, const gui::TRect& s) {
  if (d.IsEmpty() || s.IsEmpty()) return;
  // Column and row bands of source and destination: margin, middle, margin.
  const int sx[4] = {s.Left, s.Left + m.Left, s.Right - m.Right, s.Right};
  const int sy[4] = {s.Top, s.Top + m.Top, s.Bottom - m.Bottom, s.Bottom};
  const int dx[4] = {d.Left, d.Left + m.Left, d.Right - m.Right, d.Right};
  const int dy[4] = {d.Top, d.Top + m.Top, d.Bottom - m.Bottom, d.Bottom};
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i) {
      const int dw = dx[i + 1] - dx[i], dh = dy[j + 1] - dy[j], sw = sx[i + 1] - sx[i], sh = sy[j + 1] - sy[j];
      if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) continue;
      for (int y = 0; y < dh; ++y) {
        const int ty = dy[j] + y, fy = sy[j] + y * sh / dh;
        if (ty < 0 || ty >= dest.Height() || fy < 0 || fy >= src.Height()) continue;
        for (int x = 0; x < dw; ++x) {
          const int tx = dx[i] + x, fx = sx[i] + x * sw / dw;
          if (tx < 0 || tx >= dest.Width() || fx < 0 || fx >= src.Width()) continue;
          const uint32_t p = src.At(fx, fy);
          if ((p & 0xFFFFFF) != 0xFF00FF) dest.At(tx, ty) = p;
        }
      }
    }
}

TsTitleBar::~TsTitleBar() {
  if (Provider && Provider->TitleBar == this) Provider->TitleBar = nullptr;
  Items.Clear();
}

void TsTitleBar::Loaded() {
  rtl::TComponent::Loaded();
  UpdateItemSizes();
  for (int i = 0; i < Items.Count(); ++i) {
    TacTitleBarItem* it = Items.Items(i);
    if (it->Style() == TacBtnStyle::bsButton || it->Style() == TacBtnStyle::bsMenu) it->SetDown(false);
  }
}

int32_t TsTitleBar::Ppi() const {
  return Provider && Provider->SkinData() ? Provider->SkinData()->GetPixelsPerInch() : 96;
}

void TsTitleBar::UpdateItemSize(TacTitleBarItem* item, bool keepSize) {
  if (!item || !item->Visible()) return;
  const int32_t p = Ppi();
  TacItemSizeInput in;
  in.Style = item->Style(), in.Ppi = p, in.StretchImage = item->StretchImage();
  in.Width = item->Width(), in.Height = item->Height();
  if (Images && item->ImageIndex >= 0 && item->ImageIndex < Images->Count())
    in.ImageWidth = Images->Width() * p / 96, in.ImageHeight = Images->Height() * p / 96;
  if (gui::TBitmap* g = item->Glyph(); g && !g->Empty())
    in.GlyphWidth = g->Width(), in.GlyphHeight = g->Height(), in.NumGlyphs = item->NumGlyphs;
  if (!item->Caption().empty()) {
    HFONT font = CreateItemFont(item->FontData, p);
    const SIZE s = GetTextSizeWithFont(font, item->Caption(), 0, false, 0, false);
    DeleteObject(font);
    in.HasCaption = true, in.CaptionWidth = s.cx, in.CaptionHeight = s.cy;
  }
  in.Spacing = item->Spacing();
  in.HasDropdown = item->DropdownMenu != nullptr;
  TacSkinData* sd = Provider && Provider->SkinData() ? Provider->SkinData()->GetScaledSkin() : nullptr;
  in.ArrowSize = sd ? sd->ScaleInt(Globals().DefArrowSize) : Globals().DefArrowSize;
  in.ItemsMargin = ItemsMargin;
  const TacItemSize s = ItemSize(in);
  if (!keepSize && item->Style() != TacBtnStyle::bsSpacing) {
    // Stored without a refresh: the caller lays out and repaints.
    item->StoreSize(s.Width, s.Height);
  }
}

void TsTitleBar::UpdateItemSizes() {
  if (!Provider || !Provider->SkinData() || !Provider->SkinData()->GetSkinManager() ||
      !Provider->SkinData()->GetSkinManager()->IsSkinLoaded())
    return;
  for (int i = 0; i < Items.Count(); ++i)
    if (Items.Items(i)->AutoSize()) UpdateItemSize(Items.Items(i), false);
  Initialized = true;
}

void TsTitleBar::RecalcLayout() {
  TacBarArea a;
  a.BarRect = {BarRect.Left, BarRect.Top, BarRect.Right, BarRect.Bottom};
  a.BarVCenter = BarVCenter;
  a.FullRight = FullRight;
  a.Ppi = Ppi();
  a.RightSpacing = RightSpacing;
  TacSkinData* sd = Provider && Provider->SkinData() ? Provider->SkinData()->GetScaledSkin() : nullptr;
  a.LeftSpacing = Provider ? (sd ? sd->ScaleInt(4) : 4) : 0;
  a.RightToLeft = Provider && Provider->RightToLeft();
  std::vector<TacBarItem> items;
  for (int i = 0; i < Items.Count(); ++i) {
    const TacTitleBarItem* it = Items.Items(i);
    items.push_back({it->Visible(), it->AutoSize(), it->Align(), it->Style(), it->Width(), it->Height()});
  }
  Layout = LayoutBarItems(a, items);
  for (int i = 0; i < Items.Count(); ++i) {
    const TacRect& r = Layout.Rects[size_t(i)];
    Items.Items(i)->ItemRect = {r.Left, r.Top, r.Right, r.Bottom};
  }
}

void TsTitleBar::SetImages(gui::TCustomImageList* images) {
  if (images == Images) return;
  Images = images;
  if (ComponentState() & rtl::csLoading) return;
  UpdateItemSizes();
  RecalcLayout();
  Invalidate();
}

void TsTitleBar::Invalidate() {
  if (barForm_ && barForm_->HandleAllocated())
    SendMessageW(barForm_->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_TITLECHANGED), 1);
}

void TsTitleBar::RefreshItem(TacTitleBarItem* item, bool resize) {
  if (!barForm_ || (barForm_->ComponentState() & rtl::csLoading) || !Provider || !Provider->SkinData()) return;
  TsSkinManager* m = Provider->SkinData()->GetSkinManager();
  if (!m || !m->IsSkinLoaded()) return;
  if (resize && item->AutoSize()) UpdateItemSize(item, false);
  if (item->Animation) item->Animation->DropImage();
  if (updatingGroup_) return;
  if (barForm_->HandleAllocated() &&
      SendMessageW(barForm_->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_PREPARING), 0) != 0)
    return;
  Invalidate();
}

int32_t TsTitleBar::ItemState(const TacTitleBarItem* item) const {
  return ItemDrawState(item->Style(), item->DroppedDown, item->Down(), item->State);
}

void TsTitleBar::SetItemState(TacTitleBarItem* item, int32_t state) {
  if (state != item->State) item->State = item->DroppedDown ? 2 : state;
}

void TsTitleBar::FreeAnimation(TacTitleBarItem* item) {
  delete item->Animation;
  item->Animation = nullptr;
}

void TsTitleBar::ItemClick(TacTitleBarItem* item) {
  item->MouseDown = false;
  if (item->OnClick) item->OnClick(item);
}

void TsTitleBar::ItemMouseDown(TacTitleBarItem* item, gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  if (!item || item->MouseDown || !item->Enabled()) return;
  item->MouseDown = true;
  if (item->OnMouseDown) item->OnMouseDown(item, button, shift, x, y);
  const TacBtnStyle style = item->Style();
  if (style == TacBtnStyle::bsTab && !item->Down()) {
    ItemClick(item);
    if (item->GroupIndex() < 0) {
      RefreshItem(item, false);
      return;
    }
    updatingGroup_ = true;
    for (int i = 0; i < Items.Count(); ++i) {
      TacTitleBarItem* other = Items.Items(i);
      if (other != item && other->Visible() && other->Down() && other->GroupIndex() == item->GroupIndex())
        other->SetDown(false);
    }
    updatingGroup_ = false;
    item->SetDown(true);
    return;
  }
  if (style != TacBtnStyle::bsButton && style != TacBtnStyle::bsMenu) return;
  if (!item->DropdownMenu || !item->DropdownMenu->HasItems()) return;
  if (DropDownShowing) {
    // The click that closed this item's own menu: swallowed, the item hot again.
    item->DroppedDown = false;
    item->MouseDown = false;
    FreeAnimation(item);
    item->State = 0;
    RefreshItem(item, false);
    if (OnItemHot) OnItemHot(kHitTitleBarItem + item->Index());
    DropDownShowing = false;
    return;
  }
  DropDownShowing = true;
  RECT origin{};
  if (item->ExtForm && item->ExtForm->HandleAllocated()) GetWindowRect(item->ExtForm->Handle(), &origin);
  else if (barForm_->HandleAllocated()) GetWindowRect(barForm_->Handle(), &origin);
  const bool rtl = Provider && Provider->RightToLeft();
  const gui::TRect r = item->ItemRect;
  item->DroppedDown = true;
  FreeAnimation(item);
  RefreshItem(item, false);
  item->DropdownMenu->Popup(barForm_->HandleAllocated() ? barForm_->Handle() : nullptr,
                            origin.left + (rtl ? r.Right : r.Left), origin.top + r.Bottom, rtl);
  item->DroppedDown = false;
  item->MouseDown = false;
  POINT c{};
  GetCursorPos(&c);
  const bool over = c.x >= origin.left + r.Left && c.x < origin.left + r.Right && c.y >= origin.top + r.Top &&
                    c.y < origin.top + r.Bottom;
  if (over) {
    // The pointer closed the menu on the item: that click must not open it again.
    SetItemState(item, 1);
    RefreshItem(item, false);
    return;
  }
  SetItemState(item, 0);
  RefreshItem(item, false);
  ItemClick(item);
  DropDownShowing = false;
}

void TsTitleBar::ItemMouseUp(TacTitleBarItem* item, gui::TMouseButton button, gui::TShiftState shift, int x, int y) {
  if (!item || !item->Enabled()) return;
  if (item->OnMouseUp) item->OnMouseUp(item, button, shift, x, y);
  if (button == gui::TMouseButton::mbRight) return;
  if (item->MouseDown && item->Style() != TacBtnStyle::bsTab) ItemClick(item);
  item->MouseDown = false;
  item->State = 1;
}

void TsTitleBar::ShowItemHint(TacTitleBarItem* item) {
  if (!item || item->HintWnd || item->Hint.empty()) return;
  POINT c{};
  GetCursorPos(&c);
  // The engine's hint controller keeps the bubbles it shows; a plain hint window is the item's.
  gui::THintWindow* w = ShowHintWindow(item->Hint, {c.x, c.y});
  if (!ActiveHintShow) item->HintWnd.reset(w);
}

void TsTitleBar::HideItemHint(TacTitleBarItem* item) {
  if (item) item->HintWnd.reset();
}

// ---------------------------------------------------------------- the hover fade

TacItemAnimation::TacItemAnimation(rtl::TComponent* owner) : gui::TTimer(owner) {
  SetEnabled(false);
  SetInterval(12);
  FadeOutFromFull = true;
  OnTimer = [this](rtl::TObject*) { Tick(); };
}

TacItemAnimation::~TacItemAnimation() {
  SetEnabled(false);
  Window.reset();
  OldWindow.reset();
  Image.reset();
  if (Item && Item->Animation == this) Item->Animation = nullptr;
}

RECT TacItemAnimation::ItemScreenRect() const {
  RECT w{};
  HWND ref = Item && Item->ExtForm && Item->ExtForm->HandleAllocated() ? Item->ExtForm->Handle() : Wnd;
  if (ref) GetWindowRect(ref, &w);
  if (!Item) return w;
  const gui::TRect& r = Item->ItemRect;
  return {w.left + r.Left, w.top + r.Top, w.left + r.Right, w.top + r.Bottom};
}

void TacItemAnimation::DropPicture() {
  // The old window stays until the new picture is fully shown.
  if (Window) OldWindow = std::move(Window);
  Image.reset();
}

void TacItemAnimation::Show(int32_t alpha) {
  const RECT r = ItemScreenRect();
  if (!Image || State != 0) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    if (!Image) Image = CreateBitmap32(w, h);
    if (Item && Item->InternalDraw) {
      Item->InternalDraw(Item, {0, 0, w, h}, *Image);
    } else {
      TBitmap32 px = Pixels32(*Image);
      GdiFlush();
      FillBitmapRect(px, px.Bounds(), gui::TColor(0x00FFFF), 255);
    }
  }
  HWND ref = Item && Item->ExtForm && Item->ExtForm->HandleAllocated() ? Item->ExtForm->Handle() : Wnd;
  ShowFadePicture(Window, *Image, r, ref, BYTE(std::clamp(alpha, 0, 255)));
}

bool TacItemAnimation::MouseLeft() {
  if (!Item || !Wnd) return false;
  POINT c{};
  GetCursorPos(&c);
  const RECT r = ItemScreenRect();
  if (c.x >= r.left && c.x < r.right && c.y >= r.top && c.y < r.bottom) return false;
  SetEnabled(false);
  SendMessageW(Wnd, WM_MOUSELEAVE, 0, 0);
  return true;
}

void StartItemFade(TacTitleBarItem* item, int32_t steps, bool fadeIn, gui::TCustomForm* extForm) {
  TsTitleBar* bar = item ? item->Bar() : nullptr;
  if (!bar || !bar->BarForm()) return;
  const int32_t s = bar->ItemState(item);
  if (TacItemAnimation* a = item->Animation) {
    if ((s == 1 && a->State == 2) || s == 2) a->DropImage();
    // Turned round towards a hot or pressed look, the fade goes on rising from its step.
    if (fadeIn) a->State = s, a->Rising = true;
    a->StepCount = std::max(1, steps);
    a->SetEnabled(true);
    item->ExtForm = extForm;
    a->ChangeState(s, true);
    if (s == 2) a->Step = steps;
    return;
  }
  auto* a = new TacItemAnimation(bar->BarForm());
  item->Animation = a;
  item->ExtForm = extForm;
  a->Wnd = bar->BarForm()->HandleAllocated() ? bar->BarForm()->Handle() : nullptr;
  a->Item = item;
  a->StepCount = std::max(1, steps);
  a->ChangeState(s, true);
}

}  // namespace skin
