// The window and the windowless control under the mouse, under Wine with the mouse moved
// for real: the default manager tells the window the mouse left and the one it entered, a
// parent of the hovered window takes no hover while the mouse is still on its child, a
// pressed control holds the hover, the 100 ms check ends a hover Windows never reported,
// hooked windows report their mouse moves, and the hint controller shows a control's hint
// as the mouse enters it.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "../SkinEngineEnvironment.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acAlphaHints.h"
#include "skin/graphics/acHintWindow.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {
namespace {

using gui::TMessage;

const std::string kSkins = std::string("Z:") + KORVAN_TEST_SKIN;

// Who heard which mouse command, in order ("a+" entered, "a-" left).
using TLog = std::vector<std::string>;

void Note(TLog& log, const std::string& name, const TMessage& m) {
  if (m.Msg != SM_ALPHACMD) return;
  if (m.WParamHi() == AC_MOUSEENTER) log.push_back(name + "+");
  if (m.WParamHi() == AC_MOUSELEAVE) log.push_back(name + "-");
}

class TRecordingPanel : public gui::TPanel {
 public:
  TRecordingPanel(rtl::TComponent* owner, TLog& log, std::string name)
      : gui::TPanel(owner), log_(log), name_(std::move(name)) {}
  void WndProc(TMessage& m) override {
    Note(log_, name_, m);
    gui::TPanel::WndProc(m);
  }

 private:
  TLog& log_;
  std::string name_;
};

// A windowless control with a skin state: the pressed flag is read through command 37.
class TRecordingGraphic : public gui::TGraphicControl {
 public:
  TRecordingGraphic(rtl::TComponent* owner, TLog& log) : gui::TGraphicControl(owner), log_(log) {
    Data = std::make_unique<TsCommonData>(this, false);
  }
  ~TRecordingGraphic() override { Data.reset(); }
  void WndProc(TMessage& m) override {
    Note(log_, "g", m);
    if (m.Msg == SM_ALPHACMD && m.WParamHi() == AC_MOUSELEAVE) LeaveArgs.push_back(m.LParam);
    if (m.Msg == SM_ALPHACMD && ProcessSkinCommand(m, Data.get())) return;
    gui::TGraphicControl::WndProc(m);
  }
  std::unique_ptr<TsCommonData> Data;
  std::vector<LPARAM> LeaveArgs;

 private:
  TLog& log_;
};

class TPlainHook : public TacMainWnd {
 protected:
  bool HandleSkinCommand(TMessage&) override { return false; }
};

class Hover : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = skintest::TestSkinManager(kSkins);
    ASSERT_EQ(DefaultManager(), manager.get());
    form = std::make_unique<gui::TForm>(nullptr);
    form->SetBounds(0, 0, 400, 240);
    a = Panel(form.get(), "a", 10, 10, 150, 150);
    c = Panel(a, "c", 20, 20, 60, 60);
    b = Panel(form.get(), "b", 200, 10, 150, 150);
    form->Show();
    gui::Application->ProcessMessages();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  TRecordingPanel* Panel(gui::TWinControl* on, const std::string& name, int x, int y, int w, int h) {
    auto* p = new TRecordingPanel(form.get(), log, name);
    p->SetParent(on);
    p->SetBounds(x, y, w, h);
    return p;
  }
  static void MouseOn(gui::TWinControl* control) {
    RECT r;
    GetWindowRect(control->Handle(), &r);
    ASSERT_TRUE(SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<gui::TForm> form;
  TRecordingPanel *a = nullptr, *b = nullptr, *c = nullptr;
  TLog log;
};

TEST_F(Hover, TheOldWindowHearsTheLeaveAndTheNewOneTheEnter) {
  MouseOn(c);
  manager->SetHoveredWindow(c->Handle());
  manager->SetHoveredWindow(c->Handle());  // the same window again: nothing
  // Still on the child: its parent takes no hover from it.
  manager->SetHoveredWindow(a->Handle());
  EXPECT_EQ(manager->HoveredWindow(), c->Handle());
  EXPECT_EQ(log, (TLog{"c+"}));

  MouseOn(b);
  manager->SetHoveredWindow(a->Handle());
  manager->SetHoveredWindow(b->Handle());
  EXPECT_EQ(log, (TLog{"c+", "c-", "a+", "a-", "b+"}));
  EXPECT_EQ(manager->HoveredWindow(), b->Handle());
}

TEST_F(Hover, APressedControlHoldsTheHoverOfItsWindow) {
  auto* g = new TRecordingGraphic(form.get(), log);
  g->SetParent(a);
  g->SetBounds(90, 90, 40, 40);
  MouseOn(a);
  manager->SetHoveredWindow(a->Handle());
  manager->SetHoveredControl(g);
  EXPECT_EQ(FindControlUnderMouse(), g) << "the manager's hovered control comes first";
  log.clear();

  g->Data->FPressed = true;
  manager->SetHoveredWindow(b->Handle());
  EXPECT_EQ(manager->HoveredWindow(), a->Handle());
  EXPECT_EQ(manager->HoveredControl(), g);
  EXPECT_EQ(log, (TLog{"a-"})) << "the window is told, the pressed control keeps its hover";

  log.clear();
  g->Data->FPressed = false;
  manager->SetHoveredWindow(b->Handle());
  EXPECT_EQ(log, (TLog{"g-", "a-", "b+"}));
  EXPECT_EQ(manager->HoveredControl(), nullptr);
  ASSERT_EQ(g->LeaveArgs.size(), 1u);
  EXPECT_EQ(g->LeaveArgs[0], reinterpret_cast<LPARAM>(manager.get()));

  // A hovered control that goes is forgotten.
  manager->SetHoveredControl(g);
  delete g;
  EXPECT_EQ(manager->HoveredControl(), nullptr);
}

TEST_F(Hover, TheTimerEndsAHoverThatWindowsNeverReported) {
  auto* g = new TRecordingGraphic(form.get(), log);
  g->SetParent(b);
  g->SetBounds(0, 0, 20, 20);
  MouseOn(b);  // the middle of b: not on g
  manager->SetHoveredWindow(b->Handle());
  manager->SetHoveredControl(g);
  log.clear();
  manager->HoverTimer();
  EXPECT_EQ(log, (TLog{"g-"})) << "the control off the mouse hears it, the window under it not";
  ASSERT_EQ(g->LeaveArgs.size(), 1u);
  EXPECT_EQ(g->LeaveArgs[0], reinterpret_cast<LPARAM>(g));
  EXPECT_EQ(manager->HoveredControl(), g);

  MouseOn(a);
  log.clear();
  g->LeaveArgs.clear();
  manager->SetHoveredControl(nullptr);
  log.clear();
  manager->HoverTimer();
  EXPECT_EQ(log, (TLog{"b-"}));
  EXPECT_EQ(manager->HoveredWindow(), nullptr);
  manager->HoverTimer();  // nothing hovered: nothing to do
  EXPECT_EQ(log, (TLog{"b-"}));
}

TEST_F(Hover, AHookedWindowReportsTheMouseWhileEnabled) {
  HWND w = CreateWindowExW(0, L"STATIC", L"bare", WS_CHILD | WS_VISIBLE, 10, 170, 80, 30, form->Handle(), nullptr,
                           nullptr, nullptr);
  TPlainHook hook;
  hook.Attach(w);
  hook.AfterCreation();
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(manager->HoveredWindow(), w);

  manager->SetHoveredWindow(nullptr);
  EnableWindow(w, FALSE);
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(manager->HoveredWindow(), nullptr) << "a disabled window takes no hover";
  DestroyWindow(w);
}

TEST_F(Hover, EnteringAControlMakesItHoveredAndShowsItsHintThroughTheController) {
  auto* p = new gui::TPanel(form.get());
  p->SetParent(b);
  p->SetBounds(10, 10, 80, 40);
  p->Hint = "Petunjuk";
  p->ShowHint = true;
  p->HandleNeeded();
  TsCommonData data(p, true);
  data.SetSkinSection("BUTTON");
  data.Loaded(false);
  ASSERT_TRUE(data.IsSkinned(false));
  TacHintController controller(nullptr);
  controller.SetActive(true);
  MouseOn(p);
  TMessage enter{gui::CM_MOUSEENTER, 0, 0, 0};
  ProcessSkinDataMessage(enter, &data);
  EXPECT_EQ(manager->HoveredWindow(), p->Handle());
  ASSERT_NE(controller.HintWindow(), nullptr);
  EXPECT_EQ(controller.HintWindow()->HintText(), "Petunjuk");
  controller.HideHint();
  controller.SetActive(false);
  EXPECT_FALSE(ActiveHintShow) << "an inactive controller shows nothing";
}

}  // namespace
}  // namespace skin
