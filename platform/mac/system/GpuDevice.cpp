#include "platform/mac/system/GpuDevice.h"

#include "platform/mac/system/GpuWorker.h"

#include <cstring>
#include <mutex>
#include <new>

namespace plugin::sys {

namespace {

constexpr std::uint32_t kMaxTextureSize = 16384;

bool IsColourFormat(GpuPixelFormat f) noexcept
{
  return f == GpuPixelFormat::R8Unorm || f == GpuPixelFormat::RGBA8Unorm || f == GpuPixelFormat::BGRA8Unorm;
}

} // namespace

std::shared_ptr<GpuDevice> GpuDevice::CreateSystemDefault()
{
  static std::mutex mutex;
  static std::weak_ptr<GpuDevice> shared;
  std::lock_guard lock(mutex);
  auto device = shared.lock();
  if (!device) {
    device = Create();
    shared = device;
  }
  return device;
}

std::shared_ptr<GpuDevice> GpuDevice::Create()
{
  return std::make_shared<GpuDevice>();
}

GpuDevice::GpuDevice() : mWorker(std::make_unique<GpuWorker>()) {}

GpuDevice::~GpuDevice() = default;

GpuBufferRef GpuDevice::NewBuffer(std::size_t length, unsigned options)
{
  if (length == 0 || length > mMaxBufferLength) return nullptr;
  try {
    return std::make_shared<GpuBuffer>(length, options);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

GpuBufferRef GpuDevice::NewBuffer(const void* bytes, std::size_t length, unsigned options)
{
  GpuBufferRef buffer = bytes ? NewBuffer(length, options) : nullptr;
  if (buffer) std::memcpy(buffer->Contents(), bytes, length);
  return buffer;
}

GpuTextureRef GpuDevice::NewTexture(const GpuTextureDescriptor& descriptor)
{
  const bool format =
      IsColourFormat(descriptor.pixelFormat) || descriptor.pixelFormat == GpuPixelFormat::Stencil8;
  if (!format || descriptor.width == 0 || descriptor.height == 0 || descriptor.width > kMaxTextureSize ||
      descriptor.height > kMaxTextureSize)
    return nullptr;
  GpuTextureDescriptor d = descriptor;
  if (d.storageMode == GpuStorageMode::Shared) d.storageMode = mSharedStorage;
  try {
    return std::make_shared<GpuTexture>(d);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

GpuSamplerStateRef GpuDevice::NewSamplerState(const GpuSamplerDescriptor& descriptor)
{
  return std::make_shared<const GpuSamplerState>(descriptor);
}

GpuLibraryRef GpuDevice::NewLibraryWithData(const void* data, std::size_t size,
                                            std::span<const GpuFunctionCode> code, std::string* error)
{
  return GpuLibrary::FromData(data, size, code, error);
}

GpuCommandQueueRef GpuDevice::NewCommandQueue()
{
  return std::make_shared<GpuCommandQueue>(shared_from_this());
}

GpuDepthStencilStateRef GpuDevice::NewDepthStencilState(const GpuDepthStencilDescriptor& descriptor)
{
  return std::make_shared<const GpuDepthStencilState>(descriptor);
}

GpuRenderPipelineStateRef GpuDevice::NewRenderPipelineState(const GpuRenderPipelineDescriptor& descriptor,
                                                            std::string* error)
{
  const auto fail = [error](const char* reason) {
    if (error) *error = reason;
    return nullptr;
  };
  if (!descriptor.vertexFunction || descriptor.vertexFunction->stage != GpuFunctionStage::Vertex)
    return fail("pipeline needs a vertex function");
  if (descriptor.fragmentFunction && descriptor.fragmentFunction->stage != GpuFunctionStage::Fragment)
    return fail("fragment function of the wrong stage");
  if (!IsColourFormat(descriptor.colorAttachment.pixelFormat)) return fail("pipeline needs a colour format");
  ++mPipelinesMade;
  return std::make_shared<const GpuRenderPipelineState>(descriptor);
}

void GpuDevice::SetExecutionHeld(bool held)
{
  mWorker->SetHeld(held);
}

void GpuDevice::WaitUntilIdle()
{
  mWorker->WaitUntilIdle();
}

void GpuDevice::Submit(GpuCommandBufferRef buffer)
{
  mWorker->Submit(std::move(buffer));
}

} // namespace plugin::sys
