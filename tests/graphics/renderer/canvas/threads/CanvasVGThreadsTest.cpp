#include "../CanvasVGTestSupport.h"
#include "graphics/renderer/FontDataCache.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

using namespace canvastest;

namespace {

// Editors of several plug-in instances, each on its own thread, open, load the same font and
// measure with it at the same time: the font's data is read once and shared by all.
TEST(CanvasVGThreads, EditorsOnSeveralThreadsShareOneCopyOfAFont)
{
  ASSERT_FALSE(RobotoPath().empty());
  constexpr int kEditors = 4;
  const int handedOut = FileFontDouble::DataHandedOut();
  const std::string path = RobotoPath();
  std::atomic<int> ready{0};
  std::vector<float> widths(kEditors, 0.f);
  std::vector<int> loaded(kEditors, 0);
  {
    std::vector<std::thread> threads;
    for (int i = 0; i < kEditors; ++i) {
      threads.emplace_back([&, i] {
        RecordingView v;
        ++ready;
        while (ready.load() < kEditors)
          std::this_thread::yield();
        loaded[i] = v.g.LoadFont("Shared", path.c_str());
        IRECT r(0, 0, 100, 20);
        widths[i] = v.g.MeasureText(IText(14.f, COLOR_BLACK, "Shared"), "Kelmo", r);
        v.g.BeginFrame();
        v.g.DrawText(IText(14.f, COLOR_BLACK, "Shared"), "Kelmo", IRECT(0, 0, 100, 20));
        v.g.EndFrame();
      });
    }
    for (auto& t : threads)
      t.join();
  }
  for (int i = 0; i < kEditors; ++i) {
    EXPECT_TRUE(loaded[i]) << i;
    EXPECT_GT(widths[i], 0.f) << i;
    EXPECT_EQ(widths[i], widths[0]) << i;
  }
  EXPECT_EQ(FileFontDouble::DataHandedOut(), handedOut + 1);
  std::lock_guard lock(FontDataCache().Mutex());
  EXPECT_EQ(FontDataCache().InstanceCount(), 0);
  EXPECT_EQ(FontDataCache().NEntries(), 0) << "the last editor emptied the cache";
}

} // namespace
