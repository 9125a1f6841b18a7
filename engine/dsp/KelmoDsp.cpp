#include "engine/dsp/KelmoDsp.h"

#include "engine/dsp/ColourStage.h"
#include "engine/dsp/DetectorPass.h"
#include "engine/dsp/DspMath.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/GainPass.h"
#include "engine/dsp/StereoStage.h"

#include <cmath>

namespace kelmo::dsp {

KelmoDsp::KelmoDsp() noexcept
{
  Reset(48000.0, 512, 2);
}

void KelmoDsp::Reset(double sampleRate, int maxBlockSize, int nConnectedOutputs) noexcept
{
  mSampleRate = sampleRate;
  mMaxBlockSize = maxBlockSize;
  mConnectedOutputs = nConnectedOutputs;
  mSampleRateF = static_cast<float>(sampleRate);
  mSampleRateRatio = std::fmax(static_cast<double>(mSampleRateF) * 2.2675736961451248e-5, 1.0);
  mFollowerCoef = mFollowerKeep = 1e-15;
  for (int c = 0; c < kNumChannels; ++c) {
    mMidSide[c] = 0.0;
    mChannels[c].ResetState();
    mFilters.ClearState(c);
  }
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
  mPowerOff = static_cast<int>(1.000000000000001 - p[kPower]);

  const int overSampling = static_cast<int>(p[kOverSampling]);
  if (overSampling != mOverSamplingIndex) mNeedsReinit.store(true, std::memory_order_relaxed);
  mOverSamplingIndex = overSampling;
  // The rate is kept in single precision: compare it that way so an unchanged rate never counts
  // as a change.
  if (static_cast<float>(mSampleRate) != mSampleRateF) {
    mNeedsReinit.store(true, std::memory_order_relaxed);
    mSampleRateF = static_cast<float>(mSampleRate);
    mSampleRateRatio = std::fmax(static_cast<double>(mSampleRateF) * 2.2675736961451248e-5, 1.0);
  }
  mRateUsable = std::isfinite(mSampleRate) && mSampleRate >= kMinSampleRate;
  if (!mRateUsable) return;

  const double rate = mSampleRate;
  if (mNeedsReinit.exchange(false, std::memory_order_relaxed)) {
    const int factor = SubStepFactorForIndex(mOverSamplingIndex);
    if (factor > 0) mOverSamplingFactor = factor;
    const double rf = rate * 1.381406271584473e-6 - 0.06092001657687526;
    mRateFactor = static_cast<float>(rf < 1e-15 ? 1e-15 : (rf > 1.0 ? 1.0 : rf));
    ++mFixedBankDesigns;
    for (int c = 0; c < kNumChannels; ++c) {
      DesignFixedBank(mFilters, c, rate);
      mChannels[c].ForgetBandPassDesigns();
    }
  }

  const float follower = static_cast<float>(1.0 / rate) * 0.001369863f;
  mFollowerCoef = follower;
  mFollowerKeep = 1.0 - mFollowerCoef;

  ComputeBlockValues(mBlock, p, rate, mOverSamplingFactor, mRateFactor, mSampleRateRatio, tempo,
                     mFollowerCoef, mFollowerKeep);

  const double leftHz = p[kLSidechainFrequency] + 1e-15;
  const double rightHz = mBlock.channelLink == 1 ? p[kRSidechainFrequency] + 1e-15 : leftHz;
  DesignSidechainHighPass(mFilters, 0, leftHz, rate);
  DesignSidechainHighPass(mFilters, 1, rightHz, rate);
}

void KelmoDsp::ProcessFrame(const double* in, double* out) noexcept
{
  const BlockValues& b = mBlock;
  const double left = in[0];
  const double right = in[1];

  // Input and mid/side encoding.
  mMidSide[0] = (right + left) * 0.5 + 1e-15;
  mMidSide[1] = (left + 1e-15) - right;
  for (int c = 0; c < kNumChannels; ++c) {
    ChannelState& ch = mChannels[c];
    ch.channelSignal = b.midSide == 1 ? mMidSide[c] : (c == 0 ? left : right);
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
    detectorActive[c] = mPowerOff == 0 && sets[c]->bypass == 1;
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
    gainActive[c] = mPowerOff == 0 && b.sides[c].bypass == 1;
  RunGainPasses(mChannels, mFilters, b, gainActive, mMidSide, mNoise, toneWeights, mGainBits);
  if (gainActive[0] && gainActive[1]) {
    RunColourStage<Pair>(lanes, mFilters, 0, sets, b, toneWeights);
  } else {
    for (int c = 0; c < kNumChannels; ++c)
      if (gainActive[c]) RunColourStage<double>(&lanes[c], mFilters, c, &sets[c], b, &toneWeights[c]);
  }

  if (b.midSide == 1) {
    ChannelState& c0 = mChannels[0];
    ChannelState& c1 = mChannels[1];
    mMidSide[0] = c0.channelSignal;
    mMidSide[1] = c1.channelSignal;
    c0.channelSignal = mMidSide[0] + mMidSide[1] * 0.5;
    c1.channelSignal = mMidSide[0] - mMidSide[1] * 0.5;
    const double listenMid = c0.listenSignal;
    const double listenSide = c1.listenSignal;
    c0.listenSignal = listenMid + listenSide * 0.5;
    c1.listenSignal = listenMid - listenSide * 0.5;
  }

  const double depth = MeterDepth(mChannels[0].meterReadout, mChannels[1].meterReadout);
  bool retuned = false;
  for (int c = 0; c < kNumChannels; ++c)
    retuned = RetuneStereoBandPass(mChannels[c], mFilters, c, b) || retuned;
  if (b.stereoStageOn) RunStereoStage(mChannels, mFilters, b, depth, retuned ? 0.3 : 1.0, mMidSide, mTube);

  // Output pass.
  for (int c = 0; c < kNumChannels; ++c) {
    ChannelState& ch = mChannels[c];
    const double raw = ch.rawInput;
    // (raw + DB (S - raw)) times the output gain, as two products formed side by side.
    double y = ch.channelSignal * b.wetOutputGain + raw * b.dryOutputGain;
    if (b.listen == 1) y = ch.listenSignal;
    if (mPowerOff == 1) {
      y = raw;
      PowerOffChannel(c);
    }
    if (b.delta == 1) y = Max(Min(y - raw, 1.0), -1.0);
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
  ch.envelopeOut = 1e-15;
  mMidSide[c] = 1e-15;
  const double m = ch.detectorState[10];
  const double mNext = m - 5.0 * m / mBlock.sampleRate;
  ch.detectorState[10] = mNext + 1e-15;
  ch.meterReadout = mNext + 2e-15;
  ch.meterNeedle = static_cast<float>(ClampUnit(-0.1 * ch.meterReadout));
}

bool KelmoDsp::StateIsFinite() const noexcept
{
  double sum = 0.0;
  for (const ChannelState& ch : mChannels) {
    for (double v : ch.detectorState)
      sum += v;
    for (const auto* words :
         {&ch.prevDetector, &ch.detectorHistory, &ch.interpState, &ch.colourFollowerA, &ch.colourFollowerB})
      for (double v : *words)
        sum += v;
    sum += ch.feedbackSignal + ch.slewState + ch.meterReadout + ch.meterNeedle + ch.envelope;
  }
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
    ch.prevDetector.fill(0.0);
    ch.colourFollowerB.fill(0.0);
    ch.channelSignal = ch.gainedInput = ch.detectorInput = ch.rawInput = ch.drySignal = 0.0;
    ch.envelopeOut = ch.envelopeStep = ch.subSampleSum = ch.feedbackSignal = ch.listenSignal = ch.slewState =
        0.0;
  }
  mMidSide = {0.0, 0.0};
  mTube.Clear();
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
