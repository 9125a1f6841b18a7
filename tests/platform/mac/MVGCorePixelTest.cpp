#include "MVGTestSupport.h"
#include "support/ui/PixelProbe.h"

#include "graphics/renderer/VG.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using plugin::ui::test::PixelProbe;

constexpr int kSize = 64;
constexpr VGcolor kRed{1, 0, 0, 1};

// Draws one frame through the vector core and the backend into a cleared framebuffer and
// reads it back.
PixelProbe Render(const char* name, const std::function<void(VGcontext*)>& draw,
                  int flags = VG_ANTIALIAS | VG_TRIPLE_BUFFER)
{
  auto layer = plugin::sys::GpuLayer::Create();
  layer->SetDevice(plugin::sys::GpuDevice::Create());
  VGcontext* ctx = mvgCreateContext(layer, flags);
  if (!ctx) return PixelProbe(0, 0, {});
  MVGframebuffer* fb = mvgCreateFramebuffer(ctx, kSize, kSize, 0);
  mvgBindFramebuffer(fb);
  mvgClearWithColor(ctx, VGcolor{0, 0, 0, 0});
  vgBeginFrame(ctx, kSize, kSize, 1.0f);
  draw(ctx);
  vgEndFrame(ctx);
  std::vector<unsigned char> rgba(kSize * kSize * 4);
  const int read = mvgReadPixels(ctx, fb->image, 0, 0, kSize, kSize, rgba.data());
  mvgBindFramebuffer(nullptr);
  mvgDeleteFramebuffer(fb);
  mvgDeleteContext(ctx);
  PixelProbe probe(read ? kSize : 0, read ? kSize : 0, std::move(rgba));
  probe.WritePngOnRequest(name);
  return probe;
}

struct Probe
{
  int x, y, lo, hi; // alpha expected in [lo, hi]
};

void ExpectAlpha(const PixelProbe& frame, std::initializer_list<Probe> probes)
{
  ASSERT_EQ(frame.Width(), kSize) << "no frame";
  for (const Probe& p : probes) {
    const int a = frame.Alpha(p.x, p.y);
    EXPECT_TRUE(a >= p.lo && a <= p.hi) << "(" << p.x << ", " << p.y << ") alpha " << a;
  }
}

TEST(MVGCorePixelTest, ConcaveStarFillsItsPointsButNotTheNotches)
{
  const auto frame = Render("star", [](VGcontext* vg) {
    vgBeginPath(vg);
    for (int i = 0; i < 10; ++i) {
      const float r = (i % 2) ? 11.0f : 28.0f, a = -1.5707963f + i * 0.62831853f;
      const float x = 32 + r * std::cos(a), y = 32 + r * std::sin(a);
      i == 0 ? vgMoveTo(vg, x, y) : vgLineTo(vg, x, y);
    }
    vgClosePath(vg);
    vgFillColor(vg, kRed);
    vgFill(vg);
  });
  // Centre, the top point, a notch between the top two points, a corner of the frame.
  ExpectAlpha(frame, {{32, 32, 255, 255}, {32, 9, 255, 255}, {44, 18, 0, 0}, {1, 1, 0, 0}});
  EXPECT_EQ(frame.At(32, 32), (PixelProbe::Pixel{255, 0, 0, 255}));
}

TEST(MVGCorePixelTest, RectangleWithAHole)
{
  const auto frame = Render("hole", [](VGcontext* vg) {
    vgBeginPath(vg);
    vgRect(vg, 8, 8, 48, 48);
    vgRect(vg, 24, 24, 16, 16);
    vgPathWinding(vg, VG_HOLE);
    vgFillColor(vg, kRed);
    vgFill(vg);
  });
  ExpectAlpha(frame, {{12, 12, 255, 255}, {50, 50, 255, 255}, {32, 32, 0, 0}, {25, 25, 0, 0}, {4, 32, 0, 0}});
}

TEST(MVGCorePixelTest, ScissorCutsTheFill)
{
  const auto frame = Render("scissor", [](VGcontext* vg) {
    vgScissor(vg, 0, 0, 32, 64);
    vgBeginPath(vg);
    vgRect(vg, 0, 0, 64, 64);
    vgFillColor(vg, kRed);
    vgFill(vg);
  });
  ExpectAlpha(frame, {{16, 32, 255, 255}, {31, 10, 255, 255}, {32, 32, 0, 0}, {60, 60, 0, 0}});
  EXPECT_EQ(frame.CountAlpha(1, 254), 0) << "the scissor edge lies between two pixel columns";
}

TEST(MVGCorePixelTest, AntiAliasedEdgeCoversPartially)
{
  const auto frame = Render("edge", [](VGcontext* vg) {
    vgBeginPath(vg);
    vgRect(vg, 10.5f, 10, 20, 20);
    vgFillColor(vg, kRed);
    vgFill(vg);
  });
  // The left edge runs through the centres of column 10.
  ExpectAlpha(frame, {{10, 20, 96, 160}, {11, 20, 255, 255}, {9, 20, 0, 0}, {31, 20, 0, 0}});
  const auto aliased = Render(
      "edge-aliased",
      [](VGcontext* vg) {
        vgBeginPath(vg);
        vgRect(vg, 10.25f, 10, 20, 20);
        vgFillColor(vg, kRed);
        vgFill(vg);
      },
      VG_TRIPLE_BUFFER);
  EXPECT_EQ(aliased.CountAlpha(1, 254), 0) << "without anti-aliasing coverage is all or nothing";
}

TEST(MVGCorePixelTest, LinearGradientRunsBetweenItsColours)
{
  const auto frame = Render("gradient", [](VGcontext* vg) {
    vgBeginPath(vg);
    vgRect(vg, 0, 0, 64, 64);
    vgFillPaint(vg, vgLinearGradient(0, 0, 64, 0, VGcolor{0, 0, 0, 1}, VGcolor{1, 1, 1, 1}));
    vgFill(vg);
  });
  ASSERT_EQ(frame.Width(), kSize);
  EXPECT_LT(frame.At(2, 32)[0], 16);
  EXPECT_NEAR(frame.At(32, 32)[0], 128, 8);
  EXPECT_GT(frame.At(61, 32)[0], 239);
  EXPECT_LT(frame.At(20, 32)[0], frame.At(21, 32)[0]);
  EXPECT_EQ(frame.At(32, 32)[3], 255);
}

TEST(MVGCorePixelTest, RoundCapsReachPastTheEndsButNotIntoTheCorners)
{
  for (int flags : {VG_ANTIALIAS | VG_TRIPLE_BUFFER, VG_ANTIALIAS | VG_STENCIL_STROKES}) {
    const auto frame = Render(
        "round-caps",
        [](VGcontext* vg) {
          vgBeginPath(vg);
          vgMoveTo(vg, 16, 32);
          vgLineTo(vg, 48, 32);
          vgLineCap(vg, VG_ROUND);
          vgStrokeWidth(vg, 8);
          vgStrokeColor(vg, kRed);
          vgStroke(vg);
        },
        flags);
    // 2 px beyond each end is inside the cap; the square corner of a butt cap lies outside it.
    ExpectAlpha(frame, {{32, 32, 255, 255},
                        {49, 32, 255, 255},
                        {14, 32, 255, 255},
                        {32, 27, 0, 0},
                        {51, 28, 0, 32},
                        {54, 32, 0, 0}});
  }
}

TEST(MVGCorePixelTest, AlphaTextureTintsThePaint)
{
  const auto frame = Render("alpha-texture", [](VGcontext* vg) {
    const unsigned char texels[16] = {255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0};
    const int image =
        vg->params.renderCreateTexture(vg->params.userPtr, VG_TEXTURE_ALPHA, 4, 4, VG_IMAGE_NEAREST, texels);
    vgBeginPath(vg);
    vgRect(vg, 8, 8, 32, 32);
    VGpaint paint = vgImagePattern(8, 8, 32, 32, 0, image, 1.0f);
    paint.innerColor = VGcolor{0, 1, 0, 1};
    vgFillPaint(vg, paint);
    vgFill(vg);
  });
  EXPECT_EQ(frame.At(12, 20), (PixelProbe::Pixel{0, 255, 0, 255}));
  ExpectAlpha(frame, {{36, 20, 0, 0}, {4, 20, 0, 0}});
}

} // namespace
