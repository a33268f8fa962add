// The page control's hook and its pages' hooks: the control is painted as a tab control and
// every page shows the page section through it by taking its tab control's image as its
// background. Page hooks live in one list owned by this unit; they stay there (also when
// their pages go) until the hooks' unit ends.
#pragma once
#include <windows.h>

#include "gui/ComCtrls.h"
#include "skin/hooks/acTabControlWnd.h"

namespace skin {

class TacPageWnd : public TacMainWnd {
 public:
  // Paints the page with its tab control's background into DC.
  void PaintPage(HDC dc);
  gui::TTabSheet* Page() const { return page_; }
  void SetPage(gui::TTabSheet* page) { page_ = page; }

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;
  void HandleMessage(gui::TMessage& msg) override;

 private:
  gui::TTabSheet* page_ = nullptr;
};

class TacPageControlWnd : public TacTabControlWnd {
 public:
  // Takes over one of our page controls and hooks its pages.
  void InstallControl(gui::TPageControl* control, const std::string& section = "PAGECONTROL");
  // Hooks the pages that have a window and no skin yet.
  void HookPages();

 protected:
  void HandleMessage(gui::TMessage& msg) override;

 private:
  gui::TPageControl* pageControl_ = nullptr;
};

// The page hooks made so far; freed, pages released, by FreePageHooks alone.
size_t PageHookCount();
void FreePageHooks();

}  // namespace skin
