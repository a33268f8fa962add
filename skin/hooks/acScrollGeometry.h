// The arithmetic of skinned scroll bars, free of Win32 so that it is tested natively: the
// thumb's length and place, which part of a bar lies under a point, where a dragged thumb
// puts the position, the bars' rectangles and the room they take from the client area,
// and the order in which a bar's thickness and arrow length are chosen.
#pragma once
#include <cstdint>

namespace skin {

// The scroll information of one bar, as the window keeps it.
struct TBarScrollInfo {
  int32_t nMin = 0;
  int32_t nMax = 0;
  uint32_t nPage = 0;
  int32_t nPos = 0;
  int32_t nTrackPos = 0;
};

struct TBarRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TBarRect&) const = default;
};

// Parts of a bar under a point.
enum TBarPart : int32_t {
  bpNone = -1,
  bpFirstArrow = 0,   // left or up
  bpSecondArrow = 1,  // right or down
  bpTrackBefore = 2,  // between the first arrow and the thumb
  bpTrackAfter = 3,   // between the thumb and the second arrow
  bpTrackJump = 4,    // the track while Shift is held: the thumb jumps under the mouse
  bpThumb = 5,
};

// Timers of the bars: hover polling, the first repeat of a held arrow or track, the rest.
inline constexpr uintptr_t kScrollHoverTimer = 0xFFF2;
inline constexpr uintptr_t kScrollDelayTimer = 0xFFFD;
inline constexpr uintptr_t kScrollRepeatTimer = 0xFFFE;
inline constexpr uint32_t kScrollHoverMs = 20;
inline constexpr uint32_t kScrollDelayMs = 300;
inline constexpr uint32_t kScrollRepeatMs = 55;
// A thumb is never shorter than this unless the bar sets another size.
inline constexpr int32_t kDefaultMinThumb = 16;
// The thumb of a bar without arrows.
inline constexpr int32_t kArrowlessMinThumb = 19;

struct TThumb {
  int32_t Length = 0;
  int32_t Start = 0;  // first coordinate along the bar
  bool operator==(const TThumb&) const = default;
};

// The thumb of a bar Length pixels long beginning at Start with arrows of Arrow pixels.
TThumb ThumbGeometry(int32_t length, int32_t start, int32_t arrow, const TBarScrollInfo& si, int32_t minThumb);
// Whether that thumb fits between the arrows (a bar too short shows none).
bool ThumbFits(int32_t length, int32_t arrow, const TThumb& thumb);
// The length each arrow takes: Arrow, or half the bar when two arrows do not fit.
int32_t ArrowExtent(int32_t length, int32_t arrow);

// The part of a bar at a point; horizontal bars run along x.
TBarPart HitTestBar(bool horizontal, const TBarRect& bar, int32_t x, int32_t y, int32_t arrow,
                    const TBarScrollInfo& si, int32_t minThumb, bool shiftDown);

// A drag: where the thumb begins when the mouse is at Mouse and grabbed it MouseOffset
// pixels from its start (kept between the arrows), and the position that start stands for
// (relative to nMin).
int32_t DraggedThumbStart(int32_t mouse, int32_t mouseOffset, int32_t barStart, int32_t barLength, int32_t arrow,
                          int32_t thumbLength);
int32_t DraggedPosition(int32_t thumbOffset, const TBarScrollInfo& si, int32_t trackLength, int32_t thumbLength);

// The frame of a window around its client area (bars not counted).
struct TBarBorders {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
struct TBarLayout {
  bool HorzVisible = false, VertVisible = false;
  int32_t HorzThickness = 0, VertThickness = 0;
  bool LeftScrollBar = false;  // the vertical bar sits on the left
};
// The bars' rectangles in the window rectangle's coordinates; empty for a hidden bar.
TBarRect HorzBarRect(const TBarRect& window, const TBarBorders& b, const TBarLayout& l);
TBarRect VertBarRect(const TBarRect& window, const TBarBorders& b, const TBarLayout& l);
// The corner between two visible bars.
TBarRect BarCornerRect(const TBarRect& window, const TBarBorders& b, const TBarLayout& l);

// An arrow button drawn from a skin picture made for another length than the 17 pixels
// the bars are drawn for reaches that much further into the track (or less far). Direction
// 0 left, 1 up, 2 right, 3 down; ImageWidth and ImageHeight are one frame of the picture.
TBarRect ArrowButtonRect(TBarRect r, int direction, int32_t imageWidth, int32_t imageHeight);
// The size grip belongs in the corner between the bars only when the window's bottom-right
// corner is that of its top-level window's client area (both in screen coordinates).
bool CornerTakesGrip(const TBarRect& window, const TBarRect& topClient);

// The room of the bars taken out of a client rectangle: a bar the style shows takes its
// thickness when the client area is large enough, else it is hidden.
void ReserveBars(TBarRect& client, bool horzStyle, bool vertStyle, TBarLayout& l);

// What decides a bar's thickness and arrow length, first match wins.
struct TBarSizeInputs {
  int32_t DataWidth = -1;         // the control's own bar width (scaled by the skin)
  int32_t DataButtons = -1;       // the control's own arrow length (scaled by the skin)
  int32_t ManagerButtons = -1;    // the manager's arrow length (used as it is)
  int32_t ManagerWidth = -1;      // the manager's bar width at 96 pixels per inch
  bool ScaleManagerWidth = false;  // the manager's width is scaled too
  int32_t OwnThickness = -1;      // the bar's own; negative: that many times the system's
  int32_t OwnArrow = -1;          // the bar's own; negative: that many skin button sizes
  int32_t SystemThickness = 0;    // the system's scroll-bar thickness
  int32_t SkinButtonSize = 0;     // the skin's arrow-button size
  int32_t SkinScaleNum = 1, SkinScaleDen = 1;  // the skin's scale
};
int32_t BarThickness(const TBarSizeInputs& in);
int32_t BarArrowLength(const TBarSizeInputs& in);

}  // namespace skin
