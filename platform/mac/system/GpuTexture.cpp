#include "platform/mac/system/GpuTexture.h"

#include "platform/mac/system/GpuUnorm8.h"

#include <algorithm>
#include <cstring>

namespace plugin::sys {

std::size_t GpuBytesPerPixel(GpuPixelFormat format) noexcept
{
  switch (format) {
  case GpuPixelFormat::R8Unorm:
  case GpuPixelFormat::Stencil8:
    return 1;
  case GpuPixelFormat::RGBA8Unorm:
  case GpuPixelFormat::BGRA8Unorm:
    return 4;
  case GpuPixelFormat::Invalid:
    break;
  }
  return 0;
}

GpuTexture::GpuTexture(const GpuTextureDescriptor& descriptor)
    : mDesc(descriptor), mBytesPerPixel(GpuBytesPerPixel(descriptor.pixelFormat))
{
  std::uint32_t w = mDesc.width, h = mDesc.height;
  for (;;) {
    mLevels.emplace_back(static_cast<std::size_t>(w) * h * mBytesPerPixel, 0);
    if (!mDesc.mipmapped || (w == 1 && h == 1)) break;
    w = std::max(1u, w / 2);
    h = std::max(1u, h / 2);
  }
}

std::uint32_t GpuTexture::LevelWidth(std::uint32_t level) const noexcept
{
  return level < mLevels.size() ? std::max(1u, mDesc.width >> level) : 0;
}

std::uint32_t GpuTexture::LevelHeight(std::uint32_t level) const noexcept
{
  return level < mLevels.size() ? std::max(1u, mDesc.height >> level) : 0;
}

bool GpuTexture::Contains(const GpuRegion& region, std::uint32_t level) const noexcept
{
  const std::uint64_t w = LevelWidth(level), h = LevelHeight(level);
  return region.size.width > 0 && region.size.height > 0 && region.size.depth == 1 && region.origin.z == 0 &&
         std::uint64_t{region.origin.x} + region.size.width <= w &&
         std::uint64_t{region.origin.y} + region.size.height <= h;
}

bool GpuTexture::ReplaceRegion(const GpuRegion& region, std::uint32_t level, const void* bytes,
                               std::size_t bytesPerRow)
{
  const std::size_t rowBytes = std::size_t{region.size.width} * mBytesPerPixel;
  if (mDesc.storageMode == GpuStorageMode::Private || !bytes || !Contains(region, level) ||
      bytesPerRow < rowBytes)
    return false;
  const std::lock_guard lock(mAccess);
  const std::size_t stride = std::size_t{LevelWidth(level)} * mBytesPerPixel;
  auto* src = static_cast<const unsigned char*>(bytes);
  unsigned char* dst = mLevels[level].data() + region.origin.y * stride + region.origin.x * mBytesPerPixel;
  for (std::uint32_t row = 0; row < region.size.height; ++row)
    std::memcpy(dst + row * stride, src + row * bytesPerRow, rowBytes);
  return true;
}

bool GpuTexture::GetBytes(void* bytes, std::size_t bytesPerRow, const GpuRegion& region,
                          std::uint32_t level) const
{
  const std::size_t rowBytes = std::size_t{region.size.width} * mBytesPerPixel;
  if (mDesc.storageMode == GpuStorageMode::Private || !bytes || !Contains(region, level) ||
      bytesPerRow < rowBytes)
    return false;
  const std::lock_guard lock(mAccess);
  const std::size_t stride = std::size_t{LevelWidth(level)} * mBytesPerPixel;
  auto* dst = static_cast<unsigned char*>(bytes);
  const unsigned char* src =
      mLevels[level].data() + region.origin.y * stride + region.origin.x * mBytesPerPixel;
  for (std::uint32_t row = 0; row < region.size.height; ++row)
    std::memcpy(dst + row * bytesPerRow, src + row * stride, rowBytes);
  return true;
}

std::array<float, 4> GpuTexture::ReadTexel(std::uint32_t x, std::uint32_t y,
                                           std::uint32_t level) const noexcept
{
  const unsigned char* p = mLevels[level].data() + (std::size_t{y} * LevelWidth(level) + x) * mBytesPerPixel;
  const auto& k = kGpuUnorm8ToFloat;
  switch (mDesc.pixelFormat) {
  case GpuPixelFormat::RGBA8Unorm:
    return {k[p[0]], k[p[1]], k[p[2]], k[p[3]]};
  case GpuPixelFormat::BGRA8Unorm:
    return {k[p[2]], k[p[1]], k[p[0]], k[p[3]]};
  default:
    return {k[p[0]], 0.0f, 0.0f, 1.0f};
  }
}

void GpuTexture::WriteTexel(std::uint32_t x, std::uint32_t y, const std::array<float, 4>& c) noexcept
{
  unsigned char* p = mLevels[0].data() + (std::size_t{y} * mDesc.width + x) * mBytesPerPixel;
  switch (mDesc.pixelFormat) {
  case GpuPixelFormat::RGBA8Unorm:
    for (int i = 0; i < 4; ++i)
      p[i] = GpuFloatToUnorm8(c[i]);
    break;
  case GpuPixelFormat::BGRA8Unorm:
    p[0] = GpuFloatToUnorm8(c[2]);
    p[1] = GpuFloatToUnorm8(c[1]);
    p[2] = GpuFloatToUnorm8(c[0]);
    p[3] = GpuFloatToUnorm8(c[3]);
    break;
  default:
    p[0] = GpuFloatToUnorm8(c[0]);
    break;
  }
}

void GpuTexture::GenerateMipmaps() noexcept
{
  for (std::uint32_t level = 1; level < mLevels.size(); ++level) {
    const std::uint32_t pw = LevelWidth(level - 1), ph = LevelHeight(level - 1);
    const std::uint32_t w = LevelWidth(level), h = LevelHeight(level);
    const unsigned char* src = mLevels[level - 1].data();
    unsigned char* dst = mLevels[level].data();
    for (std::uint32_t y = 0; y < h; ++y)
      for (std::uint32_t x = 0; x < w; ++x)
        for (std::size_t c = 0; c < mBytesPerPixel; ++c) {
          const std::uint32_t x0 = std::min(2 * x, pw - 1), x1 = std::min(2 * x + 1, pw - 1);
          const std::uint32_t y0 = std::min(2 * y, ph - 1), y1 = std::min(2 * y + 1, ph - 1);
          const unsigned sum =
              src[(y0 * pw + x0) * mBytesPerPixel + c] + src[(y0 * pw + x1) * mBytesPerPixel + c] +
              src[(y1 * pw + x0) * mBytesPerPixel + c] + src[(y1 * pw + x1) * mBytesPerPixel + c];
          dst[(y * w + x) * mBytesPerPixel + c] = static_cast<unsigned char>((sum + 2) / 4);
        }
  }
}

GpuTextureAccess::GpuTextureAccess(std::vector<const GpuTexture*> textures) : mTextures(std::move(textures))
{
  std::erase(mTextures, nullptr);
  std::sort(mTextures.begin(), mTextures.end(), std::less<const GpuTexture*>());
  mTextures.erase(std::unique(mTextures.begin(), mTextures.end()), mTextures.end());
  for (const GpuTexture* texture : mTextures)
    texture->AccessMutex().lock();
}

GpuTextureAccess::~GpuTextureAccess()
{
  for (auto it = mTextures.rbegin(); it != mTextures.rend(); ++it)
    (*it)->AccessMutex().unlock();
}

} // namespace plugin::sys
