#include "graphics/renderer/VG.h"
#include "tools/artwork/ArtworkPieces.h"
#include "tools/artwork/KnobGeometry.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

#include <cmath>
#include <cstdint>

// The knobs. A knob picture turns about its centre, so everything that must stay put while it
// turns (light, shadows) is either round about the centre or lives in the big knob's still
// overlay layer; only the grip and the pointer show the rotation.
namespace kelmo::artwork {

using namespace palette;

namespace {

// A small deterministic generator: the pictures are the same on every build.
class Dice
{
public:
  explicit Dice(std::uint32_t seed) : mState(seed) {}
  float Next()
  {
    mState = mState * 1664525u + 1013904223u;
    return static_cast<float>(mState >> 8) / 16777216.0f;
  }

private:
  std::uint32_t mState;
};

// Concentric lathe marks of a spun aluminium face (round, so they survive any rotation).
void SpunRings(VGcontext* vg, float cx, float cy, float r, int rings, std::uint32_t seed)
{
  Dice dice(seed);
  for (int i = 0; i < rings; ++i) {
    const float rr = 0.8f + (r - 1.0f) * dice.Next();
    const bool light = dice.Next() > 0.5f;
    const float alpha = 0.04f + 0.10f * dice.Next();
    StrokeCircle(vg, cx, cy, rr, 0.25f + 0.5f * dice.Next(), WithAlpha(light ? kWhite : kBlack, alpha));
  }
}

// Brushed aluminium disc of radius r, its sheen round about the centre.
void AluminiumFace(VGcontext* vg, float cx, float cy, float r, std::uint32_t seed)
{
  FillCircle(vg, cx, cy, r, vgRadialGradient(cx, cy, 0.0f, r, Rgb(204, 206, 209), Rgb(150, 152, 156)));
  SpunRings(vg, cx, cy, r, static_cast<int>(r * 2.2f), seed);
}

// Grip flutes between r0 and r1: a dark groove and a lit ridge per pitch, skipping the pointer.
void Flutes(VGcontext* vg, float cx, float cy, float r0, float r1, int count, float groove, float skipDegrees)
{
  const float pitch = 360.0f / count;
  for (int i = 0; i < count; ++i) {
    const float deg = pitch * (i + 0.5f);
    const float fromPointer = std::fabs(std::remainder(deg, 360.0f));
    if (fromPointer < skipDegrees) continue;
    RadialLine(vg, cx, cy, deg, r0, r1, groove, Rgb(6, 6, 7, 0.9f), VG_ROUND);
    RadialLine(vg, cx, cy, deg + pitch * 0.36f, r0 + 0.5f, r1 - 0.3f, groove * 0.45f, Rgb(92, 92, 96, 0.55f),
               VG_ROUND);
  }
}

// Fan of thin wedges whose alpha follows the light: the streaks a lamp draws on a spun face.
void AnisotropicSheen(VGcontext* vg, float cx, float cy, float r, float lightDegrees, float strength)
{
  constexpr int kWedges = 180;
  const float step = 2.0f * kPi / kWedges;
  const float light = KnobRadians(lightDegrees);
  for (int i = 0; i < kWedges; ++i) {
    const float a0 = i * step, a1 = a0 + step * 1.08f;
    const float c = std::cos(a0 + step * 0.5f - light);
    const float s = std::sin(a0 + step * 0.5f - light);
    const float bright = strength * std::pow(std::fabs(c), 6.0f);
    const float dark = strength * 0.6f * std::pow(std::fabs(s), 6.0f);
    vgBeginPath(vg);
    vgMoveTo(vg, cx, cy);
    vgArc(vg, cx, cy, r, a0, a1, VG_CW);
    vgClosePath(vg);
    if (bright > dark)
      vgFillPaint(
          vg, vgRadialGradient(cx, cy, 0.0f, r, WithAlpha(kWhite, bright * 0.5f), WithAlpha(kWhite, bright)));
    else
      vgFillPaint(vg,
                  vgRadialGradient(cx, cy, 0.0f, r, WithAlpha(kBlack, dark * 0.4f), WithAlpha(kBlack, dark)));
    vgFill(vg);
  }
}

} // namespace

void DrawNuppiVarjo(VGcontext* vg, const Frame& f)
{
  const float cx = f.width * 0.5f, cy = f.height * 0.5f;
  SoftDisc(vg, cx, cy, knob::kBigSkirt - 1.0f, 9.0f, WithAlpha(kBlack, 0.62f));
  SoftDisc(vg, cx, cy, knob::kBigSkirt - 6.0f, 14.0f, WithAlpha(kBlack, 0.25f));
}

void DrawNuppi(VGcontext* vg, const Frame& f)
{
  const float cx = f.width * 0.5f, cy = f.height * 0.5f;
  const float skirt = knob::kBigSkirt, cap = knob::kBigCap;
  // Bakelite skirt, then its grip flutes.
  FillCircle(vg, cx, cy, skirt, vgRadialGradient(cx, cy, cap, skirt, Rgb(36, 36, 38), kBakelite));
  Flutes(vg, cx, cy, cap + 5.0f, skirt - 0.6f, 44, 2.0f, 7.0f);
  // Smooth shoulder between the flutes and the cap.
  StrokeCircle(vg, cx, cy, cap + 2.4f, 4.0f, Rgb(26, 26, 28));
  // Pointer: an inlaid cream bar across the flutes.
  RadialLine(vg, cx, cy, 0.0f, cap + 2.0f, skirt - 2.2f, 3.0f, Rgb(10, 10, 10), VG_ROUND);
  RadialLine(vg, cx, cy, 0.0f, cap + 2.4f, skirt - 2.6f, 2.2f, kInk, VG_ROUND);
  // Spun aluminium cap with an engraved index line.
  AluminiumFace(vg, cx, cy, cap, 0x5eed1u);
  RadialLine(vg, cx + 0.9f, cy, 0.0f, 6.0f, cap - 2.6f, 0.6f, Rgb(250, 250, 252, 0.7f), VG_ROUND);
  RadialLine(vg, cx, cy, 0.0f, 6.0f, cap - 2.6f, 1.7f, Rgb(34, 35, 38), VG_ROUND);
  StrokeCircle(vg, cx, cy, skirt - 0.3f, 0.8f, WithAlpha(kBlack, 0.7f));
}

void DrawNuppiOverlay(VGcontext* vg, const Frame& f)
{
  const float cx = f.width * 0.5f, cy = f.height * 0.5f;
  const float skirt = knob::kBigSkirt, cap = knob::kBigCap;
  // Light from the top left over the skirt.
  FillCircle(vg, cx, cy, skirt,
             vgLinearGradient(cx - skirt * 0.6f, cy - skirt, cx + skirt * 0.4f, cy + skirt,
                              WithAlpha(kWhite, 0.13f), WithAlpha(kBlack, 0.38f)));
  StrokeCircle(vg, cx, cy, skirt - 0.9f, 1.3f,
               vgLinearGradient(cx - skirt, cy - skirt, cx + skirt * 0.2f, cy + skirt * 0.2f,
                                WithAlpha(kWhite, 0.42f), WithAlpha(kWhite, 0.0f)));
  // The cap stands proud: its shadow falls on the shoulder below it.
  StrokeCircle(vg, cx, cy, cap + 1.6f, 3.2f,
               vgLinearGradient(cx, cy - cap, cx + cap * 0.3f, cy + cap, WithAlpha(kBlack, 0.0f),
                                WithAlpha(kBlack, 0.55f)));
  // Lathe streaks on the cap, then its bevel.
  AnisotropicSheen(vg, cx, cy, cap - 0.4f, -40.0f, 0.30f);
  FillCircle(vg, cx, cy, cap,
             vgRadialGradient(cx - cap * 0.4f, cy - cap * 0.5f, 0.0f, cap * 1.3f, WithAlpha(kWhite, 0.22f),
                              WithAlpha(kWhite, 0.0f)));
  StrokeCircle(vg, cx, cy, cap - 0.6f, 1.4f,
               vgLinearGradient(cx - cap * 0.7f, cy - cap * 0.7f, cx + cap * 0.7f, cy + cap * 0.7f,
                                WithAlpha(kWhite, 0.75f), WithAlpha(kBlack, 0.55f)));
}

void DrawMiniNuppi(VGcontext* vg, const Frame& f)
{
  const float cx = f.width * 0.5f, cy = f.height * 0.5f;
  const float skirt = knob::kMiniSkirt, cap = knob::kMiniCap;
  SoftDisc(vg, cx, cy, skirt + 0.5f, 2.8f, WithAlpha(kBlack, 0.65f));
  FillCircle(vg, cx, cy, skirt, vgRadialGradient(cx, cy, cap, skirt, Rgb(44, 44, 46), kBakelite));
  Flutes(vg, cx, cy, cap + 1.3f, skirt - 0.3f, 22, 0.9f, 12.0f);
  RadialLine(vg, cx, cy, 0.0f, cap + 0.6f, skirt - 1.0f, 1.5f, kInk, VG_ROUND);
  AluminiumFace(vg, cx, cy, cap, 0x3a11u);
  // Round sheen and bevel: the same at every angle.
  StrokeCircle(vg, cx, cy, cap - 0.35f, 0.7f, WithAlpha(kWhite, 0.35f));
  StrokeCircle(vg, cx, cy, skirt - 0.35f, 0.7f, WithAlpha(kWhite, 0.12f));
}

void DrawTrim(VGcontext* vg, const Frame& f)
{
  const float cx = f.width * 0.5f, cy = f.height * 0.5f;
  const float r = knob::kTrimBody;
  SoftDisc(vg, cx, cy, r + 0.4f, 2.4f, WithAlpha(kBlack, 0.7f));
  // Knurled aluminium rim.
  FillCircle(vg, cx, cy, r, Rgb(120, 122, 126));
  for (int i = 0; i < 36; ++i)
    RadialLine(vg, cx, cy, i * 10.0f, r - 1.6f, r - 0.2f, 0.7f, Rgb(70, 71, 74), VG_BUTT);
  AluminiumFace(vg, cx, cy, r - 1.7f, 0x7e1au);
  StrokeCircle(vg, cx, cy, r - 1.7f, 0.5f, WithAlpha(kBlack, 0.35f));
  // Engraved pointer filled with black.
  RadialLine(vg, cx, cy, 0.0f, 1.0f, r - 2.2f, 1.3f, Rgb(16, 16, 17), VG_ROUND);
}

} // namespace kelmo::artwork
