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
  const V prevInput = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.prevDetectorInput; });
  const V deadZone = Gather<V>(sides, [](const SideValues& s) { return s.deadZone; });
  V interp = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.lastInterpolatedInput; });
  V level = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.followerLevel; });
  V ceiling = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.followerCeiling; });
  V position = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.followerPosition; });
  V slopeAverage = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.slopeFollower; });
  V lastOutput = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.lastLevelSample; });
  V sum = Const<V>(kDenormalOffset);

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
    diffs[k] = Sel(absDiff == 0.0, Const<V>(kDenormalOffset), absDiff);
    inputs[k] = v;
    interp = v;
  }

  for (int k = 0; k < F; ++k) {
    const V v = inputs[k];
    const V diff = diffs[k];
    const V slope = slopeAverage + b.slopeMix * (diff * b.rhoOverF - slopeAverage);
    const V e = slope + 2 * kDenormalOffset;
    const V a = level + b.levelRise * (e - level);
    const V lo = a + kDenormalOffset;
    const V hi = Sel(e <= lo, b.levelFloor * kDenormalOffset + lo, a + 2 * kDenormalOffset);
    const V bb = ceiling + (hi - ceiling) * b.invFactor;
    slopeAverage = slope + kDenormalOffset;
    ceiling = bb + kDenormalOffset;
    level = bb + 2 * kDenormalOffset;

    const V span = level - lo;
    const V q = Sel(span == 0.0, Const<V>(kDenormalOffset), ClampUnit((e - lo) / span));
    // position + (q - position)/F and e + v (p + 2 offsets), regrouped so that q, the last value
    // to arrive, passes through one multiplication and one addition to each.
    const V p = q * b.invFactor + position * (1.0 - b.invFactor);
    position = p + kDenormalOffset;
    levels[k] = v * p + (e + v * (2 * kDenormalOffset));
  }

  // Then the soft knee, the mu term and the dead zone of each sub-step.
  for (int k = 0; k < F; ++k) {
    const V v = inputs[k];
    const V e2 = levels[k];
    const V u = ClampUnit(e2 * 3334.444656520873 - 0.00033344446954875184);
    const V sigma = Smoothstep(SoftClipUnit(u));
    const V g0 = v * b.rateKeep;
    const V g1 = g0 + (g0 * b.mu4) * ((1.0 - sigma) + e2 * sigma);

    // Dead zone of width T on each side of 0: |g1| - T with the sign of g1, the offset inside.
    // (g1 + T for negative g1 is exactly -(|g1| - T).)
    const V beyond = Abs(g1) - deadZone;
    const V o = Sel(beyond < 0.0, Const<V>(kDenormalOffset), CopySign(beyond, g1));
    sum += (o + lastOutput) * 0.6; // the mean of this and the last sub-step's output, times 1.2
    lastOutput = o;
  }

  Scatter(lanes, interp, [](ChannelState& s) -> double& { return s.lastInterpolatedInput; });
  Scatter(lanes, level, [](ChannelState& s) -> double& { return s.followerLevel; });
  Scatter(lanes, ceiling, [](ChannelState& s) -> double& { return s.followerCeiling; });
  Scatter(lanes, position, [](ChannelState& s) -> double& { return s.followerPosition; });
  Scatter(lanes, slopeAverage, [](ChannelState& s) -> double& { return s.slopeFollower; });
  Scatter(lanes, lastOutput, [](ChannelState& s) -> double& { return s.lastLevelSample; });
  return sum * b.invFactor;
}

// Envelope loop: attack/release envelope of the detector value in dB-like units.
template <class V, int F>
void RunEnvelopeLoop(ChannelState* const* lanes, const SideValues* const* sides, const BlockValues& b,
                     const DetectorBits* const* bits, V det) noexcept
{
  constexpr int kLanes = LaneCount(V{});
  const SubStepTables& t = b.tables;
  const V prev = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.prevDetectorValue; });
  const V step = (det - prev) * b.invFactor;
  const V attack0 = Gather<V>(sides, [](const SideValues& s) { return s.attackStep; });
  const V attack = attack0 + kDenormalOffset;
  const V attackKeep = kBelowOne - attack0;
  const V releaseRate = Gather<V>(sides, [](const SideValues& s) { return s.releaseRate; });
  const V deadZone = Gather<V>(sides, [](const SideValues& s) { return s.deadZone; });
  bool anyAuto = false;
  for (int i = 0; i < kLanes; ++i)
    anyAuto = anyAuto || sides[i]->busAutoRelease;
  const V autoLanes = Gather<V>(sides, [](const SideValues& s) { return s.busAutoRelease ? 1.0 : 0.0; });
  const V centre = det + (prev - det) * 0.5;
  V lastValue = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.lastDetectorSample; });
  V lastEnvelope = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.lastEnvelopeSample; });
  V follower = Gather<V>(lanes, [](ChannelState& s) -> double& { return s.envelopeFollower; });
  V sum = Const<V>(kDenormalOffset);

  // First the levels and their logarithms (no state but the last value carried), so that the library calls
  // stay out of the envelope recursion below.
  V levels[kMaxSubSteps];
  V logs[kMaxSubSteps];
  V attackScales[kMaxSubSteps];
  for (int k = 0; k < F; ++k) {
    int laneBits[kLanes];
    for (int i = 0; i < kLanes; ++i)
      laneBits[i] = bits[i]->envelope[k];
    const V val = Abs(centre + step * Lookup<V>(t.envelopeTerm[k], laneBits));
    const V m = (val + lastValue) * 0.5;
    lastValue = val;
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
      const V r = Sel(deadZone == 0.0, Const<V>(kDenormalOffset), ClampUnit(lg * kLnToDb / deadZone));
      const V sr = Smoothstep(SoftClipUnit(r));
      rr = Sel(autoLanes != 0.0, b.autoReleaseScale * sr / F + b.autoReleaseFloor * (1.0 - sr), rr);
    }

    const V sigma = Smoothstep(MinOneGuarded(m * attackScales[k]));
    const V keep = 1.0 - sigma;
    // ((1 - s) - (1 - s) RR) Eb + s (A + A Lg c + (kBelowOne - A0) Eb) with Eb the
    // follower, gathered so that the recursion through it is one multiplication and one addition.
    const V followerWeight = (keep - keep * rr) + sigma * attackKeep;
    const V drive = sigma * (attack + attack * lg * kLnToDb);
    const V en = followerWeight * follower + drive;
    const V es = (en + lastEnvelope) * 0.5;
    lastEnvelope = en;
    follower = es;
    sum += es;
  }

  Scatter(lanes, lastValue, [](ChannelState& s) -> double& { return s.lastDetectorSample; });
  Scatter(lanes, lastEnvelope, [](ChannelState& s) -> double& { return s.lastEnvelopeSample; });
  Scatter(lanes, follower, [](ChannelState& s) -> double& { return s.envelopeFollower; });
  Scatter(lanes, det, [](ChannelState& s) -> double& { return s.prevDetectorValue; });
  const V envelope = sum * b.invFactor;
  Scatter(lanes, envelope, [](ChannelState& s) -> double& { return s.envelope; });
}

} // namespace

void RunDetectorFront(ChannelState& ch, FilterBank& filters, int c, const SideValues& side,
                      const BlockValues& b, double sidechainSample) noexcept
{
  const double inputGain = b.inputGain + kDenormalOffset;
  const double x = ch.channelSignal * inputGain;
  ch.gainedInput = x;
  double d = x + side.blend * ((sidechainSample + kDenormalOffset) * inputGain - x);
  ch.channelSignal = d;
  ch.detectorInput = d;
  if (side.feedback) {
    d = ch.feedbackSignal;
    ch.channelSignal = d;
  }

  const double y = filters.Run(kSidechainHighPass, c, d);
  double v = d;
  if (side.scGain < 0.0)
    v = y + side.shapeNegWeight * (d - y);
  else if (side.scGain > 0.0)
    v = d + (d - y) * side.shapePosFactor;
  ch.channelSignal = v;
  ch.listenSignal = v;
  if (side.compensationOn) ch.channelSignal *= side.compensation;
  if (side.scGain > 0.0) ch.listenSignal *= side.compensation;

  ch.channelSignal = (b.levelCalibration + kDenormalOffset) * ch.channelSignal + kDenormalOffset;
}

template <class V>
void RunDetectorLoops(ChannelState* const* lanes, const SideValues* const* sides, const BlockValues& b,
                      const DetectorBits* const* bits) noexcept
{
  const V s = Gather<V>(lanes, [](ChannelState& st) -> double& { return st.channelSignal; });
  WithSubStepFactor(b.factor, [&](auto factor) {
    constexpr int F = decltype(factor)::value;
    const V det = RunLevelLoop<V, F>(lanes, sides, b, bits, s);
    Scatter(lanes, s, [](ChannelState& st) -> double& { return st.prevDetectorInput; });
    RunEnvelopeLoop<V, F>(lanes, sides, b, bits, det);
  });
}

template void RunDetectorLoops<double>(ChannelState* const*, const SideValues* const*, const BlockValues&,
                                       const DetectorBits* const*) noexcept;
template void RunDetectorLoops<Pair>(ChannelState* const*, const SideValues* const*, const BlockValues&,
                                     const DetectorBits* const*) noexcept;

} // namespace kelmo::dsp
