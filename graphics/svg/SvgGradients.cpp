#include "graphics/svg/SvgGradients.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui::svg {
namespace {

constexpr int kMaxLinks = 16; // href chains longer than this (or circular) stop there

void Inherit(GradientDef& into, const GradientDef& from)
{
  for (auto member : {&GradientDef::x1, &GradientDef::y1, &GradientDef::x2, &GradientDef::y2,
                      &GradientDef::cx, &GradientDef::cy, &GradientDef::r}) {
    if (!(into.*member)) into.*member = from.*member;
  }
  if (!into.userSpace) into.userSpace = from.userSpace;
  if (!into.transform) into.transform = from.transform;
  if (!into.spread) into.spread = from.spread;
  if (into.stops.empty()) into.stops = from.stops;
}

SvgPaint SolidPaint(const SvgGradientStop& stop)
{
  SvgPaint paint;
  paint.type = SvgPaintType::Color;
  paint.color = stop.color;
  return paint;
}

} // namespace

bool GradientTable::Add(bool radial, const std::vector<XmlAttribute>& attributes, double dpi)
{
  if (mDefs.size() >= kMaxGradients) return false;
  GradientDef def;
  def.radial = radial;
  for (const auto& [name, value] : attributes) {
    Length length;
    const bool isLength = ParseLength(value, dpi, length);
    if (name == "id") {
      mIds.emplace(value, mDefs.size());
    } else if (name == "href" || name == "xlink:href") {
      if (value.size() > 1 && value[0] == '#') def.href = value.substr(1);
    } else if (name == "gradientUnits") {
      if (value == "userSpaceOnUse")
        def.userSpace = true;
      else if (value == "objectBoundingBox")
        def.userSpace = false;
    } else if (name == "gradientTransform") {
      Matrix m;
      if (ParseTransform(value, m)) def.transform = m;
    } else if (name == "spreadMethod") {
      if (value == "pad")
        def.spread = SvgSpread::Pad;
      else if (value == "reflect")
        def.spread = SvgSpread::Reflect;
      else if (value == "repeat")
        def.spread = SvgSpread::Repeat;
    } else if (isLength) {
      const std::pair<std::string_view, std::optional<Length> GradientDef::*> kCoordinates[] = {
          {"x1", &GradientDef::x1}, {"y1", &GradientDef::y1}, {"x2", &GradientDef::x2},
          {"y2", &GradientDef::y2}, {"cx", &GradientDef::cx}, {"cy", &GradientDef::cy}};
      for (const auto& [coordinate, member] : kCoordinates) {
        if (name == coordinate) def.*member = length;
      }
      if (name == "r" && length.value >= 0) def.r = length;
    }
  }
  mDefs.push_back(std::move(def));
  return true;
}

void GradientTable::AddStop(std::string_view offsetText, const Style& style)
{
  if (mDefs.empty() || mDefs.back().stops.size() >= kMaxStops) return;
  auto& stops = mDefs.back().stops;
  double offset = 0;
  Length length;
  if (ParseLength(offsetText, 96, length) && length.pixelsPerUnit == 1) {
    offset = std::clamp(length.percent ? length.value / 100 : length.value, 0.0, 1.0);
  }
  if (!stops.empty()) offset = std::max<double>(offset, stops.back().offset);
  stops.push_back({WithAlpha(style.stopColor, style.stopOpacity), float(offset)});
}

void GradientTable::Link()
{
  std::vector<GradientDef> linked = mDefs;
  for (size_t i = 0; i < linked.size(); ++i) {
    const GradientDef* link = &mDefs[i];
    for (int n = 0; n < kMaxLinks && !link->href.empty(); ++n) {
      const auto next = mIds.find(link->href);
      if (next == mIds.end()) break;
      link = &mDefs[next->second];
      Inherit(linked[i], *link);
    }
  }
  mDefs = std::move(linked);
}

SvgPaint GradientTable::Resolve(const std::string& id, const PaintTarget& target, double opacity,
                                const Viewport& viewport) const
{
  const auto found = mIds.find(id);
  if (found == mIds.end()) return {};
  const GradientDef& def = mDefs[found->second];
  if (def.stops.empty()) return {};
  std::vector<SvgGradientStop> stops = def.stops;
  for (auto& stop : stops)
    stop.color = WithAlpha(stop.color, double(stop.color >> 24) / 255 * opacity);
  if (stops.size() == 1) return SolidPaint(stops[0]);

  // Coordinates are fractions of the bounding box, or user units with percentages of the viewport.
  const bool user = def.userSpace.value_or(false);
  const auto coordinate = [&](const std::optional<Length>& length, double defaultPercent, double base) {
    return ToPixels(length.value_or(Length{defaultPercent, true, 1}), user ? base : 1);
  };
  Matrix unit; // from the gradient's unit space to its coordinates
  if (def.radial) {
    const double r = coordinate(def.r, 50, viewport.Diagonal());
    if (r <= 0) return SolidPaint(stops.back());
    unit =
        Matrix{{r, 0, 0, r, coordinate(def.cx, 50, viewport.width), coordinate(def.cy, 50, viewport.height)}};
  } else {
    const double x1 = coordinate(def.x1, 0, viewport.width), y1 = coordinate(def.y1, 0, viewport.height);
    const double dx = coordinate(def.x2, 100, viewport.width) - x1,
                 dy = coordinate(def.y2, 0, viewport.height) - y1;
    if (dx == 0 && dy == 0) return SolidPaint(stops.back());
    unit = Matrix{{dy, -dx, dx, dy, x1, y1}};
  }
  Matrix place = target.ctm;
  if (!user) {
    const double w = target.bounds[2] - target.bounds[0], h = target.bounds[3] - target.bounds[1];
    if (w <= 0 || h <= 0) return {}; // a box without area cannot hold a gradient
    place = Multiply(place, Matrix{{w, 0, 0, h, target.bounds[0], target.bounds[1]}});
  }
  if (def.transform) place = Multiply(place, *def.transform);
  Matrix inverse;
  if (!Invert(Multiply(place, unit), inverse)) return {};
  SvgPaint paint;
  paint.type = def.radial ? SvgPaintType::RadialGradient : SvgPaintType::LinearGradient;
  for (int i = 0; i < 6; ++i) {
    if (!FitsFloat(inverse.m[i])) return {};
    paint.gradient.xform[i] = float(inverse.m[i]);
  }
  paint.gradient.spread = def.spread.value_or(SvgSpread::Pad);
  paint.gradient.stops = std::move(stops);
  return paint;
}

} // namespace plugin::ui::svg
