#include "platform/mac/system/GpuSampler.h"

#include <cmath>

namespace plugin::sys {

namespace {

// Maps a texel index onto [0, size) by the address mode.
std::uint32_t Address(long long i, std::uint32_t size, GpuSamplerAddressMode mode) noexcept
{
  const long long n = size;
  if (mode == GpuSamplerAddressMode::Repeat) return static_cast<std::uint32_t>(((i % n) + n) % n);
  return static_cast<std::uint32_t>(i < 0 ? 0 : (i >= n ? n - 1 : i));
}

// Texel coordinate of a normalised coordinate; non-finite values fall to 0.
double Scaled(float t, std::uint32_t size) noexcept
{
  const double s = static_cast<double>(t) * size;
  return std::isfinite(s) ? std::fmax(std::fmin(s, 1e9), -1e9) : 0.0;
}

} // namespace

std::array<float, 4> GpuSamplerState::Sample(const GpuTexture& texture, float u, float v) const noexcept
{
  const std::uint32_t w = texture.Width(), h = texture.Height();
  const double x = Scaled(u, w), y = Scaled(v, h);
  if (mDesc.magFilter == GpuSamplerMinMagFilter::Nearest) {
    return texture.ReadTexel(Address(static_cast<long long>(std::floor(x)), w, mDesc.sAddressMode),
                             Address(static_cast<long long>(std::floor(y)), h, mDesc.tAddressMode));
  }
  const double fx = x - 0.5, fy = y - 0.5;
  const double x0 = std::floor(fx), y0 = std::floor(fy);
  const float ax = static_cast<float>(fx - x0), ay = static_cast<float>(fy - y0);
  const auto ix = static_cast<long long>(x0), iy = static_cast<long long>(y0);
  const std::uint32_t xs[2] = {Address(ix, w, mDesc.sAddressMode), Address(ix + 1, w, mDesc.sAddressMode)};
  const std::uint32_t ys[2] = {Address(iy, h, mDesc.tAddressMode), Address(iy + 1, h, mDesc.tAddressMode)};
  const float weights[4] = {(1 - ax) * (1 - ay), ax * (1 - ay), (1 - ax) * ay, ax * ay};
  std::array<float, 4> out{};
  for (int k = 0; k < 4; ++k) {
    const auto t = texture.ReadTexel(xs[k & 1], ys[k >> 1]);
    for (int c = 0; c < 4; ++c)
      out[c] += weights[k] * t[c];
  }
  return out;
}

} // namespace plugin::sys
