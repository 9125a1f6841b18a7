#pragma once

#include "platform/mac/system/GpuTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
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
// The CPU may touch it only while no uncompleted command buffer uses it; where a caller does it
// anyway (replacing a region that frames in flight sample), the copy waits for the pass that uses
// the texture at that moment and lands between passes, never inside one.
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

  // Held by the GPU worker while a pass or blit reads or writes the texture, and by ReplaceRegion
  // and GetBytes. Lock several only through GpuTextureAccess.
  std::mutex& AccessMutex() const noexcept { return mAccess; }

private:
  GpuTextureDescriptor mDesc;
  std::size_t mBytesPerPixel;
  std::vector<std::vector<unsigned char>> mLevels;
  mutable std::mutex mAccess;
};

using GpuTextureRef = std::shared_ptr<GpuTexture>;

// The access mutexes of a set of textures, locked for one pass in one global order (duplicates and
// nulls skipped) and released on destruction. GPU worker thread.
class GpuTextureAccess
{
public:
  explicit GpuTextureAccess(std::vector<const GpuTexture*> textures);
  ~GpuTextureAccess();
  GpuTextureAccess(const GpuTextureAccess&) = delete;
  GpuTextureAccess& operator=(const GpuTextureAccess&) = delete;

private:
  std::vector<const GpuTexture*> mTextures;
};

} // namespace plugin::sys
