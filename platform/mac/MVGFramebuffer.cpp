#include "platform/mac/MVGFramebuffer.h"

#include "platform/mac/MVGcontext.h"

#include "graphics/renderer/VGContext.h"

#include <cstdlib>

using namespace plugin::sys;

namespace {

// The bound framebuffer, shared by every context of the process (main thread).
MVGframebuffer* gBound = nullptr;

MVGcontext_vKelmo_vst3* Backend(VGcontext* ctx)
{
  return ctx ? static_cast<MVGcontext_vKelmo_vst3*>(ctx->params.userPtr) : nullptr;
}

} // namespace

void mvgBindFramebuffer(MVGframebuffer* fb)
{
  gBound = fb;
}

MVGframebuffer* mvgBoundFramebuffer()
{
  return gBound;
}

MVGframebuffer* mvgCreateFramebuffer(VGcontext* ctx, int width, int height, int imageFlags)
{
  if (!ctx) return nullptr;
  auto* fb = static_cast<MVGframebuffer*>(std::calloc(1, sizeof(MVGframebuffer)));
  if (!fb) return nullptr;
  fb->ctx = ctx;
  fb->image = ctx->params.renderCreateTexture(ctx->params.userPtr, VG_TEXTURE_RGBA, width, height,
                                              imageFlags | VG_IMAGE_PREMULTIPLIED, nullptr);
  return fb;
}

void mvgDeleteFramebuffer(MVGframebuffer* fb)
{
  if (!fb) return;
  if (gBound == fb) gBound = nullptr;
  if (fb->image >= 1 && fb->ctx) fb->ctx->params.renderDeleteTexture(fb->ctx->params.userPtr, fb->image);
  std::free(fb);
}

void mvgClearWithColor(VGcontext* ctx, VGcolor color)
{
  MVGcontext_vKelmo_vst3* backend = Backend(ctx);
  if (!backend) return;
  backend->clearColor = GpuClearColor{color.r * color.a, color.g * color.a, color.b * color.a, color.a};
  backend->clearBufferOnFlush = true;
}

int mvgReadPixels(VGcontext* ctx, int image, int x, int y, int width, int height, void* data)
{
  MVGcontext_vKelmo_vst3* backend = Backend(ctx);
  MVGtexture_vKelmo_vst3* tex = backend ? backend->findTexture(image) : nullptr;
  if (!tex || !tex->tex || !data || x < 0 || y < 0 || width <= 0 || height <= 0) return 0;
  backend->waitForFrameRenderingInto(image);
  const GpuTexture& t = *tex->tex;
  const std::size_t stride = std::size_t{t.Width()} * GpuBytesPerPixel(t.PixelFormat());
  return t.GetBytes(data, stride, GpuRegionMake2D(x, y, width, height), 0) ? 1 : 0;
}

GpuCommandQueueRef mvgCommandQueue(VGcontext* ctx)
{
  MVGcontext_vKelmo_vst3* backend = Backend(ctx);
  return backend ? backend->commandQueue : nullptr;
}

GpuDeviceRef mvgDevice(VGcontext* ctx)
{
  MVGcontext_vKelmo_vst3* backend = Backend(ctx);
  return backend && backend->metalLayer ? backend->metalLayer->Device() : nullptr;
}

int mvgCreateImageFromHandle(VGcontext* ctx, GpuTextureRef texture, int imageFlags)
{
  MVGcontext_vKelmo_vst3* backend = Backend(ctx);
  const GpuDeviceRef device = mvgDevice(ctx);
  if (!backend || !texture || !device) return 0;
  MVGtexture_vKelmo_vst3* tex = backend->allocTexture();
  if (!tex) return 0;
  tex->type = VG_TEXTURE_RGBA;
  tex->flags = imageFlags;
  tex->tex = std::move(texture);
  tex->sampler = device->NewSamplerState(MVGcontext_vKelmo_vst3::samplerForImageFlags(imageFlags));
  return tex->id;
}

GpuTextureRef mvgImageHandle(VGcontext* ctx, int image)
{
  MVGcontext_vKelmo_vst3* backend = Backend(ctx);
  MVGtexture_vKelmo_vst3* tex = backend ? backend->findTexture(image) : nullptr;
  if (!tex) return nullptr;
  backend->waitForFrameRenderingInto(image);
  return tex->tex;
}
