#include "platform/mac/MVGScissorBounds.h"

#include <algorithm>
#include <cmath>

// The mask is clamp(0.5 - (|s| - extent) * scale) per axis, s = M (x, y, 1) with M the inverse
// scissor transform: it is 0 wherever |s| reaches extent + 0.5 / scale. In float, s carries a
// rounding error of a few ulps of |M| |(x, y)| + |offset|; with the matrix's condition number k
// bounded, that error stays below g = 2^-20 k (largest half size + |offset| + 1), so a half size
// grown by g (and the fade end by 2^-20 of itself) holds every point whose float mask can be
// above 0. The box around the grown parallelogram is then computed in double, whose own rounding
// is far below g.

namespace {

constexpr double kMaxCondition = 65536.0; // beyond this the margin argument no longer holds
const double kMargin = std::ldexp(1.0, -20);

} // namespace

void mvgScissorBounds(const MVGfragUniforms& u, plugin::sys::GpuFragmentBounds& bounds) noexcept
{
  const double a = u.scissorMatrix[0], b = u.scissorMatrix[4], e = u.scissorMatrix[8]; // sx = a x + b y + e
  const double c = u.scissorMatrix[1], d = u.scissorMatrix[5], f = u.scissorMatrix[9]; // sy = c x + d y + f
  const double extentX = u.scissorExtent[0], extentY = u.scissorExtent[1];
  const double scaleX = u.scissorScale[0], scaleY = u.scissorScale[1];
  for (double v : {a, b, c, d, e, f, extentX, extentY})
    if (!std::isfinite(v)) return;
  if (!(scaleX > 0.0 && scaleY > 0.0) || !std::isfinite(scaleX) || !std::isfinite(scaleY)) return;

  const double det = a * d - b * c;
  const double norm = std::max(std::fabs(a) + std::fabs(b), std::fabs(c) + std::fabs(d));
  const double inverseNorm =
      std::max(std::fabs(d) + std::fabs(b), std::fabs(c) + std::fabs(a)) / std::fabs(det);
  const double condition = norm * inverseNorm;
  if (!(det != 0.0) || !(condition <= kMaxCondition)) return; // NaN fails too

  // Half sizes in scissor space where the mask ends, grown by the rounding margin.
  const double halfX = std::max(0.0, extentX + 0.5 / scaleX * (1.0 + kMargin));
  const double halfY = std::max(0.0, extentY + 0.5 / scaleY * (1.0 + kMargin));
  const double g =
      kMargin * condition * (std::max(halfX, halfY) + std::max(std::fabs(e), std::fabs(f)) + 1.0);
  const double hx = halfX + g, hy = halfY + g;

  // The parallelogram's centre (where s = 0) and the half sizes of the box around it.
  const double cx = -(d * e - b * f) / det, cy = -(a * f - c * e) / det;
  const double rx = (std::fabs(d) * hx + std::fabs(b) * hy) / std::fabs(det);
  const double ry = (std::fabs(c) * hx + std::fabs(a) * hy) / std::fabs(det);
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rx) || !std::isfinite(ry)) return;
  // A hair more for the double arithmetic above.
  const double slackX = kMargin * kMargin * (std::fabs(cx) + rx),
               slackY = kMargin * kMargin * (std::fabs(cy) + ry);
  bounds.lo[0] = std::max(bounds.lo[0], cx - rx - slackX);
  bounds.hi[0] = std::min(bounds.hi[0], cx + rx + slackX);
  bounds.lo[1] = std::max(bounds.lo[1], cy - ry - slackY);
  bounds.hi[1] = std::min(bounds.hi[1], cy + ry + slackY);
}
