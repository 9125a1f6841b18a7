#include "tools/artwork/ArtworkWriter.h"

#include "framework/imagefiles/ImageFiles.h"
#include "graphics/renderer/VG.h"

#include <algorithm>

namespace kelmo::artwork {

Picture RenderArtwork(ArtworkRenderer& renderer, const ArtworkSpec& spec)
{
  const auto fw = static_cast<float>(spec.frameWidth), fh = static_cast<float>(spec.frameHeight);
  // Bands of at least 128 pixel rows: below that a band costs more to set up than it saves.
  const int bands = std::max(1, spec.Height() * kArtworkScale / 128);
  return renderer.Render(
      static_cast<float>(spec.Width()), static_cast<float>(spec.Height()), static_cast<float>(kArtworkScale),
      [&](VGcontext* vg) {
        for (int i = 0; i < spec.frames; ++i) {
          vgSave(vg);
          vgTranslate(vg, spec.horizontal ? fw * i : 0.0f, spec.horizontal ? 0.0f : fh * i);
          vgScissor(vg, 0, 0, fw, fh);
          spec.draw(vg, Frame{fw, fh, i, spec.frames});
          vgRestore(vg);
        }
      },
      bands);
}

bool WritePicture(const Picture& picture, ImageFormat format, const std::string& path)
{
  if (picture.Empty() || picture.rgba.size() < static_cast<std::size_t>(picture.width) * picture.height * 4)
    return false;
  if (format == ImageFormat::Png)
    return plugin::images::WritePngFile(path.c_str(), picture.width, picture.height, picture.rgba.data());
  std::vector<unsigned char> rgb(static_cast<std::size_t>(picture.width) * picture.height * 3);
  for (std::size_t p = 0, n = rgb.size() / 3; p < n; ++p) {
    const unsigned a = picture.rgba[p * 4 + 3];
    for (int c = 0; c < 3; ++c)
      rgb[p * 3 + c] = static_cast<unsigned char>((picture.rgba[p * 4 + c] * a + 127) / 255);
  }
  return plugin::images::WriteJpegFile(path.c_str(), picture.width, picture.height, rgb.data(), 95);
}

} // namespace kelmo::artwork
