#pragma once

#include "platform/mac/system/GpuTexture.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plugin::ui::test {

// A frame read back from the headless GPU as RGBA bytes (premultiplied, as rendered), with probes.
class PixelProbe
{
public:
  using Pixel = std::array<int, 4>;

  PixelProbe(int width, int height, std::vector<unsigned char> rgba);
  // Level 0 of texture (BGRA and one-channel formats converted to RGBA). Wait for its GPU work first.
  static PixelProbe FromTexture(const plugin::sys::GpuTexture& texture);

  int Width() const noexcept { return mWidth; }
  int Height() const noexcept { return mHeight; }

  // The pixel at (x, y); {-1, -1, -1, -1} outside the frame.
  Pixel At(int x, int y) const;
  int Alpha(int x, int y) const { return At(x, y)[3]; }

  // Pixels of the frame whose alpha lies in [lo, hi].
  int CountAlpha(int lo, int hi) const;

  // Writes the frame as <dir>/<name>.png when the environment variable KELMO_TEST_PNG_DIR names
  // a folder; true when written, false otherwise (not asked, or failed).
  bool WritePngOnRequest(const std::string& name) const;

private:
  int mWidth, mHeight;
  std::vector<unsigned char> mRgba;
};

} // namespace plugin::ui::test
