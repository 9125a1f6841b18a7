#pragma once

#include "platform/mac/system/FileUrl.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// What names a font: family and style, and for an installed font the file that holds it. Immutable once made;
// shared by reference; any thread may read it.
namespace plugin::sys {

class FontDescriptor
{
public:
  struct Attributes
  {
    std::string familyName;
    std::string styleName;
    std::optional<FileUrl> url; // the font file, for installed fonts only
  };

  explicit FontDescriptor(Attributes attributes) : mAttributes(std::move(attributes)) {}

  // A descriptor of those attributes. Allocates.
  static std::shared_ptr<const FontDescriptor> CreateWithAttributes(Attributes attributes);

  const std::string& FamilyName() const noexcept { return mAttributes.familyName; }
  const std::string& StyleName() const noexcept { return mAttributes.styleName; }
  // The URL attribute: the font file, none for fonts made from data.
  const std::optional<FileUrl>& Url() const noexcept { return mAttributes.url; }

  // The installed fonts (FontRegistry::Shared) with this descriptor's family (ASCII case ignored)
  // and exactly its style, in the registry's order; empty when either is "". Main
  // thread; may scan the font folders; allocates.
  std::vector<std::shared_ptr<const FontDescriptor>> CreateMatchingFontDescriptors() const;

private:
  Attributes mAttributes;
};

} // namespace plugin::sys
