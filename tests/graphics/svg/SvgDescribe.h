#pragma once

#include "graphics/svg/SvgImage.h"
#include "graphics/svg/SvgPathBuilder.h"

#include <memory>
#include <string>
#include <vector>

namespace svgtest {

using namespace plugin::ui;

struct ImageDeleter
{
  void operator()(SvgImage* image) const { SvgDelete(image); }
};
using ImagePtr = std::unique_ptr<SvgImage, ImageDeleter>;

inline ImagePtr Parse(const std::string& text, const char* units = "px", float dpi = 96)
{
  return ImagePtr(SvgParse(text.c_str(), units, dpi));
}

// A number rounded to two decimals without trailing zeros ("16.67", "10", never "-0").
std::string Num(double v);

// "M x,y C x,y x,y x,y ... Z" for a path's points and closed flag.
std::string DescribePoints(const std::vector<svg::Point>& points, bool closed);
std::string DescribePath(const SvgPath& path);

// "none", "#rrggbbaa", or "linear|radial <spread> [stop@offset ...]" for a paint.
std::string DescribePaint(const SvgPaint& paint);

// The presentation of a shape in one line: visibility, opacity, paints and stroke settings.
std::string DescribeStyle(const SvgShape& shape);

// "x0,y0,x1,y1" of a bounds array.
std::string DescribeBounds(const float* bounds);

// The image's size and the bounds of each shape: "100x50 [0,0,10,10] [..]".
std::string DescribeLayout(const SvgImage& image);

// Where a gradient's xform takes an image point: "x,y" in the gradient's unit space.
std::string MapToGradient(const SvgPaint& paint, double x, double y);

} // namespace svgtest
