#include "skin/forms/sSkinMenus.h"

#include <algorithm>
#include <map>

#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerHooks.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"

namespace skin {

bool PopupMeasured = false;
TacMenuLineLookup MenuLineLookup = nullptr;
std::string ExtraLineSection, ExtraLineCaption;
std::unique_ptr<gui::TBitmap> ExtraLineGlyph;

namespace {

// Indices of the standard sections the painter reads.
constexpr int kMenuItemSection = 0, kSpeedButtonSmall = 3, kMainMenu = 29, kDividerV = 34, kMenuCaption = 39,
              kMenuLine = 42;
// Disabled items are faded over their background by this transparency.
constexpr uint8_t kGlobalDisabledBlend = 100;
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK;  // 0x550

std::unique_ptr<gui::TFont> g_globalMenuFont;
int32_t g_iconLineWidth = 0;

std::map<TsSkinManager*, std::unique_ptr<TsSkinableMenus>>& Painters() {
  static std::map<TsSkinManager*, std::unique_ptr<TsSkinableMenus>> painters;
  return painters;
}

// The system's menu font, read once.
gui::TFont& ScreenMenuFont() {
  static gui::TFont font;
  static bool read = false;
  if (!read) {
    read = true;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
      font.SetName(rtl::U8(ncm.lfMenuFont.lfFaceName));
      font.SetHeight(ncm.lfMenuFont.lfHeight);
      font.SetCharset(ncm.lfMenuFont.lfCharSet);
    }
  }
  return font;
}

// The handlers the painter installs, recognisable by their type and painter.
struct TPainterMeasure {
  TsSkinableMenus* Painter;
  bool MenuBar;
  void operator()(rtl::TObject* sender, gui::TCanvas& canvas, int& w, int& h) const {
    auto* item = static_cast<gui::TMenuItem*>(sender);
    if (MenuBar)
      Painter->MeasureMenuBarItem(item, canvas, w, h);
    else
      Painter->MeasureItem(item, canvas, w, h);
  }
};
struct TPainterDraw {
  TsSkinableMenus* Painter;
  bool MenuBar;
  void operator()(rtl::TObject* sender, gui::TCanvas& canvas, const TRect& r, gui::TOwnerDrawState state) const {
    auto* item = static_cast<gui::TMenuItem*>(sender);
    if (MenuBar) {
      gui::TBitmap* image = nullptr;
      int x = 0, y = 0;
      if (!(MenuLineLookup && MenuLineLookup(item, r, image, x, y) &&
            Painter->DrawMenuBarItem(item, canvas, r, state, image, x, y)))
        item->DrawPlain(canvas, r, state);
    } else
      Painter->DrawItem(item, canvas, r, state);
  }
};

template <class H, class E>
bool IsPainters(const E& event, const TsSkinableMenus* painter, bool menuBar) {
  const H* h = event.template target<H>();
  return h && h->Painter == painter && h->MenuBar == menuBar;
}

std::string StripAmpersands(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != '&') r.push_back(c);
  return r;
}

gui::TCustomForm* ItemForm(const gui::TMenuItem* item) {
  gui::TMenu* menu = item ? item->GetParentMenu() : nullptr;
  return menu ? GetOwnerForm(menu) : nullptr;
}

// A copy of a 32-bit bitmap's part at (X, Y) of its size into Dst.
void CopyPart(gui::TBitmap& dst, gui::TBitmap& src, int x, int y) {
  BitBlt(dst.Canvas().Handle(), 0, 0, dst.Width(), dst.Height(), src.Canvas().Handle(), x, y, SRCCOPY);
}

void CopyToCanvas(gui::TCanvas& canvas, gui::TBitmap& bmp, int x, int y) {
  BitBlt(canvas.Handle(), x, y, bmp.Width(), bmp.Height(), bmp.Canvas().Handle(), 0, 0, SRCCOPY);
}

// A shared glyph of the standard list in Color with its top-left at (X, Y).
void DrawSharedGlyph(gui::TBitmap& bmp, int index, int x, int y, TColor color, int ppi, bool active) {
  TsCharImageList* list = StandardGlyphs();
  if (!list || index >= GetImageListCount(list)) return;
  SetCharListColor(list, color, index, true);
  TPoint size;
  DrawListImage(list, bmp, x, y, index, 0, clNone, active ? 1 : 0, 1, false, ppi, size);
}

}  // namespace

gui::TFont* GlobalMenuFont() { return g_globalMenuFont.get(); }

int32_t PopupClientOffset(HWND wnd, int32_t fallback) {
  RECT wr;
  POINT origin{0, 0};
  if (!wnd || !GetWindowRect(wnd, &wr) || !ClientToScreen(wnd, &origin)) return fallback;
  return origin.x - wr.left;
}

std::vector<std::unique_ptr<TacPopupCache>>& PopupCacheList() {
  static std::vector<std::unique_ptr<TacPopupCache>> list;
  return list;
}

void ClearMenuCache() { PopupCacheList().clear(); }

void FinalSkinMenus() {
  ClearMenuCache();
  g_globalMenuFont.reset();
  ExtraLineGlyph.reset();
  ExtraLineSection.clear();
  ExtraLineCaption.clear();
  Painters().clear();
}

TsSkinableMenus* SkinableMenus(TsSkinManager* manager) {
  if (!manager) return nullptr;
  auto& p = Painters()[manager];
  if (!p) p = std::make_unique<TsSkinableMenus>(manager);
  return p.get();
}

namespace {
// A control's popup menu, just before it opens: skinned while its manager is active and
// skins popups, given its own look otherwise (the manager may have gone inactive since the
// menu was last skinned).
void PrepareControlPopup(TsSkinManager* manager, gui::TPopupMenu* menu) {
  if (TsSkinableMenus* p = SkinableMenus(manager)) p->HookMenu(menu, manager->Active() && manager->SkinnedPopups());
}
[[maybe_unused]] const bool kPopupPreparationInstalled = (PreparePopupMenu = &PrepareControlPopup, true);
}  // namespace

// ---------------------------------------------------------------- options

TacMenuSupport::TacMenuSupport() {
  font_.PixelsPerInch = 96;
  font_.SetSize(8);
}

TacMenuSupport::~TacMenuSupport() {
  if (customFont_) g_globalMenuFont.reset();
}

void TacMenuSupport::SetFont(const gui::TFont& value) {
  font_.Assign(&value);
  if (!g_globalMenuFont) g_globalMenuFont = std::make_unique<gui::TFont>();
  g_globalMenuFont->Assign(&font_);
}

void TacMenuSupport::SetCustomFont(bool value) {
  customFont_ = value;
  std::string name;
  if (TsSkinManager* m = DefaultManager()) {
    if (m->Fonts.MainMode() == TacFontMode::fmFromSkin)
      name = m->CommonInfo().MainFont;
    else if (m->Fonts.MainMode() == TacFontMode::fmCustom)
      name = m->Fonts.MainFont();
  }
  if (value || !name.empty()) {
    if (!g_globalMenuFont) g_globalMenuFont = std::make_unique<gui::TFont>();
    g_globalMenuFont->PixelsPerInch = 96;
    g_globalMenuFont->Assign(&font_);
    if (!name.empty()) g_globalMenuFont->SetName(name);
  } else {
    g_globalMenuFont.reset();
  }
}

// ---------------------------------------------------------------- the painter

TsSkinableMenus::TsSkinableMenus(TsSkinManager* owner) : manager_(owner) {
  // The application window's hook hands the border requests of the item painter here.
  MenuBorderRequest = [](TsSkinManager* m, UINT msg, LPARAM lParam) {
    TsSkinableMenus* menus = SkinableMenus(m);
    return menus && menus->AnswerBorderMessage(msg, lParam);
  };
}

TsSkinableMenus::~TsSkinableMenus() = default;

int32_t TsSkinableMenus::Margin() const {
  return manager_ && manager_->IsSkinLoaded() && skinData_ ? MenuScale(margin_, skinData_->PPI) : margin_;
}

int32_t TsSkinableMenus::Spacing() const { return skinData_ ? MenuScale(spacing_, skinData_->PPI) : spacing_; }

int32_t TsSkinableMenus::BorderWidth() const {
  return skinData_ ? MenuScale(borderWidth_, skinData_->PPI) : borderWidth_;
}

int32_t TsSkinableMenus::SectionIndex(int standardIndex) const {
  if (!skinData_ || !manager_ || !manager_->IsSkinLoaded()) return -1;
  if (standardIndex == kMenuItemSection && skinData_->MenuItemElem.Section >= 0)
    return skinData_->MenuItemElem.Section;
  return skinData_->StandardSections[size_t(standardIndex)];
}

int32_t TsSkinableMenus::NamedSection(const std::string& name) const {
  if (!skinData_ || !manager_ || !manager_->IsSkinLoaded() || name.empty()) return -1;
  return manager_->GetSkinIndex(name, skinData_);
}

// The skin's spacing: 4 pixels at the skin data's PPI.
int32_t TsSkinableMenus::SkinSpacing() const { return MenuScale(4, skinData_ ? skinData_->PPI : 96); }

int32_t TsSkinableMenus::IconLineWidth() const { return g_iconLineWidth; }

// ---- switching

void TsSkinableMenus::SetActive(bool value) {
  hooked_ = value;
  if (!manager_ || manager_->Designing() || !gui::Application) return;
  const bool popups = manager_->SkinnedPopups();
  std::function<void(rtl::TComponent*)> walk = [&](rtl::TComponent* owner) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
      rtl::TComponent* c = owner->Components(i);
      if (auto* mm = dynamic_cast<gui::TMainMenu*>(c)) {
        HookMainMenu(mm, value);
        for (int j = 0; j < mm->Items()->Count(); ++j) HookItems(mm->Items()->Items(j), value && popups);
      } else if (auto* pm = dynamic_cast<gui::TPopupMenu*>(c)) {
        HookMenu(pm, value && popups);
      } else if (auto* mi = dynamic_cast<gui::TMenuItem*>(c)) {
        if (!dynamic_cast<gui::TMainMenu*>(mi->GetParentMenu())) HookItems(mi, value && popups);
      }
      walk(c);
    }
  };
  walk(gui::Application);
}

void TsSkinableMenus::UpdateActive() { ChangeActive(manager_ && manager_->IsSkinLoaded()); }

bool TsSkinableMenus::HoldsPopupHandlers(const gui::TMenuItem* item) const {
  return IsPainters<TPainterMeasure>(item->OnMeasureItem, this, false) &&
         IsPainters<TPainterDraw>(item->OnAdvancedDrawItem, this, false);
}

bool TsSkinableMenus::HoldsMenuBarHandlers(const gui::TMenuItem* item) const {
  return IsPainters<TPainterMeasure>(item->OnMeasureItem, this, true) &&
         IsPainters<TPainterDraw>(item->OnAdvancedDrawItem, this, true);
}

namespace {
// The painter's popup handlers in, where the item has none; out, where they are the painter's.
void SwitchPopupHandlers(TsSkinableMenus* p, gui::TMenuItem* item, bool value) {
  if (value) {
    if (!item->OnAdvancedDrawItem) item->OnAdvancedDrawItem = TPainterDraw{p, false};
    if (!item->OnMeasureItem) item->OnMeasureItem = TPainterMeasure{p, false};
  } else {
    if (IsPainters<TPainterDraw>(item->OnAdvancedDrawItem, p, false)) item->OnAdvancedDrawItem = nullptr;
    if (IsPainters<TPainterMeasure>(item->OnMeasureItem, p, false)) item->OnMeasureItem = nullptr;
  }
}
void SwitchMenuBarHandlers(TsSkinableMenus* p, gui::TMenuItem* item, bool value) {
  if (value) {
    item->OnAdvancedDrawItem = TPainterDraw{p, true};
    item->OnMeasureItem = TPainterMeasure{p, true};
  } else {
    if (IsPainters<TPainterDraw>(item->OnAdvancedDrawItem, p, true)) item->OnAdvancedDrawItem = nullptr;
    if (IsPainters<TPainterMeasure>(item->OnMeasureItem, p, true)) item->OnMeasureItem = nullptr;
  }
}
}  // namespace

void TsSkinableMenus::HookItems(gui::TMenuItem* item, bool value) {
  if (!item) return;
  for (int i = 0; i < item->Count(); ++i) {
    gui::TMenuItem* c = item->Items(i);
    if (!IsTopMainItem(c)) SwitchPopupHandlers(this, c, value);
    HookItems(c, value);
  }
}

void TsSkinableMenus::HookMenu(gui::TPopupMenu* menu, bool value) {
  if (!menu || (menu->ComponentState() & rtl::csDestroying)) return;
  menu->SetOwnerDraw(value);
  HookItems(menu->Items(), value);
}

void TsSkinableMenus::HookMainMenu(gui::TMainMenu* menu, bool value) {
  if (!menu || (menu->ComponentState() & rtl::csDestroying)) return;
  gui::TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    if (value) {
      if (!manager_->Active()) continue;
      if (!manager_->SkinnedPopups()) return;
    }
    SwitchMenuBarHandlers(this, root->Items(i), value);
  }
  if (root->Count() > 0) menu->SetOwnerDraw(value);
}

void TsSkinableMenus::HookItem(gui::TMenuItem* item, bool value) {
  if (!item) return;
  if (!value) {
    SwitchPopupHandlers(this, item, false);
    return;
  }
  if (!manager_->SkinnedPopups()) return;
  if (IsTopMainItem(item))
    SwitchMenuBarHandlers(this, item, true);
  else
    SwitchPopupHandlers(this, item, true);
}

// ---- metrics

bool TsSkinableMenus::IsCaptionItem(const gui::TMenuItem* item) {
  return MenuItemKind(item->Caption()) == TsMenuItemType::smCaption;
}

bool TsSkinableMenus::IsTopMainItem(const gui::TMenuItem* item) {
  const gui::TMenuItem* parent = item->Parent();
  return parent && !parent->Parent() && dynamic_cast<gui::TMainMenu*>(item->GetParentMenu()) != nullptr;
}

// The class layer's menus have no reading order of their own, so nothing is mirrored.
bool TsSkinableMenus::IsRightToLeft(const gui::TMenuItem*) { return false; }

bool TsSkinableMenus::NoSkinBorder() const {
  const int32_t m = SectionIndex(kMainMenu);
  if (m < 0) return true;
  return skinData_->Sections[size_t(m)].BorderIndex < 0 ||
         size_t(skinData_->Sections[size_t(m)].BorderIndex) >= skinData_->Masks.size();
}

void TsSkinableMenus::RefreshSkinData(gui::TMenuItem* item) {
  if (!manager_) return;
  const bool first = item && item->Parent() && item->Parent()->Count() > 0 && item->Parent()->Items(0) == item;
  if (!first && skinData_) return;
  menuForm_ = ItemForm(item);
  skinData_ = manager_->GetSkinDataForPPI(menuForm_ ? GetControlPPI(menuForm_) : 96);
  ppi_ = skinData_ ? skinData_->PPI : 96;
}

void TsSkinableMenus::SetupFont(gui::TCanvas& canvas, gui::TMenuItem* item, bool captionFont, bool bold) {
  gui::TFont& f = canvas.Font();
  f.PixelsPerInch = 96;
  (void)captionFont;  // the caption font is the global one or the system's menu font, as for other items
  f.Assign(g_globalMenuFont ? g_globalMenuFont.get() : &ScreenMenuFont());
  gui::TCustomForm* form = ItemForm(item);
  if (!form && gui::Application) form = gui::Application->MainForm();
  if (form) f.SetCharset(form->Font().Charset());
  const int32_t p = GetSkinPPI(manager_, form, false);
  f.SetHeight(p * f.Height() / 96);
  if (bold) f.SetStyle(gui::fsBold);
}

gui::TPoint TsSkinableMenus::GlyphSize(gui::TMenuItem*, bool) const {
  // Items carry neither bitmaps nor image lists in this program: the default glyph size.
  const int32_t p = DefaultGlyphSizeAt(ppi_);
  return {p, p};
}

int32_t TsSkinableMenus::ItemHeight(gui::TCanvas& canvas, gui::TMenuItem* item) {
  const TsMenuItemType kind = MenuItemKind(item->Caption());
  if (kind == TsMenuItemType::smDivider) return 2;
  std::string text = item->Caption();
  if (kind == TsMenuItemType::smNormal && item->ShortCut()) text += gui::ShortCutToText(item->ShortCut());
  SetupFont(canvas, item, false, item->Default());
  TRect r{0, 0, kMeasureBoxWidth, 0};
  canvas.TextRect(r, text, kMeasureFlags);
  return MenuItemHeight(kind, r.Height(), GlyphSize(item, false).Y, Margin());
}

gui::TMenuItem* TsSkinableMenus::FirstVisibleItem(gui::TMenuItem* parent) {
  if (!parent) return nullptr;
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible()) return parent->Items(i);
  return nullptr;
}

namespace {
std::vector<TacPopupEntry> Siblings(gui::TMenuItem* parent) {
  std::vector<TacPopupEntry> v;
  for (int i = 0; parent && i < parent->Count(); ++i) {
    gui::TMenuItem* c = parent->Items(i);
    v.push_back({c->Visible(), c->Break() != gui::TMenuBreak::mbNone, 0});
  }
  return v;
}
}  // namespace

bool TsSkinableMenus::InLaterColumn(gui::TMenuItem* item) {
  if (!item || !item->Parent()) return false;
  return skin::InLaterColumn(Siblings(item->Parent()), item->MenuIndex());
}

// ---- measuring

void TsSkinableMenus::CallExtraLineEvent(gui::TMenuItem* firstItem, bool& lineVisible) {
  if (!OnGetMenuExtraLineData) return;
  ExtraLineSection = "EXTRALINE";
  ExtraLineCaption = "Use OnGetExtraLineData event";
  gui::TBitmap* glyph = ExtraLineGlyph.release();
  OnGetMenuExtraLineData(firstItem, ExtraLineSection, ExtraLineCaption, glyph, lineVisible);
  ExtraLineGlyph.reset(glyph);
  ExtraLineCaption = StripAmpersands(ExtraLineCaption);
  if (!lineVisible) ExtraLineGlyph.reset();
}

void TsSkinableMenus::MeasureItem(gui::TMenuItem* item, gui::TCanvas& canvas, int& width, int& height) {
  if (!item || (item->ComponentState() & rtl::csDestroying)) return;
  PopupMeasured = true;
  RefreshSkinData(item);
  TacPopupCache* rec = GetMenuInfo(item, nullptr, nullptr);
  const TsMenuItemType kind = MenuItemKind(item->Caption());
  itemType_ = kind;
  if (rec && !rec->FirstItem) {
    rec->FirstItem = item->Parent() && item->Parent()->Count() ? item->Parent()->Items(0) : item;
    ExtraLineGlyph.reset();
    rec->LineVisible = true;
    CallExtraLineEvent(rec->FirstItem, rec->LineVisible);
  }
  SetupFont(canvas, item, false, item->Default());
  std::string text;
  TRect box{0, 0, kMeasureBoxWidth, 0};
  if (kind == TsMenuItemType::smCaption) {
    text = item->Caption();
    box.Right = canvas.TextWidth(text);
  } else if (kind == TsMenuItemType::smNormal) {
    text = item->Caption() + gui::ShortCutToText(item->ShortCut());
  }
  if (OnGetPopupItemData) {
    TacMenuItemData data{&canvas.Font()};
    OnGetPopupItemData(item, 0, data);
  }
  TacMenuItemWidthQuery q;
  q.HasText = kind != TsMenuItemType::smDivider;
  q.GlyphWidth = GlyphSize(item, false).X;
  q.Margin = Margin();
  q.Spacing = Spacing();
  q.NoSkinBorder = NoSkinBorder();
  q.BorderWidth = BorderWidth();
  if (q.HasText) {
    canvas.TextRect(box, text, kMeasureFlags);
    q.TextWidth = box.Width();
  }
  if (rec && rec->LineVisible) {
    const bool firstOfParent = item->Parent() && item->Parent()->Items(0) == item;
    if (!InLaterColumn(item) || firstOfParent) q.ExtraLine = ExtraLineWidth(rec);
  }
  width = MenuItemWidth(q);
  height = ItemHeight(canvas, item);
}

void TsSkinableMenus::MeasureMenuBarItem(gui::TMenuItem* item, gui::TCanvas& canvas, int& width, int& height) {
  height = GetSystemMetrics(SM_CYMENU) - 1;
  SetupFont(canvas, item, false, false);
  width = canvas.TextWidth(StripAmpersands(item->Caption()));
}

// ---- popup images

int32_t TsSkinableMenus::ExtraLineWidth(const TacPopupCache* rec) const {
  if (!rec) return 0;
  return ExtraLineWidthAt(MenuSupport.UseExtraLine, rec->LineVisible, MenuSupport.ExtraLineWidth, ppi_);
}

TacPopupCache* TsSkinableMenus::GetMenuInfo(gui::TMenuItem* item, gui::TCanvas* canvas, HWND wnd) {
  auto& list = PopupCacheList();
  if (!item) {
    if (!wnd) return nullptr;
    for (auto& r : list)
      if (r->Wnd == wnd) return r.get();
    return nullptr;
  }
  gui::TMenuItem* key = item->Parent() && item->Parent()->Count() ? item->Parent()->Items(0) : item;
  TacPopupCache* rec = nullptr;
  for (auto& r : list)
    if (r->FirstItem == key) rec = r.get();
  if (!rec) {
    list.push_back(std::make_unique<TacPopupCache>());
    rec = list.back().get();
  }
  if (rec->Image || !canvas) return rec;
  int w = 0, h = 0;
  if (wnd) {
    RECT wr;
    if (GetWindowRect(wnd, &wr)) {
      w = wr.right - wr.left;
      h = wr.bottom - wr.top;
    }
  } else {
    w = PopupWidth(*canvas, item) + 2 * BorderWidth();
    h = PopupHeight(*canvas, item) + 2 * BorderWidth();
  }
  PreparePopupImage(*rec, key, w, h, wnd);
  return rec;
}

int32_t TsSkinableMenus::PopupWidth(gui::TCanvas& canvas, gui::TMenuItem* item) {
  RECT clip;
  if (canvas.HandleAllocated() && GetClipBox(canvas.Handle(), &clip) != NULLREGION) return clip.right - clip.left;
  std::vector<TacPopupEntry> v = Siblings(item->Parent());
  for (int i = 0; item->Parent() && i < item->Parent()->Count(); ++i) {
    if (!v[size_t(i)].Visible) continue;
    int w = 0, h = 0;
    MeasureItem(item->Parent()->Items(i), canvas, w, h);
    v[size_t(i)].Width = w;
  }
  return skin::PopupWidth(v);
}

int32_t TsSkinableMenus::PopupHeight(gui::TCanvas& canvas, gui::TMenuItem* item) {
  std::vector<TacPopupEntry> v = Siblings(item->Parent());
  for (int i = 0; item->Parent() && i < item->Parent()->Count(); ++i)
    if (v[size_t(i)].Visible) v[size_t(i)].Width = ItemHeight(canvas, item->Parent()->Items(i));
  return skin::PopupHeight(v);
}

void TsSkinableMenus::PreparePopupImage(TacPopupCache& rec, gui::TMenuItem* firstItem, int w, int h, HWND wnd) {
  RefreshSkinData(nullptr);
  if (!manager_->Designing()) {
    if (firstItem && firstItem->Name() == "SkinSelectItem") {
      rec.LineVisible = false;
    } else {
      ExtraLineGlyph.reset();
      rec.LineVisible = true;
      CallExtraLineEvent(firstItem, rec.LineVisible);
    }
  }
  rec.FirstItem = firstItem;
  rec.Wnd = wnd;
  rec.Image = CreateBitmap32(std::max(w, 0), std::max(h, 0));
  rec.Completed = false;
  g_iconLineWidth = GlyphSize(firstItem, true).X + Margin() + Spacing();
  cornerRects_.clear();
  const int32_t m = SectionIndex(kMainMenu);
  if (m < 0 || w <= 0 || h <= 0) return;
  gui::TBitmap& image = *rec.Image;
  image.Canvas().Lock();
  const TsGeneralData& sec = skinData_->Sections[size_t(m)];
  const bool hasBorder = sec.BorderIndex >= 0 && size_t(sec.BorderIndex) < skinData_->Masks.size();
  if (SkinBorderWidth < 0)
    SkinBorderWidth = PopupFrameWidth(hasBorder, hasBorder ? skinData_->Masks[size_t(sec.BorderIndex)].BorderLeft : 0);
  const int32_t bw = SkinBorderWidth;
  const int32_t line = ExtraLineWidth(&rec);
  {
    TSkinOnBitmap skin(manager_, skinData_, image);
    TBitmap32 px = Pixels32(image);
    const TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
    PaintSkinSectionBackground(skin.Source, m, EmptyBackgroundCache(), 0, {0, 0, w, h}, {0, 0}, px);
    // The icon column over the background, then the frame, then the extra line.
    if (const int32_t ico = NamedSection(MenuSupport.IcoLineSkin); ico >= 0) {
      const TRect r{bw + line, bw, bw + line + g_iconLineWidth, h - bw};
      PaintSkinSection(skin.Source, ico, self, 0, r, {r.Left, r.Top}, px);
    }
    if (hasBorder)
      DrawSkinMask(px, {0, 0, w, h}, self, skinData_->Masks[size_t(sec.BorderIndex)], skin.Source.Master, 0, true);
    if (line > 0)
      if (const int32_t ex = NamedSection(ExtraLineSection); ex >= 0) {
        const TRect r{bw, bw, bw + line, h - bw};
        PaintSkinSection(skin.Source, ex, self, 0, r, {r.Left, r.Top}, px);
      }
  }
  if (line > 0) {
    int bottomSpace = 12;
    if (ExtraLineGlyph && !ExtraLineGlyph->Empty()) {
      const int gw = ExtraLineGlyph->Width(), gh = ExtraLineGlyph->Height();
      bottomSpace += gh + 8;
      const int left = (line - gw) / 2 + bw;
      const int bottom = h - 2 * bw - SkinSpacing();
      image.Canvas().Draw(left, bottom - gh, ExtraLineGlyph.get());
    }
    if (!ExtraLineCaption.empty()) {
      gui::TCanvas& c = image.Canvas();
      const gui::TFont& ef = MenuSupport.ExtraLineFont();
      LOGFONTW lf{};
      lf.lfHeight = ef.Height() * ppi_ / 96;
      lf.lfEscapement = lf.lfOrientation = 2700 - 5400;  // bottom to top
      lf.lfWeight = (ef.Style() & gui::fsBold) ? 700 : 400;
      lf.lfItalic = (ef.Style() & gui::fsItalic) != 0;
      lf.lfUnderline = (ef.Style() & gui::fsUnderline) != 0;
      lf.lfStrikeOut = (ef.Style() & gui::fsStrikeOut) != 0;
      lf.lfCharSet = ef.Charset();
      lf.lfQuality = ANTIALIASED_QUALITY;
      const std::wstring face = rtl::W(ef.Name());
      wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
      c.Font().SetHandle(CreateFontIndirectW(&lf));
      const int32_t ex = NamedSection(ExtraLineSection);
      c.Font().SetColor(ex >= 0 ? TColor(skinData_->Sections[size_t(ex)].StateParams[0].FontColor) : ef.Color());
      c.Brush().SetStyle(gui::bsClear);
      const TRect r{bw, 0, bw + line, h - 2 * bw};
      const int tw = c.TextWidth(ExtraLineCaption);
      const int th = c.TextHeight(ExtraLineCaption);
      (void)tw;
      c.TextRect(r, r.Left + (r.Width() - th) / 2, h - bottomSpace, ExtraLineCaption);
    }
    ExtraLineGlyph.reset();
  }
  // The frame's transparent corners, for the window region.
  if (const int32_t mask = manager_->GetMaskIndex(m, "BORDERSMASK", skinData_); mask >= 0) {
    const TsMaskData& md = skinData_->Masks[size_t(mask)];
    TMaskLayout lay;
    TBitmap32 px = Pixels32(image);
    TSkinOnBitmap skin(manager_, skinData_, image);
    if (LayoutSkinMask(md, skin.Source.Master, {0, 0, w, h}, 0, lay)) {
      const TBitmap32* src = ElementImage(md, skin.Source.Master);
      // Runs of key-colour pixels along the top row of the top corners and the bottom border's
      // first row of the bottom corners.
      auto addRuns = [&](const TRect& dst, const TRect& srcR, int srcY) {
        if (!src) return;
        for (int x = 0; x < dst.Width() && x < srcR.Width(); ++x) {
          if (!src->Inside(srcR.Left + x, srcY)) continue;
          if ((src->At(srcR.Left + x, srcY) & 0xFFFFFF) == 0xFF00FF)
            cornerRects_.push_back({dst.Left + x, dst.Top + (srcY - srcR.Top), dst.Left + x + 1,
                                    dst.Top + (srcY - srcR.Top) + 1});
        }
      };
      for (const TMaskPart& part : lay.Parts) {
        if (part.Kind != mpCorner) continue;
        for (int y = part.Src.Top; y < part.Src.Bottom; ++y) addRuns(part.Dst, part.Src, y);
      }
    }
  }
  image.Canvas().Unlock();
}

void TsSkinableMenus::DrawWndBorder(HWND wnd, gui::TBitmap* image) {
  if (paintingBorder_ || !image || !wnd) return;
  SendMessageW(wnd, SM_ALPHACMD, MAKEWPARAM(0, AC_POPUPBORDER), 0);
  paintingBorder_ = true;
  if (!cornerRects_.empty()) {
    HRGN rgn = CreateRectRgn(0, 0, image->Width(), image->Height());
    for (const TacRect& c : cornerRects_) {
      HRGN cut = CreateRectRgn(c.Left, c.Top, c.Right, c.Bottom);
      CombineRgn(rgn, rgn, cut, RGN_DIFF);
      DeleteObject(cut);
    }
    if (!SetWindowRgn(wnd, rgn, FALSE)) DeleteObject(rgn);
  }
  if (SendMessageW(wnd, SM_ALPHACMD, MAKEWPARAM(0, AC_SETUPDATING), 0) == 0) {
    HDC dc = GetWindowDC(wnd);
    CopyBorderFromDC(dc, 0, 0, image->Width(), image->Height(), image->Canvas().Handle(), 0, 0, 3, 3, 3, 3);
    ReleaseDC(wnd, dc);
  }
  paintingBorder_ = false;
}

bool TsSkinableMenus::AnswerBorderMessage(UINT msg, LPARAM lParam) {
  if (msg != WM_ACPAINTMENUBORDER && msg != WM_ACPAINTMENUWNDBORDER) return false;
  if (!manager_ || !manager_->SkinnedPopups()) return true;
  HWND wnd = nullptr;
  gui::TMenuItem* item = nullptr;
  if (msg == WM_ACPAINTMENUWNDBORDER) {
    wnd = reinterpret_cast<HWND>(lParam);
  } else {
    item = gui::TMenuItem::FromItemData(ULONG_PTR(lParam));
    gui::TMenu* menu = item ? item->GetParentMenu() : nullptr;
    if (!menu || !item->Parent()) return true;
    HMENU h = item->Parent() == menu->Items() ? menu->Handle() : item->Parent()->Handle();
    RECT r;
    if (!GetMenuItemRect(nullptr, h, 0, &r) && !GetMenuItemRect(gui::TPopupMenu::PopupListWindow(), h, 0, &r))
      return true;
    const POINT c{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    wnd = WindowFromPoint(c);
    wchar_t cls[16]{};
    if (!wnd || !GetClassNameW(wnd, cls, 16) || std::wstring(cls) != L"#32768") return true;
  }
  TacPopupCache* rec = GetMenuInfo(item, nullptr, wnd);
  if (rec && rec->Image) DrawWndBorder(wnd, rec->Image.get());
  return true;
}

// ---------------------------------------------------------------- painting

void TsSkinableMenus::DrawItem(gui::TMenuItem* item, gui::TCanvas& canvas, const TRect& arect,
                               gui::TOwnerDrawState state) {
  canvas.Lock();
  struct TUnlock {
    gui::TCanvas& c;
    gui::TMenuItem* item;
    const TRect& r;
    gui::TOwnerDrawState st;
    ~TUnlock() { c.Unlock(); }
  } unlock{canvas, item, arect, state};
  if (manager_ && manager_->Active() && manager_->IsSkinLoaded()) [&] {
      RefreshSkinData(item);
      TRect r = arect;
      if (NoSkinBorder()) {
        RECT clip;
        if (GetClipBox(canvas.Handle(), &clip) != NULLREGION) {
          if (clip.right - r.Right < 10) r.Right = clip.right;
          if (clip.bottom - r.Bottom < 10) r.Bottom = clip.bottom;
        }
      }
      const bool rtl = IsRightToLeft(item);
      HWND wnd = WindowFromDC(canvas.Handle());
      TacPopupCache* rec = GetMenuInfo(item, &canvas, wnd);
      gui::TBitmap* image = rec ? rec->Image.get() : nullptr;
      if (!wnd && gui::Application) {
        MSG pending;
        HWND app = gui::Application->Handle();
        if (!PeekMessageW(&pending, app, WM_ACPAINTMENUBORDER, WM_ACPAINTMENUWNDBORDER, PM_NOREMOVE))
          PostMessageW(app, WM_ACPAINTMENUBORDER, 0, reinterpret_cast<LPARAM>(item));
      }
      if (wnd && image && FirstVisibleItem(item->Parent()) == item) DrawWndBorder(wnd, image);
      const TsMenuItemType kind = MenuItemKind(item->Caption());
      if (kind == TsMenuItemType::smDivider) {
        itemType_ = kind;
        if (rec) DrawSeparator(canvas, r, *rec, item);
        return;
      }
      if (kind == TsMenuItemType::smCaption) {
        itemType_ = kind;
        if (rec) DrawCaptionItem(canvas, r, *rec, item);
        return;
      }
      itemType_ = TsMenuItemType::smNormal;
      if (!image || r.IsEmpty()) return;
      const int32_t d = PopupClientOffset(wnd ? wnd : rec->Wnd, borderWidth_);
      const int32_t s = SectionIndex(kMenuItemSection);
      gui::TMenuItem* parent = item->Parent();
      const bool last = parent && parent->Items(parent->Count() - 1) == item;
      // Column edges: the bar of a bar break, and the popup's background below a column.
      if (!last) {
        if (!rec->Completed && item->Break() == gui::TMenuBreak::mbBarBreak) {
          const TColor c = s >= 0 ? TColor(skinData_->Sections[size_t(s)].StateParams[0].FontColor) : TColor(0x808080);
          HBRUSH b = CreateSolidBrush(ColorToRGB(c) & 0xFFFFFF);
          RECT line{r.Left, 0, r.Left + 1, image->Height()};
          FillRect(image->Canvas().Handle(), &line, b);
          DeleteObject(b);
        }
        const int i = item->MenuIndex();
        if (i + 1 < parent->Count() && parent->Items(i + 1)->Break() != gui::TMenuBreak::mbNone)
          BitBlt(canvas.Handle(), r.Left, r.Bottom, r.Width(), image->Height() - 2 * d - r.Bottom,
                 image->Canvas().Handle(), d + r.Left, d + r.Bottom, SRCCOPY);
      } else {
        if (r.Bottom < image->Height() - 2 * d)
          BitBlt(canvas.Handle(), r.Left, r.Bottom, r.Width(), image->Height() - 2 * d - r.Bottom,
                 image->Canvas().Handle(), d + r.Left, d + r.Bottom, SRCCOPY);
        rec->Completed = true;
      }
      auto b = CreateBitmap32(r.Width(), r.Height());
      CopyPart(*b, *image, d + r.Left, d + r.Top);
      const TRect q = ItemContentRect({r, image->Width(), d, ExtraLineWidth(rec), rtl});
      const bool selected = item->Enabled() && (state & gui::odSelected);
      const int32_t itemState = s >= 0 ? MenuSectionState(selected ? 1 : 0, skinData_->Sections[size_t(s)].States) : 0;
      {
        TSkinOnBitmap skin(manager_, skinData_, *b);
        TBitmap32 px = Pixels32(*b);
        TBitmap32 imagePx = Pixels32(*image);
        const TacBackgroundCache bg = MakeBackgroundCache(&imagePx, d, d);
        if (s >= 0 && (selected || skinData_->Sections[size_t(s)].StateParams[0].Transparency < 100))
          PaintSkinSection(skin.Source, s, bg, itemState, q, {r.Left + q.Left, r.Top}, px);
        // The check mark: the skin's element, else the standard glyph.
        if (state & gui::odChecked) {
          const int32_t gi = skinData_->GlobalInfoIndex;
          int32_t mask = gi >= 0 ? manager_->GetMaskIndex(gi, item->RadioItem() ? "RADIOCHECKED" : "CHECK", skinData_) : -1;
          if (item->RadioItem() && !TacButtonsSupport::GetOldGlyphsMode()) mask = -1;
          const TColor fc = s >= 0 ? TColor(skinData_->Sections[size_t(s)].StateParams[size_t(itemState)].FontColor)
                                   : TColor(0);
          if (mask >= 0) {
            const TsMaskData& md = skinData_->Masks[size_t(mask)];
            int left = CheckGlyphLeft(q, g_iconLineWidth, md.FrameWidth, true);
            if (rtl) left = q.Left + q.Right - left - md.FrameWidth;
            DrawMaskGlyph(px, {left, (r.Height() - md.FrameHeight) / 2}, selected ? 1 : 0, 1, md, skin.Source.Master,
                          EmptyBackgroundCache());
          } else {
            const int index = item->RadioItem() ? sgRadioMark : sgCheckMark;
            TsCharImageList* list = StandardGlyphs();
            const int gw = list ? list->ItemWidth(index, ppi_) : 0, gh = list ? list->ItemHeight(index, ppi_) : 0;
            int left = CheckGlyphLeft(q, g_iconLineWidth, gw, false);
            if (rtl) left = q.Left + q.Right - left - gw;
            DrawSharedGlyph(*b, index, left, (r.Height() - gh) / 2, fc, ppi_, selected);
          }
        }
      }
      // The caption and the shortcut.
      SetupFont(b->Canvas(), item, false, (state & gui::odDefault) != 0);
      int32_t textSection = s;
      if (OnGetPopupItemData) {
        const TColor before = b->Canvas().Font().Color();
        TacMenuItemData data{&b->Canvas().Font()};
        OnGetPopupItemData(item, state, data);
        if (b->Canvas().Font().Color() != before) textSection = -1;
      }
      const TacMenuCaption cap = SplitMenuCaption(item->Caption());
      const bool active = item->Enabled() && (state & (gui::odSelected | gui::odHotLight));
      const int32_t textState = textSection >= 0 ? MenuSectionState(active ? 1 : 0, skinData_->Sections[size_t(textSection)].States) : 0;
      TRect t = ItemTextRect(q, r.Height(), GlyphSize(item, false).X, Margin(), Spacing(), rtl);
      UINT flags = (item->Caption().find('\r') != std::string::npos ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS |
                   DT_VCENTER | DT_NOCLIP;
      if (cap.RightAligned)
        flags |= DT_RIGHT;
      else if (cap.RightText.empty())
        flags |= Alignment == gui::TAlignment::taRightJustify ? DT_RIGHT
                 : Alignment == gui::TAlignment::taCenter     ? DT_CENTER
                                                              : DT_LEFT;
      if (rtl) flags |= DT_RIGHT | DT_RTLREADING;
      if (state & gui::odNoAccel) flags |= DT_HIDEPREFIX;
      WriteSkinText(b->Canvas(), cap.Text, true, t, flags, textSection >= 0 ? skinData_ : nullptr, textSection, textState);
      TRect lastRect = t;
      if (const std::string key = gui::ShortCutToText(item->ShortCut()); !key.empty()) {
        TRect calc{0, 0, 0, 0};
        b->Canvas().TextRect(calc, key, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
        lastRect = ShortcutRect(q, r.Height(), calc.Width(), SkinSpacing(), rtl);
        WriteSkinText(b->Canvas(), key, true, lastRect, DT_SINGLELINE | DT_VCENTER, textSection >= 0 ? skinData_ : nullptr,
                      textSection, textState);
      }
      if (!cap.RightText.empty()) {
        lastRect.Right -= 8;
        WriteSkinText(b->Canvas(), cap.RightText, true, lastRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT,
                      textSection >= 0 ? skinData_ : nullptr, textSection, textState);
      }
      if (OnDrawItem) OnDrawItem(item, b->Canvas(), {0, 0, r.Width(), r.Height()}, state, itemType_);
      if (!item->Enabled()) {
        // Faded over the popup's background by the engine's disabled blend.
        TBitmap32 px = Pixels32(*b);
        TBitmap32 imagePx = Pixels32(*image);
        BlendCopyBitmap(px, 0, 0, imagePx, {d + r.Left, d + r.Top, d + r.Right - 1, d + r.Bottom - 1},
                        kGlobalDisabledBlend, clFuchsia);
      }
      CopyToCanvas(canvas, *b, r.Left, r.Top);
    }();
  if (item->OnDrawItem) item->OnDrawItem(item, canvas, arect, (state & gui::odSelected) != 0);
}

void TsSkinableMenus::DrawSeparator(gui::TCanvas& canvas, const TRect& r, TacPopupCache& rec, gui::TMenuItem* item) {
  gui::TBitmap* image = rec.Image.get();
  if (!image) return;
  const int32_t d = PopupClientOffset(rec.Wnd, borderWidth_);
  const bool rtl = IsRightToLeft(item);
  const int32_t line = ExtraLineWidth(&rec);
  int32_t icon = 0;
  if (const int32_t ico = NamedSection(MenuSupport.IcoLineSkin); ico >= 0) {
    const TsGeneralData& sec = skinData_->Sections[size_t(ico)];
    if (sec.StateParams[0].Transparency < 100 || (sec.BorderIndex >= 0 && size_t(sec.BorderIndex) < skinData_->Masks.size()))
      icon = SkinSpacing() + g_iconLineWidth;
  }
  const TRect lr = DividerLineRect(r.Width(), Margin(), line, icon, rtl);
  auto b = CreateBitmap32(r.Width(), r.Height());
  CopyPart(*b, *image, d + r.Left, d + r.Top);
  const int32_t dv = SectionIndex(kDividerV);
  const int32_t dvMask = dv >= 0 ? skinData_->Sections[size_t(dv)].BorderIndex : -1;
  if (dvMask >= 0 && size_t(dvMask) < skinData_->Masks.size()) {
    TSkinOnBitmap skin(manager_, skinData_, *b);
    TBitmap32 px = Pixels32(*b);
    DrawSkinMask(px, {lr.Left, 0, lr.Right, r.Height()}, EmptyBackgroundCache(), skinData_->Masks[size_t(dvMask)],
                 skin.Source.Master, 0, false);
  } else {
    TColor c = TColor(manager_->Palette()[55]);
    if (c == clFuchsia) c = TColor(GetSysColor(COLOR_BTNSHADOW));
    HBRUSH brush = CreateSolidBrush(ColorToRGB(c) & 0xFFFFFF);
    RECT lineRect{lr.Left, 0, lr.Right, 1};
    FillRect(b->Canvas().Handle(), &lineRect, brush);
    DeleteObject(brush);
  }
  if (OnDrawItem) OnDrawItem(item, b->Canvas(), {0, 0, r.Width(), r.Height()}, 0, TsMenuItemType::smDivider);
  CopyToCanvas(canvas, *b, r.Left, r.Top);
}

void TsSkinableMenus::DrawCaptionItem(gui::TCanvas& canvas, const TRect& r, TacPopupCache& rec, gui::TMenuItem* item) {
  gui::TBitmap* image = rec.Image.get();
  if (!image) return;
  const int32_t d = PopupClientOffset(rec.Wnd, borderWidth_);
  auto b = CreateBitmap32(r.Width(), r.Height());
  CopyPart(*b, *image, d + r.Left, d + r.Top);
  TRect q{0, 0, r.Width(), r.Height()};
  const int32_t line = ExtraLineWidth(&rec);
  q.Right -= line;
  if (!IsRightToLeft(item)) q = q.Offset(line, 0);
  const int32_t mc = SectionIndex(kMenuCaption);
  if (mc >= 0) {
    TSkinOnBitmap skin(manager_, skinData_, *b);
    TBitmap32 px = Pixels32(*b);
    TBitmap32 imagePx = Pixels32(*image);
    PaintSkinSection(skin.Source, mc, MakeBackgroundCache(&imagePx, d + 1, d + 1), 0, q, {r.Left + q.Left, r.Top}, px);
  }
  SetupFont(b->Canvas(), item, true, false);
  TRect t{q.Left, q.Top + Margin() + 2, q.Right, q.Bottom - Margin() - 2};
  WriteSkinText(b->Canvas(), CaptionItemText(item->Caption()), true, t,
                DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_HIDEPREFIX, mc >= 0 ? skinData_ : nullptr, mc, 0);
  if (OnDrawItem) OnDrawItem(item, b->Canvas(), {0, 0, r.Width(), r.Height()}, 0, TsMenuItemType::smCaption);
  CopyToCanvas(canvas, *b, r.Left, r.Top);
}

bool TsSkinableMenus::DrawMenuBarItem(gui::TMenuItem* item, gui::TCanvas& canvas, const TRect& r,
                                      gui::TOwnerDrawState state, gui::TBitmap* menuLineImage, int x, int y,
                                      bool rightToLeftReading) {
  if (!manager_ || !menuLineImage || menuLineImage->Empty() || r.IsEmpty()) return false;
  RefreshSkinData(item);
  if (!skinData_) return false;
  auto b = CreateBitmap32(r.Width(), r.Height());
  CopyPart(*b, *menuLineImage, x, y);
  const bool active = item->Enabled() && (state & (gui::odSelected | gui::odHotLight));
  const int32_t s = SectionIndex(kMenuItemSection);
  if (s >= 0) {
    TSkinOnBitmap skin(manager_, skinData_, *b);
    TBitmap32 px = Pixels32(*b);
    TBitmap32 linePx = Pixels32(*menuLineImage);
    PaintSkinSection(skin.Source, s, MakeBackgroundCache(&linePx, x, y),
                     MenuSectionState(active ? 1 : 0, skinData_->Sections[size_t(s)].States),
                     {0, 0, r.Width(), r.Height()}, {0, 0}, px);
  }
  SetupFont(b->Canvas(), item, false, (state & gui::odDefault) != 0);
  TRect t{2, 0, r.Width() - 2 * Margin() + 2, r.Height()};
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
  if (rightToLeftReading) flags |= DT_RTLREADING;
  if (state & gui::odNoAccel) flags |= DT_HIDEPREFIX;
  const int32_t ml = SectionIndex(kMenuLine);
  const int32_t textState = ml >= 0 ? MenuSectionState(active ? 1 : 0, skinData_->Sections[size_t(ml)].States) : 0;
  WriteSkinText(b->Canvas(), item->Caption(), true, t, flags, ml >= 0 ? skinData_ : nullptr, ml, textState);
  if (OnDrawItem) OnDrawItem(item, b->Canvas(), {0, 0, r.Width(), r.Height()}, state, TsMenuItemType::smTopLine);
  if (!item->Enabled()) {
    TBitmap32 px = Pixels32(*b);
    TBitmap32 linePx = Pixels32(*menuLineImage);
    BlendCopyBitmap(px, 0, 0, linePx, {x, y, x + r.Width() - 1, y + r.Height() - 1}, kGlobalDisabledBlend, clFuchsia);
  }
  CopyToCanvas(canvas, *b, r.Left, r.Top);
  return true;
}

}  // namespace skin
