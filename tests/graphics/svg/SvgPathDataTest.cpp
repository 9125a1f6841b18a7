#include "SvgDescribe.h"

#include "graphics/svg/SvgPathBuilder.h"

#include <gtest/gtest.h>

using namespace plugin::ui::svg;
using svgtest::DescribePoints;
using svgtest::Num;

namespace {

// Each sub-path on its own line, after the path data is read.
std::string Paths(const std::string& data, size_t limit = 1000)
{
  PathBuilder builder(limit);
  AppendPathData(data, builder);
  std::string s;
  for (const auto& path : builder.Take())
    s += DescribePoints(path.points, path.closed) + "\n";
  return s;
}

struct PathCase
{
  const char* data;
  const char* paths;
};

const PathCase kPathCases[] = {
    {"M10 20 L40 50", "M 10,20 C 20,30 30,40 40,50\n"},
    {"m10 20 l30 0 h-30 v5 z", "M 10,20 C 20,20 30,20 40,20 C 30,20 20,20 10,20 C 10,21.67 10,23.33 10,25 C "
                               "10,23.33 10,21.67 10,20 Z\n"},
    {"M0 0 30 0 30 30", "M 0,0 C 10,0 20,0 30,0 C 30,10 30,20 30,30\n"},
    {"M0,0C1,2,3,4,5,6S9,10,11,12", "M 0,0 C 1,2 3,4 5,6 C 7,8 9,10 11,12\n"},
    {"M0 0 s3 3 6 0", "M 0,0 C 0,0 3,3 6,0\n"},
    {"M0 0 Q3 3 6 0 T12 0", "M 0,0 C 2,2 4,2 6,0 C 8,-2 10,-2 12,0\n"},
    {"M0 0 A10 10 0 0 1 20 0", "M 0,0 C 0,-5.52 4.48,-10 10,-10 C 15.52,-10 20,-5.52 20,0\n"},
    {"M0 0a10 10 0 0120 0", "M 0,0 C 0,-5.52 4.48,-10 10,-10 C 15.52,-10 20,-5.52 20,0\n"},
    {"M0 0 A1 1 0 0 0 20 0", "M 0,0 C 0,5.52 4.48,10 10,10 C 15.52,10 20,5.52 20,0\n"},
    {"M0 0 A10 5 90 0 1 0 20", "M 0,0 C 2.76,0 5,4.48 5,10 C 5,15.52 2.76,20 0,20\n"},
    {"M0 0 A0 10 0 0 1 30 0", "M 0,0 C 10,0 20,0 30,0\n"},
    {"M0 0 A10 10 0 1 1 0 0 L3 0", "M 0,0 C 1,0 2,0 3,0\n"},
    {"M0 0 L10 0 Z L0 10", "M 0,0 C 3.33,0 6.67,0 10,0 C 6.67,0 3.33,0 0,0 Z\nM 0,0 C 0,3.33 0,6.67 0,10\n"},
    {"M0 0 L3 0 L6 x", "M 0,0 C 1,0 2,0 3,0\n"},
    {"M0 0 L3 0 Z 5 5", "M 0,0 C 1,0 2,0 3,0 C 2,0 1,0 0,0 Z\n"},
    {"M0 0 L3 0 A1 1 0 2 0 5 5", "M 0,0 C 1,0 2,0 3,0\n"},
    {"M0 0 L3 0 L1e39 0", "M 0,0 C 1,0 2,0 3,0\n"},
    {"L10 10", ""},
    {"M0 0 M5 5", ""},
    {"X0 0", ""}};

TEST(SvgPathData, CommandsBecomeCubicSegments)
{
  for (const auto& c : kPathCases)
    EXPECT_EQ(Paths(c.data), c.paths) << c.data;
}

TEST(SvgPathData, PointLimitStopsTheBuilder)
{
  PathBuilder builder(7); // a start point and two segments
  AppendPathData("M0 0 h1 h1 h1", builder);
  EXPECT_TRUE(builder.OverLimit());
  ASSERT_EQ(builder.Take().at(0).points.size(), 7u);
}

TEST(SvgPathData, BoundsAreTightAroundTheCurve)
{
  struct Case
  {
    std::vector<Point> points;
    const char* bounds;
  } const cases[] = {{{{0, 0}, {0, -10}, {10, -10}, {10, 0}}, "0,-7.5,10,0"},
                     {{{0, 0}, {-5, 5}, {15, 5}, {10, 0}}, "-0.81,0,10.81,3.75"},
                     {{{3, 4}}, "3,4,3,4"}};
  for (const auto& c : cases) {
    double b[4];
    CurveBounds(c.points, b);
    EXPECT_EQ(Num(b[0]) + "," + Num(b[1]) + "," + Num(b[2]) + "," + Num(b[3]), c.bounds);
  }
}

} // namespace
