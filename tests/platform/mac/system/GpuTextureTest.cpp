#include "framework/imagefiles/ImageFiles.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuImageFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numeric>

namespace plugin::sys {
namespace {

GpuTextureRef Make(GpuDevice& device, GpuPixelFormat format, std::uint32_t w, std::uint32_t h,
                   bool mip = false)
{
  GpuTextureDescriptor d;
  d.pixelFormat = format;
  d.width = w;
  d.height = h;
  d.mipmapped = mip;
  return device.NewTexture(d);
}

TEST(GpuTextureTest, RegionRoundTripKeepsNeighbours)
{
  auto device = GpuDevice::Create();
  auto tex = Make(*device, GpuPixelFormat::R8Unorm, 8, 4);
  std::vector<unsigned char> src(3 * 2);
  std::iota(src.begin(), src.end(), 1);
  ASSERT_TRUE(tex->ReplaceRegion(GpuRegionMake2D(4, 1, 3, 2), 0, src.data(), 3));
  std::vector<unsigned char> all(32);
  ASSERT_TRUE(tex->GetBytes(all.data(), 8, GpuRegionMake2D(0, 0, 8, 4), 0));
  const std::vector<unsigned char> expect = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 0,
                                             0, 0, 0, 0, 4, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(all, expect);
}

TEST(GpuTextureTest, RegionsOutsideAndPrivateStorageAreRefused)
{
  auto device = GpuDevice::Create();
  auto tex = Make(*device, GpuPixelFormat::RGBA8Unorm, 8, 4);
  unsigned char bytes[4 * 8 * 4] = {};
  const GpuRegion bad[] = {GpuRegionMake2D(5, 0, 4, 1), GpuRegionMake2D(0, 4, 1, 1),
                           GpuRegionMake2D(0, 0, 0, 1), GpuRegionMake2D(0xFFFFFFFFu, 0, 2, 1)};
  for (const auto& r : bad) {
    EXPECT_FALSE(tex->ReplaceRegion(r, 0, bytes, 32));
    EXPECT_FALSE(tex->GetBytes(bytes, 32, r, 0));
  }
  EXPECT_FALSE(tex->ReplaceRegion(GpuRegionMake2D(0, 0, 8, 1), 0, bytes, 31))
      << "row shorter than the region";
  EXPECT_FALSE(tex->ReplaceRegion(GpuRegionMake2D(0, 0, 1, 1), 1, bytes, 4)) << "no level 1";
  device->SetSharedTextureStorageMode(GpuStorageMode::Private);
  auto priv = Make(*device, GpuPixelFormat::RGBA8Unorm, 2, 2);
  EXPECT_EQ(priv->StorageMode(), GpuStorageMode::Private);
  EXPECT_FALSE(priv->ReplaceRegion(GpuRegionMake2D(0, 0, 1, 1), 0, bytes, 4));
}

TEST(GpuTextureTest, MipmapsAverageTwoByTwoBlocks)
{
  auto device = GpuDevice::Create();
  auto tex = Make(*device, GpuPixelFormat::R8Unorm, 4, 2, true);
  ASSERT_EQ(tex->MipmapLevelCount(), 3u); // 4x2, 2x1, 1x1
  const unsigned char px[8] = {0, 100, 200, 200, 100, 0, 40, 0};
  ASSERT_TRUE(tex->ReplaceRegion(GpuRegionMake2D(0, 0, 4, 2), 0, px, 4));
  tex->GenerateMipmaps();
  unsigned char l1[2], l2[1];
  ASSERT_TRUE(tex->GetBytes(l1, 2, GpuRegionMake2D(0, 0, 2, 1), 1));
  ASSERT_TRUE(tex->GetBytes(l2, 1, GpuRegionMake2D(0, 0, 1, 1), 2));
  EXPECT_EQ(l1[0], 50);  // (0 + 100 + 100 + 0) / 4
  EXPECT_EQ(l1[1], 110); // (200 + 200 + 40 + 0) / 4
  EXPECT_EQ(l2[0], 80);  // (50 + 110) / 2, rounded
}

TEST(GpuTextureTest, ReadBackOrdersChannelsAsRGBAAndPngHoldsStraightColour)
{
  auto device = GpuDevice::Create();
  auto tex = Make(*device, GpuPixelFormat::BGRA8Unorm, 2, 1);
  tex->WriteTexel(0, 0, {1.0f, 0.5f, 0.0f, 1.0f});
  tex->WriteTexel(1, 0, {0.2f, 0.0f, 0.0f, 0.4f}); // premultiplied half-red at 40 %
  const auto rgba = GpuReadRGBA(*tex);
  EXPECT_EQ(rgba, (std::vector<unsigned char>{255, 128, 0, 255, 51, 0, 0, 102}));

  const std::string path = ::testing::TempDir() + "gpu_readback.png";
  ASSERT_TRUE(GpuWritePng(*tex, path));
  // The file is the PNG of the straight colours (the one encoder is deterministic).
  std::ifstream in(path, std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  const unsigned char straight[8] = {255, 128, 0, 255, 128, 0, 0, 102};
  plugin::IByteChunk expected;
  ASSERT_TRUE(plugin::images::EncodePng(2, 1, straight, expected));
  EXPECT_EQ(file, std::string(reinterpret_cast<const char*>(expected.GetData()), size_t(expected.Size())));
  EXPECT_FALSE(GpuWritePng(*tex, "/nonexistent-dir/x.png"));
}

TEST(GpuSamplerTest, FiltersAndAddressModes)
{
  auto device = GpuDevice::Create();
  auto tex = Make(*device, GpuPixelFormat::R8Unorm, 4, 1);
  const unsigned char px[4] = {0, 255, 0, 51};
  ASSERT_TRUE(tex->ReplaceRegion(GpuRegionMake2D(0, 0, 4, 1), 0, px, 4));
  const auto sample = [&](GpuSamplerMinMagFilter f, GpuSamplerAddressMode m, float u) {
    GpuSamplerDescriptor d;
    d.minFilter = d.magFilter = f;
    d.sAddressMode = d.tAddressMode = m;
    return GpuSamplerState(d).Sample(*tex, u, 0.5f)[0];
  };
  using F = GpuSamplerMinMagFilter;
  using A = GpuSamplerAddressMode;
  const struct
  {
    F filter;
    A mode;
    float u, expect;
  } cases[] = {
      {F::Nearest, A::ClampToEdge, 0.30f, 1.0f}, // texel 1
      {F::Nearest, A::ClampToEdge, 1.50f, 0.2f}, // clamped to texel 3
      {F::Nearest, A::Repeat, 1.30f, 1.0f},      // wraps to texel 1
      {F::Linear, A::ClampToEdge, 0.25f, 0.5f},  // halfway between texels 0 and 1
      {F::Linear, A::ClampToEdge, 0.375f, 1.0f}, // centre of texel 1
      {F::Linear, A::ClampToEdge, 1.0f, 0.2f},   // right edge clamps to texel 3
      {F::Linear, A::Repeat, 0.0f, 0.1f},        // between texel 3 and texel 0
      {F::Linear, A::ClampToEdge, NAN, 0.0f},    // non-finite reads texel 0
  };
  for (const auto& c : cases)
    EXPECT_NEAR(sample(c.filter, c.mode, c.u), c.expect, 1e-5f) << c.u;
}

} // namespace
} // namespace plugin::sys
