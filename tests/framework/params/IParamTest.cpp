#include "framework/params/IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

using plugin::IParam;
using plugin::StringBuf;
using enum IParam::EFlags;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Everything an init operation defines, as one text (type and unit as their codes).
std::string DefinitionOf(const IParam& p)
{
  StringBuf s;
  s.SetFormatted(256, "type %d unit %d '%s' %g..%g step %g flags %d precision %d value %g", p.Type(),
                 p.Unit(), p.GetLabelText(), p.GetMin(), p.GetMax(), p.GetStep(), p.GetFlags(),
                 p.GetDisplayPrecision(), p.Value());
  return s.Get();
}

} // namespace

TEST(IParam, InitOperationsDefineTheWholeRecord)
{
  IParam p[17];
  p[1].InitBool("b", true, "", kFlagMarked, "g", "Off", "On");
  p[2].InitEnum("e", 1, {"A", "B", "C"});
  p[3].InitInt("i", 9, 0, 4, "n");
  p[4].InitPitch("n", 2, 60, 72);
  p[5].InitSeconds("s", 1, 0, 10, 0.1);
  p[6].InitMilliseconds("m", 1, 0, 100);
  p[7].InitGain("g", 0, -70, 24, 0.25);
  p[8].InitPercentage("p", 5, 0, 100);
  p[9].InitAngleDegrees("a", 0, 0, 360);
  p[10].InitFrequency("f", 1e3, 20, 2e4, 0.001);
  p[11].InitDouble("z", 0, 0, 0, 1); // never narrower than one step
  p[12].InitDouble("w", 15, 0, 10, 20);
  p[13].InitDouble("d", 15, 0, 10, 0.125); // the value is the constrained default
  p[14].InitDouble("k", 0, 0, 1, 1e-5);
  p[15].InitDouble("t", 0, 0, 1, 1e-7);
  p[16].InitInt("x", 3, 0, 9);
  p[16].Set(7);
  p[16].InitDouble("x", 0.2, 0, 1, 0.1); // a second init redefines everything and resets the value
  const char* expected[] = {"type 0 unit 21 '' 0..1 step 1 flags 0 precision 0 value 0",
                            "type 1 unit 21 '' 0..1 step 1 flags 18 precision 0 value 1",
                            "type 3 unit 21 '' 0..2 step 1 flags 2 precision 0 value 1",
                            "type 2 unit 21 'n' 0..4 step 1 flags 2 precision 0 value 4",
                            "type 3 unit 21 '' 0..12 step 1 flags 2 precision 0 value 2",
                            "type 4 unit 1 'Seconds' 0..10 step 0.1 flags 0 precision 1 value 1",
                            "type 4 unit 2 'ms' 0..100 step 1 flags 0 precision 0 value 1",
                            "type 4 unit 4 'dB' -70..24 step 0.25 flags 0 precision 2 value 0",
                            "type 4 unit 0 '%' 0..100 step 1 flags 0 precision 0 value 5",
                            "type 4 unit 8 'degrees' 0..360 step 1 flags 0 precision 0 value 0",
                            "type 4 unit 12 'Hz' 20..20000 step 0.001 flags 0 precision 3 value 1000",
                            "type 4 unit 21 '' 0..1 step 1 flags 0 precision 0 value 0",
                            "type 4 unit 21 '' 0..20 step 20 flags 0 precision 0 value 15",
                            "type 4 unit 21 '' 0..10 step 0.125 flags 0 precision 3 value 10",
                            "type 4 unit 21 '' 0..1 step 1e-05 flags 0 precision 5 value 0",
                            "type 4 unit 21 '' 0..1 step 1e-07 flags 0 precision 6 value 0",
                            "type 2 unit 21 '' 0..1 step 0.1 flags 0 precision 1 value 0.2"};
  for (int i = 0; i < 17; ++i)
    EXPECT_EQ(DefinitionOf(p[i]), expected[i]) << i;
}

TEST(IParam, ShapesConvertBothWays)
{
  IParam lin, pow, exp, expZero, steps;
  lin.InitDouble("l", 0, -10, 30, 0.001);
  pow.InitDouble("p", 0, 0, 100, 0.0001, "", 0, "", IParam::ShapePowCurve(2.0));
  exp.InitDouble("e", 100, 20, 20000, 0.1, "", 0, "", IParam::ShapeExp{});
  expZero.InitFrequency("z", 1000, 0, 20000, 1); // a zero minimum is 1e-8 for the shape
  steps.InitInt("i", 0, 0, 4);
  const double mid = std::sqrt(20.0 * 20000), third = 20 * std::pow(1000.0, 0.3);
  const std::tuple<const IParam*, double, double> fromNormalized[] = {{&lin, 0.75, 20},    {&lin, 2.0, 30},
                                                                      {&pow, 0.5, 25},     {&exp, 0.5, mid},
                                                                      {&expZero, 0, 1e-8}, {&steps, 0.3, 1},
                                                                      {&steps, 0.375, 2}},
                                                  toNormalized[] = {{&lin, 0.25, 0},    {&lin, 1, 100},
                                                                    {&pow, 0.5, 25},    {&exp, 0, 0},
                                                                    {&exp, 0.3, third}, {&lin, 0, kNaN},
                                                                    {&steps, 1, 4.9}};
  for (const auto& [p, normalized, value] : fromNormalized)
    EXPECT_NEAR(p->FromNormalized(normalized), value, 1e-9 * value) << p->GetName() << normalized;
  for (const auto& [p, normalized, value] : toNormalized)
    EXPECT_NEAR(p->ToNormalized(value), normalized, 1e-9) << p->GetName() << value;
  const std::pair<double, int> powTypes[] = {{3.0, 6}, {2.0, 4}, {0.3, 5}, {0.5, 3}, {1.0, 0}};
  for (const auto& [exponent, type] : powTypes)
    EXPECT_EQ(IParam::ShapePowCurve(exponent).GetDisplayType(), type) << exponent;
  EXPECT_EQ(IParam::ShapeExp().GetDisplayType(), 1);
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
