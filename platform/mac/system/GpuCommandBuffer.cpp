#include "platform/mac/system/GpuCommandBuffer.h"

#include "platform/mac/system/GpuCommandQueue.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuLayer.h"

namespace plugin::sys {

GpuCommandBuffer::GpuCommandBuffer(std::shared_ptr<GpuCommandQueue> queue) : mQueue(std::move(queue)) {}

GpuRenderCommandEncoderRef GpuCommandBuffer::RenderCommandEncoder(const GpuRenderPassDescriptor& descriptor)
{
  if (mEncoderOpen || Status() >= GpuCommandBufferStatus::Committed || !descriptor.colorAttachment.texture)
    return nullptr;
  mEncoderOpen = true;
  return std::make_shared<GpuRenderCommandEncoder>(shared_from_this(), descriptor);
}

GpuBlitCommandEncoderRef GpuCommandBuffer::BlitCommandEncoder()
{
  if (mEncoderOpen || Status() >= GpuCommandBufferStatus::Committed) return nullptr;
  mEncoderOpen = true;
  return std::make_shared<GpuBlitCommandEncoder>(shared_from_this());
}

void GpuCommandBuffer::AddCompletedHandler(CompletedHandler handler)
{
  if (handler && Status() < GpuCommandBufferStatus::Committed) mHandlers.push_back(std::move(handler));
}

void GpuCommandBuffer::PresentDrawable(std::shared_ptr<GpuDrawable> drawable)
{
  if (drawable && Status() < GpuCommandBufferStatus::Committed) mPresents.push_back(std::move(drawable));
}

void GpuCommandBuffer::AddWork(std::function<void()> work)
{
  mWork.push_back(std::move(work));
}

void GpuCommandBuffer::Enqueue()
{
  std::lock_guard lock(mMutex);
  if (mStatus == GpuCommandBufferStatus::NotEnqueued) mStatus = GpuCommandBufferStatus::Enqueued;
}

void GpuCommandBuffer::Commit()
{
  {
    std::lock_guard lock(mMutex);
    if (mStatus >= GpuCommandBufferStatus::Committed) return;
    mStatus = GpuCommandBufferStatus::Scheduled;
  }
  mQueue->Device()->Submit(shared_from_this());
}

void GpuCommandBuffer::WaitUntilScheduled() {}

void GpuCommandBuffer::WaitUntilCompleted()
{
  std::unique_lock lock(mMutex);
  if (mStatus < GpuCommandBufferStatus::Committed) return;
  mCompleted.wait(lock, [this] { return mStatus == GpuCommandBufferStatus::Completed; });
}

GpuCommandBufferStatus GpuCommandBuffer::Status() const
{
  std::lock_guard lock(mMutex);
  return mStatus;
}

void GpuCommandBuffer::Execute()
{
  for (auto& work : mWork)
    work();
  mWork.clear();
  for (auto& drawable : mPresents)
    drawable->Present();
  mPresents.clear();
  for (auto& handler : mHandlers)
    handler(*this);
  mHandlers.clear();
  std::lock_guard lock(mMutex);
  mStatus = GpuCommandBufferStatus::Completed;
  mCompleted.notify_all();
}

} // namespace plugin::sys
