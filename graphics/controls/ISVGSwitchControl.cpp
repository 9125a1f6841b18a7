#include "graphics/controls/ISVGSwitchControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

ISVGSwitchControl::ISVGSwitchControl(const IRECT& bounds, const std::initializer_list<ISVG>& svgs,
                                     int paramIdx, IActionFunction action)
    : ISwitchControlBase(bounds, paramIdx, std::move(action), static_cast<int>(svgs.size())), mSVGs(svgs)
{}

ISVGSwitchControl::~ISVGSwitchControl() = default;

int ISVGSwitchControl::ImageIndex() const noexcept
{
  if (mSVGs.empty()) return -1;
  const double last = static_cast<double>(mSVGs.size() - 1);
  // Limited before the conversion, so any state count or value stays inside the list.
  const double i = std::trunc(GetValue(0) * (mStateCount - 1) + 0.5);
  return static_cast<int>(std::isnan(i) ? 0.0 : std::clamp(i, 0.0, last));
}

void ISVGSwitchControl::Draw(ICanvas& g)
{
  if (const int i = ImageIndex(); i >= 0) g.DrawSVG(mSVGs[static_cast<size_t>(i)], mBounds, GetBlend());
}

} // namespace plugin::ui
