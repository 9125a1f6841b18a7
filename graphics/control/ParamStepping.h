#pragma once

#include "graphics/values/IMouse.h"

namespace plugin {
class IParam;
} // namespace plugin

namespace plugin::ui {

class IControl;

// The value rules the interaction bases share: the pointer moves an unsnapped value, and the
// value shown and sent is that value snapped to the step of entry 0's parameter. Main thread.

// Entry 0's parameter when it is known to the delegate, stepped and its step is positive; else null.
const IParam* SteppedParamOfEntry0(const IControl& control) noexcept;

// n snapped through entry 0's stepped parameter (real value, rounded to the step, clamped,
// normalised, clamped to 0..1); n itself when the parameter is not stepped.
double SnapThroughParam(const IControl& control, double n) noexcept;

// A fine adjustment: shift or control held.
inline bool IsFine(const IMouseMod& mod) noexcept
{
  return mod.shift || mod.control;
}

// Relative drag: dragValue moves by delta / (gearing (times 10 when fine) x extent), clamped to
// 0..1. False, and dragValue unchanged, when the move cannot be measured (zero or non-finite
// extent, gearing or delta).
bool DragStep(double& dragValue, float delta, float extent, double gearing, bool fine) noexcept;

// Value 0 after a wheel turn of delta: one step of a stepped parameter in the direction of delta
// (none for 0), else delta x 0.01 (0.001 when fine), not clamped. A non-finite delta keeps it.
double WheelValue(const IControl& control, const IMouseMod& mod, float delta) noexcept;

} // namespace plugin::ui
