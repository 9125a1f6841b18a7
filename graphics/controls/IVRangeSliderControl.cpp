#include "graphics/controls/IVRangeSliderControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>

namespace plugin::ui {

IVRangeSliderControl::IVRangeSliderControl(const IRECT& bounds, const std::initializer_list<int>& params,
                                           const char* label, const IVStyle& style, EDirection dir,
                                           float handleSize, float trackSize)
    : IVTrackControlBase(bounds, label, style, params, 0, dir, {}), mHandleSize(handleSize)
{
  mTrackSize = trackSize;
}

IVRangeSliderControl::~IVRangeSliderControl() = default;

void IVRangeSliderControl::MakeTrackRects(const IRECT& r)
{
  const float hs = mHandleSize;
  const float ts = mTrackSize;
  const IRECT line = mDirection == EDirection::Horizontal
                         ? IRECT(r.L + hs, r.MH() - ts, r.R - hs, r.MH() + ts)
                         : IRECT(r.MW() - ts, r.T + hs, r.MW() + ts, r.B - hs);
  mTrackBounds.assign(static_cast<size_t>(NVals()), line);
}

float IVRangeSliderControl::PositionOf(int i) const
{
  const IRECT& t = mTrackBounds[static_cast<size_t>(i)];
  const float v = static_cast<float>(GetValue(i));
  return mDirection == EDirection::Horizontal ? t.L + t.W() * v : t.B - t.H() * v;
}

IRECT IVRangeSliderControl::GetHandleBounds(int i) const
{
  if (i < 0 || i >= static_cast<int>(mTrackBounds.size())) return IRECT();
  const IRECT& t = mTrackBounds[static_cast<size_t>(i)];
  const float hs = mHandleSize;
  const float ts = mTrackSize;
  const float o = mStyle.drawShadows && mShape != EVShape::Ellipse ? mStyle.shadowOffset / 2.f : 0.f;
  const float p = PositionOf(i);
  const bool even = i % 2 == 0;
  if (mDirection == EDirection::Horizontal) {
    const float cy = t.MH() + o;
    return even ? IRECT(p - hs, cy + ts, p + hs, cy + ts + 2.f * hs)
                : IRECT(p - hs, cy - 2.f * hs, p + hs, cy);
  }
  const float cx = t.MW() + o;
  return even ? IRECT(cx - 2.f * hs, p - hs, cx, p + hs) : IRECT(cx + ts, p - hs, cx + ts + 2.f * hs, p + hs);
}

void IVRangeSliderControl::Draw(ICanvas& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
}

void IVRangeSliderControl::DrawWidget(ICanvas& g)
{
  const int n = std::min(NVals(), static_cast<int>(mTrackBounds.size()));
  if (n == 0) return;
  const IRECT& t = mTrackBounds[0];
  DrawTrackHighlight(g, t, 0);
  for (int i = 0; i + 1 < n; ++i) {
    // Ordered here too, so that values the plug-in set out of order still fill their span.
    const float a = std::min(PositionOf(i), PositionOf(i + 1));
    const float b = std::max(PositionOf(i), PositionOf(i + 1));
    const IRECT span = mDirection == EDirection::Horizontal ? IRECT(a, t.T, b, t.B) : IRECT(t.L, a, t.R, b);
    g.FillRect(GetColor(EVColor::Extra1), span, GetBlend());
  }
  DrawTrackFrame(g, t);
  for (int i = 0; i < n; ++i)
    DrawTrack(g, mTrackBounds[static_cast<size_t>(i)], i);
}

void IVRangeSliderControl::DrawTrack(ICanvas& g, const IRECT&, int chIdx)
{
  const bool even = chIdx % 2 == 0;
  const float angle = mDirection == EDirection::Horizontal ? (even ? 0.f : 180.f) : (even ? 90.f : 270.f);
  const bool over = chIdx == mMouseOverHandle;
  DrawPressableTriangle(g, GetHandleBounds(chIdx), over && mMouseIsDown, over, angle, IsDisabled());
}

void IVRangeSliderControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  mMouseOverHandle = -1;
  for (int i = 0; i < NVals(); ++i) {
    if (GetHandleBounds(i).Contains(x, y)) {
      mMouseOverHandle = i;
      break;
    }
  }
  IVTrackControlBase::OnMouseOver(x, y, mod);
}

void IVRangeSliderControl::OnMouseOut()
{
  mMouseOverHandle = -1;
  IVTrackControlBase::OnMouseOut();
}

void IVRangeSliderControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mMouseIsDown = true;
  OnMouseDrag(x, y, 0.f, 0.f, mod);
}

void IVRangeSliderControl::OnMouseUp(float, float, const IMouseMod&)
{
  mMouseIsDown = false;
  SetDirty(false);
}

void IVRangeSliderControl::OnMouseDrag(float x, float y, float, float, const IMouseMod&)
{
  const int i = mMouseOverHandle;
  if (i < 0 || i >= NVals()) return;
  const double lo = i > 0 ? GetValue(i - 1) : 0.0;
  // Neighbours the plug-in set out of order pin the handle rather than invert the limits.
  const double hi = std::max(lo, i + 1 < NVals() ? GetValue(i + 1) : 1.0);
  SnapToMouse(x, y, mDirection, mWidgetBounds, i, lo, hi);
}

} // namespace plugin::ui
