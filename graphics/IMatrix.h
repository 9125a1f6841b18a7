#pragma once

namespace plugin::ui {

// Affine transform: a point (x, y) maps to (xx x + xy y + tx, yx x + yy y + ty).
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
};

} // namespace plugin::ui
