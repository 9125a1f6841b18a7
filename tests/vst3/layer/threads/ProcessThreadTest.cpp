#include "support/vst3/ProcessBlock.h"
#include "tests/vst3/layer/GainBundle.h"
#include "tools/vst3host/MemoryStream.h"

#include <atomic>
#include <cstring>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;
namespace tp = plugin::testplug;

// A host initialises on its main thread and processes on an audio thread, while the main
// thread keeps saving state and reading parameters.
TEST(ProcessThreads, AudioThreadAgainstMainThreadCalls)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  auto gain = GainInstance::Create(*module);
  ProcessSetup setup = MakeSetup(kSample64, 48000.0, 128);
  ASSERT_EQ(gain.processor->setupProcessing(setup), kResultOk);
  ASSERT_EQ(gain.component->setActive(true), kResultOk);
  ASSERT_EQ(gain.processor->setProcessing(true), kResultOk);

  std::atomic<bool> done{false};
  std::atomic<int> blocks{0};
  std::thread audio([&] {
    ProcessBlock block(kSample64, {2, 2}, {2}, 128);
    block.fillInputs(0.5);
    for (int i = 0; i < 2000; ++i) {
      block.inputChanges().clear();
      block.inputChanges().add(tp::kGainParamId, i % 128, (i % 10) / 10.0);
      if (block.process(*gain.processor) != kResultOk) break;
      ++blocks;
    }
    done = true;
  });

  int saves = 0;
  do { // at least one save, however fast the audio thread finishes
    auto stream = owned(new MemoryStream);
    ASSERT_EQ(gain.component->getState(stream), kResultOk);
    ASSERT_EQ(stream->bytes().size(), static_cast<size_t>(tp::kStateSize));
    double v = -1.0;
    std::memcpy(&v, stream->bytes().data() + 4, sizeof(v));
    EXPECT_GE(v, 0.0);
    EXPECT_LE(v, 1.0);
    ++saves;
  } while (!done);
  audio.join();
  EXPECT_EQ(blocks.load(), 2000);
  EXPECT_GT(saves, 0);

  gain.processor->setProcessing(false);
  gain.component->setActive(false);
  gain.destroy();
}

// Creation on one thread, initialise and process on another: the object holds no thread ties.
TEST(ProcessThreads, InstanceMovesBetweenThreads)
{
  auto module = LoadGainBundle();
  ASSERT_TRUE(module);
  GainInstance gain;
  std::thread creator([&] { gain = GainInstance::Create(*module); });
  creator.join();
  ASSERT_TRUE(gain.processor);
  double out = 0.0;
  std::thread worker([&] {
    ProcessSetup setup = MakeSetup(kSample32, 44100.0, 32);
    gain.processor->setupProcessing(setup);
    gain.component->setActive(true);
    ProcessBlock block(kSample32, {2, 2}, {2}, 32);
    block.fillInputs(0.25);
    block.process(*gain.processor);
    out = block.output(0, 0, 31);
    gain.component->setActive(false);
  });
  worker.join();
  EXPECT_FLOAT_EQ(static_cast<float>(out), 0.25f);
  gain.destroy();
}
