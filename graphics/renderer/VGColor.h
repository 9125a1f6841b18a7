#pragma once

#include "graphics/renderer/VGTypes.h"

// Colour constructors of the vector core. Colours are straight floats 0..1.

VGcolor vgRGB(unsigned char r, unsigned char g, unsigned char b);
VGcolor vgRGBf(float r, float g, float b);
VGcolor vgRGBA(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
VGcolor vgRGBAf(float r, float g, float b, float a);
// c with its alpha replaced by a / 255.
VGcolor vgTransRGBA(VGcolor c, unsigned char a);
// c with its alpha replaced by a.
VGcolor vgTransRGBAf(VGcolor c, float a);
// Per channel c0 + (c1 - c0) * u, u clamped to 0..1.
VGcolor vgLerpRGBA(VGcolor c0, VGcolor c1, float u);
// Hue, saturation and lightness 0..1 (hue wraps), opaque.
VGcolor vgHSL(float h, float s, float l);
// Hue, saturation and lightness 0..1 (hue wraps), alpha a / 255.
VGcolor vgHSLA(float h, float s, float l, unsigned char a);
