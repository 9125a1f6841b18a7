#pragma once

#include "engine/dsp/DspMath.h"
#include "engine/dsp/ParamLimits.h"

#include <array>
#include <type_traits>

namespace kelmo::dsp {

// Largest number of detector sub-steps per frame.
constexpr int kMaxSubSteps = 16;
// Floor of the gain knee's threshold term: (TH - floor) TR + floor keeps the knee input above 0
// however low the threshold gain TH and its ramp TR go.
constexpr double kKneeFloor = 1e-05;

// Per-block tables of the sub-step loops, indexed by sub-step and noise bit. They hold exactly
// what each loop would compute per sub-step from block values.
struct SubStepTables
{
  double levelPrevWeight[kMaxSubSteps][2]; // weight of the previous detector input
  double levelCurWeight[kMaxSubSteps][2];  // weight of the current detector input
  double envelopeTerm[kMaxSubSteps][2];    // k + C_F * sqrt((2 - f) f) of the envelope loop
  double gainTerm[kMaxSubSteps][2];        // the same for the gain loop
  double envelopeAttackScale[2];           // jj + 1
};

// Block values of one side (left or right parameter set).
struct SideValues
{
  double wetGain = 1.0;       // WG
  double thresholdGain = 1.0; // TH
  double thresholdRamp = 1.0; // TR: 0 at -36 dB, 1 from -35 dB of threshold
  double deadZone = 1.0;      // T = TR * TH
  // (TH - kKneeFloor) TR + kKneeFloor >= 1: the gain knee is open whatever the envelope, so the
  // gain is exactly 1 in every frame of the block.
  bool kneeAlwaysOpen = true;
  double attackCoef = 0.0;  // AC
  double releaseCoef = 0.0; // RC
  double attackStep = 0.0;  // AC / F
  double scFrequencyHz = 150.0;
  double scGain = kDenormalOffset; // side-chain gain in dB plus the offset
  double compensation = 1.0;       // CG, 1 when compensation is off
  double blend = 0.0;              // ClampUnit(blend % * 0.01)
  double shapeNegWeight = 0.0;     // pull towards the high-passed signal for negative gain
  double shapePosFactor = 0.0;     // t * 3 * (t * 0.65 + 0.35) for positive gain
  double releaseRate = 0.0;        // RR per sub-step, unless busAutoRelease
  bool busAutoRelease = false;     // "Auto Release" on with "Sync Release" "BUS"
  // The host switches as what they mean: "FeedBack" 0 feeds the detector from the gain cell's
  // output, "Bypass" 1 processes the channel.
  bool feedback = false;
  bool processed = true;
  bool autoRelease = false;
  int syncRelease = 0; // 0 "BUS", 1 .. 6 "1/1" .. "1/32"
  bool compensationOn = false;
  int scInput = 0; // detector source: main L, main R, side-chain L, side-chain R
  int tubeMode = 1;
};

// Block part of the retune of one channel's tube-mode band-passes.
struct TubeTuning
{
  int mode = -1;                // the channel's tube mode; other than 0 or 1: no retune
  bool followsEnvelope = false; // "Auto Release" of the deciding set: the release term is per frame
  double attackTerm = 0.0;      // an
  double lowHz = 0.0;           // trunc(f1) and trunc(f2) when the release term is a block value
  double highHz = 0.0;
};

// Block part of the retune of one channel's stereo band-pass.
struct StereoTuning
{
  int mode = -1; // tube mode of channel 1's set; other than 0 or 1: no retune
  double lowHz = 0.0;
  double highHz = 0.0;
  double width = 0.0;
};

// Everything the frame loop needs that depends only on the block's parameters and rate.
struct BlockValues
{
  double sampleRate = 48000.0;
  int factor = 2; // sub-steps per frame
  double invFactor = 0.5;
  double cf = 1.1547; // C_F of the factor

  double inputGain = 1.0;
  double outputGain = 1.0;
  double levelCalibration = 1.0;
  double variGain = kDenormalOffset; // VG
  bool stereoStageOn = false;        // "Vari Gain" above 1 %
  double muDiff = kDenormalOffset;   // MU
  double dryBlend = 1.0;             // DB
  double wetOutputGain = 1.0;        // DB times the output gain (plus the offset)
  double dryOutputGain = 0.0;        // (1 - DB) times the output gain (plus the offset)
  double noise = 0.09;               // NS
  double mu4 = 0.0;
  double mu9 = 0.0;
  double v = 0.0;  // V
  double vh = 0.5; // VH
  double rho = 1.0;
  // "Channel Link" 0 links the channels: channel 1 follows the left set, the envelopes are
  // averaged and channel 0 drives both meters; 1 gives each channel its own set.
  bool linked = true;
  bool midSide = false;
  bool delta = false;
  bool listen = false;
  bool powerOff = false;
  bool highRate = false; // rate at least kHighRateHz

  double rhoOverF = 0.5;
  double slopeMix = 0.75;        // rho / F * 0.5 + 0.5
  double levelRise = 0.0;        // (2/rate * 330 / F) in single precision
  double levelFloor = 0.0;       // (2/rate * 400 / F) in single precision
  double autoReleaseScale = 0.0; // (1/rate) * 0.5
  double autoReleaseFloor = 0.0; // 25/(rate * F) in single precision
  double rateKeep = 1.0;         // 1 - rate factor
  double meterRate = 0.0;        // 5/rate
  double followerCoef = 0.0;
  double followerKeep = 1.0;

  std::array<SideValues, 2> sides{}; // [0] left, [1] right
  std::array<int, 2> setOf{0, 0};    // side used by each channel: 0 for both while linked
  std::array<TubeTuning, 2> tube{};  // per channel
  std::array<StereoTuning, 2> stereo{};
  SubStepTables tables{};

  const SideValues& SetFor(int channel) const noexcept { return sides[setOf[channel]]; }
};

// Frequencies of the tube-mode band-passes for the release and attack terms rn and an.
double TubeLowHz(int mode, double releaseTerm, double attackTerm) noexcept;
double TubeHighHz(int mode, double releaseTerm) noexcept;

// Calls run(std::integral_constant<int, F>{}) with the block's sub-step factor F as a
// compile-time constant, so that sub-step loops unroll and keep their values in registers.
template <class Run> inline void WithSubStepFactor(int factor, Run&& run) noexcept
{
  switch (factor) {
  case 4:
    run(std::integral_constant<int, 4>{});
    break;
  case 8:
    run(std::integral_constant<int, 8>{});
    break;
  case 12:
    run(std::integral_constant<int, 12>{});
    break;
  case 16:
    run(std::integral_constant<int, 16>{});
    break;
  default:
    run(std::integral_constant<int, 2>{});
    break;
  }
}

// Sub-step constant C_F of a factor (2, 4, 8, 12 or 16).
double SubStepConstant(int factor) noexcept;

// Sub-step factor of an "OverSampling" index; -1 for an index outside 0..4.
int SubStepFactorForIndex(int index) noexcept;

// Fills out from sanitized parameter values and the engine's rate state. Once per block;
// no allocation.
void ComputeBlockValues(BlockValues& out, const ParamValues& params, double sampleRate, int factor,
                        float rateFactor, double sampleRateRatio, double tempo) noexcept;

} // namespace kelmo::dsp
