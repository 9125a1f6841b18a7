#include "graphics/renderer/FontDataCache.h"
#include "support/ui/GpuCanvasView.h"

#include <latch>
#include <mutex>
#include <thread>

using namespace canvastest;

// Editors of four plug-in instances, each on its own thread, open, load the same font and measure
// with it at once (frames stay on the main thread: the bound framebuffer is one for the process):
// the font's data is read once and shared, and the last editor empties the cache.
TEST(CanvasVGThreads, EditorsOnSeveralThreadsShareOneCopyOfAFont)
{
  constexpr int kEditors = 4;
  const int handedOut = FileFontDouble::sDataHandedOut.load();
  std::latch started(kEditors);
  // The editors share one copy only while they overlap: each holds its view open until every one
  // has measured, so that none frees the font before the last has loaded it.
  std::latch measured(kEditors);
  float widths[kEditors] = {};
  std::vector<std::thread> threads;
  for (float& width : widths)
    threads.emplace_back([&] {
      started.arrive_and_wait();
      GpuView v(100, 40); // loads Roboto-Regular
      IRECT r(0, 0, 100, 20);
      width = v.g.MeasureText(IText(14.f), "Kelmo", r);
      measured.arrive_and_wait();
    });
  for (auto& t : threads)
    t.join();
  EXPECT_GT(widths[0], 0.f);
  for (float width : widths)
    EXPECT_EQ(width, widths[0]);
  EXPECT_EQ(FileFontDouble::sDataHandedOut.load(), handedOut + 1);
  std::lock_guard lock(FontDataCache().Mutex());
  EXPECT_EQ(FontDataCache().InstanceCount(), 0);
  EXPECT_EQ(FontDataCache().NEntries(), 0);
}
