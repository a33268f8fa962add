// The hooks of grids and tree views. Our data grid's window is a list view in details
// view, so its hook scrolls it as the list-view hook does and adds the grid's own thumb
// handling: a data-aware grid's bar keeps the dragged position. A tree view takes the
// skin's background and text colours and has its background filled in the section's
// colour.
#pragma once
#include "skin/hooks/acListViewWnd.h"

namespace skin {

class TacGridWnd : public TacListViewWnd {
 protected:
  void HandleMessage(gui::TMessage& msg) override;
};

class TacTreeViewWnd : public TacEditWnd {
 protected:
  void SaveOriginalLook() override;
  void RestoreOriginalLook() override;
  void TakeSkinColors(TsCommonData& data) override;
  void HandleMessage(gui::TMessage& msg) override;

 private:
  COLORREF savedBk_ = COLORREF(0xFFFFFFFF), savedText_ = COLORREF(0xFFFFFFFF);
  bool savedTv_ = false;
};

}  // namespace skin
