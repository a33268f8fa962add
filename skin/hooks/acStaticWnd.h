// The hooks of native "static" windows: a text static painted over its parent's skinned
// background in the skin's font colour (and grown when the skin's font needs more room),
// an icon or bitmap static's picture over that background, and a link window's text
// underlined without its "<A>" tags.
#pragma once
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacStaticWnd : public TacMainWnd {
 public:
  // The section "TRANSPARENT" unless one was given; a text static too small for its text
  // in the skin's font is given exactly the measured size.
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  void PaintStatic(HDC given);

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override { (void)msg; return false; }
  // The content drawn into the cache; False when there is nothing to show.
  virtual bool DrawContent();
  virtual bool GrowsForText() const { return true; }
  // The painted cache onto the window's DC; Drawn tells whether it shows anything.
  virtual void ShowCache(HDC dc, int width, int height, bool drawn);
  // Whether the hook leaves the window to its own painting.
  virtual bool LeftAlone();
  void Redraw(UINT flags);
};

// An icon or bitmap static. The picture stays the static's: it is drawn from the handle
// the static holds at each paint and never freed here, so the static keeps a live picture
// after the hook has gone.
class TacIconWnd : public TacStaticWnd {
 protected:
  bool DrawContent() override;
  bool GrowsForText() const override { return false; }
};

// A link window ("SysLink"): its text underlined, the "<A>" and "</A>" marks left out;
// painted while its background is erased.
class TacLinkWnd : public TacStaticWnd {
 public:
  void WndProc(gui::TMessage& msg) override;
  // The text as shown: every "<A>" and "</A>" removed.
  static std::string ShownText(const std::string& text);

 protected:
  bool DrawContent() override;
};

// An icon or bitmap static with a static edge: the system paints the picture, the hook
// the 2-pixel frame around it from the skin ("EDIT" unless another section was given).
class TacEdgeWnd : public TacStaticWnd {
 public:
  static constexpr int kBorder = 2;
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;

 protected:
  bool GrowsForText() const override { return false; }
  void ShowCache(HDC dc, int width, int height, bool drawn) override;
};

// Our static texts: the section image as the background (by the bevels when no section
// was given), a frame copied from it as wide as the window's border, and the text written
// over it with the control's alignment and word wrap.
class TacStaticTextWnd : public TacMainWnd {
 public:
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  // False, marking the state updating, while the parent's background is not ready.
  bool PrepareCache();
  void PaintClient(HDC dc);
  void PaintFrame(HDC dc);

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;

 private:
  int BorderWidth();
  void WriteText();
};

}  // namespace skin
