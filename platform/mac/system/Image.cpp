#include "platform/mac/system/Image.h"

#include <cmath>

namespace plugin::sys {

std::shared_ptr<Image> Image::WithSize(Size size)
{
  auto image = std::make_shared<Image>();
  image->SetSize(size);
  return image;
}

std::shared_ptr<Image> Image::ReferencingFile(std::string)
{
  return std::make_shared<Image>();
}

void Image::SetSize(Size size) noexcept
{
  if (std::isfinite(size.width) && std::isfinite(size.height) && size.width >= 0.0 && size.height >= 0.0)
    mSize = size;
}

} // namespace plugin::sys
