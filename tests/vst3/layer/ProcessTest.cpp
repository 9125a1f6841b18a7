#include "support/vst3/ProcessBlock.h"
#include "tests/vst3/layer/GainBundle.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;
namespace tp = plugin::testplug;

namespace {

std::vector<double> Ramp(int n, double scale)
{
  std::vector<double> v;
  for (int i = 0; i < n; ++i)
    v.push_back(scale * std::sin(0.05 * i) + 0.001 * i);
  return v;
}

// Runs the effect at one sample size, prepared and active.
class ProcessTest : public ::testing::TestWithParam<int32>
{
protected:
  void SetUp() override
  {
    module = LoadGainBundle();
    ASSERT_TRUE(module);
    gain = GainInstance::Create(*module);
    ASSERT_TRUE(gain.processor);
    ProcessSetup setup = MakeSetup(GetParam(), 48000.0, kMaxBlock);
    ASSERT_EQ(gain.processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(gain.component->setActive(true), kResultOk);
    ASSERT_EQ(gain.processor->setProcessing(true), kResultOk);
  }
  void TearDown() override
  {
    if (gain.processor) {
      gain.processor->setProcessing(false);
      gain.component->setActive(false);
    }
    gain.destroy();
  }

  // Tolerance of one sample size: floats carry about 7 digits.
  double tolerance() const { return GetParam() == kSample32 ? 1e-6 : 1e-15; }

  static constexpr int kMaxBlock = 64;
  std::unique_ptr<Module> module;
  GainInstance gain;
};

} // namespace

TEST_P(ProcessTest, UnityGainPassesInputAndParameterPointsTakeEffectAtTheirOffset)
{
  ProcessBlock block(GetParam(), {2, 2}, {2}, kMaxBlock);
  block.setNumSamples(16);
  for (int i = 0; i < 16; ++i) {
    block.setInput(0, 0, i, 0.25);
    block.setInput(0, 1, i, -0.5);
  }
  // Three points: 0.25 at 4, 1.0 at 8, 0.0 at 12 (normalised; gain = 2 x value).
  block.inputChanges().add(tp::kGainParamId, 8, 1.0);
  block.inputChanges().add(tp::kGainParamId, 4, 0.25);
  block.inputChanges().add(tp::kGainParamId, 12, 0.0);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  for (int i = 0; i < 16; ++i) {
    const double g = i < 4 ? 1.0 : i < 8 ? 0.5 : i < 12 ? 2.0 : 0.0;
    EXPECT_NEAR(block.output(0, 0, i), 0.25 * g, tolerance()) << i;
    EXPECT_NEAR(block.output(0, 1, i), -0.5 * g, tolerance()) << i;
  }
  // The last value holds into the next block.
  block.inputChanges().clear();
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_EQ(block.output(0, 0, 0), 0.0);
  EXPECT_EQ(block.outputSilenceFlags(0), 0x3u);
}

TEST_P(ProcessTest, SameOutputWhateverTheBlockSplit)
{
  const std::vector<std::vector<double>> input = {Ramp(1000, 0.7), Ramp(1000, -0.3), {}, {}};
  // Automation at absolute sample positions, delivered to whichever block holds them.
  const std::vector<std::pair<int, double>> points = {{0, 0.5}, {37, 0.9}, {38, 0.1}, {500, 0.6}, {999, 0.3}};
  auto automate = [&](int start, int length, ProcessBlock& b) {
    for (const auto& [at, value] : points)
      if (at >= start && at < start + length) b.inputChanges().add(tp::kGainParamId, at - start, value);
  };
  std::vector<std::vector<double>> reference;
  {
    ProcessBlock block(GetParam(), {2, 2}, {2}, kMaxBlock);
    ASSERT_EQ(RunSignal(*gain.processor, block, input, {kMaxBlock}, reference, automate), kResultOk);
  }
  ASSERT_EQ(reference.size(), 2u);
  ASSERT_EQ(reference[0].size(), 1000u);
  EXPECT_NEAR(reference[0][37], 1.8 * input[0][37], tolerance());
  EXPECT_NEAR(reference[1][600], 1.2 * input[1][600], tolerance());

  for (const std::vector<int>& split : {std::vector<int>{1}, {7, 13, 64}, {63, 2}, {31}}) {
    // Reset the gain to the start value for each run.
    ProcessBlock reset(GetParam(), {2, 2}, {2}, kMaxBlock);
    reset.setNumSamples(0);
    reset.inputChanges().add(tp::kGainParamId, 0, 0.5);
    ASSERT_EQ(reset.process(*gain.processor), kResultOk);

    ProcessBlock block(GetParam(), {2, 2}, {2}, kMaxBlock);
    std::vector<std::vector<double>> out;
    ASSERT_EQ(RunSignal(*gain.processor, block, input, split, out, automate), kResultOk);
    EXPECT_EQ(out, reference) << "split starting " << split[0];
  }
}

TEST_P(ProcessTest, SideChainCountsOnlyWhileItsBusIsActive)
{
  ProcessBlock block(GetParam(), {2, 2}, {2}, kMaxBlock);
  block.setNumSamples(8);
  for (int i = 0; i < 8; ++i) {
    block.setInput(0, 0, i, 0.5);
    block.setInput(1, 0, i, 0.125);
  }
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 3), 0.5, tolerance());

  ASSERT_EQ(gain.component->activateBus(kAudio, kInput, 1, true), kResultOk);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 3), 0.625, tolerance());

  // A host that passes only the main bus while the side chain is active: no out-of-range read.
  block.setHostBusCounts(1, 1);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 3), 0.5, tolerance());
}

TEST_P(ProcessTest, HostileCallsNeitherCrashNorLoseChanges)
{
  ProcessBlock block(GetParam(), {2, 2}, {2}, kMaxBlock);
  block.fillInputs(0.5);

  // 0 samples: the change still applies.
  block.setNumSamples(0);
  block.inputChanges().add(tp::kGainParamId, 0, 1.0);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  block.inputChanges().clear();
  block.setNumSamples(4);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 0), 1.0, tolerance());

  // No buses, null channel arrays, no lists, no context.
  block.setHostBusCounts(0, 0);
  EXPECT_EQ(block.process(*gain.processor), kResultOk);
  block.setHostBusCounts(2, 1);
  block.setNullChannelArrays(true);
  EXPECT_EQ(block.process(*gain.processor), kResultOk);
  block.setNullChannelArrays(false);
  block.setChangeListsEnabled(false);
  block.setEventListsEnabled(false);
  block.setContextEnabled(false);
  EXPECT_EQ(block.process(*gain.processor), kResultOk);
  block.setChangeListsEnabled(true);

  // NaN points and unreadable queues are skipped; the gain stays where it was.
  block.inputChanges().add(tp::kGainParamId, 0, std::numeric_limits<double>::quiet_NaN());
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 1), 1.0, tolerance());
  block.inputChanges().clear();
  block.inputChanges().add(tp::kGainParamId, 0, 0.0);
  block.inputChanges().find(tp::kGainParamId)->setFailReads(true);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 1), 1.0, tolerance());

  // Out-of-order points as given by a careless host: every one is applied in list order.
  block.inputChanges().clear();
  ParamValueQueue* q = nullptr;
  int32 index = 0;
  q = static_cast<ParamValueQueue*>(block.inputChanges().addParameterData(tp::kGainParamId, index));
  ASSERT_TRUE(q);
  q->appendRawPoint(3, 0.25);
  q->appendRawPoint(1, 0.75);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 3), 0.75, tolerance());

  // Values outside 0..1 are clamped.
  block.inputChanges().clear();
  block.inputChanges().add(tp::kGainParamId, 0, 7.0);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_NEAR(block.output(0, 0, 0), 1.0, tolerance());
}

TEST_P(ProcessTest, SilenceInGivesFiniteSilenceOutWithFlags)
{
  ProcessBlock block(GetParam(), {2, 2}, {2}, kMaxBlock);
  block.fillInputs(0.0);
  block.fillOutputs(std::numeric_limits<double>::quiet_NaN());
  block.setInputSilenceFlags(0, 0x3);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  for (int i = 0; i < kMaxBlock; ++i) {
    EXPECT_EQ(block.output(0, 0, i), 0.0);
    EXPECT_EQ(block.output(0, 1, i), 0.0);
  }
  EXPECT_EQ(block.outputSilenceFlags(0), 0x3u);
  block.setInput(0, 1, 5, 0.1);
  ASSERT_EQ(block.process(*gain.processor), kResultOk);
  EXPECT_EQ(block.outputSilenceFlags(0), 0x1u);
}

TEST_P(ProcessTest, SetupActivateProcessDeactivateRepeated)
{
  ProcessBlock block(GetParam(), {2, 2}, {2}, kMaxBlock);
  block.fillInputs(0.5);
  for (int round = 0; round < 5; ++round) {
    gain.processor->setProcessing(false);
    gain.component->setActive(false);
    ProcessSetup setup = MakeSetup(GetParam(), 44100.0 + 1000.0 * round, kMaxBlock);
    ASSERT_EQ(gain.processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(gain.component->setActive(true), kResultOk);
    ASSERT_EQ(gain.processor->setProcessing(true), kResultOk);
    ASSERT_EQ(block.process(*gain.processor), kResultOk);
    EXPECT_NEAR(block.output(0, 1, kMaxBlock - 1), 0.5, tolerance());
  }
}

INSTANTIATE_TEST_SUITE_P(SampleSizes, ProcessTest, ::testing::Values(kSample32, kSample64),
                         [](const auto& info) { return info.param == kSample32 ? "32bit" : "64bit"; });

TEST(ProcessSampleSizes, ThirtyTwoAndSixtyFourBitAgree)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  const std::vector<std::vector<double>> input = {Ramp(300, 0.9), Ramp(300, 0.2)};
  std::vector<std::vector<double>> out32, out64;
  for (int32 size : {kSample32, kSample64}) {
    auto gain = GainInstance::Create(*module);
    ProcessSetup setup = MakeSetup(size, 48000.0, 128);
    ASSERT_EQ(gain.processor->setupProcessing(setup), kResultOk);
    gain.component->setActive(true);
    ProcessBlock block(size, {2, 2}, {2}, 128);
    ASSERT_EQ(RunSignal(*gain.processor, block, input, {100}, size == kSample32 ? out32 : out64,
                        [](int start, int, ProcessBlock& b) {
                          if (start == 100) b.inputChanges().add(tp::kGainParamId, 10, 0.8);
                        }),
              kResultOk);
    gain.component->setActive(false);
    gain.destroy();
  }
  ASSERT_EQ(out32.size(), out64.size());
  for (size_t c = 0; c < out32.size(); ++c)
    for (size_t i = 0; i < out32[c].size(); ++i)
      EXPECT_NEAR(out32[c][i], out64[c][i], 1e-6) << c << ":" << i;
  EXPECT_NEAR(out64[0][110], 1.6 * input[0][110], 1e-15);
}
