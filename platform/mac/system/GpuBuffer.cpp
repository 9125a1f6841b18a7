#include "platform/mac/system/GpuBuffer.h"

namespace plugin::sys {

GpuBuffer::GpuBuffer(std::size_t length, unsigned options)
    : mBytes(new unsigned char[length]()), mLength(length), mOptions(options)
{}

} // namespace plugin::sys
