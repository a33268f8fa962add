// The skinned system menu of a form: built from the window's own system menu (so that its
// captions, shortcuts and entries added by the program appear), its items shown and
// enabled by the same answers the title buttons and the hit tests use.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/Forms.h"
#include "gui/Menus.h"
#include "skin/forms/acTitleRules.h"

namespace skin {

class TsSkinProvider;

// Where the program's own sub-menu goes in the system menu.
enum class TacMenuItemPos { ipTop, ipBottom, ipBeforeClose };
// A caption and a popup menu given here show as a sub-menu of the skinned system menu.
struct TacSysSubMenu {
  std::string Caption;
  gui::TPopupMenu* PopupMenu = nullptr;  // not owned
  TacMenuItemPos Position = TacMenuItemPos::ipBeforeClose;
};

// The questions every system menu answers (a form's or a native dialog's). It is a popup
// menu of the class layer, so the skinned menus paint it like any other.
class TsCustomSysMenu : public gui::TPopupMenu {
  KORVAN_CLASS(TsCustomSysMenu)
 public:
  using gui::TPopupMenu::TPopupMenu;
  virtual bool CloseVisible() = 0;
  virtual bool MaxVisible() = 0;
  virtual bool MinVisible() = 0;
  virtual bool MaxEnabled() = 0;
  virtual bool MinEnabled() = 0;
  virtual bool RestoreEnabled() = 0;
  // Shows the items as a popup at a screen point for the window; the chosen item clicks.
  void Popup(int x, int y, HWND wnd);
};

// What a form's window says about its system menu.
TacSysMenuFacts SysMenuFactsOf(gui::TCustomForm* form, HWND wnd);

class TsSystemMenu : public TsCustomSysMenu {
  KORVAN_CLASS(TsSystemMenu)
 public:
  explicit TsSystemMenu(TsSkinProvider* provider);
  ~TsSystemMenu() override;

  gui::TMenuItem *ItemMove = nullptr, *ItemSize = nullptr, *ItemClose = nullptr, *ItemRestore = nullptr,
                 *ItemMinimize = nullptr, *ItemMaximize = nullptr;
  int ExtItemsCount = 0;
  gui::TMenuItem* SubMenuItem = nullptr;  // carries the provider's SysSubMenu entries
  TsSkinProvider* Provider;
  gui::TCustomForm* Form;

  void MakeItems();
  void UpdateItems(bool recreate);
  // The manager's skins at the top, the loaded one checked (a new column every 20); a list
  // made before is replaced.
  void MakeSkinItems();
  void AddSkinItems(const std::vector<std::string>& names, const std::string& current);
  // The provider's sub-menu is configured (a caption and a menu).
  bool HasSubMenu() const;
  TacSysMenuRules Rules();

  bool CloseVisible() override { return Rules().CloseVisible; }
  bool MaxVisible() override { return Rules().MaxVisible; }
  bool MinVisible() override { return Rules().MinVisible; }
  bool MaxEnabled() override { return Rules().MaxEnabled; }
  bool MinEnabled() override { return Rules().MinEnabled; }
  bool RestoreEnabled() override { return Rules().RestoreEnabled; }
  bool RestoreVisible() { return Rules().RestoreVisible; }
  bool MoveEnabled() { return Rules().MoveEnabled; }
  bool SizeVisible() { return Rules().SizeVisible; }
  bool SizeEnabled() { return Rules().SizeEnabled; }
  bool CloseEnabled() { return Rules().CloseEnabled; }

 private:
  HWND FormWnd() const;
  gui::TMenuItem* NewItem(const std::string& name, const std::string& caption, intptr_t command);
  void SendCommand(UINT command, bool update);
  void AddSubMenu(TacMenuItemPos at);
  void RemoveSkinItems();
};

}  // namespace skin
