#pragma once

#include "platform/mac/system/GpuTypes.h"

#include <cstddef>
#include <memory>

namespace plugin::sys {

// Linear memory shared by the CPU and the headless GPU. The CPU writes it before a command
// buffer that reads it is committed, and not again until that buffer has completed.
class GpuBuffer
{
public:
  // A zeroed buffer of length bytes; made only by GpuDevice.
  GpuBuffer(std::size_t length, unsigned options);
  GpuBuffer(const GpuBuffer&) = delete;
  GpuBuffer& operator=(const GpuBuffer&) = delete;

  // The bytes; valid as long as the buffer. Any thread; no allocation.
  void* Contents() noexcept { return mBytes.get(); }
  const void* Contents() const noexcept { return mBytes.get(); }

  // Size in bytes, fixed at creation.
  std::size_t Length() const noexcept { return mLength; }

  // Options given at creation (GpuResourceOptions bits).
  unsigned Options() const noexcept { return mOptions; }

private:
  std::unique_ptr<unsigned char[]> mBytes;
  std::size_t mLength;
  unsigned mOptions;
};

using GpuBufferRef = std::shared_ptr<GpuBuffer>;

} // namespace plugin::sys
