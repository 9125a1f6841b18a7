#include "graphics/canvas/ICanvas.h"

#include "graphics/canvas/GaussianBlur.h"

#include <cmath>

// The layer stack: off-screen bitmaps that controls draw into once and draw again until they go
// stale, and the blurred drop shadow cast from a layer's alpha.

namespace plugin::ui {

namespace {

// Pixels for a length in drawing units: ceil(ceil(length) x scale); 0 for non-finite or
// non-positive results, at most 2^24.
int PixelCount(float length, float scale)
{
  const float px = std::ceil(std::ceil(length) * scale);
  if (!(px > 0.f)) return 0;
  return px < 16777216.f ? static_cast<int>(px) : 16777216;
}

// An image of the layer's bitmap in drawing units.
IBitmap LayerBitmap(const ILayer& layer)
{
  return IBitmap(layer.GetAPIBitmap(), 1, false);
}

bool Drawable(const ILayerPtr& layer)
{
  return layer && layer->GetAPIBitmap();
}

} // namespace

void ICanvas::StartLayer(IControl* owner, const IRECT& r, bool cacheable)
{
  const float s = GetTotalScale();
  const IRECT aligned = r.GetPixelAligned(s);
  APIBitmap* bitmap = CreateAPIBitmap(PixelCount(aligned.W(), s), PixelCount(aligned.H(), s), mScreenScale,
                                      mDrawScale, cacheable);
  PushLayer(new ILayer(bitmap, aligned, owner, owner ? owner->GetBounds() : IRECT()));
}

ILayerPtr ICanvas::EndLayer()
{
  return ILayerPtr(PopLayer());
}

void ICanvas::PushLayer(ILayer* layer)
{
  if (!layer) return;
  mLayers.push_back(layer);
  UpdateLayer();
  PathTransformReset(false);
  PathClipRegion(layer->Bounds());
  PathClear();
}

void ICanvas::ResumeLayer(ILayerPtr& layer)
{
  if (layer) PushLayer(layer.release());
}

ILayer* ICanvas::PopLayer()
{
  ILayer* layer = nullptr;
  if (!mLayers.empty()) {
    layer = mLayers.back();
    mLayers.pop_back();
  }
  UpdateLayer();
  PathTransformReset(false);
  PathClipRegion(IRECT());
  PathClear();
  return layer;
}

bool ICanvas::CheckLayer(const ILayerPtr& layer)
{
  if (!Drawable(layer)) return false;
  if (IControl* owner = layer->GetOwner(); owner && owner->GetBounds() != layer->GetControlRect()) {
    layer->SetControlRect(owner->GetBounds());
    layer->Invalidate();
  }
  if (layer->IsInvalid()) return false;
  const APIBitmap* bitmap = layer->GetAPIBitmap();
  if (bitmap->GetDrawScale() != mDrawScale) return false;
  return bitmap->GetScale() == mScreenScale;
}

void ICanvas::DrawLayer(const ILayerPtr& layer, const IBlend* blend)
{
  if (!Drawable(layer)) return;
  PathTransformSave();
  PathTransformReset(false);
  DrawBitmap(LayerBitmap(*layer), layer->Bounds(), 0, 0, blend);
  PathTransformRestore();
}

void ICanvas::DrawFittedLayer(const ILayerPtr& layer, const IRECT& r, const IBlend* blend)
{
  if (!Drawable(layer)) return;
  const float w = layer->Bounds().W();
  const float h = layer->Bounds().H();
  if (!(w > 0.f) || !(h > 0.f)) return;
  PathTransformSave();
  PathTransformTranslate(r.L, r.T);
  PathTransformScale(r.W() / w, r.H() / h);
  DrawBitmap(LayerBitmap(*layer), IRECT(0.f, 0.f, w, h), 0, 0, blend);
  PathTransformRestore();
}

void ICanvas::DrawRotatedLayer(const ILayerPtr& layer, double degrees)
{
  if (!Drawable(layer)) return;
  PathTransformSave();
  PathTransformReset(false);
  DrawRotatedBitmap(LayerBitmap(*layer), layer->Bounds().MW(), layer->Bounds().MH(), degrees, nullptr);
  PathTransformRestore();
}

void ICanvas::ApplyLayerDropShadow(ILayerPtr& layer, const IShadow& shadow)
{
  if (!Drawable(layer)) return;
  const APIBitmap& bitmap = *layer->GetAPIBitmap();
  RawBitmapData mask(4096);
  GetLayerBitmapData(layer, mask);
  // Skipped when the pixels cannot be read back whole.
  if (!BlurAlpha(mask, bitmap.GetWidth(), bitmap.GetHeight(), GetAlphaChannelIndex(), IsFlippedBitmap(),
                 bitmap.GetDrawScale() * bitmap.GetScale() * shadow.mBlurSize))
    return;
  ApplyShadowMask(layer, mask, shadow);
}

} // namespace plugin::ui
