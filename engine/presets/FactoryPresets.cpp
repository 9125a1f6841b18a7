#include "engine/presets/FactoryPresets.h"

#include <cstddef>

namespace {

// Settings of one channel (left/mid or right/side).
struct ChannelSettings
{
  double wetGainDb;       // "Wet Gain", -16 .. 8
  double thresholdDb;     // "Threshold", stored positive: 12 means -12 dB, 0 .. 36
  int feedBack;           // "FeedBack": 1 feeds the detector from the input, 0 from the output
  double attackMs;        // "Attack", 0.2 .. 40
  double releaseMs;       // "Release", 100 .. 2000
  double sidechainHz;     // "Sidechain Frequency", left 50 .. 1800, right 5 .. 1800
  double sidechainGainDb; // "Sidechain Gain", -48 .. 12
  int active;             // "Bypass": 1 processes the channel, 0 passes it dry
  int pentode;            // "Triode / Pentode": 0 triode, 1 pentode
  int autoRelease;        // "Auto Release"
  int syncRelease;        // "Sync Release": 0 "BUS", 1 "1/1" .. 6 "1/32"
  int sidechainCompensation;
};

// Settings shared by both channels.
struct GlobalSettings
{
  int power;
  double variGainPct;        // 0 .. 100
  int channelLink;           // 1: each channel its own parameter set and detector
  int midSide;               // 1: the channels are mid and side
  double levelCalibrationDb; // -24 .. 4
  int linkChannelControls;   // 1: left and right controls move together
  double inputGainDb;        // -16 .. 16
  double outputGainDb;       // -16 .. 16
  double noiseAmount;        // 0 .. 1
  int sidechainListen;
  double dryBlendPct; // 0 .. 100; 100 is fully processed
  double muDiffPct;   // 0 .. 100
};

constexpr int kNotSet = -1;

struct PresetRow
{
  const char* name;
  ChannelSettings left;
  ChannelSettings right;
  GlobalSettings global;
  int comparisonSlot; // kNotSet for "Factory default"
};

// clang-format off
// Channel columns: wet dB, threshold dB, feedback, attack ms, release ms, sidechain Hz,
//                  sidechain dB, active, pentode, auto release, sync release, compensation
// Global columns:  power, vari gain %, channel link, mid/side, level calibration dB,
//                  link controls, input dB, output dB, noise, listen, dry blend %, mu-diff %
constexpr PresetRow kRows[kNumFactoryPresets] = {
  {"Factory default",
   {0, 0, 1, 20, 450, 150, 0, 1, 1, 0, 0, 0},
   {0, 0, 1, 20, 450, 150, 0, 1, 1, 0, 0, 0},
   {1, 0, 0, 0, 0, 1, 0, 0, 0.3, 0, 100, 0}, kNotSet},
  {"42 dV",
   {4.17, 4.24, 0, 4.2, 420, 420, 4.2, 1, 0, 0, 3, 0},
   {4.17, 4.24, 0, 4.2, 420, 420, 4.2, 1, 0, 0, 3, 0},
   {1, 41.5, 1, 0, -4.21, 1, 4.18, -4.24, 0, 0, 42.4, 41.6}, 0},
  {"Stereo Width au Naturel dV",
   {-5, 8.96, 0, 11.972, 1200, 110, 1.98, 1, 1, 1, 0, 0},
   {-3.67, 36, 1, 40, 834.4, 175, -2.96, 1, 0, 1, 0, 0},
   {1, 21.8, 1, 1, 3.47, 0, 0, 5.12, 0.23, 0, 100, 45.42}, 0},
  {"Mixbus - Slow yet Stable dV",
   {1.5, 6.0, 1, 30.0, 800, 90, 0.0, 1, 1, 0, 0, 0},
   {1.5, 6.0, 1, 30.0, 800, 90, 0.0, 1, 1, 0, 0, 0},
   {1, 20, 0, 0, -2.0, 1, 0.0, -0.5, 0.3, 0, 100, 25}, 0},
  {"Mixbus - Sweet Tickle dV",
   {0.8, 3.5, 0, 25.0, 600, 120, -3.0, 1, 0, 1, 0, 1},
   {0.8, 3.5, 0, 25.0, 600, 120, -3.0, 1, 0, 1, 0, 1},
   {1, 35, 0, 0, 0.0, 1, 1.0, -1.0, 0.25, 0, 100, 15}, 0},
  {"Mixbus - Synced Movement dV",
   {2.0, 7.5, 1, 12.0, 450, 100, 0.0, 1, 1, 1, 4, 0},
   {2.0, 7.5, 1, 12.0, 450, 100, 0.0, 1, 1, 1, 4, 0},
   {1, 15, 0, 0, -3.0, 1, 0.0, -1.5, 0.35, 0, 100, 30}, 0},
  {"Drumbus - Chunky Synced Parallel dV",
   {4.0, 18.0, 1, 8.0, 250, 140, 2.0, 1, 1, 1, 5, 1},
   {4.0, 18.0, 1, 8.0, 250, 140, 2.0, 1, 1, 1, 5, 1},
   {1, 50, 0, 0, 0.0, 1, 2.0, -2.0, 0.4, 0, 55, 45}, 0},
  {"Drumbus - Smack My Drums Up dV",
   {6.0, 22.0, 1, 3.5, 150, 180, 4.0, 1, 1, 0, 0, 0},
   {6.0, 22.0, 1, 3.5, 150, 180, 4.0, 1, 1, 0, 0, 0},
   {1, 70, 0, 0, 2.0, 1, 3.0, -4.0, 0.5, 0, 70, 60}, 0},
  {"Drumbus - Crow Eats Dirth dV",
   {5.0, 26.0, 0, 1.5, 120, 60, -6.0, 1, 0, 0, 2, 0},
   {5.0, 26.0, 0, 1.5, 120, 60, -6.0, 1, 0, 0, 2, 0},
   {1, 100, 1, 0, 3.5, 1, 6.0, -6.0, 0.8, 0, 80, 85}, 0},
  {"Drumbus - Subtle Glue and Weight dV",
   {1.2, 5.0, 1, 20.0, 350, 70, -2.0, 1, 0, 1, 0, 1},
   {1.2, 5.0, 1, 20.0, 350, 70, -2.0, 1, 0, 1, 0, 1},
   {1, 25, 0, 0, -1.0, 1, 0.5, -0.8, 0.2, 0, 90, 20}, 0},
  {"RKVenlor Ambient",
   {2.5, 12.0, 0, 40.0, 1800, 200, 0.0, 1, 0, 1, 1, 0},
   {2.5, 12.0, 0, 40.0, 1800, 200, 0.0, 1, 0, 1, 1, 0},
   {1, 40, 0, 0, -6.0, 1, 0.0, -1.0, 0.6, 0, 60, 50}, 0},
  {"RKVenlor Auto Bus Push",
   {3.0, 9.0, 1, 10.0, 500, 110, 1.5, 1, 1, 1, 0, 1},
   {3.0, 9.0, 1, 10.0, 500, 110, 1.5, 1, 1, 1, 0, 1},
   {1, 30, 0, 0, -2.5, 1, 2.0, -1.5, 0.3, 0, 100, 35}, 0},
  {"RKVenlor Bass instrumental control",
   {2.0, 14.0, 1, 6.0, 300, 50, -4.0, 1, 0, 0, 0, 1},
   {2.0, 14.0, 1, 6.0, 300, 50, -4.0, 1, 0, 0, 0, 1},
   {1, 10, 0, 0, -4.0, 1, 0.0, -1.0, 0.1, 0, 100, 10}, 0},
  {"RKvenlor Classic Pentode 1dB",
   {0.5, 2.0, 1, 20.0, 450, 150, 0.0, 1, 1, 0, 0, 0},
   {0.5, 2.0, 1, 20.0, 450, 150, 0.0, 1, 1, 0, 0, 0},
   {1, 0, 0, 0, -8.0, 1, 0.0, -0.2, 0.3, 0, 100, 0}, 0},
  {"RKVenlor Deep Control",
   {3.5, 20.0, 0, 15.0, 900, 55, -8.0, 1, 0, 0, 0, 1},
   {3.5, 20.0, 0, 15.0, 900, 55, -8.0, 1, 0, 0, 0, 1},
   {1, 45, 0, 0, 0.0, 1, 0.0, -2.5, 0.2, 0, 100, 55}, 0},
  {"RKVenlor Fast Drums",
   {3.0, 16.0, 1, 0.5, 110, 160, 3.0, 1, 1, 0, 0, 0},
   {3.0, 16.0, 1, 0.5, 110, 160, 3.0, 1, 1, 0, 0, 0},
   {1, 20, 1, 0, 1.0, 1, 1.5, -2.0, 0.45, 0, 85, 40}, 0},
  {"RKVenlor Feedback Push",
   {4.5, 12.5, 0, 18.0, 650, 120, 0.0, 1, 0, 1, 0, 0},
   {4.5, 12.5, 0, 18.0, 650, 120, 0.0, 1, 0, 1, 0, 0},
   {1, 60, 0, 0, -1.5, 1, 3.5, -3.0, 0.35, 0, 100, 30}, 0},
  {"RKVenlor Low Mid Control",
   {1.8, 10.0, 1, 9.0, 380, 300, 6.0, 1, 1, 0, 0, 1},
   {1.8, 10.0, 1, 9.0, 380, 300, 6.0, 1, 1, 0, 0, 1},
   {1, 15, 0, 0, -3.5, 1, 0.0, -0.8, 0.25, 0, 100, 20}, 0},
  {"RKVenlor Mid FB TR / Side FF PT",
   {2.0, 10.0, 0, 20.0, 600, 100, 0.0, 1, 0, 0, 0, 0},
   {1.0, 14.0, 1, 6.0, 300, 250, 2.0, 1, 1, 1, 0, 1},
   {1, 25, 1, 1, -2.0, 0, 0.0, -1.0, 0.3, 0, 100, 35}, 0},
  {"RKVenlor Middle Ground",
   {1.5, 8.0, 1, 15.0, 500, 120, 0.0, 1, 1, 0, 0, 0},
   {0.0, 0.0, 1, 20.0, 450, 150, 0.0, 0, 1, 0, 0, 0},
   {1, 10, 1, 1, -1.0, 0, 0.0, -0.5, 0.2, 0, 100, 10}, 0},
  {"RKVenlor Touch of Merko & Dasko",
   {1.0, 4.0, 1, 22.0, 700, 130, -1.0, 1, 0, 0, 0, 0},
   {1.0, 4.0, 1, 22.0, 700, 130, -1.0, 1, 0, 0, 0, 0},
   {1, 80, 0, 0, -5.0, 1, 1.0, -1.5, 0.5, 0, 100, 70}, 0},
  {"RKVenlor Dark Hifi TB 10dB GR -14LUFS",
   {6.5, 24.0, 1, 12.0, 400, 80, -5.0, 1, 0, 1, 0, 1},
   {6.5, 24.0, 1, 12.0, 400, 80, -5.0, 1, 0, 1, 0, 1},
   {1, 40, 0, 0, -14.0, 1, 0.0, -3.0, 0.15, 0, 100, 50}, 0},
  {"RKVenlor Fast Grab-14LUFS",
   {3.0, 15.0, 1, 1.0, 180, 140, 1.0, 1, 1, 0, 0, 0},
   {3.0, 15.0, 1, 1.0, 180, 140, 1.0, 1, 1, 0, 0, 0},
   {1, 20, 0, 0, -14.0, 1, 0.0, -1.5, 0.3, 0, 100, 25}, 0},
  {"RKVenlor Guitar & Synth 7dB GR -14LUFS",
   {4.8, 19.0, 0, 7.0, 320, 200, 2.5, 1, 1, 0, 0, 1},
   {4.8, 19.0, 0, 7.0, 320, 200, 2.5, 1, 1, 0, 0, 1},
   {1, 30, 1, 0, -14.0, 1, 1.0, -2.0, 0.35, 0, 100, 40}, 0},
  {"RKVenlor Synth Control -14LUFS",
   {2.5, 13.0, 1, 4.0, 260, 170, 0.0, 1, 0, 1, 4, 0},
   {2.5, 13.0, 1, 4.0, 260, 170, 0.0, 1, 0, 1, 4, 0},
   {1, 15, 0, 0, -14.0, 1, 0.0, -1.0, 0.2, 0, 100, 30}, 0},
  {"RKVenlor Tight & Bright -14LUFS",
   {2.2, 11.0, 1, 2.5, 200, 400, 5.0, 1, 1, 0, 0, 1},
   {2.2, 11.0, 1, 2.5, 200, 400, 5.0, 1, 1, 0, 0, 1},
   {1, 35, 0, 0, -14.0, 1, 0.5, -1.0, 0.25, 0, 100, 20}, 0},
  {"RKVenlor Tight Bus Clarity -14LUFS",
   {1.6, 8.5, 1, 5.0, 240, 250, 3.0, 1, 1, 1, 0, 1},
   {1.6, 8.5, 1, 5.0, 240, 250, 3.0, 1, 1, 1, 0, 1},
   {1, 20, 0, 0, -14.0, 1, 0.0, -0.8, 0.3, 0, 100, 15}, 0},
  {"BRN-10: Bus wobbler",
   {3.5, 16.0, 0, 8.0, 1000, 90, 0.0, 1, 0, 1, 2, 0},
   {3.5, 16.0, 0, 8.0, 1000, 90, 0.0, 1, 0, 1, 2, 0},
   {1, 55, 0, 0, -10.0, 1, 1.0, -2.0, 0.55, 0, 100, 60}, 0},
  {"BRN-10: Split exaggeration",
   {-2.0, 6.0, 1, 10.0, 500, 150, 0.0, 1, 1, 0, 0, 0},
   {5.0, 20.0, 0, 3.0, 220, 40, 4.0, 1, 0, 1, 5, 1},
   {1, 45, 1, 1, -10.0, 0, 0.0, -1.0, 0.4, 0, 100, 50}, 0},
  {"BRN-14: Etherial Pressure",
   {1.69, 4.1, 1, 20, 226.74, 15, 0, 1, 1, 1, 0, 0},
   {1.69, 4.1, 1, 20, 226.74, 150, 0, 1, 1, 1, 0, 0},
   {1, 63.37, 0, 0, -14, 1, 0, 0, 0.3, 0, 100, 41.42}, 0},
  {"BRN-16: Subtle, but much",
   {1.0, 3.0, 1, 16.0, 550, 100, -1.5, 1, 1, 1, 0, 0},
   {1.0, 3.0, 1, 16.0, 550, 100, -1.5, 1, 1, 1, 0, 0},
   {1, 90, 0, 0, -16.0, 1, 0.0, -0.5, 0.3, 0, 100, 80}, 0},
  {"BRN-18: Pushed Step",
   {5.5, 18.0, 1, 6.0, 300, 120, 2.0, 1, 0, 1, 6, 1},
   {5.5, 18.0, 1, 6.0, 300, 120, 2.0, 1, 0, 1, 6, 1},
   {1, 65, 1, 0, -18.0, 1, 4.0, -4.5, 0.4, 0, 75, 65}, 0},
};
// clang-format on

constexpr int kMaxPairs = 37;

constexpr FactoryPresetPair Int(int idx, int v)
{
  return {idx, true, static_cast<double>(v)};
}
constexpr FactoryPresetPair Dbl(int idx, double v)
{
  return {idx, false, v};
}

struct PairList
{
  std::array<FactoryPresetPair, kMaxPairs> pairs{};
  std::size_t count = 0;

  constexpr void Add(FactoryPresetPair p) { pairs[count++] = p; }
};

// Turns one row into its pairs in ascending index order.
constexpr PairList MakePairs(const PresetRow& row)
{
  const ChannelSettings& l = row.left;
  const ChannelSettings& r = row.right;
  const GlobalSettings& g = row.global;
  PairList out;
  out.Add(Int(kPower, g.power));
  out.Add(Dbl(kLWetGain, l.wetGainDb));
  out.Add(Dbl(kLThreshold, l.thresholdDb));
  out.Add(Int(kLFeedBack, l.feedBack));
  out.Add(Dbl(kLAttack, l.attackMs));
  out.Add(Dbl(kLRelease, l.releaseMs));
  out.Add(Dbl(kLSidechainFrequency, l.sidechainHz));
  out.Add(Dbl(kLSidechainGain, l.sidechainGainDb));
  out.Add(Int(kLBypass, l.active));
  out.Add(Dbl(kRWetGain, r.wetGainDb));
  out.Add(Dbl(kRThreshold, r.thresholdDb));
  out.Add(Int(kRFeedBack, r.feedBack));
  out.Add(Dbl(kRAttack, r.attackMs));
  out.Add(Dbl(kRRelease, r.releaseMs));
  out.Add(Dbl(kRSidechainFrequency, r.sidechainHz));
  out.Add(Dbl(kRSidechainGain, r.sidechainGainDb));
  out.Add(Int(kRBypass, r.active));
  out.Add(Dbl(kVariGain, g.variGainPct));
  out.Add(Int(kChannelLink, g.channelLink));
  out.Add(Int(kMidSideMode, g.midSide));
  out.Add(Dbl(kLevelCalibration, g.levelCalibrationDb));
  out.Add(Int(kLinkChannelControls, g.linkChannelControls));
  out.Add(Dbl(kInputGain, g.inputGainDb));
  out.Add(Dbl(kOutputGain, g.outputGainDb));
  out.Add(Dbl(kNoiseAmount, g.noiseAmount));
  out.Add(Int(kSidechainListen, g.sidechainListen));
  out.Add(Int(kLTriodePentode, l.pentode));
  out.Add(Int(kRTriodePentode, r.pentode));
  out.Add(Dbl(kDryBlend, g.dryBlendPct));
  out.Add(Dbl(kMuDiff, g.muDiffPct));
  out.Add(Int(kLAutoRelease, l.autoRelease));
  out.Add(Int(kRAutoRelease, r.autoRelease));
  out.Add(Int(kLSyncRelease, l.syncRelease));
  out.Add(Int(kRSyncRelease, r.syncRelease));
  if (row.comparisonSlot != kNotSet) out.Add(Int(kComparisonSlot, row.comparisonSlot));
  out.Add(Int(kLSidechainCompensation, l.sidechainCompensation));
  out.Add(Int(kRSidechainCompensation, r.sidechainCompensation));
  return out;
}

constexpr std::array<PairList, kNumFactoryPresets> MakeAllPairs()
{
  std::array<PairList, kNumFactoryPresets> all{};
  for (int i = 0; i < kNumFactoryPresets; ++i)
    all[i] = MakePairs(kRows[i]);
  return all;
}

constexpr std::array<PairList, kNumFactoryPresets> kPairs = MakeAllPairs();

constexpr std::array<FactoryPreset, kNumFactoryPresets> MakePresets()
{
  std::array<FactoryPreset, kNumFactoryPresets> presets{};
  for (int i = 0; i < kNumFactoryPresets; ++i)
    presets[i] = {kRows[i].name, std::span<const FactoryPresetPair>(kPairs[i].pairs.data(), kPairs[i].count)};
  return presets;
}

constexpr std::array<FactoryPreset, kNumFactoryPresets> kPresets = MakePresets();

// Int and enum parameters: their preset values are passed as integers.
constexpr bool IsIntegerIndex(int idx)
{
  switch (idx) {
  case kPower:
  case kLFeedBack:
  case kLBypass:
  case kRFeedBack:
  case kRBypass:
  case kChannelLink:
  case kMidSideMode:
  case kOverSampling:
  case kDelta:
  case kLinkChannelControls:
  case kSidechainListen:
  case kLTriodePentode:
  case kRTriodePentode:
  case kLAutoRelease:
  case kRAutoRelease:
  case kLSyncRelease:
  case kRSyncRelease:
  case kComparisonSlot:
  case kLSidechainCompensation:
  case kRSidechainCompensation:
  case kLSidechainInput:
  case kRSidechainInput:
    return true;
  default:
    return false;
  }
}

// Each pair's type matches its parameter and integer values are whole numbers.
constexpr bool PairsAreWellTyped()
{
  for (const PairList& list : kPairs)
    for (std::size_t i = 0; i < list.count; ++i) {
      const FactoryPresetPair& p = list.pairs[i];
      if (p.isInteger != IsIntegerIndex(p.paramIdx)) return false;
      if (p.isInteger && static_cast<double>(p.IntValue()) != p.value) return false;
    }
  return true;
}
static_assert(PairsAreWellTyped(), "a factory preset value has the wrong type for its parameter");
static_assert(kPairs[0].count == 36, "\"Factory default\" sets 36 parameters");

constexpr UnsetIndexValue kUnsetValues[] = {
    {kOverSampling, 0},    {kDelta, 0},           {kPluginScale, 1},     {kComparisonSlot, 0},
    {kLSidechainInput, 2}, {kRSidechainInput, 3}, {kLSidechainBlend, 0}, {kRSidechainBlend, 0},
};

} // namespace

std::span<const FactoryPreset> FactoryPresets()
{
  return kPresets;
}

const FactoryPreset& FactoryDefaultPreset()
{
  return kPresets[0];
}

std::span<const FactoryPreset> NamedFactoryPresets()
{
  return std::span<const FactoryPreset>(kPresets).subspan(1);
}

bool IsIntegerPresetParam(int paramIdx)
{
  return IsIntegerIndex(paramIdx);
}

std::span<const UnsetIndexValue> FactoryPresetUnsetValues()
{
  return kUnsetValues;
}

std::array<double, kNumParams> FactoryPresetRecordValues(const FactoryPreset& preset)
{
  std::array<double, kNumParams> values{};
  for (const UnsetIndexValue& u : kUnsetValues)
    values[u.paramIdx] = u.value;
  for (const FactoryPresetPair& p : preset.pairs)
    if (p.paramIdx >= 0 && p.paramIdx < kNumParams) values[p.paramIdx] = p.value;
  return values;
}
