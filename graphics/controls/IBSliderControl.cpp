#include "graphics/controls/IBSliderControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

namespace {

IRECT SliderBounds(float x, float y, float len, const IBitmap& handle, EDirection dir)
{
  if (dir == EDirection::Horizontal) return IRECT::MakeXYWH(x, y, len, static_cast<float>(handle.H()));
  return IRECT::MakeXYWH(x, y, static_cast<float>(handle.W()), len);
}

} // namespace

IBSliderControl::IBSliderControl(float x, float y, float len, const IBitmap& handleBitmap,
                                 const IBitmap& trackBitmap, int paramIdx, EDirection dir, double gearing)
    : IBSliderControl(SliderBounds(x, y, len, handleBitmap, dir), handleBitmap, trackBitmap, paramIdx, dir,
                      gearing)
{}

IBSliderControl::IBSliderControl(const IRECT& bounds, const IBitmap& handleBitmap, const IBitmap& trackBitmap,
                                 int paramIdx, EDirection dir, double gearing)
    : ISliderControlBase(
          bounds, paramIdx, dir, gearing,
          static_cast<float>(dir == EDirection::Horizontal ? handleBitmap.W() : handleBitmap.H())),
      IBitmapBase(handleBitmap), mTrackBitmap(trackBitmap)
{
  AttachIControl(this);
}

IBSliderControl::~IBSliderControl() = default;

void IBSliderControl::OnResize()
{
  ISliderControlBase::OnResize();
  const IRECT& b = mBounds;
  if (mTrackBitmap.IsValid()) {
    mTrackRect =
        CentredFrameRect(b, static_cast<float>(mTrackBitmap.FW()), static_cast<float>(mTrackBitmap.FH()));
  } else if (mDirection == EDirection::Horizontal) {
    const float h = static_cast<float>(mBitmap.H()) / 2.f;
    mTrackRect = IRECT(b.L, b.MH() - h, b.R, b.MH() + h);
  } else {
    const float w = static_cast<float>(mBitmap.W()) / 2.f;
    mTrackRect = IRECT(b.MW() - w, b.T, b.MW() + w, b.B);
  }
  SetDirty(false);
}

IRECT IBSliderControl::GetHandleBounds(double value) const
{
  const double v = value < 0.0 ? GetValue(0) : value;
  const IRECT& t = mTrackRect;
  IRECT h(t.L, t.T, t.L + static_cast<float>(mBitmap.FW()), t.T + static_cast<float>(mBitmap.FH()));
  if (mDirection == EDirection::Vertical)
    return h.GetTranslated(0.f, static_cast<float>((1.0 - v) * (t.H() - static_cast<float>(mBitmap.H()))));
  return h.GetTranslated(static_cast<float>(v * (t.W() - static_cast<float>(mBitmap.W()))), 0.f);
}

void IBSliderControl::Draw(ICanvas& g)
{
  if (mTrackBitmap.IsValid()) {
    const IRECT track = CentredFrameRect(mBounds, static_cast<float>(mTrackBitmap.FW()),
                                         static_cast<float>(mTrackBitmap.FH()));
    g.DrawBitmap(mTrackBitmap, track, 0, 0, GetBlend());
  }
  if (mBitmap.IsValid()) g.DrawBitmapFrame(mBitmap, GetHandleBounds(), 1, GetBlend());
}

void IBSliderControl::OnRescale()
{
  IBitmapBase::OnRescale();
}

} // namespace plugin::ui
