#include "graphics/renderer/VG.h"
#include "tools/artwork/BackgroundParts.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"
#include "tools/artwork/Textures.h"

namespace kelmo::artwork::background {

using namespace palette;

namespace {

void FillRect(VGcontext* vg, float x, float y, float w, float h, VGpaint paint)
{
  vgBeginPath(vg);
  vgRect(vg, x, y, w, h);
  vgFillPaint(vg, paint);
  vgFill(vg);
}

// A bar across the plate: dark, with a lit lower lip when it sits on top and a lit upper lip
// when it sits at the bottom.
void Bar(VGcontext* vg, float y0, float y1, float width, bool top)
{
  FillRect(vg, 0, y0, width, y1 - y0, vgLinearGradient(0, y0, 0, y1, Rgb(27, 27, 28), Rgb(13, 13, 14)));
  const float edge = top ? y1 : y0;
  // Shadow the bar throws on the plate, then the bar's machined edge.
  FillRect(vg, 0, top ? edge : edge - 6.0f, width, 6.0f,
           vgLinearGradient(0, edge, 0, top ? edge + 6.0f : edge - 6.0f, WithAlpha(kBlack, 0.45f),
                            WithAlpha(kBlack, 0.0f)));
  Line(vg, 0, top ? edge - 0.5f : edge + 0.5f, width, top ? edge - 0.5f : edge + 0.5f, 1.0f, Rgb(70, 70, 72),
       VG_BUTT);
}

// A recessed rounded window: dark floor, shadow along its top and left, lit lower edge.
void Recess(VGcontext* vg, float x, float y, float w, float h, float r, VGcolor floor)
{
  FillRoundedRect(vg, x, y, w, h, r, floor);
  vgBeginPath(vg);
  vgRoundedRect(vg, x, y, w, h, r);
  vgFillPaint(vg, vgBoxGradient(x + 1.0f, y + 2.0f, w - 2.0f, h - 2.0f, r, 3.0f, WithAlpha(kBlack, 0.0f),
                                WithAlpha(kBlack, 0.55f)));
  vgFill(vg);
  vgBeginPath(vg);
  vgRoundedRect(vg, x - 0.5f, y - 0.5f, w + 1.0f, h + 1.0f, r + 0.5f);
  vgStrokeWidth(vg, 1.0f);
  vgStrokePaint(vg, vgLinearGradient(x, y, x, y + h, WithAlpha(kBlack, 0.6f), WithAlpha(kWhite, 0.16f)));
  vgStroke(vg);
}

void TopBar(VGcontext* vg, float width)
{
  Bar(vg, 0, kTopBarBottom, width, true);
  // Keys of the preset stepper, the preset name window and the file buttons' seat.
  for (float x : {251.0f, 276.0f}) {
    FillRoundedRect(vg, x, 3.5f, 23.0f, 18.0f, 2.5f,
                    vgLinearGradient(0, 3.5f, 0, 21.5f, Rgb(46, 46, 48), Rgb(28, 28, 30)));
    StrokeRoundedRect(vg, x + 0.5f, 4.0f, 22.0f, 17.0f, 2.0f, 1.0f, WithAlpha(kWhite, 0.07f));
  }
  Recess(vg, 304.0f, 3.0f, 287.0f, 19.0f, 3.0f, Rgb(8, 8, 9));
  // A/B compare slots.
  Recess(vg, 98.0f, 3.0f, 119.0f, 19.0f, 3.0f, Rgb(19, 19, 20));
}

void BottomBar(VGcontext* vg, float width, float height)
{
  Bar(vg, kBottomBarTop, height, width, false);
}

// The centre section sits a step lower than the channel sections.
void CentrePanel(VGcontext* vg)
{
  const float x = kCentreLeft, y = kTopBarBottom + 4.0f, w = kCentreRight - kCentreLeft;
  const float h = kBottomBarTop - 4.0f - y;
  vgBeginPath(vg);
  vgRoundedRect(vg, x, y, w, h, 6.0f);
  vgFillPaint(vg, vgLinearGradient(0, y, 0, y + h, WithAlpha(kBlack, 0.30f), WithAlpha(kBlack, 0.18f)));
  vgFill(vg);
  vgBeginPath(vg);
  vgRoundedRect(vg, x, y, w, h, 6.0f);
  vgFillPaint(vg, vgBoxGradient(x + 1.5f, y + 3.0f, w - 3.0f, h - 3.0f, 6.0f, 8.0f, WithAlpha(kBlack, 0.0f),
                                WithAlpha(kBlack, 0.5f)));
  vgFill(vg);
  vgBeginPath(vg);
  vgRoundedRect(vg, x - 0.5f, y - 0.5f, w + 1.0f, h + 1.0f, 6.5f);
  vgStrokeWidth(vg, 1.0f);
  vgStrokePaint(vg, vgLinearGradient(0, y, 0, y + h, WithAlpha(kBlack, 0.7f), WithAlpha(kWhite, 0.13f)));
  vgStroke(vg);
}

// Cooling slots over the tubes, between the link and mid/side switches; the valves' warm light
// rises from below.
void Vents(VGcontext* vg)
{
  constexpr int kSlots = 9;
  constexpr float kPitch = 9.0f, kWidth = 3.6f, kTop = 203.0f, kBottom = 273.0f;
  const float first = 449.5f - kPitch * (kSlots - 1) * 0.5f - kWidth * 0.5f;
  for (int i = 0; i < kSlots; ++i) {
    const float x = first + kPitch * i;
    const float h = kBottom - kTop;
    FillRoundedRect(vg, x - 0.6f, kTop - 0.6f, kWidth + 1.2f, h + 1.2f, kWidth * 0.5f + 0.6f,
                    vgLinearGradient(0, kTop, 0, kBottom, WithAlpha(kBlack, 0.5f), WithAlpha(kWhite, 0.14f)));
    FillRoundedRect(vg, x, kTop, kWidth, h, kWidth * 0.5f,
                    vgLinearGradient(0, kTop, 0, kBottom, Rgb(5, 5, 5), Rgb(26, 17, 10)));
    FillRoundedRect(vg, x, kTop, kWidth, h, kWidth * 0.5f,
                    vgRadialGradient(449.5f, kBottom + 24.0f, 16.0f, 70.0f, Rgb(255, 140, 40, 0.16f),
                                     Rgb(255, 140, 40, 0.0f)));
  }
}

} // namespace

void DrawPlate(VGcontext* vg, float width, float height)
{
  // Brushed anodised aluminium, one texel per pixel at 2x.
  const int brushed = BrushedImage(vg, 512, 47, 48, 51, 5, 0xb125u);
  FillRect(vg, 0, 0, width, height,
           brushed ? vgImagePattern(0, 0, 256, 256, 0, brushed, 1.0f) : vgSolidPaint(kPlate));
  // A broad light from above, falling off to the corners.
  FillRect(vg, 0, 0, width, height,
           vgRadialGradient(width * 0.5f, -height * 0.35f, height * 0.4f, height * 1.45f,
                            WithAlpha(kWhite, 0.07f), WithAlpha(kBlack, 0.42f)));
  CentrePanel(vg);
  Vents(vg);
  TopBar(vg, width);
  BottomBar(vg, width, height);
  // Four screws hold the plate; slots at random-looking angles as a fitter leaves them.
  Screw(vg, 11.0f, 64.0f, 4.2f, 0.6f);
  Screw(vg, width - 11.0f, 64.0f, 4.2f, 2.1f);
  Screw(vg, 11.0f, 462.0f, 4.2f, 1.2f);
  Screw(vg, width - 11.0f, 462.0f, 4.2f, 2.7f);
}

} // namespace kelmo::artwork::background
