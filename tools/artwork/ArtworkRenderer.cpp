#include "tools/artwork/ArtworkRenderer.h"

#include "graphics/renderer/VG.h"
#include "platform/mac/MVGBackend.h"
#include "platform/mac/MVGFramebuffer.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuLayer.h"

#include <algorithm>
#include <cmath>

namespace kelmo::artwork {

struct ArtworkRenderer::Lane
{
  plugin::sys::GpuLayerRef layer = plugin::sys::GpuLayer::Create();
  VGcontext* ctx = nullptr;

  Lane()
  {
    layer->SetDevice(plugin::sys::GpuDevice::Create());
    ctx = mvgCreateContext(layer, VG_ANTIALIAS | VG_TRIPLE_BUFFER);
  }
  ~Lane()
  {
    if (ctx) mvgDeleteContext(ctx);
  }
};

ArtworkRenderer::ArtworkRenderer(int lanes)
{
  for (int i = 0; i < std::max(1, lanes); ++i) {
    auto lane = std::make_unique<Lane>();
    if (!lane->ctx) {
      mLanes.clear();
      return;
    }
    mLanes.push_back(std::move(lane));
  }
}

ArtworkRenderer::~ArtworkRenderer() = default;

VGcontext* ArtworkRenderer::Context() const noexcept
{
  return mLanes.empty() ? nullptr : mLanes.front()->ctx;
}

bool ArtworkRenderer::SetUpEveryContext(const std::function<bool(VGcontext*)>& setup)
{
  for (const auto& lane : mLanes)
    if (!setup(lane->ctx)) return false;
  return !mLanes.empty();
}

Picture ArtworkRenderer::Render(float width, float height, float scale, const DrawFunction& draw, int bands)
{
  Picture out;
  if (mLanes.empty() || !(width > 0.0f) || !(height > 0.0f) || !(scale > 0.0f)) return out;
  const int pw = static_cast<int>(std::lround(width * scale));
  const int ph = static_cast<int>(std::lround(height * scale));
  if (pw <= 0 || ph <= 0) return out;
  const int n = std::clamp(bands, 1, std::min(Lanes(), ph));

  // Queue every band on its own lane first; the lanes' workers rasterise while the next band is
  // being recorded. Band k holds the pixel rows [top, bottom).
  struct Band
  {
    VGcontext* ctx;
    MVGframebuffer* fb;
    int top, bottom;
  };
  std::vector<Band> queued;
  bool ok = true;
  for (int k = 0; k < n && ok; ++k) {
    Band b{mLanes[k]->ctx, nullptr, ph * k / n, ph * (k + 1) / n};
    b.fb = mvgCreateFramebuffer(b.ctx, pw, b.bottom - b.top, 0);
    queued.push_back(b);
    if (!b.fb || b.fb->image < 1) {
      ok = false;
      continue;
    }
    mvgBindFramebuffer(b.fb);
    mvgClearWithColor(b.ctx, VGcolor{0, 0, 0, 0});
    vgBeginFrame(b.ctx, width, static_cast<float>(b.bottom - b.top) / scale, scale);
    vgTranslate(b.ctx, 0.0f, -static_cast<float>(b.top) / scale);
    draw(b.ctx);
    vgEndFrame(b.ctx);
    mvgBindFramebuffer(nullptr);
  }
  // Reading waits for the band's frame; every queued band is waited for before it is deleted.
  std::vector<unsigned char> rgba(static_cast<std::size_t>(pw) * ph * 4);
  for (const Band& b : queued) {
    if (!b.fb || !mvgReadPixels(b.ctx, b.fb->image, 0, 0, pw, b.bottom - b.top,
                                rgba.data() + static_cast<std::size_t>(b.top) * pw * 4))
      ok = false;
    mvgDeleteFramebuffer(b.fb);
  }
  if (!ok) return out;
  Unpremultiply(rgba);
  return Picture{pw, ph, std::move(rgba)};
}

int ArtworkRenderer::ImageOf(const Picture& picture, int imageFlags)
{
  if (mLanes.empty() || picture.Empty()) return 0;
  return vgCreateImageRGBA(Context(), picture.width, picture.height, imageFlags, picture.rgba.data());
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
