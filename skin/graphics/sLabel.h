// Labels that follow the skin: TsCustomLabel takes its text colour from the skin and can let
// the mouse through to what lies below; TsLabel may keep its own font colour; TsHTMLLabel
// shows a caption in mini-HTML whose links open when clicked.
#pragma once
#include <functional>
#include <string>

#include "gui/StdCtrls.h"
#include "skin/core/sConst.h"
#include "skin/graphics/acBackground.h"
#include "skin/graphics/sHtml.h"

namespace skin {

class TsSkinManager;

// Palette entries labels read while a skin is loaded.
inline constexpr int kPaletteMainColor = 0, kPaletteLabelText = 1, kPaletteLinkText = 2, kPaletteHotLinkText = 3;

class TsCustomLabel : public gui::TLabel {
  KORVAN_CLASS(TsCustomLabel)
 public:
  explicit TsCustomLabel(rtl::TComponent* owner);
  ~TsCustomLabel() override;

  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& v);
  // The label's own manager, else the default one (nil without any).
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* m);
  // The section's index in the loaded skin, -1 without a skin or a section.
  int GetSkinIndex();

  bool TransparentForMouse = false;

  // The text colour: the skin's label colour while a skin is loaded, else the font's; a
  // disabled label's is mixed into the background.
  virtual gui::TColor GetTextColor();

  void WndProc(gui::TMessage& msg) override;
  // What the parent shows behind the label, as a background cache.
  void GetParentBackground(TacBackgroundCache& cache);
  // Gives the label the manager's main font.
  void Loaded() override;

 protected:
  // The label's section painted over its parent's background, then the caption.
  void Paint() override;
  void Notification(rtl::TComponent* component, rtl::TOperation op) override;
  // Draws the caption in R (DT_CALCRECT measures it into R instead).
  virtual void DoDrawText(gui::TRect& r, UINT flags);
  bool SkinLoaded() const;

 private:
  std::string skinSection_;
  void SkinCommand(gui::TMessage& msg);
  int skinIndex_ = -1;
  TsSkinManager* manager_ = nullptr;
  bool restoreParentFont_ = false;  // the main font replaced the parent's: it comes back with the skin's removal
};

class TsLabel : public TsCustomLabel {
  KORVAN_CLASS(TsLabel)
 public:
  explicit TsLabel(rtl::TComponent* owner) : TsCustomLabel(owner) {}
  bool UseSkinColor() const { return useSkinColor_; }
  void SetUseSkinColor(bool v);
  // With UseSkinColor, the skin's font colour for the label's place (its own section, else
  // the section of the opaque parent below it); else the font's. A disabled label's is mixed
  // into its parent's colour.
  gui::TColor GetTextColor() override;

 private:
  bool useSkinColor_ = true;
};

// OnLinkClick may change the address or forbid opening it.
using TLinkClickEvent = std::function<void(rtl::TObject* sender, std::string& href, bool& allow)>;
// How a link is opened ("open" through the shell); replaceable so that tests see what opens.
using TacLinkOpener = std::function<void(const std::string& href, TsWindowShowMode showMode)>;
TacLinkOpener SetLinkOpener(TacLinkOpener opener);

class TsHTMLLabel : public TsCustomLabel {
  KORVAN_CLASS(TsHTMLLabel)
 public:
  explicit TsHTMLLabel(rtl::TComponent* owner);

  // The caption without its tags.
  std::string PlainCaption() const { return HtmlPlainText(Caption()); }
  bool FitToWidth() const { return fitToWidth_; }
  void SetFitToWidth(bool v);
  bool UseHTML() const { return useHTML_; }
  void SetUseHTML(bool v);
  TsWindowShowMode ShowMode = TsWindowShowMode::soDefault;
  TLinkClickEvent OnLinkClick;

  // The first link under the point (client coordinates), -1 for none.
  int LinkAtPos(gui::TPoint p) const;
  int HotLink() const { return hot_; }
  int PressedLink() const { return pressed_; }
  const TacLinks& Links() const { return links_; }
  void LinkClick(int index);

  void WndProc(gui::TMessage& msg) override;

 protected:
  void DoDrawText(gui::TRect& r, UINT flags) override;
  void DoTextChanged() override;
  void FontChanged() override;
  void AdjustHtmlBounds();

 private:
  void SetHot(int hot);
  int hot_ = -1, pressed_ = -1;
  bool inClick_ = false;
  bool fitToWidth_ = false;
  bool useHTML_ = true;
  TacLinks links_;
};

class TsEditLabel;

// What an edit control keeps of the label bound to it: the label, and the label it shows its
// caption through. Both are cleared when that label goes.
struct TacBoundLabelRef {
  TsEditLabel* Label = nullptr;
  TsEditLabel* CaptionLabel = nullptr;
};

// The bound caption of an edit control.
class TsEditLabel : public TsHTMLLabel {
  KORVAN_CLASS(TsEditLabel)
 public:
  explicit TsEditLabel(rtl::TComponent* owner) : TsHTMLLabel(owner) {}
  ~TsEditLabel() override;
  // The edit's record of this label; nullptr while not bound.
  TacBoundLabelRef* BoundLabel = nullptr;
};

}  // namespace skin
