#pragma once

#include "tools/artwork/ArtworkTable.h"

// The drawing functions of the pictures, one per resource (see ArtworkTable.cpp for the sizes).
namespace kelmo::artwork {

// Knobs: the big knob's three layers, the small side-chain knob and the trim.
void DrawNuppi(VGcontext* vg, const Frame& frame);
void DrawNuppiVarjo(VGcontext* vg, const Frame& frame);
void DrawNuppiOverlay(VGcontext* vg, const Frame& frame);
void DrawMiniNuppi(VGcontext* vg, const Frame& frame);
void DrawTrim(VGcontext* vg, const Frame& frame);

// Switches: frame 0 shows value 0, the last frame value 1.
void DrawBypass(VGcontext* vg, const Frame& frame);
void DrawDelta(VGcontext* vg, const Frame& frame);
void DrawCtrlLink(VGcontext* vg, const Frame& frame);
void DrawMiniFlipperVert(VGcontext* vg, const Frame& frame);
void DrawFlipperTwo(VGcontext* vg, const Frame& frame);
void DrawOversampling(VGcontext* vg, const Frame& frame);
void DrawPower(VGcontext* vg, const Frame& frame);
void DrawSidechainFilter(VGcontext* vg, const Frame& frame);

// Preset bar icons.
void DrawSave(VGcontext* vg, const Frame& frame);
void DrawTrash(VGcontext* vg, const Frame& frame);

// The faceplate behind everything.
void DrawBackground(VGcontext* vg, const Frame& frame);

} // namespace kelmo::artwork
