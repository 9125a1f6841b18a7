#pragma once

#include "graphics/renderer/VGTypes.h"

// The colours of the faceplate and its parts, in one place so that every picture agrees.
namespace kelmo::artwork::palette {

constexpr VGcolor Rgb(int r, int g, int b, float a = 1.0f)
{
  return VGcolor{r / 255.0f, g / 255.0f, b / 255.0f, a};
}

constexpr VGcolor WithAlpha(VGcolor c, float a)
{
  return VGcolor{c.r, c.g, c.b, a};
}

// Faceplate: dark anodised aluminium, a touch warm.
constexpr VGcolor kPlate = Rgb(47, 48, 50);
constexpr VGcolor kPlateLight = Rgb(66, 67, 69);
constexpr VGcolor kPlateDeep = Rgb(28, 29, 31);
// Recessed strips and windows.
constexpr VGcolor kRecess = Rgb(22, 23, 24);
constexpr VGcolor kTopBar = Rgb(17, 17, 18);
// Silkscreen ink on the plate and its fainter second tone.
constexpr VGcolor kInk = Rgb(226, 219, 200);
constexpr VGcolor kInkDim = Rgb(150, 146, 136);
// Amber of the lamps (the toggles' pressed colour uses the same hue).
constexpr VGcolor kAmber = Rgb(255, 189, 82);
constexpr VGcolor kAmberDeep = Rgb(214, 118, 28);
constexpr VGcolor kLampOff = Rgb(58, 44, 30);
// Red of the warning marks and the meter's needle tip.
constexpr VGcolor kRed = Rgb(207, 12, 12);
// Metals.
constexpr VGcolor kChrome = Rgb(214, 216, 220);
constexpr VGcolor kChromeDark = Rgb(92, 94, 98);
constexpr VGcolor kAluminium = Rgb(176, 178, 181);
constexpr VGcolor kBakelite = Rgb(20, 20, 21);
constexpr VGcolor kBakeliteEdge = Rgb(44, 44, 46);
// Meter face: dark glass with a warm lamp behind it.
constexpr VGcolor kMeterFace = Rgb(30, 26, 22);
constexpr VGcolor kMeterGlow = Rgb(92, 66, 34);

constexpr VGcolor kBlack = Rgb(0, 0, 0);
constexpr VGcolor kWhite = Rgb(255, 255, 255);
constexpr VGcolor kClear = Rgb(0, 0, 0, 0.0f);

} // namespace kelmo::artwork::palette
