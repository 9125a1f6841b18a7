#include "platform/mac/system/DispatchSemaphore.h"

namespace plugin::sys {

long DispatchSemaphore::Wait()
{
  std::unique_lock lock(mMutex);
  ++mWaiters;
  mAvailable.wait(lock, [this] { return mValue > 0; });
  --mWaiters;
  --mValue;
  return 0;
}

long DispatchSemaphore::Signal()
{
  std::lock_guard lock(mMutex);
  ++mValue;
  const bool woke = mWaiters > 0;
  mAvailable.notify_one();
  return woke ? 1 : 0;
}

long DispatchSemaphore::Value() const
{
  std::lock_guard lock(mMutex);
  return mValue;
}

int DispatchSemaphore::Waiters() const
{
  std::lock_guard lock(mMutex);
  return mWaiters;
}

} // namespace plugin::sys
