#include "framework/buffers/IByteChunk.h"
#include "framework/plugin/IPluginBase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class TwoParamPlugin : public plugin::IPluginBase
{
public:
  TwoParamPlugin() : IPluginBase(2, 0)
  {
    GetParam(0)->InitDouble("a", 0, -1e6, 1e6, 0.001);
    GetParam(1)->InitDouble("b", 0, -1e6, 1e6, 0.001);
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

constexpr double kA = 123456.789;
constexpr double kB = -0.001;

} // namespace

// The audio thread writes whole values while the main thread saves the state: every saved value
// is one of the values written, never a torn mix.
TEST(ParamValueThreads, StateSavedDuringAutomationHoldsWholeValues)
{
  TwoParamPlugin plug;
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    for (int i = 0; !stop.load(std::memory_order_relaxed); ++i) {
      plug.GetParam(0)->Set((i & 1) ? kA : kB);
      plug.GetParam(1)->SetNormalized((i & 1) ? 1.0 : 0.0);
    }
  });
  for (int round = 0; round < 2000; ++round) {
    plugin::IByteChunk chunk;
    ASSERT_TRUE(plug.SerializeParams(chunk));
    double a = 0, b = 0;
    const int pos = chunk.Get(&a, 0);
    chunk.Get(&b, pos);
    EXPECT_TRUE(a == kA || a == kB || a == 0.0) << a;
    EXPECT_TRUE(b == 1e6 || b == -1e6 || b == 0.0) << b;
  }
  stop = true;
  audio.join();
}

// The main thread restores states while the audio thread reads values.
TEST(ParamValueThreads, RestoreWhileTheAudioThreadReads)
{
  TwoParamPlugin plug;
  plugin::IByteChunk stateA, stateB;
  plug.GetParam(0)->Set(kA);
  plug.SerializeParams(stateA);
  plug.GetParam(0)->Set(kB);
  plug.SerializeParams(stateB);

  std::atomic<bool> stop{false};
  std::atomic<int> bad{0};
  std::thread audio([&] {
    while (!stop.load(std::memory_order_relaxed)) {
      const double v = plug.GetParam(0)->Value();
      if (v != kA && v != kB) bad.fetch_add(1);
    }
  });
  for (int round = 0; round < 2000; ++round)
    ASSERT_EQ(plug.UnserializeParams((round & 1) ? stateA : stateB, 0), 16);
  stop = true;
  audio.join();
  EXPECT_EQ(bad.load(), 0);
}
