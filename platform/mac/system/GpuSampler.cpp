#include "platform/mac/system/GpuSampler.h"

#include "platform/mac/system/GpuFloat4.h"
#include "platform/mac/system/GpuUnorm8.h"

#include <cmath>
#include <cstring>

namespace plugin::sys {

namespace {

// Maps a texel index onto [0, size) by the address mode.
std::uint32_t Address(long long i, std::uint32_t size, GpuSamplerAddressMode mode) noexcept
{
  const long long n = size;
  if (i >= 0 && i < n) return static_cast<std::uint32_t>(i);
  if (mode == GpuSamplerAddressMode::Repeat) return static_cast<std::uint32_t>(((i % n) + n) % n);
  return static_cast<std::uint32_t>(i < 0 ? 0 : n - 1);
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

// Texel i of level 0 as normalised floats, the way GpuTexture::ReadTexel gives it, per format.
struct ReadRGBA
{
  static GpuFloat4 At(const unsigned char* bytes, std::size_t i) noexcept
  {
    return GpuUnorm8ToFloat4(bytes + i * 4);
  }
};

struct ReadBGRA
{
  static GpuFloat4 At(const unsigned char* bytes, std::size_t i) noexcept
  {
    const GpuFloat4 t = ReadRGBA::At(bytes, i);
    return __builtin_shufflevector(t, t, 2, 1, 0, 3);
  }
};

struct ReadR
{
  static GpuFloat4 At(const unsigned char* bytes, std::size_t i) noexcept
  {
    return GpuFloat4{kGpuUnorm8ToFloat[bytes[i]], 0.0f, 0.0f, 1.0f};
  }
};

template <class Read>
void Filter(const GpuSamplerDescriptor& d, const GpuTexture& texture, float u, float v, float out[4]) noexcept
{
  const std::uint32_t w = texture.Width(), h = texture.Height();
  const unsigned char* bytes = texture.LevelBytes(0);
  const double x = Scaled(u, w), y = Scaled(v, h);
  if (d.magFilter == GpuSamplerMinMagFilter::Nearest) {
    const std::uint32_t tx = Address(Floor(x), w, d.sAddressMode), ty = Address(Floor(y), h, d.tAddressMode);
    GpuStore4(out, Read::At(bytes, std::size_t{ty} * w + tx));
    return;
  }
  const double fx = x - 0.5, fy = y - 0.5;
  const long long ix = Floor(fx), iy = Floor(fy);
  const float ax = static_cast<float>(fx - static_cast<double>(ix));
  const float ay = static_cast<float>(fy - static_cast<double>(iy));
  const std::size_t xs[2] = {Address(ix, w, d.sAddressMode), Address(ix + 1, w, d.sAddressMode)};
  const std::size_t rows[2] = {std::size_t{Address(iy, h, d.tAddressMode)} * w,
                               std::size_t{Address(iy + 1, h, d.tAddressMode)} * w};
  const float weights[4] = {(1 - ax) * (1 - ay), ax * (1 - ay), (1 - ax) * ay, ax * ay};
  GpuFloat4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
  for (int k = 0; k < 4; ++k)
    sum += weights[k] * Read::At(bytes, rows[k >> 1] + xs[k & 1]);
  GpuStore4(out, sum);
}

} // namespace

std::array<float, 4> GpuSamplerState::Sample(const GpuTexture& texture, float u, float v) const noexcept
{
  std::array<float, 4> rgba;
  Sample(texture, u, v, rgba.data());
  return rgba;
}

void GpuSamplerState::Sample(const GpuTexture& texture, float u, float v, float rgba[4]) const noexcept
{
  switch (texture.PixelFormat()) {
  case GpuPixelFormat::RGBA8Unorm:
    return Filter<ReadRGBA>(mDesc, texture, u, v, rgba);
  case GpuPixelFormat::BGRA8Unorm:
    return Filter<ReadBGRA>(mDesc, texture, u, v, rgba);
  default:
    return Filter<ReadR>(mDesc, texture, u, v, rgba);
  }
}

} // namespace plugin::sys
