// Panels and pictures: containers with bevels, and windowless images.
#pragma once
#include "gui/Controls.h"
#include "gui/StdCtrls.h"

namespace gui {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle { bsNone, bsSingle };

class TPanel : public TCustomControl {
  KORVAN_CLASS(TPanel)
 public:
  explicit TPanel(TComponent* owner);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut b);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut b);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void DoTextChanged() override { Invalidate(); }

 private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  int bevelWidth_ = 1;
  TBorderStyle borderStyle_ = TBorderStyle::bsNone;
  TAlignment alignment_ = TAlignment::taCenter;
};

// A text in a window of its own ("STATIC"), optionally framed by bevels.
enum class TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

class TStaticText : public TWinControl {
  KORVAN_CLASS(TStaticText)
 public:
  explicit TStaticText(TComponent* owner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  // Any kind but bkNone frames the text with a sunken edge.
  TBevelKind BevelKind() const { return bevelKind_; }
  void SetBevelKind(TBevelKind k);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut b) { bevelOuter_ = b; }
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut b) { bevelInner_ = b; }

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TBevelKind bevelKind_ = TBevelKind::bkNone;
  TBevelCut bevelOuter_ = TBevelCut::bvLowered;
  TBevelCut bevelInner_ = TBevelCut::bvRaised;
};

// A picture drawn by the parent. A photo loaded from a .jpg keeps its file's bytes.
class TImage : public TGraphicControl {
  KORVAN_CLASS(TImage)
 public:
  explicit TImage(TComponent* owner);
  TPicture& Picture() { return picture_; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // Where the picture lands inside the control.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  TPicture picture_;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
  bool transparent_ = false;
};

}  // namespace gui
