#include "GpuTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <random>

namespace plugin::sys {
namespace {

// The tests' pass shader, its colour zero outside the box [lo, hi] of the positions; reported if asked.
struct BoxUniforms
{
  test::PassUniforms pass; // first, so that the pass shader reads it from the same constants
  double lo[2], hi[2];
  int report;
};

constexpr double kInf = std::numeric_limits<double>::infinity();
std::atomic<long> gShaded{0}; // fragments the box shader was run for

bool BoxSetup(const GpuStageResources& res, GpuFragmentConstants& constants, GpuFragmentBounds& bounds)
{
  BoxUniforms& u = GpuEmplaceConstants<BoxUniforms>(constants);
  if (!GpuReadBuffer(res.buffers[0], u)) return false;
  if (u.report) bounds = {{u.lo[0], u.lo[1], -kInf, -kInf}, {u.hi[0], u.hi[1], kInf, kInf}};
  return true;
}

void BoxFragment(const GpuFragmentSpan& span, const GpuFragmentConstants& c, float (*out)[4], bool* kept)
{
  const BoxUniforms& u = GpuConstantsOf<BoxUniforms>(c);
  gShaded += span.count;
  test::PassFragment(span, c, out, kept);
  for (int f = 0; f < span.count; ++f) {
    float var[kGpuMaxVaryings];
    GpuSpanVaryings(span, f, var);
    if (!(var[0] >= u.lo[0] && var[0] <= u.hi[0] && var[1] >= u.lo[1] && var[1] <= u.hi[1]))
      std::fill_n(out[f], 4, 0.0f);
  }
}

constexpr GpuFunctionCode kBoxCode[] = {
    {"passVertex", GpuFunctionStage::Vertex, &test::PassVertex, nullptr, nullptr},
    {"passFragment", GpuFunctionStage::Fragment, nullptr, &BoxSetup, &BoxFragment},
};

using F = GpuBlendFactor;
using S = GpuStencilOperation;
constexpr unsigned kAll = kGpuColorWriteAll, kRGB = kAll & ~kGpuColorWriteAlpha;
const GpuStencilDescriptor kKeeps{}, kTested{GpuCompareFunction::Equal},
    kMaskedOff{GpuCompareFunction::Always, S::Zero, S::Zero, S::Zero, 0xFF, 0},
    kCounts{GpuCompareFunction::Always, S::Keep, S::Keep, S::IncrementWrap},
    kZeroedOnFail{GpuCompareFunction::NotEqual, S::Zero};

// Blend and stencil states, the source factor one; skips: whether fragments outside the box are left out.
const struct BlendCase
{
  const char* name;
  bool skips, blending;
  F dstRGB, dstAlpha;
  unsigned writeMask;
  GpuStencilDescriptor stencil;
} kBlendCases[] = {
    {"source over", true, true, F::OneMinusSourceAlpha, F::OneMinusSourceAlpha, kAll, kKeeps},
    {"additive", true, true, F::One, F::One, kAll, kKeeps},
    {"one minus source colour", true, true, F::OneMinusSourceColor, F::OneMinusSourceColor, kAll, kKeeps},
    {"alpha not written", true, true, F::One, F::Zero, kRGB, kKeeps},
    {"stencil tested, not written", true, true, F::One, F::One, kAll, kTested},
    {"stencil write mask off", true, true, F::One, F::One, kAll, kMaskedOff},
    {"copy", false, true, F::Zero, F::Zero, kAll, kKeeps},
    {"blending off", false, false, F::OneMinusSourceAlpha, F::OneMinusSourceAlpha, kAll, kKeeps},
    {"alpha cleared", false, true, F::One, F::Zero, kAll, kKeeps},
    {"stencil counts", false, true, F::One, F::One, kAll, kCounts},
    {"stencil zeroed where it fails", false, true, F::One, F::One, kAll, kZeroedOnFail},
};

// Target and stencil bytes after a strip drawn over a pattern, the box reported or not; fragments shaded.
std::pair<std::vector<unsigned char>, long> Draw(const BlendCase& c, const double box[4], bool report)
{
  test::GpuRig rig(48, 40);
  unsigned char* colour = rig.target->LevelBytes(0);
  unsigned char* stencil = rig.stencil->LevelBytes(0);
  std::generate_n(colour, 48 * 40 * 4, std::minstd_rand());
  for (int i = 0; i < 48 * 40; ++i)
    stencil[i] = i % 3;
  const auto blob = test::LibraryBlob();
  auto d = rig.Pipeline();
  d.fragmentFunction = rig.device->NewLibraryWithData(blob.data(), blob.size(), kBoxCode, nullptr)
                           ->NewFunction("passFragment");
  d.colorAttachment.blendingEnabled = c.blending;
  d.colorAttachment.destinationRGBBlendFactor = c.dstRGB;
  d.colorAttachment.destinationAlphaBlendFactor = c.dstAlpha;
  d.colorAttachment.writeMask = c.writeMask;
  std::vector<float> v;
  for (int i = 0; i <= 10; ++i) { // past the target's edges; the coverage falls to 0 at top and bottom
    test::Vertex(v, -6.f + 6.f * i, -4.f, 0.f, 1.f);
    test::Vertex(v, -3.f + 6.f * i, 45.f, 1.f, 0.2f);
  }
  const BoxUniforms u{{{0.6f, 0.2f, 0.4f, 0.6f}, 0.05f}, {box[0], box[1]}, {box[2], box[3]}, report};
  GpuCommandBufferRef cb;
  auto enc = rig.Begin(cb, v, {});
  enc->SetFragmentBuffer(rig.device->NewBuffer(&u, sizeof u, 0), 0, 0);
  enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(d, nullptr));
  enc->SetDepthStencilState(
      rig.device->NewDepthStencilState({.frontFaceStencil = c.stencil, .backFaceStencil = c.stencil}));
  enc->SetStencilReferenceValue(1);
  const long before = gShaded;
  enc->DrawPrimitives(GpuPrimitiveType::TriangleStrip, 0, 22);
  test::GpuRig::Finish(enc, cb);
  std::vector<unsigned char> bytes(colour, colour + 48 * 40 * 4);
  bytes.insert(bytes.end(), stencil, stencil + 48 * 40);
  return {bytes, gShaded - before};
}

// Skipping fragments outside the reported box keeps every pixel and stencil value, for boxes on and beside
// pixel centres, of one column, empty, huge or one-sided; it happens only where a zero colour keeps pixels.
TEST(GpuFragmentBoundsTest, SkippingOutsideTheBoxKeepsEveryPixelAndHappensOnlyWhereZeroKeeps)
{
  const double e = 1.0 / 4096; // the first box lies well inside the geometry: it skips
  // clang-format off
  const double boxes[][4] = {{9.5, 6.25, 33, 52}, {4.5, 4.5, 20.5, 20.5}, {4.5 - e, 4.5 - e, 20.5 + e, 20.5 + e},
      {4.5 + e, 4.5 + e, 20.5 - e, 20.5 - e}, {17.5, -100, 17.5, 100}, {20, 20, 10, 10},
      {-1e30, -1e30, 1e30, 1e30}, {24, -kInf, kInf, kInf}};
  // clang-format on
  for (const BlendCase& c : kBlendCases) {
    for (const auto& box : boxes) {
      const auto with = Draw(c, box, true), without = Draw(c, box, false);
      EXPECT_TRUE(with.first == without.first) << c.name << ", box from " << box[0] << ", " << box[1];
      EXPECT_TRUE(&box != &boxes[0] || (with.second < without.second) == c.skips) << c.name << " skips";
    }
  }
}

} // namespace
} // namespace plugin::sys
