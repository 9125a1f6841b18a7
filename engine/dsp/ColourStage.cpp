#include "engine/dsp/ColourStage.h"

#include "engine/dsp/DspMath.h"
#include "engine/dsp/LaneMath.h"

#include <cmath>

namespace kelmo::dsp {

namespace {

template <class V> V FromArray(const double* values) noexcept
{
  if constexpr (sizeof(V) == sizeof(double))
    return values[0];
  else
    return V{values[0], values[1]};
}

} // namespace

// The stage is one long chain from the gain cell's output to the channel's output, which sets the
// engine's speed. Terms that do not depend on that chain are formed beside it and joined late,
// and constant factors are folded, so that the chain holds as few operations as the formulas
// allow; that regrouping moves results only in the last bits.
template <class V>
void RunColourStage(ChannelState* const* lanes, FilterBank& fb, int channel, const SideValues* const* sides,
                    const BlockValues& b, const double* toneWeights) noexcept
{
  const auto run = [&](FilterSection n, V x) { return fb.RunLanes(n, channel, x); };
  const V wet = Gather<V>(sides, [](const SideValues& s) { return s.wetGain; });
  const V mode = Gather<V>(sides, [](const SideValues& s) { return static_cast<double>(s.tubeMode); });
  const auto triode = mode == 0.0;
  const auto pentode = mode == 1.0;
  const V toneWeight = FromArray<V>(toneWeights);
  const V q = ClampUnit(wet * 0.6666666666666666 - 0.666666666666666);

  // Filtered parts of what the gain removed.
  const V gained = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.gainedInput; });
  const V y = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.channelSignal; });
  const V d = gained - y;
  const V a = run(kRemovedLowPass320Hz, d);
  const V lowRemoved = run(kRemovedLowPass160Hz, d);
  V highRemoved;
  if (b.highRate) {
    highRemoved = run(kRemovedHighPass9274Hz, d);
  } else {
    run(kRemovedHighPass9274Hz, d);
    highRemoved = 0.5 * run(kRemovedHighPass9274Hz, d);
  }
  const V e = run(kOutputLowPass50Hz, y);
  const V f = run(kOutputBandPass60Hz, y);
  const V z = (y + a * (b.vh * 0.24)) + ((f * (-0.07742857284 * b.v) - e * (0.25 * b.v)) - d);
  const V readout = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.meterReadout; });
  const V m = ClampUnit(readout * 0.02710027100271003 + 1.0);
  const V w = (z + highRemoved * 0.4) - m * (b.vh * 0.045) * lowRemoved;

  // Slope term and sine-shaped followers: they depend on the removed part only.
  const V prevSlew = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.slewState; });
  const V slew = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.slewSmoother; });
  const V sm = slew + (b.rho * 0.5 + 0.5) * (d - slew);
  Scatter(lanes, sm + kDenormalOffset, [](ChannelState& st) -> double& { return st.slewSmoother; });
  Scatter(lanes, sm + 2 * kDenormalOffset, [](ChannelState& st) -> double& { return st.slewState; });
  const V der = (d - prevSlew) / b.rho;
  const V u = (q + b.variGain * 0.15) * 0.25 * m * der;
  const V slope = b.rateKeep * ((u + der * 0.4) * b.mu9 - u);
  V fa = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.colourFollower; });
  const V bOld = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.colourMagnitude; });
  fa = b.followerKeep * fa + d * b.followerCoef;
  const V bNew = b.followerKeep * bOld + Abs(fa) * b.followerCoef;
  Scatter(lanes, fa, [](ChannelState& st) -> double& { return st.colourFollower; });
  Scatter(lanes, 4.0 * bNew / kPi - 4.0 * bNew * Abs(bNew) / (kPi * kPi),
          [](ChannelState& st) -> double& { return st.colourMagnitude; });
  const V envelope = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.envelope; });
  const V follower = envelope * SoftClip(fa - fa * bOld);
  const V base = w + (slope + follower);

  // Tube-mode band-passes, faded in with the gain reduction. The triode one is silent in mode 1
  // (k - k * 1 is 0).
  const V hC = SoftClip(run(kTubeBandPass, w));
  const V k = run(kTriodeBandPass, w);
  const V kC = SoftClip(Sel(pentode, Const<V>(0.0), k - k * mode));
  const V p = Min(Sqrt(1.0 - m), Const<V>(1.0));
  const V weight = 3.0 * p * p - 2.0 * p * p * p;
  const V t = weight * (hC + kC * 0.25) + kDenormalOffset;
  V s = base - t;

  // Low-passed drive (the signal with t added back, t counted twice in mode 1) and the
  // tube-mode polynomial.
  const V drive = base + t * mode;
  const V o = run(kDriveLowPass2100Hz, drive);
  s -= o * (b.variGain * 0.5);
  // cos(o - pi) = -cos(o) and cos(o/2)^2 = (1 + cos(o))/2: one cosine serves both terms.
  const V cosO = Cos(o);
  const V cosineHighPassed = run(kPhaseHighPass80Hz, run(kCosineHighPass80Hz, -cosO));
  const V cosineOld = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.cosineSmoother; });
  Scatter(lanes, cosineOld + (cosineHighPassed - cosineOld) * kSlowSmoothing + kDenormalOffset,
          [](ChannelState& st) -> double& { return st.cosineSmoother; });
  // (high-passed - 2 offsets) - (old + (high-passed - old) c) with the high-passed share formed in
  // one step.
  const V hp =
      cosineHighPassed * (1.0 - kSlowSmoothing) - (2 * kDenormalOffset + cosineOld * (1.0 - kSlowSmoothing));
  const V pp = (1.0 + cosO) * (o * Sel(triode, Const<V>(0.25 * 1.13), Const<V>(0.25 * 0.47)));
  const V rr = o * Sel(triode, Const<V>(0.229), Const<V>(-0.101));
  const V qq = hp * Sel(triode, Const<V>(0.00348), Const<V>(0.00888));
  const V uu = (pp - rr) + qq;
  // 3u - 0.4444485 u (3u)^2 = 3u - 4.0000365 u^3.
  V z3 = 3.0 * uu + (uu * uu) * (uu * (-0.44444849999999997 * 9.0));
  z3 = Min(Max(z3, Const<V>(-1.0)), Const<V>(1.0));

  // Resonances of the difference to the raw input, weighted by the detector.
  const V raw = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.rawInput; });
  const V prevDet = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.prevDetectorValue; });
  const V pd = SoftClip(prevDet * prevDet);
  const V detOld = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.detectorSmoother; });
  const V detSmoothed = detOld + (pd - detOld) * kSlowSmoothing;
  Scatter(lanes, detSmoothed + kDenormalOffset,
          [](ChannelState& st) -> double& { return st.detectorSmoother; });
  const V detectorWeight = detSmoothed + 2 * kDenormalOffset;
  const V lowWeight = SoftClip(detectorWeight) * -0.16;
  const V midWeight = detectorWeight * 0.42903641004;
  const V highWeight = detectorWeight * 0.30874906186;
  const V zTerm = z3 * (b.variGain * 0.5);
  const V dd = (raw - s) - zTerm;
  s += zTerm;
  const V lowResonance = run(kResonanceBandPass1034Hz, dd);
  const V midResonance = run(kResonanceBandPass2981Hz, dd);
  const V highResonance = run(kResonanceHighPass6509Hz, dd);
  s = (s + lowResonance * lowWeight) + (midResonance * midWeight + highResonance * highWeight);

  const V lowTone = run(kToneBandPass203Hz, s);
  s += lowTone * (b.v * 0.04500741397);
  const V highTone = run(kToneBandPass10893Hz, s);
  const V wetFade = ClampUnit(wet * 51.70999322108597 - 8.195481623830894);
  s = (s - highTone * (b.v * 0.08798916064 * toneWeight)) * ((wet + kDenormalOffset) * wetFade);
  Scatter(lanes, s, [](ChannelState& st) -> double& { return st.channelSignal; });
}

template void RunColourStage<double>(ChannelState* const*, FilterBank&, int, const SideValues* const*,
                                     const BlockValues&, const double*) noexcept;
template void RunColourStage<Pair>(ChannelState* const*, FilterBank&, int, const SideValues* const*,
                                   const BlockValues&, const double*) noexcept;

} // namespace kelmo::dsp
