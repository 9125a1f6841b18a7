#pragma once

#include "graphics/resources/PlatformFont.h"
#include "platform/mac/system/FontDataProvider.h"
#include "platform/mac/system/FontDescriptor.h"

#include "framework/buffers/StringBuf.h"

#include <memory>

namespace plugin::ui {

// The platform font: a font file found as a resource, a block of memory, or an installed font
// chosen by family and style. It keeps the font's descriptor (for the native text field) and the
// provider of the file's bytes (for the renderer's font data). Made, used and deleted on the main
// thread by the graphics context.
class CoreTextFont : public PlatformFont
{
public:
  // isSystem: an installed font found by family and style; style: the style its face must carry
  // ("" for file and memory fonts).
  CoreTextFont(std::shared_ptr<const sys::FontDescriptor> descriptor,
               std::shared_ptr<sys::FontDataProvider> provider, const char* style, bool isSystem);

  // The font's descriptor; copying the pointer retains it.
  const std::shared_ptr<const sys::FontDescriptor>& GetDescriptor() const noexcept { return mDescriptor; }

  // A copy of the font file's bytes with the face that carries the style (face 0 for an empty
  // style; face index -1, not valid, when no face carries it) and that face's metrics and names.
  // Called by the drawing backend on the main thread; allocates a copy of the whole file. Never null.
  std::unique_ptr<IFontData> GetFontData() const override;

  bool IsSystem() const noexcept { return mSystem; }
  const char* GetStyle() const noexcept { return mStyle.Get(); }

private:
  bool mSystem;
  std::shared_ptr<const sys::FontDescriptor> mDescriptor;
  std::shared_ptr<sys::FontDataProvider> mProvider;
  StringBuf mStyle{128};
};

// The font of resource fileName (type "ttf", found by LocateResource: bundle bundleID, then the
// shared folder under sharedResourcesSubPath, then the name as a path); null when it is not found
// or is not a usable font. fontID is not used by the lookup. Main thread; file access; allocates.
std::unique_ptr<CoreTextFont> LoadCoreTextFontFromFile(const char* fontID, const char* fileName,
                                                       const char* bundleID,
                                                       const char* sharedResourcesSubPath);

// The font of a copy of size bytes at data (the copy lives as long as the font's provider); null
// for null data, a size of 0 or less, or bytes that are not a usable font. Main thread; allocates.
std::unique_ptr<CoreTextFont> LoadCoreTextFontFromMemory(const char* fontID, const void* data, int size);

// The first installed font of that family whose style is "Bold" (style Bold), "Italic" (Italic) or
// "Regular" (anything else) and whose file can be read; null for a null or empty family or when
// none matches. Main thread; may scan the font folders; allocates.
std::unique_ptr<CoreTextFont> LoadCoreTextFontByName(const char* fontID, const char* family,
                                                     ETextStyle style);

} // namespace plugin::ui
