#include "graphics/controls/ICornerResizerControl.h"

namespace plugin::ui {

ICornerResizerControl::ICornerResizerControl(const IRECT& bounds, float size, float graphicsWidth,
                                             float graphicsHeight, const IColor& color,
                                             const IColor& mouseOverColor, const IColor& dragColor)
    : IControl(bounds, -1), mSize(size), mInitialGraphicsBounds(0.f, 0.f, graphicsWidth, graphicsHeight),
      mColor(color), mMouseOverColor(mouseOverColor), mDragColor(dragColor)
{}

ICornerResizerControl::~ICornerResizerControl() = default;

// Placeholder until the corner resizer control lands: nothing is drawn.
void ICornerResizerControl::Draw(ICanvas&) {}

} // namespace plugin::ui
