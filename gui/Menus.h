// Main menus: a tree of items built into Win32 menus. An item that owns a submenu runs
// its click handler when the submenu opens, as the class library does.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "rtl/Classes.h"

namespace gui {

using rtl::TComponent;
using rtl::TNotifyEvent;

class TMainMenu;

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

  // Runs the click handler, as choosing the entry does.
  void Click();
  TNotifyEvent OnClick;

 private:
  friend class TMainMenu;
  void Changed();
  void Build(HMENU into);
  void DestroyHandles();
  TMenuItem* FindCommand(UINT id);
  TMenuItem* FindPopup(HMENU h);
  std::string caption_;
  bool enabled_ = true, visible_ = true, checked_ = false;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMainMenu* menu_ = nullptr;
  UINT command_;
  HMENU handle_ = nullptr;
};

class TMainMenu : public TComponent {
  KORVAN_CLASS(TMainMenu)
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;
  TMenuItem* Items() { return &root_; }
  HMENU Handle();
  // Rebuilds the Win32 menu after a change; the owning window redraws its menu bar.
  void Rebuild();
  bool DispatchCommand(UINT id);
  bool DispatchPopup(HMENU popup);
  TMenuItem* FindItem(UINT command);
  HWND WindowHandle = nullptr;

 private:
  friend class TMenuItem;
  TMenuItem root_{nullptr};
  HMENU handle_ = nullptr;
  bool building_ = false;
};

}  // namespace gui
