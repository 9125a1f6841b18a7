#pragma once

#include "graphics/svg/SvgImage.h"
#include "graphics/svg/SvgStyle.h"
#include "graphics/svg/SvgValues.h"
#include "graphics/svg/SvgXmlReader.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plugin::ui::svg {

// A gradient element as written. Unset attributes come from the gradient its href names, or
// take their defaults; so do the stops when it has none.
struct GradientDef
{
  bool radial = false;
  std::string href;
  std::optional<Length> x1, y1, x2, y2; // linear
  std::optional<Length> cx, cy, r;      // radial
  std::optional<bool> userSpace;        // gradientUnits="userSpaceOnUse"
  std::optional<Matrix> transform;
  std::optional<SvgSpread> spread;
  std::vector<SvgGradientStop> stops; // colour alpha is the stop opacity
};

// The shape a gradient paints: its bounds in its own coordinates and the transform from those
// to the image's.
struct PaintTarget
{
  double bounds[4] = {0, 0, 0, 0};
  Matrix ctm;
};

// The gradients of one document, looked up by id once the whole document is read (a paint may
// name a gradient defined after it).
class GradientTable
{
public:
  static constexpr size_t kMaxGradients = 4096;
  static constexpr size_t kMaxStops = 256; // per gradient; further stops are ignored

  // Adds a gradient element with its attributes; false when the table is full.
  bool Add(bool radial, const std::vector<XmlAttribute>& attributes, double dpi);

  // Adds a stop to the gradient added last, with the stop's offset attribute and its style.
  void AddStop(std::string_view offset, const Style& style);

  // Fills in what each gradient inherits along its href chain; once, after the last Add.
  void Link();

  // The paint of gradient id for a shape, with opacity applied to the stop colours: a gradient,
  // a colour for a gradient that collapses to one, or none for an unknown id, a gradient without
  // stops or one that cannot be placed.
  SvgPaint Resolve(const std::string& id, const PaintTarget& target, double opacity,
                   const Viewport& viewport) const;

private:
  std::vector<GradientDef> mDefs;
  std::unordered_map<std::string, size_t> mIds; // the first definition of an id wins
};

} // namespace plugin::ui::svg
