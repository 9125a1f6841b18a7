#include "AppKitTestSupport.h"

#include "framework/runloop/Timer.h"
#include "platform/mac/system/MainQueue.h"
#include "platform/mac/system/RunLoopTimer.h"

#include <cmath>
#include <limits>

namespace plugin::sys {
namespace {

using RunLoopTimerTest = test::AppKitTest;

TEST_F(RunLoopTimerTest, SixtyHertzFiresOnItsGridOneIntervalAfterScheduling)
{
  std::vector<double> fired;
  auto timer = RunLoopTimer::Scheduled(
      1.0 / 60.0, [&](RunLoopTimer&) { fired.push_back(MainRunLoop().NowMs()); }, true);
  ASSERT_TRUE(timer);
  EXPECT_EQ(time.RunPending(), 0); // nothing before the first interval
  time.AdvanceMs(1000.0);
  ASSERT_EQ(fired.size(), 60u);
  for (std::size_t i = 0; i < fired.size(); ++i)
    EXPECT_NEAR(fired[i], (i + 1) * 1000.0 / 60.0, 1e-9) << i;
  EXPECT_EQ(MainRunLoop().NTimers(), 1);
  timer.reset(); // destruction stops it
  EXPECT_EQ(time.AdvanceMs(100.0), 0);
}

TEST_F(RunLoopTimerTest, IntervalsThatCannotTickGiveNoTimer)
{
  const auto nop = [](RunLoopTimer&) {};
  for (double interval : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_FALSE(RunLoopTimer::Scheduled(interval, nop, true)) << interval;
  EXPECT_FALSE(RunLoopTimer::Scheduled(0.1, RunLoopTimer::Action(), true));
  EXPECT_EQ(MainRunLoop().NTimers(), 0);
}

TEST_F(RunLoopTimerTest, OneShotsAndTimersThatEndThemselves)
{
  int once = 0, selfStop = 0, selfDelete = 0;
  auto single = RunLoopTimer::Scheduled(
      0.010, [&](RunLoopTimer&) { ++once; }, false);
  auto stopper = RunLoopTimer::Scheduled(
      0.010,
      [&](RunLoopTimer& t) {
        if (++selfStop == 2) t.Invalidate();
      },
      true);
  std::unique_ptr<RunLoopTimer> deleter;
  deleter = RunLoopTimer::Scheduled(
      0.010,
      [&](RunLoopTimer&) {
        ++selfDelete;
        deleter.reset(); // the action outlives its timer until it returns
      },
      true);
  time.AdvanceMs(100.0);
  EXPECT_EQ(once, 1);
  EXPECT_EQ(selfStop, 2);
  EXPECT_EQ(selfDelete, 1);
  EXPECT_EQ(MainRunLoop().NTimers(), 0);
  single->Invalidate(); // spent or stopped: invalidating again is harmless
  stopper->Invalidate();
  EXPECT_EQ(MainRunLoop().NTimers(), 0);
}

TEST_F(RunLoopTimerTest, OneClockForTheFrameworkTimerAndTheLayersTimer)
{
  int framework = 0, layer = 0;
  auto frameworkTimer = plugin::Timer::Create([&](plugin::Timer&) { ++framework; }, 20);
  auto layerTimer = RunLoopTimer::Scheduled(
      0.020, [&](RunLoopTimer&) { ++layer; }, true);
  time.AdvanceMs(100.0);
  // The framework's timer fires on the next pass and then every 20 ms; the layer's after 20 ms.
  EXPECT_EQ(framework, 6);
  EXPECT_EQ(layer, 5);
}

TEST_F(RunLoopTimerTest, QueuedBlocksRunInOrderOnTheNextPass)
{
  std::vector<int> order;
  DispatchAsyncMain([&] {
    order.push_back(1);
    DispatchAsyncMain([&] { order.push_back(3); }); // waits for the next pass
  });
  DispatchAsyncMain([&] { order.push_back(2); });
  DispatchAsyncMain({});
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(time.RunPending(), 2);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(time.RunPending(), 1);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(MainRunLoop().NTimers(), 0);
}

} // namespace
} // namespace plugin::sys
