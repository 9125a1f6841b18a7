// Drawing bitmaps with a shadow: where the shadow falls (y up), how its colour and blur apply,
// what the image covers, and the formats and values refused.
#include "platform/mac/system/BitmapContext.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace plugin::sys {
namespace {

using Pixel = std::array<int, 4>;

Pixel At(const BitmapImage& image, int x, int y)
{
  const auto* p = &image.Pixels()[(static_cast<std::size_t>(y) * image.Width() + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

// A w x h image, transparent but for one opaque white pixel at (x, y) (rows top first).
BitmapImageRef Dot(int w, int h, int x, int y)
{
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4, 0);
  std::fill_n(&rgba[(static_cast<std::size_t>(y) * w + x) * 4], 4, 255);
  return BitmapImage::Create(w, h, BitmapColorSpace::GenericRgb, std::move(rgba));
}

std::unique_ptr<BitmapContext> Context(int w, int h)
{
  return BitmapContext::Create(w, h, 8, BitmapColorSpace::GenericRgb, kBitmapAlphaPremultipliedLast);
}

TEST(BitmapContext, ASharpShadowFallsByTheOffsetWithYUp)
{
  const struct
  {
    double dx, dy;
    int x, y; // where the shadow of the dot at (4, 4) lands
  } cases[] = {{2, -1, 6, 5}, {-3, 2, 1, 2}, {0, 0, 4, 4}, {0.6, -1.4, 5, 5}};
  for (const auto& c : cases) {
    auto context = Context(9, 9);
    context->SetShadowWithColor({c.dx, c.dy}, 0.0, Color{0.0, 0.0, 1.0, 0.5});
    context->DrawImage(MakeRect(0, 0, 9, 9), *Dot(9, 9, 4, 4));
    const BitmapImageRef out = context->CreateImage();
    EXPECT_EQ(At(*out, 4, 4), (Pixel{255, 255, 255, 255})) << c.dx; // the image over its shadow
    if (c.x == 4 && c.y == 4) continue;
    EXPECT_EQ(At(*out, c.x, c.y), (Pixel{0, 0, 128, 128})) << c.dx << "," << c.dy; // premultiplied
    int shadowed = 0;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x)
        shadowed += At(*out, x, y)[3] > 0;
    EXPECT_EQ(shadowed, 2);
  }
}

TEST(BitmapContext, BlurSpreadsTheShadowSymmetricallyAndKeepsItsWeight)
{
  auto context = Context(31, 31);
  context->SetShadowWithColor({0, -8}, 4.0, Color{0.0, 0.0, 0.0, 1.0});
  context->DrawImage(MakeRect(0, 0, 31, 31), *Dot(31, 31, 15, 7));
  const BitmapImageRef out = context->CreateImage();
  // Centred 8 rows below the dot, with a standard deviation of 2 pixels.
  double sum = 0.0, rows = 0.0;
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x) {
      if (x == 15 && y == 7) continue;
      const int a = At(*out, x, y)[3];
      sum += a;
      rows += a * y;
    }
  EXPECT_NEAR(sum / 255.0, 1.0, 0.1); // each pixel rounded to a byte
  EXPECT_NEAR(rows / sum, 15.0, 0.05);
  EXPECT_EQ(At(*out, 13, 15), At(*out, 17, 15));
  EXPECT_EQ(At(*out, 15, 13), At(*out, 15, 17));
  EXPECT_GT(At(*out, 15, 15)[3], At(*out, 17, 15)[3]);
  EXPECT_NEAR(At(*out, 15, 15)[3], 255.0 / (2.0 * std::numbers::pi * 4.0), 1.5); // the Gaussian's peak
  EXPECT_EQ(At(*out, 15, 24)[3], 0); // beyond three deviations
}

TEST(BitmapContext, TheImageStretchesOverItsRectAndOnlyThere)
{
  auto context = Context(8, 8);
  // A 2 x 2 image: white top left, the rest transparent; drawn over x 2..6, y 4..8 (y up: the top rows).
  context->DrawImage(MakeRect(2, 4, 4, 4), *Dot(2, 2, 0, 0));
  const BitmapImageRef out = context->CreateImage();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(At(*out, x, y)[3], (x >= 2 && x < 4 && y < 2) ? 255 : 0) << x << "," << y;
}

TEST(BitmapContext, RefusesFormatsAndValuesItCannotUse)
{
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  EXPECT_TRUE(Context(1, 1));
  EXPECT_FALSE(BitmapContext::Create(4, 4, 16, BitmapColorSpace::DeviceRgb, kBitmapAlphaPremultipliedLast));
  EXPECT_FALSE(BitmapContext::Create(4, 4, 8, BitmapColorSpace::DeviceRgb, 0));
  EXPECT_FALSE(Context(0, 4));
  EXPECT_FALSE(Context(4, -1));
  EXPECT_FALSE(Context(kMaxBitmapSide + 1, 1));
  EXPECT_FALSE(BitmapImage::Create(2, 2, BitmapColorSpace::DeviceRgb, std::vector<std::uint8_t>(15)));

  // Shadows that cannot be drawn are off; offsets far beyond the bitmap cast it off the bitmap.
  const struct
  {
    Size offset;
    double blur;
    Color color;
  } off[] = {{{nan, 0}, 0, {0, 0, 0, 1}},  {{0, inf}, 0, {0, 0, 0, 1}},   {{1, 0}, nan, {0, 0, 0, 1}},
             {{1, 0}, -1, {0, 0, 0, 1}},   {{1, 0}, 0, {0, 0, 0, 0}},     {{1, 0}, 0, {0, 0, 0, nan}},
             {{1e300, 0}, 0, {0, 0, 0, 1}}, {{0, -1e300}, 2, {0, 0, 0, 1}}, {{-40, 40}, 1e300, {0, 0, 0, 1}}};
  for (const auto& c : off) {
    auto context = Context(5, 5);
    context->SetShadowWithColor(c.offset, c.blur, c.color);
    context->DrawImage(MakeRect(0, 0, 5, 5), *Dot(5, 5, 2, 2));
    int alpha = 0;
    const BitmapImageRef out = context->CreateImage();
    for (const std::uint8_t byte : out->Pixels())
      alpha += byte;
    EXPECT_EQ(alpha, 4 * 255) << c.offset.width << "," << c.offset.height << " " << c.blur;
  }
  // Rects that cover nothing draw nothing.
  for (const Rect rect : {MakeRect(0, 0, 0, 5), MakeRect(nan, 0, 5, 5), MakeRect(0, 0, inf, 5)}) {
    auto context = Context(5, 5);
    context->DrawImage(rect, *Dot(5, 5, 2, 2));
    EXPECT_EQ(At(*context->CreateImage(), 2, 2)[3], 0);
  }
}

} // namespace
} // namespace plugin::sys
