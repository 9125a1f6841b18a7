#pragma once

#include "platform/mac/system/FontDataProvider.h"

#include <memory>
#include <string>

// A font made from font file bytes (the first face of a collection), checked before it is handed
// out. Immutable once made; any thread may read it.
namespace plugin::sys {

class GraphicsFont
{
public:
  // The font of the provider's bytes; null for a null provider or bytes whose first face is not
  // usable (IsUsableFontFace). Main thread; allocates.
  static std::shared_ptr<const GraphicsFont>
  CreateWithDataProvider(std::shared_ptr<FontDataProvider> provider);

  // Name records 1 and 2 of the face ("" when missing).
  const std::string& FamilyName() const noexcept { return mFamily; }
  const std::string& StyleName() const noexcept { return mStyle; }

  GraphicsFont(std::string family, std::string style) : mFamily(std::move(family)), mStyle(std::move(style))
  {}

private:
  std::string mFamily;
  std::string mStyle;
};

} // namespace plugin::sys
