#include "platform/mac/system/GpuBlitCommandEncoder.h"

#include "platform/mac/system/GpuCommandBuffer.h"

#include <cstring>

namespace plugin::sys {

GpuBlitCommandEncoder::GpuBlitCommandEncoder(std::shared_ptr<GpuCommandBuffer> owner)
    : mOwner(std::move(owner))
{}

void GpuBlitCommandEncoder::Add(std::function<void()> work)
{
  if (!mEnded) mWork.push_back(std::move(work));
}

void GpuBlitCommandEncoder::CopyFromBuffer(GpuBufferRef buffer, std::size_t sourceOffset,
                                           std::size_t bytesPerRow, GpuSize size, GpuTextureRef texture,
                                           std::uint32_t level, GpuOrigin origin)
{
  if (!buffer || !texture) return;
  Add([buffer, sourceOffset, bytesPerRow, size, texture, level, origin] {
    const GpuRegion region{origin, size};
    const std::size_t pixel = GpuBytesPerPixel(texture->PixelFormat());
    const std::size_t rowBytes = std::size_t{size.width} * pixel;
    if (!texture->Contains(region, level) || bytesPerRow < rowBytes || sourceOffset > buffer->Length() ||
        (buffer->Length() - sourceOffset) / bytesPerRow < size.height - 1 ||
        buffer->Length() - sourceOffset - (size.height - 1) * bytesPerRow < rowBytes)
      return;
    const GpuTextureAccess access({texture.get()});
    const auto* src = static_cast<const unsigned char*>(buffer->Contents()) + sourceOffset;
    const std::size_t stride = std::size_t{texture->LevelWidth(level)} * pixel;
    unsigned char* dst = texture->LevelBytes(level) + origin.y * stride + origin.x * pixel;
    for (std::uint32_t row = 0; row < size.height; ++row)
      std::memcpy(dst + row * stride, src + row * bytesPerRow, rowBytes);
  });
}

void GpuBlitCommandEncoder::GenerateMipmaps(GpuTextureRef texture)
{
  if (texture)
    Add([texture] {
      const GpuTextureAccess access({texture.get()});
      texture->GenerateMipmaps();
    });
}

void GpuBlitCommandEncoder::SynchronizeResource(GpuTextureRef texture)
{
  if (texture) Add([texture] {});
}

void GpuBlitCommandEncoder::EndEncoding()
{
  if (mEnded) return;
  mEnded = true;
  auto work = std::make_shared<std::vector<std::function<void()>>>(std::move(mWork));
  mOwner->AddWork([work] {
    for (auto& w : *work)
      w();
  });
  mOwner->EncoderEnded();
  mOwner.reset();
}

} // namespace plugin::sys
