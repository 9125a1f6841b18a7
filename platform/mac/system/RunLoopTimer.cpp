#include "platform/mac/system/RunLoopTimer.h"

#include <cmath>

namespace plugin::sys {

plugin::RunLoop& MainRunLoop()
{
  return plugin::RunLoop::Main();
}

RunLoopTimer::RunLoopTimer(Action action, bool repeats)
    : mRepeats(repeats), mAction(std::make_shared<const Action>(std::move(action)))
{}

std::unique_ptr<RunLoopTimer> RunLoopTimer::Scheduled(double intervalSeconds, Action action, bool repeats)
{
  if (!std::isfinite(intervalSeconds) || intervalSeconds <= 0.0 || !action) return nullptr;
  std::unique_ptr<RunLoopTimer> timer(new RunLoopTimer(std::move(action), repeats));
  plugin::RunLoop& loop = MainRunLoop();
  const double intervalMs = intervalSeconds * 1000.0;
  timer->mId =
      loop.AddTimer(&RunLoopTimer::Fire, timer.get(), loop.NowMs() + intervalMs, repeats ? intervalMs : 0.0);
  if (timer->mId != 0) timer->mLoop = &loop;
  return timer;
}

RunLoopTimer::~RunLoopTimer()
{
  Invalidate();
}

void RunLoopTimer::Invalidate() noexcept
{
  if (mLoop) mLoop->RemoveTimer(mId);
  mLoop = nullptr;
  mId = 0;
}

void RunLoopTimer::Fire(void* info)
{
  auto* timer = static_cast<RunLoopTimer*>(info);
  // The loop drops a one-shot entry after this call; the timer only records that it is spent.
  if (!timer->mRepeats) {
    timer->mLoop = nullptr;
    timer->mId = 0;
  }
  const std::shared_ptr<const Action> action = timer->mAction;
  (*action)(*timer);
}

} // namespace plugin::sys
