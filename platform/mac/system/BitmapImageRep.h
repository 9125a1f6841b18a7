#pragma once

#include "platform/mac/system/BitmapImage.h"
#include "platform/mac/system/Geometry.h"

#include <memory>

// One representation of an image: a bitmap and the size in points it stands for, so that an
// image can hold the same picture at several pixel densities. Main thread.
namespace plugin::sys {

class BitmapImageRep
{
public:
  // A representation of bitmap at one pixel per point; null for a null bitmap. Allocates.
  static std::shared_ptr<BitmapImageRep> WithBitmap(BitmapImageRef bitmap);

  explicit BitmapImageRep(BitmapImageRef bitmap);

  const BitmapImageRef& Bitmap() const noexcept { return mBitmap; }
  int PixelsWide() const noexcept { return mBitmap->Width(); }
  int PixelsHigh() const noexcept { return mBitmap->Height(); }
  Size GetSize() const noexcept { return mSize; }
  // Sizes that are not finite and non-negative are ignored.
  void SetSize(Size size) noexcept;

private:
  BitmapImageRef mBitmap;
  Size mSize;
};

using BitmapImageRepRef = std::shared_ptr<BitmapImageRep>;

} // namespace plugin::sys
