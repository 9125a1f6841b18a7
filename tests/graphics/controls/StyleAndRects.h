#pragma once

#include "graphics/IRECT.h"
#include "graphics/IVStyle.h"
#include "graphics/Trace.h"

#include <string>
#include <vector>

namespace plugin::ui::test {

// No label, value, shadows or frames: a vector control's widget is its whole bounds.
inline IVStyle PlainStyle()
{
  IVStyle s;
  s.showLabel = s.showValue = s.drawShadows = s.drawFrame = false;
  return s;
}

// Rectangles as Trace writes numbers, space-separated.
inline std::string Rects(const std::vector<IRECT>& rects)
{
  std::string out;
  for (const IRECT& r : rects)
    out += (out.empty() ? "" : " ") + Nums({r.L, r.T, r.R, r.B});
  return out;
}

} // namespace plugin::ui::test
