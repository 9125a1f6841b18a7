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

// Retunes the tube-mode band-passes; returns the tone weight Wt.
double RetuneTubeBandPasses(ChannelState& ch, FilterBank& filters, int c, const BlockValues& b) noexcept
{
  const TubeTuning& t = b.tube[c];
  if (t.mode != 0 && t.mode != 1) return kDenormalOffset;
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
  if (IsUnusableMeterValue(ch.meterReadout)) ch.meterReadout = kMeterRest;
  if (IsUnusableMeterValue(ch.meterNeedle)) ch.meterNeedle = kMeterRest;
  if (b.linked && c != 0) return; // linked: channel 0 drives both meters

  const double in = SingleMagnitude(ch.gainedInput);
  const double out = SingleMagnitude(ch.channelSignal);
  // |20 log10 in| - |20 log10 out|; for magnitudes in (0, 1] that is 20 log10(out / in), one
  // logarithm instead of two, and none at unity gain (equal magnitudes), where it is 0.
  double gr;
  if (out == in)
    gr = 0.0;
  else if (in > 0.0 && in <= 1.0 && out > 0.0 && out <= 1.0)
    gr = kLnToDb * std::log(out / in);
  else
    gr = std::fabs(kLnToDb * std::log(in)) - std::fabs(kLnToDb * std::log(out));
  if (!std::isfinite(gr) || std::fabs(gr) < kMinGainReduction) gr = 0.0;
  const double v = Min(Max(gr, -36.9), 0.0);
  const double m = ch.meterBallistics;
  const double mNext = m + (v - m) * b.meterRate;
  double readout = mNext + 2 * kDenormalOffset;
  if (IsUnusableMeterValue(readout)) readout = kMeterRest;
  const double needle = NeedleForReadout(readout);
  for (int i = 0; i < 2; ++i) {
    if (!b.linked && i != c) continue;
    channels[i].meterBallistics = mNext + kDenormalOffset;
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

namespace {

// Inactive channel: the dry signal passes, the state is held quiet and the meter decays.
void RunInactive(ChannelState& ch, const BlockValues& b) noexcept
{
  ch.channelSignal = ch.drySignal;
  ch.ClearInactive();
  ch.DecayMeter(ch.inactiveMeterBallistics, b.sampleRate);
}

// Gain loop and gain cell of the channels in lanes: the average of 1/(1 + envelope) over the
// interpolated sub-steps, then the threshold knee. The interpolated envelope is floored at 0 so
// that the gain stays within (0, 1] even after a reset. bits[i] holds lane i's noise bits.
template <class V, int F>
void RunGainCells(ChannelState* const* lanes, const SideValues* const* sides, const BlockValues& b,
                  const int* const* bits) noexcept
{
  const V env = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.envelope; });
  const V envPrev = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.prevEnvelope; });
  const V step = (env - envPrev) * b.invFactor;
  const V base = env + 1.0 + (envPrev - env) * 0.5;
  V sum = Const<V>(kDenormalOffset);
  for (int k = 0; k < F; ++k) {
    V term;
    if constexpr (sizeof(V) == sizeof(double))
      term = b.tables.gainTerm[k][bits[0][k]];
    else
      term = V{b.tables.gainTerm[k][bits[0][k]], b.tables.gainTerm[k][bits[1][k]]};
    sum += 1.0 / Max(base + step * term, Const<V>(1.0));
  }
  Scatter(lanes, env, [](ChannelState& s) -> double& { return s.prevEnvelope; });
  const V g0 = sum * b.invFactor;

  V gain = Const<V>(1.0);
  bool kneeOpen = true;
  for (int i = 0; i < static_cast<int>(sizeof(V) / sizeof(double)); ++i)
    kneeOpen = kneeOpen && sides[i]->kneeAlwaysOpen;
  // With the knee open whatever the envelope (u is 1 for any g0 >= 0), the formula gives exactly
  // 1; taking that as a block decision keeps the signal from waiting for the sub-step loop.
  if (!kneeOpen) {
    const V threshold = Gather<V>(sides, [](const SideValues& s) { return s.thresholdGain; });
    const V ramp = Gather<V>(sides, [](const SideValues& s) { return s.thresholdRamp; });
    const V u = MinOneGuarded((threshold - kKneeFloor) * ramp + kKneeFloor + g0);
    const V sigma = Smoothstep(u);
    gain = sigma + g0 * (1.0 - sigma); // exactly 1 where the knee is fully open
  }
  const V detectorInput = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorInput; });
  const V gained = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.gainedInput; });
  Scatter(lanes, gain * detectorInput, [](ChannelState& s) -> double& { return s.feedbackSignal; });
  Scatter(lanes, gain * gained, [](ChannelState& s) -> double& { return s.channelSignal; });
}

} // namespace

void RunGainPasses(std::array<ChannelState, 2>& channels, FilterBank& filters, const BlockValues& b,
                   const bool* active, NoiseGenerator& noise, double* toneWeights,
                   int (*bits)[kMaxSubSteps]) noexcept
{
  toneWeights[0] = toneWeights[1] = kDenormalOffset;
  if (active[0] && b.linked) {
    const double mean = (channels[0].envelope + channels[1].envelope) * 0.5;
    channels[0].envelope = channels[1].envelope = mean;
  }
  if (!active[0]) RunInactive(channels[0], b);

  // The noise bits in the order the channels draw them one after the other.
  for (int c = 0; c < 2; ++c)
    if (active[c])
      for (int k = 0; k < b.factor; ++k)
        bits[c][k] = noise.Draw();
  ChannelState* lanes[2] = {&channels[0], &channels[1]};
  const SideValues* sides[2] = {&b.SetFor(0), &b.SetFor(1)};
  if (active[0] || active[1]) {
    WithSubStepFactor(b.factor, [&](auto factor) {
      constexpr int F = decltype(factor)::value;
      if (active[0] && active[1]) {
        const int* laneBits[2] = {bits[0], bits[1]};
        RunGainCells<Pair, F>(lanes, sides, b, laneBits);
      } else {
        const int c = active[0] ? 0 : 1;
        const int* laneBits[1] = {bits[c]};
        RunGainCells<double, F>(&lanes[c], &sides[c], b, laneBits);
      }
    });
  }

  // Retune and meters channel by channel, in the channels' order: linked, channel 0's meter
  // update also sets channel 1's meter, which channel 1's retune then reads or its inactive
  // branch replaces.
  for (int c = 0; c < 2; ++c) {
    if (active[c]) {
      toneWeights[c] = RetuneTubeBandPasses(channels[c], filters, c, b);
      UpdateMeters(channels, c, b);
    } else if (c == 1) {
      RunInactive(channels[1], b);
    }
  }
}

} // namespace kelmo::dsp
