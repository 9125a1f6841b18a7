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
  // Shaders sample through a GpuBoundTexture made once per draw, which gives the same texels.
  std::array<float, 4> Sample(const GpuTexture& texture, float u, float v) const noexcept;

private:
  GpuSamplerDescriptor mDesc;
};

using GpuSamplerStateRef = std::shared_ptr<const GpuSamplerState>;

} // namespace plugin::sys
