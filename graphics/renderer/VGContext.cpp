#include "graphics/renderer/VGContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/VGFontImages.h"
#include "graphics/renderer/VGStateDefaults.h"

namespace {

constexpr int kInitCommandsSize = 256;
constexpr int kInitFontImageSize = 512;
constexpr float kMinPixelRatio = 0.01f;
constexpr float kMaxPixelRatio = 100.0f;

bool HasRequiredCallbacks(const VGparams& p)
{
  return p.renderCreate && p.renderCreateTexture && p.renderDeleteTexture && p.renderUpdateTexture &&
         p.renderGetTextureSize && p.renderViewport && p.renderCancel && p.renderFlush && p.renderFill &&
         p.renderStroke && p.renderTriangles;
}

// A ratio the tolerances can be derived from: finite, positive, within sane bounds.
float SaneRatio(float ratio)
{
  if (!std::isfinite(ratio) || ratio <= 0.0f) return 1.0f;
  return std::clamp(ratio, kMinPixelRatio, kMaxPixelRatio);
}

// Vertices stay in frame units: the tolerances shrink with the ratio and the backend scales.
void SetDevicePixelRatio(VGcontext* ctx, float ratio)
{
  ctx->tessTol = kVGTessellationTolerance / ratio;
  ctx->distTol = kVGDistanceTolerance / ratio;
  ctx->fringeWidth = kVGFringeWidth / ratio;
  ctx->devicePxRatio = ratio;
}

float SaneSize(float size)
{
  return std::isfinite(size) && size > 0.0f ? size : 0.0f;
}

} // namespace

VGcontext* vgCreateContext(const VGparams* params)
{
  if (params == nullptr || !HasRequiredCallbacks(*params)) return nullptr;
  VGcontext* ctx = static_cast<VGcontext*>(std::calloc(1, sizeof(VGcontext)));
  if (ctx == nullptr) return nullptr;
  ctx->params = *params;

  ctx->commands = static_cast<float*>(std::malloc(sizeof(float) * kInitCommandsSize));
  if (ctx->commands == nullptr) goto error;
  ctx->ncommands = 0;
  ctx->ccommands = kInitCommandsSize;

  ctx->cache = vgAllocPathCache();
  if (ctx->cache == nullptr) goto error;

  ctx->nstates = 1;
  vgReset(ctx);
  SetDevicePixelRatio(ctx, 1.0f);

  if (ctx->params.renderCreate(ctx->params.userPtr) == 0) goto error;

  {
    FNTparams fontParams;
    std::memset(&fontParams, 0, sizeof(fontParams));
    fontParams.width = kInitFontImageSize;
    fontParams.height = kInitFontImageSize;
    fontParams.flags = FNT_ZERO_TOPLEFT;
    ctx->fs = fntCreateInternal(&fontParams);
    if (ctx->fs == nullptr) goto error;
  }

  ctx->fontImages[0] = ctx->params.renderCreateTexture(ctx->params.userPtr, VG_TEXTURE_ALPHA,
                                                       kInitFontImageSize, kInitFontImageSize, 0, nullptr);
  if (ctx->fontImages[0] == 0) goto error;
  ctx->fontImageIdx = 0;
  return ctx;

error:
  vgDeleteContext(ctx);
  return nullptr;
}

void vgDeleteContext(VGcontext* ctx)
{
  if (ctx == nullptr) return;
  std::free(ctx->commands);
  vgDeletePathCache(ctx->cache);
  fntDeleteInternal(ctx->fs);
  for (int& image : ctx->fontImages) {
    if (image != 0) {
      ctx->params.renderDeleteTexture(ctx->params.userPtr, image);
      image = 0;
    }
  }
  if (ctx->params.renderDelete != nullptr) ctx->params.renderDelete(ctx->params.userPtr);
  std::free(ctx);
}

void vgBeginFrame(VGcontext* ctx, float windowWidth, float windowHeight, float devicePixelRatio)
{
  ctx->nstates = 1;
  vgReset(ctx);
  const float ratio = SaneRatio(devicePixelRatio);
  SetDevicePixelRatio(ctx, ratio);
  ctx->params.renderViewport(ctx->params.userPtr, SaneSize(windowWidth), SaneSize(windowHeight), ratio);
  ctx->drawCallCount = 0;
  ctx->fillTriCount = 0;
  ctx->strokeTriCount = 0;
  ctx->textTriCount = 0;
}

void vgCancelFrame(VGcontext* ctx)
{
  ctx->params.renderCancel(ctx->params.userPtr);
}

void vgEndFrame(VGcontext* ctx)
{
  ctx->params.renderFlush(ctx->params.userPtr);
  if (ctx->fontImageIdx != 0) vgCompactFontImages(ctx);
}
