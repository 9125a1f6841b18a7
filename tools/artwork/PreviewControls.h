#pragma once

struct VGcontext;

namespace kelmo::artwork {

// A stand-in for what the editor's own controls draw over the pictures (value captions,
// readouts, small vector knobs, the preset bar's texts, the version line, the corner resizer),
// with the fonts, sizes and colours the layout gives, so that the preview can be judged as a
// whole. Only the preview uses it.
void DrawControlStandIns(VGcontext* vg);

// The preset bar's frame behind the file icons (drawn before them).
void DrawPresetFrameStandIn(VGcontext* vg);

} // namespace kelmo::artwork
