#include "platform/mac/system/GpuCommandQueue.h"

namespace plugin::sys {

GpuCommandBufferRef GpuCommandQueue::CommandBuffer()
{
  return std::make_shared<GpuCommandBuffer>(shared_from_this());
}

} // namespace plugin::sys
