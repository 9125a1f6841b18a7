// Processing through the bundle at 32 and 64 bits, compared with the engine driven directly.
#include "tests/vst3/binding/ProcessSupport.h"
#include "tools/vst3host/MemoryStream.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

constexpr double kRate = 48000.0;
constexpr int kMaxBlock = 128;
constexpr int kLength = 6000;

class KelmoProcess : public ::testing::TestWithParam<int32>
{
protected:
  void SetUp() override
  {
    module = LoadKelmoBundle();
    ASSERT_TRUE(module);
    kelmo = KelmoInstance::Create(*module);
    ASSERT_TRUE(kelmo.processor);
    kelmo.Start(GetParam(), kRate, kMaxBlock);
  }
  void TearDown() override
  {
    if (kelmo.processor) kelmo.Stop();
    kelmo.Destroy();
  }

  int32 size() const { return GetParam(); }

  std::unique_ptr<Module> module;
  KelmoInstance kelmo;
};

bool AllFinite(const std::vector<std::vector<double>>& signals)
{
  for (const auto& s : signals)
    for (double v : s)
      if (!std::isfinite(v)) return false;
  return true;
}

} // namespace

TEST_P(KelmoProcess, OutputIsTheEngineDrivenDirectly)
{
  const auto inputs = WithSidechain(TestSignal(kLength));
  const auto plain = RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock});
  EXPECT_EQ(plain, RunDirect(size(), kMaxBlock, inputs, false));

  KelmoInstance fresh = KelmoInstance::Create(*module);
  fresh.Start(size(), kRate, kMaxBlock);
  const auto compressed = RunBundle(fresh, size(), kMaxBlock, inputs, {kMaxBlock}, Compressing());
  EXPECT_EQ(compressed, RunDirect(size(), kMaxBlock, inputs, false, Compressing()));
  EXPECT_NE(compressed, plain);
  fresh.Stop();
  fresh.Destroy();
}

TEST_P(KelmoProcess, BypassAtHalfIsOffAndJustAboveIsOn)
{
  const auto inputs = WithSidechain(TestSignal(2048));
  Changes changes = Compressing();
  changes.push_back({static_cast<int>(kBypassId), 0.5});
  const auto notBypassed = RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}, changes);
  const auto direct = RunDirect(size(), kMaxBlock, inputs, false, Compressing());
  EXPECT_EQ(notBypassed, direct);

  const auto bypassed =
      RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}, {{static_cast<int>(kBypassId), 0.51}});
  EXPECT_EQ(bypassed[0], AtSampleSize(inputs[0], size()));
  EXPECT_EQ(bypassed[1], AtSampleSize(inputs[1], size()));
}

TEST_P(KelmoProcess, SideChainCountsOnlyWhileItsBusIsActive)
{
  // The detectors listen to the external inputs by default; the side-chain carries a loud tone.
  const auto main = TestSignal(kLength, 0.2);
  const auto side = TestSignal(kLength, 0.9);
  const auto inputs = WithSidechain(main, side);
  const Changes threshold = {{2, 24.0 / 36.0}};

  auto direct = DirectKelmo::Make();
  direct->Prepare(kRate, kMaxBlock, false);
  direct->Automate(2, threshold[0].second);

  const auto inactive = RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}, threshold);
  EXPECT_EQ(inactive, direct->RunAt(size(), inputs, kMaxBlock));

  kelmo.Stop();
  ASSERT_EQ(kelmo.component->activateBus(kAudio, kInput, 1, true), kResultOk);
  kelmo.Start(size(), kRate, kMaxBlock);
  direct->Prepare(kRate, kMaxBlock, true);
  const auto active = RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock});
  EXPECT_EQ(active, direct->RunAt(size(), inputs, kMaxBlock));
  EXPECT_NE(active, inactive);

  // Switched off again: the side-chain is silent once more (no stale side-chain samples).
  kelmo.Stop();
  ASSERT_EQ(kelmo.component->activateBus(kAudio, kInput, 1, false), kResultOk);
  kelmo.Start(size(), kRate, kMaxBlock);
  direct->Prepare(kRate, kMaxBlock, false);
  EXPECT_EQ(RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}),
            direct->RunAt(size(), inputs, kMaxBlock));
}

TEST_P(KelmoProcess, AnInactiveOutputBusIsNotWritten)
{
  ASSERT_EQ(kelmo.component->activateBus(kAudio, kOutput, 0, false), kResultOk);
  ProcessBlock block(size(), {2, 2}, {2}, kMaxBlock);
  block.fillInputs(0.25);
  block.fillOutputs(7.0);
  ASSERT_EQ(block.process(*kelmo.processor), kResultOk);
  for (int i = 0; i < kMaxBlock; ++i) {
    ASSERT_EQ(block.output(0, 0, i), 7.0);
    ASSERT_EQ(block.output(0, 1, i), 7.0);
  }
}

TEST_P(KelmoProcess, AZeroSampleBlockStillAppliesParameterChanges)
{
  ProcessBlock block(size(), {2, 2}, {2}, kMaxBlock);
  block.setNumSamples(0);
  block.setNullChannelArrays(true);
  block.inputChanges().add(25, 0, 1.0); // "Output Gain" to +16 dB
  ASSERT_EQ(block.process(*kelmo.processor), kResultOk);

  auto stream = owned(new MemoryStream);
  ASSERT_EQ(kelmo.component->getState(stream.get()), kResultOk);
  double outputGain = 0.0;
  std::memcpy(&outputGain, stream->bytes().data() + 25 * sizeof(double), sizeof(double));
  EXPECT_EQ(outputGain, 16.0);
}

TEST_P(KelmoProcess, ABlockLongerThanTheSetUpIsProcessedInSlices)
{
  constexpr int kLong = 3 * kMaxBlock + 17;
  const auto inputs = WithSidechain(TestSignal(kLong));
  const auto viaHost = RunBundle(kelmo, size(), kLong, inputs, {kLong}, Compressing());
  ASSERT_EQ(viaHost[0].size(), static_cast<size_t>(kLong));
  EXPECT_EQ(viaHost, RunDirect(size(), kMaxBlock, inputs, false, Compressing()));
}

TEST_P(KelmoProcess, EveryBlockSplitGivesTheSameOutput)
{
  const auto inputs = WithSidechain(TestSignal(kLength));
  const auto viaHost =
      RunBundle(kelmo, size(), kMaxBlock, inputs, {1, 37, 128, 5, 64, 3, 100}, Compressing());
  EXPECT_EQ(viaHost, RunDirect(size(), kMaxBlock, inputs, false, Compressing()));
}

TEST_P(KelmoProcess, SetUpActivateProcessDeactivateRepeatedGivesTheSameRun)
{
  // Every round resets the engine as a direct set-up does; state a reset keeps (the noise
  // generator) carries on in both.
  const auto inputs = WithSidechain(TestSignal(3000));
  auto direct = DirectKelmo::Make();
  direct->Prepare(kRate, kMaxBlock, false);
  for (const auto& [idx, value] : Compressing())
    direct->Automate(idx, value);
  EXPECT_EQ(RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}, Compressing()),
            direct->RunAt(size(), inputs, kMaxBlock));
  for (int round = 0; round < 3; ++round) {
    kelmo.Stop();
    kelmo.Start(size(), kRate, kMaxBlock);
    direct->Prepare(kRate, kMaxBlock, false);
    EXPECT_EQ(RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}),
              direct->RunAt(size(), inputs, kMaxBlock))
        << round;
  }
}

TEST_P(KelmoProcess, SilenceInGivesFiniteOutputAndTruthfulSilenceFlags)
{
  ProcessBlock block(size(), {2, 2}, {2}, kMaxBlock);
  block.fillInputs(0.0);
  for (int round = 0; round < 20; ++round) {
    block.fillOutputs(0.5);
    ASSERT_EQ(block.process(*kelmo.processor), kResultOk);
    uint64 expected = 0;
    for (int c = 0; c < 2; ++c) {
      bool silent = true;
      for (double v : block.output(0, c)) {
        ASSERT_TRUE(std::isfinite(v));
        silent = silent && v == 0.0;
      }
      if (silent) expected |= uint64{1} << c;
    }
    EXPECT_EQ(block.outputSilenceFlags(0), expected) << round;
  }
}

TEST_P(KelmoProcess, NonFiniteInputGivesFiniteOutput)
{
  auto inputs = WithSidechain(TestSignal(2048), TestSignal(2048));
  for (int i = 100; i < 2048; i += 97) {
    inputs[0][static_cast<size_t>(i)] = std::numeric_limits<double>::quiet_NaN();
    inputs[1][static_cast<size_t>(i)] = std::numeric_limits<double>::infinity();
    inputs[2][static_cast<size_t>(i)] = -std::numeric_limits<double>::infinity();
  }
  ASSERT_EQ(kelmo.component->activateBus(kAudio, kInput, 1, true), kResultOk);
  EXPECT_TRUE(AllFinite(RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}, Compressing())));
}

TEST_P(KelmoProcess, HostileBufferShapesNeverReadOutOfRange)
{
  const auto inputs = WithSidechain(TestSignal(kMaxBlock));
  ASSERT_EQ(kelmo.component->activateBus(kAudio, kInput, 1, true), kResultOk);

  // Only the main bus in (the active side-chain missing) and the one output: main only.
  ProcessBlock fewer(size(), {2, 2}, {2}, kMaxBlock);
  fewer.setHostBusCounts(1, 1);
  for (int c = 0; c < 2; ++c)
    fewer.setInput(0, c, inputs[static_cast<size_t>(c)]);
  fewer.context().tempo = 120.0;
  ASSERT_EQ(fewer.process(*kelmo.processor), kResultOk);
  const auto direct = RunDirect(size(), kMaxBlock, inputs, false);
  EXPECT_EQ(fewer.output(0, 0), direct[0]);

  // More buses than the plug-in has, with more channels than it declared: the extra output bus
  // is left alone, extra channels of its own bus are cleared.
  ProcessBlock more(size(), {2, 2, 2}, {4, 2}, kMaxBlock);
  more.fillInputs(0.3);
  more.fillOutputs(7.0);
  ASSERT_EQ(more.process(*kelmo.processor), kResultOk);
  EXPECT_EQ(more.output(0, 2, 5), 0.0);
  EXPECT_EQ(more.output(1, 0, 5), 7.0);

  // No buses, null channel arrays, a host claiming more samples than it has buffers for.
  ProcessBlock none(size(), {2, 2}, {2}, kMaxBlock);
  none.setHostBusCounts(0, 0);
  ASSERT_EQ(none.process(*kelmo.processor), kResultOk);
  ProcessBlock nullArrays(size(), {2, 2}, {2}, kMaxBlock);
  nullArrays.setNullChannelArrays(true);
  ASSERT_EQ(nullArrays.process(*kelmo.processor), kResultOk);
  ProcessBlock negative(size(), {2, 2}, {2}, kMaxBlock);
  ASSERT_EQ(negative.process(*kelmo.processor), kResultOk);
  ProcessData data = negative.data(); // the same call claiming a negative length
  data.numSamples = -5;
  negative.fillOutputs(7.0);
  ASSERT_EQ(kelmo.processor->process(data), kResultOk);
  EXPECT_EQ(negative.output(0, 0, 0), 7.0);
}

TEST_P(KelmoProcess, EitherSampleSizeIsProcessedWhateverTheSetUp)
{
  // Calls of the other sample size, of the set-up's length and longer (sliced), with changes.
  const int32 other = size() == kSample32 ? int32{kSample64} : int32{kSample32};
  constexpr int kLong = 2 * kMaxBlock + 9;
  const auto inputs = WithSidechain(TestSignal(kLength));
  EXPECT_EQ(RunBundle(kelmo, other, kLong, inputs, {kMaxBlock, kLong, 31}, Compressing()),
            RunDirect(other, kMaxBlock, inputs, false, Compressing()));

  // A sample size no host may use: answered kResultOk, no sample touched.
  ProcessBlock block(size(), {2, 2}, {2}, kMaxBlock);
  ASSERT_EQ(block.process(*kelmo.processor), kResultOk);
  ProcessData data = block.data(); // a copy of that call with the unknown size
  data.symbolicSampleSize = 3;
  block.fillOutputs(7.0);
  EXPECT_EQ(kelmo.processor->process(data), kResultOk);
  EXPECT_EQ(block.output(0, 0, 0), 7.0);
}

TEST_P(KelmoProcess, SetUpRefusesWhatItCannotProcess)
{
  kelmo.Stop();
  ProcessSetup setup = MakeSetup(2, kRate, kMaxBlock);
  EXPECT_EQ(kelmo.processor->setupProcessing(setup), kResultFalse);
  setup = MakeSetup(size(), kRate, 0);
  EXPECT_EQ(kelmo.processor->setupProcessing(setup), kInvalidArgument);
  setup = MakeSetup(size(), std::numeric_limits<double>::quiet_NaN(), kMaxBlock);
  EXPECT_EQ(kelmo.processor->setupProcessing(setup), kInvalidArgument);
  for (double rate : {-44100.0, 0.0, std::numeric_limits<double>::infinity()}) {
    setup = MakeSetup(size(), rate, kMaxBlock);
    EXPECT_EQ(kelmo.processor->setupProcessing(setup), kInvalidArgument) << rate;
  }
  setup = MakeSetup(size(), std::numeric_limits<double>::max(), kMaxBlock); // any finite rate above 0
  EXPECT_EQ(kelmo.processor->setupProcessing(setup), kResultOk);
  // The last good set-up still holds.
  kelmo.Start(size(), kRate, kMaxBlock);
  const auto inputs = WithSidechain(TestSignal(1000));
  EXPECT_EQ(RunBundle(kelmo, size(), kMaxBlock, inputs, {kMaxBlock}),
            RunDirect(size(), kMaxBlock, inputs, false));
}

INSTANTIATE_TEST_SUITE_P(SampleSizes, KelmoProcess, ::testing::Values(kSample32, kSample64),
                         [](const ::testing::TestParamInfo<int32>& info) {
                           return info.param == kSample32 ? std::string("Float32") : std::string("Float64");
                         });
