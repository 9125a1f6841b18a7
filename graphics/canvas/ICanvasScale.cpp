#include "graphics/canvas/ICanvas.h"

#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <algorithm>
#include <climits>
#include <cmath>

// Editor size and scale.

namespace plugin::ui {

namespace {

bool UsableScale(float scale)
{
  return std::isfinite(scale) && scale > 0.f;
}

// 2^31, the first float past INT_MAX.
constexpr float kIntRangeEnd = 2147483648.f;

// Window size in view points of a logical length at a draw scale, before it becomes an int.
float WindowPixels(int length, float drawScale, float platformScale)
{
  return std::trunc(static_cast<float>(length) * drawScale) * platformScale;
}

// pixels as an int, held within the int range; NaN gives 0.
int SaturatedInt(float pixels)
{
  if (std::isnan(pixels)) return 0;
  if (pixels >= kIntRangeEnd) return INT_MAX;
  return pixels <= -kIntRangeEnd ? INT_MIN : static_cast<int>(pixels);
}

} // namespace

int ICanvas::WindowWidth() const
{
  return SaturatedInt(WindowPixels(mWidth, mDrawScale, GetPlatformWindowScale()));
}

int ICanvas::WindowHeight() const
{
  return SaturatedInt(WindowPixels(mHeight, mDrawScale, GetPlatformWindowScale()));
}

void ICanvas::ReportWindowSize(bool needsPlatformResize)
{
  PlatformResize(mDelegate->EditorResizeFromUI(WindowWidth(), WindowHeight(), needsPlatformResize));
}

void ICanvas::SetScreenScale(float scale)
{
  if (!UsableScale(scale)) return;
  mScreenScale = scale;
  ReportWindowSize(true);
  ForAllControls(&IControl::OnRescale);
  SetAllControlsDirty();
  DrawResize();
}

void ICanvas::Resize(int width, int height, float drawScale, bool needsPlatformResize)
{
  mDelegate->ConstrainEditorResize(width, height);
  // Infinities and non-positive scales clamp like any other; only NaN has no side to go to.
  if (std::isnan(drawScale)) drawScale = mDrawScale;
  drawScale = std::clamp(drawScale, mMinScale, mMaxScale);
  if (width == mWidth && height == mHeight && drawScale == mDrawScale) return;

  ReleaseMouseCapture();
  mDrawScale = drawScale;
  mWidth = width;
  mHeight = height;
  if (mCornerResizerCtrl) mCornerResizerCtrl->OnRescale();
  ReportWindowSize(needsPlatformResize);
  ForAllControls(&IControl::OnResize);
  SetAllControlsDirty();
  DrawResize();
  if (mLayoutOnResize) mCanvasDelegate->LayoutUI(this);
}

void ICanvas::SetScaleConstraints(float lo, float hi)
{
  // Every scale in the bounds is divided by and sizes pixel buffers: an unusable bound is refused.
  if (!UsableScale(lo) || !UsableScale(hi)) return;
  // Nor one at which the window, at the current size, would be too large to tell the host.
  for (const int length : {mWidth, mHeight})
    if (!(std::fabs(WindowPixels(length, std::max(lo, hi), GetPlatformWindowScale())) < kIntRangeEnd)) return;
  mMinScale = std::min(lo, hi);
  mMaxScale = std::max(lo, hi);
}

} // namespace plugin::ui
