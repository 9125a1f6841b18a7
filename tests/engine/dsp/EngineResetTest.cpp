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
  Render(dsp, SineStereo(1000, -6, 48000, 4800), Preset42dV(), 512);
  ASSERT_NE(dsp.MeterReadout(0), 0.001);
  dsp.Reset(44100.0);
  EXPECT_EQ(dsp.MeterReadout(0), 0.001);
  EXPECT_EQ(dsp.MeterNeedle(0), 0.001);
  EXPECT_TRUE(dsp.BlockProcessed());
}

TEST(EngineReset, ResetForgetsTheCompressionOfEarlierAudio)
{
  // A loud programme leaves a deep envelope behind; a quiet one right after it comes out
  // attenuated, unless a reset cleared the envelope in between.
  ParamValues p = DefaultParamValues();
  p[kLThreshold] = p[kRThreshold] = 30;
  const Stereo loud = SineStereo(200.0, -1.0, 48000.0, 9600);
  const Stereo quiet = SineStereo(1000.0, -20.0, 48000.0, 4800);
  const auto quietLevelDb = [&](bool loudFirst, bool reset) {
    KelmoDsp dsp;
    Render(dsp, loudFirst ? loud : quiet, p, 512);
    if (reset) dsp.Reset(48000.0);
    const Stereo out = Render(dsp, quiet, p, 512);
    return ToDb(Rms(out.l, 0, 2400) + Rms(out.r, 0, 2400));
  };
  const double fresh = quietLevelDb(false, true);
  EXPECT_LT(quietLevelDb(true, false), fresh - 3.0);
  EXPECT_NEAR(quietLevelDb(true, true), fresh, 0.05);
}

TEST(EngineReset, UnusableRatesPassAudioThroughUnchanged)
{
  for (double rate : {4000.0, 0.0, -48000.0, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
    KelmoDsp dsp;
    dsp.Reset(rate);
    const Stereo in = SineStereo(100.0, -6.0, 8000.0, 1000);
    const Stereo out = Render(dsp, in, Preset42dV(), 100);
    EXPECT_EQ(out.l, in.l) << rate;
    EXPECT_EQ(out.r, in.r) << rate;
    // Back at a usable rate the engine processes again.
    dsp.Reset(48000.0);
    const Stereo again = Render(dsp, SineStereo(100.0, -6.0, 48000.0, 4800), Preset42dV(), 512);
    EXPECT_TRUE(AllFinite(again.l));
    EXPECT_NE(again.l, SineStereo(100.0, -6.0, 48000.0, 4800).l);
  }
}

TEST(EngineReset, RatesBeyondTheSinglePrecisionRangeStillProcess)
{
  // The rate is also kept as a float: past its range it must not become infinite (and mute).
  const Stereo in = SineStereo(1000.0, -6.0, 48000.0, 4800);
  const auto render = [&](double rate) {
    KelmoDsp dsp;
    dsp.Reset(rate);
    return Render(dsp, in, Preset42dV(), 512).l;
  };
  const std::vector<double> expected = render(3e38); // just inside the float range
  ASSERT_GT(Peak(expected, 2400), 0.5 * Peak(in.l));
  for (double rate : {1e39, std::numeric_limits<double>::max()}) {
    const std::vector<double> out = render(rate);
    EXPECT_TRUE(AllFinite(out) && MaxAbsDiff(out, expected) < 1e-6) << rate;
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
