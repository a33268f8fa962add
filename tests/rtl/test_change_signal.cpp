#include "rtl/ChangeSignal.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using rtl::ChangeSignal;

// A change wakes whoever waits on the signal and on the signals it forwards to; a signal
// forwarded to and freed since is passed over.
TEST(ChangeSignal, WakesItsWaitersAndThoseOfTheSignalsItForwardsTo) {
  auto source = std::make_shared<ChangeSignal>(), target = std::make_shared<ChangeSignal>();
  source->ForwardTo(target);
  source->ForwardTo(std::make_shared<ChangeSignal>());  // freed at once
  const uint64_t seen = target->Count();
  uint64_t woke = seen;
  std::thread waiter([&] { woke = target->Wait(seen); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // most likely waiting by now
  source->Notify();
  waiter.join();  // never returns when the change did not reach the target
  EXPECT_NE(woke, seen);
  EXPECT_EQ(source->Count(), 1u);
  // A change made before the wait ends it at once; without one, the deadline ends it.
  EXPECT_EQ(source->Wait(0), 1u);
  EXPECT_EQ(source->WaitUntil(1, ChangeSignal::Clock::now() + std::chrono::milliseconds(10)), 1u);
}

}  // namespace
