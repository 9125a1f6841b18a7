#pragma once

#include "engine/dsp/DspMath.h"

namespace kelmo::dsp {

// Everything the signal path keeps for one channel apart from its filter sections (those live
// in the engine's two-channel FilterBank). Fixed size; the engine always holds two.
struct ChannelState
{
  // Signals of the current frame.
  double channelSignal = 0.0; // working sample; the processed output at the end of a frame
  double gainedInput = 0.0;   // input after "Input Gain"
  double detectorInput = 0.0; // side-chain signal after blend
  double rawInput = 0.0;      // unprocessed input of this frame
  double drySignal = 0.0;     // (possibly mid/side encoded) input of this frame
  double listenSignal = 0.0;  // shaped side-chain signal for "Sidechain Listen"

  // Detector memory.
  double prevDetectorInput = 0.0;     // detector input of the last frame
  double prevDetectorValue = 0.0;     // detector value of the last frame
  double prevEnvelope = 0.0;          // envelope of the last frame (gain loop)
  double lastInterpolatedInput = 0.0; // last sub-step input of the level loop
  double lastLevelSample = 0.0;       // last sub-step output of the level loop's dead zone
  double lastDetectorSample = 0.0;    // last interpolated detector value of the envelope loop
  double lastEnvelopeSample = 0.0;    // last sub-step envelope before averaging
  double followerLevel = 0.0;         // level follower: its level ...
  double followerCeiling = 0.0;       // ... the ceiling it is averaged towards ...
  double followerPosition = 0.0;      // ... and the input's averaged position below that ceiling
  double slopeFollower = 0.0;         // averaged step between sub-step inputs
  double envelopeFollower = 0.0;      // attack/release envelope, carried between sub-steps
  double envelope = 0.0;              // averaged envelope of this frame
  double feedbackSignal = 0.0;        // gain times detector input of the previous frame

  // Colour-stage memory.
  double slewSmoother = 0.0;     // smoothed removed signal ...
  double slewState = 0.0;        // ... and the same value as the slope term's last input
  double colourFollower = 0.0;   // follower of the removed signal ...
  double colourMagnitude = 0.0;  // ... and the sine-shaped follower of its magnitude
  double cosineSmoother = 0.0;   // slow average of the tube polynomial's high-passed cosine
  double detectorSmoother = 0.0; // slow average of the soft-clipped squared detector value

  // Meters: the ballistics of the active and of the inactive branch, and what they show.
  double meterBallistics = 0.0;
  double inactiveMeterBallistics = 0.0;
  double meterReadout = kMeterRest; // gain reduction in dB (<= 0)
  double meterNeedle = kMeterRest;  // VU needle position 0..1

  // Last design inputs of the per-frame band-passes; an unchanged design is not recomputed.
  double tubeBandPassHz = -1.0;
  int tubeBandPassMode = -1;
  double stereoBandPassHz = -1.0;
  int stereoBandPassMode = -1;

  // Refills what a reset clears (the filter states are cleared by the engine) and forgets the
  // band-pass designs. The previous-frame values and the colour magnitude survive a reset.
  void ResetState() noexcept
  {
    followerLevel = followerCeiling = followerPosition = slopeFollower = envelopeFollower = kDenormalOffset;
    meterBallistics = inactiveMeterBallistics = kDenormalOffset;
    cosineSmoother = detectorSmoother = slewSmoother = kDenormalOffset;
    lastInterpolatedInput = lastLevelSample = lastDetectorSample = lastEnvelopeSample = kDenormalOffset;
    colourFollower = kDenormalOffset;
    envelope = kDenormalOffset;
    meterNeedle = kMeterRest;
    meterReadout = kMeterRest;
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
    envelope = detectorInput = gainedInput = slewState = feedbackSignal = kDenormalOffset;
    colourFollower = colourMagnitude = kDenormalOffset;
    envelopeFollower = 1.0;
  }

  // Decays the meter from one of its ballistics words by 5/sampleRate per frame (0.2 s), as an
  // inactive or powered-off channel shows it.
  void DecayMeter(double& ballistics, double sampleRate) noexcept
  {
    const double m = ballistics;
    const double mNext = m - 5.0 * m / sampleRate;
    ballistics = mNext + kDenormalOffset;
    meterReadout = mNext + 2 * kDenormalOffset;
    meterNeedle = static_cast<float>(ClampUnit(-0.1 * meterReadout));
  }

  // Sum of every value carried from frame to frame: not finite once any of them is not.
  double CarriedSum() const noexcept
  {
    return followerLevel + followerCeiling + followerPosition + slopeFollower + envelopeFollower +
           meterBallistics + inactiveMeterBallistics + cosineSmoother + detectorSmoother + slewSmoother +
           prevDetectorInput + prevDetectorValue + prevEnvelope + lastLevelSample + lastDetectorSample +
           lastEnvelopeSample + lastInterpolatedInput + colourFollower + colourMagnitude + feedbackSignal +
           slewState + meterReadout + meterNeedle + envelope;
  }
};

} // namespace kelmo::dsp
