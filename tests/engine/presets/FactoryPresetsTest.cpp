#include "engine/presets/FactoryPresets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The parameter table, written out independently of the engine.
struct ParamRange
{
  double min, max, step, def;
  bool isInteger;
};

// clang-format off
const ParamRange kRanges[kNumParams] = {
  {0, 1, 1, 1, true},          // 0 Power
  {-16, 8, 0.1, 0, false},     // 1 L Wet Gain
  {0, 36, 0.1, 0, false},      // 2 L Threshold
  {0, 1, 1, 1, true},          // 3 L FeedBack
  {0.2, 40, 0.1, 20, false},   // 4 L Attack
  {100, 2000, 1, 450, false},  // 5 L Release
  {50, 1800, 1, 150, false},   // 6 L Sidechain Frequency
  {-48, 12, 0.1, 0, false},    // 7 L Sidechain Gain
  {0, 1, 1, 1, true},          // 8 L Bypass
  {-16, 8, 0.1, 0, false},     // 9 R Wet Gain
  {0, 36, 0.1, 0, false},      // 10 R Threshold
  {0, 1, 1, 1, true},          // 11 R FeedBack
  {0.2, 40, 0.1, 20, false},   // 12 R Attack
  {100, 2000, 1, 450, false},  // 13 R Release
  {5, 1800, 1, 150, false},    // 14 R Sidechain Frequency
  {-48, 12, 0.1, 0, false},    // 15 R Sidechain Gain
  {0, 1, 1, 1, true},          // 16 R Bypass
  {0, 100, 1, 0, false},       // 17 Vari Gain
  {0, 1, 1, 0, true},          // 18 Channel Link
  {0, 1, 1, 0, true},          // 19 Mid Side Mode
  {0, 4, 1, 0, true},          // 20 OverSampling
  {0, 1, 1, 0, true},          // 21 Delta
  {-24, 4, 0.1, 0, false},     // 22 Level Calibration
  {0, 1, 1, 1, true},          // 23 Link Channel Controls
  {-16, 16, 0.1, 0, false},    // 24 Input Gain
  {-16, 16, 0.1, 0, false},    // 25 Output Gain
  {1, 2, 0.01, 1, false},      // 26 Plugin Scale
  {0, 1, 0.01, 0.3, false},    // 27 Noise Amount
  {0, 1, 1, 0, true},          // 28 Sidechain Listen
  {0, 1, 1, 1, true},          // 29 Triode / Pentode (left)
  {0, 1, 1, 1, true},          // 30 Triode / Pentode (right)
  {0, 100, 1, 100, false},     // 31 Dry Blend
  {0, 100, 1, 0, false},       // 32 Mu-Diff
  {0, 1, 1, 0, true},          // 33 L Auto Release
  {0, 1, 1, 0, true},          // 34 R Auto Release
  {0, 6, 1, 0, true},          // 35 L Sync Release
  {0, 6, 1, 0, true},          // 36 R Sync Release
  {0, 1, 1, 0, true},          // 37 Comparison slot
  {0, 1, 1, 0, true},          // 38 L Sidechain Compensation
  {0, 1, 1, 0, true},          // 39 R Sidechain Compensation
  {0, 3, 1, 2, true},          // 40 L Sidechain Input
  {0, 3, 1, 3, true},          // 41 R Sidechain Input
  {0, 100, 1, 0, false},       // 42 L Sidechain blend
  {0, 100, 1, 0, false},       // 43 R Sidechain blend
};
// clang-format on

// Left/right pairs that linking keeps equal (the sidechain inputs are not linked).
const std::pair<int, int> kTwins[] = {{1, 9},  {2, 10},  {3, 11},  {4, 12},  {5, 13},  {6, 14}, {7, 15},
                                      {8, 16}, {29, 30}, {33, 34}, {35, 36}, {38, 39}, {42, 43}};

const char* const kNames[kNumFactoryPresets] = {
    "Factory default",
    "42 dV",
    "Stereo Width au Naturel dV",
    "Mixbus - Slow yet Stable dV",
    "Mixbus - Sweet Tickle dV",
    "Mixbus - Synced Movement dV",
    "Drumbus - Chunky Synced Parallel dV",
    "Drumbus - Smack My Drums Up dV",
    "Drumbus - Crow Eats Dirth dV",
    "Drumbus - Subtle Glue and Weight dV",
    "RKVenlor Ambient",
    "RKVenlor Auto Bus Push",
    "RKVenlor Bass instrumental control",
    "RKvenlor Classic Pentode 1dB",
    "RKVenlor Deep Control",
    "RKVenlor Fast Drums",
    "RKVenlor Feedback Push",
    "RKVenlor Low Mid Control",
    "RKVenlor Mid FB TR / Side FF PT",
    "RKVenlor Middle Ground",
    "RKVenlor Touch of Merko & Dasko",
    "RKVenlor Dark Hifi TB 10dB GR -14LUFS",
    "RKVenlor Fast Grab-14LUFS",
    "RKVenlor Guitar & Synth 7dB GR -14LUFS",
    "RKVenlor Synth Control -14LUFS",
    "RKVenlor Tight & Bright -14LUFS",
    "RKVenlor Tight Bus Clarity -14LUFS",
    "BRN-10: Bus wobbler",
    "BRN-10: Split exaggeration",
    "BRN-14: Etherial Pressure",
    "BRN-16: Subtle, but much",
    "BRN-18: Pushed Step",
};

constexpr int kFactoryDefault = 0;
constexpr int k42dV = 1;
constexpr int kStereoWidth = 2;
constexpr int kEtherialPressure = 29;

std::map<int, double> AsMap(const FactoryPreset& p)
{
  std::map<int, double> m;
  for (const FactoryPresetPair& pair : p.pairs)
    m[pair.paramIdx] = pair.value;
  return m;
}

std::vector<int> Indices(const FactoryPreset& p)
{
  std::vector<int> v;
  for (const FactoryPresetPair& pair : p.pairs)
    v.push_back(pair.paramIdx);
  return v;
}

bool OnStep(double value, double step)
{
  const double k = value / step;
  return std::fabs(k - std::round(k)) < 1e-9;
}

// Presets given in full: their values stand as given, even off-step or out of range.
bool IsGivenInFull(int presetIdx)
{
  return presetIdx == kFactoryDefault || presetIdx == k42dV || presetIdx == kStereoWidth ||
         presetIdx == kEtherialPressure;
}

} // namespace

TEST(FactoryPresets, NamesAndOrder)
{
  const auto presets = FactoryPresets();
  ASSERT_EQ(presets.size(), 32u);
  std::size_t longest = 0;
  for (int i = 0; i < kNumFactoryPresets; ++i) {
    EXPECT_STREQ(presets[i].name, kNames[i]) << "record " << i;
    longest = std::max(longest, std::string(presets[i].name).size());
  }
  EXPECT_EQ(longest, 38u);
  EXPECT_EQ(&FactoryDefaultPreset(), &presets[0]);
  ASSERT_EQ(NamedFactoryPresets().size(), 31u);
  EXPECT_EQ(&NamedFactoryPresets()[0], &presets[1]);
  EXPECT_EQ(&NamedFactoryPresets()[30], &presets[31]);
}

TEST(FactoryPresets, EachPresetSetsExactlyItsIndicesInAscendingOrder)
{
  std::vector<int> defaultSet, namedSet;
  for (int i = 0; i < kNumParams; ++i) {
    const bool notInDefault = i == 20 || i == 21 || i == 26 || i == 37 || i >= 40;
    const bool notInNamed = i == 20 || i == 21 || i == 26 || i >= 40;
    if (!notInDefault) defaultSet.push_back(i);
    if (!notInNamed) namedSet.push_back(i);
  }
  ASSERT_EQ(defaultSet.size(), 36u);
  ASSERT_EQ(namedSet.size(), 37u);
  EXPECT_EQ(Indices(FactoryDefaultPreset()), defaultSet);
  for (const FactoryPreset& p : NamedFactoryPresets())
    EXPECT_EQ(Indices(p), namedSet) << p.name;
}

TEST(FactoryPresets, ValueTypesFollowTheParameterTypes)
{
  for (const FactoryPreset& p : FactoryPresets())
    for (const FactoryPresetPair& pair : p.pairs) {
      EXPECT_EQ(pair.isInteger, kRanges[pair.paramIdx].isInteger) << p.name << " index " << pair.paramIdx;
      EXPECT_EQ(IsIntegerPresetParam(pair.paramIdx), kRanges[pair.paramIdx].isInteger);
      if (pair.isInteger) {
        EXPECT_EQ(static_cast<double>(pair.IntValue()), pair.value) << p.name;
      }
    }
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(IsIntegerPresetParam(i), kRanges[i].isInteger) << i;
}

TEST(FactoryPresets, ValuesWithinRangeAndDesignedValuesOnStep)
{
  const auto presets = FactoryPresets();
  for (int i = 0; i < kNumFactoryPresets; ++i)
    for (const FactoryPresetPair& pair : presets[i].pairs) {
      const ParamRange& s = kRanges[pair.paramIdx];
      // The one stored value outside its range: recalled as the left minimum, 50 Hz.
      if (i == kEtherialPressure && pair.paramIdx == kLSidechainFrequency) {
        EXPECT_EQ(pair.value, 15.0);
        continue;
      }
      EXPECT_GE(pair.value, s.min) << presets[i].name << " index " << pair.paramIdx;
      EXPECT_LE(pair.value, s.max) << presets[i].name << " index " << pair.paramIdx;
      if (!IsGivenInFull(i)) {
        EXPECT_TRUE(OnStep(pair.value, s.step)) << presets[i].name << " index " << pair.paramIdx;
      }
    }
}

TEST(FactoryPresets, LinkedPresetsHaveEqualTwins)
{
  int linked = 0;
  const auto presets = FactoryPresets();
  for (int i = 0; i < kNumFactoryPresets; ++i) {
    const auto m = AsMap(presets[i]);
    if (m.at(kLinkChannelControls) != 1) continue;
    ++linked;
    for (auto [l, r] : kTwins) {
      if (!m.count(l) && !m.count(r)) continue;
      // The left sidechain frequency of this preset is stored below range, as given.
      if (i == kEtherialPressure && l == kLSidechainFrequency) continue;
      EXPECT_EQ(m.at(l), m.at(r)) << presets[i].name << " twins " << l << "/" << r;
    }
  }
  EXPECT_GT(linked, 20);
}

TEST(FactoryPresets, FactoryDefaultEqualsTheParameterDefaults)
{
  const auto m = AsMap(FactoryDefaultPreset());
  for (auto [idx, value] : m)
    EXPECT_EQ(value, kRanges[idx].def) << "index " << idx;
  const auto record = FactoryPresetRecordValues(FactoryDefaultPreset());
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(record[i], kRanges[i].def) << "index " << i;
}

TEST(FactoryPresets, ThreePresetsGivenInFull)
{
  // index: "42 dV", "Stereo Width au Naturel dV", "BRN-14: Etherial Pressure"
  const std::map<int, std::array<double, 3>> expected = {
      {0, {1, 1, 1}},           {1, {4.17, -5, 1.69}},
      {2, {4.24, 8.96, 4.1}},   {3, {0, 0, 1}},
      {4, {4.2, 11.972, 20}},   {5, {420, 1200, 226.74}},
      {6, {420, 110, 15}},      {7, {4.2, 1.98, 0}},
      {8, {1, 1, 1}},           {9, {4.17, -3.67, 1.69}},
      {10, {4.24, 36, 4.1}},    {11, {0, 1, 1}},
      {12, {4.2, 40, 20}},      {13, {420, 834.4, 226.74}},
      {14, {420, 175, 150}},    {15, {4.2, -2.96, 0}},
      {16, {1, 1, 1}},          {17, {41.5, 21.8, 63.37}},
      {18, {1, 1, 0}},          {19, {0, 1, 0}},
      {22, {-4.21, 3.47, -14}}, {23, {1, 0, 1}},
      {24, {4.18, 0, 0}},       {25, {-4.24, 5.12, 0}},
      {27, {0, 0.23, 0.3}},     {28, {0, 0, 0}},
      {29, {0, 1, 1}},          {30, {0, 0, 1}},
      {31, {42.4, 100, 100}},   {32, {41.6, 45.42, 41.42}},
      {33, {0, 1, 1}},          {34, {0, 1, 1}},
      {35, {3, 0, 0}},          {36, {3, 0, 0}},
      {37, {0, 0, 0}},          {38, {0, 0, 0}},
      {39, {0, 0, 0}},
  };
  const int which[3] = {k42dV, kStereoWidth, kEtherialPressure};
  for (int col = 0; col < 3; ++col) {
    const auto m = AsMap(FactoryPresets()[which[col]]);
    ASSERT_EQ(m.size(), expected.size());
    for (const auto& [idx, values] : expected)
      EXPECT_EQ(m.at(idx), values[col]) << which[col] << " index " << idx;
  }
}

TEST(FactoryPresets, RecordValuesFillUnsetIndicesWithTheirDefaults)
{
  for (const FactoryPreset& p : FactoryPresets()) {
    const auto record = FactoryPresetRecordValues(p);
    const auto m = AsMap(p);
    for (int i = 0; i < kNumParams; ++i) {
      if (m.count(i))
        EXPECT_EQ(record[i], m.at(i)) << p.name << " index " << i;
      else
        EXPECT_EQ(record[i], kRanges[i].def) << p.name << " index " << i;
    }
    // What every recall brings back.
    EXPECT_EQ(record[kOverSampling], 0);
    EXPECT_EQ(record[kDelta], 0);
    EXPECT_EQ(record[kPluginScale], 1);
    EXPECT_EQ(record[kLSidechainInput], 2);
    EXPECT_EQ(record[kRSidechainInput], 3);
    EXPECT_EQ(record[kLSidechainBlend], 0);
    EXPECT_EQ(record[kRSidechainBlend], 0);
  }
}

TEST(FactoryPresets, DesignedPresetsCoverTheControls)
{
  std::set<double> sync, noise, midSide, link, tube, feedBack;
  for (const FactoryPreset& p : NamedFactoryPresets()) {
    const auto m = AsMap(p);
    sync.insert(m.at(kLSyncRelease));
    sync.insert(m.at(kRSyncRelease));
    noise.insert(m.at(kNoiseAmount));
    midSide.insert(m.at(kMidSideMode));
    link.insert(m.at(kLinkChannelControls));
    tube.insert(m.at(kLTriodePentode));
    feedBack.insert(m.at(kLFeedBack));
    // Mid/side settings with separate controls need each channel on its own parameter set.
    if (m.at(kMidSideMode) == 1 && m.at(kLinkChannelControls) == 0) {
      EXPECT_EQ(m.at(kChannelLink), 1) << p.name;
    }
  }
  EXPECT_EQ(sync, (std::set<double>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_GT(noise.size(), 5u);
  EXPECT_EQ(midSide.size(), 2u);
  EXPECT_EQ(link.size(), 2u);
  EXPECT_EQ(tube.size(), 2u);
  EXPECT_EQ(feedBack.size(), 2u);
}
