// The skin manager: the component that owns one loaded skin (its source and name, the
// skin parsed once per scale step, the master bitmap, the palette and common information),
// its option objects, the stored skins and the skin list, and answers the queries every
// skinned control asks. The first manager made in the process is the default manager.
//
// What it decides without Win32 (directory, palette, version check, scale steps, colour
// changes) lives in acSkinLoad and acSkinAdjust; here are the files, the fonts, the boxes
// and the thread of the skin list.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/Graphics.h"
#include "gui/Threads.h"
#include "gui/Timer.h"
#include "rtl/Classes.h"
#include "gui/Messages.h"
#include "skin/core/acLivePreview.h"
#include "skin/core/acSkinAdjust.h"
#include "skin/core/acSkinLoad.h"
#include "skin/core/acSkinPack.h"
#include "skin/graphics/acFontStore.h"

namespace gui {
class TControl;
}

namespace skin {

class TsSkinManager;
using rtl::TNotifyEvent;

// ---------------------------------------------------------------- options

enum class TacGroupBoxStyle : uint8_t { gsStandard, gsCard };
enum class TacFontMode : uint8_t { fmDefault, fmFromSkin, fmCustom };

class TacOptions : public rtl::TPersistent {
  KORVAN_CLASS(TacOptions)
  friend class TsSkinManager;

 public:
  explicit TacOptions(TsSkinManager* owner) : owner_(owner) {}
  // 0 CheckEmptyAlpha, 1 NoMouseHover, 2 NativeBordersMaximized, 3 StdGlyphsOrder,
  // 4 ChangeSysColors (also the answer for any other index), 5 StdImgTransparency,
  // 6 DrawNonClientArea.
  bool GetOption(int index) const;
  void SetOption(int index, bool value);

  TacArrowsStyle ArrowsStyle() const { return arrowsStyle_; }
  void SetArrowsStyle(TacArrowsStyle v) { arrowsStyle_ = v; }
  // The style to draw: the skin's ARROWSTYLE for arsDefault (0 without a skin).
  uint8_t GetActualArrowsStyle() const;
  TacOptimizingPriority OptimizingPriority = TacOptimizingPriority::opSpeed;
  TacGroupBoxStyle GroupBoxStyle = TacGroupBoxStyle::gsStandard;

  TacScaleMode ScaleMode() const { return scaleMode_; }
  void SetScaleMode(TacScaleMode v);
  int32_t PixelsPerInch() const { return pixelsPerInch_; }
  // 48..384.
  void SetPixelsPerInch(int32_t v);
  // The figures of the change, OnScaleModeChange, the new mode and PPI, and the skin
  // reloaded at the new step (while the manager is not loading).
  void ChangeScale(TacScaleMode oldMode, TacScaleMode newMode, int32_t newPPI, int32_t oldPPI);

 private:
  void ApplyScaleChange(TacScaleMode newMode);
  TsSkinManager* owner_;
  std::array<bool, 7> options_{false, false, false, false, false, false, true};
  TacArrowsStyle arrowsStyle_ = TacArrowsStyle::arsDefault;
  TacScaleMode scaleMode_ = TacScaleMode::smVCL;
  int32_t pixelsPerInch_ = 96;
};

class TacSkinEffects : public rtl::TPersistent {
  KORVAN_CLASS(TacSkinEffects)
 public:
  explicit TacSkinEffects(TsSkinManager* owner) : owner_(owner) {}
  bool AllowGlowing = true, AllowAnimation = true, AllowAeroBluring = true;
  bool AllowOuterEffects() const { return outer_; }
  bool DiscoloredGlyphs() const { return discolored_; }
  // 0 AllowOuterEffects, 1 DiscoloredGlyphs; other indices are ignored.
  void SetOption(int index, bool value);

 private:
  TsSkinManager* owner_;
  bool outer_ = true, discolored_ = false;
};

// One kind of form or control animation.
struct TacFormAnimation {
  bool Active = true;
  uint16_t Time = 0;
  TacAnimType Mode = TacAnimType::atAero;
};
class TacAnimEffects : public rtl::TPersistent {
  KORVAN_CLASS(TacAnimEffects)
 public:
  explicit TacAnimEffects(TsSkinManager* owner) : owner_(owner) {}
  TacFormAnimation FormShow, FormHide, DialogShow, DialogHide, PageChange;
  TacFormAnimation SkinChanging{true, 100, TacAnimType::atFading};
  TacFormAnimation Minimizing{true, 80, TacAnimType::atAero};
  TacFormAnimation BlendOnMoving{false, 1000, TacAnimType::atAero};
  uint8_t BlendValue = 170;  // of BlendOnMoving
  TacBtnEvents ButtonEvents = 0xF;  // Buttons.Events: every event

 private:
  TsSkinManager* owner_;
};

class TacScrollBarsSupport : public rtl::TPersistent {
  KORVAN_CLASS(TacScrollBarsSupport)
 public:
  explicit TacScrollBarsSupport(TsSkinManager* owner) : owner_(owner) {}
  // -1: from the skin or the system.
  int32_t ButtonsSize() const { return buttonsSize_; }
  int32_t ScrollSize() const { return scrollSize_; }
  // 0 ButtonsSize, 1 ScrollSize.
  void SetSize(int index, int32_t value);

 private:
  TsSkinManager* owner_;
  int32_t buttonsSize_ = -1, scrollSize_ = -1;
};

enum TacModalButtonColoring : unsigned { bcBackground = 1, bcGlyph = 2, bcText = 4 };
class TacButtonsSupport : public rtl::TPersistent {
  KORVAN_CLASS(TacButtonsSupport)
 public:
  explicit TacButtonsSupport(TsSkinManager* owner) : owner_(owner) {}
  bool ShowFocusRect = true, ShiftContentOnClick = true, AllowRTLSysButtons = true;
  unsigned ModalButtonsColoring = bcGlyph;
  // One flag of the process, shared by every manager.
  static bool GetOldGlyphsMode();
  void SetOldGlyphsMode(bool value);

 private:
  TsSkinManager* owner_;
};

class TacLabelsSupport : public rtl::TPersistent {
  KORVAN_CLASS(TacLabelsSupport)
 public:
  bool TransparentAlways = true;
};

class TacFonts : public rtl::TPersistent {
  KORVAN_CLASS(TacFonts)
 public:
  explicit TacFonts(TsSkinManager* owner) : owner_(owner) {}
  TacFontMode MainMode() const { return mainMode_; }
  // A new mode or custom font is announced to the forms at once (unless the manager is
  // loading): the default font, the skin's, or the custom one.
  void SetMainMode(TacFontMode v);
  const std::string& MainFont() const { return mainFont_; }
  void SetMainFont(const std::string& v);

 private:
  TsSkinManager* owner_;
  TacFontMode mainMode_ = TacFontMode::fmDefault;
  std::string mainFont_;
};

// The class names by which other controls are taken for standard kinds, one list a kind
// (the index order of ThirdPartyPropNames).
class TsThirdPartyList : public rtl::TPersistent {
  KORVAN_CLASS(TsThirdPartyList)
 public:
  // "" for an index outside 0..22; setting one is ignored.
  std::string GetClassNames(int index) const;
  void SetClassNames(int index, const std::string& text);

 private:
  std::array<std::string, kThirdPartyKinds> lists_;
};

// One list of class names a kind, in the index order of TsThirdPartyList.
using TacThirdPartyLists = std::array<rtl::TStringList, kThirdPartyKinds>;
// Each list takes the class names of its kind; true when any kind names at least one.
bool LoadThirdPartyLists(const TsThirdPartyList& thirdParty, TacThirdPartyLists& lists);
// True when a line of any list is className exactly (case counts).
bool IsInStringLists(const TacThirdPartyLists& lists, std::string_view className);

// ---------------------------------------------------------------- stored skins

// A skin kept inside the component: the whole packed file.
class TsStoredSkin : public rtl::TPersistent {
  KORVAN_CLASS(TsStoredSkin)
 public:
  std::string Name;
  std::string Author, Description;
  double Version = 0;
  uint32_t Shadow1Color = 0;
  int32_t Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  uint32_t BorderColor = 0x00FF00FF;
  std::string OriginName;
  TacBytes PackedData;
  // Everything but the origin name.
  void Assign(const rtl::TPersistent* source) override;
};

class TsStoredSkins {
 public:
  explicit TsStoredSkins(TsSkinManager* owner) : owner_(owner) {}
  int Count() const { return int(items_.size()); }
  TsStoredSkin& Items(int index) { return *items_.at(size_t(index)); }
  // A new item: a running background listing stops and the skin list is out of date.
  TsStoredSkin& Add();
  void Delete(int index);
  // The first item named exactly so; -1 when none.
  int IndexOf(const std::string& name) const;
  // Tells the owner that an item changed (OnSkinListChanged).
  void Update();

 private:
  TsSkinManager* owner_;
  std::vector<std::unique_ptr<TsStoredSkin>> items_;
};

// ---------------------------------------------------------------- the skin list

struct TacSkinListData {
  int32_t Kind = 0;  // 0 a stored skin, 1 a packed file of the skin directory
  int32_t PreviewIndex = -1;
  std::string Name;
};

class TacSkinListController;

// Adds one skin every 12 ms through Synchronize, so that a long directory never blocks
// the program; it does no list work of its own.
class TacAddThread : public gui::TThread {
 public:
  explicit TacAddThread(TacSkinListController* controller);
  ~TacAddThread() override;
  TacSkinListController* Controller;

 protected:
  void Execute() override;

 private:
  void Step();
  HANDLE stepEvent_;
};

class TacSkinListController {
 public:
  explicit TacSkinListController(TsSkinManager* manager);
  ~TacSkinListController();

  bool UpdateList(bool synchronous);
  void UpdateIfNeeded(bool synchronous);
  void FinishListing();
  void ClearList(bool markOutOfDate, bool notify);
  void NotifyListChanged();
  void NotifySkinChanged();
  void StartListThread();

  const std::vector<TacSkinListData>& Items() const { return items_; }
  // The preview pictures (PNG or BMP bytes as the packed files hold them), by PreviewIndex.
  const std::vector<TacBytes>& Previews() const { return previews_; }
  bool OutOfDate = true;
  std::string SkinsPath;
  // The listing thread while it works; nullptr when none runs.
  TacAddThread* ListThread() const;
  // Controls that show the list get skin commands 74 and 75.
  std::vector<HWND> ListControls;

 private:
  friend class TacAddThread;
  void AddSkinToList(const std::string& name, int internalIndex);
  int AddFoundFile();
  bool OpenScan(const std::string& directory);
  void CloseScan();
  // Ends the thread and frees it; inside one of its steps it is only told to end and freed
  // by the next call (the step's thread waits for the step to return).
  void StopThread();
  TsSkinManager* manager_;
  TacAddThread* thread_ = nullptr;
  std::vector<TacAddThread*> retired_;
  bool inStep_ = false;
  HANDLE search_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW found_{};
  int searchResult_ = 1;
  int nextInternalIndex_ = 0;
  std::vector<TacSkinListData> items_;
  std::vector<TacBytes> previews_;
};

// ---------------------------------------------------------------- the manager

enum TacSkinsFilterItem : unsigned { sfiInternal = 1, sfiExternal = 2 };
// The native dialog the skinning event is asked about.
struct TacSysDlgData {
  HWND Wnd = nullptr;
};

enum TacSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };

// State bits of a manager.
inline constexpr uint8_t msMainFontChanging = 0x01, msScaleChanging = 0x02, msRemoving = 0x04,
                         msChanging = 0x08, msApplying = 0x10, msFormScaling = 0x40, msRTLMirrored = 0x80;

class TsSkinManager : public rtl::TComponent {
  KORVAN_CLASS(TsSkinManager)
 public:
  explicit TsSkinManager(rtl::TComponent* owner);
  ~TsSkinManager() override;

  // ---- published
  bool Active() const { return active_; }
  void SetActive(bool value);
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(const std::string& value);
  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string& value);
  unsigned SkinsFilter() const { return skinsFilter_; }
  void SetSkinsFilter(unsigned value);
  unsigned SkinningRules() const { return skinningRules_; }
  void SetSkinningRules(unsigned value) { skinningRules_ = value; }
  bool IsDefault() const;
  void SetIsDefault(bool value);
  bool ExtendedBorders() const;
  void SetExtendedBorders(bool value);
  bool SkinnedPopups() const { return skinnedPopups_; }
  void SetSkinnedPopups(bool value) { skinnedPopups_ = value; }
  int32_t Brightness() const { return brightness_; }
  int32_t HueOffset() const { return hueOffset_; }
  int32_t Saturation() const { return saturation_; }
  void SetBrightness(int32_t v) { SetColorAdjustment(0, v); }
  void SetHueOffset(int32_t v) { SetColorAdjustment(1, v); }
  void SetSaturation(int32_t v) { SetColorAdjustment(2, v); }
  const rtl::TStringList& CommonSections() const { return commonSections_; }
  void SetCommonSections(const std::vector<std::string>& lines);
  std::string SkinInfo() const;
  static std::string Version() { return kEngineVersionText; }

  TacOptions Options{this};
  TacSkinEffects Effects{this};
  TacAnimEffects AnimEffects{this};
  TacScrollBarsSupport ScrollsOptions{this};
  TacButtonsSupport ButtonsOptions{this};
  TacLabelsSupport LabelsOptions;
  TacFonts Fonts{this};
  TsThirdPartyList ThirdParty;
  TsStoredSkins InternalSkins{this};

  TNotifyEvent OnActivate, OnDeactivate, OnSkinLoading, OnAfterChange, OnBeforeChange, OnSkinListChanged,
      OnScaleChanged;
  std::function<void(TsSkinManager* sender, const std::string& newSkinName, bool& allowChanging)> OnSkinChanging;
  // Asked before a native dialog of the system is skinned; AllowSkinning False keeps it native.
  std::function<void(TacSysDlgData dlgData, bool& allowSkinning)> OnSysDlgInit;
  std::function<void(TsSkinManager* sender, const TScaleChangeData& data)> OnScaleModeChange;

  // ---- queries
  bool IsSkinLoaded() const { return commonInfo_.Loaded; }
  int32_t GetSectionCount() const;
  bool IsValidSkinIndex(int32_t index) const;
  bool IsValidMaskIndex(int32_t index);
  int32_t GetSkinIndex(std::string_view name, TacSkinData* data = nullptr);
  int32_t GetMaskIndex(int32_t skinIndex, std::string_view imageName, TacSkinData* data = nullptr);
  int32_t FindMaskIndex(std::string_view sectionName, std::string_view imageName, TacSkinData* data = nullptr);
  uint32_t GetGlobalColor() const { return palette_[0]; }
  uint32_t GetGlobalFontColor() const { return palette_[1]; }
  uint32_t GetEditColor() const { return palette_[5]; }
  uint32_t GetEditFontColor() const { return palette_[4]; }
  uint32_t GetHighlightColor(bool active) const { return palette_[active ? 8 : 6]; }
  uint32_t GetHighlightFontColor(bool active) const { return palette_[active ? 9 : 7]; }
  const TacPalette& Palette() const { return palette_; }
  const TacSkinCommonInfo& CommonInfo() const { return commonInfo_; }
  gui::TBitmap* MasterBitmap() const { return master_.get(); }
  std::vector<TacEmbeddedFont*> SkinFonts() const;
  // A solid brush of palette entry 0..5, remade by every load; nullptr before the first.
  HBRUSH PaletteBrush(int entry) const { return entry >= 0 && entry < 6 ? brushes_[size_t(entry)] : nullptr; }
  uint8_t State() const { return state_; }
  bool PackedSource() const { return packedSource_; }
  // Kind 0 the packed files of the skin directory, 1 the stored skins, 2 both; sorted.
  void GetSkinNames(rtl::TStringList& list, bool withPreview, std::string& firstName, int kind);
  TacSkinListController& SkinList() { return *skinList_; }
  // The class names of ThirdParty the hooks look up, one case-sensitive list a kind.
  const TacThirdPartyLists& ThirdPartyLists() const { return thirdPartyLists_; }

  // ---- sources and loading
  std::string ResolveSkinDirectory() const;
  bool ReadSkinSource();
  void LoadSkinData(TacSkinData& data);
  void LoadSkinFonts();
  void ReadGlobalInfo();
  void CheckSkinVersion();
  void ReadPalette(TacSkinData& data);
  // Drops the skin data of every step; the skin counts as not loaded.
  void FreeSkinData();
  // Makes (and so loads) the skin data of the steps the mode uses.
  void PrepareSkinData();
  // Loads the skin again after a colour setting changed.
  void ReloadSkin();
  void UpdateRTLSysButtons(bool rightToLeft);

  // ---- telling the windows (sSkinManagerHooks)
  // Skin command 1 to every form: a skin is loaded.
  void ApplySkin(bool animate);
  // Skin command 2 to every form, and the skin goes.
  void RemoveSkin();
  // Skin commands 16 and 3 to every form, then the hooked windows are redrawn.
  void RepaintAll(bool animate);
  void UpdateSkin(bool animate) {
    if (active_) ApplySkin(animate);
  }
  // A skin change from the outside skin editor: the windows are told once at its end.
  void BeginExternalUpdate() { externalUpdate_ = true; }
  void EndExternalUpdate(bool animate, bool withSkinChangeAnimation);
  bool ExternalUpdate() const { return externalUpdate_; }
  // Loads the skin of the last live-preview record received (skin command 71).
  void ApplyEditorSkin();
  const std::optional<TacLivePreview>& LivePreview() const { return livePreview_; }
  // A live-preview block from another program (WM_COPYDATA with id 7): kept only when it
  // holds a whole tagged record, then skin command 71 is posted to the application window.
  // True when the block is the editor's (its id and tag), whole or not.
  bool ReceiveLivePreview(WPARAM id, const COPYDATASTRUCT* data);
  // What the default manager does with the application window's messages; true: handled.
  bool AppWindowHook(gui::TMessage& message);
  // The window-creation hook of the GUI thread (and the system colours when asked for).
  void InstallWindowHook();
  void RemoveWindowHook();
  bool WindowHookInstalled() const { return hookInstalled_; }
  // The application window's last system command while a skin was loaded: 2 minimize,
  // 1 restore, 0 any other (the form animations choose by it).
  uint8_t LastSysCommand() const { return lastSysCommand_; }
  // Announces a new main font to every form (skin command 36) and OnFontChanged.
  void SetMainFont(const std::string& fontName, bool freeze);
  // The main form's font name, else "Tahoma", fixed on first need.
  const std::string& GetDefaultFontName();
  // While skin command 36 is on its way: the main font's name so far and the new one.
  const std::string& LastMainFont() const { return lastMainFont_; }
  const std::string& RequestedMainFont() const { return requestedMainFont_; }
  // Gives the control the main font when it still shows the default or the last one.
  bool ApplyMainFont(gui::TControl* control);
  std::function<void(TsSkinManager* sender, const std::string& oldName, const std::string& newName)> OnFontChanged;

  // ---- the window and the windowless control under the mouse (sSkinManagerHooks)
  // Skin command 30 (mouse left) to the window hovered so far and 29 (mouse entered) to
  // Wnd, unless the mouse only moved onto the hovered window's own parent or a pressed
  // control holds the hover.
  void SetHoveredWindow(HWND wnd);
  // The old windowless control is told the mouse left it; a pressed one keeps the hover.
  void SetHoveredControl(gui::TControl* control);
  HWND HoveredWindow() const { return hoveredWnd_; }
  gui::TControl* HoveredControl() const { return hoveredControl_; }
  // Every 100 ms: a mouse that left without a leave message still ends the hover.
  void HoverTimer();

  // ---- scaling
  TacScaleState ScaleState() const;
  int GetScaleStep() const { return skin::GetScaleStep(ScaleState()); }
  int32_t ScaleInt(int32_t value, int step = -1) const { return skin::ScaleInt(ScaleState(), value, step); }
  TacSkinData* GetSkinDataForPPI(int32_t ppi);
  int32_t GetScrollBarWidth(int32_t ppi) const;
  int32_t GetSysScrollBarWidth(int32_t ppi) const;
  int SystemScaleStep() const { return systemStep_; }
  int SkinDataCount() const { return int(skinData_.size()); }
  TacSkinData* SkinDataOfStep(int step) const;

  bool Loading() const { return (ComponentState() & (rtl::csLoading | rtl::csReading)) != 0; }
  bool Designing() const { return (ComponentState() & rtl::csDesigning) != 0; }

 protected:
  void Loaded() override;
  void Notification(rtl::TComponent* component, rtl::TOperation op) override;

 private:
  friend class TacOptions;
  friend class TsStoredSkins;
  friend class TacSkinListController;
  void SetColorAdjustment(int index, int32_t value);
  void HookApplicationWindow();
  void UnhookApplicationWindow();
  void LoadThirdPartyDefaults(bool forceDefaults);
  void SaveThirdPartyLists();
  // A picture of the skin by the name its options give: an entry of the packed skin, or a
  // file of the skin folder (a name with a drive as it stands); nullptr when missing.
  std::unique_ptr<gui::TBitmap> ReadPicture(const std::string& name, bool master) const;
  const TacFileItem* PackedEntry(const std::string& name) const;
  std::unique_ptr<TBitmap32> LoadPicture(const std::string& fileName);
  TacSkinColors SkinColorsForLoad() const;

  bool active_ = true;
  bool skinnedPopups_ = true;
  bool extendedBorders_ = false;
  std::string skinName_;
  std::string skinDirectory_;
  unsigned skinsFilter_ = sfiInternal | sfiExternal;
  unsigned skinningRules_ = srStdForms | srStdDialogs | srThirdParty;
  rtl::TStringList commonSections_;
  uint8_t state_ = 0;
  bool packedSource_ = false;
  int32_t hueOffset_ = 0, saturation_ = 0, brightness_ = 0;
  int systemStep_ = 0;
  std::array<HBRUSH, 6> brushes_{};
  TacThirdPartyLists thirdPartyLists_;
  std::vector<std::unique_ptr<TacEmbeddedFont>> skinFonts_;
  std::unique_ptr<TacSkinListController> skinList_;
  std::unique_ptr<gui::TBitmap> master_;
  TacPalette palette_{};
  TacSkinCommonInfo commonInfo_;
  TacOptionsText options_;  // the manager's own options store, refilled by every source read
  std::unique_ptr<TacSkinConvertor> convertor_;
  std::vector<std::unique_ptr<TacSkinData>> skinData_;
  std::vector<bool> initialising_;
  bool externalUpdate_ = false;
  std::string defaultFontName_, lastMainFont_, requestedMainFont_;
  bool hookInstalled_ = false;
  int appHookId_ = 0;
  std::optional<TacLivePreview> livePreview_;
  // The options text of the live preview while its load runs.
  std::optional<std::string> editorText_;
  HWND hoveredWnd_ = nullptr;
  uint8_t lastSysCommand_ = 0;
  gui::TControl* hoveredControl_ = nullptr;
  std::unique_ptr<gui::TTimer> hoverTimer_;
};

// The manager every skinned control without its own uses; nullptr when none exists.
TsSkinManager* DefaultManager();
// The PPI a control paints with under a manager (nullptr: the default manager).
int32_t GetSkinPPI(TsSkinManager* manager, gui::TControl* control, bool onlyIfSkinLoaded);

}  // namespace skin
