#include "framework/params/IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

using plugin::IParam;
using plugin::StringBuf;

namespace {
std::string Display(const IParam& p, double v, bool normalized = false, bool withTexts = true)
{
  StringBuf out;
  out.Set("previous text");
  p.GetDisplay(v, normalized, out, withTexts);
  return out.Get();
}
} // namespace

TEST(IParamPrecision, FollowsTheStep)
{
  const struct
  {
    double step;
    int precision;
  } cases[] = {{1, 0}, {2, 0}, {0.5, 1}, {0.25, 2}, {0.001, 3}, {0.1, 1}, {1e-7, 6}, {0.125, 3}};
  for (const auto& c : cases) {
    IParam p;
    p.InitDouble("p", 0, 0, 10, c.step);
    EXPECT_EQ(p.GetDisplayPrecision(), c.precision) << c.step;
  }
}

TEST(IParamDisplay, PrecisionZeroRoundsHalvesAwayAndSaturates)
{
  IParam p;
  p.InitDouble("p", 0, -1e300, 1e300, 1);
  EXPECT_EQ(Display(p, 2.5), "3");
  EXPECT_EQ(Display(p, -2.5), "-3");
  EXPECT_EQ(Display(p, 1e300), "2147483647");
  EXPECT_EQ(Display(p, -1e300), "-2147483648");
  EXPECT_EQ(Display(p, std::nan("")), "0");
}

TEST(IParamDisplay, SignAndNegateFlags)
{
  IParam sign;
  sign.InitDouble("s", 0, -5, 5, 0.01, "", IParam::kFlagSignDisplay);
  EXPECT_EQ(Display(sign, 1.5), "+1.50");
  EXPECT_EQ(Display(sign, -1.5), "-1.50");
  EXPECT_EQ(Display(sign, 0), "0.00");

  IParam neg;
  neg.InitDouble("n", 0, -5, 5, 1, "", IParam::kFlagNegateDisplay);
  EXPECT_EQ(Display(neg, 3), "-3");
  EXPECT_EQ(neg.StringToValue("3"), -3.0);
  IParam negFine;
  negFine.InitDouble("n", 0, -5, 5, 0.1, "", IParam::kFlagNegateDisplay);
  EXPECT_EQ(Display(negFine, 0), "0.0"); // a negated zero shows no sign
}

TEST(IParamDisplay, NormalizedValuesAreConvertedSnappedAndClamped)
{
  IParam p;
  p.InitDouble("p", 0, 0, 10, 0.5, "", IParam::kFlagStepped);
  EXPECT_EQ(Display(p, 0.33, true), "3.5");
  EXPECT_EQ(Display(p, 5.0, true), "10.0");
  EXPECT_EQ(Display(p, 42.0, false), "42.0"); // a real value is shown as given
}

TEST(IParamDisplay, DisplayTextsAndFunction)
{
  IParam e;
  e.InitEnum("e", 0, 3, "units");
  e.SetDisplayText(0, "zero");
  e.SetDisplayText(1, "");
  e.SetDisplayText(0, "duplicate");
  EXPECT_EQ(Display(e, 0), "zero"); // the first entry wins
  EXPECT_EQ(Display(e, 1), "1");    // an empty text falls through to the number
  EXPECT_EQ(Display(e, 0, false, false), "0");
  e.Set(1);
  EXPECT_STREQ(e.GetLabel(), "units");
  StringBuf shown;
  e.GetDisplayWithLabel(shown);
  EXPECT_STREQ(shown.Get(), "1 units");
  e.Set(0);
  EXPECT_STREQ(e.GetLabel(), "");

  IParam f;
  f.InitDouble("f", 0.5, 0, 1, 0.1, "", 0, "", IParam::ShapeLinear{}, IParam::kUnitCustom,
               [](double v, StringBuf& out) { out.SetFormatted(32, "<%g>", v); });
  EXPECT_EQ(Display(f, 0.25), "<0.25>");
  StringBuf withLabel;
  f.GetDisplayWithLabel(withLabel);
  EXPECT_STREQ(withLabel.Get(), "<0.5>");
}

TEST(IParamDisplay, LongOutputIsLimited)
{
  IParam p;
  p.InitDouble("p", 0, 0, 1e300, 0.01);
  EXPECT_EQ(Display(p, 1e300).size(), 32u);
}

TEST(IParamDisplay, WithLabel)
{
  IParam g;
  g.InitGain("g", -6, -24, 24, 0.5);
  StringBuf out;
  g.GetDisplayWithLabel(out);
  EXPECT_STREQ(out.Get(), "-6.0 dB");
  IParam b;
  b.InitBool("b", true, "lbl", 0, "", "off", "on");
  b.GetDisplayWithLabel(out);
  EXPECT_STREQ(out.Get(), "on");
}

TEST(IParamDisplayTexts, LookupsAndBadIndices)
{
  IParam p;
  p.InitEnum("e", 0, {"A", "B"});
  double v = -1;
  EXPECT_STREQ(p.GetDisplayTextAtIdx(1, &v), "B");
  EXPECT_EQ(v, 1.0);
  v = -1;
  EXPECT_STREQ(p.GetDisplayTextAtIdx(2, &v), "");
  EXPECT_STREQ(p.GetDisplayTextAtIdx(-1, nullptr), "");
  EXPECT_EQ(v, -1.0);
  EXPECT_TRUE(p.MapDisplayText("B", &v));
  EXPECT_EQ(v, 1.0);
  EXPECT_FALSE(p.MapDisplayText("b", &v)); // case-sensitive
  EXPECT_FALSE(p.MapDisplayText(nullptr, &v));
  EXPECT_STREQ(p.GetDisplayText(0.5), "");
}

TEST(IParamStringToValue, TextsNumbersAndFallbacks)
{
  IParam e;
  e.InitEnum("e", 0, {"A", "B", "C"});
  EXPECT_EQ(e.StringToValue("C"), 2.0);
  EXPECT_EQ(e.StringToValue("2"), 0.0); // enum with no matching text
  EXPECT_EQ(e.StringToValue("c"), 0.0); // texts are case-sensitive
  EXPECT_EQ(e.StringToValue(nullptr), 0.0);
  IParam b;
  b.InitBool("b", false, "", 0, "", "off", "on");
  EXPECT_EQ(b.StringToValue("on"), 1.0);
  EXPECT_EQ(b.StringToValue("yes"), 0.0);

  IParam d;
  d.InitDouble("d", 2, 1, 5, 0.5, "", IParam::kFlagStepped);
  EXPECT_EQ(d.StringToValue("abc"), 1.0);    // reads as 0, clamped
  EXPECT_EQ(d.StringToValue("3.3 dB"), 3.5); // leading number, snapped
  EXPECT_EQ(d.StringToValue("  100"), 5.0);
  EXPECT_EQ(d.StringToValue("nan"), 1.0);
}

TEST(IParamStringToValue, ReadsDecimalNumbersOnly)
{
  // Hexadecimal, infinities and NaN are no numbers (0); numbers beyond a double clamp by sign.
  IParam d;
  d.InitDouble("d", 0, -100, 100, 0.001);
  const std::string huge(400, '9'), tiny = "0." + std::string(400, '0') + "1";
  const std::pair<std::string, double> cases[] = {{"0x10", 0},   {"-0x1p3", 0}, {"inf", 0},  {"-infinity", 0},
                                                  {"NAN(1)", 0}, {huge, 100},   {tiny, 0},   {"-1E999", -100},
                                                  {"1e-999", 0}, {"2e+", 2},    {".5", 0.5}, {"--3", 0}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(d.StringToValue(text.c_str()), value) << text.substr(0, 20);
}

TEST(IParamJSON, DescribesTheParameter)
{
  IParam p;
  p.InitInt("Gain", 2, 0, 10);
  StringBuf json;
  p.GetJSON(json, 3);
  EXPECT_STREQ(json.Get(),
               "{\"id\":3, \"name\":\"Gain\", \"type\":\"int\", \"min\":0.000000, \"max\":10.000000, "
               "\"default\":2.000000, \"display_type\":0, \"rate\":\"control\"}");
  p.GetJSON(json, 4); // appended with no separator
  EXPECT_NE(std::string(json.Get()).find("}{\"id\":4, "), std::string::npos);
}

TEST(IParamJSON, UnsetTypeHasNoTypeAndNamesAreEscaped)
{
  IParam unset;
  StringBuf json;
  unset.GetJSON(json, 0);
  EXPECT_EQ(std::string(json.Get()).find("\"type\""), std::string::npos);

  IParam q;
  q.InitDouble("Say \"hi\"\\\n", 0, 0, 1, 0.1, "", 0, "", IParam::ShapeExp{});
  StringBuf j2;
  q.GetJSON(j2, 1);
  EXPECT_NE(std::string(j2.Get()).find("\"name\":\"Say \\\"hi\\\"\\\\\\u000a\", \"type\":\"float\""),
            std::string::npos)
      << j2.Get();
  EXPECT_NE(std::string(j2.Get()).find("\"display_type\":1"), std::string::npos);
}
