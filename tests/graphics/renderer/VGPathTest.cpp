// Path commands, shapes and arcs in the command buffer, and their flattening into points.
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/graphics/renderer/VGTestSupport.h"

using vgtest::SameFloats;
using Draw = std::function<void(VGcontext*)>;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kPi = 3.14159265358979f;
const float kArm = 5.522847f; // control arm of a quarter circle of radius 10
const float k1 = 0.44771522f; // one minus the quarter-circle arm ratio

std::vector<float> Commands(VGcontext* ctx)
{
  return std::vector<float>(ctx->commands, ctx->commands + ctx->ncommands);
}

// Points of one flattened path as x, y pairs.
std::vector<float> Points(VGcontext* ctx, int path)
{
  const VGpath& p = ctx->cache->paths[path];
  std::vector<float> out;
  for (int i = 0; i < p.count; ++i)
    out.insert(out.end(), {ctx->cache->points[p.first + i].x, ctx->cache->points[p.first + i].y});
  return out;
}

} // namespace

TEST(VGPath, ShapesAndCurvesInTheCommandBuffer)
{
  struct Case
  {
    Draw draw;
    std::vector<float> commands;
  };
  const std::vector<float> rect = {0, 10, 20, 1, 10, 60, 1, 40, 60, 1, 40, 20, 3};
  // clang-format off
  const Case cases[] = {
      {[](VGcontext* c) { vgRect(c, 10, 20, 30, 40); }, rect},
      {[](VGcontext* c) { vgRoundedRect(c, 10, 20, 30, 40, 0.09f); }, rect},
      {[](VGcontext* c) { vgRoundedRectVarying(c, 10, 20, 30, 40, -5, 0, -1, 0.05f); }, rect}, // negative = 0
      // The quadratic's controls are taken from the untransformed pen position.
      {[](VGcontext* c) { vgTranslate(c, 100, 0); vgMoveTo(c, 0, 0); vgQuadTo(c, 30, 60, 60, 0); },
       {0, 100, 0, 2, 120, 40, 140, 40, 160, 0}},
      {[](VGcontext* c) { vgMoveTo(c, 1, 2); vgLineTo(c, 3, 4); vgBezierTo(c, 5, 6, 7, 8, 9, 10); vgClosePath(c);
                          vgPathWinding(c, VG_HOLE); },
       {0, 1, 2, 1, 3, 4, 2, 5, 6, 7, 8, 9, 10, 3, 4, 2}},
      {[](VGcontext* c) { vgRoundedRect(c, 0, 0, 100, 50, 10); },
       {0, 0, 10,
        1, 0, 40,   2, 0, 50 - 10 * k1, 10 * k1, 50, 10, 50,
        1, 90, 50,  2, 100 - 10 * k1, 50, 100, 50 - 10 * k1, 100, 40,
        1, 100, 10, 2, 100, 10 * k1, 100 - 10 * k1, 0, 90, 0,
        1, 10, 0,   2, 10 * k1, 0, 0, 10 * k1, 0, 10,
        3}},
      // Radius clamped to the half sides; a negative width mirrors the corners.
      {[](VGcontext* c) { vgRoundedRectVarying(c, 100, 0, -100, 50, 100, 0, 0, 0); },
       {0, 100, 25,
        1, 100, 50, 2, 100, 50, 100, 50, 100, 50,
        1, 0, 50,   2, 0, 50, 0, 50, 0, 50,
        1, 0, 0,    2, 0, 0, 0, 0, 0, 0,
        1, 50, 0,   2, 100 - 50 * k1, 0, 100, 25 * k1, 100, 25,
        3}},
      {[](VGcontext* c) { vgEllipse(c, 0, 0, 20, 10); },
       {0, -20, 0,
        2, -20, kArm, -2 * kArm, 10, 0, 10,   2, 2 * kArm, 10, 20, kArm, 20, 0,
        2, 20, -kArm, 2 * kArm, -10, 0, -10,  2, -2 * kArm, -10, -20, -kArm, -20, 0,
        3}},
      // A full arc is a move-to and four beziers.
      {[](VGcontext* c) { vgArc(c, 50, 50, 10, 0, 2 * kPi, VG_CW); },
       {0, 60, 50,
        2, 60, 50 + kArm, 50 + kArm, 60, 50, 60,  2, 50 - kArm, 60, 40, 50 + kArm, 40, 50,
        2, 40, 50 - kArm, 50 - kArm, 40, 50, 40,  2, 50 + kArm, 40, 60, 50 - kArm, 60, 50}},
      // After a move-to an arc starts with a line.
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgArc(c, 50, 50, 10, 0, -kPi / 2, VG_CCW); },
       {0, 0, 0, 1, 60, 50, 2, 60, 50 - kArm, 50 + kArm, 40, 50, 40}},
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgArcTo(c, 100, 0, 100, 100, 10); },
       {0, 0, 0, 1, 90, 0, 2, 90 + kArm, 0, 100, 10 - kArm, 100, 10}},
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgArcTo(c, 100, 0, 100, -100, 10); },
       {0, 0, 0, 1, 90, 0, 2, 90 + kArm, 0, 100, -10 + kArm, 100, -10}},
      // Degenerate arc-tos: nothing on an empty path, else a line to the corner.
      {[](VGcontext* c) { vgArcTo(c, 100, 0, 100, 100, 10); }, {}},
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgArcTo(c, 100, 0, 100, 100, 0); }, {0, 0, 0, 1, 100, 0}},
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgArcTo(c, 50, 0, 100, 0, 10); }, {0, 0, 0, 1, 50, 0}},
      {[](VGcontext* c) { vgMoveTo(c, 50, 0); vgArcTo(c, 50, 0, 100, 0, 10); }, {0, 50, 0, 1, 50, 0}},
  };
  // clang-format on
  for (size_t i = 0; i < std::size(cases); ++i) {
    vgtest::Context ctx;
    cases[i].draw(ctx);
    EXPECT_TRUE(SameFloats(Commands(ctx), cases[i].commands, 1e-3f)) << "case " << i;
  }
}

TEST(VGPath, ArcDivisions)
{
  struct Case
  {
    float a0, a1;
    int dir, beziers;
  };
  const Case cases[] = {{0, 2 * kPi, VG_CW, 4},  {0, -7, VG_CCW, 4},     {0, 100, VG_CW, 4},
                        {0, kPi, VG_CW, 2},      {kPi / 2, 0, VG_CW, 3}, {0, 0.1f, VG_CW, 1},
                        {0, kPi / 2, VG_CCW, 3}, {0, 0, VG_CW, 1}};
  for (const Case& c : cases) {
    vgtest::Context ctx;
    vgArc(ctx, 0, 0, 1, c.a0, c.a1, c.dir);
    EXPECT_EQ(ctx->ncommands, 3 + 7 * c.beziers) << c.a0 << " -> " << c.a1;
  }
}

TEST(VGPath, PenPositionIsTheLastUntransformedPoint)
{
  vgtest::Context ctx;
  vgScale(ctx, 2, 2);
  vgRect(ctx, 10, 20, 30, 40);
  vgPathWinding(ctx, VG_HOLE);
  vgClosePath(ctx);
  EXPECT_TRUE(SameFloats(&ctx->commandx, {40, 20}));
  vgArc(ctx, 0, 0, 5, 0, kPi, VG_CW);
  EXPECT_TRUE(SameFloats(&ctx->commandx, {-5, 0}));
}

TEST(VGPath, CommandsWithUnusableNumbersAreDroppedWhole)
{
  // clang-format off
  const Draw calls[] = {
      [](VGcontext* c) { vgMoveTo(c, kNaN, 0); },                  [](VGcontext* c) { vgLineTo(c, 0, kInf); },
      [](VGcontext* c) { vgBezierTo(c, 0, 0, kNaN, 0, 1, 1); },    [](VGcontext* c) { vgQuadTo(c, 0, -kInf, 1, 1); },
      [](VGcontext* c) { vgRect(c, 0, 0, kInf, 1); },              [](VGcontext* c) { vgRoundedRect(c, 0, 0, 9, 9, kNaN); },
      [](VGcontext* c) { vgRoundedRectVarying(c, 0, 0, 9, 9, 1, 1, kInf, 1); },
      [](VGcontext* c) { vgEllipse(c, 0, 0, kNaN, 1); },           [](VGcontext* c) { vgCircle(c, 0, 0, kInf); },
      [](VGcontext* c) { vgArc(c, 0, 0, kNaN, 0, 1, VG_CW); },     [](VGcontext* c) { vgArc(c, 0, 0, 1, kInf, 1, VG_CW); },
      [](VGcontext* c) { vgArc(c, 0, 0, 1e30f, 0, 1, VG_CW); },    [](VGcontext* c) { vgArcTo(c, kNaN, 0, 10, 10, 5); },
      [](VGcontext* c) { vgArcTo(c, 10, 0, 10, 10, kInf); },       [](VGcontext* c) { vgMoveTo(c, 1e30f, 0); },
      [](VGcontext* c) { vgLineTo(c, 0, -2e18f); },
      [](VGcontext* c) { vgSave(c); vgScale(c, 1e10f, 1e10f); vgLineTo(c, 1e9f, 0); vgRestore(c); },
  };
  // clang-format on
  for (size_t i = 0; i < std::size(calls); ++i) {
    vgtest::Context ctx;
    vgMoveTo(ctx, 1, 2);
    calls[i](ctx);
    EXPECT_TRUE(SameFloats(Commands(ctx), {0, 1, 2})) << "call " << i;
    EXPECT_TRUE(SameFloats(&ctx->commandx, {1, 2})) << "call " << i;
  }
  vgtest::Context ctx;
  vgMoveTo(ctx, 1e17f, -1e17f); // large but representable
  EXPECT_EQ(ctx->ncommands, 3);
}

TEST(VGPath, CommandBufferGrowsByHalfItsCapacity)
{
  vgtest::Context ctx;
  vgMoveTo(ctx, 0, 0);
  for (int i = 0; i < 84; ++i)
    vgLineTo(ctx, (float)i, 1);
  EXPECT_EQ(ctx->ncommands, 255);
  EXPECT_EQ(ctx->ccommands, 256);
  vgLineTo(ctx, 5, 5);
  EXPECT_EQ(ctx->ccommands, 255 + 3 + 128);
  EXPECT_TRUE(SameFloats(&ctx->commands[255], {1, 5, 5}));
}

TEST(VGFlatten, PointsOfSubPaths)
{
  struct Case
  {
    Draw draw;
    std::vector<std::vector<float>> paths;
    std::vector<bool> closed;
  };
  // clang-format off
  const Case cases[] = {
      // A bezier whose controls lie on its chord adds its end point only.
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgBezierTo(c, 10, 0, 20, 0, 30, 0); }, {{0, 0, 30, 0}}, {false}},
      // The closing repeat is dropped and the clockwise triangle reversed.
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgLineTo(c, 10, 0); vgLineTo(c, 10, 10); vgLineTo(c, 0, 0.005f); },
       {{10, 10, 10, 0, 0, 0}}, {true}},
      {[](VGcontext* c) { vgMoveTo(c, 0, 0); vgLineTo(c, 0.005f, 0); vgLineTo(c, 10, 0); }, {{0, 0, 10, 0}}, {false}},
      {[](VGcontext* c) { vgRect(c, 10, 10, 100, 50); }, {{10, 10, 10, 60, 110, 60, 110, 10}}, {true}},
      {[](VGcontext* c) { vgRect(c, 110, 10, -100, 50); }, {{10, 10, 10, 60, 110, 60, 110, 10}}, {true}},
      {[](VGcontext* c) { vgRect(c, 10, 10, 100, 50); vgPathWinding(c, VG_HOLE); },
       {{110, 10, 110, 60, 10, 60, 10, 10}}, {true}},
      // Commands before any move-to are ignored.
      {[](VGcontext* c) { vgLineTo(c, 5, 5); vgBezierTo(c, 1, 1, 2, 2, 3, 3); vgClosePath(c); vgPathWinding(c, 2);
                          vgMoveTo(c, 1, 1); vgLineTo(c, 2, 2); }, {{1, 1, 2, 2}}, {false}},
      {[](VGcontext* c) { vgMoveTo(c, 1, 1); }, {{}}, {true}},
      {[](VGcontext* c) { vgRect(c, 0, 0, 1, 1); vgMoveTo(c, 5, 5); vgLineTo(c, 6, 5); },
       {{0, 0, 0, 1, 1, 1, 1, 0}, {5, 5, 6, 5}}, {true, false}},
  };
  // clang-format on
  for (size_t i = 0; i < std::size(cases); ++i) {
    vgtest::Context ctx;
    cases[i].draw(ctx);
    vgFlattenPaths(ctx);
    ASSERT_EQ(ctx->cache->npaths, (int)cases[i].paths.size()) << "case " << i;
    for (int p = 0; p < ctx->cache->npaths; ++p) {
      EXPECT_TRUE(SameFloats(Points(ctx, p), cases[i].paths[p])) << "case " << i;
      EXPECT_EQ(ctx->cache->paths[p].closed != 0, cases[i].closed[p]) << "case " << i;
    }
  }
}

TEST(VGFlatten, CurveFlatnessFollowsTheTolerance)
{
  // A quarter circle of radius 100: points on the curve (itself within 0.03 of the circle),
  // chords within the flatness bound, more points at a finer tolerance.
  int counts[2] = {0, 0};
  const float ratios[2] = {1.0f, 4.0f};
  for (int r = 0; r < 2; ++r) {
    vgtest::Context ctx(true, ratios[r]);
    vgArc(ctx, 0, 0, 100, 0, kPi / 2, VG_CW);
    vgFlattenPaths(ctx);
    const VGpoint* pts = ctx->cache->points;
    counts[r] = ctx->cache->paths[0].count;
    for (int i = 0; i < counts[r]; ++i) {
      EXPECT_NEAR(std::hypot(pts[i].x, pts[i].y), 100.0f, 0.03f);
      if (i + 1 < counts[r]) {
        EXPECT_LT(100.0f - std::hypot((pts[i].x + pts[i + 1].x) / 2, (pts[i].y + pts[i + 1].y) / 2),
                  0.75f * std::sqrt(ctx->tessTol) + 0.03f);
      }
    }
  }
  EXPECT_GT(counts[0], 4);
  EXPECT_GT(counts[1], counts[0]);
}
