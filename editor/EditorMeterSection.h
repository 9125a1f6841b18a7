#pragma once

namespace plugin::ui {

class ICanvas;

// The two gain-reduction readouts (tags 2 and 3) and the two needle meters (tags 0 and 1) in the
// middle of the editor, the readouts first. Main thread; allocates.
void AttachMeterSection(ICanvas& ui);

} // namespace plugin::ui
