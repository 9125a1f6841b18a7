#include "graphics/resources/ResourceCaches.h"

namespace plugin::ui {

StaticStorage<APIBitmap>& BitmapCache()
{
  static StaticStorage<APIBitmap> cache;
  return cache;
}

StaticStorage<SVGHolder>& SVGCache()
{
  static StaticStorage<SVGHolder> cache;
  return cache;
}

void RetainResourceCaches()
{
  std::lock_guard bitmapLock(BitmapCache().Mutex());
  BitmapCache().Retain();
  std::lock_guard svgLock(SVGCache().Mutex());
  SVGCache().Retain();
}

void ReleaseResourceCaches()
{
  std::lock_guard bitmapLock(BitmapCache().Mutex());
  BitmapCache().Release();
  std::lock_guard svgLock(SVGCache().Mutex());
  SVGCache().Release();
}

} // namespace plugin::ui
