// The window hook of track bars: all the control's painting is taken over (its section over
// the parent's background, the channel, the tick marks on their side or sides and the thumb
// from the skin's slider images); the system still moves the thumb, the hook only watches
// the left button for the pressed look.
#pragma once
#include <windows.h>

#include "skin/hooks/acSBUtils.h"
#include "skin/hooks/acTrackGeometry.h"

namespace skin {

class TacTrackWnd : public TacMainWnd {
 public:
  // Takes over a track bar window (section "TRACKBAR" unless named).
  void Install(HWND wnd, const std::string& section = "TRACKBAR");
  bool Pressed() const { return pressed_; }
  // The control's image rebuilt into its cache.
  void PrepareCache();
  bool Vertical() const;
  // The channel rectangle in the bar's own orientation.
  TBarRect ChannelRect() const;
  TBarRect ThumbRect() const;

 protected:
  // The common answers serve: nothing of its own.
  bool HandleSkinCommand(gui::TMessage&) override { return false; }
  void HandleMessage(gui::TMessage& msg) override;

 private:
  void Paint(gui::TMessage& msg);
  void PaintChannel();
  void PaintTicks();
  void PaintThumb();
  bool pressed_ = false;
  int tickLength_ = kTrackTickLength;
};

}  // namespace skin
