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
  // From 0.5 up, scaled + 0.5 is exact or rounds within the same integer; below it (where the
  // float just under 0.5 would round up to 1) the result is 0.
  return scaled < 0.5f ? 0 : static_cast<unsigned char>(static_cast<int>(scaled + 0.5f));
}

} // namespace plugin::sys
