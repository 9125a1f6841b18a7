#include "platform/mac/system/FontDescriptor.h"

#include "platform/mac/system/FontRegistry.h"

namespace plugin::sys {

std::shared_ptr<const FontDescriptor> FontDescriptor::CreateWithAttributes(Attributes attributes)
{
  return std::make_shared<const FontDescriptor>(std::move(attributes));
}

std::vector<std::shared_ptr<const FontDescriptor>> FontDescriptor::CreateMatchingFontDescriptors() const
{
  return FontRegistry::Shared().Match(FamilyName(), StyleName());
}

} // namespace plugin::sys
