#pragma once

#include "graphics/control/IButtonControlBase.h"
#include "graphics/controls/SVGOnOffLook.h"

namespace plugin::ui {

// A momentary button drawn from SVG images scaled to its bounds: the off image at rest, the on
// image while pressed (until the click animation ends). Main thread only.
class ISVGButtonControl : public IButtonControlBase
{
public:
  // Its own colours, no replacement.
  ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage, const ISVG& onImage);
  // One image for both states, repainted with the four colours (off, on, off hovered, on hovered).
  ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& image,
                    const std::array<IColor, 4>& colors, EColorReplacement colorReplacement);
  ~ISVGButtonControl() override;

  // The image for the state. Frame loop.
  void Draw(ICanvas& g) override;

  const SVGOnOffLook& GetLook() const noexcept { return mLook; }

protected:
  SVGOnOffLook mLook;
};

} // namespace plugin::ui
