#pragma once

#include "engine/dsp/KelmoParams.h"

#include <array>
#include <cstddef>

namespace kelmo::dsp {

// Real (not normalised) values of all parameters, indexed by EParams.
using ParamValues = std::array<double, kNumParams>;

// Range and default of one parameter. The plug-in defines its parameters from these, so the host,
// the editor and the signal path all accept the same values.
struct ParamLimit
{
  double min;
  double max;
  double defaultValue;
};

// Every parameter's range and default, indexed by EParams.
inline constexpr std::array<ParamLimit, kNumParams> kParamLimits = [] {
  std::array<ParamLimit, kNumParams> t{};
  t[kPower] = {0, 1, 1};
  t[kLWetGain] = {-16, 8, 0};
  // Thresholds are the positive amount below full scale.
  t[kLThreshold] = {0, 36, 0};
  t[kLFeedBack] = {0, 1, 1};
  t[kLAttack] = {0.2, 40, 20};
  t[kLRelease] = {100, 2000, 450};
  t[kLSidechainFrequency] = {50, 1800, 150};
  t[kLSidechainGain] = {-48, 12, 0};
  t[kLBypass] = {0, 1, 1};
  t[kRWetGain] = {-16, 8, 0};
  t[kRThreshold] = {0, 36, 0};
  t[kRFeedBack] = {0, 1, 1};
  t[kRAttack] = {0.2, 40, 20};
  t[kRRelease] = {100, 2000, 450};
  // The right side-chain high-pass reaches lower than the left one.
  t[kRSidechainFrequency] = {5, 1800, 150};
  t[kRSidechainGain] = {-48, 12, 0};
  t[kRBypass] = {0, 1, 1};
  t[kVariGain] = {0, 100, 0};
  t[kChannelLink] = {0, 1, 0};
  t[kMidSideMode] = {0, 1, 0};
  t[kOverSampling] = {0, 4, 0};
  t[kDelta] = {0, 1, 0};
  t[kLevelCalibration] = {-24, 4, 0};
  t[kLinkChannelControls] = {0, 1, 1};
  t[kInputGain] = {-16, 16, 0};
  t[kOutputGain] = {-16, 16, 0};
  t[kPluginScale] = {1, 2, 1};
  t[kNoiseAmount] = {0, 1, 0.3};
  t[kSidechainListen] = {0, 1, 0};
  t[kLTriodePentode] = {0, 1, 1};
  t[kRTriodePentode] = {0, 1, 1};
  t[kDryBlend] = {0, 100, 100};
  t[kMuDiff] = {0, 100, 0};
  t[kLAutoRelease] = {0, 1, 0};
  t[kRAutoRelease] = {0, 1, 0};
  t[kLSyncRelease] = {0, 6, 0};
  t[kRSyncRelease] = {0, 6, 0};
  t[kComparisonSlot] = {0, 1, 0};
  t[kLSidechainCompensation] = {0, 1, 0};
  t[kRSidechainCompensation] = {0, 1, 0};
  t[kLSidechainInput] = {0, 3, 2};
  t[kRSidechainInput] = {0, 3, 3};
  t[kLSidechainBlend] = {0, 100, 0};
  t[kRSidechainBlend] = {0, 100, 0};
  return t;
}();

// A parameter left out above would have the empty range {0, 0, 0}.
static_assert(
    [] {
      for (const ParamLimit& l : kParamLimits)
        if (!(l.min < l.max) || l.defaultValue < l.min || l.defaultValue > l.max) return false;
      return true;
    }(),
    "every parameter needs a range that holds its default");

// Range and default of parameter idx (0 <= idx < kNumParams).
constexpr const ParamLimit& GetParamLimit(int idx) noexcept
{
  return kParamLimits[static_cast<std::size_t>(idx)];
}

// Every parameter at its default.
ParamValues DefaultParamValues() noexcept;

// Values fit for the signal path: non-finite ones become the default, the rest are limited to
// the parameter's range. Values the framework already checked pass unchanged.
ParamValues SanitizeParams(const ParamValues& values) noexcept;

} // namespace kelmo::dsp
