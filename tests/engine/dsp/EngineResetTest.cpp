#include "tests/engine/dsp/DspTestUtil.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelmo::dsp::test {
namespace {

TEST(EngineReset, StartsQuietWithMetersAtOneThousandth)
{
  KelmoDsp dsp;
  EXPECT_FALSE(dsp.BlockProcessed());
  EXPECT_EQ(dsp.MeterReadout(0), 0.001);
  EXPECT_EQ(dsp.MeterNeedle(1), 0.001);
  EXPECT_EQ(dsp.SampleRate(), 48000.0);
  Render(dsp, SineStereo(1000, -6, 48000, 4800), Preset42dV(), 512);
  ASSERT_NE(dsp.MeterReadout(0), 0.001);
  dsp.Reset(44100.0, 256, 2);
  EXPECT_EQ(dsp.MeterReadout(0), 0.001);
  EXPECT_EQ(dsp.MeterNeedle(0), 0.001);
  EXPECT_EQ(dsp.Channel(0).detectorState[3], 1e-15);
  EXPECT_EQ(dsp.Filters().z1[22][1], 1e-15);
  EXPECT_TRUE(dsp.BlockProcessed());
}

TEST(EngineReset, RateRatioNeverBelowOne)
{
  KelmoDsp dsp;
  dsp.Reset(22050.0, 512, 2);
  EXPECT_EQ(dsp.SampleRateRatio(), 1.0);
  dsp.Reset(96000.0, 512, 2);
  EXPECT_NEAR(dsp.SampleRateRatio(), 96000.0 / 44100.0, 1e-12);
}

TEST(EngineReset, OverSamplingChangeTakesEffectAtTheNextBlock)
{
  KelmoDsp dsp;
  ParamValues p = DefaultParamValues();
  const double* in[4] = {};
  dsp.Process<double>(in, 4, nullptr, 0, 0, p, 120.0);
  EXPECT_EQ(dsp.SubStepFactor(), 2);
  for (int index = 0; index <= 4; ++index) {
    p[kOverSampling] = index;
    dsp.OnParamChange(kOverSampling);
    dsp.Process<double>(in, 4, nullptr, 0, 0, p, 120.0);
    const int expected[] = {2, 4, 8, 12, 16};
    EXPECT_EQ(dsp.SubStepFactor(), expected[index]);
  }
}

TEST(EngineReset, FixedBankIsDesignedOncePerRateOrFactorChange)
{
  const double* in[4] = {};
  KelmoDsp dsp;
  // A rate a float cannot hold exactly must not count as a change in every block.
  dsp.Reset(48000.1, 512, 2);
  const long before = dsp.FixedBankDesigns();
  for (int i = 0; i < 10; ++i)
    dsp.Process<double>(in, 4, nullptr, 0, 0, DefaultParamValues(), 120.0);
  EXPECT_EQ(dsp.FixedBankDesigns(), before + 1);
  ParamValues p = DefaultParamValues();
  p[kOverSampling] = 3;
  dsp.Process<double>(in, 4, nullptr, 0, 0, p, 120.0);
  dsp.Process<double>(in, 4, nullptr, 0, 0, p, 120.0);
  EXPECT_EQ(dsp.FixedBankDesigns(), before + 2);
  dsp.OnParamChange(kOverSampling);
  dsp.OnParamChange(kLThreshold); // other parameters ask for nothing
  dsp.Process<double>(in, 4, nullptr, 0, 0, p, 120.0);
  EXPECT_EQ(dsp.FixedBankDesigns(), before + 3);
}

TEST(EngineReset, RateFactorFollowsTheRate)
{
  const double* in[4] = {};
  KelmoDsp dsp;
  dsp.Reset(44100.0, 512, 2);
  dsp.Process<double>(in, 4, nullptr, 0, 0, DefaultParamValues(), 120.0);
  EXPECT_EQ(dsp.RateFactor(), 1e-15f);
  dsp.Reset(96000.0, 512, 2);
  dsp.Process<double>(in, 4, nullptr, 0, 0, DefaultParamValues(), 120.0);
  EXPECT_EQ(dsp.RateFactor(), static_cast<float>(96000.0 * 1.381406271584473e-6 - 0.06092001657687526));
}

TEST(EngineReset, UnusableRatesPassAudioThroughUnchanged)
{
  for (double rate : {4000.0, 0.0, -48000.0, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
    KelmoDsp dsp;
    dsp.Reset(rate, 512, 2);
    const Stereo in = SineStereo(100.0, -6.0, 8000.0, 1000);
    const Stereo out = Render(dsp, in, Preset42dV(), 100);
    EXPECT_EQ(out.l, in.l) << rate;
    EXPECT_EQ(out.r, in.r) << rate;
    // Back at a usable rate the engine processes again.
    dsp.Reset(48000.0, 512, 2);
    const Stereo again = Render(dsp, SineStereo(100.0, -6.0, 48000.0, 4800), Preset42dV(), 512);
    EXPECT_TRUE(AllFinite(again.l));
    EXPECT_NE(again.l, SineStereo(100.0, -6.0, 48000.0, 4800).l);
  }
}

TEST(EngineReset, PointersAndCountsAtTheBoundary)
{
  const Stereo in = SineStereo(300.0, -6.0, 48000.0, 512);
  KelmoDsp a, b;
  // Missing side-chain pointers read as silence, like explicit zero buffers.
  const std::vector<double> zeros(512, 0.0);
  const double* withZeros[4] = {in.l.data(), in.r.data(), zeros.data(), zeros.data()};
  const double* shortList[2] = {in.l.data(), in.r.data()};
  std::vector<double> la(512), ra(512), lb(512, 7.0);
  double* outA[2] = {la.data(), ra.data()};
  double* outB[2] = {lb.data(), nullptr};
  ParamValues p = Preset42dV();
  p[kLSidechainBlend] = p[kRSidechainBlend] = 50;
  a.Process(withZeros, 4, outA, 2, 512, p, 120.0);
  b.Process(shortList, 2, outB, 2, 512, p, 120.0);
  EXPECT_EQ(la, lb); // the null right output was skipped, nothing crashed
  // Null arrays: silence in, nothing written.
  KelmoDsp c;
  c.Process<double>(nullptr, 0, nullptr, 0, 512, p, 120.0);
  EXPECT_TRUE(c.BlockProcessed());
}

TEST(EngineReset, HostileParametersAndTempoAreMadeSafe)
{
  ParamValues wild = Preset42dV();
  wild[kLThreshold] = 1e9;
  wild[kLAttack] = -5;
  wild[kOverSampling] = 99;
  wild[kLSidechainInput] = 17;
  wild[kVariGain] = std::numeric_limits<double>::quiet_NaN();
  wild[kLTriodePentode] = 3;
  ParamValues safe = Preset42dV();
  safe[kLThreshold] = 36;
  safe[kLAttack] = 0.2;
  safe[kOverSampling] = 4;
  safe[kLSidechainInput] = 3;
  safe[kVariGain] = 0; // default
  safe[kLTriodePentode] = 1;
  const Stereo in = SineStereo(300.0, -6.0, 48000.0, 4800);
  KelmoDsp a, b;
  EXPECT_EQ(Render(a, in, wild, 512, std::numeric_limits<double>::quiet_NaN()).l,
            Render(b, in, safe, 512, 0.0).l);
}

} // namespace
} // namespace kelmo::dsp::test
