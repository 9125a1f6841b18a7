#include "platform/mac/system/BitmapImageRep.h"

#include <cmath>

namespace plugin::sys {

std::shared_ptr<BitmapImageRep> BitmapImageRep::WithBitmap(BitmapImageRef bitmap)
{
  if (!bitmap) return nullptr;
  return std::make_shared<BitmapImageRep>(std::move(bitmap));
}

BitmapImageRep::BitmapImageRep(BitmapImageRef bitmap)
    : mBitmap(std::move(bitmap)), mSize{static_cast<double>(mBitmap->Width()), static_cast<double>(mBitmap->Height())}
{}

void BitmapImageRep::SetSize(Size size) noexcept
{
  if (std::isfinite(size.width) && std::isfinite(size.height) && size.width >= 0.0 && size.height >= 0.0)
    mSize = size;
}

} // namespace plugin::sys
