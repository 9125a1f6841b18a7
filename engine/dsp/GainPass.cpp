#include "engine/dsp/GainPass.h"

#include "engine/dsp/DspMath.h"

#include <cfloat>
#include <cmath>

namespace kelmo::dsp {

namespace {

constexpr double kMinGainReduction = 5.551115123125783e-17; // 2^-54

// Magnitude of a sample in single precision, kept finite.
float SingleMagnitude(double x) noexcept
{
  return static_cast<float>(Min(std::fabs(x), static_cast<double>(FLT_MAX)));
}

// Retunes sections 2 and 8 with the tube mode; returns the tone weight Wt.
double RetuneTubeBandPasses(ChannelState& ch, FilterBank& filters, int c, const BlockValues& b) noexcept
{
  const TubeTuning& t = b.tube[c];
  if (t.mode != 0 && t.mode != 1) return 1e-15;
  double lowHz = t.lowHz;
  double highHz = t.highHz;
  if (t.followsEnvelope) {
    const double rn = 1.0 - ch.envelope;
    lowHz = TruncSmall(TubeLowHz(t.mode, rn, t.attackTerm));
    highHz = TruncSmall(TubeHighHz(t.mode, rn));
  }
  const double wt = ClampUnit(ch.meterReadout * 0.0625 + 1.0);
  const double sw = Smoothstep(Min(wt, 1.0));
  const double hz = sw * highHz + (1.0 - sw) * lowHz;
  if (NeedsRetune(hz, ch.tubeBandPassHz) || t.mode != ch.tubeBandPassMode) {
    if (t.mode == 0)
      DesignTubeBandPasses(filters, c, hz, 4.3478260869565215, 25.0, b.sampleRate);
    else
      DesignTubeBandPasses(filters, c, hz, 1.2987012987012987, 16.666666666666668, b.sampleRate);
    ch.tubeBandPassHz = hz;
    ch.tubeBandPassMode = t.mode;
  }
  return wt;
}

void UpdateMeters(std::array<ChannelState, 2>& channels, int c, const BlockValues& b) noexcept
{
  ChannelState& ch = channels[c];
  if (IsUnusableMeterValue(ch.meterReadout)) ch.meterReadout = 0.001;
  if (IsUnusableMeterValue(ch.meterNeedle)) ch.meterNeedle = 0.001;
  const bool linked = b.channelLink == 1;
  if (!linked && c != 0) return; // unlinked: channel 0 drives both meters

  const double in = SingleMagnitude(ch.gainedInput);
  const double out = SingleMagnitude(ch.channelSignal);
  // |20 log10 in| - |20 log10 out|; for magnitudes in (0, 1] that is 20 log10(out / in), one
  // logarithm instead of two.
  double gr;
  if (in > 0.0 && in <= 1.0 && out > 0.0 && out <= 1.0)
    gr = kLnToDb * std::log(out / in);
  else
    gr = std::fabs(kLnToDb * std::log(in)) - std::fabs(kLnToDb * std::log(out));
  if (!std::isfinite(gr) || std::fabs(gr) < kMinGainReduction) gr = 0.0;
  const double v = Min(Max(gr, -36.9), 0.0);
  const double m = ch.detectorState[10];
  const double mNext = m + (v - m) * 5.0 / b.sampleRate;
  double readout = mNext + 2e-15;
  if (IsUnusableMeterValue(readout)) readout = 0.001;
  const double needle = NeedleForReadout(readout);
  for (int i = 0; i < 2; ++i) {
    if (linked && i != c) continue;
    channels[i].detectorState[10] = mNext + 1e-15;
    channels[i].meterReadout = readout;
    channels[i].meterNeedle = needle;
  }
}

} // namespace

double NeedleForReadout(double readoutDb) noexcept
{
  const double x = ClampUnit(readoutDb * -0.1);
  const double a = Min(ClampUnit(10.0 * x), 1.0);
  const double b = Min(ClampUnit(10.0 * x - 1.0), 1.0);
  const double c = Min(ClampUnit(1.25 * x - 0.25), 1.0);
  return a * 0.26666666666 + b * 0.2 + c * 0.53333333334;
}

double RunGainPass(std::array<ChannelState, 2>& channels, FilterBank& filters, int c, const BlockValues& b,
                   bool active, std::array<double, 2>& midSide, NoiseGenerator& noise) noexcept
{
  ChannelState& ch = channels[c];
  const SideValues& side = b.SetFor(c);

  if (!active) {
    ch.channelSignal = ch.drySignal;
    ch.ClearInactive();
    midSide[c] = 1e-15;
    const double m = ch.detectorState[20];
    const double mNext = m - 5.0 * m / b.sampleRate;
    ch.detectorState[20] = mNext + 1e-15;
    ch.meterReadout = mNext + 2e-15;
    ch.meterNeedle = static_cast<float>(ClampUnit(-0.1 * ch.meterReadout));
    return 1e-15;
  }

  if (c == 0 && b.channelLink == 0) {
    const double mean = (channels[0].envelope + channels[1].envelope) * 0.5;
    channels[0].envelope = channels[1].envelope = mean;
  }

  const double toneWeight = RetuneTubeBandPasses(ch, filters, c, b);

  // Gain loop: average of 1/(1 + envelope) over the interpolated sub-steps. The interpolated
  // envelope is floored at 0 so that the gain stays within (0, 1] even after a reset.
  const double env = ch.envelope;
  const double envPrev = ch.prevDetector[6];
  const double step = (env - envPrev) * b.invFactor;
  ch.envelopeStep = step;
  const double base = env + 1.0 + (envPrev - env) * 0.5;
  double sum = 1e-15;
  for (int k = 0; k < b.factor; ++k) {
    const int bit = noise.Draw();
    sum += 1.0 / Max(base + step * b.tables.gainTerm[k][bit], 1.0);
  }
  ch.subSampleSum = sum;
  ch.prevDetector[6] = env;
  const double g0 = sum * b.invFactor;

  const double u = MinOneGuarded((side.thresholdGain - 1e-05) * side.thresholdRamp + 1e-05 + g0);
  const double sigma = Smoothstep(u);
  const double gain = sigma + g0 * (1.0 - sigma);
  ch.feedbackSignal = gain * ch.detectorInput;
  ch.channelSignal = gain * ch.gainedInput;

  UpdateMeters(channels, c, b);
  return toneWeight;
}

} // namespace kelmo::dsp
