#pragma once

namespace plugin {

// Time source of a run loop, in milliseconds. Replaceable so that tests run timers in virtual time.
class RunLoopClock
{
public:
  virtual ~RunLoopClock() = default;

  // Current time in ms. Called by the loop's owning thread; no allocation, no lock.
  virtual double NowMs() const noexcept = 0;

  // Blocks until NowMs() >= timeMs (a virtual clock simply jumps there). Owning thread; may sleep.
  virtual void WaitUntilMs(double timeMs) noexcept = 0;
};

// Wall-clock time from the monotonic system clock; waiting sleeps the calling thread.
class SteadyRunLoopClock final : public RunLoopClock
{
public:
  SteadyRunLoopClock() noexcept;

  // Milliseconds since this clock was made. Any thread; no allocation.
  double NowMs() const noexcept override;

  // Sleeps until timeMs. Owning thread of the loop; makes a system call.
  void WaitUntilMs(double timeMs) noexcept override;

private:
  long long mStartNs;
};

// Virtual time that moves only when told to: tests drive timers deterministically with it.
class ManualRunLoopClock final : public RunLoopClock
{
public:
  explicit ManualRunLoopClock(double startMs = 0.0) noexcept : mNowMs(startMs) {}

  // The virtual time. Any thread that owns the loop; no allocation.
  double NowMs() const noexcept override { return mNowMs; }

  // Jumps forward to timeMs (never backwards). No sleeping.
  void WaitUntilMs(double timeMs) noexcept override
  {
    if (timeMs > mNowMs) mNowMs = timeMs;
  }

  // Moves the time forward by deltaMs; negative or NaN steps are ignored.
  void AdvanceMs(double deltaMs) noexcept
  {
    if (deltaMs > 0.0) mNowMs += deltaMs;
  }

private:
  double mNowMs;
};

} // namespace plugin
