// Drawing state: the stack, setters, transforms, colours, paints, scissor and composite tables.
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/renderer/VGComposite.h"
#include "graphics/renderer/VGStateDefaults.h"
#include "tests/graphics/renderer/VGTestSupport.h"

using vgtest::SameColor;
using vgtest::SameFloats;
using Apply = std::function<void(VGcontext*)>;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kPi = 3.14159265358979f;

std::vector<int> Ints(const VGcompositeOperationState& op)
{
  return {op.srcRGB, op.dstRGB, op.srcAlpha, op.dstAlpha};
}

} // namespace

TEST(VGState, ResetGivesTheDefaults)
{
  vgtest::Context ctx;
  const VGstate* s = vgCurrentState(ctx);
  EXPECT_TRUE(SameColor(s->fill.innerColor, {1, 1, 1, 1}));
  EXPECT_TRUE(SameColor(s->fill.outerColor, {1, 1, 1, 1}));
  EXPECT_TRUE(SameColor(s->stroke.outerColor, {0, 0, 0, 1}));
  // Solid paint: identity matrix, zero extent and radius, feather 1, no image.
  EXPECT_TRUE(SameFloats(s->fill.xform, {1, 0, 0, 1, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(s->fill.image, 0);
  EXPECT_EQ(Ints(s->compositeOperation),
            Ints({VG_ONE, VG_ONE_MINUS_SRC_ALPHA, VG_ONE, VG_ONE_MINUS_SRC_ALPHA}));
  EXPECT_EQ(std::vector<int>({s->shapeAntiAlias, s->lineJoin, s->lineCap, s->textAlign, s->fontId}),
            std::vector<int>({1, VG_MITER, VG_BUTT, 65, 0}));
  EXPECT_TRUE(SameFloats(&s->strokeWidth, {1, 10}));
  EXPECT_TRUE(SameFloats(&s->alpha, {1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, 16, 0, 1, 0}));
}

TEST(VGState, ThirtyThreeSavesAndRestoresStayInsideTheStack)
{
  vgtest::Context ctx;
  for (int i = 0; i < 33; ++i) {
    vgStrokeWidth(ctx, (float)i);
    vgSave(ctx);
  }
  // The 31st save filled the stack; later widths land on the top state.
  EXPECT_EQ(ctx->nstates, 32);
  EXPECT_EQ(vgCurrentState(ctx)->strokeWidth, 32.0f);
  vgRestore(ctx);
  EXPECT_EQ(vgCurrentState(ctx)->strokeWidth, 30.0f);
  for (int i = 0; i < 32; ++i)
    vgRestore(ctx);
  EXPECT_EQ(ctx->nstates, 1);
  EXPECT_EQ(vgCurrentState(ctx)->strokeWidth, 0.0f);
}

TEST(VGState, SettersIgnoreNonFiniteNumbers)
{
  vgtest::Context ctx;
  vgStrokeWidth(ctx, 3);
  vgMiterLimit(ctx, 4);
  vgGlobalAlpha(ctx, 0.5f);
  vgScale(ctx, 1e30f, 2);
  for (float bad : {kNaN, kInf, -kInf}) {
    vgStrokeWidth(ctx, bad);
    vgMiterLimit(ctx, bad);
    vgGlobalAlpha(ctx, bad);
    vgTranslate(ctx, bad, 0);
    vgRotate(ctx, bad);
    vgTransform(ctx, 1, 0, 0, 1, 0, bad);
  }
  vgScale(ctx, 1e30f, 1); // the product overflows
  const VGstate* s = vgCurrentState(ctx);
  EXPECT_TRUE(SameFloats(&s->strokeWidth, {3, 4}));
  EXPECT_EQ(s->alpha, 0.5f);
  EXPECT_TRUE(SameFloats(s->xform, {1e30f, 0, 0, 2, 0, 0}, 1e24f));
}

TEST(VGState, TransformsPremultiplyTheStateMatrix)
{
  struct Case
  {
    Apply apply;
    std::vector<float> xform;
  };
  // clang-format off
  const Case cases[] = {
      {[](VGcontext* c) { vgTranslate(c, 10, 20); vgScale(c, 2, 3); }, {2, 0, 0, 3, 10, 20}},
      {[](VGcontext* c) { vgScale(c, 2, 3); vgTranslate(c, 10, 20); }, {2, 0, 0, 3, 20, 60}},
      {[](VGcontext* c) { vgRotate(c, kPi / 2); }, {0, 1, -1, 0, 0, 0}},
      {[](VGcontext* c) { vgSkewX(c, kPi / 4); }, {1, 0, 1, 1, 0, 0}},
      {[](VGcontext* c) { vgSkewY(c, kPi / 4); }, {1, 1, 0, 1, 0, 0}},
      {[](VGcontext* c) { vgTranslate(c, 5, 0); vgTransform(c, 1, 2, 3, 4, 5, 6); }, {1, 2, 3, 4, 10, 6}},
      {[](VGcontext* c) { vgScale(c, 4, 4); vgResetTransform(c); }, {1, 0, 0, 1, 0, 0}},
  };
  // clang-format on
  for (const Case& c : cases) {
    vgtest::Context ctx;
    c.apply(ctx);
    float xform[6];
    vgCurrentTransform(ctx, xform);
    vgCurrentTransform(ctx, nullptr);
    EXPECT_TRUE(SameFloats(xform, c.xform));
  }
}

TEST(VGState, PaintsFollowTheTransformInForceWhenSet)
{
  vgtest::Context ctx;
  vgTranslate(ctx, 10, 20);
  vgFillPaint(ctx, vgRadialGradient(1, 2, 0, 10, vgRGB(0, 0, 0), vgRGB(255, 255, 255)));
  vgScale(ctx, 3, 3);
  vgStrokePaint(ctx, vgBoxGradient(0, 0, 10, 10, 2, 4, vgRGB(0, 0, 0), vgRGB(255, 255, 255)));
  EXPECT_TRUE(SameFloats(vgCurrentState(ctx)->fill.xform, {1, 0, 0, 1, 11, 22}));
  EXPECT_TRUE(SameFloats(vgCurrentState(ctx)->stroke.xform, {3, 0, 0, 3, 25, 35}));
}

TEST(VGMath, InverseUndoesMultiplyComposesAndSingularGivesIdentity)
{
  const std::vector<std::vector<float>> matrices = {{2, 0, 0, 3, 10, -20},
                                                    {0.8f, 0.6f, -0.6f, 0.8f, 5, 7},
                                                    {1, 0.5f, 0.25f, 1, -3, 4},
                                                    {1e-2f, 0, 0, 1e-2f, 1, 1}};
  const float s[6] = {1, 2, 3, 4, 5, 6};
  for (const auto& m : matrices) {
    float inv[6], t[6], pre[6], p1[2], p2[2];
    EXPECT_EQ(vgTransformInverse(inv, m.data()), 1);
    std::copy(m.begin(), m.end(), t);
    vgTransformMultiply(t, inv);
    EXPECT_TRUE(SameFloats(t, {1, 0, 0, 1, 0, 0}));
    // t then s on points; premultiply exchanges the operands.
    std::copy(m.begin(), m.end(), t);
    vgTransformMultiply(t, s);
    vgTransformPoint(&p1[0], &p1[1], m.data(), 3, -2);
    vgTransformPoint(&p2[0], &p2[1], s, p1[0], p1[1]);
    vgTransformPoint(&p1[0], &p1[1], t, 3, -2);
    EXPECT_TRUE(SameFloats(p1, {p2[0], p2[1]}, 1e-3f));
    std::copy(s, s + 6, pre);
    vgTransformPremultiply(pre, m.data());
    EXPECT_TRUE(SameFloats(pre, std::vector<float>(t, t + 6)));
  }
  for (const auto& m : std::vector<std::vector<float>>{
           {0, 0, 0, 0, 5, 5}, {1, 2, 2, 4, 0, 0}, {1e-4f, 0, 0, 1e-3f, 0, 0}, {kNaN, 0, 0, 1, 0, 0}}) {
    float inv[6];
    EXPECT_EQ(vgTransformInverse(inv, m.data()), 0);
    EXPECT_TRUE(SameFloats(inv, {1, 0, 0, 1, 0, 0}));
  }
  EXPECT_FLOAT_EQ(vgDegToRad(180), 180 * 0.017453294f);
  EXPECT_FLOAT_EQ(vgRadToDeg(1), 57.295776f);
}

TEST(VGColor, ByteChannelsLerpAndHueSaturationLightness)
{
  EXPECT_TRUE(SameColor(vgRGBA(255, 51, 0, 102), {1, 0.2f, 0, 0.4f}));
  EXPECT_TRUE(SameColor(vgTransRGBA(vgRGB(255, 0, 0), 51), {1, 0, 0, 0.2f}));
  const VGcolor black = vgRGBAf(0, 0, 0, 0), white = vgRGBAf(1, 1, 1, 1);
  EXPECT_TRUE(SameColor(vgLerpRGBA(black, white, 0.25f), {0.25f, 0.25f, 0.25f, 0.25f}));
  EXPECT_TRUE(SameColor(vgLerpRGBA(black, white, -3), black));
  EXPECT_TRUE(SameColor(vgLerpRGBA(black, white, 7), white));
  struct Case
  {
    float h, s, l;
    unsigned char a;
    VGcolor expected;
  };
  const Case cases[] = {
      {0, 1, 0.5f, 255, {1, 0, 0, 1}},
      {1.0f / 3, 1, 0.5f, 255, {0, 1, 0, 1}},
      {2.0f / 3, 1, 0.5f, 255, {0, 0, 1, 1}},
      {0, 0, 0.5f, 255, {0.5f, 0.5f, 0.5f, 1}},
      {0.5f, 1, 0.25f, 51, {0, 0.5f, 0.5f, 0.2f}},
      {0.75f, 0.5f, 0.75f, 255, {0.75f, 0.625f, 0.875f, 1}},
      {0, 2, -1, 255, {0, 0, 0, 1}},
      {1.5f, 1, 0.5f, 255, {0, 1, 1, 1}},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(SameColor(vgHSLA(c.h, c.s, c.l, c.a), c.expected)) << c.h;
  EXPECT_TRUE(SameColor(vgHSLA(-0.25f, 0.6f, 0.4f, 255), vgHSL(0.75f, 0.6f, 0.4f)));
}

TEST(VGPaint, GradientsAndPatterns)
{
  const VGcolor a = vgRGB(255, 0, 0), b = vgRGB(0, 0, 255);
  struct Case
  {
    VGpaint paint;
    std::vector<float> xformExtentRadiusFeather;
  };
  // clang-format off
  const Case cases[] = {
      {vgLinearGradient(10, 20, 30, 20, a, b), {0, -1, 1, 0, 10 - 1e5f, 20, 1e5f, 1e5f + 10, 0, 20}},
      {vgLinearGradient(0, 0, 0, 4, a, b), {1, 0, 0, 1, 0, -1e5f, 1e5f, 1e5f + 2, 0, 4}},
      {vgLinearGradient(5, 5, 5, 5, a, b), {1, 0, 0, 1, 5, 5 - 1e5f, 1e5f, 1e5f, 0, 1}}, // equal ends
      {vgRadialGradient(5, 6, 2, 10, a, b), {1, 0, 0, 1, 5, 6, 6, 6, 6, 8}},
      {vgRadialGradient(5, 6, 10, 10.5f, a, b), {1, 0, 0, 1, 5, 6, 10.25f, 10.25f, 10.25f, 1}},
      {vgBoxGradient(10, 20, 100, 50, 5, 3, a, b), {1, 0, 0, 1, 60, 45, 50, 25, 5, 3}},
      {vgBoxGradient(10, 20, 100, 50, 5, 0, a, b), {1, 0, 0, 1, 60, 45, 50, 25, 5, 1}},
      {vgImagePattern(3, 4, 64, 32, kPi / 2, 7, 0.5f), {0, 1, -1, 0, 3, 4, 64, 32, 0, 0}},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_TRUE(SameFloats(c.paint.xform, c.xformExtentRadiusFeather, 1e-3f));
  EXPECT_EQ(cases[7].paint.image, 7);
  EXPECT_EQ(cases[0].paint.image, 0);
  EXPECT_TRUE(SameColor(cases[7].paint.outerColor, {1, 1, 1, 0.5f}));
  EXPECT_TRUE(SameColor(cases[0].paint.outerColor, b));
}

TEST(VGScissor, SetIntersectAndReset)
{
  struct Case
  {
    Apply apply;
    std::vector<float> xformExtent;
  };
  // clang-format off
  const Case cases[] = {
      {[](VGcontext* c) { vgScissor(c, 10, 20, 100, 50); }, {1, 0, 0, 1, 60, 45, 50, 25}},
      {[](VGcontext* c) { vgScissor(c, 10, 20, -100, 50); }, {1, 0, 0, 1, 10, 45, 0, 25}},
      {[](VGcontext* c) { vgTranslate(c, 5, 5); vgScissor(c, 10, 20, 100, 50); }, {1, 0, 0, 1, 65, 50, 50, 25}},
      {[](VGcontext* c) { vgIntersectScissor(c, 0, 0, 8, 4); }, {1, 0, 0, 1, 4, 2, 4, 2}},
      {[](VGcontext* c) { vgScissor(c, 0, 0, 100, 100); vgIntersectScissor(c, 50, 50, 100, 100); },
       {1, 0, 0, 1, 75, 75, 25, 25}},
      {[](VGcontext* c) { vgScissor(c, 0, 0, 10, 10); vgIntersectScissor(c, 50, 50, 10, 10); },
       {1, 0, 0, 1, 50, 50, 0, 0}},
      {[](VGcontext* c) { vgScissor(c, 0, 0, 100, 50); vgTranslate(c, 10, 0); vgIntersectScissor(c, 0, 0, 1e3f, 1e3f); },
       {1, 0, 0, 1, 55, 25, 45, 25}},
      {[](VGcontext* c) { vgScissor(c, 0, 0, 8, 4); vgScissor(c, kNaN, 0, 1, 1); vgIntersectScissor(c, 0, kInf, 1, 1); },
       {1, 0, 0, 1, 4, 2, 4, 2}},
      {[](VGcontext* c) { vgScissor(c, 0, 0, 8, 4); vgResetScissor(c); }, {0, 0, 0, 0, 0, 0, -1, -1}},
  };
  // clang-format on
  for (const Case& c : cases) {
    vgtest::Context ctx;
    c.apply(ctx);
    EXPECT_TRUE(SameFloats(vgCurrentState(ctx)->scissor.xform, c.xformExtent));
  }
}

// The mapping is a pure function: no context, no state.
TEST(VGComposite, OperationsSelectTheirBlendFactors)
{
  const int table[][3] = {
      {VG_SOURCE_OVER, VG_ONE, VG_ONE_MINUS_SRC_ALPHA},
      {VG_SOURCE_IN, VG_DST_ALPHA, VG_ZERO},
      {VG_SOURCE_OUT, VG_ONE_MINUS_DST_ALPHA, VG_ZERO},
      {VG_ATOP, VG_DST_ALPHA, VG_ONE_MINUS_SRC_ALPHA},
      {VG_DESTINATION_OVER, VG_ONE_MINUS_DST_ALPHA, VG_ONE},
      {VG_DESTINATION_IN, VG_ZERO, VG_SRC_ALPHA},
      {VG_DESTINATION_OUT, VG_ZERO, VG_ONE_MINUS_SRC_ALPHA},
      {VG_DESTINATION_ATOP, VG_ONE_MINUS_DST_ALPHA, VG_SRC_ALPHA},
      {VG_LIGHTER, VG_ONE, VG_ONE},
      {VG_COPY, VG_ONE, VG_ZERO},
      {VG_XOR, VG_ONE_MINUS_DST_ALPHA, VG_ONE_MINUS_SRC_ALPHA},
      {11, VG_ONE, VG_ZERO},
      {-1, VG_ONE, VG_ZERO},
  };
  // The bit values the backend decodes.
  EXPECT_EQ(std::vector<int>({VG_ZERO, VG_ONE, VG_ONE_MINUS_SRC_ALPHA, VG_DST_ALPHA, VG_SRC_ALPHA_SATURATE}),
            std::vector<int>({1, 2, 128, 256, 1024}));
  for (const auto& row : table)
    EXPECT_EQ(Ints(vgCompositeOperationStateFor(row[0])), Ints({row[1], row[2], row[1], row[2]})) << row[0];
}

TEST(VGComposite, SettersStoreTheFactorsOnTheCurrentState)
{
  vgtest::Context ctx;
  vgCompositeOperation(ctx, VG_XOR);
  EXPECT_EQ(Ints(vgCurrentState(ctx)->compositeOperation), Ints(vgCompositeOperationStateFor(VG_XOR)));
  vgCompositeBlendFunc(ctx, VG_SRC_COLOR, VG_DST_COLOR);
  EXPECT_EQ(Ints(vgCurrentState(ctx)->compositeOperation),
            Ints({VG_SRC_COLOR, VG_DST_COLOR, VG_SRC_COLOR, VG_DST_COLOR}));
  vgCompositeBlendFuncSeparate(ctx, VG_ONE, VG_ZERO, VG_SRC_ALPHA_SATURATE, VG_ONE_MINUS_DST_COLOR);
  EXPECT_EQ(Ints(vgCurrentState(ctx)->compositeOperation),
            Ints({VG_ONE, VG_ZERO, VG_SRC_ALPHA_SATURATE, VG_ONE_MINUS_DST_COLOR}));
}

// The named starting values are the ones a reset state and a new context hold.
TEST(VGState, NamedDefaultsAreTheStartingValues)
{
  EXPECT_EQ(std::vector<float>({kVGTessellationTolerance, kVGDistanceTolerance, kVGFringeWidth,
                                kVGInitialMiterLimit, kVGInitialStrokeWidth, kVGInitialFontSize,
                                kVGInitialLineHeight, kVGInitialAlpha, kVGNoScissorExtent}),
            std::vector<float>({0.25f, 0.01f, 1.0f, 10.0f, 1.0f, 16.0f, 1.0f, 1.0f, -1.0f}));
  EXPECT_TRUE(SameColor(kVGInitialFillColor, {1, 1, 1, 1}));
  EXPECT_TRUE(SameColor(kVGInitialStrokeColor, {0, 0, 0, 1}));
  EXPECT_EQ(kVGInitialCompositeOperation, VG_SOURCE_OVER);

  vgtest::Context ctx;
  vgMiterLimit(ctx, 3);
  vgFillColor(ctx, vgRGBA(10, 20, 30, 40));
  vgReset(ctx);
  const VGstate* s = vgCurrentState(ctx);
  EXPECT_EQ(s->miterLimit, kVGInitialMiterLimit);
  EXPECT_TRUE(SameColor(s->fill.innerColor, kVGInitialFillColor));
  EXPECT_TRUE(SameColor(s->stroke.innerColor, kVGInitialStrokeColor));
  EXPECT_EQ(Ints(s->compositeOperation), Ints(vgCompositeOperationStateFor(kVGInitialCompositeOperation)));
  EXPECT_EQ(ctx->tessTol, kVGTessellationTolerance);
  EXPECT_EQ(ctx->distTol, kVGDistanceTolerance);
  EXPECT_EQ(ctx->fringeWidth, kVGFringeWidth);
}
