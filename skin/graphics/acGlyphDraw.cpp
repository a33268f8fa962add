#include "skin/graphics/acGlyphDraw.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGlyphPixels.h"

namespace skin {

int GetImageListCount(gui::TCustomImageList* list) {
  if (!list) return 0;
  if (auto* l = dynamic_cast<TacImageList*>(list)) return l->GetItemsCount();
  return list->Count();
}

int GetImageListWidth(gui::TCustomImageList* list, int index, int ppi) {
  if (!list) return 0;
  if (auto* c = dynamic_cast<TsCharImageList*>(list)) return c->ItemWidth(index, ppi);
  return ppi * list->Width() / 96;
}

int GetImageListHeight(gui::TCustomImageList* list, int index, int ppi) {
  if (!list) return 0;
  if (auto* c = dynamic_cast<TsCharImageList*>(list)) return c->ItemHeight(index, ppi);
  return ppi * list->Height() / 96;
}

void SetImageListPPI(gui::TCustomImageList* list, int ppi) {
  if (auto* a = dynamic_cast<TsAlphaImageList*>(list)) a->RenderPPI = ppi;
  if (auto* c = dynamic_cast<TsCharImageList*>(list); c && c->Scalable) c->RenderPPI = ppi;
}

void SetImageListState(gui::TCustomImageList* list, int state) {
  if (auto* c = dynamic_cast<TsCharImageList*>(list)) c->State = state;
}

void SetCharListColor(gui::TCustomImageList* list, gui::TColor color, int index, bool ignoreItemColor) {
  auto* c = dynamic_cast<TsCharImageList*>(list);
  if (!c) return;
  c->GlyphColor = color;
  if (!ignoreItemColor && index >= 0 && index < c->Items.Count() && c->Items.Items(index)->Color() != gui::clNone)
    c->GlyphColor = c->Items.Items(index)->Color();
}

void DrawListImage(gui::TCustomImageList* list, gui::TBitmap& bmp, int x, int y, int index, int blend,
                   TColor monoColor, int state, int numGlyphs, bool reflected, int ppi, TPoint& size) {
  if (bmp.Width() <= 0 || !list || !list->HandleAllocated() || index < 0) return;
  const int w = GetImageListWidth(list, index, ppi), h = GetImageListHeight(list, index, ppi);
  const TacListImagePart part = ListImagePart(x, y, w, h, state, numGlyphs);
  size = part.Size;
  SetPixelFormat32(bmp);
  if (list->BkColor() != gui::clNone) {
    TBitmap32 px = Pixels32(bmp);
    FillBitmapRect(px, part.Target, gui::ColorToRGB(list->BkColor()), 255);
  }
  SetImageListPPI(list, ppi);
  if (auto* engine = dynamic_cast<TacImageList*>(list)) {
    const TColor textColor = bmp.Canvas().Font().Color();
    if (dynamic_cast<TsCharImageList*>(list))
      SetCharListColor(list, textColor, index, bmp.Canvas().Font().Size() == 0);
    else
      engine->GlyphColor = textColor;
    if (state > 0) SetImageListState(list, state);
    std::unique_ptr<gui::TBitmap> picture = engine->CreateItemBitmap(index, w, 0, h);
    if (state > 0) SetImageListState(list, 0);
    engine->GlyphColor = gui::clNone;
    if (picture) {
      TRect src = part.Source;
      src.Right = std::min(src.Right, picture->Width());
      src.Bottom = std::min(src.Bottom, picture->Height());
      TBitmap32 dst = Pixels32(bmp);
      DrawAlphaImage(part.Target, src, dst, Pixels32(*picture), TacBackgroundCache(), false, monoColor, blend,
                     reflected);
    }
  } else {
    auto work = CreateBitmap32(w, h);
    BitBlt(work->Canvas().Handle(), part.Source.Left, 0, part.Size.X, h, bmp.Canvas().Handle(), part.Target.Left,
           part.Target.Top, SRCCOPY);
    work->Canvas().Font().SetColor(bmp.Canvas().Font().Color());
    list->Draw(work->Canvas(), 0, 0, index, true);
    BitBlt(bmp.Canvas().Handle(), part.Target.Left, part.Target.Top, part.Size.X, h, work->Canvas().Handle(),
           part.Source.Left, 0, SRCCOPY);
    GdiFlush();
  }
  SetImageListPPI(list, 96);
}

void DrawListImageOnDC(gui::TCustomImageList* list, HDC dc, int x, int y, int index, int blend, TColor monoColor,
                       int state, int numGlyphs, bool reflected, int ppi) {
  if (!list) return;
  const int w = GetImageListWidth(list, index, ppi);
  int h = GetImageListHeight(list, index, ppi);
  auto work = CreateBitmap32(w, h);
  if (auto* c = dynamic_cast<TsCharImageList*>(list)) {
    work->Canvas().Font().SetColor(c->GlyphColor);
    if (index >= 0 && index < c->Items.Count() && c->Items.Items(index)->Color() != gui::clNone)
      work->Canvas().Font().SetHeight(0);
    if (reflected) {
      const double scaling = index >= 0 && index < c->Items.Count() ? c->Items.Items(index)->ScalingFactor() : 1.0;
      h += RoundEven(scaling * GetImageListHeight(list, -1, ppi)) / 2;
    }
  } else if (reflected) {
    h += GetImageListHeight(list, -1, ppi) / 2;
  }
  if (work->Height() != h) work->SetSize(w, h);
  if (work->Empty()) return;
  BitBlt(work->Canvas().Handle(), 0, 0, w, h, dc, x, y, SRCCOPY);
  GdiFlush();
  TPoint size;
  DrawListImage(list, *work, 0, 0, index, blend, monoColor, state, numGlyphs, reflected, ppi, size);
  BitBlt(dc, x, y, w, h, work->Canvas().Handle(), 0, 0, SRCCOPY);
}

namespace {

bool AllAlphaZero(const TBitmap32& px) {
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x)
      if (ChA(px.At(x, y)) != 0) return false;
  return true;
}

void DrawPlainList(const TacGlyphDrawParams& p, int state, bool discoloured) {
  gui::TCustomImageList* list = p.Images;
  if (!p.DstBitmap) {
    if (p.DstCanvas) list->Draw(*p.DstCanvas, p.Rect.Left, p.Rect.Top, p.ImageIndex, p.Enabled);
    return;
  }
  const TColor fill = list->BkColor() != gui::clNone ? list->BkColor() : clFuchsia;
  auto work = CreateBitmap32(GetImageListWidth(list, -1, p.PPI), GetImageListHeight(list, -1, p.PPI));
  {
    TBitmap32 px = Pixels32(*work);
    FillBitmapRect(px, px.Bounds(), gui::ColorToRGB(fill), 255);
  }
  list->GetBitmap(p.ImageIndex, work.get());
  SetPixelFormat32(*work);
  TBitmap32 px = Pixels32(*work);
  TBitmap32 dst = Pixels32(*p.DstBitmap);
  const TColor fillRGB = gui::ColorToRGB(fill);
  if (p.Enabled) {
    if (state == 0 && discoloured) GrayscaleBitmapExcept(px, TColor(SwapRB(px.At(0, 0)) & 0xFFFFFF));
    if (state != 0 || p.Blend < 1)
      CopyBitmapOpaque(dst, px, p.Rect.Left, p.Rect.Top, fillRGB);
    else
      BlendCopyBitmap(dst, p.Rect.Left, p.Rect.Top, px, px.Bounds(), uint8_t(std::clamp(p.Blend, 0, 255)),
                      0x00FF00FFu);
  } else {
    if (discoloured) GrayscaleBitmap(px);
    if (p.Options & goBlendDisabled)
      BlendCopyBitmap(dst, p.Rect.Left, p.Rect.Top, px, px.Bounds(), 127, 0x00FF00FFu);
    else
      CopyBitmapOpaque(dst, px, p.Rect.Left, p.Rect.Top, fillRGB);
  }
}

void DrawStrip(const TacGlyphDrawParams& p, int state, uint32_t mono, int stateBlend) {
  gui::TBitmap* glyph = p.Glyph;
  if (!glyph || glyph->Empty()) return;
  const TacListSettings settings = ListSettings();
  if (glyph->PixelFormat() == gui::pfDevice || !p.Enabled ||
      (glyph->PixelFormat() == gui::pf32bit && (!settings.HasManager || p.SkinIndex < 0 || settings.CheckEmptyAlpha))) {
    rtl::TNotifyEvent saved = glyph->OnChange;
    glyph->OnChange = nullptr;
    glyph->SetHandleType(gui::bmDIB);
    if (glyph->PixelFormat() == gui::pf32bit && AllAlphaZero(Pixels32(*glyph))) glyph->SetPixelFormat(gui::pf24bit);
    glyph->OnChange = saved;
  }
  const int numGlyphs = std::max(1, p.NumGlyphs);
  if (glyph->PixelFormat() == gui::pf32bit) {
    const int cw = std::max(0, p.Rect.Width());
    const int frame = std::min(state, numGlyphs - 1);
    const TRect src{cw * frame, 0, cw * frame + cw, glyph->Height()};
    const TBitmap32 g = Pixels32(*glyph);
    if (p.DstBitmap) {
      TBitmap32 dst = Pixels32(*p.DstBitmap);
      DrawAlphaImage(p.Rect, src, dst, g, TacBackgroundCache(), false, TColor(mono), stateBlend, p.Reflected);
      return;
    }
    if (!p.DstCanvas) return;
    auto work = CreateBitmap32(p.Rect.Width(), p.Rect.Height());
    TBitmap32 w = Pixels32(*work);
    for (int y = 0; y < w.Height() && y < g.Height(); ++y)
      for (int x = 0; x < w.Width() && src.Left + x < g.Width(); ++x) w.At(x, y) = g.At(src.Left + x, y);
    const int c = !p.Enabled && (p.Options & goBlendDisabled) ? std::max(50, p.Blend) : p.Blend;
    if (state == 0 && c != 0)
      for (int y = 0; y < w.Height(); ++y)
        for (int x = 0; x < w.Width(); ++x) {
          TPixel& px = w.At(x, y);
          px = (px & 0xFFFFFFu) | (uint32_t(ChA(px) * c / 100) << 24);
        }
    if ((!p.Enabled && (p.Options & goGrayDisabled)) || (state == 0 && p.Discoloured)) GrayscaleBitmap(w);
    DrawAlphaBitmapOnCanvas(*p.DstCanvas, *work, p.Rect, p.Reflected);
    return;
  }
  // Other formats: a frame of the strip with its key colour. Pressed draws the third
  // frame, hot the second.
  const int mode = p.Down ? 2 : std::min(state, 2);
  gui::TBitmap copy;
  copy.Assign(glyph);
  SetPixelFormat32(copy);
  TBitmap32 g = Pixels32(copy);
  // The discoloured look of a keyed strip: the copy's frames in the one colour.
  if (mono != gui::clNone) DiscolourGlyphStrip(g, numGlyphs, TColor(mono));
  if (p.DstBitmap) {
    TBitmap32 dst = Pixels32(*p.DstBitmap);
    DrawGlyphFrame(g, dst, p.Rect, numGlyphs, p.Enabled, mode, uint8_t(std::clamp(p.Blend, 0, 255)), 0, p.Reflected,
                   settings.StdGlyphsOrder);
  } else if (p.DstCanvas) {
    auto work = CreateBitmap32(p.Rect.Width(), p.Rect.Height());
    BitBlt(work->Canvas().Handle(), 0, 0, work->Width(), work->Height(), p.DstCanvas->Handle(), p.Rect.Left,
           p.Rect.Top, SRCCOPY);
    GdiFlush();
    TBitmap32 w = Pixels32(*work);
    DrawGlyphFrame(g, w, {0, 0, work->Width(), work->Height()}, numGlyphs, p.Enabled, mode,
                   uint8_t(std::clamp(p.Blend, 0, 255)), 0, p.Reflected, settings.StdGlyphsOrder);
    BitBlt(p.DstCanvas->Handle(), p.Rect.Left, p.Rect.Top, work->Width(), work->Height(), work->Canvas().Handle(), 0,
           0, SRCCOPY);
  }
}

}  // namespace

void DrawGlyph(const TacGlyphDrawParams& params) {
  const TacGlyphDrawParams& p = params;
  const uint32_t mono = p.Discoloured ? ColorToSkinRGB(uint32_t(p.DiscolourColor), ListSettings().Colors) : gui::clNone;
  int state = p.CurrentState;
  if (ListSettings().HasManager && ListSettings().StdGlyphsOrder)
    state = StdGlyphsOrderState(state, p.Enabled, p.NumGlyphs);
  const int disabledBlend = !p.Enabled && (p.Options & goBlendDisabled) ? 50 : 0;
  const int stateBlend = state == 0 ? p.Blend : 0;
  if (p.Images && p.ImageIndex >= 0 && p.ImageIndex < GetImageListCount(p.Images)) {
    if (dynamic_cast<TacImageList*>(p.Images)) {
      const int blend = std::max(stateBlend, disabledBlend);
      const int drawState = (p.Down ? 1 : 0) + state;
      if (p.DstBitmap) {
        TPoint size;
        DrawListImage(p.Images, *p.DstBitmap, p.Rect.Left, p.Rect.Top, p.ImageIndex, blend, TColor(mono), drawState,
                      p.NumGlyphs, p.Reflected, p.PPI, size);
      } else if (p.DstCanvas) {
        SetCharListColor(p.Images, TColor(ColorToSkinRGB(uint32_t(p.DstCanvas->Font().Color()), ListSettings().Colors)),
                         p.ImageIndex, p.DstCanvas->Font().Size() == 0);
        DrawListImageOnDC(p.Images, p.DstCanvas->Handle(), p.Rect.Left, p.Rect.Top, p.ImageIndex, blend, TColor(mono),
                          drawState, p.NumGlyphs, p.Reflected, p.PPI);
        SetCharListColor(p.Images, gui::clNone, p.ImageIndex, true);
      }
    } else {
      DrawPlainList(p, state, p.Discoloured);
    }
    return;
  }
  DrawStrip(p, state, mono, stateBlend);
}

namespace {
std::vector<std::string>* g_excluded = nullptr;
}

bool IsExcludedFormClass(std::string_view className) {
  if (!g_excluded) return false;
  return std::binary_search(g_excluded->begin(), g_excluded->end(), className,
                            [](std::string_view a, std::string_view b) { return a < b; });
}

void InitNeverSkinnedForms() {
  if (g_excluded) return;
  g_excluded = new std::vector<std::string>{"TApplication",          "TfcPopup",
                                            "TcxComboBoxPopupWindow", "TcxCustomPopupWindow",
                                            "TdxPopupEditForm",       "TcxDateEditPopupWindow",
                                            "TcxGridFilterPopup"};
  std::sort(g_excluded->begin(), g_excluded->end());
}

void DoneNeverSkinnedForms() {
  delete g_excluded;
  g_excluded = nullptr;
}

}  // namespace skin
