// The skin provider of one form: it takes over the form's window procedure, keeps the
// form's skin state (section "FORM"), measures the frame and the title, and paints the
// whole non-client area (frame, title, icon, caption, title buttons, size grip) into one
// cached 32-bit image that the painting of the frame copies from.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Forms.h"
#include "gui/Menus.h"
#include "skin/core/acBaseForms.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acFormGeometry.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acTitleRules.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/hooks/acCtrlAdapterRules.h"

namespace skin {

class TsSystemMenu;
class TacBorderForm;
class TacCtrlAdapter;
class TsTitleButtons;
class TsTitleBar;
class TacTitleBarItem;
class TacSBAnimation;
class TacCaptForm;
class TacMinTimer;
class TacMoveTimer;

enum class TsGripMode { gmNone, gmRightBottom };
enum class TsResizeMode { rmStandard, rmBorder };

// Provider-state bits; changed only through SetFormState.
inline constexpr uint32_t psBorderSizing = 0x1, psBlendMoving = 0x80, psMinimizing = 0x100, psAnimating = 0x200,
                          psRestoring = 0x400, psThumbnail = 0x800, psCapturing = 0x1000, psFirstShowing = 0x2000,
                          psVertRestore = 0x4000, psHorzRestore = 0x8000, psSkinChanging = 0x10000,
                          psHookingScroll = 0x20000, psNoGlue = 0x40000, psMaximizing = 0x80000,
                          psDisabled = 0x100000, psNcActivating = 0x200000, psSysRestoring = 0x400000,
                          psScaling = 0x1000000;

// One title button: its state (0 normal, 1 hot, 2 pressed), its place in the cached image,
// its hit code and the title glyph it is drawn with.
struct TacTitleButtonData {
  int32_t State = 0;
  int32_t GlowId = -1;  // the halo shown while hot, -1 none
  gui::TRect Rect;
  int32_t HitCode = 0;
  bool NormalTitle = true;
  uint8_t GlyphIndex = 0;
  TacSBAnimation* Animation = nullptr;  // the running fade, owned by the button's owner
};

// The title's option objects. Their setters repaint the provider's title (or rebuild its
// image) once the provider has loaded; writing the fields directly is for setting up a
// form before it shows and repaints nothing.

// A text shown right of the caption, in its own font; the font's colour clNone (or
// clWindowText) takes the title's font colour.
class TacAddedTitle {
 public:
  TacAddedTitle() { Font.SetColor(gui::clNone); }
  std::string Text;
  bool ShowMainCaption = true;
  gui::TFont Font;
  void SetFont(const gui::TFont& font);
  void SetText(const std::string& text);
  void SetShowMainCaption(bool value);

 private:
  friend class TsSkinProvider;
  void Changed();
  TsSkinProvider* provider_ = nullptr;
};

// A band under the title in the skin's form-header section, this many pixels (at 96 PPI)
// below the title.
class TacFormHeader {
 public:
  int32_t AdditionalHeight = 0;
  void SetAdditionalHeight(int32_t value);
  // The height at the provider's skin scale.
  int32_t ScaledHeight() const;

 private:
  friend class TsSkinProvider;
  TsSkinProvider* provider_ = nullptr;
};

// The title's icon: the form's (or the application's) icon, or Glyph when it has one, drawn
// Width by Height (0: the glyph's own size, else the size for the title's height).
class TsTitleIcon {
 public:
  TsTitleIcon();
  int32_t Width = 0, Height = 0;
  bool Visible = true;
  const gui::TBitmap& Glyph() const { return *glyph_; }
  // A 32-bit copy of the picture (an empty one for nullptr).
  void SetGlyph(const gui::TBitmap* glyph);
  void SetVisible(bool value);

 private:
  friend class TsSkinProvider;
  std::unique_ptr<gui::TBitmap> glyph_;
  TsSkinProvider* provider_ = nullptr;
};

// The provider is also what the skin manager's animations know of a form (its answer to
// skin command 4 is that side of it; ProviderOfAnswer turns the answer back).
class TsSkinProvider : public rtl::TComponent, public TacAnimatedForm {
  KORVAN_CLASS(TsSkinProvider)
 public:
  // The owner must be a form; anything else is refused with a warning and the provider
  // stays inert. On a form that already has a provider, one made for a dialog gives way
  // and any other keeps the form: the new one stays passive.
  explicit TsSkinProvider(rtl::TComponent* owner);
  // The provider the window-creation hook makes for a form.
  static TsSkinProvider* CreateForForm(gui::TCustomForm* form);
  ~TsSkinProvider() override;

  // ---- published
  bool AllowAnimation = true;
  bool AllowBlendOnMoving = true;
  bool AllowSkin3rdParty = true;
  bool DrawClientArea = true;
  bool MakeSkinMenu = false;
  // The program's own sub-menu in the skinned system menu.
  TacSysSubMenu SysSubMenu;
  bool ScreenSnap = false;
  bool DisabledBlured = false;
  int32_t SnapBuffer = 10;
  uint8_t DisabledBlendValue = 255;
  uint32_t DisabledBlendColor = 0;
  TsGripMode GripMode = TsGripMode::gmNone;
  TacAlignment CaptionAlignment = TacAlignment::taLeftJustify;
  TacAddedTitle AddedTitle;
  TsTitleIcon TitleIcon;
  TacFormHeader FormHeader;
  // The provider's own class-name lists (one a kind, case-sensitive), used in place of the
  // manager's when any of them names a class.
  TsThirdPartyList ThirdParty;
  TacThirdPartyLists ThirdLists;
  bool HasThirdPartyLists = false;
  void LoadThirdPartyLists();
  void SaveThirdPartyLists();
  // Asked by the child-control adapter about each control it would skin.
  TacSkinItemEvent OnSkinItem;
  TacSkinItemExEvent OnSkinItemEx;

  // 0 AllowExtBorders, 1 DrawNonClientArea, 2 ShowAppIcon, 3 UseGlobalColor, 4 UWPMode.
  bool GetBoolProp(int index) const { return index >= 0 && index < 5 && boolProps_[index]; }
  void SetBoolProp(int index, bool value);
  // 0 TitleSkin, 1 MenuLineSkin.
  const std::string& GetSkinProp(int index) const { return index == 0 ? titleSkin_ : menuLineSkin_; }
  void SetSkinProp(int index, const std::string& value);
  // Only the standard resizing is offered: any value is stored as rmStandard.
  TsResizeMode ResizeMode() const { return resizeMode_; }
  void SetResizeMode(TsResizeMode) { resizeMode_ = TsResizeMode::rmStandard; }

  // ---- state
  TsScrollWndData* SkinData() const { return skinData_.get(); }
  gui::TCustomForm* Form() const { return form_; }
  bool Passive() const { return passive_; }
  bool ForDialog() const { return forDialog_; }
  bool Hooked() const { return hooked_; }
  uint32_t FormState() const { return formState_; }
  void SetFormState(uint32_t value);
  uint8_t FormActive = 1;  // the title is drawn active; also the title sections' state
  bool CacheReady = false;
  bool MenuChanged = true;
  bool FontChanged = false;
  bool RepaintClient = false;
  bool RegionChanged = true;
  bool Composition = false;  // desktop composition was on when the provider was made
  int32_t TitleSkinIndex = -1, CaptionSkinIndex = -1, HeaderSkinIndex = -1;

  // The window procedure the provider puts in front of the form's own.
  void FormWndProc(gui::TMessage& m);

  // ---- metrics
  int32_t GetSysCaptionHeight(int32_t ppi = 0);
  int32_t CaptionHeight(bool useSkin);
  int32_t GetBorderWidth(bool useSkin);
  int32_t GetOwnBorderWidth(bool useSkin);
  int32_t FrameWidth(bool useSkin);
  int32_t FrameHeight(bool useSkin);
  int32_t IconWidth();
  int32_t IconHeight();
  int32_t TitleButtonHeight();
  int32_t TitleButtonWidth(int32_t glyphIndex);
  int32_t SysButtonCount();
  int32_t PaddedBorder();
  bool HasBorder();
  bool HasSystemMenu();
  bool IconVisible();
  bool DrawNonClient();
  bool RTLSysButtons();
  bool RightToLeft();
  bool GripVisible();
  bool IconicNotMain();
  int32_t SkinTitleHeight(bool maximized);
  // How much higher the skin's maximized title is than the system's caption and 4.
  int32_t ExtraMaxTitleHeight(bool maximized);
  // The system's frame metrics at a PPI, kept until the next call.
  virtual void UpdateSysMetrics(int32_t ppi);
  int32_t UpdateFrameWidth();
  int32_t UpdateFixedFrameWidth();
  int32_t SysFrameWidth = -1, SysFixedFrameWidth = -1, SysPaddedBorder = -1;
  // The skin's small title glyph (16 when it has none).
  int32_t SmallGlyphWidth();
  int32_t SmallGlyphHeight();
  // The form's window on the screen, and a screen point in the image's coordinates.
  gui::TPoint FormScreenOrigin();
  gui::TPoint ScreenToForm(int32_t x, int32_t y);
  virtual int32_t TitleOffsetY();
  // The shadow margins around the form in its image: the skin's form shadow while a border
  // window carries the image, else none.
  TacRect GetShadowSize() const;
  // With a border window: the skin's BORDERWIDTH (0 without a manager), the skin's title
  // height (MAXHEIGHT while maximized), and how much higher the skinned title and wider the
  // skinned frame are than the window's own caption and frame. All 0 without a border window.
  int32_t GetSkinBorderWidth();
  int32_t GetBorderFormTitleHeight();
  int32_t GetExtraTitleHeight();
  int32_t GetExtraBorderWidth();
  // The image's size: the window's, with a border window grown by the extra title and frame
  // and the shadow margins around. The window lies in it at BorderOffset.
  int32_t CacheWidth();
  int32_t CacheHeight();
  int32_t ClientOffsetX();
  int32_t ClientOffsetY();
  gui::TRect ClientAreaRect();
  int32_t CaptionBandHeight();
  int32_t TitleButtonsWidth();
  // The main menu: shown at all, shown with a visible item, its line height, its lines
  // (cached in MenuLineCount; -1 recomputes).
  bool HasVisibleMainMenu();
  bool HasMenuLine();
  int32_t MenuLineHeight();
  int32_t GetMenuLineCount();
  int32_t MenuLineCount = -1;

  // ---- the title and the cached image
  TacTitleButtonData MinBtn, MaxBtn, HelpBtn, CloseBtn;
  gui::TRect IconRect;
  int32_t TitleVCenter = 0;
  int32_t TitleBottom = 0;
  bool NormalTitle = true;
  void InitTitleButtons();
  void UpdateTitleLayout();
  // Section indexes of the title, the caption and the form header.
  void UpdateSkinIndexes();
  // Rebuilds the image when it is marked out of date; False only while a parent's
  // background is not ready.
  bool PrepareCache() override;
  // The frame parts of the image (top band, left, right and bottom strips) into a DC of
  // the window's size.
  void PaintNonClient(HDC dc);
  // The client part of the image into a DC in client coordinates, without what opaque
  // children cover, then the graphic children; Flag ends the children's update.
  void PaintClientBackground(HDC dc, const gui::TRect& r, bool flag);
  // The title buttons over the clean title right part kept at the last rebuild.
  void PaintTitleButtons(gui::TBitmap& cache, int32_t width);
  // The title's right end (the buttons' band) kept aside and put back, so that one button
  // repaints without rebuilding the title.
  void SaveTitleRightPart(int32_t x, bool fullHeight);
  void RestoreTitleRightPart(int32_t x);
  // The caption's rectangle in the image after the last painting, empty when none.
  gui::TRect CaptionRect;

  // ---- the message pipeline
  // Each message of the form passes FormWndProc first: skin commands, then one handler per
  // message in the skinned or the unskinned branch; a message no handler takes goes to the
  // form's own procedure. The handlers are virtual so that a test can see which one ran.
  // A message straight through FormWndProc, as if the system had sent it.
  LRESULT CallWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The form's own procedure, with the same record.
  void PassOn(gui::TMessage& m);
  // Skinned: the form is alive and its skin state has a valid section of a live manager.
  bool IsSkinnedBranch();
  virtual bool HandleSkinCommandFirst(gui::TMessage& m);
  virtual void HandleSkinCommand(gui::TMessage& m);
  virtual bool HandleSkinCommandUnskinned(gui::TMessage& m);
  virtual void WMCreate(gui::TMessage& m);
  virtual void WMMove(gui::TMessage& m);
  virtual void WMSize(gui::TMessage& m);
  virtual void WMActivate(gui::TMessage& m);
  virtual void WMSetFocus(gui::TMessage& m);
  virtual void WMSetRedraw(gui::TMessage& m);
  virtual void WMSetText(gui::TMessage& m);
  virtual void WMPaint(gui::TMessage& m);
  virtual void WMClose(gui::TMessage& m);
  virtual void WMQueryEndSession(gui::TMessage& m);
  virtual void WMEraseBkgnd(gui::TMessage& m);
  virtual void WMSysColorChange(gui::TMessage& m);
  virtual void WMShowWindow(gui::TMessage& m);
  virtual void WMSettingChange(gui::TMessage& m);
  virtual void WMActivateApp(gui::TMessage& m);
  virtual void WMSetCursor(gui::TMessage& m);
  virtual void WMChildActivate(gui::TMessage& m);
  virtual void WMGetMinMaxInfo(gui::TMessage& m);
  virtual void WMMeasureItem(gui::TMessage& m);
  virtual void WMWindowPosChanging(gui::TMessage& m);
  virtual void WMWindowPosChanged(gui::TMessage& m);
  virtual void WMCopyData(gui::TMessage& m);
  virtual void WMNotify(gui::TMessage& m);
  virtual void WMContextMenu(gui::TMessage& m);
  virtual void WMStyleChanged(gui::TMessage& m);
  virtual void WMSetIcon(gui::TMessage& m);
  virtual void WMNCCreate(gui::TMessage& m);
  virtual void WMNCHitTest(gui::TMessage& m);
  virtual void WMNCPaint(gui::TMessage& m);
  virtual void WMNCActivate(gui::TMessage& m);
  virtual void WMNCMouseMove(gui::TMessage& m);
  virtual void WMNCLButtonDown(gui::TMessage& m);
  virtual void WMNCLButtonUp(gui::TMessage& m);
  virtual void WMNCLButtonDblClk(gui::TMessage& m);
  virtual void WMNCRButtonDown(gui::TMessage& m);
  virtual void WMNCRButtonUp(gui::TMessage& m);
  virtual void WMSysCommand(gui::TMessage& m);
  // Minimize, maximize or restore with the form's own flight; False when it does not fly.
  bool PassAnimated(gui::TMessage& m, UINT command);
  virtual void WMInitMenuPopup(gui::TMessage& m);
  virtual void WMEnterIdle(gui::TMessage& m);
  virtual void WMMouseMove(gui::TMessage& m);
  virtual void WMParentNotify(gui::TMessage& m);
  virtual void WMEnterMenuLoop(gui::TMessage& m);
  virtual void WMExitMenuLoop(gui::TMessage& m);
  virtual void WMSizing(gui::TMessage& m);
  virtual void WMMDIActivate(gui::TMessage& m);
  virtual void WMEnterSizeMove(gui::TMessage& m);
  virtual void WMExitSizeMove(gui::TMessage& m);
  virtual void WMMouseLeave(gui::TMessage& m);
  virtual void WMDpiChanged(gui::TMessage& m);
  virtual void WMWindowMenuRequest(gui::TMessage& m);
  virtual void WMPrint(gui::TMessage& m);
  virtual void WMPrintClient(gui::TMessage& m);
  virtual void WMIconicThumbnail(gui::TMessage& m);
  virtual void WMIconicLivePreview(gui::TMessage& m);
  virtual void WMPreviewRequest(gui::TMessage& m);
  virtual void CMVisibleChanged(gui::TMessage& m);
  virtual void CMEnabledChanged(gui::TMessage& m);
  virtual void CMColorChanged(gui::TMessage& m);
  virtual void CMMouseEnter(gui::TMessage& m);
  virtual void CMMenuChanged(gui::TMessage& m);
  virtual void CMShowingChanged(gui::TMessage& m);
  // The manager's show animation plays for this form; the visible windowed children stop
  // (or start again) painting.
  bool ShowAnimated(TsSkinManager* mgr) const;
  void SetChildrenRedraw(bool on);
  virtual void CMWinIniChange(gui::TMessage& m);
  virtual void CMControlListChange(gui::TMessage& m);
  virtual void CMRecreateWnd(gui::TMessage& m);
  virtual void CMSysFontChanged(gui::TMessage& m);
  virtual void CMChanged(gui::TMessage& m);
  virtual void CMFloat(gui::TMessage& m);
  virtual void CMBiDiModeChanged(gui::TMessage& m);
  virtual void CMMouseWheel(gui::TMessage& m);
  virtual void CMNoOwnFrame(gui::TMessage& m);
  // The unskinned branch's own cases.
  virtual void WMPrintUnskinned(gui::TMessage& m);
  virtual void CMVisibleChangedUnskinned(gui::TMessage& m);
  virtual void CMSysFontChangedUnskinned(gui::TMessage& m);
  virtual void AfterWindowPosChangedUnskinned(gui::TMessage& m);
  virtual void AfterNCDestroyUnskinned(gui::TMessage& m);

  // ---- skinning on and off
  void InitSkin();
  void SetNonClientSkinned(bool active);
  void UpdateSysMenuStyle(bool skinning);
  void UpdateExtBorders(bool allowed);
  void RefreshBorders();
  void CreateAdapter();
  void FreeAdapter();
  void PassToAdapter(gui::TMessage& m);
  // The adapter skins the children of Control (the whole form when nullptr), or one more.
  void AdapterAddAllItems(gui::TWinControl* control);
  void AdapterAddNewItem(gui::TWinControl* control);
  void SkinLabel(gui::TControl* label, bool skinned);
  void FreeTitleAnimations();
  // The title's own parts: section indexes, title-bar items, the hot title element.
  void UpdateSectionIndexes();
  // Links the bar's items to this provider: skin sections and their painter.
  void PrepareTitleBarItems();
  void SetHotItem(int32_t code, bool repaint);
  bool TitleBarItemHot();
  // Menus and MDI.
  void HookFormMenus(bool active);
  bool RefreshMenuBar();
  void HookMenuLine();
  void UpdateMDIHook(bool on);
  // The system menu, the border window, the caption cover and the form's first set-up.
  void MakeSystemMenu();
  void ShowSystemMenu(int32_t x, int32_t y);
  void CompleteSetup();
  // The complete form image into the cache while the form still shows, for its hide.
  void CaptureHideImage();
  void CreateBorderForm();
  void FreeBorderForm();
  bool BorderWindowShown();
  void UpdateBorderWindow(bool repaint, uint8_t alpha = 255);
  void ShowCaptForm(bool show);
  void StartScaleAnimation(int32_t ppi, bool recreate);
  void NotifySkinEditor(HWND wnd);
  // Labels whose font colour follows the skin, with what they had before.
  struct TacLabelColor {
    uint32_t Color = 0;
    gui::TControl* Label = nullptr;
    bool ParentFont = false;
  };
  std::vector<TacLabelColor> LabelColors;
  std::vector<rtl::TComponent*> ChildList;

  // The sequences behind the commands: a loaded skin applied to an unskinned form, the
  // repaint after a skin change, the form's own look given back.
  void ApplySkinSequence();
  void RepaintAfterSkinChange();
  void SwitchSkinOff();
  // Answers to the background and opaque-section queries of the children.
  bool AnswerBackgroundQuery(TacBackgroundQuery& query);
  LRESULT AnswerOpaqueSection(TacOpaqueSectionQuery& query);
  void SetWindowAlpha(uint8_t alpha);

  // ---- painting and the region
  void PaintFrame();
  // The four frame strips, W wide, of a borderless sizing window copied from the image.
  void PaintFrameStrips(HDC dc, int32_t w);
  void PaintClient(gui::TMessage& m);
  void PaintFormBackground(HDC dc);
  void PrepareRegionRects() override;
  HRGN CreateRegion(int32_t x, int32_t y);
  void UpdateRegion(bool redraw, bool setOnly);
  void RedrawNonClient();
  // Neither the provider nor its form is being read in: option changes show at once.
  bool OptionsLive() const;
  // The form's window, or for an MDI form its client window: what switching skinning off
  // redraws.
  HWND RedrawTarget();
  int32_t RedrawLock = 0;
  bool RegionUpdating = false, RegionLocked = false, PaintSuppressed = false, InAnimation = false;
  bool ButtonPressed = false, TallTitleMaximized = false, MenuHooked = false, UseOwnerDrawMenu = false;
  bool ScaleAnimation = false;
  int32_t HotItem = -1;
  std::unique_ptr<TsSystemMenu> SystemMenu;
  std::unique_ptr<TacBorderForm> BorderForm;
  std::unique_ptr<TacCtrlAdapter> Adapter;

  // ---- the title under the mouse, its clicks, the system menu, sizing, system commands,
  // activation and the border window (sSkinProviderTitle.cpp); the handlers are above.
  bool RightClickPending = false;
  bool AnimShown = false;
  bool WasMaximized = false;
  TacPlace LastBounds;  // left, top, width and height before a stretch across the work area
  gui::TRect LastClientRect;
  // The system menu, made on first need when no skin application made it yet.
  TsSystemMenu* EnsureSystemMenu();
  int32_t HitTest(gui::TMessage& m);
  int32_t TitleItemAt(gui::TPoint p);
  // The title element under an image point counted as the hit test counts them (system
  // buttons, user buttons, title-bar items), the border window's as well as the form's.
  int32_t TitleElementAt(gui::TPoint p);
  TacTitleHitFacts TitleHitFacts();
  // The point of a mouse message in the image's coordinates (the border window's with one).
  gui::TPoint ImagePoint(const gui::TMessage& m);
  TacTitleButtonData* TitleButton(int32_t code);
  // The title-bar item a hit code names, when it is one of the bar's.
  TacTitleBarItem* TitleBarItemOf(int32_t code);
  // A title-bar item entered (Hot) or left: its events, state and hint, and its fade.
  void ItemHover(int32_t code, bool hot, bool repaint);
  void FadeTitleBarItem(TacTitleBarItem* item);
  void ItemPress(int32_t code, gui::TPoint p);
  void ItemRelease(int32_t code, gui::TPoint p);
  void SetPressedItem(int32_t code);
  // A title button's new look fades in over it (glowing skins) instead of being drawn at once.
  bool FadesTitleButtons();
  void RepaintTitleButton(int32_t code);
  // A user title button's hint shown (Show) or taken away; other codes are left alone.
  void UserButtonHint(int32_t code, bool show);
  void EnableSysMenuItem(UINT command, bool enable, HMENU menu);
  void BeginBlendMove();
  bool ExtBordersAllowed(bool maximized);
  // Takes the layered style off a window, trying a few times: a destroyed window never
  // takes it, and the caller goes on.
  static bool RemoveLayeredStyle(HWND wnd);
  // ---- user title buttons and the title bar (sSkinProviderItems.cpp)
  TsTitleButtons& TitleButtons();
  TsTitleBar* TitleBar = nullptr;  // the form's bar, not owned
  // A form header is drawn: a positive height and a header section with more than one state.
  bool HeaderVisible();
  // One item in its state into R of a 32-bit bitmap (the title image or a fade's picture).
  void PaintTitleBarItem(TacTitleBarItem* item, const gui::TRect& r, gui::TBitmap& bmp);
  void AddUserButtons(TacTitleInput& in);
  void TakeTitleExtras(const TacTitleLayout& t);
  void PaintTitleBarItems(gui::TBitmap& cache);
  void PaintUserButtons(gui::TBitmap& cache);
  std::unique_ptr<TsTitleButtons> titleButtons_;

  // ---- passing looks and moves (sSkinProviderLooks.cpp, sSkinProviderMoves.cpp)
  // The veil over a disabled form: its image tinted by DisabledBlendColor; gone when enabled.
  std::unique_ptr<TacGlowForm> DisabledForm;
  void UpdateDisabledLook();
  // The cached frame with the client area painted in.
  std::unique_ptr<gui::TBitmap> FormImageWithClient();
  // The cover over the frame while the system repaints the native caption.
  std::unique_ptr<TacCaptForm> CaptForm;
  void ShowCaptForm();
  void HideCaptForm();
  // The message to the form's own procedure with the frame covered meanwhile.
  void PassCovered(gui::TMessage& m);
  // Names of the forms that move with this one when they touch it as a drag starts.
  std::vector<std::string> GluedForms;
  void SnapToEdges(int32_t& x, int32_t& y);
  // How far the visible frame stands out beyond the window on each side: with a border window
  // the extra frame and title and the skin's align offsets, else nothing.
  TacRect BorderMargins();
  void UpdateGluedForms();
  void MoveGluedForms(bool useBorderPos);
  bool IsGluedTo(gui::TCustomForm* form);
  // The minimize and restore animation kept between the two (owned as a component).
  TacMinTimer* MinTimer = nullptr;
  TacMoveTimer* MoveTimer = nullptr;  // while a drag blends the form
  // ---- the menu line and the MDI window menu
  // The menu line's background as last painted, for repainting single items.
  std::unique_ptr<gui::TBitmap> MenuLineImage;
  gui::TMenuItem* HotMenuItem = nullptr;
  // The form's menus switched to the skinned menus (or back).
  // The menu line with its items into the image, below the title.
  void PaintMenuLine(gui::TBitmap& cache, int32_t imageWidth, int32_t state);
  // One main-menu item drawn again into the image and copied to the window.
  void RepaintMenuItem(gui::TMenuItem* item, const gui::TRect& r, gui::TOwnerDrawState state);
  void WindowMenuItemClick(rtl::TObject* sender);
  // The visible MDI children in the client window's order, and the active one.
  std::vector<HWND> MDIChildren();
  HWND ActiveMDIChild();
  // A maximized MDI child's minimize, restore and close buttons in the MDI form's menu line
  // (hit codes 103, 102, 101), shown while the active child is maximized with a system menu.
  TacTitleButtonData MDIMin, MDIMax, MDIClose;
  bool ChildButtonsInMenuLine();
  void PaintMDIChildButtons(gui::TBitmap& cache, int32_t imageWidth);

  // ---- what the animations, the thumbnails and the editor ask of the form
  // The provider a form answered skin command 4 with; nullptr for none or another kind.
  static TsSkinProvider* ProviderOfAnswer(LRESULT answer);
  gui::TCustomForm* AnimForm() override { return form_; }
  bool HasSkinData() override { return skinData_ != nullptr; }
  gui::TBitmap* FormImage() override;
  void PaintFormImage(gui::TBitmap& picture) override;
  bool PreparingHide() const override { return (formState_ & psAnimating) != 0; }
  // While the form hides, the border window is the window its image disappears in.
  std::unique_ptr<TacGlowForm> TakeSnapshotWindow() override;
  bool HideWithBorderWindow(gui::TMessage& m);
  bool DrawsNonClientArea() const override { return boolProps_[1]; }
  bool AllowsAnimation() const override { return AllowAnimation; }
  TsSkinManager* SkinManager() const override { return skinData_ ? skinData_->GetSkinManager() : nullptr; }
  bool AnimateMinimize() override;
  bool HasBorderWindow() override { return BorderForm && BorderForm->Handle(); }
  void DropBorderWindow() override;
  bool InOwnMinimize() const override { return (formState_ & psMinimizing) != 0; }
  void BeforeApplicationRestore() override;
  void MarkForRepaint() override;
  HWND BorderWindowHandle() override { return BorderForm ? BorderForm->Handle() : nullptr; }
  POINT BorderOffset() override;
  void RefreshBorderWindow() override;
  // Asked first when the border window is hit-tested; a result other than 0 is the answer.
  std::function<void(gui::TMessage& msg)> OnExtHitTest;
  // The size grip over what lies behind it, into a DC of the window's size.
  void PaintGrip(HDC dc);

 protected:
  void Loaded() override;
  void Notification(rtl::TComponent* component, rtl::TOperation op) override;

 private:
  void Hook();
  void Unhook();
  LRESULT FrameWidthAnswer(LPARAM lParam);
  TacTitleInput TitleInput();
  TacClientQuery ClientQuery();
  TacBorderWidthQuery BorderWidthQuery(bool useSkin);
  void PaintTitle(gui::TBitmap& cache, int32_t width, int32_t state);
  // The skin's shadow in the image's margins around FrameRect and in the frame's transparent
  // corners (a border window's image).
  void PaintShadow(gui::TBitmap& cache, const gui::TRect& frameRect);
  void PaintIcon(gui::TBitmap& cache);
  void PaintCaptionText(gui::TBitmap& cache, int32_t frameW);
  void UseAddedTitleFont(gui::TCanvas& canvas, const TacSkinData& sd);
  void PaintGrip(gui::TBitmap& cache);
  HWND FormHandle() const;

  gui::TCustomForm* form_ = nullptr;
  std::unique_ptr<TsScrollWndData> skinData_;
  gui::TWndMethod oldWndProc_;
  bool passive_ = false;
  bool forDialog_ = false;
  bool hooked_ = false;
  uint32_t formState_ = 0;
  bool boolProps_[5] = {true, true, true, true, false};
  std::string titleSkin_, menuLineSkin_;
  TsResizeMode resizeMode_ = TsResizeMode::rmStandard;
  int32_t sysCaptionHeight_ = -1;
  std::unique_ptr<gui::TBitmap> titleRightPart_;
  int32_t titleRightRows_ = 0;
};

// ---------------------------------------------------------------- desktop composition
// The desktop window manager's functions are looked up by name on first use; a missing
// library or function is a normal outcome (False, or E_NOTIMPL).

// Task-bar thumbnails and live previews of skinned forms are not answered (build switch).
inline constexpr bool UseIconicThumbnails = false;
void LoadDwmLibrary();
// Asked once per process; off before Windows 6.
bool IsCompositionEnabled();
HRESULT SetDwmWindowAttribute(HWND wnd, DWORD attribute, const void* value, DWORD size);
// The window's transition animations off (Disable) while its frame is skinned.
void SetDwmTransitions(HWND wnd, bool disable);
// Blur behind a window, optionally limited to a region (which is deleted in every case).
void EnableBlurBehind(HWND wnd, bool enable, HRGN region);
// The provider's image, kept in aspect inside MaxWidth x MaxHeight, as the window's
// task-bar thumbnail; False when there is no image, no function or the call fails.
bool SetIconicThumbnail(HWND wnd, TsSkinProvider* provider, int32_t maxWidth, int32_t maxHeight);
bool SetLivePreviewBitmap(HWND wnd, TsSkinProvider* provider);
void InvalidateIconicBitmaps(HWND wnd);

// The element index names no border image: negative, or an element of image type 1.
bool NoBorderImage(int32_t index, const TacSkinData* skinData);
// The first windowed component owned (depth first) by Component whose window exists and
// has the dialog control ID; nullptr when none.
gui::TWinControl* FindControlByID(int id, rtl::TComponent* component);

// A form handles a change of pixels per inch; a second change meanwhile is dropped.
extern bool ScalingForm;
// The system asked whether the session may end: no state fades start any more.
extern bool ShutdownPending;
// The form announced to the outside skin editor; only it takes live-preview blocks.
extern HWND PreviewWindow;
// The window takes the region; a region it refuses is deleted. False when refused.
bool SetWindowRegion(HWND wnd, HRGN region, bool redraw);
// The glued-form table: emptied at shut-down; a form's entries dropped when it goes.
void ClearGluedForms();
void RemoveGluedEntries(gui::TCustomForm* form);
// The screen rectangle of the application window's task-bar button; empty when the shell
// has no such button or it cannot be read.
gui::TRect FindTaskBarButton(HWND appWnd);

// The whole form as it looks, its client area painted in, in a new 32-bit bitmap; nullptr
// without a cached image. With FreeCache the provider's image is let go afterwards.
std::unique_ptr<gui::TBitmap> CreateFormImage(TsSkinProvider* provider, bool freeCache);
// A topmost layered window showing what the window shows now, at its place and in its skin
// region (the provider's skin state, else the window's own); the caller frees it. nullptr
// for a window without size.
std::unique_ptr<TacGlowForm> CreateSnapshotForm(HWND wnd, TsSkinProvider* provider);

// GetSystemMetricsForDpi where the system offers it and answers, else GetSystemMetrics.
int32_t GetSysMetricForPPI(int index, int32_t ppi);
// The provider of the form that owns the component (up the owner chain), asked with skin
// command 4; nullptr when there is none.
TsSkinProvider* GetFormProvider(rtl::TComponent* component);

}  // namespace skin
