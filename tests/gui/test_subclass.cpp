// Message sequences through the layers that replace window procedures, in the manner of
// Wine's own user32 tests: every layer records what it sees, and the records are compared
// with the expected order.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "gui/Subclass.h"

namespace {

using gui::TMessage;
using Log = std::vector<std::string>;

constexpr UINT kProbe = WM_USER + 77;

// A window procedure of "other code": records the messages that reach it.
Log* g_baseLog = nullptr;
LRESULT CALLBACK RecorderProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (g_baseLog && (m == kProbe || m >= WM_APP || m == WM_NCDESTROY)) {
    g_baseLog->push_back("base " + std::to_string(m) + " " + std::to_string(w) + " " + std::to_string(l));
    if (m >= 0xC000) return 4321;
  }
  return DefWindowProcW(h, m, w, l);
}

void RegisterRecorderClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_GLOBALCLASS;  // found as a base class like the system controls
  wc.lpfnWndProc = RecorderProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvanRecorder";
  RegisterClassExW(&wc);
  done = true;
}

// A control of ours built on the recorder class, so what its default handling passes on
// is seen.
class TRecorderControl : public gui::TWinControl {
  KORVAN_CLASS(TRecorderControl)
 public:
  using TWinControl::TWinControl;

 protected:
  void CreateParams(gui::TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.BaseClassName = L"KorvanRecorder";
  }
};

// A layer as the skin hooks put one on: keep the current WindowProc, install our own.
struct Layer {
  Layer(gui::TControl& c, std::string name, Log& log) : control(c) {
    saved = c.WindowProc;
    c.WindowProc = [this, name, &log](TMessage& m) {
      if (m.Msg == kProbe || m.Msg >= gui::CN_BASE) log.push_back(name + " " + std::to_string(m.Msg));
      saved(m);
    };
  }
  void Remove() { control.WindowProc = saved; }
  gui::TControl& control;
  gui::TWndMethod saved;
};

class Subclassing : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterRecorderClass();
    g_baseLog = &log;
    form = new gui::TForm(gui::Application);
    form->SetBounds(10, 10, 300, 200);
  }
  void TearDown() override {
    delete form;
    g_baseLog = nullptr;
  }
  Log log;
  gui::TForm* form = nullptr;
};

TEST_F(Subclassing, LayersSeeMessagesNewestFirstAndComeOffInReverse) {
  auto* c = new TRecorderControl(form);
  c->SetParent(form);
  Layer a(*c, "A", log), b(*c, "B", log);
  SendMessageW(c->Handle(), kProbe, 1, 2);
  b.Remove();
  a.Remove();
  SendMessageW(c->Handle(), kProbe, 3, 4);
  EXPECT_EQ(log, (Log{"B 1101", "A 1101", "base 1101 1 2", "base 1101 3 4"}));
}

TEST_F(Subclassing, ARecreatedHandleKeepsItsLayers) {
  auto* c = new TRecorderControl(form);
  c->SetParent(form);
  Layer a(*c, "A", log);
  HWND first = c->Handle();
  c->RecreateWnd();
  HWND second = c->Handle();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first));
  log.clear();
  SendMessageW(second, kProbe, 5, 6);
  EXPECT_EQ(log, (Log{"A 1101", "base 1101 5 6"}));
  a.Remove();
}

TEST_F(Subclassing, ANotificationReachesTheChildAsItsReflectedMessage) {
  auto* edit = new gui::TEdit(form);
  edit->SetParent(form);
  Layer a(*edit, "edit", log);
  HWND h = edit->Handle();
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), EN_CHANGE), reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(log, (Log{"edit " + std::to_string(gui::CN_COMMAND)}));
  a.Remove();
}

TEST_F(Subclassing, RegisteredAndUserMessagesPassOnButTheLibrarysOwnDoNot) {
  auto* c = new TRecorderControl(form);
  c->SetParent(form);
  const UINT registered = RegisterWindowMessageW(L"KORVAN probe");
  ASSERT_GE(registered, 0xC000u);
  log.clear();
  EXPECT_EQ(SendMessageW(c->Handle(), registered, 7, 8), 4321);
  c->Perform(gui::CM_VISIBLECHANGED, 1, 0);
  c->Perform(gui::CN_BASE + WM_COMMAND, 0, 0);
  c->Perform(WM_APP + 1, 9, 10);  // an application message below the library's range
  const std::string r = std::to_string(registered);
  EXPECT_EQ(log, (Log{"base " + r + " 7 8", "base 32769 9 10"}));
}

// ---------------------------------------------------------------- bare windows

struct Recording : gui::TWindowSubclass {
  Recording(std::string n, Log& l) : name(std::move(n)), log(l) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe || m.Msg == WM_NCDESTROY) log.push_back(name + " " + std::to_string(m.Msg));
    CallPrevious(m);
  }
  void WindowDestroyed() override { log.push_back(name + " let go"); }
  std::string name;
  Log& log;
};

HWND BareWindow() {
  return CreateWindowExW(0, L"KorvanRecorder", L"bare", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)); }

TEST_F(Subclassing, BareWindowLayersComeOffInReverseOrder) {
  HWND h = BareWindow();
  WNDPROC original = ProcOf(h);
  Recording a("A", log), b("B", log);
  a.Bind(h);
  b.Bind(h);
  EXPECT_NE(a.InstanceProc(), b.InstanceProc());
  EXPECT_EQ(ProcOf(h), b.InstanceProc());
  SendMessageW(h, kProbe, 0, 0);
  b.Unbind();
  EXPECT_EQ(ProcOf(h), a.InstanceProc());
  a.Unbind();
  EXPECT_EQ(ProcOf(h), original);
  SendMessageW(h, kProbe, 0, 0);
  EXPECT_EQ(log, (Log{"B 1101", "A 1101", "base 1101 0 0", "base 1101 0 0"}));
  DestroyWindow(h);
}

TEST_F(Subclassing, ALowerLayerRemovedFirstLeavesTheChainWhole) {
  HWND h = BareWindow();
  WNDPROC original = ProcOf(h);
  auto* a = new Recording("A", log);
  Recording b("B", log);
  a->Bind(h);
  b.Bind(h);
  // A is not on top: its previous procedure is not put back, B keeps calling through it.
  a->Unbind();
  EXPECT_EQ(ProcOf(h), b.InstanceProc());
  delete a;
  SendMessageW(h, kProbe, 0, 0);
  EXPECT_EQ(log, (Log{"B 1101", "base 1101 0 0"}));
  b.Unbind();
  EXPECT_NE(ProcOf(h), original);  // what was A's procedure now only passes on
  log.clear();
  SendMessageW(h, kProbe, 0, 0);
  EXPECT_EQ(log, (Log{"base 1101 0 0"}));
  DestroyWindow(h);
}

TEST_F(Subclassing, DestroyingTheWindowUnbindsAfterTheLastMessagePassedOn) {
  HWND h = BareWindow();
  Recording a("A", log);
  a.Bind(h);
  DestroyWindow(h);
  EXPECT_FALSE(a.Bound());
  EXPECT_EQ(log, (Log{"A 130", "base 130 0 0", "A let go"}));
}

struct Throwing : gui::TWindowSubclass {
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe) throw std::runtime_error("layer failed");
    CallPrevious(m);
  }
};

TEST_F(Subclassing, AnExceptionStopsAtTheSubclassBoundary) {
  std::vector<std::string> seen;
  gui::Application->OnException = [&](rtl::TObject*, const std::exception_ptr& e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& ex) {
      seen.push_back(ex.what());
    }
  };
  HWND h = BareWindow();
  {
    Throwing t;
    t.Bind(h);
    SendMessageW(h, kProbe, 0, 0);
    EXPECT_EQ(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 4);  // the window still works
    DestroyWindow(h);
    EXPECT_FALSE(t.Bound());
  }
  gui::Application->OnException = nullptr;
  EXPECT_EQ(seen, (std::vector<std::string>{"layer failed"}));
}

// ---------------------------------------------------------------- application window

TEST_F(Subclassing, ApplicationWindowHooksRunInOrderUntilOneHandles) {
  HWND app = gui::Application->Handle();
  const UINT registered = RegisterWindowMessageW(L"KORVAN app probe");
  int second = 0;
  int first = gui::Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg != registered) return false;
    log.push_back("first");
    if (m.WParam == 1) {
      m.Result = 99;
      return true;
    }
    gui::Application->UnhookMainWindow(second);  // from inside a hook
    return false;
  });
  second = gui::Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg == registered) log.push_back("second");
    return false;
  });
  EXPECT_EQ(SendMessageW(app, registered, 1, 0), 99);
  EXPECT_EQ(SendMessageW(app, registered, 2, 0), 0);
  EXPECT_EQ(SendMessageW(app, registered, 3, 0), 0);
  gui::Application->UnhookMainWindow(first);
  SendMessageW(app, registered, 4, 0);
  EXPECT_EQ(log, (Log{"first", "first", "first"}));
}

// ---------------------------------------------------------------- message tables

class TTabled : public gui::TCustomControl {
  KORVAN_CLASS(TTabled)
  KORVAN_MESSAGES(TTabled, gui::TCustomControl, {kProbe, &TTabled::WMProbe}, {kProbe + 1, &TTabled::WMOther})
 public:
  using TCustomControl::TCustomControl;
  Log* log = nullptr;

 protected:
  void WMProbe(TMessage& m) {
    log->push_back("base probe");
    m.Result = 1;
  }
  void WMOther(TMessage& m) { log->push_back("base other"); }
};

class TTabledMore : public TTabled {
  KORVAN_CLASS(TTabledMore)
  KORVAN_MESSAGES(TTabledMore, TTabled, {kProbe, &TTabledMore::WMProbe})
 public:
  using TTabled::TTabled;

 protected:
  void WMProbe(TMessage& m) {
    log->push_back("derived probe");
    Inherited(m);
    m.Result += 10;
  }
};

TEST_F(Subclassing, MessageTablesFallBackToTheBaseClass) {
  auto* c = new TTabledMore(form);
  c->log = &log;
  c->SetParent(form);
  EXPECT_EQ(c->Perform(kProbe), 11);
  c->Perform(kProbe + 1);
  c->Perform(kProbe + 2);  // in no table: default handling
  EXPECT_EQ(log, (Log{"derived probe", "base probe", "base other"}));
}

}  // namespace
