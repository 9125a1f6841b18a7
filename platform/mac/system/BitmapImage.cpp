#include "platform/mac/system/BitmapImage.h"

namespace plugin::sys {

std::shared_ptr<const BitmapImage> BitmapImage::Create(int width, int height, BitmapColorSpace colorSpace,
                                                       std::vector<std::uint8_t> rgba)
{
  if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide) return nullptr;
  if (rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) return nullptr;
  return std::make_shared<const BitmapImage>(width, height, colorSpace, std::move(rgba));
}

} // namespace plugin::sys
