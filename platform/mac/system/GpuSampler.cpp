#include "platform/mac/system/GpuSampler.h"

#include "platform/mac/system/GpuUnorm8.h"

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
  if (!std::isfinite(s)) return 0.0;
  return s > 1e9 ? 1e9 : (s < -1e9 ? -1e9 : s);
}

// floor of a value within what Scaled gives, as an integer.
long long Floor(double v) noexcept
{
  const auto i = static_cast<long long>(v);
  return static_cast<double>(i) > v ? i - 1 : i;
}

// Level 0 of a texture as the sampler reads it: texel (x, y) as normalised floats, the way
// GpuTexture::ReadTexel gives it.
class Texels
{
public:
  explicit Texels(const GpuTexture& texture) noexcept
      : mBytes(texture.LevelBytes(0)), mWidth(texture.Width()), mFormat(texture.PixelFormat())
  {}

  std::array<float, 4> At(std::uint32_t x, std::uint32_t y) const noexcept
  {
    const auto& k = kGpuUnorm8ToFloat;
    const std::size_t texel = std::size_t{y} * mWidth + x;
    switch (mFormat) {
    case GpuPixelFormat::RGBA8Unorm: {
      const unsigned char* p = mBytes + texel * 4;
      return {k[p[0]], k[p[1]], k[p[2]], k[p[3]]};
    }
    case GpuPixelFormat::BGRA8Unorm: {
      const unsigned char* p = mBytes + texel * 4;
      return {k[p[2]], k[p[1]], k[p[0]], k[p[3]]};
    }
    default:
      return {k[mBytes[texel]], 0.0f, 0.0f, 1.0f};
    }
  }

private:
  const unsigned char* mBytes;
  std::uint32_t mWidth;
  GpuPixelFormat mFormat;
};

} // namespace

std::array<float, 4> GpuSamplerState::Sample(const GpuTexture& texture, float u, float v) const noexcept
{
  const std::uint32_t w = texture.Width(), h = texture.Height();
  const Texels texels(texture);
  const double x = Scaled(u, w), y = Scaled(v, h);
  if (mDesc.magFilter == GpuSamplerMinMagFilter::Nearest)
    return texels.At(Address(Floor(x), w, mDesc.sAddressMode), Address(Floor(y), h, mDesc.tAddressMode));
  const double fx = x - 0.5, fy = y - 0.5;
  const long long ix = Floor(fx), iy = Floor(fy);
  const float ax = static_cast<float>(fx - static_cast<double>(ix));
  const float ay = static_cast<float>(fy - static_cast<double>(iy));
  const std::uint32_t xs[2] = {Address(ix, w, mDesc.sAddressMode), Address(ix + 1, w, mDesc.sAddressMode)};
  const std::uint32_t ys[2] = {Address(iy, h, mDesc.tAddressMode), Address(iy + 1, h, mDesc.tAddressMode)};
  const float weights[4] = {(1 - ax) * (1 - ay), ax * (1 - ay), (1 - ax) * ay, ax * ay};
  std::array<float, 4> out{};
  for (int k = 0; k < 4; ++k) {
    const auto t = texels.At(xs[k & 1], ys[k >> 1]);
    for (int c = 0; c < 4; ++c)
      out[c] += weights[k] * t[c];
  }
  return out;
}

} // namespace plugin::sys
