#include "../GpuTestSupport.h"

#include "platform/mac/system/DispatchSemaphore.h"

#include <gtest/gtest.h>

#include <atomic>

namespace plugin::sys {
namespace {

// The shape of a renderer's frame loop: the main thread writes a set of buffers, commits, and
// waits on a semaphore before reusing a set; the completion handler on the GPU's worker frees
// the set and signals. Every write on one side must happen-before the reads on the other.
TEST(GpuCompletionThreadsTest, HandlersHandBufferSetsBackThroughTheSemaphore)
{
  constexpr int kSets = 3, kFrames = 60;
  test::GpuRig rig(8, 8);
  auto pipeline = rig.device->NewRenderPipelineState(rig.Pipeline(), nullptr);
  struct Set
  {
    std::atomic<bool> busy{false}; // scanned by the main thread while handlers free sets
    int frame = -1;
    int completed = 0;
  } sets[kSets];
  auto semaphore = std::make_shared<DispatchSemaphore>(kSets);
  int lastSeen[kSets] = {};
  for (int frame = 0; frame < kFrames; ++frame) {
    semaphore->Wait();
    Set* set = nullptr;
    for (auto& s : sets)
      if (!s.busy) {
        set = &s;
        break;
      }
    ASSERT_TRUE(set);
    const int index = static_cast<int>(set - sets);
    EXPECT_EQ(set->completed, lastSeen[index]) << "handler writes visible after the wait";
    set->busy = true;
    set->frame = frame;
    std::vector<float> v;
    for (auto [x, y] : {std::pair{8.f, 8.f}, {8.f, 0.f}, {0.f, 8.f}, {0.f, 0.f}})
      test::Vertex(v, x, y);
    GpuCommandBufferRef cb;
    auto enc = rig.Begin(cb, v, test::SolidUniforms({frame / 255.0f, 0, 0, 1}));
    enc->SetRenderPipelineState(pipeline);
    enc->DrawPrimitives(GpuPrimitiveType::TriangleStrip, 0, 4);
    enc->EndEncoding();
    const int expected = set->completed + 1; // read before the handler can run
    cb->AddCompletedHandler([set, semaphore](GpuCommandBuffer&) {
      ++set->completed;
      set->busy = false; // publishes completed
      semaphore->Signal();
    });
    cb->Commit();
    lastSeen[index] = expected;
  }
  rig.device->WaitUntilIdle();
  EXPECT_EQ(rig.Pixel(3, 3)[0], kFrames - 1) << "frames ran in commit order";
  int total = 0;
  for (const auto& s : sets)
    total += s.completed;
  EXPECT_EQ(total, kFrames);
  EXPECT_EQ(semaphore->Value(), kSets);
}

TEST(GpuCompletionThreadsTest, DeviceReleasedByTheLastBufferOnTheWorkerShutsDownCleanly)
{
  DispatchSemaphore done(0);
  {
    auto device = GpuDevice::Create();
    auto cb = device->NewCommandQueue()->CommandBuffer();
    device->SetExecutionHeld(true);
    cb->AddCompletedHandler([&done](GpuCommandBuffer&) { done.Signal(); });
    cb->Commit();
    device->SetExecutionHeld(false);
  } // the committed buffer now holds the last reference to its device
  done.Wait();
}

} // namespace
} // namespace plugin::sys
