#include "MVGTestSupport.h"

#include "platform/mac/MVGScissorBounds.h"
#include "platform/mac/MVGShaders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

// The box a uniform block's scissor bounds its fragments' positions to: every point outside it
// shades to exactly zero through both fragment functions, it hugs an upright scissor, and a block
// it cannot bound soundly stays unbounded.

namespace {

using namespace plugin::sys;

// The uniform block the backend makes for a solid paint under the scissor (transform t, half
// extents ex, ey) with fringe.
MVGfragUniforms Block(const float t[6], float ex, float ey, float fringe)
{
  MVGcontext_vKelmo_vst3 mtl;
  VGscissor s{};
  std::copy(t, t + 6, s.xform);
  s.extent[0] = ex;
  s.extent[1] = ey;
  const VGpaint paint = mvgtest::SolidPaint({0.8f, 0.6f, 0.4f, 1.0f});
  MVGfragUniforms u{};
  EXPECT_EQ(mtl.convertPaintForFrag(&u, &paint, &s, fringe, fringe, -1.0f), 1);
  return u;
}

GpuFragmentBounds BoundsOf(const MVGfragUniforms& u)
{
  GpuFragmentBounds b = GpuFragmentBounds::Unbounded();
  mvgScissorBounds(u, b);
  return b;
}

// The colour of a fragment at (x, y) (full stroke coverage) through fn; all four channels.
std::array<float, 4> ColourAt(GpuFragmentFunctionImpl fn, const MVGfragUniforms& u, float x, float y)
{
  GpuStageResources res;
  res.buffers[0] = {reinterpret_cast<const unsigned char*>(&u), sizeof u};
  GpuFragmentConstants constants;
  GpuFragmentBounds bounds = GpuFragmentBounds::Unbounded();
  EXPECT_TRUE(mvgFragmentSetup(res, constants, bounds));
  GpuFragmentSpan span{};
  span.count = 1;
  span.base[0] = x;
  span.base[1] = y;
  span.base[2] = 0.5;
  span.base[3] = 1.0;
  float colour[1][4];
  bool kept[1];
  fn(span, constants, colour, kept);
  return {colour[0][0], colour[0][1], colour[0][2], colour[0][3]};
}

bool Zero(const std::array<float, 4>& c)
{
  return c[0] == 0.0f && c[1] == 0.0f && c[2] == 0.0f && c[3] == 0.0f;
}

// The float nearest v that lies strictly beyond it in direction (+1 or -1).
float Beyond(double v, int direction)
{
  float f = static_cast<float>(v);
  while (direction > 0 ? f <= v : f >= v)
    f = std::nextafter(f, direction > 0 ? std::numeric_limits<float>::infinity()
                                        : -std::numeric_limits<float>::infinity());
  return f;
}

TEST(MVGScissorBoundsTest, EveryPointOutsideTheBoxShadesToZero)
{
  // Scissors turned, stretched (up to 16 to 1), moved far and small; fringes of a pixel at
  // scales 1, 2 and 3. Points just past each side of the box and further out, the other
  // coordinate anywhere.
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  const float fringes[] = {1.0f, 0.5f, 1.0f / 3.0f};
  const double distances[] = {0.0, 1e-3, 0.25, 3.0, 1e4};
  int checked = 0, failures = 0;
  for (int n = 0; n < 400; ++n) {
    const float angle = n % 4 == 0 ? 0.0f : (n % 4 == 1 ? 1.5707964f : unit(rng) * 6.2831853f);
    const float sx = 0.25f + 3.75f * unit(rng), sy = 0.25f + 3.75f * unit(rng);
    const float c = std::cos(angle), s = std::sin(angle);
    const float t[6] = {
        c * sx, s * sx, -s * sy, c * sy, (unit(rng) - 0.5f) * 4000.0f, (unit(rng) - 0.5f) * 4000.0f};
    const float ex = n % 7 == 0 ? 0.0f : 300.0f * unit(rng) * unit(rng);
    const float ey = n % 11 == 0 ? 0.001f : 300.0f * unit(rng) * unit(rng);
    const MVGfragUniforms u = Block(t, ex, ey, fringes[n % 3]);
    const GpuFragmentBounds b = BoundsOf(u);
    ASSERT_TRUE(b.Bounds(0) && b.Bounds(1)) << "scissor " << n;
    for (int side = 0; side < 4; ++side) {
      const int axis = side / 2, direction = side % 2 ? 1 : -1;
      const double edge = direction > 0 ? b.hi[axis] : b.lo[axis];
      for (double d : distances) {
        const double other = b.lo[1 - axis] + (b.hi[1 - axis] - b.lo[1 - axis]) * (2.0 * unit(rng) - 0.5);
        const float out = Beyond(edge + direction * d, direction);
        const float x = axis == 0 ? out : static_cast<float>(other),
                    y = axis == 0 ? static_cast<float>(other) : out;
        for (auto fn : {&mvgFragmentShader, &mvgFragmentShaderAA}) {
          ++checked;
          if (!Zero(ColourAt(fn, u, x, y))) {
            ++failures;
            ADD_FAILURE() << "scissor " << n << " side " << side << " at (" << x << ", " << y << ")";
          }
        }
      }
    }
    if (failures > 5) break;
  }
  EXPECT_EQ(checked, 400 * 4 * 5 * 2);
}

TEST(MVGScissorBoundsTest, AnUprightScissorGetsItsOwnRectangleAndItsFade)
{
  // At (100, 50), scaled by 2, half extents (20, 10), fringe 1: the mask fades out 0.5 / 2 past
  // each edge in scissor space, so the box is 2 (20.25, 10.25) = (40.5, 20.5) around the centre.
  const float t[6] = {2.0f, 0.0f, 0.0f, 2.0f, 100.0f, 50.0f};
  const MVGfragUniforms u = Block(t, 20.0f, 10.0f, 1.0f);
  const GpuFragmentBounds b = BoundsOf(u);
  EXPECT_NEAR(b.lo[0], 100.0 - 40.5, 1e-3);
  EXPECT_NEAR(b.hi[0], 100.0 + 40.5, 1e-3);
  EXPECT_NEAR(b.lo[1], 50.0 - 20.5, 1e-3);
  EXPECT_NEAR(b.hi[1], 50.0 + 20.5, 1e-3);
  EXPECT_FALSE(b.Bounds(2) || b.Bounds(3)) << "the stroke coordinates stay unbounded";
  // Just inside the fade, the colour is there.
  EXPECT_FALSE(Zero(ColourAt(&mvgFragmentShader, u, 140.4f, 50.0f)));
  EXPECT_TRUE(Zero(ColourAt(&mvgFragmentShader, u, 140.5f, 50.0f)));
}

TEST(MVGScissorBoundsTest, BlocksThatCannotBeBoundedStayUnbounded)
{
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  const float upright[6] = {1.0f, 0.0f, 0.0f, 1.0f, 10.0f, 10.0f};
  const auto with = [&](auto change) {
    MVGfragUniforms u = Block(upright, 5.0f, 5.0f, 1.0f);
    change(u);
    return u;
  };
  const struct
  {
    const char* name;
    MVGfragUniforms u;
  } cases[] = {
      {"no scissor", Block(upright, -1.0f, -1.0f, 1.0f)},
      {"zero scale", with([](MVGfragUniforms& u) { u.scissorScale[0] = 0.0f; })},
      {"negative scale", with([](MVGfragUniforms& u) { u.scissorScale[1] = -1.0f; })},
      {"infinite scale", with([&](MVGfragUniforms& u) { u.scissorScale[0] = inf; })},
      {"NaN in the matrix", with([&](MVGfragUniforms& u) { u.scissorMatrix[4] = nan; })},
      {"infinite offset", with([&](MVGfragUniforms& u) { u.scissorMatrix[8] = inf; })},
      {"NaN extent", with([&](MVGfragUniforms& u) { u.scissorExtent[1] = nan; })},
      {"singular matrix", with([](MVGfragUniforms& u) {
         u.scissorMatrix[0] = u.scissorMatrix[4] = 1.0f;
         u.scissorMatrix[1] = u.scissorMatrix[5] = 1.0f;
       })},
      {"a needle-thin scissor", with([](MVGfragUniforms& u) {
         u.scissorMatrix[0] = 1.0f;
         u.scissorMatrix[4] = 1.0f;
         u.scissorMatrix[1] = 1.0f;
         u.scissorMatrix[5] = 1.0f + 1e-6f;
       })},
  };
  for (const auto& c : cases) {
    const GpuFragmentBounds b = BoundsOf(c.u);
    for (int k = 0; k < kGpuMaxVaryings; ++k)
      EXPECT_FALSE(b.Bounds(k)) << c.name << " varying " << k;
  }
}

TEST(MVGScissorBoundsTest, ANegativeExtentLeavesAnEmptyScissorInsideItsBox)
{
  // An extent below minus the fade makes the mask zero everywhere: the box shrinks to a point
  // around the centre, which still holds every point of non-zero colour (none).
  const float t[6] = {1.0f, 0.0f, 0.0f, 1.0f, 30.0f, 40.0f};
  MVGfragUniforms u = Block(t, 5.0f, 5.0f, 1.0f);
  u.scissorExtent[0] = -0.75f;
  const GpuFragmentBounds b = BoundsOf(u);
  ASSERT_TRUE(b.Bounds(0));
  EXPECT_NEAR(b.lo[0], 30.0, 1e-3);
  EXPECT_NEAR(b.hi[0], 30.0, 1e-3);
  EXPECT_TRUE(Zero(ColourAt(&mvgFragmentShader, u, 30.0f, 40.0f)));
}

} // namespace
