// Shared set-up of the class-layer tests: one application object per test program and a
// dialog service that records every box and answers from a script.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "gui/Timer.h"

namespace guitest {

class RecordingDialogs : public gui::IDialogService {
 public:
  int ShowMessageBox(const gui::TMessageRequest& r) override {
    shown.push_back(r);
    if (onShow) onShow(r);
    if (!answers.empty()) {
      int a = answers.front();
      answers.pop_front();
      return a;
    }
    return (r.Buttons & gui::mbOK) ? gui::mrOk : gui::mrYes;
  }
  std::vector<gui::TMessageRequest> shown;
  std::deque<int> answers;
  std::function<void(const gui::TMessageRequest&)> onShow;
};

// Runs fn once from inside whatever message loop is running next (a modal form's, a
// box's). The timer belongs to the application and goes with it.
inline void RunSoon(std::function<void()> fn, unsigned delayMs = 1) {
  auto* t = new gui::TTimer(gui::Application);
  t->SetInterval(delayMs);
  t->OnTimer = [t, fn](rtl::TObject*) {
    t->SetEnabled(false);
    fn();
  };
}

// Tests run as separate processes at once on one display: a window whose pixels a test
// reads from the screen goes above every other program's windows first.
inline void LiftOverOtherTests(HWND window) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// What the screen shows of a window, frame included, once it is painted anew (or, with
// repaintAll false, once it has painted only what it had itself marked as invalid); the
// pixels are the window's only when nothing lies over it.
inline void ShotOfWindow(HWND window, gui::TBitmap& shot, bool repaintAll = true) {
  RECT wr;
  GetWindowRect(window, &wr);
  LiftOverOtherTests(window);
  shot.SetSize(wr.right - wr.left, wr.bottom - wr.top);
  if (repaintAll)
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  else
    UpdateWindow(window);
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, wr.left, wr.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    gui::InitApplication();
    gui::Application->SetTitle("KORVAN");
  }
  void TearDown() override { gui::DoneApplication(); }
};

// The picture of the button tests: a 16 x 16 red square (RGB 230, 10, 10) of 12 x 12 inside a
// see-through fuchsia border, 24 bits.
inline void PaintRedGlyph(gui::TBitmap& glyph) {
  glyph.SetPixelFormat(gui::pf24bit);
  glyph.SetSize(16, 16);
  HDC dc = glyph.Canvas().Handle();
  HBRUSH key = CreateSolidBrush(RGB(255, 0, 255)), red = CreateSolidBrush(RGB(230, 10, 10));
  RECT all{0, 0, 16, 16}, inner{2, 2, 14, 14};
  FillRect(dc, &all, key);
  FillRect(dc, &inner, red);
  DeleteObject(key);
  DeleteObject(red);
}

inline ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// Installs a recording dialog service for the lifetime of a test.
class WithRecordedDialogs : public ::testing::Test {
 protected:
  void SetUp() override { gui::SetDialogService(&dialogs); }
  void TearDown() override { gui::SetDialogService(nullptr); }
  RecordingDialogs dialogs;
};

}  // namespace guitest
