#include "GpuTestSupport.h"

#include "platform/mac/system/DispatchSemaphore.h"
#include "platform/mac/system/GpuLayer.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>

namespace plugin::sys {
namespace {

TEST(GpuCommandBufferTest, BuffersRunInCommitOrderAndHandlersInAddOrder)
{
  auto device = GpuDevice::Create();
  auto queue = device->NewCommandQueue();
  std::mutex m;
  std::string log;
  const auto note = [&](const char* s) {
    return [&, s](GpuCommandBuffer&) {
      std::lock_guard lock(m);
      log += s;
    };
  };
  device->SetExecutionHeld(true);
  auto a = queue->CommandBuffer();
  auto b = queue->CommandBuffer();
  b->Enqueue();
  a->Enqueue();
  a->AddCompletedHandler(note("a1"));
  a->AddCompletedHandler(note("a2"));
  b->AddCompletedHandler(note("b1"));
  b->Commit();
  a->Commit();
  a->AddCompletedHandler(note("late")); // after commit: ignored
  EXPECT_EQ(b->Status(), GpuCommandBufferStatus::Scheduled);
  device->SetExecutionHeld(false);
  a->WaitUntilCompleted();
  EXPECT_EQ(b->Status(), GpuCommandBufferStatus::Completed);
  std::lock_guard lock(m);
  EXPECT_EQ(log, "b1a1a2");
}

TEST(GpuCommandBufferTest, BlitCopiesStagingRowsIntoAPrivateTexture)
{
  auto device = GpuDevice::Create();
  device->SetSharedTextureStorageMode(GpuStorageMode::Private);
  GpuTextureDescriptor d;
  d.pixelFormat = GpuPixelFormat::R8Unorm;
  d.width = 4;
  d.height = 2;
  auto tex = device->NewTexture(d);
  const unsigned char rows[] = {1, 2, 9, 9, 9, 9, 3, 4, 9, 9, 9, 9}; // 2 x 2 texels, rows 6 bytes apart
  auto cb = device->NewCommandQueue()->CommandBuffer();
  auto blit = cb->BlitCommandEncoder();
  blit->CopyFromBuffer(device->NewBuffer(rows, sizeof rows, 0), 0, 6, GpuSize{2, 2, 1}, tex, 0,
                       GpuOrigin{1, 0, 0});
  blit->CopyFromBuffer(device->NewBuffer(rows, 4, 0), 0, 6, GpuSize{2, 2, 1}, tex, 0,
                       GpuOrigin{}); // too short
  blit->EndEncoding();
  cb->Commit();
  cb->WaitUntilCompleted();
  const unsigned char expect[] = {0, 1, 2, 0, 0, 3, 4, 0};
  EXPECT_EQ(0, std::memcmp(tex->LevelBytes(0), expect, sizeof expect));
}

TEST(GpuCommandBufferTest, PresentedDrawableBecomesTheLayersFrame)
{
  auto layer = GpuLayer::Create();
  EXPECT_FALSE(layer->NextDrawable()) << "no device";
  layer->SetDevice(GpuDevice::Create());
  EXPECT_FALSE(layer->NextDrawable()) << "empty drawable size";
  layer->SetDrawableSize(3, 2);
  auto drawable = layer->NextDrawable();
  ASSERT_TRUE(drawable);
  EXPECT_EQ(drawable->Texture()->PixelFormat(), GpuPixelFormat::BGRA8Unorm);
  auto cb = layer->Device()->NewCommandQueue()->CommandBuffer();
  cb->PresentDrawable(drawable);
  EXPECT_EQ(layer->PresentCount(), 0);
  cb->Commit();
  cb->WaitUntilCompleted();
  EXPECT_EQ(layer->PresentCount(), 1);
  EXPECT_EQ(layer->PresentedTexture(), drawable->Texture());
}

} // namespace
} // namespace plugin::sys
