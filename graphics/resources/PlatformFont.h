#pragma once

#include "graphics/resources/IFontData.h"

#include <memory>

namespace plugin::ui {

// Style asked for when a font is loaded by family name.
enum class ETextStyle : int { Normal = 0, Bold = 1, Italic = 2 };

// A font made by the platform layer; the renderer takes its data from it. Owned through
// PlatformFontPtr until the platform's font cache takes it over.
class PlatformFont
{
public:
  virtual ~PlatformFont() = default;

  // The font's bytes and metrics for the renderer's font loading, as a new record the caller owns;
  // null when the font has none. Called by the drawing backend on the main thread; allocates.
  virtual std::unique_ptr<IFontData> GetFontData() const { return nullptr; }
};

using PlatformFontPtr = std::unique_ptr<PlatformFont>;

} // namespace plugin::ui
