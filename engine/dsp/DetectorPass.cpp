#include "engine/dsp/DetectorPass.h"

#include "engine/dsp/DspMath.h"
#include "engine/dsp/LaneMath.h"

#include <cmath>

namespace kelmo::dsp {

namespace {

constexpr int LaneCount(double)
{
  return 1;
}
constexpr int LaneCount(Pair)
{
  return 2;
}

// Row entry chosen by each lane's noise bit.
template <class V> V Lookup(const double (&row)[2], const int* laneBits) noexcept
{
  if constexpr (sizeof(V) == sizeof(double))
    return row[laneBits[0]];
  else
    return V{row[laneBits[0]], row[laneBits[1]]};
}

// Level loop: sub-steps between the previous and current detector input through the level
// follower and the dead zone; returns the frame's detector value.
template <class V, int F>
V RunLevelLoop(ChannelState* const* lanes, const SideValues* const* sides, const BlockValues& b,
               const DetectorBits* const* bits, V input) noexcept
{
  constexpr int kLanes = LaneCount(V{});
  const SubStepTables& t = b.tables;
  const V prevInput = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.prevDetector[0]; });
  const V deadZone = Gather<V>(sides, [](const SideValues& s) { return s.deadZone; });
  V interp = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.interpState[0]; });
  V d0 = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorState[0]; });
  V d1 = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorState[1]; });
  V d2 = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorState[2]; });
  V d5 = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorState[5]; });
  V h4 = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorHistory[4]; });
  V sum = Const<V>(1e-15);

  // Interpolated inputs and their steps first: they carry no state but the last input.
  V inputs[kMaxSubSteps];
  V diffs[kMaxSubSteps];
  V levels[kMaxSubSteps];
  for (int k = 0; k < F; ++k) {
    int laneBits[kLanes];
    for (int i = 0; i < kLanes; ++i)
      laneBits[i] = bits[i]->level[k];
    const V v = Lookup<V>(t.levelPrevWeight[k], laneBits) * prevInput +
                Lookup<V>(t.levelCurWeight[k], laneBits) * input;
    const V absDiff = Abs(v - interp);
    diffs[k] = Sel(absDiff == 0.0, Const<V>(1e-15), absDiff);
    inputs[k] = v;
    interp = v;
  }

  for (int k = 0; k < F; ++k) {
    const V v = inputs[k];
    const V diff = diffs[k];
    const V slope = d5 + b.slopeMix * (diff * b.rhoOverF - d5);
    const V e = slope + 2e-15;
    const V a = d0 + b.levelRise * (e - d0);
    const V lo = a + 1e-15;
    const V hi = Sel(e <= lo, b.levelFloor * 1e-15 + lo, a + 2e-15);
    const V bb = d1 + (hi - d1) * b.invFactor;
    d5 = slope + 1e-15;
    d1 = bb + 1e-15;
    d0 = bb + 2e-15;

    const V span = d0 - lo;
    const V q = Sel(span == 0.0, Const<V>(1e-15), ClampUnit((e - lo) / span));
    // d2 + (q - d2)/F and e + v (p + 2e-15), regrouped so that q, the last value to arrive,
    // passes through one multiplication and one addition to each.
    const V p = q * b.invFactor + d2 * (1.0 - b.invFactor);
    d2 = p + 1e-15;
    levels[k] = v * p + (e + v * 2e-15);
  }

  // Then the soft knee, the mu term and the dead zone of each sub-step.
  for (int k = 0; k < F; ++k) {
    const V v = inputs[k];
    const V e2 = levels[k];
    const V u = ClampUnit(e2 * 3334.444656520873 - 0.00033344446954875184);
    const V sigma = Smoothstep(SoftClipUnit(u));
    const V g0 = v * b.rateKeep;
    const V g1 = g0 + (g0 * b.mu4) * ((1.0 - sigma) + e2 * sigma);

    // Dead zone of width T on each side of 0: |g1| - T with the sign of g1, the guard inside.
    // (g1 + T for negative g1 is exactly -(|g1| - T).)
    const V beyond = Abs(g1) - deadZone;
    const V o = Sel(beyond < 0.0, Const<V>(1e-15), CopySign(beyond, g1));
    sum += (o + h4) * 0.6; // the mean of this and the last sub-step's output, times 1.2
    h4 = o;
  }

  Scatter(lanes, interp, [](ChannelState& s) -> double& { return s.interpState[0]; });
  Scatter(lanes, d0, [](ChannelState& s) -> double& { return s.detectorState[0]; });
  Scatter(lanes, d1, [](ChannelState& s) -> double& { return s.detectorState[1]; });
  Scatter(lanes, d2, [](ChannelState& s) -> double& { return s.detectorState[2]; });
  Scatter(lanes, d5, [](ChannelState& s) -> double& { return s.detectorState[5]; });
  Scatter(lanes, h4, [](ChannelState& s) -> double& { return s.detectorHistory[4]; });
  return sum * b.invFactor;
}

// Envelope loop: attack/release envelope of the detector value in dB-like units.
template <class V, int F>
void RunEnvelopeLoop(ChannelState* const* lanes, const SideValues* const* sides, const BlockValues& b,
                     const DetectorBits* const* bits, V det) noexcept
{
  constexpr int kLanes = LaneCount(V{});
  const SubStepTables& t = b.tables;
  const V prev = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.prevDetector[1]; });
  const V step = (det - prev) * b.invFactor;
  Scatter(lanes, step, [](ChannelState& s) -> double& { return s.envelopeStep; });
  const V attack0 = Gather<V>(sides, [](const SideValues& s) { return s.attackStep; });
  const V attack = attack0 + 1e-15;
  const V attackKeep = 0.999999999999999 - attack0;
  const V releaseRate = Gather<V>(sides, [](const SideValues& s) { return s.releaseRate; });
  const V deadZone = Gather<V>(sides, [](const SideValues& s) { return s.deadZone; });
  bool anyAuto = false;
  for (int i = 0; i < kLanes; ++i)
    anyAuto = anyAuto || sides[i]->busAutoRelease;
  const V autoLanes = Gather<V>(sides, [](const SideValues& s) { return s.busAutoRelease ? 1.0 : 0.0; });
  const V centre = det + (prev - det) * 0.5;
  V h5 = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorHistory[5]; });
  V h6 = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorHistory[6]; });
  V eb = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.detectorState[3]; });
  V sum = Const<V>(1e-15);

  // First the levels and their logarithms (no state but h5 carried), so that the library calls
  // stay out of the envelope recursion below.
  V levels[kMaxSubSteps];
  V logs[kMaxSubSteps];
  V attackScales[kMaxSubSteps];
  for (int k = 0; k < F; ++k) {
    int laneBits[kLanes];
    for (int i = 0; i < kLanes; ++i)
      laneBits[i] = bits[i]->envelope[k];
    const V val = Abs(centre + step * Lookup<V>(t.envelopeTerm[k], laneBits));
    const V m = (val + h5) * 0.5;
    h5 = val;
    levels[k] = m;
    logs[k] = Log(Abs(m + 1.0));
    attackScales[k] = Lookup<V>(t.envelopeAttackScale, laneBits);
  }

  for (int k = 0; k < F; ++k) {
    const V m = levels[k];
    const V lg = logs[k];
    V rr = releaseRate;
    if (anyAuto) {
      // "BUS" auto release: the release speeds up with the amount above threshold.
      const V r = Sel(deadZone == 0.0, Const<V>(1e-15), ClampUnit(lg * kLnToDb / deadZone));
      const V sr = Smoothstep(SoftClipUnit(r));
      rr = Sel(autoLanes != 0.0, b.autoReleaseScale * sr / F + b.autoReleaseFloor * (1.0 - sr), rr);
    }

    const V sigma = Smoothstep(MinOneGuarded(m * attackScales[k]));
    const V keep = 1.0 - sigma;
    // ((1 - s) - (1 - s) RR) Eb + s (A + A Lg c + (0.999999999999999 - A0) Eb), gathered so that
    // the recursion through Eb is one multiplication and one addition.
    const V ebWeight = (keep - keep * rr) + sigma * attackKeep;
    const V drive = sigma * (attack + attack * lg * kLnToDb);
    const V en = ebWeight * eb + drive;
    const V es = (en + h6) * 0.5;
    h6 = en;
    eb = es;
    sum += es;
  }

  Scatter(lanes, h5, [](ChannelState& s) -> double& { return s.detectorHistory[5]; });
  Scatter(lanes, h6, [](ChannelState& s) -> double& { return s.detectorHistory[6]; });
  Scatter(lanes, eb, [](ChannelState& s) -> double& { return s.detectorState[3]; });
  Scatter(lanes, sum, [](ChannelState& s) -> double& { return s.subSampleSum; });
  Scatter(lanes, det, [](ChannelState& s) -> double& { return s.prevDetector[1]; });
  const V envelope = sum * b.invFactor;
  Scatter(lanes, envelope, [](ChannelState& s) -> double& { return s.envelope; });
  Scatter(lanes, envelope, [](ChannelState& s) -> double& { return s.envelopeOut; });
}

} // namespace

void RunDetectorFront(ChannelState& ch, FilterBank& filters, int c, const SideValues& side,
                      const BlockValues& b, double sidechainSample) noexcept
{
  const double inputGain = b.inputGain + 1e-15;
  const double x = ch.channelSignal * inputGain;
  ch.gainedInput = x;
  double d = x + side.blend * ((sidechainSample + 1e-15) * inputGain - x);
  ch.channelSignal = d;
  ch.detectorInput = d;
  if (side.feedback == 0) {
    d = ch.feedbackSignal;
    ch.channelSignal = d;
  }

  const double y = filters.Run(0, c, d);
  double v = d;
  if (side.scGain < 0.0)
    v = y + side.shapeNegWeight * (d - y);
  else if (side.scGain > 0.0)
    v = d + (d - y) * side.shapePosFactor;
  ch.channelSignal = v;
  ch.listenSignal = v;
  if (side.compensationOn == 1) ch.channelSignal *= side.compensation;
  if (side.scGain > 0.0) ch.listenSignal *= side.compensation;

  ch.channelSignal = (b.levelCalibration + 1e-15) * ch.channelSignal + 1e-15;
}

template <class V>
void RunDetectorLoops(ChannelState* const* lanes, const SideValues* const* sides, const BlockValues& b,
                      const DetectorBits* const* bits) noexcept
{
  const V s = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.channelSignal; });
  const V prev0 = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.prevDetector[0]; });
  Scatter(lanes, (s - prev0) * b.invFactor, [](ChannelState& st) -> double& { return st.stepHistory[0]; });
  WithSubStepFactor(b.factor, [&](auto factor) {
    constexpr int F = decltype(factor)::value;
    const V det = RunLevelLoop<V, F>(lanes, sides, b, bits, s);
    Scatter(lanes, s, [](ChannelState& st) -> double& { return st.prevDetector[0]; });
    RunEnvelopeLoop<V, F>(lanes, sides, b, bits, det);
  });
}

template void RunDetectorLoops<double>(ChannelState* const*, const SideValues* const*, const BlockValues&,
                                       const DetectorBits* const*) noexcept;
template void RunDetectorLoops<Pair>(ChannelState* const*, const SideValues* const*, const BlockValues&,
                                     const DetectorBits* const*) noexcept;

} // namespace kelmo::dsp
