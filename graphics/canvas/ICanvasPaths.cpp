#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

// Path builders, the clip rule and the transform stack. Builders add to the current path and never
// clear it; every transform change reaches the renderer at once.

namespace plugin::ui {

// --- Path builders ---

void ICanvas::PathRadialLine(float cx, float cy, float angleDeg, float rMin, float rMax)
{
  const float a = angleDeg * kDegToRad - 1.5707965f;
  const float c = std::cos(a);
  const float s = std::sin(a);
  PathMoveTo(cx + c * rMin, cy + s * rMin);
  PathLineTo(cx + c * rMax, cy + s * rMax);
}

void ICanvas::PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3)
{
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathLineTo(x3, y3);
  PathClose();
}

void ICanvas::PathRect(const IRECT& r)
{
  PathMoveTo(r.L, r.T);
  PathLineTo(r.R, r.T);
  PathLineTo(r.R, r.B);
  PathLineTo(r.L, r.B);
  PathClose();
}

void ICanvas::PathRoundRect(const IRECT& r, float tl, float tr, float bl, float br)
{
  if (!(tl > 0.f) && !(tr > 0.f) && !(bl > 0.f) && !(br > 0.f)) {
    PathRect(r);
    return;
  }
  // Radii are not clamped to the sides: a corner of radius 0 stays sharp.
  PathMoveTo(r.L, r.T + tl);
  PathArc(r.L + tl, r.T + tl, tl, 270.f, 360.f);
  PathArc(r.R - tr, r.T + tr, tr, 0.f, 90.f);
  PathArc(r.R - br, r.B - br, br, 90.f, 180.f);
  PathArc(r.L + bl, r.B - bl, bl, 180.f, 270.f);
  PathClose();
}

void ICanvas::PathRoundRect(const IRECT& r, float radius)
{
  PathRoundRect(r, radius, radius, radius, radius);
}

void ICanvas::PathConvexPolygon(float* x, float* y, int n)
{
  if (!x || !y || n < 1) return;
  PathMoveTo(x[0], y[0]);
  for (int i = 1; i < n; ++i)
    PathLineTo(x[i], y[i]);
  PathClose();
}

void ICanvas::PathCircle(float cx, float cy, float r)
{
  PathMoveTo(cx, cy - r);
  PathArc(cx, cy, r, 0.f, 360.f);
  PathClose();
}

void ICanvas::PathEllipse(float cx, float cy, float rx, float ry, float degrees)
{
  if (!(rx > 0.f) || !(ry > 0.f)) return;
  PathTransformSave();
  PathTransformTranslate(cx, cy);
  PathTransformRotate(degrees);
  PathTransformScale(rx, ry);
  PathMoveTo(0.f, -1.f);
  PathArc(0.f, 0.f, 1.f, 0.f, 360.f);
  PathClose();
  PathTransformRestore();
}

void ICanvas::PathEllipse(const IRECT& r)
{
  PathEllipse(r.MW(), r.MH(), r.W() / 2.f, r.H() / 2.f, 0.f);
}

// --- Clip ---

void ICanvas::PathClipRegion(const IRECT& r)
{
  const IRECT area = mLayers.empty() ? mClipRect : mLayers.back()->Bounds();
  IRECT clip = area;
  if (!r.Empty()) {
    // Edges touching count as overlapping on the right and bottom, as the renderer clips.
    const bool overlap = !area.Empty() && r.R >= area.L && r.L < area.R && r.B >= area.T && r.T < area.B;
    clip = overlap ? IRECT(std::max(r.L, area.L), std::max(r.T, area.T), std::min(r.R, area.R),
                           std::min(r.B, area.B))
                   : IRECT();
  }
  PathTransformSetMatrix(IMatrix());
  SetClipRegion(clip);
  PathTransformSetMatrix(mTransform);
}

// --- Transforms ---

void ICanvas::PathTransformSave()
{
  mTransformStates.push_back(mTransform);
}

void ICanvas::PathTransformRestore()
{
  if (mTransformStates.empty()) return;
  mTransform = mTransformStates.back();
  mTransformStates.pop_back();
  PathTransformSetMatrix(mTransform);
}

void ICanvas::PathTransformReset(bool clearStates)
{
  if (clearStates) mTransformStates.clear();
  mTransform = IMatrix();
  PathTransformSetMatrix(mTransform);
}

void ICanvas::PathTransformTranslate(float x, float y)
{
  PathTransformSetMatrix(mTransform.Translate(x, y));
}

void ICanvas::PathTransformScale(float x, float y)
{
  PathTransformSetMatrix(mTransform.Scale(x, y));
}

void ICanvas::PathTransformScale(float s)
{
  PathTransformScale(s, s);
}

void ICanvas::PathTransformRotate(float degrees)
{
  PathTransformSetMatrix(mTransform.Rotate(degrees));
}

void ICanvas::PathTransformSkew(float xDegrees, float yDegrees)
{
  PathTransformSetMatrix(mTransform.Skew(xDegrees, yDegrees));
}

void ICanvas::PathTransformMatrix(const IMatrix& m)
{
  PathTransformSetMatrix(mTransform.Transform(m));
}

} // namespace plugin::ui
