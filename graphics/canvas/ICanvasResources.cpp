#include "graphics/canvas/ICanvas.h"

#include "graphics/attached/IBitmapControl.h"
#include "graphics/attached/IPanelControl.h"
#include "graphics/attached/ISVGControl.h"
#include "graphics/resources/LocateResource.h"
#include "graphics/resources/ResourceCaches.h"
#include "graphics/resources/ResourceNames.h"
#include "graphics/svg/SvgImage.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>

// Resource loading: bitmaps at the right pixel scale through the process-wide bitmap cache, SVG
// images through the SVG cache, raw bytes and fonts; the background attach functions; and the
// gesture regions that lie outside controls.

namespace plugin::ui {

namespace {

// The screen scale rounded up to a whole scale, at least 1.
int WholeScale(float scale)
{
  const float s = std::ceil(scale);
  if (!(s >= 1.f)) return 1;
  return s < 1024.f ? static_cast<int>(s) : 1024;
}

// The cached renderer bitmap of the first scale, in search order, that the cache holds for name.
// Locks the bitmap cache.
APIBitmap* SearchBitmapInCache(const char* name, int targetScale, int& sourceScale)
{
  std::lock_guard lock(BitmapCache().Mutex());
  for (int scale : ImageScaleOrder(targetScale)) {
    if (APIBitmap* hit = BitmapCache().Find(name, scale)) {
      sourceScale = scale;
      return hit;
    }
  }
  return nullptr;
}

// Hands a platform font to the renderer and, when accepted, to the platform's font cache; the
// font is deleted unless the cache took it.
bool RegisterFont(ICanvas& g, const char* fontID, PlatformFontPtr font)
{
  if (!font) return false;
  const bool accepted = g.LoadAPIFont(fontID, font);
  if (accepted) g.CachePlatformFont(fontID, font);
  return accepted;
}

} // namespace

// --- Bitmaps ---

int ICanvas::SearchImageResource(const char* name, const char* type, StringBuf& path, int targetScale,
                                 int& sourceScale)
{
  sourceScale = 0;
  path.Set("");
  if (!name || !*name) return kResourceNotFound;
  StringBuf candidate;
  for (int scale : ImageScaleOrder(targetScale)) {
    ScaledResourceName(name, scale, candidate);
    const int location = LocateResource(candidate.Get(), type, path, GetBundleID(), LoadPlatformResource(),
                                        mResourceSubPath.Get());
    if (location >= kResourceFoundAsFile) {
      sourceScale = scale;
      return location;
    }
  }
  path.Set("");
  return kResourceNotFound;
}

IBitmap ICanvas::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  if (!name) return IBitmap();
  const int target = targetScale > 0 ? targetScale : WholeScale(mScreenScale);
  std::lock_guard lock(BitmapCache().Mutex());
  if (APIBitmap* hit = BitmapCache().Find(name, target))
    return IBitmap(hit, nStates, framesAreHorizontal, name);

  const std::string ext = BitmapExtension(name);
  if (!BitmapExtSupported(ext.c_str())) return IBitmap(); // no file is touched

  StringBuf path;
  int sourceScale = 0;
  APIBitmap* bitmap = nullptr;
  bool fresh = false;
  if (const int location = SearchImageResource(name, ext.c_str(), path, target, sourceScale)) {
    bitmap = sourceScale != target ? BitmapCache().Find(name, sourceScale) : nullptr;
    if (!bitmap) {
      bitmap = LoadAPIBitmap(path.Get(), sourceScale, location, ext.c_str());
      fresh = bitmap != nullptr;
    }
  }
  // A file that is missing or cannot be decoded: a cached scale of the same name stands in.
  if (!bitmap) bitmap = SearchBitmapInCache(name, target, sourceScale);
  if (!bitmap) return IBitmap();

  const IBitmap loaded(bitmap, nStates, framesAreHorizontal, name);
  if (bitmap->GetScale() == static_cast<float>(target)) {
    if (fresh) RetainBitmap(loaded, name);
    return loaded;
  }
  const IBitmap scaled = ScaleBitmap(loaded, name, target);
  if (fresh) delete bitmap;
  return scaled;
}

IBitmap ICanvas::LoadBitmapFromMemory(const char* name, const void* data, int size, int nStates,
                                      bool framesAreHorizontal, int targetScale)
{
  if (!name) return IBitmap();
  const int target = targetScale > 0 ? targetScale : WholeScale(mScreenScale);
  std::lock_guard lock(BitmapCache().Mutex());
  if (APIBitmap* hit = BitmapCache().Find(name, target))
    return IBitmap(hit, nStates, framesAreHorizontal, name);
  if (!BitmapExtSupported(BitmapExtension(name).c_str())) return IBitmap();

  int sourceScale = 0;
  if (APIBitmap* cached = SearchBitmapInCache(name, target, sourceScale)) {
    const IBitmap found(cached, nStates, framesAreHorizontal, name);
    return sourceScale == target ? found : ScaleBitmap(found, name, target);
  }
  if (!data || size < 1) return IBitmap();
  APIBitmap* bitmap = LoadAPIBitmapFromMemory(name, data, size, 1);
  if (!bitmap) return IBitmap();
  const IBitmap loaded(bitmap, nStates, framesAreHorizontal, name);
  if (target == 1) {
    RetainBitmap(loaded, name);
    return loaded;
  }
  const IBitmap scaled = ScaleBitmap(loaded, name, target);
  delete bitmap;
  return scaled;
}

IBitmap ICanvas::ScaleBitmap(const IBitmap& in, const char* name, int targetScale)
{
  const APIBitmap* source = in.GetAPIBitmap();
  if (!source || !(source->GetDrawScale() > 0.f) || targetScale < 1) return IBitmap();
  const float keptScreenScale = mScreenScale;
  const float keptDrawScale = mDrawScale;
  mScreenScale = static_cast<float>(targetScale);
  mDrawScale = source->GetDrawScale();

  const IRECT bounds(0.f, 0.f, static_cast<float>(in.W()) / mDrawScale,
                     static_cast<float>(in.H()) / mDrawScale);
  StartLayer(nullptr, bounds, true);
  DrawBitmap(in, bounds, 0, 0, nullptr);
  ILayerPtr layer = EndLayer();
  APIBitmap* scaled = layer ? layer->ReleaseAPIBitmap() : nullptr;

  // Both scales come back exactly as they were.
  mScreenScale = keptScreenScale;
  mDrawScale = keptDrawScale;
  if (!scaled) return IBitmap();
  const IBitmap result(scaled, in.N(), in.GetFramesAreHorizontal(), name ? name : "");
  RetainBitmap(result, name ? name : "");
  return result;
}

void ICanvas::RetainBitmap(const IBitmap& bitmap, const char* cacheName)
{
  if (!bitmap.IsValid()) return;
  std::lock_guard lock(BitmapCache().Mutex());
  BitmapCache().Add(bitmap.GetAPIBitmap(), cacheName ? cacheName : "", bitmap.GetScale());
}

void ICanvas::ReleaseBitmap(const IBitmap& bitmap)
{
  if (!bitmap.IsValid()) return;
  std::lock_guard lock(BitmapCache().Mutex());
  BitmapCache().Remove(bitmap.GetAPIBitmap());
}

IBitmap ICanvas::GetScaledBitmap(IBitmap& src)
{
  return LoadBitmap(src.GetResourceName(), src.N(), src.GetFramesAreHorizontal(), WholeScale(mScreenScale));
}

// --- SVG images ---

ISVG ICanvas::LoadSVG(const char* fileName, const char* units, float dpi)
{
  if (!fileName) return ISVG();
  std::lock_guard lock(SVGCache().Mutex());
  if (SVGHolder* hit = SVGCache().Find(fileName, 1.0)) return ISVG(hit->GetImage());
  const ResourceData data = LoadResource(fileName, "svg");
  if (data.GetSize() < 1) return ISVG();
  return LoadSVGFromMemory(fileName, data.Get(), data.GetSize(), units, dpi);
}

ISVG ICanvas::LoadSVGFromMemory(const char* name, const void* data, int size, const char* units, float dpi)
{
  if (!name) name = "";
  std::lock_guard lock(SVGCache().Mutex());
  if (SVGHolder* hit = SVGCache().Find(name, 1.0)) return ISVG(hit->GetImage());
  // The text ends at the first zero byte (within size bytes when a size is given).
  const char* bytes = static_cast<const char*>(data);
  size_t length = 0;
  if (bytes) length = size >= 1 ? strnlen(bytes, static_cast<size_t>(size)) : std::strlen(bytes);
  const std::string text(bytes ? bytes : "", length);
  SvgImage* image = SvgParse(text.c_str(), units, dpi);
  if (!image) return ISVG();
  if (!SVGCache().Add(new SVGHolder(image), name, 1.0)) return ISVG(); // the holder freed the image
  return ISVG(image);
}

// --- Raw resources ---

ResourceData ICanvas::LoadResource(const char* fileNameOrResID, const char* fileType)
{
  ResourceData data(4096);
  StringBuf path;
  if (!fileNameOrResID ||
      LocateResource(fileNameOrResID, fileType, path, GetBundleID(), LoadPlatformResource(),
                     mResourceSubPath.Get()) != kResourceFoundAsFile)
    return data;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.Get(), "rb"), &std::fclose);
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return data;
  const long length = std::ftell(file.get());
  if (length <= 0 || length > INT_MAX || std::fseek(file.get(), 0, SEEK_SET) != 0) return data;
  uint8_t* bytes = data.Resize(static_cast<int>(length));
  if (!bytes || std::fread(bytes, 1, static_cast<size_t>(length), file.get()) != static_cast<size_t>(length))
    data.Resize(0); // a short read gives nothing
  return data;
}

// --- Fonts ---

bool ICanvas::LoadFont(const char* fontID, const char* fileNameOrResID)
{
  return RegisterFont(*this, fontID, LoadPlatformFont(fontID, fileNameOrResID));
}

bool ICanvas::LoadFont(const char* fontID, const char* fontName, ETextStyle style)
{
  return RegisterFont(*this, fontID, LoadPlatformFontByName(fontID, fontName, style));
}

bool ICanvas::LoadFontFromMemory(const char* fontID, const void* data, int size)
{
  return RegisterFont(*this, fontID, LoadPlatformFontFromMemory(fontID, data, size));
}

// --- Backgrounds ---

void ICanvas::AttachBackground(const char* fileName)
{
  auto* control = new IBitmapControl(0.f, 0.f, LoadBitmap(fileName, 1, false, 0), -1, EBlend::SourceOver);
  InitSpecialControl(control);
  if (!InsertControlAtFront(control)) delete control;
}

void ICanvas::AttachSVGBackground(const char* fileName)
{
  const ISVG svg = LoadSVG(fileName, "px", 72.f);
  auto* control =
      new ISVGControl(IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight)), svg, true);
  control->mEditorDelegate = mDelegate;
  control->mGraphicsContext = this;
  if (!InsertControlAtFront(control)) delete control;
}

void ICanvas::AttachPanelBackground(const IPattern& pattern)
{
  auto* control = new IPanelControl(IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight)),
                                    pattern, false);
  InitSpecialControl(control);
  if (!InsertControlAtFront(control)) delete control;
}

// --- Gestures ---

void ICanvas::AddIdIfPresent(int gestureType)
{
  for (int registered : mRegisteredGestures) {
    if (registered == gestureType) {
      mRegisteredGestures.push_back(gestureType);
      return;
    }
  }
}

void ICanvas::AttachGestureRecognizerToRegion(const IRECT& bounds, int gestureType, IGestureFunc func)
{
  const int count = mGestureRegions.GetSize();
  IRECT* regions = mGestureRegions.Resize(count + 1, false);
  if (!regions || mGestureRegions.GetSize() != count + 1) return;
  regions[count] = bounds;
  AddIdIfPresent(gestureType);
  mGestureRegionFuncs[count] = std::move(func);
}

void ICanvas::ClearGestureRegions()
{
  mGestureRegions.Resize(0);
  mGestureRegionFuncs.clear();
}

bool ICanvas::RespondsToGesture(float x, float y)
{
  if (IControl* control = GetMouseControl(x, y, false); control && control->WantsGestures()) return true;
  const IRECT* regions = mGestureRegions.Get();
  for (int i = 0; i < mGestureRegions.GetSize(); ++i)
    if (regions[i].Contains(x, y)) return true;
  return false;
}

bool ICanvas::OnGestureRecognized(const IGestureInfo& info)
try {
  if (IControl* control = GetMouseControl(info.x, info.y, false); control && control->WantsGestures())
    return control->OnGesture(info);
  const IRECT* regions = mGestureRegions.Get();
  for (int i = 0; i < mGestureRegions.GetSize(); ++i) {
    if (!regions[i].Contains(info.x, info.y)) continue;
    const auto it = mGestureRegionFuncs.find(i);
    if (it == mGestureRegionFuncs.end() || !it->second) return false;
    it->second(nullptr, info);
    return true;
  }
  return false;
} catch (const std::bad_alloc&) {
  AbandonGesture();
  return true;
}

} // namespace plugin::ui
