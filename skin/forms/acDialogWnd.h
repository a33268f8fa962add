// The hook of a native dialog window of the system ("#32770", "NativeHWNDHost"): it paints
// the dialog's frame, title, icon, caption and title buttons from the skin's dialog
// sections into one cached image, its client background from the same image, answers the
// title's hit tests and clicks itself, gives its child windows their hooks by class, and
// brings a skinned system menu of its own.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "gui/Menus.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDialsRules.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {

class TacDialogWnd;
class TacProvider;

// The dialog's own system menu: six items whose visibility and state follow the dialog,
// each sending its system command to the dialog.
class TacSystemMenu {
 public:
  explicit TacSystemMenu(TacDialogWnd* dialog);
  ~TacSystemMenu();
  void UpdateItems();
  gui::TMenuItem* Item(TacDialogMenuItem i) const { return items_[i]; }
  // Shows the menu at a screen point and runs the chosen item.
  void Popup(int x, int y);
  // Runs one item as a click on it would.
  void Click(TacDialogMenuItem i);
  HWND WindowHandle = nullptr;

 private:
  TacDialogWnd* dialog_;
  gui::TMenuItem root_{nullptr};
  gui::TMenuItem* items_[kDialogMenuItems] = {};
};

class TacDialogWnd : public TacScrollWnd, public TacAnimatedDialog, public TacBorderOwner {
 public:
  TacDialogWnd();
  ~TacDialogWnd() override;
  // Takes over the dialog window with section "DIALOG".
  void HookDialog(HWND wnd);
  void AfterCreation();
  // Once the children are hooked: the saved styles, border style, icon and title buttons;
  // the system's own caption buttons go.
  void InitDialog();
  void WndProc(gui::TMessage& msg) override;

  TacProvider* Provider = nullptr;
  // The snapshot window a close by Cancel or Yes laid over the dialog for its hide.
  std::unique_ptr<TacGlowForm> AnimForm;
  bool AnimOnClose = false;
  int32_t HotItem = 0;
  int32_t CaptionSkinIndex = -1, TitleSkinIndex = -1;
  bool ChildrenHooked = false;
  bool FormActive = true;
  bool SkipClientPaint = false;
  bool RegionChanged = true;
  uint32_t State = 0;  // 0x80 while a blended move runs
  uint32_t SavedStyle = 0, SavedExStyle = 0;
  TacBorderStyle BorderStyle = TacBorderStyle::bsSingle;
  TacTitleButtonData MinBtn, MaxBtn, HelpBtn, CloseBtn;
  HICON Icon = nullptr;
  std::unique_ptr<TacSystemMenu> SystemMenu;

  bool DrawNonClient();
  TacDialogStyle DialogStyle();
  TacDialogButtonStates ButtonStates() { return DialogButtonStates(DialogStyle()); }
  int32_t BorderWidth();
  int32_t CaptionHeight();
  int32_t TitleHeight() { return BorderWidth() + CaptionHeight(); }
  int32_t ClientOffsetX() override;
  int32_t ClientOffsetY() override;
  int32_t ButtonWidth(const TacTitleButtonData& b);
  int32_t ButtonHeight(const TacTitleButtonData& b);
  void InitTitleButtons();
  void LoadIcon();
  void PrepareCache() override;
  void PaintNonClient();
  void PrepareRegionRects() override;
  void UpdateRegion(bool redraw) override;
  // What the show and hide animations take of the dialog.
  HWND DialogHandle() override { return Wnd(); }
  gui::TBitmap* DialogImage() override;
  void HoldPainting(bool hold) override;
  LRESULT CallDialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override { return CallWndProc(msg, wParam, lParam); }
  std::unique_ptr<TacGlowForm> TakeSnapshotWindow() override;
  HWND AnimBorderWindow() override;
  POINT AnimBorderOffset() override { return BorderOwnerOffset(); }
  gui::TBitmap* AnimBorderImage() override;
  void AnimBorderShown() override;
  std::unique_ptr<TacGlowForm> TakeBorderWindow() override;
  TacDialogHit HitTest(int32_t screenX, int32_t screenY, int64_t current);
  void SetHotItem(int32_t code, bool repaint);
  void PressButton(int32_t code);
  void RepaintButton(int32_t code);
  // The title buttons' running fades end and their windows go.
  void FreeTitleAnimations();
  // What a title button's fade needs to hear of a message before the dialog answers it.
  void TitleFadeMessage(const gui::TMessage& m);
  void ShowSystemMenu(int x, int y);
  TacTitleButtonData* ButtonOf(int32_t code);
  void DialogStartBlendMoving();
  void DialogFinishBlendMoving();

  // The layered window with the shadow around the dialog, while the skin's extended
  // borders are on; nullptr when the dialog draws only its own frame.
  std::unique_ptr<TacBorderForm> BorderForm;
  void SetExtBorders(bool allow);
  void ExtBordersChanged(bool allow);
  // The skin's shadow margins around the dialog (none without a border window).
  TacRect GetShadowSize();
  // The skin's taller title and wider frame the border window adds around the dialog
  // (none without a border window).
  TacDialogExtras Extras();
  HWND BorderOwnerWnd() override { return Wnd(); }
  uint32_t BorderOwnerState() override { return State; }
  POINT BorderOwnerOffset() override;
  gui::TBitmap* BorderImage(bool& rebuilt) override;
  RECT BorderOwnerPart() override;
  void BorderFacts(TacBorderBandFacts& f) override;
  int32_t BorderTitleHit(int32_t screenX, int32_t screenY) override;
  void BorderHotItem(int32_t code) override { SetHotItem(code, true); }

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;

 private:
  // Where a frame and title are painted: a picture as large as the dialog, or as large as
  // the skin's frame around it with a border window. Border + Caption is the title band;
  // the dialog's window lies at (Shift.x, Shift.y) in the picture.
  struct FrameGeometry {
    int32_t Border = 0, Caption = 0;
    POINT Shift{};
  };
  FrameGeometry Geometry();
  void PaintFrame(gui::TBitmap& target, const FrameGeometry& g);
  void PaintCaption(gui::TBitmap& target, int state, const FrameGeometry& g);
  void PaintTitleButtons(gui::TBitmap& target, const FrameGeometry& g);
  void CopyNonClientImage(HDC dc);
  void PrintClient(gui::TMessage& m);
  void HookChildrenOnce();
  void RepaintAll();
  void WMNCLButtonDown(gui::TMessage& m);
  void WMNCLButtonUp(gui::TMessage& m);
  void Size(gui::TMessage& m);
  void ShowWindowMsg(gui::TMessage& m);
  void WindowPosChanged(gui::TMessage& m);
  void Command(gui::TMessage& m);
  // The manager's animation of this kind, when it is to be played.
  const TacFormAnimation* Animation(bool show);
  std::unique_ptr<gui::TBitmap> titleImage_;
  std::unique_ptr<gui::TBitmap> borderImage_;
  // With a border window: the frame and title as the border window shows them, the
  // dialog's own picture being the part its window covers.
  std::unique_ptr<gui::TBitmap> frameImage_;
  POINT frameShift_{};  // where the dialog's window lies in it
  // The skin's picture around the dialog for its activation (nullptr without a border
  // window or picture), with the border widths it is drawn in nine parts with.
  const TBitmap32* ShadowTemplate(TRect& widths);
  // The frame and title come from that picture (the skin's border mode 1).
  bool FrameFromTemplate();
  // How far the icon, caption and title buttons sit lower in that picture's title.
  int32_t TitleDown();
  std::unique_ptr<TacBorderForm> retiredBorder_;
  bool blendTimer_ = false;
  double blendAlpha_ = 255, blendStep_ = 1, blendTarget_ = 255;
  RECT lastClientRect_{};
  HBRUSH ctlBrush_ = nullptr;
  uint32_t ctlBrushColor_ = 0;
};

// True while a region is being applied to a dialog (its paint then leaves the region be).
extern bool DialogRegionSetting;
// A title button was pressed with the left button; a release acts only while it is set.
extern bool DialogButtonPressed;

}  // namespace skin
