#include "platform/mac/system/VirtualTime.h"

#include "platform/mac/system/RunLoopTimer.h"

namespace plugin::sys {

VirtualTime::VirtualTime(double startMs) noexcept : mClock(startMs)
{
  MainRunLoop().SetClock(&mClock);
}

VirtualTime::~VirtualTime()
{
  MainRunLoop().SetClock(nullptr);
}

int VirtualTime::AdvanceMs(double durationMs)
{
  return MainRunLoop().RunForMs(durationMs);
}

int VirtualTime::RunPending()
{
  return MainRunLoop().RunPending();
}

} // namespace plugin::sys
