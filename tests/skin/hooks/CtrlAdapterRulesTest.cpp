// The child-control adapter's decisions: the hook class a class name earns, which controls
// a scan may skin, what adding one does, and the item list's bookkeeping.
#include <gtest/gtest.h>

#include "skin/hooks/acCtrlAdapterRules.h"

namespace skin {
namespace {

TacClassNameLists Lists(std::initializer_list<std::pair<int, const char*>> entries) {
  TacClassNameLists lists;
  for (auto& [i, name] : entries) lists[static_cast<size_t>(i)].Add(name);
  return lists;
}

TEST(CtrlAdapterRules, ClassNameToHookClassLowerListWins) {
  TacClassNameLists defaults;
  for (size_t i = 0; i < defaults.size(); ++i) defaults[i].SetText(ThirdPartyDefaultLists[i]);
  struct Case {
    const char* className;
    std::string_view hook;
  };
  const Case cases[] = {
      {"TEdit", "TacEditWnd"},         {"TMemo", "TacEditWnd"},         {"TListBox", "TacEditWnd"},
      {"TComboBox", "TacComboBoxWnd"}, {"TStringGrid", "TacGridWnd"},   {"TListView", "TacListViewWnd"},
      {"TTreeView", "TacTreeViewWnd"}, {"TScrollBox", "TacScrollBoxWnd"}, {"TScrollBar", "TacSBWnd"},
      {"TSpeedButton", "TacEditWnd"},  {"TStaticText", "TacStaticTextWnd"},
      {"tedit", ""},  // case counts
      {"TEditX", ""}, {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(HookClassFor(defaults, c.className), c.hook) << c.className;

  // The same class in two lists: the lower index decides, whatever order the lists were filled.
  const auto twice = Lists({{18, "TDBGrid"}, {5, "TDBGrid"}, {7, "TDBGrid"}});
  EXPECT_EQ(HookClassIndex(twice, "TDBGrid"), 5);
  EXPECT_EQ(HookClassFor(twice, "TDBGrid"), "TacGridWnd");
  // A subclass of an edit named only in the edit list is an edit.
  EXPECT_EQ(HookClassFor(Lists({{0, "TMyEdit"}}), "TMyEdit"), "TacEditWnd");
  EXPECT_EQ(HookClassFor(Lists({{22, "TChart"}}), "TChart"), "TacNativePaint");
}

TEST(CtrlAdapterRules, WhichControlsAScanSkins) {
  const auto lists = Lists({{0, "TEdit"}, {17, "TSpeedButton"}});
  const TacAdapterEvents none;
  TacAdapterEvents veto;
  veto.OnSkinItem = [](rtl::TComponent*, bool& can, std::string&) { can = false; };
  TacAdapterEvents fontOff;
  fontOff.OnSkinItemEx = [](rtl::TComponent*, bool&, TacSkinParams* p) { p->SkinFontColors = false; };
  TacAdapterEvents vetoThenAllow;  // the second event is not asked once the first said no
  vetoThenAllow.OnSkinItem = [](rtl::TComponent*, bool& can, std::string&) { can = false; };
  vetoThenAllow.OnSkinItemEx = [](rtl::TComponent*, bool& can, TacSkinParams*) { can = true; };

  using K = TacControlKind;
  struct Case {
    const char* what;
    TacControlFacts facts;
    const TacAdapterEvents* events;
    bool allowed;
  };
  const Case cases[] = {
      {"listed edit", {"TEdit", K::Windowed, 0, true, false, true}, &none, true},
      {"tag keeps it native", {"TEdit", K::Windowed, 256 | 3, true, false, true}, &none, false},
      {"other tag bits do not", {"TEdit", K::Windowed, 255 | 512, true, false, true}, &none, true},
      {"no handle", {"TEdit", K::Windowed, 0, false, false, true}, &none, false},
      {"already skinned", {"TEdit", K::Windowed, 0, true, true, true}, &none, false},
      {"vetoed by the event", {"TEdit", K::Windowed, 0, true, false, true}, &veto, false},
      {"first veto stands", {"TEdit", K::Windowed, 0, true, false, true}, &vetoThenAllow, false},
      {"font colours off", {"TEdit", K::Windowed, 0, true, false, true}, &fontOff, false},
      {"unlisted class", {"TMyGrid", K::Windowed, 0, true, false, true}, &none, false},
      {"form by the events alone", {"TFPeta", K::Form, 0, true, false, true}, &none, true},
      {"form vetoed", {"TFPeta", K::Form, 0, true, false, true}, &veto, false},
      {"label by the events alone", {"TLabel", K::Label, 0, false, false, true}, &none, true},
      {"label with font colours off", {"TLabel", K::Label, 0, false, false, true}, &fontOff, false},
      {"listed speed button", {"TSpeedButton", K::SpeedButton, 0, false, false, true}, &none, true},
      {"other graphic control", {"TEdit", K::OtherGraphic, 0, false, false, true}, &none, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsAllowed(c.facts, lists, *c.events, nullptr), c.allowed) << c.what;
}

TEST(CtrlAdapterRules, AddingOneControlAndPickingItsHook) {
  const auto lists = Lists({{0, "TEdit"}});
  TacAdapterEvents rename;
  rename.OnSkinItem = [](rtl::TComponent*, bool&, std::string& section) { section = "PANEL_LOW"; };
  TacSkinParams p;
  using K = TacControlKind;
  const TacControlFacts edit{"TEdit", K::Windowed, 0, true, false, true};

  EXPECT_EQ(DecideAddItem(edit, "EDIT", {}, nullptr, p), TacAddAction::Hook);
  EXPECT_EQ(p.SkinSection, "EDIT");
  EXPECT_EQ(p.HorzScrollSize, -1);
  EXPECT_EQ(DecideAddItem(edit, "EDIT", rename, nullptr, p), TacAddAction::Hook);
  EXPECT_EQ(p.SkinSection, "PANEL_LOW");
  TacControlFacts orphan = edit;
  orphan.HasParent = false;
  EXPECT_EQ(DecideAddItem(orphan, "", {}, nullptr, p), TacAddAction::None);
  TacControlFacts tagged = edit;
  tagged.Tag = 256;
  EXPECT_EQ(DecideAddItem(tagged, "", {}, nullptr, p), TacAddAction::None);
  EXPECT_EQ(DecideHookClass(tagged, true, lists), "");
  // An embedded form gets its own provider, with "FORM" unless the events name a section.
  const TacControlFacts form{"TFSub", K::Form, 0, true, false, true};
  EXPECT_EQ(DecideAddItem(form, "", {}, nullptr, p), TacAddAction::Provider);
  EXPECT_EQ(p.SkinSection, "FORM");

  EXPECT_EQ(DecideHookClass(edit, true, lists), "TacEditWnd");
  EXPECT_EQ(DecideHookClass(edit, false, lists), "") << "no skin manager";
  TacControlFacts noHandle = edit;
  noHandle.HandleAllocated = false;
  EXPECT_EQ(DecideHookClass(noHandle, true, lists), "");
  TacControlFacts skinned = edit;
  skinned.WindowSkinned = true;
  EXPECT_EQ(DecideHookClass(skinned, true, lists), "");
}

struct FakeHook {
  explicit FakeHook(int* freed) : freed_(freed) {}
  ~FakeHook() { ++*freed_; }
  bool Released() const { return released; }
  bool released = false;
  int* freed_;
};
struct FakeControl {
  int id;
};

TEST(CtrlAdapterRules, ItemListHooksOnceCompactsAndFreesAll) {
  int made = 0, freed = 0;
  TacAdapterItemList<FakeControl, FakeHook> items;
  auto make = [&](FakeControl*) {
    ++made;
    return std::make_unique<FakeHook>(&freed);
  };
  auto none = [](FakeControl*) { return std::unique_ptr<FakeHook>(); };
  FakeControl c[5]{{0}, {1}, {2}, {3}, {4}};
  for (auto& control : c) items.Ensure(&control, true, make);
  items.Ensure(&c[1], true, make);  // a live hook is left alone
  EXPECT_EQ(made, 5);
  EXPECT_EQ(items.Count(), 5);

  FakeControl orphan{9}, unlisted{10};
  items.Ensure(&orphan, false, make);   // no parent: no hook, no item
  items.Ensure(&unlisted, true, none);  // no hook made: the item goes again
  EXPECT_EQ(items.Count(), 5);

  // A released hook is replaced when the control is added again.
  items.Find(&c[0])->hook->released = true;
  items.Ensure(&c[0], true, make);
  EXPECT_EQ(made, 6);
  EXPECT_EQ(freed, 1);
  EXPECT_FALSE(items.Find(&c[0])->hook->Released());

  // Adjacent dead items and one at the end go in one pass; the rest keep their order.
  items.Find(&c[1])->hook->released = true;
  items.Find(&c[2])->hook->released = true;
  items.Find(&c[4])->hook->released = true;
  items.Clean();
  ASSERT_EQ(items.Count(), 2);
  EXPECT_EQ(items[0].control->id, 0);
  EXPECT_EQ(items[1].control->id, 3);
  EXPECT_EQ(freed, 4);
  int live = 0;
  items.ForEachLive([&](auto&) { ++live; });
  EXPECT_EQ(live, 2);

  items.RemoveAll();
  EXPECT_EQ(items.Count(), 0);
  EXPECT_EQ(freed, 6);
}

}  // namespace
}  // namespace skin
