// Images and the system's own artwork: the move picture at four densities, probed; pictures the
// system does not hold; scales that give no bitmap.
#include "platform/mac/system/Image.h"
#include "platform/mac/system/SystemFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace plugin::sys {
namespace {

using Pixel = std::array<int, 4>;

Pixel At(const BitmapImage& image, int x, int y)
{
  const auto* p = &image.Pixels()[(static_cast<std::size_t>(y) * image.Width() + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

const std::string kMovePicture = std::string(kSystemCursorsFolder) + "move/cursor.pdf";

class ImageTest : public ::testing::Test
{
protected:
  ~ImageTest() override { SystemFiles::Reset(); }
};

TEST_F(ImageTest, TheMovePictureRendersAtAnyDensity)
{
  const ImageRef image = Image::ReferencingFile(kMovePicture);
  EXPECT_EQ(image->GetSize(), (Size{24.0, 24.0}));
  for (int s = 1; s <= 4; ++s) {
    const BitmapImageRef bitmap = image->BitmapForCtmScale(s);
    ASSERT_TRUE(bitmap) << s;
    EXPECT_EQ(bitmap->Width(), 24 * s);
    EXPECT_EQ(bitmap->Height(), 24 * s);
    EXPECT_EQ(bitmap->BitsPerComponent(), 8);
    EXPECT_EQ(bitmap->BitmapInfo(), kBitmapAlphaPremultipliedLast);
    const auto px = [&](double x, double y) { return At(*bitmap, int(x * s), int(y * s)); };
    // (points) white at the centre and along the shafts, the outline black beside them, clear corners.
    const struct
    {
      double x, y;
      Pixel expected;
    } probes[] = {{12, 12, {255, 255, 255, 255}}, {17, 12, {255, 255, 255, 255}}, {12, 6, {255, 255, 255, 255}},
                  {15.5, 10.5, {0, 0, 0, 255}},    {10.5, 15.5, {0, 0, 0, 255}},   {0.5, 0.5, {0, 0, 0, 0}},
                  {20, 20, {0, 0, 0, 0}},          {12, 23, {0, 0, 0, 0}},         {3, 3, {0, 0, 0, 0}}};
    for (const auto& p : probes)
      EXPECT_EQ(px(p.x, p.y), p.expected) << s << " at " << p.x << "," << p.y;
    // The four arms are one shape turned: a quarter turn maps every pixel onto its twin, and so
    // does a mirror image.
    const int n = bitmap->Width();
    int differ = 0;
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x)
        differ += (At(*bitmap, x, y) != At(*bitmap, n - 1 - y, x)) + (At(*bitmap, x, y) != At(*bitmap, n - 1 - x, y));
    EXPECT_EQ(differ, 0) << s;
  }
}

TEST_F(ImageTest, ScalesThatGiveNoBitmap)
{
  const ImageRef image = Image::ReferencingFile(kMovePicture);
  const double inf = std::numeric_limits<double>::infinity();
  for (const double scale : {0.0, -1.0, std::nan(""), inf, 1e6})
    EXPECT_FALSE(image->BitmapForCtmScale(scale)) << scale;
  // Fractions round the side up.
  ASSERT_TRUE(image->BitmapForCtmScale(1.1));
  EXPECT_EQ(image->BitmapForCtmScale(1.1)->Width(), 27);
  EXPECT_EQ(image->BitmapForCtmScale(0.01)->Width(), 1);
}

TEST_F(ImageTest, PicturesTheSystemDoesNotHoldHaveNothingToDraw)
{
  for (const std::string& path : {std::string("/tmp/cursor.pdf"), kMovePicture + "x", std::string()}) {
    const ImageRef image = Image::ReferencingFile(path);
    EXPECT_EQ(image->GetSize(), (Size{})) << path;
    EXPECT_FALSE(image->BitmapForCtmScale(1.0)) << path;
  }
  SystemFiles::Withdraw(kMovePicture);
  EXPECT_FALSE(Image::ReferencingFile(kMovePicture)->BitmapForCtmScale(1.0));
  SystemFiles::Reset();
  EXPECT_TRUE(Image::ReferencingFile(kMovePicture)->BitmapForCtmScale(1.0));
  // An empty image of a size draws nothing either.
  EXPECT_FALSE(Image::WithSize({24, 24})->BitmapForCtmScale(1.0));
}

} // namespace
} // namespace plugin::sys
