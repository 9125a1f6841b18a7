#include "framework/runloop/Timer.h"

namespace plugin {

std::unique_ptr<Timer> Timer::Create(ITimerFunction callback, int intervalMs)
{
  return Create(std::move(callback), intervalMs, RunLoop::Main());
}

std::unique_ptr<Timer> Timer::Create(ITimerFunction callback, int intervalMs, RunLoop& loop)
{
  return std::make_unique<Timer_impl>(std::move(callback), intervalMs, loop);
}

Timer_impl::Timer_impl(ITimerFunction callback, int intervalMs, RunLoop& loop)
    : mLoop(loop), mCallback(std::make_shared<const ITimerFunction>(std::move(callback))),
      mIntervalMs(intervalMs)
{
  // The first call happens on the loop's next pass; the interval grid starts there.
  mTimerId =
      mLoop.AddTimer(&Timer_impl::TimerProc, this, RunLoop::kNextPass, static_cast<double>(intervalMs));
}

Timer_impl::~Timer_impl()
{
  Stop();
}

void Timer_impl::Stop()
{
  // Exchange so that racing Stop calls cancel the entry exactly once.
  const RunLoop::TimerId id = mTimerId.exchange(0);
  if (id != 0) mLoop.RemoveTimer(id);
}

void Timer_impl::TimerProc(void* info)
{
  auto* self = static_cast<Timer_impl*>(info);
  // Hold the callback for the length of the call: the callback may stop or even delete its timer.
  const std::shared_ptr<const ITimerFunction> callback = self->mCallback;
  if (callback && *callback) (*callback)(*self);
}

} // namespace plugin
