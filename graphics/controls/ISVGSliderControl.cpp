#include "graphics/controls/ISVGSliderControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

namespace {

// a / b; 1 when that is not a positive finite number (an image without a size counts as square
// and as tall as the track).
float Ratio(float a, float b)
{
  const float r = a / b;
  return std::isfinite(r) && r > 0.f ? r : 1.f;
}

// A w x h rectangle centred in bounds; w at least 1, h = w when not positive.
IRECT Centred(const IRECT& bounds, float w, float h)
{
  w = std::max(w, 1.f);
  if (!(h > 0.f)) h = w;
  return IRECT::MakeCentred(bounds.MW(), bounds.MH(), w, h);
}

} // namespace

ISVGSliderControl::ISVGSliderControl(const IRECT& bounds, const ISVG& handleSvg, const ISVG& trackSvg,
                                     int paramIdx, EDirection dir, double gearing)
    : ISliderControlBase(bounds, paramIdx, dir, gearing, 0.f), mHandleSVG(handleSvg), mTrackSVG(trackSvg)
{}

ISVGSliderControl::~ISVGSliderControl() = default;

void ISVGSliderControl::OnResize()
{
  ISliderControlBase::OnResize();
  const float trackAspect = Ratio(mTrackSVG.W(), mTrackSVG.H());
  const float handleAspect = Ratio(mHandleSVG.W(), mHandleSVG.H());
  const float handleScale = Ratio(mHandleSVG.H(), mTrackSVG.H());
  const IRECT& b = mBounds;
  if (mDirection == EDirection::Horizontal) {
    mTrackSVGBounds = Centred(b, b.W(), b.W() / trackAspect);
    const IRECT& t = mTrackSVGBounds;
    float hh = handleScale * t.H();
    const float hw = std::max(hh * handleAspect, 1.f);
    if (!(hh > 0.f)) hh = hw;
    mHandleBoundsAtMax = IRECT(t.R - hw, t.MH() - hh / 2.f, t.R, t.MH() + hh / 2.f);
    mTrackRect = IRECT(t.L + hw, t.T, t.R, t.B);
  } else {
    mTrackSVGBounds = Centred(b, b.H() * trackAspect, b.H());
    const IRECT& t = mTrackSVGBounds;
    float hh = handleScale * b.H();
    const float hw = std::max(hh * handleAspect, 1.f);
    if (!(hh > 0.f)) hh = hw;
    mHandleBoundsAtMax = IRECT(b.MW() - hw / 2.f, t.T, b.MW() + hw / 2.f, t.T + hh);
    mTrackRect = IRECT(t.L, t.T + hh, t.R, t.B);
  }
  SetDirty(false);
}

IRECT ISVGSliderControl::GetHandleBounds(double value) const
{
  const double v = value < 0.0 ? GetValue(0) : value;
  const float d = static_cast<float>(1.0 - v);
  if (mDirection == EDirection::Horizontal) return mHandleBoundsAtMax.GetTranslated(-d * mTrackRect.W(), 0.f);
  return mHandleBoundsAtMax.GetTranslated(0.f, d * mTrackRect.H());
}

void ISVGSliderControl::Draw(ICanvas& g)
{
  g.DrawSVG(mTrackSVG, mTrackSVGBounds, GetBlend());
  g.DrawSVG(mHandleSVG, GetHandleBounds(), GetBlend());
}

} // namespace plugin::ui
