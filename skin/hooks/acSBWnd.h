// The window hook of stand-alone scroll-bar controls: the whole control is the bar, so the
// hook paints arrows, track and thumb into its client area from the skin, keeps its own copy
// of the range, page and position, and follows the hot and pressed state of each part from
// the mouse, while the system control does the scrolling itself.
#pragma once
#include <windows.h>

#include "skin/hooks/acSBCtrlGeometry.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacSBWnd : public TacMainWnd {
 public:
  // Takes over a scroll-bar control (section "TRANSPARENT" unless named).
  void Install(HWND wnd, const std::string& section = "TRANSPARENT");
  bool Vertical() const;
  int32_t ArrowLength() const;
  TSBCtrlGeometry Geometry() const;
  const TSBCtrlInfo& Info() const { return info_; }
  const TSBCtrlParts& Parts() const { return parts_; }
  // The control's image as it is shown.
  void PaintTo(HDC dc);

 protected:
  // The manager's word that the mouse entered or left the bar.
  bool HandleSkinCommand(gui::TMessage& msg) override;
  void HandleMessage(gui::TMessage& msg) override;

 private:
  void MouseEnter();
  void MouseLeave();
  // A double click is two clicks at the cursor: the second press and its release.
  void DoubleClick(gui::TMessage& msg);
  int32_t PositionAt(POINT client) const;
  TSBCtrlPart PartAt(POINT client) const;
  void SetPosition(int32_t pos);
  TSBCtrlInfo info_;
  TSBCtrlParts parts_;
};

}  // namespace skin
