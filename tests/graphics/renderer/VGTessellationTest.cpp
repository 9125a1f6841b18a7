// Fill and stroke expansion as the backend receives it: vertices, fringes, caps, joins, widths,
// paints and statistics.
#include <cmath>
#include <cstring>
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
using V = std::vector<VGvertex>;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Draws one shape and returns the single fill the backend received.
const RecordedDraw& FillOf(vgtest::Context& ctx, const std::function<void(VGcontext*)>& shape)
{
  vgBeginPath(ctx);
  shape(ctx);
  vgFill(ctx);
  return ctx.LastDraw();
}

void Line(VGcontext* ctx)
{
  vgBeginPath(ctx);
  vgMoveTo(ctx, 10, 10);
  vgLineTo(ctx, 110, 10);
}

} // namespace

TEST(VGFill, RectangleWithFringe)
{
  vgtest::Context ctx;
  const RecordedDraw& d = FillOf(ctx, [](VGcontext* c) { vgRect(c, 10, 10, 100, 50); });
  ASSERT_EQ(d.kind, RecordedDraw::Kind::Fill);
  ASSERT_EQ(d.paths.size(), 1u);
  EXPECT_TRUE(d.paths[0].convex);
  EXPECT_TRUE(d.paths[0].closed);
  EXPECT_TRUE(SameVerts(d.paths[0].fill, V{{10.5f, 10.5f, 0.5f, 1},
                                           {10.5f, 59.5f, 0.5f, 1},
                                           {109.5f, 59.5f, 0.5f, 1},
                                           {109.5f, 10.5f, 0.5f, 1}}));
  // One convex shape: half the fringe inside (coverage 0.5), half outside (1).
  EXPECT_TRUE(SameVerts(d.paths[0].stroke, V{{10.5f, 10.5f, 0.5f, 1},
                                             {9.5f, 9.5f, 1, 1},
                                             {10.5f, 59.5f, 0.5f, 1},
                                             {9.5f, 60.5f, 1, 1},
                                             {109.5f, 59.5f, 0.5f, 1},
                                             {110.5f, 60.5f, 1, 1},
                                             {109.5f, 10.5f, 0.5f, 1},
                                             {110.5f, 9.5f, 1, 1},
                                             {10.5f, 10.5f, 0.5f, 1},
                                             {9.5f, 9.5f, 1, 1}}));
  EXPECT_TRUE(SameFloats(d.bounds.data(), {10, 10, 110, 60}));
  EXPECT_EQ(d.fringe, 1.0f);
  EXPECT_TRUE(SameColor(d.paint.innerColor, {1, 1, 1, 1}));
  EXPECT_EQ(ctx->drawCallCount, 2);
  EXPECT_EQ(ctx->fillTriCount, (4 - 2) + (10 - 2));
}

TEST(VGFill, WithoutAntiAliasingTheCornersAndNoFringe)
{
  const V corners{{10, 10, 0.5f, 1}, {10, 60, 0.5f, 1}, {110, 60, 0.5f, 1}, {110, 10, 0.5f, 1}};
  {
    SCOPED_TRACE("backend without anti-aliasing");
    vgtest::Context ctx(false);
    const RecordedDraw& d = FillOf(ctx, [](VGcontext* c) { vgRect(c, 10, 10, 100, 50); });
    EXPECT_TRUE(SameVerts(d.paths[0].fill, corners));
    EXPECT_TRUE(d.paths[0].stroke.empty());
  }
  {
    SCOPED_TRACE("state without anti-aliasing");
    vgtest::Context ctx(true);
    vgShapeAntiAlias(ctx, 0);
    const RecordedDraw& d = FillOf(ctx, [](VGcontext* c) { vgRect(c, 10, 10, 100, 50); });
    EXPECT_TRUE(SameVerts(d.paths[0].fill, corners));
    EXPECT_TRUE(d.paths[0].stroke.empty());
    EXPECT_EQ(d.fringe, 1.0f);
  }
}

TEST(VGFill, FrameUnitsAtADevicePixelRatio)
{
  // At ratio 2 the fringe is half a unit wide; the vertices stay in frame units.
  vgtest::Context ctx(true, 2.0f);
  const RecordedDraw& d = FillOf(ctx, [](VGcontext* c) { vgRect(c, 10, 10, 100, 50); });
  EXPECT_EQ(d.fringe, 0.5f);
  EXPECT_TRUE(
      SameVerts(V(d.paths[0].fill.begin(), d.paths[0].fill.begin() + 1), V{{10.25f, 10.25f, 0.5f, 1}}));
  EXPECT_TRUE(SameVerts(V(d.paths[0].stroke.begin(), d.paths[0].stroke.begin() + 2),
                        V{{10.25f, 10.25f, 0.5f, 1}, {9.75f, 9.75f, 1, 1}}));
  EXPECT_TRUE(SameFloats(d.bounds.data(), {10, 10, 110, 60}));
}

TEST(VGFill, SeveralPathsGetTheFullFringe)
{
  vgtest::Context ctx;
  const RecordedDraw& d = FillOf(ctx, [](VGcontext* c) {
    vgRect(c, 10, 10, 100, 50);
    vgRect(c, 200, 10, 10, 10);
  });
  ASSERT_EQ(d.paths.size(), 2u);
  // Not drawn as one convex shape: the fringe spans 1.5 inside (coverage 0) to 0.5 outside (1).
  EXPECT_TRUE(SameVerts(V(d.paths[0].stroke.begin(), d.paths[0].stroke.begin() + 2),
                        V{{11.5f, 11.5f, 0, 1}, {9.5f, 9.5f, 1, 1}}));
  EXPECT_EQ(d.paths[1].fill.size(), 4u);
  EXPECT_EQ(d.paths[1].stroke.size(), 10u);
  EXPECT_TRUE(SameFloats(d.bounds.data(), {10, 10, 210, 60}));
  EXPECT_EQ(ctx->drawCallCount, 4);
}

TEST(VGFill, PaintAlphaCompositeAndScissorReachTheBackend)
{
  vgtest::Context ctx;
  vgFillColor(ctx, vgRGBAf(0.2f, 0.4f, 0.6f, 0.8f));
  vgGlobalAlpha(ctx, 0.5f);
  vgCompositeOperation(ctx, VG_XOR);
  vgScissor(ctx, 0, 0, 20, 10);
  const RecordedDraw& d = FillOf(ctx, [](VGcontext* c) { vgRect(c, 0, 0, 5, 5); });
  EXPECT_TRUE(SameColor(d.paint.innerColor, {0.2f, 0.4f, 0.6f, 0.4f}));
  EXPECT_TRUE(SameColor(d.paint.outerColor, {0.2f, 0.4f, 0.6f, 0.4f}));
  const VGcompositeOperationState x{VG_ONE_MINUS_DST_ALPHA, VG_ONE_MINUS_SRC_ALPHA, VG_ONE_MINUS_DST_ALPHA,
                                    VG_ONE_MINUS_SRC_ALPHA};
  EXPECT_EQ(std::memcmp(&d.op, &x, sizeof(x)), 0);
  EXPECT_TRUE(SameFloats(d.scissor.xform, {1, 0, 0, 1, 10, 5, 10, 5}));
  // The state itself keeps its colour.
  EXPECT_TRUE(SameColor(vgCurrentState(ctx)->fill.innerColor, {0.2f, 0.4f, 0.6f, 0.8f}));
}

TEST(VGDraw, NothingReachesTheBackendForEmptyOrNonFiniteDraws)
{
  const std::vector<std::function<void(VGcontext*)>> draws = {
      [](VGcontext* c) { vgFill(c); },
      [](VGcontext* c) { vgStroke(c); },
      [](VGcontext* c) {
        vgLineTo(c, 1, 1);
        vgClosePath(c);
        vgFill(c);
        vgStroke(c);
      },
      [](VGcontext* c) {
        vgFillColor(c, vgRGBAf(kNaN, 0, 0, 1));
        vgRect(c, 0, 0, 5, 5);
        vgFill(c);
      },
      [](VGcontext* c) {
        vgFillPaint(c, vgLinearGradient(0, 0, kNaN, 0, vgRGB(0, 0, 0), vgRGB(9, 9, 9)));
        vgRect(c, 0, 0, 5, 5);
        vgFill(c);
      },
      // A paint whose matrix overflows under the transform in force.
      [](VGcontext* c) {
        vgScale(c, 1e30f, 1e30f);
        vgStrokePaint(c, vgRadialGradient(1e20f, 0, 1, 2, vgRGB(0, 0, 0), vgRGB(9, 9, 9)));
        vgRect(c, 0, 0, 1e-13f, 1e-13f);
        vgStroke(c);
      },
  };
  for (size_t i = 0; i < draws.size(); ++i) {
    SCOPED_TRACE(i);
    vgtest::Context ctx;
    draws[i](ctx);
    EXPECT_TRUE(ctx.backend.draws.empty());
  }
}

TEST(VGDraw, FillThenStrokeFlattenOnce)
{
  vgtest::Context ctx;
  vgRect(ctx, 10, 10, 100, 50);
  vgFill(ctx);
  const int npoints = ctx->cache->npoints;
  // A command added after the fill is not flattened again until the next path.
  vgLineTo(ctx, 500, 500);
  vgStroke(ctx);
  EXPECT_EQ(ctx->cache->npoints, npoints);
  ASSERT_EQ(ctx.backend.draws.size(), 2u);
  EXPECT_EQ(ctx.backend.draws[1].paths[0].count, 4);
  // Each call computes its own vertices from the shared points.
  vgFill(ctx);
  EXPECT_TRUE(SameVerts(ctx.backend.draws[2].paths[0].fill, ctx.backend.draws[0].paths[0].fill));
  EXPECT_TRUE(SameVerts(ctx.backend.draws[2].paths[0].stroke, ctx.backend.draws[0].paths[0].stroke));
}

TEST(VGStroke, ButtCappedLine)
{
  {
    SCOPED_TRACE("anti-aliased");
    vgtest::Context ctx;
    Line(ctx);
    vgStrokeWidth(ctx, 4);
    vgStroke(ctx);
    const RecordedDraw& d = ctx.LastDraw();
    ASSERT_EQ(d.kind, RecordedDraw::Kind::Stroke);
    EXPECT_EQ(d.strokeWidth, 4.0f);
    EXPECT_EQ(d.fringe, 1.0f);
    // Half-width 2 plus half the fringe; the butt ends sit half a fringe inside, their fringe outside.
    EXPECT_TRUE(SameVerts(d.paths[0].stroke, V{{9.5f, 7.5f, 0, 0},
                                               {9.5f, 12.5f, 1, 0},
                                               {10.5f, 7.5f, 0, 1},
                                               {10.5f, 12.5f, 1, 1},
                                               {109.5f, 7.5f, 0, 1},
                                               {109.5f, 12.5f, 1, 1},
                                               {110.5f, 7.5f, 0, 0},
                                               {110.5f, 12.5f, 1, 0}}));
    EXPECT_TRUE(d.paths[0].fill.empty());
    EXPECT_EQ(ctx->strokeTriCount, 6);
    EXPECT_EQ(ctx->drawCallCount, 1);
  }
  {
    SCOPED_TRACE("aliased");
    vgtest::Context ctx(false);
    Line(ctx);
    vgStrokeWidth(ctx, 4);
    vgStroke(ctx);
    EXPECT_TRUE(SameVerts(ctx.LastDraw().paths[0].stroke, V{{10, 8, 0.5f, 0},
                                                            {10, 12, 0.5f, 0},
                                                            {10, 8, 0.5f, 1},
                                                            {10, 12, 0.5f, 1},
                                                            {110, 8, 0.5f, 1},
                                                            {110, 12, 0.5f, 1},
                                                            {110, 8, 0.5f, 0},
                                                            {110, 12, 0.5f, 0}}));
  }
}

TEST(VGStroke, SquareCapExtendsByTheHalfWidth)
{
  vgtest::Context ctx;
  Line(ctx);
  vgStrokeWidth(ctx, 4);
  vgLineCap(ctx, VG_SQUARE);
  vgStroke(ctx);
  const V& s = ctx.LastDraw().paths[0].stroke;
  ASSERT_EQ(s.size(), 8u);
  EXPECT_TRUE(SameVerts(V(s.begin(), s.begin() + 4),
                        V{{7.5f, 7.5f, 0, 0}, {7.5f, 12.5f, 1, 0}, {8.5f, 7.5f, 0, 1}, {8.5f, 12.5f, 1, 1}}));
  EXPECT_TRUE(
      SameVerts(V(s.begin() + 4, s.end()),
                V{{111.5f, 7.5f, 0, 1}, {111.5f, 12.5f, 1, 1}, {112.5f, 7.5f, 0, 0}, {112.5f, 12.5f, 1, 0}}));
}

TEST(VGStroke, WidthsScaleClampAndFadeBelowTheFringe)
{
  struct Case
  {
    const char* what;
    float ratio;
    float width;
    float scale;
    float sentWidth;
    float alpha;
  };
  const Case cases[] = {
      {"half a unit: one unit at a quarter alpha", 1, 0.5f, 1, 1, 0.25f},
      {"zero width: invisible", 1, 0, 1, 1, 0},
      {"negative width: invisible", 1, -3, 1, 1, 0},
      {"scale 2 doubles", 1, 3, 2, 6, 1},
      {"clamped to 200", 1, 500, 1, 200, 1},
      {"half a unit at ratio 2 is a whole fringe", 2, 0.5f, 1, 0.5f, 1},
      {"a quarter unit at ratio 2", 2, 0.25f, 1, 0.5f, 0.25f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vgtest::Context ctx(true, c.ratio);
    vgScale(ctx, c.scale, c.scale);
    Line(ctx);
    vgStrokeWidth(ctx, c.width);
    vgStroke(ctx);
    const RecordedDraw& d = ctx.LastDraw();
    EXPECT_FLOAT_EQ(d.strokeWidth, c.sentWidth);
    EXPECT_FLOAT_EQ(d.paint.innerColor.a, c.alpha);
    EXPECT_FLOAT_EQ(d.paint.outerColor.a, c.alpha);
  }
}

TEST(VGStroke, RoundCapSegments)
{
  struct Case
  {
    float width;
    float ratio;
    int ncap;
  };
  // ncap = max(2, ceil(pi / (2 acos(w / (w + tol))))) for the half-width w before the fringe.
  const Case cases[] = {{20, 1, 8}, {2, 1, 3}, {4, 1, 4}, {20, 4, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " @" << c.ratio);
    EXPECT_EQ(vgCurveDivs(c.width * 0.5f, 3.14159265f, 0.25f / c.ratio), c.ncap);
    vgtest::Context ctx(true, c.ratio);
    Line(ctx);
    vgStrokeWidth(ctx, c.width);
    vgLineCap(ctx, VG_ROUND);
    vgStroke(ctx);
    const V& s = ctx.LastDraw().paths[0].stroke;
    ASSERT_EQ(s.size(), (size_t)(2 * (2 * c.ncap + 2)));
  }
  // The start cap sweeps from one side to the other around the end point.
  vgtest::Context ctx;
  Line(ctx);
  vgStrokeWidth(ctx, 20);
  vgLineCap(ctx, VG_ROUND);
  vgStroke(ctx);
  const V& s = ctx.LastDraw().paths[0].stroke;
  EXPECT_TRUE(SameVerts(V(s.begin(), s.begin() + 2), V{{10, 20.5f, 0, 1}, {10, 10, 0.5f, 1}}));
  EXPECT_TRUE(SameVerts(V(s.begin() + 14, s.begin() + 18),
                        V{{10, -0.5f, 0, 1}, {10, 10, 0.5f, 1}, {10, -0.5f, 0, 1}, {10, 20.5f, 1, 1}}));
}

TEST(VGStroke, ClosedRectangleJoins)
{
  struct Case
  {
    const char* what;
    int join;
    float width;
    size_t nverts;
  };
  const Case cases[] = {
      {"miter", VG_MITER, 1, 4 * 2 + 2},
      {"bevel", VG_BEVEL, 1, 4 * 8 + 2},
      {"round, quarter turns of 4 steps", VG_ROUND, 20, 4 * (2 + 2 * 4 + 2) + 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vgtest::Context ctx;
    vgRect(ctx, 10, 10, 100, 50);
    vgStrokeWidth(ctx, c.width);
    vgLineJoin(ctx, c.join);
    vgStroke(ctx);
    const V& s = ctx.LastDraw().paths[0].stroke;
    EXPECT_EQ(s.size(), c.nverts);
    // The strip closes on its first two vertices.
    EXPECT_TRUE(SameVerts(V(s.end() - 2, s.end()), V(s.begin(), s.begin() + 2)));
  }
  vgtest::Context ctx;
  vgRect(ctx, 10, 10, 100, 50);
  vgLineJoin(ctx, VG_BEVEL);
  vgStroke(ctx);
  const V& s = ctx.LastDraw().paths[0].stroke;
  EXPECT_TRUE(SameVerts(V(s.begin(), s.begin() + 8), V{{11, 11, 0, 1},
                                                       {10, 9, 1, 1},
                                                       {11, 11, 0, 1},
                                                       {10, 9, 1, 1},
                                                       {11, 11, 0, 1},
                                                       {9, 10, 1, 1},
                                                       {11, 11, 0, 1},
                                                       {9, 10, 1, 1}}));
}

TEST(VGStroke, MiterLimitTurnsSharpCornersIntoBevels)
{
  // A tip whose extrusion is 1/0.196 half-widths long: within a limit of 10, beyond 4.
  struct Case
  {
    int join;
    float limit;
    size_t nverts;
  };
  const Case cases[] = {{VG_MITER, 10, 4 + 2 + 4}, {VG_MITER, 4, 4 + 8 + 4}, {VG_BEVEL, 10, 4 + 8 + 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.join << " " << c.limit);
    vgtest::Context ctx;
    vgMoveTo(ctx, 0, 0);
    vgLineTo(ctx, 50, 10);
    vgLineTo(ctx, 0, 20);
    vgStrokeWidth(ctx, 2);
    vgLineJoin(ctx, c.join);
    vgMiterLimit(ctx, c.limit);
    vgStroke(ctx);
    EXPECT_EQ(ctx.LastDraw().paths[0].stroke.size(), c.nverts);
  }
}

TEST(VGStroke, DegeneratePathsGetNoVertices)
{
  vgtest::Context ctx;
  vgMoveTo(ctx, 5, 5);
  vgStroke(ctx);
  ASSERT_EQ(ctx.backend.draws.size(), 1u);
  EXPECT_TRUE(ctx.LastDraw().paths[0].stroke.empty());
  vgFill(ctx);
  EXPECT_TRUE(ctx.LastDraw().paths[0].fill.empty());
  EXPECT_TRUE(ctx.LastDraw().paths[0].stroke.empty());
}

TEST(VGDraw, DebugDumpPrintsThePathCache)
{
  vgtest::Context ctx(false);
  vgRect(ctx, 1, 2, 3, 4);
  vgFill(ctx);
  testing::internal::CaptureStdout();
  vgDebugDumpPathCache(ctx);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Dumping 1 cached paths\n"
                 " - Path 0\n"
                 "   - fill: 4\n"
                 "1.000000\t2.000000\n"
                 "1.000000\t6.000000\n"
                 "4.000000\t6.000000\n"
                 "4.000000\t2.000000\n");
}
