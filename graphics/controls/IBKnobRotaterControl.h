#pragma once

#include "graphics/controls/IBKnobControl.h"

namespace plugin::ui {

// A knob drawn as one picture turned with its value: -130 degrees at 0, upright at 0.5, +130 at 1.
// Frames are not used. A vertical drag with gearing 4 turns it; the gearing may be changed after
// construction. Main thread only.
class IBKnobRotaterControl : public IBKnobControl
{
public:
  // Bounds: one frame of the bitmap with its top-left at (x, y).
  IBKnobRotaterControl(float x, float y, const IBitmap& bitmap, int paramIdx);
  ~IBKnobRotaterControl() override;

  // The whole picture rotated about the bounds' centre. Frame loop.
  void Draw(ICanvas& g) override;

  // Rotation in degrees for a normalised value.
  static double AngleForValue(double value) noexcept { return value * 260.0 - 130.0; }
};

} // namespace plugin::ui
