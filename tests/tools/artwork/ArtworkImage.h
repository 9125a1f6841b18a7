#pragma once

#include "graphics/renderer/VGImageDecoder.h"
#include "tools/artwork/ArtworkTable.h"

#include <array>
#include <memory>
#include <string>

namespace artworktest {

// The resources folder the build filled.
inline std::string ResourcePath(const std::string& file)
{
  return std::string(KELMO_RESOURCES_DIR) + "/" + file;
}

// A picture file decoded to RGBA as the editor decodes it, with per-frame access.
class ArtworkImage
{
public:
  using Pixel = std::array<int, 4>;

  explicit ArtworkImage(const kelmo::artwork::ArtworkSpec& spec)
      : mSpec(spec),
        mPixels(vgDecodeImageFile(
                    ResourcePath(kelmo::artwork::ScaledFileName(spec.name, kelmo::artwork::kArtworkScale))
                        .c_str(),
                    &mWidth, &mHeight),
                vgFreeDecodedImage)
  {}

  bool Loaded() const { return mPixels != nullptr; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int FrameWidth() const { return mSpec.frameWidth * kelmo::artwork::kArtworkScale; }
  int FrameHeight() const { return mSpec.frameHeight * kelmo::artwork::kArtworkScale; }

  // Pixel (x, y) of frame f, in that frame's own pixel coordinates.
  Pixel At(int f, int x, int y) const
  {
    const int ox = mSpec.horizontal ? f * FrameWidth() : 0, oy = mSpec.horizontal ? 0 : f * FrameHeight();
    const unsigned char* p = mPixels.get() + (static_cast<std::size_t>(oy + y) * mWidth + ox + x) * 4;
    return {p[0], p[1], p[2], p[3]};
  }
  int Alpha(int f, int x, int y) const { return At(f, x, y)[3]; }
  // Mean of red, green and blue.
  int Grey(int f, int x, int y) const
  {
    const Pixel p = At(f, x, y);
    return (p[0] + p[1] + p[2]) / 3;
  }

private:
  const kelmo::artwork::ArtworkSpec& mSpec;
  int mWidth = 0, mHeight = 0;
  std::unique_ptr<unsigned char, void (*)(unsigned char*)> mPixels;
};

} // namespace artworktest
