#include "support/ui/RecordingVGBackend.h"

#include "graphics/renderer/VGContext.h"
#include "platform/mac/MVGTypes.h"
#include "support/ui/RecordingBackend.h"

#include <algorithm>
#include <cstring>

namespace plugin::ui::test {

namespace {

thread_local MVGframebuffer* tBound = nullptr;

testsupport::RecordingBackend& Recorder(VGcontext* ctx)
{
  return *static_cast<testsupport::RecordingBackend*>(ctx->params.userPtr);
}

VGcontext* CreateContext(void* layer, int flags)
{
  if (!layer) return nullptr;
  const VGparams params =
      static_cast<testsupport::RecordingBackend*>(layer)->Params((flags & VG_ANTIALIAS) != 0);
  return vgCreateContext(&params);
}

MVGframebuffer* CreateFramebuffer(VGcontext* ctx, int width, int height, int imageFlags)
{
  if (!ctx) return nullptr;
  auto* fb = new MVGframebuffer{ctx, 0};
  fb->image = ctx->params.renderCreateTexture(ctx->params.userPtr, VG_TEXTURE_RGBA, width, height,
                                              imageFlags | VG_IMAGE_PREMULTIPLIED, nullptr);
  return fb;
}

void DeleteFramebuffer(MVGframebuffer* fb)
{
  if (!fb) return;
  if (tBound == fb) tBound = nullptr;
  if (fb->image >= 1) fb->ctx->params.renderDeleteTexture(fb->ctx->params.userPtr, fb->image);
  delete fb;
}

int ReadPixels(VGcontext* ctx, int image, int x, int y, int width, int height, void* data)
{
  const auto& textures = Recorder(ctx).textures;
  const auto it = textures.find(image);
  if (it == textures.end() || !data || x < 0 || y < 0 || width <= 0 || height <= 0) return 0;
  const testsupport::RecordedTexture& t = it->second;
  if (x + width > t.w || y + height > t.h) return 0;
  const int bpp = t.type == VG_TEXTURE_RGBA ? 4 : 1;
  auto* out = static_cast<unsigned char*>(data);
  for (int row = 0; row < height; ++row) {
    const size_t at = (static_cast<size_t>(y + row) * t.w + x) * bpp;
    unsigned char* dst = out + static_cast<size_t>(y + row) * t.w * bpp + static_cast<size_t>(x) * bpp;
    if (at + static_cast<size_t>(width) * bpp <= t.pixels.size())
      std::memcpy(dst, t.pixels.data() + at, static_cast<size_t>(width) * bpp);
    else
      std::memset(dst, 0, static_cast<size_t>(width) * bpp);
  }
  return 1;
}

} // namespace

ICanvasVGBackend RecordingVGBackend()
{
  ICanvasVGBackend backend;
  backend.createContext = CreateContext;
  backend.createFramebuffer = CreateFramebuffer;
  backend.deleteFramebuffer = DeleteFramebuffer;
  backend.bindFramebuffer = [](MVGframebuffer* fb) { tBound = fb; };
  backend.framebufferImage = [](const MVGframebuffer* fb) { return fb ? fb->image : 0; };
  backend.clearWithColor = [](VGcontext*, VGcolor) {};
  backend.readPixels = ReadPixels;
  return backend;
}

MVGframebuffer* RecordingBoundFramebuffer()
{
  return tBound;
}

int RecordingBoundImage()
{
  return tBound ? tBound->image : 0;
}

} // namespace plugin::ui::test
