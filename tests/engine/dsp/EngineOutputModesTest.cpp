#include "engine/dsp/BlockValues.h"
#include "tests/engine/dsp/DspTestUtil.h"

#include <gtest/gtest.h>

namespace kelmo::dsp::test {
namespace {

constexpr double kRate = 48000.0;

TEST(EngineOutputModes, DefaultsAreTransparent)
{
  for (int overSampling : {0, 4}) {
    KelmoDsp dsp;
    ParamValues p = DefaultParamValues();
    p[kOverSampling] = overSampling;
    const Stereo in = SineStereo(1000.0, -6.0, kRate, 24000);
    const Stereo out = Render(dsp, in, p, 512);
    EXPECT_LT(MaxAbsDiff(in.l, out.l), 1e-9) << overSampling;
    EXPECT_LT(MaxAbsDiff(in.r, out.r), 1e-9) << overSampling;
  }
}

TEST(EngineOutputModes, PowerOffPassesInputExactlyAndDeltaGivesZero)
{
  ParamValues p = Preset42dV();
  p[kPower] = 0;
  const Stereo in = SineStereo(300.0, -3.0, kRate, 9600);
  KelmoDsp dsp;
  const Stereo out = Render(dsp, in, p, 256);
  EXPECT_EQ(out.l, in.l);
  EXPECT_EQ(out.r, in.r);

  p[kDelta] = 1;
  KelmoDsp deltaDsp;
  const Stereo delta = Render(deltaDsp, in, p, 256);
  EXPECT_EQ(Peak(delta.l), 0.0);
  EXPECT_EQ(Peak(delta.r), 0.0);
}

TEST(EngineOutputModes, DeltaIsProcessedMinusInputLimited)
{
  ParamValues p = DefaultParamValues();
  p[kLThreshold] = p[kRThreshold] = 20;
  const Stereo in = SineStereo(500.0, -6.0, kRate, 9600);
  KelmoDsp plain, withDelta;
  const Stereo processed = Render(plain, in, p, 128);
  p[kDelta] = 1;
  const Stereo delta = Render(withDelta, in, p, 128);
  double worst = 0.0;
  for (size_t n = 0; n < in.Frames(); ++n) {
    const double expected = std::clamp(processed.l[n] - in.l[n], -1.0, 1.0);
    worst = std::max(worst, std::fabs(delta.l[n] - expected));
  }
  EXPECT_EQ(worst, 0.0);
  EXPECT_GT(Peak(delta.l, 4800), 0.1); // compression removed a clear part of the signal
}

TEST(EngineOutputModes, SidechainListenOutputsTheShapedSidechain)
{
  // Full blend from the external side-chain: the listen output is the side-chain, not the programme.
  ParamValues p = DefaultParamValues();
  p[kChannelLink] = 1;
  p[kLSidechainBlend] = p[kRSidechainBlend] = 100;
  p[kSidechainListen] = 1;
  Stereo in{Sine(100.0, -6.0, kRate, 9600), Sine(100.0, -6.0, kRate, 9600), Sine(3000.0, -12.0, kRate, 9600),
            Sine(2000.0, -18.0, kRate, 9600)};
  KelmoDsp dsp;
  const Stereo out = Render(dsp, in, p, 512);
  EXPECT_NEAR(ToDb(Rms(out.l, 4800)), ToDb(Rms(in.scL, 4800)), 0.1);
  EXPECT_NEAR(ToDb(Rms(out.r, 4800)), ToDb(Rms(in.scR, 4800)), 0.1);

  // A side-chain cut of -48 dB leaves only the high-passed side-chain: a 40 Hz tone nearly vanishes.
  in.scL = in.scR = Sine(40.0, -6.0, kRate, 9600);
  p[kLSidechainGain] = p[kRSidechainGain] = -48;
  KelmoDsp cut;
  const Stereo cutOut = Render(cut, in, p, 512);
  EXPECT_LT(Rms(cutOut.l, 4800), 0.25 * Rms(in.scL, 4800));
}

TEST(EngineOutputModes, MidSideRoundTripIsTransparent)
{
  ParamValues p = DefaultParamValues();
  p[kMidSideMode] = 1;
  // The side channel is L - R: keep it below full scale so that nothing reaches the threshold.
  const Stereo in = SineStereo(700.0, -7.0, kRate, 24000);
  KelmoDsp dsp;
  const Stereo out = Render(dsp, in, p, 512);
  EXPECT_LT(MaxAbsDiff(in.l, out.l), 1e-9);
  EXPECT_LT(MaxAbsDiff(in.r, out.r), 1e-9);
}

TEST(EngineOutputModes, WetGainBottomMutesProcessedSignal)
{
  ParamValues p = DefaultParamValues();
  p[kLWetGain] = p[kRWetGain] = -16;
  const Stereo in = SineStereo(1000.0, -6.0, kRate, 9600);
  KelmoDsp dsp;
  const Stereo muted = Render(dsp, in, p, 512);
  EXPECT_LT(Peak(muted.l), 1e-9);
  EXPECT_LT(Peak(muted.r), 1e-9);

  // One step up the signal comes back at the wet gain.
  p[kLWetGain] = p[kRWetGain] = -15;
  KelmoDsp up;
  const Stereo audible = Render(up, in, p, 512);
  EXPECT_NEAR(ToDb(Rms(audible.l, 4800) / Rms(in.l, 4800)), -15.0, 0.05);

  // With "Dry Blend" 0 the unprocessed input comes through, scaled by "Output Gain".
  p[kDryBlend] = 0;
  p[kOutputGain] = -6;
  KelmoDsp dry;
  const Stereo dryOut = Render(dry, in, p, 512);
  for (size_t n = 0; n < in.Frames(); n += 97)
    EXPECT_NEAR(dryOut.l[n], in.l[n] * DbToGain(-6.0), 1e-12);
}

TEST(EngineOutputModes, StereoStageOnlyAboveOnePercentVariGain)
{
  for (double variGain : {0.0, 1.0, 1.01, 2.0}) {
    ParamValues p = DefaultParamValues();
    p[kVariGain] = variGain;
    BlockValues b;
    ComputeBlockValues(b, p, kRate, 2, 1e-15f, 1.0, 120.0);
    EXPECT_EQ(b.stereoStageOn, variGain > 1.0) << variGain;
  }
}

} // namespace
} // namespace kelmo::dsp::test
