#include "skin/graphics/sLabel.h"

#include <shellapi.h>

#include "gui/Com.h"
#include "gui/Forms.h"
#include "rtl/Utf.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acHtmlCanvas.h"
#include "skin/graphics/acSkinSectionGdi.h"

namespace skin {

namespace {

TacLinkOpener& LinkOpener() {
  static TacLinkOpener opener = [](const std::string& href, TsWindowShowMode showMode) {
    HWND owner = gui::Application ? gui::Application->Handle() : nullptr;
    gui::UseCom();  // the shell may hand the link to a COM handler
    ShellExecuteW(owner, L"open", rtl::W(href).c_str(), nullptr, nullptr, static_cast<int>(showMode));
  };
  return opener;
}

TacHtmlLinkColors LinkColorsOf(TsSkinManager* m) {
  TacHtmlLinkColors c;
  if (m && m->Active() && m->IsSkinLoaded()) {
    c.SkinActive = true;
    c.Font = m->Palette()[kPaletteLabelText];
    c.Link = m->Palette()[kPaletteLinkText];
    c.HotLink = m->Palette()[kPaletteHotLinkText];
  }
  return c;
}

TAlignment HtmlAlignment(gui::TAlignment a) {
  switch (a) {
    case gui::TAlignment::taRightJustify: return taRightJustify;
    case gui::TAlignment::taCenter: return taCenter;
    default: return taLeftJustify;
  }
}

}  // namespace

TacLinkOpener SetLinkOpener(TacLinkOpener opener) {
  TacLinkOpener old = std::move(LinkOpener());
  LinkOpener() = std::move(opener);
  return old;
}

// ---------------------------------------------------------------- TsCustomLabel

TsCustomLabel::TsCustomLabel(rtl::TComponent* owner) : gui::TLabel(owner) { Transparent = true; }

TsCustomLabel::~TsCustomLabel() {
  if (manager_) manager_->RemoveFreeNotification(this);
}

void TsCustomLabel::SetSkinSection(const std::string& v) {
  if (v == skinSection_) return;
  skinIndex_ = -1;
  skinSection_ = v;
  Repaint();
}

TsSkinManager* TsCustomLabel::SkinManager() const { return manager_ ? manager_ : DefaultManager(); }

void TsCustomLabel::SetSkinManager(TsSkinManager* m) {
  if (m == manager_) return;
  if (manager_) manager_->RemoveFreeNotification(this);
  manager_ = m;
  if (manager_) manager_->FreeNotification(this);
  skinIndex_ = -1;
  Repaint();
}

void TsCustomLabel::Notification(rtl::TComponent* component, rtl::TOperation op) {
  gui::TLabel::Notification(component, op);
  if (op == rtl::TOperation::opRemove && component == manager_) {
    manager_ = nullptr;
    skinIndex_ = -1;
  }
}

bool TsCustomLabel::SkinLoaded() const {
  TsSkinManager* m = SkinManager();
  return m && m->IsSkinLoaded();
}

int TsCustomLabel::GetSkinIndex() {
  TsSkinManager* m = SkinManager();
  if (!m || !m->IsSkinLoaded() || skinSection_.empty()) return skinIndex_ = -1;
  if (skinIndex_ < 0) skinIndex_ = m->GetSkinIndex(skinSection_);
  return skinIndex_;
}

gui::TColor TsCustomLabel::GetTextColor() {
  TsSkinManager* m = SkinManager();
  const bool skinned = m && m->IsSkinLoaded();
  gui::TColor c = skinned ? m->Palette()[kPaletteLabelText] : font_.Color();
  if (!enabled_) {
    const gui::TColor back = skinned ? m->Palette()[kPaletteMainColor]
                                     : gui::ColorToRGB(parent_ ? parent_->Color() : color_);
    c = MixColors(gui::ColorToRGB(c), back, 100);
  }
  return c;
}

void TsCustomLabel::GetParentBackground(TacBackgroundCache& cache) {
  cache = TacBackgroundCache();
  if (!parent_) return;
  TacBackgroundQuery q;
  QueryControlBackground(q, *parent_, false);
  cache = BackgroundQueryToCache(q);
}

void TsCustomLabel::Loaded() {
  gui::TLabel::Loaded();
  if (TsSkinManager* m = SkinManager()) m->ApplyMainFont(this);
}

void TsCustomLabel::Paint() {
  if (ComponentState() & rtl::csDestroying) return;
  gui::TRect r{0, 0, width_, height_};
  TsSkinManager* m = SkinManager();
  if (GetSkinIndex() >= 0 && m->IsSkinLoaded()) {
    TacSectionSource source;
    source.Data = m->GetSkinDataForPPI(GetControlPPI(this));
    TBitmap32 master;
    if (m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
    source.Master = master.HasRows() ? &master : nullptr;
    TacBackgroundCache cache;
    GetParentBackground(cache);
    PaintSkinSectionToDC(source, skinIndex_, cache, 0, r, {left_, top_}, canvas_.Handle());
  }
  if (!Transparent) {
    canvas_.Brush().SetStyle(gui::bsSolid);
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(r);
  }
  const UINT flags = DrawFlags();
  if (Layout != gui::TTextLayout::tlTop) {
    gui::TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    const int h = calc.Height();
    r.Top += Layout == gui::TTextLayout::tlCenter ? (height_ - h) / 2 : height_ - h;
  }
  DoDrawText(r, flags);
  skinIndex_ = -1;  // every paint looks the section up again
}

void TsCustomLabel::DoDrawText(gui::TRect& r, UINT flags) {
  std::string text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar && text == "&"))) text += ' ';
  if (!ShowAccelChar) flags |= DT_NOPREFIX;
  canvas_.Font().Assign(&font_);
  canvas_.Font().SetColor(gui::ColorToRGB(GetTextColor()));
  canvas_.Brush().SetStyle(gui::bsClear);
  canvas_.TextRect(r, text, flags);
}

void TsCustomLabel::WndProc(gui::TMessage& msg) {
  if (msg.Msg == gui::CM_HITTEST && TransparentForMouse) {
    msg.Result = 0;  // the mouse passes through to what lies below
    return;
  }
  gui::TLabel::WndProc(msg);
  if (msg.Msg == SM_ALPHACMD) SkinCommand(msg);
}

// Labels keep no skin state of their own: they answer the few commands that concern them.
void TsCustomLabel::SkinCommand(gui::TMessage& msg) {
  const bool destroying = (ComponentState() & rtl::csDestroying) != 0;
  switch (HIWORD(msg.WParam)) {
    case AC_REMOVESKIN:
      if (destroying) break;
      if (manager_ && (manager_->ComponentState() & rtl::csDestroying)) SetSkinManager(nullptr);
      if (restoreParentFont_) SetParentFont(true);
      skinIndex_ = -1;
      Invalidate();
      break;
    case AC_REFRESH:
      if (destroying || (ComponentState() & rtl::csDesigning)) break;
      if (ParentFont()) restoreParentFont_ = true;
      skinIndex_ = -1;
      Invalidate();
      break;
    case AC_FONTSCHANGED:
      if (TsSkinManager* m = SkinManager()) m->ApplyMainFont(this);
      break;
    case AC_GETOPAQUESECTION: {
      // Which opaque section lies below: the parent's answer for the label's place.
      TsSkinManager* m = SkinManager();
      auto* q = reinterpret_cast<TacOpaqueSectionQuery*>(msg.LParam);
      if (m && m->Active() && parent_ && IsCommandRecord(q)) msg.Result = QueryOpaqueSection(parent_, *q);
      break;
    }
    case AC_OPAQUEPAINTING:
      msg.Result = SkinLoaded() || !(ControlStyle & gui::csOpaque) ? 1 : 0;
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- TsLabel

void TsLabel::SetUseSkinColor(bool v) {
  if (v == useSkinColor_) return;
  useSkinColor_ = v;
  if (!(ComponentState() & rtl::csLoading)) Repaint();
}

gui::TColor TsLabel::GetTextColor() {
  TsSkinManager* m = SkinManager();
  gui::TColor c = useSkinColor_ && m && m->Active()
                      ? gui::TColor(GetSkinFontColor(this, GetSkinIndex(), m, 0, nullptr))
                      : font_.Color();
  if (!enabled_)
    c = MixColors(gui::ColorToRGB(c), gui::ColorToRGB(parent_ ? gui::TColor(GetControlColor(parent_)) : color_), 100);
  return c;
}

// ---------------------------------------------------------------- TsHTMLLabel

TsHTMLLabel::TsHTMLLabel(rtl::TComponent* owner) : TsCustomLabel(owner) {}

void TsHTMLLabel::SetFitToWidth(bool v) {
  if (v == fitToWidth_) return;
  fitToWidth_ = v;
  if (!(ComponentState() & rtl::csLoading)) AdjustHtmlBounds();
}

void TsHTMLLabel::SetUseHTML(bool v) {
  if (v == useHTML_) return;
  useHTML_ = v;
  AdjustHtmlBounds();
  Repaint();
}

void TsHTMLLabel::DoTextChanged() { AdjustHtmlBounds(); }

void TsHTMLLabel::FontChanged() {
  TsCustomLabel::FontChanged();
  AdjustHtmlBounds();
}

void TsHTMLLabel::DoDrawText(gui::TRect& r, UINT flags) {
  const std::string caption = Caption();
  if (!useHTML_ || caption.empty()) return TsCustomLabel::DoDrawText(r, flags);
  canvas_.Font().Assign(&font_);
  canvas_.Font().SetColor(gui::ColorToRGB(GetTextColor()));
  canvas_.Brush().SetStyle(gui::bsClear);
  TacCanvasHtml target(canvas_);
  TsHtml html;
  html.LinkColors = LinkColorsOf(SkinManager());
  if (flags & DT_CALCRECT) {
    gui::TRect m = r;
    if (AutoSize() && !fitToWidth_) m.Right = m.Left + 0xFFFF;  // one line per break
    html.Init(target, caption, hot_, pressed_, m);
    TacLinks unused;
    html.Render(unused, true, m);
    r = m;
    return;
  }
  html.Alignment = HtmlAlignment(Alignment);
  html.Init(target, caption, hot_, pressed_, r);
  gui::TRect drawn = r;
  html.Render(links_, false, drawn);
}

// The size the caption needs, measured on a memory canvas (a windowless label has a
// device context only while it paints).
void TsHTMLLabel::AdjustHtmlBounds() {
  if (!AutoSize() || (ComponentState() & rtl::csLoading)) return;
  if (!useHTML_) return AdjustBounds();
  gui::TBitmap scratch(1, 1);
  gui::TCanvas& c = scratch.Canvas();
  c.Font().Assign(&font_);
  TacCanvasHtml target(c);
  TsHtml html;
  gui::TRect m{0, 0, fitToWidth_ ? width_ : 0xFFFF, 0};
  html.Init(target, Caption().empty() ? std::string(" ") : Caption(), -1, -1, m);
  TacLinks unused;
  html.Render(unused, true, m);
  const int w = fitToWidth_ ? width_ : m.Width();
  int left = left_;
  if (!fitToWidth_ && Alignment == gui::TAlignment::taRightJustify) left = left_ + width_ - w;  // keeps its right edge
  SetBounds(left, top_, w, m.Height());
}

int TsHTMLLabel::LinkAtPos(gui::TPoint p) const {
  for (size_t i = 0; i < links_.size(); ++i)
    if (links_[i].Rect.Contains(p)) return static_cast<int>(i);
  return -1;
}

void TsHTMLLabel::SetHot(int hot) {
  hot_ = hot;
  cursor_ = hot >= 0 ? gui::crHandPoint : gui::crDefault;
  Repaint();
}

void TsHTMLLabel::LinkClick(int index) {
  if (index < 0 || index >= static_cast<int>(links_.size())) return;
  std::string href = links_[static_cast<size_t>(index)].Href;
  bool allow = true;
  if (OnLinkClick) OnLinkClick(this, href, allow);
  if (!href.empty() && allow && LinkOpener()) LinkOpener()(href, ShowMode);
}

void TsHTMLLabel::WndProc(gui::TMessage& msg) {
  switch (msg.Msg) {
    case WM_MOUSEMOVE: {
      const int l = LinkAtPos({msg.XPos(), msg.YPos()});
      if (l < 0) {
        if (hot_ >= 0) SetHot(-1);
      } else if (l != hot_) {
        SetHot(l);
      }
      break;
    }
    case WM_LBUTTONDOWN:
      if (hot_ >= 0) {
        pressed_ = hot_;
        Repaint();
      }
      break;
    case WM_LBUTTONUP:
      if (!inClick_ && pressed_ >= 0) {
        {
          struct Guard {
            TsHTMLLabel& l;
            ~Guard() {
              l.pressed_ = -1;
              l.inClick_ = false;
            }
          } guard{*this};
          inClick_ = true;
          if (hot_ >= 0) LinkClick(pressed_);
        }
        Repaint();
      }
      break;
    case WM_MOUSELEAVE:
    case gui::CM_MOUSELEAVE:
      if (hot_ >= 0 || pressed_ >= 0) {
        pressed_ = -1;
        SetHot(-1);
      }
      break;
    default:
      break;
  }
  TsCustomLabel::WndProc(msg);
}

// ---------------------------------------------------------------- TsEditLabel

// The edit control must not keep pointing at a label that is gone.
TsEditLabel::~TsEditLabel() {
  if (!BoundLabel) return;
  BoundLabel->Label = nullptr;
  BoundLabel->CaptionLabel = nullptr;
}

}  // namespace skin
