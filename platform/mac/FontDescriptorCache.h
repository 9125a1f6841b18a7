#pragma once

#include "graphics/resources/PlatformFont.h"
#include "graphics/resources/StaticStorage.h"
#include "graphics/values/IText.h"
#include "platform/mac/system/FontDescriptor.h"

#include <cstdint>
#include <memory>

namespace plugin::ui {

// What the cache keeps of a font: its descriptor (retained while the entry lives) and the ratio
// of its em to its ascender-to-descender height, which the native text field sizes fonts with.
struct FontDescriptorEntry
{
  FontDescriptorEntry(std::shared_ptr<const sys::FontDescriptor> descriptor, double emRatio)
      : mDescriptor(std::move(descriptor)), mEMRatio(emRatio)
  {}

  std::shared_ptr<const sys::FontDescriptor> mDescriptor;
  double mEMRatio;
};

// The process-wide cache of font descriptors keyed by font id at scale 1.0, shared by every editor
// of the process. Its instance count is the number of live macOS graphics contexts; when the last
// one goes it is emptied. Every access runs under its Mutex().
using FontDescriptorCache = StaticStorage<FontDescriptorEntry>;

// The cache.
FontDescriptorCache& SharedFontDescriptorCache();

// Called by the macOS graphics context's constructor and destructor: the count of live contexts
// + 1, or - 1 (emptying the cache at 0: entries deleted, descriptors released). Any thread; locks.
void RetainFontDescriptorCache();
void ReleaseFontDescriptorCache();

// unitsPerEm / (ascender - descender); 1.0 when ascender equals descender.
double FontEmRatio(uint16_t unitsPerEm, int16_t ascender, int16_t descender);

// Adds an entry for fontID (the font's descriptor, the em ratio of its font data) unless the cache
// already has one; the font stays the caller's. Nothing for a null id or a font that is not a
// platform font of this layer. Called by the graphics context after the renderer took the font;
// main thread; locks the cache; reads the font's data.
void CacheCoreTextFont(const char* fontID, const PlatformFont* font, FontDescriptorCache& cache);

// The entry of text->mFont at scale 1.0, or null (also for a null text). The entry lives until
// the cache is emptied. Called by the native text field; main thread; locks the cache.
FontDescriptorEntry* FindCachedFontDescriptor(const IText* text, FontDescriptorCache& cache);

} // namespace plugin::ui
