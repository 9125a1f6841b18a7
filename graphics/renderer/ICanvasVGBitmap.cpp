#include "graphics/renderer/ICanvasVG.h"

#include "graphics/renderer/VG.h"

// Bitmaps of the drawing backend: images of the vector context, framebuffers for layers.

namespace plugin::ui {

namespace {

// The largest side of a framebuffer, in pixels (what the GPU's textures allow).
constexpr int kMaxFramebufferSide = 16384;

} // namespace

ICanvasVG::Bitmap::Bitmap(ICanvasVG& graphics, int image, float scale, bool shared)
    : mGraphics(&graphics), mRenderContext(graphics.mVG), mShared(shared)
{
  int w = 0, h = 0;
  if (mRenderContext) vgImageSize(mRenderContext, image, &w, &h);
  SetBitmap(image, w, h, scale, 1.f);
  if (mRenderContext && !mShared) graphics.Register(this);
}

ICanvasVG::Bitmap::Bitmap(ICanvasVG& graphics, int width, int height, float scale, float drawScale)
    : mGraphics(&graphics), mRenderContext(graphics.mVG)
{
  int image = 0;
  if (mRenderContext) {
    const ICanvasVGBackend& backend = graphics.mBackend;
    // A layer of no pixels, or of more than a texture holds, gets no framebuffer: it draws nothing.
    if (width >= 1 && height >= 1 && width <= kMaxFramebufferSide && height <= kMaxFramebufferSide)
      mFramebuffer = backend.createFramebuffer(mRenderContext, width, height, 0);
    if (mFramebuffer) {
      // An empty frame into the new target: its render pass clears it.
      backend.bindFramebuffer(mFramebuffer);
      backend.clearWithColor(mRenderContext, VGcolor{0.f, 0.f, 0.f, 0.f});
      vgBeginFrame(mRenderContext, static_cast<float>(width), static_cast<float>(height), 1.f);
      vgEndFrame(mRenderContext);
      image = backend.framebufferImage(mFramebuffer);
    }
    graphics.Register(this);
  }
  SetBitmap(image, width, height, scale, drawScale);
}

ICanvasVG::Bitmap::Bitmap(ICanvasVG& graphics, int width, int height, const unsigned char* pixels,
                          float scale, float drawScale)
    : mGraphics(&graphics), mRenderContext(graphics.mVG)
{
  int image = 0;
  if (mRenderContext) {
    image = vgCreateImageRGBA(mRenderContext, width, height, 0, pixels);
    graphics.Register(this);
  }
  SetBitmap(image, width, height, scale, drawScale);
}

ICanvasVG::Bitmap::~Bitmap()
{
  if (!mRenderContext || mShared) return;
  mGraphics->Unregister(this);
  if (mFramebuffer)
    mGraphics->DeleteFramebuffer(mFramebuffer);
  else
    vgDeleteImage(mRenderContext, GetImage());
}

void ICanvasVG::Bitmap::Detach() noexcept
{
  mGraphics = nullptr;
  mRenderContext = nullptr;
  mFramebuffer = nullptr;
  SetBitmap(0, GetWidth(), GetHeight(), GetScale(), GetDrawScale());
}

} // namespace plugin::ui
