#include "skin/hooks/acSBUtils.h"

#include "skin/core/acProcAddress.h"

namespace skin {

namespace {
TScrollBarFunctions g_fn;
HMODULE g_comctl = nullptr;

template <class F>
void Bind(F& f, HMODULE m, const char* name) {
  f = ProcAddress<F>(m, name);
}
}  // namespace

const TScrollBarFunctions& ScrollBarFunctions() { return g_fn; }

void InitScrollBarHooksUnit() {
  Bind(g_fn.GetScrollBarInfo, GetModuleHandleW(L"user32.dll"), "GetScrollBarInfo");
  if (!g_comctl) g_comctl = LoadLibraryW(L"comctl32.dll");
  Bind(g_fn.InitializeFlatSB, g_comctl, "InitializeFlatSB");
  Bind(g_fn.UninitializeFlatSB, g_comctl, "UninitializeFlatSB");
}

void DoneScrollBarHooksUnit() {
  g_fn = TScrollBarFunctions{};
  if (g_comctl) FreeLibrary(g_comctl);
  g_comctl = nullptr;
}

// ---------------------------------------------------------------- the hooks' base

TacMainWnd::~TacMainWnd() {
  if (skinData_) skinData_->DetachFromWindow();
}

std::unique_ptr<TsCommonData> TacMainWnd::CreateSkinData() {
  auto d = std::make_unique<TsCommonData>(nullptr, true);
  d->FLoading = true;
  return d;
}

void TacMainWnd::Attach(HWND wnd) {
  skinData_ = CreateSkinData();
  skinData_->FWnd = wnd;
  skinData_->FWndProc = [this](gui::TMessage& m) { WindowProc(m); };
  Bind(wnd);
}

void TacMainWnd::AfterCreation() {
  if (!skinData_) return;
  skinData_->FLoading = false;
  skinData_->AttachToWindow();
}

LRESULT TacMainWnd::CallWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  gui::TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  WindowProc(m);
  return m.Result;
}

void TacMainWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = skinData_.get();
  if (m.Msg == SM_ALPHACMD) {
    const WORD cmd = m.WParamHi();
    if (cmd == AC_GETHOOK) {
      m.Result = reinterpret_cast<LRESULT>(static_cast<TacWindowHook*>(this));
      return;
    }
    if (cmd == AC_SETNEWSKIN || cmd == AC_REMOVESKIN || cmd == AC_REFRESH) BroadcastToChildWindows(Handle(), m);
    if (HandleSkinCommand(m) || ProcessSkinCommand(m, d)) return;
    CallPrevious(m);
    return;
  }
  if (ProcessSkinDataMessage(m, d)) return;
  HandleMessage(m);
}

void TacMainWnd::WindowDestroyed() {
  if (skinData_) {
    skinData_->DetachFromWindow();
    skinData_->FWnd = nullptr;
  }
}

}  // namespace skin
