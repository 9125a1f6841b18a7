#include "support/ui/PixelProbe.h"

#include "framework/imagefiles/ImageFiles.h"
#include "platform/mac/system/GpuImageFile.h"

#include <cstdlib>

namespace plugin::ui::test {

PixelProbe::PixelProbe(int width, int height, std::vector<unsigned char> rgba)
    : mWidth(width), mHeight(height), mRgba(std::move(rgba))
{
  if (mRgba.size() < static_cast<std::size_t>(width) * height * 4) mWidth = mHeight = 0;
}

PixelProbe PixelProbe::FromTexture(const plugin::sys::GpuTexture& texture)
{
  return PixelProbe(static_cast<int>(texture.Width()), static_cast<int>(texture.Height()),
                    plugin::sys::GpuReadRGBA(texture));
}

PixelProbe::Pixel PixelProbe::At(int x, int y) const
{
  if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return {-1, -1, -1, -1};
  const unsigned char* p = &mRgba[(static_cast<std::size_t>(y) * mWidth + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

int PixelProbe::CountAlpha(int lo, int hi) const
{
  int n = 0;
  for (int y = 0; y < mHeight; ++y)
    for (int x = 0; x < mWidth; ++x)
      n += Alpha(x, y) >= lo && Alpha(x, y) <= hi;
  return n;
}

bool PixelProbe::WritePngOnRequest(const std::string& name) const
{
  const char* dir = std::getenv("KELMO_TEST_PNG_DIR");
  if (!dir || !*dir || mWidth == 0) return false;
  return plugin::images::WritePngFile((std::string(dir) + "/" + name + ".png").c_str(), mWidth, mHeight,
                                      mRgba.data());
}

} // namespace plugin::ui::test
