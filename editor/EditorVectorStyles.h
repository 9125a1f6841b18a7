#pragma once

#include "graphics/values/IVStyle.h"

// The vector styles of the compressor's editor. The preset bar's style is PresetBarStyle
// (PresetControllerMenu.h). Pure functions; any thread.
namespace plugin::ui {

// The six small knobs, the reset button and the cover beside the comparison bar: no label,
// value, frame or shadows; grey pointer, arc and highlight on a transparent body.
IVStyle KnobStyle();
// The two side-chain compensation toggles: an amber wash while on, a faint highlight.
IVStyle ToggleStyle();
// The comparison slot's radio buttons: light grey when selected.
IVStyle RadioStyle();
// The A and B frames and the two copy buttons: a faint grey frame, nothing else.
IVStyle ComparisonStyle();
// The info button: invisible (the faceplate prints its sign), only hit.
IVStyle InfoStyle();

} // namespace plugin::ui
