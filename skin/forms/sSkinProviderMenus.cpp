// The provider's menus: the form's menus switched to the skinned menus, the menu line
// painted into the form's image with its items, and an MDI form's window menu listing the
// children.
#include <algorithm>

#include "gui/Forms.h"
#include "gui/Menus.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"

namespace skin {

namespace {
constexpr intptr_t kWindowListTag = 0x200;
constexpr int kMenuLineSection = 42;  // MENULINE among the standard sections
// The state a provider paints its menu line's items in: no accelerator marks, drawn by the
// provider rather than by the system.
constexpr gui::TOwnerDrawState kMenuLineItemState = gui::odNoAccel | 0x400;

TsSkinableMenus* MenusOf(TsSkinManager* m) { return m && m->IsDefault() ? SkinableMenus(m) : nullptr; }

// A top-level item the system draws on the form's window: its place in the provider's
// menu-line image, below the system's caption and frame.
bool LookUpMenuLine(gui::TMenuItem* item, const gui::TRect& r, gui::TBitmap*& image, int& x, int& y) {
  gui::TMenu* menu = item ? item->GetParentMenu() : nullptr;
  TsSkinProvider* p = menu ? GetFormProvider(menu) : nullptr;
  if (!p || !p->MenuLineImage || !p->SkinData() || !p->SkinData()->FCache) return false;
  HWND wnd = p->Form() && p->Form()->HandleAllocated() ? p->Form()->Handle() : nullptr;
  const bool caption = wnd && (GetWindowLongW(wnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  const int32_t frame = p->GetBorderWidth(false);
  image = p->MenuLineImage.get();
  x = r.Left - frame;
  y = caption ? r.Top - p->GetSysCaptionHeight() - frame : 0;
  return true;
}
[[maybe_unused]] const bool kLookUpInstalled = (MenuLineLookup = &LookUpMenuLine, true);
}  // namespace

void TsSkinProvider::HookFormMenus(bool active) {
  if (!form_ || form_->ComponentState() & rtl::csDesigning) return;
  TsSkinManager* m = skinData_ ? skinData_->GetSkinManager() : nullptr;
  TsSkinableMenus* menus = MenusOf(m);
  if (!menus) return;
  for (int i = 0; i < form_->ComponentCount(); ++i) {
    rtl::TComponent* c = form_->Components(i);
    if (auto* mm = dynamic_cast<gui::TMainMenu*>(c)) {
      menus->HookMainMenu(mm, active && DrawNonClient());
      for (int j = 0; j < mm->Items()->Count(); ++j) menus->HookItems(mm->Items()->Items(j), active && m->SkinnedPopups());
    } else if (auto* pm = dynamic_cast<gui::TPopupMenu*>(c)) {
      menus->HookMenu(pm, active && m->SkinnedPopups());
    } else if (auto* mi = dynamic_cast<gui::TMenuItem*>(c)) {
      if (!dynamic_cast<gui::TMainMenu*>(mi->GetParentMenu())) menus->HookItems(mi, active && m->SkinnedPopups());
    }
  }
}

void TsSkinProvider::HookMenuLine() {
  if (MenuHooked || !DrawNonClient() || !form_ || !form_->Menu()) return;
  if (TsSkinableMenus* menus = MenusOf(skinData_ ? skinData_->GetSkinManager() : nullptr))
    menus->HookMainMenu(form_->Menu(), DrawNonClient());
  MenuHooked = RefreshMenuBar();
}

bool TsSkinProvider::RefreshMenuBar() {
  static bool running = false;
  if (running || !form_ || !form_->Menu() || form_->Menu()->Items()->Count() == 0) return false;
  running = true;
  form_->Menu()->Items()->Items(0)->MenuChanged(true);
  running = false;
  return true;
}

void TsSkinProvider::PaintMenuLine(gui::TBitmap& cache, int32_t imageWidth, int32_t state) {
  TsSkinManager* m = skinData_ ? skinData_->GetSkinManager() : nullptr;
  if (!m || !m->SkinnedPopups() || !HasVisibleMainMenu() || !HasMenuLine() || MenuLineHeight() <= 0 ||
      !DrawNonClient())
    return;
  TacSkinData* sd = skinData_->GetScaledSkin();
  if (!sd) return;
  const TacRect shadow = GetShadowSize();
  const int32_t lineH = MenuLineHeight();
  const int32_t lines = std::max(1, GetMenuLineCount());
  const int32_t top = GetOwnBorderWidth(true) + CaptionHeight(true) + shadow.Top;
  const int32_t height = lines * lineH + 1;
  int32_t section = menuLineSkin_.empty() ? -1 : m->GetSkinIndex(menuLineSkin_, sd);
  if (section < 0) section = sd->StandardSections[size_t(kMenuLineSection)];
  {
    TSkinOnBitmap skin(m, sd, cache);
    TBitmap32 px = Pixels32(cache);
    const gui::TRect r{shadow.Left, top, imageWidth - shadow.Right, top + height};
    if (skin.Source.ValidSection(section))
      PaintSkinSection(skin.Source, section, MakeBackgroundCache(&px, 0, 0), state, r, {r.Left, r.Top}, px);
  }
  const int32_t frameW = GetBorderWidth(true);
  if (!MenuLineImage) MenuLineImage = CreateBitmap32(1, 1);
  MenuLineImage->SetSize(imageWidth - shadow.Left - shadow.Right, height);
  BitBlt(MenuLineImage->Canvas().Handle(), 0, 0, MenuLineImage->Width(), height, cache.Canvas().Handle(),
         frameW + shadow.Left, top, SRCCOPY);
  TsSkinableMenus* menus = MenusOf(m);
  gui::TMainMenu* menu = form_->Menu();
  if (!menus) return;
  HWND wnd = FormHandle();
  RECT wr{};
  GetWindowRect(wnd, &wr);
  int32_t x = frameW + shadow.Left;
  int position = 0;
  // A maximized child's icon takes the first place of the line, where the system keeps the
  // child's system menu.
  if (ChildButtonsInMenuLine()) {
    HWND child = ActiveMDIChild();
    HICON icon = reinterpret_cast<HICON>(SendMessageW(child, WM_GETICON, ICON_SMALL2, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(child, GCLP_HICONSM));
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    DrawIconEx(cache.Canvas().Handle(), frameW + shadow.Left + 1, top + 1, icon, lineH - 2, lineH - 2, 0, nullptr,
               DI_NORMAL);
    RECT first{};
    if (GetMenuItemRect(wnd, GetMenu(wnd), 0, &first)) x += first.right - first.left;
    position = 1;
  }
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    gui::TMenuItem* item = menu->Items()->Items(i);
    if (!item->Visible()) continue;
    const int pos = position++;
    if (!menus->HoldsMenuBarHandlers(item)) {
      MenuHooked = false;
      menus->HookMainMenu(menu, true);
    }
    gui::TRect r;
    RECT ir{};
    if (GetMenuItemRect(wnd, GetMenu(wnd), UINT(pos), &ir) && ir.right > ir.left) {
      const POINT at = BorderOffset();
      r = {ir.left - wr.left + at.x, ir.top - wr.top + at.y, ir.right - wr.left + at.x, ir.bottom - wr.top + at.y};
      r = {r.Left, top, r.Right, top + lineH};
    } else {
      int w = 0, h = 0;
      menus->MeasureMenuBarItem(item, cache.Canvas(), w, h);
      r = {x, top, x + w + 12, top + lineH};
    }
    menus->DrawMenuBarItem(item, cache.Canvas(), r,
                           kMenuLineItemState | (item == HotMenuItem ? gui::odSelected : 0), MenuLineImage.get(),
                           r.Left - frameW - shadow.Left, r.Top - top);
    x += r.Width();
  }
  if (ChildButtonsInMenuLine()) PaintMDIChildButtons(cache, imageWidth);
}

bool TsSkinProvider::ChildButtonsInMenuLine() {
  if (!form_ || form_->FormStyle != gui::TFormStyle::fsMDIForm || !form_->Menu()) return false;
  HWND child = ActiveMDIChild();
  return child && IsZoomed(child) && (GetWindowLongW(child, GWL_STYLE) & WS_SYSMENU);
}

void TsSkinProvider::PaintMDIChildButtons(gui::TBitmap& cache, int32_t imageWidth) {
  TacSkinData* sd = skinData_ ? skinData_->GetScaledSkin() : nullptr;
  if (!sd) return;
  const TacRect shadow = GetShadowSize();
  const int32_t gw = SmallGlyphWidth(), gh = SmallGlyphHeight(), lineH = MenuLineHeight();
  const int32_t top = GetOwnBorderWidth(true) + CaptionHeight(true) + shadow.Top + (lineH - gh) / 2 +
                      (std::max(1, GetMenuLineCount()) - 1) * lineH;
  const int32_t right = imageWidth - GetBorderWidth(true) - shadow.Right;
  HMENU sys = GetSystemMenu(ActiveMDIChild(), FALSE);
  auto enabled = [&](UINT command) {
    const UINT st = sys ? GetMenuState(sys, command, MF_BYCOMMAND) : UINT(-1);
    return st == UINT(-1) || !(st & (MF_GRAYED | MF_DISABLED));
  };
  TSkinOnBitmap skin(skinData_->GetSkinManager(), sd, cache);
  TBitmap32 px = Pixels32(cache);
  GdiFlush();
  const TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
  const struct {
    TacTitleButtonData& b;
    int32_t places, hit, glyph;
    bool on;
  } buttons[] = {{MDIMin, 3, kHitMDIMin, tgSmallMin, enabled(SC_MINIMIZE)},
                 {MDIMax, 2, kHitMDIRestore, tgSmallNorm, enabled(SC_RESTORE)},
                 {MDIClose, 1, kHitMDIClose, tgSmallClose, true}};
  for (const auto& e : buttons) {
    e.b.Rect = {right - e.places * (gw + 1), top, right - e.places * (gw + 1) + gw, top + gh};
    e.b.HitCode = e.hit;
    e.b.GlyphIndex = uint8_t(e.glyph);
    const int32_t mask = sd->TitleBtnImages[size_t(e.glyph)];
    if (mask < 0 || size_t(mask) >= sd->Masks.size()) continue;
    const bool faded = FormActive == 0 || !e.on;
    DrawMaskGlyph(px, {e.b.Rect.Left, e.b.Rect.Top}, e.b.State, faded ? 2 : 1, sd->Masks[size_t(mask)],
                  skin.Source.Master, self);
  }
}

void TsSkinProvider::RepaintMenuItem(gui::TMenuItem* item, const gui::TRect& r, gui::TOwnerDrawState state) {
  if (!HasMenuLine() || !item || !form_->Menu() || item->GetParentMenu() != form_->Menu() || !skinData_ ||
      !skinData_->FCache || !MenuLineImage)
    return;
  TsSkinableMenus* menus = MenusOf(skinData_->GetSkinManager());
  if (!menus) return;
  const TacRect shadow = GetShadowSize();
  const int32_t top = GetOwnBorderWidth(true) + CaptionHeight(true) + shadow.Top;
  gui::TBitmap& cache = *skinData_->FCache;
  menus->DrawMenuBarItem(item, cache.Canvas(), r, state, MenuLineImage.get(), r.Left - GetBorderWidth(true) - shadow.Left,
                         r.Top - top);
  HWND wnd = FormHandle();
  HDC dc = GetWindowDC(wnd);
  // The window lies in its image at the border offset.
  const POINT at = BorderOffset();
  BitBlt(dc, r.Left - at.x, r.Top - at.y, r.Width(), r.Height(), cache.Canvas().Handle(), r.Left, r.Top,
         SRCCOPY);
  ReleaseDC(wnd, dc);
}

std::vector<HWND> TsSkinProvider::MDIChildren() {
  std::vector<HWND> v;
  if (!form_ || form_->FormStyle != gui::TFormStyle::fsMDIForm || !form_->ClientHandle) return v;
  for (HWND c = GetWindow(form_->ClientHandle, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if ((GetWindowLongPtrW(c, GWL_STYLE) & WS_VISIBLE) && !GetWindow(c, GW_OWNER)) v.push_back(c);
  return v;
}

HWND TsSkinProvider::ActiveMDIChild() {
  if (!form_ || !form_->ClientHandle) return nullptr;
  return reinterpret_cast<HWND>(SendMessageW(form_->ClientHandle, WM_MDIGETACTIVE, 0, 0));
}

void TsSkinProvider::WindowMenuItemClick(rtl::TObject* sender) {
  auto* item = dynamic_cast<gui::TMenuItem*>(sender);
  if (!item || !form_ || !form_->ClientHandle) return;
  const size_t index = size_t(item->Tag & ~kWindowListTag);
  const std::vector<HWND> children = MDIChildren();
  if (index < children.size())
    SendMessageW(form_->ClientHandle, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[index]), 0);
}

void TsSkinProvider::WMInitMenuPopup(gui::TMessage& m) {
  TsSkinManager* manager = skinData_ ? skinData_->GetSkinManager() : nullptr;
  auto passOn = [&] {
    if (oldWndProc_) oldWndProc_(m);
  };
  if (!manager || !manager->SkinnedPopups() || !form_) {
    passOn();
    return;
  }
  HMENU popup = reinterpret_cast<HMENU>(m.WParam);
  if (HIWORD(m.LParam) != 0)
    EnableMenuItem(popup, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
  else
    PopupMeasured = false;
  gui::TMenuItem* windowMenu = form_->WindowMenu;
  if (!windowMenu) {
    passOn();
    return;
  }
  gui::TMenu* menu = windowMenu->GetParentMenu();
  if (menu) menu->LockRebuild(true);
  for (int i = windowMenu->Count() - 1; i >= 0; --i) {
    gui::TMenuItem* old = windowMenu->Items(i);
    if (old->Tag & kWindowListTag) delete old;
  }
  const std::vector<HWND> children = MDIChildren();
  const bool listHere = form_->FormStyle == gui::TFormStyle::fsMDIForm && !children.empty() && windowMenu->Handle() &&
                        windowMenu->Handle() == popup;
  if (listHere) {
    if (windowMenu->Count() == 0 || !windowMenu->Items(windowMenu->Count() - 1)->IsLine()) {
      auto* line = new gui::TMenuItem(this);
      line->SetCaption("-");
      line->Tag = kWindowListTag;
      windowMenu->Add(line);
    }
    const HWND active = ActiveMDIChild();
    for (size_t i = 0; i < children.size(); ++i) {
      auto* item = new gui::TMenuItem(this);
      wchar_t text[256]{};
      GetWindowTextW(children[i], text, 255);
      item->SetCaption(rtl::U8(text));
      item->Tag = kWindowListTag + intptr_t(i);
      item->SetChecked(children[i] == active);
      item->OnClick = [this](rtl::TObject* s) { WindowMenuItemClick(s); };
      windowMenu->Add(item);
    }
  }
  if (menu) menu->LockRebuild(false);
  // The popup being opened keeps its handle and shows the list as it is now.
  windowMenu->RebuildHandle();
  if (listHere) {
    m.Result = 0;
    return;
  }
  passOn();
}

void TsSkinProvider::WMMeasureItem(gui::TMessage& m) {
  TsSkinManager* manager = skinData_ ? skinData_->GetSkinManager() : nullptr;
  const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
  if (manager && form_ && form_->Menu() && HasVisibleMainMenu() && DrawNonClient() && mis && mis->CtlType == ODT_MENU)
    if (TsSkinableMenus* menus = MenusOf(manager)) menus->HookItem(form_->Menu()->FindItem(mis->itemID), true);
  if (oldWndProc_) oldWndProc_(m);
}

}  // namespace skin
