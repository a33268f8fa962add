// Lets a thread sleep until something it watches changes, instead of looking again and
// again: whoever changes the thing notifies its signal, and the watching thread waits on
// it. Win32-free.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace rtl {

class ChangeSignal {
 public:
  using Clock = std::chrono::steady_clock;

  // Counts a change and wakes every thread that waits on this signal or on one it
  // forwards to.
  void Notify();
  // The number of changes so far. A waiter reads it before it looks at what it watches,
  // so that a change made while it looks still wakes it.
  uint64_t Count() const;
  // Waits until the count differs from seen; returns the count.
  uint64_t Wait(uint64_t seen) const;
  // The same, but returns at the deadline at the latest.
  uint64_t WaitUntil(uint64_t seen, Clock::time_point deadline) const;
  // From now on every change of this signal is also one of to, for as long as to lives:
  // one thread can wait on several things at once.
  void ForwardTo(const std::shared_ptr<ChangeSignal>& to);

 private:
  mutable std::mutex lock_;
  mutable std::condition_variable changed_;
  uint64_t count_ = 0;
  std::vector<std::weak_ptr<ChangeSignal>> forward_;
};

}  // namespace rtl
