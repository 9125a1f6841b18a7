#pragma once

#include "framework/runloop/RunLoopClock.h"

// Virtual time on the main run loop for as long as this object lives: the framework's timers,
// this layer's timers and queued blocks all read the one virtual clock, so that tests and tools
// advance time instead of sleeping. Install it before creating timers; at most one at a time.
// Main thread (the main run loop's owner) only.
namespace plugin::sys {

class VirtualTime
{
public:
  // Makes the main run loop read a virtual clock starting at startMs.
  explicit VirtualTime(double startMs = 0.0) noexcept;
  // Gives the main run loop back its system clock.
  ~VirtualTime();
  VirtualTime(const VirtualTime&) = delete;
  VirtualTime& operator=(const VirtualTime&) = delete;

  // Runs the main loop through durationMs of virtual time, firing every timer and block that falls
  // due on the way; returns the number of calls (-1 off the loop's thread, nothing run).
  int AdvanceMs(double durationMs);

  // Runs what is due now (queued blocks included) without moving the clock.
  int RunPending();

private:
  plugin::ManualRunLoopClock mClock;
};

} // namespace plugin::sys
