// The skinned scroll bars of any window: the hook hides the system's bars while the window
// computes its frame, keeps the room for its own, answers hit tests on them, paints them
// from the skin, and runs the mouse itself (hover, arrow and page repeat, thumb drag),
// telling the window through ordinary WM_HSCROLL/WM_VSCROLL messages.
#pragma once
#include <windows.h>

#include "skin/hooks/acSBUtils.h"
#include "skin/hooks/acScrollGeometry.h"

namespace skin {

class TacScrollWnd;
struct TacConstElementData;
struct TacSectionSource;
class TacSkinData;
class TsSkinManager;

// One part of a bar (track, arrow or thumb) from its skin record into Rc of the bar's image.
void PaintScrollPart(const TacSectionSource& src, const TacConstElementData& e, const TRect& rc, int state,
                     const TacBackgroundCache& cache, TBitmap32& px);
// The arrow on an arrow button (0 left, 1 up, 2 right, 3 down): the button's glyph picture
// centred when the skin has one, else an arrow of the manager's style (nullptr: the default
// manager) in the button's font colour, one pixel further when pressed content shifts.
void PaintScrollArrowGlyph(gui::TBitmap& bmp, const TacSkinData& sd, const TacConstElementData& e, const TRect& rc,
                           int state, int direction, TsSkinManager* manager = nullptr);
// An arrow button's rectangle: as long as the skin's picture of the button when its section
// has one.
TRect ScrollArrowRect(const TacSkinData& sd, const TacConstElementData& e, const TRect& rc, int direction);

// The state of one bar.
struct TacScrollBar {
  // 1 first arrow disabled, 2 second arrow disabled, 4 thumb only while scrollable,
  // 8 the window style shows the bar.
  WORD FFlags = 0;
  WORD FKind = SB_HORZ;
  int32_t FThickness = -1;    // negative: that many times the system's thickness
  int32_t FArrowLength = -1;  // negative: that many skin button sizes
  int32_t FMinThumbSize = kDefaultMinThumb;
  bool FVisible = false;
  SCROLLINFO FScrollInfo{};
  TBarScrollInfo Info() const;
};

class TacScrollWnd : public TacMainWnd {
 public:
  TacScrollWnd();
  ~TacScrollWnd() override;
  // Takes over a bare window (subclassed) or one of our controls and puts the skinned
  // bars in place; Repaint recomputes the frame at once.
  void Install(HWND wnd, bool repaint, const std::string& section = {});
  void InstallControl(gui::TWinControl* control, TsCommonData* shared, bool repaint, const std::string& section = {});
  // Takes the hook off: the window gets its own bars back.
  bool ReleaseScroll(bool repaint);

  TacScrollBar& HorzBar() { return horz_; }
  TacScrollBar& VertBar() { return vert_; }
  int VisibleScrollBarSize(bool vertical) const override;
  int32_t Thickness(const TacScrollBar& bar) const;
  int32_t ArrowLength(const TacScrollBar& bar) const;
  // A visible bar's rectangle in screen coordinates; empty when hidden.
  TBarRect BarRect(const TacScrollBar& bar) const;
  bool ScrollBarEnabled(const TacScrollBar& bar) const;
  void UpdateScrollInfo(bool repaint);
  // Both bars and the corner between them; DC nullptr: the window's.
  void PaintScrollBars(HDC dc = nullptr);
  bool Tracking() const { return tracking_; }
  // While the hook itself tells the window a scroll step.
  bool SendingScroll() const { return sendingScroll_; }

 protected:
  std::unique_ptr<TsCommonData> CreateSkinData() override;
  bool HandleSkinCommand(gui::TMessage& msg) override;
  void HandleMessage(gui::TMessage& msg) override;
  void RestoreOriginalLook() override;
  // Whether Shift is held at a click on the track (the thumb then jumps under the mouse).
  virtual bool ShiftDown() const;

 private:
  void Prepare(bool repaint);
  bool Skinned() const;
  void NcCalcSize(gui::TMessage& m);
  void NcHitTest(gui::TMessage& m);
  void NcButtonDown(gui::TMessage& m);
  void NcMouseMove(gui::TMessage& m);
  void MouseMove(gui::TMessage& m);
  void ButtonUp(gui::TMessage& m);
  void Timer(gui::TMessage& m);
  void DragStep(POINT screen);
  void PaintBar(HDC dc, TacScrollBar& bar, int pressedPart, int thumbStartOverride = -1);
  // The corner between two bars: the track's colour (or what lies behind a see-through
  // track), with the size grip when it is the top window's client corner.
  void PaintCorner(HDC dc);
  bool CornerHasGrip() const;
  TacScrollBar& BarOfKind(int kind) { return kind == SB_HORZ ? horz_ : vert_; }
  void SendScroll(int code, bool setPos, int32_t pos);
  // Whether the window's scroll information differs from what the bars last showed.
  bool ScrollInfoChanged();

  TacScrollBar horz_, vert_;
  bool leftScrollBar_ = false;
  bool bordersKnown_ = false;
  bool paintLock_ = false;
  bool tracking_ = false;
  bool sendingScroll_ = false;
  TBarBorders borders_{-1, 0, 0, 0};
};

// The thumb position (from the bar's minimum) the window was last told of while a thumb is
// dragged; a window told of a new one finds the old one here.
int32_t LastTrackPos();
// The scroll hook a window carries ("ACSBSC"), nullptr when none.
TacScrollWnd* GetScrollWnd(HWND wnd);
// The window's horizontal (SB_HORZ) or vertical (SB_VERT) skinned bar; nullptr otherwise.
TacScrollBar* GetScrollBarOf(HWND wnd, int kind);
// The smallest thumb of one bar or both (SB_BOTH); False when the window has no scroll hook.
bool SetMinThumbSize(HWND wnd, int kind, int32_t size);
// Sends one scroll notification the way a system bar does, announced before and after by
// skin commands 51 and 52; a window that answers 51 with 1 reads the position from LParam.
void SendScrollMessage(HWND wnd, UINT msg, int code, bool setPos, int32_t pos);

}  // namespace skin
