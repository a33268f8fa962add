// Layered windows and the window animations played on them. A form or dialog that appears
// or disappears is shown as a picture with per-pixel alpha in a borderless layered window
// that lies exactly over the real one; the frames (acAnimFrames) are handed to it with
// UpdateLayeredWindow, one every 12 ms. Every call goes through UpdateLayeredWindowProc, so
// tests can see each frame's bitmap and alpha.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "skin/core/acAnimFrames.h"
#include "skin/core/acBaseForms.h"
#include "skin/core/acThdTimer.h"

namespace skin {

class TsSkinManager;

// SetWindowPos flag sets of the animations.
inline constexpr UINT kFrameFlags = 0x718, kBehindFlags = 0x61B, kShowFlags = 0x65B, kStillFlags = 0x71F;

// A 32-bit bitmap of transparent black.
std::unique_ptr<gui::TBitmap> NewBitmap32(int width, int height);
// A 32-bit copy of any bitmap.
std::unique_ptr<gui::TBitmap> CopyBitmap32(gui::TBitmap& src);
// Layered with a constant alpha: True when it was not layered before. Not layered (or no
// layered windows here): the window loses WS_VISIBLE and WS_EX_LAYERED, the answer False.
bool SetWindowLayered(HWND wnd, bool layered, BYTE alpha);
// The bitmap (a transparent one of the window's size when nullptr) with a constant alpha,
// at Pos or where the window is.
void SetLayeredBitmap(HWND wnd, gui::TBitmap* bmp, BYTE alpha, const POINT* pos);
// Every rectangle becomes transparent black in the bitmap (a skin's cut corners).
void ClearBitmapRects(const std::vector<gui::TRect>& rects, gui::TBitmap& bmp);
// The whole bitmap to the layered window with this constant alpha.
void UpdateLayeredImage(HWND wnd, gui::TBitmap& bmp, BYTE alpha, const POINT* pos = nullptr);
// One frame carried out: the picture copied, stretched or left alone in the frame image.
void PaintAnimFrame(gui::TBitmap& frameImage, gui::TBitmap& picture, const TacAnimFrame& frame);

enum class TacAnimEvent : uint8_t { aeShowing, aeHiding, aeSkinChanging };

// What the animations ask of a form's skin provider (the form skinning's provider derives
// from it and answers skin command 4 with it).
class TacAnimatedForm {
 public:
  virtual ~TacAnimatedForm() = default;
  virtual gui::TCustomForm* AnimForm() = 0;
  virtual bool HasSkinData() { return true; }
  // Paints the form's skin into its cached image; False while the form cannot be painted yet.
  virtual bool PrepareCache() = 0;
  // The cached form image; nullptr when there is none.
  virtual gui::TBitmap* FormImage() = 0;
  // A copy of the cached image with the client area painted in, into Picture (sized).
  virtual void PaintFormImage(gui::TBitmap& picture) = 0;
  // The skin's transparent rectangles of the form, recomputed into RegionRects.
  virtual void PrepareRegionRects() {}
  std::vector<gui::TRect> RegionRects;
  // A hide image is being prepared already (the cache stays as it is).
  virtual bool PreparingHide() const { return false; }
  // A snapshot window the provider made ready for a hide; the caller owns it.
  virtual std::unique_ptr<TacGlowForm> TakeSnapshotWindow() { return nullptr; }
  // The form was made transparent for a show that now has begun.
  virtual void ClearPendingShow() {}
  // The provider paints the form's frame and title, and lets its form animate.
  virtual bool DrawsNonClientArea() const { return true; }
  virtual bool AllowsAnimation() const { return true; }
  // The manager whose skin the provider paints.
  virtual TsSkinManager* SkinManager() const = 0;
  // What the application window's minimize and restore ask of the main form's provider:
  // the form shrinks into the task bar (False: it did not start); its layered border
  // window is there, or goes (the next update makes it again); the provider is in its own
  // minimize; the form is about to come back (an image without the border it now gets is
  // dropped); the form repaints its image at its next paint.
  virtual bool AnimateMinimize() { return false; }
  virtual bool HasBorderWindow() { return false; }
  virtual void DropBorderWindow() {}
  virtual bool InOwnMinimize() const { return false; }
  virtual void BeforeApplicationRestore() {}
  virtual void MarkForRepaint() {}
  // The form's layered border window (nullptr without one) and where the form lies in its
  // image; the border window repainted from the form's image.
  virtual HWND BorderWindowHandle() { return nullptr; }
  virtual POINT BorderOffset() { return {}; }
  virtual void RefreshBorderWindow() {}
  // An animation of the form runs; the form was hidden by one; the form is held still for
  // a skin change.
  bool Animating = false, HiddenByAnimation = false, ChangingSkin = false, Frozen = false;
  std::function<void(TacAnimEvent)> OnAfterAnimation;
};
// The provider of the window (its answer to skin command 4); nullptr when none.
TacAnimatedForm* GetAnimatedForm(HWND wnd);

// ---------------------------------------------------------------- hide

// The one hide animation running at a time on this timer; its frames come from the timer's
// ticks on the GUI thread.
class TacHideTimer : public TacThreadedTimer {
  KORVAN_CLASS(TacHideTimer)
 public:
  explicit TacHideTimer(rtl::TComponent* owner);
  ~TacHideTimer() override;
  void HideStep();
  // The form's OnAfterAnimation(aeHiding), once per hide.
  void FireAfterAnimation();
  bool Running() const { return Window != nullptr; }
  std::unique_ptr<TacHideFrames> Frames;
  HWND ParentWnd = nullptr;
  int StepIndex = 0, FrameCount = 0;
  bool AfterAnimationFired = false;
  std::unique_ptr<gui::TBitmap> Image, FrameImage;
  std::unique_ptr<TacGlowForm> Window;

 private:
  void Finish();
};
// Made on first use, owned by the application; nullptr at start.
extern TacHideTimer* HideTimer;

// Plays the hide of Window showing Image; takes both. Below one frame both go at once.
void StartHideAnimation(std::unique_ptr<TacGlowForm> window, std::unique_ptr<gui::TBitmap> image, int timeMs,
                        int startAlpha, TacAnimType mode, HWND parentWnd);
// The disappearance of a provider's form with the manager's FormHide options.
void AnimHideForm(TacAnimatedForm* provider, int timeMs, TacAnimType mode);

// ---------------------------------------------------------------- show

// The appearance of a provider's form, played to its end before the form is shown.
void AnimShowForm(TacAnimatedForm* provider, int timeMs, int blendValue, TacAnimType mode);
void RestoreFormLayering(gui::TCustomForm* form);
// Resizes the window one pixel lower and back, so it lays itself out and frames anew.
void ForceRelayout(gui::TCustomForm* form, HWND wnd);

// ---------------------------------------------------------------- native dialogs

// What the animations ask of a skinned native dialog's hook (the form skinning's dialog
// hook derives from it).
class TacAnimatedDialog {
 public:
  virtual ~TacAnimatedDialog() = default;
  virtual HWND DialogHandle() = 0;
  // Paints the dialog's frame, title and client background into its cached image.
  virtual void PrepareCache() = 0;
  // The cached image; nullptr or empty when there is none.
  virtual gui::TBitmap* DialogImage() = 0;
  // Where the client area lies in the cached image.
  virtual int32_t ClientOffsetX() = 0;
  virtual int32_t ClientOffsetY() = 0;
  // The skin's transparent rectangles of the dialog, recomputed into RegionRects.
  virtual void PrepareRegionRects() = 0;
  std::vector<gui::TRect> RegionRects;
  virtual void UpdateRegion(bool redraw) = 0;
  // The skin state held updating (a relayout paints nothing) or let go again.
  virtual void HoldPainting(bool hold) = 0;
  // A message straight to the dialog's own window procedure, past the hook.
  virtual LRESULT CallDialogProc(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  // A snapshot window a close made ready for the hide; the caller owns it.
  virtual std::unique_ptr<TacGlowForm> TakeSnapshotWindow() { return nullptr; }
  // The layered window with the skin's shadow around the dialog, when it has one: a show
  // plays in it and a hide takes it over. nullptr without one.
  virtual HWND AnimBorderWindow() { return nullptr; }
  // Where the dialog lies in the border window's picture.
  virtual POINT AnimBorderOffset() { return {}; }
  // The border window's picture made anew from the dialog's image; nullptr without one.
  virtual gui::TBitmap* AnimBorderImage() { return nullptr; }
  // After a show: the border window shows its usual picture again.
  virtual void AnimBorderShown() {}
  // The border window handed over for a hide (its own procedure back, owned by no window,
  // so that it outlives the dialog); the dialog then has no border window.
  virtual std::unique_ptr<TacGlowForm> TakeBorderWindow() { return nullptr; }
};

// Desktop composition on; the form skinning sets the real question, without it: off.
extern bool (*CompositionEnabledProc)();

// A borderless layered window lying exactly over Wnd, not shown yet.
std::unique_ptr<TacGlowForm> CreateSnapshotWindow(HWND wnd);
// Every child window of Wnd, in z-order and depth first, printed into the DC at its place.
void PrintChildWindows(HWND wnd, HDC dc);
// The client part of the dialog's image: copied from the screen, or printed from its child
// windows over the background the image holds; alpha 255 there.
// At: where the dialog lies in the picture (a border window's picture has the shadow around).
void PaintDialogToBitmap(TacAnimatedDialog* dialog, gui::TBitmap& bmp, bool fromScreen, POINT at = {});
// The appearance of a dialog, played to its end; the dialog then lies right below.
void AnimShowDialog(TacAnimatedDialog* dialog, int timeMs, int blendValue, TacAnimType mode);
// The disappearance of a dialog at full opacity, played by the hide timer.
void AnimHideDialog(TacAnimatedDialog* dialog, int timeMs, TacAnimType mode);

// Handles messages until the condition is false or the time is up; false when it timed
// out. A mark that is cleared on this same thread can only clear while messages run.
bool WaitWhilePumping(const std::function<bool()>& condition, unsigned timeoutMs);

}  // namespace skin
