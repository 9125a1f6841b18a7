#include "../MVGTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace mvgtest;

// With triple buffering three frames may be in flight; the fourth frame's viewport waits on the
// semaphore until a completion handler (GPU worker thread) frees a set.
TEST(MVGFramesInFlightTest, FourthFrameWaitsForACompletion)
{
  Backend b(VG_ANTIALIAS | VG_TRIPLE_BUFFER, 8, 8);
  b.device->SetExecutionHeld(true);
  for (int i = 0; i < 3; ++i) {
    b.mtl->renderViewport(8, 8, 1);
    b.mtl->renderFlush();
  }
  EXPECT_EQ(b.mtl->semaphore->Value(), 0);
  for (auto& set : b.mtl->cbuffers)
    EXPECT_TRUE(set->IsBusy());

  std::atomic<bool> started{false}, done{false};
  std::thread fourth([&] {
    started = true;
    b.mtl->renderViewport(8, 8, 1);
    done = true;
  });
  while (b.mtl->semaphore->Waiters() == 0)
    std::this_thread::yield();
  EXPECT_FALSE(done.load());
  b.device->SetExecutionHeld(false); // the gated completions run
  fourth.join();
  EXPECT_TRUE(done.load());
  b.mtl->renderCancel();
  b.device->WaitUntilIdle();
  EXPECT_EQ(b.mtl->semaphore->Value(), 3);
  EXPECT_EQ(b.layer->PresentCount(), 3);
}

} // namespace
