#pragma once

#include <array>

// Conversions between 8-bit normalised channels and floats, shared by textures, samplers and the
// rasteriser so that every path reads and writes a texel the same way.
namespace plugin::sys {

// byte / 255 as a float, for every byte.
inline constexpr std::array<float, 256> kGpuUnorm8ToFloat = [] {
  std::array<float, 256> table{};
  for (int i = 0; i < 256; ++i)
    table[i] = static_cast<float>(i) * (1.0f / 255.0f);
  return table;
}();

// v clamped to [0, 1] (NaN to 0, as a GPU's saturate), times 255, rounded half away from zero.
inline unsigned char GpuFloatToUnorm8(float v) noexcept
{
  const float scaled = (v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f) * 255.0f;
  const int whole = static_cast<int>(scaled);
  // scaled - whole is exact: both lie within a factor of two of each other, or whole is 0.
  return static_cast<unsigned char>(whole + (scaled - static_cast<float>(whole) >= 0.5f ? 1 : 0));
}

} // namespace plugin::sys
