#include "graphics/controls/ISVGButtonControl.h"

namespace plugin::ui {

ISVGButtonControl::ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& offImage,
                                     const ISVG& onImage)
    : IButtonControlBase(bounds, std::move(action)), mLook{offImage, onImage}
{}

ISVGButtonControl::ISVGButtonControl(const IRECT& bounds, IActionFunction action, const ISVG& image,
                                     const std::array<IColor, 4>& colors, EColorReplacement colorReplacement)
    : IButtonControlBase(bounds, std::move(action)), mLook{image, image, colors, colorReplacement}
{}

ISVGButtonControl::~ISVGButtonControl() = default;

void ISVGButtonControl::Draw(ICanvas& g)
{
  mLook.Draw(g, *this);
}

} // namespace plugin::ui
