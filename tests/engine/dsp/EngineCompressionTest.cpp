#include "tests/engine/dsp/DspTestUtil.h"

#include <gtest/gtest.h>

namespace kelmo::dsp::test {
namespace {

constexpr double kRate = 48000.0;
constexpr size_t kOnset = 9600;       // 0.2 s of quiet tone first
constexpr size_t kLoudLength = 48000; // then 1 s loud
constexpr size_t kRelease = kOnset + kLoudLength;

// A 1 kHz tone at -40 dBFS with a -6 dBFS burst from kOnset to kRelease.
Stereo BurstProgramme()
{
  const size_t frames = kRelease + 48000;
  Stereo in;
  in.l.resize(frames);
  for (size_t n = 0; n < frames; ++n) {
    const double amp = (n >= kOnset && n < kRelease) ? 0.5012 : 0.01;
    in.l[n] = amp * std::sin(2 * 3.141592653589793 * 1000.0 * n / kRate);
  }
  in.r = in.l;
  return in;
}

// Gain in dB of output against input over 2 ms around a time (ms) after a start frame.
double GainAt(const Stereo& in, const Stereo& out, size_t start, double ms)
{
  const size_t centre = start + static_cast<size_t>(ms * kRate / 1000.0);
  return ToDb(Rms(out.l, centre - 48, centre + 48) / Rms(in.l, centre - 48, centre + 48));
}

ParamValues Compressing(double attackMs, double releaseMs)
{
  ParamValues p = DefaultParamValues();
  p[kLThreshold] = p[kRThreshold] = 20;
  p[kLAttack] = p[kRAttack] = attackMs;
  p[kLRelease] = p[kRRelease] = releaseMs;
  return p;
}

TEST(EngineCompression, ThresholdTwentyReducesAToneAndMovesTheMeters)
{
  const Stereo in = SineStereo(1000.0, -6.0, kRate, 48000);
  KelmoDsp dsp;
  const Stereo out = Render(dsp, in, Compressing(20, 450), 512);
  EXPECT_LT(ToDb(Rms(out.l, 24000) / Rms(in.l, 24000)), -1.0);
  EXPECT_LT(ToDb(Rms(out.r, 24000) / Rms(in.r, 24000)), -1.0);
  for (int c = 0; c < 2; ++c) {
    EXPECT_LT(dsp.MeterReadout(c), -1.0);
    EXPECT_GE(dsp.MeterReadout(c), -36.9);
    EXPECT_NEAR(dsp.MeterNeedle(c), NeedleForReadout(dsp.MeterReadout(c)), 1e-12);
    EXPECT_GT(dsp.MeterNeedle(c), 0.26);
  }
}

TEST(EngineCompression, AttackCheckpoints)
{
  const Stereo in = BurstProgramme();
  KelmoDsp mid, fast, slow;
  const Stereo midOut = Render(mid, in, Compressing(20, 100), 512);
  const Stereo fastOut = Render(fast, in, Compressing(0.2, 100), 512);
  const Stereo slowOut = Render(slow, in, Compressing(40, 100), 512);

  // 20 ms attack: untouched at 5 ms, on its way at 100 ms, deep by the end of the burst.
  EXPECT_GT(GainAt(in, midOut, kOnset, 5), -0.5);
  EXPECT_LT(GainAt(in, midOut, kOnset, 100), -5.0);
  EXPECT_GT(GainAt(in, midOut, kOnset, 100), -14.0);
  EXPECT_LT(GainAt(in, midOut, kOnset, 990), -15.0);
  // 0.2 ms attack acts within 5 ms; 40 ms attack is still light at 50 ms.
  EXPECT_LT(GainAt(in, fastOut, kOnset, 5), -6.0);
  EXPECT_GT(GainAt(in, slowOut, kOnset, 50), -3.0);
  EXPECT_LT(GainAt(in, slowOut, kOnset, 50), GainAt(in, slowOut, kOnset, 20));
}

TEST(EngineCompression, ReleaseCheckpoints)
{
  const Stereo in = BurstProgramme();
  KelmoDsp quick, long_;
  const Stereo quickOut = Render(quick, in, Compressing(20, 100), 512);
  const Stereo longOut = Render(long_, in, Compressing(20, 2000), 512);
  // 100 ms release: still reduced 20 ms after the burst, recovering at 100 ms, back by 500 ms.
  EXPECT_LT(GainAt(in, quickOut, kRelease, 20), -10.0);
  EXPECT_GT(GainAt(in, quickOut, kRelease, 100), GainAt(in, quickOut, kRelease, 20));
  EXPECT_GT(GainAt(in, quickOut, kRelease, 500), -1.0);
  // 2000 ms release holds the reduction for the same half second.
  EXPECT_LT(GainAt(in, longOut, kRelease, 500), -10.0);
}

TEST(EngineCompression, SyncReleaseNeedsAutoRelease)
{
  const Stereo in = BurstProgramme();
  ParamValues p = Compressing(20, 2000);
  p[kLSyncRelease] = p[kRSyncRelease] = 6;
  KelmoDsp plain, synced, tempoSynced;
  const Stereo base = Render(plain, in, Compressing(20, 2000), 512);
  EXPECT_EQ(Render(synced, in, p, 512).l, base.l); // no effect while "Auto Release" is off
  p[kLAutoRelease] = p[kRAutoRelease] = 1;
  const Stereo fast = Render(tempoSynced, in, p, 512, 240.0);
  EXPECT_GT(GainAt(in, fast, kRelease, 500), GainAt(in, base, kRelease, 500));
}

TEST(EngineCompression, BypassDropsReadoutAndPowerOffDecaysIt)
{
  const Stereo in = SineStereo(1000.0, -6.0, kRate, 24000);
  ParamValues p = Compressing(20, 450);
  p[kChannelLink] = 1;
  KelmoDsp dsp;
  Render(dsp, in, p, 512);
  const double before = dsp.MeterReadout(1);
  ASSERT_LT(before, -1.0);

  // A bypassed channel's readout falls to about 0 at once and its needle to nothing.
  ParamValues bypassed = p;
  bypassed[kRBypass] = 0;
  Render(dsp, Stereo{Sine(1000, -6, kRate, 512), Sine(1000, -6, kRate, 512), {}, {}}, bypassed, 512);
  EXPECT_NEAR(dsp.MeterReadout(1), 0.0, 1e-9);
  EXPECT_LT(dsp.MeterNeedle(1), 1e-9);
  EXPECT_LT(dsp.MeterReadout(0), -1.0);

  // Power off decays the left readout with a 0.2 s time constant: after 0.2 s about 1/e left.
  const double left = dsp.MeterReadout(0);
  ParamValues off = p;
  off[kPower] = 0;
  Render(dsp, Stereo{std::vector<double>(9600, 0.1), std::vector<double>(9600, 0.1), {}, {}}, off, 480);
  EXPECT_NEAR(dsp.MeterReadout(0) / left, std::exp(-1.0), 0.01);
}

} // namespace
} // namespace kelmo::dsp::test
