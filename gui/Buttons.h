// Speed buttons: windowless picture buttons painted by their parent, flat or raised,
// optionally staying down in a group. Bitmap buttons: push buttons that draw a picture
// beside their caption.
#pragma once
#include "gui/Controls.h"
#include "gui/StdCtrls.h"

namespace gui {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// The picture of a speed or bitmap button and where it goes; a change repaints the button.
class TButtonGlyph {
 public:
  // The picture; with NumGlyphs > 1 it holds the up, disabled, pressed and down images
  // side by side. The bottom-left pixel's colour is transparent.
  TBitmap& Glyph() { return glyph_; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout l);
  // -1 centres picture and caption together.
  int Margin() const { return margin_; }
  void SetMargin(int m);
  int Spacing() const { return spacing_; }
  void SetSpacing(int s);

 protected:
  explicit TButtonGlyph(TControl* button);
  ~TButtonGlyph() = default;
  TBitmap glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;

 private:
  TControl* button_;
};

class TSpeedButton : public TGraphicControl, public TButtonGlyph {
  KORVAN_CLASS(TSpeedButton)
 public:
  explicit TSpeedButton(TComponent* owner);
  // The program also keeps state in this flag; it only changes the look.
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int g);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  TButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseIn_; }

  void WndProc(TMessage& msg) override;

 protected:
  void Paint() override;
  void DoTextChanged() override { Invalidate(); }

 private:
  void UpdateExclusive();
  void PaintGlyphAndText(HDC dc, RECT r, int offset);
  bool flat_ = false;
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool mouseIn_ = false;
  bool dragging_ = false;
  TButtonState state_ = TButtonState::bsUp;
};

// A push button with a picture: the window draws itself (owner-drawn), the picture and the
// caption placed by Layout, Margin and Spacing like a speed button's. It clicks, defaults
// and cancels like any TButton.
class TBitBtn : public TButton, public TButtonGlyph {
  KORVAN_CLASS(TBitBtn)
 public:
  explicit TBitBtn(TComponent* owner);
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
};

}  // namespace gui
