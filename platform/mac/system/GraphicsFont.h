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
  // usable (IsUsableFontFace). The font keeps the provider. Main thread; allocates.
  static std::shared_ptr<const GraphicsFont>
  CreateWithDataProvider(std::shared_ptr<FontDataProvider> provider);

  const std::shared_ptr<FontDataProvider>& DataProvider() const noexcept { return mProvider; }
  // Name records 1 and 2 of the face ("" when missing).
  const std::string& FamilyName() const noexcept { return mFamily; }
  const std::string& StyleName() const noexcept { return mStyle; }

  GraphicsFont(std::shared_ptr<FontDataProvider> provider, std::string family, std::string style)
      : mProvider(std::move(provider)), mFamily(std::move(family)), mStyle(std::move(style))
  {}

private:
  std::shared_ptr<FontDataProvider> mProvider;
  std::string mFamily;
  std::string mStyle;
};

} // namespace plugin::sys
