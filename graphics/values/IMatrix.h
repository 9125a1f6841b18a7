#pragma once

#include <cmath>

namespace plugin::ui {

// Degrees to radians as the drawing code converts them (single-precision factor).
inline constexpr float kDegToRad = 0.017453294f;

// Affine transform: a point (x, y) maps to (xx x + xy y + tx, yx x + yy y + ty). Every operation
// below composes on the right (M' = M x T), so it acts in the coordinates already set up.
struct IMatrix
{
  double xx = 1.0;
  double yx = 0.0;
  double xy = 0.0;
  double yy = 1.0;
  double tx = 0.0;
  double ty = 0.0;

  constexpr IMatrix() = default;
  constexpr IMatrix(double xx_, double yx_, double xy_, double yy_, double tx_, double ty_)
      : xx(xx_), yx(yx_), xy(xy_), yy(yy_), tx(tx_), ty(ty_)
  {}
  constexpr bool operator==(const IMatrix&) const = default;

  // Moves the origin by (x, y) local units.
  constexpr IMatrix& Translate(double x, double y)
  {
    tx += xx * x + xy * y;
    ty += yx * x + yy * y;
    return *this;
  }
  // Scales the local x axis by x and the local y axis by y.
  constexpr IMatrix& Scale(double x, double y)
  {
    xx *= x;
    yx *= x;
    xy *= y;
    yy *= y;
    return *this;
  }
  // Turns by degrees, clockwise on screen (y grows downwards).
  IMatrix& Rotate(float degrees)
  {
    const double r = degrees * kDegToRad;
    const double c = std::cos(r);
    const double s = std::sin(r);
    const IMatrix m = *this;
    xx = m.xx * c + m.xy * s;
    yx = m.yx * c + m.yy * s;
    xy = m.xy * c - m.xx * s;
    yy = m.yy * c - m.yx * s;
    return *this;
  }
  // Shears by the tangents of the two angles (degrees).
  IMatrix& Skew(float xDegrees, float yDegrees)
  {
    const double a = std::tan(xDegrees * kDegToRad);
    const double b = std::tan(yDegrees * kDegToRad);
    const IMatrix m = *this;
    xx = m.xx + m.xy * b;
    yx = m.yx + m.yy * b;
    xy = m.xy + m.xx * a;
    yy = m.yy + m.yx * a;
    return *this;
  }
  // M' = M x t: t's translation is mapped through M and added.
  constexpr IMatrix& Transform(const IMatrix& t)
  {
    const IMatrix m = *this;
    xx = m.xx * t.xx + m.xy * t.yx;
    yx = m.yx * t.xx + m.yy * t.yx;
    xy = m.xx * t.xy + m.xy * t.yy;
    yy = m.yx * t.xy + m.yy * t.yy;
    tx = m.xx * t.tx + m.xy * t.ty + m.tx;
    ty = m.yx * t.tx + m.yy * t.ty + m.ty;
    return *this;
  }
  // Where the point (x, y) lands.
  constexpr void TransformPoint(double& x, double& y) const
  {
    const double x0 = x;
    x = xx * x0 + xy * y + tx;
    y = yx * x0 + yy * y + ty;
  }
};

} // namespace plugin::ui
