// A form's own items in its skinned title: buttons, drop-down menu buttons, tabs, spacers
// and information labels, aligned left, right, centred, or centred between the left and
// right groups. The form's skin provider hands the bar the free title band, paints the
// items into the title image and routes the mouse to them; an item's new look fades in
// over it in a layered window.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "gui/Controls.h"
#include "gui/HintWindow.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/Timer.h"
#include "rtl/SysUtils.h"
#include "skin/core/acBaseForms.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/forms/acFormGeometry.h"
#include "skin/forms/acTitleBarLayout.h"

namespace skin {

class TsSkinProvider;
class TsTitleBar;
class TacTitleBarItem;
class TacItemAnimation;

// A silent refusal: no box is shown for it.
class EAbort : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// The menu an item drops down; Popup returns when the menu has closed.
class TacDropdownMenu {
 public:
  virtual ~TacDropdownMenu() = default;
  virtual bool HasItems() const = 0;
  virtual void Popup(HWND owner, int x, int y, bool rightToLeft) = 0;
};
// A menu of the system's own (not owned), shown with TrackPopupMenu.
class TacSystemDropdown : public TacDropdownMenu {
 public:
  explicit TacSystemDropdown(HMENU menu) : Menu(menu) {}
  bool HasItems() const override { return Menu && GetMenuItemCount(Menu) > 0; }
  void Popup(HWND owner, int x, int y, bool rightToLeft) override;
  HMENU Menu;
};
// A popup menu of the class layer (not owned): the one the skinned popups can draw.
class TacPopupDropdown : public TacDropdownMenu {
 public:
  explicit TacPopupDropdown(gui::TPopupMenu* menu) : Menu(menu) {}
  bool HasItems() const override { return Menu && Menu->Items()->Count() > 0; }
  void Popup(HWND, int x, int y, bool) override { Menu->Popup(x, y); }
  gui::TPopupMenu* Menu;
};

// Where an item's text colour, font and glow come from: the skin (UseSys...) or these.
struct TacFontData {
  gui::TColor Color = gui::clBlack;
  std::string FontName;
  int32_t FontHeight = -11;
  uint32_t GlowColor = 0x808080;
  int32_t GlowSize = 0;
  bool UseSysColor = true, UseSysFontName = true, UseSysGlowing = true, UseSysSize = true, UseSysStyle = true;
};

// The item's font (the caller deletes it): the skin's caption font at the PPI, with what
// the item keeps for itself.
HFONT CreateItemFont(const TacFontData& f, int32_t ppi);

// SourceRect of a picture into DestRect: the corners (Margins wide) kept at their size without
// their fuchsia pixels, the sides and the centre stretched.
void DrawNinePart(TBitmap32& dest, const TBitmap32& src, const gui::TRect& destRect, const gui::TRect& margins,
                  const gui::TRect& sourceRect);

// Set while an item's menu is open, and until the click that closed it has been swallowed.
extern bool DropDownShowing;

using TacDrawItemEvent = std::function<void(TacTitleBarItem* item, const gui::TRect& r, gui::TBitmap& bmp)>;

class TacTitleBarItem : public rtl::TCollectionItem {
  KORVAN_CLASS(TacTitleBarItem)
 public:
  explicit TacTitleBarItem(rtl::TCollection* collection);
  ~TacTitleBarItem() override;
  TsTitleBar* Bar() const;

  // ---- published; the setters below refresh the bar
  TacItemAlign Align() const { return align_; }
  void SetAlign(TacItemAlign v) { Set(align_, v, true); }
  TacBtnStyle Style() const { return style_; }
  void SetStyle(TacBtnStyle v) { Set(style_, v, true); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { Set(caption_, v, true); }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v, true); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { Set(enabled_, v, true); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool StretchImage() const { return stretchImage_; }
  void SetStretchImage(bool v);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t v) { SetInt(width_, v); }
  int32_t Height() const { return height_; }
  void SetHeight(int32_t v) { SetInt(height_, v); }
  int32_t Spacing() const { return spacing_; }
  void SetSpacing(int32_t v) { SetInt(spacing_, v); }
  int32_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int32_t v) { SetInt(groupIndex_, v); }
  bool Down() const { return down_; }
  void SetDown(bool v);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  std::string GetDisplayName() const { return name_; }
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& v);
  gui::TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(const gui::TBitmap* glyph);
  // The measured size, kept without a refresh.
  void StoreSize(int32_t w, int32_t h) { width_ = w, height_ = h; }

  TacAlignment Alignment = TacAlignment::taLeftJustify;
  TacDropdownMenu* DropdownMenu = nullptr;  // not owned
  TacFontData FontData;
  std::string Hint;
  bool ShowHint = false;
  int32_t ImageIndex = -1, HotImageIndex = -1, PressedImageIndex = -1, DisabledImageIndex = -1, NumGlyphs = 1;
  int32_t Tag = 0;
  gui::TCursor Cursor = gui::crDefault;  // shown while the item is hot
  rtl::TNotifyEvent OnClick, OnMouseEnter, OnMouseLeave, OnChanged;
  gui::TMouseEvent OnMouseDown, OnMouseUp;
  TacDrawItemEvent OnDrawItem;

  // ---- what the bar and the provider keep
  bool DroppedDown = false;
  int32_t State = 0;  // 0 normal, 1 hot, 2 pressed
  bool MouseDown = false;
  gui::TRect ItemRect;      // in the title image
  int32_t SkinIndex = -1;   // resolved by the provider, -1 none
  gui::TCustomForm* ExtForm = nullptr;  // a separate caption window the item is shown in
  TacItemAnimation* Animation = nullptr;
  std::unique_ptr<gui::THintWindow> HintWnd;
  // Paints the item in its state into R of Bmp (the provider's painter).
  std::function<void(TacTitleBarItem*, const gui::TRect&, gui::TBitmap&)> InternalDraw;

 protected:
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  template <class T>
  void Set(T& field, const T& v, bool resize) {
    if (field == v) return;
    field = v;
    Refresh(resize);
  }
  void Refresh(bool resize);
  void SetInt(int32_t& field, int32_t v);
  TacItemAlign align_ = TacItemAlign::tbaLeft;
  TacBtnStyle style_ = TacBtnStyle::bsButton;
  std::string caption_, name_, skinSection_;
  bool visible_ = true, enabled_ = true, autoSize_ = true, stretchImage_ = false, down_ = false;
  int32_t width_ = 22, height_ = 18, spacing_ = 4, groupIndex_ = 0;
  std::unique_ptr<gui::TBitmap> glyph_;
};

class TacTitleItems : public rtl::TCollection {
  KORVAN_CLASS(TacTitleItems)
 public:
  explicit TacTitleItems(TsTitleBar* bar);
  TacTitleBarItem* Items(int i) const { return static_cast<TacTitleBarItem*>(rtl::TCollection::Items(i)); }
  TacTitleBarItem* Add() { return static_cast<TacTitleBarItem*>(rtl::TCollection::Add()); }
  TsTitleBar* Bar() const { return bar_; }

 private:
  TsTitleBar* bar_;
};

class TsTitleBar : public rtl::TComponent {
  KORVAN_CLASS(TsTitleBar)
 public:
  // The owner must be a form; anything else is refused silently (EAbort).
  explicit TsTitleBar(rtl::TComponent* owner);
  ~TsTitleBar() override;

  TacTitleItems Items{this};
  int32_t ItemsMargin = 3;
  int32_t ItemsSpacing = 0;  // kept, not used by the layout
  int32_t RightSpacing = 0;
  bool ShowCaption = false;
  gui::TCustomImageList* Images = nullptr;
  // A new image list: the items are measured, laid out and repainted again.
  void SetImages(gui::TCustomImageList* images);

  // The title geometry the provider hands over before each layout.
  gui::TRect BarRect;
  int32_t BarVCenter = 0, FullRight = 0;
  TacBarLayout Layout;
  bool Initialized = false;
  TsSkinProvider* Provider = nullptr;
  gui::TCustomForm* BarForm() const { return barForm_; }
  // The default picture of menu items ("MENUBTN": normal, hot and pressed frames of 17 x 20),
  // opaque but for its fuchsia corners; nullptr when the program lacks it.
  std::unique_ptr<gui::TBitmap> MenuBtnBmp;
  // Makes the item hot again after the click that closed its menu (the provider's).
  std::function<void(int32_t code)> OnItemHot;

  void RecalcLayout();
  void UpdateItemSizes();
  void UpdateItemSize(TacTitleBarItem* item, bool keepSize);
  void RefreshItem(TacTitleBarItem* item, bool resize);
  // Repaints the title.
  void Invalidate();
  int32_t ItemState(const TacTitleBarItem* item) const;
  void SetItemState(TacTitleBarItem* item, int32_t state);
  void ItemMouseDown(TacTitleBarItem* item, gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void ItemMouseUp(TacTitleBarItem* item, gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void ShowItemHint(TacTitleBarItem* item);
  void HideItemHint(TacTitleBarItem* item);
  bool SwitchingGroup() const { return updatingGroup_; }

 protected:
  void Loaded() override;

 private:
  void ItemClick(TacTitleBarItem* item);
  void FreeAnimation(TacTitleBarItem* item);
  int32_t Ppi() const;
  gui::TCustomForm* barForm_ = nullptr;
  bool updatingGroup_ = false;
};

// The hover fade of one title-bar item.
class TacItemAnimation : public gui::TTimer, public TacFadeSteps {
  KORVAN_CLASS(TacItemAnimation)
 public:
  explicit TacItemAnimation(rtl::TComponent* owner);
  ~TacItemAnimation() override;
  std::unique_ptr<TacGlowForm> Window, OldWindow;
  std::unique_ptr<gui::TBitmap> Image;
  HWND Wnd = nullptr;
  TacTitleBarItem* Item = nullptr;
  RECT ItemScreenRect() const;
  // The refreshed item's picture is taken again at the next step.
  void DropImage() { DropPicture(); }

 protected:
  void Show(int32_t alpha) override;
  void DropPicture() override;
  void Finished() override { DropPicture(); }
  void SetTimer(bool on) override { SetEnabled(on); }
  bool MouseLeft() override;
  void FadeInDone() override { OldWindow.reset(); }
};

// Fades the item's look towards its current state over Steps ticks of 12 ms.
void StartItemFade(TacTitleBarItem* item, int32_t steps, bool fadeIn, gui::TCustomForm* extForm);

}  // namespace skin
