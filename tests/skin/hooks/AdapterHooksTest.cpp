// The adapter's road on a real form: each child control read, decided by the class-name
// lists and the events, and hooked through the hook class its list names; tags and vetoes
// keep controls native, a second scan hooks nothing twice, and a control
// that goes leaves no stale item behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "HookSteps.h"
#include "gui/StdCtrls.h"
#include "skin/core/sSkinManager.h"
#include "skin/hooks/acBtnWnd.h"
#include "skin/hooks/acComboWnd.h"
#include "skin/hooks/acHookClasses.h"

namespace skin {
namespace {

bool Hooked(gui::TWinControl* c) { return SendMessageW(c->Handle(), SM_ALPHACMD, MAKEWPARAM(0, AC_CTRLHANDLED), 0) == 1; }

TEST(AdapterHooks, AFormsChildrenHookedByTheirLists) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Jemaat", 360, 200);
  form.SetBounds(560, 260, 360, 200);
  auto add = [&](gui::TWinControl* c, int x, int y, int w, int hgt) {
    c->SetParent(&form);
    c->SetBounds(x, y, w, hgt);
    c->HandleNeeded();
    return c;
  };
  auto* edit = add(new gui::TEdit(&form), 10, 10, 150, 24);
  auto* native = add(new gui::TEdit(&form), 10, 40, 150, 24);
  native->Tag = 256 | 1;
  auto* memo = add(new gui::TMemo(&form), 10, 70, 150, 80);
  memo->SetName("MemoCatatan");
  auto* list = add(new gui::TListBox(&form), 180, 40, 150, 110);
  auto* combo = add(new gui::TComboBox(&form), 180, 10, 150, 24);
  auto* button = add(new gui::TButton(&form), 10, 160, 80, 25);
  HWND formWnd = form.Handle();

  const TacClassNameLists& lists = h.Manager->ThirdPartyLists();
  TacAdapterEvents events;
  events.OnSkinItem = [](rtl::TComponent* item, bool& can, std::string&) {
    if (item->Name() == "MemoCatatan") can = false;
  };
  TacAdapterItemList<gui::TWinControl, TacMainWnd> items;
  int made = 0;
  auto scan = [&] {
    items.Clean();
    for (int i = 0; i < form.ControlCount(); ++i) {
      auto* c = dynamic_cast<gui::TWinControl*>(form.Controls(i));
      if (!c || !IsAllowed(ReadControlFacts(c), lists, events, c)) continue;
      TacSkinParams params;
      if (DecideAddItem(ReadControlFacts(c), "", events, c, params) != TacAddAction::Hook) continue;
      items.Ensure(c, c->Parent() != nullptr, [&](gui::TWinControl* control) {
        auto hook = MakeHookFor(control, lists, h.Manager.get(), params);
        if (hook) ++made;
        return hook;
      });
    }
  };
  skintest::ShowSteps(h, formWnd);
  h.Step("scan", [&] {
    scan();
    skintest::RedrawWhole(formWnd);
  });
  h.Step("hooked by their lists", [&] {
    h.Shot(formWnd, "adapter_scanned");
    EXPECT_TRUE(Hooked(edit));
    EXPECT_TRUE(Hooked(list));
    EXPECT_TRUE(Hooked(combo));
    EXPECT_NE(dynamic_cast<TacComboBoxWnd*>(items.Find(combo)->hook.get()), nullptr) << "the combo list's class";
    EXPECT_FALSE(Hooked(native)) << "its tag keeps it native";
    EXPECT_FALSE(Hooked(memo)) << "vetoed by the event";
    EXPECT_TRUE(Hooked(button));
    EXPECT_NE(dynamic_cast<TacBtnWnd*>(items.Find(button)->hook.get()), nullptr) << "the button list's class";
    EXPECT_EQ(items.Count(), 4);
    EXPECT_EQ(made, 4);
  });
  h.Step("scan again", [&] {
    scan();
    EXPECT_EQ(made, 4) << "nothing hooked twice";
    EXPECT_EQ(items.Count(), 4);
  });
  h.Step("a hooked control goes", [&] {
    TacMainWnd* listHook = items.Find(list)->hook.get();
    delete list;
    EXPECT_TRUE(listHook->Released()) << "the hook took itself off with the window";
    scan();
    EXPECT_EQ(items.Count(), 3) << "its item dropped";
    EXPECT_EQ(items.Find(list), nullptr);
  });
  h.Step("all freed", [&] {
    items.RemoveAll();
    skintest::RedrawWhole(formWnd);
    EXPECT_FALSE(Hooked(edit));
    EXPECT_FALSE(Hooked(combo));
  });
  h.Run();
}

}  // namespace
}  // namespace skin
