// Drawing state: the stack, setters, transforms, colours, paints, scissor and composite tables.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/graphics/renderer/VGTestSupport.h"

using vgtest::SameColor;
using vgtest::SameFloats;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kPi = 3.14159265358979f;

std::vector<float> Xf(const float* t)
{
  return std::vector<float>(t, t + 6);
}

} // namespace

TEST(VGState, ResetGivesTheDefaults)
{
  vgtest::Context ctx;
  const VGstate* s = vgCurrentState(ctx);
  EXPECT_TRUE(SameColor(s->fill.innerColor, {1, 1, 1, 1}));
  EXPECT_TRUE(SameColor(s->fill.outerColor, {1, 1, 1, 1}));
  EXPECT_TRUE(SameColor(s->stroke.innerColor, {0, 0, 0, 1}));
  EXPECT_TRUE(SameFloats(s->fill.xform, {1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(s->fill.radius, 0.0f);
  EXPECT_EQ(s->fill.feather, 1.0f);
  EXPECT_EQ(s->fill.image, 0);
  const VGcompositeOperationState over{VG_ONE, VG_ONE_MINUS_SRC_ALPHA, VG_ONE, VG_ONE_MINUS_SRC_ALPHA};
  EXPECT_EQ(std::memcmp(&s->compositeOperation, &over, sizeof(over)), 0);
  EXPECT_EQ(s->shapeAntiAlias, 1);
  EXPECT_EQ(s->strokeWidth, 1.0f);
  EXPECT_EQ(s->miterLimit, 10.0f);
  EXPECT_EQ(s->lineCap, VG_BUTT);
  EXPECT_EQ(s->lineJoin, VG_MITER);
  EXPECT_EQ(s->alpha, 1.0f);
  EXPECT_TRUE(SameFloats(s->xform, {1, 0, 0, 1, 0, 0}));
  EXPECT_TRUE(SameFloats(s->scissor.xform, {0, 0, 0, 0, 0, 0, -1, -1}));
  EXPECT_TRUE(SameFloats(&s->fontSize, {16, 0, 1, 0}));
  EXPECT_EQ(s->textAlign, 65);
  EXPECT_EQ(s->fontId, 0);
}

TEST(VGState, ThirtyThreeSavesAndRestoresStayInsideTheStack)
{
  vgtest::Context ctx;
  for (int i = 0; i < 33; ++i) {
    vgStrokeWidth(ctx, (float)i);
    vgSave(ctx);
  }
  EXPECT_EQ(ctx->nstates, 32);
  // The 32nd save was the last one kept; what was set before it is on top.
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
  for (float bad : {kNaN, kInf, -kInf}) {
    vgStrokeWidth(ctx, bad);
    vgMiterLimit(ctx, bad);
    vgGlobalAlpha(ctx, bad);
    vgTranslate(ctx, bad, 0);
    vgScale(ctx, 1, bad);
    vgRotate(ctx, bad);
    vgTransform(ctx, 1, 0, 0, 1, bad, 0);
  }
  // A product that overflows is refused as well.
  vgScale(ctx, 1e30f, 1e30f);
  vgScale(ctx, 1e30f, 1e30f);
  const VGstate* s = vgCurrentState(ctx);
  EXPECT_EQ(s->strokeWidth, 3.0f);
  EXPECT_EQ(s->miterLimit, 4.0f);
  EXPECT_EQ(s->alpha, 0.5f);
  EXPECT_TRUE(SameFloats(s->xform, {1e30f, 0, 0, 1e30f, 0, 0}, 1e24f));
}

TEST(VGState, TransformsPremultiplyTheStateMatrix)
{
  // Each call applies before what is in force: translate then scale maps p to 2p + t.
  struct Case
  {
    const char* what;
    void (*apply)(VGcontext*);
    std::vector<float> xform;
  };
  const Case cases[] = {
      {"translate, scale",
       [](VGcontext* c) {
         vgTranslate(c, 10, 20);
         vgScale(c, 2, 3);
       },
       {2, 0, 0, 3, 10, 20}},
      {"scale, translate",
       [](VGcontext* c) {
         vgScale(c, 2, 3);
         vgTranslate(c, 10, 20);
       },
       {2, 0, 0, 3, 20, 60}},
      {"rotate quarter", [](VGcontext* c) { vgRotate(c, kPi / 2); }, {0, 1, -1, 0, 0, 0}},
      {"skew x", [](VGcontext* c) { vgSkewX(c, kPi / 4); }, {1, 0, 1, 1, 0, 0}},
      {"skew y", [](VGcontext* c) { vgSkewY(c, kPi / 4); }, {1, 1, 0, 1, 0, 0}},
      {"transform",
       [](VGcontext* c) {
         vgTranslate(c, 5, 0);
         vgTransform(c, 1, 2, 3, 4, 5, 6);
       },
       {1, 2, 3, 4, 10, 6}},
      {"reset",
       [](VGcontext* c) {
         vgScale(c, 4, 4);
         vgResetTransform(c);
       },
       {1, 0, 0, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vgtest::Context ctx;
    c.apply(ctx);
    float xform[6];
    vgCurrentTransform(ctx, xform);
    EXPECT_TRUE(SameFloats(xform, c.xform));
    vgCurrentTransform(ctx, nullptr);
  }
}

TEST(VGState, PaintsFollowTheTransformInForceWhenSet)
{
  vgtest::Context ctx;
  vgTranslate(ctx, 10, 20);
  vgFillPaint(ctx, vgRadialGradient(1, 2, 0, 10, vgRGB(0, 0, 0), vgRGB(255, 255, 255)));
  vgScale(ctx, 3, 3); // later transforms leave the paint alone
  vgStrokePaint(ctx, vgBoxGradient(0, 0, 10, 10, 2, 4, vgRGB(0, 0, 0), vgRGB(255, 255, 255)));
  EXPECT_TRUE(SameFloats(vgCurrentState(ctx)->fill.xform, {1, 0, 0, 1, 11, 22}));
  EXPECT_TRUE(SameFloats(vgCurrentState(ctx)->stroke.xform, {3, 0, 0, 3, 25, 35}));
}

TEST(VGMath, InverseUndoesAndMultiplyComposes)
{
  const std::vector<std::vector<float>> matrices = {
      {1, 0, 0, 1, 0, 0},         {2, 0, 0, 3, 10, -20},      {0.8f, 0.6f, -0.6f, 0.8f, 5, 7},
      {1, 0.5f, 0.25f, 1, -3, 4}, {1e-2f, 0, 0, 1e-2f, 1, 1},
  };
  for (const auto& m : matrices) {
    float inv[6], prod[6];
    EXPECT_EQ(vgTransformInverse(inv, m.data()), 1);
    std::copy(m.begin(), m.end(), prod);
    vgTransformMultiply(prod, inv);
    EXPECT_TRUE(SameFloats(prod, {1, 0, 0, 1, 0, 0}, 1e-4f));
    // Premultiply is multiply with the operands exchanged.
    float a[6], b[6];
    std::copy(m.begin(), m.end(), a);
    const float s[6] = {1, 2, 3, 4, 5, 6};
    std::copy(s, s + 6, b);
    vgTransformPremultiply(a, s);
    vgTransformMultiply(b, m.data());
    EXPECT_TRUE(SameFloats(a, Xf(b)));
    // Multiply is "t, then s" on points.
    float t[6];
    std::copy(m.begin(), m.end(), t);
    vgTransformMultiply(t, s);
    float x1, y1, x2, y2;
    vgTransformPoint(&x1, &y1, m.data(), 3, -2);
    vgTransformPoint(&x2, &y2, s, x1, y1);
    vgTransformPoint(&x1, &y1, t, 3, -2);
    EXPECT_NEAR(x1, x2, 1e-3f);
    EXPECT_NEAR(y1, y2, 1e-3f);
  }
}

TEST(VGMath, SingularMatricesInvertToIdentity)
{
  const std::vector<std::vector<float>> singular = {
      {0, 0, 0, 0, 5, 5}, {1, 2, 2, 4, 0, 0}, {1e-4f, 0, 0, 1e-3f, 0, 0}, {kNaN, 0, 0, 1, 0, 0}};
  for (const auto& m : singular) {
    float inv[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_EQ(vgTransformInverse(inv, m.data()), 0);
    EXPECT_TRUE(SameFloats(inv, {1, 0, 0, 1, 0, 0}));
  }
}

TEST(VGMath, ConstructorsAndAngleConversions)
{
  float t[6];
  vgTransformScale(t, 2, 3);
  EXPECT_TRUE(SameFloats(t, {2, 0, 0, 3, 0, 0}));
  vgTransformRotate(t, kPi / 6);
  EXPECT_TRUE(SameFloats(t, {std::cos(kPi / 6), 0.5f, -0.5f, std::cos(kPi / 6), 0, 0}));
  vgTransformSkewX(t, kPi / 4);
  EXPECT_TRUE(SameFloats(t, {1, 0, 1, 1, 0, 0}));
  vgTransformTranslate(t, 4, 5);
  EXPECT_TRUE(SameFloats(t, {1, 0, 0, 1, 4, 5}));
  EXPECT_FLOAT_EQ(vgDegToRad(180), 180 * 0.017453294f);
  EXPECT_FLOAT_EQ(vgRadToDeg(1), 57.295776f);
}

TEST(VGColor, Constructors)
{
  EXPECT_TRUE(SameColor(vgRGB(255, 51, 0), {1, 0.2f, 0, 1}));
  EXPECT_TRUE(SameColor(vgRGBA(0, 0, 255, 51), {0, 0, 1, 0.2f}));
  EXPECT_TRUE(SameColor(vgRGBf(0.1f, 0.2f, 0.3f), {0.1f, 0.2f, 0.3f, 1}));
  EXPECT_TRUE(SameColor(vgRGBAf(2, -1, 0.5f, 0.25f), {2, -1, 0.5f, 0.25f}));
  EXPECT_TRUE(SameColor(vgTransRGBA(vgRGB(255, 0, 0), 102), {1, 0, 0, 0.4f}));
  EXPECT_TRUE(SameColor(vgTransRGBAf(vgRGB(255, 0, 0), 0.3f), {1, 0, 0, 0.3f}));
  const VGcolor black = vgRGBAf(0, 0, 0, 0), white = vgRGBAf(1, 1, 1, 1);
  EXPECT_TRUE(SameColor(vgLerpRGBA(black, white, 0.25f), {0.25f, 0.25f, 0.25f, 0.25f}));
  EXPECT_TRUE(SameColor(vgLerpRGBA(black, white, -3), black));
  EXPECT_TRUE(SameColor(vgLerpRGBA(black, white, 7), white));
}

TEST(VGColor, HueSaturationLightness)
{
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
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.h << " " << c.s << " " << c.l);
    EXPECT_TRUE(SameColor(vgHSLA(c.h, c.s, c.l, c.a), c.expected));
  }
  EXPECT_TRUE(SameColor(vgHSLA(-0.25f, 0.6f, 0.4f, 255), vgHSLA(0.75f, 0.6f, 0.4f, 255)));
  EXPECT_TRUE(SameColor(vgHSL(0.3f, 0.6f, 0.4f), vgHSLA(0.3f, 0.6f, 0.4f, 255)));
}

TEST(VGPaint, GradientsAndPatterns)
{
  const VGcolor a = vgRGB(255, 0, 0), b = vgRGB(0, 0, 255);
  struct Case
  {
    const char* what;
    VGpaint paint;
    std::vector<float> xformExtentRadiusFeather;
  };
  const Case cases[] = {
      {"linear along x",
       vgLinearGradient(10, 20, 30, 20, a, b),
       {0, -1, 1, 0, 10 - 1e5f, 20, 1e5f, 1e5f + 10, 0, 20}},
      {"linear along y", vgLinearGradient(0, 0, 0, 4, a, b), {1, 0, 0, 1, 0, -1e5f, 1e5f, 1e5f + 2, 0, 4}},
      {"linear, equal ends", vgLinearGradient(5, 5, 5, 5, a, b), {1, 0, 0, 1, 5, 5 - 1e5f, 1e5f, 1e5f, 0, 1}},
      {"radial", vgRadialGradient(5, 6, 2, 10, a, b), {1, 0, 0, 1, 5, 6, 6, 6, 6, 8}},
      {"radial, thin ring",
       vgRadialGradient(5, 6, 10, 10.5f, a, b),
       {1, 0, 0, 1, 5, 6, 10.25f, 10.25f, 10.25f, 1}},
      {"box", vgBoxGradient(10, 20, 100, 50, 5, 3, a, b), {1, 0, 0, 1, 60, 45, 50, 25, 5, 3}},
      {"box, no feather", vgBoxGradient(10, 20, 100, 50, 5, 0, a, b), {1, 0, 0, 1, 60, 45, 50, 25, 5, 1}},
      {"pattern", vgImagePattern(3, 4, 64, 32, kPi / 2, 7, 0.5f), {0, 1, -1, 0, 3, 4, 64, 32, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<float> got(c.paint.xform, c.paint.xform + 6);
    got.insert(got.end(), {c.paint.extent[0], c.paint.extent[1], c.paint.radius, c.paint.feather});
    EXPECT_TRUE(SameFloats(got.data(), c.xformExtentRadiusFeather, 1e-3f));
  }
  const VGpaint pattern = vgImagePattern(3, 4, 64, 32, 0, 7, 0.5f);
  EXPECT_EQ(pattern.image, 7);
  EXPECT_TRUE(SameColor(pattern.innerColor, {1, 1, 1, 0.5f}));
  EXPECT_TRUE(SameColor(pattern.outerColor, {1, 1, 1, 0.5f}));
  const VGpaint linear = vgLinearGradient(0, 0, 1, 1, a, b);
  EXPECT_TRUE(SameColor(linear.innerColor, a));
  EXPECT_TRUE(SameColor(linear.outerColor, b));
  EXPECT_EQ(linear.image, 0);
}

TEST(VGScissor, SetIntersectAndReset)
{
  struct Case
  {
    const char* what;
    void (*apply)(VGcontext*);
    std::vector<float> xformExtent;
  };
  const Case cases[] = {
      {"plain", [](VGcontext* c) { vgScissor(c, 10, 20, 100, 50); }, {1, 0, 0, 1, 60, 45, 50, 25}},
      {"negative width", [](VGcontext* c) { vgScissor(c, 10, 20, -100, 50); }, {1, 0, 0, 1, 10, 45, 0, 25}},
      {"translated",
       [](VGcontext* c) {
         vgTranslate(c, 5, 5);
         vgScissor(c, 10, 20, 100, 50);
       },
       {1, 0, 0, 1, 65, 50, 50, 25}},
      {"intersect without scissor",
       [](VGcontext* c) { vgIntersectScissor(c, 0, 0, 8, 4); },
       {1, 0, 0, 1, 4, 2, 4, 2}},
      {"intersect overlap",
       [](VGcontext* c) {
         vgScissor(c, 0, 0, 100, 100);
         vgIntersectScissor(c, 50, 50, 100, 100);
       },
       {1, 0, 0, 1, 75, 75, 25, 25}},
      {"intersect disjoint",
       [](VGcontext* c) {
         vgScissor(c, 0, 0, 10, 10);
         vgIntersectScissor(c, 50, 50, 10, 10);
       },
       {1, 0, 0, 1, 50, 50, 0, 0}},
      {"intersect across a translation",
       [](VGcontext* c) {
         vgScissor(c, 0, 0, 100, 50);
         vgTranslate(c, 10, 0);
         vgIntersectScissor(c, 0, 0, 1000, 1000);
       },
       {1, 0, 0, 1, 55, 25, 45, 25}},
      {"non-finite ignored",
       [](VGcontext* c) {
         vgScissor(c, 0, 0, 8, 4);
         vgScissor(c, kNaN, 0, 1, 1);
         vgIntersectScissor(c, 0, kInf, 1, 1);
       },
       {1, 0, 0, 1, 4, 2, 4, 2}},
      {"reset",
       [](VGcontext* c) {
         vgScissor(c, 0, 0, 8, 4);
         vgResetScissor(c);
       },
       {0, 0, 0, 0, 0, 0, -1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vgtest::Context ctx;
    c.apply(ctx);
    EXPECT_TRUE(SameFloats(vgCurrentState(ctx)->scissor.xform, c.xformExtent));
  }
}

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
  EXPECT_EQ(VG_ONE_MINUS_SRC_ALPHA, 128);
  EXPECT_EQ(VG_SRC_ALPHA_SATURATE, 1024);
  vgtest::Context ctx;
  for (const auto& row : table) {
    SCOPED_TRACE(row[0]);
    vgCompositeOperation(ctx, row[0]);
    const VGcompositeOperationState& op = vgCurrentState(ctx)->compositeOperation;
    EXPECT_EQ(op.srcRGB, row[1]);
    EXPECT_EQ(op.dstRGB, row[2]);
    EXPECT_EQ(op.srcAlpha, row[1]);
    EXPECT_EQ(op.dstAlpha, row[2]);
  }
  vgCompositeBlendFunc(ctx, VG_SRC_COLOR, VG_DST_COLOR);
  const VGcompositeOperationState pair{VG_SRC_COLOR, VG_DST_COLOR, VG_SRC_COLOR, VG_DST_COLOR};
  EXPECT_EQ(std::memcmp(&vgCurrentState(ctx)->compositeOperation, &pair, sizeof(pair)), 0);
  vgCompositeBlendFuncSeparate(ctx, VG_ONE, VG_ZERO, VG_SRC_ALPHA_SATURATE, VG_ONE_MINUS_DST_COLOR);
  const VGcompositeOperationState sep{VG_ONE, VG_ZERO, VG_SRC_ALPHA_SATURATE, VG_ONE_MINUS_DST_COLOR};
  EXPECT_EQ(std::memcmp(&vgCurrentState(ctx)->compositeOperation, &sep, sizeof(sep)), 0);
}
