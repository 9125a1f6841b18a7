#include "support/engine/KelmoTestSupport.h"

#include <cmath>
#include <utility>

using namespace kelmotest;

namespace {

using Linking = KelmoTest;

// The linked pairs, left first.
const std::pair<int, int> kLinked[] = {
    {1, 9},  {2, 10},  {3, 11},  {4, 12},  {5, 13},  {6, 14},  {7, 15},
    {8, 16}, {29, 30}, {33, 34}, {35, 36}, {38, 39}, {42, 43},
};

// A real value inside both twins' ranges and away from their defaults.
double Moved(const plugin::IParam& p)
{
  const double v = p.GetMin() + (p.GetMax() - p.GetMin()) * 0.7;
  return p.Constrain(v == p.GetDefault() ? p.GetMin() : v);
}

size_t ParamSends(const TestKelmo& k)
{
  return k.Only(EditorEvent::kParamValue).size();
}

} // namespace

TEST_F(Linking, EditsCarryOverBothWaysAndRefreshTheEditor)
{
  for (const auto& [left, right] : kLinked) {
    SCOPED_TRACE(left);
    TestKelmo k;
    ASSERT_EQ(k.initialize(nullptr), Steinberg::kResultOk); // the host-facing parameters
    k.events.clear();
    // The editor's road: a normalised value through the API base, which calls the change hook.
    k.SetParameterValue(left, k.GetParam(left)->GetDefault(true) > 0.5 ? 0.2 : 0.8);
    const double lv = V(k, left);
    EXPECT_NE(lv, k.GetParam(left)->GetDefault());
    EXPECT_EQ(V(k, right), k.GetParam(right)->Constrain(lv));
    EXPECT_EQ(ParamSends(k), 44u); // every value goes to the editor at once
    // The host's copy of the twin follows.
    EXPECT_DOUBLE_EQ(k.normalizedParamToPlain(right, k.getParamNormalized(right)), V(k, right));

    k.SetParameterValue(right, 0.0);
    const double rv = V(k, right);
    EXPECT_NEAR(rv, k.GetParam(right)->GetMin(), 1e-9);
    EXPECT_EQ(V(k, left), k.GetParam(left)->Constrain(rv));
    EXPECT_DOUBLE_EQ(k.normalizedParamToPlain(left, k.getParamNormalized(left)), V(k, left));
    k.terminate();
  }
}

TEST_F(Linking, ExactFiguresAndTheTwinsOwnRange)
{
  TestKelmo k;
  k.GetParam(kLThreshold)->Set(12.3);
  k.OnParamChange(kLThreshold, plugin::kUI, -1);
  EXPECT_EQ(V(k, kRThreshold), 12.3);
  k.GetParam(kRAttack)->Set(7.7);
  k.OnParamChange(kRAttack, plugin::kUI, -1);
  EXPECT_EQ(V(k, kLAttack), 7.7);
  // The right high-pass goes down to 5 Hz, the left only to 50.
  k.GetParam(kRSidechainFrequency)->Set(20.0);
  k.OnParamChange(kRSidechainFrequency, plugin::kUI, -1);
  EXPECT_EQ(V(k, kRSidechainFrequency), 20.0);
  EXPECT_EQ(V(k, kLSidechainFrequency), 50.0);
}

TEST_F(Linking, UnlinkedChannelsStayApart)
{
  TestKelmo k;
  k.Edit(kLinkChannelControls, 0.0);
  for (const auto& [left, right] : kLinked) {
    SCOPED_TRACE(left);
    k.events.clear();
    const double before = V(k, right);
    k.Edit(left, Moved(*k.GetParam(left)));
    EXPECT_EQ(V(k, right), before);
    // Sync release and side-chain blend still refresh the editor; the others do not.
    const bool refreshes = left == kLSyncRelease || left == kLSidechainBlend;
    EXPECT_EQ(ParamSends(k), refreshes ? 44u : 0u);
  }
}

TEST_F(Linking, SidechainInputsAndGlobalsAreNeverLinked)
{
  TestKelmo k;
  k.Edit(kLSidechainInput, 0.0);
  EXPECT_EQ(V(k, kRSidechainInput), 3.0);
  k.Edit(kRSidechainInput, 1.0);
  EXPECT_EQ(V(k, kLSidechainInput), 0.0);
  k.events.clear();
  const std::vector<double> before = Values(k);
  for (int idx : {0, 17, 18, 19, 22, 23, 24, 25, 26, 27, 31, 32, 40, 41}) {
    k.OnParamChange(idx, plugin::kUI, -1);
  }
  k.OnParamChange(-1, plugin::kUI, -1);
  k.OnParamChange(44, plugin::kUI, -1);
  k.OnParamChange(1000, plugin::kHost, 0);
  EXPECT_EQ(Values(k), before);
  EXPECT_TRUE(k.events.empty());
}

TEST_F(Linking, DeltaAndListenExcludeEachOther)
{
  TestKelmo k;
  k.Edit(kSidechainListen, 1.0);
  ASSERT_EQ(V(k, kSidechainListen), 1.0);
  ASSERT_EQ(V(k, kDelta), 0.0);
  k.events.clear();
  k.Edit(kDelta, 1.0);
  EXPECT_EQ(V(k, kDelta), 1.0);
  EXPECT_EQ(V(k, kSidechainListen), 0.0);
  auto sent = k.Only(EditorEvent::kParamValue);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].idx, kSidechainListen);
  EXPECT_EQ(sent[0].value, 0.0);
  EXPECT_FALSE(sent[0].normalized);

  k.events.clear();
  k.Edit(kSidechainListen, 1.0);
  EXPECT_EQ(V(k, kDelta), 0.0);
  EXPECT_EQ(V(k, kSidechainListen), 1.0);

  // Switching one off leaves the other as it is, and the editor is shown what it is.
  k.events.clear();
  k.Edit(kDelta, 0.0);
  EXPECT_EQ(V(k, kSidechainListen), 1.0);
  sent = k.Only(EditorEvent::kParamValue);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].idx, kSidechainListen);
  EXPECT_EQ(sent[0].value, 1.0);
}

TEST_F(Linking, OverSamplingAsksForNewFiltersOnly)
{
  // An "OverSampling" edit sends nothing to the editor; the next block runs at the new sub-step
  // factor, exactly as a bare signal path given the new value for that block.
  constexpr int kBlock = 64;
  std::vector<double> in(2 * kBlock);
  for (size_t n = 0; n < in.size(); ++n)
    in[n] = 0.8 * std::sin(0.05 * static_cast<double>(n));
  TestKelmo k;
  k.Prepare(48000.0, kBlock);
  k.Edit(kLThreshold, 30.0);
  std::vector<double> l = in, r = in;
  k.ProcessInPlace(l.data(), r.data(), kBlock);
  k.events.clear();
  k.Edit(kOverSampling, 3.0);
  EXPECT_TRUE(k.events.empty());
  k.ProcessInPlace(l.data() + kBlock, r.data() + kBlock, kBlock);

  const auto bare = [&](double secondBlockOverSampling) {
    kelmo::dsp::KelmoDsp dsp;
    dsp.Reset(48000.0);
    kelmo::dsp::ParamValues p{};
    for (int i = 0; i < kNumParams; ++i)
      p[static_cast<size_t>(i)] = V(k, i);
    std::vector<double> bl = in, br = in;
    for (int block = 0; block < 2; ++block) {
      p[kOverSampling] = block == 0 ? 0.0 : secondBlockOverSampling;
      double* ins[4] = {bl.data() + block * kBlock, br.data() + block * kBlock, nullptr, nullptr};
      double* outs[2] = {ins[0], ins[1]};
      dsp.Process<double>(ins, 4, outs, 2, kBlock, p, k.TimeInfo().mTempo);
    }
    return bl;
  };
  EXPECT_EQ(l, bare(3.0));
  EXPECT_NE(l, bare(0.0)); // the factor shows in the output
}

TEST_F(Linking, SwitchingAToBAndBack)
{
  TestKelmo k;
  k.Edit(kLinkChannelControls, 0.0);
  k.Edit(kLThreshold, 6.0);
  k.Edit(kRThreshold, 9.0);
  k.Edit(kVariGain, 20.0);
  k.Edit(kOverSampling, 2.0);
  k.Edit(kPluginScale, 1.2);
  const std::vector<double> a = Values(k);

  // B was never stored: every value stays, and A is kept.
  k.events.clear();
  k.Edit(kComparisonSlot, 1.0);
  EXPECT_EQ(k.Comparison().LiveSlot(), 1);
  std::vector<double> expectB = a;
  expectB[kComparisonSlot] = 1.0;
  EXPECT_EQ(Values(k), expectB);
  EXPECT_EQ(ParamSends(k), 44u);
  EXPECT_EQ(k.Comparison().Slot(0)[kLThreshold], 6.0);
  EXPECT_EQ(k.Comparison().Slot(0)[kOverSampling], ComparisonSlots::kNotStored);

  // Change B, including the excluded ones.
  k.Edit(kLThreshold, 20.0);
  k.Edit(kVariGain, 70.0);
  k.Edit(kOverSampling, 4.0);
  k.Edit(kPluginScale, 1.9);
  k.Edit(kDelta, 1.0);

  // Back to A: A's values, except OverSampling, Delta and Plugin Scale, which stay as they are.
  k.Edit(kComparisonSlot, 0.0);
  EXPECT_EQ(k.Comparison().LiveSlot(), 0);
  EXPECT_EQ(V(k, kLThreshold), 6.0);
  EXPECT_EQ(V(k, kRThreshold), 9.0);
  EXPECT_EQ(V(k, kVariGain), 20.0);
  EXPECT_EQ(V(k, kOverSampling), 4.0);
  EXPECT_EQ(V(k, kPluginScale), 1.9);
  EXPECT_EQ(V(k, kDelta), 1.0);
  EXPECT_EQ(V(k, kComparisonSlot), 0.0);

  // And B again brings B back.
  k.Edit(kComparisonSlot, 1.0);
  EXPECT_EQ(V(k, kLThreshold), 20.0);
  EXPECT_EQ(V(k, kVariGain), 70.0);
}

TEST_F(Linking, ARecallWhileOnBKeepsTheRecalledPreset)
{
  TestKelmo k;
  k.Edit(kVariGain, 10.0);
  k.Edit(kComparisonSlot, 1.0); // B live, A holds Vari Gain 10
  k.Edit(kVariGain, 80.0);
  ASSERT_EQ(k.Comparison().LiveSlot(), 1);

  // "42 dV" sets the comparison slot to A: its values must not be swapped for A's snapshot.
  ASSERT_TRUE(k.RestorePreset(1));
  EXPECT_EQ(V(k, kVariGain), 41.5);
  EXPECT_EQ(V(k, kComparisonSlot), 0.0);
  EXPECT_EQ(k.Comparison().LiveSlot(), 0);

  // The comparison goes on from the recalled sound: B brings back what B last stored (B's edits
  // after that were replaced by the recall), and A then gives the preset again.
  k.Edit(kComparisonSlot, 1.0);
  EXPECT_EQ(V(k, kVariGain), 10.0);
  k.Edit(kComparisonSlot, 0.0);
  EXPECT_EQ(V(k, kVariGain), 41.5);
}

TEST_F(Linking, StateRestoreAndResetNeverSwap)
{
  TestKelmo a;
  a.Edit(kComparisonSlot, 1.0);
  a.Edit(kVariGain, 64.0);
  plugin::IByteChunk state;
  ASSERT_TRUE(a.SerializeState(state));

  TestKelmo b;
  b.Edit(kVariGain, 5.0);
  ASSERT_EQ(b.UnserializeState(state, 0), 352);
  EXPECT_EQ(V(b, kVariGain), 64.0);
  EXPECT_EQ(b.Comparison().LiveSlot(), 1);
  b.OnParamReset(plugin::kReset);
  EXPECT_EQ(V(b, kVariGain), 64.0);
  EXPECT_EQ(b.Comparison().Slot(0)[kVariGain], ComparisonSlots::kNotStored);
}
