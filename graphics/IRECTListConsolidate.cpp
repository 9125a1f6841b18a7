#include "graphics/IRECTList.h"

namespace plugin::ui {

// Placeholder until the frame loop lands: leaving the list as it is still redraws every area.
void IRECTList::Consolidate() noexcept {}

} // namespace plugin::ui
