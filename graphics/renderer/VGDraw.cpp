#include "graphics/renderer/VGDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGExpand.h"
#include "graphics/renderer/VGMath.h"
#include "graphics/renderer/VGPaint.h"

namespace {

constexpr float kFillMiterLimit = 2.4f;
constexpr float kMaxStrokeWidth = 200.0f;

// Mean length of the transform's two column vectors.
float AverageScale(const float* t)
{
  const float sx = std::sqrt(t[0] * t[0] + t[1] * t[1]);
  const float sy = std::sqrt(t[2] * t[2] + t[3] * t[3]);
  return (sx + sy) * 0.5f;
}

bool ScissorIsFinite(const VGscissor& s)
{
  return vgTransformIsFinite(s.xform) && std::isfinite(s.extent[0]) && std::isfinite(s.extent[1]);
}

void MultiplyAlpha(VGpaint* paint, float alpha)
{
  paint->innerColor.a *= alpha;
  paint->outerColor.a *= alpha;
}

bool AntiAliased(VGcontext* ctx)
{
  return ctx->params.edgeAntiAlias != 0 && vgCurrentState(ctx)->shapeAntiAlias != 0;
}

} // namespace

void vgFill(VGcontext* ctx)
{
  VGstate* state = vgCurrentState(ctx);
  VGpaint fillPaint = state->fill;

  vgFlattenPaths(ctx);
  VGpathCache* cache = ctx->cache;
  if (cache->npaths == 0) return;
  const float w = AntiAliased(ctx) ? ctx->fringeWidth : 0.0f;
  if (!vgExpandFill(ctx, w, VG_MITER, kFillMiterLimit)) return;

  MultiplyAlpha(&fillPaint, state->alpha);
  if (!vgPaintIsFinite(fillPaint) || !ScissorIsFinite(state->scissor)) return;

  ctx->params.renderFill(ctx->params.userPtr, &fillPaint, state->compositeOperation, &state->scissor,
                         ctx->fringeWidth, cache->bounds, cache->paths, cache->npaths);

  for (int i = 0; i < cache->npaths; ++i) {
    const VGpath* path = &cache->paths[i];
    ctx->fillTriCount += path->nfill - 2;
    ctx->fillTriCount += path->nstroke - 2;
    ctx->drawCallCount += 2;
  }
}

void vgStroke(VGcontext* ctx)
{
  VGstate* state = vgCurrentState(ctx);
  const float scale = AverageScale(state->xform);
  float strokeWidth = std::clamp(state->strokeWidth * scale, 0.0f, kMaxStrokeWidth);
  if (!std::isfinite(strokeWidth)) return;
  VGpaint strokePaint = state->stroke;

  // Thinner than the fringe: drawn at fringe width, fainter by the square of the ratio.
  if (strokeWidth < ctx->fringeWidth) {
    const float alpha = std::clamp(strokeWidth / ctx->fringeWidth, 0.0f, 1.0f);
    MultiplyAlpha(&strokePaint, alpha * alpha);
    strokeWidth = ctx->fringeWidth;
  }
  MultiplyAlpha(&strokePaint, state->alpha);

  vgFlattenPaths(ctx);
  VGpathCache* cache = ctx->cache;
  if (cache->npaths == 0) return;
  const float aa = AntiAliased(ctx) ? ctx->fringeWidth : 0.0f;
  if (!vgExpandStroke(ctx, strokeWidth * 0.5f, aa, state->lineCap, state->lineJoin, state->miterLimit))
    return;
  if (!vgPaintIsFinite(strokePaint) || !ScissorIsFinite(state->scissor)) return;

  ctx->params.renderStroke(ctx->params.userPtr, &strokePaint, state->compositeOperation, &state->scissor,
                           ctx->fringeWidth, strokeWidth, cache->paths, cache->npaths);

  for (int i = 0; i < cache->npaths; ++i) {
    ctx->strokeTriCount += cache->paths[i].nstroke - 2;
    ctx->drawCallCount++;
  }
}

void vgDebugDumpPathCache(VGcontext* ctx)
{
  const VGpathCache* cache = ctx->cache;
  std::printf("Dumping %d cached paths\n", cache->npaths);
  for (int i = 0; i < cache->npaths; ++i) {
    const VGpath* path = &cache->paths[i];
    std::printf(" - Path %d\n", i);
    if (path->nfill) {
      std::printf("   - fill: %d\n", path->nfill);
      for (int j = 0; j < path->nfill; ++j)
        std::printf("%f\t%f\n", path->fill[j].x, path->fill[j].y);
    }
    if (path->nstroke) {
      std::printf("   - stroke: %d\n", path->nstroke);
      for (int j = 0; j < path->nstroke; ++j)
        std::printf("%f\t%f\n", path->stroke[j].x, path->stroke[j].y);
    }
  }
}
