// The engine's image lists. Each keeps its pictures twice: as the data they came from
// (PNG, icon or 32-bit BMP files, or characters of fonts), which the engine renders with
// per-pixel alpha at whatever size and density it needs, and as icons in the Windows image
// list inside, so that ordinary controls can use the list as any image list.
//
// TacImageList is the base (every live one is registered, so that the skin manager can
// drop caches and rescale them all); TsAlphaImageList holds picture files; TsCharImageList
// holds glyphs of fonts, normally of the icon font. The standard glyph list (check and
// radio marks, the system-menu symbols) is made by the start-up road.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "gui/Graphics.h"
#include "gui/ImgList.h"
#include "rtl/Classes.h"
#include "skin/core/acSkinColors.h"
#include "skin/graphics/acFontStore.h"

namespace skin {

// What the lists need of the program's default skin manager; the manager installs the
// source (none: no manager).
struct TacListSettings {
  bool HasManager = false;
  bool ScaleModeVCL = true;  // the manager follows the main form's density
  int PixelsPerInch = 96;    // the manager's own density otherwise
  bool CheckEmptyAlpha = false;
  bool StdGlyphsOrder = false;
  const TacSkinColors* Colors = nullptr;
};
using TacListSettingsSource = TacListSettings (*)();
void SetListSettingsSource(TacListSettingsSource source);
TacListSettings ListSettings();
// The main form's pixels per inch (96 until the start-up road installs the source).
using TacPPISource = int (*)();
void SetMainFormPPISource(TacPPISource source);
int MainFormPPI();
// The density lists render at now: the main form's, unless a manager scales by its own.
int CurrentListPPI();
// A colour as a pixel value (red and blue exchanged), system and skin colours resolved.
uint32_t ColorToSkinPixel(gui::TColor c);

class TacImageList : public gui::TCustomImageList {
  KORVAN_CLASS(TacImageList)
 public:
  explicit TacImageList(rtl::TComponent* owner);
  ~TacImageList() override;
  // The colour a character list paints its next glyph in (clNone: unset).
  gui::TColor GlyphColor = gui::clNone;
  // The density the list renders its pictures for.
  int RenderPPI = 96;
  virtual int GetItemsCount() = 0;
  // A new 32-bit bitmap of the item at that size; nullptr when there is none.
  virtual std::unique_ptr<gui::TBitmap> CreateItemBitmap(int index, int width, int reserved, int height) = 0;
  // Fills Bmp with the item; the answer says whether it could.
  virtual bool GetItemBitmap(int index, gui::TBitmap* bmp, int reserved) = 0;
  virtual void DestroyImages() = 0;
  virtual void CreateImages() = 0;
  // The list's own background colour, else the inherited one; kept in the Windows list.
  gui::TColor BkColor() const override;
  void SetBkColor(gui::TColor c) override;

 protected:
  // What an Assign from another list copies first: the flags, drawing style and sharing.
  void CopyListFlags(const gui::TCustomImageList& source);
  // The Windows image list made anew at the list's size.
  void RemakeImages();
  // The background colour of Source's Windows image list, when it has one.
  void TakeBkColorOf(const gui::TCustomImageList& source);

 private:
  gui::TColor bkColor_ = gui::clNone;
};
// Every live engine list, in the order they were made.
void ForEachImageList(const std::function<void(TacImageList&)>& proc);

// ---------------------------------------------------------------- alpha image list

// What an item's bytes hold; any other value means no picture of its own.
enum TsImageFormat : uint8_t { ifPNG = 0, ifICO = 1, ifBMP32 = 2 };

class TsAlphaImageList;

class TsImgListItem : public rtl::TCollectionItem {
  KORVAN_CLASS(TsImgListItem)
 public:
  explicit TsImgListItem(rtl::TCollection* collection);
  ~TsImgListItem() override;
  std::string Text;
  std::string ImageName;
  uint8_t ImageFormat = ifPNG;
  gui::TPixelFormat PixelFormat = gui::pf32bit;
  int SourceWidth = 0, SourceHeight = 0;
  std::unique_ptr<gui::TBitmap> CacheBitmap;  // the last 32-bit rendering
  rtl::TMemoryStream ImgData;                 // the picture file's bytes
  void Assign(const rtl::TPersistent* source) override;
  // "ImgData", written even when empty.
  void DefineProperties(rtl::TFiler& filer) override;
  TsAlphaImageList* List() const;
};

class TsImgListItems : public rtl::TCollection {
  KORVAN_CLASS(TsImgListItems)
 public:
  explicit TsImgListItems(TsAlphaImageList* owner);
  TsImgListItem* Add() { return static_cast<TsImgListItem*>(rtl::TCollection::Add()); }
  TsImgListItem* Items(int index) const { return static_cast<TsImgListItem*>(rtl::TCollection::Items(index)); }
  TsAlphaImageList* List() const { return list_; }

 private:
  TsAlphaImageList* list_;
};

class TsAlphaImageList : public TacImageList {
  KORVAN_CLASS(TsAlphaImageList)
 public:
  explicit TsAlphaImageList(rtl::TComponent* owner);
  ~TsAlphaImageList() override;

  TsImgListItems Items{this};
  bool UseCache() const { return useCache_; }
  // Either value drops every item's cached rendering.
  void SetUseCache(bool v);

  void SetWidth(int v) override { SetSize(1, v); }
  void SetHeight(int v) override { SetSize(0, v); }
  void Change() override;

  int GetItemsCount() override;
  std::unique_ptr<gui::TBitmap> CreateItemBitmap(int index, int width, int reserved, int height) override;
  bool GetItemBitmap(int index, gui::TBitmap* bmp, int reserved) override;

  void BeginItemsChange() { changing_ = true; }
  void EndItemsChange(bool regenerate);
  void ClearItems();
  void ClearImages();
  void DestroyImages() override;
  void CreateImages() override;
  // The items turned into the Windows image list's icons.
  void RebuildImages();
  void MakeItemsFromImages();
  void Assign(const rtl::TPersistent* source) override;

  bool Prepared() const { return prepared_; }
  bool ImagesGenerated() const { return imagesGenerated_; }
  bool RemovingItems() const { return removingItems_; }
  int StoredWidth() const { return storedWidth_; }
  int StoredHeight() const { return storedHeight_; }

 protected:
  void Loaded() override;
  void DoDraw(int index, gui::TCanvas& canvas, int x, int y, gui::TDrawingStyle style, bool enabled) override;

 private:
  void SetSize(int which, int v);
  void CopySizeFromHandle(HIMAGELIST h);
  void CopyItems(const TsAlphaImageList& source);
  bool prepared_ = false;
  bool useCache_ = true;
  bool changing_ = false;
  bool removingItems_ = false;
  bool imagesGenerated_ = false;
  int storedHeight_ = 0, storedWidth_ = 0;
};

// The PNG picture in Stream added to the list as a new item and icon; False when the
// list has no Windows image list or the picture is refused (the item stays).
bool AddImageFromStream(TsAlphaImageList& list, rtl::TStream& stream);

// ---------------------------------------------------------------- character image list

class TsCharImageList;

class TacCharListItem : public rtl::TCollectionItem {
  KORVAN_CLASS(TacCharListItem)
 public:
  explicit TacCharListItem(rtl::TCollection* collection);
  ~TacCharListItem() override;

  int Angle() const { return angle_; }
  void SetAngle(int v) { Set(angle_, v); }
  int OffsetY() const { return offsetY_; }
  void SetOffsetY(int v) { Set(offsetY_, v); }
  int Orientation() const { return orientation_; }
  void SetOrientation(int v) { Set(orientation_, v); }
  uint16_t Char() const { return char_; }
  void SetChar(uint16_t v) { Set(char_, v); }
  std::string ImageName;
  gui::TFontPitch Pitch() const { return pitch_; }
  void SetPitch(gui::TFontPitch v) { Set(pitch_, v); }
  gui::TColor Color() const { return color_; }
  void SetColor(gui::TColor v) { Set(color_, v); }
  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t v) { Set(charset_, v); }
  const std::string& FontName() const { return fontName_; }
  void SetFontName(const std::string& v) { Set(fontName_, v); }
  gui::TFontStyles Style() const { return style_; }
  void SetStyle(gui::TFontStyles v) { Set(style_, v); }
  double ScalingFactor() const { return scalingFactor_; }
  void SetScalingFactor(double v) { Set(scalingFactor_, v); }
  bool DrawContour() const { return drawContour_; }
  void SetDrawContour(bool v) { Set(drawContour_, v); }
  gui::TColor SecondColor() const { return secondColor_; }
  void SetSecondColor(gui::TColor v) { Set(secondColor_, v); }
  uint16_t AddedChar() const { return addedChar_; }
  void SetAddedChar(uint16_t v) { Set(addedChar_, v); }
  gui::TColor AddedColor() const { return addedColor_; }
  void SetAddedColor(gui::TColor v) { Set(addedColor_, v); }
  uint8_t AddedCharset() const { return addedCharset_; }
  void SetAddedCharset(uint8_t v) { Set(addedCharset_, v); }
  int AddedOffsetX() const { return addedOffsetX_; }
  void SetAddedOffsetX(int v) { Set(addedOffsetX_, v); }
  int AddedOffsetY() const { return addedOffsetY_; }
  void SetAddedOffsetY(int v) { Set(addedOffsetY_, v); }
  const std::string& AddedFontName() const { return addedFontName_; }
  void SetAddedFontName(const std::string& v) { Set(addedFontName_, v); }
  int AddedSize() const { return addedSize_; }
  void SetAddedSize(int v) { Set(addedSize_, v); }
  // Which properties a form stream writes: the font name unless it is the icon font, the
  // scaling factor unless it is 1, the added font name only with an added character.
  bool StoresFontName() const { return fontName_ != kIconFontName; }
  bool StoresScalingFactor() const { return scalingFactor_ != 1.0; }
  bool StoresAddedFontName() const { return addedChar_ != 0 && !addedFontName_.empty(); }

  // The last blended rendering; its canvas font colour is the colour it was made in.
  std::unique_ptr<gui::TBitmap> CacheBitmap;
  void Assign(const rtl::TPersistent* source) override;
  TsCharImageList* List() const;
  // A value read from an older stream, set without the change notification.
  void LoadScalingFactor(double v) { scalingFactor_ = v; }

 private:
  template <class T, class V>
  void Set(T& field, const V& v) {
    if (field == T(v)) return;
    field = T(v);
    ItemChanged();
  }
  void ItemChanged();
  int angle_ = 0, offsetY_ = 0, orientation_ = 0;
  uint16_t char_ = 0;
  gui::TFontPitch pitch_ = gui::fpDefault;
  gui::TColor color_ = gui::clNone;
  uint8_t charset_ = DEFAULT_CHARSET;
  std::string fontName_ = kIconFontName;
  gui::TFontStyles style_ = 0;
  double scalingFactor_ = 1.0;
  bool drawContour_ = false;
  gui::TColor secondColor_ = gui::clNone;
  uint16_t addedChar_ = 0;
  gui::TColor addedColor_ = gui::clNone;
  uint8_t addedCharset_ = DEFAULT_CHARSET;
  int addedOffsetX_ = 0, addedOffsetY_ = 0;
  std::string addedFontName_;
  int addedSize_ = 50;
};

class TacCharListItems : public rtl::TCollection {
  KORVAN_CLASS(TacCharListItems)
 public:
  explicit TacCharListItems(TsCharImageList* owner);
  TacCharListItem* Add() { return static_cast<TacCharListItem*>(rtl::TCollection::Add()); }
  TacCharListItem* Items(int index) const { return static_cast<TacCharListItem*>(rtl::TCollection::Items(index)); }
  TsCharImageList* List() const { return list_; }

 private:
  TsCharImageList* list_;
};

// The fonts a character list carries. Unlike a skin's, a font registered through them
// stays registered when the item goes; after an Assign the first item always stands for
// the icon font.
class TacListFont : public TacEmbeddedFont {
  KORVAN_CLASS(TacListFont)
 public:
  explicit TacListFont(rtl::TCollection* collection) : TacEmbeddedFont(collection) {}
  ~TacListFont() override { Handle = nullptr; }  // the registration outlives the item
  void Assign(const rtl::TPersistent* source) override;
};
class TacListFonts : public TacEmbeddedFonts {
  KORVAN_CLASS(TacListFonts)
 public:
  explicit TacListFonts(rtl::TPersistent* owner);
  void Assign(const rtl::TPersistent* source) override;
};

enum TacBlendingMode : uint8_t { bmInactive, bmAlways };

class TsCharImageList : public TacImageList {
  KORVAN_CLASS(TsCharImageList)
 public:
  explicit TsCharImageList(rtl::TComponent* owner);
  ~TsCharImageList() override;

  TacCharListItems Items{this};
  TacListFonts EmbeddedFonts{this};
  bool Scalable = true;
  // 0: the next drawing is of a control's normal state; otherwise an active one.
  int State = 0;
  uint8_t BlendValue() const { return blendValue_; }
  void SetBlendValue(uint8_t v);
  TacBlendingMode BlendingMode() const { return blendingMode_; }
  void SetBlendingMode(TacBlendingMode v);
  bool IsBlendedDrawing() const { return blendingMode_ == bmAlways || State == 0; }

  void SetWidth(int v) override { SetSize(1, v); }
  void SetHeight(int v) override { SetSize(0, v); }
  void Change() override;

  // Item sizes at a density (an index out of range: the list's own size).
  int ItemWidth(int index, int ppi) const;
  int ItemHeight(int index, int ppi) const;

  int GetItemsCount() override { return Items.Count(); }
  std::unique_ptr<gui::TBitmap> CreateItemBitmap(int index, int width, int baseHeight, int height) override;
  bool GetItemBitmap(int index, gui::TBitmap* bmp, int baseHeight) override;
  // A rendering of item Index in Color; nullptr without a Windows image list or item.
  std::unique_ptr<gui::TBitmap> RenderItem(int index, int width, int baseHeight, gui::TColor color, int height);

  void BeginItemsChange() { changing_ = true; }
  void EndItemsChange(bool signalChange);
  void ClearItemCache();
  void DestroyImages() override;
  void CreateImages() override;
  void RebuildImages();
  void Assign(const rtl::TPersistent* source) override;
  // The skin manager's rescale: the images rebuilt at a new density.
  void Rescale(int ppi);

  bool Prepared() const { return prepared_; }
  bool ImagesGenerated() const { return imagesGenerated_; }
  int StoredWidth() const { return storedWidth_; }
  int StoredHeight() const { return storedHeight_; }

 protected:
  void Loaded() override;
  void DoDraw(int index, gui::TCanvas& canvas, int x, int y, gui::TDrawingStyle style, bool enabled) override;

 private:
  friend class TacCharListItem;
  void SetSize(int which, int v);
  // The item's rendering at RenderPPI in the colour of the moment: the cache while
  // drawing blended (owned by the item), else a new one handed to Scratch.
  gui::TBitmap* ItemBitmap(TacCharListItem& item, int baseHeight, std::unique_ptr<gui::TBitmap>& scratch);
  bool CacheValid(const TacCharListItem& item, int w, int h, gui::TColor color) const;
  std::unique_ptr<gui::TBitmap> Render(TacCharListItem& item, int w, int h, int baseHeight);
  void UpgradeItems();
  bool changing_ = false;
  bool imagesGenerated_ = false;
  bool prepared_ = false;
  TacBlendingMode blendingMode_ = bmInactive;
  uint8_t blendValue_ = 255;
  int storedHeight_ = 0, storedWidth_ = 0;
};

// The text height of a font of that charset and name at 96 pixels, divided by 96.
double FontHeightRatio(uint8_t charset, const std::string& name);

// ---------------------------------------------------------------- the standard glyph list

// Check and radio marks, the system-menu symbols: 21 glyphs of the icon font, then 4 of
// "Marlett". nullptr outside the engine's run.
TsCharImageList* StandardGlyphs();
// Indices the engine names.
enum TacStandardGlyph : int {
  sgRadioMark = 5,
  sgCheckMark = 6,
  sgSysMove = 7,
  sgSysMinimize = 21,
  sgSysMaximize = 22,
  sgSysRestore = 23,
  sgSysClose = 24
};
// Step 8 of the start-up road and its end.
void InitStandardGlyphs();
void DoneStandardGlyphs();

}  // namespace skin
