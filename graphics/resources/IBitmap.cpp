#include "graphics/resources/IBitmap.h"

namespace plugin::ui {

IBitmap::IBitmap(APIBitmap* bitmap, int nFrames, bool framesAreHorizontal, const char* name) noexcept
    : mAPIBitmap(bitmap), mN(nFrames), mFramesAreHorizontal(framesAreHorizontal)
{
  if (bitmap && bitmap->GetScale() > 0.f) {
    mW = static_cast<int>(static_cast<float>(bitmap->GetWidth()) / bitmap->GetScale());
    mH = static_cast<int>(static_cast<float>(bitmap->GetHeight()) / bitmap->GetScale());
  }
  mResourceName.Set(name);
}

int IBitmap::FW() const noexcept
{
  if (!mFramesAreHorizontal) return mW;
  return mN > 0 ? mW / mN : 0;
}

int IBitmap::FH() const noexcept
{
  if (mFramesAreHorizontal) return mH;
  return mN > 0 ? mH / mN : 0;
}

} // namespace plugin::ui
