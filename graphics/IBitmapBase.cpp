#include "graphics/IBitmapBase.h"

#include "graphics/ICanvas.h"
#include "graphics/IControl.h"

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

void IBitmapBase::DrawBitmap(ICanvas& g)
{
  if (!mBitmap.IsValid() || !mControl) return;
  const IRECT r = CentredFrameRect(mControl->GetBounds(), static_cast<float>(mBitmap.FW()),
                                   static_cast<float>(mBitmap.FH()));
  g.DrawBitmapFrame(mBitmap, r, FrameForValue(mControl->GetValue(0), mBitmap.N()), mControl->GetBlend());
}

void IBitmapBase::OnRescale()
{
  if (!mControl || !mControl->GetUI()) return;
  // A bitmap that cannot be loaded again (one without a resource name) is kept as it is.
  if (IBitmap scaled = mControl->GetUI()->GetScaledBitmap(mBitmap); scaled.IsValid()) mBitmap = scaled;
}

} // namespace plugin::ui
