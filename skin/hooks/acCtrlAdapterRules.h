// The child-control adapter's decisions, free of Win32 so that they are tested natively:
// which hook class a control's class name earns through the class-name lists (the lower
// list wins), which controls a form's scan may skin at all, what adding one control does,
// and the adapter's item list (one item a control, dead hooks dropped in one pass, every
// item freed last to first). The form's skin provider feeds these with the facts it reads
// off its controls and with its two events.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/Classes.h"
#include "skin/core/sConst.h"

namespace skin {

// The Tag bits that keep a form or control out of skinning.
inline constexpr int64_t NoSkinTag = 256;
inline bool HasNoSkinTag(int64_t tag) { return (tag & NoSkinTag) == NoSkinTag; }

// The hook class of each class-name list, in the lists' index order.
extern const std::array<std::string_view, kThirdPartyKinds> HookClassNames;

using TacClassNameLists = std::array<rtl::TStringList, kThirdPartyKinds>;
// The first list (lowest index) naming className exactly, case counting; -1 for none.
int HookClassIndex(const TacClassNameLists& lists, std::string_view className);
// The hook class of that list; "" for none.
std::string_view HookClassFor(const TacClassNameLists& lists, std::string_view className);

// What a form's events may change about one control's skinning.
struct TacSkinParams {
  std::string SkinSection;
  bool SkinColors = true;
  bool SkinFontColors = true;
  bool CanBeAdded = true;
  rtl::TComponent* HookedControl = nullptr;
  // Scroll-bar sizes for the hook; negative leaves the skin's.
  int32_t HorzScrollBtnSize = -1, HorzScrollSize = -1, VertScrollBtnSize = -1, VertScrollSize = -1;
};

using TacSkinItemEvent = std::function<void(rtl::TComponent* item, bool& canBeAdded, std::string& section)>;
using TacSkinItemExEvent = std::function<void(rtl::TComponent* item, bool& canBeAdded, TacSkinParams* params)>;
struct TacAdapterEvents {
  TacSkinItemEvent OnSkinItem;
  TacSkinItemExEvent OnSkinItemEx;
};

// Asks both events about one control (the second only while the first left it allowed);
// True when the control may be skinned.
bool AskAdapterEvents(const TacAdapterEvents& events, rtl::TComponent* item, TacSkinParams& params);

enum class TacControlKind : uint8_t { Form, Windowed, SpeedButton, Label, OtherGraphic };

// What the adapter reads off one control.
struct TacControlFacts {
  std::string_view ClassName;
  TacControlKind Kind = TacControlKind::Windowed;
  int64_t Tag = 0;
  bool HandleAllocated = false;  // windowed kinds only
  bool WindowSkinned = false;    // its window already carries a skin state
  bool HasParent = false;
};

// The pre-test of a form's scan: not kept native by its tag, a windowed control with a
// window not skinned yet; a form or label then by the events alone, a listed class by the
// events, anything else not at all. The events must leave the font colours on.
bool IsAllowed(const TacControlFacts& c, const TacClassNameLists& lists, const TacAdapterEvents& events,
               rtl::TComponent* item);

enum class TacAddAction : uint8_t { None, Provider, Hook };
// What adding one windowed control does: nothing (tag, no parent, skinned window, vetoed),
// an embedded form's own provider (params' section, "FORM" when empty), or the item list
// (a hook when its class is listed). Params are reset and then given to the events.
TacAddAction DecideAddItem(const TacControlFacts& c, const std::string& section, const TacAdapterEvents& events,
                           rtl::TComponent* item, TacSkinParams& params);
// Whether a hook is put on at all, and which: "" when the tag, a missing window, an
// already skinned one, no skin manager or an unlisted class says none.
std::string_view DecideHookClass(const TacControlFacts& c, bool haveManager, const TacClassNameLists& lists);

// The adapter's items: one a control, each owning the control's hook (nullptr when none).
// Hook needs Released(); the lists never hold two items of one control.
template <class Control, class Hook>
class TacAdapterItemList {
 public:
  struct Item {
    Control* control = nullptr;
    std::unique_ptr<Hook> hook;
  };
  using MakeHook = std::function<std::unique_ptr<Hook>(Control*)>;

  Item* Find(const Control* control) {
    for (auto& item : items_)
      if (item->control == control) return item.get();
    return nullptr;
  }
  // A new control gets an item and, with a parent, a hook; an item left without a hook is
  // dropped again. A known control whose hook was released gets a fresh one; a live hook
  // is left alone, so no control is hooked twice.
  void Ensure(Control* control, bool hasParent, const MakeHook& make) {
    if (Item* known = Find(control)) {
      if (known->hook && !known->hook->Released()) return;
      known->hook.reset();
      if (hasParent) known->hook = make(control);
      return;
    }
    auto item = std::make_unique<Item>();
    item->control = control;
    if (hasParent) item->hook = make(control);
    if (item->hook) items_.push_back(std::move(item));
  }
  // Drops, in one pass and keeping the order of the rest, every item whose hook is gone
  // or released.
  void Clean() {
    std::erase_if(items_, [](const std::unique_ptr<Item>& i) { return !i->hook || i->hook->Released(); });
  }
  // Frees every item, last first; a call made while one runs (a hook that goes away asks
  // again) does nothing.
  void RemoveAll() {
    if (removing_) return;
    removing_ = true;
    while (!items_.empty()) items_.pop_back();
    removing_ = false;
  }
  template <class F>
  void ForEachLive(F f) {
    for (auto& item : items_)
      if (item->hook && !item->hook->Released()) f(*item);
  }
  int Count() const { return static_cast<int>(items_.size()); }
  const Item& operator[](int i) const { return *items_[static_cast<size_t>(i)]; }

 private:
  std::vector<std::unique_ptr<Item>> items_;
  bool removing_ = false;
};

}  // namespace skin
