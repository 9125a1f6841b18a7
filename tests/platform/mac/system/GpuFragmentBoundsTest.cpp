#include "GpuTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

// Draws whose fragment setup bounds where their colour can be other than zero: the GPU skips the
// fragments outside only where a zero colour leaves a pixel as it is, so every pixel and stencil
// value comes out as without the bounds, and a draw that does not qualify is shaded in full.

namespace plugin::sys {
namespace {

using test::GpuRig;
using test::Vertex;

// The uniforms of the boxed shader: a premultiplied colour, zero outside the box [x0, x1] x
// [y0, y1] of the position varyings (in pixels), a discard threshold on the stroke coverage
// (varyings 2 and 3, as the tests' pass shader has it), and whether the setup reports the box.
struct BoxUniforms
{
  float colour[4];
  float box[4];
  float threshold;
  int report;
};

std::atomic<long> gShaded{0}; // fragments the boxed shader was run for

bool BoxSetup(const GpuStageResources& res, GpuFragmentConstants& constants, GpuFragmentBounds& bounds)
{
  BoxUniforms& u = GpuEmplaceConstants<BoxUniforms>(constants);
  if (!GpuReadBuffer(res.buffers[0], u)) return false;
  if (u.report) {
    bounds.lo[0] = u.box[0];
    bounds.hi[0] = u.box[2];
    bounds.lo[1] = u.box[1];
    bounds.hi[1] = u.box[3];
  }
  return true;
}

void BoxFragment(const GpuFragmentSpan& span, const GpuFragmentConstants& constants, float (*colours)[4],
                 bool* kept)
{
  const BoxUniforms& u = GpuConstantsOf<BoxUniforms>(constants);
  gShaded.fetch_add(span.count, std::memory_order_relaxed);
  for (int f = 0; f < span.count; ++f) {
    float var[kGpuMaxVaryings];
    GpuSpanVaryings(span, f, var);
    const bool inside = var[0] >= u.box[0] && var[0] <= u.box[2] && var[1] >= u.box[1] && var[1] <= u.box[3];
    const float coverage = (1.0f - std::fabs(var[2] * 2.0f - 1.0f)) * (var[3] < 1.0f ? var[3] : 1.0f);
    kept[f] = !(coverage < u.threshold);
    for (int i = 0; i < 4; ++i)
      colours[f][i] = inside ? u.colour[i] * coverage : 0.0f;
  }
}

constexpr GpuFunctionCode kBoxCode[] = {
    {"boxVertex", GpuFunctionStage::Vertex, &test::PassVertex, nullptr, nullptr},
    {"boxFragment", GpuFunctionStage::Fragment, nullptr, &BoxSetup, &BoxFragment},
};

std::vector<unsigned char> BoxLibrary()
{
  std::vector<unsigned char> blob = {'K', 'S', 'L', 'B', 1, 0, 2, 0};
  for (auto [stage, name] : {std::pair{1, "boxVertex"}, {2, "boxFragment"}}) {
    blob.push_back(static_cast<unsigned char>(stage));
    blob.push_back(static_cast<unsigned char>(std::strlen(name)));
    blob.insert(blob.end(), name, name + std::strlen(name));
  }
  return blob;
}

using F = GpuBlendFactor;
constexpr unsigned kAll = kGpuColorWriteAll;
constexpr unsigned kRGB = kGpuColorWriteRed | kGpuColorWriteGreen | kGpuColorWriteBlue;

struct BlendCase
{
  const char* name;
  bool blending;
  F srcRGB, dstRGB, srcAlpha, dstAlpha;
  unsigned writeMask;
  std::optional<GpuStencilDescriptor> stencil;
  bool skips; // fragments outside the box are left out
};

const GpuStencilDescriptor kCounting{GpuCompareFunction::Always, GpuStencilOperation::Keep,
                                     GpuStencilOperation::Keep, GpuStencilOperation::IncrementWrap};
const GpuStencilDescriptor kTesting{GpuCompareFunction::Equal, GpuStencilOperation::Keep,
                                    GpuStencilOperation::Keep, GpuStencilOperation::Keep};
const GpuStencilDescriptor kZeroing{GpuCompareFunction::NotEqual, GpuStencilOperation::Zero,
                                    GpuStencilOperation::Keep, GpuStencilOperation::Zero};
GpuStencilDescriptor MaskedOff()
{
  GpuStencilDescriptor s = kCounting;
  s.writeMask = 0;
  return s;
}

const BlendCase kBlendCases[] = {
    {"source over", true, F::One, F::OneMinusSourceAlpha, F::One, F::OneMinusSourceAlpha, kAll, {}, true},
    {"additive", true, F::One, F::One, F::One, F::One, kAll, {}, true},
    {"destination over",
     true,
     F::OneMinusDestinationAlpha,
     F::One,
     F::OneMinusDestinationAlpha,
     F::One,
     kAll,
     {},
     true},
    {"one minus source colour",
     true,
     F::DestinationColor,
     F::OneMinusSourceColor,
     F::Zero,
     F::OneMinusSourceColor,
     kAll,
     {},
     true},
    {"saturated source",
     true,
     F::SourceAlphaSaturated,
     F::One,
     F::SourceAlphaSaturated,
     F::One,
     kAll,
     {},
     true},
    {"alpha not written", true, F::One, F::One, F::One, F::Zero, kRGB, {}, true},
    {"stencil tested, not written", true, F::One, F::OneMinusSourceAlpha, F::One, F::OneMinusSourceAlpha,
     kAll, kTesting, true},
    {"stencil write mask off", true, F::One, F::One, F::One, F::One, kAll, MaskedOff(), true},
    {"copy", true, F::One, F::Zero, F::One, F::Zero, kAll, {}, false},
    {"blending off", false, F::One, F::OneMinusSourceAlpha, F::One, F::OneMinusSourceAlpha, kAll, {}, false},
    {"destination in", true, F::Zero, F::SourceAlpha, F::Zero, F::SourceAlpha, kAll, {}, false},
    {"destination alpha", true, F::Zero, F::DestinationAlpha, F::Zero, F::DestinationAlpha, kAll, {}, false},
    {"alpha cleared", true, F::One, F::One, F::One, F::Zero, kAll, {}, false},
    {"saturated destination", true, F::One, F::One, F::One, F::SourceAlphaSaturated, kAll, {}, false},
    {"stencil counts", true, F::One, F::OneMinusSourceAlpha, F::One, F::OneMinusSourceAlpha, kAll, kCounting,
     false},
    {"stencil zeroed", true, F::One, F::OneMinusSourceAlpha, F::One, F::OneMinusSourceAlpha, kAll, kZeroing,
     false},
};

// Target and stencil filled with a pattern, so that a pixel left alone is told from one written.
void FillPattern(GpuRig& rig)
{
  std::uint32_t state = 12345;
  unsigned char* colour = rig.target->LevelBytes(0);
  for (std::size_t i = 0; i < std::size_t{rig.target->Width()} * rig.target->Height() * 4; ++i) {
    state = state * 1664525u + 1013904223u;
    colour[i] = static_cast<unsigned char>(state >> 24);
  }
  unsigned char* stencil = rig.stencil->LevelBytes(0);
  for (std::size_t i = 0; i < std::size_t{rig.stencil->Width()} * rig.stencil->Height(); ++i)
    stencil[i] = static_cast<unsigned char>(i % 3);
}

struct Outcome
{
  std::vector<unsigned char> colour, stencil;
  long shaded;
};

// Triangles and a strip around and across the box, some past the target's edges, with fringe-like
// coverage coordinates so that a few fragments are discarded; drawn with the case's blend and
// stencil, with or without the box reported.
Outcome Draw(const BlendCase& c, const float box[4], bool report)
{
  GpuRig rig(48, 40);
  FillPattern(rig);
  const auto blob = BoxLibrary();
  auto library = rig.device->NewLibraryWithData(blob.data(), blob.size(), kBoxCode, nullptr);
  auto d = rig.Pipeline();
  d.vertexFunction = library->NewFunction("boxVertex");
  d.fragmentFunction = library->NewFunction("boxFragment");
  d.colorAttachment.blendingEnabled = c.blending;
  d.colorAttachment.sourceRGBBlendFactor = c.srcRGB;
  d.colorAttachment.destinationRGBBlendFactor = c.dstRGB;
  d.colorAttachment.sourceAlphaBlendFactor = c.srcAlpha;
  d.colorAttachment.destinationAlphaBlendFactor = c.dstAlpha;
  d.colorAttachment.writeMask = c.writeMask;

  std::vector<float> v;
  for (auto [x, y, tu, tv] : {std::array{-6.f, -4.f, 0.5f, 1.f},
                              {40.f, 3.f, 0.5f, 1.f},
                              {5.f, 45.f, 0.5f, 1.f},
                              {47.5f, 39.5f, 0.5f, 1.f},
                              {30.f, 1.f, 0.5f, 1.f},
                              {2.f, 30.f, 0.5f, 1.f}})
    Vertex(v, x, y, tu, tv);
  const std::uint32_t strip = static_cast<std::uint32_t>(v.size() / 4);
  for (int i = 0; i <= 10; ++i) { // a fringe strip whose u runs across it
    Vertex(v, 3.f + 4.f * i, 18.f, 0.f, 1.f);
    Vertex(v, 3.f + 4.f * i, 26.f, 1.f, 0.2f);
  }
  BoxUniforms u{{0.6f, 0.2f, 0.4f, 0.6f}, {box[0], box[1], box[2], box[3]}, 0.05f, report};

  GpuCommandBufferRef cb = rig.queue->CommandBuffer();
  GpuRenderPassDescriptor pass;
  pass.colorAttachment.texture = rig.target;
  pass.colorAttachment.loadAction = GpuLoadAction::Load;
  pass.stencilAttachment.texture = rig.stencil;
  pass.stencilAttachment.loadAction = GpuLoadAction::Load;
  auto enc = cb->RenderCommandEncoder(pass);
  const test::PassViewSize view{48.f, 40.f};
  enc->SetVertexBuffer(rig.device->NewBuffer(v.data(), v.size() * sizeof(float), 0), 0, 0);
  enc->SetVertexBuffer(rig.device->NewBuffer(&view, sizeof view, 0), 0, 1);
  enc->SetFragmentBuffer(rig.device->NewBuffer(&u, sizeof u, 0), 0, 0);
  enc->SetRenderPipelineState(rig.device->NewRenderPipelineState(d, nullptr));
  if (c.stencil) {
    GpuDepthStencilDescriptor ds;
    ds.frontFaceStencil = ds.backFaceStencil = *c.stencil;
    enc->SetDepthStencilState(rig.device->NewDepthStencilState(ds));
    enc->SetStencilReferenceValue(1);
  }
  const long before = gShaded.load();
  enc->DrawPrimitives(GpuPrimitiveType::Triangle, 0, 6);
  enc->DrawPrimitives(GpuPrimitiveType::TriangleStrip, strip, 22);
  GpuRig::Finish(enc, cb);
  const unsigned char* colour = rig.target->LevelBytes(0);
  const unsigned char* stencil = rig.stencil->LevelBytes(0);
  return {{colour, colour + 48 * 40 * 4}, {stencil, stencil + 48 * 40}, gShaded.load() - before};
}

TEST(GpuFragmentBoundsTest, EveryBlendLeavesThePixelsAsWithoutTheBoundsAndSkipsOnlyWhereZeroKeeps)
{
  // Edges on pixel centres (x.5), between them, and one past the target.
  const float box[4] = {9.5f, 6.25f, 33.0f, 52.0f};
  for (const BlendCase& c : kBlendCases) {
    const Outcome with = Draw(c, box, true), without = Draw(c, box, false);
    EXPECT_EQ(with.colour, without.colour) << c.name;
    EXPECT_EQ(with.stencil, without.stencil) << c.name;
    ASSERT_GT(without.shaded, 0) << c.name;
    if (c.skips)
      EXPECT_LT(with.shaded, without.shaded) << c.name << ": the box is well inside the geometry";
    else
      EXPECT_EQ(with.shaded, without.shaded) << c.name << ": shaded in full";
  }
}

TEST(GpuFragmentBoundsTest, BoxesAtTheirEdgesKeepEveryPixel)
{
  // Boxes whose edges fall exactly on pixel centres, a hair either side, a box of one column or
  // none, one reaching far beyond the target, and one-sided ones.
  const float inf = std::numeric_limits<float>::infinity();
  const float eps = 1.0f / 4096.0f;
  const struct
  {
    const char* name;
    float box[4];
  } boxes[] = {
      {"centres", {4.5f, 4.5f, 20.5f, 20.5f}},
      {"just inside the centres", {4.5f + eps, 4.5f + eps, 20.5f - eps, 20.5f - eps}},
      {"just outside the centres", {4.5f - eps, 4.5f - eps, 20.5f + eps, 20.5f + eps}},
      {"one column", {17.5f, -100.f, 17.5f, 100.f}},
      {"between two columns", {17.6f, -100.f, 17.9f, 100.f}},
      {"empty", {20.f, 20.f, 10.f, 10.f}},
      {"far beyond", {-1e30f, -1e30f, 1e30f, 1e30f}},
      {"right half only", {24.f, -inf, inf, inf}},
  };
  const BlendCase& over = kBlendCases[0];
  for (const auto& b : boxes) {
    const Outcome with = Draw(over, b.box, true), without = Draw(over, b.box, false);
    EXPECT_EQ(with.colour, without.colour) << b.name;
    EXPECT_LE(with.shaded, without.shaded) << b.name;
  }
}

TEST(GpuFragmentBoundsTest, BoundsAreUnboundedUnlessTheSetupNarrowsThem)
{
  const GpuFragmentBounds b = GpuFragmentBounds::Unbounded();
  for (int k = 0; k < kGpuMaxVaryings; ++k) {
    EXPECT_FALSE(b.Bounds(k));
    GpuFragmentBounds one = b;
    one.hi[k] = 3.0;
    EXPECT_TRUE(one.Bounds(k)) << k;
  }
}

} // namespace
} // namespace plugin::sys
