#pragma once

#include "platform/mac/system/GpuBuffer.h"
#include "platform/mac/system/GpuTexture.h"

#include <functional>
#include <memory>
#include <vector>

namespace plugin::sys {

class GpuCommandBuffer;

// Records copies and mipmap generation; the worker runs them after commit. Encoding thread.
class GpuBlitCommandEncoder
{
public:
  explicit GpuBlitCommandEncoder(std::shared_ptr<GpuCommandBuffer> owner);
  GpuBlitCommandEncoder(const GpuBlitCommandEncoder&) = delete;
  GpuBlitCommandEncoder& operator=(const GpuBlitCommandEncoder&) = delete;

  // Copies size texels from buffer rows (bytesPerRow apart, from sourceOffset) into texture at
  // slice 0 of level; a copy reaching outside either is skipped.
  void CopyFromBuffer(GpuBufferRef buffer, std::size_t sourceOffset, std::size_t bytesPerRow, GpuSize size,
                      GpuTextureRef texture, std::uint32_t level, GpuOrigin origin);

  // Fills the texture's smaller levels from level 0.
  void GenerateMipmaps(GpuTextureRef texture);

  // Makes a managed resource's GPU writes visible to the CPU; memory is shared here, so it only orders.
  void SynchronizeResource(GpuTextureRef texture);

  // Hands the copies to the command buffer; later calls are ignored.
  void EndEncoding();

private:
  void Add(std::function<void()> work);

  std::shared_ptr<GpuCommandBuffer> mOwner;
  std::vector<std::function<void()>> mWork;
  bool mEnded = false;
};

using GpuBlitCommandEncoderRef = std::shared_ptr<GpuBlitCommandEncoder>;

} // namespace plugin::sys
