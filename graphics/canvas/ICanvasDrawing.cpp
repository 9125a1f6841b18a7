#include "graphics/canvas/ICanvas.h"

#include <cmath>

// Drawing operations built on the renderer's path primitives: each outline clears the path,
// builds it and strokes it once with the default stroke options; each fill likewise fills it once
// with the default fill options. Every operation leaves the transform as it found it.

namespace plugin::ui {

namespace {

constexpr int kMaxGridLines = 1 << 24;

// pos clamped to 0..1; NaN reads as 0.
float Clamp01(float pos)
{
  if (!(pos > 0.f)) return 0.f;
  return pos < 1.f ? pos : 1.f;
}

IStrokeOptions DashedStroke(float dashLength)
{
  IStrokeOptions options;
  options.mDash.SetDash(&dashLength, 1, 0.f);
  return options;
}

} // namespace

// --- Bitmaps ---

void ICanvas::DrawFittedBitmap(const IBitmap& bitmap, const IRECT& dest, const IBlend* blend)
{
  if (!bitmap.IsValid() || bitmap.W() <= 0 || bitmap.H() <= 0) return;
  const float w = static_cast<float>(bitmap.W());
  const float h = static_cast<float>(bitmap.H());
  PathTransformSave();
  PathTransformTranslate(dest.L, dest.T);
  PathTransformScale(dest.W() / w, dest.H() / h);
  DrawBitmap(bitmap, IRECT(0.f, 0.f, w, h), 0, 0, blend);
  PathTransformRestore();
}

void ICanvas::DrawRotatedBitmap(const IBitmap& bitmap, float cx, float cy, double degrees,
                                const IBlend* blend)
{
  if (!bitmap.IsValid() || !(bitmap.GetDrawScale() > 0.f)) return;
  const float w = static_cast<float>(bitmap.W()) / bitmap.GetDrawScale();
  const float h = static_cast<float>(bitmap.H()) / bitmap.GetDrawScale();
  PathTransformSave();
  PathTransformTranslate(cx, cy);
  PathTransformRotate(static_cast<float>(degrees));
  DrawBitmap(bitmap, IRECT(-w / 2.f, -h / 2.f, w / 2.f, h / 2.f), 0, 0, blend);
  PathTransformRestore();
}

// --- Points, lines and outlines ---

void ICanvas::DrawPoint(const IColor& color, float x, float y, const IBlend* blend)
{
  FillRect(color, IRECT(x, y, x + 1.f, y + 1.f), blend);
}

void ICanvas::DrawLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* blend,
                       float thickness)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* blend,
                             float thickness, float dashLength)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathStroke(color, thickness, DashedStroke(dashLength), blend);
}

void ICanvas::DrawTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                           const IBlend* blend, float thickness)
{
  PathClear();
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawRect(const IColor& color, const IRECT& bounds, const IBlend* blend, float thickness)
{
  PathClear();
  PathRect(bounds);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* blend,
                            float thickness)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawRoundRectCorners(const IColor& color, const IRECT& bounds, float cRTL, float cRTR,
                                   float cRBL, float cRBR, const IBlend* blend, float thickness)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBL, cRBR);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawArc(const IColor& color, float cx, float cy, float r, float startDegrees, float endDegrees,
                      const IBlend* blend, float thickness)
{
  PathClear();
  PathArc(cx, cy, r, startDegrees, endDegrees);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawCircle(const IColor& color, float cx, float cy, float r, const IBlend* blend,
                         float thickness)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawEllipse(const IColor& color, const IRECT& bounds, const IBlend* blend, float thickness)
{
  PathClear();
  PathEllipse(bounds);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawEllipseRotated(const IColor& color, float cx, float cy, float rx, float ry, float degrees,
                                 const IBlend* blend, float thickness)
{
  PathClear();
  PathEllipse(cx, cy, rx, ry, degrees);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawConvexPolygon(const IColor& color, float* x, float* y, int n, const IBlend* blend,
                                float thickness)
{
  if (!x || !y || n < 1) return;
  PathClear();
  PathConvexPolygon(x, y, n);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* blend, float thickness,
                             float dashLength)
{
  PathClear();
  PathRect(bounds);
  PathStroke(color, thickness, DashedStroke(dashLength), blend);
}

// --- Fills ---

void ICanvas::FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                           const IBlend* blend)
{
  PathClear();
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillRect(const IColor& color, const IRECT& bounds, const IBlend* blend)
{
  PathClear();
  PathRect(bounds);
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* blend)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillRoundRectCorners(const IColor& color, const IRECT& bounds, float cRTL, float cRTR,
                                   float cRBL, float cRBR, const IBlend* blend)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBL, cRBR);
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillCircle(const IColor& color, float cx, float cy, float r, const IBlend* blend)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillEllipse(const IColor& color, const IRECT& bounds, const IBlend* blend)
{
  PathClear();
  PathEllipse(bounds);
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillEllipseRotated(const IColor& color, float cx, float cy, float rx, float ry, float degrees,
                                 const IBlend* blend)
{
  PathClear();
  PathEllipse(cx, cy, rx, ry, degrees);
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillArc(const IColor& color, float cx, float cy, float r, float startDegrees, float endDegrees,
                      const IBlend* blend)
{
  PathClear();
  PathMoveTo(cx, cy);
  PathArc(cx, cy, r, startDegrees, endDegrees);
  PathClose();
  PathFill(color, IFillOptions(), blend);
}

void ICanvas::FillConvexPolygon(const IColor& color, float* x, float* y, int n, const IBlend* blend)
{
  if (!x || !y || n < 1) return;
  PathClear();
  PathConvexPolygon(x, y, n);
  PathFill(color, IFillOptions(), blend);
}

// --- Text ---

void ICanvas::DrawMultiLineText(const IText& text, const char*, const IRECT& bounds, const IBlend* blend)
{
  DoDrawText(text, "Unsupported", bounds, blend);
}

// --- Plots ---

void ICanvas::DrawGrid(const IColor& color, const IRECT& bounds, float xStep, float yStep,
                       const IBlend* blend, float thickness)
{
  PathClear();
  // Positions are counted from the edge rather than accumulated, so a step too small to move a
  // large coordinate cannot loop forever; past 2^24 lines single precision tells none apart.
  if (xStep > 1.f)
    for (int i = 1; i < kMaxGridLines && bounds.L + static_cast<float>(i) * xStep < bounds.R; ++i) {
      const float x = bounds.L + static_cast<float>(i) * xStep;
      PathMoveTo(x, bounds.T);
      PathLineTo(x, bounds.B);
    }
  if (yStep > 1.f)
    for (int i = 1; i < kMaxGridLines && bounds.T + static_cast<float>(i) * yStep < bounds.B; ++i) {
      const float y = bounds.T + static_cast<float>(i) * yStep;
      PathMoveTo(bounds.L, y);
      PathLineTo(bounds.R, y);
    }
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

void ICanvas::DrawData(const IColor& color, const IRECT& bounds, float* normY, int n, float* normX,
                       const IBlend* blend, float thickness, const IColor* fillColor)
{
  if (n < 1 || !normY) return;
  auto x = [&](int i) {
    if (normX) return bounds.L + bounds.W() * normX[i];
    if (i == 0) return bounds.L;
    return bounds.L + bounds.W() * static_cast<float>(i) / static_cast<float>(n - 1);
  };
  auto y = [&](int i) { return bounds.B + (bounds.T - bounds.B) * normY[i]; };
  PathClear();
  PathMoveTo(x(0), y(0));
  for (int i = 1; i < n; ++i)
    PathLineTo(x(i), y(i));
  if (fillColor) PathFill(*fillColor, IFillOptions(EFillRule::Winding, true), blend);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

// --- Line helpers ---

void ICanvas::DrawLineAcross(const IColor& color, const IRECT& r, EDirection dir, float pos,
                             const IBlend* blend, float thickness)
{
  if (dir == EDirection::Horizontal)
    DrawHorizontalLine(color, r, pos, blend, thickness);
  else
    DrawVerticalLine(color, r, pos, blend, thickness);
}

void ICanvas::DrawHorizontalLine(const IColor& color, const IRECT& r, float yNorm, const IBlend* blend,
                                 float thickness)
{
  const float y = r.B + (r.T - r.B) * Clamp01(yNorm);
  DrawLine(color, r.L, y, r.R, y, blend, thickness);
}

void ICanvas::DrawVerticalLine(const IColor& color, const IRECT& r, float xNorm, const IBlend* blend,
                               float thickness)
{
  const float x = r.L + std::trunc(r.W() * Clamp01(xNorm));
  DrawLine(color, x, r.T, x, r.B, blend, thickness);
}

void ICanvas::DrawVerticalLine(const IColor& color, float x, float yLo, float yHi, const IBlend* blend,
                               float thickness)
{
  DrawLine(color, x, yLo, x, yHi, blend, thickness);
}

void ICanvas::DrawHorizontalLine(const IColor& color, float y, float xLo, float xHi, const IBlend* blend,
                                 float thickness)
{
  DrawLine(color, xLo, y, xHi, y, blend, thickness);
}

void ICanvas::DrawRadialLine(const IColor& color, float cx, float cy, float angleDeg, float rMin, float rMax,
                             const IBlend* blend, float thickness)
{
  PathClear();
  PathRadialLine(cx, cy, angleDeg, rMin, rMax);
  PathStroke(color, thickness, IStrokeOptions(), blend);
}

} // namespace plugin::ui
