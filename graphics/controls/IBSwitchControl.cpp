#include "graphics/controls/IBSwitchControl.h"

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
  double value = GetValue(0) + (n > 1 ? 1.0 / (n - 1) : 1.0);
  if (value > 1.001) value = 0.0;
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
