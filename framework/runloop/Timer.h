#pragma once

#include "framework/runloop/RunLoop.h"

#include <atomic>
#include <functional>
#include <memory>

namespace plugin {

// Repeating callback on the main thread at a fixed interval in milliseconds.
class Timer
{
public:
  using ITimerFunction = std::function<void(Timer&)>;

  // Destroying a timer stops it; no call follows. Any thread (waits for a running call elsewhere).
  virtual ~Timer() = default;

  // Ends the calls; safe inside the callback and when repeated. Any thread: off the loop's thread it
  // waits while the callback runs. No allocation.
  virtual void Stop() = 0;

  // A running timer on the main run loop: the first call comes on the loop's next pass, then one call
  // every intervalMs (a single call when intervalMs <= 0). Calls run on the loop's thread. Allocates.
  static std::unique_ptr<Timer> Create(ITimerFunction callback, int intervalMs);

  // The same on a given loop (tests, or a thread with its own loop).
  static std::unique_ptr<Timer> Create(ITimerFunction callback, int intervalMs, RunLoop& loop);
};

// The run-loop implementation of Timer.
class Timer_impl final : public Timer
{
public:
  // Stores the callback and adds the timer to loop, due on its next pass. Allocates.
  Timer_impl(ITimerFunction callback, int intervalMs, RunLoop& loop);
  ~Timer_impl() override;

  // Cancels the loop entry once; later calls do nothing.
  void Stop() override;

  // True until Stop or destruction.
  bool IsRunning() const noexcept { return mTimerId.load() != 0; }

  // Interval given at creation, in ms.
  int IntervalMs() const noexcept { return mIntervalMs; }

  // Run-loop callout: info is the Timer_impl. Calls the callback; an empty callback does nothing.
  static void TimerProc(void* info);

private:
  RunLoop& mLoop;
  std::atomic<RunLoop::TimerId> mTimerId{0}; // 0 once stopped
  // Shared so that a callback which deletes its own timer does not destroy itself while running.
  std::shared_ptr<const ITimerFunction> mCallback;
  int mIntervalMs;
};

} // namespace plugin
