#include "engine/dsp/BlockValues.h"

#include "engine/dsp/DspMath.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/SidechainCompensation.h"

#include <cmath>

namespace kelmo::dsp {

namespace {

constexpr double kBitScale = 0.6000000000000001;
constexpr double kBitOffset = 0.30000000000000004;
// (int)(this - "Power") is 1, power off, only for a "Power" value within about 1e-15 of 0.
constexpr double kPowerSwitchEpsilon = 1.000000000000001;

double Clamp01(double x) noexcept
{
  return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
}

void FillSide(SideValues& s, const ParamValues& p, int side, const BlockValues& b,
              double beatsPerSecond) noexcept
{
  const int wet = side == 0 ? kLWetGain : kRWetGain;
  const int threshold = side == 0 ? kLThreshold : kRThreshold;
  const int feedback = side == 0 ? kLFeedBack : kRFeedBack;
  const int attack = side == 0 ? kLAttack : kRAttack;
  const int release = side == 0 ? kLRelease : kRRelease;
  const int scFrequency = side == 0 ? kLSidechainFrequency : kRSidechainFrequency;
  const int scGain = side == 0 ? kLSidechainGain : kRSidechainGain;
  const int bypass = side == 0 ? kLBypass : kRBypass;
  const int tube = side == 0 ? kLTriodePentode : kRTriodePentode;
  const int autoRelease = side == 0 ? kLAutoRelease : kRAutoRelease;
  const int syncRelease = side == 0 ? kLSyncRelease : kRSyncRelease;
  const int compensation = side == 0 ? kLSidechainCompensation : kRSidechainCompensation;
  const int scInput = side == 0 ? kLSidechainInput : kRSidechainInput;
  const int blend = side == 0 ? kLSidechainBlend : kRSidechainBlend;

  const double rate = b.sampleRate;
  s.wetGain = DbToGain(p[wet]);
  s.thresholdGain = std::exp(-p[threshold] * kDbToExp) + kDenormalOffset;
  s.thresholdRamp = ClampUnit(s.thresholdGain * 517.0999322108604 - 8.19548162383096);
  s.deadZone = s.thresholdRamp * s.thresholdGain;
  s.kneeAlwaysOpen = (s.thresholdGain - kKneeFloor) * s.thresholdRamp + kKneeFloor >= 1.0;
  const double msPerSample = static_cast<float>(1000.0 / rate);
  s.attackCoef = msPerSample / (p[attack] + kDenormalOffset);
  s.releaseCoef = msPerSample / (p[release] + kDenormalOffset);
  s.attackStep = s.attackCoef / b.factor;
  s.scFrequencyHz = p[scFrequency];
  s.scGain = p[scGain] + kDenormalOffset;

  s.feedback = static_cast<int>(p[feedback]) == 0;
  s.processed = static_cast<int>(p[bypass]) == 1;
  s.autoRelease = static_cast<int>(p[autoRelease]) == 1;
  s.syncRelease = static_cast<int>(p[syncRelease]);
  s.compensationOn = static_cast<int>(p[compensation]) == 1;
  s.scInput = static_cast<int>(p[scInput]);
  s.tubeMode = static_cast<int>(p[tube]);

  s.compensation = s.compensationOn ? SidechainCompensationGain(s.scFrequencyHz, p[scGain]) : 1.0;
  s.blend = ClampUnit(p[blend] * 0.01);

  if (s.scGain < 0.0) {
    const double t = ClampUnit(s.scGain * 0.020833333333333332 + 1.0);
    s.shapeNegWeight = MinOneGuarded(std::pow(t, 5.2));
  } else if (s.scGain > 0.0) {
    const double t = ClampUnit(s.scGain * 0.08333333333333333);
    s.shapePosFactor = t * 3.0 * (t * 0.65 + 0.35);
  }

  s.busAutoRelease = s.autoRelease && s.syncRelease == 0;
  if (s.autoRelease && s.syncRelease != 0) {
    const double inverseRate = static_cast<float>(1.0 / rate);
    s.releaseRate = beatsPerSecond * s.syncRelease * inverseRate * (1.0 / b.factor);
    if (!(s.releaseRate > 0.0)) s.releaseRate = 1e-37;
  } else {
    s.releaseRate = s.releaseCoef * (1.0 / b.factor) + kDenormalOffset;
  }
}

void FillTables(BlockValues& b) noexcept
{
  SubStepTables& t = b.tables;
  const int f = b.factor;
  for (int bit = 0; bit < 2; ++bit) {
    const double jitter = bit * kBitScale - kBitOffset;
    const double jj = b.noise * jitter;
    t.envelopeAttackScale[bit] = jj + 1.0;
    const double j = jj + 1.0;
    for (int k = 0; k < f; ++k) {
      const double phase = static_cast<double>(k) / f;
      t.levelPrevWeight[k][bit] = Smoothstep(Clamp01(phase * j));
      t.levelCurWeight[k][bit] = Smoothstep(Clamp01((1.0 - phase) * j));
      const double fe = phase + phase * jj;
      t.envelopeTerm[k][bit] = k + b.cf * std::sqrt((2.0 - fe) * fe);
      const double fg = phase + phase * jitter * b.noise;
      t.gainTerm[k][bit] = k + b.cf * std::sqrt((2.0 - fg) * fg);
    }
  }
}

double ReleaseTerm(const SideValues& s) noexcept
{
  return ClampUnit(s.releaseCoef * 0.0005263157894736842 - 0.05263157894736842);
}

double AttackTerm(const SideValues& s) noexcept
{
  return ClampUnit(s.attackCoef * 0.02512562814070352 - 0.0050251256281407045);
}

// The band-pass frequencies and widths depend on the block's attack and release only, apart
// from a per-frame release term under "Auto Release" and the per-frame blend of the two.
void FillTunings(BlockValues& b) noexcept
{
  const SideValues& last = b.SetFor(1); // set of the last channel of the detector pass
  for (int c = 0; c < 2; ++c) {
    TubeTuning& t = b.tube[c];
    t.mode = b.SetFor(c).tubeMode;
    t.followsEnvelope = last.autoRelease;
    t.attackTerm = AttackTerm(last);
    const double rn = ReleaseTerm(last);
    t.lowHz = std::trunc(TubeLowHz(t.mode, rn, t.attackTerm));
    t.highHz = std::trunc(TubeHighHz(t.mode, rn));

    StereoTuning& st = b.stereo[c];
    const SideValues& own = b.SetFor(c);
    st.mode = last.tubeMode;
    const double m1 = MinOneGuarded((AttackTerm(own) + ReleaseTerm(own)) * 0.5);
    const double m2 = MinOneGuarded(ReleaseTerm(own));
    st.lowHz = std::trunc(st.mode == 0 ? 165.0 * m1 + 421.0 : 202.0 * m1 + 188.0);
    st.highHz = std::trunc(st.mode == 0 ? 91.0 * m2 + 930.0 : 282.0 * m2 + 1011.0);
    st.width = st.mode == 0 ? 2.127659574468085 : 1.7543859649122808;
  }
}

} // namespace

double TubeLowHz(int mode, double releaseTerm, double attackTerm) noexcept
{
  const double m1 = MinOneGuarded((releaseTerm + attackTerm) * 0.5);
  return mode == 0 ? 329.0 * m1 + 843.0 : 404.0 * m1 + 376.0;
}

double TubeHighHz(int mode, double releaseTerm) noexcept
{
  const double m2 = MinOneGuarded(releaseTerm);
  return mode == 0 ? 181.0 * m2 + 1861.0 : 564.0 * m2 + 2023.0;
}

double SubStepConstant(int factor) noexcept
{
  switch (factor) {
  case 2:
    return 1.1547;
  case 4:
    return 0.74196552;
  case 8:
    return 0.66994188;
  case 12:
    return 0.65144;
  default:
    return 0.643;
  }
}

int SubStepFactorForIndex(int index) noexcept
{
  switch (index) {
  case 0:
    return 2;
  case 1:
    return 4;
  case 2:
    return 8;
  case 3:
    return 12;
  case 4:
    return 16;
  default:
    return -1;
  }
}

void ComputeBlockValues(BlockValues& b, const ParamValues& p, double sampleRate, int factor, float rateFactor,
                        double sampleRateRatio, double tempo) noexcept
{
  b.sampleRate = sampleRate;
  b.factor = factor;
  b.invFactor = 1.0 / factor;
  b.cf = SubStepConstant(factor);

  b.inputGain = DbToGain(p[kInputGain]);
  b.outputGain = DbToGain(p[kOutputGain]);
  b.levelCalibration = std::exp(-p[kLevelCalibration] * kDbToExp);
  b.variGain = p[kVariGain] * 0.01 + kDenormalOffset;
  // Compared without the denormal offset, so that exactly 1 % leaves the stereo stage off.
  b.stereoStageOn = p[kVariGain] * 0.01 > 0.01;
  b.muDiff = p[kMuDiff] * 0.00909090909090909 + kDenormalOffset;
  b.dryBlend = ClampUnit(p[kDryBlend] * 0.01 + kDenormalOffset);
  b.wetOutputGain = b.dryBlend * (b.outputGain + kDenormalOffset);
  b.dryOutputGain = (1.0 - b.dryBlend) * (b.outputGain + kDenormalOffset);
  b.noise = std::fmin(p[kNoiseAmount] * p[kNoiseAmount] + kDenormalOffset, 1.0);
  b.powerOff = static_cast<int>(kPowerSwitchEpsilon - p[kPower]) == 1;
  b.linked = static_cast<int>(p[kChannelLink]) != 1;
  b.midSide = static_cast<int>(p[kMidSideMode]) == 1;
  b.delta = static_cast<int>(p[kDelta]) == 1;
  b.listen = static_cast<int>(p[kSidechainListen]) == 1;

  b.mu4 = MinOneGuarded(b.muDiff * 0.4);
  b.mu9 = ClampUnit(b.muDiff * 0.9);
  const double fourthRoot = static_cast<float>(std::sqrt(std::sqrt(b.variGain)));
  b.v = static_cast<float>(ClampUnit(5.0 * b.variGain) * (fourthRoot + kDenormalOffset) + kDenormalOffset);
  b.vh = b.v * 0.5 + 0.5;
  b.rho = std::fmin(1.0 / sampleRateRatio, 1.0);
  b.highRate = sampleRate >= kHighRateHz;

  b.rhoOverF = b.rho / factor;
  b.slopeMix = b.rhoOverF * 0.5 + 0.5;
  b.levelRise = static_cast<float>(2.0 / sampleRate * 330.0 / factor);
  b.levelFloor = static_cast<float>(2.0 / sampleRate * 400.0 / factor);
  b.autoReleaseScale = (1.0 / sampleRate) * 0.5;
  b.autoReleaseFloor = static_cast<float>(25.0 / (sampleRate * factor));
  b.rateKeep = 1.0 - static_cast<double>(rateFactor);
  b.meterRate = 5.0 / sampleRate;
  // The colour stage's follower coefficient is a single-precision product.
  b.followerCoef = static_cast<float>(1.0 / sampleRate) * 0.001369863f;
  b.followerKeep = 1.0 - b.followerCoef;

  if (!std::isfinite(tempo)) tempo = 0.0;
  const double beatsPerSecond = tempo == 0.0 ? 0.016666666666666666 : tempo / 60.0;
  FillSide(b.sides[0], p, 0, b, beatsPerSecond);
  FillSide(b.sides[1], p, 1, b, beatsPerSecond);
  b.setOf = {0, b.linked ? 0 : 1};
  FillTables(b);
  FillTunings(b);
}

} // namespace kelmo::dsp
