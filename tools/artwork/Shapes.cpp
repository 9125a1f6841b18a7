#include "tools/artwork/Shapes.h"

#include "graphics/renderer/VG.h"
#include "tools/artwork/Palette.h"

#include <cmath>

namespace kelmo::artwork {

using namespace palette;

float KnobRadians(float degreesFromTop)
{
  return (degreesFromTop - 90.0f) * kPi / 180.0f;
}

void FillCircle(VGcontext* vg, float cx, float cy, float r, VGpaint paint)
{
  vgBeginPath(vg);
  vgCircle(vg, cx, cy, r);
  vgFillPaint(vg, paint);
  vgFill(vg);
}

void FillCircle(VGcontext* vg, float cx, float cy, float r, VGcolor colour)
{
  FillCircle(vg, cx, cy, r, vgSolidPaint(colour));
}

void StrokeCircle(VGcontext* vg, float cx, float cy, float r, float width, VGpaint paint)
{
  vgBeginPath(vg);
  vgCircle(vg, cx, cy, r);
  vgStrokeWidth(vg, width);
  vgStrokePaint(vg, paint);
  vgStroke(vg);
}

void StrokeCircle(VGcontext* vg, float cx, float cy, float r, float width, VGcolor colour)
{
  StrokeCircle(vg, cx, cy, r, width, vgSolidPaint(colour));
}

void FillRoundedRect(VGcontext* vg, float x, float y, float w, float h, float r, VGpaint paint)
{
  vgBeginPath(vg);
  vgRoundedRect(vg, x, y, w, h, r);
  vgFillPaint(vg, paint);
  vgFill(vg);
}

void FillRoundedRect(VGcontext* vg, float x, float y, float w, float h, float r, VGcolor colour)
{
  FillRoundedRect(vg, x, y, w, h, r, vgSolidPaint(colour));
}

void StrokeRoundedRect(VGcontext* vg, float x, float y, float w, float h, float r, float width,
                       VGcolor colour)
{
  vgBeginPath(vg);
  vgRoundedRect(vg, x, y, w, h, r);
  vgStrokeWidth(vg, width);
  vgStrokeColor(vg, colour);
  vgStroke(vg);
}

void Line(VGcontext* vg, float x0, float y0, float x1, float y1, float width, VGcolor colour, int cap)
{
  vgBeginPath(vg);
  vgMoveTo(vg, x0, y0);
  vgLineTo(vg, x1, y1);
  vgLineCap(vg, cap);
  vgStrokeWidth(vg, width);
  vgStrokeColor(vg, colour);
  vgStroke(vg);
  vgLineCap(vg, VG_BUTT);
}

void SoftDisc(VGcontext* vg, float cx, float cy, float r, float feather, VGcolor colour)
{
  const float inner = r - feather > 0.0f ? r - feather : 0.0f;
  FillCircle(vg, cx, cy, r + feather,
             vgRadialGradient(cx, cy, inner, r + feather, colour, WithAlpha(colour, 0.0f)));
}

void SoftBox(VGcontext* vg, float x, float y, float w, float h, float radius, float feather, VGcolor colour)
{
  vgBeginPath(vg);
  vgRect(vg, x - feather, y - feather, w + 2 * feather, h + 2 * feather);
  vgFillPaint(vg, vgBoxGradient(x, y, w, h, radius, feather, colour, WithAlpha(colour, 0.0f)));
  vgFill(vg);
}

void RadialLine(VGcontext* vg, float cx, float cy, float degrees, float r0, float r1, float width,
                VGcolor colour, int cap)
{
  const float a = KnobRadians(degrees);
  const float c = std::cos(a), s = std::sin(a);
  Line(vg, cx + c * r0, cy + s * r0, cx + c * r1, cy + s * r1, width, colour, cap);
}

void Screw(VGcontext* vg, float cx, float cy, float r, float slotAngle)
{
  // Countersink in the plate, then the domed head lit from the top left.
  FillCircle(vg, cx, cy, r + 1.0f,
             vgLinearGradient(cx, cy - r, cx, cy + r, Rgb(12, 12, 13), Rgb(88, 89, 92)));
  FillCircle(vg, cx, cy, r,
             vgRadialGradient(cx - r * 0.35f, cy - r * 0.45f, r * 0.1f, r * 1.2f, Rgb(222, 223, 226),
                              Rgb(96, 98, 102)));
  const float c = std::cos(slotAngle), s = std::sin(slotAngle);
  const float len = r * 0.82f;
  Line(vg, cx - c * len, cy - s * len, cx + c * len, cy + s * len, r * 0.36f, Rgb(34, 34, 36), VG_BUTT);
  // The slot's lit lower wall.
  Line(vg, cx - c * len + s * r * 0.12f, cy - s * len + c * r * 0.12f, cx + c * len + s * r * 0.12f,
       cy + s * len + c * r * 0.12f, r * 0.08f, Rgb(180, 181, 184, 0.7f), VG_BUTT);
}

void Lamp(VGcontext* vg, float cx, float cy, float r, VGcolor colour, bool lit, float glowRadius)
{
  if (lit && glowRadius > r) SoftDisc(vg, cx, cy, r, glowRadius - r, WithAlpha(colour, 0.38f));
  // Bezel ring.
  FillCircle(vg, cx, cy, r + r * 0.28f,
             vgLinearGradient(cx, cy - r, cx, cy + r, Rgb(40, 40, 42), Rgb(150, 151, 154)));
  if (lit) {
    FillCircle(vg, cx, cy, r,
               vgRadialGradient(cx, cy, r * 0.1f, r, vgLerpRGBA(colour, kWhite, 0.65f), colour));
  } else {
    const VGcolor dark = vgLerpRGBA(colour, kBlack, 0.78f);
    FillCircle(vg, cx, cy, r,
               vgRadialGradient(cx, cy + r * 0.2f, r * 0.1f, r, vgLerpRGBA(dark, colour, 0.2f), dark));
  }
  // Glass reflection.
  FillCircle(vg, cx - r * 0.3f, cy - r * 0.35f, r * 0.42f,
             vgRadialGradient(cx - r * 0.3f, cy - r * 0.35f, 0.0f, r * 0.42f, WithAlpha(kWhite, 0.55f),
                              WithAlpha(kWhite, 0.0f)));
}

} // namespace kelmo::artwork
