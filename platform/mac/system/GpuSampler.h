#pragma once

#include "platform/mac/system/GpuTexture.h"

#include <array>
#include <memory>

namespace plugin::sys {

enum class GpuSamplerMinMagFilter { Nearest, Linear };
enum class GpuSamplerMipFilter { NotMipmapped, Nearest, Linear };
enum class GpuSamplerAddressMode { ClampToEdge, Repeat };

struct GpuSamplerDescriptor
{
  GpuSamplerMinMagFilter minFilter = GpuSamplerMinMagFilter::Nearest;
  GpuSamplerMinMagFilter magFilter = GpuSamplerMinMagFilter::Nearest;
  GpuSamplerMipFilter mipFilter = GpuSamplerMipFilter::NotMipmapped;
  GpuSamplerAddressMode sAddressMode = GpuSamplerAddressMode::ClampToEdge;
  GpuSamplerAddressMode tAddressMode = GpuSamplerAddressMode::ClampToEdge;
};

// How a shader reads a texture. Immutable; shared by any thread.
class GpuSamplerState
{
public:
  explicit GpuSamplerState(const GpuSamplerDescriptor& descriptor) noexcept : mDesc(descriptor) {}

  const GpuSamplerDescriptor& Descriptor() const noexcept { return mDesc; }

  // Texel of texture at normalised (u, v), filtered with the magnification filter from level 0:
  // a rasteriser without derivatives has no level of detail. Worker thread; no allocation.
  std::array<float, 4> Sample(const GpuTexture& texture, float u, float v) const noexcept;
  // The same into rgba, the form for shaders (no aggregate to return through registers).
  void Sample(const GpuTexture& texture, float u, float v, float rgba[4]) const noexcept;

private:
  GpuSamplerDescriptor mDesc;
};

using GpuSamplerStateRef = std::shared_ptr<const GpuSamplerState>;

} // namespace plugin::sys
