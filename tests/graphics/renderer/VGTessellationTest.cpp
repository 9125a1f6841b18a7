// Fill and stroke expansion as the backend receives it: vertices, fringes, caps, joins, widths,
// paints and statistics.
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/renderer/VGExpand.h"
#include "tests/graphics/renderer/VGTestSupport.h"

using testsupport::RecordedDraw;
using vgtest::SameColor;
using vgtest::SameFloats;
using vgtest::SameVerts;
using vgtest::Verts;
using V = std::vector<VGvertex>;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

const RecordedDraw& FillRect(vgtest::Context& ctx)
{
  vgBeginPath(ctx);
  vgRect(ctx, 10, 10, 100, 50);
  vgFill(ctx);
  return ctx.LastDraw();
}

// Strokes the line (10, 10)-(110, 10) and returns its vertices.
const V& StrokeLine(vgtest::Context& ctx, float width, int cap)
{
  vgBeginPath(ctx);
  vgMoveTo(ctx, 10, 10);
  vgLineTo(ctx, 110, 10);
  vgStrokeWidth(ctx, width);
  vgLineCap(ctx, cap);
  vgStroke(ctx);
  return ctx.LastDraw().paths[0].stroke;
}

V Slice(const V& v, size_t from, size_t n)
{
  return V(v.begin() + (long)from, v.begin() + (long)(from + n));
}

} // namespace

TEST(VGFill, RectangleWithFringe)
{
  vgtest::Context ctx;
  const RecordedDraw& d = FillRect(ctx);
  ASSERT_EQ(d.kind, RecordedDraw::Kind::Fill);
  ASSERT_EQ(d.paths.size(), 1u);
  EXPECT_TRUE(d.paths[0].convex && d.paths[0].closed);
  // Corners inset by half a fringe; one convex shape takes its fringe half inside (0.5), half outside (1).
  EXPECT_TRUE(SameVerts(d.paths[0].fill, Verts({10.5f, 10.5f, .5f, 1, 10.5f, 59.5f, .5f, 1, //
                                                109.5f, 59.5f, .5f, 1, 109.5f, 10.5f, .5f, 1})));
  EXPECT_TRUE(SameVerts(d.paths[0].stroke, Verts({10.5f,  10.5f, .5f, 1, 9.5f,   9.5f,  1, 1, //
                                                  10.5f,  59.5f, .5f, 1, 9.5f,   60.5f, 1, 1, //
                                                  109.5f, 59.5f, .5f, 1, 110.5f, 60.5f, 1, 1, //
                                                  109.5f, 10.5f, .5f, 1, 110.5f, 9.5f,  1, 1, //
                                                  10.5f,  10.5f, .5f, 1, 9.5f,   9.5f,  1, 1})));
  EXPECT_TRUE(SameFloats(d.bounds.data(), {10, 10, 110, 60}));
  EXPECT_EQ(d.fringe, 1.0f);
  EXPECT_EQ(ctx->drawCallCount, 2);
  EXPECT_EQ(ctx->fillTriCount, (4 - 2) + (10 - 2));
}

TEST(VGFill, FringeByBackendStateRatioAndPathCount)
{
  const V corners = Verts({10, 10, .5f, 1, 10, 60, .5f, 1, 110, 60, .5f, 1, 110, 10, .5f, 1});
  {
    vgtest::Context ctx(false); // backend without anti-aliasing
    EXPECT_TRUE(SameVerts(FillRect(ctx).paths[0].fill, corners));
    EXPECT_TRUE(FillRect(ctx).paths[0].stroke.empty());
  }
  {
    vgtest::Context ctx(true);
    vgShapeAntiAlias(ctx, 0);
    EXPECT_TRUE(SameVerts(FillRect(ctx).paths[0].fill, corners));
    EXPECT_TRUE(FillRect(ctx).paths[0].stroke.empty());
  }
  {
    // At ratio 2 the fringe is half a unit; vertices stay in frame units.
    vgtest::Context ctx(true, 2.0f);
    const RecordedDraw& d = FillRect(ctx);
    EXPECT_EQ(d.fringe, 0.5f);
    EXPECT_TRUE(SameVerts(Slice(d.paths[0].fill, 0, 1), Verts({10.25f, 10.25f, .5f, 1})));
    EXPECT_TRUE(
        SameVerts(Slice(d.paths[0].stroke, 0, 2), Verts({10.25f, 10.25f, .5f, 1, 9.75f, 9.75f, 1, 1})));
  }
  {
    // Two paths are not one convex shape: the fringe spans 1.5 inside (coverage 0) to 0.5 outside.
    vgtest::Context ctx;
    vgRect(ctx, 200, 10, 10, 10);
    vgRect(ctx, 10, 10, 100, 50);
    vgFill(ctx);
    const RecordedDraw& d = ctx.LastDraw();
    ASSERT_EQ(d.paths.size(), 2u);
    EXPECT_TRUE(SameVerts(Slice(d.paths[1].stroke, 0, 2), Verts({11.5f, 11.5f, 0, 1, 9.5f, 9.5f, 1, 1})));
    EXPECT_TRUE(SameFloats(d.bounds.data(), {10, 10, 210, 60}));
    EXPECT_EQ(ctx->drawCallCount, 4);
  }
}

TEST(VGFill, PaintAlphaCompositeAndScissorReachTheBackend)
{
  vgtest::Context ctx;
  vgFillColor(ctx, vgRGBAf(0.2f, 0.4f, 0.6f, 0.8f));
  vgGlobalAlpha(ctx, 0.5f);
  vgCompositeOperation(ctx, VG_XOR);
  vgScissor(ctx, 0, 0, 20, 10);
  const RecordedDraw& d = FillRect(ctx);
  EXPECT_TRUE(SameColor(d.paint.innerColor, {0.2f, 0.4f, 0.6f, 0.4f}));
  EXPECT_TRUE(SameColor(d.paint.outerColor, {0.2f, 0.4f, 0.6f, 0.4f}));
  EXPECT_EQ(d.op.srcRGB, VG_ONE_MINUS_DST_ALPHA);
  EXPECT_EQ(d.op.dstAlpha, VG_ONE_MINUS_SRC_ALPHA);
  EXPECT_TRUE(SameFloats(d.scissor.xform, {1, 0, 0, 1, 10, 5, 10, 5}));
  EXPECT_EQ(vgCurrentState(ctx)->fill.innerColor.a, 0.8f); // the state keeps its colour
}

TEST(VGDraw, NothingReachesTheBackendForEmptyOrNonFiniteDraws)
{
  // clang-format off
  const std::function<void(VGcontext*)> draws[] = {
      [](VGcontext* c) { vgFill(c); vgStroke(c); },
      [](VGcontext* c) { vgLineTo(c, 1, 1); vgClosePath(c); vgFill(c); vgStroke(c); },
      [](VGcontext* c) { vgFillColor(c, vgRGBAf(kNaN, 0, 0, 1)); vgRect(c, 0, 0, 5, 5); vgFill(c); },
      [](VGcontext* c) { vgFillPaint(c, vgLinearGradient(0, 0, kNaN, 0, vgRGB(0, 0, 0), vgRGB(9, 9, 9)));
                         vgRect(c, 0, 0, 5, 5); vgFill(c); },
      // A paint whose matrix overflows under the transform in force.
      [](VGcontext* c) { vgScale(c, 1e30f, 1e30f);
                         vgStrokePaint(c, vgRadialGradient(1e20f, 0, 1, 2, vgRGB(0, 0, 0), vgRGB(9, 9, 9)));
                         vgRect(c, 0, 0, 1e-13f, 1e-13f); vgStroke(c); },
  };
  // clang-format on
  for (size_t i = 0; i < std::size(draws); ++i) {
    vgtest::Context ctx;
    draws[i](ctx);
    EXPECT_TRUE(ctx.backend.draws.empty()) << "case " << i;
  }
}

TEST(VGDraw, FillThenStrokeFlattenOnce)
{
  vgtest::Context ctx;
  FillRect(ctx);
  const int npoints = ctx->cache->npoints;
  vgLineTo(ctx, 500, 500); // not flattened again until the next path
  vgStroke(ctx);
  EXPECT_EQ(ctx->cache->npoints, npoints);
  EXPECT_EQ(ctx.LastDraw().paths[0].count, 4);
  // Each call computes its own vertices from the shared points.
  vgFill(ctx);
  EXPECT_TRUE(SameVerts(ctx.backend.draws[2].paths[0].stroke, ctx.backend.draws[0].paths[0].stroke));
}

TEST(VGStroke, ButtAndSquareCaps)
{
  {
    // Half-width 2 plus half the fringe; butt ends half a fringe inside, their fringe outside.
    vgtest::Context ctx;
    EXPECT_TRUE(SameVerts(StrokeLine(ctx, 4, VG_BUTT), Verts({9.5f,   7.5f, 0, 0, 9.5f,   12.5f, 1, 0, //
                                                              10.5f,  7.5f, 0, 1, 10.5f,  12.5f, 1, 1, //
                                                              109.5f, 7.5f, 0, 1, 109.5f, 12.5f, 1, 1, //
                                                              110.5f, 7.5f, 0, 0, 110.5f, 12.5f, 1, 0})));
    EXPECT_EQ(ctx.LastDraw().strokeWidth, 4.0f);
    EXPECT_TRUE(ctx.LastDraw().paths[0].fill.empty());
    EXPECT_EQ(ctx->strokeTriCount, 6);
    EXPECT_EQ(ctx->drawCallCount, 1);
    // Square ends reach out by the half-width.
    const V& s = StrokeLine(ctx, 4, VG_SQUARE);
    EXPECT_TRUE(SameVerts(Slice(s, 0, 2), Verts({7.5f, 7.5f, 0, 0, 7.5f, 12.5f, 1, 0})));
    EXPECT_TRUE(SameVerts(Slice(s, 6, 2), Verts({112.5f, 7.5f, 0, 0, 112.5f, 12.5f, 1, 0})));
  }
  {
    vgtest::Context ctx(false);
    EXPECT_TRUE(
        SameVerts(StrokeLine(ctx, 4, VG_BUTT), Verts({10,  8,  .5f, 0, 10,  12, .5f, 0, 10,  8,  .5f, 1, //
                                                      10,  12, .5f, 1, 110, 8,  .5f, 1, 110, 12, .5f, 1, //
                                                      110, 8,  .5f, 0, 110, 12, .5f, 0})));
  }
}

TEST(VGStroke, WidthsScaleClampAndFadeBelowTheFringe)
{
  struct Case
  {
    float ratio, width, scale, sentWidth, alpha;
  };
  const Case cases[] = {{1, 0.5f, 1, 1, 0.25f},    {1, 0, 1, 1, 0},     {1, -3, 1, 1, 0},
                        {1, 3, 2, 6, 1},           {1, 500, 1, 200, 1}, {2, 0.5f, 1, 0.5f, 1},
                        {2, 0.25f, 1, 0.5f, 0.25f}};
  for (const Case& c : cases) {
    vgtest::Context ctx(true, c.ratio);
    vgScale(ctx, c.scale, c.scale);
    StrokeLine(ctx, c.width, VG_BUTT);
    const RecordedDraw& d = ctx.LastDraw();
    EXPECT_TRUE(SameFloats(&d.strokeWidth, {c.sentWidth}, 1e-6f)) << c.width;
    EXPECT_TRUE(SameFloats(&d.paint.innerColor.a, {c.alpha}, 1e-6f)) << c.width;
    EXPECT_TRUE(SameFloats(&d.paint.outerColor.a, {c.alpha}, 1e-6f)) << c.width;
  }
}

TEST(VGStroke, RoundCapSegments)
{
  // ncap = max(2, ceil(pi / (2 acos(w / (w + tol))))) for the half-width w before the fringe.
  const float cases[][3] = {{20, 1, 8}, {2, 1, 3}, {4, 1, 4}, {20, 4, 15}};
  for (const auto& c : cases) {
    EXPECT_EQ(vgCurveDivs(c[0] * 0.5f, 3.14159265f, 0.25f / c[1]), (int)c[2]);
    vgtest::Context ctx(true, c[1]);
    EXPECT_EQ(StrokeLine(ctx, c[0], VG_ROUND).size(), (size_t)(2 * (2 * c[2] + 2))) << c[0] << " @" << c[1];
  }
  // The start cap sweeps around the end point from one side to the other.
  vgtest::Context ctx;
  const V& s = StrokeLine(ctx, 20, VG_ROUND);
  EXPECT_TRUE(SameVerts(Slice(s, 0, 2), Verts({10, 20.5f, 0, 1, 10, 10, .5f, 1})));
  EXPECT_TRUE(
      SameVerts(Slice(s, 14, 4), Verts({10, -.5f, 0, 1, 10, 10, .5f, 1, 10, -.5f, 0, 1, 10, 20.5f, 1, 1})));
}

TEST(VGStroke, ClosedRectangleJoins)
{
  // Miter: two vertices per corner; bevel: eight; round: two, a quarter turn in 4 steps of two, two.
  const int cases[][3] = {
      {VG_MITER, 1, 4 * 2 + 2}, {VG_BEVEL, 1, 4 * 8 + 2}, {VG_ROUND, 20, 4 * (2 + 8 + 2) + 2}};
  for (const auto& c : cases) {
    vgtest::Context ctx;
    vgRect(ctx, 10, 10, 100, 50);
    vgStrokeWidth(ctx, (float)c[1]);
    vgLineJoin(ctx, c[0]);
    vgStroke(ctx);
    const V& s = ctx.LastDraw().paths[0].stroke;
    ASSERT_EQ(s.size(), (size_t)c[2]) << "join " << c[0];
    EXPECT_TRUE(SameVerts(Slice(s, s.size() - 2, 2), Slice(s, 0, 2))); // the strip closes on itself
    if (c[0] == VG_BEVEL) {
      EXPECT_TRUE(SameVerts(Slice(s, 0, 8), Verts({11, 11, 0, 1, 10, 9,  1, 1, 11, 11, 0, 1, 10, 9,  1, 1, //
                                                   11, 11, 0, 1, 9,  10, 1, 1, 11, 11, 0, 1, 9,  10, 1, 1})));
    }
  }
}

TEST(VGStroke, MiterLimitTurnsSharpCornersIntoBevels)
{
  // The tip's extrusion is 1 / 0.196 half-widths long: within a limit of 10, beyond 4.
  const float cases[][3] = {{VG_MITER, 10, 4 + 2 + 4}, {VG_MITER, 4, 4 + 8 + 4}, {VG_BEVEL, 10, 4 + 8 + 4}};
  for (const auto& c : cases) {
    vgtest::Context ctx;
    vgMoveTo(ctx, 0, 0);
    vgLineTo(ctx, 50, 10);
    vgLineTo(ctx, 0, 20);
    vgStrokeWidth(ctx, 2);
    vgLineJoin(ctx, (int)c[0]);
    vgMiterLimit(ctx, c[1]);
    vgStroke(ctx);
    EXPECT_EQ(ctx.LastDraw().paths[0].stroke.size(), (size_t)c[2]) << c[0] << " " << c[1];
  }
}

TEST(VGStroke, LonePointGetsNoVertices)
{
  vgtest::Context ctx;
  vgMoveTo(ctx, 5, 5);
  vgStroke(ctx);
  vgFill(ctx);
  ASSERT_EQ(ctx.backend.draws.size(), 2u);
  for (const RecordedDraw& d : ctx.backend.draws)
    EXPECT_TRUE(d.paths[0].stroke.empty() && d.paths[0].fill.empty());
}

TEST(VGDraw, DebugDumpPrintsThePathCache)
{
  vgtest::Context ctx(false);
  vgRect(ctx, 1, 2, 3, 4);
  vgFill(ctx);
  testing::internal::CaptureStdout();
  vgDebugDumpPathCache(ctx);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Dumping 1 cached paths\n - Path 0\n   - fill: 4\n"
                                                    "1.000000\t2.000000\n1.000000\t6.000000\n"
                                                    "4.000000\t6.000000\n4.000000\t2.000000\n");
}
