#pragma once

#include "platform/mac/system/GpuCommandBuffer.h"

#include <memory>

namespace plugin::sys {

class GpuDevice;

// Makes command buffers for one device.
class GpuCommandQueue : public std::enable_shared_from_this<GpuCommandQueue>
{
public:
  explicit GpuCommandQueue(std::shared_ptr<GpuDevice> device) : mDevice(std::move(device)) {}

  // A new, empty command buffer. Any thread; allocates.
  GpuCommandBufferRef CommandBuffer();

  const std::shared_ptr<GpuDevice>& Device() const noexcept { return mDevice; }

private:
  std::shared_ptr<GpuDevice> mDevice;
};

using GpuCommandQueueRef = std::shared_ptr<GpuCommandQueue>;

} // namespace plugin::sys
