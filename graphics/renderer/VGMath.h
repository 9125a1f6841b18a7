#pragma once

// Affine 2-D transforms on float[6] = [a, b, c, d, e, f], mapping (x, y) to
// (a*x + c*y + e, b*x + d*y + f), and angle conversions. Pure functions, no context.

// t = identity.
void vgTransformIdentity(float* t);
// t = translation by (tx, ty).
void vgTransformTranslate(float* t, float tx, float ty);
// t = scale by (sx, sy).
void vgTransformScale(float* t, float sx, float sy);
// t = rotation by a radians.
void vgTransformRotate(float* t, float a);
// t = skew along x by a radians.
void vgTransformSkewX(float* t, float a);
// t = skew along y by a radians.
void vgTransformSkewY(float* t, float a);
// t = t followed by s.
void vgTransformMultiply(float* t, const float* s);
// t = s followed by t.
void vgTransformPremultiply(float* t, const float* s);
// inv = inverse of t; returns 0 and sets identity when t is (nearly) singular, else 1.
int vgTransformInverse(float* inv, const float* t);
// (dx, dy) = t applied to (sx, sy).
void vgTransformPoint(float* dx, float* dy, const float* t, float sx, float sy);
// True when all six entries are finite.
bool vgTransformIsFinite(const float* t);

float vgDegToRad(float deg);
float vgRadToDeg(float rad);
