#include "skin/hooks/acHookClasses.h"

#include <functional>
#include <utility>

#include "gui/Buttons.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "skin/core/sMessages.h"
#include "gui/ComCtrls.h"
#include "skin/hooks/acBtnWnd.h"
#include "skin/hooks/acCheckBoxWnd.h"
#include "skin/hooks/acComboWnd.h"
#include "skin/hooks/acGridWnd.h"
#include "skin/hooks/acListViewWnd.h"
#include "skin/hooks/acPageControlWnd.h"
#include "skin/hooks/acPanelWnd.h"
#include "skin/hooks/acSBWnd.h"
#include "skin/hooks/acScrollBoxWnd.h"
#include "skin/hooks/acSpinWnd.h"
#include "skin/hooks/acStaticWnd.h"
#include "skin/hooks/acStatusBarWnd.h"
#include "skin/hooks/acToolBarVCLWnd.h"
#include "skin/hooks/acToolBarWnd.h"

namespace skin {

namespace {
// Each hook class takes over its control its own way: the edit family and the scroll box
// through their installers, the painted hooks by replacing the control's WindowProc, the
// tab and bar hooks through their window.
using Attach = std::unique_ptr<TacMainWnd> (*)(gui::TWinControl*, const TacSkinParams&);

const std::string& Or(const std::string& section, const std::string& fallback) {
  return section.empty() ? fallback : section;
}

template <class T>
std::unique_ptr<TacMainWnd> AttachEdit(gui::TWinControl* control, const TacSkinParams& p) {
  auto hook = std::make_unique<T>();
  hook->HookControl(control, p);
  return hook;
}

// The painted hooks: the control's WindowProc replaced, the hook's own finishing step, and
// a repaint with its new look.
template <class T>
std::unique_ptr<TacMainWnd> AttachPainted(gui::TWinControl* control, const TacSkinParams& p) {
  auto hook = std::make_unique<T>();
  hook->AttachControl(control, nullptr, p.SkinSection);
  hook->AfterCreation();
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return hook;
}

std::unique_ptr<TacMainWnd> AttachScrollBox(gui::TWinControl* control, const TacSkinParams& p) {
  auto box = std::make_unique<TacScrollBoxWnd>();
  box->InstallControl(control, nullptr, false, Or(p.SkinSection, TacScrollBoxWnd::kDefaultSection));
  if (TsCommonData* d = box->SkinData()) d->UpdateSkinIndex(true);
  box->AfterCreation();
  RepaintFrame(control->Handle(), true);
  return box;
}

std::unique_ptr<TacMainWnd> AttachPageControl(gui::TWinControl* control, const TacSkinParams& p) {
  auto* pages = dynamic_cast<gui::TPageControl*>(control);
  auto hook = std::make_unique<TacPageControlWnd>();
  if (pages)
    hook->InstallControl(pages, Or(p.SkinSection, "PAGECONTROL"));
  else
    hook->Install(control->Handle(), Or(p.SkinSection, "PAGECONTROL"));
  return hook;
}

std::unique_ptr<TacMainWnd> AttachStatusBar(gui::TWinControl* control, const TacSkinParams& p) {
  auto hook = std::make_unique<TacStatusBarWnd>();
  if (auto* bar = dynamic_cast<gui::TStatusBar*>(control))
    hook->InstallControl(bar, Or(p.SkinSection, "STATUSBAR"));
  else
    hook->Install(control->Handle(), Or(p.SkinSection, "STATUSBAR"));
  return hook;
}

// Our tool bars are painted through their draw events; a bar of another kind through its
// window like a native one.
std::unique_ptr<TacMainWnd> AttachToolBar(gui::TWinControl* control, const TacSkinParams& p) {
  if (auto* bar = dynamic_cast<gui::TToolBar*>(control)) {
    auto hook = std::make_unique<TacToolBarVCLWnd>();
    hook->InstallControl(bar, Or(p.SkinSection, "TOOLBAR"));
    return hook;
  }
  auto hook = std::make_unique<TacToolBarWnd>();
  hook->Attach(control->Handle(), p.SkinSection);
  hook->AfterCreation();
  return hook;
}

template <class T>
std::unique_ptr<TacMainWnd> AttachByWindow(gui::TWinControl* control, const TacSkinParams& p) {
  auto hook = std::make_unique<T>();
  if (p.SkinSection.empty())
    hook->Install(control->Handle());
  else
    hook->Install(control->Handle(), p.SkinSection);
  return hook;
}

// The hook classes by name, as the class-name lists' rows name them.
const std::pair<std::string_view, Attach> kHookClasses[] = {
    {"TacEditWnd", &AttachEdit<TacEditWnd>},
    {"TacComboBoxWnd", &AttachEdit<TacComboBoxWnd>},
    {"TacGridWnd", &AttachEdit<TacGridWnd>},
    {"TacListViewWnd", &AttachEdit<TacListViewWnd>},
    {"TacTreeViewWnd", &AttachEdit<TacTreeViewWnd>},
    {"TacScrollBoxWnd", &AttachScrollBox},
    {"TacBtnWnd", &AttachPainted<TacBtnWnd>},
    {"TacBitBtnWnd", &AttachPainted<TacBitBtnWnd>},
    {"TacCheckBoxWnd", &AttachPainted<TacCheckBoxWnd>},
    {"TacGroupBoxWnd", &AttachPainted<TacGroupBoxWnd>},
    {"TacPanelWnd", &AttachPainted<TacPanelWnd>},
    {"TacSpinWnd", &AttachPainted<TacSpinWnd>},
    {"TacPageControlWnd", &AttachPageControl},
    {"TacTabControlWnd", &AttachByWindow<TacTabControlWnd>},
    {"TacStatusBarWnd", &AttachStatusBar},
    {"TacToolBarVCLWnd", &AttachToolBar},
    {"TacSBWnd", &AttachByWindow<TacSBWnd>},
    {"TacStaticTextWnd", &AttachPainted<TacStaticTextWnd>},
};

Attach AttachOf(std::string_view hookClass) {
  for (const auto& [name, attach] : kHookClasses)
    if (name == hookClass) return attach;
  return nullptr;
}
}  // namespace

bool HasHookClass(std::string_view hookClass) { return AttachOf(hookClass) != nullptr; }

TacControlFacts ReadControlFacts(gui::TControl* control) {
  TacControlFacts f;
  f.ClassName = control->ClassName();
  f.Tag = control->Tag;
  f.HasParent = control->Parent() != nullptr;
  if (auto* w = dynamic_cast<gui::TWinControl*>(control)) {
    f.Kind = dynamic_cast<gui::TCustomForm*>(control) ? TacControlKind::Form : TacControlKind::Windowed;
    f.HandleAllocated = w->HandleAllocated();
    f.WindowSkinned = f.HandleAllocated && IsWndSkinned(w->Handle());
  } else if (dynamic_cast<gui::TSpeedButton*>(control)) {
    f.Kind = TacControlKind::SpeedButton;
  } else if (dynamic_cast<gui::TLabel*>(control)) {
    f.Kind = TacControlKind::Label;
  } else {
    f.Kind = TacControlKind::OtherGraphic;
  }
  return f;
}

std::unique_ptr<TacMainWnd> MakeHookFor(gui::TWinControl* control, const TacClassNameLists& lists,
                                        TsSkinManager* manager, const TacSkinParams& params) {
  if (!control) return nullptr;
  const Attach attach = AttachOf(DecideHookClass(ReadControlFacts(control), manager != nullptr, lists));
  if (!attach) return nullptr;
  TacSkinParams p = params;
  p.HookedControl = control;
  std::unique_ptr<TacMainWnd> hook = attach(control, p);
  // Each class took its section its own way; the host and colour choices hold for every class.
  TacSkinParams choices = p;
  choices.SkinSection.clear();
  hook->TakeParams(choices);
  if (TsCommonData* d = hook->SkinData(); d && d->GetSkinManager() != manager) {
    d->SetSkinManager(manager);
    d->UpdateSkinIndex(true);
  }
  return hook;
}

}  // namespace skin
