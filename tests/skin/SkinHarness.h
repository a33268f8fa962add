// The harness of the skinned-window tests: a skin manager on the project's test skin (the
// default manager while it lives), forms and controls built in code, scripted steps run one
// after another from a message loop, and the screenshots and painted bitmaps of each step
// written as PNG files into the build tree for a person to look at.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../gui/GuiTestSupport.h"
#include "SkinEngineEnvironment.h"
#include "gui/Forms.h"
#include "report/Render.h"

namespace skintest {

class TSkinHarness {
 public:
  // skinsDir: the folder that holds the test skin (skinName); outDir: where the pictures go.
  TSkinHarness(const std::string& skinsDir, const std::string& outDir, const std::string& skinName = "Korvan Test")
      : outDir_(outDir) {
    Manager = TestSkinManager("Z:" + skinsDir, skinName);
    // The tests give forms their providers and controls their hooks themselves: the
    // window-creation hook skins no form here unless a test asks for it.
    Manager->SetSkinningRules(skin::srStdDialogs | skin::srThirdParty);
  }
  ~TSkinHarness() {
    forms_.clear();
    Manager.reset();
  }

  // A form of our own, owned by the harness, shown without taking the focus.
  gui::TForm& NewForm(const std::string& caption, int width, int height) {
    forms_.push_back(std::make_unique<gui::TForm>(nullptr));
    gui::TForm& f = *forms_.back();
    f.SetCaption(caption);
    f.SetBounds(40 + 30 * int(forms_.size()), 40, width, height);
    f.HandleNeeded();
    return f;
  }

  // One scripted step; after it the loop handles what it caused for SettleMs.
  void Step(const std::string& name, std::function<void()> action, DWORD settleMs = 30) {
    steps_.push_back({name, std::move(action), settleMs});
  }
  // Runs the steps in order, each from the message loop; a failing expectation names its step.
  void Run() {
    for (const TStep& s : steps_) {
      SCOPED_TRACE("step: " + s.Name);
      s.Action();
      Pump(s.SettleMs);
    }
    steps_.clear();
  }
  static void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    do {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      Sleep(1);
    } while (int(end - GetTickCount()) > 0);
  }

  // What the screen shows of a window, written as <name>.png; the bitmap stays with the
  // harness for pixel checks.
  gui::TBitmap& Shot(HWND window, const std::string& name) {
    shots_.push_back(std::make_unique<gui::TBitmap>());
    gui::TBitmap& b = *shots_.back();
    guitest::ShotOfWindow(window, b, false);
    // Wine keeps what a window paints in the program's own copy of the window and hands it
    // to the X server only while the thread waits, and the server takes it in its own time
    // (later still on a busy machine): until then the screen shows black where the window
    // is not mapped yet, or its look before the last paint, and two reads of that agree.
    // So the screen is read again until it shows what the window itself holds; a window
    // that never matches (another window over it, a layered window beside it) is taken
    // once two reads agree after the wait. The waits dispatch nothing, so no timer moves
    // the window on.
    gui::TBitmap own;
    bool shown = false;
    for (int look = 0; look < 40 && !shown; ++look) {
      WindowPixels(window, own);
      shown = SamePixels(b, own);
      if (shown) break;
      MsgWaitForMultipleObjectsEx(0, nullptr, 25, 0, 0);
      guitest::ShotOfWindow(window, b, false);
    }
    for (int look = 0; look < 20 && !shown; ++look) {
      MsgWaitForMultipleObjectsEx(0, nullptr, 50, 0, 0);
      gui::TBitmap again;
      guitest::ShotOfWindow(window, again, false);
      if (SamePixels(b, again)) break;
      guitest::ShotOfWindow(window, b, false);
    }
    Save(b, name);
    return b;
  }
  // The window's pixels as the program holds them (frame and children included), not as
  // the screen shows them.
  static void WindowPixels(HWND window, gui::TBitmap& bmp) {
    RECT wr;
    GetWindowRect(window, &wr);
    bmp.SetSize(wr.right - wr.left, wr.bottom - wr.top);
    HDC dc = GetWindowDC(window);
    BitBlt(bmp.Canvas().Handle(), 0, 0, bmp.Width(), bmp.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
  static bool SamePixels(gui::TBitmap& a, gui::TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
      if (std::memcmp(a.ScanLine(y), b.ScanLine(y), size_t(a.Width()) * 4) != 0) return false;
    return true;
  }
  // A bitmap the engine painted, written as <name>.png.
  void Save(gui::TBitmap& bmp, const std::string& name) {
    report::SaveBitmapToPng(bmp, "Z:" + outDir_ + "/" + name + ".png");
  }

  std::unique_ptr<skin::TsSkinManager> Manager;

 private:
  struct TStep {
    std::string Name;
    std::function<void()> Action;
    DWORD SettleMs;
  };
  std::string outDir_;
  std::vector<std::unique_ptr<gui::TForm>> forms_;
  std::vector<TStep> steps_;
  std::vector<std::unique_ptr<gui::TBitmap>> shots_;
};

}  // namespace skintest
