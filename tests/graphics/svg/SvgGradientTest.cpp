#include "SvgDescribe.h"

#include <gtest/gtest.h>

using namespace svgtest;

namespace {

const std::string kStops = "<stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/>";

struct PlacementCase
{
  std::string defs;  // gradient elements, the one used has id 'g'
  std::string shape; // filled with url(#g)
  double start[2];   // image point that lands on (0, 0) of the gradient's unit space
  const char* startMapped;
  double end[2]; // and a second point with where it lands
  const char* endMapped;
};

const PlacementCase kPlacements[] = {
    // Bounding-box units by default: from the left edge to the right edge of the box.
    {"<linearGradient id='g'>" + kStops + "</linearGradient>",
     "<rect x='10' y='20' width='100' height='50'/>",
     {10, 20},
     "0,0",
     {110, 20},
     "0,1"},
    {"<linearGradient id='g' x1='0' y1='0' x2='0' y2='100%'>" + kStops + "</linearGradient>",
     "<rect x='10' y='20' width='100' height='50'/>",
     {10, 20},
     "0,0",
     {10, 70},
     "0,1"},
    // User-space units go through the shape's transform.
    {"<linearGradient id='g' gradientUnits='userSpaceOnUse' x1='0' y1='0' x2='0' y2='100'>" + kStops +
         "</linearGradient>",
     "<rect transform='translate(5 5)' width='10' height='10'/>",
     {5, 5},
     "0,0",
     {5, 105},
     "0,1"},
    {"<linearGradient id='g' gradientUnits='userSpaceOnUse' x2='10' y2='0' gradientTransform='rotate(90)'>" +
         kStops + "</linearGradient>",
     "<rect width='10' height='10'/>",
     {0, 0},
     "0,0",
     {0, 10},
     "0,1"},
    {"<linearGradient id='g' gradientUnits='userSpaceOnUse' x1='50%' x2='100%'>" + kStops +
         "</linearGradient>",
     "<rect width='10' height='10'/>",
     {100, 0},
     "0,0",
     {200, 0},
     "0,1"},
    // Radial: the unit circle around the centre.
    {"<radialGradient id='g'>" + kStops + "</radialGradient>",
     "<rect width='100' height='100'/>",
     {50, 50},
     "0,0",
     {100, 50},
     "1,0"},
    {"<radialGradient id='g' gradientUnits='userSpaceOnUse' cx='20' cy='30' r='10'>" + kStops +
         "</radialGradient>",
     "<g transform='scale(2)'><rect width='1' height='1'/></g>",
     {40, 60},
     "0,0",
     {40, 80},
     "0,1"},
    // Attributes and stops inherited along href, also from a gradient defined after the shape.
    {"<linearGradient id='base' x2='0' y2='1'>" + kStops +
         "</linearGradient><linearGradient id='g' xlink:href='#base' y2='0.5'/>",
     "<rect width='10' height='10'/>",
     {0, 0},
     "0,0",
     {0, 5},
     "0,1"},
};

TEST(SvgGradient, TransformMapsImagePointsIntoTheUnitSpace)
{
  for (const auto& c : kPlacements) {
    for (const bool defsFirst : {true, false}) {
      const std::string body = "<g fill='url(#g)'>" + c.shape + "</g>";
      const std::string defs = "<defs>" + c.defs + "</defs>";
      const auto image =
          Parse("<svg width='200' height='100'>" + (defsFirst ? defs + body : body + defs) + "</svg>");
      ASSERT_TRUE(image && image->shapes.size() == 1) << c.defs;
      const auto& fill = image->shapes[0].fill;
      ASSERT_NE(fill.type, SvgPaintType::Color) << c.defs;
      EXPECT_EQ(MapToGradient(fill, c.start[0], c.start[1]), c.startMapped) << c.defs;
      EXPECT_EQ(MapToGradient(fill, c.end[0], c.end[1]), c.endMapped) << c.defs;
    }
  }
}

struct PaintCase
{
  std::string defs;
  std::string shapeAttributes;
  const char* paint; // DescribePaint of the fill
};

const PaintCase kPaints[] = {
    {"<linearGradient id='g' spreadMethod='reflect'>" + kStops + "</linearGradient>", "",
     "linear reflect #ff0000ff@0 #0000ffff@1"},
    {"<radialGradient id='g' spreadMethod='repeat'>" + kStops + "</radialGradient>", "",
     "radial repeat #ff0000ff@0 #0000ffff@1"},
    {"<linearGradient id='g'><stop offset='0.5' stop-color='red' stop-opacity='0.5'/>"
     "<stop offset='20%' style='stop-color:#0f0'/><stop offset='2' stop-color='currentColor' color='blue'/>"
     "<stop/><rect/></linearGradient>",
     "fill-opacity='0.5'", "linear pad #ff000040@0.5 #00ff0080@0.5 #0000ff80@1 #00000080@1"},
    {"<linearGradient id='g'><stop stop-color='lime'/></linearGradient>", "", "#00ff00ff"},
    {"<linearGradient id='g' x1='1' x2='1'>" + kStops + "</linearGradient>", "", "#0000ffff"},
    {"<radialGradient id='g' r='0'>" + kStops + "</radialGradient>", "", "#0000ffff"},
    {"<linearGradient id='g'/>", "", "none"},
    {"<linearGradient id='g' href='#h'/><linearGradient id='h' href='#g'/>", "", "none"},
    {"<linearGradient id='g'>" + kStops + "</linearGradient>", "height='0'", "none"},
    {"<linearGradient id='g' gradientTransform='scale(0)'>" + kStops + "</linearGradient>", "", "none"},
    {"<linearGradient id='other'>" + kStops + "</linearGradient>", "", "none"},
};

TEST(SvgGradient, StopsOpacityAndDegenerateGradients)
{
  for (const auto& c : kPaints) {
    // A line of zero height has a box without area; otherwise a square.
    const std::string shape = c.shapeAttributes == "height='0'"
                                  ? "<line x2='10' fill='url(#g)'/>"
                                  : "<rect width='10' height='10' fill='url(#g)' " + c.shapeAttributes + "/>";
    const auto image = Parse("<svg width='10' height='10'><defs>" + c.defs + "</defs>" + shape + "</svg>");
    ASSERT_TRUE(image && image->shapes.size() == 1) << c.defs;
    EXPECT_EQ(DescribePaint(image->shapes[0].fill), c.paint) << c.defs;
  }
}

TEST(SvgGradient, StrokeGradientUsesStrokeOpacity)
{
  const auto image = Parse("<svg><defs><linearGradient id='g'>" + kStops +
                           "</linearGradient></defs><rect width='4' height='4' fill='none' stroke='url(#g)' "
                           "stroke-opacity='0'/></svg>");
  ASSERT_TRUE(image);
  EXPECT_EQ(DescribePaint(image->shapes.at(0).stroke), "linear pad #ff000000@0 #0000ff00@1");
  EXPECT_EQ(image->shapes[0].fill.type, SvgPaintType::None);
}

} // namespace
