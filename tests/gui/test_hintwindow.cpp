#include <gtest/gtest.h>

#include <string>

#include "gui/Forms.h"
#include "gui/HintWindow.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;

namespace {

TRect WindowRectOf(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool SameRect(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

std::string Describe(const TRect& r) {
  return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " + std::to_string(r.Right) + ", " +
         std::to_string(r.Bottom) + ")";
}

// The size of a text in the hint's font, as DrawText measures it on one line.
TSize TextSizeIn(THintWindow& w, const std::string& text) {
  TBitmap b;
  b.SetSize(1, 1);
  b.Canvas().Font().Assign(&w.Font());
  return b.Canvas().TextExtent(text);
}

}  // namespace

TEST(HintWindow, IsSizedByItsTextAndWrapsAtTheWidthLimit) {
  THintWindow w(nullptr);
  const std::string shortText = "Simpan";
  TSize one = TextSizeIn(w, shortText);
  TRect r = w.CalcHintRect(800, shortText, nullptr);
  // The text plus the border and its margins.
  EXPECT_TRUE(SameRect(r, {0, 0, one.cx + 6, one.cy + 2})) << Describe(r);

  std::string longText;
  for (int i = 0; i < 12; ++i) longText += "Data jemaat tersimpan ";
  TRect wide = w.CalcHintRect(800, longText, nullptr);
  TRect narrow = w.CalcHintRect(150, longText, nullptr);
  EXPECT_GT(wide.Right, r.Right);
  EXPECT_LE(narrow.Right, 150 + 6);
  EXPECT_GE(narrow.Bottom, 3 * one.cy + 2) << "the text wraps onto several lines";
  // An empty hint is just the border and margins.
  TRect empty = w.CalcHintRect(800, "", nullptr);
  EXPECT_EQ(empty.Right, 6);
}

TEST(HintWindow, ShowsAtItsPlaceAboveEverythingWithoutFocusAndHidesAgain) {
  TForm f(nullptr);
  f.SetBounds(100, 100, 300, 200);
  f.Show();
  SetForegroundWindow(f.Handle());
  HWND focusBefore = GetFocus();

  THintWindow w(nullptr);
  const std::string text = "Tambah jemaat";
  TRect r = w.CalcHintRect(800, text, nullptr);
  r = {r.Left + 120, r.Top + 140, r.Right + 120, r.Bottom + 140};
  w.ActivateHint(r, text);
  ASSERT_TRUE(w.HandleAllocated());
  HWND h = w.Handle();
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(w.Visible());
  // Where it was asked to be, with room below the last line for its descenders.
  r.Bottom += 4;
  EXPECT_TRUE(SameRect(WindowRectOf(h), r)) << Describe(WindowRectOf(h));
  EXPECT_EQ(w.Text(), text);
  EXPECT_GE(w.ClientHeight(), TextSizeIn(w, text).cy + 2) << "the line fits below the text's inset";
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no button on the task bar";
  EXPECT_EQ(GetWindow(h, GW_OWNER), Application->Handle());
  EXPECT_NE(GetActiveWindow(), h);
  EXPECT_EQ(GetFocus(), focusBefore);
  // Clicks and the mouse go through to the window below.
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(r.Left + 2, r.Top + 2)), HTTRANSPARENT);

  // Painted: the hint colour with the text on it.
  TBitmap shot;
  shot.SetSize(w.ClientWidth(), w.ClientHeight());
  shot.Canvas().Brush().SetColor(clWhite);
  shot.Canvas().FillRect(Rect(0, 0, shot.Width(), shot.Height()));
  SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()), PRF_CLIENT);
  int back = 0, ink = 0;
  COLORREF bk = ColorToRGB(clInfoBk), fg = ColorToRGB(clInfoText);
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      COLORREF p = ColorToRGB(shot.Canvas().Pixels(x, y));
      if (p == bk) ++back;
      else if (p == fg) ++ink;
    }
  EXPECT_GT(back, shot.Width() * shot.Height() / 2);
  EXPECT_GT(ink, 10);

  w.ReleaseHandle();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(w.HandleAllocated());
  EXPECT_FALSE(w.Visible());

  // The object serves the next hint, with its new text and place.
  TRect r2 = {r.Left + 30, r.Top + 30, r.Right + 60, r.Bottom + 30};
  w.ActivateHint(r2, "Hapus");
  r2.Bottom += 4;
  EXPECT_TRUE(IsWindowVisible(w.Handle()));
  EXPECT_TRUE(SameRect(WindowRectOf(w.Handle()), r2)) << Describe(WindowRectOf(w.Handle()));
  EXPECT_EQ(w.Text(), "Hapus");
  w.ReleaseHandle();
  f.Hide();
}

TEST(HintWindow, StaysOnItsMonitor) {
  THintWindow w(nullptr);
  TRect r = w.CalcHintRect(800, "Cetak laporan", nullptr);
  int width = r.Width(), height = r.Height() + 4;
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
  const RECT& m = mi.rcMonitor;
  struct Case {
    const char* name;
    TRect asked, shown;
  } cases[] = {
      {"inside", Bounds(m.left + 10, m.top + 10, width, height), Bounds(m.left + 10, m.top + 10, width, height)},
      {"past the right and bottom edges", Bounds(m.right - width / 2, m.bottom - 3, width, height),
       Bounds(m.right - width, m.bottom - height, width, height)},
      {"before the left and top edges", Bounds(m.left - 50, m.top - 50, width, height),
       Bounds(m.left, m.top, width, height)},
  };
  for (const Case& c : cases) {
    w.ActivateHint({c.asked.Left, c.asked.Top, c.asked.Right, c.asked.Bottom - 4}, "Cetak laporan");
    TRect got = WindowRectOf(w.Handle());
    EXPECT_TRUE(SameRect(got, c.shown)) << c.name << ": " << Describe(got);
    w.ReleaseHandle();
  }
}

namespace {

class TWideHint : public THintWindow {
  KORVAN_CLASS(TWideHint)
 public:
  using THintWindow::THintWindow;
  TRect CalcHintRect(int maxWidth, const std::string& hint, void* data) override {
    TRect r = THintWindow::CalcHintRect(maxWidth, hint, data);
    r.Right += 40;
    return r;
  }
};

}  // namespace

TEST(HintWindow, TheApplicationMakesHintWindowsOfItsHintWindowClass) {
  THintWindowClass standard;
  EXPECT_TRUE(Application->HintWindowClass == standard);
  std::unique_ptr<THintWindow> a(Application->HintWindowClass.Create(nullptr));
  EXPECT_STREQ(a->ClassName(), "THintWindow");

  Application->HintWindowClass = THintWindowClass::Of<TWideHint>();
  EXPECT_FALSE(Application->HintWindowClass == standard);
  EXPECT_STREQ(Application->HintWindowClass.ClassName, "TWideHint");
  std::unique_ptr<THintWindow> b(Application->HintWindowClass.Create(nullptr));
  EXPECT_STREQ(b->ClassName(), "TWideHint");
  EXPECT_EQ(b->CalcHintRect(800, "Ok", nullptr).Right, a->CalcHintRect(800, "Ok", nullptr).Right + 40);
  Application->HintWindowClass = standard;
}
