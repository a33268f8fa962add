// The hook classes the child-control adapter makes by name, and what it reads off a
// control to decide: the form's skin provider scans its controls with these and the
// adapter's rules, and hands each chosen control to MakeHookFor.
#pragma once
#include <memory>
#include <string_view>

#include "gui/Controls.h"
#include "skin/hooks/acCtrlAdapterRules.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TsSkinManager;

// Whether this program has a hook of the named class.
bool HasHookClass(std::string_view hookClass);

// What the adapter's rules need to know of one control.
TacControlFacts ReadControlFacts(gui::TControl* control);

// The hook the lists give a windowed control, made and attached with the adapter's
// parameters and the manager; nullptr when none is due (tag, no window, skinned window,
// no manager, an unlisted class or one without a hook here).
std::unique_ptr<TacMainWnd> MakeHookFor(gui::TWinControl* control, const TacClassNameLists& lists,
                                        TsSkinManager* manager, const TacSkinParams& params);

}  // namespace skin
