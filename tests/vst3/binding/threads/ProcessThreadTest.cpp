// The audio thread is not the thread that built and initialised the instance; the main thread
// keeps making controller and state calls while blocks run.
#include "tests/vst3/binding/ProcessSupport.h"
#include "tools/vst3host/MemoryStream.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 64;

} // namespace

TEST(KelmoThreads, ProcessingOnAnotherThreadGivesTheEngineOutput)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  for (int32 size : {kSample32, kSample64}) {
    KelmoInstance k = KelmoInstance::Create(*module);
    k.Start(size, kRate, kBlock);
    const auto inputs = WithSidechain(TestSignal(4000));
    std::vector<std::vector<double>> viaHost;
    std::thread audio([&] { viaHost = RunBundle(k, size, kBlock, inputs, {kBlock, 17}, Compressing()); });
    audio.join();
    EXPECT_EQ(viaHost, RunDirect(size, kBlock, inputs, false, Compressing()));
    k.Stop();
    k.Destroy();
  }
}

TEST(KelmoThreads, ControllerAndStateCallsWhileTheAudioThreadRuns)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  KelmoInstance k = KelmoInstance::Create(*module);
  k.Start(kSample32, kRate, kBlock);

  std::atomic<bool> stop{false};
  std::atomic<bool> allFinite{true};
  std::atomic<int> blocks{0};
  std::thread audio([&] {
    ProcessBlock block(kSample32, {2, 2}, {2}, kBlock);
    int n = 0;
    while (!stop.load()) {
      for (int i = 0; i < kBlock; ++i) {
        block.setInput(0, 0, i, 0.5 * std::sin(0.01 * (n * kBlock + i)));
        block.setInput(0, 1, i, 0.5 * std::cos(0.01 * (n * kBlock + i)));
      }
      block.inputChanges().clear();
      block.inputChanges().add(25, n % kBlock, (n % 10) / 10.0); // host automation of "Output Gain"
      block.inputChanges().add(2, 0, (n % 7) / 7.0);             // and of "L Threshold", linked to its twin
      block.process(*k.processor);
      for (int c = 0; c < 2; ++c)
        for (double v : block.output(0, c))
          if (!std::isfinite(v)) allFinite.store(false);
      ++n;
      blocks.store(n);
    }
  });

  // Meanwhile: controller edits, texts and whole state round trips on this thread.
  for (int i = 0; blocks.load() < 200 || i < 200; ++i) {
    k.controller->setParamNormalized(2, (i % 37) / 36.0);
    k.controller->getParamNormalized(25);
    String128 text{};
    k.controller->getParamStringByValue(2, 0.5, text);
    auto out = owned(new MemoryStream);
    ASSERT_EQ(k.component->getState(out.get()), kResultOk);
    ASSERT_EQ(out->bytes().size(), 356u);
    auto in = owned(new MemoryStream(out->bytes()));
    ASSERT_EQ(k.component->setState(in.get()), kResultOk);
  }

  // A restored bypass flag reaches the audio thread without the host sending the parameter.
  auto state = owned(new MemoryStream);
  ASSERT_EQ(k.component->getState(state.get()), kResultOk);
  std::vector<uint8_t> bytes = state->bytes();
  const int32 on = 1;
  std::memcpy(bytes.data() + 352, &on, sizeof(on));
  auto bypassed = owned(new MemoryStream(bytes));
  ASSERT_EQ(k.component->setState(bypassed.get()), kResultOk);
  const int seen = blocks.load();
  while (blocks.load() < seen + 3)
    std::this_thread::yield();

  stop.store(true);
  audio.join();
  EXPECT_TRUE(allFinite.load());

  // The audio thread has stopped: the next block is a plain pass-through.
  ProcessBlock block(kSample32, {2, 2}, {2}, kBlock);
  block.setInput(0, 0, std::vector<double>(kBlock, 0.25));
  ASSERT_EQ(block.process(*k.processor), kResultOk);
  EXPECT_EQ(block.output(0, 0, 10), 0.25);
  k.Stop();
  k.Destroy();
}
