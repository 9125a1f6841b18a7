#include "platform/mac/system/Font.h"

#include <cmath>

namespace plugin::sys {

namespace {

double ValidSize(double size) noexcept
{
  return std::isfinite(size) && size > 0.0 ? size : Font::kSystemFontSize;
}

} // namespace

FontRef Font::WithDescriptor(std::shared_ptr<const FontDescriptor> descriptor, double size)
{
  if (!descriptor) return nullptr;
  return std::make_shared<const Font>(ValidSize(size));
}

FontRef Font::SystemFont(double size)
{
  return std::make_shared<const Font>(ValidSize(size));
}

} // namespace plugin::sys
