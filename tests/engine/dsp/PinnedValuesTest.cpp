#include "engine/dsp/BlockValues.h"
#include "engine/dsp/Dilog.h"
#include "engine/dsp/DspMath.h"
#include "engine/dsp/GainPass.h"
#include "engine/dsp/NoiseGenerator.h"
#include "engine/dsp/ParamLimits.h"
#include "engine/dsp/SidechainCompensation.h"
#include "engine/dsp/TubeStage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelmo::dsp {
namespace {

TEST(Dilog, ExactPointsAndReferenceValues)
{
  EXPECT_EQ(Dilog(-1.0), -0.8224670334241132);
  EXPECT_EQ(Dilog(0.0), 0.0);
  EXPECT_EQ(Dilog(1.0), 1.6449340668482264);
  // Reference values of Li2 (real part above 1).
  EXPECT_NEAR(Dilog(0.5), 0.5822405264650125, 1e-14);
  EXPECT_NEAR(Dilog(-2.0), -1.4367463668836809, 1e-14);
  EXPECT_NEAR(Dilog(2.0), 2.4674011002723395, 1e-14);
  EXPECT_NEAR(Dilog(-10.0), -4.198277886858104, 1e-13);
}

TEST(Dilog, ContinuousAcrossBranchesAndFiniteFarOut)
{
  for (double edge : {-1.0, 0.0, 0.5, 1.0, 2.0}) {
    EXPECT_NEAR(Dilog(std::nextafter(edge, -10.0)), Dilog(edge), 1e-12) << edge;
    EXPECT_NEAR(Dilog(std::nextafter(edge, 10.0)), Dilog(edge), 1e-12) << edge;
  }
  EXPECT_TRUE(std::isfinite(Dilog(-1e300)));
  EXPECT_TRUE(std::isfinite(Dilog(1e300)));
  EXPECT_TRUE(std::isnan(Dilog(std::nan(""))));
}

TEST(TubeAntiderivatives, PinnedAndSymmetric)
{
  EXPECT_NEAR(TubeStage::F2(1.0), 0.15258009379489912, 1e-14);
  EXPECT_NEAR(TubeStage::F2(0.0), 0.0, 1e-16);
  EXPECT_NEAR(TubeStage::F1(1.0), std::log(std::cosh(1.0)), 1e-15);
  for (double x : {0.01, 0.3, 1.0, 4.0, 30.0}) {
    EXPECT_EQ(TubeStage::F2(-x), -TubeStage::F2(x)) << x;
    EXPECT_EQ(TubeStage::F1(-x), TubeStage::F1(x)) << x;
    // F2' = F1 (central difference).
    const double h = 1e-5;
    EXPECT_NEAR((TubeStage::F2(x + h) - TubeStage::F2(x - h)) / (2 * h), TubeStage::F1(x), 1e-7) << x;
  }
  // Far out the functions stay finite where cosh and exp(-2x) would overflow.
  EXPECT_TRUE(std::isfinite(TubeStage::F1(1000.0)));
  EXPECT_TRUE(std::isfinite(TubeStage::F2(-1000.0)));
  EXPECT_NEAR(TubeStage::F1(1000.0), 1000.0 - std::log(2.0), 1e-9);
}

TEST(NoiseGenerator, FirstBitsAndStateFromSeed)
{
  NoiseGenerator g;
  const int expected[] = {1, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 1,
                          0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0};
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(g.Draw(), expected[i]) << i;
  EXPECT_EQ(g.State0(), 7775534491268455026ULL);
  EXPECT_EQ(g.State1(), 11180718260133937325ULL);
}

TEST(NoiseGenerator, BitFollowsTheModuloFormulaOverALongRun)
{
  NoiseGenerator g;
  const auto rotl = [](uint64_t v, int k) { return (v << k) | (v >> (64 - k)); };
  int ones = 0;
  for (int i = 0; i < 200000; ++i) {
    const uint64_t out = rotl(g.State0() + g.State1(), 17) + g.State0();
    const uint32_t bit = (static_cast<uint32_t>(out % 44100u) * 6087u) >> 27;
    const int expected = bit > 1u ? 1 : static_cast<int>(bit);
    const int drawn = g.Draw();
    ASSERT_EQ(drawn, expected) << i;
    ones += drawn;
  }
  EXPECT_NEAR(ones, 100000, 2000);
}

TEST(NoiseGenerator, PeekDoesNotAdvance)
{
  NoiseGenerator a, b;
  for (int i = 0; i < 10; ++i) {
    const int peeked = a.PeekBit();
    EXPECT_EQ(a.PeekBit(), peeked);
    a.Advance();
    EXPECT_EQ(b.Draw(), peeked);
  }
}

TEST(NeedleMap, PinnedPoints)
{
  EXPECT_NEAR(NeedleForReadout(0.0), 0.0, 1e-14);
  EXPECT_NEAR(NeedleForReadout(-1.0), 0.26666666666, 1e-12);
  EXPECT_NEAR(NeedleForReadout(-2.0), 0.46666666666, 1e-12);
  EXPECT_NEAR(NeedleForReadout(-6.0), 0.46666666666 + 0.5 * 0.53333333334, 1e-12);
  EXPECT_NEAR(NeedleForReadout(-10.0), 1.0, 1e-12);
  EXPECT_NEAR(NeedleForReadout(-36.9), 1.0, 1e-12);
  EXPECT_LT(NeedleForReadout(0.001), 1e-14); // the sanitised start value shows no reduction
}

TEST(Ramps, ThresholdRampEndsInTheBlockValues)
{
  const auto blockFor = [](double leftThreshold, double rightThreshold) {
    ParamValues p = DefaultParamValues();
    p[kLThreshold] = leftThreshold;
    p[kRThreshold] = rightThreshold;
    BlockValues b;
    ComputeBlockValues(b, p, 48000.0, 2, 0.005f, 48000.0 / 44100.0, 120.0);
    return b;
  };
  const BlockValues bottom = blockFor(36.0, 35.0);
  EXPECT_NEAR(bottom.sides[0].thresholdRamp, 1.2e-12, 0.05e-12); // dead zone and knee vanish at -36 dB
  EXPECT_EQ(bottom.sides[1].thresholdRamp, 1.0);
  EXPECT_NEAR(bottom.sides[0].deadZone, bottom.sides[0].thresholdRamp * bottom.sides[0].thresholdGain, 1e-27);
  const BlockValues top = blockFor(0.0, 20.0);
  EXPECT_EQ(top.sides[0].thresholdRamp, 1.0);
  EXPECT_NEAR(top.sides[0].deadZone, 1.0, 1e-14);
  EXPECT_NEAR(top.sides[1].deadZone, 0.1, 1e-9); // -20 dB
  EXPECT_EQ(top.setOf[1], 0);                    // linked: channel 1 uses the left set
}

TEST(DspMath, SoftClipAndClampUnit)
{
  EXPECT_EQ(ClampUnit(2.0), 1.0);
  EXPECT_EQ(ClampUnit(-2.0), 1e-15);
  EXPECT_EQ(ClampUnit(0.0), 0.0);
  // x - 0.1481495 x^3 limited to [-1, 1]: past 1.5 the cubic folds back, and nothing limits x.
  const double softClip[][2] = {{0.5, 0.5 - 0.1481495 * 0.125},
                                {2.0, 2.0 - 0.1481495 * 8.0},
                                {1e6, -1.0},
                                {-1e200, 1.0},
                                {std::nan(""), -1.0}};
  for (const auto& [x, y] : softClip) {
    EXPECT_NEAR(SoftClip(x), y, 1e-15) << x;
    EXPECT_NEAR(SoftClip(Pair{0.25, x})[1], y, 1e-15) << x; // either lane of a pair
  }
  EXPECT_EQ(Smoothstep(1.0), 1.0);
  EXPECT_EQ(Smoothstep(0.5), 0.5);
}

TEST(SidechainCompensation, NeutralAtZeroGainAndLevelsBoosts)
{
  EXPECT_NEAR(SidechainCompensationGain(150.0, 0.0), 1.0, 1e-12);
  // +12 dB side-chain gain at 150 Hz: exp((fN * -0.2 - 12 * 0.95) * ln10/20) with fN = 150/1800.
  const double fN = static_cast<float>(150.0 * 0.0005555555555555556);
  EXPECT_NEAR(SidechainCompensationGain(150.0, 12.0), std::exp((fN * -0.2 + 12.0 * -0.95) * kDbToExp), 1e-7);
  const double cut = SidechainCompensationGain(150.0, -24.0);
  EXPECT_TRUE(std::isfinite(cut));
  EXPECT_GT(cut, 1.0); // a cut raises the compensation
}

TEST(BlockValues, SubStepFactorsAndConstants)
{
  EXPECT_EQ(SubStepFactorForIndex(0), 2);
  EXPECT_EQ(SubStepFactorForIndex(4), 16);
  EXPECT_EQ(SubStepFactorForIndex(5), -1);
  EXPECT_EQ(SubStepConstant(2), 1.1547);
  EXPECT_EQ(SubStepConstant(12), 0.65144);
  EXPECT_EQ(SubStepConstant(16), 0.643);
}

// The host switches as the block values name them; several are inverted on the host side.
TEST(BlockValues, SwitchesMeanWhatTheirNamesSay)
{
  struct Row
  {
    int param;
    double value;
    bool BlockValues::*global; // or, for a per-side switch, the left side's field:
    bool SideValues::*side;
    bool expected;
  };
  const Row rows[] = {
      {kChannelLink, 0, &BlockValues::linked, nullptr, true},
      {kChannelLink, 1, &BlockValues::linked, nullptr, false},
      {kPower, 1, &BlockValues::powerOff, nullptr, false},
      {kPower, 0, &BlockValues::powerOff, nullptr, true},
      {kPower, 1e-16, &BlockValues::powerOff, nullptr, true}, // within the power-switch epsilon of 0
      {kPower, 1e-14, &BlockValues::powerOff, nullptr, false},
      {kMidSideMode, 1, &BlockValues::midSide, nullptr, true},
      {kDelta, 1, &BlockValues::delta, nullptr, true},
      {kSidechainListen, 1, &BlockValues::listen, nullptr, true},
      {kLBypass, 1, nullptr, &SideValues::processed, true},
      {kLBypass, 0, nullptr, &SideValues::processed, false},
      {kLFeedBack, 1, nullptr, &SideValues::feedback, false},
      {kLFeedBack, 0, nullptr, &SideValues::feedback, true},
      {kLAutoRelease, 1, nullptr, &SideValues::autoRelease, true},
      {kLSidechainCompensation, 1, nullptr, &SideValues::compensationOn, true},
  };
  for (const Row& row : rows) {
    ParamValues p = DefaultParamValues();
    p[row.param] = row.value;
    BlockValues b;
    ComputeBlockValues(b, p, 48000.0, 2, 0.005f, 48000.0 / 44100.0, 120.0);
    const bool got = row.global ? b.*row.global : b.sides[0].*row.side;
    EXPECT_EQ(got, row.expected) << row.param << " = " << row.value;
  }
  // Unlinked, channel 1 follows the right set.
  ParamValues p = DefaultParamValues();
  p[kChannelLink] = 1;
  p[kRBypass] = 0;
  BlockValues b;
  ComputeBlockValues(b, p, 48000.0, 2, 0.005f, 1.0, 120.0);
  EXPECT_EQ(b.setOf[1], 1);
  EXPECT_FALSE(b.SetFor(1).processed);
  EXPECT_TRUE(b.SetFor(0).processed);
}

} // namespace
} // namespace kelmo::dsp
