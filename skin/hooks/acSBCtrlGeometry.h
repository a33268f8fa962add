// The arithmetic of the skinned scroll-bar control (a control that is a bar as a whole),
// free of Win32 so that it is tested natively: the parts' rectangles, the position under a
// point, the scroll information the control keeps, and the hot and pressed states of its
// five parts as the mouse moves, presses and releases.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "skin/hooks/acScrollGeometry.h"

namespace skin {

// The scroll information the control keeps; DisplayPos is where the thumb is drawn (it stays
// where a drag put it while the thumb is held).
struct TSBCtrlInfo {
  int32_t Min = 0, Max = 0, Page = 0, Pos = 0, DisplayPos = 0;
};

struct TSBCtrlGeometry {
  int32_t ThumbLength = 0;
  int32_t ThumbCentre = 0;
  bool ThumbShown = false;  // the room between the arrows holds the thumb
  TBarRect FirstArrow, SecondArrow, Thumb, FirstTrack, SecondTrack;
};

// The parts of a control Width x Height with arrows Arrow pixels long.
TSBCtrlGeometry SBCtrlGeometry(bool vertical, int32_t width, int32_t height, int32_t arrow, const TSBCtrlInfo& si);

// The position the thumb's centre at Point (along the bar) stands for, kept inside the range;
// Min for a disabled control or a bar without free track.
int32_t SBCtrlPositionAt(int32_t point, int32_t length, int32_t arrow, int32_t thumbLength, const TSBCtrlInfo& si,
                         bool enabled);

// SBM_SETSCROLLINFO's mask bits.
inline constexpr uint32_t kSifRange = 0x1, kSifPage = 0x2, kSifPos = 0x4;
// The control's copy of the scroll information after SBM_SETSCROLLINFO; whether the range
// changed (the control's own properties follow then). While the thumb is dragged the drawn
// position stays.
bool SBCtrlSetScrollInfo(TSBCtrlInfo& si, uint32_t mask, int32_t mn, int32_t mx, int32_t page, int32_t pos,
                         bool dragging);

// Parts and their states.
enum TSBCtrlPart : int32_t { spFirstTrack = 0, spSecondTrack = 1, spFirstArrow = 2, spSecondArrow = 3, spThumb = 4 };
enum TSBCtrlPartState : int32_t { psNormal = 0, psHot = 1, psPressed = 2 };

// The scroll codes of a mouse action.
inline constexpr int32_t kSbLineUp = 0, kSbLineDown = 1, kSbPageUp = 2, kSbPageDown = 3, kSbThumbPosition = 4,
                         kSbThumbTrack = 5, kSbEndScroll = 8;

// The part under a point, first match wins: arrows, thumb, first track, second track.
TSBCtrlPart SBCtrlPartAt(const TSBCtrlGeometry& g, int32_t x, int32_t y);

// The hot and pressed parts of the control and the mouse action under way.
class TSBCtrlParts {
 public:
  std::array<int32_t, 5> State{};
  int32_t ScrollCode = 0;
  int32_t MouseOffset = 0;

  // A hot or pressed arrow or thumb clears the other arrow and thumb and lights both track
  // parts; a hot or pressed track part clears the arrows and thumb and lights the other part.
  void SetPartState(TSBCtrlPart part, int32_t state);

  // CurrentState is the control's own state (0 normal, 1 under the mouse). PositionAt is the
  // position under the press (for the thumb's grab offset), Position the control's.
  void MouseDown(TSBCtrlPart at, int32_t currentState, int32_t positionAt, int32_t position);
  void MouseUp(TSBCtrlPart at, int32_t currentState);
  // The control's new position while the thumb is dragged, when it changes.
  std::optional<int32_t> MouseMove(TSBCtrlPart at, int32_t positionAt, int32_t position);
  void MouseEnter();
  void MouseLeave();
};

}  // namespace skin
