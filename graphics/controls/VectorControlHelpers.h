#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/values/IRECT.h"

#include <cmath>

namespace plugin::ui {

class IControl;

// Small rules the vector-drawn controls share. Main thread; no allocation except the text.

// r has a positive, finite width and height: only such rectangles are drawn.
inline bool HasArea(const IRECT& r) noexcept
{
  return r.W() > 0.f && r.H() > 0.f && std::isfinite(r.W()) && std::isfinite(r.H());
}

// v limited to 0..1 for drawing; NaN counts as 0.
inline double UnitValue(double v) noexcept
{
  return v > 0.0 ? (v < 1.0 ? v : 1.0) : 0.0;
}

// The state a normalised value selects among n: trunc(v x (n - 1) + 0.5), limited to 0..n - 1
// (0 for n < 2).
inline int SelectedState(double v, int n) noexcept
{
  if (n < 2) return 0;
  const int sel = static_cast<int>(UnitValue(v) * (n - 1) + 0.5);
  return sel < n ? sel : n - 1;
}

// Writes the display text of entry 0's parameter at its current value into out, with " " and the
// unit label when withUnit and the label is not empty. False, and out unchanged, without a parameter.
bool ParamValueText(const IControl& control, StringBuf& out, bool withUnit);

} // namespace plugin::ui
