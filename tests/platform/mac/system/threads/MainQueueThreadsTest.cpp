#include "platform/mac/system/MainQueue.h"
#include "platform/mac/system/RunLoopTimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace plugin::sys {
namespace {

// Worker threads queue blocks while the main thread pumps its loop: every block runs once, on
// the main thread, in the order its thread queued it, and sees what that thread wrote before.
TEST(MainQueueThreadsTest, BlocksFromOtherThreadsRunOnceInTheirOrderOnTheMainThread)
{
  constexpr int kThreads = 4, kBlocks = 200;
  plugin::RunLoop& loop = MainRunLoop();
  ASSERT_TRUE(loop.IsOwnerThread());
  const std::thread::id mainThread = std::this_thread::get_id();
  std::vector<int> payload(kThreads * kBlocks, 0); // written by workers, read by the blocks
  std::vector<std::vector<int>> seen(kThreads);    // main thread only
  std::atomic<int> offMain{0};
  std::atomic<int> done{0};

  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&, t] {
      for (int i = 0; i < kBlocks; ++i) {
        payload[t * kBlocks + i] = i + 1;
        DispatchAsyncMain([&, t, i] {
          if (std::this_thread::get_id() != mainThread) ++offMain;
          seen[t].push_back(payload[t * kBlocks + i]);
          ++done;
        });
      }
    });
  while (done.load() < kThreads * kBlocks) {
    loop.RunPending();
    std::this_thread::yield();
  }
  for (auto& w : workers)
    w.join();
  loop.RunPending();

  EXPECT_EQ(offMain.load(), 0);
  for (int t = 0; t < kThreads; ++t) {
    ASSERT_EQ(seen[t].size(), static_cast<std::size_t>(kBlocks));
    for (int i = 0; i < kBlocks; ++i)
      EXPECT_EQ(seen[t][i], i + 1) << "thread " << t;
  }
  EXPECT_EQ(loop.NTimers(), 0);
}

} // namespace
} // namespace plugin::sys
