#include "graphics/controls/ISVGControl.h"

namespace plugin::ui {

ISVGControl::ISVGControl(const IRECT& bounds, const ISVG& svg, bool useLayer)
    : IControl(bounds, -1), mUseLayer(useLayer), mSVG(svg)
{}

ISVGControl::~ISVGControl() = default;

// Placeholder until the SVG controls land: nothing is drawn.
void ISVGControl::Draw(ICanvas&) {}

} // namespace plugin::ui
