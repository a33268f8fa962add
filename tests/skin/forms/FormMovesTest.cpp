// A skinned form's moves natively: snapping to the work area and to other forms, which
// forms touch, the flight of a minimized form's image and back (also when the target lies
// on the window), and task-bar button records of either pointer size.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "skin/forms/acFormMoves.h"

namespace skin {
namespace {

TEST(FormSnap, ToTheWorkAreaWithinTheBuffer) {
  const TacRect work{0, 0, 1000, 700};
  struct Case {
    const char* what;
    int x, y;
    TacPointI to;
  };
  // A 200 x 100 form.
  const Case cases[] = {
      {"left edge within the buffer", 8, 300, {0, 300}},
      {"left edge just beyond", 11, 300, {11, 300}},
      {"a little outside comes back", -6, 300, {0, 300}},
      {"right and bottom edges", 795, 605, {800, 600}},
      {"top-left corner", 3, -4, {0, 0}},
  };
  for (const Case& c : cases) {
    TacSnapInput in;
    in.Window = {c.x, c.y, c.x + 200, c.y + 100};
    in.X = c.x, in.Y = c.y, in.WorkArea = work, in.Buffer = 10;
    EXPECT_EQ(SnapPosition(in), c.to) << c.what;
  }
}

TEST(FormSnap, NextToAnotherFormBeforeTheWorkArea) {
  TacSnapInput in;
  in.WorkArea = {0, 0, 1000, 700};
  in.Others = {{400, 200, 600, 400}};
  in.X = 606, in.Y = 195;  // just right of the other form, its top a little higher
  in.Window = {in.X, in.Y, in.X + 150, in.Y + 100};
  EXPECT_EQ(SnapPosition(in), (TacPointI{600, 200})) << "laid against its right side, tops aligned";
  in.X = 300, in.Y = 405;  // below it
  in.Window = {in.X, in.Y, in.X + 150, in.Y + 100};
  EXPECT_EQ(SnapPosition(in), (TacPointI{300, 400}));
  in.X = 700, in.Y = 500;  // far from it and from the work area's edges
  in.Window = {in.X, in.Y, in.X + 150, in.Y + 100};
  EXPECT_EQ(SnapPosition(in), (TacPointI{700, 500}));
}

TEST(FormSnap, ABorderWindowsFrameMeetsTheEdgesNotTheWindow) {
  // The visible frame stands out 3 on the sides and below and 8 above the window.
  TacSnapInput in;
  in.WorkArea = {0, 0, 1000, 700};
  in.Margins = {3, 8, 3, 3};
  in.X = 5, in.Y = 12;
  in.Window = {in.X, in.Y, in.X + 150, in.Y + 100};
  EXPECT_EQ(SnapPosition(in), (TacPointI{3, 8})) << "the frame at the work area's corner";
  in.Others = {{400, 200, 600, 400}};
  in.X = 610, in.Y = 198;  // right of the other form
  in.Window = {in.X, in.Y, in.X + 150, in.Y + 100};
  EXPECT_EQ(SnapPosition(in), (TacPointI{606, 200})) << "frame against frame, tops aligned";
  const struct { TacRect m, r; bool grow; TacRect to; } adjusts[] = {
      {{3, 8, 3, 3}, {10, 20, 110, 120}, true, {7, 12, 113, 123}},
      {{3, 8, 3, 3}, {10, 20, 110, 120}, false, {13, 28, 107, 117}},
      {{}, {10, 20, 110, 120}, true, {10, 20, 110, 120}},
  };
  for (const auto& c : adjusts) EXPECT_EQ(AdjustForBorder(c.m, c.r, c.grow), c.to);
}

TEST(FormSnap, TouchingFrames) {
  const TacRect main{100, 100, 300, 200};
  EXPECT_TRUE(FramesTouch(main, {300, 120, 400, 180})) << "on the right";
  EXPECT_TRUE(FramesTouch(main, {100, 200, 300, 260})) << "below";
  EXPECT_TRUE(FramesTouch(main, {0, 0, 100, 100})) << "left, corner to corner";
  EXPECT_FALSE(FramesTouch(main, {301, 120, 400, 180})) << "one pixel apart";
}

TEST(FormFlight, AMinimizeFadesOutInItsSteps) {
  TacMinimizeFlight f({100, 100, 500, 400}, {10, 700, 60, 730}, 200 / 6, 255);
  int steps = 1;
  double lastWidth = f.Cur.Right - f.Cur.Left;
  while (f.Step()) {
    ++steps;
    EXPECT_LT(f.Cur.Right - f.Cur.Left, lastWidth) << "the image shrinks";
    EXPECT_GT(f.Cur.Right - f.Cur.Left, 50) << "never below the button's width";
    lastWidth = f.Cur.Right - f.Cur.Left;
  }
  EXPECT_EQ(steps, 32) << "faded out in one step less than the flight has";
  EXPECT_EQ(f.Cur.Alpha, 0);
}

TEST(FormFlight, ARestoreConvergesEvenOntoItsOwnPlace) {
  const TacRect window{100, 100, 500, 400};
  struct Case {
    const char* what;
    TacRect target;
    int maxSteps;
  };
  const Case cases[] = {
      {"from the task bar", {10, 700, 60, 730}, 35},
      {"the target on the window's left edge", {102, 100, 150, 130}, 35},
      {"the target exactly on the window", window, 35},
  };
  for (const Case& c : cases) {
    TacRestoreFlight f(window, c.target, 200 / 6 + 1, 255);
    int steps = 1;
    while (f.Step() && steps < 1000) ++steps;
    EXPECT_LE(steps, c.maxSteps) << c.what;
    EXPECT_FALSE(std::isnan(f.Cur.Left) || std::isnan(f.Cur.Top)) << c.what;
    EXPECT_NEAR(f.Cur.Left, 100, 1) << c.what;
    EXPECT_NEAR(f.Cur.Top, 100, 1) << c.what;
  }
}

TEST(TaskButtons, RecordsOfBothPointerSizes) {
  uint8_t b64[kTaskButtonSize64] = {};
  b64[8] = 0x04, b64[9] = 0x00;
  const uint64_t addr = 0x00007FF612345678ull;
  std::memcpy(b64 + 16, &addr, 8);
  auto r = ReadTaskButton(b64, sizeof b64, true);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Data, addr);
  EXPECT_FALSE(r->Skipped());
  uint8_t b32[kTaskButtonSize32] = {};
  b32[8] = 0x08, b32[9] = 0x00;  // hidden
  const uint32_t a32 = 0x00401000;
  std::memcpy(b32 + 12, &a32, 4);
  r = ReadTaskButton(b32, sizeof b32, false);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Data, a32);
  EXPECT_TRUE(r->Skipped());
  b32[8] = 0, b32[9] = 0x01;  // a separator
  EXPECT_TRUE(ReadTaskButton(b32, sizeof b32, false)->Skipped());
  EXPECT_FALSE(ReadTaskButton(b64, kTaskButtonSize64 - 1, true)) << "a short read is no button";
  EXPECT_FALSE(ReadTaskButton(nullptr, 64, false));
  const uint8_t wnd[8] = {0x34, 0x12, 0x02, 0, 0xAA, 0xBB, 0, 0};
  EXPECT_EQ(ReadTaskWindow(wnd, 8, false), 0x21234u);
  EXPECT_EQ(ReadTaskWindow(wnd, 8, true), 0xBBAA00021234ull);
  EXPECT_EQ(ReadTaskWindow(wnd, 3, false), 0u);
}

}  // namespace
}  // namespace skin
