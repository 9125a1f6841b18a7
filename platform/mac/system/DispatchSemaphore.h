#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>

namespace plugin::sys {

// A counting semaphore for handing resources between threads: Wait takes one unit, blocking
// while there is none; Signal gives one back. Any thread; Wait may block, neither allocates.
class DispatchSemaphore
{
public:
  explicit DispatchSemaphore(long value) noexcept : mValue(value < 0 ? 0 : value) {}
  DispatchSemaphore(const DispatchSemaphore&) = delete;
  DispatchSemaphore& operator=(const DispatchSemaphore&) = delete;

  // Takes a unit, waiting without a time-out. Returns 0.
  long Wait();

  // Gives a unit back; returns non-zero when it woke a waiting thread.
  long Signal();

  // Free units and blocked waiters now (probes for tests and checks).
  long Value() const;
  int Waiters() const;

private:
  mutable std::mutex mMutex;
  std::condition_variable mAvailable;
  long mValue;
  int mWaiters = 0;
};

using DispatchSemaphoreRef = std::shared_ptr<DispatchSemaphore>;

} // namespace plugin::sys
