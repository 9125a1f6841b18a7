// Drawing bitmaps with a shadow: where it falls (y up), its colour and blur, values that draw none.
#include "platform/mac/system/BitmapContext.h"
#include "support/ui/PixelProbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace plugin::sys {
namespace {

using ui::test::PixelProbe;

// A 31 x 31 image clear but for white at (15, 7) (rows top first), drawn with the shadow given.
PixelProbe DrawDot(Size offset, double blur, Color color)
{
  std::vector<std::uint8_t> rgba(31 * 31 * 4, 0);
  std::fill_n(&rgba[(7 * 31 + 15) * 4], 4, 255);
  const auto dot = BitmapImage::Create(31, 31, BitmapColorSpace::GenericRgb, std::move(rgba));
  auto ctx = BitmapContext::Create(31, 31, 8, BitmapColorSpace::GenericRgb, kBitmapAlphaPremultipliedLast);
  ctx->SetShadowWithColor(offset, blur, color);
  ctx->DrawImage(MakeRect(0, 0, 31, 31), *dot);
  return PixelProbe(31, 31, ctx->CreateImage()->Pixels());
}

// A sharp shadow moves by the offset (y up, rounded), premultiplied, under the image; bad values draw
// none, nor does one cast off the bitmap. A blur spreads it as a Gaussian of deviation blur / 2.
TEST(BitmapContext, TheShadowFallsByTheOffsetWithYUp)
{
  // Offset, blur, alpha, where the shadow lands; (-1, -1): nowhere.
  // clang-format off
  const std::tuple<Size, double, double, int, int> cases[] = {
      {{2, -1}, 0, 0.5, 17, 8}, {{-3, 2}, 0, 0.5, 12, 5}, {{0.6, -1.4}, 0, 0.5, 16, 8},
      {{0, NAN}, 0, 0.5, -1, -1}, {{1, 0}, NAN, 0.5, -1, -1}, {{1, 0}, -1, 0.5, -1, -1},
      {{1, 0}, 0, NAN, -1, -1}, {{-40, 40}, 1e9, 1, -1, -1}};
  // clang-format on
  for (const auto& [offset, blur, alpha, x, y] : cases) {
    const PixelProbe out = DrawDot(offset, blur, Color{0, 0, 1, alpha});
    EXPECT_EQ(out.At(15, 7), (PixelProbe::Pixel{255, 255, 255, 255}));
    EXPECT_EQ(out.CountAlpha(1, 255), x < 0 ? 1 : 2) << offset.width << "," << offset.height << " " << blur;
    EXPECT_EQ(out.At(x, y), (x < 0 ? PixelProbe::Pixel{-1, -1, -1, -1} : PixelProbe::Pixel{0, 0, 128, 128}));
  }
  const PixelProbe blurred = DrawDot({0, -8}, 4.0, Color{0.0, 0.0, 0.0, 1.0});
  EXPECT_NEAR(blurred.Alpha(15, 15), 10.1, 1.5); // the peak: 255 / (2 pi 2^2)
  EXPECT_EQ(blurred.At(15, 13), blurred.At(15, 17));
}

} // namespace
} // namespace plugin::sys
