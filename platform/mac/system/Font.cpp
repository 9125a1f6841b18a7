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
  return std::make_shared<const Font>(std::move(descriptor), ValidSize(size));
}

FontRef Font::SystemFont(double size)
{
  static const auto system =
      FontDescriptor::CreateWithAttributes({kSystemFamilyName, "Regular", std::nullopt, 0});
  return std::make_shared<const Font>(system, ValidSize(size));
}

} // namespace plugin::sys
