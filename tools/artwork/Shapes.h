#pragma once

#include "graphics/renderer/VGTypes.h"

struct VGcontext;

// Small drawing recipes shared by the pictures: discs and rings with paints, soft shadows,
// screws, lamps and levers. Coordinates are points of the picture being drawn.
namespace kelmo::artwork {

constexpr float kPi = 3.14159265358979f;

// Radians of a knob angle given in degrees clockwise from twelve o'clock.
float KnobRadians(float degreesFromTop);

void FillCircle(VGcontext* vg, float cx, float cy, float r, VGpaint paint);
void FillCircle(VGcontext* vg, float cx, float cy, float r, VGcolor colour);
void StrokeCircle(VGcontext* vg, float cx, float cy, float r, float width, VGpaint paint);
void StrokeCircle(VGcontext* vg, float cx, float cy, float r, float width, VGcolor colour);
void FillRoundedRect(VGcontext* vg, float x, float y, float w, float h, float r, VGpaint paint);
void FillRoundedRect(VGcontext* vg, float x, float y, float w, float h, float r, VGcolor colour);
void StrokeRoundedRect(VGcontext* vg, float x, float y, float w, float h, float r, float width,
                       VGcolor colour);
// A straight line with round or butt caps.
void Line(VGcontext* vg, float x0, float y0, float x1, float y1, float width, VGcolor colour, int cap);

// A disc of colour that fades out over feather on both sides of radius r.
void SoftDisc(VGcontext* vg, float cx, float cy, float r, float feather, VGcolor colour);
// A rounded rectangle of colour whose edge fades out over feather (a drop shadow).
void SoftBox(VGcontext* vg, float x, float y, float w, float h, float radius, float feather, VGcolor colour);

// Radial segment at a knob angle (degrees from twelve o'clock, clockwise) from r0 to r1.
void RadialLine(VGcontext* vg, float cx, float cy, float degrees, float r0, float r1, float width,
                VGcolor colour, int cap);

// A countersunk slotted screw head of radius r, the slot at angle (radians).
void Screw(VGcontext* vg, float cx, float cy, float r, float slotAngle);
// A round lamp lens of radius r: lit shows colour with a glow of glowRadius, unlit a dark lens.
void Lamp(VGcontext* vg, float cx, float cy, float r, VGcolor colour, bool lit, float glowRadius);

} // namespace kelmo::artwork
