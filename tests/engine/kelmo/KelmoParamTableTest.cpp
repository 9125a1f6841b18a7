#include "support/engine/KelmoTestSupport.h"

#include "engine/dsp/ParamLimits.h"
#include "framework/buffers/StringBuf.h"

#include <cmath>

using namespace kelmotest;
using plugin::IParam;

namespace {

enum EShape { kLin, kExp };

struct Expected
{
  int idx;
  const char* name;
  IParam::EParamType type;
  double min, max, def, step;
  const char* label;
  int flags; // with the stepped flag that int and enum parameters add
  EShape shape;
  IParam::EParamUnit unit;
};

constexpr auto D = IParam::kTypeDouble;
constexpr auto I = IParam::kTypeInt;
constexpr auto E = IParam::kTypeEnum;
constexpr auto C = IParam::kUnitCustom;
constexpr auto F = IParam::kUnitFrequency;

// The parameter table as the plug-in's definition gives it.
const Expected kTable[] = {
    {0, "Power", I, 0, 1, 1, 1, "", 18, kLin, C},
    {1, "L Wet Gain", D, -16, 8, 0, 0.1, "", 16, kLin, C},
    {2, "L Threshold", D, 0, 36, 0, 0.1, "", 20, kLin, C},
    {3, "L FeedBack", I, 0, 1, 1, 1, "", 18, kLin, C},
    {4, "L Attack", D, 0.2, 40, 20, 0.1, "", 16, kLin, C},
    {5, "L Release", D, 100, 2000, 450, 1, "", 16, kExp, C},
    {6, "L Sidechain Frequency", D, 50, 1800, 150, 1, "Hz", 16, kExp, F},
    {7, "L Sidechain Gain", D, -48, 12, 0, 0.1, "dB", 16, kLin, C},
    {8, "L Bypass", I, 0, 1, 1, 1, "", 18, kLin, C},
    {9, "R Wet Gain", D, -16, 8, 0, 0.1, "", 16, kLin, C},
    {10, "R Threshold", D, 0, 36, 0, 0.1, "", 20, kLin, C},
    {11, "R FeedBack", I, 0, 1, 1, 1, "", 18, kLin, C},
    {12, "R Attack", D, 0.2, 40, 20, 0.1, "", 16, kLin, C},
    {13, "R Release", D, 100, 2000, 450, 1, "", 16, kExp, C},
    {14, "R Sidechain Frequency", D, 5, 1800, 150, 1, "Hz", 16, kExp, F},
    {15, "R Sidechain Gain", D, -48, 12, 0, 0.1, "dB", 16, kLin, C},
    {16, "R Bypass", I, 0, 1, 1, 1, "", 18, kLin, C},
    {17, "Vari Gain", D, 0, 100, 0, 1, "%", 16, kLin, C},
    {18, "Channel Link", I, 0, 1, 0, 1, "", 18, kLin, C},
    {19, "Mid Side Mode", I, 0, 1, 0, 1, "", 18, kLin, C},
    {20, "OverSampling", I, 0, 4, 0, 1, "", 2, kLin, C},
    {21, "Delta", I, 0, 1, 0, 1, "", 18, kLin, C},
    {22, "Level Calibration", D, -24, 4, 0, 0.1, "", 0, kLin, C},
    {23, "Link Channel Controls", I, 0, 1, 1, 1, "", 18, kLin, C},
    {24, "Input Gain", D, -16, 16, 0, 0.1, "", 0, kLin, C},
    {25, "Output Gain", D, -16, 16, 0, 0.1, "", 0, kLin, C},
    {26, "Plugin Scale", D, 1, 2, 1, 0.01, "", 16, kLin, C},
    {27, "Noise Amount", D, 0, 1, 0.3, 0.01, "", 0, kLin, C},
    {28, "Sidechain Listen", I, 0, 1, 0, 1, "", 18, kLin, C},
    {29, "Triode / Pentode", I, 0, 1, 1, 1, "", 18, kLin, C},
    {30, "Triode / Pentode", I, 0, 1, 1, 1, "", 18, kLin, C},
    {31, "Dry Blend", D, 0, 100, 100, 1, "%", 16, kLin, C},
    {32, "\xCE\xBC-Diff", D, 0, 100, 0, 1, "%", 16, kLin, C},
    {33, "L Auto Release", I, 0, 1, 0, 1, "", 18, kLin, C},
    {34, "R Auto Release", I, 0, 1, 0, 1, "", 18, kLin, C},
    {35, "L Sync Release", E, 0, 6, 0, 1, "", 18, kLin, C},
    {36, "R Sync Release", E, 0, 6, 0, 1, "", 18, kLin, C},
    {37, "Comparison slot", E, 0, 1, 0, 1, "", 2, kLin, C},
    {38, "L Sidechain Compensation", I, 0, 1, 0, 1, "", 2, kLin, C},
    {39, "R Sidechain Compensation", I, 0, 1, 0, 1, "", 2, kLin, C},
    {40, "L Sidechain Input", E, 0, 3, 2, 1, "", 18, kLin, C},
    {41, "R Sidechain Input", E, 0, 3, 3, 1, "", 18, kLin, C},
    {42, "L Sidechain blend", D, 0, 100, 0, 1, "%", 16, kLin, C},
    {43, "R Sidechain blend", D, 0, 100, 0, 1, "%", 16, kLin, C},
};

std::string Display(const IParam& p, double value)
{
  plugin::StringBuf out;
  p.GetDisplay(value, false, out);
  return out.Get();
}

std::string DisplayWithLabel(const IParam& p)
{
  plugin::StringBuf out;
  p.GetDisplayWithLabel(out);
  return out.Get();
}

std::vector<std::string> Texts(const IParam& p)
{
  std::vector<std::string> out;
  for (int i = 0; i < p.NDisplayTexts(); ++i) {
    double v = -1.0;
    const char* text = p.GetDisplayTextAtIdx(i, &v);
    EXPECT_EQ(v, static_cast<double>(i)) << p.GetName();
    out.push_back(text);
  }
  return out;
}

using ParamTable = KelmoTest;

} // namespace

TEST_F(ParamTable, EveryParameterMatchesTheDefinition)
{
  TestKelmo k;
  ASSERT_EQ(k.NParams(), 44);
  ASSERT_EQ(std::size(kTable), 44u);
  for (const Expected& e : kTable) {
    SCOPED_TRACE(e.idx);
    const IParam& p = *k.GetParam(e.idx);
    EXPECT_STREQ(p.GetName(), e.name);
    EXPECT_EQ(p.Type(), e.type);
    EXPECT_EQ(p.GetMin(), e.min);
    EXPECT_EQ(p.GetMax(), e.max);
    EXPECT_EQ(p.GetDefault(), e.def);
    EXPECT_EQ(p.Value(), e.def);
    // The signal path clamps to its own table: a value the host accepts must be processed as is.
    EXPECT_EQ(kelmo::dsp::GetParamLimit(e.idx).min, e.min);
    EXPECT_EQ(kelmo::dsp::GetParamLimit(e.idx).max, e.max);
    EXPECT_EQ(kelmo::dsp::DefaultParamValues()[e.idx], e.def);
    EXPECT_EQ(p.GetStep(), e.step);
    EXPECT_STREQ(p.GetLabelText(), e.label);
    EXPECT_STREQ(p.GetGroup(), "");
    EXPECT_EQ(p.GetFlags(), e.flags);
    EXPECT_EQ(p.Unit(), e.unit);
    EXPECT_FALSE(p.GetDisplayFunc());
    const bool isExp = dynamic_cast<const IParam::ShapeExp*>(&p.GetShape()) != nullptr;
    const bool isLin = dynamic_cast<const IParam::ShapeLinear*>(&p.GetShape()) != nullptr;
    EXPECT_EQ(isExp, e.shape == kExp);
    EXPECT_EQ(isLin, e.shape == kLin);
    if (p.Type() != IParam::kTypeEnum) {
      EXPECT_EQ(p.NDisplayTexts(), 0);
    }
  }
}

TEST_F(ParamTable, EnumDisplayTexts)
{
  TestKelmo k;
  const std::vector<std::string> sync{"BUS", "1/1", "1/2", "1/4", "1/8", "1/16", "1/32"};
  const std::vector<std::string> inputs{"ch 1", "ch 2", "ext 1", "ext 2"};
  EXPECT_EQ(Texts(*k.GetParam(kLSyncRelease)), sync);
  EXPECT_EQ(Texts(*k.GetParam(kRSyncRelease)), sync);
  EXPECT_EQ(Texts(*k.GetParam(kComparisonSlot)), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Texts(*k.GetParam(kLSidechainInput)), inputs);
  EXPECT_EQ(Texts(*k.GetParam(kRSidechainInput)), inputs);
  EXPECT_EQ(k.GetParam(kOverSampling)->NDisplayTexts(), 0);

  EXPECT_EQ(Display(*k.GetParam(kLSyncRelease), 3), "1/4");
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kLSidechainInput)), "ext 1");
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kRSidechainInput)), "ext 2");
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kComparisonSlot)), "A");
  EXPECT_EQ(Display(*k.GetParam(kOverSampling), 3), "3");
}

TEST_F(ParamTable, NumericDisplayFollowsStepAndNegation)
{
  TestKelmo k;
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kDryBlend)), "100 %");
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kNoiseAmount)), "0.30");
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kPluginScale)), "1.00");
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kLSidechainFrequency)), "150 Hz");
  EXPECT_EQ(DisplayWithLabel(*k.GetParam(kLSidechainGain)), "0.0 dB");
  // Thresholds are stored as positive amounts and shown as the level they stand for.
  const IParam& th = *k.GetParam(kLThreshold);
  EXPECT_EQ(Display(th, 12.5), "-12.5");
  EXPECT_EQ(Display(th, 0.0), "0.0");
  EXPECT_DOUBLE_EQ(th.StringToValue("-12.5"), 12.5);
  EXPECT_EQ(th.GetDisplayPrecision(), 1);
  EXPECT_EQ(k.GetParam(kNoiseAmount)->GetDisplayPrecision(), 2);
  EXPECT_EQ(k.GetParam(kLRelease)->GetDisplayPrecision(), 0);
}

TEST_F(ParamTable, ExponentialShapesNormaliseGeometrically)
{
  TestKelmo k;
  const IParam& lRel = *k.GetParam(kLRelease);
  const IParam& rRel = *k.GetParam(kRRelease);
  const IParam& lFreq = *k.GetParam(kLSidechainFrequency);
  const IParam& rFreq = *k.GetParam(kRSidechainFrequency);

  // Normalised 0.5 is the geometric mean of the range ends.
  EXPECT_NEAR(lRel.FromNormalized(0.5), std::sqrt(100.0 * 2000.0), 1e-9);
  EXPECT_NEAR(rRel.FromNormalized(0.5), 447.2135955, 1e-6);
  EXPECT_NEAR(lFreq.FromNormalized(0.5), 300.0, 1e-9);
  EXPECT_NEAR(rFreq.FromNormalized(0.5), std::sqrt(5.0 * 1800.0), 1e-9);
  EXPECT_NEAR(rFreq.FromNormalized(0.5), 94.868, 1e-3);
  // The default 150 Hz sits at log(150 / min) / log(max / min).
  EXPECT_NEAR(lFreq.ToNormalized(150.0), std::log(3.0) / std::log(36.0), 1e-12);
  EXPECT_NEAR(lFreq.ToNormalized(150.0), 0.3066, 1e-4);
  EXPECT_NEAR(rFreq.ToNormalized(150.0), std::log(30.0) / std::log(360.0), 1e-12);
  EXPECT_NEAR(rFreq.ToNormalized(150.0), 0.5778, 1e-4);
  // The ends map to the range ends, and the linear parameters stay linear.
  EXPECT_NEAR(lRel.FromNormalized(0.0), 100.0, 1e-9);
  EXPECT_NEAR(lRel.FromNormalized(1.0), 2000.0, 1e-9);
  EXPECT_NEAR(k.GetParam(kLAttack)->FromNormalized(0.5), 20.1, 1e-12);
}

TEST_F(ParamTable, ValuesAreConstrainedByEachParametersRules)
{
  TestKelmo k;
  IParam& lFreq = *k.GetParam(kLSidechainFrequency);
  IParam& rFreq = *k.GetParam(kRSidechainFrequency);
  lFreq.Set(5.0);
  rFreq.Set(5.0);
  EXPECT_EQ(lFreq.Value(), 50.0);
  EXPECT_EQ(rFreq.Value(), 5.0);
  lFreq.Set(1e6);
  EXPECT_EQ(lFreq.Value(), 1800.0);

  // Doubles are not snapped to their step; ints and enums are.
  k.GetParam(kLThreshold)->Set(8.96);
  EXPECT_EQ(k.GetParam(kLThreshold)->Value(), 8.96);
  k.GetParam(kLSyncRelease)->Set(2.6);
  EXPECT_EQ(k.GetParam(kLSyncRelease)->Value(), 3.0);
  k.GetParam(kOverSampling)->Set(9.0);
  EXPECT_EQ(k.GetParam(kOverSampling)->Value(), 4.0);

  // NaN takes the lower end; infinities their end.
  k.GetParam(kLWetGain)->Set(std::nan(""));
  EXPECT_EQ(k.GetParam(kLWetGain)->Value(), -16.0);
  k.GetParam(kOutputGain)->Set(INFINITY);
  EXPECT_EQ(k.GetParam(kOutputGain)->Value(), 16.0);
  k.GetParam(kOutputGain)->Set(-INFINITY);
  EXPECT_EQ(k.GetParam(kOutputGain)->Value(), -16.0);
}
