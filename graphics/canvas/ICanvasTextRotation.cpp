#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

// Placement of rotated text: the box a rotated text rectangle covers, aligned inside its bounds.

namespace plugin::ui {

namespace {

// Bounding box of two points.
IRECT BoxOf(float x1, float y1, float x2, float y2)
{
  return IRECT(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

} // namespace

void ICanvas::CalculateTextRotation(const IText& text, const IRECT& bounds, IRECT& rect, double& tx,
                                    double& ty) const
{
  if (text.mAngle == 0.f) return;
  const float a = text.mAngle * kDegToRad;
  const float c = std::cos(a);
  const float s = std::sin(a);
  auto rx = [&](float x, float y) { return x * c - y * s; };
  auto ry = [&](float x, float y) { return x * s + y * c; };
  const IRECT right = BoxOf(rx(rect.R, rect.T), ry(rect.R, rect.T), rx(rect.R, rect.B), ry(rect.R, rect.B));
  const IRECT left = BoxOf(rx(rect.L, rect.T), ry(rect.L, rect.T), rx(rect.L, rect.B), ry(rect.L, rect.B));
  rect = right.Union(left);

  switch (text.mAlign) {
  case EAlign::Near:
    tx = bounds.L - rect.L;
    break;
  case EAlign::Center:
    tx = ((bounds.L + bounds.R) - (rect.L + rect.R)) / 2.0;
    break;
  case EAlign::Far:
    tx = bounds.R - rect.R;
    break;
  }
  switch (text.mVAlign) {
  case EVAlign::Top:
    ty = bounds.T - rect.T;
    break;
  case EVAlign::Middle:
    ty = ((bounds.T + bounds.B) - (rect.T + rect.B)) / 2.0;
    break;
  case EVAlign::Bottom:
    ty = bounds.B - rect.B;
    break;
  }
}

void ICanvas::DoMeasureTextRotation(const IText& text, const IRECT& bounds, IRECT& rect) const
{
  double tx = 0.0;
  double ty = 0.0;
  CalculateTextRotation(text, bounds, rect, tx, ty);
  rect = rect.GetTranslated(static_cast<float>(tx), static_cast<float>(ty));
}

} // namespace plugin::ui
