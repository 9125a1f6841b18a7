#pragma once

#include <cmath>

// Small 2-D helpers shared by path building and tessellation.

// Points closer than tol.
inline bool vgPtEquals(float x1, float y1, float x2, float y2, float tol)
{
  const float dx = x2 - x1, dy = y2 - y1;
  return dx * dx + dy * dy < tol * tol;
}

// Scales (x, y) to unit length when it is longer than 1e-6; returns the original length.
inline float vgNormalize(float* x, float* y)
{
  const float d = std::sqrt((*x) * (*x) + (*y) * (*y));
  if (d > 1e-6f) {
    const float id = 1.0f / d;
    *x *= id;
    *y *= id;
  }
  return d;
}

// 2-D cross product as the joins and arcs use it: positive when b turns left of a.
inline float vgCross(float ax, float ay, float bx, float by)
{
  return bx * ay - ax * by;
}

inline constexpr float kVGPi = 3.14159265358979323846264338327f;
