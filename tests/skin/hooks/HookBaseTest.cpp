// The window hooks' base under Wine: a bare window subclassed and given back, a second
// subclass put on top that keeps working through a release, one of our controls taken over
// by its WindowProc, and the window's end with and without a previous handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "../SkinEngineEnvironment.h"
#include "OwnClassWindow.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "gui/Subclass.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/hooks/acHookClasses.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {
namespace {

using gui::TMessage;

// A hook that records what reaches it and answers no command of its own.
class TRecordingHook : public TacMainWnd {
 public:
  std::vector<UINT> Seen;
  void WndProc(TMessage& m) override {
    Seen.push_back(m.Msg);
    TacMainWnd::WndProc(m);
  }
  int Count(UINT msg) const { return int(std::count(Seen.begin(), Seen.end(), msg)); }

 protected:
  bool HandleSkinCommand(TMessage&) override { return false; }
};

// Another program's subclass: it counts what passes through.
struct TOuterSubclass : gui::TWindowSubclass {
  int Passed = 0;
  void WndProc(TMessage& m) override {
    ++Passed;
    CallPrevious(m);
  }
};

class HookBase : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    form = std::make_unique<gui::TForm>(nullptr);
    form->SetBounds(0, 0, 320, 240);
    form->HandleNeeded();
  }
  void TearDown() override {
    form.reset();
    WithRecordedDialogs::TearDown();
  }
  HWND Bare() {
    return CreateWindowExW(0, L"STATIC", L"bare", WS_CHILD | WS_VISIBLE, 0, 0, 80, 30, form->Handle(), nullptr,
                           nullptr, nullptr);
  }
  std::unique_ptr<gui::TForm> form;
};

TEST_F(HookBase, ABareWindowIsBoundAndGivenBackWhole) {
  HWND w = Bare();
  const LONG_PTR procBefore = GetWindowLongPtrW(w, GWLP_WNDPROC);
  const LONG_PTR styleBefore = GetWindowLongPtrW(w, GWL_STYLE);
  TRecordingHook hook;
  hook.Attach(w);
  hook.AfterCreation();
  EXPECT_NE(GetWindowLongPtrW(w, GWLP_WNDPROC), procBefore);
  EXPECT_EQ(GetWindowSkinData(w), hook.SkinData());
  EXPECT_EQ(hook.WndText(), L"bare");
  SendMessageW(w, WM_SETTEXT, 0, LPARAM(L"renamed"));
  EXPECT_EQ(hook.WndText(), L"renamed") << "the text is read again after the window took it";
  EXPECT_EQ(hook.Count(WM_SETTEXT), 1);
  hook.Seen.clear();
  EXPECT_EQ(SendMessageW(w, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0), 0);
  EXPECT_EQ(hook.Seen, std::vector<UINT>{WM_UPDATEUISTATE});
  // Pointer-sized fields pass whole: a value above 32 bits comes back unchanged.
  const LPARAM wide = LPARAM(0x123456789ABCull);
  SetPropW(w, L"KORVANWIDE", HANDLE(wide));
  EXPECT_EQ(LPARAM(GetPropW(w, L"KORVANWIDE")), wide);
  RemovePropW(w, L"KORVANWIDE");

  EXPECT_TRUE(hook.Release(false));
  EXPECT_TRUE(hook.Released());
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), procBefore) << "the procedure comes back";
  EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE), styleBefore);
  EXPECT_EQ(GetPropW(w, L"ACSDATA"), nullptr) << "the published state goes";
  EXPECT_EQ(GetPropW(w, kScrollHookProp), nullptr);
  hook.Seen.clear();
  SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
  EXPECT_TRUE(hook.Seen.empty()) << "nothing reaches a released hook";
  DestroyWindow(w);
}

LRESULT CALLBACK PaintsIntoGivenDC(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT && wp) {
    RECT r{0, 0, 10, 10};
    FillRect(HDC(wp), &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

TEST_F(HookBase, APrintIsAPaintIntoTheGivenDCAndSkinCommandsNeedALoadedSkin) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PaintsIntoGivenDC;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvanPrinted";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, L"KorvanPrinted", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, form->Handle(), nullptr,
                           nullptr, nullptr);
  TRecordingHook hook;
  hook.Attach(w, "PANEL");
  hook.AfterCreation();
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(GetDC(nullptr), 20, 20);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, 20, 20};
  FillRect(mem, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  SendMessageW(w, WM_PRINT, WPARAM(mem), PRF_CLIENT);
  EXPECT_EQ(GetPixel(mem, 5, 5), RGB(0, 0, 0)) << "painted into the given DC";
  EXPECT_EQ(hook.Count(WM_PAINT), 1);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);

  hook.Seen.clear();
  EXPECT_EQ(SendSkinCommand(w, AC_SETSECTION, 0), 0) << "no skin: the window's own answer";
  {
    auto manager = skintest::TestSkinManager(std::string("Z:") + KORVAN_TEST_SKIN);
    EXPECT_EQ(SendSkinCommand(w, AC_SETSECTION, 0), 0) << "no section named";
    EXPECT_EQ(hook.SkinData()->SkinSection(), "PANEL") << "and nothing changed";
    EXPECT_EQ(SendSkinCommand(w, AC_CTRLHANDLED), 1);
  }
  hook.Release(false);
  DestroyWindow(w);
}

TEST_F(HookBase, ASubclassOnTopKeepsWorkingThroughARelease) {
  HWND w = Bare();
  const LONG_PTR procBefore = GetWindowLongPtrW(w, GWLP_WNDPROC);
  TRecordingHook hook;
  hook.Attach(w);
  hook.AfterCreation();
  TOuterSubclass outer;
  outer.Bind(w);
  EXPECT_FALSE(hook.Release(false)) << "the window's procedure is another's";
  EXPECT_FALSE(hook.Released());
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), LONG_PTR(outer.InstanceProc()));
  hook.Seen.clear();
  EXPECT_EQ(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0), 4) << "the chain still reaches the window";
  EXPECT_EQ(outer.Passed, 1);
  EXPECT_EQ(hook.Count(WM_GETTEXTLENGTH), 1) << "the hook stays in the chain";
  // Once the later subclass has gone, a second release succeeds.
  outer.Unbind();
  EXPECT_TRUE(hook.Release(false));
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), procBefore);
  DestroyWindow(w);
}

TEST_F(HookBase, AWindowThatGoesReleasesItsHook) {
  HWND w = Bare();
  TRecordingHook hook;
  hook.Attach(w);
  hook.AfterCreation();
  DestroyWindow(w);
  EXPECT_EQ(hook.Count(WM_DESTROY), 1);
  EXPECT_TRUE(hook.Released());
  EXPECT_EQ(hook.SkinData()->FWnd, nullptr);
}

TEST_F(HookBase, OurControlIsTakenOverByItsWindowProc) {
  auto* panel = new gui::TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(10, 10, 100, 50);
  panel->HandleNeeded();
  HWND w = panel->Handle();
  const LONG_PTR procBefore = GetWindowLongPtrW(w, GWLP_WNDPROC);
  auto hook = std::make_unique<TRecordingHook>();
  hook->AttachControl(panel);
  hook->AfterCreation();
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), procBefore) << "no subclass for our own controls";
  EXPECT_TRUE(panel->ControlStyle & gui::csOpaque) << "the hook paints all of it";
  EXPECT_EQ(GetWindowSkinData(w), hook->SkinData());
  panel->Perform(WM_SIZE, 0, 0);
  EXPECT_EQ(hook->Count(WM_SIZE), 1);
  // Without a loaded skin the control answers the skin commands itself; with one the hook does.
  EXPECT_EQ(SendSkinCommand(w, AC_CTRLHANDLED), 0);
  EXPECT_EQ(SendSkinCommand(w, AC_GETHOOK), 0);
  {
    auto manager = skintest::TestSkinManager(std::string("Z:") + KORVAN_TEST_SKIN);
    EXPECT_EQ(SendSkinCommand(w, AC_CTRLHANDLED), 1);
    EXPECT_EQ(SendSkinCommand(w, AC_GETHOOK), LRESULT(static_cast<TacWindowHook*>(hook.get())));
  }
  EXPECT_TRUE(hook->Release(false));
  hook->Seen.clear();
  panel->Perform(WM_SIZE, 0, 0);
  EXPECT_TRUE(hook->Seen.empty()) << "the control's own WindowProc is back";
  // A second hook on the same control, left on: the control's end takes it off.
  auto second = std::make_unique<TRecordingHook>();
  panel->ControlStyle &= ~unsigned(gui::csOpaque);
  second->AttachControl(panel);
  second->AfterCreation();
  {
    auto third = std::make_unique<TRecordingHook>();
    const unsigned before = panel->ControlStyle;
    third->AttachControl(panel);
    third.reset();
    EXPECT_EQ(panel->ControlStyle, before) << "a freed hook gives the style back";
  }
  delete panel;
  EXPECT_EQ(second->Count(WM_DESTROY), 1);
  EXPECT_TRUE(second->Released());
}

TEST_F(HookBase, AWindowsEndWithNoPreviousHandlerDoesNotComeBack) {
  auto* panel = new gui::TPanel(form.get());
  panel->SetParent(form.get());
  panel->HandleNeeded();
  gui::TWndMethod own = panel->WindowProc;
  panel->WindowProc = nullptr;  // nothing handled the control before the hook
  TRecordingHook hook;
  hook.AttachControl(panel);
  hook.AfterCreation();
  for (UINT msg : {UINT(WM_DESTROY), UINT(WM_NCDESTROY)}) {
    hook.Seen.clear();
    if (hook.Released()) {
      hook.AttachControl(panel);
      hook.AfterCreation();
    }
    EXPECT_EQ(SendMessageW(panel->Handle(), msg, 0, 0), 1);
    EXPECT_EQ(hook.Count(msg), 1) << msg << ": handled once, by the default procedure";
    EXPECT_TRUE(hook.Released());
  }
  panel->WindowProc = own;
  delete panel;
}

// The same base with the test skin loaded.
class HookedWithSkin : public HookBase {
 protected:
  void SetUp() override {
    HookBase::SetUp();
    manager = skintest::TestSkinManager(std::string("Z:") + KORVAN_TEST_SKIN);
  }
  void TearDown() override {
    HookBase::TearDown();
    manager.reset();
  }
  class TPlainHook : public TacMainWnd {
   public:
    using TacMainWnd::ApplySkinLook;

   protected:
    bool HandleSkinCommand(TMessage&) override { return false; }
  };
  std::unique_ptr<TsSkinManager> manager;
};

TEST_F(HookedWithSkin, ARightClickOpensTheControlsMenuInTheManagersLook) {
  auto* edit = new gui::TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(10, 10, 120, 24);
  auto* menu = new gui::TPopupMenu(form.get());
  auto* item = new gui::TMenuItem(menu);
  item->SetCaption("Salin");
  menu->Items()->Add(item);
  edit->SetPopupMenu(menu);
  form->Show();
  TPlainHook hook;
  hook.AttachControl(edit);
  hook.AfterCreation();
  int opened = 0;
  bool ownerDrawn = false;
  menu->OnPopup = [&](rtl::TObject*) { ++opened; };
  const auto rightClick = [&] {
    guitest::RunSoon(
        [&] {
          ownerDrawn = menu->OwnerDraw();
          EndMenu();
        },
        100);
    return SendMessageW(edit->Handle(), WM_CONTEXTMENU, WPARAM(edit->Handle()), MAKELPARAM(60, 60));
  };
  EXPECT_EQ(rightClick(), 1) << "the control's own menu, not the edit's";
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(ownerDrawn) << "skinned before it opened";
  EXPECT_TRUE(SkinableMenus(manager.get())->HoldsPopupHandlers(item));
  // A manager that no longer skins popups gives the menu its own look at the next right click.
  manager->SetSkinnedPopups(false);
  rightClick();
  EXPECT_EQ(opened, 2);
  EXPECT_FALSE(ownerDrawn);
  EXPECT_FALSE(item->OnAdvancedDrawItem);
  delete menu;
  EXPECT_EQ(edit->PopupMenu(), nullptr) << "a freed menu is forgotten";
  hook.Release(false);
  form->Hide();
}

TEST_F(HookedWithSkin, AHookGoingWhileItsFormsControlsAreUnskinnedLeavesTheLookToTheRemovingManager) {
  skintest::TOwnClassWindow own(L"KorvanUnskinningTest", form->Handle(), GetSysColorBrush(COLOR_WINDOW));
  ASSERT_TRUE(own.registered);
  HWND w = own.Wnd;
  const LONG_PTR ownProc = GetWindowLongPtrW(w, GWLP_WNDPROC);
  const auto classBrush = [&own] { return own.ClassBrush(); };
  const auto skinnedHook = [&](TsSkinManager* adapterManager) {
    auto hook = std::make_unique<TPlainHook>();
    hook->Attach(w);
    hook->AfterCreation();
    hook->ApplySkinLook();
    if (adapterManager) hook->AdapterManager = [adapterManager] { return adapterManager; };
    EXPECT_EQ(classBrush(), manager->PaletteBrush(0));
    return hook;
  };

  // The adapter goes without its manager removing the skin: the look stays, the binding not.
  auto hook = skinnedHook(manager.get());
  {
    TUnskinningControls unskinning;
    hook.reset();
  }
  EXPECT_EQ(classBrush(), manager->PaletteBrush(0)) << "left for the manager";
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), ownProc) << "no procedure left pointing at the freed hook";
  EXPECT_EQ(GetPropW(w, L"ACSDATA"), nullptr);
  SendMessageW(w, WM_SETTEXT, 0, LPARAM(L"masih hidup"));

  // Freed by anyone else, the hook gives the look back.
  hook = skinnedHook(nullptr);
  hook.reset();
  EXPECT_EQ(classBrush(), GetSysColorBrush(COLOR_BTNFACE));

  // Freed while its adapter's manager removes its skin: given back too.
  hook = skinnedHook(manager.get());
  auto* announced = new gui::TForm(gui::Application);
  announced->HandleNeeded();
  gui::TWndMethod formProc = announced->WindowProc;
  bool removing = false;
  announced->WindowProc = [&](TMessage& m) {
    if (m.Msg == SM_ALPHACMD && m.WParamHi() == AC_REMOVESKIN && hook) {
      removing = (manager->State() & msRemoving) != 0;
      TUnskinningControls unskinning;
      hook.reset();
    }
    formProc(m);
  };
  manager->RemoveSkin();
  EXPECT_TRUE(removing);
  EXPECT_EQ(hook, nullptr);
  EXPECT_EQ(classBrush(), GetSysColorBrush(COLOR_BTNFACE));
  announced->WindowProc = formProc;
  delete announced;
}

TEST_F(HookedWithSkin, EveryHookClassTakesTheParametersColourChoices) {
  auto* check = new gui::TCheckBox(form.get());
  auto* edit = new gui::TEdit(form.get());
  for (gui::TWinControl* c : {static_cast<gui::TWinControl*>(check), static_cast<gui::TWinControl*>(edit)}) {
    c->SetParent(form.get());
    c->HandleNeeded();
  }
  for (gui::TWinControl* c : {static_cast<gui::TWinControl*>(check), static_cast<gui::TWinControl*>(edit)}) {
    SCOPED_TRACE(c->ClassName());
    TacSkinParams params;
    params.SkinColors = false;
    std::unique_ptr<TacMainWnd> hook = MakeHookFor(c, manager->ThirdPartyLists(), manager.get(), params);
    ASSERT_NE(hook, nullptr);
    TsCommonData* d = hook->SkinData();
    EXPECT_TRUE(d->CustomColor()) << "the control keeps its own colour";
    EXPECT_FALSE(d->CustomFont());
    EXPECT_EQ(d->FHost, c);
    hook.reset();
  }
  // A state the control shares with the hook keeps what the control set.
  TsCommonData shared(check, false);
  shared.SetSkinSection("BUTTON");
  TPlainHook hook;
  hook.AttachControl(check, &shared);
  TacSkinParams params;
  params.SkinSection = "CHECKBOX";
  params.SkinColors = false;
  hook.TakeParams(params);
  EXPECT_FALSE(shared.CustomColor());
  EXPECT_EQ(shared.SkinSection(), "BUTTON");
  hook.Release(false);
}

}  // namespace
}  // namespace skin
