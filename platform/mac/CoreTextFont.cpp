#include "platform/mac/CoreTextFont.h"

#include "graphics/resources/LocateResource.h"
#include "platform/mac/FontData.h"
#include "platform/mac/system/GraphicsFont.h"
#include "platform/mac/system/TextFont.h"

#include <cstring>
#include <new>

namespace plugin::ui {

namespace {

// The descriptor of the font in the provider's bytes, or null when they hold no usable font.
std::shared_ptr<const sys::FontDescriptor> DescriptorOf(std::shared_ptr<sys::FontDataProvider> provider)
{
  const auto graphicsFont = sys::GraphicsFont::CreateWithDataProvider(std::move(provider));
  const auto font = sys::TextFont::CreateWithGraphicsFont(graphicsFont, 0.0);
  return font ? font->CopyFontDescriptor() : nullptr;
}

std::unique_ptr<CoreTextFont> FontOfProvider(std::shared_ptr<sys::FontDataProvider> provider)
{
  auto descriptor = DescriptorOf(provider);
  if (!descriptor) return nullptr;
  return std::make_unique<CoreTextFont>(std::move(descriptor), std::move(provider), "", false);
}

const char* StyleName(ETextStyle style)
{
  switch (style) {
  case ETextStyle::Bold:
    return "Bold";
  case ETextStyle::Italic:
    return "Italic";
  default:
    return "Regular";
  }
}

} // namespace

CoreTextFont::CoreTextFont(std::shared_ptr<const sys::FontDescriptor> descriptor,
                           std::shared_ptr<sys::FontDataProvider> provider, const char* style, bool isSystem)
    : mSystem(isSystem), mDescriptor(std::move(descriptor)), mProvider(std::move(provider))
{
  mStyle.Set(style);
}

std::unique_ptr<IFontData> CoreTextFont::GetFontData() const
{
  if (!mProvider) return std::make_unique<IFontData>();
  return CreateFontData(*mProvider, mStyle.Get());
}

std::unique_ptr<CoreTextFont> LoadCoreTextFontFromFile(const char* /*fontID*/, const char* fileName,
                                                       const char* bundleID,
                                                       const char* sharedResourcesSubPath)
{
  StringBuf path;
  if (LocateResource(fileName, "ttf", path, bundleID, nullptr, sharedResourcesSubPath) !=
      kResourceFoundAsFile)
    return nullptr;
  const auto url = sys::FileUrl::FromPath(path.Get());
  if (!url) return nullptr;
  return FontOfProvider(sys::FontDataProvider::CreateWithUrl(*url));
}

std::unique_ptr<CoreTextFont> LoadCoreTextFontFromMemory(const char* /*fontID*/, const void* data, int size)
{
  if (!data || size <= 0) return nullptr;
  uint8_t* copy = new (std::nothrow) uint8_t[static_cast<size_t>(size)];
  if (!copy) return nullptr;
  std::memcpy(copy, data, static_cast<size_t>(size));
  auto provider = sys::FontDataProvider::CreateWithData(
      copy, copy, static_cast<size_t>(size),
      [](void* info, const void*, size_t) { delete[] static_cast<uint8_t*>(info); });
  if (!provider) {
    delete[] copy;
    return nullptr;
  }
  return FontOfProvider(std::move(provider));
}

std::unique_ptr<CoreTextFont> LoadCoreTextFontByName(const char* /*fontID*/, const char* family,
                                                     ETextStyle style)
{
  if (!family || !*family) return nullptr;
  const char* styleName = StyleName(style);
  const auto wanted = sys::FontDescriptor::CreateWithAttributes({family, styleName, std::nullopt});
  for (const auto& match : wanted->CreateMatchingFontDescriptors()) {
    if (!match->Url()) continue;
    if (auto provider = sys::FontDataProvider::CreateWithUrl(*match->Url()))
      return std::make_unique<CoreTextFont>(match, std::move(provider), styleName, true);
  }
  return nullptr;
}

} // namespace plugin::ui
