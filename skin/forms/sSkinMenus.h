// Skinned menus: the menu painter of a skin manager (`TsSkinableMenus`) and its options
// (`TacMenuSupport`). Menus are switched to owner drawing and their items get the painter's
// measure and draw handlers; a popup is painted from one prepared image of the whole popup
// window (background, icon column, frame, the optional extra line), kept per popup in a
// process-wide cache, from which each item copies its part and the popup window hook copies
// the frame. The measures themselves are in acMenuGeometry.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Graphics.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "skin/core/sConst.h"
#include "skin/forms/acMenuGeometry.h"

namespace gui {
class TCustomForm;
}

namespace skin {

class TsSkinManager;
class TacSkinData;

// Posted to the application window by an item painter that does not know its popup window:
// paint the border of the popup that holds the item in LParam; 0xBCB4 names the window.
inline constexpr UINT WM_ACPAINTMENUBORDER = 0xBCB3;
inline constexpr UINT WM_ACPAINTMENUWNDBORDER = 0xBCB4;

// The options of skinned menus, one set per skin manager.
class TacMenuSupport {
 public:
  TacMenuSupport();
  ~TacMenuSupport();
  bool CustomFont() const { return customFont_; }
  void SetCustomFont(bool value);
  bool UseExtraLine = false;
  uint8_t AlphaBlend = 255;   // opacity of popup windows
  int32_t ExtraLineWidth = 32;  // at 96 PPI
  std::string IcoLineSkin = "ICOLINE";
  gui::TFont& Font() { return font_; }
  void SetFont(const gui::TFont& value);
  gui::TFont& ExtraLineFont() { return extraLineFont_; }
  void SetExtraLineFont(const gui::TFont& value) { extraLineFont_.Assign(&value); }

 private:
  bool customFont_ = false;
  gui::TFont font_, extraLineFont_;
};

// One prepared popup: its first item is the key.
struct TacPopupCache {
  gui::TMenuItem* FirstItem = nullptr;
  std::unique_ptr<gui::TBitmap> Image;  // 32-bit, the whole popup window
  HWND Wnd = nullptr;
  bool LineVisible = true;
  bool Completed = false;
};

// What the extra-line event may change.
using TacGetExtraLineData = std::function<void(gui::TMenuItem* firstItem, std::string& skinSection,
                                               std::string& caption, gui::TBitmap*& glyph, bool& lineVisible)>;
// What OnGetPopupItemData may change before an item is measured or painted.
struct TacMenuItemData {
  gui::TFont* Font = nullptr;
};
using TacGetPopupItemData =
    std::function<void(gui::TMenuItem* item, gui::TOwnerDrawState state, TacMenuItemData& data)>;
using TsMenuManagerDrawItemEvent = std::function<void(gui::TMenuItem* item, gui::TCanvas& canvas, const TRect& r,
                                                      gui::TOwnerDrawState state, TsMenuItemType itemType)>;

class TsSkinableMenus {
 public:
  explicit TsSkinableMenus(TsSkinManager* owner);
  ~TsSkinableMenus();
  TsSkinManager* Manager() const { return manager_; }

  // ---- published
  int32_t Margin() const;
  int32_t Spacing() const;
  int32_t BorderWidth() const;  // scaled; StoredBorderWidth() is the client offset in the image
  int32_t StoredBorderWidth() const { return borderWidth_; }
  void SetMargin(int32_t v) { margin_ = v; }
  void SetSpacing(int32_t v) { spacing_ = v; }
  void SetBorderWidth(int32_t v) { borderWidth_ = v; }
  int32_t BevelWidth = 0;
  int32_t SkinBorderWidth = -1;  // -1: computed at the next popup image
  gui::TAlignment Alignment = gui::TAlignment::taLeftJustify;
  TsMenuManagerDrawItemEvent OnDrawItem;
  TacMenuSupport MenuSupport;
  // The manager's events that concern menus.
  TacGetExtraLineData OnGetMenuExtraLineData;
  TacGetPopupItemData OnGetPopupItemData;

  // ---- switching menus
  void SetActive(bool value);
  void ChangeActive(bool value) {
    if (value != hooked_) SetActive(value);
  }
  void UpdateActive();
  bool Hooked() const { return hooked_; }
  void HookMenu(gui::TPopupMenu* menu, bool value);
  void HookMainMenu(gui::TMainMenu* menu, bool value);
  void HookItems(gui::TMenuItem* item, bool value);
  void HookItem(gui::TMenuItem* item, bool value);
  // The item holds exactly this painter's popup or menu-bar handlers.
  bool HoldsPopupHandlers(const gui::TMenuItem* item) const;
  bool HoldsMenuBarHandlers(const gui::TMenuItem* item) const;

  // ---- the handlers
  void MeasureItem(gui::TMenuItem* item, gui::TCanvas& canvas, int& width, int& height);
  void DrawItem(gui::TMenuItem* item, gui::TCanvas& canvas, const TRect& r, gui::TOwnerDrawState state);
  void MeasureMenuBarItem(gui::TMenuItem* item, gui::TCanvas& canvas, int& width, int& height);
  // Top-level items into the menu line of a provider's cache (Canvas the cache's, R in it,
  // MenuLineImage the line's background, X/Y the item's place in it), or onto the window.
  // False when there is no menu-line image to paint from.
  bool DrawMenuBarItem(gui::TMenuItem* item, gui::TCanvas& canvas, const TRect& r, gui::TOwnerDrawState state,
                       gui::TBitmap* menuLineImage, int x, int y, bool rightToLeftReading = false);

  // ---- metrics
  gui::TPoint GlyphSize(gui::TMenuItem* item, bool forLine) const;
  int32_t ItemHeight(gui::TCanvas& canvas, gui::TMenuItem* item);
  static bool IsCaptionItem(const gui::TMenuItem* item);
  static bool IsTopMainItem(const gui::TMenuItem* item);
  static bool IsRightToLeft(const gui::TMenuItem* item);
  bool NoSkinBorder() const;
  void SetupFont(gui::TCanvas& canvas, gui::TMenuItem* item, bool captionFont, bool bold);
  static gui::TMenuItem* FirstVisibleItem(gui::TMenuItem* parent);
  static bool InLaterColumn(gui::TMenuItem* item);
  TacSkinData* MenuSkinData() const { return skinData_; }
  int32_t MenuPPI() const { return ppi_; }
  TsMenuItemType ItemType() const { return itemType_; }
  int32_t IconLineWidth() const;

  // ---- popup images
  TacPopupCache* GetMenuInfo(gui::TMenuItem* item, gui::TCanvas* canvas, HWND wnd);
  int32_t PopupWidth(gui::TCanvas& canvas, gui::TMenuItem* item);
  int32_t PopupHeight(gui::TCanvas& canvas, gui::TMenuItem* item);
  void PreparePopupImage(TacPopupCache& rec, gui::TMenuItem* firstItem, int w, int h, HWND wnd);
  int32_t ExtraLineWidth(const TacPopupCache* rec) const;
  void DrawWndBorder(HWND wnd, gui::TBitmap* image);
  const TRects& CornerRects() const { return cornerRects_; }
  // The answer to WM_ACPAINTMENUBORDER / WM_ACPAINTMENUWNDBORDER posted to the application
  // window; true when it was one of them.
  bool AnswerBorderMessage(UINT msg, LPARAM lParam);

 private:
  void RefreshSkinData(gui::TMenuItem* item);
  void CallExtraLineEvent(gui::TMenuItem* firstItem, bool& lineVisible);
  void DrawSeparator(gui::TCanvas& canvas, const TRect& r, TacPopupCache& rec, gui::TMenuItem* item);
  void DrawCaptionItem(gui::TCanvas& canvas, const TRect& r, TacPopupCache& rec, gui::TMenuItem* item);
  int32_t SectionIndex(int standardIndex) const;
  int32_t SkinSpacing() const;
  int32_t NamedSection(const std::string& name) const;
  TsSkinManager* manager_;
  int32_t margin_ = 2, spacing_ = 8, borderWidth_ = 3;
  gui::TCustomForm* menuForm_ = nullptr;
  int32_t ppi_ = 96;
  TsMenuItemType itemType_ = TsMenuItemType::smNormal;
  TRects cornerRects_;
  TacSkinData* skinData_ = nullptr;
  bool hooked_ = false;
  bool paintingBorder_ = false;
};

// Where a top-level item the system asks to draw (R in its window's coordinates) lies in its
// form's menu-line image; the form skinning sets it. False when the form has no skinned menu
// line: the item then gets the plain look rather than staying blank.
using TacMenuLineLookup = bool (*)(gui::TMenuItem* item, const TRect& r, gui::TBitmap*& image, int& x, int& y);
extern TacMenuLineLookup MenuLineLookup;

// The painter of a manager, made on first use; nullptr for no manager.
TsSkinableMenus* SkinableMenus(TsSkinManager* manager);

// Unit state.
// The font of all skinned menu text when set, else the system's menu font.
gui::TFont* GlobalMenuFont();
// Set by every item measurement (a skinned popup is about to appear); cleared when a popup
// window goes and by the form's opening of an ordinary popup.
extern bool PopupMeasured;
extern std::string ExtraLineSection, ExtraLineCaption;
extern std::unique_ptr<gui::TBitmap> ExtraLineGlyph;
std::vector<std::unique_ptr<TacPopupCache>>& PopupCacheList();
// Where a popup window's client area starts inside the window (and so inside the popup's
// image, which covers the whole window): the system's frame width, or none where the system
// draws the popup's border inside the client area; Fallback when the window is not known.
int32_t PopupClientOffset(HWND wnd, int32_t fallback);
// Frees every cached popup image and empties the list.
void ClearMenuCache();
inline void FreePopupCache() { ClearMenuCache(); }
// The unit's end: the cache, the global font, the painters.
void FinalSkinMenus();

}  // namespace skin
