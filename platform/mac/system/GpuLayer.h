#pragma once

#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuTexture.h"

#include <memory>
#include <mutex>

namespace plugin::sys {

class GpuLayer;

// One frame's target on a layer; presenting it makes its texture the layer's visible frame.
class GpuDrawable
{
public:
  GpuDrawable(std::weak_ptr<GpuLayer> layer, GpuTextureRef texture)
      : mLayer(std::move(layer)), mTexture(std::move(texture))
  {}

  const GpuTextureRef& Texture() const noexcept { return mTexture; }

  // Shows the texture on the layer. Main thread, or the worker when a command buffer presents it.
  void Present();

private:
  std::weak_ptr<GpuLayer> mLayer;
  GpuTextureRef mTexture;
};

using GpuDrawableRef = std::shared_ptr<GpuDrawable>;

// A view's GPU-backed layer: hands out drawables of its drawable size and keeps the last one
// presented, which is what a screen would show. Settings are main-thread; presents may come
// from the worker.
class GpuLayer : public std::enable_shared_from_this<GpuLayer>
{
public:
  static std::shared_ptr<GpuLayer> Create() { return std::make_shared<GpuLayer>(); }

  const GpuDeviceRef& Device() const noexcept { return mDevice; }
  void SetDevice(GpuDeviceRef device) { mDevice = std::move(device); }

  GpuPixelFormat PixelFormat() const noexcept { return mPixelFormat; }
  void SetPixelFormat(GpuPixelFormat format) noexcept { mPixelFormat = format; }

  // Size of the drawables in pixels.
  std::uint32_t DrawableWidth() const noexcept { return mWidth; }
  std::uint32_t DrawableHeight() const noexcept { return mHeight; }
  void SetDrawableSize(std::uint32_t width, std::uint32_t height) noexcept
  {
    mWidth = width;
    mHeight = height;
  }

  bool IsOpaque() const noexcept { return mOpaque; }
  void SetOpaque(bool opaque) noexcept { mOpaque = opaque; }

  bool PresentsWithTransaction() const noexcept { return mPresentsWithTransaction; }
  void SetPresentsWithTransaction(bool value) noexcept { mPresentsWithTransaction = value; }

  // A drawable with a new, cleared texture; null without a device or with an empty drawable size.
  // Main thread; allocates.
  GpuDrawableRef NextDrawable();

  // The texture last presented (null before the first present) and the number of presents. Any thread.
  GpuTextureRef PresentedTexture() const;
  int PresentCount() const;

  // Called by GpuDrawable::Present.
  void Presented(GpuTextureRef texture);

private:
  GpuDeviceRef mDevice;
  GpuPixelFormat mPixelFormat = GpuPixelFormat::BGRA8Unorm;
  std::uint32_t mWidth = 0, mHeight = 0;
  bool mOpaque = true;
  bool mPresentsWithTransaction = false;
  mutable std::mutex mMutex; // guards the presented frame
  GpuTextureRef mPresented;
  int mPresentCount = 0;
};

using GpuLayerRef = std::shared_ptr<GpuLayer>;

} // namespace plugin::sys
