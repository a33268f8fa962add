// The smallest bodies of the provider's parts that the title buttons, the border window,
// the system menu, the menus, the title-bar items, the animations and the child-control
// adapter give it: each keeps the form working as a plain window would (the message goes
// on to the form's own procedure) until its real body replaces it.
#include "skin/core/sMessages.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

using gui::TMessage;

bool ShutdownPending = false;
HWND PreviewWindow = nullptr;

class TsSystemMenu : public rtl::TComponent {
 public:
  using rtl::TComponent::TComponent;
};

void TsSkinProvider::WMCreate(TMessage& m) {
  PassOn(m);
  if (form_->FormStyle != gui::TFormStyle::fsMDIChild) InitSkin();
}
void TsSkinProvider::WMMove(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMSize(TMessage& m) {
  PassOn(m);
  // A new size needs a new image and region.
  RegionChanged = true;
  skinData_->FCacheInvalid = true;
  if (HWND wnd = FormHandle(); wnd && IsWindowVisible(wnd))
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}
void TsSkinProvider::WMActivate(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMClose(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMSysColorChange(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMShowWindow(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMActivateApp(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMChildActivate(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMGetMinMaxInfo(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMMeasureItem(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMWindowPosChanging(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMWindowPosChanged(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMContextMenu(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMStyleChanged(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMNCHitTest(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMNCActivate(TMessage& m) {
  // The system would paint its own caption: the skinned title is repainted instead.
  const uint8_t active = m.WParam ? 1 : 0;
  if (active != FormActive) {
    FormActive = active;
    skinData_->FCacheInvalid = true;
  }
  CallWndProc(WM_NCPAINT, 0, 0);
  m.Result = 1;
}
void TsSkinProvider::WMNCMouseMove(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMNCLButtonDown(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMNCLButtonUp(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMNCLButtonDblClk(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMNCRButtonDown(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMNCRButtonUp(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMSysCommand(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMInitMenuPopup(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMMouseMove(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMEnterMenuLoop(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMExitMenuLoop(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMSizing(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMMDIActivate(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMExitSizeMove(TMessage& m) { PassOn(m); }
void TsSkinProvider::WMMouseLeave(TMessage& m) { PassOn(m); }
void TsSkinProvider::CMVisibleChanged(TMessage& m) { PassOn(m); }
void TsSkinProvider::CMEnabledChanged(TMessage& m) { PassOn(m); }
void TsSkinProvider::CMMouseEnter(TMessage& m) { PassOn(m); }
void TsSkinProvider::CMMenuChanged(TMessage& m) { PassOn(m); }
void TsSkinProvider::CMShowingChanged(TMessage& m) { PassOn(m); }
void TsSkinProvider::CMVisibleChangedUnskinned(TMessage&) {}
void TsSkinProvider::AfterWindowPosChangedUnskinned(TMessage&) {}
void TsSkinProvider::AfterNCDestroyUnskinned(TMessage&) {}

void TsSkinProvider::CreateAdapter() {}
void TsSkinProvider::FreeAdapter() {}
void TsSkinProvider::PassToAdapter(TMessage&) {}
void TsSkinProvider::AdapterAddAllItems(gui::TWinControl*) {}
void TsSkinProvider::AdapterAddNewItem(gui::TWinControl*) {}
void TsSkinProvider::FreeTitleAnimations() {}
void TsSkinProvider::UpdateSectionIndexes() { UpdateSkinIndexes(); }
void TsSkinProvider::PrepareTitleBarItems() {}
void TsSkinProvider::SetHotItem(int32_t code, bool) { HotItem = code; }
bool TsSkinProvider::TitleBarItemHot() { return false; }
void TsSkinProvider::HookFormMenus(bool) {}
bool TsSkinProvider::RefreshMenuBar() { return false; }
void TsSkinProvider::HookMenuLine() {}
void TsSkinProvider::UpdateMDIHook(bool) {}
void TsSkinProvider::MakeSystemMenu() { SystemMenu = new TsSystemMenu(this); }
void TsSkinProvider::ShowSystemMenu(int32_t, int32_t) {}
void TsSkinProvider::CompleteSetup() { InitSkin(); }
void TsSkinProvider::CreateBorderForm() {}
void TsSkinProvider::FreeBorderForm() {}
bool TsSkinProvider::BorderWindowShown() { return false; }
void TsSkinProvider::UpdateBorderWindow(bool, uint8_t) {}
void TsSkinProvider::ShowCaptForm(bool show) {
  // Covers the title by keeping the system from drawing while the text changes. Turning
  // the drawing off validates what was waiting to be painted, so the client is painted
  // again afterwards.
  HWND wnd = FormHandle();
  if (!wnd) return;
  DefWindowProcW(wnd, WM_SETREDRAW, show ? 0 : 1, 0);
  if (!show) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
void TsSkinProvider::StartScaleAnimation(int32_t, bool) {}
void TsSkinProvider::NotifySkinEditor(HWND) {}

}  // namespace skin
