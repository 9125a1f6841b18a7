#include "graphics/controls/IBSwitchControl.h"

#include <algorithm>

namespace plugin::ui {

IBSwitchControl::IBSwitchControl(float x, float y, const IBitmap& bitmap, int paramIdx)
    : IBSwitchControl(IRECT::MakeXYWH(x, y, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
                      bitmap, paramIdx)
{}

IBSwitchControl::IBSwitchControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx)
    : ISwitchControlBase(
          CentredFrameRect(bounds, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
          paramIdx, nullptr, 2),
      IBitmapBase(bitmap)
{
  AttachIControl(this);
}

IBSwitchControl::~IBSwitchControl() = default;

void IBSwitchControl::OnMouseDown(float, float, const IMouseMod&)
{
  // The strip, not the state count, sets the step: a switch shows exactly its frames.
  const int n = mBitmap.N();
  const double step = n > 1 ? 1.0 / (n - 1) : 1.0;
  double value = GetValue(0) + step;
  // Past the last frame, allowing for rounding; a step finer than the allowance (a strip of more
  // than 1001 frames) would never get there, so the allowance is then half a step.
  if (value > std::min(1.001, 1.0 + step / 2.0)) value = 0.0;
  SetValue(value, 0);
  SetDirty(true);
}

void IBSwitchControl::Draw(ICanvas& g)
{
  DrawBitmap(g);
}

void IBSwitchControl::OnRescale()
{
  IBitmapBase::OnRescale();
}

} // namespace plugin::ui
