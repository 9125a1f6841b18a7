#include "platform/mac/system/GpuImageFile.h"

#include "framework/imagefiles/ImageFiles.h"

#include <algorithm>
#include <cmath>

namespace plugin::sys {

std::vector<unsigned char> GpuReadRGBA(const GpuTexture& texture)
{
  const std::uint32_t w = texture.Width(), h = texture.Height();
  const std::size_t pixel = GpuBytesPerPixel(texture.PixelFormat());
  std::vector<unsigned char> raw(std::size_t{w} * h * pixel);
  if (!texture.GetBytes(raw.data(), std::size_t{w} * pixel, GpuRegionMake2D(0, 0, w, h), 0)) return {};
  if (texture.PixelFormat() == GpuPixelFormat::RGBA8Unorm) return raw;
  std::vector<unsigned char> rgba(std::size_t{w} * h * 4);
  for (std::size_t i = 0; i < std::size_t{w} * h; ++i) {
    unsigned char* d = &rgba[i * 4];
    if (pixel == 4) {
      d[0] = raw[i * 4 + 2];
      d[1] = raw[i * 4 + 1];
      d[2] = raw[i * 4 + 0];
      d[3] = raw[i * 4 + 3];
    } else {
      d[0] = d[1] = d[2] = d[3] = raw[i];
    }
  }
  return rgba;
}

bool GpuWritePng(const GpuTexture& texture, const std::string& path)
{
  std::vector<unsigned char> rgba = GpuReadRGBA(texture);
  if (rgba.empty()) return false;
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    const unsigned a = rgba[i + 3];
    for (int c = 0; c < 3 && a > 0; ++c)
      rgba[i + c] = static_cast<unsigned char>(std::min(255u, (rgba[i + c] * 255u + a / 2) / a));
  }
  return images::WritePngFile(path.c_str(), static_cast<int>(texture.Width()),
                              static_cast<int>(texture.Height()), rgba.data());
}

} // namespace plugin::sys
