#pragma once

#include <array>

namespace kelmo::dsp {

// Everything the signal path keeps for one channel apart from its filter sections (those live
// in the engine's two-channel FilterBank). Fixed size; the engine always holds two.
struct ChannelState
{
  double channelSignal = 0.0; // working sample; the processed output at the end of a frame
  double gainedInput = 0.0;   // input after "Input Gain"
  double detectorInput = 0.0; // side-chain signal after blend
  double rawInput = 0.0;      // unprocessed input of this frame
  double drySignal = 0.0;     // (possibly mid/side encoded) input of this frame
  double envelope = 0.0;      // averaged envelope of this frame
  double envelopeOut = 0.0;
  double envelopeStep = 0.0;
  double subSampleSum = 0.0;
  double feedbackSignal = 0.0; // gain times detector input of the previous frame
  double listenSignal = 0.0;   // shaped side-chain signal for "Sidechain Listen"
  double slewState = 0.0;      // colour-stage slope memory
  double resetScratch = 0.0;   // scratch word refilled by a reset only

  // Detector memory. prevDetector: [0] input, [1] detector value, [6] envelope of the last frame.
  std::array<double, 8> prevDetector{};
  // [4] last level sample, [5] last interpolated detector value, [6] last envelope sample.
  std::array<double, 8> detectorHistory{};
  std::array<double, 8> interpState{}; // [0] last interpolated input
  std::array<double, 8> stepHistory{}; // [0] last input step
  // [0..2] level follower, [3] envelope, [5] slope follower, [10] meter ballistics,
  // [11], [12], [15], [18] colour-stage smoothers, [20] meter word of the inactive branch.
  std::array<double, 32> detectorState{};
  std::array<double, 8> colourFollowerA{}; // word 0 used
  std::array<double, 8> colourFollowerB{}; // word 0 used

  double meterReadout = 0.001; // gain reduction in dB (<= 0)
  double meterNeedle = 0.001;  // VU needle position 0..1

  // Last design inputs of the per-frame band-passes; an unchanged design is not recomputed.
  double tubeBandPassHz = -1.0;
  int tubeBandPassMode = -1;
  double stereoBandPassHz = -1.0;
  int stereoBandPassMode = -1;

  // Refills what a reset clears (the filter states are cleared by the engine) and forgets the
  // band-pass designs.
  void ResetState() noexcept
  {
    detectorState.fill(1e-15);
    interpState.fill(1e-15);
    colourFollowerA.fill(1e-15);
    detectorHistory.fill(1e-15);
    stepHistory.fill(1e-15);
    envelope = 1e-15;
    resetScratch = 1e-15;
    meterNeedle = 0.001;
    meterReadout = 0.001;
    ForgetBandPassDesigns();
  }

  void ForgetBandPassDesigns() noexcept
  {
    tubeBandPassHz = stereoBandPassHz = -1.0;
    tubeBandPassMode = stereoBandPassMode = -1;
  }

  // Clears what an inactive channel (bypassed or powered off) holds quiet.
  void ClearInactive() noexcept
  {
    envelope = envelopeStep = detectorInput = subSampleSum = gainedInput = slewState = feedbackSignal = 1e-15;
    colourFollowerA[0] = colourFollowerB[0] = 1e-15;
    detectorState[3] = 1.0;
  }
};

} // namespace kelmo::dsp
