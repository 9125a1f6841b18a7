#pragma once

#include <algorithm>
#include <cmath>

// A device RGB colour with alpha, components 0 to 1. Value type; any thread.
namespace plugin::sys {

struct Color
{
  double red = 0.0, green = 0.0, blue = 0.0, alpha = 1.0;

  // Components clamped to 0..1; NaN becomes 0.
  static Color DeviceRgb(double red, double green, double blue, double alpha) noexcept
  {
    const auto unit = [](double v) { return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0); };
    return Color{unit(red), unit(green), unit(blue), unit(alpha)};
  }

  bool operator==(const Color&) const = default;
};

} // namespace plugin::sys
