#include "GpuTestSupport.h"

#include <gtest/gtest.h>

namespace plugin::sys {
namespace {

using test::GpuRig;
using test::SolidUniforms;
using test::Vertex;
using Px = std::array<int, 4>;

GpuRenderPipelineStateRef Additive(const GpuRig& rig)
{
  auto d = rig.Pipeline();
  d.colorAttachment.blendingEnabled = true;
  d.colorAttachment.sourceRGBBlendFactor = d.colorAttachment.sourceAlphaBlendFactor = GpuBlendFactor::One;
  d.colorAttachment.destinationRGBBlendFactor = d.colorAttachment.destinationAlphaBlendFactor =
      GpuBlendFactor::One;
  return rig.device->NewRenderPipelineState(d, nullptr);
}

// Counts pixels of the target whose red channel equals value.
int CountRed(const GpuRig& rig, int value)
{
  int n = 0;
  for (std::uint32_t y = 0; y < rig.target->Height(); ++y)
    for (std::uint32_t x = 0; x < rig.target->Width(); ++x)
      n += rig.Pixel(x, y)[0] == value;
  return n;
}

TEST(GpuRasterizerTest, SharedEdgesCoverEachPixelOnce)
{
  // A quad split along its diagonal plus a fan around an inner point: with additive blending any
  // pixel drawn twice would read 128 instead of 64.
  GpuRig rig(16, 16);
  std::vector<float> v;
  for (auto [x, y] : {std::pair{2.f, 2.f}, {12.f, 2.f}, {2.f, 12.f}, {12.f, 2.f}, {12.f, 12.f}, {2.f, 12.f}})
    Vertex(v, x, y);
  GpuCommandBufferRef cb;
  auto enc = rig.Begin(cb, v, SolidUniforms({64 / 255.f, 0, 0, 64 / 255.f}));
  enc->SetRenderPipelineState(Additive(rig));
  enc->DrawPrimitives(GpuPrimitiveType::Triangle, 0, 6);
  GpuRig::Finish(enc, cb);
  EXPECT_EQ(CountRed(rig, 64), 100); // exactly the 10 x 10 pixels whose centres lie inside
  EXPECT_EQ(CountRed(rig, 128), 0);
  EXPECT_EQ(rig.Pixel(2, 2), (Px{64, 0, 0, 64})); // top-left corner pixel is inside
  EXPECT_EQ(rig.Pixel(12, 12), (Px{0, 0, 0, 0})); // bottom-right edges are outside
  EXPECT_EQ(rig.Pixel(11, 11), (Px{64, 0, 0, 64}));
}

TEST(GpuRasterizerTest, CullingFollowsTheFrontFacingWindingInClipSpace)
{
  // (0,0) (0,8) (8,0) in points with y down is counter-clockwise once y points up in clip space.
  struct Case
  {
    GpuCullMode cull;
    GpuWinding front;
    bool reversed;
    bool drawn;
  } cases[] = {
      {GpuCullMode::Back, GpuWinding::CounterClockwise, false, true},
      {GpuCullMode::Back, GpuWinding::CounterClockwise, true, false},
      {GpuCullMode::Front, GpuWinding::CounterClockwise, false, false},
      {GpuCullMode::Back, GpuWinding::Clockwise, false, false},
      {GpuCullMode::None, GpuWinding::CounterClockwise, true, true},
  };
  for (const auto& c : cases) {
    GpuRig rig(8, 8);
    std::vector<float> v;
    Vertex(v, 0, 0);
    if (c.reversed) {
      Vertex(v, 8, 0);
      Vertex(v, 0, 8);
    } else {
      Vertex(v, 0, 8);
      Vertex(v, 8, 0);
    }
    GpuCommandBufferRef cb;
    auto enc = rig.Begin(cb, v, SolidUniforms({1, 1, 1, 1}));
    enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(rig.Pipeline(), nullptr));
    enc->SetCullMode(c.cull);
    enc->SetFrontFacingWinding(c.front);
    enc->DrawPrimitives(GpuPrimitiveType::Triangle, 0, 3);
    GpuRig::Finish(enc, cb);
    EXPECT_EQ(rig.Pixel(1, 1)[3], c.drawn ? 255 : 0) << static_cast<int>(c.cull) << c.reversed;
  }
}

TEST(GpuRasterizerTest, StripTrianglesAlternateWindingAndIndexedDrawsReadUInt32)
{
  GpuRig rig(8, 8);
  std::vector<float> v;
  // The cover-quad order: (max, max) (max, min) (min, max) (min, min).
  for (auto [x, y] : {std::pair{8.f, 8.f}, {8.f, 0.f}, {0.f, 8.f}, {0.f, 0.f}})
    Vertex(v, x, y);
  GpuCommandBufferRef cb;
  auto enc = rig.Begin(cb, v, SolidUniforms({0, 0, 1, 1}));
  enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(rig.Pipeline(), nullptr));
  enc->SetCullMode(GpuCullMode::Back);
  enc->SetFrontFacingWinding(GpuWinding::CounterClockwise);
  enc->DrawPrimitives(GpuPrimitiveType::TriangleStrip, 0, 4);
  GpuRig::Finish(enc, cb);
  EXPECT_EQ(CountRed(rig, 0), 64);
  EXPECT_EQ(rig.Pixel(0, 0), (Px{0, 0, 255, 255}));
  EXPECT_EQ(rig.Pixel(7, 7), (Px{0, 0, 255, 255}));

  GpuRig indexed(8, 8);
  const std::uint32_t idx[] = {0xFFFF, 3, 2, 1}; // the first index is skipped by the offset
  auto enc2 = indexed.Begin(cb, v, SolidUniforms({1, 0, 0, 1}));
  enc2->SetRenderPipelineState(indexed.device->NewRenderPipelineState(indexed.Pipeline(), nullptr));
  enc2->DrawIndexedPrimitives(GpuPrimitiveType::Triangle, 3, GpuIndexType::UInt32,
                              indexed.device->NewBuffer(idx, sizeof idx, 0), 4);
  enc2->DrawIndexedPrimitives(GpuPrimitiveType::Triangle, 3, GpuIndexType::UInt32,
                              indexed.device->NewBuffer(idx, sizeof idx, 0), 8); // runs past the end: skipped
  GpuRig::Finish(enc2, cb);
  EXPECT_EQ(indexed.Pixel(1, 1)[0], 255);
  EXPECT_EQ(indexed.Pixel(6, 6)[0], 0);
}

TEST(GpuRasterizerTest, StencilCountsWindingThenCoversWhereNonZero)
{
  // Two overlapping squares of opposite winding: increment on front faces, decrement on back.
  GpuRig rig(12, 12);
  std::vector<float> v;
  for (auto [x, y] : {std::pair{0.f, 0.f}, {0.f, 8.f}, {8.f, 0.f}, {8.f, 0.f}, {0.f, 8.f}, {8.f, 8.f}})
    Vertex(v, x, y);
  for (auto [x, y] : {std::pair{4.f, 4.f}, {12.f, 4.f}, {4.f, 12.f}, {12.f, 4.f}, {12.f, 12.f}, {4.f, 12.f}})
    Vertex(v, x, y);
  for (auto [x, y] : {std::pair{12.f, 12.f}, {12.f, 0.f}, {0.f, 12.f}, {0.f, 0.f}})
    Vertex(v, x, y);
  GpuCommandBufferRef cb;
  auto enc = rig.Begin(cb, v, SolidUniforms({0, 1, 0, 1}));
  GpuDepthStencilDescriptor shape;
  shape.frontFaceStencil =
      GpuStencilDescriptor{GpuCompareFunction::Always, GpuStencilOperation::Keep, GpuStencilOperation::Keep,
                           GpuStencilOperation::IncrementWrap};
  shape.backFaceStencil = GpuStencilDescriptor{GpuCompareFunction::Always, GpuStencilOperation::Keep,
                                               GpuStencilOperation::Keep, GpuStencilOperation::DecrementWrap};
  auto stencilOnly = rig.Pipeline(false);
  stencilOnly.colorAttachment.writeMask = kGpuColorWriteNone;
  enc->SetFrontFacingWinding(GpuWinding::CounterClockwise);
  enc->SetDepthStencilState(rig.device->NewDepthStencilState(shape));
  enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(stencilOnly, nullptr));
  enc->DrawPrimitives(GpuPrimitiveType::Triangle, 0, 12);
  GpuRig::Finish(enc, cb);
  EXPECT_EQ(rig.Stencil(1, 1), 1);
  EXPECT_EQ(rig.Stencil(10, 10), 255); // wrapped below zero
  EXPECT_EQ(rig.Stencil(5, 5), 0);     // +1 - 1
  EXPECT_EQ(rig.Pixel(1, 1)[3], 0) << "a stencil-only pipeline writes no colour";

  GpuDepthStencilDescriptor cover;
  cover.frontFaceStencil = GpuStencilDescriptor{GpuCompareFunction::NotEqual, GpuStencilOperation::Zero,
                                                GpuStencilOperation::Zero, GpuStencilOperation::Zero};
  auto enc2 = rig.Begin(cb, v, SolidUniforms({0, 1, 0, 1}));
  enc2->SetDepthStencilState(rig.device->NewDepthStencilState(cover));
  enc2->SetRenderPipelineState(rig.device->NewRenderPipelineState(rig.Pipeline(), nullptr));
  enc2->SetCullMode(GpuCullMode::Back);
  enc2->SetFrontFacingWinding(GpuWinding::CounterClockwise);
  enc2->DrawPrimitives(GpuPrimitiveType::TriangleStrip, 12, 4);
  GpuRig::Finish(enc2, cb);
  const struct
  {
    int x, y, green;
  } probes[] = {{1, 1, 255}, {10, 10, 255}, {5, 5, 0}, {10, 1, 0}};
  for (const auto& p : probes)
    EXPECT_EQ(rig.Pixel(p.x, p.y)[1], p.green) << p.x << "," << p.y;
  EXPECT_EQ(rig.Stencil(1, 1), 0) << "the cover pass zeroes what it drew";
}

TEST(GpuRasterizerTest, PipelineWithoutFragmentFunctionOnlyTouchesTheStencil)
{
  // Blending set up as for colour, a stencil test on front faces only, and a back-facing
  // triangle: nothing at all changes.
  GpuRig rig(8, 8);
  std::vector<float> v;
  for (auto [x, y] : {std::pair{0.f, 0.f}, {8.f, 0.f}, {0.f, 8.f}})
    Vertex(v, x, y);
  auto d = rig.Pipeline(false);
  d.colorAttachment.blendingEnabled = true;
  d.colorAttachment.sourceRGBBlendFactor = d.colorAttachment.sourceAlphaBlendFactor = GpuBlendFactor::One;
  d.colorAttachment.destinationRGBBlendFactor = d.colorAttachment.destinationAlphaBlendFactor =
      GpuBlendFactor::OneMinusSourceAlpha;
  GpuDepthStencilDescriptor front;
  front.frontFaceStencil =
      GpuStencilDescriptor{GpuCompareFunction::Always, GpuStencilOperation::Keep, GpuStencilOperation::Keep,
                           GpuStencilOperation::IncrementClamp};
  for (auto winding : {GpuWinding::Clockwise, GpuWinding::CounterClockwise}) {
    GpuCommandBufferRef cb;
    auto enc = rig.Begin(cb, v, SolidUniforms({1, 1, 1, 1}));
    enc->SetFrontFacingWinding(winding);
    enc->SetDepthStencilState(rig.device->NewDepthStencilState(front));
    enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(d, nullptr));
    enc->DrawPrimitives(GpuPrimitiveType::Triangle, 0, 3);
    GpuRig::Finish(enc, cb);
  }
  EXPECT_EQ(rig.Stencil(1, 1), 1) << "counted once, as a front face";
  EXPECT_EQ(rig.Stencil(7, 7), 0);
  EXPECT_EQ(CountRed(rig, 0), 64) << "no colour without a fragment function";
}

TEST(GpuRasterizerTest, DiscardedFragmentsLeaveStencilAlone)
{
  // Coverage u runs 0 -> 1 across the quad; with threshold 0.5 only the middle survives.
  GpuRig rig(8, 1);
  std::vector<float> v;
  Vertex(v, 8, 1, 1.0f);
  Vertex(v, 8, 0, 1.0f);
  Vertex(v, 0, 1, 0.0f);
  Vertex(v, 0, 0, 0.0f);
  GpuDepthStencilDescriptor d;
  d.frontFaceStencil = GpuStencilDescriptor{GpuCompareFunction::Always, GpuStencilOperation::Keep,
                                            GpuStencilOperation::Keep, GpuStencilOperation::IncrementClamp};
  auto u = SolidUniforms({1, 1, 1, 1}, 0.5f);
  GpuCommandBufferRef cb;
  auto enc = rig.Begin(cb, v, u);
  enc->SetFrontFacingWinding(GpuWinding::CounterClockwise);
  enc->SetDepthStencilState(rig.device->NewDepthStencilState(d));
  enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(rig.Pipeline(), nullptr));
  enc->DrawPrimitives(GpuPrimitiveType::TriangleStrip, 0, 4);
  GpuRig::Finish(enc, cb);
  // Pixel centre x + 0.5 gives u = (x + 0.5) / 8 and alpha 1 - |2u - 1|.
  const int expectStencil[8] = {0, 0, 1, 1, 1, 1, 0, 0};
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(rig.Stencil(x, 0), expectStencil[x]) << x;
  EXPECT_EQ(rig.Pixel(3, 0)[3], 223); // coverage 7/8
}

TEST(GpuRasterizerTest, BlendFactorsWriteMasksAndScissorRect)
{
  const auto run = [](GpuColorAttachmentDescriptor ca, std::array<float, 4> dst, std::array<float, 4> src,
                      bool scissorOut = false) {
    GpuRig rig(4, 4);
    rig.target->WriteTexel(1, 1, dst);
    std::vector<float> v;
    for (auto [x, y] : {std::pair{4.f, 4.f}, {4.f, 0.f}, {0.f, 4.f}, {0.f, 0.f}})
      Vertex(v, x, y);
    auto d = rig.Pipeline();
    ca.pixelFormat = GpuPixelFormat::RGBA8Unorm;
    d.colorAttachment = ca;
    GpuCommandBufferRef cb;
    auto enc = rig.Begin(cb, v, SolidUniforms(src));
    enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(d, nullptr));
    if (scissorOut) enc->SetScissorRect(GpuScissorRect{2, 0, 2, 4});
    enc->DrawPrimitives(GpuPrimitiveType::TriangleStrip, 0, 4);
    GpuRig::Finish(enc, cb);
    return rig.Pixel(1, 1);
  };
  using B = GpuBlendFactor;
  GpuColorAttachmentDescriptor over;
  over.blendingEnabled = true;
  over.sourceRGBBlendFactor = over.sourceAlphaBlendFactor = B::One;
  over.destinationRGBBlendFactor = over.destinationAlphaBlendFactor = B::OneMinusSourceAlpha;
  EXPECT_EQ(run(over, {0, 0, 1, 1}, {0.5f, 0, 0, 0.5f}), (Px{128, 0, 128, 255}));
  GpuColorAttachmentDescriptor saturate = over;
  saturate.sourceRGBBlendFactor = B::SourceAlphaSaturated;
  saturate.destinationRGBBlendFactor = saturate.destinationAlphaBlendFactor = B::One;
  // min(As, 1 - Ad) = min(0.8, 0.4) = 0.4 for colour, 1 for alpha
  EXPECT_EQ(run(saturate, {0, 0, 0, 0.6f}, {1, 0, 0, 0.8f}), (Px{102, 0, 0, 255}));
  GpuColorAttachmentDescriptor redOnly;
  redOnly.writeMask = kGpuColorWriteRed | kGpuColorWriteAlpha;
  EXPECT_EQ(run(redOnly, {0, 0.2f, 0.2f, 0}, {1, 1, 1, 1}), (Px{255, 51, 51, 255}));
  EXPECT_EQ(run(GpuColorAttachmentDescriptor{}, {0, 0.2f, 0, 1}, {1, 1, 1, 1}, true), (Px{0, 51, 0, 255}));
}

TEST(GpuRasterizerTest, FarVerticesCoverWhatNearOnesOnTheSameEdgesCover)
{
  // The same half of the target below its diagonal, once from vertices on its corners and once
  // from vertices four million pixels out (past the fixed-point range), each drawn once.
  const auto draw = [](float reach) {
    GpuRig rig(16, 16);
    std::vector<float> v;
    Vertex(v, -reach, -reach);
    Vertex(v, 16 + reach, 16 + reach);
    Vertex(v, -reach, 16 + reach);
    GpuCommandBufferRef cb;
    auto enc = rig.Begin(cb, v, SolidUniforms({64 / 255.f, 0, 0, 64 / 255.f}));
    enc->SetRenderPipelineState(Additive(rig));
    enc->DrawPrimitives(GpuPrimitiveType::Triangle, 0, 3);
    GpuRig::Finish(enc, cb);
    return rig;
  };
  const GpuRig near = draw(0.0f), far = draw(4e6f - 16.0f);
  EXPECT_EQ(CountRed(near, 128), 0);
  EXPECT_EQ(CountRed(far, 128), 0);
  EXPECT_EQ(CountRed(near, 64), 120) << "below the diagonal, with the top-left rule on it";
  for (std::uint32_t y = 0; y < 16; ++y)
    for (std::uint32_t x = 0; x < 16; ++x)
      EXPECT_EQ(near.Pixel(x, y), far.Pixel(x, y)) << x << "," << y;

  // A triangle wholly around the target covers every pixel.
  GpuRig around(16, 16);
  std::vector<float> v;
  for (auto [x, y] : {std::pair{-1e7f, -1e7f}, {1e7f, -1e7f}, {0.f, 1e7f}})
    Vertex(v, x, y);
  GpuCommandBufferRef cb;
  auto enc = around.Begin(cb, v, SolidUniforms({1, 1, 1, 1}));
  enc->SetRenderPipelineState(around.device->NewRenderPipelineState(around.Pipeline(), nullptr));
  enc->DrawPrimitives(GpuPrimitiveType::Triangle, 0, 3);
  GpuRig::Finish(enc, cb);
  EXPECT_EQ(CountRed(around, 255), 256);
}

TEST(GpuRasterizerTest, WideRowsFollowTheStencilPixelByPixel)
{
  // A cover pass over rows wider than one run of fragments: only pixels whose stencil is set
  // take colour, and the pass zeroes the stencil where it drew.
  constexpr std::uint32_t kWidth = 203;
  GpuRig rig(kWidth, 2);
  for (std::uint32_t y = 0; y < 2; ++y)
    for (std::uint32_t x = 0; x < kWidth; ++x)
      rig.stencil->LevelBytes(0)[y * kWidth + x] = (x % 3 == 0 || x == 64 + y) ? 0 : 1;
  std::vector<float> v;
  for (auto [x, y] : {std::pair{float(kWidth), 2.f}, {float(kWidth), 0.f}, {0.f, 2.f}, {0.f, 0.f}})
    Vertex(v, x, y);
  GpuDepthStencilDescriptor cover;
  cover.frontFaceStencil = GpuStencilDescriptor{GpuCompareFunction::NotEqual, GpuStencilOperation::Zero,
                                                GpuStencilOperation::Zero, GpuStencilOperation::Zero};
  cover.backFaceStencil = cover.frontFaceStencil;
  GpuCommandBufferRef cb;
  auto enc = rig.Begin(cb, v, SolidUniforms({0, 1, 0, 1}));
  enc->SetDepthStencilState(rig.device->NewDepthStencilState(cover));
  enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(rig.Pipeline(), nullptr));
  enc->DrawPrimitives(GpuPrimitiveType::TriangleStrip, 0, 4);
  GpuRig::Finish(enc, cb);
  int drawn = 0;
  for (std::uint32_t y = 0; y < 2; ++y)
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      const bool set = !(x % 3 == 0 || x == 64 + y);
      EXPECT_EQ(rig.Pixel(x, y)[1], set ? 255 : 0) << x << "," << y;
      EXPECT_EQ(rig.Stencil(x, y), 0) << x << "," << y;
      drawn += set;
    }
  EXPECT_EQ(drawn, 2 * (kWidth - 68) - 2);
}

} // namespace
} // namespace plugin::sys
