// The optimised engine against the plain per-frame transcription: every output sample and the
// meters after every block within 1e-9, across settings, sub-step factors and sample rates.
#include "tests/engine/dsp/DspTestUtil.h"
#include "tests/engine/dsp/ReferenceEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace kelmo::dsp::test {
namespace {

constexpr double kTolerance = 1e-9;

// Quiet, loud, quiet again: attack and release both run; a side-chain tone for the blend.
Stereo StepProgramme(double rate, size_t frames)
{
  Stereo in = SineStereo(330.0, -30.0, rate, frames);
  const Stereo loud = SineStereo(330.0, -3.0, rate, frames);
  for (size_t n = frames / 4; n < frames / 2; ++n) {
    in.l[n] = loud.l[n];
    in.r[n] = loud.r[n] * 0.7;
  }
  in.scL = Sine(95.0, -8.0, rate, frames);
  in.scR = Sine(1250.0, -14.0, rate, frames);
  return in;
}

struct Setting
{
  std::string name;
  ParamValues values;
};

std::vector<Setting> Settings()
{
  std::vector<Setting> s;
  s.push_back({"defaults", DefaultParamValues()});
  ParamValues squeeze = DefaultParamValues();
  squeeze[kLThreshold] = squeeze[kRThreshold] = 24;
  squeeze[kLAttack] = squeeze[kRAttack] = 2;
  squeeze[kLRelease] = squeeze[kRRelease] = 150;
  squeeze[kLTriodePentode] = 0;
  s.push_back({"squeeze", squeeze});
  s.push_back({"42 dV", Preset42dV()});
  s.push_back({"stereo width", PresetStereoWidth()});
  s.push_back({"etherial", PresetEtherialPressure()});
  ParamValues busy = Preset42dV();
  busy[kNoiseAmount] = 0.7;
  busy[kLSidechainBlend] = 30;
  busy[kRSidechainBlend] = 60;
  busy[kChannelLink] = 0;
  busy[kLSidechainGain] = -20;
  busy[kLSidechainCompensation] = 1;
  busy[kLAutoRelease] = 1;
  busy[kLSyncRelease] = 0;
  busy[kLTriodePentode] = 1;
  s.push_back({"busy linked", busy});
  ParamValues half = Preset42dV();
  half[kRBypass] = 0;
  half[kMidSideMode] = 1;
  half[kSidechainListen] = 1;
  s.push_back({"right bypassed, listen", half});
  // Linked, one side bypassed: the detector and the gain pass of a channel follow different
  // bypass switches, and channel 0's meter update reaches channel 1.
  for (int bypassed : {kLBypass, kRBypass}) {
    ParamValues one = squeeze;
    one[bypassed] = 0;
    one[kNoiseAmount] = 0.5;
    s.push_back({bypassed == kLBypass ? "left bypassed" : "right bypassed", one});
  }
  // Unlinked sides with the left knee open whatever the envelope (threshold 0) and the right one
  // compressing: unity gain in one lane of the paired gain cell only.
  ParamValues mixed = squeeze;
  mixed[kChannelLink] = 1;
  mixed[kLThreshold] = 0;
  mixed[kRThreshold] = 18;
  s.push_back({"open and closed knees", mixed});
  ParamValues delta = squeeze;
  delta[kDelta] = 1;
  delta[kVariGain] = 80;
  delta[kLSidechainInput] = 2;
  delta[kRSidechainInput] = 1;
  s.push_back({"delta", delta});
  return s;
}

// Largest difference between the engine's and the reference's published meters. The meters are
// formed after the detector, the envelope and the gain cell, upstream of the tube stage (see
// below), so they hold that whole path to the tight tolerance.
double MeterDifference(const KelmoDsp& dsp, const ReferenceEngine& ref)
{
  double worst = 0.0;
  for (int c = 0; c < 2; ++c) {
    worst = std::max(worst, std::fabs(dsp.MeterReadout(c) - ref.MeterReadout(c)));
    worst = std::max(worst, std::fabs(dsp.MeterNeedle(c) - ref.MeterNeedle(c)));
  }
  return worst;
}

// The tube stage evaluates divided differences of its antiderivative over inputs as close as
// 1e-5: a rounding difference of 1e-16 in its input can move its output by up to 1e-6. Where it
// contributes (stereo stage on and gain reduction shown, so its level is not 0), the outputs
// are held to that bound, and everything upstream of it through the meters.
double OutputTolerance(const ParamValues& p)
{
  const bool tubeHeard = p[kVariGain] > 1.0 && (p[kLThreshold] > 0.0 || p[kRThreshold] > 0.0);
  return tubeHeard ? 1e-5 : kTolerance;
}

// Runs engine and reference side by side in blocks, comparing the meters after every block and
// all outputs at the end, the outputs within outputTolerance (by default the bound the setting
// allows).
void Compare(const Stereo& in, const ParamValues& p, double rate, int block, const std::string& what,
             double outputTolerance = 0.0)
{
  if (outputTolerance == 0.0) outputTolerance = OutputTolerance(p);
  KelmoDsp dsp;
  dsp.Reset(rate);
  ReferenceEngine ref;
  ref.Reset(rate);
  Stereo got{std::vector<double>(in.Frames()), std::vector<double>(in.Frames()), {}, {}};
  Stereo want = got;
  double worstMeter = 0.0;
  for (size_t pos = 0; pos < in.Frames(); pos += block) {
    const int n = static_cast<int>(std::min<size_t>(block, in.Frames() - pos));
    const double* inputs[4] = {in.l.data() + pos, in.r.data() + pos, in.scL.data() + pos,
                               in.scR.data() + pos};
    double* gotOut[2] = {got.l.data() + pos, got.r.data() + pos};
    double* wantOut[2] = {want.l.data() + pos, want.r.data() + pos};
    dsp.Process(inputs, 4, gotOut, 2, n, p, 120.0);
    ref.Process(inputs, wantOut, n, p, 120.0);
    worstMeter = std::max(worstMeter, MeterDifference(dsp, ref));
  }
  EXPECT_LT(worstMeter, kTolerance) << what;
  EXPECT_LT(MaxAbsDiff(got.l, want.l), outputTolerance) << what;
  EXPECT_LT(MaxAbsDiff(got.r, want.r), outputTolerance) << what;
}

TEST(ReferenceComparison, EveryOutputAndMeterWithinOneBillionthAtEverySubStepFactor)
{
  const double rate = 48000.0;
  const Stereo in = StepProgramme(rate, 9600);
  for (const Setting& s : Settings())
    for (int overSampling = 0; overSampling <= 4; ++overSampling) {
      ParamValues p = s.values;
      p[kOverSampling] = overSampling;
      Compare(in, p, rate, 512, s.name + " os " + std::to_string(overSampling));
    }
}

TEST(ReferenceComparison, EveryOutputAndMeterWithinOneBillionthAtOtherRates)
{
  for (double rate : {22050.0, 44100.0, 96000.0, 192000.0}) {
    const Stereo in = StepProgramme(rate, static_cast<size_t>(rate * 0.15));
    for (const Setting& s : Settings()) {
      ParamValues p = s.values;
      p[kOverSampling] = 1;
      Compare(in, p, rate, 256, s.name + " at " + std::to_string(rate));
    }
  }
}

TEST(ReferenceComparison, StereoStageWithoutGainReductionMatchesExactly)
{
  // No gain reduction gives the tube stage a level of 0: the rest of the stereo stage (its
  // band-passes, cosines, smoother and side filter) then shows in the outputs at full precision.
  for (const ParamValues& base : {Preset42dV(), PresetStereoWidth(), PresetEtherialPressure()}) {
    ParamValues p = base;
    p[kLThreshold] = p[kRThreshold] = 0;
    ASSERT_EQ(OutputTolerance(p), kTolerance);
    Compare(StepProgramme(48000.0, 6000), p, 48000.0, 128, "open stereo stage");
  }
}

TEST(ReferenceComparison, HotSineThroughFactoryPresetsThatFoldTheSoftClip)
{
  // Just below full scale these presets drive the soft clip past 1.5, where its cubic turns over:
  // in the colour stage's detector term and in the stereo stage. The tube stage is heard, yet
  // this signal keeps its inputs far enough apart for the outputs to hold to one billionth.
  const std::vector<double> tone = Sine(1000.0, -0.9, 48000.0, 24000), silence(24000, 0.0);
  for (const char* name : {"RKVenlor Dark Hifi TB 10dB GR -14LUFS", "BRN-18: Pushed Step"}) {
    ASSERT_NE(FactoryPresetValues(name), DefaultParamValues()) << name;
    Compare({tone, tone, silence, silence}, FactoryPresetValues(name), 48000.0, 480, name, kTolerance);
  }
}

TEST(ReferenceComparison, SettingChangesBetweenBlocks)
{
  // Parameters move every block: sub-step factor, link, modes and power; block values and
  // the retuned band-passes must follow exactly as the per-frame formulas do.
  const double rate = 48000.0;
  const Stereo in = StepProgramme(rate, 8192);
  const std::vector<Setting> settings = Settings();
  KelmoDsp dsp;
  ReferenceEngine ref;
  Stereo got{std::vector<double>(in.Frames()), std::vector<double>(in.Frames()), {}, {}};
  Stereo want = got;
  double worstMeter = 0.0;
  bool tubeHeard = false;
  for (size_t pos = 0, block = 0; pos < in.Frames(); pos += 256, ++block) {
    ParamValues p = settings[block % settings.size()].values;
    p[kOverSampling] = static_cast<double>(block % 5);
    if (block % 7 == 3) p[kPower] = 0;
    tubeHeard = tubeHeard || OutputTolerance(p) > kTolerance;
    const double* inputs[4] = {in.l.data() + pos, in.r.data() + pos, in.scL.data() + pos,
                               in.scR.data() + pos};
    double* gotOut[2] = {got.l.data() + pos, got.r.data() + pos};
    double* wantOut[2] = {want.l.data() + pos, want.r.data() + pos};
    dsp.Process(inputs, 4, gotOut, 2, 256, p, 96.0);
    ref.Process(inputs, wantOut, 256, p, 96.0);
    worstMeter = std::max(worstMeter, MeterDifference(dsp, ref));
  }
  EXPECT_LT(worstMeter, kTolerance);
  EXPECT_TRUE(tubeHeard);
  EXPECT_LT(MaxAbsDiff(got.l, want.l), 1e-5);
  EXPECT_LT(MaxAbsDiff(got.r, want.r), 1e-5);
}

} // namespace
} // namespace kelmo::dsp::test
