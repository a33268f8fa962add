// Threads reach the GUI only through Synchronize: the work runs on the GUI thread, from
// its message loop, from a wait for the thread, and from waits that handle messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "GuiTestSupport.h"
#include "gui/Threads.h"

namespace {

class TCounter : public gui::TThread {
 public:
  TCounter(bool suspended, int times) : TThread(suspended), times_(times) {}
  std::vector<DWORD> ranOn;
  int guiCalls = 0;  // counted on the GUI thread
  std::atomic<bool> rethrown{false};

 protected:
  void Execute() override {
    for (int i = 0; i < times_ && !Terminated(); ++i)
      Synchronize([this] {
        ranOn.push_back(GetCurrentThreadId());
        ++guiCalls;
      });
    try {
      Synchronize([this] {
        ++guiCalls;
        throw std::runtime_error("gui side failed");
      });
    } catch (const std::runtime_error&) {
      rethrown = true;
    }
  }

 private:
  int times_;
};

TEST(Threads, SynchronizedWorkRunsOnTheGuiThreadWhileItWaitsForTheThread) {
  TCounter t(false, 3);
  t.WaitFor();
  EXPECT_EQ(t.ranOn, std::vector<DWORD>(3, GetCurrentThreadId()));
  EXPECT_TRUE(t.rethrown);
  EXPECT_TRUE(t.Finished());
}

TEST(Threads, TheMessageLoopServesSynchronize) {
  TCounter t(true, 2);
  t.Start();
  // The loop waits for messages; the thread's work wakes it each time.
  while (t.guiCalls < 3) gui::Application->HandleMessage();
  t.WaitFor();
  EXPECT_EQ(t.ranOn.size(), 2u);
  EXPECT_TRUE(t.rethrown);
}

TEST(Threads, AMessageLoopOfOtherCodeServesSynchronizeToo) {
  TCounter t(false, 2);
  // A plain loop as a system dialog runs it: only dispatching, no call into our code.
  MSG m;
  while (t.guiCalls < 3 && GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
  t.WaitFor();
  EXPECT_EQ(t.ranOn.size(), 2u);
}

class TWaiter : public gui::TThread {
 public:
  TWaiter() : TThread(false) {}

 protected:
  void Execute() override {
    while (!Terminated()) Sleep(5);
  }
};

TEST(Threads, ASuspendedOrRunningThreadCanBeFreed) {
  { TCounter never(true, 1); }  // created suspended and never started
  auto* w = new TWaiter();
  Sleep(20);
  delete w;  // asks it to end and waits
  SUCCEED();
}

class TFailing : public gui::TThread {
 public:
  TFailing() : TThread(false) {}

 protected:
  void Execute() override { throw std::runtime_error("worker failed"); }
};

TEST(Threads, AnExceptionEndsOnlyItsThread) {
  TFailing f;
  f.WaitFor();
  ASSERT_TRUE(f.FatalException);
  EXPECT_THROW(std::rethrow_exception(f.FatalException), std::runtime_error);
}

}  // namespace
