#include "engine/dsp/KelmoDsp.h"

#include "engine/dsp/ColourStage.h"
#include "engine/dsp/DetectorPass.h"
#include "engine/dsp/DspMath.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/GainPass.h"
#include "engine/dsp/StereoStage.h"

#include <cfloat>
#include <cmath>

namespace kelmo::dsp {

namespace {

// 1/44100: several time constants are tuned at 44.1 kHz and scale with the rate's ratio to it.
constexpr double kInverseTuningRate = 2.2675736961451248e-5;

// The rate in single precision. A rate beyond the float range is held at the largest float: as
// infinity it would make the tuning ratio infinite and every frame non-finite (silence).
float SingleRate(double sampleRate) noexcept
{
  if (sampleRate > static_cast<double>(FLT_MAX)) return FLT_MAX;
  if (sampleRate < -static_cast<double>(FLT_MAX)) return -FLT_MAX;
  return static_cast<float>(sampleRate);
}

// The rate over the tuning rate, from the rate in single precision, never below 1.
double TuningRateRatio(float sampleRate) noexcept
{
  return std::fmax(static_cast<double>(sampleRate) * kInverseTuningRate, 1.0);
}

} // namespace

KelmoDsp::KelmoDsp() noexcept
{
  Reset(48000.0);
}

void KelmoDsp::Reset(double sampleRate) noexcept
{
  mSampleRate = sampleRate;
  mSampleRateF = SingleRate(sampleRate);
  mSampleRateRatio = TuningRateRatio(mSampleRateF);
  for (int c = 0; c < kNumChannels; ++c) {
    mChannels[c].ResetState();
    mFilters.ClearState(c);
  }
  mStereo.Reset();
  mNeedsReinit.store(true, std::memory_order_relaxed);
  PublishMeters();
}

void KelmoDsp::OnParamChange(int paramIdx) noexcept
{
  if (paramIdx == kOverSampling) mNeedsReinit.store(true, std::memory_order_relaxed);
}

void KelmoDsp::BeginBlock(const ParamValues& rawParams, double tempo) noexcept
{
  mBlockProcessed.store(true, std::memory_order_relaxed);
  const ParamValues p = SanitizeParams(rawParams);

  const int overSampling = static_cast<int>(p[kOverSampling]);
  if (overSampling != mOverSamplingIndex) mNeedsReinit.store(true, std::memory_order_relaxed);
  mOverSamplingIndex = overSampling;
  // The rate is kept in single precision: compare it that way so an unchanged rate never counts
  // as a change.
  if (SingleRate(mSampleRate) != mSampleRateF) {
    mNeedsReinit.store(true, std::memory_order_relaxed);
    mSampleRateF = SingleRate(mSampleRate);
    mSampleRateRatio = TuningRateRatio(mSampleRateF);
  }
  mRateUsable = ProcessesRate(mSampleRate);
  if (!mRateUsable) return;

  const double rate = mSampleRate;
  if (mNeedsReinit.exchange(false, std::memory_order_relaxed)) {
    const int factor = SubStepFactorForIndex(mOverSamplingIndex);
    if (factor > 0) mOverSamplingFactor = factor;
    const double rf = rate * 1.381406271584473e-6 - 0.06092001657687526;
    mRateFactor = static_cast<float>(rf < kDenormalOffset ? kDenormalOffset : (rf > 1.0 ? 1.0 : rf));
    for (int c = 0; c < kNumChannels; ++c) {
      DesignFixedBank(mFilters, c, rate);
      mChannels[c].ForgetBandPassDesigns();
    }
  }

  ComputeBlockValues(mBlock, p, rate, mOverSamplingFactor, mRateFactor, mSampleRateRatio, tempo);

  const double leftHz = p[kLSidechainFrequency] + kDenormalOffset;
  const double rightHz = mBlock.linked ? leftHz : p[kRSidechainFrequency] + kDenormalOffset;
  DesignSidechainHighPass(mFilters, 0, leftHz, rate);
  DesignSidechainHighPass(mFilters, 1, rightHz, rate);
}

void KelmoDsp::ProcessFrame(const double* in, double* out) noexcept
{
  const BlockValues& b = mBlock;
  const double left = in[0];
  const double right = in[1];

  // Input and mid/side encoding.
  const double midSide[kNumChannels] = {(right + left) * 0.5 + kDenormalOffset,
                                        (left + kDenormalOffset) - right};
  for (int c = 0; c < kNumChannels; ++c) {
    ChannelState& ch = mChannels[c];
    ch.channelSignal = b.midSide ? midSide[c] : (c == 0 ? left : right);
    ch.rawInput = c == 0 ? left : right;
    ch.drySignal = ch.channelSignal;
  }

  // Detector pass: activity and side-chain source follow the channel's parameter set. The
  // sub-step loops of two active channels run side by side; the noise bits are drawn in the
  // order the channels would draw them one after the other.
  const SideValues* sets[kNumChannels] = {&b.SetFor(0), &b.SetFor(1)};
  ChannelState* lanes[kNumChannels] = {&mChannels[0], &mChannels[1]};
  bool detectorActive[kNumChannels];
  DetectorBits* bits = mDetectorBits;
  for (int c = 0; c < kNumChannels; ++c) {
    detectorActive[c] = !b.powerOff && sets[c]->processed;
    RunDetectorFront(mChannels[c], mFilters, c, *sets[c], b, in[sets[c]->scInput & 3]);
    if (!detectorActive[c]) continue;
    for (int k = 0; k < b.factor; ++k)
      bits[c].level[k] = mNoise.Draw();
    for (int k = 0; k < b.factor; ++k)
      bits[c].envelope[k] = mNoise.Draw();
  }
  if (detectorActive[0] && detectorActive[1]) {
    const DetectorBits* laneBits[kNumChannels] = {&bits[0], &bits[1]};
    RunDetectorLoops<Pair>(lanes, sets, b, laneBits);
  } else {
    for (int c = 0; c < kNumChannels; ++c) {
      if (!detectorActive[c]) continue;
      const DetectorBits* laneBits = &bits[c];
      RunDetectorLoops<double>(&lanes[c], &sets[c], b, &laneBits);
    }
  }

  // Gain pass: activity follows each channel's own bypass switch. The colour stages touch
  // nothing the other channel's gain pass reads, so they run after both gain passes.
  bool gainActive[kNumChannels];
  double toneWeights[kNumChannels];
  for (int c = 0; c < kNumChannels; ++c)
    gainActive[c] = !b.powerOff && b.sides[c].processed;
  RunGainPasses(mChannels, mFilters, b, gainActive, mNoise, toneWeights, mGainBits);
  if (gainActive[0] && gainActive[1]) {
    RunColourStage<Pair>(lanes, mFilters, 0, sets, b, toneWeights);
  } else {
    for (int c = 0; c < kNumChannels; ++c)
      if (gainActive[c]) RunColourStage<double>(&lanes[c], mFilters, c, &sets[c], b, &toneWeights[c]);
  }

  if (b.midSide) {
    ChannelState& c0 = mChannels[0];
    ChannelState& c1 = mChannels[1];
    const double mid = c0.channelSignal;
    const double side = c1.channelSignal;
    c0.channelSignal = mid + side * 0.5;
    c1.channelSignal = mid - side * 0.5;
    const double listenMid = c0.listenSignal;
    const double listenSide = c1.listenSignal;
    c0.listenSignal = listenMid + listenSide * 0.5;
    c1.listenSignal = listenMid - listenSide * 0.5;
  }

  const double depth = MeterDepth(mChannels[0].meterReadout, mChannels[1].meterReadout);
  bool retuned = false;
  for (int c = 0; c < kNumChannels; ++c)
    retuned = RetuneStereoBandPass(mChannels[c], mFilters, c, b) || retuned;
  if (b.stereoStageOn) mStereo.Run(mChannels, mFilters, b, depth, retuned ? 0.3 : 1.0);

  // Output pass.
  for (int c = 0; c < kNumChannels; ++c) {
    ChannelState& ch = mChannels[c];
    const double raw = ch.rawInput;
    // (raw + DB (S - raw)) times the output gain, as two products formed side by side.
    double y = ch.channelSignal * b.wetOutputGain + raw * b.dryOutputGain;
    if (b.listen) y = ch.listenSignal;
    if (b.powerOff) {
      y = raw;
      PowerOffChannel(c);
    }
    if (b.delta) y = Max(Min(y - raw, 1.0), -1.0);
    out[c] = y;
    ch.channelSignal = y;
  }

  // Last line of defence: nothing non-finite may reach the output or stay in the state.
  if (!std::isfinite(out[0] + out[1] + mChannels[0].envelope + mChannels[1].envelope)) {
    RecoverFromNonFinite();
    out[0] = out[1] = 0.0;
  }
}

void KelmoDsp::PowerOffChannel(int c) noexcept
{
  ChannelState& ch = mChannels[c];
  ch.ClearInactive();
  ch.DecayMeter(ch.meterBallistics, mBlock.sampleRate);
}

bool KelmoDsp::StateIsFinite() const noexcept
{
  double sum = mStereo.CarriedSum();
  for (const ChannelState& ch : mChannels)
    sum += ch.CarriedSum();
  for (int n = 0; n < FilterBank::kNumSections; ++n)
    sum += mFilters.z1[n][0] + mFilters.z1[n][1] + mFilters.z2[n][0] + mFilters.z2[n][1];
  return std::isfinite(sum);
}

void KelmoDsp::RecoverFromNonFinite() noexcept
{
  for (int c = 0; c < kNumChannels; ++c)
    mFilters.ClearState(c);
  for (ChannelState& ch : mChannels) {
    ch.ResetState();
    ch.prevDetectorInput = ch.prevDetectorValue = ch.prevEnvelope = ch.colourMagnitude = 0.0;
    ch.channelSignal = ch.gainedInput = ch.detectorInput = ch.rawInput = ch.drySignal = 0.0;
    ch.feedbackSignal = ch.listenSignal = ch.slewState = 0.0;
  }
  mStereo.Clear();
}

void KelmoDsp::EndBlock() noexcept
{
  if (mRateUsable && !StateIsFinite()) RecoverFromNonFinite();
  PublishMeters();
}

void KelmoDsp::PublishMeters() noexcept
{
  for (int c = 0; c < kNumChannels; ++c) {
    mPublishedReadout[c].store(mChannels[c].meterReadout, std::memory_order_relaxed);
    mPublishedNeedle[c].store(mChannels[c].meterNeedle, std::memory_order_relaxed);
  }
}

} // namespace kelmo::dsp
