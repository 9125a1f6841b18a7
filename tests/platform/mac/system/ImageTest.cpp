// The system's move picture rendered at four densities and probed.
#include "platform/mac/system/Image.h"
#include "platform/mac/system/SystemFiles.h"
#include "support/ui/PixelProbe.h"

#include <gtest/gtest.h>

namespace plugin::sys {
namespace {

using ui::test::PixelProbe;

// A black outline and clear corners at every density, the four arms one shape turned and mirrored.
TEST(Image, TheMovePictureRendersAtAnyDensity)
{
  const ImageRef image = Image::ReferencingFile(std::string(kSystemCursorsFolder) + "move/cursor.pdf");
  for (int s = 1; s <= 4; ++s) {
    const BitmapImageRef bitmap = image->BitmapForCtmScale(s);
    ASSERT_TRUE(bitmap && bitmap->Width() == 24 * s && bitmap->Height() == 24 * s) << s;
    const PixelProbe px(24 * s, 24 * s, bitmap->Pixels());
    EXPECT_EQ(px.At(31 * s / 2, 21 * s / 2), (PixelProbe::Pixel{0, 0, 0, 255})) << s; // (15.5, 10.5) points
    EXPECT_EQ(px.At(0, 0), (PixelProbe::Pixel{0, 0, 0, 0})) << s;
    int differ = 0;
    for (int y = 0, n = 24 * s; y < n; ++y)
      for (int x = 0; x < n; ++x)
        differ += (px.At(x, y) != px.At(n - 1 - y, x)) + (px.At(x, y) != px.At(n - 1 - x, y));
    EXPECT_EQ(differ, 0) << s;
  }
}

} // namespace
} // namespace plugin::sys
