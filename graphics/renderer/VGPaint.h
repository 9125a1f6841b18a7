#pragma once

#include "graphics/renderer/VGTypes.h"

// Paint constructors. Each returns a paint in the coordinates it is given; setting it as the
// fill or stroke paint of a state (VGState.h) ties it to the transform in force then.

// Solid paint of one colour.
VGpaint vgSolidPaint(VGcolor color);
// Linear gradient from icol at (sx, sy) to ocol at (ex, ey).
VGpaint vgLinearGradient(float sx, float sy, float ex, float ey, VGcolor icol, VGcolor ocol);
// Radial gradient around (cx, cy) from icol at radius inr to ocol at radius outr.
VGpaint vgRadialGradient(float cx, float cy, float inr, float outr, VGcolor icol, VGcolor ocol);
// Feathered rounded rectangle (x, y, w, h) of corner radius r and feather f: icol inside, ocol outside.
VGpaint vgBoxGradient(float x, float y, float w, float h, float r, float f, VGcolor icol, VGcolor ocol);
// Image pattern: one image tile of size (ex, ey) at (ox, oy), rotated by angle, with alpha.
VGpaint vgImagePattern(float ox, float oy, float ex, float ey, float angle, int image, float alpha);
// True when every number of the paint is finite.
bool vgPaintIsFinite(const VGpaint& paint);
