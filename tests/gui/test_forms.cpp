#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "gui/Timer.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;
using guitest::RunSoon;

namespace {

class TFProbe : public TForm {
  KORVAN_CLASS(TFProbe)
 public:
  explicit TFProbe(TComponent* owner) : TForm(owner) {
    SetCaption("Probe");
    SetClientSize(300, 200);
    Position = TPosition::poScreenCenter;
    Edit1 = new TEdit(this);
    Edit1->SetName("Edit1");
    Edit1->SetParent(this);
    Edit1->SetBounds(10, 10, 150, 21);
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(10, 40, 75, 25);
    OnActivate = [this](TObject*) { ++activations; };
  }
  TEdit* Edit1;
  TButton* Button1;
  int activations = 0;
};

using FormRules = guitest::WithRecordedDialogs;

TEST_F(FormRules, ActivationRunsAtEachModalShowAndNotWhenAChildWindowCloses) {
  TFProbe outer(nullptr), inner(nullptr);
  int innerResult = -1;
  RunSoon([&] {
    EXPECT_EQ(outer.activations, 1);
    RunSoon([&] { inner.ModalResult = mrOk; });
    innerResult = inner.ShowModal();
    MessageDlg("Data berhasil di-input", TMsgDlgType::mtInformation, mbOK);
    // Back in the outer form after a window and a box: no second activation.
    EXPECT_EQ(outer.activations, 1);
    outer.Activate();  // code may run it itself ("Reset Form")
    outer.ModalResult = mrCancel;
  });
  EXPECT_EQ(outer.ShowModal(), mrCancel);
  EXPECT_EQ(innerResult, mrOk);
  EXPECT_EQ(outer.activations, 2);
  EXPECT_EQ(inner.activations, 1);
  EXPECT_FALSE(outer.Visible());

  RunSoon([&] { outer.Close(); });
  outer.ShowModal();
  EXPECT_EQ(outer.activations, 3);
}

TEST_F(FormRules, CloseQueryCanKeepAModalFormOpen) {
  TFProbe f(nullptr);
  int asked = 0;
  f.OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
  RunSoon([&] {
    f.Close();
    RunSoon([&] { f.Close(); }, 5);
  });
  f.ShowModal();
  EXPECT_EQ(asked, 2);
}

TEST_F(FormRules, AnEscapedExceptionGoesToTheExceptionBoxAndTheProgramGoesOn) {
  TFProbe f(nullptr);
  f.Button1->OnClick = [](TObject*) { throw rtl::Exception("Koneksi gagal"); };
  RunSoon([&] {
    SendMessageW(f.Button1->Handle(), BM_CLICK, 0, 0);
    f.ModalResult = mrOk;
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Caption, "KORVAN");
  EXPECT_EQ(dialogs.shown[0].Text, "Koneksi gagal.");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
}

TEST(ExceptionBox, FullStopRule) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""},
      {"Selesai.", "Selesai."},
      {"User ini sedang aktif!", "User ini sedang aktif!"},
      {"Nilai (kosong)", "Nilai (kosong)"},
      {"Field 'x' not found", "Field 'x' not found."},
      {"Error 42", "Error 42."},
      {"Lost connection to server", "Lost connection to server."},
  };
  for (const auto& c : cases) EXPECT_EQ(ExceptionBoxText(c.in), c.out) << c.in;
}

TEST(MessageBoxes, CaptionsOfEachKind) {
  guitest::RecordingDialogs d;
  SetDialogService(&d);
  MessageDlg("a", TMsgDlgType::mtError, mbOK);
  MessageDlg("b", TMsgDlgType::mtWarning, mbOK);
  MessageDlg("c", TMsgDlgType::mtInformation, mbOK);
  d.answers = {mrNo};
  EXPECT_EQ(MessageDlg("d", TMsgDlgType::mtConfirmation, mbYes | mbNo), mrNo);
  ShowMessage("e");
  SetDialogService(nullptr);
  ASSERT_EQ(d.shown.size(), 5u);
  const char* captions[] = {"Error", "Warning", "Information", "Confirm", "KORVAN"};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(d.shown[i].Caption, captions[i]);
}

// The program's own box, for real: timers keep running while it waits, and it carries
// the captions and buttons the program asks for.
TEST(MessageBoxes, TheOwnBoxRunsTimersAndAnswersWithItsButtons) {
  TTimer ticker(nullptr);
  ticker.SetInterval(10);
  int ticks = 0;
  std::vector<std::string> buttons;
  std::string caption;
  ticker.OnTimer = [&](TObject*) {
    if (++ticks < 3) return;
    TCustomForm* box = Screen->ActiveForm();
    ASSERT_NE(box, nullptr);
    caption = box->Caption();
    for (int i = 0; i < box->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TButton*>(box->Controls(i))) buttons.push_back(b->Caption());
    // Choose "No" as a user would, by clicking it.
    for (int i = 0; i < box->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TButton*>(box->Controls(i)); b && b->Caption() == "&No")
        SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    ticker.SetEnabled(false);
  };
  int answer = MessageDlg("Yakin data akan dihapus?", TMsgDlgType::mtConfirmation, mbYes | mbNo);
  EXPECT_EQ(answer, mrNo);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(caption, "Confirm");
  EXPECT_EQ(buttons, (std::vector<std::string>{"&Yes", "&No"}));
}

// A box asked for a place goes there; one without stays centred on the screen.
TEST(MessageBoxes, TheOwnBoxGoesWhereItIsAsked) {
  for (int left : {37, -1}) {
    TMessageRequest r;
    r.Caption = "Posisi";
    r.Text = "Data tersimpan.";
    r.Left = left, r.Top = left == -1 ? -1 : 41;
    RECT at{};
    RunSoon([&] {
      TCustomForm* box = Screen->ActiveForm();
      ASSERT_NE(box, nullptr);
      GetWindowRect(box->Handle(), &at);
      box->ModalResult = mrOk;
    });
    DialogService().ShowMessageBox(r);
    if (left == -1) {
      EXPECT_NEAR((at.left + at.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    } else {
      EXPECT_EQ(at.left, 37);
      EXPECT_EQ(at.top, 41);
    }
  }
}

// Escape answers the program's own box as the system's boxes answer it.
TEST(MessageBoxes, EscapeChoosesCancelElseNoElseTheOnlyButton) {
  struct Case {
    TMsgDlgButtons buttons;
    int answer;
  } cases[] = {
      {mbOK, mrOk},
      {mbYes | mbNo, mrNo},
      {mbYes | mbNo | mbCancel, mrCancel},
      {mbOK | mbCancel, mrCancel},
  };
  for (const auto& c : cases) {
    // Pressed on the focused button; a box that ignores the key is closed after a while.
    TTimer press(nullptr), giveUp(nullptr);
    press.SetInterval(20);
    press.OnTimer = [&](TObject*) {
      press.SetEnabled(false);
      TCustomForm* box = Screen->ActiveForm();
      ASSERT_NE(box, nullptr);
      ASSERT_NE(box->ActiveControl(), nullptr);
      PostMessageW(box->ActiveControl()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    giveUp.SetInterval(3000);
    giveUp.OnTimer = [&](TObject*) {
      giveUp.SetEnabled(false);
      if (TCustomForm* box = Screen->ActiveForm()) box->ModalResult = mrAbort;
    };
    EXPECT_EQ(MessageDlg("Simpan perubahan?", TMsgDlgType::mtConfirmation, c.buttons), c.answer) << c.buttons;
  }
}

// A box shown wholly inside another window of the program is painted on the screen:
// read back from the display, its face is the button face and carries dark text pixels.
TEST(MessageBoxes, TheBoxIsPaintedOnTheScreenOverItsOwnWindow) {
  TFProbe f(nullptr);
  f.SetClientSize(700, 500);
  f.SetColor(clWhite);
  double faceShare = 0, darkShare = 0;
  int looks = 0;
  RunSoon([&] {
    TTimer look(nullptr);
    // Wine hands a window's pixels to the X server a little after the window painted
    // them (later still on a busy machine): look again until the box is there, for at
    // most two seconds.
    look.SetInterval(100);
    look.OnTimer = [&](TObject*) {
      // The box is the shown form other than the probe (it is not always the active one:
      // another test's program may hold the foreground).
      TCustomForm* box = nullptr;
      for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i) != &f && Screen->Forms(i)->HandleAllocated() &&
            IsWindowVisible(Screen->Forms(i)->Handle()))
          box = Screen->Forms(i);
      if (!box) {
        if (++looks >= 20) {
          look.SetEnabled(false);
          ADD_FAILURE() << "no box was shown";
        }
        return;
      }
      RECT br, fr;
      GetWindowRect(box->Handle(), &br);
      GetWindowRect(f.Handle(), &fr);
      RECT inside;
      EXPECT_TRUE(IntersectRect(&inside, &br, &fr) && EqualRect(&inside, &br)) << "the box is not wholly inside";
      guitest::LiftOverOtherTests(box->Handle());
      UpdateWindow(box->Handle());
      RECT cr;
      GetClientRect(box->Handle(), &cr);
      POINT origin{0, 0};
      ClientToScreen(box->Handle(), &origin);
      // One copy of the screen's pixels under the box's client area.
      BITMAPINFO bi{};
      bi.bmiHeader = {sizeof bi.bmiHeader, cr.right, -cr.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      HDC screen = GetDC(nullptr);
      HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
      HDC mem = CreateCompatibleDC(screen);
      HGDIOBJ old = SelectObject(mem, bmp);
      BitBlt(mem, 0, 0, cr.right, cr.bottom, screen, origin.x, origin.y, SRCCOPY);
      GdiFlush();
      int face = 0, dark = 0, total = cr.right * cr.bottom;
      COLORREF want = ColorToRGB(clBtnFace);
      for (int i = 0; i < total; ++i) {
        uint32_t p = static_cast<const uint32_t*>(bits)[i];
        int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (RGB(r, g, b) == want) ++face;
        else if (r + g + b < 200) ++dark;
      }
      SelectObject(mem, old);
      DeleteDC(mem);
      DeleteObject(bmp);
      ReleaseDC(nullptr, screen);
      faceShare = total ? double(face) / total : 0;
      darkShare = total ? double(dark) / total : 0;
      if ((faceShare > 0.5 && darkShare > 0) || ++looks >= 20) {
        look.SetEnabled(false);
        box->ModalResult = mrOk;
      }
    };
    MessageDlg("Maaf...Username atau Password anda salah!", TMsgDlgType::mtError, mbOK);
    f.ModalResult = mrOk;
  });
  f.ShowModal();
  EXPECT_GT(faceShare, 0.5);
  EXPECT_GT(darkShare, 0.0);
  EXPECT_LT(darkShare, 0.3);
}

TEST_F(FormRules, EditChangeRunsOnlyOnARealChangeAndCapitalsAreForced) {
  TFProbe f(nullptr);
  std::vector<std::string> changes;
  f.Edit1->OnChange = [&](TObject*) { changes.push_back(f.Edit1->Text()); };
  f.Edit1->SetCharCase(TEditCharCase::ecUpperCase);
  f.Edit1->SetText("budi");  // before the window exists
  f.Edit1->SetText("BUDI");  // same text after forcing: no change
  RunSoon([&] {
    f.Edit1->SetText("santoso");  // set by code while shown
    // Typed by the user.
    f.Edit1->SetFocus();
    LRESULT end = GetWindowTextLengthW(f.Edit1->Handle());
    SendMessageW(f.Edit1->Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(f.Edit1->Handle(), WM_CHAR, L'x', 0);
    f.ModalResult = mrOk;
  });
  f.ShowModal();
  EXPECT_EQ(changes, (std::vector<std::string>{"BUDI", "SANTOSO", "SANTOSOX"}));
}

TEST_F(FormRules, KeyFilterAndMaximumLength) {
  TFProbe f(nullptr);
  f.Edit1->SetMaxLength(5);
  f.Edit1->OnKeyPress = [](TObject*, wchar_t& key) {
    if (!(key >= L'0' && key <= L'9') && key != 8 && key != 13 && key != L' ') key = 0;
  };
  int enters = 0;
  f.Edit1->OnKeyPress = [&, filter = f.Edit1->OnKeyPress](TObject* s, wchar_t& key) {
    if (key == 13) ++enters;
    filter(s, key);
  };
  RunSoon([&] {
    for (wchar_t c : std::wstring(L"1a2b3\r4567")) SendMessageW(f.Edit1->Handle(), WM_CHAR, c, 0);
    f.ModalResult = mrOk;
  });
  f.ShowModal();
  EXPECT_EQ(f.Edit1->Text(), "12345");
  EXPECT_EQ(enters, 1);
  f.Edit1->SetText("1234567890");
  EXPECT_EQ(f.Edit1->Text(), "12345");
}

TEST(Timers, KeepFiringInsideAModalLoopAndStopWhenDisabled) {
  TFProbe f(nullptr);
  TTimer t(nullptr);
  t.SetInterval(5);
  int ticks = 0;
  t.OnTimer = [&](TObject*) {
    if (++ticks == 4) f.ModalResult = mrOk;
  };
  f.ShowModal();
  EXPECT_GE(ticks, 4);
  t.SetEnabled(false);
  int before = ticks;
  RunSoon([&] { f.ModalResult = mrOk; }, 30);
  f.ShowModal();
  EXPECT_EQ(ticks, before);
}

// A timer with a check sleeps until a watched signal reports a change: it ticks once after
// it is enabled, then only when the check confirms a change, which wakes it at once.
// Stopping it never waits, neither for a change nor for the rest of a long interval.
TEST(Timers, ACheckedTimerWakesOnlyForAChange) {
  TTimer t(nullptr), turn(nullptr);
  turn.SetInterval(5);  // keeps the loops below turning
  turn.OnTimer = [](TObject*) {};
  auto signal = std::make_shared<rtl::ChangeSignal>();
  std::atomic<bool> change{false};
  std::atomic<int> checks{0};
  int ticks = 0;
  t.SetInterval(5);
  t.OnTimer = [&](TObject*) { ++ticks; };
  t.SetCheck(
      [&] {
        ++checks;
        return change.exchange(false);
      },
      {signal});
  auto runFor = [](ULONGLONG ms, auto done) {
    const ULONGLONG until = GetTickCount64() + ms;
    while (!done() && GetTickCount64() < until) Application->HandleMessage();
  };
  auto never = [] { return false; };
  runFor(5000, [&] { return ticks == 1; });
  EXPECT_EQ(ticks, 1);
  runFor(100, never);  // twenty intervals without a change: not even a look
  EXPECT_EQ(checks, 1);
  change = true;
  signal->Notify();
  runFor(2000, [&] { return ticks == 2; });
  EXPECT_EQ(ticks, 2);
  signal->Notify();  // a change the check does not confirm: a look, no tick
  runFor(2000, [&] { return checks == 3; });
  runFor(50, never);
  EXPECT_EQ(checks, 3);
  EXPECT_EQ(ticks, 2);
  auto stopTakes = [](TTimer& timer) {
    const ULONGLONG start = GetTickCount64();
    timer.SetEnabled(false);
    return GetTickCount64() - start;
  };
  EXPECT_LT(stopTakes(t), 2000u);
  const int seen = checks;
  change = true;
  signal->Notify();
  runFor(50, never);
  EXPECT_EQ(checks, seen);
  EXPECT_EQ(ticks, 2);
  TTimer slow(nullptr);
  slow.SetInterval(60000);
  slow.SetCheck([] { return true; }, {signal});
  EXPECT_LT(stopTakes(slow), 2000u);
}

// A handler that fails at every tick (a lost connection) must not pile boxes on boxes:
// while its box is open the timer's ticks are skipped; once closed, it tries again.
TEST_F(FormRules, ATimerThatKeepsFailingShowsOneBoxAtATime) {
  TFProbe f(nullptr);
  TTimer failing(nullptr), probe(nullptr);
  failing.SetInterval(5);
  probe.SetInterval(5);
  int failingTicks = 0, probeTicks = 0, depth = 0, deepest = 0, ticksWhileOpen = -1;
  failing.OnTimer = [&](TObject*) {
    ++failingTicks;
    throw rtl::Exception("Lost connection to server");
  };
  probe.OnTimer = [&](TObject*) {
    ++probeTicks;
    if (dialogs.shown.size() >= 2) f.ModalResult = mrOk;
  };
  dialogs.onShow = [&](const TMessageRequest&) {
    deepest = std::max(deepest, ++depth);
    if (dialogs.shown.size() == 1) {
      // The first box stays open while the timer would have ticked many times.
      const int seen = failingTicks, until = probeTicks + 20;
      while (probeTicks < until) Application->HandleMessage();
      ticksWhileOpen = failingTicks - seen;
    }
    --depth;
  };
  f.ShowModal();
  failing.SetEnabled(false);
  EXPECT_EQ(ticksWhileOpen, 0);
  EXPECT_EQ(deepest, 1);
  ASSERT_GE(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].Text, "Lost connection to server.");
}

}  // namespace

namespace {

TEST_F(FormRules, TabMovesTheFocusInTabOrder) {
  TFProbe f(nullptr);
  auto* second = new TEdit(&f);
  second->SetParent(&f);
  second->SetBounds(170, 10, 100, 21);
  second->SetTabOrder(1);  // between Edit1 and Button1
  // Follows the form's active control rather than the system focus, which another
  // program on the same display may take at any moment.
  std::vector<TWinControl*> reached;
  RunSoon([&] {
    TWinControl* at = f.Edit1;
    for (int i = 0; i < 3; ++i) {
      PostMessageW(at->Handle(), WM_KEYDOWN, VK_TAB, 0);
      Application->ProcessMessages();
      at = f.ActiveControl();
      reached.push_back(at);
    }
    f.ModalResult = mrOk;
  });
  f.ShowModal();
  EXPECT_EQ(reached, (std::vector<TWinControl*>{second, f.Button1, f.Edit1}));
}

}  // namespace

namespace {

// A form's constraints hold whatever sets its size; its alpha blend makes it a layered
// window of that alpha, made before or after its window, and gone again when switched off.
TEST(FormWindow, ConstraintsHoldTheSizeAndAlphaBlendLayersTheWindow) {
  TForm f(nullptr);
  f.Constraints.MinWidth = 300;
  f.Constraints.MaxHeight = 260;
  f.SetAlphaBlend(true);
  f.SetAlphaBlendValue(200);
  f.SetBounds(20, 20, 120, 400);
  f.HandleNeeded();
  f.SetBounds(20, 20, 120, 400);
  RECT r;
  GetWindowRect(f.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 260);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetWindowLongW(f.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  ASSERT_TRUE(GetLayeredWindowAttributes(f.Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  f.SetAlphaBlendValue(90);
  GetLayeredWindowAttributes(f.Handle(), nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 90);
  f.SetAlphaBlend(false);
  EXPECT_FALSE(GetWindowLongW(f.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

// A form's showing and hiding reach its WindowProc as CM_SHOWINGCHANGED, once each way,
// with Showing() already at the new state; the window comes and goes only in the form's
// own handling of the message, where OnShow and OnHide run inside the showing phase.
TEST(FormWindow, ShowingAndHidingGoThroughTheWindowProcedureOnceEach) {
  struct Seen {
    bool Showing, VisibleBefore, VisibleAfter;
  };
  std::vector<Seen> seen;
  std::vector<std::string> events;
  TFProbe f(nullptr);
  TWndMethod own = f.WindowProc;
  f.WindowProc = [&](TMessage& m) {
    if (m.Msg != CM_SHOWINGCHANGED) return own(m);
    const bool before = IsWindowVisible(f.Handle()) != FALSE;
    const bool showing = f.Showing();
    own(m);
    seen.push_back({showing, before, IsWindowVisible(f.Handle()) != FALSE});
  };
  auto phase = [&](const char* name) {
    return [&, name](TObject*) {
      events.push_back(std::string(name) + ((f.FormState() & fsShowing) ? " in the showing phase" : ""));
    };
  };
  f.OnShow = phase("show");
  f.OnHide = phase("hide");
  f.Show();
  EXPECT_TRUE(f.Showing());
  EXPECT_FALSE(f.FormState() & fsShowing);
  f.Show();  // already shown: nothing is announced
  f.Hide();
  EXPECT_FALSE(f.Showing());
  f.Hide();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[0].Showing);
  EXPECT_FALSE(seen[0].VisibleBefore) << "the window shows only in the form's own handling";
  EXPECT_TRUE(seen[0].VisibleAfter);
  EXPECT_FALSE(seen[1].Showing);
  EXPECT_TRUE(seen[1].VisibleBefore);
  EXPECT_FALSE(seen[1].VisibleAfter);
  EXPECT_EQ(events, (std::vector<std::string>{"show in the showing phase", "hide in the showing phase"}));

  // A modal showing goes the same way, and an error of OnShow is reported, not thrown
  // through the hooks around the showing: the form still comes up and closes.
  seen.clear();
  f.OnShow = [](TObject*) { throw rtl::Exception("Gagal menampilkan"); };
  std::string reported;
  Application->OnException = [&](TObject*, const std::exception_ptr& e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& ex) {
      reported = ex.what();
    }
  };
  RunSoon([&] { f.ModalResult = mrOk; });
  EXPECT_EQ(f.ShowModal(), mrOk);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, "Gagal menampilkan");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[0].Showing && seen[0].VisibleAfter);
  EXPECT_FALSE(seen[1].Showing || seen[1].VisibleAfter);
  f.WindowProc = own;
}

// Minimizing the program hides the forms the application window owns; restoring brings
// back exactly those that were shown, each told through the events once.
TEST(FormWindow, TheApplicationMinimizesAndRestoresWithItsForms) {
  TForm shown(nullptr), hidden(nullptr);
  shown.SetBounds(40, 40, 200, 120);
  shown.Show();
  hidden.HandleNeeded();
  int minimized = 0, restored = 0;
  Application->OnMinimize = [&](rtl::TObject*) { ++minimized; };
  Application->OnRestore = [&](rtl::TObject*) { ++restored; };
  Application->Minimize();
  Application->Minimize();
  EXPECT_TRUE(IsIconic(Application->Handle()));
  EXPECT_FALSE(IsWindowVisible(shown.Handle()));
  Application->Restore();
  Application->Restore();
  EXPECT_FALSE(IsIconic(Application->Handle()));
  EXPECT_FALSE(IsWindowVisible(Application->Handle())) << "the application window stays out of sight";
  EXPECT_TRUE(IsWindowVisible(shown.Handle()));
  EXPECT_FALSE(IsWindowVisible(hidden.Handle()));
  EXPECT_EQ(minimized, 1);
  EXPECT_EQ(restored, 1);
  Application->OnMinimize = nullptr;
  Application->OnRestore = nullptr;
}

}  // namespace
