#include "MVGTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace mvgtest;

// Queues a red 8 x 8 square at (4, 4) as one convex path of four fill vertices.
void QueueSquare(Backend& b, VGcolor colour = {1, 0, 0, 1})
{
  static std::vector<VGvertex> fill = {
      {4, 4, 0.5f, 1}, {4, 12, 0.5f, 1}, {12, 12, 0.5f, 1}, {12, 4, 0.5f, 1}};
  static std::vector<VGvertex> none;
  VGpath path = Path(fill, none, 1);
  const float bounds[4] = {4, 4, 12, 12};
  VGpaint paint = SolidPaint(colour);
  VGscissor scissor = NoScissor();
  b.mtl->renderFill(&paint, SourceOver(), &scissor, 1, bounds, &path, 1);
}

TEST(MVGFlushTest, EmptyViewportCancelsTheFrame)
{
  Backend b;
  b.mtl->renderViewport(0, 10, 2);
  EXPECT_EQ(b.mtl->semaphore->Value(), 0);
  QueueSquare(b);
  b.mtl->renderFlush();
  EXPECT_EQ(b.mtl->semaphore->Value(), 1);
  EXPECT_FALSE(b.mtl->cbuffers[0]->IsBusy());
  EXPECT_EQ(b.mtl->cbuffers[0]->ncalls, 0);
  EXPECT_EQ(b.layer->PresentCount(), 0);
}

TEST(MVGFlushTest, FlushWithoutATargetStillFreesItsSet)
{
  Backend b(VG_ANTIALIAS, 0, 0); // the layer has no drawable
  b.mtl->renderViewport(16, 16, 1);
  QueueSquare(b);
  b.mtl->renderFlush();
  b.device->WaitUntilIdle();
  EXPECT_EQ(b.mtl->semaphore->Value(), 1);
  EXPECT_FALSE(b.mtl->cbuffers[0]->IsBusy());
  EXPECT_EQ(b.mtl->cbuffers[0]->ncalls, 0);

  MVGframebuffer* fb = mvgCreateFramebuffer(b.ctx.get(), 8, 8, 0);
  b.mtl->renderDeleteTexture(fb->image); // bound to an image that no longer exists
  mvgBindFramebuffer(fb);
  b.mtl->renderViewport(16, 16, 1);
  QueueSquare(b);
  b.mtl->renderFlush();
  b.device->WaitUntilIdle();
  EXPECT_EQ(b.mtl->semaphore->Value(), 1);
  fb->image = 0;
  mvgDeleteFramebuffer(fb);
}

TEST(MVGFlushTest, ViewportWhileAFrameIsRecordedDropsThatFrame)
{
  // Three sets: a frame begun and never ended must not keep its set, or a fourth such viewport
  // would wait for ever (three are enough to lose every set).
  Backend b(VG_ANTIALIAS | VG_TRIPLE_BUFFER, 16, 16);
  for (int i = 0; i < 3; ++i) {
    b.mtl->renderViewport(16, 16, 1);
    QueueSquare(b);
    EXPECT_EQ(b.mtl->semaphore->Value(), 2) << i;
  }
  EXPECT_EQ(b.Set().ncalls, 1) << "the dropped frames' calls are gone";
  b.mtl->renderFlush();
  b.device->WaitUntilIdle();
  EXPECT_EQ(b.mtl->semaphore->Value(), 3);
  EXPECT_EQ(b.layer->PresentCount(), 1);
}

TEST(MVGFlushTest, FrameIsDrawnOnTheDrawableAndPresented)
{
  Backend b(VG_ANTIALIAS, 16, 16);
  b.mtl->renderViewport(16, 16, 1);
  QueueSquare(b);
  b.mtl->renderFlush();
  b.device->WaitUntilIdle();
  ASSERT_EQ(b.layer->PresentCount(), 1);
  const auto frame = b.layer->PresentedTexture();
  const auto inside = frame->ReadTexel(8, 8), outside = frame->ReadTexel(1, 1);
  EXPECT_EQ(inside[0], 1.0f);
  EXPECT_EQ(inside[3], 1.0f);
  EXPECT_EQ(outside[3], 0.0f);
  EXPECT_EQ(b.device->PipelineStatesMade(), 2) << "pipeline and stencil-only pipeline";
}

TEST(MVGFlushTest, PipelineCacheRebuildsOnlyWhenBlendOrFormatChanges)
{
  Backend b(VG_ANTIALIAS, 16, 16);
  b.mtl->renderViewport(16, 16, 1);
  QueueSquare(b);
  QueueSquare(b);
  b.mtl->renderFlush();
  b.device->WaitUntilIdle();
  EXPECT_EQ(b.device->PipelineStatesMade(), 2);
  b.mtl->renderViewport(16, 16, 1);
  VGpaint paint = SolidPaint({1, 1, 1, 1});
  VGscissor scissor = NoScissor();
  std::vector<VGvertex> tri = {{0, 0, 0, 0}, {0, 4, 0, 0}, {4, 0, 0, 0}};
  b.mtl->renderTriangles(&paint, {VG_ONE, VG_ONE, VG_ONE, VG_ONE}, &scissor, tri.data(), 3, 1);
  b.mtl->renderFlush();
  b.device->WaitUntilIdle();
  EXPECT_EQ(b.device->PipelineStatesMade(), 4);
  EXPECT_EQ(*b.mtl->blendFunc,
            (MVGblend{plugin::sys::GpuBlendFactor::One, plugin::sys::GpuBlendFactor::One,
                      plugin::sys::GpuBlendFactor::One, plugin::sys::GpuBlendFactor::One}));
}

TEST(MVGFlushTest, FramebufferReceivesTheFrameAndReadsBackPremultiplied)
{
  Backend b(VG_ANTIALIAS, 16, 16);
  MVGframebuffer* fb = mvgCreateFramebuffer(b.ctx.get(), 16, 16, 0);
  mvgBindFramebuffer(fb);
  mvgClearWithColor(b.ctx.get(), VGcolor{0, 0, 1, 0.5f});
  b.mtl->renderViewport(16, 16, 1);
  QueueSquare(b, {1, 0, 0, 0.5f});
  b.device->SetExecutionHeld(true); // keep the frame in flight while its set is looked at
  b.mtl->renderFlush();
  EXPECT_EQ(b.mtl->cbuffers[0]->Image(), fb->image);
  b.device->SetExecutionHeld(false);
  std::vector<unsigned char> px(16 * 16 * 4);
  ASSERT_EQ(mvgReadPixels(b.ctx.get(), fb->image, 0, 0, 16, 16, px.data()), 1);
  const auto at = [&](int x, int y) {
    return std::vector<int>(px.begin() + (y * 16 + x) * 4, px.begin() + (y * 16 + x) * 4 + 4);
  };
  EXPECT_EQ(at(1, 1), (std::vector<int>{0, 0, 128, 128}));  // the clear, premultiplied
  EXPECT_EQ(at(8, 8), (std::vector<int>{128, 0, 64, 192})); // half red over it: 0.5 + 128/255 * 0.5
  EXPECT_EQ(b.layer->PresentCount(), 0);
  std::vector<unsigned char> part(16 * 4 * 2);
  ASSERT_EQ(mvgReadPixels(b.ctx.get(), fb->image, 8, 0, 4, 2, part.data()), 1);
  EXPECT_EQ(part[0], 0) << "region rows land a whole image width apart";
  EXPECT_EQ(mvgReadPixels(b.ctx.get(), fb->image, 8, 0, 9, 2, part.data()), 0);
  mvgDeleteFramebuffer(fb);
}

} // namespace
