#include "graphics/renderer/CanvasPaint.h"

#include "graphics/renderer/VGPaint.h"
#include "graphics/renderer/VGState.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

namespace {

// Where the inverse of m takes the pattern-space point (x, y); false for a singular m.
struct Inverse
{
  double xx, yx, xy, yy, tx, ty;

  void Apply(double x, double y, float& ox, float& oy) const
  {
    ox = static_cast<float>(xx * x + xy * y + tx);
    oy = static_cast<float>(yx * x + yy * y + ty);
  }
};

bool Invert(const IMatrix& m, Inverse& inv)
{
  const double det = m.xx * m.yy - m.xy * m.yx;
  if (!std::isfinite(det) || det == 0.0) return false;
  const double id = 1.0 / det;
  inv.xx = m.yy * id;
  inv.yx = -m.yx * id;
  inv.xy = -m.xy * id;
  inv.yy = m.xx * id;
  inv.tx = (m.xy * m.ty - m.yy * m.tx) * id;
  inv.ty = (m.yx * m.tx - m.xx * m.ty) * id;
  return std::isfinite(inv.tx) && std::isfinite(inv.ty);
}

} // namespace

VGcolor CanvasColor(const IColor& color, const IBlend* blend)
{
  const float weight = blend ? blend->mWeight : 1.f;
  float a = weight * static_cast<float>(color.A) / 255.f;
  a = std::isnan(a) ? 0.f : std::clamp(a, 0.f, 1.f);
  return VGcolor{static_cast<float>(color.R) / 255.f, static_cast<float>(color.G) / 255.f,
                 static_cast<float>(color.B) / 255.f, a};
}

bool MakeCanvasPaint(const IPattern& pattern, const IBlend* blend, CanvasPaint& out)
{
  const int nStops = std::min(pattern.NStops(), IPattern::kMaxStops);
  if (nStops < 1) return false;
  const VGcolor inner = CanvasColor(pattern.GetStop(0).mColor, blend);
  if (pattern.mType == EPatternType::Solid) {
    out.solid = true;
    out.color = inner;
    return true;
  }
  const IColorStop& last = pattern.GetStop(nStops - 1);
  const VGcolor outer = CanvasColor(last.mColor, blend);
  Inverse inv{};
  if (!Invert(pattern.mTransform, inv)) return false;
  float x0, y0;
  inv.Apply(0.0, 0.0, x0, y0);
  out.solid = false;
  if (pattern.mType == EPatternType::Radial) {
    const float outerRadius = static_cast<float>(inv.xx);
    out.paint = vgRadialGradient(x0, y0, outerRadius * pattern.GetStop(0).mOffset, outerRadius, inner, outer);
  } else {
    float x1, y1;
    inv.Apply(0.0, 1.0, x1, y1);
    out.paint = vgLinearGradient(x0, y0, x1, y1, inner, outer);
  }
  return vgPaintIsFinite(out.paint); // a placement beyond single precision paints nothing
}

void SetCanvasComposite(VGcontext* vg, const IBlend* blend)
{
  if (!blend) {
    vgCompositeOperation(vg, VG_SOURCE_OVER);
    return;
  }
  const int method = static_cast<int>(blend->mMethod);
  if (method >= 0 && method <= 7)
    vgCompositeOperation(vg, method);
  else if (blend->mMethod == EBlend::Add)
    vgCompositeBlendFunc(vg, VG_SRC_ALPHA, VG_DST_ALPHA);
  else if (blend->mMethod == EBlend::Xor)
    vgCompositeOperation(vg, VG_XOR);
}

int CanvasLineCap(ELineCap cap)
{
  switch (cap) {
  case ELineCap::Butt:
    return VG_BUTT;
  case ELineCap::Round:
    return VG_ROUND;
  case ELineCap::Square:
    return VG_SQUARE;
  }
  return -1;
}

int CanvasLineJoin(ELineJoin join)
{
  switch (join) {
  case ELineJoin::Miter:
    return VG_MITER;
  case ELineJoin::Round:
    return VG_ROUND;
  case ELineJoin::Bevel:
    return VG_BEVEL;
  }
  return -1;
}

} // namespace plugin::ui
