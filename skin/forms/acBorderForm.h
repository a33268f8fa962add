// The extended border of a skinned form: a layered window around and just behind the form
// that shows the form's cached non-client image with per-pixel alpha. It answers the
// mouse over the title and the resize bands itself and hands clicks to the form; over the
// shadow beyond the bands it lets the mouse through to the window below.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "gui/Forms.h"
#include "skin/core/acBaseForms.h"
#include "skin/core/sCommonData.h"
#include "skin/forms/acTitleRules.h"

namespace skin {

class TsSkinProvider;

// A window other than a provider's form that carries a border window (a native dialog's
// hook): what the border window asks of it.
class TacBorderOwner {
 public:
  virtual ~TacBorderOwner() = default;
  virtual HWND BorderOwnerWnd() = 0;
  virtual uint32_t BorderOwnerState() = 0;
  // How far the owner window lies right of and below the border window's corner.
  virtual POINT BorderOwnerOffset() = 0;
  // The picture the border window shows, rebuilt when stale (Rebuilt set then); nullptr
  // when there is none.
  virtual gui::TBitmap* BorderImage(bool& rebuilt) = 0;
  // The part the owner window shows itself, in border-window coordinates.
  virtual RECT BorderOwnerPart() = 0;
  // The owner's measures for the band hit tests (shadow, frame, caption, icon).
  virtual void BorderFacts(TacBorderBandFacts& f) = 0;
  // The owner's answer for a screen point over its own title (0: not there).
  virtual int32_t BorderTitleHit(int32_t screenX, int32_t screenY) = 0;
  virtual void BorderHotItem(int32_t code) = 0;
};

// The skin's window-shadow template for an active or inactive window (nullptr when the
// skin has none), with the border widths it is cut by: the extended-border element's own
// sizes when the skin has one, else half the template's width on the sides and half its
// height above and below. WindowShadow asks for the skin's window-shadow picture whatever
// extended border the skin has (a form in UWP mode).
const TBitmap32* FormShadowTemplate(TacSkinData& sd, bool active, TRect& widths, bool windowShadow = false);
// The shadow a border window shows, as large as Picture: the template (nullptr: none) drawn in
// nine parts over all of it, its middle left out. Where nothing or a fully clear part of the
// shadow lies, the picture holds the transparent colour (fuchsia without alpha), which the
// border window's image keeps clear.
void DrawFormShadow(TBitmap32& picture, const TBitmap32* shadow, const TRect& widths);

class TacBorderForm {
 public:
  explicit TacBorderForm(TsSkinProvider* owner);
  TacBorderForm(TacBorderOwner* owner, TsCommonData* skinData);
  TacBorderOwner* Owner = nullptr;  // set when the owner is not a provider
  ~TacBorderForm();

  int32_t SavedLeft = 0, SavedTop = 0;
  POINT DragPoint{-9999, -9999};
  bool OwnerRegionSet = false;
  bool InMouseHole = false;
  bool TitleClipped = false;
  bool DragFromMaximized = false;
  TsSkinProvider* Provider;
  bool RegionChanged = false;
  bool Locked = false;
  bool Updating = false;
  TsCommonData* SkinData = nullptr;  // the provider's; not owned
  std::unique_ptr<TacGlowForm> BorderWindow;
  gui::TWndMethod OldWindowProc;
  LONG_PTR OldParent = 0;

  void CreateBorderWindow();
  // The layered window goes (its procedure given back); the next update makes it again.
  void FreeBorderWindow();
  // The window is handed over with the image it shows, its procedure given back.
  std::unique_ptr<TacGlowForm> TakeWindow();
  void UpdateBorderWindow(bool repaint);
  // The window's region for a size (0, 0: its present size); nullptr without window.
  HRGN CreateRegion(int32_t newWidth, int32_t newHeight);
  void UpdateRegion();
  int32_t HitTest(int32_t screenX, int32_t screenY);
  int32_t TitleItemAt(POINT p);
  bool MouseInShadow(int32_t screenX, int32_t screenY);
  bool UpdateCursor();

  HWND OwnerHandle();
  uint32_t OwnerState();
  int32_t OwnerOffsetX();
  int32_t OwnerOffsetY();
  HWND InsertAfterWnd();
  HWND Handle() const { return BorderWindow && BorderWindow->HandleAllocated() ? BorderWindow->Handle() : nullptr; }
  // What the band hit tests read of the owner and the skin.
  TacBorderBandFacts BandFacts();

 private:
  void BorderWndProc(gui::TMessage& m);
  void CutMouseHole();
  void StretchToWorkArea(bool vertical);
  // The maximized form pressed on its caption is restored under the mouse and dragged on.
  void DragOutOfMaximizedState(POINT cursor);
  // A double click on a title-bar item: a button's second click, or the item's own press.
  void DoubleClickItem(int32_t code, LPARAM at);
  void UpdateBlurBehind(HWND h, const TBitmap32& image);
  // The top of the work area of the monitor that holds the border window.
  int32_t WorkAreaTop();
  void SetOwnerHotItem(int32_t code);
};

}  // namespace skin
