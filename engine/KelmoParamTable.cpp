#include "engine/KelmoParamTable.h"

#include "engine/dsp/KelmoParams.h"
#include "engine/dsp/ParamLimits.h"

#include <initializer_list>

using plugin::IParam;

namespace {

// Most parameters carry the marked flag, which only the plug-in's own side reads.
constexpr int kMarked = IParam::kFlagMarked;
constexpr int kMarkedNegated = IParam::kFlagMarked | IParam::kFlagNegateDisplay;

// Ranges and defaults come from the signal path's table, so that every value the host or the
// editor can set is processed as it is.
const kelmo::dsp::ParamLimit& Limit(int idx)
{
  return kelmo::dsp::GetParamLimit(idx);
}

void Double(plugin::IEditorDelegate& d, int idx, const char* name, double step, const char* label, int flags,
            const IParam::Shape& shape = IParam::ShapeLinear{})
{
  const kelmo::dsp::ParamLimit& l = Limit(idx);
  d.GetParam(idx)->InitDouble(name, l.defaultValue, l.min, l.max, step, label, flags, "", shape);
}

void Frequency(plugin::IEditorDelegate& d, int idx, const char* name, int flags)
{
  const kelmo::dsp::ParamLimit& l = Limit(idx);
  d.GetParam(idx)->InitFrequency(name, l.defaultValue, l.min, l.max, 1.0, flags);
}

void Int(plugin::IEditorDelegate& d, int idx, const char* name, int flags)
{
  const kelmo::dsp::ParamLimit& l = Limit(idx);
  d.GetParam(idx)->InitInt(name, static_cast<int>(l.defaultValue), static_cast<int>(l.min),
                           static_cast<int>(l.max), "", flags);
}

// An enum's values run from 0 to its maximum, one display text each.
void Enum(plugin::IEditorDelegate& d, int idx, const char* name, int flags,
          std::initializer_list<const char*> texts)
{
  const kelmo::dsp::ParamLimit& l = Limit(idx);
  d.GetParam(idx)->InitEnum(name, static_cast<int>(l.defaultValue), static_cast<int>(l.max) + 1, "", flags,
                            "", texts);
}

// Controls that exist once per channel; the two channels differ only in the side-chain
// high-pass's lower limit, which the limits table holds.
struct ChannelParams
{
  int wetGain, threshold, feedBack, attack, release, scFrequency, scGain, bypass;
  const char *wetGainName, *thresholdName, *feedBackName, *attackName, *releaseName, *scFrequencyName,
      *scGainName, *bypassName;
};

void DefineChannel(plugin::IEditorDelegate& d, const ChannelParams& p)
{
  Double(d, p.wetGain, p.wetGainName, 0.1, "", kMarked);
  // Stored as a positive amount below full scale, shown as the negative level it stands for.
  Double(d, p.threshold, p.thresholdName, 0.1, "", kMarkedNegated);
  Int(d, p.feedBack, p.feedBackName, kMarked);
  Double(d, p.attack, p.attackName, 0.1, "", kMarked);
  Double(d, p.release, p.releaseName, 1.0, "", kMarked, IParam::ShapeExp{});
  Frequency(d, p.scFrequency, p.scFrequencyName, kMarked);
  Double(d, p.scGain, p.scGainName, 0.1, "dB", kMarked);
  Int(d, p.bypass, p.bypassName, kMarked);
}

void DefineSyncRelease(plugin::IEditorDelegate& d, int idx, const char* name)
{
  Enum(d, idx, name, kMarked, {"BUS", "1/1", "1/2", "1/4", "1/8", "1/16", "1/32"});
}

void DefineSidechainInput(plugin::IEditorDelegate& d, int idx, const char* name)
{
  Enum(d, idx, name, kMarked, {"ch 1", "ch 2", "ext 1", "ext 2"});
}

} // namespace

void DefineKelmoParams(plugin::IEditorDelegate& d)
{
  Int(d, kPower, "Power", kMarked);
  DefineChannel(d, {kLWetGain, kLThreshold, kLFeedBack, kLAttack, kLRelease, kLSidechainFrequency,
                    kLSidechainGain, kLBypass, "L Wet Gain", "L Threshold", "L FeedBack", "L Attack",
                    "L Release", "L Sidechain Frequency", "L Sidechain Gain", "L Bypass"});
  DefineChannel(d, {kRWetGain, kRThreshold, kRFeedBack, kRAttack, kRRelease, kRSidechainFrequency,
                    kRSidechainGain, kRBypass, "R Wet Gain", "R Threshold", "R FeedBack", "R Attack",
                    "R Release", "R Sidechain Frequency", "R Sidechain Gain", "R Bypass"});
  Double(d, kVariGain, "Vari Gain", 1.0, "%", kMarked);
  Int(d, kChannelLink, "Channel Link", kMarked);
  Int(d, kMidSideMode, "Mid Side Mode", kMarked);
  Int(d, kOverSampling, "OverSampling", 0);
  Int(d, kDelta, "Delta", kMarked);
  Double(d, kLevelCalibration, "Level Calibration", 0.1, "", 0);
  Int(d, kLinkChannelControls, "Link Channel Controls", kMarked);
  Double(d, kInputGain, "Input Gain", 0.1, "", 0);
  Double(d, kOutputGain, "Output Gain", 0.1, "", 0);
  Double(d, kPluginScale, "Plugin Scale", 0.01, "", kMarked);
  Double(d, kNoiseAmount, "Noise Amount", 0.01, "", 0);
  Int(d, kSidechainListen, "Sidechain Listen", kMarked);
  // Both tube switches carry the same name; only their index tells them apart.
  Int(d, kLTriodePentode, "Triode / Pentode", kMarked);
  Int(d, kRTriodePentode, "Triode / Pentode", kMarked);
  Double(d, kDryBlend, "Dry Blend", 1.0, "%", kMarked);
  Double(d, kMuDiff, "\xCE\xBC-Diff", 1.0, "%", kMarked);
  Int(d, kLAutoRelease, "L Auto Release", kMarked);
  Int(d, kRAutoRelease, "R Auto Release", kMarked);
  DefineSyncRelease(d, kLSyncRelease, "L Sync Release");
  DefineSyncRelease(d, kRSyncRelease, "R Sync Release");
  Enum(d, kComparisonSlot, "Comparison slot", 0, {"A", "B"});
  Int(d, kLSidechainCompensation, "L Sidechain Compensation", 0);
  Int(d, kRSidechainCompensation, "R Sidechain Compensation", 0);
  DefineSidechainInput(d, kLSidechainInput, "L Sidechain Input");
  DefineSidechainInput(d, kRSidechainInput, "R Sidechain Input");
  Double(d, kLSidechainBlend, "L Sidechain blend", 1.0, "%", kMarked);
  Double(d, kRSidechainBlend, "R Sidechain blend", 1.0, "%", kMarked);
}
