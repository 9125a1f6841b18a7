// Feeds arbitrary text to the SVG parser and checks the records of every image it returns.
#include "graphics/svg/SvgImage.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace plugin::ui;

namespace {

void Check(bool condition)
{
  if (!condition) __builtin_trap();
}

bool Finite(float v)
{
  return std::isfinite(v);
}

void CheckPaint(const SvgPaint& paint)
{
  if (paint.type != SvgPaintType::LinearGradient && paint.type != SvgPaintType::RadialGradient) return;
  const auto& g = paint.gradient;
  Check(g.stops.size() >= 2);
  for (const float v : g.xform)
    Check(Finite(v));
  float previous = 0;
  for (const auto& stop : g.stops) {
    Check(stop.offset >= previous && stop.offset <= 1);
    previous = stop.offset;
  }
}

void CheckImage(const SvgImage& image)
{
  Check(Finite(image.width) && Finite(image.height) && image.width >= 0 && image.height >= 0);
  for (const auto& shape : image.shapes) {
    Check(!shape.paths.empty());
    Check(shape.opacity >= 0 && shape.opacity <= 1);
    Check(Finite(shape.strokeWidth) && shape.strokeWidth >= 0 && Finite(shape.strokeDashOffset));
    Check(shape.strokeDashCount >= 0 && shape.strokeDashCount <= kSvgMaxDashes);
    for (const float v : shape.strokeDashArray)
      Check(Finite(v) && v >= 0);
    CheckPaint(shape.fill);
    CheckPaint(shape.stroke);
    for (const auto& path : shape.paths) {
      Check(path.points.size() >= 4 && path.points.size() % 3 == 1);
      for (int i = 0; i < 4; ++i)
        Check(Finite(path.bounds[i]));
      Check(path.bounds[0] <= path.bounds[2] && path.bounds[1] <= path.bounds[3]);
      for (const auto& p : path.points)
        Check(Finite(p.x) && Finite(p.y));
      Check(path.bounds[0] >= shape.bounds[0] && path.bounds[3] <= shape.bounds[3]);
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const char* const kUnits[] = {"px", "mm", "in"};
  const std::string text(reinterpret_cast<const char*>(data), size); // parsed up to its first zero
  SvgImage* image = SvgParse(text.c_str(), kUnits[size % 3], 96);
  if (image) CheckImage(*image);
  SvgDelete(image);
  return 0;
}
