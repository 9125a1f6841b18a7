#include "graphics/controls/IBKnobRotaterControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

IBKnobRotaterControl::IBKnobRotaterControl(float x, float y, const IBitmap& bitmap, int paramIdx)
    : IBKnobControl(IRECT::MakeXYWH(x, y, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
                    bitmap, paramIdx, EDirection::Vertical, 4.0)
{}

IBKnobRotaterControl::~IBKnobRotaterControl() = default;

void IBKnobRotaterControl::Draw(ICanvas& g)
{
  g.DrawRotatedBitmap(mBitmap, mBounds.MW(), mBounds.MH(), AngleForValue(GetValue(0)), GetBlend());
}

} // namespace plugin::ui
