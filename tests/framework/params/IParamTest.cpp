#include "framework/params/IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

using plugin::IParam;
using plugin::StringBuf;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Everything an init operation defines, compared as one record.
struct Definition
{
  IParam::EParamType type;
  IParam::EParamUnit unit;
  std::string label;
  double min, max, step;
  int flags, precision;
  double value;
  bool operator==(const Definition&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Definition& d)
{
  return os << "{type " << d.type << " unit " << d.unit << " '" << d.label << "' " << d.min << ".." << d.max
            << " step " << d.step << " flags " << d.flags << " precision " << d.precision << " value "
            << d.value << "}";
}

Definition DefinitionOf(const IParam& p)
{
  return {p.Type(),    p.Unit(),     p.GetLabelText(),        p.GetMin(), p.GetMax(),
          p.GetStep(), p.GetFlags(), p.GetDisplayPrecision(), p.Value()};
}

std::string Display(const IParam& p, double v, bool normalized = false, bool withTexts = true)
{
  StringBuf out("previous text");
  p.GetDisplay(v, normalized, out, withTexts);
  return out.Get();
}

} // namespace

TEST(IParam, InitOperationsDefineTheWholeRecord)
{
  using P = IParam;
  constexpr int kStepped = P::kFlagStepped;
  const std::pair<void (*)(IParam&), Definition> cases[] = {
      {[](IParam&) {}, {P::kTypeNone, P::kUnitCustom, "", 0, 1, 1, 0, 0, 0}},
      {[](IParam& p) { p.InitBool("b", true, "", P::kFlagMarked, "g", "Off", "On"); },
       {P::kTypeBool, P::kUnitCustom, "", 0, 1, 1, P::kFlagMarked | kStepped, 0, 1}},
      {[](IParam& p) {
         p.InitEnum("e", 1, {"A", "B", "C"});
       },
       {P::kTypeEnum, P::kUnitCustom, "", 0, 2, 1, kStepped, 0, 1}},
      {[](IParam& p) { p.InitInt("i", 9, 0, 4, "n"); },
       {P::kTypeInt, P::kUnitCustom, "n", 0, 4, 1, kStepped, 0, 4}},
      {[](IParam& p) { p.InitPitch("n", 2, 60, 72); },
       {P::kTypeEnum, P::kUnitCustom, "", 0, 12, 1, kStepped, 0, 2}},
      {[](IParam& p) { p.InitSeconds("s", 1, 0, 10, 0.1); },
       {P::kTypeDouble, P::kUnitSeconds, "Seconds", 0, 10, 0.1, 0, 1, 1}},
      {[](IParam& p) { p.InitMilliseconds("m", 1, 0, 100); },
       {P::kTypeDouble, P::kUnitMilliseconds, "ms", 0, 100, 1, 0, 0, 1}},
      {[](IParam& p) { p.InitGain("g", 0, -70, 24, 0.25); },
       {P::kTypeDouble, P::kUnitDB, "dB", -70, 24, 0.25, 0, 2, 0}},
      {[](IParam& p) { p.InitPercentage("p", 5, 0, 100); },
       {P::kTypeDouble, P::kUnitPercentage, "%", 0, 100, 1, 0, 0, 5}},
      {[](IParam& p) { p.InitAngleDegrees("a", 0, 0, 360); },
       {P::kTypeDouble, P::kUnitDegrees, "degrees", 0, 360, 1, 0, 0, 0}},
      {[](IParam& p) { p.InitFrequency("f", 1e3, 20, 2e4, 0.001); },
       {P::kTypeDouble, P::kUnitFrequency, "Hz", 20, 2e4, 0.001, 0, 3, 1e3}},
      // the range is never narrower than one step; the value is the constrained default
      {[](IParam& p) { p.InitDouble("z", 0, 0, 0, 1); },
       {P::kTypeDouble, P::kUnitCustom, "", 0, 1, 1, 0, 0, 0}},
      {[](IParam& p) { p.InitDouble("w", 15, 0, 10, 20); },
       {P::kTypeDouble, P::kUnitCustom, "", 0, 20, 20, 0, 0, 15}},
      {[](IParam& p) { p.InitDouble("d", 15, 0, 10, 0.125); },
       {P::kTypeDouble, P::kUnitCustom, "", 0, 10, 0.125, 0, 3, 10}},
      {[](IParam& p) { p.InitDouble("k", 0, 0, 1, 1e-5); },
       {P::kTypeDouble, P::kUnitCustom, "", 0, 1, 1e-5, 0, 5, 0}},
      {[](IParam& p) { p.InitDouble("t", 0, 0, 1, 1e-7); },
       {P::kTypeDouble, P::kUnitCustom, "", 0, 1, 1e-7, 0, 6, 0}},
      // a second init redefines everything and resets the value
      {[](IParam& p) {
         p.InitInt("x", 3, 0, 9);
         p.Set(7);
         p.InitDouble("x", 0.2, 0, 1, 0.1);
       },
       {P::kTypeInt, P::kUnitCustom, "", 0, 1, 0.1, 0, 1, 0.2}},
  };
  for (const auto& [init, expected] : cases) {
    IParam p;
    init(p);
    EXPECT_EQ(DefinitionOf(p), expected) << p.GetName();
  }
}

TEST(IParam, ConstrainSnapsThenClamps)
{
  const struct
  {
    double min, max, step;
    int flags;
    double in, out;
  } cases[] = {
      {-5, 5, 0.5, IParam::kFlagStepped, 0.75, 1.0},
      {-5, 5, 0.5, IParam::kFlagStepped, -0.75, -1.0},
      {-5, 5, 0.5, IParam::kFlagStepped, 99, 5},
      {0.3, 2.3, 1, IParam::kFlagStepped, 1.4, 1.0}, // relative to 0
      {0.3, 2.3, 1, IParam::kFlagStepped, 0.31, 0.3},
      {-3, 4, 0.01, 0, kNaN, -3},
      {-3, 4, 0.01, 0, kInf, 4},
      {-3, 4, 0.01, 0, -kInf, -3},
      {-3, 4, 0.01, 0, 0.123, 0.123},
      {0, 1, -0.5, IParam::kFlagStepped, 0.37, 0.37},
  };
  for (const auto& c : cases) {
    IParam p;
    p.InitDouble("c", 0, c.min, c.max, c.step, "", c.flags);
    p.Set(c.in);
    EXPECT_EQ(p.Value(), c.out) << c.min << ".." << c.max << " step " << c.step << " in " << c.in;
  }
}

TEST(IParam, ShapesConvertBothWays)
{
  IParam lin, pow, exp, expZero, steps;
  lin.InitDouble("l", 0, -10, 30, 0.001);
  pow.InitDouble("p", 0, 0, 100, 0.0001, "", 0, "", IParam::ShapePowCurve(2.0));
  exp.InitDouble("e", 100, 20, 20000, 0.1, "", 0, "", IParam::ShapeExp{});
  expZero.InitFrequency("z", 1000, 0, 20000, 1);
  steps.InitInt("i", 0, 0, 4);
  const struct
  {
    const IParam* p;
    double normalized, value;
  } fromNormalized[] = {{&lin, 0.75, 20},    {&lin, 2.0, 30},
                        {&pow, 0.5, 25},     {&exp, 0.5, std::sqrt(20.0 * 20000)},
                        {&expZero, 0, 1e-8}, {&steps, 0.3, 1},
                        {&steps, 0.375, 2}},
    toNormalized[] = {{&lin, 0.25, 0},
                      {&lin, 1, 100},
                      {&pow, 0.5, 25},
                      {&exp, 0, 0},
                      {&exp, 0.3, 20 * std::pow(1000.0, 0.3)},
                      {&lin, 0, kNaN},
                      {&steps, 1, 4.9}};
  for (const auto& c : fromNormalized)
    EXPECT_NEAR(c.p->FromNormalized(c.normalized), c.value, 1e-9 * c.value) << c.p->GetName() << c.normalized;
  for (const auto& c : toNormalized)
    EXPECT_NEAR(c.p->ToNormalized(c.value), c.normalized, 1e-9) << c.p->GetName() << c.value;

  const std::pair<int, int> displayTypes[] = {
      {IParam::ShapePowCurve(3.0).GetDisplayType(), 6}, {IParam::ShapePowCurve(2.0).GetDisplayType(), 4},
      {IParam::ShapePowCurve(0.3).GetDisplayType(), 5}, {IParam::ShapePowCurve(0.5).GetDisplayType(), 3},
      {IParam::ShapePowCurve(1.0).GetDisplayType(), 0}, {IParam::ShapeExp().GetDisplayType(), 1}};
  for (const auto& [type, expected] : displayTypes)
    EXPECT_EQ(type, expected);
}

TEST(IParam, DisplayTexts)
{
  IParam wide, sign, negate, negateFine, stepped, texts, func, pitch, pitchLow, pitch3;
  wide.InitDouble("w", 0, -1e300, 1e300, 1);
  sign.InitDouble("s", 0, -5, 5, 0.01, "", IParam::kFlagSignDisplay);
  negate.InitDouble("n", 0, -5, 5, 1, "", IParam::kFlagNegateDisplay);
  negateFine.InitDouble("n", 0, -5, 5, 0.1, "", IParam::kFlagNegateDisplay);
  stepped.InitDouble("p", 0, 0, 10, 0.5, "", IParam::kFlagStepped);
  texts.InitEnum("e", 0, 3, "units");
  texts.SetDisplayText(0, "zero");
  texts.SetDisplayText(1, "");
  texts.SetDisplayText(0, "duplicate");
  func.InitDouble("f", 0.5, 0, 1, 0.1, "", 0, "", IParam::ShapeLinear{}, IParam::kUnitCustom,
                  [](double v, StringBuf& out) { out.SetFormatted(32, "<%g>", v); });
  pitch.InitPitch("Note", 0, 60, 72, 0, "", true);
  pitch3.InitPitch("Note", 0, 60, 61, 0, "", false);
  pitchLow.InitPitch("Low", 0, -13, 0, 0, "", true);
  const struct
  {
    const IParam* p;
    double v;
    bool normalized, withTexts;
    const char* text;
  } cases[] = {
      {&wide, 2.5, false, true, "3"},
      {&wide, -2.5, false, true, "-3"},
      {&wide, 1e300, false, true, "2147483647"},
      {&wide, kNaN, false, true, "0"},
      {&sign, 1.5, false, true, "+1.50"},
      {&sign, -1.5, false, true, "-1.50"},
      {&sign, 0, false, true, "0.00"},
      {&negate, 3, false, true, "-3"},
      {&negateFine, 0, false, true, "0.0"},
      {&stepped, 0.33, true, true, "3.5"},
      {&stepped, 5.0, true, true, "10.0"},
      {&stepped, 42, false, true, "42.0"},
      {&texts, 0, false, true, "zero"},
      {&texts, 1, false, true, "1"},
      {&texts, 0, false, false, "0"},
      {&func, 0.25, false, true, "<0.25>"},
      {&pitch, 0, false, true, "C 4"},
      {&pitch, 1, false, true, "C#4"},
      {&pitch, 12, false, true, "C 5"},
      {&pitch3, 0, false, true, "C 3"},
      {&pitchLow, 0, false, true, "B -3"},
      {&pitchLow, 1, false, true, "C -2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Display(*c.p, c.v, c.normalized, c.withTexts), c.text) << c.p->GetName() << " " << c.v;
  EXPECT_EQ(Display(sign, 1e300).size(), 32u);

  IParam gain, onOff;
  gain.InitGain("g", -6, -24, 24, 0.5);
  onOff.InitBool("b", true, "lbl", 0, "", "off", "on");
  texts.Set(1);
  for (const auto& [p, text] : std::vector<std::pair<const IParam*, const char*>>{
           {&gain, "-6.0 dB"}, {&onOff, "on"}, {&texts, "1 units"}, {&func, "<0.5>"}}) {
    StringBuf out;
    p->GetDisplayWithLabel(out);
    EXPECT_STREQ(out.Get(), text);
  }
}

TEST(IParam, TextToValue)
{
  IParam e, b, d, neg;
  e.InitEnum("e", 0, {"A", "B", "C"});
  b.InitBool("b", false, "", 0, "", "off", "on");
  d.InitDouble("d", 2, 1, 5, 0.5, "", IParam::kFlagStepped);
  neg.InitDouble("n", 0, -5, 5, 1, "", IParam::kFlagNegateDisplay);
  const struct
  {
    const IParam* p;
    const char* text;
    double value;
  } cases[] = {{&e, "C", 2},     {&e, "2", 0},   {&e, "c", 0},   {&e, nullptr, 0},
               {&b, "on", 1},    {&b, "yes", 0}, {&d, "abc", 1}, {&d, "3.3 dB", 3.5},
               {&d, "  100", 5}, {&d, "nan", 1}, {&neg, "3", -3}};
  for (const auto& c : cases)
    EXPECT_EQ(c.p->StringToValue(c.text), c.value) << c.p->GetName() << " " << (c.text ? c.text : "null");
  double v = -1;
  EXPECT_STREQ(e.GetDisplayTextAtIdx(1, &v), "B");
  EXPECT_EQ(v, 1.0);
  EXPECT_STREQ(e.GetDisplayTextAtIdx(3, &v), "");
}

TEST(IParam, CopyUnderANewName)
{
  IParam left;
  left.InitGain("Left Gain", -3, -24, 24, 0.5, IParam::kFlagSignDisplay, "Left");
  left.SetDisplayText(0, "unity");
  left.Set(6);
  IParam right, cut;
  right.Init(left, "Left", "Right", "Right");
  cut.Init(left, "Left ", "", "");
  EXPECT_EQ(DefinitionOf(right), (Definition{IParam::kTypeDouble, IParam::kUnitDB, "dB", -24, 24, 0.5,
                                             IParam::kFlagSignDisplay, 1, -3})); // the default, not the value
  EXPECT_STREQ(right.GetName(), "Right Gain");
  EXPECT_STREQ(right.GetGroup(), "Right");
  EXPECT_STREQ(right.GetDisplayText(0), "unity");
  EXPECT_STREQ(cut.GetName(), "Gain");
  EXPECT_STREQ(cut.GetGroup(), "Left");
  left.Init(left, "Left", "Both", ""); // a parameter may be its own source
  EXPECT_STREQ(left.GetName(), "Both Gain");
  EXPECT_EQ(left.NDisplayTexts(), 2); // texts are appended to those already present
}

TEST(IParam, JSONDescription)
{
  IParam i, unset, q;
  i.InitInt("Gain", 2, 0, 10);
  q.InitDouble("Say \"hi\"\n", 0, 0, 1, 0.1, "", 0, "", IParam::ShapeExp{});
  StringBuf json;
  i.GetJSON(json, 3);
  unset.GetJSON(json, 4);
  q.GetJSON(json, 5);
  EXPECT_STREQ(json.Get(),
               "{\"id\":3, \"name\":\"Gain\", \"type\":\"int\", \"min\":0.000000, \"max\":10.000000, "
               "\"default\":2.000000, \"display_type\":0, \"rate\":\"control\"}"
               "{\"id\":4, \"name\":\"\", \"min\":0.000000, \"max\":1.000000, "
               "\"default\":0.000000, \"display_type\":0, \"rate\":\"control\"}"
               "{\"id\":5, \"name\":\"Say \\\"hi\\\"\\u000a\", \"type\":\"float\", \"min\":0.000000, "
               "\"max\":1.000000, \"default\":0.000000, \"display_type\":1, \"rate\":\"control\"}");
}
