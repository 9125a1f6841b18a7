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

// Stopping or deleting a timer from another thread while its callback runs waits for the callback
// to return; no call follows, and no callback touches a deleted timer (checked by the sanitizers).
TEST(TimerThreads, StopAndDeleteFromAnotherThreadWhileACallbackRuns)
{
  LoopThread worker;
  for (int round = 0; round < 6; ++round) {
    struct State
    {
      std::atomic<bool> inside{false}, stopping{false};
      std::atomic<int> calls{0}, foreign{0};
    };
    auto state = std::make_shared<State>();
    auto timer = Timer::Create(
        [state, id = worker.mId](Timer&) {
          state->inside = true;
          while (!state->stopping)
            std::this_thread::yield();
          std::this_thread::sleep_for(std::chrono::milliseconds(2)); // Stop is waiting meanwhile
          state->foreign += std::this_thread::get_id() != id;
          ++state->calls;
        },
        1, worker.Loop());
    while (!state->inside)
      std::this_thread::yield();
    state->stopping = true;
    if (round % 2)
      timer->Stop();
    else
      timer.reset();
    const int atStop = state->calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(atStop, 1); // the running call finished before Stop returned
    EXPECT_EQ(state->calls, atStop);
    EXPECT_EQ(state->foreign, 0);
  }
}
