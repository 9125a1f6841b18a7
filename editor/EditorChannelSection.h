#pragma once

#include "editor/EditorBitmaps.h"

namespace plugin::ui {

class ICanvas;

// The bitmap controls of the faceplate, in drawing order: the power, bypass and mode switches;
// the eight big knobs, each three pictures on one parameter (shadow and body turn with the value,
// the overlay on top stays still and takes the mouse); the three trim knobs; the oversampling,
// delta and control-link switches; the four side-chain knobs. The big knobs turn with gearing 4,
// every other knob with gearing 32. Main thread; allocates.
void AttachChannelSection(ICanvas& ui, const EditorBitmaps& bitmaps);

// Drag gearing of the big knobs and of the fine ones.
inline constexpr double kBigKnobGearing = 4.0;
inline constexpr double kFineKnobGearing = 32.0;

} // namespace plugin::ui
