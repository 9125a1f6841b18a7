#include "graphics/controls/IFPSDisplayControl.h"

namespace plugin::ui {

IFPSDisplayControl::IFPSDisplayControl(const IRECT& bounds, int kind, const char* label)
    : IControl(bounds, -1), mType(kind)
{
  mNamedLabel.Set(label);
}

IFPSDisplayControl::~IFPSDisplayControl() = default;

// Placeholder until the frame-time display lands: nothing is drawn.
void IFPSDisplayControl::Draw(ICanvas&) {}

} // namespace plugin::ui
