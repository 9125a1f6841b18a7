#pragma once

#include "platform/mac/system/GpuTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace plugin::sys {

struct GpuTextureDescriptor
{
  GpuPixelFormat pixelFormat = GpuPixelFormat::RGBA8Unorm;
  std::uint32_t width = 1;
  std::uint32_t height = 1;
  bool mipmapped = false; // a full chain down to 1 x 1
  unsigned usage = kGpuTextureUsageShaderRead;
  GpuStorageMode storageMode = GpuStorageMode::Shared;
};

// A 2-D texture with its mipmap chain, stored as tightly packed rows per level.
// The CPU may touch it only while no uncompleted command buffer uses it.
class GpuTexture
{
public:
  // Zeroed levels for a valid descriptor; made only by GpuDevice.
  explicit GpuTexture(const GpuTextureDescriptor& descriptor);
  GpuTexture(const GpuTexture&) = delete;
  GpuTexture& operator=(const GpuTexture&) = delete;

  GpuPixelFormat PixelFormat() const noexcept { return mDesc.pixelFormat; }
  std::uint32_t Width() const noexcept { return mDesc.width; }
  std::uint32_t Height() const noexcept { return mDesc.height; }
  unsigned Usage() const noexcept { return mDesc.usage; }
  GpuStorageMode StorageMode() const noexcept { return mDesc.storageMode; }
  std::uint32_t MipmapLevelCount() const noexcept { return static_cast<std::uint32_t>(mLevels.size()); }

  // Width and height of a level (0 for a level that does not exist).
  std::uint32_t LevelWidth(std::uint32_t level) const noexcept;
  std::uint32_t LevelHeight(std::uint32_t level) const noexcept;

  // Copies rows of bytesPerRow from bytes into region of level. Refused (false) for private
  // storage, a region outside the level, or bytesPerRow shorter than a row. Main thread.
  bool ReplaceRegion(const GpuRegion& region, std::uint32_t level, const void* bytes,
                     std::size_t bytesPerRow);

  // Copies region of level into bytes, rows bytesPerRow apart. Refused as ReplaceRegion.
  bool GetBytes(void* bytes, std::size_t bytesPerRow, const GpuRegion& region, std::uint32_t level) const;

  // True when region lies inside level (and is not empty).
  bool Contains(const GpuRegion& region, std::uint32_t level) const noexcept;

  // One texel as normalised floats (R8: (r, 0, 0, 1); BGRA read as RGBA). Coordinates must be inside.
  std::array<float, 4> ReadTexel(std::uint32_t x, std::uint32_t y, std::uint32_t level = 0) const noexcept;

  // Writes one texel from normalised floats (clamped, rounded to nearest). Coordinates inside.
  void WriteTexel(std::uint32_t x, std::uint32_t y, const std::array<float, 4>& rgba) noexcept;

  // Raw bytes of a level (tightly packed rows) for the GPU's own passes.
  unsigned char* LevelBytes(std::uint32_t level) noexcept { return mLevels[level].data(); }
  const unsigned char* LevelBytes(std::uint32_t level) const noexcept { return mLevels[level].data(); }

  // Fills every level below 0 by averaging 2 x 2 blocks of the level above.
  void GenerateMipmaps() noexcept;

private:
  GpuTextureDescriptor mDesc;
  std::size_t mBytesPerPixel;
  std::vector<std::vector<unsigned char>> mLevels;
};

using GpuTextureRef = std::shared_ptr<GpuTexture>;

} // namespace plugin::sys
