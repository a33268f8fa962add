// The child-control adapter of a skinned form: it gives each child control the skinning its
// own class does not bring. A control whose class name stands in one of the class-name
// lists gets the window hook of that list, a speed button gets a handler painting it from
// the skin, and an embedded form gets a provider of its own. The form's provider makes one
// adapter when its skin is applied and calls it again when controls come.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/Controls.h"
#include "skin/core/sCommonData.h"
#include "skin/hooks/acCtrlAdapterRules.h"
#include "skin/hooks/acSBUtils.h"
#include "skin/hooks/acSpeedButtonHandler.h"

namespace skin {

class TsSkinProvider;
class TsSkinManager;

class TacCtrlAdapter : public rtl::TPersistent {
  KORVAN_CLASS(TacCtrlAdapter)
 public:
  explicit TacCtrlAdapter(TsSkinProvider* provider);
  ~TacCtrlAdapter() override;

  // A full scan is running; a scan asked for meanwhile (a hook made during the scan makes
  // its parent report a new child) does nothing.
  bool Busy = false;
  // The section of controls added one by one; empty: each hook's own.
  std::string DefaultSection;
  TsSkinProvider* Provider() const { return provider_; }

  void AddNewItem(gui::TWinControl* control) { AddItem(control, DefaultSection); }
  // Skins one windowed control: its hook by its class's list, or a provider for a form.
  void AddItem(gui::TWinControl* control, const std::string& section);
  // Skins one speed button with a handler ("SPEEDBUTTON_SMALL" for a flat one).
  void AddGraphItem(gui::TControl* control);
  // Scans Owner (nullptr: the provider's form) and everything below it.
  void AddAllItems(gui::TWinControl* owner = nullptr);
  // The pre-test of the scan for one component with these lists.
  bool IsAllowed(rtl::TComponent* component, const TacClassNameLists& lists);
  // Drops the items whose hook or handler has gone.
  void CleanItems();
  // Frees every item, last first; the controls get their own look back.
  void RemoveAllItems();
  // Hands a message (a skin command) to every live hook whose control has a parent.
  void PassMessage(const gui::TMessage& msg);

  // The hook of a control; nullptr when it has none here.
  TacMainWnd* HookOf(const gui::TWinControl* control);
  TacSpeedButtonHandler* HandlerOf(const gui::TControl* control);
  // The skin state a speed button's handler paints from; nullptr when it has none.
  TsCommonData* GraphSkinDataOf(const gui::TControl* control);
  int ItemCount() const { return items_.Count(); }
  int GraphItemCount() const { return static_cast<int>(graphItems_.size()); }

 private:
  struct TacGraphItem {
    gui::TControl* control = nullptr;
    std::unique_ptr<TsCommonData> skinData;  // the handler paints from it: freed after it
    std::unique_ptr<TacSpeedButtonHandler> handler;
  };
  TsSkinManager* Manager() const;
  const TacClassNameLists& Lists() const;
  TacAdapterEvents Events() const;
  void Scan(gui::TWinControl* owner, const TacClassNameLists& lists);
  void ScanOne(rtl::TComponent* component, bool child, const TacClassNameLists& lists);
  bool MakeHandler(TacGraphItem& item);

  TsSkinProvider* provider_;
  TacAdapterItemList<gui::TWinControl, TacMainWnd> items_;
  std::vector<std::unique_ptr<TacGraphItem>> graphItems_;
  bool removing_ = false;
  const TacClassNameLists* scanLists_ = nullptr;  // the lists of the scan running
};

}  // namespace skin
