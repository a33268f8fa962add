// The push-button hooks: native "button" windows of push style and our TButton painted
// whole from the skin's button section in four looks (normal, hot, pressed, default), faded
// from one look into the next as the mouse comes and goes, the focus mark, the disabled
// look and a dialog's OK and Cancel coloured by their result; the bitmap-button hook adds
// the picture of our TBitBtn or the one a native button carries.
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
  // The manager's word that the mouse came or went: the look fades to hot or back.
  void MouseEntered();
  void MouseLeft();
  int modalId_ = 0;
  bool tracking_ = false;
};

// Our TBitBtn (its glyph and caption placed by its Layout and Spacing, drawn with the
// skin's glyph effects) and native buttons that carry a bitmap (BM_GETIMAGE: the picture
// left of the caption).
class TacBitBtnWnd : public TacBtnWnd {
 public:
  // A default TBitBtn shows the default look (3) unless another owner-drawn button has the
  // focus; otherwise as a push button.
  int GetButtonState() override;
  gui::TRect GetGlyphRect(int state);

 protected:
  void PaintGlyph(int state) override;
  gui::TSize GetGlyphSize() override;
  gui::TRect GetCaptionRect(int state) override;
  int GetMaxCaptionWidth() override;
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
