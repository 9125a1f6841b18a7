#include "graphics/renderer/ICanvasVG.h"

#include "graphics/renderer/VG.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// Layers of the drawing backend: framebuffer bitmaps, switching the render target along the
// toolkit's layer stack, reading a layer's pixels back and compositing a drop shadow into it.

namespace plugin::ui {

namespace {

// Bytes of a w x h RGBA image, or -1 when that does not fit an int.
int64_t ImageBytes(int w, int h)
{
  if (w < 0 || h < 0) return -1;
  const int64_t bytes = int64_t{w} * int64_t{h} * 4;
  return bytes <= std::numeric_limits<int>::max() ? bytes : -1;
}

ICanvasVG::Bitmap* BitmapOf(const ILayer* layer)
{
  return layer ? dynamic_cast<ICanvasVG::Bitmap*>(layer->GetAPIBitmap()) : nullptr;
}

} // namespace

APIBitmap* ICanvasVG::CreateAPIBitmap(int width, int height, float scale, double drawScale, bool)
{
  const bool inFrame = mInDraw && mVG;
  if (inFrame)
    vgEndFrame(mVG); // what was drawn so far goes to its target before the target changes
  else
    ActivateDrawContext();
  auto* bitmap = new Bitmap(*this, width, height, scale, static_cast<float>(drawScale));
  if (inFrame)
    BeginMainFrame();
  else
    DeactivateDrawContext();
  return bitmap;
}

void ICanvasVG::UpdateLayer()
{
  if (!mVG) return;
  vgEndFrame(mVG);
  if (mLayers.empty()) {
    BeginMainFrame();
    return;
  }
  const ILayer* top = mLayers.back();
  MVGframebuffer* fb = nullptr;
  if (const Bitmap* bitmap = BitmapOf(top); bitmap && bitmap->GetImage() > 0) fb = bitmap->GetFramebuffer();
  mBackend.bindFramebuffer(fb);
  // A layer without a framebuffer gets an empty frame: nothing drawn into it lands anywhere.
  const float s = fb ? GetDrawScale() : 0.f;
  vgBeginFrame(mVG, top->Bounds().W() * s, top->Bounds().H() * s, GetScreenScale());
}

void ICanvasVG::GetLayerBitmapData(const ILayerPtr& layer, RawBitmapData& data)
{
  data.Resize(0);
  const Bitmap* bitmap = BitmapOf(layer.get());
  if (!mVG || !bitmap || bitmap->GetImage() <= 0) return;
  const int w = bitmap->GetWidth();
  const int h = bitmap->GetHeight();
  const int64_t size = ImageBytes(w, h);
  if (size <= 0) return;
  data.Resize(static_cast<int>(size));
  if (data.GetSize() < size) {
    data.Resize(0);
    return;
  }
  // Pushing and popping the layer flushes what was drawn into it; the caller's transform, which
  // both reset, comes back.
  PathTransformSave();
  PushLayer(layer.get());
  const int read = mBackend.readPixels(mVG, bitmap->GetImage(), 0, 0, w, h, data.Get());
  PopLayer();
  PathTransformRestore();
  if (!read) data.Resize(0);
}

void ICanvasVG::ApplyShadowMask(ILayerPtr& layer, RawBitmapData& mask, const IShadow& shadow)
{
  const Bitmap* bitmap = BitmapOf(layer.get());
  if (!mVG || !bitmap || bitmap->GetImage() <= 0) return;
  const int w = bitmap->GetWidth();
  const int h = bitmap->GetHeight();
  const int64_t size = ImageBytes(w, h);
  if (size <= 0 || mask.GetSize() < size) return; // a mask smaller than the layer is not used
  const IRECT& bounds = layer->Bounds();
  PathTransformSave(); // pushing and popping layers resets it

  if (!shadow.mDrawForeground) {
    // Only the shadow remains: the layer is cleared first.
    PushLayer(layer.get());
    vgCompositeBlendFunc(mVG, VG_ZERO, VG_ZERO);
    PathRect(bounds);
    vgFillColor(mVG, VGcolor{0.f, 0.f, 0.f, 0.f});
    vgFill(mVG);
    PopLayer();
  }

  const float scale = bitmap->GetScale();
  const float drawScale = bitmap->GetDrawScale();
  Bitmap maskBitmap(*this, w, h, mask.Get(), scale, drawScale);
  ILayer shadowLayer(CreateAPIBitmap(w, h, scale, drawScale), bounds, nullptr, IRECT());
  const IBitmap maskImage(&maskBitmap, 1, false);
  const IBitmap shadowImage(shadowLayer.GetAPIBitmap(), 1, false);

  // The blurred alpha, coloured by the pattern, in a layer of its own.
  PushLayer(layer.get());
  PushLayer(&shadowLayer);
  DrawBitmap(maskImage, bounds, 0, 0, nullptr);
  PathRect(bounds);
  PathTransformTranslate(-shadow.mXOffset, -shadow.mYOffset);
  const IBlend colourIn(EBlend::SourceIn, 1.f);
  PathFill(shadow.mPattern, IFillOptions(), &colourIn);
  PopLayer();

  // Under the layer's drawing, offset, at the shadow's opacity.
  const float opacity = std::isnan(shadow.mOpacity) ? 0.f : std::clamp(shadow.mOpacity, 0.f, 1.f);
  const IBlend under(EBlend::DestinationOver, opacity);
  DrawBitmap(shadowImage, bounds.GetTranslated(shadow.mXOffset, shadow.mYOffset), 0, 0, &under);
  PopLayer();
  PathTransformRestore();
}

} // namespace plugin::ui
