#include "SvgDescribe.h"

#include "graphics/svg/SvgValues.h"

#include <gtest/gtest.h>

using namespace plugin::ui::svg;
using svgtest::Num;

namespace {

TEST(SvgValues, NumbersAreReadAsWrittenAndNonFiniteOnesRefused)
{
  struct Case
  {
    const char* text;
    const char* expected; // value and the rest of the text, or "fail"
  } const cases[] = {
      // clang-format off
      {"  12.5,", "12.5 rest ','"}, {"-.5e1x", "-5 rest 'x'"}, {"+3", "3 rest ''"}, {"1e", "1 rest 'e'"},
      {"2em", "2 rest 'em'"}, {"1.2.3", "1.2 rest '.3'"}, {"1e-400", "0 rest ''"}, {"1e39", "fail"},
      {"nan", "fail"}, {"inf", "fail"}, {"-", "fail"}, {".", "fail"},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::string_view s = c.text;
    double v = 0;
    const std::string got = ScanNumber(s, v) ? Num(v) + " rest '" + std::string(s) + "'" : "fail";
    EXPECT_EQ(got, c.expected) << c.text;
  }
  std::string_view largest = "3.4e38";
  double v;
  EXPECT_TRUE(ScanNumber(largest, v)); // the largest float still fits
}

TEST(SvgValues, LengthsConvertUnitsAtTheResolution)
{
  struct Case
  {
    const char* text;
    double dpi;
    const char* pixels; // of a percentage base of 200, or "fail"
  } const cases[] = {{"10", 96, "10"},      {"10px", 96, "10"},  {" 1in ", 72, "72"}, {"25.4mm", 96, "96"},
                     {"2.54cm", 90, "90"},  {"36pt", 96, "48"},  {"1pc", 96, "16"},   {"50%", 96, "100"},
                     {"10 px", 96, "fail"}, {"10q", 96, "fail"}, {"px", 96, "fail"}};
  for (const auto& c : cases) {
    Length length;
    const std::string got = ParseLength(c.text, c.dpi, length) ? Num(ToPixels(length, 200)) : "fail";
    EXPECT_EQ(got, c.pixels) << c.text;
  }
}

TEST(SvgValues, ColorsPackRedInTheLowByte)
{
  struct Case
  {
    const char* text;
    uint32_t packed; // 1: refused
  } const cases[] = {
      // clang-format off
      {"#f00", 0x0000FF}, {" #00FF80 ", 0x80FF00}, {"rgb(255, 0, 128)", 0x8000FF}, {"RGB(100%,50%,0%)", 0x0080FF},
      {"rgb(300,-5,0)", 0x0000FF}, {"rgb(1 2 3)", 0x030201}, {"Red", 0x0000FF}, {"orange", 0x00A5FF},
      {"#12", 1}, {"#ggg", 1}, {"rgb(1,2)", 1}, {"rgb(1,2,3,4)", 1}, {"rgb(1,nan,3)", 1}, {"notacolour", 1},
      // clang-format on
  };
  for (const auto& c : cases) {
    uint32_t rgb = 1;
    ParseColor(c.text, rgb);
    EXPECT_EQ(rgb, c.packed) << c.text;
  }
}

std::string DescribeMatrix(const Matrix& m)
{
  std::string s;
  for (double v : m.m)
    s += (s.empty() ? "" : " ") + Num(v);
  return s;
}

TEST(SvgValues, TransformListsComposeLeftToRight)
{
  struct Case
  {
    const char* text;
    const char* matrix; // a b c d e f, or "fail"
  } const cases[] = {
      // clang-format off
      {"translate(10)", "1 0 0 1 10 0"}, {"translate(10 20)", "1 0 0 1 10 20"}, {"scale(2)", "2 0 0 2 0 0"},
      {"scale(2,3)", "2 0 0 3 0 0"}, {"rotate(90)", "0 1 -1 0 0 0"}, {"rotate(90 10 10)", "0 1 -1 0 20 0"},
      {"skewX(45)", "1 0 1 1 0 0"}, {"skewY(45)", "1 1 0 1 0 0"}, {"matrix(1,2,3,4,5,6)", "1 2 3 4 5 6"},
      {"translate(10,0) scale(2)", "2 0 0 2 10 0"}, {"scale(2),translate(10,0)", "2 0 0 2 20 0"}, {"  ", "1 0 0 1 0 0"},
      {"rotate()", "fail"}, {"translate(1,2,3)", "fail"}, {"skew(1)", "fail"}, {"scale(1", "fail"},
      {"scale(nan)", "fail"}, {"translate(1) junk", "fail"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Matrix m;
    EXPECT_EQ(ParseTransform(c.text, m) ? DescribeMatrix(m) : "fail", c.matrix) << c.text;
  }
}

} // namespace
