#include "platform/mac/system/TextFont.h"

namespace plugin::sys {

std::shared_ptr<const TextFont>
TextFont::CreateWithGraphicsFont(std::shared_ptr<const GraphicsFont> graphicsFont, double size)
{
  if (!graphicsFont) return nullptr;
  return std::make_shared<const TextFont>(std::move(graphicsFont), size > 0 ? size : kDefaultSize);
}

std::shared_ptr<const FontDescriptor> TextFont::CopyFontDescriptor() const
{
  return FontDescriptor::CreateWithAttributes({mFont->FamilyName(), mFont->StyleName(), std::nullopt});
}

} // namespace plugin::sys
