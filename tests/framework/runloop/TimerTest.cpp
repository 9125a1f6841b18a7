#include "framework/runloop/Timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using plugin::ManualRunLoopClock;
using plugin::RunLoop;
using plugin::Timer;

namespace {

// A private loop in virtual time, starting at t = 0, and the times at which callbacks ran.
struct VirtualLoop : ::testing::Test
{
  ManualRunLoopClock clock;
  RunLoop loop{&clock};
  std::vector<double> calls;
  std::unique_ptr<Timer> Make(int intervalMs)
  {
    return Timer::Create([this](Timer&) { calls.push_back(clock.NowMs()); }, intervalMs, loop);
  }
};

} // namespace

TEST_F(VirtualLoop, FirstCallOnTheNextPassThenOnAFixedGrid)
{
  clock.AdvanceMs(7.0);
  auto timer = Make(20);
  EXPECT_TRUE(calls.empty()); // nothing during creation
  clock.AdvanceMs(3.0);       // the first pass comes late: the grid starts there
  EXPECT_EQ(loop.RunPending(), 1);
  clock.AdvanceMs(19.5);
  EXPECT_EQ(loop.RunPending(), 0);
  EXPECT_EQ(loop.RunForMs(1000.0), 50); // fifty calls a second
  EXPECT_EQ(calls.front(), 10.0);
  EXPECT_EQ(calls[1], 30.0);
  EXPECT_EQ(calls.back(), 1010.0);
  clock.AdvanceMs(105.0); // missed ticks are skipped, not fired in a burst
  EXPECT_EQ(loop.RunPending(), 1);
  EXPECT_DOUBLE_EQ(loop.NextFireMs(), 1150.0);
}

TEST_F(VirtualLoop, StopAndDeleteEndTheCalls)
{
  auto once = Make(0); // a non-positive interval fires once
  auto stopped = Make(20);
  stopped->Stop();
  stopped->Stop();
  auto deleted = Make(20);
  EXPECT_EQ(loop.NTimers(), 2);
  loop.RunForMs(40.0);
  deleted.reset();
  loop.RunForMs(100.0);
  EXPECT_EQ(calls, (std::vector<double>{0, 0, 20, 40}));
  EXPECT_EQ(loop.NTimers(), 0);
}

TEST_F(VirtualLoop, CallbacksMayStopOrDeleteTimers)
{
  std::vector<int> order;
  std::unique_ptr<Timer> b, self;
  auto a = Timer::Create(
      [&](Timer&) {
        order.push_back(1);
        if (b) b->Stop(); // b was due in the same pass
      },
      30, loop);
  b = Timer::Create([&](Timer&) { order.push_back(2); }, 20, loop);
  self = Timer::Create(
      [&, payload = 3](Timer& t) {
        EXPECT_EQ(&t, self.get());
        self.reset(); // the callback keeps working after its timer is gone
        order.push_back(payload);
      },
      20, loop);
  auto empty = Timer::Create(Timer::ITimerFunction{}, 20, loop);
  EXPECT_NO_THROW(loop.RunForMs(100.0));
  EXPECT_EQ(order, (std::vector<int>{1, 3, 1, 1, 1}));
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
