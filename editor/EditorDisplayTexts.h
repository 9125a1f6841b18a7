#pragma once

namespace plugin {
class IEditorDelegate;
} // namespace plugin

namespace plugin::ui {

// The texts the editor shows in place of certain values, wherever the parameter's display text is
// asked for (captions included): "-inf" at the bottom of the wet gains and thresholds, "Hz" and
// "dB" at the zero points of the side-chain filter and gains, of the thresholds and of the three
// global gains. A text the parameter already shows for that value is not added again, so that
// opening the editor many times adds them once. Main thread; allocates.
void SetEditorDisplayTexts(IEditorDelegate& params);

} // namespace plugin::ui
