#include "skin/forms/acDials.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerHooks.h"
#include "skin/forms/acDialsRules.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/hooks/acBtnWnd.h"
#include "skin/hooks/acCheckBoxWnd.h"
#include "skin/hooks/acComboWnd.h"
#include "skin/hooks/acContainerWnd.h"
#include "skin/hooks/acEditWnd.h"
#include "skin/hooks/acGridWnd.h"
#include "skin/hooks/acHookPaint.h"
#include "skin/hooks/acListViewWnd.h"
#include "skin/hooks/acMnuWnd.h"
#include "skin/hooks/acPanelWnd.h"
#include "skin/hooks/acSizerWnd.h"
#include "skin/hooks/acSpinWnd.h"
#include "skin/hooks/acStaticWnd.h"
#include "skin/hooks/acTabControlWnd.h"
#include "skin/hooks/acTrackWnd.h"

namespace skin {

namespace {

std::vector<TacProvider*> g_providers;
TCBTHookProc g_previousProc = nullptr;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

bool AppGoing() { return !gui::Application || gui::Application->IsDestroying(); }

// A hook that takes a bare window with Attach and finishes with its own AfterCreation.
template <class H>
std::unique_ptr<TacMainWnd> Attached(HWND wnd, std::string_view section) {
  auto h = std::make_unique<H>();
  h->Attach(wnd, std::string(section));
  h->AfterCreation();
  return h;
}
template <class H>
std::unique_ptr<TacMainWnd> Installed(HWND wnd, std::string_view section) {
  auto h = std::make_unique<H>();
  h->Install(wnd, std::string(section));
  return h;
}
template <class H>
std::unique_ptr<TacMainWnd> EditLike(HWND wnd, std::string_view section) {
  auto h = std::make_unique<H>();
  TacSkinParams p;
  p.SkinSection = std::string(section);
  h->HookWindow(wnd, p);
  return h;
}

using TMaker = std::unique_ptr<TacMainWnd> (*)(HWND, std::string_view);
// The hooks this program has for a native dialog's children, by the names the child table
// gives; a name not here leaves the child to its own painting.
const std::pair<std::string_view, TMaker> kDialogChildHooks[] = {
    {"TacBtnWnd", &Attached<TacBtnWnd>},           {"TacCheckBoxWnd", &Attached<TacCheckBoxWnd>},
    {"TacStaticWnd", &Attached<TacStaticWnd>},     {"TacIconWnd", &Attached<TacIconWnd>},
    {"TacLinkWnd", &Attached<TacLinkWnd>},         {"TacGroupBoxWnd", &Attached<TacGroupBoxWnd>},
    {"TacPanelWnd", &Attached<TacPanelWnd>},       {"TacSizerWnd", &Attached<TacSizerWnd>},
    {"TacSpinWnd", &Attached<TacSpinWnd>},         {"TacTabControlWnd", &Installed<TacTabControlWnd>},
    {"TacTrackWnd", &Installed<TacTrackWnd>},      {"TacEditWnd", &EditLike<TacEditWnd>},
    {"TacComboBoxWnd", &EditLike<TacComboBoxWnd>}, {"TacListViewWnd", &EditLike<TacListViewWnd>},
    {"TacTreeViewWnd", &EditLike<TacTreeViewWnd>},  {"TacTransPanelWnd", &Attached<TacTransPanelWnd>},
    {"TacContainerWnd", &Installed<TacContainerWnd>}, {"TacSearchWnd", &Installed<TacSearchWnd>},
};

// A popup-menu window gets the menu hook while the default manager skins popups.
void HookPopupMenuWindow(HWND wnd) {
  if (TsSkinManager* m = DefaultManager(); m && m->SkinnedPopups() && !IsWndSkinned(wnd)) HookMenuWindow(wnd);
}

void FreeProviders() {
  ClearMenuWnds();
  // A provider's destructor clears its own entry: take each out of the list first.
  while (!g_providers.empty()) {
    TacProvider* p = g_providers.front();
    g_providers.erase(g_providers.begin());
    delete p;
  }
}

}  // namespace

std::vector<TacProvider*>& ProviderList() { return g_providers; }

TacProvider::~TacProvider() {
  std::replace(g_providers.begin(), g_providers.end(), this, static_cast<TacProvider*>(nullptr));
  ChildHooks.clear();
  DialogHook.reset();
}

void TacProvider::InitForForm(gui::TCustomForm* form) {
  SkinProvider = TsSkinProvider::CreateForForm(form);
  SkinProvider->SetBoolProp(3, false);
  Handle = form->HandleAllocated() ? form->Handle() : nullptr;
  if (Handle && IsWindowVisible(Handle)) {
    UpdateWindow(Handle);
    RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
  SkinProvider->MakeSkinMenu = false;
}

bool TacProvider::InitForDialog(HWND wnd) {
  Handle = wnd;
  TsSkinManager* m = DefaultManager();
  if (DialogHook || !m || !m->Active()) return true;
  DialogHook = std::make_unique<TacDialogWnd>();
  DialogHook->HookDialog(wnd);
  DialogHook->Provider = this;
  if (!HookChildren(wnd)) {
    std::replace(g_providers.begin(), g_providers.end(), this, static_cast<TacProvider*>(nullptr));
    return false;
  }
  DialogHook->InitDialog();
  SendSkinCommand(wnd, AC_SETNEWSKIN, LPARAM(m));
  return true;
}

bool TacProvider::HookChildren(HWND wnd) {
  for (HWND c = GetTopWindow(wnd); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!HookChildren(c)) return false;
    if ((GetWindowLongW(c, GWL_STYLE) & WS_CHILD) && !AttachChild(c)) return false;
  }
  return true;
}

bool TacProvider::AttachChild(HWND wnd) {
  if (!wnd) return false;
  if (IsWndSkinned(wnd)) return true;
  TacDialogChildFacts f;
  f.LowerClass = Lower(GetWindowClassName(wnd));
  if (f.LowerClass == "ctrlnotifysink") return true;
  f.Style = uint32_t(GetWindowLongW(wnd, GWL_STYLE));
  f.ExStyle = uint32_t(GetWindowLongW(wnd, GWL_EXSTYLE));
  f.Visible = IsWindowVisible(wnd) != FALSE;
  RECT r{};
  GetWindowRect(wnd, &r);
  f.Height = r.bottom - r.top;
  const TacDialogChildHook h = DialogChildHook(f);
  if (h.ClientPaintOn && DialogHook) DialogHook->SkipClientPaint = false;
  if (h.HookClass.empty()) return true;
  TMaker make = nullptr;
  for (const auto& [name, maker] : kDialogChildHooks)
    if (name == h.HookClass) make = maker;
  if (!make) return true;
  // The hooks made now keep the control's visual style where it has one.
  SkinningDialogControls = true;
  std::unique_ptr<TacMainWnd> hook = make(wnd, h.Section);
  SkinningDialogControls = false;
  if (TsCommonData* d = hook->SkinData()) d->FUpdating = false;
  ChildHooks.push_back(std::move(hook));
  return true;
}

TacProvider* FindProvider(HWND wnd) {
  if (gui::Application && gui::Application->Terminated()) return nullptr;
  for (TacProvider* p : g_providers)
    if (p && p->Handle == wnd) return p;
  return nullptr;
}

gui::TCustomForm* FindFormByHandle(HWND wnd) {
  if (!gui::Screen) return nullptr;
  for (int i = gui::Screen->FormCount() - 1; i >= 0; --i) {
    gui::TCustomForm* f = gui::Screen->Forms(i);
    if (!f || f->IsDestroying() || !f->HandleAllocated()) continue;
    if (f->Handle() == wnd) return f;
  }
  return nullptr;
}

void PurgeProviders() {
  for (size_t i = g_providers.size(); i-- > 0;) {
    TacProvider* p = g_providers[i];
    if (p && p->DialogHook && !p->DialogHook->Released()) continue;
    g_providers.erase(g_providers.begin() + std::ptrdiff_t(i));
    delete p;
  }
}

int32_t VisibleDialogCount() {
  PurgeProviders();
  int32_t n = 0;
  for (TacProvider* p : g_providers)
    if (p && p->DialogHook && IsWindowVisible(p->DialogHook->Wnd())) ++n;
  return n;
}

bool HasChildOfClass(HWND wnd, const std::string& lowerClassName) {
  for (HWND c = GetTopWindow(wnd); c; c = GetWindow(c, GW_HWNDNEXT))
    if (Lower(GetWindowClassName(c)) == lowerClassName || HasChildOfClass(c, lowerClassName)) return true;
  return false;
}

bool AttachSkinToWindow(HWND wnd) {
  TsSkinManager* m = DefaultManager();
  TacAttachFacts f;
  f.HasDefaultManager = m != nullptr;
  f.AppDestroying = AppGoing();
  f.WindowSkinned = IsWndSkinned(wnd);
  if (!f.HasDefaultManager || f.AppDestroying || f.WindowSkinned) return false;
  f.ClassName = GetWindowClassName(wnd);
  f.Style = uint32_t(GetWindowLongW(wnd, GWL_STYLE));
  f.HasProvider = FindProvider(wnd) != nullptr;
  gui::TCustomForm* form = f.HasProvider ? nullptr : FindFormByHandle(wnd);
  f.IsForm = form != nullptr;
  f.SkinningRules = m->SkinningRules();
  f.MaxSkinnedDialogs = Globals().MaxSkinnedDialogs;
  if (form) {
    f.FormTag = int64_t(form->Tag);
    f.FormClassExcluded = IsExcludedFormClass(f.ClassName);
  } else if (!f.HasProvider) {
    f.HasParent = GetParent(wnd) != nullptr;
    if ((f.ClassName == "#32770" || f.ClassName == "NativeHWNDHost") && !f.HasParent) {
      f.VisibleDialogs = VisibleDialogCount();
      f.HasToolBarChild = f.VisibleDialogs >= f.MaxSkinnedDialogs && HasChildOfClass(wnd, "toolbarwindow32");
    }
  }
  const TacAttachDecision d = DecideAttach(f);
  if (d.Action == TacAttachAction::Form) {
    auto* p = new TacProvider(form);
    g_providers.push_back(p);
    p->InitForForm(form);
  } else if (d.Action == TacAttachAction::Dialog) {
    bool allow = true;
    if (m->OnSysDlgInit) m->OnSysDlgInit(TacSysDlgData{wnd}, allow);
    if (!allow) return false;
    auto* p = new TacProvider(nullptr);
    p->Handle = wnd;
    if (p->InitForDialog(wnd))
      g_providers.push_back(p);
    else
      delete p;
  }
  return d.Result;
}

LRESULT CALLBACK DialsCBTHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(CBTHookHandle(), code, wParam, lParam);
  try {
    if (AppGoing()) return result;
    HWND wnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE) {
      AttachSkinToWindow(wnd);
    } else if (code == HCBT_CREATEWND && wnd) {
      const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
      switch (ClassifyCreateClass(reinterpret_cast<uintptr_t>(cs->lpszClass))) {
        case TacCreateClass::DialogAtom:
          AttachSkinToWindow(wnd);
          break;
        case TacCreateClass::ClassName: {
          TacCreatedWindowFacts f;
          f.ClassName = GetWindowClassName(wnd);
          // Some systems name the popup-menu class instead of passing its atom.
          if (f.ClassName == "#32768") {
            HookPopupMenuWindow(wnd);
            break;
          }
          f.Style = uint32_t(cs->style), f.ExStyle = cs->dwExStyle;
          gui::TCustomForm* main = gui::Application->MainForm();
          f.HasMainForm = main != nullptr;
          f.MainFormHandleAllocated = main && main->HandleAllocated();
          f.IsMainFormWindow = f.MainFormHandleAllocated && main->Handle() == wnd;
          f.HasParent = GetParent(wnd) != nullptr;
          if (AttachOnCreation(f)) AttachSkinToWindow(wnd);
          break;
        }
        case TacCreateClass::PopupMenuAtom:
          HookPopupMenuWindow(wnd);
          break;
        default:
          // Other atoms are left alone.
          break;
      }
    }
  } catch (...) {
    // Nothing may leave a hook procedure: the window stays as the system made it.
    if (gui::Application) gui::Application->HandleException(std::current_exception());
  }
  return result;
}

void InitDialsUnit() {
  if (CBTHookProc != &DialsCBTHookProc) g_previousProc = CBTHookProc;
  CBTHookProc = &DialsCBTHookProc;
  CBTHookRemoved = &FreeProviders;
}

void DoneDialsUnit() {
  FreeProviders();
  if (CBTHookProc == &DialsCBTHookProc && g_previousProc) CBTHookProc = g_previousProc;
  CBTHookRemoved = nullptr;
}

}  // namespace skin
