#pragma once

namespace plugin::ui {

class ICanvas;

// The two side-chain compensation toggles (amber while on), attached before the links and captions.
// Main thread; allocates.
void AttachCompensationToggles(ICanvas& ui);

// The small vector knobs with their captions, in drawing order: the two side-chain blends, then
// level calibration, noise, input and output gain, each caption before its knob. The knobs turn
// with gearing 32, take typed values and belong to the "vcontrols" group. Main thread; allocates.
void AttachTrimSection(ICanvas& ui);

} // namespace plugin::ui
