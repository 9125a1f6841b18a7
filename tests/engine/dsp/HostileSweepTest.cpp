#include "engine/presets/FactoryPresets.h"
#include "tests/engine/dsp/DspTestUtil.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace kelmo::dsp::test {
namespace {

// Every factory preset as recalled, the range ends and random sets.
std::vector<ParamValues> PresetLikeSets()
{
  std::vector<ParamValues> sets;
  for (const FactoryPreset& preset : FactoryPresets())
    sets.push_back(FactoryPresetRecordValues(preset));
  ParamValues low = DefaultParamValues(), high = DefaultParamValues();
  for (int i = 0; i < kNumParams; ++i) {
    low[i] = GetParamLimit(i).min;
    high[i] = GetParamLimit(i).max;
  }
  low[kPower] = high[kPower] = 1;
  low[kLBypass] = low[kRBypass] = 1;
  low[kSidechainListen] = high[kSidechainListen] = 0;
  low[kDelta] = high[kDelta] = 0;
  sets.push_back(low);
  sets.push_back(high);
  std::mt19937 rng(1234);
  for (int s = 0; s < 2; ++s) {
    ParamValues p = DefaultParamValues();
    for (int i = 0; i < kNumParams; ++i) {
      const ParamLimit& l = GetParamLimit(i);
      const double v = std::uniform_real_distribution<double>(l.min, l.max)(rng);
      const bool stepped = l.max - l.min <= 6.0 && i != kNoiseAmount && i != kPluginScale;
      p[i] = stepped ? std::round(v) : v;
    }
    p[kPower] = 1;
    p[kSidechainListen] = p[kDelta] = 0;
    sets.push_back(p);
  }
  return sets;
}

Stereo SweepProgramme(double rate, size_t frames)
{
  Stereo in = SineStereo(440.0, -3.0, rate, frames);
  in.scL = Sine(110.0, -6.0, rate, frames);
  in.scR = Sine(2200.0, -12.0, rate, frames);
  return in;
}

// Non-finite samples count as 0: a run with NaN and inf bursts must equal a run with zeros in
// their place, sample for sample, and stay finite.
TEST(HostileSweep, NonFiniteBurstsActAsSilenceEverywhere)
{
  const double rates[] = {22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const size_t frames = 1536;
  int combos = 0;
  for (const ParamValues& base : PresetLikeSets()) {
    for (int overSampling = 0; overSampling <= 4; ++overSampling) {
      for (double rate : rates) {
        ParamValues p = base;
        p[kOverSampling] = overSampling;
        Stereo hostile = SweepProgramme(rate, frames);
        Stereo zeroed = hostile;
        for (size_t n = 500; n < 800; ++n) {
          const double bad = (n % 3 == 0) ? nan : ((n % 3 == 1) ? inf : -inf);
          hostile.l[n] = bad;
          hostile.scR[n] = bad;
          zeroed.l[n] = 0.0;
          zeroed.scR[n] = 0.0;
        }
        hostile.r[700] = nan;
        zeroed.r[700] = 0.0;
        KelmoDsp a, b;
        a.Reset(rate);
        b.Reset(rate);
        const Stereo outA = Render(a, hostile, p, 512);
        const Stereo outB = Render(b, zeroed, p, 512);
        ASSERT_TRUE(AllFinite(outA.l) && AllFinite(outA.r)) << combos;
        ASSERT_EQ(outA.l, outB.l) << combos;
        ASSERT_EQ(outA.r, outB.r) << combos;
        ASSERT_TRUE(std::isfinite(a.MeterReadout(0)) && std::isfinite(a.MeterNeedle(1)));
        ++combos;
      }
    }
  }
  EXPECT_EQ(combos, static_cast<int>(FactoryPresets().size() + 4) * 5 * 5);
  EXPECT_GE(FactoryPresets().size(), 4u);
}

// Huge finite input may overflow inside the detector: the engine must stay finite and be back
// to normal within a second.
TEST(HostileSweep, HugeFiniteBurstRecoversWithinOneSecond)
{
  for (const ParamValues& base : {Preset42dV(), PresetEtherialPressure()}) {
    for (int overSampling : {0, 4}) {
      const double rate = 48000.0;
      ParamValues p = base;
      p[kOverSampling] = overSampling;
      Stereo in = SweepProgramme(rate, 72000);
      for (size_t n = 4800; n < 5000; ++n)
        in.l[n] = in.r[n] = (n % 2 ? 1e300 : -1e300);
      KelmoDsp dsp, reference;
      const Stereo out = Render(dsp, in, p, 512);
      ASSERT_TRUE(AllFinite(out.l) && AllFinite(out.r));
      // One second after the burst the level matches a run that never saw it.
      const Stereo clean = Render(reference, SweepProgramme(rate, 72000), p, 512);
      const size_t from = 5000 + 48000, to = from + 9600;
      EXPECT_NEAR(ToDb(Rms(out.l, from, to)), ToDb(Rms(clean.l, from, to)), 1.0);
      EXPECT_NEAR(ToDb(Rms(out.r, from, to)), ToDb(Rms(clean.r, from, to)), 1.0);
    }
  }
}

// Resets, bypass and power toggles never produce a burst more than 6 dB over what the same
// settings give without toggling (compressed or not) and over the input peak (at the output gain).
TEST(HostileSweep, TogglesGiveNoBursts)
{
  const double rate = 48000.0;
  const size_t frames = 9600;
  const std::vector<ParamValues> sets = PresetLikeSets();
  for (size_t set = 0; set < sets.size(); ++set) {
    for (int overSampling : {0, 4}) {
      SCOPED_TRACE(testing::Message() << "set " << set << " oversampling " << overSampling);
      ParamValues p = sets[set];
      p[kOverSampling] = overSampling;
      const Stereo in = SweepProgramme(rate, frames);
      ParamValues open = p;
      open[kLThreshold] = open[kRThreshold] = 0;
      KelmoDsp steady, uncompressed;
      const Stereo steadyOut = Render(steady, in, p, 512);
      const Stereo openOut = Render(uncompressed, in, open, 512);
      // A bypassed channel legitimately passes the input at the output gain.
      const double inPeak = std::max(Peak(in.l), Peak(in.r)) * std::max(1.0, DbToGain(p[kOutputGain]));
      const double bound = 2.0 * std::max({inPeak, Peak(steadyOut.l), Peak(openOut.l)});
      const double boundR = 2.0 * std::max({inPeak, Peak(steadyOut.r), Peak(openOut.r)});

      KelmoDsp dsp;
      std::vector<double> outL(frames), outR(frames);
      const int block = 480;
      for (size_t pos = 0, k = 0; pos < frames; pos += block, ++k) {
        ParamValues q = p;
        switch (k % 8) {
        case 2:
          dsp.Reset(rate);
          break;
        case 3:
          q[kLBypass] = 0;
          break;
        case 4:
          q[kRBypass] = 0;
          break;
        case 5:
          q[kPower] = 0;
          break;
        case 6:
          dsp.Reset(rate);
          q[kPower] = 0;
          break;
        default:
          break;
        }
        const double* inputs[4] = {in.l.data() + pos, in.r.data() + pos, in.scL.data() + pos,
                                   in.scR.data() + pos};
        double* outputs[2] = {outL.data() + pos, outR.data() + pos};
        dsp.Process(inputs, 4, outputs, 2, block, q, 120.0);
      }
      ASSERT_TRUE(AllFinite(outL) && AllFinite(outR));
      EXPECT_LE(Peak(outL), bound);
      EXPECT_LE(Peak(outR), boundR);
    }
  }
}

} // namespace
} // namespace kelmo::dsp::test
