// The push-button hooks: native "button" windows of push style and our TButton painted
// whole from the skin's button section in four looks (normal, hot, pressed, default), the
// focus mark, the disabled look and a dialog's OK and Cancel coloured by their result; the
// bitmap-button hook adds the picture a native button carries.
#pragma once
#include "skin/hooks/acHookLayout.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacBtnWnd : public TacMainWnd {
 public:
  // The section "BUTTON" unless one was given, the kind of a button, and what the button
  // is in a dialog (by its ModalResult or its control ID).
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  // 0 normal, 1 hot (hovered or focused), 2 pressed, 3 the default button of a dialog.
  virtual int GetButtonState();
  int ModalId() const { return modalId_; }
  TacModalColors GetModalColors();
  virtual void PrepareButtonCache();

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;
  virtual void PaintGlyph(int state) { (void)state; }
  virtual gui::TSize GetGlyphSize() { return {}; }
  virtual gui::TRect GetCaptionRect(int state);
  virtual int GetMaxCaptionWidth();
  gui::TSize CaptionSize();
  bool Pushed();

 private:
  void PaintButton(HDC dc);
  void DrawCaption(const TacModalColors& colors, int state);
  void Refresh(gui::TMessage& msg, bool stopAnimation);
  void SetHot(bool hot);
  int modalId_ = 0;
  bool tracking_ = false;
};

// Native buttons that carry a bitmap (BM_GETIMAGE): the picture left of the caption.
class TacBitBtnWnd : public TacBtnWnd {
 protected:
  void PaintGlyph(int state) override;
  gui::TSize GetGlyphSize() override;
  gui::TRect GetCaptionRect(int state) override;
  gui::TRect GetGlyphRect(int state);
};

// Split buttons and command links: the caption moved left and a down arrow in the right
// part, where the button's menu opens.
class TacSplitBtnWnd : public TacBtnWnd {
 public:
  static constexpr int kArrowWidth = 8;
  void PrepareButtonCache() override;
  // The arrow's part at the button's right edge.
  gui::TRect ArrowRect();

 protected:
  gui::TRect GetCaptionRect(int state) override;
};

}  // namespace skin
