#include "platform/mac/MVGcontext.h"

#include <algorithm>
#include <limits>

using namespace plugin::sys;

GpuSamplerDescriptor MVGcontext_vKelmo_vst3::samplerForImageFlags(int imageFlags)
{
  GpuSamplerDescriptor d;
  const bool nearest = (imageFlags & VG_IMAGE_NEAREST) != 0;
  d.minFilter = d.magFilter = nearest ? GpuSamplerMinMagFilter::Nearest : GpuSamplerMinMagFilter::Linear;
  if (imageFlags & VG_IMAGE_GENERATE_MIPMAPS)
    d.mipFilter = nearest ? GpuSamplerMipFilter::Nearest : GpuSamplerMipFilter::Linear;
  d.sAddressMode =
      (imageFlags & VG_IMAGE_REPEATX) ? GpuSamplerAddressMode::Repeat : GpuSamplerAddressMode::ClampToEdge;
  d.tAddressMode =
      (imageFlags & VG_IMAGE_REPEATY) ? GpuSamplerAddressMode::Repeat : GpuSamplerAddressMode::ClampToEdge;
  return d;
}

namespace {

std::size_t BytesPerPixel(int type)
{
  return type == VG_TEXTURE_ALPHA ? 1 : 4;
}

// True when (x, y, width, height) is a non-empty region inside the texture.
bool RegionInside(const GpuTexture& tex, int x, int y, int width, int height)
{
  return x >= 0 && y >= 0 && width > 0 && height > 0 && static_cast<std::int64_t>(x) + width <= tex.Width() &&
         static_cast<std::int64_t>(y) + height <= tex.Height();
}

} // namespace

MVGtexture_vKelmo_vst3* MVGcontext_vKelmo_vst3::findTexture(int image)
{
  if (image == 0) return nullptr;
  for (auto& tex : textures)
    if (tex->id == image) return tex.get();
  return nullptr;
}

MVGtexture_vKelmo_vst3* MVGcontext_vKelmo_vst3::allocTexture()
{
  if (textureId == std::numeric_limits<int>::max()) return nullptr;
  MVGtexture_vKelmo_vst3* record = nullptr;
  for (auto& tex : textures) {
    if (tex->id == 0) {
      record = tex.get();
      break;
    }
  }
  if (!record) {
    textures.push_back(std::make_unique<MVGtexture_vKelmo_vst3>());
    record = textures.back().get();
  }
  record->id = ++textureId;
  return record;
}

int MVGcontext_vKelmo_vst3::renderCreateTexture(int type, int width, int height, int imageFlags,
                                                const unsigned char* data)
{
  const GpuDeviceRef device = Device();
  if (!device || width <= 0 || height <= 0) return 0;
  GpuTextureDescriptor d;
  d.pixelFormat = type == VG_TEXTURE_ALPHA ? GpuPixelFormat::R8Unorm : GpuPixelFormat::RGBA8Unorm;
  d.width = static_cast<std::uint32_t>(width);
  d.height = static_cast<std::uint32_t>(height);
  d.mipmapped = (imageFlags & VG_IMAGE_GENERATE_MIPMAPS) != 0;
  d.usage = kGpuTextureUsageShaderRead | kGpuTextureUsageShaderWrite | kGpuTextureUsageRenderTarget;
  GpuTextureRef texture = device->NewTexture(d);
  if (!texture) return 0; // no image without its texture
  MVGtexture_vKelmo_vst3* tex = allocTexture();
  if (!tex) return 0;
  tex->type = type;
  tex->flags = imageFlags;
  tex->tex = texture;

  if (data) {
    const std::size_t bytesPerRow = static_cast<std::size_t>(width) * BytesPerPixel(type);
    const GpuRegion whole = GpuRegionMake2D(0, 0, d.width, d.height);
    if (texture->StorageMode() != GpuStorageMode::Private) {
      texture->ReplaceRegion(whole, 0, data, bytesPerRow);
    } else if (GpuBufferRef staging = device->NewBuffer(data, bytesPerRow * d.height, kGpuResourceDefault)) {
      GpuCommandBufferRef commandBuffer = commandQueue->CommandBuffer();
      if (GpuBlitCommandEncoderRef blit = commandBuffer->BlitCommandEncoder()) {
        blit->CopyFromBuffer(staging, 0, bytesPerRow, whole.size, texture, 0, GpuOrigin{});
        blit->EndEncoding();
      }
      commandBuffer->Commit();
      commandBuffer->WaitUntilCompleted();
    }
    if (imageFlags & VG_IMAGE_GENERATE_MIPMAPS) {
      GpuCommandBufferRef commandBuffer = commandQueue->CommandBuffer();
      if (GpuBlitCommandEncoderRef blit = commandBuffer->BlitCommandEncoder()) {
        blit->GenerateMipmaps(texture);
        blit->EndEncoding();
      }
      commandBuffer->Commit();
      commandBuffer->WaitUntilCompleted();
    }
  }
  tex->sampler = device->NewSamplerState(samplerForImageFlags(imageFlags));
  return tex->id;
}

int MVGcontext_vKelmo_vst3::renderUpdateTexture(int image, int x, int y, int width, int height,
                                                const unsigned char* data)
{
  MVGtexture_vKelmo_vst3* tex = findTexture(image);
  if (!tex || !tex->tex || !data || !RegionInside(*tex->tex, x, y, width, height)) return 0;
  const std::size_t pixel = BytesPerPixel(tex->type);
  const std::size_t stride = tex->tex->Width() * pixel;
  const unsigned char* first = data + (static_cast<std::size_t>(y) * tex->tex->Width() + x) * pixel;
  return tex->tex->ReplaceRegion(GpuRegionMake2D(x, y, width, height), 0, first, stride) ? 1 : 0;
}

int MVGcontext_vKelmo_vst3::renderGetTextureSize(int image, int* width, int* height)
{
  const MVGtexture_vKelmo_vst3* tex = findTexture(image);
  if (!tex || !tex->tex) return 0;
  if (width) *width = static_cast<int>(tex->tex->Width());
  if (height) *height = static_cast<int>(tex->tex->Height());
  return 1;
}

int MVGcontext_vKelmo_vst3::renderDeleteTexture(int image)
{
  MVGtexture_vKelmo_vst3* tex = findTexture(image);
  if (!tex) return 0;
  if (!(tex->flags & VG_IMAGE_NODELETE)) {
    tex->tex.reset();
    tex->sampler.reset();
  }
  tex->id = 0;
  tex->flags = 0;
  return 1;
}

void MVGcontext_vKelmo_vst3::waitForFrameRenderingInto(int image)
{
  for (auto& set : cbuffers) {
    if (!set->IsBusy() || set->Image() != image) continue;
    // Every such frame, not only the first: two frames in flight may draw into one image.
    if (GpuCommandBufferRef commandBuffer = set->CommandBuffer()) commandBuffer->WaitUntilCompleted();
  }
}
