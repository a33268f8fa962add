// The hooks of containers that paint a skinned background behind their children: panels
// (the section chosen by their bevels, the caption written over it), group boxes (the
// group frame from the middle of the caption down, the caption over the parent's
// background) and a native dialog's child dialogs made see-through.
#pragma once
#include "skin/hooks/acSBUtils.h"

namespace gui {
class TPanel;
}

namespace skin {

class TacPanelWnd : public TacMainWnd {
 public:
  // Our panel's section by its bevels, a bare window's "TRANSPARENT", unless one was given.
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  // The parent's background with the section and the caption; False while the parent is
  // not ready (the panel is marked updating).
  bool PrepareCache();

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;
  bool KeepsNoVisualStyle() const override { return false; }

 private:
  void PaintPanel(HDC dc);
  gui::TPanel* Panel() const;
};

class TacGroupBoxWnd : public TacMainWnd {
 public:
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  // The caption's strip over the frame; empty without a caption.
  gui::TRect CaptionRect();
  void PrepareGroupCache();

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;

 private:
  void PaintGroupBox(HDC given);
};

// A child dialog inside a native dialog (a page of a property sheet, the folder browser's
// pane): the parent's skinned background painted behind its children, so the page does not
// show the system's face in the middle of a skinned dialog.
class TacTransPanelWnd : public TacMainWnd {
 public:
  // "TRANSPARENT" unless a section was given.
  void AfterCreation() { AfterCreationIn("TRANSPARENT"); }
  void WndProc(gui::TMessage& msg) override;

 protected:
  bool HandleSkinCommand(gui::TMessage&) override { return false; }

 private:
  void PaintTransPanel(HDC given);
};

}  // namespace skin
