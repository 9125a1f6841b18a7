#include "graphics/renderer/ICanvasVG.h"

#include "graphics/renderer/CanvasPaint.h"
#include "graphics/renderer/VG.h"

// The path primitives of the drawing backend: path building, strokes and fills with the
// toolkit's patterns, options and blends, the path transform and the clip.

namespace plugin::ui {

namespace {

// Degrees clockwise from twelve o'clock to the core's radians (zero along +x).
float ArcRadians(float degrees)
{
  return degrees * 0.017453294f - 1.5707965f;
}

} // namespace

void ICanvasVG::PathClear()
{
  if (mVG) vgBeginPath(mVG);
}

void ICanvasVG::PathClose()
{
  if (mVG) vgClosePath(mVG);
}

void ICanvasVG::PathArc(float cx, float cy, float r, float startDegrees, float endDegrees, EWinding winding)
{
  if (!mVG) return;
  vgArc(mVG, cx, cy, r, ArcRadians(startDegrees), ArcRadians(endDegrees),
        winding == EWinding::CW ? VG_CW : VG_CCW);
}

void ICanvasVG::PathMoveTo(float x, float y)
{
  if (mVG) vgMoveTo(mVG, x, y);
}

void ICanvasVG::PathLineTo(float x, float y)
{
  if (mVG) vgLineTo(mVG, x, y);
}

void ICanvasVG::PathSetWinding(bool hole)
{
  if (mVG) vgPathWinding(mVG, hole ? VG_CW : VG_CCW);
}

void ICanvasVG::PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  if (mVG) vgBezierTo(mVG, c1x, c1y, c2x, c2y, x2, y2);
}

void ICanvasVG::PathQuadraticBezierTo(float cx, float cy, float x2, float y2)
{
  if (mVG) vgQuadTo(mVG, cx, cy, x2, y2);
}

void ICanvasVG::PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                           const IBlend* blend)
{
  if (!mVG) return;
  if (const int cap = CanvasLineCap(options.mCapOption); cap >= 0) vgLineCap(mVG, cap);
  if (const int join = CanvasLineJoin(options.mJoinOption); join >= 0) vgLineJoin(mVG, join);
  vgMiterLimit(mVG, options.mMiterLimit);
  vgStrokeWidth(mVG, thickness);
  CanvasPaint paint;
  if (MakeCanvasPaint(pattern, blend, paint)) {
    if (paint.solid)
      vgStrokeColor(mVG, paint.color);
    else
      vgStrokePaint(mVG, paint.paint);
    vgPathWinding(mVG, VG_CCW);
    SetCanvasComposite(mVG, blend);
    vgStroke(mVG);
    vgCompositeOperation(mVG, VG_SOURCE_OVER);
  }
  if (!options.mPreserve) vgBeginPath(mVG);
}

void ICanvasVG::PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* blend)
{
  if (!mVG) return;
  if (options.mFillRule == EFillRule::Winding)
    vgPathWinding(mVG, VG_CCW);
  else if (options.mFillRule == EFillRule::EvenOdd)
    vgPathWinding(mVG, VG_CW);
  CanvasPaint paint;
  if (MakeCanvasPaint(pattern, blend, paint)) {
    if (paint.solid)
      vgFillColor(mVG, paint.color);
    else
      vgFillPaint(mVG, paint.paint);
    SetCanvasComposite(mVG, blend);
    vgFill(mVG);
    vgCompositeOperation(mVG, VG_SOURCE_OVER);
  }
  if (!options.mPreserve) vgBeginPath(mVG);
}

void ICanvasVG::PathTransformSetMatrix(const IMatrix& m)
{
  if (!mVG) return;
  float offsetX = 0.f, offsetY = 0.f;
  if (!mLayers.empty()) {
    offsetX = -mLayers.back()->Bounds().L;
    offsetY = -mLayers.back()->Bounds().T;
  }
  const float s = GetDrawScale();
  vgResetTransform(mVG);
  vgScale(mVG, s, s);
  vgTranslate(mVG, offsetX, offsetY);
  vgTransform(mVG, static_cast<float>(m.xx), static_cast<float>(m.yx), static_cast<float>(m.xy),
              static_cast<float>(m.yy), static_cast<float>(m.tx), static_cast<float>(m.ty));
}

void ICanvasVG::SetClipRegion(const IRECT& r)
{
  if (mVG) vgScissor(mVG, r.L, r.T, r.R - r.L, r.B - r.T);
}

} // namespace plugin::ui
