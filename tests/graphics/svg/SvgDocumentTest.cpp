#include "SvgDescribe.h"

#include <gtest/gtest.h>

using namespace svgtest;

namespace {

std::string Svg(const std::string& attributes, const std::string& body)
{
  return "<svg xmlns='http://www.w3.org/2000/svg' " + attributes + ">" + body + "</svg>";
}

struct LayoutCase
{
  std::string text;
  const char* units;
  float dpi;
  const char* layout; // DescribeLayout
};

const std::string kRect = "<rect x='0' y='0' width='10' height='10'/>";

const LayoutCase kLayouts[] = {
    {Svg("width='100' height='50'", kRect), "px", 96, "100x50 [0,0,10,10]"},
    {Svg("width='100' height='100' viewBox='0 0 10 10'", "<rect x='1' y='1' width='2' height='2'/>"), "px",
     96, "100x100 [10,10,30,30]"},
    {Svg("viewBox='5 5 20 10'", kRect), "px", 96, "20x10 [-5,-5,5,5]"},
    {Svg("width='200' height='100' viewBox='0 0 10 10'", kRect), "px", 96, "200x100 [50,0,150,100]"},
    {Svg("width='200' height='100' viewBox='0 0 10 10' preserveAspectRatio='none'", kRect), "px", 96,
     "200x100 [0,0,200,100]"},
    {Svg("width='200' height='100' viewBox='0 0 10 10' preserveAspectRatio='xMaxYMax meet'", kRect), "px", 96,
     "200x100 [100,0,200,100]"},
    {Svg("width='200' height='100' viewBox='0 0 10 10' preserveAspectRatio='xMinYMin slice'", kRect), "px",
     96, "200x100 [0,0,200,200]"},
    {Svg("width='96' height='48'", "<rect width='96' height='9.6'/>"), "mm", 96, "25.4x12.7 [0,0,25.4,2.54]"},
    {Svg("width='1in' height='2cm'", kRect), "px", 72, "72x56.69 [0,0,10,10]"},
    {Svg("width='1in' height='1in'", kRect), nullptr, -5, "96x96 [0,0,10,10]"},
    {Svg("", "<rect x='5' y='5' width='10' height='20'/>"), "px", 96, "15x25 [5,5,15,25]"},
    {Svg("width='100%' height='-3' viewBox='0 0 0 10'", kRect), "px", 96, "10x10 [0,0,10,10]"},
    {Svg("width='0' height='0'", kRect), "px", 96, "0x0 [0,0,10,10]"},
    {Svg("width='40' height='40'", "<rect width='50%' height='25%' x='10%'/>"), "px", 96,
     "40x40 [4,0,24,10]"}};

TEST(SvgDocument, SizeViewBoxAndUnitsPlaceTheShapes)
{
  for (const auto& c : kLayouts) {
    const auto image = Parse(c.text, c.units, c.dpi);
    ASSERT_TRUE(image) << c.text;
    EXPECT_EQ(DescribeLayout(*image), c.layout) << c.text;
  }
}

struct ShapeCase
{
  std::string body;
  std::string expected; // one line per path or per shape
};

const ShapeCase kShapes[] = {
    {"<rect x='1' y='2' width='3' height='3' rx='1'/>",
     "M 2,2 C 2.33,2 2.67,2 3,2 C 3.55,2 4,2.45 4,3 C 4,3.33 4,3.67 4,4 C 4,4.55 3.55,5 3,5 C 2.67,5 2.33,5 "
     "2,5 C "
     "1.45,5 1,4.55 1,4 C 1,3.67 1,3.33 1,3 C 1,2.45 1.45,2 2,2 Z\n"},
    {"<rect width='4' height='2' ry='5'/>", "M 2,0 C 2,0 2,0 2,0 C 3.1,0 4,0.45 4,1 C 4,1 4,1 4,1 C 4,1.55 "
                                            "3.1,2 2,2 C 2,2 2,2 2,2 C 0.9,2 0,1.55 0,1 C "
                                            "0,1 0,1 0,1 C 0,0.45 0.9,0 2,0 Z\n"},
    {"<circle cx='5' cy='5' r='2'/>",
     "M 7,5 C 7,6.1 6.1,7 5,7 C 3.9,7 3,6.1 3,5 C 3,3.9 3.9,3 5,3 C 6.1,3 7,3.9 7,5 Z\n"},
    {"<ellipse cx='0' cy='0' rx='2' ry='1'/>",
     "M 2,0 C 2,0.55 1.1,1 0,1 C -1.1,1 -2,0.55 -2,0 C -2,-0.55 -1.1,-1 0,-1 C 1.1,-1 2,-0.55 2,0 Z\n"},
    {"<line x1='0' y1='0' x2='3' y2='6'/>", "M 0,0 C 1,2 2,4 3,6\n"},
    {"<polyline points='0 0 3 0 3 3'/>", "M 0,0 C 1,0 2,0 3,0 C 3,1 3,2 3,3\n"},
    {"<polygon points='0,0 3,0 3,3 7'/>", "M 0,0 C 1,0 2,0 3,0 C 3,1 3,2 3,3 C 2,2 1,1 0,0 Z\n"},
    {"<path d='M0 0 h3 z m1 1 v3'/>", "M 0,0 C 1,0 2,0 3,0 C 2,0 1,0 0,0 Z\nM 1,1 C 1,2 1,3 1,4\n"},
    {"<g transform='translate(10 0)'><path transform='scale(2)' d='M1 1 L2 1'/></g>",
     "M 12,2 C 12.67,2 13.33,2 14,2\n"},
    {"<g transform='rotate(90)'><g transform='translate(1 0)'><line x2='1' y2='0'/></g></g>",
     "M 0,1 C 0,1.33 0,1.67 0,2\n"},
    {"<rect width='0' height='5'/><rect width='5' height='-1'/><circle r='-1'/><ellipse rx='1' ry='0'/>"
     "<polyline points='1 1'/><path/><path d=''/>",
     ""},
    {"<rect width='nan' height='1'/><rect width='1e39' height='1'/><rect width='inf' height='1'/>", ""},
    {"<g transform='scale(1e30)'><g transform='scale(1e30)'><rect width='1' height='1'/></g></g>"
     "<g transform='scale(nan)'><line x2='1'/></g>",
     "M 0,0 C 0.33,0 0.67,0 1,0\n"},
    {"<defs><rect width='1' height='1'/></defs><text><rect width='1' height='1'/></text>"
     "<unknown><g><line x2='1'/></g></unknown><line x2='2'><title><line x2='3'/></title></line>",
     "M 0,0 C 0.67,0 1.33,0 2,0\n"}};

TEST(SvgDocument, ElementsBecomePathsOfCubicSegments)
{
  for (const auto& c : kShapes) {
    const auto image = Parse(Svg("width='10' height='10'", c.body));
    ASSERT_TRUE(image) << c.body;
    std::string paths;
    for (const auto& shape : image->shapes) {
      for (const auto& path : shape.paths)
        paths += DescribePath(path) + "\n";
    }
    EXPECT_EQ(paths, c.expected) << c.body;
  }
}

TEST(SvgDocument, PathBoundsAreInImageCoordinates)
{
  const auto image =
      Parse(Svg("", "<path transform='translate(10 10)' d='M0 0 C0 -10 10 -10 10 0 M0 20 h5'/>"));
  ASSERT_TRUE(image);
  const auto& shape = image->shapes.at(0);
  ASSERT_EQ(shape.paths.size(), 2u);
  EXPECT_EQ(DescribeBounds(shape.paths[0].bounds), "10,2.5,20,10");
  EXPECT_EQ(DescribeBounds(shape.paths[1].bounds), "10,30,15,30");
  EXPECT_EQ(DescribeBounds(shape.bounds), "10,2.5,20,30");
}

// Each shape's DescribeStyle, one line each.
const ShapeCase kStyles[] = {
    {"<line x2='1'/>", "visible opacity 1 fill #000000ff stroke none\n"},
    {"<g fill='red' stroke='#00f' stroke-width='3' stroke-linejoin='round' stroke-linecap='square' "
     "stroke-miterlimit='7' fill-rule='evenodd'><line x2='1'/></g>",
     "visible opacity 1 fill #ff0000ff evenodd stroke #0000ffff width 3 round square limit 7\n"},
    {"<line x2='1' fill='red' style='fill: lime ; stroke:blue!important;fill-opacity:50%' stroke='red'/>",
     "visible opacity 1 fill #00ff0080 stroke #0000ffff width 1 miter butt limit 4\n"},
    {"<g opacity='0.5' fill-opacity='0.2'><line x2='1' opacity='.5'/><line x2='1' "
     "fill-opacity='inherit'/></g>",
     "visible opacity 0.25 fill #00000033 stroke none\nvisible opacity 0.5 fill #00000033 stroke none\n"},
    {"<g color='#123456' fill='currentColor'><line x2='1' stroke='currentColor' color='#abcdef'/></g>",
     "visible opacity 1 fill #abcdefff stroke #abcdefff width 1 miter butt limit 4\n"},
    {"<g display='none'><line x2='1' display='inline'/></g><g visibility='hidden'><line x2='1'/>"
     "<line x2='1' visibility='visible'/></g>",
     "hidden opacity 1 fill #000000ff stroke none\nhidden opacity 1 fill #000000ff stroke none\n"
     "visible opacity 1 fill #000000ff stroke none\n"},
    {"<g transform='scale(2)' stroke='red' stroke-dasharray='1 2 3' stroke-dashoffset='1'>"
     "<line x2='1'/><line x2='1' stroke-dasharray='none'/><line x2='1' stroke-dasharray='1 -1'/></g>",
     "visible opacity 1 fill #000000ff stroke #ff0000ff width 2 miter butt limit 4 dash 2 4 6 2 4 6 offset "
     "2\n"
     "visible opacity 1 fill #000000ff stroke #ff0000ff width 2 miter butt limit 4\n"
     "visible opacity 1 fill #000000ff stroke #ff0000ff width 2 miter butt limit 4 dash 2 4 6 2 4 6 offset "
     "2\n"},
    {"<line x2='1' fill='bogus' stroke='red' stroke-width='0'/><line x2='1' stroke='url(#missing)'/>"
     "<line x2='1' fill='none' stroke='red' stroke-width='-2' stroke-miterlimit='0.5' stroke-linejoin='x'/>",
     "visible opacity 1 fill #000000ff stroke none\nvisible opacity 1 fill #000000ff stroke none\n"
     "visible opacity 1 fill none stroke #ff0000ff width 1 miter butt limit 4\n"},
    {"<line x2='1' stroke='red' stroke-width='10%' opacity='7'/>",
     "visible opacity 1 fill #000000ff stroke #ff0000ff width 1 miter butt limit 4\n"}};

TEST(SvgDocument, PresentationIsInheritedAndStyleAttributesWin)
{
  for (const auto& c : kStyles) {
    const auto image = Parse(Svg("width='10' height='10'", c.body));
    ASSERT_TRUE(image) << c.body;
    std::string styles;
    for (const auto& shape : image->shapes)
      styles += DescribeStyle(shape) + "\n";
    EXPECT_EQ(styles, c.expected) << c.body;
  }
}

std::string Repeat(const std::string& text, int n)
{
  std::string s;
  for (int i = 0; i < n; ++i)
    s += text;
  return s;
}

TEST(SvgDocument, MalformedDocumentsGiveNull)
{
  const std::string cases[] = {
      "", "<svg", "<html/>", "<svg><g></svg>", "<svg><rect width='1' height='1'></svg>", "<svg a=b/>"};
  for (const auto& text : cases)
    EXPECT_FALSE(Parse(text)) << text;
  EXPECT_EQ(SvgParse(nullptr, "px", 96), nullptr);
  SvgDelete(nullptr);
}

TEST(SvgDocument, SizeLimitsAreExactAndGiveNullBeyond)
{
  struct Case
  {
    const char* what;
    std::string body;
    bool parses;
  } const cases[] = {
      {"nesting", Repeat("<g>", 127) + Repeat("</g>", 127), true},
      {"nesting", Repeat("<g>", 128) + Repeat("</g>", 128), false},
      {"points", "<path d='M0 0" + Repeat("h1", 349525) + "'/>", true}, // 1 + 3 x 349525 = 2^20
      {"points", "<path d='M0 0" + Repeat("h1", 349526) + "'/>", false},
      {"shapes", Repeat("<line/>", 65536), true},
      {"shapes", Repeat("<g display='none'><line/></g>", 65537), false}, // hidden ones count too
      {"gradients", Repeat("<linearGradient/>", 4096), true},
      {"gradients", Repeat("<linearGradient/>", 4097), false}};
  for (const auto& c : cases)
    EXPECT_EQ(Parse(Svg("", c.body)) != nullptr, c.parses) << c.what;
}

} // namespace
