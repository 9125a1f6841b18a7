#include "graphics/renderer/CanvasPaint.h"
#include "graphics/renderer/VG.h"
#include "support/ui/RecordingBackend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plugin::ui;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectColor(const VGcolor& got, const VGcolor& want, const char* what)
{
  EXPECT_NEAR(got.r, want.r, 1e-6f) << what;
  EXPECT_NEAR(got.g, want.g, 1e-6f) << what;
  EXPECT_NEAR(got.b, want.b, 1e-6f) << what;
  EXPECT_NEAR(got.a, want.a, 1e-6f) << what;
}

TEST(CanvasPaint, ColourChannelsOver255AndAlphaTimesTheBlendWeight)
{
  const IBlend half(EBlend::SourceOver, 0.5f), twice(EBlend::SourceOver, 2.f), negative(EBlend::Add, -1.f),
      nan(EBlend::SourceOver, kNaN);
  const struct
  {
    IColor color;
    const IBlend* blend;
    VGcolor want;
    const char* what;
  } cases[] = {
      {IColor(255, 255, 0, 51), nullptr, {1.f, 0.f, 0.2f, 1.f}, "no blend"},
      {IColor(128, 0, 0, 0), nullptr, {0.f, 0.f, 0.f, 128.f / 255.f}, "semi black"},
      {IColor(255, 10, 20, 30), &half, {10 / 255.f, 20 / 255.f, 30 / 255.f, 0.5f}, "weight 0.5"},
      {IColor(255, 0, 0, 0), &twice, {0, 0, 0, 1.f}, "weight above 1 keeps alpha at 1"},
      {IColor(255, 0, 0, 0), &negative, {0, 0, 0, 0.f}, "negative weight"},
      {IColor(255, 0, 0, 0), &nan, {0, 0, 0, 0.f}, "weight not a number"},
      {IColor(400, 0, 0, 0), nullptr, {0, 0, 0, 1.f}, "alpha beyond 255"},
  };
  for (const auto& c : cases)
    ExpectColor(CanvasColor(c.color, c.blend), c.want, c.what);
}

TEST(CanvasPaint, SolidPatternsUseTheFirstStopAndEmptyPatternsPaintNothing)
{
  CanvasPaint paint;
  IPattern solid(IColor(255, 0, 255, 0));
  solid.AddStop(COLOR_RED, 1.f); // never used by a solid pattern
  ASSERT_TRUE(MakeCanvasPaint(solid, &BLEND_50, paint));
  EXPECT_TRUE(paint.solid);
  ExpectColor(paint.color, {0, 1, 0, 0.5f}, "first stop under the blend");

  const IPattern noStops(EPatternType::Linear);
  EXPECT_FALSE(MakeCanvasPaint(noStops, nullptr, paint));
  IPattern solidNoStops;
  EXPECT_FALSE(MakeCanvasPaint(solidNoStops, nullptr, paint));
  // A count beyond the array (a corrupt record) reads only the 16 stops there are.
  IPattern corrupt(EPatternType::Linear);
  corrupt.AddStop(COLOR_WHITE, 0.f);
  corrupt.mStops[IPattern::kMaxStops - 1] = {COLOR_BLUE, 1.f};
  corrupt.mNStops = 1000;
  ASSERT_TRUE(MakeCanvasPaint(corrupt, nullptr, paint));
  ExpectColor(paint.paint.outerColor, {0, 0, 1, 1}, "the 16th stop is the last");
}

TEST(CanvasPaint, GradientsArePlacedByTheInverseOfThePatternTransform)
{
  // A pattern whose transform maps user space to the unit gradient: scale by 1/50, then move by
  // -(10, 20) / 50. Its inverse takes (0, 0) to (10, 20) and (0, 1) to (10, 70).
  IPattern linear(EPatternType::Linear);
  linear.AddStop(COLOR_BLACK, 0.f);
  linear.AddStop(COLOR_GREEN, 0.5f);
  linear.AddStop(COLOR_WHITE, 1.f);
  linear.mTransform = IMatrix(1 / 50.0, 0, 0, 1 / 50.0, -10 / 50.0, -20 / 50.0);
  CanvasPaint paint;
  ASSERT_TRUE(MakeCanvasPaint(linear, nullptr, paint));
  ASSERT_FALSE(paint.solid);
  const VGpaint want = vgLinearGradient(10, 20, 10, 70, {0, 0, 0, 1}, {1, 1, 1, 1});
  for (int i = 0; i < 6; ++i)
    EXPECT_NEAR(paint.paint.xform[i], want.xform[i], 1e-3f) << i;
  EXPECT_NEAR(paint.paint.extent[1], want.extent[1], 1e-3f);
  EXPECT_FLOAT_EQ(paint.paint.feather, 50.f);
  ExpectColor(paint.paint.innerColor, {0, 0, 0, 1}, "first stop");
  ExpectColor(paint.paint.outerColor, {1, 1, 1, 1}, "last stop; the middle one is not used");

  // Radial: centre at the inverse of (0, 0), radii from inverse xx and the first offset.
  IPattern radial(EPatternType::Radial);
  radial.AddStop(COLOR_RED, 0.25f);
  radial.AddStop(COLOR_BLUE, 1.f);
  radial.mTransform = IMatrix(0.1, 0, 0, 0.1, -3, -4); // centre (30, 40), radius 10
  ASSERT_TRUE(MakeCanvasPaint(radial, nullptr, paint));
  const VGpaint wantRadial = vgRadialGradient(30, 40, 2.5f, 10, {1, 0, 0, 1}, {0, 0, 1, 1});
  EXPECT_NEAR(paint.paint.xform[4], 30.f, 1e-4f);
  EXPECT_NEAR(paint.paint.xform[5], 40.f, 1e-4f);
  EXPECT_NEAR(paint.paint.radius, wantRadial.radius, 1e-4f);
  EXPECT_NEAR(paint.paint.feather, wantRadial.feather, 1e-4f);

  // An unknown type is drawn as linear; a singular or non-finite transform paints nothing.
  IPattern other = linear;
  other.mType = static_cast<EPatternType>(7);
  ASSERT_TRUE(MakeCanvasPaint(other, nullptr, paint));
  EXPECT_NEAR(paint.paint.xform[5], want.xform[5], 1e-2f);
  for (const IMatrix& bad :
       {IMatrix(0, 0, 0, 0, 0, 0), IMatrix(1, 2, 2, 4, 0, 0), IMatrix(kNaN, 0, 0, 1, 0, 0),
        IMatrix(1, 0, 0, 1, std::numeric_limits<double>::infinity(), 0)}) {
    other.mTransform = bad;
    EXPECT_FALSE(MakeCanvasPaint(other, nullptr, paint));
  }
}

TEST(CanvasPaint, BlendMethodsChooseTheCompositeOperation)
{
  testsupport::RecordingBackend backend;
  const VGparams params = backend.Params();
  VGcontext* vg = vgCreateContext(&params);
  ASSERT_NE(vg, nullptr);
  const auto state = [&] { return vgCurrentState(vg)->compositeOperation; };
  const auto same = [](VGcompositeOperationState a, VGcompositeOperationState b) {
    return a.srcRGB == b.srcRGB && a.dstRGB == b.dstRGB && a.srcAlpha == b.srcAlpha &&
           a.dstAlpha == b.dstAlpha;
  };

  for (int method = 0; method <= 7; ++method) {
    const IBlend blend(static_cast<EBlend>(method), 1.f);
    SetCanvasComposite(vg, &blend);
    EXPECT_TRUE(same(state(), vgCompositeOperationStateFor(method))) << method;
  }
  const IBlend add(EBlend::Add, 1.f), exclusive(EBlend::Xor, 1.f), unknown(static_cast<EBlend>(42), 1.f);
  SetCanvasComposite(vg, &add);
  EXPECT_TRUE(same(state(), {VG_SRC_ALPHA, VG_DST_ALPHA, VG_SRC_ALPHA, VG_DST_ALPHA}));
  SetCanvasComposite(vg, &exclusive);
  EXPECT_TRUE(same(state(), vgCompositeOperationStateFor(VG_XOR)));
  SetCanvasComposite(vg, &unknown); // leaves the state as it was
  EXPECT_TRUE(same(state(), vgCompositeOperationStateFor(VG_XOR)));
  SetCanvasComposite(vg, nullptr);
  EXPECT_TRUE(same(state(), vgCompositeOperationStateFor(VG_SOURCE_OVER)));
  vgDeleteContext(vg);
}

TEST(CanvasPaint, CapsPassUnchangedAndJoinsBecomeTheCoreNames)
{
  EXPECT_EQ(CanvasLineCap(ELineCap::Butt), VG_BUTT);
  EXPECT_EQ(CanvasLineCap(ELineCap::Round), VG_ROUND);
  EXPECT_EQ(CanvasLineCap(ELineCap::Square), VG_SQUARE);
  EXPECT_EQ(CanvasLineCap(static_cast<ELineCap>(3)), -1);
  EXPECT_EQ(CanvasLineJoin(ELineJoin::Miter), VG_MITER);
  EXPECT_EQ(CanvasLineJoin(ELineJoin::Round), VG_ROUND);
  EXPECT_EQ(CanvasLineJoin(ELineJoin::Bevel), VG_BEVEL);
  EXPECT_EQ(CanvasLineJoin(static_cast<ELineJoin>(-1)), -1);
}

} // namespace
