#include "graphics/renderer/VGState.h"

#include <cmath>
#include <cstring>

#include "graphics/renderer/VGColor.h"
#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGMath.h"
#include "graphics/renderer/VGPaint.h"
#include "graphics/renderer/VGStateDefaults.h"

namespace {

// Premultiplies the state matrix by t, unless the result would not be finite.
void PremultiplyState(VGcontext* ctx, const float* t)
{
  float xform[6];
  std::memcpy(xform, vgCurrentState(ctx)->xform, sizeof(xform));
  vgTransformPremultiply(xform, t);
  if (vgTransformIsFinite(xform)) std::memcpy(vgCurrentState(ctx)->xform, xform, sizeof(xform));
}

} // namespace

VGstate* vgCurrentState(VGcontext* ctx)
{
  return &ctx->states[ctx->nstates - 1];
}

void vgSave(VGcontext* ctx)
{
  if (ctx->nstates >= kVGMaxStates) return;
  ctx->states[ctx->nstates] = ctx->states[ctx->nstates - 1];
  ctx->nstates++;
}

void vgRestore(VGcontext* ctx)
{
  if (ctx->nstates <= 1) return;
  ctx->nstates--;
}

void vgReset(VGcontext* ctx)
{
  VGstate* state = vgCurrentState(ctx);
  std::memset(state, 0, sizeof(*state));
  state->fill = vgSolidPaint(kVGInitialFillColor);
  state->stroke = vgSolidPaint(kVGInitialStrokeColor);
  state->compositeOperation = vgCompositeOperationStateFor(kVGInitialCompositeOperation);
  state->shapeAntiAlias = 1;
  state->strokeWidth = kVGInitialStrokeWidth;
  state->miterLimit = kVGInitialMiterLimit;
  state->lineCap = VG_BUTT;
  state->lineJoin = VG_MITER;
  state->alpha = kVGInitialAlpha;
  vgTransformIdentity(state->xform);
  state->scissor.extent[0] = kVGNoScissorExtent;
  state->scissor.extent[1] = kVGNoScissorExtent;
  state->fontSize = kVGInitialFontSize;
  state->letterSpacing = 0.0f;
  state->lineHeight = kVGInitialLineHeight;
  state->fontBlur = 0.0f;
  state->textAlign = VG_ALIGN_LEFT | VG_ALIGN_BASELINE;
  state->fontId = 0;
}

void vgShapeAntiAlias(VGcontext* ctx, int enabled)
{
  vgCurrentState(ctx)->shapeAntiAlias = enabled;
}

void vgStrokeWidth(VGcontext* ctx, float width)
{
  if (std::isfinite(width)) vgCurrentState(ctx)->strokeWidth = width;
}

void vgMiterLimit(VGcontext* ctx, float limit)
{
  if (std::isfinite(limit)) vgCurrentState(ctx)->miterLimit = limit;
}

void vgLineCap(VGcontext* ctx, int cap)
{
  vgCurrentState(ctx)->lineCap = cap;
}

void vgLineJoin(VGcontext* ctx, int join)
{
  vgCurrentState(ctx)->lineJoin = join;
}

void vgGlobalAlpha(VGcontext* ctx, float alpha)
{
  if (std::isfinite(alpha)) vgCurrentState(ctx)->alpha = alpha;
}

void vgStrokeColor(VGcontext* ctx, VGcolor color)
{
  vgCurrentState(ctx)->stroke = vgSolidPaint(color);
}

void vgFillColor(VGcontext* ctx, VGcolor color)
{
  vgCurrentState(ctx)->fill = vgSolidPaint(color);
}

void vgStrokePaint(VGcontext* ctx, VGpaint paint)
{
  VGstate* state = vgCurrentState(ctx);
  state->stroke = paint;
  vgTransformMultiply(state->stroke.xform, state->xform);
}

void vgFillPaint(VGcontext* ctx, VGpaint paint)
{
  VGstate* state = vgCurrentState(ctx);
  state->fill = paint;
  vgTransformMultiply(state->fill.xform, state->xform);
}

void vgTransform(VGcontext* ctx, float a, float b, float c, float d, float e, float f)
{
  const float t[6] = {a, b, c, d, e, f};
  PremultiplyState(ctx, t);
}

void vgResetTransform(VGcontext* ctx)
{
  vgTransformIdentity(vgCurrentState(ctx)->xform);
}

void vgTranslate(VGcontext* ctx, float x, float y)
{
  float t[6];
  vgTransformTranslate(t, x, y);
  PremultiplyState(ctx, t);
}

void vgRotate(VGcontext* ctx, float angle)
{
  float t[6];
  vgTransformRotate(t, angle);
  PremultiplyState(ctx, t);
}

void vgSkewX(VGcontext* ctx, float angle)
{
  float t[6];
  vgTransformSkewX(t, angle);
  PremultiplyState(ctx, t);
}

void vgSkewY(VGcontext* ctx, float angle)
{
  float t[6];
  vgTransformSkewY(t, angle);
  PremultiplyState(ctx, t);
}

void vgScale(VGcontext* ctx, float x, float y)
{
  float t[6];
  vgTransformScale(t, x, y);
  PremultiplyState(ctx, t);
}

void vgCurrentTransform(VGcontext* ctx, float* xform)
{
  if (xform == nullptr) return;
  std::memcpy(xform, vgCurrentState(ctx)->xform, sizeof(float) * 6);
}

void vgCompositeOperation(VGcontext* ctx, int op)
{
  vgCurrentState(ctx)->compositeOperation = vgCompositeOperationStateFor(op);
}

void vgCompositeBlendFunc(VGcontext* ctx, int sfactor, int dfactor)
{
  vgCompositeBlendFuncSeparate(ctx, sfactor, dfactor, sfactor, dfactor);
}

void vgCompositeBlendFuncSeparate(VGcontext* ctx, int srcRGB, int dstRGB, int srcAlpha, int dstAlpha)
{
  vgCurrentState(ctx)->compositeOperation = VGcompositeOperationState{srcRGB, dstRGB, srcAlpha, dstAlpha};
}
