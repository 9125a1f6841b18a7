#include "platform/mac/system/RunLoopTimer.h"

#include <cmath>

namespace plugin::sys {

plugin::RunLoop& MainRunLoop()
{
  return plugin::RunLoop::Main();
}

RunLoopTimer::RunLoopTimer(double intervalSeconds, Action action, bool repeats)
    : mIntervalSeconds(intervalSeconds), mRepeats(repeats),
      mAction(std::make_shared<const Action>(std::move(action)))
{}

std::unique_ptr<RunLoopTimer> RunLoopTimer::Create(double intervalSeconds, Action action, bool repeats)
{
  if (!std::isfinite(intervalSeconds) || intervalSeconds <= 0.0 || !action) return nullptr;
  return std::unique_ptr<RunLoopTimer>(new RunLoopTimer(intervalSeconds, std::move(action), repeats));
}

std::unique_ptr<RunLoopTimer> RunLoopTimer::Scheduled(double intervalSeconds, Action action, bool repeats)
{
  auto timer = Create(intervalSeconds, std::move(action), repeats);
  if (timer) timer->AddToRunLoop(MainRunLoop());
  return timer;
}

RunLoopTimer::~RunLoopTimer()
{
  Invalidate();
}

void RunLoopTimer::AddToRunLoop(plugin::RunLoop& loop)
{
  if (!mValid || mLoop) return;
  const double intervalMs = mIntervalSeconds * 1000.0;
  mId = loop.AddTimer(&RunLoopTimer::Fire, this, loop.NowMs() + intervalMs, mRepeats ? intervalMs : 0.0);
  if (mId != 0) mLoop = &loop;
}

void RunLoopTimer::Invalidate() noexcept
{
  mValid = false;
  if (mLoop) mLoop->RemoveTimer(mId);
  mLoop = nullptr;
  mId = 0;
}

void RunLoopTimer::Fire(void* info)
{
  auto* timer = static_cast<RunLoopTimer*>(info);
  // The loop drops a one-shot entry after this call; the timer only records that it is spent.
  if (!timer->mRepeats) {
    timer->mValid = false;
    timer->mLoop = nullptr;
    timer->mId = 0;
  }
  const std::shared_ptr<const Action> action = timer->mAction;
  (*action)(*timer);
}

} // namespace plugin::sys
