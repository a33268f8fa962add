// Graphics classes: colours, fonts, pens, brushes, canvases over a device context,
// pictures (TGraphic, TBitmap, TPicture). Names and numbers follow the class library,
// since the skin engine compares class names and stores colours as raw values.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Types.h"
#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

namespace gui {

// ---- errors ----

class EInvalidGraphic : public rtl::Exception {
 public:
  using Exception::Exception;
};
class EInvalidGraphicOperation : public rtl::Exception {
 public:
  using Exception::Exception;
};

// ---- colours ----

// 0x00BBGGRR; 0xFF0000xx is system colour xx (COLOR_* index).
using TColor = int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
inline constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
inline constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
inline constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
inline constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
inline constexpr TColor clMenu = clSystemColor | COLOR_MENU;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
inline constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
inline constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
inline constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
inline constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
inline constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
inline constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
inline constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
inline constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
inline constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
inline constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
inline constexpr TColor clHotLight = clSystemColor | 26;  // COLOR_HOTLIGHT
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

// The RGB value GDI takes: system colours resolved through GetSysColor.
TColor ColorToRGB(TColor c);
inline COLORREF ColorToColorRef(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF; }

// ---- fonts, pens, brushes ----

class TCanvas;

// Shared base: OnChange for the owner, and a hook a canvas uses to take the object out
// of its DC before the GDI handle is replaced (a selected object cannot be deleted).
class TGraphicsObject : public rtl::TPersistent {
  KORVAN_CLASS(TGraphicsObject)
 public:
  rtl::TNotifyEvent OnChange;

 protected:
  // Call before the GDI handle goes away (release = true) or after a change that only
  // affects the DC state (text colour): the selecting canvas deselects the object.
  void Changed(bool handleChanges);
  // Takes the object out of the DC of the canvas it belongs to.
  void Deselect();
  virtual void FreeHandle() = 0;

 private:
  friend class TCanvas;
  TCanvas* selectedIn_ = nullptr;
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
  KORVAN_CLASS(TFont)
 public:
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& v);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int v);
  // Points, from and to Height through PixelsPerInch.
  int Size() const;
  void SetSize(int points);
  int PixelsPerInch = 96;
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v);
  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t v);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch v);
  int Orientation() const { return orientation_; }  // tenths of a degree
  void SetOrientation(int v);
  // Created on demand; recreated after a change. Setting adopts a foreign font (owned).
  HFONT Handle() const;
  void SetHandle(HFONT h);
  // The handle is an adopted one, not yet replaced by a change: it may carry more than
  // the attributes above tell (a weight between normal and bold, a width of its own).
  bool HandleAdopted() const { return adopted_; }
  void Assign(const rtl::TPersistent* source) override;

 protected:
  void FreeHandle() override;

 private:
  void Set(auto& field, auto value, bool handleChanges);
  std::string name_ = "Tahoma";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  uint8_t charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int orientation_ = 0;
  mutable HFONT handle_ = nullptr;
  bool adopted_ = false;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
  KORVAN_CLASS(TPen)
 public:
  TPen() = default;
  ~TPen() override;
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int Width() const { return width_; }
  void SetWidth(int v);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode v);
  HPEN Handle() const;
  void Assign(const rtl::TPersistent* source) override;

 protected:
  void FreeHandle() override;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  mutable HPEN handle_ = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
  KORVAN_CLASS(TBrush)
 public:
  TBrush() = default;
  ~TBrush() override;
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle v);
  HBRUSH Handle() const;
  void Assign(const rtl::TPersistent* source) override;

 protected:
  void FreeHandle() override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  mutable HBRUSH handle_ = nullptr;
};

// ---- canvas ----

class TGraphic;

// Drawing surface over an HDC. The font, pen and brush are selected into the DC when an
// operation first needs them, and the DC's own objects are put back when the handle is
// released, so a DC lent by Windows (BeginPaint) or by other code is left as it came.
class TCanvas : public rtl::TPersistent {
  KORVAN_CLASS(TCanvas)
 public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Creates the handle through CreateHandle when there is none; raises
  // EInvalidOperation "Canvas does not allow drawing" when none can be had.
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  // A foreign DC (not owned) or nullptr to let go of the current one.
  void SetHandle(HDC dc);

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  DWORD CopyMode = SRCCOPY;

  // Re-entrant; some canvases stay locked for their whole life.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }

  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Polygon(const TPoint* points, int count);
  void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), static_cast<int>(points.size())); }
  void Polyline(const TPoint* points, int count);
  void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), static_cast<int>(points.size())); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint PenPos();

  // Text is UTF-8.
  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y) clipped to r; the brush fills r unless it is bsClear.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  // DrawText with DT_* flags; with DT_CALCRECT r receives the measured rectangle.
  int TextRect(TRect& r, const std::string& text, unsigned drawTextFlags);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // Copies source's srcRect into destRect of this canvas with CopyMode.
  void CopyRect(const TRect& destRect, TCanvas& source, const TRect& srcRect);

  TColor Pixels(int x, int y);
  void SetPixel(int x, int y, TColor c);
  TRect ClipRect();
  // Takes the font, pen and brush out of the DC (they are reselected when next needed).
  void Refresh();

  rtl::TNotifyEvent OnChange;
  rtl::TNotifyEvent OnChanging;

 protected:
  // Descendants that own their DC (memory DC, window DC) create it here with SetHandle.
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();
  enum : unsigned { kFont = 1, kPen = 2, kBrush = 4 };
  void RequireState(unsigned what);
  void DeselectObjects();

 private:
  friend class TGraphicsObject;
  void ObjectChanged(TGraphicsObject* o);
  HDC dc_ = nullptr;
  unsigned selected_ = 0;
  HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  CRITICAL_SECTION lock_;
  int lockCount_ = 0;
};

// ---- pictures ----

enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(rtl::TObject* sender, TProgressStage stage, int percentDone,
                                          bool redrawNow, const TRect& r, const std::string& msg)>;

// Abstract picture: a bitmap, a JPEG photo, or a format registered by the skin engine.
class TGraphic : public rtl::TPersistent {
  KORVAN_CLASS(TGraphic)
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int w);
  virtual void SetHeight(int h);
  virtual bool Empty() const = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool v);
  bool Modified = false;

  // Stretches the picture into r of the canvas.
  virtual void Draw(TCanvas& canvas, const TRect& r) = 0;
  virtual void LoadFromStream(rtl::TStream& s) = 0;
  virtual void SaveToStream(rtl::TStream& s) const = 0;
  void LoadFromFile(const std::string& utf8Path);
  void SaveToFile(const std::string& utf8Path) const;
  // The form in which a window layout stores the picture; the whole stream by default.
  virtual void ReadData(rtl::TStream& s) { LoadFromStream(s); }
  virtual void WriteData(rtl::TStream& s) const { SaveToStream(s); }
  // A new empty object of the same class (the class reference's constructor).
  virtual std::unique_ptr<TGraphic> NewInstance() const;

  rtl::TNotifyEvent OnChange;
  TProgressEvent OnProgress;

 protected:
  virtual void Changed();
  void Progress(TProgressStage stage, int percentDone, bool redrawNow, const TRect& r, const std::string& msg);
  // Any picture can be copied into a bitmap by drawing it.
  void AssignTo(rtl::TPersistent* dest) const override;
  bool transparent_ = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

// A DIB section. Rows are stored bottom-up as the class library does: ScanLine(y + 1)
// lies below ScanLine(y) in memory (negative row delta).
class TBitmap : public TGraphic {
  KORVAN_CLASS(TBitmap)
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat pf = pf32bit);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int w) override { SetSize(w, height_); }
  void SetHeight(int h) override { SetSize(width_, h); }
  // Keeps the overlapping part of the picture; new area is black (zero).
  void SetSize(int w, int h);
  bool Empty() const override { return width_ <= 0 || height_ <= 0; }

  // pfDevice is a screen-compatible 32-bit surface; ScanLine turns it into pf32bit.
  // 24 -> 32 gives alpha 0; 32 -> 32 keeps alpha; palette formats expand through the palette.
  TPixelFormat PixelFormat() const { return pf_; }
  void SetPixelFormat(TPixelFormat pf);
  TBitmapHandleType HandleType() const { return pf_ == pfDevice ? bmDDB : bmDIB; }
  void SetHandleType(TBitmapHandleType t);
  bool Monochrome() const { return pf_ == pf1bit; }

  HBITMAP Handle() const { return handle_; }
  // Adopts a foreign bitmap (DIB section or DDB); this object then owns and frees it.
  void SetHandle(HBITMAP h);
  // Hands the bitmap over to the caller; this object becomes empty.
  HBITMAP ReleaseHandle();
  // A palette for 1/4/8-bit pictures (owned), else nullptr.
  HPALETTE Palette();
  bool IgnorePalette = false;

  // Address of row y (0 = top). Raises ERangeError "Scan line index out of range".
  void* ScanLine(int y);
  // Bytes per row (DWORD aligned).
  int RowBytes() const { return stride_; }
  TCanvas& Canvas();

  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode m);
  // tmAuto: the bottom-left pixel (flagged 0x02000000); tmFixed: the colour set.
  TColor TransparentColor();
  void SetTransparentColor(TColor c);

  // nullptr empties the bitmap; any TBitmap (and descendants) is copied deeply;
  // other pictures are drawn into it.
  void Assign(const rtl::TPersistent* source) override;
  void Draw(TCanvas& canvas, const TRect& r) override;
  // BMP file format. Reads 1/4/8/16/24/32-bit files (RLE too); writes the pixel
  // format it holds, 32-bit with its alpha byte.
  void LoadFromStream(rtl::TStream& s) override;
  void SaveToStream(rtl::TStream& s) const override;
  // 4-byte little-endian size followed by the BMP file.
  void ReadData(rtl::TStream& s) override;
  void WriteData(rtl::TStream& s) const override;
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TBitmap>(); }

 protected:
  void Changed() override;

 private:
  class BitmapCanvas;
  struct Format;
  void Replace(HBITMAP h, void* bits, int w, int h2, TPixelFormat pf, std::vector<RGBQUAD> colors);
  void FreePalette();
  void AdoptForeign(HBITMAP h);
  HBITMAP handle_ = nullptr;
  uint8_t* bits_ = nullptr;
  int width_ = 0, height_ = 0, stride_ = 0;
  TPixelFormat pf_ = pfDevice;
  std::vector<RGBQUAD> colors_;  // colour table of 1/4/8-bit pictures
  HPALETTE palette_ = nullptr;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  std::unique_ptr<BitmapCanvas> canvas_;
};

// A class reference for pictures: its name (as stored in layouts) and its constructor.
struct TGraphicClass {
  std::string ClassName;
  std::function<std::unique_ptr<TGraphic>()> Create;
};
template <class T>
TGraphicClass GraphicClassOf() {
  return {T::StaticClassName(), [] { return std::unique_ptr<TGraphic>(new T()); }};
}

class TPicture : public rtl::TPersistent {
  KORVAN_CLASS(TPicture)
 public:
  TPicture() = default;
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Stores a copy of g (of g's own class); nullptr clears.
  void SetGraphic(const TGraphic* g);
  void SetGraphic(std::unique_ptr<TGraphic> g);
  // The picture as a bitmap; a picture of another kind is replaced by an empty bitmap.
  TBitmap& Bitmap();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // The class is chosen by the file extension (case-insensitive). Raises EInvalidGraphic
  // "Unknown picture file extension (.xyz)" for an extension nobody registered.
  void LoadFromFile(const std::string& utf8Path);
  void SaveToFile(const std::string& utf8Path) const;
  void LoadFromStream(rtl::TStream& s, const TGraphicClass& cls);
  void SaveToStream(rtl::TStream& s) const;
  void Assign(const rtl::TPersistent* source) override;

  rtl::TNotifyEvent OnChange;

  // The format list: "bmp" -> TBitmap, "jpg"/"jpeg" -> TJPEGImage are there from the start.
  static void RegisterFileFormat(const std::string& ext, const std::string& description, const TGraphicClass& cls);
  // Removes every extension of the class and the class itself.
  static void UnregisterGraphicClass(const std::string& className);
  // Known by class name only (layouts), without a file extension.
  static void RegisterGraphicClass(const TGraphicClass& cls);
  static const TGraphicClass* GraphicClassByExtension(const std::string& ext);
  static const TGraphicClass* FindGraphicClass(const std::string& className);
  // nullptr when no registered class has that name.
  static std::unique_ptr<TGraphic> CreateGraphicByClassName(const std::string& className);
  // Open-dialog filter: "All (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|...".
  static std::string GraphicFilter();

 protected:
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  void Changed();
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace gui
