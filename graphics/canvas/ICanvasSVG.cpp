#include "graphics/canvas/ICanvas.h"

#include "graphics/svg/SvgImage.h"

#include <algorithm>
#include <cmath>

// Drawing of parsed SVG images: each visible shape becomes one path of cubic segments, filled and
// then stroked with its paints. The image's own fill rule is not used: every sub-path lying inside
// an odd number of the shape's other sub-paths is wound as a hole instead.

namespace plugin::ui {

namespace {

// Edges of the polygon through a path's segment end points (points 0, 3, 6, ...), closed back to
// the first point; fn(ax, ay, bx, by) for each.
template <class Fn> void ForEachEndPointEdge(const SvgPath& path, Fn fn)
{
  const auto& p = path.points;
  const int n = static_cast<int>(p.size());
  int last = 0;
  for (int i = 1; i + 2 < n; i += 3) {
    fn(p[i - 1].x, p[i - 1].y, p[i + 2].x, p[i + 2].y);
    last = i + 2;
  }
  fn(p[last].x, p[last].y, p[0].x, p[0].y);
}

// True when path `self` lies inside an odd number of the shape's other paths: a ray from its first
// point away from its own bounds is crossed an odd number of times.
bool IsHole(const SvgShape& shape, size_t self)
{
  const SvgPath& path = shape.paths[self];
  const double px = path.points[0].x;
  const double py = path.points[0].y;
  const double dx = (path.bounds[0] - 1.0) - px;
  const double dy = (path.bounds[1] - 1.0) - py;
  int crossings = 0;
  for (size_t k = 0; k < shape.paths.size(); ++k) {
    if (k == self || shape.paths[k].points.size() < 4) continue;
    ForEachEndPointEdge(shape.paths[k], [&](double ax, double ay, double bx, double by) {
      const double ex = bx - ax;
      const double ey = by - ay;
      const double denom = dx * ey - dy * ex;
      if (std::fabs(denom) < 1e-8) return; // parallel to the ray
      const double wx = ax - px;
      const double wy = ay - py;
      const double t = (wx * ey - wy * ex) / denom;
      const double u = (wx * dy - wy * dx) / denom;
      if (u >= 0.0 && u < 1.0 && t >= 0.0) ++crossings;
    });
  }
  return crossings % 2 == 1;
}

int OpacityAlpha(float opacity)
{
  if (!(opacity > 0.f)) return 0;
  return std::min(255, static_cast<int>(std::lround(std::min(opacity, 1.f) * 255.f)));
}

IColor UnpackRGB(uint32_t packed, int alpha)
{
  return IColor(alpha, static_cast<int>(packed & 0xff), static_cast<int>((packed >> 8) & 0xff),
                static_cast<int>((packed >> 16) & 0xff));
}

EPatternExtend ExtendOf(SvgSpread spread)
{
  switch (spread) {
  case SvgSpread::Reflect:
    return EPatternExtend::Reflect;
  case SvgSpread::Repeat:
    return EPatternExtend::Repeat;
  default:
    return EPatternExtend::Pad;
  }
}

} // namespace

IPattern ICanvas::GetSVGPattern(const SvgPaint& paint, float opacity)
{
  const int alpha = OpacityAlpha(opacity);
  switch (paint.type) {
  case SvgPaintType::Color:
    return IPattern(UnpackRGB(paint.color, alpha));
  case SvgPaintType::LinearGradient:
  case SvgPaintType::RadialGradient: {
    IPattern pattern(paint.type == SvgPaintType::LinearGradient ? EPatternType::Linear
                                                                : EPatternType::Radial);
    pattern.mExtend = ExtendOf(paint.gradient.spread);
    for (const SvgGradientStop& stop : paint.gradient.stops)
      pattern.AddStop(UnpackRGB(stop.color, 255), stop.offset); // stops past 16 are dropped
    const float* m = paint.gradient.xform;
    pattern.mTransform = IMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
    return pattern;
  }
  default:
    return IPattern(IColor(alpha, 0, 0, 0));
  }
}

void ICanvas::DrawSVG(const ISVG& svg, const IRECT& dest, const IBlend* blend, const IColor* strokeColor,
                      const IColor* fillColor)
{
  if (!svg.IsValid()) return;
  // A side of 0 gives an infinite ratio, which the other side's ratio undercuts; an image with no
  // side, or a ratio of no number (0 / 0), has no size to draw at.
  const float sx = dest.W() / svg.W();
  const float sy = dest.H() / svg.H();
  if (std::isnan(sx) || std::isnan(sy)) return;
  const float scale = std::min(sx, sy);
  if (!std::isfinite(scale)) return;
  PathTransformSave();
  PathTransformTranslate(dest.L, dest.T);
  PathTransformScale(scale);
  DoDrawSVG(svg, blend, strokeColor, fillColor);
  PathTransformRestore();
}

void ICanvas::DrawRotatedSVG(const ISVG& svg, float cx, float cy, float width, float height, double degrees,
                             const IBlend* blend)
{
  PathTransformSave();
  PathTransformTranslate(cx, cy);
  PathTransformRotate(static_cast<float>(degrees));
  DrawSVG(svg, IRECT(-width / 2.f, -height / 2.f, width / 2.f, height / 2.f), blend);
  PathTransformRestore();
}

void ICanvas::DoDrawSVG(const ISVG& svg, const IBlend* blend, const IColor* strokeColor,
                        const IColor* fillColor)
{
  const SvgImage* image = svg.GetImage();
  if (!image) return;
  for (const SvgShape& shape : image->shapes) {
    if (!(shape.flags & kSvgFlagVisible)) continue;
    PathClear();
    for (size_t j = 0; j < shape.paths.size(); ++j) {
      const SvgPath& path = shape.paths[j];
      const auto& p = path.points;
      if (p.empty()) continue;
      PathMoveTo(p[0].x, p[0].y);
      for (size_t i = 1; i + 2 < p.size(); i += 3)
        PathCubicBezierTo(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, p[i + 2].x, p[i + 2].y);
      if (path.closed) PathClose();
      PathSetWinding(IsHole(shape, j));
    }
    const bool hasStroke = shape.stroke.type != SvgPaintType::None;
    if (shape.fill.type != SvgPaintType::None) {
      const IPattern pattern = fillColor ? IPattern(*fillColor) : GetSVGPattern(shape.fill, shape.opacity);
      PathFill(pattern, IFillOptions(EFillRule::Preserve, hasStroke), blend);
    }
    if (hasStroke) {
      IStrokeOptions options;
      options.mMiterLimit = shape.miterLimit;
      options.mPreserve = false;
      const int cap = static_cast<int>(shape.strokeLineCap);
      options.mCapOption = (cap == 1 || cap == 2) ? static_cast<ELineCap>(cap) : ELineCap::Butt;
      const int join = static_cast<int>(shape.strokeLineJoin);
      options.mJoinOption = (join >= 0 && join <= 2) ? static_cast<ELineJoin>(join) : ELineJoin::Miter;
      options.mDash.SetDash(shape.strokeDashArray, shape.strokeDashCount, shape.strokeDashOffset);
      const IPattern pattern =
          strokeColor ? IPattern(*strokeColor) : GetSVGPattern(shape.stroke, shape.opacity);
      PathStroke(pattern, shape.strokeWidth, options, blend);
    }
  }
}

} // namespace plugin::ui
