// The user's own title buttons of a skinned form (hit codes 1000 + index), and the fade
// that shows a title button's new look (system or user button) in a small layered window
// over the button when the mouse enters, leaves or presses it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "gui/Controls.h"
#include "gui/HintWindow.h"
#include "gui/Timer.h"
#include "skin/core/acBaseForms.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/forms/acTitleBarLayout.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

class TsTitleButtons;

class TsTitleButton : public rtl::TCollectionItem {
  KORVAN_CLASS(TsTitleButton)
 public:
  explicit TsTitleButton(rtl::TCollection* collection);
  ~TsTitleButton() override;

  bool Enabled = true;
  bool UseSkinData = true;
  std::string Hint;
  gui::TMouseEvent OnMouseDown, OnMouseUp;
  TacTitleButtonData Data;
  std::unique_ptr<gui::THintWindow> HintWindow;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  std::string GetDisplayName() const { return name_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  gui::TBitmap& Glyph() { return *glyph_; }
  // A copy of the picture; a running fade stops so that the next one shows the new glyph.
  void SetGlyph(const gui::TBitmap* glyph);
  TsSkinProvider* Provider() const;

  // The provider's mouse handlers call these for the button under the cursor.
  void DoMouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  void DoMouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);

 protected:
  // Everything but Visible, into another title button.
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  std::string name_;
  bool visible_ = true;
  std::unique_ptr<gui::TBitmap> glyph_;
};

class TsTitleButtons : public rtl::TCollection {
  KORVAN_CLASS(TsTitleButtons)
 public:
  explicit TsTitleButtons(TsSkinProvider* provider);
  ~TsTitleButtons() override;
  TsTitleButton* Items(int index) const { return static_cast<TsTitleButton*>(rtl::TCollection::Items(index)); }
  TsTitleButton* Add() { return static_cast<TsTitleButton*>(rtl::TCollection::Add()); }
  // The button a hit code names (1000 + index), nullptr for any other code.
  TsTitleButton* ByHitCode(int32_t code) const;
  TsSkinProvider* Provider() const { return provider_; }

 private:
  TsSkinProvider* provider_;
};

// The fade of one title button. Its owner window is the form (or dialog) whose title holds
// the button; the window rectangle of Wnd is the origin of Button->Rect.
class TacSBAnimation : public gui::TTimer, public TacFadeSteps {
  KORVAN_CLASS(TacSBAnimation)
 public:
  explicit TacSBAnimation(rtl::TComponent* owner);
  ~TacSBAnimation() override;
  std::unique_ptr<gui::TBitmap> Image;
  std::unique_ptr<TacGlowForm> Window;
  TsCommonData* SkinData = nullptr;
  HWND Wnd = nullptr;
  TacTitleButtonData* Button = nullptr;
  // The user button's own glyph, when the button is one.
  gui::TBitmap* UserGlyph = nullptr;
  // Where the button's picture lies on the screen: the button, or its glow around it.
  RECT ImageRect() const;
  // How far a hot system button's glow reaches beyond it; 0 without glow.
  int32_t GlowMargin() const;

 protected:
  void Show(int32_t alpha) override;
  void DropPicture() override;
  void Finished() override;
  void SetTimer(bool on) override { SetEnabled(on); }
  bool MouseLeft() override;

 private:
  void MakeImage();
  // The skin's glow element of the button's glyph while it glows, else -1.
  int32_t GlowElement() const;
};

// Starts the fade of a title button towards its current state, or turns the running one
// round: Steps ticks of 12 ms (one when the manager's animation effect is off).
void StartTitleButtonFade(rtl::TComponent* owner, HWND wnd, TsCommonData* skinData, TacTitleButtonData& button,
                          int32_t steps, gui::TBitmap* userGlyph = nullptr);

// A user button's glyph centred in R (one pixel lower and to the right when pressed): a
// 32-bit glyph blended by its alpha, any other without its bottom-left colour.
void DrawUserGlyph(TBitmap32& px, gui::TBitmap& glyph, const gui::TRect& r, bool pressed);

// The picture of a fade in a layered window over R (screen coordinates) at a constant
// alpha, placed just above Ref (topmost when Ref is). Makes the window when missing.
void ShowFadePicture(std::unique_ptr<TacGlowForm>& window, gui::TBitmap& picture, const RECT& r, HWND ref, BYTE alpha);

}  // namespace skin
