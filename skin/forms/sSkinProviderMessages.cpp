// The provider's message pipeline: the form window procedure with its skinned and unskinned
// branches, the skin commands, skinning switched on and off, the painting entry points and
// the window region.
#include <algorithm>

#include "gui/StdCtrls.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sSkinPreview.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

using gui::TFormBorderStyle;
using gui::TMessage;

bool ScalingForm = false;

namespace {

constexpr UINT kWindowMenuRequest = 0x0313;
constexpr UINT kDpiChanged = 0x02E0;
constexpr UINT kIconicThumbnail = 0x0323, kIconicLivePreview = 0x0326;
constexpr UINT kPreviewRequest = 0xA400;
constexpr UINT kOwnFrameQuery = 0xBC4D, kOwnFrameQuery2 = 0xB04C;

bool g_copyDataBusy = false;
bool g_mouseWheelBusy = false;

bool IsMDIChild(gui::TCustomForm* f) { return f && f->FormStyle == gui::TFormStyle::fsMDIChild; }

}  // namespace

bool SetWindowRegion(HWND wnd, HRGN region, bool redraw) {
  if (SetWindowRgn(wnd, region, redraw ? TRUE : FALSE)) return true;
  // The window did not take the region, so it is still ours.
  if (region) DeleteObject(region);
  return false;
}

// ---------------------------------------------------------------- the window procedure

bool TsSkinProvider::IsSkinnedBranch() {
  if (!form_ || !skinData_ || (form_->ComponentState() & rtl::csDestroying) || (ComponentState() & rtl::csDestroying))
    return false;
  return skinData_->IsSkinned(false);
}

void TsSkinProvider::PassOn(TMessage& m) {
  if (oldWndProc_)
    oldWndProc_(m);
  else if (HWND wnd = FormHandle())
    m.Result = DefWindowProcW(wnd, m.Msg, m.WParam, m.LParam);
}

LRESULT TsSkinProvider::CallWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  FormWndProc(m);
  return m.Result;
}

void TsSkinProvider::FormWndProc(TMessage& m) {
  if (m.Msg == SM_ALPHACMD && HandleSkinCommandFirst(m)) return;
  if (!IsSkinnedBranch()) {
    switch (m.Msg) {
      case SM_ALPHACMD:
        if (HandleSkinCommandUnskinned(m)) return;
        break;
      case WM_SETREDRAW: WMSetRedraw(m); return;
      case WM_PRINT: WMPrintUnskinned(m); return;
      case gui::CM_VISIBLECHANGED: CMVisibleChangedUnskinned(m); break;
      case gui::CM_SYSFONTCHANGED: CMSysFontChangedUnskinned(m); break;
      case gui::CM_MOUSEWHEEL: CMMouseWheel(m); return;
      default: break;
    }
    PassOn(m);
    if (m.Msg == WM_WINDOWPOSCHANGED)
      AfterWindowPosChangedUnskinned(m);
    else if (m.Msg == WM_NCDESTROY)
      AfterNCDestroyUnskinned(m);
    return;
  }
  switch (m.Msg) {
    case WM_CREATE: WMCreate(m); break;
    case WM_MOVE: WMMove(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_ACTIVATE: WMActivate(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_SETREDRAW: WMSetRedraw(m); break;
    case WM_SETTEXT: WMSetText(m); break;
    case WM_PAINT: WMPaint(m); break;
    case WM_CLOSE: WMClose(m); break;
    case WM_QUERYENDSESSION: WMQueryEndSession(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_SYSCOLORCHANGE: WMSysColorChange(m); break;
    case WM_SHOWWINDOW: WMShowWindow(m); break;
    case WM_SETTINGCHANGE: WMSettingChange(m); break;
    case WM_ACTIVATEAPP: WMActivateApp(m); break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case WM_CHILDACTIVATE: WMChildActivate(m); break;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(m); break;
    case WM_MEASUREITEM: WMMeasureItem(m); break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_COPYDATA: WMCopyData(m); break;
    case WM_NOTIFY: WMNotify(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_STYLECHANGED: WMStyleChanged(m); break;
    case WM_SETICON: WMSetIcon(m); break;
    case WM_NCCREATE: WMNCCreate(m); break;
    case WM_NCHITTEST: WMNCHitTest(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_NCACTIVATE: WMNCActivate(m); break;
    case WM_NCMOUSEMOVE: WMNCMouseMove(m); break;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(m); break;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: WMNCLButtonUp(m); break;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(m); break;
    case WM_NCRBUTTONDOWN: WMNCRButtonDown(m); break;
    case WM_NCRBUTTONUP: WMNCRButtonUp(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case WM_INITMENUPOPUP: WMInitMenuPopup(m); break;
    case WM_ENTERIDLE: WMEnterIdle(m); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_PARENTNOTIFY: WMParentNotify(m); break;
    case WM_ENTERMENULOOP: WMEnterMenuLoop(m); break;
    case WM_EXITMENULOOP: WMExitMenuLoop(m); break;
    case WM_SIZING: WMSizing(m); break;
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE: WMMDIActivate(m); break;
    case WM_ENTERSIZEMOVE: WMEnterSizeMove(m); break;
    case WM_EXITSIZEMOVE: WMExitSizeMove(m); break;
    case WM_MOUSELEAVE:
    case gui::CM_MOUSELEAVE: WMMouseLeave(m); break;
    case kDpiChanged: WMDpiChanged(m); break;
    case kWindowMenuRequest: WMWindowMenuRequest(m); break;
    case WM_PRINT: WMPrint(m); break;
    case WM_PRINTCLIENT: WMPrintClient(m); break;
    case kIconicThumbnail: WMIconicThumbnail(m); break;
    case kIconicLivePreview: WMIconicLivePreview(m); break;
    case SM_ALPHACMD: HandleSkinCommand(m); break;
    case kPreviewRequest: WMPreviewRequest(m); break;
    case gui::CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case gui::CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case gui::CM_COLORCHANGED: CMColorChanged(m); break;
    case gui::CM_MOUSEENTER: CMMouseEnter(m); break;
    case gui::CM_MENUCHANGED: CMMenuChanged(m); break;
    case gui::CM_SHOWINGCHANGED: CMShowingChanged(m); break;
    case gui::CM_WININICHANGE: CMWinIniChange(m); break;
    case gui::CM_CONTROLLISTCHANGE: CMControlListChange(m); break;
    case gui::CM_RECREATEWND: CMRecreateWnd(m); break;
    case gui::CM_SYSFONTCHANGED: CMSysFontChanged(m); break;
    case gui::CM_CHANGED: CMChanged(m); break;
    case gui::CM_FLOAT: CMFloat(m); break;
    case gui::CM_BIDIMODECHANGED: CMBiDiModeChanged(m); break;
    case gui::CM_MOUSEWHEEL: CMMouseWheel(m); break;
    case kOwnFrameQuery:
    case kOwnFrameQuery2: CMNoOwnFrame(m); break;
    default: PassOn(m); break;
  }
}

// ---------------------------------------------------------------- short handlers

void TsSkinProvider::WMSetFocus(TMessage& m) {
  PassOn(m);
  if (form_->Visible() && BorderForm && !BorderWindowShown()) {
    InAnimation = false;
    UpdateBorderWindow(true, 255);
  }
}

void TsSkinProvider::WMSetCursor(TMessage& m) {
  // A hot title-bar item keeps the cursor it set.
  if (!TitleBarItemHot()) PassOn(m);
}

void TsSkinProvider::WMEnterIdle(TMessage& m) {
  if (m.WParam != 0)
    m.Result = 0;
  else
    PassOn(m);
}

void TsSkinProvider::WMQueryEndSession(TMessage& m) {
  ShutdownPending = true;
  PassOn(m);
}

void TsSkinProvider::WMSettingChange(TMessage& m) {
  skinData_->FCacheInvalid = true;
  PassOn(m);
}

void TsSkinProvider::WMCopyData(TMessage& m) {
  PassOn(m);
  // The block comes from another program: only the announced form takes it, and only whole.
  if (m.Result == 0) ReceiveEditorBlock(FormHandle(), m.WParam, m.LParam);
}

void TsSkinProvider::WMPreviewRequest(TMessage& m) {
  if (m.WParam == 3) {
    PassOn(m);
    return;
  }
  AnswerEditorRequest(FormHandle(), m.WParam, m.Result);
}

// The caption cover while the text changes, and the form announced to the skin editor.
void TsSkinProvider::ShowCaptForm(bool show) {
  if (show)
    ShowCaptForm();
  else
    HideCaptForm();
}
void TsSkinProvider::NotifySkinEditor(HWND wnd) { skin::NotifySkinEditor(wnd); }

void TsSkinProvider::CMRecreateWnd(TMessage& m) {
  PassOn(m);
  if (PreviewWindow && form_->HandleAllocated()) NotifySkinEditor(form_->Handle());
}

void TsSkinProvider::WMNCCreate(TMessage& m) {
  TsSkinManager* manager = skinData_->GetSkinManager();
  if ((!manager || manager->Options.ScaleMode() == TacScaleMode::smVCL) && FormHandle())
    EnableNCDpiScaling(FormHandle());
  PassOn(m);
  if (forDialog_) return;
  if (!IsMDIChild(form_)) InitSkin();
  HWND wnd = FormHandle();
  if (!wnd) return;
  if (form_->BorderStyle != TFormBorderStyle::bsNone) {
    if (DrawNonClient()) UpdateRegion(false, false);
  } else {
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(wnd, current) != ERROR) SetWindowRgn(wnd, nullptr, FALSE);
    DeleteObject(current);
  }
}

void TsSkinProvider::CMFloat(TMessage& m) {
  PassOn(m);
  if (HWND wnd = FormHandle()) SendSkinCommand(wnd, AC_REFRESH, LPARAM(skinData_->GetSkinManager()));
}

void TsSkinProvider::CMMouseWheel(TMessage& m) {
  if (g_mouseWheelBusy) return;
  g_mouseWheelBusy = true;
  PassOn(m);
  g_mouseWheelBusy = false;
}

void TsSkinProvider::WMPrintUnskinned(TMessage& m) {
  if (HDC dc = reinterpret_cast<HDC>(m.WParam)) {
    FillRectOnDC(dc, gui::Rect(0, 0, form_->Width(), form_->Height()), gui::TColor(ColorToRGB(uint32_t(form_->Color()))));
  }
  form_->Perform(WM_PAINT, m.WParam, m.LParam);
}

void TsSkinProvider::CMSysFontChangedUnskinned(TMessage&) { FontChanged = true; }

void TsSkinProvider::CMSysFontChanged(TMessage&) { FontChanged = true; }

void TsSkinProvider::WMPrintClient(TMessage&) {}

void TsSkinProvider::CMColorChanged(TMessage&) {}

void TsSkinProvider::CMNoOwnFrame(TMessage& m) { m.Result = 0; }

void TsSkinProvider::WMIconicThumbnail(TMessage& m) {
  if (UseIconicThumbnails && m.LParamLo() != 0 && m.LParamHi() != 0)
    m.Result = SetIconicThumbnail(FormHandle(), this, m.LParamHi(), m.LParamLo()) ? 1 : 0;
}

void TsSkinProvider::WMIconicLivePreview(TMessage& m) {
  if (UseIconicThumbnails) m.Result = SetLivePreviewBitmap(FormHandle(), this) ? 1 : 0;
}

void TsSkinProvider::WMWindowMenuRequest(TMessage&) {
  const gui::TPoint p = GetMousePos();
  ShowSystemMenu(p.X, p.Y);
}

void TsSkinProvider::CMWinIniChange(TMessage& m) {
  PassOn(m);
  if (BorderForm) UpdateBorderWindow(true, 255);
}

void TsSkinProvider::CMChanged(TMessage& m) {
  if (!form_->Menu()) return;
  MenuChanged = true;
  skinData_->FCacheInvalid = true;
  PassOn(m);
}

void TsSkinProvider::CMBiDiModeChanged(TMessage& m) {
  if (TsSkinManager* manager = skinData_->GetSkinManager()) manager->UpdateRTLSysButtons(RightToLeft());
  PassOn(m);
  if (BorderForm) UpdateBorderWindow(true, 255);
}

void TsSkinProvider::WMDpiChanged(TMessage& m) {
  TsSkinManager* manager = skinData_->GetSkinManager();
  if (ScalingForm || !manager || manager->Designing()) return;
  ScalingForm = true;
  const int32_t ppi = m.WParamHi();
  const bool animate = ScaleAnimation && manager->Options.ScaleMode() == TacScaleMode::smVCL;
  if (ppi == skinData_->FPixelsPerInch) {
    skinData_->Invalidate(false);
  } else {
    UpdateSysMetrics(ppi);
    skinData_->SetScaledSkin(nullptr);
    RegionChanged = true;
    if (animate) {
      SetFormState(formState_ | psScaling);
      skinData_->FCacheInvalid = true;
      UpdateTitleLayout();
      PrepareCache();
      SetFormState(formState_ & ~psScaling);
      if (BorderForm) RedrawNonClient();
      TMessage cmd{SM_ALPHACMD, MakeSkinCommand(AC_INVALIDATE, 1), 0, 0};
      BroadcastMessage(form_, cmd);
      if (HWND wnd = FormHandle()) {
        RedrawWindow(wnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_INVALIDATE);
        RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
      }
    } else {
      UpdateTitleLayout();
      skinData_->Invalidate(false);
    }
  }
  // Not passed on: the form keeps the size the scaling gave it, not the system's suggestion.
  ScalingForm = false;
}

// ---------------------------------------------------------------- the adapter's messages

void TsSkinProvider::WMParentNotify(TMessage& m) {
  PassOn(m);
  if (!form_ || skinData_->FLoading || (form_->ComponentState() & rtl::csLoading)) return;
  const WORD event = m.WParamLo();
  if (event != WM_CREATE && event != WM_DESTROY) return;
  TsSkinManager* manager = skinData_->GetSkinManager();
  if (!manager || !(manager->SkinningRules() & srThirdParty)) return;
  if (Adapter && event == WM_CREATE) {
    gui::TWinControl* found = m.LParam ? FindControlByID(m.WParamHi(), gui::Application) : nullptr;
    if (!found)
      AdapterAddAllItems(nullptr);
    else if (AllowSkin3rdParty)
      AdapterAddNewItem(found);
  }
}

void TsSkinProvider::WMNotify(TMessage& m) {
  PassOn(m);
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  if (header && int(header->code) == -12 /* NM_CUSTOMDRAW */ && Adapter) AdapterAddAllItems(nullptr);
}

void TsSkinProvider::CMControlListChange(TMessage& m) {
  PassOn(m);
  if (!m.WParam) return;
  auto* control = reinterpret_cast<gui::TControl*>(m.WParam);
  if (auto* windowed = dynamic_cast<gui::TWinControl*>(control); windowed && Adapter && AllowSkin3rdParty)
    AdapterAddNewItem(windowed);
}

}  // namespace skin
