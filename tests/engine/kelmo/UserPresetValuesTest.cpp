#include "engine/UserPresetValues.h"

#include "support/engine/KelmoTestSupport.h"

#include <cstddef>
#include <vector>

using namespace kelmotest;

namespace {

using UserPresetValues = KelmoTest;

constexpr auto kAsWritten = EUserPresetNumbers::kAsWritten;
constexpr auto kTruncate = EUserPresetNumbers::kTruncateUnlessDouble;

// One file value stored by each of the two rules: the plug-in's start-up load and the preset bar.
struct Case
{
  int idx;
  double fileValue;
  double asWritten; // snapped when stepped, clamped
  double truncated; // cut toward zero unless a double, then snapped and clamped
};

const Case kCases[] = {
    // Enums and ints: the start-up load rounds halves away from zero, the preset bar cuts.
    {kLSyncRelease, 2.6, 3, 2},
    {kLSyncRelease, 2.5, 3, 2},
    {kRSyncRelease, -0.4, 0, 0},
    {kRSyncRelease, 9, 6, 6},
    {kLSidechainInput, 3.99, 3, 3},
    {kRSidechainInput, 1.5, 2, 1},
    {kPower, 0.6, 1, 0},
    {kPower, 0.4, 0, 0},
    {kPower, 1e300, 1, 1},
    {kLFeedBack, -1e300, 0, 0},
    {kLTriodePentode, -0.99, 0, 0},
    // Doubles are neither cut nor snapped to their display step, only clamped.
    {kLThreshold, 8.96, 8.96, 8.96},
    {kLThreshold, 50, 36, 36},
    {kVariGain, 2.7, 2.7, 2.7},
    {kPluginScale, 1.505, 1.505, 1.505},
    {kPluginScale, 0.5, 1, 1},
    {kLSidechainFrequency, 5, 50, 50},
    {kRSidechainFrequency, 5, 5, 5},
    {kNoiseAmount, -1e300, 0, 0},
    {kLAttack, 1e300, 40, 40},
};

} // namespace

TEST_F(UserPresetValues, BothRulesSnapAndClampEachParameterByItsType)
{
  for (const auto& [numbers, name] :
       {std::pair{kAsWritten, "as written"}, std::pair{kTruncate, "truncated"}}) {
    for (const Case& c : kCases) {
      SCOPED_TRACE(testing::Message() << name << ", parameter " << c.idx << " from " << c.fileValue);
      TestKelmo k;
      ApplyUserPresetValues(k, {std::nullopt, {{c.idx, c.fileValue}}}, numbers);
      EXPECT_EQ(V(k, c.idx), numbers == kAsWritten ? c.asWritten : c.truncated);
    }
  }
}

TEST_F(UserPresetValues, SkippedIndicesAndTheMaskLeaveParametersAlone)
{
  const UserPresetContents contents{"x",
                                    {{kLWetGain, 3.3},
                                     {kOverSampling, 3},
                                     {kDelta, 1},
                                     {kPluginScale, 1.5},
                                     {kComparisonSlot, 1},
                                     {60, 1},
                                     {-1, 1}}};
  for (EUserPresetNumbers numbers : {kAsWritten, kTruncate}) {
    TestKelmo all;
    std::vector<double> want = Values(all);
    want[kLWetGain] = 3.3;
    want[kPluginScale] = 1.5;
    all.events.clear();
    ApplyUserPresetValues(all, contents, numbers);
    EXPECT_EQ(Values(all), want);
    // No change handler: the linked twin stays, and the editor hears nothing from here.
    EXPECT_EQ(V(all, kLinkChannelControls), 1.0);
    EXPECT_EQ(V(all, kRWetGain), 0.0);
    EXPECT_TRUE(all.events.empty());

    TestKelmo scaleOnly;
    want = Values(scaleOnly);
    want[kPluginScale] = 1.5;
    ApplyUserPresetValues(scaleOnly, contents, numbers, plugin::ParamBit(kPluginScale));
    EXPECT_EQ(Values(scaleOnly), want);

    TestKelmo none;
    want = Values(none);
    ApplyUserPresetValues(none, contents, numbers,
                          plugin::ParamBit(kOverSampling) | plugin::ParamBit(kDelta));
    EXPECT_EQ(Values(none), want);
  }
}
