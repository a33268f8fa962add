// The engine's start-up road under Wine: every step in its order, the shut-down in
// reverse, and what the steps leave behind while the engine runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "skin/core/acStartup.h"
#include "skin/core/sConst.h"
#include "skin/core/sConstUnit.h"

namespace skin {
namespace {

class EngineRoad : public ::testing::Test {
 protected:
  void SetUp() override { gui::InitApplication(); }
  void TearDown() override {
    SetStartupTrace(nullptr);
    while (EngineStarted()) RunEngineShutdown();
  }
};

TEST_F(EngineRoad, StepsRunInOrderAndShutDownInReverse) {
  std::vector<int> trace;
  SetStartupTrace([&](TStartupStep s, bool init) { trace.push_back(init ? s : -s); });
  RunEngineStartup();
  std::vector<int> expected;
  for (int s = 1; s <= ssLastStep; ++s) expected.push_back(s);
  EXPECT_EQ(trace, expected);
  // A second start only counts; the road runs again only after the last end.
  RunEngineStartup();
  RunEngineShutdown();
  EXPECT_EQ(trace.size(), expected.size());
  trace.clear();
  RunEngineShutdown();
  expected.clear();
  for (int s = ssLastStep; s >= 1; --s) expected.push_back(-s);
  EXPECT_EQ(trace, expected);
  EXPECT_FALSE(EngineStarted());
}

TEST_F(EngineRoad, ARaisingStepShutsDownTheStepsBeforeIt) {
  std::vector<int> trace;
  SetStartupTrace([&](TStartupStep s, bool init) {
    trace.push_back(init ? s : -s);
    if (init && s == ssShellFolder) throw std::runtime_error("step failed");
  });
  EXPECT_THROW(RunEngineStartup(), std::runtime_error);
  EXPECT_EQ(trace, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, -6, -5, -4, -3, -2, -1}));
  EXPECT_FALSE(EngineStarted());
}

TEST_F(EngineRoad, ConstantsAndPictureFormatHoldWhileTheEngineRuns) {
  RunEngineStartup();
  unsigned major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  EXPECT_EQ(Globals().WinVersionFlag, WinVersionFlagOf(major, minor));
  EXPECT_EQ(Globals().HScrollBtnWidth, 16);
  // Wine's user32 has the standard button texts; comctl32's system-menu texts may differ
  // by version, but a loaded library always yields its text or the fallback.
  EXPECT_FALSE(Captions().OK.empty());
  EXPECT_FALSE(Captions().Restore.empty());
  EXPECT_EQ(Captions().Calculator, "Calculator");
  EXPECT_EQ(Captions().Internal, "(internal)");
  EXPECT_NE(gui::TPicture::GraphicClassByExtension("png"), nullptr);
  RunEngineShutdown();
  EXPECT_TRUE(Captions().OK.empty());
}

}  // namespace
}  // namespace skin
