#include "engine/dsp/ParamLimits.h"

#include <cmath>

namespace kelmo::dsp {

namespace {

constexpr ParamLimit kLimits[kNumParams] = {
    {0, 1, 1},        // kPower
    {-16, 8, 0},      // kLWetGain
    {0, 36, 0},       // kLThreshold
    {0, 1, 1},        // kLFeedBack
    {0.2, 40, 20},    // kLAttack
    {100, 2000, 450}, // kLRelease
    {50, 1800, 150},  // kLSidechainFrequency
    {-48, 12, 0},     // kLSidechainGain
    {0, 1, 1},        // kLBypass
    {-16, 8, 0},      // kRWetGain
    {0, 36, 0},       // kRThreshold
    {0, 1, 1},        // kRFeedBack
    {0.2, 40, 20},    // kRAttack
    {100, 2000, 450}, // kRRelease
    {5, 1800, 150},   // kRSidechainFrequency
    {-48, 12, 0},     // kRSidechainGain
    {0, 1, 1},        // kRBypass
    {0, 100, 0},      // kVariGain
    {0, 1, 0},        // kChannelLink
    {0, 1, 0},        // kMidSideMode
    {0, 4, 0},        // kOverSampling
    {0, 1, 0},        // kDelta
    {-24, 4, 0},      // kLevelCalibration
    {0, 1, 1},        // kLinkChannelControls
    {-16, 16, 0},     // kInputGain
    {-16, 16, 0},     // kOutputGain
    {1, 2, 1},        // kPluginScale
    {0, 1, 0.3},      // kNoiseAmount
    {0, 1, 0},        // kSidechainListen
    {0, 1, 1},        // kLTriodePentode
    {0, 1, 1},        // kRTriodePentode
    {0, 100, 100},    // kDryBlend
    {0, 100, 0},      // kMuDiff
    {0, 1, 0},        // kLAutoRelease
    {0, 1, 0},        // kRAutoRelease
    {0, 6, 0},        // kLSyncRelease
    {0, 6, 0},        // kRSyncRelease
    {0, 1, 0},        // kComparisonSlot
    {0, 1, 0},        // kLSidechainCompensation
    {0, 1, 0},        // kRSidechainCompensation
    {0, 3, 2},        // kLSidechainInput
    {0, 3, 3},        // kRSidechainInput
    {0, 100, 0},      // kLSidechainBlend
    {0, 100, 0},      // kRSidechainBlend
};

} // namespace

const ParamLimit& GetParamLimit(int idx) noexcept
{
  return kLimits[idx];
}

ParamValues DefaultParamValues() noexcept
{
  ParamValues values{};
  for (int i = 0; i < kNumParams; ++i)
    values[i] = kLimits[i].defaultValue;
  return values;
}

ParamValues SanitizeParams(const ParamValues& values) noexcept
{
  ParamValues out{};
  for (int i = 0; i < kNumParams; ++i) {
    const ParamLimit& l = kLimits[i];
    const double v = values[i];
    if (!std::isfinite(v))
      out[i] = l.defaultValue;
    else
      out[i] = v < l.min ? l.min : (v > l.max ? l.max : v);
  }
  return out;
}

} // namespace kelmo::dsp
