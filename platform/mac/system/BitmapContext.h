#pragma once

#include "platform/mac/system/BitmapImage.h"
#include "platform/mac/system/Color.h"
#include "platform/mac/system/Geometry.h"

#include <cstdint>
#include <memory>
#include <vector>

// A bitmap to draw into, with the graphics state the cursor artwork needs: a shadow. Its user
// space has the origin at the bottom left and one unit per pixel; its pixels are stored rows top
// first, as BitmapImage holds them. Main thread; allocates.
namespace plugin::sys {

class BitmapContext
{
public:
  // A transparent width x height bitmap. Null unless the format is 8 bits per component, RGB
  // with premultiplied alpha last, and each side is in 1..kMaxBitmapSide.
  static std::unique_ptr<BitmapContext> Create(int width, int height, int bitsPerComponent,
                                               BitmapColorSpace colorSpace, std::uint32_t bitmapInfo);

  // What is drawn from now on casts a shadow: its alpha in color, moved by offset (pixels, y up,
  // rounded to whole pixels) and blurred by a Gaussian whose standard deviation is blur / 2. A
  // non-finite value, a negative blur or a transparent color turn the shadow off.
  void SetShadowWithColor(Size offset, double blur, Color color) noexcept;

  // Draws image stretched over rect (user space; nearest pixel) over what is there, its shadow
  // first. A rect that is not finite or has no area draws nothing.
  void DrawImage(Rect rect, const BitmapImage& image);

  // A copy of the pixels as it stands.
  BitmapImageRef CreateImage() const;

  int Width() const noexcept { return mWidth; }
  int Height() const noexcept { return mHeight; }

  BitmapContext(int width, int height, BitmapColorSpace colorSpace);

private:
  struct Shadow
  {
    double offsetX = 0.0, offsetY = 0.0, blur = 0.0;
    Color color;
    bool on = false;
  };

  // The alpha the shadow of a drawing with alpha `alpha` casts on each pixel (0 to 1).
  std::vector<float> ShadowAlpha(const std::vector<float>& alpha) const;
  // Source-over of one premultiplied pixel (components 0 to 1) onto the pixel at index i.
  void Composite(std::size_t i, float r, float g, float b, float a) noexcept;

  int mWidth;
  int mHeight;
  BitmapColorSpace mColorSpace;
  std::vector<std::uint8_t> mRgba;
  Shadow mShadow;
};

} // namespace plugin::sys
