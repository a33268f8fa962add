// The check-box hook: native check boxes and radio buttons and our TCheckBox and
// TRadioButton painted from the skin's "CHECKBOX" section over the parent's background,
// the skin's box or radio glyph on either side of the caption, the focus mark, the hover
// look faded in and out as the mouse comes and goes, and the disabled look. An owner-drawn button keeps its own painting and only gets
// the parent's background.
#pragma once
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacCheckBoxWnd : public TacMainWnd {
 public:
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  // 0 unchecked, 1 checked, 2 indeterminate.
  int CheckState();
  // 2 pressed, 1 focused or hovered, 0 otherwise.
  int HotState();
  bool IsRadio();
  // The skin's element index for the current check state; -1 when the skin has none.
  int GlyphElement(int checkState);
  void PrepareCheckBoxCache();

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;

 private:
  void PaintCheckBox(HDC given);
  void DrawCaption(int glyphWidth);
  void DrawCheckGlyph(int element);
  gui::TSize ElementSize(int element);
  bool ownerDraw_ = false;
  bool tracking_ = false;
};

}  // namespace skin
