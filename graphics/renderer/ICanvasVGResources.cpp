#include "graphics/renderer/ICanvasVG.h"

#include "graphics/renderer/FontDataCache.h"
#include "graphics/renderer/VG.h"
#include "graphics/resources/LocateResource.h"
#include "graphics/resources/ResourceNames.h"

#include <cmath>
#include <memory>
#include <mutex>
#include <string>

// Resources of the drawing backend: bitmaps from files and memory through this instance's cache,
// and fonts through the process-wide font data cache.

namespace plugin::ui {

namespace {

// Where a shared image comes from: its bitmap does not own the image.
constexpr int kSharedImageLocation = 3;

// The screen scale rounded up to a whole scale, at least 1.
int WholeScale(float scale)
{
  const float s = std::ceil(scale);
  if (!(s >= 1.f)) return 1;
  return s < 1024.f ? static_cast<int>(s) : 1024;
}

} // namespace

IBitmap ICanvasVG::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  if (!name || !*name) return IBitmap();
  const int target = targetScale > 0 ? targetScale : WholeScale(GetScreenScale());
  std::lock_guard lock(mBitmapCache.Mutex());
  if (APIBitmap* hit = mBitmapCache.Find(name, target))
    return IBitmap(hit, nStates, framesAreHorizontal, name);

  const std::string ext = BitmapExtension(name);
  if (!BitmapExtSupported(ext.c_str())) return IBitmap(); // no file is touched
  StringBuf path;
  int sourceScale = 0;
  const int location = SearchImageResource(name, ext.c_str(), path, target, sourceScale);
  if (location == kResourceNotFound) return IBitmap();
  // Found at another scale: it is cached under that one once loaded.
  if (sourceScale != target) {
    if (APIBitmap* hit = mBitmapCache.Find(name, sourceScale))
      return IBitmap(hit, nStates, framesAreHorizontal, name);
  }
  APIBitmap* bitmap = LoadAPIBitmap(path.Get(), sourceScale, location, ext.c_str());
  // Before the context exists nothing can be decoded: caching that would blank the picture for
  // the context's whole life, so the context's first load decodes it instead.
  if (!bitmap || !mVG) {
    delete bitmap;
    return IBitmap();
  }
  // A file that cannot be decoded is cached as its image 0 (drawn as nothing): read once.
  if (!mBitmapCache.Add(bitmap, name, sourceScale)) return IBitmap(); // the cache deleted it
  return IBitmap(bitmap, nStates, framesAreHorizontal, name);
}

IBitmap ICanvasVG::LoadBitmapFromMemory(const char* name, const void* data, int size, int nStates,
                                        bool framesAreHorizontal, int)
{
  if (!name || !BitmapExtSupported(BitmapExtension(name).c_str())) return IBitmap();
  APIBitmap* bitmap = LoadAPIBitmapFromMemory(name, data, size, 1);
  return bitmap ? IBitmap(bitmap, nStates, framesAreHorizontal, name) : IBitmap();
}

APIBitmap* ICanvasVG::LoadAPIBitmap(const char* path, int scale, int location, const char*)
{
  int image = 0;
  if (location == kResourceFoundAsFile && path && mVG) {
    ActivateDrawContext();
    image = vgCreateImage(mVG, path, 0);
    DeactivateDrawContext();
  }
  return new Bitmap(*this, image, static_cast<float>(scale), location == kSharedImageLocation);
}

APIBitmap* ICanvasVG::LoadAPIBitmapFromMemory(const char* name, const void* data, int size, int scale)
{
  if (!name) name = "";
  std::lock_guard lock(mBitmapCache.Mutex());
  if (APIBitmap* hit = mBitmapCache.Find(name, scale)) return hit;
  if (!mVG) return nullptr; // nothing to decode into, and nothing cached until there is
  int image = 0;
  if (data && size >= 1) {
    ActivateDrawContext();
    // The decoder only reads the bytes.
    image = vgCreateImageMem(mVG, 0, static_cast<unsigned char*>(const_cast<void*>(data)), size);
    DeactivateDrawContext();
  }
  // Data that cannot be decoded is cached as its image 0 (drawn as nothing) like any other.
  auto* bitmap = new Bitmap(*this, image, static_cast<float>(scale), false);
  return mBitmapCache.Add(bitmap, name, scale) ? bitmap : nullptr;
}

bool ICanvasVG::LoadAPIFont(const char* fontID, const PlatformFontPtr& font)
{
  if (!fontID || !mVG) return false;
  StaticStorage<IFontData>& cache = FontDataCache();
  std::lock_guard lock(cache.Mutex());
  const auto create = [&](const IFontData& data) {
    // The core reads the cached bytes in place and never frees them.
    auto* bytes = const_cast<unsigned char*>(data.GetBytes());
    return vgCreateFontMemAtIndex(mVG, fontID, bytes, data.GetSize(), data.mFaceIndex, 0) != -1;
  };
  if (const IFontData* cached = cache.Find(fontID, 1.0)) {
    // Held already: the core would add a second record under the name on every load, and
    // lookups by name only ever find the first.
    if (vgFindFont(mVG, fontID) != -1) return true;
    return create(*cached);
  }
  if (!font) return false;
  std::unique_ptr<IFontData> data = font->GetFontData();
  if (!data || !data->IsValid()) return false;
  // Cached first, so that the bytes the core keeps a pointer to are never those of a record
  // that failed to be stored.
  IFontData* stored = data.get();
  if (!cache.Add(data.release(), fontID, 1.0)) return false; // the cache deleted it
  if (create(*stored)) return true;
  cache.Remove(stored);
  return false;
}

} // namespace plugin::ui
