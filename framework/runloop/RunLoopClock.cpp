#include "framework/runloop/RunLoopClock.h"

#include <chrono>
#include <thread>

namespace plugin {

namespace {

long long SteadyNowNs() noexcept
{
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

SteadyRunLoopClock::SteadyRunLoopClock() noexcept : mStartNs(SteadyNowNs()) {}

double SteadyRunLoopClock::NowMs() const noexcept
{
  return static_cast<double>(SteadyNowNs() - mStartNs) * 1e-6;
}

void SteadyRunLoopClock::WaitUntilMs(double timeMs) noexcept
{
  const double waitMs = timeMs - NowMs();
  // Also rejects NaN: a comparison with NaN is false.
  if (!(waitMs > 0.0)) return;
  std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(waitMs));
}

} // namespace plugin
