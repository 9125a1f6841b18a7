#include "platform/mac/system/GpuSampler.h"

#include "platform/mac/system/GpuBoundTexture.h"

namespace plugin::sys {

std::array<float, 4> GpuSamplerState::Sample(const GpuTexture& texture, float u, float v) const noexcept
{
  std::array<float, 4> rgba;
  GpuBoundTexture(texture, mDesc).Sample(u, v, rgba.data());
  return rgba;
}

} // namespace plugin::sys
