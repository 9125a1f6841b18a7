#include "platform/mac/system/GpuLayer.h"

namespace plugin::sys {

void GpuDrawable::Present()
{
  if (auto layer = mLayer.lock()) layer->Presented(mTexture);
}

GpuDrawableRef GpuLayer::NextDrawable()
{
  if (!mDevice || mWidth == 0 || mHeight == 0) return nullptr;
  GpuTextureDescriptor d;
  d.pixelFormat = mPixelFormat;
  d.width = mWidth;
  d.height = mHeight;
  d.usage = kGpuTextureUsageRenderTarget | kGpuTextureUsageShaderRead;
  GpuTextureRef texture = mDevice->NewTexture(d);
  if (!texture) return nullptr;
  return std::make_shared<GpuDrawable>(weak_from_this(), std::move(texture));
}

GpuTextureRef GpuLayer::PresentedTexture() const
{
  std::lock_guard lock(mMutex);
  return mPresented;
}

int GpuLayer::PresentCount() const
{
  std::lock_guard lock(mMutex);
  return mPresentCount;
}

void GpuLayer::Presented(GpuTextureRef texture)
{
  std::lock_guard lock(mMutex);
  mPresented = std::move(texture);
  ++mPresentCount;
}

} // namespace plugin::sys
