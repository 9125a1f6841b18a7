#pragma once

#include "platform/mac/system/GpuCommandBuffer.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace plugin::sys {

// The headless GPU's one execution thread: runs committed command buffers in commit order.
// Its state outlives the owner when the last reference to the device drops on the worker itself.
class GpuWorker
{
public:
  GpuWorker();
  // Runs what is still committed, then ends the thread (joins it, or lets it finish on its own
  // when called from the worker).
  ~GpuWorker();
  GpuWorker(const GpuWorker&) = delete;
  GpuWorker& operator=(const GpuWorker&) = delete;

  // Queues a committed buffer. Any thread; locks, allocates.
  void Submit(GpuCommandBufferRef buffer);

  // While held, committed buffers wait (a test's gate over completions). Any thread.
  void SetHeld(bool held);

  // Blocks until nothing is queued or running. Any thread but the worker's.
  void WaitUntilIdle();

  // True on the worker thread.
  bool IsWorkerThread() const noexcept;

private:
  struct State
  {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::deque<GpuCommandBufferRef> pending;
    bool held = false;
    bool stop = false;
    bool running = false;
  };

  static void Run(std::shared_ptr<State> state);

  std::shared_ptr<State> mState;
  std::thread mThread;
};

} // namespace plugin::sys
