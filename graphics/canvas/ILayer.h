#pragma once

#include "framework/buffers/TypedBuf.h"
#include "graphics/resources/APIBitmap.h"
#include "graphics/values/IRECT.h"

#include <cstdint>
#include <memory>

namespace plugin::ui {

class IControl;

// One off-screen layer: the renderer bitmap a control drew into, the control (not owned), the
// control's bounds when the layer was made or last checked, the layer's pixel-aligned area in
// drawing units, and whether it went stale.
class ILayer
{
public:
  ILayer(APIBitmap* bitmap, const IRECT& bounds, IControl* owner, const IRECT& ownerBounds) noexcept
      : mBitmap(bitmap), mOwner(owner), mControlRect(ownerBounds), mBounds(bounds)
  {}
  ILayer(const ILayer&) = delete;
  ILayer& operator=(const ILayer&) = delete;

  APIBitmap* GetAPIBitmap() const noexcept { return mBitmap.get(); }
  // Takes the bitmap out of the layer; the caller owns it.
  APIBitmap* ReleaseAPIBitmap() noexcept { return mBitmap.release(); }
  IControl* GetOwner() const noexcept { return mOwner; }
  const IRECT& GetControlRect() const noexcept { return mControlRect; }
  void SetControlRect(const IRECT& r) noexcept { mControlRect = r; }
  const IRECT& Bounds() const noexcept { return mBounds; }
  bool IsInvalid() const noexcept { return mInvalid; }
  void Invalidate() noexcept { mInvalid = true; }

private:
  std::unique_ptr<APIBitmap> mBitmap;
  IControl* mOwner;
  IRECT mControlRect;
  IRECT mBounds;
  bool mInvalid = false;
};

using ILayerPtr = std::unique_ptr<ILayer>;

// Pixels read back from a layer, 4 bytes per pixel, rows of the bitmap's pixel width.
using RawBitmapData = TypedBuf<uint8_t>;

} // namespace plugin::ui
