// The size-grip hook: a "scrollbar" window of size-grip style painted with the skin's grip
// picture over its parent's background, answering the bottom-right corner wherever it is
// hit.
#pragma once
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacSizerWnd : public TacMainWnd {
 public:
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override { (void)msg; return false; }

 private:
  void PaintSizer();
};

}  // namespace skin
