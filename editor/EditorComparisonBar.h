#pragma once

namespace plugin::ui {

class ICanvas;

// The A/B comparison bar at the top left, in drawing order: the frames of the A and B slots, their
// letters, the slot's two radio buttons, a cover up to the preset bar, the arrows and the two copy
// buttons over them ("->" copies A into B, "<-" B into A). Main thread; allocates.
void AttachComparisonBar(ICanvas& ui);

} // namespace plugin::ui
