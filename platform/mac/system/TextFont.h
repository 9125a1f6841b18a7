#pragma once

#include "platform/mac/system/FontDescriptor.h"
#include "platform/mac/system/GraphicsFont.h"

#include <memory>

// A font at a point size, made from a graphics font; it describes itself with a descriptor.
// Immutable once made; any thread may read it.
namespace plugin::sys {

class TextFont
{
public:
  // Size used when a font is asked for with a size of 0 or less (or NaN).
  static constexpr double kDefaultSize = 12.0;

  TextFont(std::shared_ptr<const GraphicsFont> font, double size) : mFont(std::move(font)), mSize(size) {}

  // The font of graphicsFont at size; null for a null graphics font. Allocates.
  static std::shared_ptr<const TextFont>
  CreateWithGraphicsFont(std::shared_ptr<const GraphicsFont> graphicsFont, double size);

  double Size() const noexcept { return mSize; }

  // A new descriptor of the font's family and style (no file: the font was made from data).
  std::shared_ptr<const FontDescriptor> CopyFontDescriptor() const;

private:
  std::shared_ptr<const GraphicsFont> mFont;
  double mSize;
};

} // namespace plugin::sys
