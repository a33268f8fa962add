#include "skin/forms/acDialogWnd.h"

#include <algorithm>

#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sConstUnit.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acDials.h"
#include "skin/forms/acGlow.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

bool DialogRegionSetting = false;
bool DialogButtonPressed = false;

namespace {
constexpr UINT_PTR kBlendTimerId = 0xAC80;
constexpr UINT kDmSetDefId = 0x401;

int LimitState(int state, int states) { return std::max(0, std::min({state, states - 1, 2})); }

const TsMaskData* Element(const TacSkinData* sd, int32_t index) {
  if (!sd || index < 0 || size_t(index) >= sd->Masks.size()) return nullptr;
  return &sd->Masks[size_t(index)];
}

std::string Caption(const char* english, const std::string& local) { return local.empty() ? english : local; }
}  // namespace

// ---------------------------------------------------------------- system menu

TacSystemMenu::TacSystemMenu(TacDialogWnd* dialog) : dialog_(dialog) {
  const TacCaptions& c = Captions();
  const struct {
    const char* name;
    std::string caption;
  } items[kDialogMenuItems] = {
      {"miRestore", Caption("Restore", c.Restore)},     {"miMove", Caption("Move", c.Move)},
      {"miSize", Caption("Size", c.Size)},              {"miMinimize", Caption("Minimize", c.Minimize)},
      {"miMaximize", Caption("Maximize", c.Maximize)},  {"miClose", Caption("Close", c.Close) + "\tAlt+F4"},
  };
  for (int i = 0; i < kDialogMenuItems; ++i) {
    auto* item = new gui::TMenuItem(nullptr);
    item->SetName(items[i].name);
    item->SetCaption(items[i].caption);
    item->OnClick = [this, i](rtl::TObject*) { Click(TacDialogMenuItem(i)); };
    root_.Add(item);
    items_[i] = item;
  }
}

TacSystemMenu::~TacSystemMenu() {
  for (gui::TMenuItem* item : items_) delete item;
}

void TacSystemMenu::UpdateItems() {
  const TacDialogMenuState s = DialogMenuState(dialog_->DialogStyle());
  for (int i = 0; i < kDialogMenuItems; ++i) {
    items_[i]->SetVisible(s.Visible[i]);
    items_[i]->SetEnabled(s.Enabled[i]);
  }
}

void TacSystemMenu::Click(TacDialogMenuItem i) {
  static constexpr WPARAM kCommands[kDialogMenuItems] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
  HWND wnd = dialog_->Wnd();
  SendMessageW(wnd, WM_SYSCOMMAND, kCommands[i], 0);
  if ((i == miRestore || i == miMaximize) && IsWindow(wnd)) UpdateItems();
}

void TacSystemMenu::Popup(int x, int y) {
  HMENU menu = CreatePopupMenu();
  bool lineDue = false;
  for (int i = 0; i < kDialogMenuItems; ++i) {
    gui::TMenuItem* item = items_[i];
    if (!item->Visible()) continue;
    if (i == miClose && lineDue) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const std::wstring text = rtl::W(item->Caption());
    AppendMenuW(menu, MF_STRING | (item->Enabled() ? 0 : MF_GRAYED), UINT_PTR(i + 1), text.c_str());
    lineDue = true;
  }
  HWND owner = WindowHandle ? WindowHandle : dialog_->Wnd();
  const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | (GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL ? TPM_LAYOUTRTL : 0);
  const int chosen = TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
  DestroyMenu(menu);
  if (chosen > 0 && chosen <= kDialogMenuItems && items_[chosen - 1]->Enabled()) Click(TacDialogMenuItem(chosen - 1));
}

// ---------------------------------------------------------------- the hook

TacDialogWnd::TacDialogWnd() = default;

TacDialogWnd::~TacDialogWnd() {
  FreeTitleAnimations();
  if (blendTimer_ && Wnd() && IsWindow(Wnd())) KillTimer(Wnd(), kBlendTimerId);
  if (ctlBrush_) DeleteObject(ctlBrush_);
  SystemMenu.reset();
  SetExtBorders(false);
}

void TacDialogWnd::HookDialog(HWND wnd) {
  if (TScrollBarFunctions f = ScrollBarFunctions(); f.UninitializeFlatSB) f.UninitializeFlatSB(wnd);
  Install(wnd, false, "DIALOG");
  if (TsCommonData* d = SkinData()) {
    d->FControlKind = 223;
    d->UpdateSkinIndex(true);
  }
  AfterCreation();
  // The dialog paints on after idle messages as any other window.
  SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) & ~LONG(DS_NOIDLEMSG));
}

void TacDialogWnd::AfterCreation() {
  TacMainWnd::AfterCreation();
  ChildrenHooked = false, RegionChanged = true, FormActive = true;
  BorderStyle = TacBorderStyle::bsSingle;
  SkipClientPaint = Globals().WinVersionFlag >= 6;
  CaptionSkinIndex = TitleSkinIndex = -1;
  SystemMenu = std::make_unique<TacSystemMenu>(this);
  SystemMenu->UpdateItems();
  if (TsCommonData* d = SkinData()) d->FUpdating = true;
  SetClassLongPtrW(Wnd(), GCL_STYLE, GetClassLongPtrW(Wnd(), GCL_STYLE) & ~LONG_PTR(CS_SAVEBITS));
  SetDwmTransitions(Wnd(), DrawNonClient());
  InitTitleButtons();
}

void TacDialogWnd::InitDialog() {
  if (!DrawNonClient()) return;
  SavedStyle = uint32_t(GetWindowLongW(Wnd(), GWL_STYLE));
  SavedExStyle = uint32_t(GetWindowLongW(Wnd(), GWL_EXSTYLE));
  BorderStyle = DialogBorderStyle(SavedStyle);
  LoadIcon();
  InitTitleButtons();
  if (TsSkinManager* m = SkinData() ? SkinData()->GetSkinManager() : nullptr) CaptionSkinIndex = m->GetSkinIndex("CAPTION");
  // The system draws no caption buttons of its own over the skinned ones.
  SetWindowLongW(Wnd(), GWL_STYLE, LONG(SavedStyle & ~uint32_t(WS_SYSMENU)));
  SystemMenu->UpdateItems();
  if (TsSkinManager* m = SkinData() ? SkinData()->GetSkinManager() : nullptr) SetExtBorders(m->ExtendedBorders());
}

bool TacDialogWnd::DrawNonClient() {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  return m && m->Options.GetOption(6);
}

TacDialogStyle TacDialogWnd::DialogStyle() {
  HWND w = Wnd();
  const uint32_t classStyle = w ? uint32_t(GetClassLongPtrW(w, GCL_STYLE)) : 0;
  return DialogStyleOf(SavedStyle, SavedExStyle, classStyle, w && IsZoomed(w), w && IsIconic(w), BorderStyle);
}

int32_t TacDialogWnd::BorderWidth() {
  RECT wr{}, cr{};
  GetWindowRect(Wnd(), &wr);
  GetClientRect(Wnd(), &cr);
  return std::max<int32_t>(0, ((wr.right - wr.left) - cr.right) / 2);
}

int32_t TacDialogWnd::CaptionHeight() {
  const uint32_t style = uint32_t(GetWindowLongW(Wnd(), GWL_STYLE));
  if (!(style & WS_CAPTION) && !IsIconic(Wnd())) return 0;
  // The skin's title takes the band the system keeps for its caption.
  RECT wr{}, cr{};
  GetWindowRect(Wnd(), &wr);
  GetClientRect(Wnd(), &cr);
  if (IsIconic(Wnd())) return GetSystemMetrics(SM_CYCAPTION);
  return std::max<int32_t>(0, (wr.bottom - wr.top) - cr.bottom - 2 * BorderWidth());
}

int32_t TacDialogWnd::ClientOffsetX() { return BorderWidth(); }
int32_t TacDialogWnd::ClientOffsetY() { return BorderWidth() + CaptionHeight(); }

int32_t TacDialogWnd::ButtonWidth(const TacTitleButtonData& b) {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d ? d->GetScaledSkin() : nullptr;
  const TsMaskData* e = sd && b.GlyphIndex < kTitleButtonImages ? Element(sd, sd->TitleBtnImages[b.GlyphIndex]) : nullptr;
  return e ? e->FrameWidth : kDefaultTitleButtonSize;
}

int32_t TacDialogWnd::ButtonHeight(const TacTitleButtonData& b) {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d ? d->GetScaledSkin() : nullptr;
  const TsMaskData* e = sd && b.GlyphIndex < kTitleButtonImages ? Element(sd, sd->TitleBtnImages[b.GlyphIndex]) : nullptr;
  return e ? e->FrameHeight : kDefaultTitleButtonSize;
}

void TacDialogWnd::InitTitleButtons() {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d ? d->GetScaledSkin() : nullptr;
  if (!sd) return;
  MinBtn.HitCode = kHitMin, MaxBtn.HitCode = kHitMax, CloseBtn.HitCode = kHitClose, HelpBtn.HitCode = kHitHelp;
  const TacDialogStyle s = DialogStyle();
  auto same = [&](int large, int small) { return sd->TitleBtnImages[size_t(large)] == sd->TitleBtnImages[size_t(small)]; };
  const TacDialogGlyphs g = DialogTitleGlyphs(BorderStyle, s.HasMaxButton || s.HasMinButton, false);
  CloseBtn.GlyphIndex = uint8_t(g.Close), MaxBtn.GlyphIndex = uint8_t(g.Max);
  MinBtn.GlyphIndex = uint8_t(g.Min), HelpBtn.GlyphIndex = uint8_t(g.Help);
  CloseBtn.NormalTitle = g.NormalTitle || same(tgClose, tgSmallClose);
  MaxBtn.NormalTitle = g.NormalTitle || same(tgMax, tgSmallMax);
  MinBtn.NormalTitle = g.NormalTitle || same(tgMin, tgSmallMin);
  HelpBtn.NormalTitle = g.NormalTitle || same(tgHelp, tgSmallHelp);
  TsSkinManager* m = d->GetSkinManager();
  TitleSkinIndex = m ? m->GetSkinIndex("DIALOGTITLE") : -1;
}

void TacDialogWnd::LoadIcon() {
  Icon = HICON(SendMessageW(Wnd(), WM_GETICON, ICON_SMALL, 0));
  if (!Icon) Icon = HICON(SendMessageW(Wnd(), WM_GETICON, ICON_BIG, 0));
}

// ---------------------------------------------------------------- the cached image

TacDialogWnd::FrameGeometry TacDialogWnd::Geometry() {
  const TacDialogExtras x = Extras();
  FrameGeometry g;
  g.Border = BorderWidth() + x.Border;
  g.Caption = CaptionHeight() + x.Title - x.Border;
  g.Shift = {x.Border, x.Title};
  return g;
}

void TacDialogWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  if (!d || (State & psBlendMoving)) return;
  RECT wr{};
  GetWindowRect(Wnd(), &wr);
  const int32_t w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (w <= 0 || h <= 0) return;
  if (!d->FCache) d->FCache = CreateBitmap32(w, h);
  gui::TBitmap& cache = *d->FCache;
  if (cache.Width() != w || cache.Height() != h) {
    cache.SetSize(w, h);
    d->FCacheInvalid = true;
  }
  if (!d->FCacheInvalid) return;
  RegionChanged = true;
  TacSkinData* sd = d->GetScaledSkin();
  TsSkinManager* m = d->GetSkinManager();
  if (sd && m && d->FSkinIndex >= 0 && size_t(d->FSkinIndex) < sd->Sections.size()) {
    const FrameGeometry g = Geometry();
    if (BorderForm) {
      // The frame is painted as large as the border window shows it; the dialog's own
      // picture is the part its window covers.
      const int32_t fw = w + 2 * g.Shift.x, fh = h + g.Shift.y + g.Shift.x;
      if (!frameImage_ || frameImage_->Width() != fw || frameImage_->Height() != fh)
        frameImage_ = CreateBitmap32(fw, fh);
      PaintFrame(*frameImage_, g);
      frameShift_ = g.Shift;
      BitBlt(cache.Canvas().Handle(), 0, 0, w, h, frameImage_->Canvas().Handle(), g.Shift.x, g.Shift.y, SRCCOPY);
    } else {
      frameImage_.reset();
      frameShift_ = {};
      PaintFrame(cache, g);
    }
  }
  d->FCacheInvalid = false;
  borderImage_.reset();
}

void TacDialogWnd::PaintFrame(gui::TBitmap& target, const FrameGeometry& g) {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d->GetScaledSkin();
  TsSkinManager* m = d->GetSkinManager();
  const int32_t w = target.Width(), h = target.Height(), band = g.Border + g.Caption;
  const int state = LimitState(FormActive ? 1 : 0, sd->Sections[size_t(d->FSkinIndex)].States);
  TSkinOnBitmap skin(m, sd, target);
  TBitmap32 px = Pixels32(target);
  GdiFlush();
  FillBitmapRect(px, px.Bounds(), clFuchsia, 0);
  const TacBackgroundCache none;
  const gui::TRect frame{0, 0, w, IsIconic(Wnd()) ? band + 1 : h};
  TRect widths;
  const TBitmap32* frameTemplate = FrameFromTemplate() ? ShadowTemplate(widths) : nullptr;
  if (frameTemplate) {
    // Frame and title are the skin's picture around the dialog, laid as the border
    // window lays it (it reaches past the frame by the shadow margins).
    PaintSkinSectionBackground(skin.Source, d->FSkinIndex, none, state, frame, {0, 0}, px);
    const TacRect s = GetShadowSize();
    DrawBitmapNineParts(px, *frameTemplate, TRect{-s.Left, -s.Top, w + s.Right, h + s.Bottom},
                        TRect{0, 0, frameTemplate->Width(), frameTemplate->Height()}, widths,
                        TRect{255, 255, 255, 255}, TRect{1, 1, 1, 1}, true, false);
  } else {
    PaintSkinSection(skin.Source, d->FSkinIndex, none, state, frame, {0, 0}, px);
  }
  if (DrawNonClient()) PaintCaption(target, state, g);
  // The title without its buttons, for repainting one button; kept at every rebuild, as
  // the title's look follows the activation.
  const int32_t th = std::max(1, band);
  if (!titleImage_ || titleImage_->Width() != w || titleImage_->Height() != th) titleImage_ = CreateBitmap32(w, th);
  BitBlt(titleImage_->Canvas().Handle(), 0, 0, w, band, target.Canvas().Handle(), 0, 0, SRCCOPY);
  if (CaptionHeight() != 0) PaintTitleButtons(target, g);
}

void TacDialogWnd::PaintCaption(gui::TBitmap& cache, int state, const FrameGeometry& g) {
  const int32_t captionH = g.Caption;
  if (CaptionHeight() == 0) return;
  TsCommonData* d = SkinData();
  TacSkinData* sd = d->GetScaledSkin();
  TsSkinManager* m = d->GetSkinManager();
  TSkinOnBitmap skin(m, sd, cache);
  TBitmap32 px = Pixels32(cache);
  const int32_t bw = g.Border;
  int titleState = state;
  if (skin.Source.ValidSection(TitleSkinIndex) && !FrameFromTemplate()) {
    titleState = LimitState(FormActive ? 1 : 0, sd->Sections[size_t(TitleSkinIndex)].States);
    const gui::TRect r{0, 0, cache.Width(), bw + captionH};
    PaintSkinSection(skin.Source, TitleSkinIndex, MakeBackgroundCache(&px, 0, 0), titleState, r, {0, 0}, px);
  }
  // The icon, drawn at the small icon size.
  const int iconW = GetSystemMetrics(SM_CXSMICON), iconH = GetSystemMetrics(SM_CYSMICON);
  const int iconX = bw + sd->TitleBtnLeft, iconY = std::max(0, (bw + captionH - iconH) / 2) + TitleDown();
  GdiFlush();
  HICON copy = Icon ? HICON(CopyImage(Icon, IMAGE_ICON, iconW, iconH, LR_COPYFROMRESOURCE)) : nullptr;
  DrawIconEx(cache.Canvas().Handle(), iconX, iconY, copy ? copy : ::LoadIconW(nullptr, IDI_APPLICATION), iconW, iconH, 0,
             nullptr, DI_NORMAL);
  if (copy) DestroyIcon(copy);
  GdiFlush();
  for (int y = std::max(0, iconY); y < std::min(iconY + iconH, px.Height()); ++y)
    for (int x = std::max(0, iconX); x < std::min(iconX + iconW, px.Width()); ++x) px.At(x, y) |= 0xFF000000u;
  // The caption text between the icon and the buttons.
  const std::wstring text = GetWindowWideText(Wnd());
  if (text.empty()) return;
  gui::TCanvas& canvas = cache.Canvas();
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  std::string font = rtl::U8(ncm.lfCaptionFont.lfFaceName);
  if (!m->CommonInfo().MainFont.empty()) font = m->CommonInfo().MainFont;
  canvas.Font().SetName(font);
  canvas.Font().SetHeight(sd->ScaleInt(-11));
  const int32_t buttonsW = SavedStyle & WS_SYSMENU ? ButtonWidth(CloseBtn) * 4 : 0;
  gui::TRect r{iconX + iconW + sd->ScaleInt(4), TitleDown(), cache.Width() - bw - sd->TitleBtnRight - buttonsW,
               bw + captionH + TitleDown()};
  if (r.Right <= r.Left) return;
  const std::string caption = rtl::U8(text);
  const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  int section = TitleSkinIndex >= 0 ? TitleSkinIndex : d->FSkinIndex;
  if (CaptionSkinIndex >= 0 && size_t(CaptionSkinIndex) < sd->Sections.size()) {
    gui::TRect calc = r;
    DrawTextOnCanvas(canvas, caption, calc, flags | DT_CALCRECT);
    const int32_t top = r.Top + (r.Height() - calc.Height()) / 2;
    const gui::TRect back{calc.Left - 4, top - 2, calc.Right + 4, top + calc.Height() + 2};
    titleState = LimitState(FormActive ? 1 : 0, sd->Sections[size_t(CaptionSkinIndex)].States);
    PaintSkinSection(skin.Source, CaptionSkinIndex, MakeBackgroundCache(&px, 0, 0), titleState, back,
                     {back.Left, back.Top}, px);
    section = CaptionSkinIndex;
  }
  canvas.Brush().SetStyle(gui::bsClear);
  WriteSkinText(canvas, caption, true, r, flags, sd, section, titleState);
}

void TacDialogWnd::PaintTitleButtons(gui::TBitmap& cache, const FrameGeometry& g) {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d->GetScaledSkin();
  const TacDialogStyle s = DialogStyle();
  if (!s.HasSysMenu) return;
  const TacDialogButtonStates e = DialogButtonStates(s);
  const bool normalLook = BorderStyle == TacBorderStyle::bsNone || BorderStyle == TacBorderStyle::bsSingle ||
                          BorderStyle == TacBorderStyle::bsDialog || CloseBtn.GlyphIndex == 1;
  int32_t x = cache.Width() - sd->TitleBtnRight - std::max(4, g.Border);
  // The buttons' rectangles are kept relative to the dialog's window, wherever the picture
  // they are drawn in lies.
  auto place = [&](TacTitleButtonData& b, bool enabled, int glyph) {
    gui::TRect r;
    r.Right = x;
    r.Left = x - ButtonWidth(b);
    if (b.NormalTitle && d->GetSkinManager() && d->GetSkinManager()->CommonInfo().TitleIconAlign == 1)
      r.Top = 0;
    else
      r.Top = (g.Border + g.Caption - ButtonHeight(b)) / 2 + TitleDown();
    r.Bottom = r.Top + ButtonHeight(b);
    b.Rect = {r.Left - g.Shift.x, r.Top - g.Shift.y, r.Right - g.Shift.x, r.Bottom - g.Shift.y};
    const TsMaskData* el = Element(sd, glyph < kTitleButtonImages ? sd->TitleBtnImages[size_t(glyph)] : -1);
    if (el) {
      TSkinOnBitmap skin(d->GetSkinManager(), sd, cache);
      TBitmap32 px = Pixels32(cache);
      GdiFlush();
      const bool faded = !enabled || (b.State < 1 && !FormActive);
      DrawMaskGlyph(px, {r.Left, r.Top}, b.State, faded ? 2 : 1, *el, skin.Source.Master, MakeBackgroundCache(&px, 0, 0));
    }
    x = r.Left - (normalLook ? sd->TitleBtnSpace : 0);
  };
  const bool iconic = IsIconic(Wnd()), zoomed = IsZoomed(Wnd());
  place(CloseBtn, e.CloseEnabled, CloseBtn.GlyphIndex);
  if (s.HasMaxButton) place(MaxBtn, e.MaxEnabled || e.RestoreEnabled, zoomed ? int(tgNorm) : int(MaxBtn.GlyphIndex));
  if (s.HasMinButton) place(MinBtn, e.MinEnabled || iconic, iconic ? int(tgNorm) : int(MinBtn.GlyphIndex));
  if (s.HasHelp) place(HelpBtn, true, HelpBtn.GlyphIndex);
}

void TacDialogWnd::PrepareRegionRects() {
  RegionRects.clear();
  // The skin's transparent frame corners (fuchsia in the image), row by row as runs.
  TsCommonData* d = SkinData();
  if (!d || !d->FCache || d->FCache->Empty()) return;
  TBitmap32 px = Pixels32(*d->FCache);
  GdiFlush();
  const int w = px.Width(), h = px.Height(), corner = std::min({8, w / 2, h / 2});
  auto cut = [&](int row, int from, int to) {
    for (int x = from; x < to; ++x) {
      if ((px.At(x, row) & 0xFFFFFFu) != 0xFF00FFu) continue;
      int end = x + 1;
      while (end < to && (px.At(end, row) & 0xFFFFFFu) == 0xFF00FFu) ++end;
      RegionRects.push_back(gui::TRect{x, row, end, row + 1});
      x = end;
    }
  };
  for (int y = 0; y < corner; ++y) {
    cut(y, 0, corner), cut(y, w - corner, w);
    if (h - 1 - y > y) cut(h - 1 - y, 0, corner), cut(h - 1 - y, w - corner, w);
  }
}

void TacDialogWnd::UpdateRegion(bool redraw) {
  if (!IsIconic(Wnd()) && BorderStyle == TacBorderStyle::bsSizeable) return;
  if (!DrawNonClient()) return;
  if (SendMessageW(Wnd(), 0xBC4D, 0x41A2, 0) == 0x41A2) return;  // the window keeps its own frame
  DialogRegionSetting = true;
  RECT wr{};
  GetWindowRect(Wnd(), &wr);
  HRGN region = CreateRectRgn(0, 0, wr.right - wr.left, wr.bottom - wr.top);
  for (const gui::TRect& r : RegionRects) {
    HRGN cut = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  SetWindowRegion(Wnd(), region, redraw);
}

gui::TBitmap* TacDialogWnd::DialogImage() {
  TsCommonData* d = SkinData();
  return d && d->FCache && !d->FCache->Empty() ? d->FCache.get() : nullptr;
}

void TacDialogWnd::HoldPainting(bool hold) {
  if (TsCommonData* d = SkinData()) {
    if (hold)
      d->BeginUpdate();
    else
      d->EndUpdate(false);
  }
}

std::unique_ptr<TacGlowForm> TacDialogWnd::TakeSnapshotWindow() {
  AnimOnClose = false;
  return std::move(AnimForm);
}

const TacFormAnimation* TacDialogWnd::Animation(bool show) {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (!m || !m->Effects.AllowAnimation) return nullptr;
  const TacFormAnimation& a = show ? m->AnimEffects.DialogShow : m->AnimEffects.DialogHide;
  return a.Active ? &a : nullptr;
}

void TacDialogWnd::ShowWindowMsg(gui::TMessage& m) {
  HWND w = Wnd();
  const bool composition = IsCompositionEnabled();
  if (composition) SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) | WS_EX_LAYERED);
  // A box shown by the engine's message box goes where its caller asked.
  if (DialogPosX != -1 || DialogPosY != -1)
    SetWindowPos(w, nullptr, DialogPosX, DialogPosY, 0, 0, SWP_NOSIZE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
  CallOldWndProc(m);
  if (composition) SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  SetDwmTransitions(w, DrawNonClient());
  const TacFormAnimation* show = Animation(true);
  if (m.WParam == 1 && show) {
    // Children that show only with the dialog are taken again at its first paint.
    if (Provider) Provider->HookChildren(w);
    if (TsCommonData* d = SkinData()) d->FUpdating = false;
  }
  // A dialog shown again gets back the border window it left when it hid; it is there
  // before the show, which plays in it, and shows its picture only when the show is done.
  const bool animate = m.WParam == 1 && show && DrawNonClient();
  if (animate) AnimationInProgress = true;
  TsCommonData* d = SkinData();
  if (TsSkinManager* mgr = d ? d->GetSkinManager() : nullptr; m.WParam == 1 && mgr) SetExtBorders(mgr->ExtendedBorders());
  if (animate) AnimShowDialog(this, show->Time, 255, show->Mode);
}

void TacDialogWnd::WindowPosChanged(gui::TMessage& m) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  const bool hiding = pos && (pos->flags & SWP_HIDEWINDOW) && LayeredWindowsAvailable();
  if (hiding) RegionChanged = true;
  CallOldWndProc(m);
  if (!DrawNonClient()) return;
  if (!hiding) {
    // The border window goes with the dialog wherever it is moved.
    if (BorderForm && !SkinData()->FUpdating && IsWindowVisible(Wnd()) && !(State & psBlendMoving) &&
        !AnimationInProgress)
      BorderForm->UpdateBorderWindow(false);
    return;
  }
  const TacFormAnimation* hide = Animation(false);
  if (hide && hide->Time > 0) {
    ClearGlowEffects(false);
    AnimHideDialog(this, hide->Time, hide->Mode);
    SetWindowLayered(Wnd(), false, 0);
  }
  SetExtBorders(false);
}

void TacDialogWnd::Command(gui::TMessage& m) {
  const TacFormAnimation* hide = Animation(false);
  if (DrawNonClient() && hide && hide->Time > 0) {
    // What the dialog shows now, children and all, is what its hide shows; a window laid
    // over it keeps the picture while the dialog ends.
    if (TsCommonData* d = SkinData(); d && d->FCacheInvalid) PrepareCache();
    if (gui::TBitmap* cache = DialogImage()) PaintDialogToBitmap(this, *cache, true);
    AnimForm = CreateSnapshotWindow(Wnd());
    AnimOnClose = true;
  }
  CallOldWndProc(m);
}

void TacDialogWnd::PaintNonClient() {
  if (!DrawNonClient()) return;
  TsCommonData* d = SkinData();
  if (!d) return;
  const uint32_t style = uint32_t(GetWindowLongW(Wnd(), GWL_STYLE));
  if (!DialogRegionSetting && RegionChanged && (BorderStyle != TacBorderStyle::bsSizeable || (SavedStyle & WS_THICKFRAME))) {
    if (d->FCacheInvalid) PrepareCache();
    PrepareRegionRects();
    RegionChanged = false;
    if (!DialogRegionSetting) UpdateRegion(true);
  }
  (void)style;
  HDC dc = GetWindowDC(Wnd());
  const int saved = SaveDC(dc);
  CopyNonClientImage(dc);
  RestoreDC(dc, saved);
  ReleaseDC(Wnd(), dc);
  d->FUpdating = false;
  DialogRegionSetting = false;
}

void TacDialogWnd::CopyNonClientImage(HDC dc) {
  TsCommonData* d = SkinData();
  if (d->FCacheInvalid) PrepareCache();
  if (!d->FCache || d->FCache->Empty()) return;
  HDC src = d->FCache->Canvas().Handle();
  const int32_t w = d->FCache->Width(), h = d->FCache->Height();
  const int32_t bw = BorderWidth(), top = TitleHeight() + (IsIconic(Wnd()) ? 1 : 0);
  BitBlt(dc, 0, 0, w, top, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, top, bw, h - top, src, 0, top, SRCCOPY);
  BitBlt(dc, bw, h - bw, w - bw, bw, src, bw, h - bw, SRCCOPY);
  BitBlt(dc, w - bw, top, bw, h - top, src, w - bw, top, SRCCOPY);
}

void TacDialogWnd::PrintClient(gui::TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  const bool own = dc == nullptr;
  if (own) dc = GetDC(Wnd());
  const int saved = SaveDC(dc);
  TsCommonData* d = SkinData();
  d->FUpdating = false;
  for (HWND c = GetTopWindow(Wnd()); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(c, GWL_STYLE);
    if (!(style & WS_VISIBLE)) continue;
    if (GetWindowClassName(c) == "Static" && (style & WS_TABSTOP)) continue;
    if ((style & 7) == 7 && GetWindowClassName(c) == "Button") continue;  // group boxes stay see-through
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, Wnd(), reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  if (d->FCacheInvalid) PrepareCache();
  if (d->FCache && !d->FCache->Empty()) {
    RECT cr{};
    GetClientRect(Wnd(), &cr);
    BitBlt(dc, 0, 0, cr.right, cr.bottom, d->FCache->Canvas().Handle(), ClientOffsetX(), ClientOffsetY(), SRCCOPY);
  }
  RestoreDC(dc, saved);
  if (own) ReleaseDC(Wnd(), dc);
  EndUpdateChildWindows(Wnd());
}

void TacDialogWnd::HookChildrenOnce() {
  if (ChildrenHooked || !Provider) return;
  ChildrenHooked = true;
  Provider->HookChildren(Wnd());
}

void TacDialogWnd::RepaintAll() {
  TsCommonData* d = SkinData();
  d->FCacheInvalid = true;
  InvalidateRect(Wnd(), nullptr, FALSE);
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
  if (BorderForm && IsWindowVisible(Wnd())) BorderForm->UpdateBorderWindow(true);
}

// ---------------------------------------------------------------- hit test and title buttons

TacDialogHit TacDialogWnd::HitTest(int32_t screenX, int32_t screenY, int64_t current) {
  RECT wr{};
  GetWindowRect(Wnd(), &wr);
  // Measured in the frame as painted: with a border window it reaches past the window by
  // the skin's taller title and wider frame.
  const FrameGeometry g = Geometry();
  const int32_t dx = g.Shift.x;
  TacDialogHitQuery q;
  q.Style = DialogStyle();
  q.X = screenX - wr.left + dx, q.Y = screenY - wr.top + g.Shift.y;
  q.TopBorderHeight = g.Border, q.CaptionHeight = g.Caption, q.CloseButtonHeight = ButtonHeight(CloseBtn);
  q.BorderWidth = g.Border, q.SmallIconWidth = GetSystemMetrics(SM_CXSMICON);
  q.WindowWidth = wr.right - wr.left + 2 * dx, q.WindowHeight = wr.bottom - wr.top + g.Shift.y + dx;
  q.Current = current;
  q.Buttons = {CloseBtn.Rect.Left + dx, CloseBtn.Rect.Right + dx, MaxBtn.Rect.Left + dx, MaxBtn.Rect.Right + dx,
               MinBtn.Rect.Left + dx,   MinBtn.Rect.Right + dx,   HelpBtn.Rect.Left + dx, HelpBtn.Rect.Right + dx};
  return DialogHitTest(q);
}

TacTitleButtonData* TacDialogWnd::ButtonOf(int32_t code) {
  switch (code) {
    case kHitMin: return &MinBtn;
    case kHitMax: return &MaxBtn;
    case kHitClose: return &CloseBtn;
    case kHitHelp: return &HelpBtn;
    default: return nullptr;
  }
}

void TacDialogWnd::SetHotItem(int32_t code, bool repaint) {
  if (code == HotItem || !DrawNonClient()) return;
  if (TacTitleButtonData* old = ButtonOf(HotItem)) old->State = 0;
  if (repaint && HotItem != 0) RepaintButton(HotItem);
  HotItem = code;
  if (TacTitleButtonData* b = ButtonOf(code)) b->State = 1;
  DialogButtonPressed = false;
  if (repaint) RepaintButton(code);
}

void TacDialogWnd::PressButton(int32_t code) {
  if (TacTitleButtonData* old = ButtonOf(HotItem)) old->State = 0;
  RepaintButton(HotItem);
  HotItem = code;
  const TacDialogButtonStates e = ButtonStates();
  if (TacTitleButtonData* b = ButtonOf(code))
    if (code != kHitMax || e.MaxEnabled || (IsZoomed(Wnd()) && e.RestoreEnabled)) b->State = 2;
  DialogButtonPressed = true;
  RepaintButton(HotItem);
}

void TacDialogWnd::FreeTitleAnimations() {
  for (TacTitleButtonData* b : {&MinBtn, &MaxBtn, &CloseBtn, &HelpBtn}) delete b->Animation;
}

void TacDialogWnd::TitleFadeMessage(const gui::TMessage& m) {
  if (m.Msg == WM_MOUSELEAVE) {
    // Sent by a title button's fade once the pointer is off the button.
    SetHotItem(0, true);
  } else if (m.Msg == WM_WINDOWPOSCHANGED) {
    // A fade stays where it was drawn: it goes when the dialog moves or hides.
    const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
    if (wp && (!(wp->flags & SWP_NOMOVE) || (wp->flags & SWP_HIDEWINDOW))) FreeTitleAnimations();
  }
}

void TacDialogWnd::RepaintButton(int32_t code) {
  TacTitleButtonData* b = ButtonOf(code);
  TsCommonData* d = SkinData();
  if (!b || !d || !d->FCache || d->FCache->Empty() || !titleImage_) return;
  if (TsSkinManager* m = d->GetSkinManager(); m && m->Effects.AllowGlowing) {
    // The new look fades in over the button; the cached title keeps its resting look.
    StartTitleButtonFade(nullptr, Wnd(), d, *b, b->State == 2 ? 1 : 10);
    return;
  }
  if (b->State == -1 || b->Rect.Left <= BorderWidth() + GetSystemMetrics(SM_CXSMICON)) return;
  // The button is drawn again where the frame is painted, from the title without buttons.
  gui::TBitmap& cache = *d->FCache;
  gui::TBitmap& frame = frameImage_ ? *frameImage_ : cache;
  const gui::TRect r = b->Rect.Offset(frameShift_.x, frameShift_.y);
  BitBlt(frame.Canvas().Handle(), r.Left, r.Top, r.Width(), r.Height(), titleImage_->Canvas().Handle(), r.Left, r.Top,
         SRCCOPY);
  TacSkinData* sd = d->GetScaledSkin();
  const bool iconic = IsIconic(Wnd()), zoomed = IsZoomed(Wnd());
  const TacDialogButtonStates e = ButtonStates();
  int glyph = b->GlyphIndex;
  bool disabled = false;
  if (code == kHitMax && zoomed) glyph = tgNorm;
  if (iconic && code == kHitMin) glyph = tgNorm;
  if (iconic && code == kHitMax) glyph = tgMax, disabled = !e.MaxEnabled;
  if (code == kHitClose) disabled = !e.CloseEnabled;
  if (const TsMaskData* el = Element(sd, sd->TitleBtnImages[size_t(glyph)])) {
    TSkinOnBitmap skin(d->GetSkinManager(), sd, frame);
    TBitmap32 px = Pixels32(frame);
    GdiFlush();
    const bool faded = disabled || (b->State < 1 && !FormActive);
    DrawMaskGlyph(px, {r.Left, r.Top}, b->State, faded ? 2 : 1, *el, skin.Source.Master, MakeBackgroundCache(&px, 0, 0));
  }
  const gui::TRect own = b->Rect;
  if (&frame != &cache)
    BitBlt(cache.Canvas().Handle(), own.Left, own.Top, own.Width(), own.Height(), frame.Canvas().Handle(), r.Left, r.Top,
           SRCCOPY);
  HDC dc = GetWindowDC(Wnd());
  BitBlt(dc, own.Left, own.Top, own.Width(), own.Height(), cache.Canvas().Handle(), own.Left, own.Top, SRCCOPY);
  ReleaseDC(Wnd(), dc);
  // The border window lies over the title: it shows the button's new look too.
  if (BorderForm && IsWindowVisible(Wnd())) {
    borderImage_.reset();
    BorderForm->UpdateBorderWindow(true);
  }
}

void TacDialogWnd::ShowSystemMenu(int x, int y) {
  SystemMenu->WindowHandle = Wnd();
  SystemMenu->Popup(x, y);
}

void TacDialogWnd::WMNCLButtonDown(gui::TMessage& m) {
  if (AnimOnClose) {
    AnimForm.reset();
    AnimOnClose = false;
  }
  switch (int(m.WParam)) {
    case HTSYSMENU: {
      SetHotItem(0, true);
      RECT wr{};
      GetWindowRect(Wnd(), &wr);
      ShowSystemMenu(wr.left + BorderWidth(), wr.top + BorderWidth() + GetSystemMetrics(SM_CYSMICON));
      return;
    }
    case kHitMin: case kHitMax: case kHitClose: case kHitHelp:
      PressButton(int32_t(m.WParam));
      return;
    default:
      break;
  }
  if (IsIconic(Wnd())) {
    m.Result = SendMessageW(Wnd(), WM_SYSCOMMAND, 0xF012, 0);
    return;
  }
  SetHotItem(0, true);
  if (IsZoomed(Wnd())) {
    RECT wr{};
    GetWindowRect(Wnd(), &wr);
    if (short(HIWORD(m.LParam)) - wr.top <= TitleHeight()) {
      if (!FormActive) SetFocus(Wnd());
      return;  // a maximized dialog is not dragged
    }
  }
  TsCommonData* d = SkinData();
  TsSkinManager* mgr = d ? d->GetSkinManager() : nullptr;
  if (m.WParam == HTCAPTION && DrawNonClient() && mgr && mgr->AnimEffects.BlendOnMoving.Active &&
      mgr->AnimEffects.BlendValue != 255) {
    d->FCacheInvalid = true;
    FormActive = true;
    PrepareCache();
    DialogStartBlendMoving();
    return;
  }
  CallOldWndProc(m);
}

void TacDialogWnd::WMNCLButtonUp(gui::TMessage& m) {
  if (!DrawNonClient()) {
    CallOldWndProc(m);
    return;
  }
  const bool pressed = DialogButtonPressed;
  HWND w = Wnd();
  switch (int(m.WParam)) {
    case kHitMin:
      SetHotItem(0, true);
      if (pressed) SendMessageW(w, WM_SYSCOMMAND, IsIconic(w) ? SC_RESTORE : SC_MINIMIZE, 0);
      break;
    case kHitMax:
      if (!IsIconic(w) || ButtonStates().MaxEnabled) {
        SetHotItem(0, true);
        if (pressed) {
          SendMessageW(w, WM_SYSCOMMAND, IsZoomed(w) ? SC_RESTORE : SC_MAXIMIZE, 0);
          if (IsWindow(w)) SystemMenu->UpdateItems();
        }
      }
      break;
    case kHitClose:
      if (pressed) {
        CloseBtn.State = 0;
        SetHotItem(0, true);
        SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        FreeTitleAnimations();
        if (IsWindow(w) && IsWindowVisible(w)) SetHotItem(0, true);
      } else {
        SetHotItem(0, true);
      }
      break;
    case kHitHelp:
      if (pressed) {
        SendMessageW(w, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        SetHotItem(0, true);
        if (IsWindow(w)) {
          SystemMenu->UpdateItems();
          SendMessageW(w, WM_NCPAINT, 1, 0);
        }
      } else {
        SetHotItem(0, true);
      }
      break;
    default:
      CallOldWndProc(m);
      break;
  }
  m.WParam = 0;
}

// ---------------------------------------------------------------- blending while moving

void TacDialogWnd::DialogStartBlendMoving() {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if ((State & psBlendMoving) || !m || !m->AnimEffects.BlendOnMoving.Active) return;
  State |= psBlendMoving;
  HWND w = Wnd();
  blendAlpha_ = 255;
  blendTarget_ = m->AnimEffects.BlendValue;
  blendStep_ = BlendMovingStep(m->AnimEffects.BlendValue);
  SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(w, 0, 255, LWA_ALPHA);
  RedrawWindow(w, nullptr, nullptr, 0x585);
  blendTimer_ = SetTimer(w, kBlendTimerId, 12, nullptr) != 0;
  // The shadow would stay behind while the blended dialog is dragged: it leaves for the
  // drag and comes back where the dialog lands.
  if (BorderForm) BorderForm->FreeBorderWindow();
  SendMessageW(w, WM_SYSCOMMAND, 0xF012, 0);
  DialogFinishBlendMoving();
}

void TacDialogWnd::DialogFinishBlendMoving() {
  HWND w = Wnd();
  if (!w || !IsWindow(w)) return;
  if (blendTimer_) KillTimer(w, kBlendTimerId);
  blendTimer_ = false;
  blendAlpha_ = 255;
  SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  UpdateWindow(w);
  SetFocus(w);
  RedrawWindow(w, nullptr, nullptr, 0x585);
  State &= ~psBlendMoving;
  if (BorderForm) {
    BorderForm->Updating = false;
    BorderForm->UpdateBorderWindow(true);
  }
}

// ---------------------------------------------------------------- the border window

void TacDialogWnd::SetExtBorders(bool allow) {
  TsCommonData* d = SkinData();
  if (allow && d && DrawNonClient()) {
    if (BorderForm) return;
    retiredBorder_.reset();
    BorderForm = std::make_unique<TacBorderForm>(static_cast<TacBorderOwner*>(this), d);
    d->FCacheInvalid = true;
    if (IsWindowVisible(Wnd()) && !AnimationInProgress) BorderForm->UpdateBorderWindow(true);
    return;
  }
  if (BorderForm) {
    // The click that ends the dialog may be running in the border window's own procedure:
    // the window is hidden now and freed later, never under its own message.
    BorderForm->Locked = true;
    if (HWND b = BorderForm->Handle())
      SetWindowPos(b, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    retiredBorder_ = std::move(BorderForm);
    // The frame is painted at the dialog's own size again.
    if (frameImage_ && d) d->FCacheInvalid = true;
  }
  borderImage_.reset();
  frameImage_.reset();
  frameShift_ = {};
}

void TacDialogWnd::ExtBordersChanged(bool allow) {
  TsCommonData* d = SkinData();
  HWND w = Wnd();
  if (allow) {
    d->FCacheInvalid = true;
    TsSkinManager* m = d->GetSkinManager();
    SetExtBorders(m && m->ExtendedBorders());
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
    return;
  }
  SetExtBorders(false);
  retiredBorder_.reset();  // a skin command, not the border window's own message
  SetWindowRgn(w, nullptr, TRUE);
  // The frame's transparent corners are cut again at the next frame paint.
  RegionChanged = true;
  d->FCacheInvalid = true;
  RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

TacRect TacDialogWnd::GetShadowSize() {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d && BorderForm ? d->GetScaledSkin() : nullptr;
  return sd ? sd->FormShadowMargins : TacRect{};
}

TacDialogExtras TacDialogWnd::Extras() {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d && BorderForm ? d->GetScaledSkin() : nullptr;
  if (!sd) return {};
  TacDialogExtrasQuery q;
  q.HasBorderForm = true;
  q.SysCaption = CaptionHeight();
  q.HasCaption = q.SysCaption != 0;
  q.SkinTitleHeight = BorderFormTitleHeight(true, IsZoomed(Wnd()) != FALSE, sd->TitleHeight, sd->MaxTitleHeight);
  q.SkinBorderWidth = sd->BorderWidth;
  q.OwnFrame = BorderWidth();
  return DialogBorderExtras(q);
}

POINT TacDialogWnd::BorderOwnerOffset() {
  const TacRect s = GetShadowSize();
  const TacDialogExtras x = Extras();
  return {s.Left + x.Border, s.Top + x.Title};
}

gui::TBitmap* TacDialogWnd::BorderImage(bool& rebuilt) {
  TsCommonData* d = SkinData();
  if (!d) return nullptr;
  if (d->FCacheInvalid || d->CacheEmpty()) PrepareCache();
  if (d->CacheEmpty()) return nullptr;
  if (borderImage_) return borderImage_.get();
  rebuilt = true;
  // The skin's shadow drawn around, the frame as large as the skin's in it, and the
  // dialog's own picture where its window lies (what the dialog shows just now, for its
  // animations), their transparent corners showing the shadow.
  gui::TBitmap& cache = *d->FCache;
  const TacRect s = GetShadowSize();
  gui::TBitmap& frame = frameImage_ ? *frameImage_ : cache;
  const int32_t w = frame.Width() + s.Left + s.Right, h = frame.Height() + s.Top + s.Bottom;
  borderImage_ = CreateBitmap32(w, h);
  TBitmap32 px = Pixels32(*borderImage_);
  GdiFlush();
  TRect widths;
  const TBitmap32* shadow = ShadowTemplate(widths);
  DrawFormShadow(px, shadow, widths);
  // With the frame from the skin's picture the frame holds the same picture: there it
  // keeps the picture's own alpha (its rounded, see-through corners).
  const bool frameFromTemplate = shadow && FrameFromTemplate();
  const TRect inner{widths.Left, widths.Top, w - widths.Right, h - widths.Bottom};
  auto lay = [&](gui::TBitmap& picture, POINT to) {
    TBitmap32 src = Pixels32(picture);
    GdiFlush();
    for (int32_t y = 0; y < src.Height(); ++y)
      for (int32_t x = 0; x < src.Width(); ++x) {
        const TPixel p = src.At(x, y);
        const int32_t bx = x + to.x, by = y + to.y;
        if (frameFromTemplate && (bx < inner.Left || by < inner.Top || bx >= inner.Right || by >= inner.Bottom))
          px.At(bx, by) = (p & 0xFFFFFFu) | (px.At(bx, by) & 0xFF000000u);
        else if ((p & 0xFFFFFFu) != 0xFF00FFu)
          px.At(bx, by) = p | 0xFF000000u;
      }
  };
  if (frameImage_) lay(*frameImage_, {s.Left, s.Top});
  lay(cache, {s.Left + frameShift_.x, s.Top + frameShift_.y});
  return borderImage_.get();
}

const TBitmap32* TacDialogWnd::ShadowTemplate(TRect& widths) {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d && BorderForm ? d->GetScaledSkin() : nullptr;
  return sd ? FormShadowTemplate(*sd, FormActive != 0, widths) : nullptr;
}

int32_t TacDialogWnd::TitleDown() {
  TsCommonData* d = SkinData();
  return FrameFromTemplate() ? d->GetScaledSkin()->CenterOffset : 0;
}

bool TacDialogWnd::FrameFromTemplate() {
  TsCommonData* d = SkinData();
  TacSkinData* sd = d && BorderForm ? d->GetScaledSkin() : nullptr;
  return sd && sd->BorderMode == 1;
}

HWND TacDialogWnd::AnimBorderWindow() {
  if (!BorderForm) return nullptr;
  if (!BorderForm->Handle()) BorderForm->CreateBorderWindow();
  return BorderForm->Handle();
}

gui::TBitmap* TacDialogWnd::AnimBorderImage() {
  // Made anew: a close may have put what the dialog showed into its image.
  borderImage_.reset();
  bool rebuilt = false;
  return BorderImage(rebuilt);
}

void TacDialogWnd::AnimBorderShown() {
  if (BorderForm) BorderForm->UpdateBorderWindow(true);
}

std::unique_ptr<TacGlowForm> TacDialogWnd::TakeBorderWindow() {
  if (!BorderForm || !BorderForm->BorderWindow) return nullptr;
  std::unique_ptr<TacGlowForm> window = std::move(BorderForm->BorderWindow);
  window->WindowProc = BorderForm->OldWindowProc;
  // Owned by the dialog it would go with the dialog's end, before its hide has played.
  if (window->HandleAllocated()) SetWindowLongPtrW(window->Handle(), GWLP_HWNDPARENT, BorderForm->OldParent);
  // The hide may run inside a message of that window: the form object goes later.
  BorderForm->Locked = true;
  retiredBorder_ = std::move(BorderForm);
  borderImage_.reset();
  return window;
}

RECT TacDialogWnd::BorderOwnerPart() {
  const POINT at = BorderOwnerOffset();
  RECT cr{};
  GetClientRect(Wnd(), &cr);
  const int32_t x = at.x + ClientOffsetX(), y = at.y + ClientOffsetY();
  return {x, y, x + cr.right, y + cr.bottom};
}

int32_t TacDialogWnd::BorderTitleHit(int32_t screenX, int32_t screenY) {
  RECT wr{};
  GetWindowRect(Wnd(), &wr);
  const TacDialogExtras x = Extras();
  if (screenX < wr.left - x.Border || screenX >= wr.right + x.Border || screenY < wr.top - x.Title ||
      screenY >= wr.top + TitleHeight())
    return 0;
  const int64_t code = HitTest(screenX, screenY, HTCAPTION).Code;
  return code == 0 ? HTCAPTION : int32_t(code);
}

void TacDialogWnd::BorderFacts(TacBorderBandFacts& f) {
  f.Shadow = GetShadowSize();
  f.OwnFrame = BorderWidth();
  f.CaptionHeight = TitleHeight() + Extras().Title;
  f.MenuLineHeight = 0;
}

// ---------------------------------------------------------------- window procedure

void TacDialogWnd::Size(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  d->FCacheInvalid = true;
  RegionChanged = true;
  d->FUpdating = true;
  CallOldWndProc(m);
  d->FUpdating = false;
  if (IsWindowVisible(Wnd())) {
    SendMessageW(Wnd(), WM_NCPAINT, 1, 0);
    RedrawWindow(Wnd(), nullptr, nullptr, 0x585);
    if (BorderForm) {
      State |= psBorderSizing;
      BorderForm->UpdateBorderWindow(true);
      State &= ~psBorderSizing;
    }
  }
  GetClientRect(Wnd(), &lastClientRect_);
}

bool TacDialogWnd::HandleSkinCommand(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!d) return TacScrollWnd::HandleSkinCommand(m);
  TsSkinManager* mgr = d->GetSkinManager();
  switch (m.WParamHi()) {
    case AC_SETNEWSKIN:
      SetExtBorders(mgr && mgr->ExtendedBorders());
      if (mgr && m.LParam == reinterpret_cast<LPARAM>(mgr)) {
        d->UpdateSkinIndex(true);
        CaptionSkinIndex = mgr->GetSkinIndex("CAPTION");
        InitTitleButtons();
        d->FCacheInvalid = true;
        for (HWND c = GetTopWindow(Wnd()); c; c = GetWindow(c, GW_HWNDNEXT)) SendMessageW(c, m.Msg, m.WParam, m.LParam);
      }
      return true;
    case AC_REFRESH:
      d->UpdateSkinIndex(true);
      SetExtBorders(mgr && mgr->ExtendedBorders());
      d->FCacheInvalid = true;
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
      if (BorderForm && IsWindowVisible(Wnd())) BorderForm->UpdateBorderWindow(true);
      return true;
    case 83:  // the extended borders turned on or off
      ExtBordersChanged((m.LParam & 0xFF) != 0);
      return true;
    case AC_SETUPDATING:
      d->FUpdating = m.WParamLo() == 1;
      return false;
    case AC_PREPARING:
      m.Result = d->FUpdating ? 1 : 0;
      return true;
    case AC_GETCONTROLCOLOR:
      m.Result = LRESULT(d->GetBackgroundColor(FormActive ? 1 : 0, Wnd()));
      return true;
    case 28:
      if (Provider) Provider->HookChildren(Wnd());
      return false;
    case AC_GETBG:
      if (m.LParam) {
        auto& q = *reinterpret_cast<TacBackgroundQuery*>(m.LParam);
        if (d->FCacheInvalid) PrepareCache();
        // The children stand on the client part of the image, painted in the title's state.
        const int state = FormActive ? 1 : 0;
        if (q.PleaseDraw) {
          q.OffsetX += ClientOffsetX(), q.OffsetY += ClientOffsetY();
          d->FillBackgroundQuery(q, state, Wnd());
        } else {
          d->FillBackgroundQuery(q, state, Wnd());
          if (q.Kind == bkBitmap) q.OffsetX = ClientOffsetX(), q.OffsetY = ClientOffsetY();
        }
      }
      return true;
    case 61:
      m.Result = MAKELONG(ClientOffsetX(), ClientOffsetY());
      return true;
    case AC_BGVARIES: {
      const TsGeneralData* sec = d->Section();
      m.Result = sec && !sec->StateParams.empty() &&
                         sec->StateParams[0].GradientPercent + sec->StateParams[0].ImagePercent > 0
                     ? 1
                     : 0;
      return true;
    }
    case AC_GETBORDERWIDTH: {
      const int ppi = GetWindowPPI(Wnd());
      auto byKind = [&](int kind) {
        return GetSysMetricForPPI(kind == 1 ? SM_CXFRAME : SM_CXFIXEDFRAME, ppi);
      };
      const int kind = LOWORD(m.LParam);
      int32_t width = 0;
      if (kind == 1 || kind == 2) {
        width = byKind(kind);
      } else {
        width = BorderWidth();
        if (width == 0 && (HIWORD(m.LParam) == 1 || HIWORD(m.LParam) == 2)) width = byKind(HIWORD(m.LParam));
      }
      const bool padded = BorderStyle == TacBorderStyle::bsDialog || BorderStyle == TacBorderStyle::bsSizeToolWin;
      m.Result = width + (padded ? GetSysMetricForPPI(SM_CXPADDEDBORDER, ppi) : 0);
      return true;
    }
    default:
      return TacScrollWnd::HandleSkinCommand(m);
  }
}

void TacDialogWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !d) {
    TacScrollWnd::WndProc(m);
    return;
  }
  HWND w = Wnd();
  const bool visible = IsWindowVisible(w);
  TitleFadeMessage(m);
  switch (m.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      SetExtBorders(false);
      if (d->FCache) d->FCache->SetSize(0, 0);
      if (blendTimer_) KillTimer(w, kBlendTimerId), blendTimer_ = false;
      TacScrollWnd::WndProc(m);
      return;
    case WM_SIZE:
      Size(m);
      return;
    case WM_SHOWWINDOW:
      ShowWindowMsg(m);
      return;
    case WM_WINDOWPOSCHANGED:
      WindowPosChanged(m);
      return;
    case WM_COMMAND:
      if (m.WParam == IDCANCEL || m.WParam == IDYES) {
        Command(m);
        return;
      }
      break;
    case WM_TIMER:
      if (m.WParam == kBlendTimerId) {
        blendAlpha_ = NextBlendAlpha(blendAlpha_, blendTarget_, blendStep_);
        SetLayeredWindowAttributes(w, 0, BYTE(blendAlpha_), LWA_ALPHA);
        if (blendAlpha_ == blendTarget_) KillTimer(w, kBlendTimerId), blendTimer_ = false;
        return;
      }
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
      if (visible) {
        CallOldWndProc(m);
        d->FCacheInvalid = true;
        SendMessageW(w, WM_NCPAINT, 1, 0);
        return;
      }
      break;
    case WM_PAINT:
      if (SkipClientPaint) {
        PAINTSTRUCT ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        m.Result = 0;
        return;
      }
      CallOldWndProc(m);
      return;
    case WM_ERASEBKGND:
      HookChildrenOnce();
      PrintClient(m);
      m.Result = 1;
      return;
    case WM_NCPAINT:
      if (!DrawNonClient()) {
        CallOldWndProc(m);
        return;
      }
      if (visible) {
        HookChildrenOnce();
        PaintNonClient();
        // The border window left when the dialog hid (or never came) comes with its paint.
        if (BorderForm && !AnimationInProgress && !IsWindowVisible(BorderForm->Handle()))
          BorderForm->UpdateBorderWindow(true);
        m.Result = 0;
        return;
      }
      break;
    case WM_NCACTIVATE:
      if (!visible) break;
      SetRedraw(w, false);
      CallOldWndProc(m);
      FormActive = LOWORD(m.WParam) != 0;
      SetRedraw(w, true);
      if (DrawNonClient()) {
        RepaintAll();
        m.Result = 1;
      }
      return;
    case WM_NCHITTEST:
      if (DrawNonClient()) {
        const TacDialogHit h = HitTest(short(LOWORD(m.LParam)), short(HIWORD(m.LParam)), m.Result);
        m.Result = h.Code;
        if (h.Code == 0 || h.Code == HTCAPTION) {
          CallOldWndProc(m);
          SetHotItem(0, true);
        } else if (h.Hot) {
          SetHotItem(int32_t(h.Code), true);
        }
        return;
      }
      break;
    case WM_NCLBUTTONDOWN:
      if (DrawNonClient()) {
        // A click the border window passed on is answered by its own hit test first.
        if (BorderForm && m.WParam == WPARAM(-1))
          m.WParam = WPARAM(BorderForm->HitTest(short(LOWORD(m.LParam)), short(HIWORD(m.LParam))));
        const int64_t own = HitTest(short(LOWORD(m.LParam)), short(HIWORD(m.LParam)), int64_t(m.WParam)).Code;
        if (m.WParam < HTLEFT || m.WParam > HTBOTTOMRIGHT) m.WParam = WPARAM(own);
        WMNCLButtonDown(m);
        return;
      }
      break;
    case WM_NCLBUTTONUP:
      if (BorderForm && m.WParam == WPARAM(-1))
        m.WParam = WPARAM(BorderForm->HitTest(short(LOWORD(m.LParam)), short(HIWORD(m.LParam))));
      WMNCLButtonUp(m);
      return;
    case WM_NCLBUTTONDBLCLK:
      if (m.WParam == HTCAPTION) {
        const TacDialogButtonStates e = ButtonStates();
        if (e.MaxEnabled || e.RestoreEnabled) {
          SendMessageW(w, WM_SYSCOMMAND, IsZoomed(w) || IsIconic(w) ? SC_RESTORE : SC_MAXIMIZE, 0);
          if (IsWindow(w)) SystemMenu->UpdateItems();
        }
      } else if (m.WParam == HTSYSMENU) {
        SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      m.Result = 0;
      return;
    case WM_NCRBUTTONDOWN:
      if (m.WParam == HTCAPTION || m.WParam == HTSYSMENU) {
        m.Result = 0;
        return;
      }
      break;
    case WM_NCRBUTTONUP:
      if (m.WParam == HTCAPTION || m.WParam == HTSYSMENU) {
        SetHotItem(0, true);
        ShowSystemMenu(short(LOWORD(m.LParam)), short(HIWORD(m.LParam)));
      }
      m.Result = 0;
      return;
    case WM_GETDLGCODE:
      return;
    case WM_CTLCOLORDLG: {
      TsSkinManager* mgr = d->GetSkinManager();
      const uint32_t color = mgr ? mgr->GetGlobalColor() : uint32_t(GetSysColor(COLOR_BTNFACE));
      // One brush, made again only when the colour changes.
      if (!ctlBrush_ || ctlBrushColor_ != color) {
        if (ctlBrush_) DeleteObject(ctlBrush_);
        ctlBrush_ = CreateSolidBrush(color & 0xFFFFFF);
        ctlBrushColor_ = color;
      }
      m.Result = LRESULT(ctlBrush_);
      return;
    }
    case WM_NCMOUSELEAVE:
      SetHotItem(0, true);
      break;
    case kDmSetDefId:
      TacScrollWnd::WndProc(m);
      if (Provider) Provider->HookChildren(w);
      RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
      return;
    case WM_SYSCOMMAND:
      TacScrollWnd::WndProc(m);
      if (!IsWindow(w)) return;
      if ((m.WParam & 0xFFF0) == SC_MAXIMIZE || (m.WParam & 0xFFF0) == SC_RESTORE) {
        if (SavedStyle & WS_MAXIMIZEBOX) HotItem = kHitMax;
        SetHotItem(0, true);
      }
      return;
    default:
      break;
  }
  TacScrollWnd::WndProc(m);
}

}  // namespace skin
