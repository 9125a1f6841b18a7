#pragma once

#include "framework/runloop/RunLoopClock.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace plugin {

// A thread's event loop for timers. The thread that owns it pumps it (RunPending, RunForMs); every
// callout runs on that thread, between passes of whatever else the thread does. Timers may be added
// and removed from any thread; removing one from another thread while its callout runs waits for the
// callout to return, so no call follows a removal. The loop must outlive the timers added to it.
class RunLoop
{
public:
  // Function a timer entry calls; info is the pointer given when the entry was added.
  using TimerCallout = void (*)(void* info);
  // Names one timer entry; 0 never names one.
  using TimerId = std::uint64_t;
  // First fire date meaning "on the next pass"; the interval grid then starts at that pass.
  static constexpr double kNextPass = -std::numeric_limits<double>::infinity();

  // A loop owned by the constructing thread, reading time from clock (null: the system clock).
  explicit RunLoop(RunLoopClock* clock = nullptr) noexcept;
  ~RunLoop();
  RunLoop(const RunLoop&) = delete;
  RunLoop& operator=(const RunLoop&) = delete;

  // The process-wide loop of the main thread, owned by the thread that first asks for it. It
  // lives until ReleaseMain, so timers may outlive static destruction order safely. Any thread;
  // the first call allocates.
  static RunLoop& Main();

  // Frees the main loop when no timer is left on it (a later Main makes a new one); a module
  // calls it when the host leaves it. False, with nothing freed, while timers remain or a pass
  // runs. Main thread.
  static bool ReleaseMain() noexcept;

  // Makes the calling thread the owner. Call while no thread pumps the loop. False (and nothing
  // changes) while a pass is running.
  bool BindToCurrentThread() noexcept;

  // True on the owning thread. Any thread; no allocation.
  bool IsOwnerThread() const noexcept;

  // Replaces the time source (null restores the system clock). Owning thread, between passes.
  void SetClock(RunLoopClock* clock) noexcept;

  // The current time source and its time in ms. Owning thread.
  RunLoopClock& Clock() const noexcept { return mClock ? *mClock : mSystemClock; }
  double NowMs() const noexcept { return Clock().NowMs(); }

  // Schedules callout(info) at firstFireMs (kNextPass: the next pass) and then every intervalMs; one
  // call only when intervalMs <= 0. Any thread; allocates, locks briefly. 0 for a null callout or NaN.
  TimerId AddTimer(TimerCallout callout, void* info, double firstFireMs, double intervalMs);

  // Cancels an entry; safe from inside its own callout. From another thread it waits while the entry's
  // callout runs. Any thread; locks. False when the id is unknown or already removed.
  bool RemoveTimer(TimerId id) noexcept;

  // True while the entry is scheduled. Any thread; locks briefly.
  bool HasTimer(TimerId id) const noexcept;

  // Number of scheduled entries. Any thread; locks briefly.
  int NTimers() const noexcept;

  // Earliest fire time of an entry that may fire now; +infinity when there is none. Any thread.
  double NextFireMs() const noexcept;

  // One pass: fires every entry that is due, at most once each; an entry added or already running
  // in this pass waits for the next one. Returns the number of callouts, or -1 off the owning thread.
  // An exception from a callout ends the pass and propagates; the loop stays usable.
  int RunPending();

  // Pumps the loop for durationMs of clock time, waiting through the clock between fire dates
  // (a virtual clock jumps). Returns the number of callouts, or -1 off the owning thread.
  int RunForMs(double durationMs);

private:
  struct Entry
  {
    TimerId id;
    TimerCallout callout;
    void* info;
    double nextFireMs;
    double intervalMs;
    bool firing;
    bool removed;
  };

  Entry* Find(TimerId id) noexcept;
  const Entry* Find(TimerId id) const noexcept;
  void Reschedule(Entry& entry, double firedAtMs) noexcept;
  void CompactRemoved() noexcept;
  void FinishCallout(TimerId id, double passStartMs) noexcept;
  void EndPass() noexcept;

  mutable SteadyRunLoopClock mSystemClock; // stateless apart from its start time
  RunLoopClock* mClock = nullptr;
  std::atomic<std::thread::id> mOwner;
  mutable std::mutex mMutex; // guards mTimers, mNextId
  std::condition_variable mCalloutDone;
  std::vector<Entry> mTimers;
  TimerId mNextId = 1;
  int mPassDepth = 0; // owning thread only
};

} // namespace plugin
