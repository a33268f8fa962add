#include "skin/hooks/acCtrlAdapterRules.h"

namespace skin {

const std::array<std::string_view, kThirdPartyKinds> HookClassNames{
    "TacEditWnd",         "TacBtnWnd",          "TacBitBtnWnd",       "TacCheckBoxWnd",
    "TacComboBoxWnd",     "TacGridWnd",         "TacGroupBoxWnd",     "TacListViewWnd",
    "TacPanelWnd",        "TacTreeViewWnd",     "TacWWComboBoxWnd",   "TacGridEhWnd",
    "TacVirtualTreeViewWnd", "TacPageControlWnd", "TacTabControlWnd", "TacToolBarVCLWnd",
    "TacStatusBarWnd",
    // a windowed control named in the speed-button list; speed buttons take another road
    "TacEditWnd",
    "TacScrollBoxWnd",    "TacSpinWnd",         "TacSBWnd",           "TacStaticTextWnd",
    "TacNativePaint"};

int HookClassIndex(const TacClassNameLists& lists, std::string_view className) {
  for (size_t i = 0; i < lists.size(); ++i)
    for (int j = 0; j < lists[i].Count(); ++j)
      if (lists[i][j] == className) return static_cast<int>(i);
  return -1;
}

std::string_view HookClassFor(const TacClassNameLists& lists, std::string_view className) {
  const int i = HookClassIndex(lists, className);
  return i < 0 ? std::string_view{} : HookClassNames[static_cast<size_t>(i)];
}

bool AskAdapterEvents(const TacAdapterEvents& events, rtl::TComponent* item, TacSkinParams& params) {
  if (events.OnSkinItem) events.OnSkinItem(item, params.CanBeAdded, params.SkinSection);
  if (params.CanBeAdded && events.OnSkinItemEx) events.OnSkinItemEx(item, params.CanBeAdded, &params);
  return params.CanBeAdded && params.SkinFontColors;
}

namespace {
// A windowed control whose window is missing or already skinned is not the adapter's.
bool WindowRefused(const TacControlFacts& c) {
  const bool windowed = c.Kind == TacControlKind::Form || c.Kind == TacControlKind::Windowed;
  return windowed && (!c.HandleAllocated || c.WindowSkinned);
}
}  // namespace

bool IsAllowed(const TacControlFacts& c, const TacClassNameLists& lists, const TacAdapterEvents& events,
               rtl::TComponent* item) {
  if (HasNoSkinTag(c.Tag) || WindowRefused(c)) return false;
  TacSkinParams params;
  switch (c.Kind) {
    case TacControlKind::Form:
    case TacControlKind::Label:
      return AskAdapterEvents(events, item, params);
    case TacControlKind::Windowed:
    case TacControlKind::SpeedButton:
      return HookClassIndex(lists, c.ClassName) >= 0 && AskAdapterEvents(events, item, params);
    case TacControlKind::OtherGraphic:
      break;
  }
  return false;
}

TacAddAction DecideAddItem(const TacControlFacts& c, const std::string& section, const TacAdapterEvents& events,
                           rtl::TComponent* item, TacSkinParams& params) {
  params = TacSkinParams{};
  params.SkinSection = section;
  if (HasNoSkinTag(c.Tag) || !c.HasParent || c.WindowSkinned) return TacAddAction::None;
  if (events.OnSkinItem) events.OnSkinItem(item, params.CanBeAdded, params.SkinSection);
  if (params.CanBeAdded && events.OnSkinItemEx) events.OnSkinItemEx(item, params.CanBeAdded, &params);
  if (!params.CanBeAdded) return TacAddAction::None;
  if (c.Kind == TacControlKind::Form) {
    if (params.SkinSection.empty()) params.SkinSection = "FORM";
    return TacAddAction::Provider;
  }
  return TacAddAction::Hook;
}

std::string_view DecideHookClass(const TacControlFacts& c, bool haveManager, const TacClassNameLists& lists) {
  if (HasNoSkinTag(c.Tag) || !c.HandleAllocated || c.WindowSkinned || !haveManager) return {};
  return HookClassFor(lists, c.ClassName);
}

}  // namespace skin
