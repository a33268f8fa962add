// The rules of a form's title-bar items free of Win32, so that they are tested natively:
// how large an item is, where the items of the four alignment groups lie in the title,
// the state an item is drawn in and the state of its skin section that is read, and the
// opacity steps of the hover fades of items and title buttons.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/core/sConst.h"

namespace skin {

enum class TacItemAlign : int32_t { tbaLeft, tbaRight, tbaCenter, tbaCenterInSpace };
enum class TacBtnStyle : int32_t { bsButton, bsMenu, bsTab, bsSpacing, bsInfo };

// Inner margin added on both sides of a drop-down menu button.
int32_t MenuExtraMargin(TacBtnStyle style);

// What the size of one item is made of, already measured at the form's PPI.
struct TacItemSizeInput {
  TacBtnStyle Style = TacBtnStyle::bsButton;
  int32_t Ppi = 96;
  bool StretchImage = false;
  int32_t Width = 22, Height = 18;  // the item's own size (96 PPI for a stretched image)
  int32_t ImageWidth = 0, ImageHeight = 0;  // from the bar's image list at the PPI, 0 none
  int32_t GlyphWidth = 0, GlyphHeight = 0, NumGlyphs = 1;  // the item's own glyph, 0 none
  bool HasCaption = false;
  int32_t CaptionWidth = 0, CaptionHeight = 0;
  int32_t Spacing = 4;
  bool HasDropdown = false;
  int32_t ArrowSize = 5;
  int32_t ItemsMargin = 3;
};
struct TacItemSize {
  int32_t ContentWidth = 0, ContentHeight = 0;
  int32_t Width = 0, Height = 0;
};
TacItemSize ItemSize(const TacItemSizeInput& in);

// One item as the layout sees it.
struct TacBarItem {
  bool Visible = true;
  bool AutoSize = true;
  TacItemAlign Align = TacItemAlign::tbaLeft;
  TacBtnStyle Style = TacBtnStyle::bsButton;
  int32_t Width = 22, Height = 18;
};
// The free title band the provider hands to the bar.
struct TacBarArea {
  TacRect BarRect;
  int32_t BarVCenter = 0;
  int32_t FullRight = 0;  // the left edge of the title buttons
  int32_t Ppi = 96;
  int32_t RightSpacing = 0;
  // The skin's spacing counted in front of the left group (only with a provider).
  int32_t LeftSpacing = 0;
  bool RightToLeft = false;
};
struct TacBarLayout {
  int32_t LeftWidth = 0, RightWidth = 0, CenterWidth = 0, CenterSpaceWidth = 0;
  std::vector<TacRect> Rects;  // one per item, empty for an invisible item
};
// Left and right exchange places on a right-to-left form.
TacItemAlign EffectiveAlign(TacItemAlign align, bool rightToLeft);
TacBarLayout LayoutBarItems(const TacBarArea& area, const std::vector<TacBarItem>& items);

// The state an item is drawn in: a dropped-down or held-down button, menu or tab is
// pressed (2), anything else keeps its own state (0 normal, 1 hot).
int32_t ItemDrawState(TacBtnStyle style, bool droppedDown, bool down, int32_t state);
// The state image of a section read for a drawing state: never beyond the section's last
// state nor beyond pressed, never below normal.
int32_t SectionStateFor(int32_t state, int32_t stateCount);

// The opacity steps of a fade shown in a layered window over a title button or a title
// item: a fade-in rises by 255 / Steps per tick to full opacity and then watches the
// mouse; a fade-out falls the same way and ends with the picture gone.
class TacFadeSteps {
 public:
  virtual ~TacFadeSteps() = default;
  int32_t Step = 0;
  int32_t State = 0;       // 0 normal, 1 hot, 2 pressed; -1 when a fade-out has ended
  int32_t StepCount = 1;   // -1 once a fade-in has completed
  bool Rising = false;
  int32_t StepAlpha() const;
  // A new target state; nothing when it is the current one.
  void ChangeState(int32_t newState, bool rising);
  // One timer tick.
  void Tick();

 protected:
  // Fading back to normal starts from full opacity (items) or from one step (buttons).
  bool FadeOutFromFull = false;
  virtual void Show(int32_t alpha) = 0;
  virtual void DropPicture() = 0;    // the next Show takes a fresh picture
  virtual void Finished() = 0;       // picture and window go
  virtual void SetTimer(bool on) = 0;
  virtual bool MouseLeft() = 0;      // the pointer is off the button: stop and tell the owner
  virtual void FadeInDone() {}
};

}  // namespace skin
