#include "framework/runloop/Timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using plugin::ManualRunLoopClock;
using plugin::RunLoop;
using plugin::Timer;

namespace {

// A worker thread that owns a loop in virtual time and pumps it until the test ends.
class LoopThread
{
public:
  LoopThread()
  {
    mThread = std::thread([this] {
      ManualRunLoopClock clock;
      RunLoop loop(&clock);
      mId = std::this_thread::get_id();
      mLoop.store(&loop);
      while (!mQuit.load() || loop.NTimers() > 0) { // timers are gone before the loop is
        clock.AdvanceMs(1.0);
        loop.RunPending();
        std::this_thread::yield();
      }
    });
    while (!mLoop.load())
      std::this_thread::yield();
  }
  ~LoopThread()
  {
    mQuit.store(true);
    mThread.join();
  }
  RunLoop& Loop() { return *mLoop.load(); }
  std::thread::id mId;

private:
  std::atomic<bool> mQuit{false};
  std::atomic<RunLoop*> mLoop{nullptr};
  std::thread mThread;
};

} // namespace

// Stopping or deleting a timer from another thread waits for a running callback; no call follows,
// and no callback touches a deleted timer (checked by the sanitizers).
TEST(TimerThreads, StopAndDeleteFromAnotherThreadWhileCallbacksRun)
{
  LoopThread worker;
  for (int round = 0; round < 20; ++round) {
    auto calls = std::make_shared<std::atomic<int>>(0);
    auto foreign = std::make_shared<std::atomic<int>>(0);
    auto timer = Timer::Create(
        [calls, foreign, id = worker.mId](Timer&) {
          std::this_thread::sleep_for(std::chrono::microseconds(50)); // Stop arrives while this runs
          *foreign += std::this_thread::get_id() != id;
          ++*calls;
        },
        1, worker.Loop());
    while (calls->load() < 3)
      std::this_thread::yield();
    if (round % 2)
      timer->Stop();
    else
      timer.reset();
    const int atStop = calls->load();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(calls->load(), atStop);
    EXPECT_EQ(foreign->load(), 0);
  }
}
