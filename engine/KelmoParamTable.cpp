#include "engine/KelmoParamTable.h"

#include "engine/dsp/KelmoParams.h"

using plugin::IParam;

namespace {

// Most parameters carry the marked flag, which only the plug-in's own side reads.
constexpr int kMarked = IParam::kFlagMarked;
constexpr int kMarkedNegated = IParam::kFlagMarked | IParam::kFlagNegateDisplay;

// Controls that exist once per channel; the two channels differ only in the side-chain
// high-pass's lower limit.
struct ChannelParams
{
  int wetGain, threshold, feedBack, attack, release, scFrequency, scGain, bypass;
  const char *wetGainName, *thresholdName, *feedBackName, *attackName, *releaseName, *scFrequencyName,
      *scGainName, *bypassName;
  double scFrequencyMinHz;
};

void DefineChannel(plugin::IEditorDelegate& d, const ChannelParams& p)
{
  d.GetParam(p.wetGain)->InitDouble(p.wetGainName, 0.0, -16.0, 8.0, 0.1, "", kMarked);
  // Stored as a positive amount below full scale, shown as the negative level it stands for.
  d.GetParam(p.threshold)->InitDouble(p.thresholdName, 0.0, 0.0, 36.0, 0.1, "", kMarkedNegated);
  d.GetParam(p.feedBack)->InitInt(p.feedBackName, 1, 0, 1, "", kMarked);
  d.GetParam(p.attack)->InitDouble(p.attackName, 20.0, 0.2, 40.0, 0.1, "", kMarked);
  d.GetParam(p.release)->InitDouble(p.releaseName, 450.0, 100.0, 2000.0, 1.0, "", kMarked, "",
                                    IParam::ShapeExp{});
  d.GetParam(p.scFrequency)
      ->InitFrequency(p.scFrequencyName, 150.0, p.scFrequencyMinHz, 1800.0, 1.0, kMarked);
  d.GetParam(p.scGain)->InitDouble(p.scGainName, 0.0, -48.0, 12.0, 0.1, "dB", kMarked);
  d.GetParam(p.bypass)->InitInt(p.bypassName, 1, 0, 1, "", kMarked);
}

void DefineSyncRelease(plugin::IEditorDelegate& d, int idx, const char* name)
{
  d.GetParam(idx)->InitEnum(name, 0, 7, "", kMarked, "", {"BUS", "1/1", "1/2", "1/4", "1/8", "1/16", "1/32"});
}

void DefineSidechainInput(plugin::IEditorDelegate& d, int idx, const char* name, int defaultInput)
{
  d.GetParam(idx)->InitEnum(name, defaultInput, 4, "", kMarked, "", {"ch 1", "ch 2", "ext 1", "ext 2"});
}

} // namespace

void DefineKelmoParams(plugin::IEditorDelegate& d)
{
  d.GetParam(kPower)->InitInt("Power", 1, 0, 1, "", kMarked);
  DefineChannel(d, {kLWetGain, kLThreshold, kLFeedBack, kLAttack, kLRelease, kLSidechainFrequency,
                    kLSidechainGain, kLBypass, "L Wet Gain", "L Threshold", "L FeedBack", "L Attack",
                    "L Release", "L Sidechain Frequency", "L Sidechain Gain", "L Bypass", 50.0});
  DefineChannel(d, {kRWetGain, kRThreshold, kRFeedBack, kRAttack, kRRelease, kRSidechainFrequency,
                    kRSidechainGain, kRBypass, "R Wet Gain", "R Threshold", "R FeedBack", "R Attack",
                    "R Release", "R Sidechain Frequency", "R Sidechain Gain", "R Bypass", 5.0});
  d.GetParam(kVariGain)->InitDouble("Vari Gain", 0.0, 0.0, 100.0, 1.0, "%", kMarked);
  d.GetParam(kChannelLink)->InitInt("Channel Link", 0, 0, 1, "", kMarked);
  d.GetParam(kMidSideMode)->InitInt("Mid Side Mode", 0, 0, 1, "", kMarked);
  d.GetParam(kOverSampling)->InitInt("OverSampling", 0, 0, 4, "", 0);
  d.GetParam(kDelta)->InitInt("Delta", 0, 0, 1, "", kMarked);
  d.GetParam(kLevelCalibration)->InitDouble("Level Calibration", 0.0, -24.0, 4.0, 0.1, "", 0);
  d.GetParam(kLinkChannelControls)->InitInt("Link Channel Controls", 1, 0, 1, "", kMarked);
  d.GetParam(kInputGain)->InitDouble("Input Gain", 0.0, -16.0, 16.0, 0.1, "", 0);
  d.GetParam(kOutputGain)->InitDouble("Output Gain", 0.0, -16.0, 16.0, 0.1, "", 0);
  d.GetParam(kPluginScale)->InitDouble("Plugin Scale", 1.0, 1.0, 2.0, 0.01, "", kMarked);
  d.GetParam(kNoiseAmount)->InitDouble("Noise Amount", 0.3, 0.0, 1.0, 0.01, "", 0);
  d.GetParam(kSidechainListen)->InitInt("Sidechain Listen", 0, 0, 1, "", kMarked);
  // Both tube switches carry the same name; only their index tells them apart.
  d.GetParam(kLTriodePentode)->InitInt("Triode / Pentode", 1, 0, 1, "", kMarked);
  d.GetParam(kRTriodePentode)->InitInt("Triode / Pentode", 1, 0, 1, "", kMarked);
  d.GetParam(kDryBlend)->InitDouble("Dry Blend", 100.0, 0.0, 100.0, 1.0, "%", kMarked);
  d.GetParam(kMuDiff)->InitDouble("\xCE\xBC-Diff", 0.0, 0.0, 100.0, 1.0, "%", kMarked);
  d.GetParam(kLAutoRelease)->InitInt("L Auto Release", 0, 0, 1, "", kMarked);
  d.GetParam(kRAutoRelease)->InitInt("R Auto Release", 0, 0, 1, "", kMarked);
  DefineSyncRelease(d, kLSyncRelease, "L Sync Release");
  DefineSyncRelease(d, kRSyncRelease, "R Sync Release");
  d.GetParam(kComparisonSlot)->InitEnum("Comparison slot", 0, 2, "", 0, "", {"A", "B"});
  d.GetParam(kLSidechainCompensation)->InitInt("L Sidechain Compensation", 0, 0, 1, "", 0);
  d.GetParam(kRSidechainCompensation)->InitInt("R Sidechain Compensation", 0, 0, 1, "", 0);
  DefineSidechainInput(d, kLSidechainInput, "L Sidechain Input", 2);
  DefineSidechainInput(d, kRSidechainInput, "R Sidechain Input", 3);
  d.GetParam(kLSidechainBlend)->InitDouble("L Sidechain blend", 0.0, 0.0, 100.0, 1.0, "%", kMarked);
  d.GetParam(kRSidechainBlend)->InitDouble("R Sidechain blend", 0.0, 0.0, 100.0, 1.0, "%", kMarked);
}
