#include "skin/hooks/acSBCtrlGeometry.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// How far the position can move: the range less what one page shows beyond its first line.
int32_t Movable(const TSBCtrlInfo& si) { return si.Max - si.Min - std::max(si.Page - 1, 0); }

// A rectangle from Start to End along the bar, across its full width.
TBarRect Along(bool vertical, int32_t across, int32_t start, int32_t end) {
  return vertical ? TBarRect{0, start, across, end} : TBarRect{start, 0, end, across};
}

bool Contains(const TBarRect& r, int32_t x, int32_t y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace

TSBCtrlGeometry SBCtrlGeometry(bool vertical, int32_t width, int32_t height, int32_t arrow, const TSBCtrlInfo& si) {
  TSBCtrlGeometry g;
  const int32_t len = vertical ? height : width;
  const int32_t across = vertical ? width : height;
  const int32_t track = len - 2 * arrow;
  const int32_t range = si.Max - si.Min + 1;
  g.ThumbLength = kDefaultMinThumb;
  if (si.Page != 0 && range > 0)
    g.ThumbLength = std::max(kDefaultMinThumb, Round(static_cast<double>(track) / range * si.Page));

  const int32_t firstEnd = std::min(arrow, len / 2);
  const int32_t secondStart = std::max(len - arrow, len / 2);
  g.FirstArrow = Along(vertical, across, 0, firstEnd);
  g.SecondArrow = Along(vertical, across, secondStart, len);

  const int32_t movable = Movable(si);
  if (movable <= 0) {
    g.ThumbCentre = len / 2;
  } else {
    const int32_t pos = std::clamp(si.DisplayPos, si.Min, si.Min + movable);
    g.ThumbCentre = Round(arrow + g.ThumbLength / 2 +
                          static_cast<double>(len - 2 * arrow - g.ThumbLength) / movable * (pos - si.Min));
  }

  int32_t start = Round(g.ThumbCentre - g.ThumbLength / 2.0);
  if (si.Max == si.Min)
    start = firstEnd;
  else if (vertical && si.Max - si.Page == si.Pos)
    start = secondStart - g.ThumbLength;
  g.Thumb = Along(vertical, across, start, start + g.ThumbLength);
  g.ThumbShown = secondStart - firstEnd >= g.ThumbLength;

  g.FirstTrack = Along(vertical, across, 0, g.ThumbCentre);
  g.SecondTrack = Along(vertical, across, g.ThumbCentre, len);
  return g;
}

int32_t SBCtrlPositionAt(int32_t point, int32_t length, int32_t arrow, int32_t thumbLength, const TSBCtrlInfo& si,
                         bool enabled) {
  const int32_t free = length - 2 * arrow - thumbLength;
  const int32_t movable = Movable(si);
  if (!enabled || free <= 0 || movable <= 0) return si.Min;
  // The position counts from the range's start and never leaves the range, however far the
  // mouse runs past the bar's ends.
  const int32_t offset = Round(static_cast<double>(movable) * (point - arrow - thumbLength / 2.0) / free);
  return si.Min + std::clamp(offset, 0, movable);
}

bool SBCtrlSetScrollInfo(TSBCtrlInfo& si, uint32_t mask, int32_t mn, int32_t mx, int32_t page, int32_t pos,
                         bool dragging) {
  if (mask & kSifPage) si.Page = page;
  if (mask & kSifPos) si.Pos = pos;
  bool rangeChanged = false;
  if ((mask & kSifRange) && (mn != si.Min || mx != si.Max)) {
    si.Min = mn;
    si.Max = mx;
    if (mx < mn) si.Min = si.Max = 0;
    rangeChanged = true;
  }
  si.Page = std::clamp(si.Page, 0, si.Max - si.Min + 1);
  si.Pos = std::clamp(si.Pos, si.Min, si.Max - std::max(si.Page - 1, 0));
  if (!dragging) si.DisplayPos = si.Pos;
  return rangeChanged;
}

TSBCtrlPart SBCtrlPartAt(const TSBCtrlGeometry& g, int32_t x, int32_t y) {
  if (Contains(g.FirstArrow, x, y)) return spFirstArrow;
  if (Contains(g.SecondArrow, x, y)) return spSecondArrow;
  if (g.ThumbShown && Contains(g.Thumb, x, y)) return spThumb;
  if (Contains(g.FirstTrack, x, y)) return spFirstTrack;
  return spSecondTrack;
}

void TSBCtrlParts::SetPartState(TSBCtrlPart part, int32_t state) {
  if (State[part] == state) return;
  State[part] = state;
  if (state != psHot && state != psPressed) return;
  if (part == spFirstTrack || part == spSecondTrack) {
    State[spFirstArrow] = State[spSecondArrow] = State[spThumb] = psNormal;
    State[part == spFirstTrack ? spSecondTrack : spFirstTrack] = psHot;
  } else {
    for (TSBCtrlPart other : {spFirstArrow, spSecondArrow, spThumb})
      if (other != part) State[other] = psNormal;
    State[spFirstTrack] = State[spSecondTrack] = psHot;
  }
}

void TSBCtrlParts::MouseDown(TSBCtrlPart at, int32_t currentState, int32_t positionAt, int32_t position) {
  MouseOffset = 0;
  switch (at) {
    case spFirstArrow:
      if (State[spFirstArrow] != psPressed) {
        ScrollCode = kSbLineUp;
        SetPartState(spFirstArrow, psPressed);
      }
      break;
    case spSecondArrow:
      if (State[spSecondArrow] != psPressed) {
        SetPartState(spSecondArrow, psPressed);
        ScrollCode = kSbLineDown;
      }
      break;
    case spThumb:
      ScrollCode = kSbThumbTrack;
      if (State[spThumb] != psPressed) {
        MouseOffset = positionAt - position;
        SetPartState(spThumb, psPressed);
      }
      break;
    case spFirstTrack:
      ScrollCode = kSbPageUp;
      if (State[spFirstTrack] != psPressed) {
        SetPartState(spFirstTrack, psPressed);
        SetPartState(spSecondTrack, currentState);
      }
      break;
    case spSecondTrack:
      ScrollCode = kSbPageDown;
      if (State[spSecondTrack] != psPressed) {
        SetPartState(spFirstTrack, currentState);
        SetPartState(spSecondTrack, psPressed);
      }
      break;
  }
}

void TSBCtrlParts::MouseUp(TSBCtrlPart at, int32_t currentState) {
  // Lighting a track part puts the thumb back to normal, so whether it was held is read first.
  const bool thumbHeld = State[spThumb] == psPressed;
  if (at == spThumb || thumbHeld) {
    ScrollCode = kSbThumbPosition;
    SetPartState(spFirstTrack, currentState);
    SetPartState(spSecondTrack, State[spFirstTrack]);
    if (thumbHeld) SetPartState(spThumb, at == spThumb ? psHot : psNormal);
  } else if (State[spFirstArrow] == psPressed && at == spFirstArrow) {
    SetPartState(spFirstArrow, psHot);
  } else if (State[spSecondArrow] == psPressed && at == spSecondArrow) {
    SetPartState(spSecondArrow, psHot);
  } else if (State[spFirstTrack] == psPressed) {
    SetPartState(spFirstTrack, currentState);
  } else if (State[spSecondTrack] == psPressed) {
    SetPartState(spSecondTrack, currentState);
  }
  ScrollCode = kSbEndScroll;
}

std::optional<int32_t> TSBCtrlParts::MouseMove(TSBCtrlPart at, int32_t positionAt, int32_t position) {
  if (State[spThumb] == psPressed) {
    const int32_t next = positionAt - MouseOffset;
    if (next != position) return next;
  } else if (at == spThumb) {
    SetPartState(spThumb, psHot);
  } else if (at == spFirstArrow || at == spSecondArrow) {
    if (State[at] != psPressed) SetPartState(at, psHot);
  } else {
    SetPartState(spThumb, psNormal);
    SetPartState(spFirstArrow, psNormal);
    SetPartState(spSecondArrow, psNormal);
  }
  return std::nullopt;
}

void TSBCtrlParts::MouseEnter() { State[spFirstTrack] = State[spSecondTrack] = psHot; }

void TSBCtrlParts::MouseLeave() {
  State[spFirstArrow] = State[spSecondArrow] = psNormal;
  if (State[spThumb] != psPressed) State[spThumb] = State[spFirstTrack] = State[spSecondTrack] = psNormal;
}

}  // namespace skin
