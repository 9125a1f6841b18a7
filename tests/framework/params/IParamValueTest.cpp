#include "framework/params/IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using plugin::IParam;

TEST(IParamDefaults, FreshParameter)
{
  IParam p;
  EXPECT_EQ(p.Type(), IParam::kTypeNone);
  EXPECT_EQ(p.Unit(), IParam::kUnitCustom);
  EXPECT_EQ(p.Value(), 0.0);
  EXPECT_EQ(p.GetMin(), 0.0);
  EXPECT_EQ(p.GetMax(), 1.0);
  EXPECT_EQ(p.GetStep(), 1.0);
  EXPECT_EQ(p.GetFlags(), 0);
  EXPECT_STREQ(p.GetName(), "");
  EXPECT_EQ(p.GetShape().GetDisplayType(), 0);
  EXPECT_EQ(p.NDisplayTexts(), 0);
}

TEST(IParamRange, NeverNarrowerThanOneStep)
{
  IParam p;
  p.InitDouble("a", 0, 0, 0, 1);
  EXPECT_EQ(p.GetMax(), 1.0);
  p.InitDouble("b", 0, 0, 10, 20);
  EXPECT_EQ(p.GetMax(), 20.0);
  EXPECT_EQ(p.Type(), IParam::kTypeDouble);
}

TEST(IParamRange, DefaultOutsideTheRangeIsKeptAsGiven)
{
  IParam p;
  p.InitDouble("g", 15, 0, 10, 1);
  EXPECT_EQ(p.Value(), 10.0);
  EXPECT_EQ(p.GetDefault(), 15.0);
  EXPECT_EQ(p.GetDefault(true), 1.0); // what hosts and controls see stays within [0, 1]
}

TEST(IParamRange, ZeroStepNeitherSnapsNorDividesByZero)
{
  IParam p;
  p.InitDouble("z", 0.3, 2, 2, 0, "", IParam::kFlagStepped); // zero-width range
  EXPECT_EQ(p.GetMax(), 2.0);
  EXPECT_EQ(p.Value(), 2.0);
  EXPECT_EQ(p.ToNormalized(7.0), 0.0);
  EXPECT_EQ(p.FromNormalized(0.5), 2.0);

  IParam q;
  q.InitDouble("n", 0.3, 0, 1, 0, "", IParam::kFlagStepped);
  EXPECT_GE(q.GetMax(), q.GetMin());
  q.Set(0.37);
  EXPECT_EQ(q.Value(), 0.37); // no grid without a step
}

TEST(IParamConstrain, SnapsHalvesAwayFromZeroRelativeToZero)
{
  IParam p;
  p.InitDouble("s", 0, -5, 5, 0.5, "", IParam::kFlagStepped);
  p.Set(0.75);
  EXPECT_EQ(p.Value(), 1.0);
  p.Set(-0.75);
  EXPECT_EQ(p.Value(), -1.0);
  p.Set(99);
  EXPECT_EQ(p.Value(), 5.0);

  IParam off; // snapping is relative to 0, not to min
  off.InitDouble("o", 0.3, 0.3, 2.3, 1, "", IParam::kFlagStepped);
  EXPECT_EQ(off.Constrain(1.4), 1.0);
  EXPECT_EQ(off.Constrain(0.31), 0.3); // snapped to 0, clamped to min

  IParam neg; // a negative step snaps like its magnitude
  neg.InitDouble("n", 0, -1, 1, -0.5, "", IParam::kFlagStepped);
  EXPECT_EQ(neg.Constrain(0.37), 0.5);
  EXPECT_EQ(neg.Constrain(-0.75), -1.0);
}

TEST(IParamConstrain, NaNAndInfinity)
{
  IParam p;
  p.InitDouble("x", 1, -3, 4, 0.01);
  p.Set(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(p.Value(), -3.0);
  EXPECT_EQ(p.ToNormalized(std::nan("")), 0.0);
  p.SetNormalized(std::nan(""));
  EXPECT_EQ(p.Value(), -3.0);
  p.Set(std::numeric_limits<double>::infinity());
  EXPECT_EQ(p.Value(), 4.0);
  p.SetNormalized(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(p.Value(), -3.0);
  p.Set(0.123); // not stepped: kept as given
  EXPECT_EQ(p.Value(), 0.123);
}

TEST(IParamNormalise, LinearRoundTripAndClamping)
{
  IParam p;
  p.InitDouble("l", 0, -10, 30, 0.001);
  EXPECT_DOUBLE_EQ(p.ToNormalized(0), 0.25);
  EXPECT_DOUBLE_EQ(p.FromNormalized(0.75), 20.0);
  EXPECT_EQ(p.ToNormalized(100), 1.0);
  EXPECT_EQ(p.FromNormalized(2.0), 30.0); // not clamped first, but constrained after
  for (double n = 0; n <= 1.0; n += 0.125)
    EXPECT_NEAR(p.ToNormalized(p.FromNormalized(n)), n, 1e-12);
}

TEST(IParamNormalise, PowCurveShape)
{
  IParam p;
  p.InitDouble("p", 0, 0, 100, 0.0001, "", 0, "", IParam::ShapePowCurve(2.0));
  EXPECT_DOUBLE_EQ(p.FromNormalized(0.5), 25.0);
  EXPECT_DOUBLE_EQ(p.ToNormalized(25.0), 0.5);
  EXPECT_EQ(p.GetShape().GetDisplayType(), 4);
  EXPECT_EQ(IParam::ShapePowCurve(3.0).GetDisplayType(), 6);
  EXPECT_EQ(IParam::ShapePowCurve(0.3).GetDisplayType(), 5);
  EXPECT_EQ(IParam::ShapePowCurve(0.5).GetDisplayType(), 3);
  EXPECT_EQ(IParam::ShapePowCurve(1.0).GetDisplayType(), 0);
}

TEST(IParamNormalise, ExpShapeUsesTinyLowerEndForZeroMin)
{
  IParam p;
  p.InitFrequency("f", 1000, 0, 20000, 1);
  const auto& shape = static_cast<const IParam::ShapeExp&>(p.GetShape());
  EXPECT_DOUBLE_EQ(shape.GetAdd(), std::log(1e-8));
  EXPECT_DOUBLE_EQ(shape.GetMul(), std::log(20000 / 1e-8));
  EXPECT_EQ(shape.GetDisplayType(), 1);
  EXPECT_EQ(p.Unit(), IParam::kUnitFrequency);
  EXPECT_STREQ(p.GetLabelText(), "Hz");

  IParam q;
  q.InitFrequency("g", 100, 20, 20000, 0.1);
  EXPECT_NEAR(q.FromNormalized(0.5), std::sqrt(20.0 * 20000.0), 0.05);
  EXPECT_NEAR(q.ToNormalized(q.FromNormalized(0.3)), 0.3, 1e-5);
  EXPECT_EQ(q.ToNormalized(0.0), 0.0); // below the range: clamped, never NaN
}

TEST(IParamNormalise, ConversionsSnapStepped)
{
  IParam p;
  p.InitInt("i", 0, 0, 4);
  EXPECT_EQ(p.FromNormalized(0.3), 1.0);   // 1.2 -> 1
  EXPECT_EQ(p.FromNormalized(0.375), 2.0); // 1.5 -> 2
  p.SetNormalized(0.9);
  EXPECT_EQ(p.Value(), 4.0);
  EXPECT_EQ(p.GetNormalized(), 1.0);
}
