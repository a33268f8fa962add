#include "skin/hooks/acHookClasses.h"

#include <functional>
#include <utility>

#include "gui/Buttons.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "skin/core/sMessages.h"
#include "skin/hooks/acComboWnd.h"
#include "skin/hooks/acGridWnd.h"
#include "skin/hooks/acListViewWnd.h"
#include "skin/hooks/acScrollBoxWnd.h"

namespace skin {

namespace {
template <class T>
std::unique_ptr<TacMainWnd> Make() {
  return std::make_unique<T>();
}
// The hook classes by name, as the class-name lists' rows name them.
const std::pair<std::string_view, std::unique_ptr<TacMainWnd> (*)()> kHookClasses[] = {
    {"TacEditWnd", &Make<TacEditWnd>},         {"TacComboBoxWnd", &Make<TacComboBoxWnd>},
    {"TacGridWnd", &Make<TacGridWnd>},         {"TacListViewWnd", &Make<TacListViewWnd>},
    {"TacTreeViewWnd", &Make<TacTreeViewWnd>}, {"TacScrollBoxWnd", &Make<TacScrollBoxWnd>},
};
}  // namespace

std::unique_ptr<TacMainWnd> CreateHookOfClass(std::string_view hookClass) {
  for (const auto& [name, make] : kHookClasses)
    if (name == hookClass) return make();
  return nullptr;
}

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
  const std::string_view hookClass = DecideHookClass(ReadControlFacts(control), manager != nullptr, lists);
  std::unique_ptr<TacMainWnd> hook = CreateHookOfClass(hookClass);
  if (!hook) return nullptr;
  TacSkinParams p = params;
  p.HookedControl = control;
  if (auto* edit = dynamic_cast<TacEditWnd*>(hook.get())) {
    edit->HookControl(control, p);
  } else if (auto* box = dynamic_cast<TacScrollBoxWnd*>(hook.get())) {
    box->InstallControl(control, nullptr, false, p.SkinSection.empty() ? TacScrollBoxWnd::kDefaultSection : p.SkinSection);
    if (TsCommonData* d = box->SkinData()) d->UpdateSkinIndex(true);
    box->AfterCreation();
    RepaintFrame(control->Handle(), true);
  }
  if (TsCommonData* d = hook->SkinData(); d && d->GetSkinManager() != manager) {
    d->SetSkinManager(manager);
    d->UpdateSkinIndex(true);
  }
  return hook;
}

}  // namespace skin
