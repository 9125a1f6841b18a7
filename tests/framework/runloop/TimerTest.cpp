#include "framework/runloop/Timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

using plugin::ManualRunLoopClock;
using plugin::RunLoop;
using plugin::Timer;

namespace {

// A private loop in virtual time, starting at t = 0.
struct VirtualLoop : ::testing::Test
{
  ManualRunLoopClock clock;
  RunLoop loop{&clock};
};

using TimerTiming = VirtualLoop;
using TimerStop = VirtualLoop;
using TimerCallbacks = VirtualLoop;

} // namespace

TEST_F(TimerTiming, FirstCallOnNextPassThenEveryInterval)
{
  std::vector<double> calls;
  auto timer = Timer::Create([&](Timer&) { calls.push_back(clock.NowMs()); }, 20, loop);
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(calls.empty()); // nothing during creation

  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_EQ(calls, std::vector<double>{0.0});

  clock.AdvanceMs(19.5);
  EXPECT_EQ(loop.RunPending(), 0);
  clock.AdvanceMs(0.5);
  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_EQ(calls.back(), 20.0);
}

TEST_F(TimerTiming, TwentyMsIntervalGivesFiftyCallsPerSecond)
{
  int n = 0;
  auto timer = Timer::Create([&](Timer&) { ++n; }, 20, loop);
  EXPECT_EQ(loop.RunPending(), 1); // t = 0
  EXPECT_EQ(loop.RunForMs(1000.0), 50);
  EXPECT_EQ(n, 51);
  EXPECT_DOUBLE_EQ(clock.NowMs(), 1000.0);
  EXPECT_DOUBLE_EQ(loop.NextFireMs(), 1020.0);
}

TEST_F(TimerTiming, TimerStartsItsGridAtTheFirstPass)
{
  clock.AdvanceMs(7.0);
  std::vector<double> calls;
  auto timer = Timer::Create([&](Timer&) { calls.push_back(clock.NowMs()); }, 10, loop);
  clock.AdvanceMs(3.0); // first pass comes late: t = 10
  loop.RunForMs(25.0);
  EXPECT_EQ(calls, (std::vector<double>{10.0, 20.0, 30.0}));
}

TEST_F(TimerTiming, MissedTicksAreSkippedNotBurst)
{
  int n = 0;
  auto timer = Timer::Create([&](Timer&) { ++n; }, 20, loop);
  loop.RunPending(); // t = 0
  clock.AdvanceMs(105.0);
  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_EQ(n, 2);
  EXPECT_DOUBLE_EQ(loop.NextFireMs(), 120.0); // stays on the 20 ms grid
}

TEST_F(TimerTiming, NonPositiveIntervalFiresOnce)
{
  int n = 0;
  auto timer = Timer::Create([&](Timer&) { ++n; }, 0, loop);
  loop.RunForMs(100.0);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(loop.NTimers(), 0);
}

TEST_F(TimerTiming, TimersFireInOrderOfTheirDates)
{
  std::vector<int> order;
  auto a = Timer::Create([&](Timer&) { order.push_back(30); }, 30, loop);
  auto b = Timer::Create([&](Timer&) { order.push_back(20); }, 20, loop);
  loop.RunPending();
  order.clear();
  loop.RunForMs(60.0);
  EXPECT_EQ(order, (std::vector<int>{20, 30, 20, 30, 20})); // at 60 ms the older timer goes first
}

TEST_F(TimerStop, StopTwiceAndThenDeleteCancelsOnce)
{
  int n = 0;
  auto timer = Timer::Create([&](Timer&) { ++n; }, 20, loop);
  EXPECT_EQ(loop.NTimers(), 1);
  timer->Stop();
  EXPECT_EQ(loop.NTimers(), 0);
  timer->Stop();
  timer.reset();
  loop.RunForMs(100.0);
  EXPECT_EQ(n, 0);
}

TEST_F(TimerStop, StopInsideCallbackEndsTheCalls)
{
  int n = 0;
  auto timer = Timer::Create(
      [&](Timer& t) {
        ++n;
        t.Stop();
        t.Stop();
      },
      20, loop);
  loop.RunForMs(200.0);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(loop.NTimers(), 0);
}

TEST_F(TimerStop, DeleteInsideCallbackIsSafe)
{
  int n = 0;
  std::unique_ptr<Timer> timer;
  int payload = 42; // the callback keeps working after its timer is gone
  timer = Timer::Create(
      [&, payload](Timer&) {
        timer.reset();
        n += payload;
      },
      20, loop);
  loop.RunForMs(100.0);
  EXPECT_EQ(n, 42);
  EXPECT_EQ(timer, nullptr);
}

TEST_F(TimerStop, DeleteFromOutsideEndsTheCalls)
{
  int n = 0;
  auto timer = Timer::Create([&](Timer&) { ++n; }, 20, loop);
  loop.RunForMs(40.0);
  EXPECT_EQ(n, 3);
  timer.reset();
  loop.RunForMs(200.0);
  EXPECT_EQ(n, 3);
}

TEST_F(TimerStop, StoppingOneTimerFromAnotherInTheSamePass)
{
  int nA = 0, nB = 0;
  std::unique_ptr<Timer> b;
  auto a = Timer::Create(
      [&](Timer&) {
        ++nA;
        if (b) b->Stop();
      },
      20, loop);
  b = Timer::Create([&](Timer&) { ++nB; }, 20, loop);
  loop.RunForMs(100.0);
  EXPECT_EQ(nA, 6);
  EXPECT_EQ(nB, 0); // both were due in the first pass; a ran first and cancelled b
}

TEST_F(TimerCallbacks, EmptyCallbackDoesNothingAndDoesNotThrow)
{
  auto timer = Timer::Create(Timer::ITimerFunction{}, 20, loop);
  EXPECT_NO_THROW(loop.RunForMs(100.0));
  EXPECT_EQ(loop.NTimers(), 1);
}

TEST_F(TimerCallbacks, CallbackReceivesItsOwnTimer)
{
  Timer* seen = nullptr;
  auto timer = Timer::Create([&](Timer& t) { seen = &t; }, 20, loop);
  loop.RunPending();
  EXPECT_EQ(seen, timer.get());
}

TEST_F(TimerCallbacks, TimerCreatedInsideACallbackWaitsForTheNextPass)
{
  int inner = 0;
  std::unique_ptr<Timer> child;
  auto parent = Timer::Create(
      [&](Timer& t) {
        child = Timer::Create([&](Timer&) { ++inner; }, 20, loop);
        t.Stop();
      },
      20, loop);
  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_EQ(inner, 1);
}

TEST_F(TimerCallbacks, NestedPassDoesNotReenterARunningCallback)
{
  int depth = 0, maxDepth = 0, other = 0;
  auto modal = Timer::Create(
      [&](Timer&) {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        loop.RunForMs(50.0); // a modal loop inside the callback keeps other timers going
        --depth;
      },
      20, loop);
  auto ticker = Timer::Create([&](Timer&) { ++other; }, 10, loop);
  loop.RunPending();
  EXPECT_EQ(maxDepth, 1);
  EXPECT_GE(other, 5);
}

TEST_F(TimerCallbacks, ExceptionFromCallbackLeavesTheLoopUsable)
{
  int n = 0;
  auto thrower = Timer::Create([](Timer&) { throw std::runtime_error("callback failed"); }, 20, loop);
  EXPECT_THROW(loop.RunPending(), std::runtime_error);
  thrower.reset();
  auto timer = Timer::Create([&](Timer&) { ++n; }, 20, loop);
  loop.RunForMs(40.0);
  EXPECT_EQ(n, 3);
}

namespace {

// Puts the main loop on a virtual clock for one test and always restores the system clock.
struct MainLoopOnVirtualClock : ::testing::Test
{
  ManualRunLoopClock clock{1000.0};
  RunLoop& main = RunLoop::Main();
  void SetUp() override { main.SetClock(&clock); }
  void TearDown() override { main.SetClock(nullptr); }
};

} // namespace

TEST_F(MainLoopOnVirtualClock, DefaultCreateUsesTheMainLoop)
{
  ASSERT_TRUE(main.IsOwnerThread());
  int n = 0;
  {
    auto timer = Timer::Create([&](Timer&) { ++n; }, 20);
    EXPECT_EQ(main.NTimers(), 1);
    main.RunForMs(100.0);
  }
  EXPECT_EQ(main.NTimers(), 0);
  EXPECT_EQ(n, 6);
}

TEST(TimerRealTime, SystemClockWaitsBetweenTicks)
{
  RunLoop loop; // the system clock
  int n = 0;
  auto timer = Timer::Create([&](Timer&) { ++n; }, 20, loop);
  const double start = loop.NowMs();
  loop.RunForMs(60.0);
  EXPECT_GE(loop.NowMs() - start, 60.0);
  EXPECT_GE(n, 2); // 0, 20, 40, 60 ms; a heavily loaded machine may merge late ticks
  EXPECT_LE(n, 4);
}

TEST(TimerRealTime, TheMainLoopWaitsOnTheSystemClock)
{
  RunLoop& main = RunLoop::Main();
  ASSERT_TRUE(main.IsOwnerThread());
  int n = 0;
  {
    auto timer = Timer::Create([&](Timer&) { ++n; }, 20);
    EXPECT_EQ(main.NTimers(), 1);
    const double start = main.NowMs();
    main.RunForMs(60.0);
    EXPECT_GE(main.NowMs() - start, 60.0);
  }
  EXPECT_EQ(main.NTimers(), 0);
  EXPECT_GE(n, 2); // 0, 20, 40, 60 ms; a heavily loaded machine may merge late ticks
  EXPECT_LE(n, 4);
}
