#include "graphics/controls/IPanelControl.h"

namespace plugin::ui {

IPanelControl::IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame)
    : IControl(bounds, -1), mPattern(pattern), mDrawFrame(drawFrame)
{}

IPanelControl::~IPanelControl() = default;

// Placeholder until the panel control lands: nothing is drawn.
void IPanelControl::Draw(ICanvas&) {}

} // namespace plugin::ui
