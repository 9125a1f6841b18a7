#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testhost;

namespace {

// Edits every parameter the way a user would, so that no value is still its default.
void EditEverything(TestPlugin& p)
{
  const double normalized[kNumTestParams] = {0.8, 0.33, 0.61, 1.0, 0.7, 0.2, 0.45, 0.9};
  for (int i = 0; i < kNumTestParams; ++i) {
    p.BeginInformHostOfParamChangeFromUI(i);
    p.SendParameterValueFromUI(i, normalized[i]);
    p.EndInformHostOfParamChangeFromUI(i);
  }
}

} // namespace

TEST(StateRoundTrip, SerialisedStateRestoresIntoAFreshObject)
{
  TestPlugin a;
  EditEverything(a);
  IByteChunk state;
  ASSERT_TRUE(a.SerializeState(state));
  ASSERT_EQ(state.Size(), 8 * kNumTestParams);

  TestPlugin b;
  ASSERT_NE(Values(a), Values(b));
  b.log.clear();
  EXPECT_EQ(b.UnserializeState(state, 0), state.Size());
  EXPECT_EQ(Values(b), Values(a));
  // Every parameter is reported to the plug-in as a preset recall.
  const auto changes = b.Only("change");
  ASSERT_EQ(changes.size(), static_cast<size_t>(kNumTestParams));
  EXPECT_EQ(changes[kMode].source, kPresetRecall);

  IByteChunk again;
  ASSERT_TRUE(b.SerializeState(again));
  EXPECT_TRUE(again.IsEqual(state));
}

TEST(StateRoundTrip, PresetBankRestoresIntoAFreshObject)
{
  TestPlugin a;
  EditEverything(a);
  ASSERT_TRUE(a.RestorePreset(2)); // becomes "user preset 1" holding the edits
  ASSERT_TRUE(a.RestorePreset(1));
  IByteChunk bank;
  ASSERT_TRUE(a.SerializePresets(bank));

  TestPlugin b;
  EXPECT_EQ(b.UnserializePresets(bank, 0), bank.Size());
  EXPECT_STREQ(b.GetPresetName(2), "user preset 1");
  ASSERT_TRUE(b.RestorePreset(2));
  ASSERT_TRUE(a.RestorePreset(2));
  EXPECT_EQ(Values(b), Values(a));
  ASSERT_TRUE(b.RestorePreset("Quiet"));
  EXPECT_EQ(b.GetParam(kGain)->Value(), 0.5);
}

TEST(StateRoundTrip, TruncatedAndOutOfRangeStatesStayValid)
{
  TestPlugin a;
  IByteChunk state;
  for (int i = 0; i < kNumTestParams; ++i) {
    const double wild = 1e9 * (i % 2 ? 1 : -1);
    state.Put(&wild);
  }
  TestPlugin b;
  EXPECT_EQ(b.UnserializeState(state, 0), state.Size());
  for (int i = 0; i < kNumTestParams; ++i) {
    const IParam* p = b.GetParam(i);
    EXPECT_TRUE(p->Value() == p->GetMin() || p->Value() == p->GetMax()) << i;
  }
  IByteChunk shortState;
  shortState.PutBytes(state.GetData(), 20);
  EXPECT_EQ(b.UnserializeState(shortState, 0), -1);
}

TEST(AudioBlocks, DoubleAndFloatBlocksFollowTheGainParameter)
{
  TestPlugin p;
  ASSERT_TRUE(p.SetBlockSize(64));
  p.SetChannelConnections(kInput, 0, 2, true);
  p.SetChannelConnections(kOutput, 0, 2, true);
  p.SendParameterValueFromUI(kGain, 0.5); // 2 of 0..4
  ASSERT_EQ(p.GetParam(kGain)->Value(), 2.0);

  std::vector<double> in(64), outL(64), outR(64);
  for (int i = 0; i < 64; ++i)
    in[static_cast<size_t>(i)] = std::sin(0.3 * i);
  double* ins[] = {in.data(), in.data()};
  double* outs[] = {outL.data(), outR.data()};
  p.AttachBuffers(kInput, 0, 2, ins);
  p.AttachBuffers(kOutput, 0, 2, outs);
  ASSERT_TRUE(p.ProcessBuffers(0.0, 64));
  for (int i = 0; i < 64; ++i) {
    ASSERT_EQ(outL[static_cast<size_t>(i)], in[static_cast<size_t>(i)] * 2.0);
    ASSERT_EQ(outR[static_cast<size_t>(i)], in[static_cast<size_t>(i)] * 2.0 + 1.0);
  }

  std::vector<float> fIn(64), fOutL(64), fOutR(64);
  for (int i = 0; i < 64; ++i)
    fIn[static_cast<size_t>(i)] = static_cast<float>(in[static_cast<size_t>(i)]);
  float* fIns[] = {fIn.data(), fIn.data()};
  float* fOuts[] = {fOutL.data(), fOutR.data()};
  p.AttachBuffers(kInput, 0, 2, fIns, 64);
  p.AttachBuffers(kOutput, 0, 2, fOuts, 64);
  ASSERT_TRUE(p.ProcessBuffers(0.0f, 64));
  for (int i = 0; i < 64; ++i)
    ASSERT_EQ(fOutL[static_cast<size_t>(i)],
              static_cast<float>(static_cast<double>(fIn[static_cast<size_t>(i)]) * 2.0));

  // A host change of the gain applies from the next block on.
  p.HostSetNormalized(kGain, 0.25); // 1 of 0..4
  ASSERT_TRUE(p.ProcessBuffers(0.0f, 64));
  EXPECT_EQ(fOutL, fIn);
}

TEST(AudioBlocks, BlockSplitDoesNotChangeTheOutput)
{
  const auto run = [](int split) {
    TestPlugin p(TestOptions{.io = "1-1"});
    EXPECT_TRUE(p.SetBlockSize(128));
    p.SetChannelConnections(kInput, 0, 1, true);
    p.SetChannelConnections(kOutput, 0, 1, true);
    p.GetParam(kGain)->Set(0.75);
    std::vector<double> in(1000), out(1000);
    for (size_t i = 0; i < in.size(); ++i)
      in[i] = std::cos(0.01 * static_cast<double>(i * i));
    for (size_t pos = 0; pos < in.size(); pos += static_cast<size_t>(split)) {
      const int n = static_cast<int>(std::min<size_t>(static_cast<size_t>(split), in.size() - pos));
      double* ins[] = {in.data() + pos};
      double* outs[] = {out.data() + pos};
      p.AttachBuffers(kInput, 0, 1, ins);
      p.AttachBuffers(kOutput, 0, 1, outs);
      EXPECT_TRUE(p.ProcessBuffers(0.0, n));
    }
    return out;
  };
  const auto whole = run(128);
  EXPECT_EQ(run(1), whole);
  EXPECT_EQ(run(37), whole);
}
