#pragma once

#include "platform/mac/system/GpuFloat4.h"
#include "platform/mac/system/GpuSampler.h"
#include "platform/mac/system/GpuUnorm8.h"

#include <cmath>
#include <cstdint>

namespace plugin::sys {

// A texture with the settings of the sampler that reads it, decoded once so that a shader can
// sample it in its inner loop (a fragment setup keeps one per draw). Sample gives exactly what
// GpuSamplerState::Sample gives. Holds a pointer into the texture: valid while both live.
class GpuBoundTexture
{
public:
  GpuBoundTexture() noexcept = default;
  GpuBoundTexture(const GpuTexture& texture, const GpuSamplerDescriptor& sampler) noexcept
      : mBytes(texture.LevelBytes(0)), mWidth(texture.Width()), mHeight(texture.Height()),
        mLinear(sampler.magFilter == GpuSamplerMinMagFilter::Linear),
        mRepeatS(sampler.sAddressMode == GpuSamplerAddressMode::Repeat),
        mRepeatT(sampler.tAddressMode == GpuSamplerAddressMode::Repeat)
  {
    switch (texture.PixelFormat()) {
    case GpuPixelFormat::RGBA8Unorm:
      mLayout = Layout::RGBA;
      break;
    case GpuPixelFormat::BGRA8Unorm:
      mLayout = Layout::BGRA;
      break;
    default:
      mLayout = Layout::R;
      break;
    }
  }

  // Texel at normalised (u, v), filtered from level 0, into rgba. Any thread; no allocation.
  // Inlined, so that a shader's fragment loop keeps the texture's settings in registers.
  [[gnu::always_inline]] void Sample(float u, float v, float rgba[4]) const noexcept
  {
    const double x = Scaled(u, mWidth), y = Scaled(v, mHeight);
    if (!mLinear) {
      const std::uint32_t tx = Address(Floor(x), mWidth, mRepeatS), ty = Address(Floor(y), mHeight, mRepeatT);
      GpuStore4(rgba, Texel(std::size_t{ty} * mWidth + tx));
      return;
    }
    const double fx = x - 0.5, fy = y - 0.5;
    const long long ix = Floor(fx), iy = Floor(fy);
    const float ax = static_cast<float>(fx - static_cast<double>(ix));
    const float ay = static_cast<float>(fy - static_cast<double>(iy));
    const std::size_t x0 = Address(ix, mWidth, mRepeatS), x1 = Address(ix + 1, mWidth, mRepeatS);
    const std::size_t row0 = std::size_t{Address(iy, mHeight, mRepeatT)} * mWidth;
    const std::size_t row1 = std::size_t{Address(iy + 1, mHeight, mRepeatT)} * mWidth;
    // The taps in the order (x0, y0), (x1, y0), (x0, y1), (x1, y1), summed from zero.
    GpuFloat4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
    sum += (1 - ax) * (1 - ay) * Texel(row0 + x0);
    sum += ax * (1 - ay) * Texel(row0 + x1);
    sum += (1 - ax) * ay * Texel(row1 + x0);
    sum += ax * ay * Texel(row1 + x1);
    GpuStore4(rgba, sum);
  }

private:
  enum class Layout : std::uint8_t { RGBA, BGRA, R };

  // Texel i of level 0 as normalised floats, the way GpuTexture::ReadTexel gives it.
  GpuFloat4 Texel(std::size_t i) const noexcept
  {
    switch (mLayout) {
    case Layout::RGBA:
      return GpuUnorm8ToFloat4(mBytes + i * 4);
    case Layout::BGRA: {
      const GpuFloat4 t = GpuUnorm8ToFloat4(mBytes + i * 4);
      return __builtin_shufflevector(t, t, 2, 1, 0, 3);
    }
    case Layout::R:
      break;
    }
    return GpuFloat4{kGpuUnorm8ToFloat[mBytes[i]], 0.0f, 0.0f, 1.0f};
  }

  // Maps a texel index onto [0, size), repeating or clamping to the edge.
  static std::uint32_t Address(long long i, std::uint32_t size, bool repeat) noexcept
  {
    const long long n = size;
    if (i >= 0 && i < n) return static_cast<std::uint32_t>(i);
    if (repeat) return static_cast<std::uint32_t>(((i % n) + n) % n);
    return static_cast<std::uint32_t>(i < 0 ? 0 : n - 1);
  }

  // Texel coordinate of a normalised coordinate; non-finite values fall to 0.
  static double Scaled(float t, std::uint32_t size) noexcept
  {
    const double s = static_cast<double>(t) * size;
    if (!std::isfinite(s)) return 0.0;
    return s > 1e9 ? 1e9 : (s < -1e9 ? -1e9 : s);
  }

  // floor of a value within what Scaled gives, as an integer.
  static long long Floor(double v) noexcept
  {
    const auto i = static_cast<long long>(v);
    return static_cast<double>(i) > v ? i - 1 : i;
  }

  const unsigned char* mBytes = nullptr;
  std::uint32_t mWidth = 0, mHeight = 0;
  Layout mLayout = Layout::R;
  bool mLinear = false, mRepeatS = false, mRepeatT = false;
};

} // namespace plugin::sys
