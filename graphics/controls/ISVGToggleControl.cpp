#include "graphics/controls/ISVGToggleControl.h"

namespace plugin::ui {

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage,
                                     const ISVG& onImage)
    : ISwitchControlBase(bounds, -1, std::move(action), 2), mLook{offImage, onImage}
{}

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& offImage,
                                     const ISVG& onImage)
    : ISwitchControlBase(bounds, paramIdx, nullptr, 2), mLook{offImage, onImage}
{}

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, IActionFunction action, const ISVG& image,
                                     const std::array<IColor, 4>& colors, EColorReplacement colorReplacement)
    : ISwitchControlBase(bounds, -1, std::move(action), 2), mLook{image, image, colors, colorReplacement}
{}

ISVGToggleControl::ISVGToggleControl(const IRECT& bounds, int paramIdx, const ISVG& image,
                                     const std::array<IColor, 4>& colors, EColorReplacement colorReplacement)
    : ISwitchControlBase(bounds, paramIdx, nullptr, 2), mLook{image, image, colors, colorReplacement}
{}

ISVGToggleControl::~ISVGToggleControl() = default;

void ISVGToggleControl::Draw(ICanvas& g)
{
  mLook.Draw(g, *this);
}

} // namespace plugin::ui
