// The provider's title interaction and window management: the hit test of a skinned form,
// the hot and pressed title buttons with their halos, the title clicks, the system menu,
// the maximized bounds, the moves and system commands, activation and the border window.
#include <windows.h>
#include <windowsx.h>

#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acGlow.h"
#include "skin/forms/acMinTimer.h"
#include "skin/forms/acPopupController.h"
#include "skin/forms/acTitleBar.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

using gui::TMessage;

namespace {
gui::TPoint MessagePoint(const TMessage& m) { return {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}; }
bool IsTitleCode(int32_t code) {
  return code == kHitMin || code == kHitMax || code == kHitClose || code == kHitHelp ||
         (code >= kHitMDIClose && code <= kHitMDIMin) || (code >= 1000 && code <= 1100) || (code >= 2000 && code <= 2100);
}
}  // namespace

// ---------------------------------------------------------------- hit test

gui::TPoint TsSkinProvider::ImagePoint(const TMessage& m) {
  const gui::TPoint s = MessagePoint(m);
  // A border window shows the image: its points are counted from the border window.
  if (HWND bw = BorderForm ? BorderForm->Handle() : nullptr) {
    RECT br{};
    GetWindowRect(bw, &br);
    return {s.X - br.left, s.Y - br.top};
  }
  return ScreenToForm(s.X, s.Y);
}

TsSystemMenu* TsSkinProvider::EnsureSystemMenu() {
  // The skin set-up makes the menu; whoever needs the menu first runs it, so the set-up is
  // never skipped because the menu was made on the side.
  if (!SystemMenu) InitSkin();
  MakeSystemMenu();
  return SystemMenu.get();
}

TacTitleButtonData* TsSkinProvider::TitleButton(int32_t code) {
  switch (code) {
    case kHitMin: return &MinBtn;
    case kHitMax: return &MaxBtn;
    case kHitClose: return &CloseBtn;
    case kHitHelp: return &HelpBtn;
    default:
      if (code >= 1000 && code < kHitTitleBarItem && titleButtons_)
        if (TsTitleButton* b = titleButtons_->ByHitCode(code); b && b->Visible()) return &b->Data;
      return nullptr;
  }
}

int32_t TsSkinProvider::TitleItemAt(gui::TPoint p) {
  // With a border window the form's own hit test answers no title element: the border does.
  if (BorderForm) return 0;
  return TitleElementAt(p);
}

int32_t TsSkinProvider::TitleElementAt(gui::TPoint p) {
  if (!EnsureSystemMenu() || !HasSystemMenu()) return 0;
  TacTitleHitFacts f;
  f.Help = form_->BorderIcons & gui::biHelp;
  f.Rules = SystemMenu->Rules();
  int32_t n = 0;
  const auto inside = [&p](const gui::TRect& r) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; };
  for (int32_t code : CountedSysButtons(f, false)) {
    ++n;
    if (inside(TitleButton(code)->Rect)) return n;
  }
  // Hidden user buttons keep their places in the count.
  if (titleButtons_)
    for (int i = 0; i < titleButtons_->Count(); ++i) {
      ++n;
      const TsTitleButton* b = titleButtons_->Items(i);
      if (b->Visible() && inside(b->Data.Rect)) return n;
    }
  if (TitleBar)
    for (int i = 0; i < TitleBar->Items.Count(); ++i) {
      ++n;
      const TacTitleBarItem* it = TitleBar->Items.Items(i);
      if (it->Visible() && inside(it->ItemRect))
        return it->Style() == TacBtnStyle::bsSpacing || it->Style() == TacBtnStyle::bsInfo ? 0 : n;
    }
  return 0;
}

int32_t TsSkinProvider::HitTest(TMessage& m) {
  const gui::TPoint s = MessagePoint(m);
  const gui::TPoint p = ScreenToForm(s.X, s.Y);
  HWND wnd = FormHandle();
  if (const int32_t a = TitleItemAt(p); a > 0) {
    TacTitleHitFacts f = TitleHitFacts();
    f.Iconic = IsIconic(wnd);
    const int32_t code = TitlePositionCode(a, f);
    if (code != kHitClient) return code;
  }
  RECT wr{};
  GetWindowRect(wnd, &wr);
  TacFrameHitFacts f;
  f.Width = wr.right - wr.left;
  f.Height = wr.bottom - wr.top;
  f.Maximized = IsZoomed(wnd);
  f.ThickFrame = GetWindowLongPtrW(wnd, GWL_STYLE) & WS_THICKFRAME;
  f.BorderForm = BorderForm != nullptr;
  f.Border = GetBorderWidth(true);
  f.TopBorder = GetOwnBorderWidth(false);
  f.SysCaption = GetSysCaptionHeight();
  f.OwnBorder = GetOwnBorderWidth(true);
  f.OwnBorderSys = GetOwnBorderWidth(false);
  f.SkinCaptionHeight = CaptionHeight(false);
  f.MenuLineHeight = HasMenuLine() ? MenuLineHeight() : 0;
  f.MenuLineCount = HasMenuLine() ? GetMenuLineCount() : 0;
  f.IconRect = {IconRect.Left, IconRect.Top, IconRect.Right, IconRect.Bottom};
  f.GripArea = GripVisible();
  TacSkinData* sd = skinData_->GetScaledSkin();
  if (sd && sd->GripImage >= 0 && size_t(sd->GripImage) < sd->Masks.size()) {
    const TsMaskData& e = sd->Masks[size_t(sd->GripImage)];
    // Where it lies in the image, in the window's own coordinates: the window lies in its image
    // at the border offset (past the shadow and the extra frame and title).
    const TacPoint g = GripPositionFor(CacheWidth(), CacheHeight(), e.FrameWidth, e.FrameHeight, GetBorderWidth(true),
                                       GetShadowSize());
    const POINT at = BorderOffset();
    f.HasGripImage = true;
    f.GripX = g.X - at.x;
    f.GripY = g.Y - at.y;
  }
  return FrameHitCode(p.X, p.Y, f);
}

TacTitleHitFacts TsSkinProvider::TitleHitFacts() {
  TacTitleHitFacts f;
  f.SystemMenu = HasSystemMenu();
  f.Help = form_->BorderIcons & gui::biHelp;
  f.Rules = EnsureSystemMenu()->Rules();
  if (titleButtons_)
    for (int i = 0; i < titleButtons_->Count(); ++i) {
      const TsTitleButton* b = titleButtons_->Items(i);
      f.UserButtons.push_back({b->Visible(), b->Enabled});
    }
  if (TitleBar)
    for (int i = 0; i < TitleBar->Items.Count(); ++i) {
      const TacTitleBarItem* it = TitleBar->Items.Items(i);
      f.TitleBarItems.push_back({it->Visible(), it->Enabled(), it->Style() == TacBtnStyle::bsMenu && it->State == 2});
    }
  return f;
}

// ---------------------------------------------------------------- hot and pressed

void TsSkinProvider::SetHotItem(int32_t code, bool repaint) {
  if (code == HotItem || !DrawNonClient() || boolProps_[4]) return;
  TsSkinManager* m = skinData_->GetSkinManager();
  TacTitleHover s{HotItem, ButtonPressed};
  const TacHoverChange c = SetHot(s, code, m && m->Options.GetOption(1));
  HotItem = s.HotItem;
  if (c.Normal > 0) {
    if (TacTitleButtonData* b = TitleButton(c.Normal)) b->State = 0;
    UserButtonHint(c.Normal, false);
    ItemHover(c.Normal, false, repaint);
    if (repaint) RepaintTitleButton(c.Normal);
  }
  if (c.Item > 0) {
    if (TacTitleButtonData* b = TitleButton(c.Item)) b->State = c.NewState;
    UserButtonHint(c.Item, true);
    ItemHover(c.Item, true, repaint);
    if (repaint) RepaintTitleButton(c.Item);
  }
}

void TsSkinProvider::SetPressedItem(int32_t code) {
  EnsureSystemMenu();
  TacTitleHover s{HotItem, ButtonPressed};
  const TacHoverChange c = SetPressed(s, code, PressAllowed(code, SystemMenu->Rules(), IsZoomed(FormHandle())));
  HotItem = s.HotItem;
  ButtonPressed = s.ButtonPressed;
  if (c.Normal > 0) {
    if (TacTitleButtonData* b = TitleButton(c.Normal)) b->State = 0;
    UserButtonHint(c.Normal, false);
    RepaintTitleButton(c.Normal);
  }
  if (c.Item > 0) {
    if (TacTitleButtonData* b = TitleButton(c.Item)) b->State = c.NewState;
    UserButtonHint(c.Item, false);
    RepaintTitleButton(c.Item);
  }
}

bool TsSkinProvider::FadesTitleButtons() {
  TsSkinManager* m = skinData_->GetSkinManager();
  // A border window carries the title itself and is updated whole.
  return m && m->Effects.AllowGlowing && !BorderForm && formState_ == 0 && !form_->Parent() &&
         form_->FormStyle != gui::TFormStyle::fsMDIChild;
}

void TsSkinProvider::RepaintTitleButton(int32_t code) {
  TacTitleButtonData* b = TitleButton(code);
  HWND wnd = FormHandle();
  if (!b || !wnd || skinData_->CacheEmpty() || b->Rect.IsEmpty()) return;
  TsSkinManager* m = skinData_->GetSkinManager();
  if (FadesTitleButtons()) {
    // The new look fades in over the button in a window of its own (with the glyph's glow
    // around a hot system button); the cached title keeps its resting look underneath.
    HideGlowEffect(b->GlowId, false);
    TsTitleButton* user = titleButtons_ ? titleButtons_->ByHitCode(code) : nullptr;
    gui::TBitmap* glyph = user && !user->Glyph().Empty() ? &user->Glyph() : nullptr;
    StartTitleButtonFade(this, wnd, skinData_.get(), *b, b->State == 2 ? 1 : (m->Effects.AllowAnimation ? 10 : 1), glyph);
    return;
  }
  gui::TBitmap& cache = *skinData_->FCache;
  // The buttons are drawn again over the clean title kept at the last rebuild.
  PaintTitleButtons(cache, cache.Width());
  const TacRect shadow = GetShadowSize();
  if (BorderForm) {
    BorderForm->UpdateBorderWindow(true);
  } else {
    HDC dc = GetWindowDC(wnd);
    BitBlt(dc, b->Rect.Left - shadow.Left, b->Rect.Top - shadow.Top, b->Rect.Width(), b->Rect.Height(),
           cache.Canvas().Handle(), b->Rect.Left, b->Rect.Top, SRCCOPY);
    ReleaseDC(wnd, dc);
  }
  TacSkinData* sd = skinData_->GetScaledSkin();
  const bool glows = b->State == 1 && (code == kHitMin || code == kHitMax || code == kHitClose) && m &&
                     m->Effects.AllowGlowing && sd && b->GlyphIndex < 5 && !sd->TitleBtnGlows[b->GlyphIndex].empty() &&
                     !form_->Parent() && form_->FormStyle != gui::TFormStyle::fsMDIChild;
  if (glows) {
    HideGlowEffect(b->GlowId, false);
    RECT wr{};
    GetWindowRect(BorderForm && BorderForm->Handle() ? BorderForm->Handle() : wnd, &wr);
    const gui::TRect r{wr.left + b->Rect.Left, wr.top + b->Rect.Top, wr.left + b->Rect.Right, wr.top + b->Rect.Bottom};
    b->GlowId = ShowGlowEffectByMask(r, sd->TitleBtnGlows[b->GlyphIndex], sd->TitleBtnGlowMargins[b->GlyphIndex], 255,
                                     wnd, skinData_.get());
  } else {
    HideGlowEffect(b->GlowId, false);
  }
}

// ---------------------------------------------------------------- hover handlers

void TsSkinProvider::WMNCHitTest(TMessage& m) {
  if (CaptionHeight(true) == 0 || !DrawNonClient()) {
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  const int32_t code = HitTest(m);
  m.Result = code;
  const bool system = code == kHitNowhere || code == kHitClient || code == kHitCaption || code == kHitMenu ||
                      (code >= kHitLeft && code <= kHitBottomRight);
  if (!system) return;
  if (code == kHitBottomRight && GripVisible()) return;  // the grip corner answers even over the client
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMNCMouseMove(TMessage& m) {
  if (!form_->Enabled()) return;
  const int32_t code = HitTest(m);
  m.WParam = WPARAM(code);
  if (IsTitleCode(code)) {
    SetHotItem(code, true);
    return;
  }
  SetHotItem(0, true);
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMMouseMove(TMessage& m) {
  if (oldWndProc_) oldWndProc_(m);
  SetHotItem(0, true);
}

void TsSkinProvider::WMMouseLeave(TMessage& m) {
  if (!(HotItem >= 2000 && BorderForm)) SetHotItem(-1, true);
  ButtonPressed = false;
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::CMMouseEnter(TMessage& m) {
  if (BorderForm) SetHotItem(-1, true);
  ButtonPressed = false;
  if (oldWndProc_) oldWndProc_(m);
  if (BorderForm && BorderForm->RegionChanged && !(formState_ & psBorderSizing)) BorderForm->UpdateRegion();
}

// ---------------------------------------------------------------- clicks

void TsSkinProvider::WMNCLButtonDown(TMessage& m) {
  HWND wnd = FormHandle();
  if (!DrawNonClient() || (gui::Application && gui::Application->Terminated())) {
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  if (TacPopupController* c = PopupController()) CloseAllPopups(c);
  int32_t code = int32_t(m.WParam);
  if (BorderForm && code == kHitObject) {
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  if (BorderForm && code == -1) code = BorderForm->HitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  switch (code) {
    case kHitSysMenu: {
      // The skinned menu opens under the icon; the system's own would open over it.
      SetHotItem(0, true);
      ButtonPressed = false;
      const gui::TPoint o = FormScreenOrigin();
      ShowSystemMenu(o.X + GetBorderWidth(false), o.Y + FrameHeight(true) + IconRect.Height() + GetOwnBorderWidth(false));
      return;
    }
    case kHitMenu: break;
    case kHitMin:
    case kHitMax:
    case kHitClose:
    case kHitHelp: SetPressedItem(code); return;
    default:
      if (code >= 1000 && code < kHitTitleBarItem) {
        SetPressedItem(code);
        if (TsTitleButton* b = titleButtons_ ? titleButtons_->ByHitCode(code) : nullptr) {
          const gui::TPoint s = MessagePoint(m);
          b->DoMouseDown(gui::TMouseButton::mbLeft, 0, s.X, s.Y);
        }
        return;
      }
      if (code >= kHitTitleBarItem && TitleBar) {
        ItemPress(code, ImagePoint(m));
        return;
      }
      if (IsIconic(wnd)) {
        SendMessageW(wnd, WM_SYSCOMMAND, 0xF012, 0);
        return;
      }
      SetHotItem(0, true);
      break;
  }
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMNCLButtonUp(TMessage& m) {
  HWND wnd = FormHandle();
  if (!DrawNonClient() || !form_->Enabled()) {
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  EnsureSystemMenu();
  int32_t code = m.Msg == WM_NCLBUTTONUP ? int32_t(m.WParam) : kHitClient;
  if (code == -1 && BorderForm) code = BorderForm->HitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  const TacSysMenuRules rules = SystemMenu->Rules();
  switch (code) {
    case kHitMin: {
      if (!ButtonPressed) {
        SetHotItem(0, true);
        break;
      }
      const gui::TPoint p = ImagePoint(m);
      const gui::TRect& r = MinBtn.Rect;
      if (!(p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom)) break;
      ButtonPressed = false;
      SetHotItem(0, true);
      const bool main = gui::Application && gui::Application->MainForm() == form_;
      if (main) AnimShown = true;
      SendMessageW(wnd, WM_SYSCOMMAND, !main && IsIconic(wnd) ? SC_RESTORE : SC_MINIMIZE, 0);
      if (main) AnimShown = false;
      skinData_->FCacheInvalid = true;
      return;
    }
    case kHitMax:
      if (!(rules.MaxEnabled || (IsZoomed(wnd) && rules.RestoreEnabled))) return;
      if (!ButtonPressed) {
        SetHotItem(0, true);
        break;
      }
      ButtonPressed = false;
      SetHotItem(0, true);
      RegionChanged = true;
      SendMessageW(wnd, WM_SYSCOMMAND, IsZoomed(wnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
      SystemMenu->UpdateItems(false);
      return;
    case kHitClose:
      if (!rules.CloseEnabled || !ButtonPressed) return;
      CloseBtn.State = 0;
      ButtonPressed = false;
      SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      // A form that refused to close shows its button normal again.
      if (IsWindow(wnd) && !IsDestroying() && IsWindowVisible(wnd)) {
        HotItem = kHitClose;
        SetHotItem(0, true);
      }
      return;
    case kHitHelp:
      if (ButtonPressed) {
        SendMessageW(wnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        ButtonPressed = false;
        SetHotItem(0, true);
        SystemMenu->UpdateItems(false);
        SendMessageW(wnd, WM_NCPAINT, 0, 0);
      } else {
        SetHotItem(0, true);
      }
      return;
    default:
      if (code >= 1000 && code < kHitTitleBarItem) {
        TsTitleButton* b = titleButtons_ ? titleButtons_->ByHitCode(code) : nullptr;
        if (b && ButtonPressed) {
          const gui::TPoint s = MessagePoint(m);
          b->DoMouseUp(gui::TMouseButton::mbLeft, 0, s.X, s.Y);
        }
        ButtonPressed = false;
        SetHotItem(0, true);
        return;
      }
      if (code >= kHitTitleBarItem && TitleBar) {
        ItemRelease(code, ImagePoint(m));
        return;
      }
      if (IsIconic(wnd) && form_->FormStyle == gui::TFormStyle::fsMDIChild) {
        // An iconic MDI child opens its menu at the mouse.
        POINT c{};
        GetCursorPos(&c);
        ButtonPressed = false;
        ShowSystemMenu(c.x, c.y);
        return;
      }
      break;
  }
  ButtonPressed = false;
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMNCLButtonDblClk(TMessage& m) {
  HWND wnd = FormHandle();
  EnsureSystemMenu();
  switch (int32_t(m.WParam)) {
    case kHitCaption: {
      const TacSysMenuRules r = SystemMenu->Rules();
      if ((HasSystemMenu() && (r.MaxEnabled || r.RestoreEnabled)) || (!HasBorder() && IsIconic(wnd))) {
        SendMessageW(wnd, WM_SYSCOMMAND, IsZoomed(wnd) || IsIconic(wnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        SystemMenu->UpdateItems(false);
        return;
      }
      if (IsIconic(wnd)) {
        SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        SystemMenu->UpdateItems(false);
        m.WParam = 0;
        return;
      }
      break;
    }
    case kHitSysMenu: form_->Close(); return;
    default: break;
  }
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMNCRButtonDown(TMessage& m) {
  const int32_t code = int32_t(m.WParam);
  if (code == kHitCaption || code == kHitSysMenu) {
    RightClickPending = true;
    return;
  }
  if (TacTitleBarItem* item = TitleBarItemOf(code)) {
    RightClickPending = true;
    const gui::TPoint s = MessagePoint(m);
    if (item->OnMouseDown) item->OnMouseDown(item, gui::TMouseButton::mbRight, 0, s.X, s.Y);
    return;
  }
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMNCRButtonUp(TMessage& m) {
  if (!HasBorder()) {
    RightClickPending = false;
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  const int32_t code = int32_t(m.WParam) == -1 && BorderForm
                           ? BorderForm->HitTest(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam))
                           : HitTest(m);
  if ((code == kHitCaption || code == kHitSysMenu) && RightClickPending) {
    RightClickPending = false;
    SetHotItem(0, true);
    ButtonPressed = false;
    ShowSystemMenu(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  } else if (TacTitleBarItem* item = TitleBarItemOf(code)) {
    const gui::TPoint s = MessagePoint(m);
    TitleBar->ItemMouseUp(item, gui::TMouseButton::mbRight, 0, s.X, s.Y);
  }
  RightClickPending = false;
}

// ---------------------------------------------------------------- system menu

void TsSkinProvider::EnableSysMenuItem(UINT command, bool enable, HMENU menu) {
  EnableMenuItem(menu, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

void TsSkinProvider::ShowSystemMenu(int32_t x, int32_t y) {
  HWND wnd = FormHandle();
  if (!form_ || !wnd) return;
  EnsureSystemMenu();
  TsSkinManager* m = skinData_->GetSkinManager();
  if (m && m->SkinnedPopups()) {
    // Built again from the window's menu, so that entries added since appear.
    SystemMenu->UpdateItems(SystemMenu->Items()->Count() > 0 || SystemMenu->HasSubMenu());
    if (MakeSkinMenu) SystemMenu->MakeSkinItems();
    // Painted by the skinned menus, like the form's other popups.
    if (m->IsDefault())
      if (TsSkinableMenus* menus = SkinableMenus(m)) menus->HookMenu(SystemMenu.get(), true);
    SystemMenu->Popup(x, y, wnd);
    return;
  }
  const TacSysMenuFacts facts = SysMenuFactsOf(form_, wnd);
  const TacNativeSysCommands c = NativeSysCommands(SysMenuRules(facts), facts.Iconic, facts.WindowState);
  HMENU sys = GetSystemMenu(wnd, FALSE);
  if (!sys) return;
  // The window stays hidden from the system's own updates while the commands are set.
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  SetWindowLongPtrW(wnd, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
  EnableSysMenuItem(SC_RESTORE, c.Restore, sys);
  EnableSysMenuItem(SC_MOVE, c.Move, sys);
  EnableSysMenuItem(SC_SIZE, c.Size, sys);
  EnableSysMenuItem(SC_MINIMIZE, c.Minimize, sys);
  EnableSysMenuItem(SC_MAXIMIZE, c.Maximize, sys);
  EnableSysMenuItem(SC_CLOSE, c.Close, sys);
  SetWindowLongPtrW(wnd, GWL_STYLE, style);
  const int chosen = int(TrackPopupMenu(sys, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, wnd, nullptr));
  if (chosen > 0) PostMessageW(wnd, WM_SYSCOMMAND, WPARAM(chosen), 0);
}

void TsSkinProvider::BeginBlendMove() {
  if (FormActive != 1) skinData_->FCacheInvalid = true;
  FormActive = 1;
  if (form_->CanFocus()) SetFocus(FormHandle());
  // The blended drag itself belongs to the form animations; the caption drag stands in.
  SendMessageW(FormHandle(), WM_SYSCOMMAND, 0xF012, 0);
}

// ---------------------------------------------------------------- sizing and commands

void TsSkinProvider::WMGetMinMaxInfo(TMessage& m) {
  if (DrawNonClient() && form_->BorderStyle != gui::TFormBorderStyle::bsNone &&
      form_->FormStyle != gui::TFormStyle::fsMDIChild && !form_->Parent()) {
    const gui::TRect w = GetFormWorkArea(form_);
    const int32_t f = GetBorderWidth(false);
    int32_t t = 0;
    HWND wnd = FormHandle();
    TsSkinManager* mgr = skinData_->GetSkinManager();
    const bool nativeMax = mgr && mgr->Options.GetOption(2);
    if (BorderForm && !(IsZoomed(wnd) && !ExtBordersAllowed(false)) && !((formState_ & psMaximizing) && nativeMax) &&
        (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
      TallTitleMaximized = (formState_ & psMaximizing) && SkinTitleHeight(true) > GetSysCaptionHeight() + 4;
      t = ExtraMaxTitleHeight(true);
    }
    const TacPlace b = MaximizedBounds({w.Left, w.Top, w.Right, w.Bottom}, f, t);
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    info->ptMaxPosition = {b.Left, b.Top};
    info->ptMaxSize = {b.Width, b.Height};
    m.Result = 0;
  }
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMWindowPosChanging(TMessage& m) {
  auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
  HWND wnd = FormHandle();
  if (wp && (wp->flags & SWP_HIDEWINDOW) && HideWithBorderWindow(m)) return;
  const bool moves = wp && wnd && !IsZoomed(wnd) && !(wp->flags & SWP_NOMOVE) && (wp->x != 0 || wp->y != 0);
  if (moves && ScreenSnap && form_->Showing()) SnapToEdges(wp->x, wp->y);
  if (moves && (formState_ & (psVertRestore | psHorzRestore))) {
    if (formState_ & psVertRestore) {
      // A form stretched to the work area's height gets back its own top and height.
      const TacPlace b = VerticalRestoreBounds({wp->x, wp->y, wp->cx, wp->cy}, LastBounds);
      wp->y = b.Top;
      wp->cy = b.Height;
      wp->flags &= ~UINT(SWP_NOSIZE);
      if (wp->cx == 0) wp->cx = form_->Width();
    }
    formState_ &= ~(psVertRestore | psHorzRestore);
    m.Result = 0;
    return;
  }
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMWindowPosChanged(TMessage& m) {
  HWND wnd = FormHandle();
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (mgr && mgr->Options.GetOption(2) && IsZoomed(wnd)) BorderForm.reset();
  if (!mgr || !LayeredWindowsAvailable() || !DrawNonClient()) {
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  TallTitleMaximized = BorderForm && IsZoomed(wnd) && SkinTitleHeight(false) > GetSysCaptionHeight() + 4;
  if (wp && (wp->flags & SWP_HIDEWINDOW) && !AnimShown && !skinData_->CacheEmpty() && !IsIconic(wnd) && BorderForm)
    BorderForm->FreeBorderWindow();
  if (oldWndProc_) oldWndProc_(m);
  if (!BorderForm || !wp) return;
  if (!IsWindowVisible(wnd) || IsIconic(wnd)) {
    const bool main = gui::Application && gui::Application->MainForm() == form_;
    if (IsIconic(wnd) && !(formState_ & (psMinimizing | psRestoring)) && main && !IsDestroying())
      BorderForm->FreeBorderWindow();
    return;
  }
  if ((wp->flags & (SWP_FRAMECHANGED | SWP_NOREDRAW)) || (formState_ & (psDisabled | psBlendMoving))) return;
  if ((wp->flags & SWP_NOSIZE) && (wp->flags & SWP_NOMOVE)) {
    if (HWND bw = BorderForm->Handle())
      SetWindowPos(bw, wnd, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return;
  }
  BorderForm->UpdateBorderWindow(false);
}

void TsSkinProvider::WMSize(TMessage& m) {
  HWND wnd = FormHandle();
  FreeTitleAnimations();
  if (skinData_->FUpdating || !IsWindowVisible(wnd) || (formState_ & psRestoring)) {
    RegionChanged = true;
    skinData_->FCacheInvalid = true;
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  MenuLineCount = -1;
  // A drag that turned into a resize shows the form opaque again.
  if (formState_ & psBlendMoving) FinishBlendMoving(this);
  if (oldWndProc_) oldWndProc_(m);
  RECT cr{};
  GetClientRect(wnd, &cr);
  if (!IsIconic(wnd)) {
    skinData_->FCacheInvalid = true;
    RegionChanged = true;
    if (BorderForm) {
      formState_ |= psBorderSizing;
      BorderForm->UpdateBorderWindow(true);
      formState_ &= ~psBorderSizing;
    } else {
      // A frame paint that came before the new size settled was skipped: the frame and
      // its region follow the new size now.
      RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    }
  }
  LastClientRect = {0, 0, cr.right, cr.bottom};
}

void TsSkinProvider::WMEnterSizeMove(TMessage& m) {
  // The forms touching this one now are the ones that travel with it.
  UpdateGluedForms();
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (mgr && mgr->AnimEffects.BlendOnMoving.Active && DrawNonClient() && !form_->Parent()) StartBlendMoving(this, false);
  if (oldWndProc_) oldWndProc_(m);
}

void TsSkinProvider::WMExitSizeMove(TMessage& m) {
  if (formState_ & psBlendMoving) FinishBlendMoving(this);
  if (oldWndProc_) oldWndProc_(m);
  if (BorderForm) BorderForm->UpdateBorderWindow(true);
}

void TsSkinProvider::WMMove(TMessage& m) {
  FreeTitleAnimations();
  ClearGlowEffects(false);
  if (oldWndProc_) oldWndProc_(m);
  if (BorderForm) BorderForm->UpdateBorderWindow(false);
  MoveGluedForms(false);
}

void TsSkinProvider::WMSizing(TMessage& m) {
  if (oldWndProc_) oldWndProc_(m);
  if (BorderForm) BorderForm->UpdateBorderWindow(false);
}

namespace {
// The system's own minimize and restore animation, off while the form flies by itself.
class SystemAnimationOff {
 public:
  SystemAnimationOff() {
    saved_.cbSize = sizeof(ANIMATIONINFO);
    if (SystemParametersInfoW(SPI_GETANIMATION, sizeof(saved_), &saved_, 0) && saved_.iMinAnimate) {
      ANIMATIONINFO off{sizeof(ANIMATIONINFO), 0};
      changed_ = SystemParametersInfoW(SPI_SETANIMATION, sizeof(off), &off, 0);
    }
  }
  ~SystemAnimationOff() {
    if (changed_) SystemParametersInfoW(SPI_SETANIMATION, sizeof(saved_), &saved_, 0);
  }
  SystemAnimationOff(const SystemAnimationOff&) = delete;
  SystemAnimationOff& operator=(const SystemAnimationOff&) = delete;

 private:
  ANIMATIONINFO saved_{};
  bool changed_ = false;
};
}  // namespace

bool TsSkinProvider::PassAnimated(TMessage& m, UINT command) {
  HWND wnd = FormHandle();
  TsSkinManager* mgr = skinData_->GetSkinManager();
  const bool main = gui::Application && gui::Application->MainForm() == form_;
  if (main || form_->FormStyle == gui::TFormStyle::fsMDIChild || !mgr) return false;
  if (command == SC_MINIMIZE && mgr->AnimEffects.Minimizing.Active) {
    SystemAnimationOff off;
    StartMinimizeAnimation(this);
    if (oldWndProc_) oldWndProc_(m);
    return true;
  }
  // Only a form that flew into the task bar flies back.
  if (!MinTimer || !MinTimer->Minimized) return false;
  if (command == SC_MAXIMIZE && !form_->Parent()) {
    SetFormState(formState_ | psMaximizing);
    {
      SystemAnimationOff off;
      StartRestoreAnimation(this);
      if (oldWndProc_) oldWndProc_(m);
    }
    SetFormState(formState_ & ~psMaximizing);
    return true;
  }
  if (command == SC_RESTORE && IsIconic(wnd)) {
    SetFormState(formState_ | psSysRestoring);
    {
      SystemAnimationOff off;
      RegionChanged = true;
      StartRestoreAnimation(this);
      skinData_->FCacheInvalid = true;
      if (oldWndProc_) oldWndProc_(m);
      if (BorderForm && !BorderForm->Handle()) {
        InAnimation = false;
        BorderForm->UpdateBorderWindow(true);
      }
    }
    SetFormState(formState_ & ~psSysRestoring);
    return true;
  }
  return false;
}

void TsSkinProvider::WMSysCommand(TMessage& m) {
  HWND wnd = FormHandle();
  EnsureSystemMenu();
  const UINT command = UINT(m.WParam) & 0xFFF0;
  if (command == SC_MINIMIZE) WasMaximized = IsZoomed(wnd);
  if (PassAnimated(m, command)) return;
  if (command == SC_MAXIMIZE || command == SC_RESTORE) WasMaximized = false;
  if (command == SC_MAXIMIZE && BorderForm && !ExtBordersAllowed(true)) BorderForm.reset();
  if (command == SC_MAXIMIZE && BorderForm && form_->FormStyle != gui::TFormStyle::fsMDIForm) {
    // The system maximizes a clear form without its border window, so no frame on the way
    // shows; both come back whole at the new size.
    SetFormState(formState_ | psMaximizing);
    const bool wasLayered = GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED;
    if (!wasLayered) {
      SetWindowLayered(wnd, true, 1);
      BorderForm->FreeBorderWindow();
      BorderForm->Updating = true;
    }
    if (oldWndProc_) oldWndProc_(m);
    if (!wasLayered) {
      RemoveLayeredStyle(wnd);
      if (BorderForm) BorderForm->Updating = false;
    }
    SetFormState(formState_ & ~psMaximizing);
  } else if (oldWndProc_) {
    oldWndProc_(m);
  }
  if (!IsWindow(wnd)) return;
  if (command == SC_KEYMENU && LOWORD(m.LParam) == ' ' && HasSystemMenu() && HasBorder()) {
    const gui::TPoint o = FormScreenOrigin();
    ShowSystemMenu(o.X + GetBorderWidth(true),
                   o.Y + FrameHeight(true) + IconRect.Height() - (IsIconic(wnd) ? 16 : 0));
    return;
  }
  if (command == SC_MAXIMIZE || command == SC_RESTORE) {
    if (SystemMenu->MaxVisible()) {
      HotItem = kHitMax;
      SetHotItem(0, true);
    }
    skinData_->FCacheInvalid = true;
    if (BorderForm) BorderForm->UpdateBorderWindow(true);
  }
  if (command == SC_MINIMIZE && BorderForm && !(formState_ & psMinimizing)) BorderForm.reset();
}

// ---------------------------------------------------------------- activation

void TsSkinProvider::WMNCActivate(TMessage& m) {
  if (formState_ & psRestoring) return;
  ClearGlowEffects(false);
  HWND wnd = FormHandle();
  if (IsDestroying() || !DrawNonClient() || !wnd) {
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  EnsureSystemMenu();
  const uint8_t active = m.WParam != 0 ? 1 : 0;
  if (active != FormActive) {
    FormActive = active;
    skinData_->FCacheInvalid = true;
  }
  formState_ |= psNcActivating;
  if (oldWndProc_) oldWndProc_(m);
  formState_ &= ~psNcActivating;
  if (!IsWindowVisible(wnd) || IsIconic(wnd)) return;
  // The client shows the form section in its new state too: it is painted again from the
  // image (without erasing, so nothing flashes in between).
  if (form_->Showing() && !PaintSuppressed && !(formState_ & psBlendMoving)) {
    if (IsCompositionEnabled()) {
      if (!BorderForm) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else if (!BorderForm || HasVisibleMainMenu()) {
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW | RDW_FRAME);
    }
  }
  // The system drew its own title: the skinned frame goes over it at once.
  if (PrepareCache()) {
    HDC dc = GetWindowDC(wnd);
    PaintNonClient(dc);
    ReleaseDC(wnd, dc);
  }
  if (BorderForm) BorderForm->UpdateBorderWindow(true);
  m.Result = 1;
}

void TsSkinProvider::CMShowingChanged(TMessage& m) {
  HWND wnd = FormHandle();
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if ((!DrawNonClient() && form_->BorderStyle != gui::TFormBorderStyle::bsNone) || !DrawClientArea) {
    if (oldWndProc_) oldWndProc_(m);
    skinData_->FUpdating = false;
    return;
  }
  if (!form_->Showing()) {
    // Hiding: the border window goes with the form, unless the hide animation is to play
    // in it; the form's own hiding then hands it over to the animation. What is left of it
    // once the form is gone goes too.
    const bool hideInBorder = mgr && AllowAnimation && mgr->Effects.AllowAnimation &&
                              mgr->AnimEffects.FormHide.Active && mgr->AnimEffects.FormHide.Time >= 12;
    if (!hideInBorder) BorderForm.reset();
    if (oldWndProc_) oldWndProc_(m);
    if (BorderForm && BorderForm->Handle() && !(wnd && IsWindowVisible(wnd))) BorderForm.reset();
    return;
  }
  // A form left layered by an earlier show loses the style; a window that is gone by
  // then is given up instead of being asked again and again.
  const bool wasLayered = wnd && (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  // With the manager's show animation the form is held fully transparent, its children
  // unpainted, while the system shows it, so its frame never appears before the picture.
  const bool animate = ShowAnimated(mgr);
  PaintSuppressed = animate;
  const int blend = form_->AlphaBlend() ? form_->AlphaBlendValue() : 255;
  if (animate) {
    skinData_->FUpdating = true;
    InAnimation = true;
    SetWindowLayered(wnd, true, 0);
    if (!wasLayered) {
      if (!BorderForm) PrepareRegionRects();
      if (!IsZoomed(wnd)) UpdateRegion(false, false);
      RegionUpdating = false;
    }
    SetChildrenRedraw(false);
  } else {
    skinData_->FUpdating = false;
  }
  UpdateExtBorders(mgr && mgr->ExtendedBorders());
  if (PaintSuppressed) formState_ |= psFirstShowing;
  if (oldWndProc_) oldWndProc_(m);
  formState_ &= ~psFirstShowing;
  if (animate) {
    if (!IsWindow(wnd)) return;
    SetChildrenRedraw(true);
    SetWindowLayered(wnd, false, 1);
    PaintSuppressed = false;
    AnimShowForm(this, mgr->AnimEffects.FormShow.Time, blend, mgr->AnimEffects.FormShow.Mode);
    InAnimation = false;
    if (!IsWindow(wnd)) return;
    if (!BorderForm) UpdateRegion(false, false);
    RegionUpdating = false;
    RECT cr{};
    GetClientRect(wnd, &cr);
    LastClientRect = {0, 0, cr.right, cr.bottom};
    return;
  }
  if (wasLayered && !RemoveLayeredStyle(wnd)) return;
  if (!IsWindow(wnd)) return;
  if (BorderForm) RegionChanged = true;
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  RECT cr{};
  GetClientRect(wnd, &cr);
  LastClientRect = {0, 0, cr.right, cr.bottom};
}

bool TsSkinProvider::ShowAnimated(TsSkinManager* mgr) const {
  if (!mgr || !AllowAnimation || !mgr->Effects.AllowAnimation) return false;
  if (form_->Parent() && form_->FormStyle != gui::TFormStyle::fsMDIChild) return false;
  const TacFormAnimation& show = mgr->AnimEffects.FormShow;
  HWND wnd = FormHandle();
  return show.Active && show.Time > 0 && LayeredWindowsAvailable() && wnd && wnd != PreviewWindow && !IsIconic(wnd);
}

void TsSkinProvider::SetChildrenRedraw(bool on) {
  for (int i = 0; i < form_->ControlCount(); ++i) {
    auto* child = dynamic_cast<gui::TWinControl*>(form_->Controls(i));
    if (child && child->Visible() && child->HandleAllocated()) child->Perform(WM_SETREDRAW, on ? 1 : 0, 0);
  }
}

void TsSkinProvider::WMActivate(TMessage& m) {
  if (oldWndProc_) oldWndProc_(m);
  if (!form_->Showing()) return;
  MenuLineCount = -1;
  if (LOWORD(m.WParam) == WA_ACTIVE) {
    EnsureSystemMenu()->UpdateItems(false);
    if (!DrawNonClient()) skinData_->FUpdating = false;
  }
}

void TsSkinProvider::WMShowWindow(TMessage& m) {
  HWND wnd = FormHandle();
  if (form_->FormStyle == gui::TFormStyle::fsMDIChild) {
    if (oldWndProc_) oldWndProc_(m);
    return;
  }
  if (m.WParam == 1) formState_ &= ~psRestoring;
  if (oldWndProc_) oldWndProc_(m);
  if (m.WParam == 1 && IsWindowVisible(wnd))
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                     SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void TsSkinProvider::WMStyleChanged(TMessage& m) {
  if (oldWndProc_) oldWndProc_(m);
  TsSystemMenu* menu = EnsureSystemMenu();
  const bool sysMenu = form_->BorderIcons & gui::biSystemMenu;
  if (menu && menu->ItemClose && menu->ItemClose->Visible() != sysMenu) {
    menu->UpdateItems(false);
    skinData_->FCacheInvalid = true;
    SetWindowPos(FormHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return;
  }
  if (m.WParam != WPARAM(GWL_EXSTYLE) || (formState_ & (psBlendMoving | psMinimizing | psRestoring)) ||
      !DrawNonClient())
    return;
  const auto* ss = reinterpret_cast<const STYLESTRUCT*>(m.LParam);
  const bool layeredChanged = ss && ((ss->styleOld ^ ss->styleNew) & WS_EX_LAYERED);
  if (!layeredChanged || (formState_ & psDisabled)) return;
  if (BorderForm)
    BorderForm->UpdateBorderWindow(true);
  else
    UpdateExtBorders(skinData_->GetSkinManager() && skinData_->GetSkinManager()->ExtendedBorders());
}

void TsSkinProvider::CMEnabledChanged(TMessage& m) {
  if (oldWndProc_) oldWndProc_(m);
  if (!DrawNonClient()) return;
  const bool enabled = form_->Enabled();
  if (BorderForm && BorderForm->Handle()) EnableWindow(BorderForm->Handle(), enabled);
  if (DisabledBlendValue < 255 || DisabledBlured)
    SetFormState(enabled ? formState_ & ~psDisabled : formState_ | psDisabled);
  skinData_->FCacheInvalid = true;
  if (HWND wnd = FormHandle()) SendMessageW(wnd, WM_NCPAINT, 1, 0);
  if (BorderForm) BorderForm->UpdateBorderWindow(true);
  // The veil lies over a form disabled with a tint to show, and goes when it is enabled.
  if (enabled || (formState_ & psDisabled)) UpdateDisabledLook();
}

bool TsSkinProvider::RemoveLayeredStyle(HWND wnd) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!IsWindow(wnd)) return false;
    const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) return true;
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
  }
  return IsWindow(wnd) && !(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
}

// ---------------------------------------------------------------- border window

bool TsSkinProvider::ExtBordersAllowed(bool maximized) {
  TsSkinManager* m = skinData_->GetSkinManager();
  if (!m || !m->ExtendedBorders() || !GetBoolProp(0) || !form_ || form_->Parent() ||
      form_->FormStyle == gui::TFormStyle::fsMDIChild)
    return false;
  return !(maximized && m->Options.GetOption(2));
}

void TsSkinProvider::UpdateExtBorders(bool allow) {
  HWND wnd = FormHandle();
  if (allow && wnd && ExtBordersAllowed(IsZoomed(wnd))) {
    if (!BorderForm) {
      BorderForm = std::make_unique<TacBorderForm>(this);
      skinData_->FCacheInvalid = true;
      if (IsWindowVisible(wnd)) BorderForm->UpdateBorderWindow(true);
    }
    return;
  }
  BorderForm.reset();
}

void TsSkinProvider::CreateBorderForm() { BorderForm = std::make_unique<TacBorderForm>(this); }
void TsSkinProvider::FreeBorderForm() { BorderForm.reset(); }
bool TsSkinProvider::BorderWindowShown() {
  HWND bw = BorderForm ? BorderForm->Handle() : nullptr;
  return bw && IsWindowVisible(bw);
}
void TsSkinProvider::UpdateBorderWindow(bool repaint, uint8_t) {
  if (BorderForm) BorderForm->UpdateBorderWindow(repaint);
}
void TsSkinProvider::MakeSystemMenu() {
  if (!SystemMenu && form_) SystemMenu = std::make_unique<TsSystemMenu>(this);
}

}  // namespace skin
