#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/resources/APIBitmap.h"

namespace plugin::ui {

// Non-owning reference to a renderer image holding a strip of equally sized frames, with the
// strip's size in drawing units, the frame count and direction, and the resource name it was
// loaded under. The empty bitmap has no renderer image and zero sizes.
class IBitmap
{
public:
  IBitmap() = default;
  // Width and height are the image's pixel sizes divided by its scale, truncated.
  IBitmap(APIBitmap* bitmap, int nFrames, bool framesAreHorizontal, const char* name = "") noexcept;

  bool IsValid() const noexcept { return mAPIBitmap != nullptr; }
  APIBitmap* GetAPIBitmap() const noexcept { return mAPIBitmap; }
  int W() const noexcept { return mW; }
  int H() const noexcept { return mH; }
  int N() const noexcept { return mN; }
  bool GetFramesAreHorizontal() const noexcept { return mFramesAreHorizontal; }
  const char* GetResourceName() const noexcept { return mResourceName.Get(); }
  // Size of one frame: the strip's length divided by the frame count in whole numbers; 0 for
  // the divided side when there are no frames.
  int FW() const noexcept;
  int FH() const noexcept;
  // The renderer image's pixel scale and draw scale (1 for the empty bitmap).
  float GetScale() const noexcept { return mAPIBitmap ? mAPIBitmap->GetScale() : 1.f; }
  float GetDrawScale() const noexcept { return mAPIBitmap ? mAPIBitmap->GetDrawScale() : 1.f; }

private:
  APIBitmap* mAPIBitmap = nullptr;
  int mW = 0;
  int mH = 0;
  int mN = 0;
  bool mFramesAreHorizontal = false;
  StringBuf mResourceName;
};

} // namespace plugin::ui
