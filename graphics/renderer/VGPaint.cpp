#include "graphics/renderer/VGPaint.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/renderer/VGMath.h"

namespace {

VGpaint ZeroPaint()
{
  VGpaint p;
  std::memset(&p, 0, sizeof(p));
  return p;
}

} // namespace

VGpaint vgSolidPaint(VGcolor color)
{
  VGpaint p = ZeroPaint();
  vgTransformIdentity(p.xform);
  p.radius = 0.0f;
  p.feather = 1.0f;
  p.innerColor = color;
  p.outerColor = color;
  return p;
}

VGpaint vgLinearGradient(float sx, float sy, float ex, float ey, VGcolor icol, VGcolor ocol)
{
  const float large = 1e5f;
  VGpaint p = ZeroPaint();
  float dx = ex - sx, dy = ey - sy;
  const float d = std::sqrt(dx * dx + dy * dy);
  if (d > 0.0001f) {
    dx /= d;
    dy /= d;
  } else {
    dx = 0.0f;
    dy = 1.0f;
  }
  p.xform[0] = dy;
  p.xform[1] = -dx;
  p.xform[2] = dx;
  p.xform[3] = dy;
  p.xform[4] = sx - dx * large;
  p.xform[5] = sy - dy * large;
  p.extent[0] = large;
  p.extent[1] = large + d * 0.5f;
  p.radius = 0.0f;
  p.feather = std::max(1.0f, d);
  p.innerColor = icol;
  p.outerColor = ocol;
  return p;
}

VGpaint vgRadialGradient(float cx, float cy, float inr, float outr, VGcolor icol, VGcolor ocol)
{
  const float r = (inr + outr) * 0.5f;
  const float f = outr - inr;
  VGpaint p = ZeroPaint();
  vgTransformTranslate(p.xform, cx, cy);
  p.extent[0] = r;
  p.extent[1] = r;
  p.radius = r;
  p.feather = std::max(1.0f, f);
  p.innerColor = icol;
  p.outerColor = ocol;
  return p;
}

VGpaint vgBoxGradient(float x, float y, float w, float h, float r, float f, VGcolor icol, VGcolor ocol)
{
  VGpaint p = ZeroPaint();
  vgTransformTranslate(p.xform, x + w * 0.5f, y + h * 0.5f);
  p.extent[0] = w * 0.5f;
  p.extent[1] = h * 0.5f;
  p.radius = r;
  p.feather = std::max(1.0f, f);
  p.innerColor = icol;
  p.outerColor = ocol;
  return p;
}

VGpaint vgImagePattern(float ox, float oy, float ex, float ey, float angle, int image, float alpha)
{
  VGpaint p = ZeroPaint();
  vgTransformRotate(p.xform, angle);
  p.xform[4] = ox;
  p.xform[5] = oy;
  p.extent[0] = ex;
  p.extent[1] = ey;
  p.image = image;
  p.innerColor = p.outerColor = VGcolor{1.0f, 1.0f, 1.0f, alpha};
  return p;
}

bool vgPaintIsFinite(const VGpaint& p)
{
  const float rest[] = {p.extent[0],    p.extent[1],    p.radius,       p.feather,
                        p.innerColor.r, p.innerColor.g, p.innerColor.b, p.innerColor.a,
                        p.outerColor.r, p.outerColor.g, p.outerColor.b, p.outerColor.a};
  for (float v : rest)
    if (!std::isfinite(v)) return false;
  return vgTransformIsFinite(p.xform);
}
