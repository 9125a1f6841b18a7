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

  // A timer that fires every intervalSeconds (once when repeats is false), the first time one
  // interval after it is added to a loop. Null for an interval that is not finite and positive
  // or for an empty action. Allocates.
  static std::unique_ptr<RunLoopTimer> Create(double intervalSeconds, Action action, bool repeats);

  // Create, then added to the main run loop at once. Null on the same terms.
  static std::unique_ptr<RunLoopTimer> Scheduled(double intervalSeconds, Action action, bool repeats);

  // Destruction invalidates the timer.
  ~RunLoopTimer();
  RunLoopTimer(const RunLoopTimer&) = delete;
  RunLoopTimer& operator=(const RunLoopTimer&) = delete;

  // Schedules the timer on loop; ignored when it is scheduled already or was invalidated.
  void AddToRunLoop(plugin::RunLoop& loop);

  // Stops the timer for good; safe inside its own action and when repeated.
  void Invalidate() noexcept;

  // True from creation until it is invalidated or a one-shot timer has fired.
  bool IsValid() const noexcept { return mValid; }
  double TimeInterval() const noexcept { return mIntervalSeconds; }
  bool Repeats() const noexcept { return mRepeats; }

private:
  RunLoopTimer(double intervalSeconds, Action action, bool repeats);
  static void Fire(void* info);

  double mIntervalSeconds;
  bool mRepeats;
  bool mValid = true;
  // Shared so that an action which destroys its own timer is not destroyed while it runs.
  std::shared_ptr<const Action> mAction;
  plugin::RunLoop* mLoop = nullptr;
  plugin::RunLoop::TimerId mId = 0;
};

} // namespace plugin::sys
