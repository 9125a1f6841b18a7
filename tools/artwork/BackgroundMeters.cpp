#include "graphics/renderer/VG.h"
#include "tools/artwork/BackgroundParts.h"
#include "tools/artwork/EditorPlacement.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

#include <cmath>

namespace kelmo::artwork::background {

using namespace palette;

namespace {

// Radii of the printed scale around the needle's pivot; the cover hides the pivot and carries
// the numeric readout, the needle's grey body ends just beyond it.
constexpr float kScaleRadius = 57.0f;
constexpr float kTickLength = 6.0f;
constexpr float kNumberRadius = 70.0f;
constexpr float kCoverRadius = 50.5f;
constexpr float kBezel = 5.0f;

// Needle position 0..1 of a gain reduction in dB, as the engine computes it: 0 at rest, a quarter
// of the sweep for the first dB, then the rest spread over 2 to 10 dB.
float NeedleOf(float dB)
{
  const auto unit = [](float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); };
  const float x = unit(dB * 0.1f);
  return unit(10.0f * x) * 0.26666666666f + unit(10.0f * x - 1.0f) * 0.2f +
         unit(1.25f * x - 0.25f) * 0.53333333334f;
}

float DegreesOf(float dB)
{
  return kMeterAngleMin + (kMeterAngleMax - kMeterAngleMin) * NeedleOf(dB);
}

void Bezel(VGcontext* vg, const Rect& m)
{
  const float x = m.l - kBezel, y = m.t - kBezel, w = m.Width() + 2 * kBezel, h = m.Height() + 2 * kBezel;
  SoftBox(vg, x, y + 2.0f, w, h, 6.0f, 5.0f, WithAlpha(kBlack, 0.6f));
  FillRoundedRect(vg, x, y, w, h, 6.0f,
                  vgLinearGradient(0, y, 0, y + h, Rgb(118, 119, 122), Rgb(36, 36, 38)));
  FillRoundedRect(vg, x + 1.2f, y + 1.2f, w - 2.4f, h - 2.4f, 5.0f,
                  vgLinearGradient(0, y, 0, y + h, Rgb(58, 58, 61), Rgb(24, 24, 26)));
}

void Face(VGcontext* vg, const Rect& m, float px, float py)
{
  FillRoundedRect(vg, m.l, m.t, m.Width(), m.Height(), 2.5f, kMeterFace);
  // Lamp behind the cover: a warm glow that fades towards the top.
  FillRoundedRect(vg, m.l, m.t, m.Width(), m.Height(), 2.5f,
                  vgRadialGradient(px, py, kCoverRadius * 0.6f, kNumberRadius + 26.0f, kMeterGlow,
                                   WithAlpha(kMeterGlow, 0.0f)));
}

void ScaleMarks(VGcontext* vg, float px, float py)
{
  vgBeginPath(vg);
  vgArc(vg, px, py, kScaleRadius, KnobRadians(kMeterAngleMin), KnobRadians(kMeterAngleMax), VG_CW);
  vgStrokeWidth(vg, 0.9f);
  vgStrokeColor(vg, kInk);
  vgStroke(vg);
  // A heavier band over the upper range, where the compressor works hard.
  vgBeginPath(vg);
  vgArc(vg, px, py, kScaleRadius + 1.6f, KnobRadians(DegreesOf(6.0f)), KnobRadians(kMeterAngleMax), VG_CW);
  vgStrokeWidth(vg, 2.6f);
  vgStrokeColor(vg, Rgb(214, 60, 40));
  vgStroke(vg);
  for (float dB : {0.5f, 1.5f, 5.0f, 7.0f, 9.0f})
    RadialLine(vg, px, py, DegreesOf(dB), kScaleRadius, kScaleRadius + kTickLength * 0.55f, 0.8f, kInk,
               VG_BUTT);
  const struct
  {
    float dB;
    const char* text;
  } numbers[] = {{0, "0"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {6, "6"}, {8, "8"}, {10, "10"}};
  for (const auto& n : numbers) {
    const float deg = DegreesOf(n.dB);
    RadialLine(vg, px, py, deg, kScaleRadius, kScaleRadius + kTickLength, 1.2f, kInk, VG_BUTT);
    const float a = KnobRadians(deg);
    Print(vg, Face::Scale, 7.5f, 0.0f, px + std::cos(a) * kNumberRadius, py + std::sin(a) * kNumberRadius,
          VG_ALIGN_CENTER | VG_ALIGN_MIDDLE, kInk, n.text);
  }
}

void Cover(VGcontext* vg, float px, float py)
{
  FillCircle(vg, px, py, kCoverRadius,
             vgLinearGradient(px, py - kCoverRadius, px, py, Rgb(30, 30, 32), Rgb(10, 10, 11)));
  StrokeCircle(vg, px, py, kCoverRadius - 0.5f, 1.0f,
               vgLinearGradient(px, py - kCoverRadius, px, py - kCoverRadius * 0.5f, WithAlpha(kWhite, 0.22f),
                                WithAlpha(kWhite, 0.0f)));
}

// The window glass: shadow of the bezel on the face and a faint sheen.
void Glass(VGcontext* vg, const Rect& m)
{
  vgBeginPath(vg);
  vgRect(vg, m.l, m.t, m.Width(), m.Height());
  vgFillPaint(vg, vgBoxGradient(m.l, m.t + 2.0f, m.Width(), m.Height() - 1.0f, 3.0f, 6.0f,
                                WithAlpha(kBlack, 0.0f), WithAlpha(kBlack, 0.6f)));
  vgFill(vg);
  vgBeginPath(vg);
  vgMoveTo(vg, m.l, m.t);
  vgLineTo(vg, m.l + m.Width() * 0.62f, m.t);
  vgLineTo(vg, m.l + m.Width() * 0.30f, m.b);
  vgLineTo(vg, m.l, m.b);
  vgClosePath(vg);
  vgFillPaint(vg, vgLinearGradient(m.l, m.t, m.l + m.Width() * 0.4f, m.b, WithAlpha(kWhite, 0.07f),
                                   WithAlpha(kWhite, 0.0f)));
  vgFill(vg);
}

} // namespace

void DrawMeterWindows(VGcontext* vg)
{
  for (const Rect& m : MeterRects()) {
    const float px = MeterPivotX(m), py = MeterPivotY(m);
    Bezel(vg, m);
    vgSave(vg);
    vgScissor(vg, m.l, m.t, m.Width(), m.Height());
    Face(vg, m, px, py);
    ScaleMarks(vg, px, py);
    // What the meter shows, above the needle's reach.
    Print(vg, Face::Label, 5.2f, 0.9f, px, m.t + 6.5f, VG_ALIGN_CENTER | VG_ALIGN_MIDDLE,
          WithAlpha(kInk, 0.6f), "GAIN REDUCTION  dB");
    Cover(vg, px, py);
    Glass(vg, m);
    vgRestore(vg);
  }
}

} // namespace kelmo::artwork::background
