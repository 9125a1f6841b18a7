#pragma once

#include "platform/mac/system/GpuBuffer.h"
#include "platform/mac/system/GpuCommandQueue.h"
#include "platform/mac/system/GpuLibrary.h"
#include "platform/mac/system/GpuPipeline.h"
#include "platform/mac/system/GpuSampler.h"
#include "platform/mac/system/GpuTexture.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

namespace plugin::sys {

class GpuWorker;

// The headless GPU: makes resources, states and queues, and owns the worker thread that runs
// committed command buffers. Resource creation may be called from any thread and allocates;
// a request the GPU cannot meet returns null.
class GpuDevice : public std::enable_shared_from_this<GpuDevice>
{
public:
  // The process's shared device, made on first use and kept while anyone holds it.
  static std::shared_ptr<GpuDevice> CreateSystemDefault();
  // A device of its own (tests that change its limits or gate its execution).
  static std::shared_ptr<GpuDevice> Create();

  GpuDevice();
  ~GpuDevice();
  GpuDevice(const GpuDevice&) = delete;
  GpuDevice& operator=(const GpuDevice&) = delete;

  // A zeroed buffer; null for length 0 or above MaxBufferLength().
  GpuBufferRef NewBuffer(std::size_t length, unsigned options);
  // A buffer holding a copy of length bytes.
  GpuBufferRef NewBuffer(const void* bytes, std::size_t length, unsigned options);
  // A texture; null for a size of 0 or above 16384, or a format that is not a colour or stencil one.
  GpuTextureRef NewTexture(const GpuTextureDescriptor& descriptor);
  GpuSamplerStateRef NewSamplerState(const GpuSamplerDescriptor& descriptor);
  // A library from data of the GPU's own format over the code it names (GpuLibrary::FromData);
  // null with a reason in error (when given).
  GpuLibraryRef NewLibraryWithData(const void* data, std::size_t size, std::span<const GpuFunctionCode> code,
                                   std::string* error);
  GpuCommandQueueRef NewCommandQueue();
  GpuDepthStencilStateRef NewDepthStencilState(const GpuDepthStencilDescriptor& descriptor);
  // A pipeline; null with a reason when it has no vertex function or no colour format.
  GpuRenderPipelineStateRef NewRenderPipelineState(const GpuRenderPipelineDescriptor& descriptor,
                                                   std::string* error);

  // Largest buffer the device makes (256 MiB unless lowered).
  std::size_t MaxBufferLength() const noexcept { return mMaxBufferLength; }
  // Lowers or raises that limit: tests provoke failing allocations with it.
  void SetMaxBufferLength(std::size_t length) noexcept { mMaxBufferLength = length; }

  // Storage mode the textures that ask for Shared get (tests choose Private to exercise the staging path).
  GpuStorageMode SharedTextureStorageMode() const noexcept { return mSharedStorage; }
  void SetSharedTextureStorageMode(GpuStorageMode mode) noexcept { mSharedStorage = mode; }

  // Pipeline states made so far (a probe for caches above).
  int PipelineStatesMade() const noexcept { return mPipelinesMade; }

  // While held, committed command buffers wait: a test's gate over completions. Any thread.
  void SetExecutionHeld(bool held);
  // Blocks until every committed command buffer has run with its handlers. Not on the worker.
  void WaitUntilIdle();

  // Hands a committed buffer to the worker. Called by GpuCommandBuffer::Commit.
  void Submit(GpuCommandBufferRef buffer);

private:
  std::atomic<std::size_t> mMaxBufferLength{std::size_t{256} << 20};
  std::atomic<GpuStorageMode> mSharedStorage{GpuStorageMode::Shared};
  std::atomic<int> mPipelinesMade{0};
  std::unique_ptr<GpuWorker> mWorker;
};

using GpuDeviceRef = std::shared_ptr<GpuDevice>;

} // namespace plugin::sys
