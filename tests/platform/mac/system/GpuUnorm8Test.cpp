#include "platform/mac/system/GpuUnorm8.h"
#include "platform/mac/system/GpuFloat4.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace plugin::sys {
namespace {

// What a texel write means: clamp to [0, 1] with NaN as 0, times 255, half away from zero.
int Reference(float v)
{
  if (std::isnan(v)) return 0;
  const float c = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
  return static_cast<int>(std::lround(c * 255.0f));
}

TEST(GpuUnorm8Test, EdgesOfRoundingAndClamping)
{
  const float justBelowHalf = std::nextafter(0.5f, 0.0f) / 255.0f;
  const struct
  {
    float v;
    int expect;
  } cases[] = {
      {0.0f, 0},
      {-0.0f, 0},
      {-1.0f, 0},
      {1.0f, 255},
      {2.0f, 255},
      {std::numeric_limits<float>::infinity(), 255},
      {-std::numeric_limits<float>::infinity(), 0},
      {std::numeric_limits<float>::quiet_NaN(), 0},
      {-std::numeric_limits<float>::quiet_NaN(), 0},
      {0.5f / 255.0f, 1},
      {justBelowHalf, Reference(justBelowHalf)},
      {127.5f / 255.0f, 128},
      {std::nextafter(127.5f, 0.0f) / 255.0f, Reference(std::nextafter(127.5f, 0.0f) / 255.0f)},
      {254.5f / 255.0f, 255},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GpuFloatToUnorm8(c.v), c.expect) << c.v;
    const float four[4] = {c.v, c.v, c.v, c.v};
    unsigned char bytes[4];
    GpuFloat4ToUnorm8(GpuLoad4(four), bytes);
    for (unsigned char b : bytes)
      EXPECT_EQ(b, c.expect) << c.v;
  }
}

TEST(GpuUnorm8Test, ScalarAndFourLaneConversionsAgreeWithTheReference)
{
  // A stride through every float bit pattern: all signs, magnitudes, infinities and NaNs.
  int mismatches = 0;
  for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 4093) {
    float v[4];
    for (int k = 0; k < 4; ++k)
      v[k] = std::bit_cast<float>(static_cast<std::uint32_t>(bits + k * 1021u));
    unsigned char bytes[4];
    GpuFloat4ToUnorm8(GpuLoad4(v), bytes);
    for (int k = 0; k < 4; ++k) {
      if (std::isnan(v[k]) && (std::bit_cast<std::uint32_t>(v[k]) & 0x00400000u) == 0) continue; // signalling
      const int expect = Reference(v[k]);
      mismatches += GpuFloatToUnorm8(v[k]) != expect || bytes[k] != expect;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(GpuUnorm8Test, BytesReadBackAsTheyWereWritten)
{
  for (int i = 0; i < 256; ++i) {
    const unsigned char texel[4] = {static_cast<unsigned char>(i), static_cast<unsigned char>(255 - i), 0,
                                    255};
    const GpuFloat4 f = GpuUnorm8ToFloat4(texel);
    for (int c = 0; c < 4; ++c)
      EXPECT_EQ(f[c], kGpuUnorm8ToFloat[texel[c]]);
    unsigned char back[4];
    GpuFloat4ToUnorm8(f, back);
    EXPECT_EQ(back[0], i);
    EXPECT_EQ(back[1], 255 - i);
    EXPECT_EQ(GpuFloatToUnorm8(kGpuUnorm8ToFloat[i]), i);
  }
}

} // namespace
} // namespace plugin::sys
