#include "engine/UserPresetValues.h"

#include "support/engine/KelmoTestSupport.h"

using namespace kelmotest;

namespace {

using UserPresetValues = KelmoTest;
using plugin::ParamBit;
constexpr auto kAsWritten = EUserPresetNumbers::kAsWritten;

// A file value stored by the start-up load (as written: snapped when stepped, clamped) and the preset
// bar (truncated: cut toward zero unless a double, then snapped, clamped). OverSampling, Delta and
// Comparison slot never load, even when the mask names them; the scale-only load takes nothing else.
struct Case
{
  int idx;
  double fileValue, asWritten, truncated;
  plugin::ParamMask only = plugin::kAllParamsMask;
};

// clang-format off
const Case kCases[] = {
    {kLSyncRelease, 2.6, 3, 2},      {kLSyncRelease, 2.5, 3, 2}, {kRSidechainInput, 1.5, 2, 1},
    {kPower, 0.6, 1, 0},             {kRSyncRelease, 9, 6, 6},   {kPower, 1e300, 1, 1},
    {kLFeedBack, -1e300, 0, 0},      {kLAttack, 1e300, 40, 40},  {kLThreshold, 50, 36, 36},
    {kLThreshold, 8.96, 8.96, 8.96}, {kLWetGain, 3.3, 3.3, 3.3},
    {kOverSampling, 3, 0, 0, ParamBit(kOverSampling)},     {kDelta, 1, 0, 0, ParamBit(kDelta)},
    {kComparisonSlot, 1, 0, 0, ParamBit(kComparisonSlot)}, {kLWetGain, 3.3, 0, 0, ParamBit(kPluginScale)},
    {kPluginScale, 1.5, 1.5, 1.5, ParamBit(kPluginScale)},
};
// clang-format on

} // namespace

// Only that parameter moves (not its linked twin: no change handler runs); the editor hears nothing.
TEST_F(UserPresetValues, EachRuleStoresEachKindOfValue)
{
  for (const Case& c : kCases)
    for (const auto numbers : {kAsWritten, EUserPresetNumbers::kTruncateUnlessDouble}) {
      SCOPED_TRACE(testing::Message() << c.idx << " from " << c.fileValue << ", rule " << int(numbers));
      TestKelmo k;
      std::vector<double> want = Values(k);
      want[static_cast<std::size_t>(c.idx)] = numbers == kAsWritten ? c.asWritten : c.truncated;
      k.events.clear();
      ApplyUserPresetValues(k, {std::nullopt, {{c.idx, c.fileValue}}}, numbers, c.only);
      EXPECT_EQ(Values(k), want);
      EXPECT_TRUE(k.events.empty());
    }
}
