#include "skin/graphics/acAlphaImageList.h"

#include <algorithm>
#include <vector>

#include "gui/Icons.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGlyphPixels.h"
#include "skin/graphics/acGlyphRender.h"
#include "skin/graphics/acImgListConvert.h"
#include "skin/graphics/acSkinText.h"

namespace skin {

// ---------------------------------------------------------------- settings and registry

namespace {
TacListSettingsSource g_settings = nullptr;
TacPPISource g_mainFormPPI = nullptr;
std::vector<TacImageList*> g_lists;

bool Loading(const rtl::TComponent& c) { return (c.ComponentState() & rtl::csLoading) != 0; }

// The area of the canvas at (X, Y) copied into a bitmap, the picture laid on, and back.
void BlendOntoCanvas(gui::TCanvas& canvas, int x, int y, gui::TBitmap& picture,
                     void (*lay)(TBitmap32& back, const TBitmap32& picture)) {
  const int w = picture.Width(), h = picture.Height();
  auto back = CreateBitmap32(w, h);
  if (back->Empty()) return;
  canvas.Lock();
  back->Canvas().Lock();
  BitBlt(back->Canvas().Handle(), 0, 0, w, h, canvas.Handle(), x, y, SRCCOPY);
  GdiFlush();
  TBitmap32 b = Pixels32(*back);
  lay(b, Pixels32(picture));
  BitBlt(canvas.Handle(), x, y, w, h, back->Canvas().Handle(), 0, 0, SRCCOPY);
  back->Canvas().Unlock();
  canvas.Unlock();
}

std::unique_ptr<gui::TBitmap> CopyOf(gui::TBitmap& bmp) {
  auto copy = std::make_unique<gui::TBitmap>();
  copy->Assign(&bmp);
  return copy;
}

}  // namespace

void SetListSettingsSource(TacListSettingsSource source) { g_settings = source; }
TacListSettings ListSettings() { return g_settings ? g_settings() : TacListSettings{}; }
void SetMainFormPPISource(TacPPISource source) { g_mainFormPPI = source; }
int MainFormPPI() { return g_mainFormPPI ? g_mainFormPPI() : 96; }

int CurrentListPPI() {
  const TacListSettings s = ListSettings();
  return !s.HasManager || s.ScaleModeVCL ? MainFormPPI() : s.PixelsPerInch;
}

uint32_t ColorToSkinPixel(gui::TColor c) { return SwapRB(ColorToSkinRGB(uint32_t(c), ListSettings().Colors)); }

TacImageList::TacImageList(rtl::TComponent* owner) : gui::TCustomImageList(owner) { g_lists.push_back(this); }

TacImageList::~TacImageList() { g_lists.erase(std::remove(g_lists.begin(), g_lists.end(), this), g_lists.end()); }

gui::TColor TacImageList::BkColor() const {
  return bkColor_ != gui::clNone ? bkColor_ : gui::TCustomImageList::BkColor();
}

void TacImageList::SetBkColor(gui::TColor c) {
  bkColor_ = c;
  gui::TCustomImageList::SetBkColor(c);
}

void TacImageList::CopyListFlags(const gui::TCustomImageList& s) {
  gui::TCustomImageList::Clear();
  Masked = s.Masked;
  ImageType = s.ImageType;
  SetDrawingStyle(s.DrawingStyle());
  ShareImages = s.ShareImages;
}

void TacImageList::RemakeImages() {
  DestroyImages();
  if (HandleAllocated())
    ImageList_SetIconSize(Handle(), Width(), Height());
  else
    CreateImages();
}

void TacImageList::TakeBkColorOf(const gui::TCustomImageList& s) {
  if (!s.HandleAllocated()) return;
  const COLORREF c = ImageList_GetBkColor(s.Handle());
  SetBkColor(c == CLR_NONE ? gui::clNone : c == CLR_DEFAULT ? gui::clDefault : gui::TColor(c));
}

void ForEachImageList(const std::function<void(TacImageList&)>& proc) {
  const std::vector<TacImageList*> lists = g_lists;
  for (TacImageList* l : lists) proc(*l);
}

// ---------------------------------------------------------------- alpha image list items

TsImgListItem::TsImgListItem(rtl::TCollection* collection) : rtl::TCollectionItem(collection) {}

TsImgListItem::~TsImgListItem() {
  TsAlphaImageList* list = List();
  if (list && !list->IsDestroying() && !list->RemovingItems() && list->HandleAllocated() && Collection())
    ImageList_Remove(list->Handle(), Index());
}

TsAlphaImageList* TsImgListItem::List() const {
  auto* items = static_cast<TsImgListItems*>(Collection());
  return items ? items->List() : nullptr;
}

void TsImgListItem::Assign(const rtl::TPersistent* source) {
  auto* s = dynamic_cast<const TsImgListItem*>(source);
  if (!s) return rtl::TCollectionItem::Assign(source);
  if (s == this) return;
  ImageFormat = s->ImageFormat;
  ImageName = s->ImageName;
  PixelFormat = s->PixelFormat;
  SourceWidth = s->SourceWidth;
  SourceHeight = s->SourceHeight;
  Text = s->Text;
  ImgData.Clear();
  s->ImgData.SaveToStream(ImgData);
  ImgData.SetPosition(0);
}

void TsImgListItem::DefineProperties(rtl::TFiler& filer) { rtl::DefineStreamProperty(filer, "ImgData", ImgData); }

TsImgListItems::TsImgListItems(TsAlphaImageList* owner)
    : rtl::TCollection([](rtl::TCollection* c) { return new TsImgListItem(c); }, owner), list_(owner) {}

// ---------------------------------------------------------------- alpha image list

TsAlphaImageList::TsAlphaImageList(rtl::TComponent* owner) : TacImageList(owner) {
  prepared_ = !Loading(*this);
}

TsAlphaImageList::~TsAlphaImageList() {
  MarkDestroying();
  Items.Clear();
}

void TsAlphaImageList::SetUseCache(bool v) {
  useCache_ = v;
  for (int i = 0; i < Items.Count(); ++i) Items.Items(i)->CacheBitmap.reset();
}

void TsAlphaImageList::SetSize(int which, int v) {
  if (prepared_) (which == 0 ? storedHeight_ : storedWidth_) = v;
  if (which == 0)
    TacImageList::SetHeight(v);
  else
    TacImageList::SetWidth(v);
  if (!Loading(*this) && prepared_ && HandleAllocated() && Items.Count() >= GetItemsCount() && !changing_) {
    RebuildImages();
    Change();
  }
}

void TsAlphaImageList::Change() {
  if (changing_ || !HandleAllocated() || Loading(*this) || !imagesGenerated_) return;
  GetItemsCount();
  TacImageList::Change();
}

int TsAlphaImageList::GetItemsCount() {
  const int n = Items.Count();
  if (n < Count() && (n == 0 || Items.Items(0)->ImageFormat == ifICO)) MakeItemsFromImages();
  return Items.Count();
}

void TsAlphaImageList::MakeItemsFromImages() {
  removingItems_ = true;
  Items.Clear();
  removingItems_ = false;
  for (int i = 0; i < Count(); ++i) {
    HICON h = ImageList_GetIcon(Handle(), i, ILD_NORMAL);
    if (!h) continue;
    TsImgListItem* item = Items.Add();
    gui::TIcon icon(h);
    item->SourceWidth = icon.Width();
    item->SourceHeight = icon.Height();
    icon.SaveToStream(item->ImgData);
    item->ImgData.SetPosition(0);
    item->ImageFormat = ifICO;
  }
}

void TsAlphaImageList::EndItemsChange(bool regenerate) {
  changing_ = false;
  if (regenerate) {
    RebuildImages();
    Change();
  }
}

void TsAlphaImageList::ClearItems() {
  for (int i = 0; i < Items.Count(); ++i) Items.Items(i)->ImgData.Clear();
  removingItems_ = true;
  Items.Clear();
  removingItems_ = false;
}

void TsAlphaImageList::ClearImages() {
  ClearItems();
  TacImageList::Clear();
}

void TsAlphaImageList::DestroyImages() {
  FreeHandle();
  if (!changing_) Change();
}

void TsAlphaImageList::CreateImages() {
  if (storedWidth_ == 0 && prepared_ && !Loading(*this)) {
    storedWidth_ = Width();
    storedHeight_ = Height();
  }
  SetHandle(ImageList_Create(storedWidth_, storedHeight_, (Masked ? ILC_MASK : 0) | ILC_COLOR32, 0, AllocBy));
}

void TsAlphaImageList::RebuildImages() {
  if (storedHeight_ == 0 && Width() == 16 && Height() == 16 && !changing_) {
    changing_ = true;
    DestroyImages();
    SetWidth(16);
    SetHeight(16);
    changing_ = false;
  }
  if (storedHeight_ == 0) return;
  if (!HandleAllocated()) CreateImages();
  if (!HandleAllocated()) return;
  changing_ = true;
  TacImageList::Clear();
  // A picture that fails to decode raises to the caller; the guard is not left set.
  try {
    for (int i = 0; i < Items.Count(); ++i) {
      TsImgListItem& item = *Items.Items(i);
      item.ImgData.SetPosition(0);
      if (item.ImageFormat == ifPNG) {
        gui::TBitmap bmp;
        LoadPngStreamToBitmap(bmp, item.ImgData);
        item.SourceWidth = bmp.Width();
        item.SourceHeight = bmp.Height();
        AddBitmapToImageList(*this, &bmp, -1);
      } else if (item.ImageFormat == ifICO) {
        gui::TIcon icon;
        icon.LoadFromStream(item.ImgData);
        item.SourceWidth = icon.Width();
        item.SourceHeight = icon.Height();
        ImageList_ReplaceIcon(Handle(), -1, icon.Handle());
      } else if (item.ImageFormat == ifBMP32) {
        gui::TBitmap bmp;
        bmp.LoadFromStream(item.ImgData);
        item.SourceWidth = bmp.Width();
        item.SourceHeight = bmp.Height();
        bmp.SetPixelFormat(gui::pf32bit);
        AddBitmapToImageList(*this, &bmp, -1);
      }
      item.ImgData.SetPosition(0);
    }
  } catch (...) {
    changing_ = false;
    throw;
  }
  if (Items.Count() > 0) imagesGenerated_ = true;
  changing_ = false;
}

namespace {
// The item's picture file as a 32-bit bitmap of its own size.
std::unique_ptr<gui::TBitmap> DecodeItem(TsImgListItem& item, bool transparent = false) {
  auto bmp = std::make_unique<gui::TBitmap>();
  bmp->SetTransparent(transparent);
  item.ImgData.SetPosition(0);
  if (item.ImageFormat == ifPNG)
    LoadPngStreamToBitmap(*bmp, item.ImgData);
  else
    bmp->LoadFromStream(item.ImgData);
  item.ImgData.SetPosition(0);
  EnsureAlphaBitmap(*bmp);
  return bmp;
}
}  // namespace

std::unique_ptr<gui::TBitmap> TsAlphaImageList::CreateItemBitmap(int index, int w, int, int h) {
  if (!HandleAllocated() || index < 0 || index >= GetItemsCount()) return nullptr;
  if (index < Items.Count() && Items.Items(index)->ImgData.Size() > 0) {
    TsImgListItem& item = *Items.Items(index);
    if (item.ImageFormat == ifPNG || item.ImageFormat == ifBMP32) {
      if (useCache_ && item.CacheBitmap) {
        if (item.CacheBitmap->Width() == w && item.CacheBitmap->Height() == h) return CopyOf(*item.CacheBitmap);
        item.CacheBitmap.reset();
      }
      std::unique_ptr<gui::TBitmap> result = DecodeItem(item);
      if (item.SourceWidth != w || item.SourceHeight != h || result->Width() != w || result->Height() != h)
        result = ResampledBitmap(*result, w, h);
      if (item.ImageFormat == ifPNG && BlendColor != gui::clNone) {
        TBitmap32 px = Pixels32(*result);
        ForEachPixel(px, TonePixelProc, int(ColorToSkinRGB(uint32_t(BlendColor), ListSettings().Colors)), clFuchsia);
      }
      if (useCache_) item.CacheBitmap = CopyOf(*result);
      return result;
    }
    HICON icon = ImageList_GetIcon(Handle(), index, ILD_NORMAL);
    if (!icon) return nullptr;
    auto result = IconToBitmap32(icon, Width(), Height(), false);
    DestroyIcon(icon);
    return result;
  }
  HICON icon = ImageList_GetIcon(Handle(), index, ILD_NORMAL);
  if (!icon) return nullptr;
  auto result = IconToBitmap32(icon, w, h, true);
  DestroyIcon(icon);
  return result;
}

bool TsAlphaImageList::GetItemBitmap(int index, gui::TBitmap* bmp, int) {
  if (!HandleAllocated() || !bmp || index < 0 || index >= GetItemsCount()) return false;
  auto fromIcon = [&] {
    HICON icon = ImageList_GetIcon(Handle(), index, ILD_NORMAL);
    const bool ok = icon && IconToBitmap32Into(icon, *bmp);
    if (icon) DestroyIcon(icon);
    return ok;
  };
  if (index >= Items.Count() || Items.Items(index)->ImgData.Size() == 0) return fromIcon();
  TsImgListItem& item = *Items.Items(index);
  if (item.ImageFormat != ifPNG && item.ImageFormat != ifBMP32) return fromIcon();
  if (useCache_ && item.CacheBitmap) {
    if (item.CacheBitmap->Width() == bmp->Width() && item.CacheBitmap->Height() == bmp->Height()) {
      bmp->Assign(item.CacheBitmap.get());
      return true;
    }
    item.CacheBitmap.reset();
  }
  std::unique_ptr<gui::TBitmap> decoded = DecodeItem(item, bmp->Transparent());
  if (bmp->Width() == item.SourceWidth && bmp->Height() == item.SourceHeight && decoded->Width() == bmp->Width() &&
      decoded->Height() == bmp->Height()) {
    bmp->Assign(decoded.get());
  } else {
    SetPixelFormat32(*bmp);
    TBitmap32 dst = Pixels32(*bmp);
    FillBitmapRect(dst, dst.Bounds(), 0, 0);
    std::unique_ptr<gui::TBitmap> sized = ResampledBitmap(*decoded, bmp->Width(), bmp->Height());
    bmp->Assign(sized.get());
  }
  EnsureAlphaBitmap(*bmp);
  if (useCache_ && bmp->Width() == Width() && bmp->Height() == Height()) item.CacheBitmap = CopyOf(*bmp);
  return true;
}

void TsAlphaImageList::DoDraw(int index, gui::TCanvas& canvas, int x, int y, gui::TDrawingStyle, bool) {
  if (!HandleAllocated() || index < 0) return;
  if (index >= Items.Count() || Items.Items(index)->ImageFormat == ifICO) {
    ImageList_SetBkColor(Handle(), CLR_NONE);
    HICON icon = ImageList_GetIcon(Handle(), index, ILD_TRANSPARENT);
    if (icon) {
      DrawIconEx(canvas.Handle(), x, y, icon, Width(), Height(), 0, nullptr, DI_NORMAL);
      DestroyIcon(icon);
    }
    return;
  }
  if (Items.Items(index)->ImageFormat > ifBMP32) return;
  const int w = Width() * RenderPPI / 96, h = Height() * RenderPPI / 96;
  std::unique_ptr<gui::TBitmap> picture = CreateItemBitmap(index, w, 0, h);
  if (!picture) return;
  picture->Canvas().Lock();
  BlendOntoCanvas(canvas, x, y, *picture, [](TBitmap32& back, const TBitmap32& pic) {
    const TRect all = pic.Bounds();
    DrawAlphaImage(all, all, back, pic, MakeBackgroundCache(&back, 0, 0), false, clNone, 0, false);
  });
  picture->Canvas().Unlock();
}

void TsAlphaImageList::Loaded() {
  TacImageList::Loaded();
  prepared_ = true;
  if (storedWidth_ != 0) {
    DestroyImages();
  } else if (Width() == 16 && Height() == 16) {
    changing_ = true;
    DestroyImages();
    SetWidth(16);
    SetHeight(16);
  }
  if (storedWidth_ == 0) SetWidth(Width());
  if (storedHeight_ == 0) SetHeight(Height());
  changing_ = false;
  if (!imagesGenerated_) {
    RebuildImages();
    imagesGenerated_ = true;
    Change();
  }
}

void TsAlphaImageList::CopySizeFromHandle(HIMAGELIST h) {
  int cx = Width(), cy = Height();
  if (!h || !ImageList_GetIconSize(h, &cx, &cy)) {
    cx = Width();
    cy = Height();
  }
  SetWidth(cx);
  SetHeight(cy);
}

void TsAlphaImageList::CopyItems(const TsAlphaImageList& source) {
  if (!HandleAllocated()) return;
  if (source.HandleAllocated()) ImageList_SetBkColor(source.Handle(), CLR_NONE);
  removingItems_ = true;
  Items.Clear();
  removingItems_ = false;
  for (int i = 0; i < source.Items.Count(); ++i) {
    const TsImgListItem& s = *source.Items.Items(i);
    TsImgListItem* item = Items.Add();
    item->ImageFormat = s.ImageFormat;
    item->ImageName = s.ImageName;
    item->PixelFormat = s.PixelFormat;
    item->Text = s.Text;
    s.ImgData.SaveToStream(item->ImgData);
    item->ImgData.SetPosition(0);
  }
  RebuildImages();
}

void TsAlphaImageList::Assign(const rtl::TPersistent* source) {
  if (!source) {
    DestroyImages();
    return;
  }
  auto* s = dynamic_cast<const TsAlphaImageList*>(source);
  if (!s) return TacImageList::Assign(source);
  if (s == this) return;
  BeginItemsChange();
  CopyListFlags(*s);
  CopySizeFromHandle(s->Handle());
  RemakeImages();
  TakeBkColorOf(*s);
  BlendColor = s->BlendColor;
  CopyItems(*s);
  EndItemsChange(false);
}

bool AddImageFromStream(TsAlphaImageList& list, rtl::TStream& stream) {
  try {
    if (!list.HandleAllocated()) return false;
    uint8_t format = ifPNG;
    DetectImageFormat(stream, format);
    TsImgListItem* item = list.Items.Add();
    stream.SetPosition(0);
    item->ImgData.LoadFromStream(stream);
    item->ImgData.SetPosition(0);
    item->ImageFormat = format;
    bool added = false;
    try {
      if (format == ifPNG) {
        item->PixelFormat = gui::pf32bit;
        gui::TBitmap bmp;
        LoadPngStreamToBitmap(bmp, item->ImgData);
        item->ImgData.SetPosition(0);
        HICON icon = IconFromAlphaBitmap(bmp);
        if (icon) {
          added = ImageList_ReplaceIcon(list.Handle(), -1, icon) >= 0;
          DestroyIcon(icon);
        }
      }
    } catch (...) {
      list.Change();
      return false;
    }
    list.Change();
    return added;
  } catch (...) {
    return false;
  }
}

// ---------------------------------------------------------------- character list items

TacCharListItem::TacCharListItem(rtl::TCollection* collection) : rtl::TCollectionItem(collection) {}
TacCharListItem::~TacCharListItem() = default;

TsCharImageList* TacCharListItem::List() const {
  auto* items = static_cast<TacCharListItems*>(Collection());
  return items ? items->List() : nullptr;
}

void TacCharListItem::ItemChanged() {
  CacheBitmap.reset();
  if (TsCharImageList* list = List()) list->Change();
}

void TacCharListItem::Assign(const rtl::TPersistent* source) {
  auto* s = dynamic_cast<const TacCharListItem*>(source);
  if (!s) return rtl::TCollectionItem::Assign(source);
  if (s == this) return;
  scalingFactor_ = s->scalingFactor_;
  fontName_ = s->fontName_;
  charset_ = s->charset_;
  color_ = s->color_;
  secondColor_ = s->secondColor_;
  orientation_ = s->orientation_;
  pitch_ = s->pitch_;
  style_ = s->style_;
  char_ = s->char_;
  drawContour_ = s->drawContour_;
  angle_ = s->angle_;
  ImageName = s->ImageName;
  offsetY_ = s->offsetY_;
  addedSize_ = s->addedSize_;
  addedChar_ = s->addedChar_;
  addedColor_ = s->addedColor_;
  addedCharset_ = s->addedCharset_;
  addedFontName_ = s->addedFontName_;
}

TacCharListItems::TacCharListItems(TsCharImageList* owner)
    : rtl::TCollection([](rtl::TCollection* c) { return new TacCharListItem(c); }, owner), list_(owner) {}

void TacListFont::Assign(const rtl::TPersistent* source) {
  auto* s = dynamic_cast<const TacEmbeddedFont*>(source);
  if (!s) return TacEmbeddedFont::Assign(source);
  if (s == this) return;
  FileName = s->FileName;
  FontName = s->FontName;
  s->FontData.SaveToStream(FontData);
}

TacListFonts::TacListFonts(rtl::TPersistent* owner) : TacEmbeddedFonts(owner) {}

void TacListFonts::Assign(const rtl::TPersistent* source) {
  auto* s = dynamic_cast<const TacEmbeddedFonts*>(source);
  if (!s) return TacEmbeddedFonts::Assign(source);
  if (s == this) return;
  Clear();
  if (s->Count() == 0 || s->Items(0)->FontData.Size() != 0) Add()->FontName = kIconFontName;
  for (int i = 0; i < s->Count(); ++i) Add()->Assign(s->Items(i));
}

// ---------------------------------------------------------------- character image list

TsCharImageList::TsCharImageList(rtl::TComponent* owner) : TacImageList(owner) {
  SetHeight(24);
  SetWidth(26);
  RenderPPI = MainFormPPI();
  prepared_ = !Loading(*this);
}

TsCharImageList::~TsCharImageList() { MarkDestroying(); }

void TsCharImageList::SetBlendValue(uint8_t v) {
  if (v == blendValue_) return;
  blendValue_ = v;
  if (!Loading(*this) && prepared_ && !changing_) {
    RebuildImages();
    Change();
  }
}

void TsCharImageList::SetBlendingMode(TacBlendingMode v) {
  if (v == blendingMode_) return;
  blendingMode_ = v;
  if (!Loading(*this) && prepared_ && !changing_) {
    RebuildImages();
    Change();
  }
}

void TsCharImageList::SetSize(int which, int v) {
  if (prepared_) (which == 0 ? storedHeight_ : storedWidth_) = v;
  if (which == 0)
    TacImageList::SetHeight(v);
  else
    TacImageList::SetWidth(v);
  if (!Loading(*this) && prepared_ && !changing_) {
    RebuildImages();
    Change();
  }
}

void TsCharImageList::Change() {
  if (changing_ || Loading(*this) || !HandleAllocated() || (!imagesGenerated_ && Items.Count() > 0)) return;
  TacImageList::Change();
}

int TsCharImageList::ItemWidth(int index, int ppi) const {
  if (index < 0 || index >= Items.Count()) return ScaledListSize(ppi, storedWidth_);
  return CharItemWidth(ppi, storedWidth_, Items.Items(index)->ScalingFactor());
}

int TsCharImageList::ItemHeight(int index, int ppi) const {
  if (index < 0 || index >= Items.Count()) return ScaledListSize(ppi, storedHeight_);
  const TacCharListItem& item = *Items.Items(index);
  return CharItemHeight(ppi, storedHeight_, item.ScalingFactor(), item.OffsetY());
}

void TsCharImageList::EndItemsChange(bool signalChange) {
  changing_ = false;
  if (signalChange) Change();
}

void TsCharImageList::ClearItemCache() {
  for (int i = 0; i < Items.Count(); ++i) Items.Items(i)->CacheBitmap.reset();
}

void TsCharImageList::DestroyImages() {
  FreeHandle();
  imagesGenerated_ = false;
  if (!changing_) Change();
}

void TsCharImageList::CreateImages() {
  if (storedWidth_ == 0 && prepared_ && !Loading(*this)) {
    storedWidth_ = Width();
    storedHeight_ = Height();
  }
  const int p = changing_ ? RenderPPI : CurrentListPPI();
  // The list's own size follows the density: the icons it takes are made at it.
  HIMAGELIST h = ImageList_Create(ScaledListSize(p, storedWidth_), ScaledListSize(p, storedHeight_),
                                  (Masked ? ILC_MASK : 0) | ILC_COLOR32, 0, AllocBy);
  const bool was = changing_;
  changing_ = true;
  SetHandle(h);
  changing_ = was;
}

void TsCharImageList::RebuildImages() {
  GlyphColor = gui::clNone;
  if (storedHeight_ == 0 && Width() == 16 && Height() == 16 && !changing_) {
    changing_ = true;
    DestroyImages();
    SetWidth(16);
    SetHeight(16);
    changing_ = false;
  }
  if (storedHeight_ == 0) return;
  if (!HandleAllocated()) CreateImages();
  if (!HandleAllocated()) return;
  const int p = changing_ ? RenderPPI : CurrentListPPI();
  changing_ = true;
  ImageList_Remove(Handle(), -1);
  const int savedPPI = RenderPPI;
  RenderPPI = p;
  for (int i = 0; i < Items.Count(); ++i) {
    std::unique_ptr<gui::TBitmap> bmp = CreateItemBitmap(i, ItemWidth(i, p), ItemHeight(-1, p), ItemHeight(i, p));
    AddBitmapToImageList(*this, bmp.get(), -1);
  }
  RenderPPI = savedPPI;
  if (Items.Count() > 0) imagesGenerated_ = true;
  changing_ = false;
}

bool TsCharImageList::CacheValid(const TacCharListItem& item, int w, int h, gui::TColor color) const {
  const gui::TBitmap* c = item.CacheBitmap.get();
  return c && c->Width() == w && c->Height() == h && const_cast<gui::TBitmap*>(c)->Canvas().Font().Color() == color;
}

std::unique_ptr<gui::TBitmap> TsCharImageList::Render(TacCharListItem& item, int w, int h, int baseHeight) {
  auto bmp = CreateBitmap32(w, h);
  const TacGlyphColors colors{GlyphColor, State == 0, blendValue_};
  RenderGlyph(item, colors, *bmp, item.OffsetY(), baseHeight, {0, 0, w, h});
  return bmp;
}

std::unique_ptr<gui::TBitmap> TsCharImageList::RenderItem(int index, int w, int baseHeight, gui::TColor color, int h) {
  if (!HandleAllocated() || index < 0 || index >= Items.Count()) return nullptr;
  GlyphColor = color;
  if (baseHeight == 0) baseHeight = ItemHeight(-1, RenderPPI);
  TacCharListItem& item = *Items.Items(index);
  if (item.CacheBitmap && !CacheValid(item, w, h, color)) item.CacheBitmap.reset();
  if (IsBlendedDrawing()) {
    if (!item.CacheBitmap) {
      item.CacheBitmap = Render(item, w, h, baseHeight);
      item.CacheBitmap->Canvas().Font().SetColor(color);
    }
    return CopyOf(*item.CacheBitmap);
  }
  return Render(item, w, h, baseHeight);
}

std::unique_ptr<gui::TBitmap> TsCharImageList::CreateItemBitmap(int index, int w, int baseHeight, int h) {
  return RenderItem(index, w, baseHeight, GlyphColor, h);
}

gui::TBitmap* TsCharImageList::ItemBitmap(TacCharListItem& item, int baseHeight,
                                          std::unique_ptr<gui::TBitmap>& scratch) {
  const int index = item.Index();
  const int w = ItemWidth(index, RenderPPI), h = ItemHeight(index, RenderPPI);
  if (baseHeight == 0) baseHeight = ItemHeight(-1, RenderPPI);
  const gui::TColor color = GlyphColor != gui::clNone ? GlyphColor : item.Color();
  const gui::TColor saved = GlyphColor;
  GlyphColor = color;
  gui::TBitmap* result;
  if (IsBlendedDrawing()) {
    if (!CacheValid(item, w, h, color)) {
      item.CacheBitmap = Render(item, w, h, baseHeight);
      item.CacheBitmap->Canvas().Font().SetColor(color);
    }
    result = item.CacheBitmap.get();
  } else {
    scratch = Render(item, w, h, baseHeight);
    result = scratch.get();
  }
  GlyphColor = saved;
  return result;
}

bool TsCharImageList::GetItemBitmap(int index, gui::TBitmap* bmp, int baseHeight) {
  if (!HandleAllocated() || !bmp || index < 0 || index >= Items.Count()) return true;
  TacCharListItem& item = *Items.Items(index);
  if (bmp->Width() == ItemWidth(index, RenderPPI) && bmp->Height() == ItemHeight(index, RenderPPI)) {
    std::unique_ptr<gui::TBitmap> scratch;
    bmp->Assign(ItemBitmap(item, baseHeight, scratch));
    return true;
  }
  SetPixelFormat32(*bmp);
  if (baseHeight == 0) baseHeight = bmp->Height();
  const int listHeight = ItemHeight(-1, RenderPPI != 0 ? RenderPPI : 96);
  const int offset = listHeight != 0 ? baseHeight * item.OffsetY() / listHeight : 0;
  const TacGlyphColors colors{GlyphColor, State == 0, blendValue_};
  RenderGlyph(item, colors, *bmp, offset, baseHeight, {0, 0, bmp->Width(), bmp->Height()});
  return true;
}

void TsCharImageList::DoDraw(int index, gui::TCanvas& canvas, int x, int y, gui::TDrawingStyle, bool) {
  if (!HandleAllocated() || index < 0 || index >= Items.Count()) return;
  TacCharListItem& item = *Items.Items(index);
  if (item.Color() == gui::clNone) GlyphColor = canvas.Font().Color();
  std::unique_ptr<gui::TBitmap> scratch;
  gui::TBitmap* glyph = ItemBitmap(item, 0, scratch);
  if (glyph)
    BlendOntoCanvas(canvas, x, y, *glyph, [](TBitmap32& back, const TBitmap32& pic) { AlphaBlendBitmap(back, pic); });
  GlyphColor = gui::clNone;
}

void TsCharImageList::UpgradeItems() {
  for (int i = 0; i < Items.Count(); ++i) {
    TacCharListItem& item = *Items.Items(i);
    if (item.ScalingFactor() != 0) continue;
    item.LoadScalingFactor(FontHeightRatio(item.Charset(), item.FontName()));
    item.SetColor(gui::clNone);
  }
}

void TsCharImageList::Loaded() {
  TacImageList::Loaded();
  for (int i = 0; i < EmbeddedFonts.Count(); ++i) InstallEmbeddedFont(*EmbeddedFonts.Items(i));
  prepared_ = true;
  if (storedWidth_ != 0 || Width() != 16 || Height() != 16) {
    DestroyImages();
  } else {
    changing_ = true;
    DestroyImages();
    SetWidth(16);
    SetHeight(16);
  }
  changing_ = true;
  if (storedWidth_ == 0) SetWidth(Width());
  if (storedHeight_ == 0) SetHeight(Height());
  changing_ = false;
  UpgradeItems();
  if (!imagesGenerated_) {
    RebuildImages();
    imagesGenerated_ = true;
    Change();
  }
}

void TsCharImageList::Assign(const rtl::TPersistent* source) {
  if (!source) {
    DestroyImages();
    return;
  }
  auto* s = dynamic_cast<const TsCharImageList*>(source);
  if (!s) return TacImageList::Assign(source);
  if (s == this) return;
  BeginItemsChange();
  CopyListFlags(*s);
  SetWidth(s->storedWidth_);
  SetHeight(s->storedHeight_);
  storedWidth_ = s->storedWidth_;
  storedHeight_ = s->storedHeight_;
  RemakeImages();
  TakeBkColorOf(*s);
  BlendColor = s->BlendColor;
  EmbeddedFonts.Assign(&s->EmbeddedFonts);
  if (HandleAllocated()) {
    if (s->HandleAllocated()) ImageList_SetBkColor(s->Handle(), CLR_NONE);
    Items.Clear();
    for (int i = 0; i < s->Items.Count(); ++i) Items.Add()->Assign(s->Items.Items(i));
    RebuildImages();
  }
  RebuildImages();
  EndItemsChange(false);
}

void TsCharImageList::Rescale(int ppi) {
  if (Scalable) RenderPPI = ppi;
  BeginItemsChange();
  DestroyImages();
  TacImageList::SetWidth(storedWidth_);
  TacImageList::SetHeight(storedHeight_);
  RebuildImages();
  EndItemsChange(true);
}

double FontHeightRatio(uint8_t charset, const std::string& name) {
  gui::TFont font;
  font.SetCharset(charset);
  font.SetName(name);
  font.SetHeight(-96);
  return GetFontTextHeight(font.Handle(), true) / 96.0;
}

// ---------------------------------------------------------------- the standard glyph list

namespace {
std::unique_ptr<TsCharImageList> g_standard;

struct TStdGlyph {
  uint16_t Char;
  double Scaling;
  int OffsetY;
};
constexpr TStdGlyph kIconGlyphs[] = {
    {0xF016, 1.0, 0}, {0xF115, 1.0, 0}, {0xF274, 1.0, 0}, {0xF141, 1.0, 4}, {0xF1EC, 1.0, 0},
    {0xF111, 0.75, 0}, {0xF00C, 1.0, 0}, {0xF047, 0.9, 1}, {0xF1FB, 1.0, 0}, {0xF00C, 1.1, 0},
    {0xF00D, 1.1, 0}, {0xF067, 0.8, 2}, {0xF0D8, 1.3, 0}, {0xF01E, 0.9, 1}, {0xF048, 0.8, 2},
    {0xF053, 0.8, 2}, {0xF054, 0.8, 2}, {0xF051, 0.8, 2}, {0xF068, 0.8, 2}, {0xF00C, 0.8, 0},
    {0xF00D, 0.8, 0},
};
constexpr uint16_t kMarlettGlyphs[] = {'0', '1', '2', 'r'};
}  // namespace

TsCharImageList* StandardGlyphs() { return g_standard.get(); }

void InitStandardGlyphs() {
  if (g_standard) return;
  auto list = std::make_unique<TsCharImageList>(nullptr);
  list->SetBkColor(gui::clWhite);
  list->SetWidth(16);
  list->SetHeight(14);
  list->SetBlendValue(222);
  auto add = [&](const char* font, uint16_t ch, double scaling, int offsetY) {
    TacCharListItem* item = list->Items.Add();
    item->SetFontName(font);
    item->SetChar(ch);
    item->SetScalingFactor(scaling);
    item->SetOffsetY(offsetY);
  };
  for (const TStdGlyph& g : kIconGlyphs) add(kIconFontName, g.Char, g.Scaling, g.OffsetY);
  for (uint16_t ch : kMarlettGlyphs) add("Marlett", ch, 1.0, 0);
  list->RebuildImages();
  g_standard = std::move(list);
}

void DoneStandardGlyphs() { g_standard.reset(); }

}  // namespace skin
