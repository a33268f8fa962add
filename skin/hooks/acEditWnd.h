// The hooks of edit-like controls: edits and memos, list boxes and the native "edit" and
// "listbox" windows. The frame comes from the skin section's image, the skinned scroll
// bars sit inside it, the control takes the skin's background and text colours (the
// focused state's while it has the focus, when the section has one) and the bars follow
// the text as it is typed, selected and changed. The list-view, tree, grid and combo-box
// hooks build on it.
#pragma once
#include <windows.h>

#include "skin/hooks/acCtrlAdapterRules.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {

// One solid brush a hook hands out with its colour answers: made for a colour the first
// time it is asked, kept while the colour stays, deleted when it changes or the hook goes.
class TacHookBrush {
 public:
  TacHookBrush() = default;
  TacHookBrush(const TacHookBrush&) = delete;
  TacHookBrush& operator=(const TacHookBrush&) = delete;
  ~TacHookBrush() { Free(); }
  HBRUSH Get(COLORREF color);
  void Free();
  HBRUSH Current() const { return brush_; }

 private:
  HBRUSH brush_ = nullptr;
  COLORREF color_ = 0;
};

// The common base of the hooks of scrolling controls that paint their own client area.
class TacBaseWnd : public TacScrollWnd {
 protected:
  void HandleMessage(gui::TMessage& msg) override;
};

class TacEditWnd : public TacBaseWnd {
 public:
  static constexpr const char* kDefaultSection = "EDIT";
  // A hook that goes while still on gives the control its own colours back too.
  ~TacEditWnd() override;
  // Puts the hook on a bare window or one of our controls with the adapter's parameters
  // (an empty section gives the class's default), reads the skin and paints the frame.
  void HookWindow(HWND wnd, const TacSkinParams& params = {});
  void HookControl(gui::TWinControl* control, const TacSkinParams& params = {});
  // Puts the hook on one of our controls that keeps its own skin state (its section and
  // colour settings stay the control's).
  void HookControl(gui::TWinControl* control, TsCommonData& shared);
  // Gives the control the skin's colours for its state; a bare window keeps them for its
  // colour answers.
  void ApplySkinLook() override;
  COLORREF BackColor() const { return backColor_; }
  COLORREF FrameColor() const { return frameColor_; }
  COLORREF TextColor() const { return textColor_; }
  // The brush of this hook's colour answers.
  const TacHookBrush& Brush() const { return brush_; }

 protected:
  virtual const char* DefaultSection() const { return kDefaultSection; }
  // Keeps the colours the control had before the skin.
  virtual void SaveOriginalLook();
  void RestoreOriginalLook() override;
  void HandleMessage(gui::TMessage& msg) override;
  bool HandleSkinCommand(gui::TMessage& msg) override;
  bool PrintsItself() const override { return true; }
  // The frame from the section's image and the bars over it, into the window DC.
  void PaintFrame();
  // The skin's colours for the hook's state, given to the control when it is ours.
  virtual void TakeSkinColors(TsCommonData& data);
  // Brings the skin state's image up to date for the frame.
  virtual void PrepareCache();
  // The window printed into a DC: what the window prints itself, then the skin's frame and
  // bars over its own, and the client area on the section's background.
  void Print(gui::TMessage& msg);
  // The client area in window coordinates.
  RECT ClientInWindow() const;
  // Answers a child window's colour question with the colours of a hook (this one or the
  // child's own), with that hook's brush.
  static void AnswerColor(gui::TMessage& msg, TacEditWnd& from);
  int LookState();
  bool SkinnedNow();
  TacHookBrush brush_;
  COLORREF backColor_ = 0, textColor_ = 0, frameColor_ = 0;
  bool skinnedLook_ = false;
  bool lookLock_ = false;

 private:
  void Finish(const TacSkinParams& params, bool ownState = true);
  // A one-line edit that is disabled shows its image whole: the skin's faded text, not
  // the system's grey one.
  bool PaintDisabledFromCache();
  bool inNcPaint_ = false;
  bool childrenChanged_ = false;
  bool saved_ = false;
};

}  // namespace skin
