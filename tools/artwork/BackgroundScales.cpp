#include "graphics/renderer/VG.h"
#include "tools/artwork/BackgroundParts.h"
#include "tools/artwork/EditorPlacement.h"
#include "tools/artwork/KnobGeometry.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

#include <cmath>
#include <vector>

namespace kelmo::artwork::background {

using namespace palette;

namespace {

// One scale mark: normalised position, and a number for the major marks.
struct Mark
{
  float at;
  const char* number; // null for a minor mark
};

float Linear(float v, float lo, float hi)
{
  return (v - lo) / (hi - lo);
}

float Exponential(float v, float lo, float hi)
{
  return std::log(v / lo) / std::log(hi / lo);
}

// Marks every step from lo to hi, numbered where numbers gives a text for the value.
std::vector<Mark> Ticks(float lo, float hi, float step, float (*shape)(float, float, float))
{
  std::vector<Mark> marks;
  for (float v = lo; v <= hi + step * 0.01f; v += step)
    marks.push_back({shape(v, lo, hi), nullptr});
  return marks;
}

void Number(std::vector<Mark>& marks, float at, const char* number)
{
  marks.push_back({at, number});
}

// The big knobs' scales, in the order of their placements (gain, threshold, attack, release).
std::vector<Mark> GainScale()
{
  std::vector<Mark> m = Ticks(-16, 8, 1, Linear);
  const char* numbers[] = {"-16", "-12", "-8", "-4", "0", "+4", "+8"};
  for (int i = 0; i < 7; ++i)
    Number(m, Linear(-16.0f + 4.0f * i, -16, 8), numbers[i]);
  return m;
}

std::vector<Mark> ThresholdScale()
{
  std::vector<Mark> m = Ticks(0, 36, 2, Linear);
  const char* numbers[] = {"0", "-6", "-12", "-18", "-24", "-30", "-36"};
  for (int i = 0; i < 7; ++i)
    Number(m, Linear(6.0f * i, 0, 36), numbers[i]);
  return m;
}

std::vector<Mark> AttackScale()
{
  std::vector<Mark> m = Ticks(0.2f, 40, 39.8f / 16.0f, Linear);
  Number(m, 0.0f, ".2");
  for (int i = 1; i <= 4; ++i) {
    static const char* numbers[] = {"10", "20", "30", "40"};
    Number(m, Linear(10.0f * i, 0.2f, 40), numbers[i - 1]);
  }
  return m;
}

std::vector<Mark> ReleaseScale()
{
  std::vector<Mark> m;
  for (float v : {100.f, 150.f, 200.f, 300.f, 400.f, 500.f, 700.f, 1000.f, 1500.f, 2000.f})
    m.push_back({Exponential(v, 100, 2000), nullptr});
  const struct
  {
    float v;
    const char* text;
  } numbers[] = {{100, "100"}, {200, "200"}, {500, "500"}, {1000, "1k"}, {2000, "2k"}};
  for (const auto& n : numbers)
    Number(m, Exponential(n.v, 100, 2000), n.text);
  return m;
}

// A scale: a thin arc inside the ticks, minor and major ticks, numbers outside.
void Scale(VGcontext* vg, float cx, float cy, float r0, float r1, float rNumber,
           const std::vector<Mark>& marks, float numberSize)
{
  vgBeginPath(vg);
  vgArc(vg, cx, cy, r0, KnobRadians(knob::DegreesOf(0.0f)), KnobRadians(knob::DegreesOf(1.0f)), VG_CW);
  vgStrokeWidth(vg, 0.7f);
  vgStrokeColor(vg, WithAlpha(kInk, 0.55f));
  vgStroke(vg);
  for (const Mark& m : marks) {
    const float deg = knob::DegreesOf(m.at);
    if (m.number)
      RadialLine(vg, cx, cy, deg, r0, r1, 1.3f, kInk, VG_BUTT);
    else
      RadialLine(vg, cx, cy, deg, r0, r0 + (r1 - r0) * 0.55f, 0.8f, WithAlpha(kInk, 0.7f), VG_BUTT);
  }
  if (rNumber <= 0.0f) return;
  for (const Mark& m : marks) {
    if (!m.number) continue;
    const float a = KnobRadians(knob::DegreesOf(m.at));
    Print(vg, Face::Scale, numberSize, 0.0f, cx + std::cos(a) * rNumber, cy + std::sin(a) * rNumber,
          VG_ALIGN_CENTER | VG_ALIGN_MIDDLE, WithAlpha(kInk, 0.92f), m.number);
  }
}

// Evenly divided scale with its ends and middle marked longer (side-chain knobs and trims).
void PlainScale(VGcontext* vg, float cx, float cy, float r0, float r1, int divisions)
{
  vgBeginPath(vg);
  vgArc(vg, cx, cy, r0, KnobRadians(knob::DegreesOf(0.0f)), KnobRadians(knob::DegreesOf(1.0f)), VG_CW);
  vgStrokeWidth(vg, 0.6f);
  vgStrokeColor(vg, WithAlpha(kInk, 0.5f));
  vgStroke(vg);
  for (int i = 0; i <= divisions; ++i) {
    const bool major = i == 0 || i == divisions || 2 * i == divisions;
    RadialLine(vg, cx, cy, knob::DegreesOf(static_cast<float>(i) / divisions), r0,
               major ? r1 : r0 + (r1 - r0) * 0.6f, major ? 1.1f : 0.7f, WithAlpha(kInk, major ? 1.0f : 0.7f),
               VG_BUTT);
  }
}

} // namespace

void DrawKnobScales(VGcontext* vg)
{
  const std::vector<Mark> scales[] = {GainScale(), ThresholdScale(), AttackScale(), ReleaseScale()};
  for (int i = 0; i < 8; ++i) {
    float cx, cy;
    if (PlacementCentre("Nuppi.png", i, cx, cy))
      Scale(vg, cx, cy, knob::kBigTickInner, knob::kBigTickOuter, knob::kBigNumbers, scales[i % 4], 7.5f);
  }
  for (int i = 0; i < 4; ++i) {
    float cx, cy;
    if (PlacementCentre("MiniNuppi.png", i, cx, cy))
      PlainScale(vg, cx, cy, knob::kMiniTickInner, knob::kMiniTickOuter, 10);
  }
  for (int i = 0; i < 3; ++i) {
    float cx, cy;
    if (PlacementCentre("Trim.png", i, cx, cy))
      PlainScale(vg, cx, cy, knob::kTrimTickInner, knob::kTrimTickOuter, 10);
  }
}

} // namespace kelmo::artwork::background
