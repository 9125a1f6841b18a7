#include "graphics/renderer/ICanvasVG.h"

#include "graphics/renderer/CanvasPaint.h"
#include "graphics/renderer/VG.h"

#include <algorithm>
#include <cmath>

// The drawing operations this backend replaces: bitmaps, dotted lines and rectangles, and the
// fast rectangular drop shadow.

namespace plugin::ui {

namespace {

// More dashes than this along one line or edge are not drawn (they would be far below a pixel).
constexpr float kMaxDashes = 65536.f;

float Clamp(float v, float lo, float hi)
{
  return std::min(std::max(v, lo), hi);
}

// The number of dashes (none for a negative count), or -1 when it is not usable (not finite, or
// beyond kMaxDashes).
float DashCount(float count)
{
  if (!std::isfinite(count) || count > kMaxDashes) return -1.f;
  return std::max(count, 0.f);
}

} // namespace

void ICanvasVG::DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY, const IBlend* blend)
{
  const APIBitmap* api = bitmap.GetAPIBitmap();
  // An image that could not be made draws nothing (an image-less paint would fill white).
  if (!mVG || !api || api->GetImage() <= 0) return;
  const float scale = api->GetScale();
  const float s = 1.f / (scale * api->GetDrawScale());
  float weight = blend ? blend->mWeight : 1.f;
  weight = std::isnan(weight) ? 0.f : Clamp(weight, 0.f, 1.f);

  VGpaint paint{};
  vgTransformScale(paint.xform, s, s);
  paint.xform[4] = dest.L - static_cast<float>(srcX);
  paint.xform[5] = dest.T - static_cast<float>(srcY);
  paint.extent[0] = static_cast<float>(bitmap.W()) * scale;
  paint.extent[1] = static_cast<float>(bitmap.H()) * scale;
  paint.image = api->GetImage();
  paint.radius = 0.f;
  paint.feather = 0.f;
  paint.innerColor = paint.outerColor = VGcolor{1.f, 1.f, 1.f, weight};

  vgBeginPath(mVG);
  vgRect(mVG, dest.L, dest.T, dest.W(), dest.H());
  vgFillPaint(mVG, paint);
  SetCanvasComposite(mVG, blend);
  vgFill(mVG);
  vgCompositeOperation(mVG, VG_SOURCE_OVER);
  vgBeginPath(mVG);
}

void ICanvasVG::DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2,
                               const IBlend* blend, float thickness, float dashLength)
{
  if (!(dashLength > 0.f)) return; // the dash count would be unbounded
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  const float segs = DashCount(std::round(std::sqrt(dx * dx + dy * dy) / dashLength));
  if (segs < 0.f) return;
  const float incr = 1.f / segs;
  PathMoveTo(x1, y1);
  const int n = static_cast<int>(segs);
  for (int i = 1; i < n; i += 2) {
    float t = incr * static_cast<float>(i);
    PathLineTo(x1 + t * dx, y1 + t * dy);
    t += incr;
    PathMoveTo(x1 + t * dx, y1 + t * dy);
  }
  PathStroke(IPattern(color), thickness, IStrokeOptions(), blend);
}

void ICanvasVG::DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* blend, float thickness,
                               float dashLength)
{
  if (!(dashLength > 0.f)) return; // the dash counts would be unbounded
  const float xsegs = DashCount(std::ceil(bounds.W() / (2.f * dashLength)));
  const float ysegs = DashCount(std::ceil(bounds.H() / (2.f * dashLength)));
  if (xsegs < 0.f || ysegs < 0.f) return;
  const int nx = static_cast<int>(xsegs);
  const int ny = static_cast<int>(ysegs);
  float x = bounds.L;
  float y = bounds.T;
  PathMoveTo(x, y);
  // Top edge rightwards, right edge down; then, with the dash negated, bottom edge leftwards and
  // left edge up.
  for (float dash : {dashLength, -dashLength}) {
    for (int i = 0; i < nx; ++i) {
      x = Clamp(x + dash, bounds.L, bounds.R);
      PathLineTo(x, y);
      x = Clamp(x + dash, bounds.L, bounds.R);
      PathMoveTo(x, y);
    }
    for (int i = 0; i < ny; ++i) {
      y = Clamp(y + dash, bounds.T, bounds.B);
      PathLineTo(x, y);
      y = Clamp(y + dash, bounds.T, bounds.B);
      PathMoveTo(x, y);
    }
  }
  PathStroke(IPattern(color), thickness, IStrokeOptions(), blend);
}

void ICanvasVG::DrawFastDropShadow(const IRECT& inner, const IRECT& outer, float offset, float roundness,
                                   float blur, const IBlend* blend)
{
  if (!mVG) return;
  const VGpaint shadow =
      vgBoxGradient(inner.L + offset, inner.T + offset, inner.W(), inner.H(), roundness, blur,
                    CanvasColor(COLOR_SEMI_BLACK, blend), VGcolor{0.f, 0.f, 0.f, 0.f});
  vgBeginPath(mVG);
  vgRect(mVG, outer.L, outer.T, outer.W(), outer.H());
  vgFillPaint(mVG, shadow);
  vgCompositeOperation(mVG, VG_SOURCE_OVER);
  vgFill(mVG);
  vgBeginPath(mVG);
}

} // namespace plugin::ui
