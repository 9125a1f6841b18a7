#include "support/engine/KelmoTestSupport.h"

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

using namespace kelmotest;

namespace {

using KelmoThreads = KelmoTest;

// Parameters host automation moves in the test: linked pairs, the exclusive pair, the filter
// flag, the comparison slot and a global.
const int kAutomated[] = {
    kLThreshold,      kRAttack,      kLSyncRelease,   kRSidechainBlend, kDelta,
    kSidechainListen, kOverSampling, kComparisonSlot, kVariGain,        kLinkChannelControls};

} // namespace

TEST_F(KelmoThreads, AutomationOnTheAudioThreadWhileTheMainThreadTicks)
{
  TestKelmo k;
  k.Prepare(48000.0, 32);
  std::atomic<bool> done{false};

  std::thread audio([&] {
    std::vector<double> l(32), r(32);
    unsigned seed = 12345u;
    for (int step = 0; step < 6000; ++step) {
      seed = seed * 1664525u + 1013904223u;
      const int idx = kAutomated[seed % std::size(kAutomated)];
      const double normalized = static_cast<double>((seed >> 8) % 1000u) / 999.0;
      k.Automate(idx, normalized, static_cast<int>(seed % 32u));
      if (step % 4 == 0) {
        for (int n = 0; n < 32; ++n) {
          l[static_cast<size_t>(n)] = 0.7 * std::sin(0.05 * (step * 32 + n));
          r[static_cast<size_t>(n)] = 0.5 * std::sin(0.03 * (step * 32 + n));
        }
        k.ProcessInPlace(l.data(), r.data(), 32);
      }
    }
    done.store(true);
  });

  int ticks = 0;
  while (!done.load() || ticks < 10) {
    k.OnIdle();
    // The editor and recalls act on the main thread meanwhile.
    if (ticks % 7 == 0) k.Edit(kRWetGain, (ticks % 13) - 6.0);
    if (ticks % 11 == 0) k.Edit(kComparisonSlot, ticks % 2);
    if (ticks % 29 == 0) {
      EXPECT_TRUE(k.RestorePreset(ticks % 32));
    }
    if (k.events.size() > 100000) k.events.clear();
    ++ticks;
    std::this_thread::yield();
  }
  audio.join();
  k.OnIdle();

  EXPECT_FALSE(k.editorReachedOffThread.load());
  // Every deferred slot change has been carried out.
  EXPECT_EQ(k.Comparison().LiveSlot(), static_cast<int>(k.GetParam(kComparisonSlot)->Value()));
  for (int i = 0; i < kNumParams; ++i) {
    const plugin::IParam& p = *k.GetParam(i);
    EXPECT_GE(p.Value(), p.GetMin()) << i;
    EXPECT_LE(p.Value(), p.GetMax()) << i;
  }
  // The meters kept flowing: four records on the last tick, all finite.
  const auto msgs = k.Only(EditorEvent::kControlMsg);
  ASSERT_GE(msgs.size(), 4u);
  for (size_t i = msgs.size() - 4; i < msgs.size(); ++i)
    EXPECT_TRUE(std::isfinite(msgs[i].value));
}

TEST_F(KelmoThreads, MetersWrittenByAudioAreReadByTheTick)
{
  TestKelmo k;
  k.Prepare(44100.0, 64);
  k.Edit(kLThreshold, 30.0);
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<double> l(64), r(64);
    for (int b = 0; b < 3000; ++b) {
      for (int n = 0; n < 64; ++n)
        l[static_cast<size_t>(n)] = r[static_cast<size_t>(n)] =
            (b / 500) % 2 ? 0.9 * std::sin(0.07 * n) : 0.0;
      k.ProcessInPlace(l.data(), r.data(), 64);
    }
    done.store(true);
  });
  size_t records = 0;
  while (!done.load()) {
    k.events.clear();
    k.OnIdle();
    for (const EditorEvent& e : k.Only(EditorEvent::kControlMsg)) {
      EXPECT_TRUE(std::isfinite(e.value));
      if (e.idx == 0 || e.idx == 1) {
        EXPECT_GE(e.value, 0.0f);
        EXPECT_LE(e.value, 1.0f);
      }
      ++records;
    }
    std::this_thread::yield();
  }
  audio.join();
  EXPECT_GT(records, 0u);
  EXPECT_FALSE(k.editorReachedOffThread.load());
}
