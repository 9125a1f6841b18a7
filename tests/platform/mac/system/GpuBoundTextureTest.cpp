#include "platform/mac/system/GpuBoundTexture.h"
#include "platform/mac/system/GpuDevice.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>

// Four samples along a row at once give bit for bit the texels of four single samples, for
// every format, filter and address mode, at texel centres, between them, off the edges and at
// coordinates that are not numbers.

namespace plugin::sys {
namespace {

bool SameBits(float a, float b)
{
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

TEST(GpuBoundTextureTest, FourSamplesAlongARowAreFourSingleSamples)
{
  auto device = GpuDevice::Create();
  std::mt19937 rng(77);
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  // Texel centres of a 7-wide texture and the points between them, the edges, far off both
  // sides, and what Scaled turns to 0.
  const float special[] = {0.5f / 7, 1.0f / 7, 3.5f / 7, 6.5f / 7, 0.0f,        1.0f,
                           -0.01f,   1.01f,    -3.2f,    5.7f,     1e12f,       -1e12f,
                           inf,      -inf,     nan,      -0.0f,    0.4999f / 7, 6.5001f / 7};
  std::uniform_real_distribution<float> wide(-1.5f, 2.5f);
  for (GpuPixelFormat format :
       {GpuPixelFormat::RGBA8Unorm, GpuPixelFormat::BGRA8Unorm, GpuPixelFormat::R8Unorm}) {
    GpuTextureDescriptor td;
    td.pixelFormat = format;
    td.width = 7;
    td.height = 5;
    auto texture = device->NewTexture(td);
    const std::size_t bytes = std::size_t{7} * 5 * (format == GpuPixelFormat::R8Unorm ? 1 : 4);
    for (std::size_t i = 0; i < bytes; ++i)
      texture->LevelBytes(0)[i] = static_cast<unsigned char>(rng());
    for (auto filter : {GpuSamplerMinMagFilter::Nearest, GpuSamplerMinMagFilter::Linear}) {
      for (auto address : {GpuSamplerAddressMode::ClampToEdge, GpuSamplerAddressMode::Repeat}) {
        GpuSamplerDescriptor sd;
        sd.minFilter = sd.magFilter = filter;
        sd.sAddressMode = sd.tAddressMode = address;
        const GpuBoundTexture bound(*texture, sd);
        std::vector<float> us(std::begin(special), std::end(special));
        for (int i = 0; i < 46; ++i)
          us.push_back(wide(rng));
        for (float v : {0.5f / 5, 0.3f, 1.2f, -0.7f, nan}) {
          const GpuBoundTexture::Rows rows = bound.RowsAt(v);
          for (std::size_t i = 0; i + 4 <= us.size(); i += 4) {
            GpuFloat4 four[4];
            bound.SampleInRows4(GpuFloat4{us[i], us[i + 1], us[i + 2], us[i + 3]}, rows, four);
            for (int l = 0; l < 4; ++l) {
              float one[4];
              bound.Sample(us[i + l], v, one);
              for (int c = 0; c < 4; ++c)
                ASSERT_TRUE(SameBits(four[l][c], one[c]))
                    << "format " << int(format) << " filter " << int(filter) << " address " << int(address)
                    << " u " << us[i + l] << " v " << v << " channel " << c << ": " << four[l][c] << " vs "
                    << one[c];
            }
          }
        }
      }
    }
  }
}

} // namespace
} // namespace plugin::sys
