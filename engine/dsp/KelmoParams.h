#pragma once

// Parameter indices of the compressor. The index is also the VST3 parameter id and the position
// of the value in the saved state, so the order never changes.
enum EParams {
  kPower = 0,
  kLWetGain = 1,
  kLThreshold = 2,
  kLFeedBack = 3,
  kLAttack = 4,
  kLRelease = 5,
  kLSidechainFrequency = 6,
  kLSidechainGain = 7,
  kLBypass = 8,
  kRWetGain = 9,
  kRThreshold = 10,
  kRFeedBack = 11,
  kRAttack = 12,
  kRRelease = 13,
  kRSidechainFrequency = 14,
  kRSidechainGain = 15,
  kRBypass = 16,
  kVariGain = 17,
  kChannelLink = 18,
  kMidSideMode = 19,
  kOverSampling = 20,
  kDelta = 21,
  kLevelCalibration = 22,
  kLinkChannelControls = 23,
  kInputGain = 24,
  kOutputGain = 25,
  kPluginScale = 26,
  kNoiseAmount = 27,
  kSidechainListen = 28,
  kLTriodePentode = 29,
  kRTriodePentode = 30,
  kDryBlend = 31,
  kMuDiff = 32,
  kLAutoRelease = 33,
  kRAutoRelease = 34,
  kLSyncRelease = 35,
  kRSyncRelease = 36,
  kComparisonSlot = 37,
  kLSidechainCompensation = 38,
  kRSidechainCompensation = 39,
  kLSidechainInput = 40,
  kRSidechainInput = 41,
  kLSidechainBlend = 42,
  kRSidechainBlend = 43,
  kNumParams = 44
};

// Number of preset records the plug-in keeps (factory presets, then "empty" records).
constexpr int kNumPresets = 40;
