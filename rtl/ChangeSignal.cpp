#include "rtl/ChangeSignal.h"

#include <algorithm>

namespace rtl {

namespace {

void DropGone(std::vector<std::weak_ptr<ChangeSignal>>& list) {
  list.erase(std::remove_if(list.begin(), list.end(), [](const auto& w) { return w.expired(); }), list.end());
}

}  // namespace

void ChangeSignal::Notify() {
  std::vector<std::weak_ptr<ChangeSignal>> to;
  {
    std::lock_guard<std::mutex> g(lock_);
    ++count_;
    DropGone(forward_);
    to = forward_;
  }
  changed_.notify_all();
  // Outside the lock: a signal further on may be notified from elsewhere at the same time.
  for (const auto& w : to)
    if (auto s = w.lock()) s->Notify();
}

uint64_t ChangeSignal::Count() const {
  std::lock_guard<std::mutex> g(lock_);
  return count_;
}

uint64_t ChangeSignal::Wait(uint64_t seen) const {
  std::unique_lock<std::mutex> g(lock_);
  changed_.wait(g, [&] { return count_ != seen; });
  return count_;
}

uint64_t ChangeSignal::WaitUntil(uint64_t seen, Clock::time_point deadline) const {
  std::unique_lock<std::mutex> g(lock_);
  changed_.wait_until(g, deadline, [&] { return count_ != seen; });
  return count_;
}

void ChangeSignal::ForwardTo(const std::shared_ptr<ChangeSignal>& to) {
  std::lock_guard<std::mutex> g(lock_);
  DropGone(forward_);
  forward_.push_back(to);
}

}  // namespace rtl
