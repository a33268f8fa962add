// Main and popup menus: a tree of items built into Win32 menus. An item that owns a
// submenu runs its click handler when the submenu opens, as the class library does. A menu
// drawn by its owner measures and paints each item through the item's events (the skin
// engine installs its painter there); items without them get a plain look.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/Types.h"
#include "rtl/Classes.h"

namespace gui {

using rtl::TComponent;
using rtl::TNotifyEvent;

class TCanvas;
class TMenu;
class TMainMenu;

// Where an item starts a new column.
enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };
// An owner-drawn item's state: the bits of the system's ODS_ values.
using TOwnerDrawState = unsigned;
inline constexpr TOwnerDrawState odSelected = ODS_SELECTED, odGrayed = ODS_GRAYED, odDisabled = ODS_DISABLED,
                                 odChecked = ODS_CHECKED, odFocused = ODS_FOCUS, odDefault = ODS_DEFAULT,
                                 odHotLight = ODS_HOTLIGHT, odInactive = ODS_INACTIVE, odNoAccel = ODS_NOACCEL,
                                 odNoFocusRect = ODS_NOFOCUSRECT;
using TMenuMeasureItemEvent = std::function<void(rtl::TObject* sender, TCanvas& canvas, int& width, int& height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(rtl::TObject* sender, TCanvas& canvas, const TRect& r, TOwnerDrawState state)>;
using TMenuDrawItemEvent = std::function<void(rtl::TObject* sender, TCanvas& canvas, const TRect& r, bool selected)>;

// A shortcut: the virtual key in the low byte, scShift, scCtrl, scAlt above it.
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+O", "Shift+Del", "F1"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
// The other way round ("Alt+F4" from a window's own menu); 0 for a text it does not know.
TShortCut TextToShortCut(const std::string& text);

class TMenuItem : public TComponent {
  KORVAN_CLASS(TMenuItem)
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& s);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v);
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak v);
  // Bold, the default entry of its popup.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool v);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int i) const { return items_.at(static_cast<size_t>(i)); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // Finds an item below this one by its caption (without "&") or its name.
  TMenuItem* Find(const std::string& captionOrName) const;

  UINT Command() const { return command_; }
  // The submenu's handle when this item has children.
  HMENU Handle() const { return handle_; }

  // The menu this item belongs to (through its parents); nullptr for a loose item.
  TMenu* GetParentMenu() const;
  // The menu is built again (the class library's MenuChanged).
  void MenuChanged(bool rebuild);
  // This item's submenu built again from its children inside the same handle, so that a
  // popup being opened shows what was changed while it opens.
  void RebuildHandle();
  // The live item an owner-drawn entry's item data names; nullptr for anything else.
  static TMenuItem* FromItemData(ULONG_PTR data);

  // Runs the click handler, as choosing the entry does.
  void Click();
  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuDrawItemEvent OnDrawItem;

  // What an owner-drawn entry does with the system's requests: the events, or the plain look.
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  void AdvancedDrawItem(TCanvas& canvas, const TRect& r, TOwnerDrawState state);
  // The plain look of an owner-drawn entry: system colours, the caption after the check
  // column, the shortcut at the right.
  void DrawPlain(TCanvas& canvas, const TRect& r, TOwnerDrawState state);

 private:
  friend class TMenu;
  friend class TMainMenu;
  void Changed();
  void Build(HMENU into);
  void DestroyHandles();
  TMenuItem* FindCommand(UINT id);
  TMenuItem* FindPopup(HMENU h);
  std::string caption_;
  bool enabled_ = true, visible_ = true, checked_ = false, default_ = false, radioItem_ = false;
  TShortCut shortCut_ = 0;
  TMenuBreak break_ = TMenuBreak::mbNone;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;
  UINT command_;
  HMENU handle_ = nullptr;
};

// What main and popup menus share.
class TMenu : public TComponent {
  KORVAN_CLASS(TMenu)
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  TMenuItem* Items() { return &root_; }
  HMENU Handle();
  // Rebuilds the Win32 menu after a change; the owning window redraws its menu bar.
  void Rebuild();
  bool DispatchCommand(UINT id);
  bool DispatchPopup(HMENU popup);
  TMenuItem* FindItem(UINT command);
  // The item whose submenu is Popup (the root for the menu's own handle).
  TMenuItem* FindItemByHandle(HMENU popup);
  // Items drawn by their owner: measured and painted through the item events.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool v);
  // While locked, changes to the items do not rebuild the Win32 menu.
  void LockRebuild(bool locked) { rebuildLocked_ = locked; }
  // The system's owner-draw requests for this menu's items; false when the item is not ours.
  bool DispatchMeasureItem(MEASUREITEMSTRUCT& mis);
  bool DispatchDrawItem(const DRAWITEMSTRUCT& dis);
  HWND WindowHandle = nullptr;

 protected:
  virtual HMENU CreateMenuHandle() = 0;

 private:
  friend class TMenuItem;
  TMenuItem root_{nullptr};
  HMENU handle_ = nullptr;
  bool building_ = false, ownerDraw_ = false, rebuildLocked_ = false;
};

class TMainMenu : public TMenu {
  KORVAN_CLASS(TMainMenu)
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

 protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
};

// A menu shown at a point. Its requests go to one hidden window of the process, which
// passes measuring, drawing and the popups' opening to the menu being shown.
class TPopupMenu : public TMenu {
  KORVAN_CLASS(TPopupMenu)
 public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  ~TPopupMenu() override;
  // Shows the menu at screen point (X, Y) and waits until it closes; the chosen item clicks.
  void Popup(int x, int y);
  TNotifyEvent OnPopup;
  // The hidden window that owns shown popup menus.
  static HWND PopupListWindow();

 protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
};

}  // namespace gui
