#include "graphics/renderer/VG.h"
#include "tools/artwork/ArtworkFonts.h"
#include "tools/artwork/ArtworkPieces.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

#include <cmath>

// The switches. Frame 0 shows the value 0 and the last frame the value 1 (the oversampling
// selector shows one lamp per step).
namespace kelmo::artwork {

using namespace palette;

namespace {

// Hexagonal nut and round bushing that hold a toggle lever.
void Nut(VGcontext* vg, float cx, float cy, float r)
{
  SoftDisc(vg, cx + 0.6f, cy + 1.2f, r, 1.6f, WithAlpha(kBlack, 0.6f));
  vgBeginPath(vg);
  for (int i = 0; i < 6; ++i) {
    const float a = kPi / 6.0f + i * kPi / 3.0f;
    const float x = cx + std::cos(a) * r, y = cy + std::sin(a) * r;
    i == 0 ? vgMoveTo(vg, x, y) : vgLineTo(vg, x, y);
  }
  vgClosePath(vg);
  vgFillPaint(vg, vgLinearGradient(cx - r, cy - r, cx + r, cy + r, Rgb(200, 202, 206), Rgb(70, 72, 76)));
  vgFill(vg);
  vgStrokeWidth(vg, 0.5f);
  vgStrokeColor(vg, WithAlpha(kBlack, 0.5f));
  vgStroke(vg);
  FillCircle(vg, cx, cy, r * 0.62f,
             vgLinearGradient(cx, cy - r, cx, cy + r, Rgb(235, 236, 238), Rgb(96, 98, 102)));
  FillCircle(vg, cx, cy, r * 0.36f, Rgb(24, 24, 26));
}

// A chrome bat lever from (cx, cy) towards (dx, dy) (unit vector) of the given length: its
// shadow on the plate first, then the tapered shank and the ball at its tip.
void BatLever(VGcontext* vg, float cx, float cy, float dx, float dy, float length, float baseWidth,
              float tipRadius)
{
  const float nx = -dy, ny = dx; // across the lever
  const float tx = cx + dx * length, ty = cy + dy * length;
  const auto shank = [&](float ox, float oy) {
    vgBeginPath(vg);
    vgMoveTo(vg, cx + nx * baseWidth * 0.5f + ox, cy + ny * baseWidth * 0.5f + oy);
    vgLineTo(vg, tx + nx * tipRadius * 0.8f + ox, ty + ny * tipRadius * 0.8f + oy);
    vgLineTo(vg, tx - nx * tipRadius * 0.8f + ox, ty - ny * tipRadius * 0.8f + oy);
    vgLineTo(vg, cx - nx * baseWidth * 0.5f + ox, cy - ny * baseWidth * 0.5f + oy);
    vgClosePath(vg);
  };
  // Shadow falls down and right, longer for a lever pointing up.
  const float sx = 1.2f, sy = 2.2f + std::fmax(0.0f, -dy) * 1.5f;
  shank(sx, sy);
  vgFillColor(vg, WithAlpha(kBlack, 0.35f));
  vgFill(vg);
  SoftDisc(vg, tx + sx, ty + sy, tipRadius, 1.5f, WithAlpha(kBlack, 0.45f));
  shank(0, 0);
  vgFillPaint(vg, vgLinearGradient(cx + nx * baseWidth * 0.5f, cy + ny * baseWidth * 0.5f,
                                   cx - nx * baseWidth * 0.5f, cy - ny * baseWidth * 0.5f, Rgb(120, 122, 126),
                                   Rgb(238, 239, 241)));
  vgFill(vg);
  FillCircle(vg, tx, ty, tipRadius,
             vgRadialGradient(tx - tipRadius * 0.35f, ty - tipRadius * 0.4f, tipRadius * 0.1f,
                              tipRadius * 1.1f, Rgb(250, 250, 252), Rgb(110, 112, 116)));
  StrokeCircle(vg, tx, ty, tipRadius - 0.2f, 0.4f, WithAlpha(kBlack, 0.35f));
}

void Toggle(VGcontext* vg, float cx, float cy, float dx, float dy, float scale)
{
  Nut(vg, cx, cy, 6.4f * scale);
  BatLever(vg, cx, cy, dx, dy, 11.5f * scale, 3.4f * scale, 2.9f * scale);
}

// A rectangular push button with a light behind its translucent cap and a legend on the cap.
void LampKey(VGcontext* vg, float x, float y, float w, float h, bool lit, const char* legend,
             float legendSize)
{
  SoftBox(vg, x, y + 1.0f, w, h, 3.0f, 2.5f, WithAlpha(kBlack, 0.7f));
  FillRoundedRect(vg, x, y, w, h, 3.0f,
                  vgLinearGradient(0, y, 0, y + h, Rgb(150, 152, 156), Rgb(44, 45, 48)));
  const float inset = 1.6f;
  const float cx = x + inset, cy = y + inset, cw = w - 2 * inset, ch = h - 2 * inset;
  if (lit) {
    SoftBox(vg, cx, cy, cw, ch, 2.0f, 4.0f, WithAlpha(kAmber, 0.35f));
    FillRoundedRect(
        vg, cx, cy, cw, ch, 2.0f,
        vgRadialGradient(x + w * 0.5f, y + h * 0.5f, 1.0f, w * 0.6f, Rgb(255, 226, 160), kAmberDeep));
  } else {
    FillRoundedRect(vg, cx, cy, cw, ch, 2.0f,
                    vgLinearGradient(0, cy, 0, cy + ch, Rgb(70, 56, 40), Rgb(38, 30, 22)));
  }
  // Glass sheen over the upper half.
  FillRoundedRect(vg, cx + 0.6f, cy + 0.5f, cw - 1.2f, ch * 0.45f, 1.6f,
                  vgLinearGradient(0, cy, 0, cy + ch * 0.45f, WithAlpha(kWhite, lit ? 0.35f : 0.16f),
                                   WithAlpha(kWhite, 0.02f)));
  if (legend) {
    UseFace(vg, Face::Label, legendSize, 0.5f);
    vgTextAlign(vg, VG_ALIGN_CENTER | VG_ALIGN_MIDDLE);
    vgFillColor(vg, lit ? Rgb(92, 42, 8, 0.9f) : Rgb(150, 128, 100, 0.75f));
    vgText(vg, x + w * 0.5f, y + h * 0.5f + 0.4f, legend, nullptr);
  }
}

// Small dark key of the top bar with an icon drawn by icon in the key's own box.
template <typename Icon> void BarKey(VGcontext* vg, const Frame& f, bool lit, Icon icon)
{
  FillRoundedRect(vg, 0.5f, 0.5f, f.width - 1.0f, f.height - 1.0f, 3.0f,
                  vgLinearGradient(0, 0, 0, f.height, Rgb(52, 52, 54), Rgb(30, 30, 32)));
  StrokeRoundedRect(vg, 1.0f, 1.0f, f.width - 2.0f, f.height - 2.0f, 2.5f, 1.0f, WithAlpha(kWhite, 0.08f));
  if (lit) SoftDisc(vg, f.width * 0.5f, f.height * 0.5f, 3.0f, 5.0f, WithAlpha(kAmber, 0.25f));
  icon(lit ? kAmber : Rgb(120, 120, 122));
}

} // namespace

void DrawMiniFlipperVert(VGcontext* vg, const Frame& f)
{
  Toggle(vg, f.width * 0.5f, f.height * 0.5f, 0.0f, f.index == 0 ? 1.0f : -1.0f, 0.95f);
}

void DrawFlipperTwo(VGcontext* vg, const Frame& f)
{
  Toggle(vg, f.width * 0.5f, f.height * 0.5f, f.index == 0 ? -1.0f : 1.0f, 0.0f, 0.95f);
}

void DrawBypass(VGcontext* vg, const Frame& f)
{
  LampKey(vg, 4.0f, 3.0f, f.width - 8.0f, f.height - 6.0f, f.index == 1, "IN", 9.0f);
}

void DrawDelta(VGcontext* vg, const Frame& f)
{
  LampKey(vg, 2.5f, 2.0f, f.width - 5.0f, f.height - 4.0f, f.index == 1, "\xCE\x94", 8.5f);
}

void DrawOversampling(VGcontext* vg, const Frame& f)
{
  FillRoundedRect(vg, 1.0f, 2.0f, f.width - 2.0f, f.height - 4.0f, (f.height - 4.0f) * 0.5f,
                  vgLinearGradient(0, 2, 0, f.height - 2, Rgb(12, 12, 13), Rgb(34, 34, 36)));
  StrokeRoundedRect(vg, 1.0f, 2.0f, f.width - 2.0f, f.height - 4.0f, (f.height - 4.0f) * 0.5f, 0.8f,
                    WithAlpha(kWhite, 0.1f));
  for (int i = 0; i < 5; ++i)
    Lamp(vg, 9.0f + 12.0f * i, f.height * 0.5f, 2.9f, kAmber, i == f.index, 6.5f);
}

void DrawPower(VGcontext* vg, const Frame& f)
{
  const bool on = f.index == 1;
  const float cx = f.width * 0.5f;
  // Jewel pilot lamp in a chrome bezel.
  const float lampY = 15.0f, r = 8.0f;
  if (on) SoftDisc(vg, cx, lampY, r, 9.0f, Rgb(255, 60, 30, 0.35f));
  FillCircle(vg, cx, lampY, r + 2.6f,
             vgLinearGradient(cx, lampY - r, cx, lampY + r, Rgb(230, 231, 234), Rgb(70, 72, 76)));
  FillCircle(vg, cx, lampY, r + 1.0f, Rgb(30, 30, 32));
  const VGcolor jewel = on ? Rgb(236, 44, 24) : Rgb(70, 16, 12);
  FillCircle(vg, cx, lampY, r,
             vgRadialGradient(cx, lampY, 0.5f, r, on ? Rgb(255, 190, 150) : Rgb(110, 40, 30), jewel));
  // Facets of the jewel.
  for (int i = 0; i < 8; ++i)
    RadialLine(vg, cx, lampY, i * 45.0f, r * 0.35f, r * 0.95f, 0.5f, WithAlpha(on ? kWhite : kBlack, 0.22f),
               VG_BUTT);
  StrokeCircle(vg, cx, lampY, r * 0.38f, 0.5f, WithAlpha(on ? kWhite : kBlack, 0.3f));
  FillCircle(vg, cx - r * 0.35f, lampY - r * 0.4f, r * 0.3f, WithAlpha(kWhite, on ? 0.7f : 0.35f));
  // The toggle under it: up is on.
  Toggle(vg, cx, 42.0f, 0.0f, on ? -1.0f : 1.0f, 1.1f);
}

void DrawCtrlLink(VGcontext* vg, const Frame& f)
{
  BarKey(vg, f, f.index == 1, [&](VGcolor c) {
    // Two chain links; apart when off.
    const float gap = f.index == 1 ? 0.0f : 1.6f;
    const float cy = f.height * 0.5f;
    StrokeRoundedRect(vg, f.width * 0.5f - 8.0f - gap, cy - 2.6f, 9.0f, 5.2f, 2.6f, 1.3f, c);
    StrokeRoundedRect(vg, f.width * 0.5f - 1.0f + gap, cy - 2.6f, 9.0f, 5.2f, 2.6f, 1.3f, c);
  });
}

void DrawSidechainFilter(VGcontext* vg, const Frame& f)
{
  BarKey(vg, f, f.index == 1, [&](VGcolor c) {
    // A high-pass response: rising slope, then flat.
    vgBeginPath(vg);
    vgMoveTo(vg, 6.0f, f.height - 3.5f);
    vgBezierTo(vg, 9.0f, 5.0f, 11.0f, 4.0f, 14.0f, 4.0f);
    vgLineTo(vg, f.width - 5.0f, 4.0f);
    vgStrokeWidth(vg, 1.3f);
    vgStrokeColor(vg, c);
    vgStroke(vg);
  });
}

} // namespace kelmo::artwork
