#pragma once

#include "graphics/control/ISwitchControlBase.h"
#include "graphics/controls/SVGOnOffLook.h"

namespace plugin::ui {

// A two-state switch drawn from SVG images scaled to its bounds: each press toggles between the
// off and the on image. Main thread only.
class ISVGToggleControl : public ISwitchControlBase
{
public:
  // Unbound, with an action; its own colours.
  ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage, const ISVG& onImage);
  // Bound to a parameter, no action; its own colours.
  ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& offImage, const ISVG& onImage);
  // The same two with one image for both states, repainted with the four colours.
  ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& image,
                    const std::array<IColor, 4>& colors, EColorReplacement colorReplacement);
  ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& image, const std::array<IColor, 4>& colors,
                    EColorReplacement colorReplacement);
  ~ISVGToggleControl() override;

  // The image for the state. Frame loop.
  void Draw(ICanvas& g) override;

  const SVGOnOffLook& GetLook() const noexcept { return mLook; }

protected:
  SVGOnOffLook mLook;
};

} // namespace plugin::ui
