#include "SvgDescribe.h"

#include <gtest/gtest.h>

using namespace svgtest;

namespace {

const std::string kStops = "<stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/>";

std::string Linear(const std::string& attributes)
{
  return "<linearGradient id='g' " + attributes + ">" + kStops + "</linearGradient>";
}

std::string Radial(const std::string& attributes)
{
  return "<radialGradient id='g' " + attributes + ">" + kStops + "</radialGradient>";
}

struct PlacementCase
{
  std::string defs;   // the gradient used has id 'g'
  std::string shape;  // filled with url(#g)
  double points[4];   // two image points
  const char* mapped; // where they land in the gradient's unit space
};

const std::string kBox = "<rect x='10' y='20' width='100' height='50'/>";
const std::string kSquare = "<rect width='10' height='10'/>";

const PlacementCase kPlacements[] = {
    // Bounding-box units by default: from the left edge to the right edge of the box.
    {Linear(""), kBox, {10, 20, 110, 20}, "0,0 0,1"},
    {Linear("x1='0' y1='0' x2='0' y2='100%'"), kBox, {10, 20, 10, 70}, "0,0 0,1"},
    // User-space units go through the shape's transform; percentages are of the viewport.
    {Linear("gradientUnits='userSpaceOnUse' x2='0' y2='100'"),
     "<rect transform='translate(5 5)' width='10' height='10'/>",
     {5, 5, 5, 105},
     "0,0 0,1"},
    {Linear("gradientUnits='userSpaceOnUse' x2='10' y2='0' gradientTransform='rotate(90)'"),
     kSquare,
     {0, 0, 0, 10},
     "0,0 0,1"},
    {Linear("gradientUnits='userSpaceOnUse' x1='50%' x2='100%'"), kSquare, {100, 0, 200, 0}, "0,0 0,1"},
    // Radial: the unit circle around the centre.
    {Radial(""), "<rect width='100' height='100'/>", {50, 50, 100, 50}, "0,0 1,0"},
    {Radial("gradientUnits='userSpaceOnUse' cx='20' cy='30' r='10'"),
     "<g transform='scale(2)'><rect width='1' height='1'/></g>",
     {40, 60, 40, 80},
     "0,0 0,1"},
    // Attributes and stops inherited along href.
    {"<linearGradient id='g' xlink:href='#base' y2='0.5'/><linearGradient id='base' x2='0' y2='1'>" + kStops +
         "</linearGradient>",
     kSquare,
     {0, 0, 0, 5},
     "0,0 0,1"},
};

TEST(SvgGradient, TransformMapsImagePointsIntoTheUnitSpace)
{
  for (const auto& c : kPlacements) {
    for (const bool defsFirst : {true, false}) { // a paint may name a gradient defined after it
      const std::string body = "<g fill='url(#g)'>" + c.shape + "</g>", defs = "<defs>" + c.defs + "</defs>";
      const auto image =
          Parse("<svg width='200' height='100'>" + (defsFirst ? defs + body : body + defs) + "</svg>");
      ASSERT_TRUE(image && image->shapes.size() == 1) << c.defs;
      const auto& fill = image->shapes[0].fill;
      ASSERT_NE(fill.type, SvgPaintType::Color) << c.defs;
      const auto* p = c.points;
      EXPECT_EQ(MapToGradient(fill, p[0], p[1]) + " " + MapToGradient(fill, p[2], p[3]), c.mapped) << c.defs;
    }
  }
}

struct PaintCase
{
  std::string defs;
  std::string shape;
  const char* paints; // DescribePaint of the fill and of the stroke
};

const std::string kFilled = "<rect width='10' height='10' fill='url(#g)'/>";

const PaintCase kPaints[] = {
    {Linear("spreadMethod='reflect'"), kFilled, "linear reflect #ff0000ff@0 #0000ffff@1 / none"},
    {Radial("spreadMethod='repeat'"), kFilled, "radial repeat #ff0000ff@0 #0000ffff@1 / none"},
    // Offsets clamped and kept in order; stop opacity times fill or stroke opacity; children not stops
    // skipped.
    {"<linearGradient id='g'><stop offset='0.5' stop-color='red' stop-opacity='0.5'/><stop offset='20%' "
     "style='stop-color:#0f0'/><stop offset='2' stop-color='currentColor' "
     "color='blue'/><stop/><rect/></linearGradient>",
     "<rect width='10' height='10' fill='url(#g)' fill-opacity='0.5'/>",
     "linear pad #ff000040@0.5 #00ff0080@0.5 #0000ff80@1 #00000080@1 / none"},
    {Linear(""), "<rect width='4' height='4' fill='none' stroke='url(#g)' stroke-opacity='0'/>",
     "none / linear pad #ff000000@0 #0000ff00@1"},
    // A single stop, or a gradient of no length, paints one colour.
    {"<linearGradient id='g'><stop stop-color='lime'/></linearGradient>", kFilled, "#00ff00ff / none"},
    {Linear("x1='1' x2='1'"), kFilled, "#0000ffff / none"},
    {Radial("r='0'"), kFilled, "#0000ffff / none"},
    // Nothing to paint with: no stops, a circular href, a box without area, a singular transform, no such id.
    {"<linearGradient id='g'/>", kFilled, "none / none"},
    {"<linearGradient id='g' href='#h'/><linearGradient id='h' href='#g'/>", kFilled, "none / none"},
    {Linear(""), "<line x2='10' fill='url(#g)'/>", "none / none"},
    {Linear("gradientTransform='scale(0)'"), kFilled, "none / none"},
    {"<linearGradient id='k'>" + kStops + "</linearGradient>", kFilled, "none / none"},
};

TEST(SvgGradient, StopsOpacityAndDegenerateGradients)
{
  for (const auto& c : kPaints) {
    const auto image = Parse("<svg width='10' height='10'><defs>" + c.defs + "</defs>" + c.shape + "</svg>");
    ASSERT_TRUE(image && image->shapes.size() == 1) << c.defs;
    const auto& shape = image->shapes[0];
    EXPECT_EQ(DescribePaint(shape.fill) + " / " + DescribePaint(shape.stroke), c.paints) << c.defs;
  }
}

} // namespace
