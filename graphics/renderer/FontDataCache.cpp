#include "graphics/renderer/FontDataCache.h"

#include <mutex>

namespace plugin::ui {

StaticStorage<IFontData>& FontDataCache()
{
  static StaticStorage<IFontData> cache;
  return cache;
}

void RetainFontDataCache()
{
  std::lock_guard lock(FontDataCache().Mutex());
  FontDataCache().Retain();
}

void ReleaseFontDataCache()
{
  std::lock_guard lock(FontDataCache().Mutex());
  FontDataCache().Release();
}

} // namespace plugin::ui
