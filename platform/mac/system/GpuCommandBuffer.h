#pragma once

#include "platform/mac/system/GpuBlitCommandEncoder.h"
#include "platform/mac/system/GpuRenderCommandEncoder.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace plugin::sys {

class GpuCommandQueue;
class GpuDrawable;

enum class GpuCommandBufferStatus { NotEnqueued, Enqueued, Committed, Scheduled, Completed };

// Work for the GPU, encoded on one thread, then committed: the device's worker thread runs the
// committed buffers one at a time in commit order, presents their drawables, then calls their
// completion handlers in the order they were added.
class GpuCommandBuffer : public std::enable_shared_from_this<GpuCommandBuffer>
{
public:
  // Called on the GPU's worker thread once the buffer's work is done; must not block on the GPU.
  using CompletedHandler = std::function<void(GpuCommandBuffer&)>;

  explicit GpuCommandBuffer(std::shared_ptr<GpuCommandQueue> queue);
  GpuCommandBuffer(const GpuCommandBuffer&) = delete;
  GpuCommandBuffer& operator=(const GpuCommandBuffer&) = delete;

  // A render pass encoder; null while another encoder is open, after commit, or without a colour
  // target. Encoding thread; allocates.
  GpuRenderCommandEncoderRef RenderCommandEncoder(const GpuRenderPassDescriptor& descriptor);

  // A blit encoder; null while another encoder is open or after commit.
  GpuBlitCommandEncoderRef BlitCommandEncoder();

  // Adds a handler; ignored after commit. Encoding thread; allocates.
  void AddCompletedHandler(CompletedHandler handler);

  // Presents drawable when the buffer's work is done (before the handlers run).
  void PresentDrawable(std::shared_ptr<GpuDrawable> drawable);

  // Marks the buffer enqueued. Execution order is the order of commits.
  void Enqueue();

  // Hands the buffer to the worker; once only. Encoding thread; locks.
  void Commit();

  // Blocks until the buffer is scheduled (at once after commit; never blocks before commit).
  void WaitUntilScheduled();

  // Blocks until the work and every handler have run; returns at once when not committed. Any thread
  // but the worker's.
  void WaitUntilCompleted();

  GpuCommandBufferStatus Status() const;

  // The queue the buffer was made from.
  const std::shared_ptr<GpuCommandQueue>& Queue() const noexcept { return mQueue; }

  // Encoders hand their finished work here. Encoding thread.
  void AddWork(std::function<void()> work);
  void EncoderEnded() noexcept { mEncoderOpen = false; }

  // Runs the work, the presents and the handlers. Worker thread only.
  void Execute();

private:
  std::shared_ptr<GpuCommandQueue> mQueue;
  std::vector<std::function<void()>> mWork;
  std::vector<CompletedHandler> mHandlers;
  std::vector<std::shared_ptr<GpuDrawable>> mPresents;
  bool mEncoderOpen = false;
  mutable std::mutex mMutex; // guards mStatus
  std::condition_variable mCompleted;
  GpuCommandBufferStatus mStatus = GpuCommandBufferStatus::NotEnqueued;
};

using GpuCommandBufferRef = std::shared_ptr<GpuCommandBuffer>;

} // namespace plugin::sys
