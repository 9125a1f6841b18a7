#pragma once

#include "graphics/resources/ISVG.h"
#include "graphics/values/IColor.h"

#include <array>

namespace plugin::ui {

class ICanvas;
class IControl;

// Which paint of an SVG image a chosen colour replaces: none (the image's own colours), every
// shape's fill, or every shape's stroke.
enum class EColorReplacement : int { None = 0, Fill = 1, Stroke = 2 };

// The look of a two-state SVG control: an off and an on image, and four colours (off, on, off
// with the pointer over, on with the pointer over) used as the replacement paint. The SVG button
// and toggle hold one and draw through it. Main thread only.
struct SVGOnOffLook
{
  static constexpr std::array<IColor, 4> kBlack = {COLOR_BLACK, COLOR_BLACK, COLOR_BLACK, COLOR_BLACK};

  ISVG mOffSVG;
  ISVG mOnSVG;
  std::array<IColor, 4> mColors = kBlack;
  EColorReplacement mColorReplacement = EColorReplacement::None;

  // Index into mColors: 1 when the value is above 0.5 (on), plus 2 while the pointer is over.
  static int ColorIndex(double value, bool mouseOver) noexcept;
  // The on or off image over the control's bounds with its blend and the replacement colour.
  // Frame loop; no allocation.
  void Draw(ICanvas& g, const IControl& control) const;
};

} // namespace plugin::ui
