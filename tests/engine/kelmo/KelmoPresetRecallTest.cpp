#include "support/engine/KelmoTestSupport.h"

#include "engine/presets/FactoryPresets.h"

#include <utility>

using namespace kelmotest;

namespace {

using PresetRecall = KelmoTest;

} // namespace

TEST_F(PresetRecall, AnyRecallResetsTheUnsetParameters)
{
  for (int preset = 0; preset < 32; ++preset) {
    SCOPED_TRACE(preset);
    TestKelmo k;
    k.GetParam(kOverSampling)->Set(3.0);
    k.GetParam(kDelta)->Set(1.0);
    k.GetParam(kPluginScale)->Set(1.75);
    k.GetParam(kLSidechainInput)->Set(0.0);
    k.GetParam(kRSidechainInput)->Set(1.0);
    k.GetParam(kLSidechainBlend)->Set(40.0);
    k.GetParam(kRSidechainBlend)->Set(60.0);
    ASSERT_TRUE(k.RestorePreset(preset));
    EXPECT_EQ(k.GetCurrentPresetIdx(), preset);
    EXPECT_EQ(V(k, kOverSampling), 0.0);
    EXPECT_EQ(V(k, kDelta), 0.0);
    EXPECT_EQ(V(k, kPluginScale), 1.0);
    EXPECT_EQ(V(k, kLSidechainInput), 2.0);
    EXPECT_EQ(V(k, kRSidechainInput), 3.0);
    EXPECT_EQ(V(k, kLSidechainBlend), 0.0);
    EXPECT_EQ(V(k, kRSidechainBlend), 0.0);
    EXPECT_EQ(V(k, kComparisonSlot), 0.0);
  }
}

TEST_F(PresetRecall, EveryFactoryPresetRecallsItsOwnValues)
{
  // The recall notifies every index in order; with linking on, each left control is copied to its
  // right twin (under the twin's range) and back.
  const std::pair<int, int> linked[] = {{1, 9},  {2, 10},  {3, 11},  {4, 12},  {5, 13},  {6, 14}, {7, 15},
                                        {8, 16}, {29, 30}, {33, 34}, {35, 36}, {38, 39}, {42, 43}};
  const auto presets = FactoryPresets();
  for (size_t n = 0; n < presets.size(); ++n) {
    SCOPED_TRACE(presets[n].name);
    TestKelmo k;
    ASSERT_TRUE(k.RestorePreset(static_cast<int>(n)));
    const auto stored = FactoryPresetRecordValues(presets[n]);
    std::vector<double> expected;
    for (int i = 0; i < kNumParams; ++i)
      expected.push_back(k.GetParam(i)->Constrain(stored[static_cast<size_t>(i)]));
    if (expected[kLinkChannelControls] == 1.0) {
      for (const auto& [l, r] : linked) {
        expected[static_cast<size_t>(r)] = k.GetParam(r)->Constrain(expected[static_cast<size_t>(l)]);
        expected[static_cast<size_t>(l)] = k.GetParam(l)->Constrain(expected[static_cast<size_t>(r)]);
      }
    }
    EXPECT_EQ(Values(k), expected);
    // Linked presets are stored with equal channels, so the linking moves nothing; only
    // "BRN-14: Etherial Pressure" stores a left frequency below the left range.
    if (n != 29) {
      for (int i = 0; i < kNumParams; ++i)
        EXPECT_EQ(V(k, i), k.GetParam(i)->Constrain(stored[static_cast<size_t>(i)])) << "parameter " << i;
    }
  }
}

TEST_F(PresetRecall, FortyTwoDV)
{
  TestKelmo k;
  ASSERT_TRUE(k.RestorePreset(1));
  EXPECT_EQ(V(k, kLRelease), 420.0);
  EXPECT_EQ(V(k, kRRelease), 420.0);
  EXPECT_EQ(V(k, kLSidechainFrequency), 420.0);
  EXPECT_EQ(V(k, kRSidechainFrequency), 420.0);
  EXPECT_EQ(V(k, kLSyncRelease), 3.0);
  EXPECT_EQ(V(k, kRSyncRelease), 3.0);
  EXPECT_EQ(V(k, kVariGain), 41.5);
  EXPECT_EQ(V(k, kLevelCalibration), -4.21);
  EXPECT_EQ(V(k, kDryBlend), 42.4);
  EXPECT_EQ(V(k, kNoiseAmount), 0.0);
  EXPECT_EQ(V(k, kLTriodePentode), 0.0);
}

TEST_F(PresetRecall, StereoWidthKeepsItsSeparateChannels)
{
  TestKelmo k;
  ASSERT_TRUE(k.RestorePreset(2));
  EXPECT_EQ(V(k, kMidSideMode), 1.0);
  EXPECT_EQ(V(k, kLinkChannelControls), 0.0);
  EXPECT_EQ(V(k, kLThreshold), 8.96);
  EXPECT_EQ(V(k, kRThreshold), 36.0);
  EXPECT_EQ(V(k, kLWetGain), -5.0);
  EXPECT_EQ(V(k, kRWetGain), -3.67);
  EXPECT_EQ(V(k, kLAttack), 11.972);
  EXPECT_EQ(V(k, kRAttack), 40.0);
  EXPECT_EQ(V(k, kLRelease), 1200.0);
  EXPECT_EQ(V(k, kRRelease), 834.4); // doubles are not snapped to their step
  EXPECT_EQ(V(k, kLSidechainFrequency), 110.0);
  EXPECT_EQ(V(k, kRSidechainFrequency), 175.0);
  EXPECT_EQ(V(k, kRFeedBack), 1.0);
  EXPECT_EQ(V(k, kRTriodePentode), 0.0);
}

TEST_F(PresetRecall, RecallWithLinkingOnCopiesLeftOverRight)
{
  TestKelmo k;
  // "BRN-14: Etherial Pressure" stores 15 Hz on the left, which holds 50 at least; with linking
  // on, the recall carries the left value over to the right.
  ASSERT_TRUE(k.RestorePreset(29));
  ASSERT_STREQ(k.GetPresetName(29), "BRN-14: Etherial Pressure");
  EXPECT_EQ(V(k, kLinkChannelControls), 1.0);
  EXPECT_EQ(V(k, kLSidechainFrequency), 50.0);
  EXPECT_EQ(V(k, kRSidechainFrequency), 50.0);
  EXPECT_EQ(V(k, kLRelease), 226.74);
  EXPECT_EQ(V(k, kRRelease), 226.74);
  EXPECT_EQ(V(k, kLevelCalibration), -14.0);

  // A state with linking on and different channels comes back with the right following the left.
  TestKelmo a;
  a.GetParam(kLinkChannelControls)->Set(0.0);
  a.GetParam(kLThreshold)->Set(12.3);
  a.GetParam(kRThreshold)->Set(3.0);
  a.GetParam(kLinkChannelControls)->Set(1.0);
  plugin::IByteChunk state;
  ASSERT_TRUE(a.SerializeState(state));
  TestKelmo b;
  ASSERT_EQ(b.UnserializeState(state, 0), 352);
  EXPECT_EQ(V(b, kLThreshold), 12.3);
  EXPECT_EQ(V(b, kRThreshold), 12.3);
}

TEST_F(PresetRecall, FreeRecordsStoreTheCurrentSound)
{
  TestKelmo k;
  k.GetParam(kVariGain)->Set(33.0);
  ASSERT_TRUE(k.RestorePreset(35));
  EXPECT_STREQ(k.GetPresetName(35), "user preset 1");
  EXPECT_EQ(V(k, kVariGain), 33.0);
  ASSERT_TRUE(k.RestorePreset(0));
  EXPECT_EQ(V(k, kVariGain), 0.0);
  ASSERT_TRUE(k.RestorePreset(35));
  EXPECT_EQ(V(k, kVariGain), 33.0);
  EXPECT_FALSE(k.RestorePreset(40));
  EXPECT_FALSE(k.RestorePreset(-1));
}
