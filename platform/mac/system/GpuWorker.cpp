#include "platform/mac/system/GpuWorker.h"

namespace plugin::sys {

GpuWorker::GpuWorker() : mState(std::make_shared<State>()), mThread(&GpuWorker::Run, mState) {}

GpuWorker::~GpuWorker()
{
  {
    std::lock_guard lock(mState->mutex);
    mState->stop = true;
  }
  mState->wake.notify_all();
  if (IsWorkerThread())
    mThread.detach();
  else
    mThread.join();
}

bool GpuWorker::IsWorkerThread() const noexcept
{
  return std::this_thread::get_id() == mThread.get_id();
}

void GpuWorker::Submit(GpuCommandBufferRef buffer)
{
  {
    std::lock_guard lock(mState->mutex);
    mState->pending.push_back(std::move(buffer));
  }
  mState->wake.notify_all();
}

void GpuWorker::SetHeld(bool held)
{
  {
    std::lock_guard lock(mState->mutex);
    mState->held = held;
  }
  mState->wake.notify_all();
}

void GpuWorker::WaitUntilIdle()
{
  std::unique_lock lock(mState->mutex);
  mState->idle.wait(lock, [this] { return mState->pending.empty() && !mState->running; });
}

void GpuWorker::Run(std::shared_ptr<State> state)
{
  std::unique_lock lock(state->mutex);
  for (;;) {
    state->wake.wait(
        lock, [&] { return (!state->pending.empty() && (!state->held || state->stop)) || state->stop; });
    if (state->pending.empty()) {
      if (state->stop) return;
      continue;
    }
    GpuCommandBufferRef buffer = std::move(state->pending.front());
    state->pending.pop_front();
    state->running = true;
    lock.unlock();
    buffer->Execute();
    buffer.reset(); // may release the device, whose worker then finishes on its own
    lock.lock();
    state->running = false;
    if (state->pending.empty()) state->idle.notify_all();
  }
}

} // namespace plugin::sys
