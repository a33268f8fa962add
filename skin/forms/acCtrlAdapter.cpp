#include "skin/forms/acCtrlAdapter.h"

#include "gui/Buttons.h"
#include "gui/Forms.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sLabel.h"
#include "skin/hooks/acHookClasses.h"

namespace skin {

TacCtrlAdapter::TacCtrlAdapter(TsSkinProvider* provider) : provider_(provider) {}

TacCtrlAdapter::~TacCtrlAdapter() {
  // The adapter goes with its form's skinning: unless a manager of this form is removing its
  // skin (and so wants each control's look back), the controls are left as they are; a
  // manager that removes its skin gives the windows their look back itself.
  TUnskinningControls unskinning;
  CleanItems();
  RemoveAllItems();
}

TsSkinManager* TacCtrlAdapter::Manager() const {
  return provider_ && provider_->SkinData() ? provider_->SkinData()->GetSkinManager() : nullptr;
}

const TacClassNameLists& TacCtrlAdapter::Lists() const {
  static const TacClassNameLists none{};
  if (provider_ && provider_->HasThirdPartyLists) return provider_->ThirdLists;
  TsSkinManager* m = Manager();
  return m ? m->ThirdPartyLists() : none;
}

TacAdapterEvents TacCtrlAdapter::Events() const {
  TacAdapterEvents e;
  if (provider_) {
    e.OnSkinItem = provider_->OnSkinItem;
    e.OnSkinItemEx = provider_->OnSkinItemEx;
  }
  return e;
}

bool TacCtrlAdapter::IsAllowed(rtl::TComponent* component, const TacClassNameLists& lists) {
  auto* control = dynamic_cast<gui::TControl*>(component);
  if (!control) return false;
  return skin::IsAllowed(ReadControlFacts(control), lists, Events(), control);
}

void TacCtrlAdapter::AddItem(gui::TWinControl* control, const std::string& section) {
  if (!control) return;
  TacSkinParams params;
  switch (DecideAddItem(ReadControlFacts(control), section, Events(), control, params)) {
    case TacAddAction::None:
      return;
    case TacAddAction::Provider: {
      // An embedded form skins itself through a provider of its own, which it owns.
      auto* form = dynamic_cast<gui::TCustomForm*>(control);
      if (!form) return;
      auto* p = new TsSkinProvider(form);
      if (p->SkinData()) p->SkinData()->SetSkinSection(params.SkinSection);
      if (form->HandleAllocated()) SetDwmTransitions(form->Handle(), true);
      return;
    }
    case TacAddAction::Hook:
      break;
  }
  TsSkinManager* manager = Manager();
  // A frame's controls take the lists of the frame's adapter while its frame is scanned.
  const TacClassNameLists& lists = scanLists_ ? *scanLists_ : Lists();
  items_.Ensure(control, control->Parent() != nullptr, [&](gui::TWinControl* c) {
    std::unique_ptr<TacMainWnd> hook = MakeHookFor(c, lists, manager, params);
    // The adapter outlives its hooks: they are its items.
    if (hook) hook->AdapterManager = [this] { return Manager(); };
    return hook;
  });
}

bool TacCtrlAdapter::MakeHandler(TacGraphItem& item) {
  if (HasNoSkinTag(item.control->Tag)) return false;
  item.skinData->FControl = item.control;
  item.skinData->FHost = item.control;
  item.handler = std::make_unique<TacSpeedButtonHandler>(item.control, item.skinData.get(), Manager(),
                                                         item.skinData->SkinSection());
  item.skinData->FLoading = false;
  item.skinData->UpdateSkinIndex(true);
  item.control->Invalidate();
  return true;
}

void TacCtrlAdapter::AddGraphItem(gui::TControl* control) {
  if (!control || HasNoSkinTag(control->Tag) || !control->Parent()) return;
  if (control->Perform(SM_ALPHACMD, MakeSkinCommand(AC_CTRLHANDLED), 0) == 1) return;
  TacSkinParams params;
  params.SkinSection = "SPEEDBUTTON";
  AskAdapterEvents(Events(), control, params);
  if (!params.CanBeAdded) return;
  TacGraphItem* item = nullptr;
  for (auto& g : graphItems_)
    if (g->control == control) item = g.get();
  const bool known = item != nullptr;
  if (!known) {
    graphItems_.push_back(std::make_unique<TacGraphItem>());
    item = graphItems_.back().get();
    item->control = control;
    item->skinData = std::make_unique<TsCommonData>(nullptr, true);
    item->skinData->FControlKind = 230;
    item->skinData->SetSkinManager(Manager());
  }
  // The section follows the button's look whatever the events answered.
  auto* button = dynamic_cast<gui::TSpeedButton*>(control);
  item->skinData->SetSkinSection(button && button->Flat() ? "SPEEDBUTTON_SMALL" : "SPEEDBUTTON");
  if (known) {
    if (item->handler && item->handler->Button()) return;
    item->handler.reset();
    MakeHandler(*item);
    return;
  }
  if (!MakeHandler(*item)) graphItems_.pop_back();
}

void TacCtrlAdapter::AddAllItems(gui::TWinControl* owner) {
  TsSkinManager* manager = Manager();
  if (!manager || !(manager->SkinningRules() & srThirdParty) || Busy) return;
  gui::TWinControl* form = provider_ ? provider_->Form() : nullptr;
  if (!owner) owner = form;
  if (!owner) return;
  // A form that allows the lists is scanned whole with them; one that does not has only
  // the frames scanned whose adapters allow theirs (their own lists, else the manager's).
  std::vector<std::pair<gui::TWinControl*, const TacClassNameLists*>> pairs;
  if (!dynamic_cast<gui::TCustomForm*>(owner) || (provider_ && provider_->AllowSkin3rdParty)) {
    pairs.emplace_back(owner, &Lists());
  } else if (provider_) {
    static const TacClassNameLists none{};
    for (rtl::TComponent* c : provider_->ChildList)
      if (auto* fa = dynamic_cast<TsFrameAdapter*>(c); fa && fa->AllowSkin3rdParty && fa->Frame())
        pairs.emplace_back(fa->Frame(), fa->HasThirdPartyLists() ? &fa->ThirdLists()
                                         : manager                ? &manager->ThirdPartyLists()
                                                                  : &none);
  }
  Busy = true;
  for (auto [control, lists] : pairs) {
    scanLists_ = lists;
    Scan(control, *lists);
  }
  scanLists_ = nullptr;
  Busy = false;
}

void TacCtrlAdapter::Scan(gui::TWinControl* owner, const TacClassNameLists& lists) {
  CleanItems();
  for (int i = 0; i < owner->ComponentCount(); ++i) ScanOne(owner->Components(i), false, lists);
  for (int i = 0; i < owner->ControlCount(); ++i) ScanOne(owner->Controls(i), true, lists);
}

void TacCtrlAdapter::ScanOne(rtl::TComponent* component, bool child, const TacClassNameLists& lists) {
  auto* control = dynamic_cast<gui::TControl*>(component);
  if (!control) return;
  auto* windowed = dynamic_cast<gui::TWinControl*>(control);
  if (IsAllowed(control, lists)) {
    if (windowed)
      AddItem(windowed, {});
    else if (auto* label = dynamic_cast<gui::TLabel*>(control); label && provider_ && !dynamic_cast<TsCustomLabel*>(label))
      // Plain labels take the skin's font colour; the engine's own labels paint from the
      // skin by themselves.
      provider_->SkinLabel(label, true);
    else if (child && dynamic_cast<gui::TSpeedButton*>(control))
      AddGraphItem(control);
  }
  // Containers are scanned whether or not they were skinned themselves.
  if (windowed && windowed->HandleAllocated() && windowed->Parent()) Scan(windowed, lists);
}

void TacCtrlAdapter::CleanItems() {
  items_.Clean();
  std::erase_if(graphItems_, [](const std::unique_ptr<TacGraphItem>& g) {
    return !g->handler || !g->handler->Button();
  });
}

void TacCtrlAdapter::RemoveAllItems() {
  if (removing_) return;
  removing_ = true;
  items_.RemoveAll();
  while (!graphItems_.empty()) graphItems_.pop_back();
  removing_ = false;
}

void TacCtrlAdapter::PassMessage(const gui::TMessage& msg) {
  items_.ForEachLive([&](auto& item) {
    if (item.control && item.control->Parent()) item.hook->CallWndProc(msg.Msg, msg.WParam, msg.LParam);
  });
}

TacMainWnd* TacCtrlAdapter::HookOf(const gui::TWinControl* control) {
  auto* item = items_.Find(control);
  return item && item->hook && !item->hook->Released() ? item->hook.get() : nullptr;
}

TacSpeedButtonHandler* TacCtrlAdapter::HandlerOf(const gui::TControl* control) {
  for (auto& g : graphItems_)
    if (g->control == control && g->handler && g->handler->Button()) return g->handler.get();
  return nullptr;
}

TsCommonData* TacCtrlAdapter::GraphSkinDataOf(const gui::TControl* control) {
  for (auto& g : graphItems_)
    if (g->control == control && g->handler && g->handler->Button()) return g->skinData.get();
  return nullptr;
}

}  // namespace skin
