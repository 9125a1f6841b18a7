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

// A worker thread that owns a loop in virtual time and pumps it until told to stop.
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
      mLoop.store(nullptr);
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
  std::thread::id Id() const { return mId; }

private:
  std::atomic<bool> mQuit{false};
  std::atomic<RunLoop*> mLoop{nullptr};
  std::thread::id mId;
  std::thread mThread;
};

} // namespace

TEST(TimerThreads, CallbacksRunOnlyOnTheLoopThreadAndNoneAfterStop)
{
  LoopThread worker;
  std::atomic<int> calls{0};
  std::atomic<int> foreignCalls{0};
  const std::thread::id loopThread = worker.Id();
  auto timer = Timer::Create(
      [&](Timer&) {
        if (std::this_thread::get_id() != loopThread) foreignCalls.fetch_add(1);
        calls.fetch_add(1);
        std::this_thread::sleep_for(std::chrono::microseconds(50)); // widen the window for Stop
      },
      2, worker.Loop());
  while (calls.load() < 50)
    std::this_thread::yield();

  timer->Stop(); // waits for a running callback
  const int atStop = calls.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(calls.load(), atStop);
  EXPECT_EQ(foreignCalls.load(), 0);
  timer.reset();
}

TEST(TimerThreads, DeletingFromAnotherThreadWhileCallbacksRun)
{
  LoopThread worker;
  for (int round = 0; round < 20; ++round) {
    auto counter = std::make_shared<std::atomic<int>>(0);
    auto timer = Timer::Create([counter](Timer&) { counter->fetch_add(1); }, 1, worker.Loop());
    while (counter->load() < 3)
      std::this_thread::yield();
    timer.reset(); // no callback may touch the deleted timer afterwards (ASan/TSan check)
    const int atDelete = counter->load();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(counter->load(), atDelete);
  }
}

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
        [state, id = worker.Id()](Timer&) {
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

TEST(TimerThreads, PumpingOffTheOwningThreadIsRefused)
{
  ManualRunLoopClock clock;
  RunLoop loop(&clock);
  int n = 0;
  auto timer = Timer::Create([&](Timer&) { ++n; }, 20, loop);
  int result = 0;
  std::thread other([&] { result = loop.RunPending() + loop.RunForMs(100.0); });
  other.join();
  EXPECT_EQ(result, -2);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_EQ(n, 1);
}
