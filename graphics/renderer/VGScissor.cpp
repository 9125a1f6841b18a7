#include <algorithm>
#include <cmath>

#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGMath.h"
#include "graphics/renderer/VGState.h"
#include "graphics/renderer/VGStateDefaults.h"

namespace {

bool AllFinite(float x, float y, float w, float h)
{
  return std::isfinite(x) && std::isfinite(y) && std::isfinite(w) && std::isfinite(h);
}

// dst = intersection of rectangles a and b as x, y, w, h (empty sides become 0).
void IntersectRects(float* dst, float ax, float ay, float aw, float ah, float bx, float by, float bw,
                    float bh)
{
  const float minx = std::max(ax, bx);
  const float miny = std::max(ay, by);
  const float maxx = std::min(ax + aw, bx + bw);
  const float maxy = std::min(ay + ah, by + bh);
  dst[0] = minx;
  dst[1] = miny;
  dst[2] = std::max(0.0f, maxx - minx);
  dst[3] = std::max(0.0f, maxy - miny);
}

} // namespace

void vgScissor(VGcontext* ctx, float x, float y, float w, float h)
{
  if (!AllFinite(x, y, w, h)) return;
  VGstate* state = vgCurrentState(ctx);
  w = std::max(0.0f, w);
  h = std::max(0.0f, h);
  float xform[6];
  vgTransformTranslate(xform, x + w * 0.5f, y + h * 0.5f);
  vgTransformMultiply(xform, state->xform);
  if (!vgTransformIsFinite(xform)) return;
  std::copy(xform, xform + 6, state->scissor.xform);
  state->scissor.extent[0] = w * 0.5f;
  state->scissor.extent[1] = h * 0.5f;
}

void vgIntersectScissor(VGcontext* ctx, float x, float y, float w, float h)
{
  if (!AllFinite(x, y, w, h)) return;
  VGstate* state = vgCurrentState(ctx);
  if (state->scissor.extent[0] < 0) {
    vgScissor(ctx, x, y, w, h);
    return;
  }

  // The previous scissor, seen from the current space, bounded by an axis-aligned rectangle.
  float pxform[6], invxform[6];
  std::copy(state->scissor.xform, state->scissor.xform + 6, pxform);
  const float ex = state->scissor.extent[0];
  const float ey = state->scissor.extent[1];
  vgTransformInverse(invxform, state->xform);
  vgTransformMultiply(pxform, invxform);
  const float tex = ex * std::fabs(pxform[0]) + ey * std::fabs(pxform[2]);
  const float tey = ex * std::fabs(pxform[1]) + ey * std::fabs(pxform[3]);

  float rect[4];
  IntersectRects(rect, pxform[4] - tex, pxform[5] - tey, tex * 2, tey * 2, x, y, w, h);
  vgScissor(ctx, rect[0], rect[1], rect[2], rect[3]);
}

void vgResetScissor(VGcontext* ctx)
{
  VGstate* state = vgCurrentState(ctx);
  std::fill(state->scissor.xform, state->scissor.xform + 6, 0.0f);
  state->scissor.extent[0] = kVGNoScissorExtent;
  state->scissor.extent[1] = kVGNoScissorExtent;
}
