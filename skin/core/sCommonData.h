// The skin state every skinned thing owns (a control, a form through its provider, or a
// bare window through its hook): which manager and section it is painted with, the
// section's index and the skin data at its PPI, its painted image and whether that image
// is still good, hover and focus, updates, glow and fades, and its colour options. It is
// published on the window as the property "ACSDATA", so that code holding only a window
// handle reaches it and its window procedure directly.
//
// Here also the common answers to the skin commands, the common handling of the window
// and class-library messages of skinned controls, and what a control is asked about its
// background (colour, the picture behind it, its font colour, whether it is see-through).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "gui/Controls.h"
#include "gui/Graphics.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/acBackground.h"

namespace skin {

class TsSkinManager;
class TacSkinData;
class TacThreadedTimer;
class TsCommonData;
struct TsGeneralData;
struct TsMaskData;

// ---------------------------------------------------------------- control kinds
// Sets of the kind codes that owning controls and hooks give their skin state.
struct TacKindSet {
  std::array<uint64_t, 4> Bits{};
  constexpr bool Has(int kind) const {
    return kind >= 0 && kind < 256 && ((Bits[size_t(kind) / 64] >> (kind % 64)) & 1) != 0;
  }
};
struct TacKindRange {
  int First, Last;
};
constexpr TacKindSet MakeKindSet(std::initializer_list<TacKindRange> ranges) {
  TacKindSet s;
  for (const TacKindRange& r : ranges)
    for (int k = r.First; k <= r.Last; ++k) s.Bits[size_t(k) / 64] |= uint64_t{1} << (k % 64);
  return s;
}
// Never hovered, never hot.
inline constexpr TacKindSet NoHoverKinds = MakeKindSet({{19, 19}, {51, 74}, {110, 110}, {141, 161}});
// Never hot from hovering.
inline constexpr TacKindSet EditLikeKinds = MakeKindSet({{2, 18}, {76, 85}, {132, 140}, {231, 231}});
// Keep their glow when the mouse leaves; answer background queries for state 0.
inline constexpr TacKindSet NoGlowOnLeaveKinds = MakeKindSet(
    {{51, 51}, {54, 54}, {56, 59}, {74, 74}, {110, 110}, {141, 141}, {143, 143}, {151, 151}, {161, 161}, {226, 226}});
// Take their control and font colours from the section.
inline constexpr TacKindSet StateColorKinds = MakeKindSet({{2, 18}, {76, 84}, {132, 140}, {231, 231}});
// Recalculate their frame after a skin change.
inline constexpr TacKindSet FrameChangeKinds =
    MakeKindSet({{7, 8}, {10, 10}, {14, 14}, {78, 78}, {83, 83}, {85, 85}, {231, 231}});
// With NoGlowOnLeaveKinds: no glow on mouse enter.
inline constexpr TacKindSet GraphicGlowKinds = MakeKindSet({{92, 94}});

inline constexpr uint8_t kKindFontFromControl = 10;  // never takes its font colour from the skin
inline constexpr uint8_t kKindGraphicRepaint = 92;   // repainted through skin command 18
inline constexpr uint8_t kKindForm = 224;            // a form handled by a provider
inline constexpr uint8_t kKindKeepsClassBrush = 142;

// State flags of a skin state.
inline constexpr uint32_t sfOutsidePaint = 0x200, sfUpdating = 0x800, sfSettingColors = 0x2000,
                          sfWidthChanged = 0x8000, sfHeightChanged = 0x10000, sfRescaling = 0x1000000;
// The SetWindowPos flags of a frame recalculation: SWP_FRAMECHANGED without moving, sizing,
// reordering or activating.
inline constexpr UINT kFrameChangedFlags = 0x737;

// ---------------------------------------------------------------- the hooks' contract
// What the common handling asks of the window hook a window answers with (skin command 12).
// The window hooks of the control-hook layer derive from it.
class TacWindowHook {
 public:
  virtual ~TacWindowHook() = default;
  // The thickness of the hook's own scroll bar on that side while it is visible; 0 when
  // the hook draws no scroll bars or the bar is hidden.
  virtual int VisibleScrollBarSize(bool vertical) const {
    (void)vertical;
    return 0;
  }
};

// ---------------------------------------------------------------- glow effects
// The glow halos around controls live in layered windows of the form-skinning layer, which
// installs itself here; without it no glow is shown.
class TacGlowEffects {
 public:
  virtual ~TacGlowEffects() = default;
  // A new glow around the screen rectangle from the section's image (the control's own
  // section when Section is empty); its index, -1 when none could be made.
  virtual int ShowGlowEffect(const gui::TRect& rect, const std::string& section, const std::string& image,
                             TsCommonData* data, HWND parentWnd, uint8_t startAlpha, int margin) = 0;
  // Hides it (faded with Animate) and sets the index to -1; nothing for -1.
  virtual void HideGlowEffect(int& glowID, bool animate) = 0;
  virtual void SetGlowEffectAlpha(int glowID, uint8_t alpha) = 0;
};
void SetGlowEffects(TacGlowEffects* effects);
TacGlowEffects* GlowEffects();
void HideGlowEffect(int& glowID, bool animate);

// ---------------------------------------------------------------- query records
// Skin command 66: which opaque section lies behind a rectangle.
struct TacOpaqueSectionQuery {
  int32_t State = 0;
  int32_t SkinIndex = -1;
  gui::TRect Rect;
  TsSkinManager* SkinManager = nullptr;
};
// Skin command 40: the parent's cache and the control's place in it.
struct TacOuterTarget {
  gui::TBitmap* Bitmap = nullptr;
  gui::TPoint Offset;
  int32_t Kind = 2;
};

// ---------------------------------------------------------------- sub-objects
class TsScrollWndData;
class TacScrollData : public rtl::TPersistent {
  KORVAN_CLASS(TacScrollData)
 public:
  explicit TacScrollData(TsScrollWndData* owner) : owner_(owner) {}
  int32_t ScrollWidth() const { return scrollWidth_; }
  int32_t ButtonsSize() const { return buttonsSize_; }
  // 0 ScrollWidth (the window recalculates its frame), 1 ButtonsSize (it repaints its frame).
  void SetScrollSize(int index, int32_t value);

 private:
  TsScrollWndData* owner_;
  int32_t scrollWidth_ = -1, buttonsSize_ = -1;
};

class TacOuterEffects : public rtl::TPersistent {
  KORVAN_CLASS(TacOuterEffects)
 public:
  explicit TacOuterEffects(TsCommonData* owner) : owner_(owner) {}
  TacOuterVisibility Visibility() const { return visibility_; }
  void SetVisibility(TacOuterVisibility v);
  // The parent repaints and the owner's image is marked out of date.
  void Refresh();

 private:
  TsCommonData* owner_;
  TacOuterVisibility visibility_ = TacOuterVisibility::ovNone;
};

// ---------------------------------------------------------------- the skin state
class TsCommonData : public rtl::TPersistent {
  KORVAN_CLASS(TsCommonData)
 public:
  TsCommonData(rtl::TPersistent* owner, bool createCache);
  ~TsCommonData() override;

  // ---- fields (read and written by the owner's hook and painting code)
  TacSkinData* FScaledSkin = nullptr;
  bool FCustomFont = false;
  bool FCustomColor = false;
  std::unique_ptr<gui::TBitmap> FOuterCache;
  uint32_t FColorTone = clNone;
  uint32_t FSavedColor = clNone;
  uint32_t FSavedFontColor = clNone;
  bool FFocused = false;
  bool FUpdating = false;
  bool FHovered = false;
  // The mouse button went down on the control and has not come up: it keeps the hover.
  bool FPressed = false;
  bool FPartlyPainted = false;
  bool FLoading = true;
  uint8_t FControlKind = 0;
  int32_t FGlowID = -1;
  int32_t FScaleIndex = -1;
  int32_t FHueOffset = 0;
  int32_t FSaturation = 0;
  int32_t FPixelsPerInch = 96;
  int32_t FUpdateCount = 0;
  HDC FPaintDC = nullptr;
  std::unique_ptr<gui::TBitmap> FCache;
  HWND FWnd = nullptr;
  gui::TWndMethod FWndProc;
  rtl::TPersistent* FHost = nullptr;
  TacThreadedTimer* FAnimTimer = nullptr;  // owned
  uint16_t FVaryFlags = 0;
  uint32_t FStateFlags = 0;
  bool FCacheInvalid = true;
  int32_t FSkinIndex = -1;
  gui::TControl* FControl = nullptr;

  // ---- published
  bool CustomColor() const { return FCustomColor; }
  bool CustomFont() const { return FCustomFont; }
  void SetCustomColor(bool v) { SetCustomFlag(0, v); }
  void SetCustomFont(bool v) { SetCustomFlag(1, v); }
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& value);
  TsSkinManager* GetSkinManager() const;
  void SetSkinManager(TsSkinManager* value);
  bool SkinManagerStored() const { return skinManager_ != nullptr; }
  // Drops the own manager without telling the control (that manager is going away).
  void ForgetSkinManager() { skinManager_ = nullptr; }
  TacOuterEffects& OuterEffects() { return *outerEffects_; }

  // ---- lifetime and window
  void Loaded(bool updateColors);
  void ClearOwner();
  void AttachToWindow();
  void DetachFromWindow();
  HWND GetWndHandle() const;

  // ---- section, index and scale
  void UpdateSkinIndex(bool lookup);
  void SelectFirstSection(std::initializer_list<std::string> names);
  void ResolveDefaultSection();
  void UpdateVaryFlags();
  TacSkinData* GetScaledSkin();
  void SetScaledSkin(TacSkinData* data);
  int32_t GetPixelsPerInch();
  bool IsSkinned(bool checkActive = false);
  bool SkinIsChanging() const;
  // The section record, or nullptr when the index is not a section of the scaled skin.
  const TsGeneralData* Section();
  bool HasVaryingBackground() const { return FVaryFlags != 0 || FPartlyPainted; }
  bool ChangedBySize() const;

  // ---- painting state and cache
  int CurrentState() const;
  void AllocCache();
  void Invalidate(bool updateNow = false);
  void RefreshParentCache();
  void BeginUpdate();
  void EndUpdate(bool repaint);
  bool IsUpdating(bool recheck);
  bool ParentUpdating();
  bool CacheEmpty() const { return !FCache || FCache->Empty(); }

  // ---- colours
  void SetCustomFlag(int index, bool value);
  void UpdateSkinColors(bool repaint);
  void ApplyStateColors(bool noRedrawLock);

  // ---- backgrounds, colours, glow and outer effects
  void FillBackgroundQuery(TacBackgroundQuery& query, int state, HWND wnd = nullptr);
  uint32_t GetBackgroundColor(int state, HWND wnd = nullptr);
  void GetParentBackground(TacBackgroundCache& cache);
  bool IsTransparent(int state);
  bool NeedsRepaintOnMove();
  bool OuterEffectsAllowed() const;
  void UpdateGlow(bool hide, HWND wnd, int skinIndex, bool animate, uint8_t startAlpha);
  void PaintOuterEffects(TacOuterTarget& target, WORD argument);
  void PaintChildrenOuterEffects(gui::TWinControl* control, gui::TPoint offset);

  // ---- fades
  void StopAnimation();
  bool IsAnimating() const;

  // ---- mouse
  bool MouseInside();

  // A pixel view of the cache for background answers; refreshed by every answer.
  TBitmap32* CacheView();

 private:
  bool IsProviderOwned() const { return false; }
  TBitmap32 cacheView_;
  std::string skinSection_;
  TsSkinManager* skinManager_ = nullptr;
  std::unique_ptr<TacOuterEffects> outerEffects_;
};

class TsScrollWndData : public TsCommonData {
  KORVAN_CLASS(TsScrollWndData)
 public:
  TsScrollWndData(rtl::TPersistent* owner, bool createCache);
  ~TsScrollWndData() override;
  TacScrollData& VertScrollData() { return *vert_; }
  TacScrollData& HorzScrollData() { return *horz_; }

 private:
  std::unique_ptr<TacScrollData> vert_, horz_;
};

// The skin state a window publishes; nullptr when none.
TsCommonData* GetWindowSkinData(HWND wnd);

// ---------------------------------------------------------------- commands and messages
// Keeps the skin state in step with the control's window and class-library messages; True
// when the message is consumed.
bool ProcessSkinDataMessage(gui::TMessage& message, TsCommonData* skinData);
// Readies a control's popup menu for its manager before the menu opens (owner-drawn from the
// skin while the manager is active, plain otherwise). The skinned menus set it; nullptr in
// a program without them.
extern void (*PreparePopupMenu)(TsSkinManager* manager, gui::TPopupMenu* menu);

// ---------------------------------------------------------------- section queries
// Whether the section, in that state, lets what lies behind it show through.
bool SectionIsTransparent(TsSkinManager* manager, int skinIndex, int state, gui::TControl* control);
int GetFontSourceIndex(gui::TControl* control, int skinIndex, TsSkinManager* manager, int state);
LRESULT QueryOpaqueSection(gui::TControl* control, TacOpaqueSectionQuery& query);
LRESULT QueryWndOpaqueSection(HWND wnd, TacOpaqueSectionQuery& query);
uint32_t GetSkinFontColor(gui::TControl* control, int skinIndex, TsSkinManager* manager, int state,
                          TsCommonData* skinData);
uint32_t GetWndSkinFontColor(HWND wnd, int skinIndex, TsSkinManager* manager, int state);
void GetWndParentBackground(HWND wnd, TacBackgroundCache& cache);

// ---------------------------------------------------------------- painting with the state
// The corners the control's border element leaves fuchsia take in its cache what its
// parent shows behind them (corners: the acTopLeft ... bits).
void FillTransparentCorners(TsCommonData& skinData, int state, uint8_t corners);

// The window region of a control painted into Bmp: the whole bitmap less the transparent
// corner pixels of the section's border element, which are cleared in Bmp too; nullptr
// without a border element. The caller owns the region.
HRGN CreateSkinRegion(int skinIndex, gui::TBitmap& bmp, TsCommonData& skinData);
// The fuchsia runs of a border element's corners in a window of the given width: the top
// corners at row 0 (with Top), the bottom ones from row BottomY (BottomY negative: none).
TRects SkinCornerRects(const TsMaskData& border, TsSkinManager* manager, int width, bool top, int bottomY);

// ---------------------------------------------------------------- cache to screen
// Copies the cache to DC at DstRect from SrcPos, leaving out what opaque child controls
// (or child windows) cover.
void PaintCacheExceptChildren(gui::TWinControl* control, TsCommonData* skinData, gui::TPoint srcPos, int offsetX,
                              int offsetY, bool fillCorners, HDC dc, const gui::TRect& dstRect);
void PaintCacheExceptChildWindows(HWND wnd, TsCommonData* skinData, gui::TPoint srcPos, int offsetX, int offsetY,
                                  bool fillCorners, HDC dc, const gui::TRect& dstRect);

}  // namespace skin
