#include "graphics/canvas/ICanvas.h"

#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <algorithm>
#include <cmath>

// Editor size and scale.

namespace plugin::ui {

namespace {

bool UsableScale(float scale)
{
  return std::isfinite(scale) && scale > 0.f;
}

} // namespace

int ICanvas::WindowWidth() const
{
  return static_cast<int>(std::trunc(static_cast<float>(mWidth) * mDrawScale) * GetPlatformWindowScale());
}

int ICanvas::WindowHeight() const
{
  return static_cast<int>(std::trunc(static_cast<float>(mHeight) * mDrawScale) * GetPlatformWindowScale());
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
  mMinScale = std::min(lo, hi);
  mMaxScale = std::max(lo, hi);
}

} // namespace plugin::ui
