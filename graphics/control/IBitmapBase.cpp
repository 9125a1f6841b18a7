#include "graphics/control/IBitmapBase.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

IBitmapBase::IBitmapBase(const IBitmap& bitmap) : mBitmap(bitmap) {}

IBitmapBase::~IBitmapBase() = default;

int IBitmapBase::FrameForValue(double value, int nFrames)
{
  if (nFrames < 2) return 1;
  const double v = std::isnan(value) ? 0.0 : value;
  // Limited before the conversion, so out-of-range values cannot overflow it.
  const double t = std::clamp(std::trunc(v * (nFrames - 1) + 0.5), 0.0, static_cast<double>(nFrames - 1));
  return std::min(static_cast<int>(t) + 1, nFrames);
}

IRECT IBitmapBase::CentredFrameRect(const IRECT& bounds, float w, float h)
{
  const float l = (bounds.L + bounds.R - w) / 2.f;
  const float t = (bounds.T + bounds.B - h) / 2.f;
  return IRECT(l, t, l + w, t + h);
}

void IBitmapBase::DrawFrameFor(ICanvas& g, const IBitmap& bitmap, const IControl& control)
{
  if (!bitmap.IsValid()) return;
  const IRECT r =
      CentredFrameRect(control.GetBounds(), static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH()));
  g.DrawBitmapFrame(bitmap, r, FrameForValue(control.GetValue(0), bitmap.N()), control.GetBlend());
}

void IBitmapBase::RescaleFor(const IControl& control, IBitmap& bitmap)
{
  if (!control.GetUI()) return;
  // A bitmap that cannot be loaded again (one without a resource name) is kept as it is.
  if (IBitmap scaled = control.GetUI()->GetScaledBitmap(bitmap); scaled.IsValid()) bitmap = scaled;
}

void IBitmapBase::DrawBitmap(ICanvas& g)
{
  if (mControl) DrawFrameFor(g, mBitmap, *mControl);
}

void IBitmapBase::OnRescale()
{
  if (mControl) RescaleFor(*mControl, mBitmap);
}

} // namespace plugin::ui
