#pragma once

#include "graphics/svg/SvgImage.h"
#include "graphics/svg/SvgValues.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace plugin::ui::svg {

// What percentages and physical units are taken of: the user-space size of the image's
// viewport, and the resolution for units such as "mm".
struct Viewport
{
  double width = 100, height = 100;
  double dpi = 96;

  double Diagonal() const; // base of percentages that are neither horizontal nor vertical
};

struct PaintSpec
{
  enum class Kind { None, Color, CurrentColor, Url };
  Kind kind = Kind::None;
  uint32_t rgb = 0; // packed, alpha 0, for Color
  std::string id;   // gradient id, for Url
};

// The presentation properties in effect for one element: what it inherits from its parent,
// changed by its own presentation attributes and style attribute.
struct Style
{
  Matrix ctm; // from the element's coordinates to the image's
  PaintSpec fill{PaintSpec::Kind::Color, SvgPackColor(0, 0, 0, 0), {}};
  PaintSpec stroke;
  uint32_t color = SvgPackColor(0, 0, 0, 0); // what currentColor stands for
  double fillOpacity = 1, strokeOpacity = 1;
  double opacity = 1; // product over the element and its ancestors
  double strokeWidth = 1, dashOffset = 0, miterLimit = 4;
  double dashes[kSvgMaxDashes] = {};
  int dashCount = 0;
  SvgLineJoin lineJoin = SvgLineJoin::Miter;
  SvgLineCap lineCap = SvgLineCap::Butt;
  SvgFillRule fillRule = SvgFillRule::NonZero;
  bool hidden = false;      // visibility: inherited, children may show themselves again
  bool displayNone = false; // display: hides the element and everything in it
  bool inDefs = false;      // definitions are not drawn
  // Properties of this element only, reset for each element.
  double ownOpacity = 1;
  bool ownDisplayNone = false;
  uint32_t stopColor = SvgPackColor(0, 0, 0, 0);
  double stopOpacity = 1;
  bool stopCurrentColor = false; // resolved once the element's own color is known
};

// The style of a child element before its own attributes: inherited properties kept, the
// element's own ones reset.
Style ChildStyle(const Style& parent);

// Applies one presentation attribute or style declaration; unknown names and invalid values are
// ignored, as is "inherit" (the inherited value is already in place).
void ApplyProperty(Style& style, std::string_view name, std::string_view value, const Viewport& viewport);

// Applies the declarations of a style attribute ("fill: red; stroke-width: 2").
void ApplyStyleAttribute(Style& style, std::string_view declarations, const Viewport& viewport);

// Folds the element's own opacity and display into the inherited ones and resolves a stop colour
// of currentColor, once all its properties are applied.
void FinishStyle(Style& style);

} // namespace plugin::ui::svg
