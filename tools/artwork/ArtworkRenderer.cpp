#include "tools/artwork/ArtworkRenderer.h"

#include "graphics/renderer/VG.h"
#include "platform/mac/MVGBackend.h"
#include "platform/mac/MVGFramebuffer.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuLayer.h"

#include <algorithm>
#include <cmath>

namespace kelmo::artwork {

struct ArtworkRenderer::Gpu
{
  plugin::sys::GpuLayerRef layer = plugin::sys::GpuLayer::Create();
};

ArtworkRenderer::ArtworkRenderer() : mGpu(std::make_unique<Gpu>())
{
  mGpu->layer->SetDevice(plugin::sys::GpuDevice::Create());
  mCtx = mvgCreateContext(mGpu->layer, VG_ANTIALIAS | VG_TRIPLE_BUFFER);
}

ArtworkRenderer::~ArtworkRenderer()
{
  if (mCtx) mvgDeleteContext(mCtx);
}

Picture ArtworkRenderer::Render(float width, float height, float scale, const DrawFunction& draw)
{
  Picture out;
  if (!mCtx || !(width > 0.0f) || !(height > 0.0f) || !(scale > 0.0f)) return out;
  const int pw = static_cast<int>(std::lround(width * scale));
  const int ph = static_cast<int>(std::lround(height * scale));
  MVGframebuffer* fb = mvgCreateFramebuffer(mCtx, pw, ph, 0);
  if (!fb) return out;
  if (fb->image >= 1) {
    mvgBindFramebuffer(fb);
    mvgClearWithColor(mCtx, VGcolor{0, 0, 0, 0});
    vgBeginFrame(mCtx, width, height, scale);
    draw(mCtx);
    vgEndFrame(mCtx);
    std::vector<unsigned char> rgba(static_cast<std::size_t>(pw) * ph * 4);
    if (mvgReadPixels(mCtx, fb->image, 0, 0, pw, ph, rgba.data())) {
      Unpremultiply(rgba);
      out = Picture{pw, ph, std::move(rgba)};
    }
    mvgBindFramebuffer(nullptr);
  }
  mvgDeleteFramebuffer(fb);
  return out;
}

int ArtworkRenderer::ImageOf(const Picture& picture, int imageFlags)
{
  if (!mCtx || picture.Empty()) return 0;
  return vgCreateImageRGBA(mCtx, picture.width, picture.height, imageFlags, picture.rgba.data());
}

void Unpremultiply(std::vector<unsigned char>& rgba)
{
  for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
    const int a = rgba[i + 3];
    if (a == 0 || a == 255) continue;
    for (int c = 0; c < 3; ++c)
      rgba[i + c] = static_cast<unsigned char>(std::min(255, (rgba[i + c] * 255 + a / 2) / a));
  }
}

} // namespace kelmo::artwork
