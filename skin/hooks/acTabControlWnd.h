// The window hook of tab controls: the whole control is painted from the skin, the strip
// behind the tabs with the parent's background, every inactive tab row by row, the page area
// with the page section for the tabs' side, and the active tab last, on top. Text of tabs on
// the left or right is written turned.
#pragma once
#include <windows.h>

#include <memory>

#include "skin/hooks/acSBUtils.h"
#include "skin/hooks/acSpinWnd.h"
#include "skin/hooks/acTabGeometry.h"

namespace skin {

class TacTabControlWnd : public TacMainWnd {
 public:
  // Takes over a tab control window; its section is "PAGECONTROL" unless one is named.
  void Install(HWND wnd, const std::string& section = "PAGECONTROL");

  // The pages' rectangle as the control reports it.
  virtual gui::TRect GetDisplayRect();
  // The rectangle painted with the page section.
  virtual gui::TRect GetPageAreaRect();
  gui::TRect GetTabsAreaRect();
  // The skin rectangle of a tab; empty for an index out of range.
  gui::TRect GetTabRect(int index, bool active);
  int GetTabRow(int index);
  // Paints the whole control into DC (the window's own when nullptr).
  void PaintControl(HDC dc);
  // One tab into Bmp for State (0 inactive, 2 active), moved by Offset.
  void PaintTab(int index, int state, POINT offset, gui::TBitmap& bmp);

  TTabSide Side() const;
  TTabStyle Style() const;
  int TabCount() const;
  int ActiveTab() const;
  // The hook of the control's scroll arrows (its up-down child) made when the child is
  // there and given up when it is gone; nullptr without one.
  void RefreshUpDownHook();
  TacSpinWnd* UpDownHook() const { return upDownHook_.get(); }

 protected:
  // The common answers serve: nothing of its own.
  bool HandleSkinCommand(gui::TMessage&) override { return false; }
  void HandleMessage(gui::TMessage& msg) override;

 private:
  // The skin's section for the tabs on this side; -1 when the skin paints no tabs.
  int TabSection() const;
  std::unique_ptr<TacSpinWnd> upDownHook_;
};

}  // namespace skin
