#pragma once

#include "framework/runloop/RunLoop.h"

#include <functional>
#include <memory>

// A timer of the main run loop: the framework's main loop, with the framework's clock, so that
// one clock drives the frame timer, the framework's timers and queued blocks alike. The loop has
// one mode, in which timers keep firing while menus track and windows resize. Main thread only.
namespace plugin::sys {

// The run loop every timer and queued block of this layer runs on: plugin::RunLoop::Main().
plugin::RunLoop& MainRunLoop();

class RunLoopTimer
{
public:
  // Called by the run loop on its thread at each fire; may invalidate or destroy the timer (and
  // must not touch it after destroying it). May allocate and lock as the caller needs.
  using Action = std::function<void(RunLoopTimer&)>;

  // A timer on the main run loop that fires every intervalSeconds (once when repeats is false),
  // the first time one interval from now. Null for an interval that is not finite and positive
  // or for an empty action. Allocates.
  static std::unique_ptr<RunLoopTimer> Scheduled(double intervalSeconds, Action action, bool repeats);

  // Destruction invalidates the timer.
  ~RunLoopTimer();
  RunLoopTimer(const RunLoopTimer&) = delete;
  RunLoopTimer& operator=(const RunLoopTimer&) = delete;

  // Stops the timer for good; safe inside its own action and when repeated.
  void Invalidate() noexcept;

private:
  RunLoopTimer(Action action, bool repeats);
  static void Fire(void* info);

  bool mRepeats;
  // Shared so that an action which destroys its own timer is not destroyed while it runs.
  std::shared_ptr<const Action> mAction;
  plugin::RunLoop* mLoop = nullptr;
  plugin::RunLoop::TimerId mId = 0;
};

} // namespace plugin::sys
