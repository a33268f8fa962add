// The frame arithmetic of the engine's window animations: the show of a form or dialog,
// the hide, and the cross-fade of a skin change. Each animation is a small state machine
// that says, frame by frame, which constant alpha the layered window gets and where the
// picture is drawn inside the frame image; the Windows side only carries it out. Frames
// come every 12 ms, so an animation of Time milliseconds has Time div 12 of them (plus the
// first), and none at all below 12 ms.
#pragma once
#include <cstdint>
#include <type_traits>
#include <vector>

#include "skin/core/sConst.h"

namespace skin {

inline constexpr int kAnimFramePeriod = 12;
// The plain skin-change path mixes two whole pictures a frame, so it runs at half speed.
inline constexpr int kMixFramePeriod = 24;

// Time div 12; 0 means no animation.
inline int AnimFrameCount(int timeMs) { return timeMs > 0 ? timeMs / kAnimFramePeriod : 0; }
// The nearest integer, a half going to the even neighbour.
int Nearest(double v);

enum class TacFramePaint : uint8_t {
  fpKeep,     // the frame image stays as it is (only the alpha changes)
  fpCopy,     // the whole picture copied unscaled to (0, 0)
  fpStretch,  // the whole picture stretched into (X, Y, Width, Height)
};

struct TacAnimFrame {
  uint8_t Alpha = 0;    // the constant alpha the layered window gets
  TacFramePaint Paint = TacFramePaint::fpKeep;
  bool Cleared = false;  // the frame image is cleared to transparent black first
  int X = 0, Y = 0, Width = 0, Height = 0;
};

// Where a running animation stands; positions in the frame image.
struct TacFrameState {
  double Alpha = 0, AlphaStep = 0;
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  double StepX = 0, StepY = 0;
};

// The appearance of a form (its alpha climbs to BlendValue - 50 over the frames, the final
// picture then gets BlendValue) or of a dialog (it reaches BlendValue on its last frame).
class TacShowFrames {
 public:
  TacShowFrames(int width, int height, int timeMs, int blendValue, TacAnimType mode, bool dialog);
  int FrameCount() const { return frames_; }
  TacAnimFrame Draw();
  // False: the animation has reached its end early (a drop-down band near full height).
  bool Advance();
  const TacFrameState& State() const { return s_; }

 private:
  int w_, h_, frames_, blend_;
  TacAnimType mode_;
  TacFrameState s_;
};

// The disappearance: the alpha falls from StartAlpha (a drop-down keeps it) while the
// picture shrinks (aero) or is squeezed into a falling band (drop-down).
class TacHideFrames {
 public:
  TacHideFrames(int width, int height, int timeMs, int startAlpha, TacAnimType mode);
  int FrameCount() const { return frames_; }
  TacAnimFrame Draw();
  bool Advance();
  const TacFrameState& State() const { return s_; }

 private:
  int w_, h_, frames_;
  TacAnimType mode_;
  TacFrameState s_;
};

// The new look of a skin change laid over the old one: its alpha climbs to BlendValue,
// with aero it also grows from a rectangle inset by a 32nd; every frame is drawn (F + 1).
class TacSkinChangeFrames {
 public:
  TacSkinChangeFrames(int width, int height, int timeMs, int blendValue, bool aero);
  int FrameCount() const { return frames_; }
  TacAnimFrame Draw();
  void Advance();
  // The old look's alpha beside a new look of this alpha: gone once a third of the fade
  // is done.
  uint8_t OldLookAlpha(uint8_t newAlpha) const;

 private:
  int w_, h_, frames_, blend_;
  bool aero_;
  TacFrameState s_;
};

// The weights (share of the old picture out of 256) of the plain skin-change path's mixes.
std::vector<int> SkinChangeMixWeights(int timeMs);

// Every frame an animation draws, in order, until it ends (at most F + 1).
template <class Frames>
std::vector<TacAnimFrame> CollectFrames(Frames& frames) {
  std::vector<TacAnimFrame> out;
  for (int i = 0; frames.FrameCount() > 0 && i <= frames.FrameCount(); ++i) {
    out.push_back(frames.Draw());
    if constexpr (std::is_void_v<decltype(frames.Advance())>) {
      frames.Advance();
    } else if (!frames.Advance()) {
      break;
    }
  }
  return out;
}

}  // namespace skin
