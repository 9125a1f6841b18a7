#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A bitmap image as the graphics calls hand it around: a fixed grid of pixels with its format.
// The one format here is 8-bit RGB with premultiplied alpha last (R, G, B, A bytes), rows stored
// top first. Immutable once made; any thread.
namespace plugin::sys {

enum class BitmapColorSpace { DeviceRgb, GenericRgb };

// Alpha placement of a bitmap's pixels: premultiplied, after the colour components.
inline constexpr std::uint32_t kBitmapAlphaPremultipliedLast = 1;

// Largest side of a bitmap the layer makes; larger requests are refused.
inline constexpr int kMaxBitmapSide = 8192;

class BitmapImage
{
public:
  // Takes rgba (width x height x 4 bytes, premultiplied, rows top first). Null when a side is
  // not in 1..kMaxBitmapSide or rgba has the wrong size. Allocates.
  static std::shared_ptr<const BitmapImage> Create(int width, int height, BitmapColorSpace colorSpace,
                                                   std::vector<std::uint8_t> rgba);

  int Width() const noexcept { return mWidth; }
  int Height() const noexcept { return mHeight; }
  int BitsPerComponent() const noexcept { return 8; }
  int BytesPerRow() const noexcept { return mWidth * 4; }
  BitmapColorSpace ColorSpace() const noexcept { return mColorSpace; }
  std::uint32_t BitmapInfo() const noexcept { return kBitmapAlphaPremultipliedLast; }
  const std::vector<std::uint8_t>& Pixels() const noexcept { return mRgba; }

  BitmapImage(int width, int height, BitmapColorSpace colorSpace, std::vector<std::uint8_t> rgba)
      : mWidth(width), mHeight(height), mColorSpace(colorSpace), mRgba(std::move(rgba))
  {}

private:
  int mWidth;
  int mHeight;
  BitmapColorSpace mColorSpace;
  std::vector<std::uint8_t> mRgba;
};

using BitmapImageRef = std::shared_ptr<const BitmapImage>;

} // namespace plugin::sys
