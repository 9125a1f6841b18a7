#pragma once

#include "engine/dsp/BlockValues.h"
#include "engine/dsp/ChannelState.h"
#include "engine/dsp/DetectorPass.h"
#include "engine/dsp/DspMath.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/KelmoParams.h"
#include "engine/dsp/NoiseGenerator.h"
#include "engine/dsp/ParamLimits.h"
#include "engine/dsp/StereoStage.h"

#include <array>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <type_traits>

namespace kelmo::dsp {

// The compressor's signal path as one self-contained engine. The plug-in object owns one and
// forwards to it:
//   - OnReset (host processing set-up / activation, never during a block):
//       Reset(frame sample rate).
//   - ProcessBlock (audio thread): Process(inputs, 4, outputs, 2, nFrames, values, tempo) with
//       the 44 real parameter values read once for the block and the transport tempo.
//   - OnParamChange (any thread): OnParamChange(index).
//   - OnIdle (main thread): MeterReadout(c) / MeterNeedle(c) for c = 0, 1.
// Nothing here allocates, locks or calls the system after construction.
class KelmoDsp
{
public:
  static constexpr int kNumChannels = 2;
  static constexpr int kNumInputs = 4;  // main L, main R, side-chain L, side-chain R
  static constexpr int kNumOutputs = 2; // main L, main R
  // Below this rate (or at a non-finite one) the engine passes the audio through unchanged.
  static constexpr double kMinSampleRate = 8000.0;
  // Whether the signal path processes audio at this rate (else it passes it through). Any thread.
  static bool ProcessesRate(double sampleRate) noexcept
  {
    return std::isfinite(sampleRate) && sampleRate >= kMinSampleRate;
  }
  // Above this rate (the highest usual one) the same settings compress less and less: the
  // detector's gain term is scaled by one minus the rate factor, which grows with the rate.
  static constexpr double kWeakeningSampleRate = 192000.0;
  // Near this rate the rate factor reaches 1 and the detector's gain term vanishes: no compression.
  static constexpr double kNoCompressionSampleRate = 768000.0;

  // Builds the engine in the state Reset(48000) leaves. Main thread.
  KelmoDsp() noexcept;

  // Quiet starting state for a sample rate; the next block recomputes the filter bank. The
  // engine has no buffers and always keeps two channel states, whatever the block size and the
  // connected outputs. Called from the host's processing set-up or activation, never
  // concurrently with Process. No allocation.
  void Reset(double sampleRate) noexcept;

  // Parameter-change hook: an "OverSampling" change asks the next block to recompute the filter
  // bank. Any thread (audio thread for automation, main thread for edits); lock-free.
  void OnParamChange(int paramIdx) noexcept;

  // Processes nFrames frames. inputs holds nInputs channel pointers (main L, main R, side-chain
  // L, side-chain R); missing or null ones read as silence, non-finite samples as 0. outputs
  // holds nOutputs pointers; null ones are not written. Outputs may alias inputs. params are
  // real values indexed by EParams (non-finite or out-of-range ones are made safe); tempo in
  // beats per minute (non-finite counts as 0). With nFrames < 1 only the block set-up runs.
  // Audio thread; no allocation, lock or system call.
  template <typename T>
  void Process(const T* const* inputs, int nInputs, T* const* outputs, int nOutputs, int nFrames,
               const ParamValues& params, double tempo) noexcept;

  // Last published gain-reduction readout in dB (<= 0; kMeterRest after a reset) and needle position
  // 0..1 of channel c (0 or 1). Any thread; lock-free. Published at the end of every block and by
  // Reset.
  double MeterReadout(int c) const noexcept
  {
    return mPublishedReadout[Index(c)].load(std::memory_order_relaxed);
  }
  double MeterNeedle(int c) const noexcept
  {
    return mPublishedNeedle[Index(c)].load(std::memory_order_relaxed);
  }

  // True once a block has run since construction (read by the user-preset loader). Any thread.
  bool BlockProcessed() const noexcept { return mBlockProcessed.load(std::memory_order_relaxed); }

private:
  static int Index(int c) noexcept { return c == 1 ? 1 : 0; }

  void BeginBlock(const ParamValues& params, double tempo) noexcept;
  void EndBlock() noexcept;
  void ProcessFrame(const double* in, double* out) noexcept;
  void PowerOffChannel(int c) noexcept;
  void RecoverFromNonFinite() noexcept;
  bool StateIsFinite() const noexcept;
  void PublishMeters() noexcept;

  // Rate and factor state.
  double mSampleRate = 48000.0;
  float mSampleRateF = 48000.0f; // the rate as last seen, in single precision
  double mSampleRateRatio = 1.0; // the rate over 44.1 kHz, never below 1
  int mOverSamplingIndex = 0;
  int mOverSamplingFactor = 2;
  float mRateFactor = static_cast<float>(kDenormalOffset);
  std::atomic<bool> mNeedsReinit{true};
  bool mRateUsable = true;

  std::atomic<bool> mBlockProcessed{false};

  std::array<ChannelState, kNumChannels> mChannels{};
  FilterBank mFilters;
  NoiseGenerator mNoise;
  StereoStage mStereo;
  BlockValues mBlock;
  // The noise bits of a frame, drawn before the loops that use them. They live here rather than on
  // the stack: a stack copy can fall at the same offset within a 4 KB page as engine state
  // written just before, and the processor then holds the bit loads, which feed the detector's
  // critical path, back behind those unrelated stores. Inside the engine their offsets to the
  // state are fixed.
  DetectorBits mDetectorBits[kNumChannels];
  int mGainBits[kNumChannels][kMaxSubSteps];

  std::array<std::atomic<double>, kNumChannels> mPublishedReadout{};
  std::array<std::atomic<double>, kNumChannels> mPublishedNeedle{};
};

template <typename T>
void KelmoDsp::Process(const T* const* inputs, int nInputs, T* const* outputs, int nOutputs, int nFrames,
                       const ParamValues& params, double tempo) noexcept
{
  static_assert(std::is_floating_point_v<T>, "samples are float or double");
  BeginBlock(params, tempo);
  const T* in[kNumInputs] = {};
  T* out[kNumOutputs] = {};
  for (int i = 0; inputs && i < nInputs && i < kNumInputs; ++i)
    in[i] = inputs[i];
  for (int i = 0; outputs && i < nOutputs && i < kNumOutputs; ++i)
    out[i] = outputs[i];

  for (int n = 0; n < nFrames; ++n) {
    double x[kNumInputs];
    for (int i = 0; i < kNumInputs; ++i) {
      const double v = in[i] ? static_cast<double>(in[i][n]) : 0.0;
      x[i] = std::isfinite(v) ? v : 0.0;
    }
    double y[kNumOutputs];
    if (mRateUsable) {
      ProcessFrame(x, y);
    } else {
      y[0] = x[0];
      y[1] = x[1];
    }
    for (int c = 0; c < kNumOutputs; ++c) {
      if (!out[c]) continue;
      if constexpr (std::is_same_v<T, float>)
        out[c][n] =
            static_cast<float>(Max(Min(y[c], static_cast<double>(FLT_MAX)), -static_cast<double>(FLT_MAX)));
      else
        out[c][n] = static_cast<T>(y[c]);
    }
  }
  EndBlock();
}

} // namespace kelmo::dsp
