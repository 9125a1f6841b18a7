#include "graphics/controls/IVXYPadControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

IVXYPadControl::IVXYPadControl(const IRECT& bounds, const std::initializer_list<int>& params,
                               const char* label, const IVStyle& style, float handleRadius,
                               bool trackClipsHandle, bool drawCross)
    : IControl(bounds, params), IVectorBase(style, false, false), mHandleRadius(handleRadius),
      mTrackClipsHandle(trackClipsHandle), mDrawCross(drawCross)
{
  mTextStyle = mStyle.valueText;
  mShape = EVShape::Ellipse;
  AttachIControl(this, label);
}

IVXYPadControl::~IVXYPadControl() = default;

void IVXYPadControl::OnResize()
{
  mHitRect = MakeRects(mBounds, false);
  mHovered = false;
  SetDirty(false);
}

IRECT IVXYPadControl::GetTrackBounds() const
{
  return mTrackClipsHandle ? mWidgetBounds : mWidgetBounds.GetPadded(-mHandleRadius);
}

IRECT IVXYPadControl::GetHandleBounds() const
{
  const IRECT t = GetTrackBounds();
  const float x = t.L + t.W() * static_cast<float>(GetValue(0));
  const float y = t.B - t.H() * static_cast<float>(GetValue(1));
  const float r = mHandleRadius;
  return IRECT(x - r, y - r, x + r, y + r);
}

void IVXYPadControl::Draw(ICanvas& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  if (mStyle.drawFrame)
    g.DrawRect(GetColor(EVColor::Frame), mWidgetBounds, GetBlend(), mStyle.frameThickness);
  DrawWidget(g);
}

void IVXYPadControl::DrawWidget(ICanvas& g)
{
  DrawTrack(g);
  DrawHandle(g, GetTrackBounds(), GetHandleBounds());
}

void IVXYPadControl::DrawTrack(ICanvas& g)
{
  if (!mDrawCross) return;
  g.DrawVerticalLine(GetColor(EVColor::Shadow), mWidgetBounds, 0.5f, GetBlend(), 1.f);
  g.DrawHorizontalLine(GetColor(EVColor::Shadow), mWidgetBounds, 0.5f, GetBlend(), 1.f);
}

void IVXYPadControl::DrawHandle(ICanvas& g, const IRECT& trackBounds, const IRECT& handleBounds)
{
  if (mTrackClipsHandle) g.PathClipRegion(trackBounds.GetPadded(-mStyle.frameThickness / 2.f));
  DrawPressableShape(g, mShape, handleBounds, mMouseDown, mHovered, IsDisabled());
  if (mTrackClipsHandle) g.PathClipRegion();
}

void IVXYPadControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseDown = true;
  if (mStyle.hidePointerOnDrag && mGraphicsContext) mGraphicsContext->HideMouseCursor(true, false);
  OnMouseDrag(x, y, 0.f, 0.f, mod);
}

void IVXYPadControl::OnMouseDrag(float x, float y, float, float, const IMouseMod&)
{
  const IRECT& b = mBounds;
  // No extent, no position: the values stay (a NaN point is refused the same way).
  if (!(b.W() > 0.f) || !(b.H() > 0.f) || std::isnan(x) || std::isnan(y)) return;
  const float cx = std::clamp(x, b.L, b.R);
  const float cy = std::clamp(y, b.T, b.B);
  SetValue((cx - b.L) / b.W(), 0);
  SetValue(1.0 - (cy - b.T) / b.H(), 1);
  SetDirty(true);
}

void IVXYPadControl::OnMouseUp(float, float, const IMouseMod&)
{
  if (mStyle.hidePointerOnDrag && mGraphicsContext) mGraphicsContext->HideMouseCursor(false, true);
  mMouseDown = false;
  SetDirty(true);
}

} // namespace plugin::ui
