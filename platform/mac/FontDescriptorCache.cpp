#include "platform/mac/FontDescriptorCache.h"

#include "platform/mac/CoreTextFont.h"

#include <mutex>

namespace plugin::ui {

namespace {

constexpr double kFontScale = 1.0; // fonts are cached at one scale only

} // namespace

FontDescriptorCache& SharedFontDescriptorCache()
{
  static FontDescriptorCache cache;
  return cache;
}

void RetainFontDescriptorCache()
{
  FontDescriptorCache& cache = SharedFontDescriptorCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Mutex());
  cache.Retain();
}

void ReleaseFontDescriptorCache()
{
  FontDescriptorCache& cache = SharedFontDescriptorCache();
  std::lock_guard<std::recursive_mutex> lock(cache.Mutex());
  cache.Release();
}

double FontEmRatio(uint16_t unitsPerEm, int16_t ascender, int16_t descender)
{
  const int height = int{ascender} - int{descender};
  return height == 0 ? 1.0 : static_cast<double>(unitsPerEm) / height;
}

void CacheCoreTextFont(const char* fontID, const PlatformFont* font, FontDescriptorCache& cache)
{
  const auto* coreTextFont = dynamic_cast<const CoreTextFont*>(font);
  if (!fontID || !coreTextFont) return;
  std::lock_guard<std::recursive_mutex> lock(cache.Mutex());
  if (cache.Find(fontID, kFontScale)) return;
  const std::unique_ptr<IFontData> data = coreTextFont->GetFontData();
  const double ratio = FontEmRatio(data->mUnitsPerEm, data->mAscender, data->mDescender);
  cache.Add(new FontDescriptorEntry(coreTextFont->GetDescriptor(), ratio), fontID, kFontScale);
}

FontDescriptorEntry* FindCachedFontDescriptor(const IText* text, FontDescriptorCache& cache)
{
  if (!text) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(cache.Mutex());
  return cache.Find(text->mFont, kFontScale);
}

} // namespace plugin::ui
