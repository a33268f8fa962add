// The hook of a system popup-menu window (class "#32768"): a skinned background, a frame
// copied from the skinned menus' prepared image of the popup, and a layered window that
// stays fully transparent until its frame was painted once. The window-creation hook makes
// one for every new popup-menu window while skinned popups are on.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "skin/hooks/acScrollWnd.h"

namespace skin {

class TacMnuWnd : public TacScrollWnd {
 public:
  // Hooks the popup-menu window with section "MAINMENU".
  void InstallMenu(HWND wnd);
  void WndProc(gui::TMessage& msg) override;
  // The window's own look in the skin state's image, repainted while it is out of date.
  void PrepareMenuCache();
  bool NcPainted() const { return ncPainted_; }

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;

 private:
  void WindowGoes(gui::TMessage& msg);
  void NcPaint();
  bool ncPainted_ = false, layering_ = false;
};

// The hooks of the popup-menu windows, in the order they were made.
std::vector<std::unique_ptr<TacMnuWnd>>& MenuWnds();
// A hook for a new popup-menu window, kept in MenuWnds.
TacMnuWnd* HookMenuWindow(HWND wnd);
// Frees every menu hook (one whose procedure is still running is freed at the next call).
void ClearMenuWnds();
// The unit's end: every menu hook left is freed.
void FinalMenuWnds();

}  // namespace skin
