#include "SvgDescribe.h"

#include <cmath>
#include <cstdio>

namespace svgtest {

std::string Num(double v)
{
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", v);
  std::string s = text;
  while (s.back() == '0')
    s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string DescribePoints(const std::vector<svg::Point>& points, bool closed)
{
  std::string s;
  for (size_t i = 0; i < points.size(); ++i) {
    s += i == 0 ? "M " : i % 3 == 1 ? " C " : " ";
    s += Num(points[i].x) + "," + Num(points[i].y);
  }
  return closed ? s + " Z" : s;
}

std::string DescribePath(const SvgPath& path)
{
  std::vector<svg::Point> points;
  for (const auto& p : path.points)
    points.push_back({p.x, p.y});
  return DescribePoints(points, path.closed);
}

std::string DescribePaint(const SvgPaint& paint)
{
  char text[16];
  const auto color = [&](uint32_t c) {
    std::snprintf(text, sizeof text, "#%02x%02x%02x%02x", c & 255, c >> 8 & 255, c >> 16 & 255, c >> 24);
    return std::string(text);
  };
  switch (paint.type) {
  case SvgPaintType::None:
    return "none";
  case SvgPaintType::Color:
    return color(paint.color);
  default:
    break;
  }
  static const char* kSpreads[] = {"pad", "reflect", "repeat"};
  std::string s = paint.type == SvgPaintType::LinearGradient ? "linear " : "radial ";
  s += kSpreads[int(paint.gradient.spread)];
  for (const auto& stop : paint.gradient.stops)
    s += " " + color(stop.color) + "@" + Num(stop.offset);
  return s;
}

std::string DescribeStyle(const SvgShape& shape)
{
  std::string s = shape.flags & kSvgFlagVisible ? "visible" : "hidden";
  s += " opacity " + Num(shape.opacity) + " fill " + DescribePaint(shape.fill);
  if (shape.fillRule == SvgFillRule::EvenOdd) s += " evenodd";
  s += " stroke " + DescribePaint(shape.stroke);
  if (shape.stroke.type == SvgPaintType::None) return s;
  static const char* kJoins[] = {"miter", "round", "bevel"};
  static const char* kCaps[] = {"butt", "round", "square"};
  s += " width " + Num(shape.strokeWidth) + " " + kJoins[int(shape.strokeLineJoin)] + " " +
       kCaps[int(shape.strokeLineCap)] + " limit " + Num(shape.miterLimit);
  if (shape.strokeDashCount) {
    s += " dash";
    for (int i = 0; i < shape.strokeDashCount; ++i)
      s += " " + Num(shape.strokeDashArray[i]);
    s += " offset " + Num(shape.strokeDashOffset);
  }
  return s;
}

std::string DescribeBounds(const float* b)
{
  return Num(b[0]) + "," + Num(b[1]) + "," + Num(b[2]) + "," + Num(b[3]);
}

std::string DescribeLayout(const SvgImage& image)
{
  std::string s = Num(image.width) + "x" + Num(image.height);
  for (const auto& shape : image.shapes)
    s += " [" + DescribeBounds(shape.bounds) + "]";
  return s;
}

std::string MapToGradient(const SvgPaint& paint, double x, double y)
{
  const float* m = paint.gradient.xform;
  return Num(m[0] * x + m[2] * y + m[4]) + "," + Num(m[1] * x + m[3] * y + m[5]);
}

} // namespace svgtest
