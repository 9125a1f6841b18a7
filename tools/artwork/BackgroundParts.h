#pragma once

#include "graphics/renderer/VGTypes.h"
#include "tools/artwork/ArtworkFonts.h"

struct VGcontext;

// The faceplate in layers, bottom up; Background.cpp stacks them.
namespace kelmo::artwork::background {

// Regions of the faceplate (points).
constexpr float kTopBarBottom = 26.0f;
constexpr float kBottomBarTop = 479.0f;
constexpr float kCentreLeft = 306.0f;
constexpr float kCentreRight = 593.0f;

// Brushed plate, light, top and bottom bars, centre panel, screws.
void DrawPlate(VGcontext* vg, float width, float height);
// Scales around the knobs and trims.
void DrawKnobScales(VGcontext* vg);
// The two meter windows with their faces and scales (the needles are the meters' own).
void DrawMeterWindows(VGcontext* vg);
// Every printed legend, the product name and the small icons of the invisible buttons.
void DrawLegends(VGcontext* vg);

// One printed legend: text at (x, y) with the alignment bits of the vector core.
void Print(VGcontext* vg, Face face, float size, float spacing, float x, float y, int align, VGcolor colour,
           const char* text);

} // namespace kelmo::artwork::background
