#include "platform/mac/system/GraphicsFont.h"

#include "platform/mac/system/FontFaceNames.h"
#include "platform/mac/system/FontFaceValidation.h"

namespace plugin::sys {

std::shared_ptr<const GraphicsFont>
GraphicsFont::CreateWithDataProvider(std::shared_ptr<FontDataProvider> provider)
{
  if (!provider) return nullptr;
  const fonts::FontBytes bytes(provider->Data(), provider->Size());
  if (!IsUsableFontFace(bytes, 0)) return nullptr;
  FontFaceNames names = ReadFontFaceNames(bytes, 0);
  return std::make_shared<const GraphicsFont>(std::move(names.family), std::move(names.style));
}

} // namespace plugin::sys
