#include "graphics/renderer/FontDataCache.h"
#include "support/ui/GpuCanvasView.h"

#include <atomic>
#include <mutex>
#include <thread>

using namespace canvastest;

// Editors of four plug-in instances, each on its own thread, open, load the same font and measure
// with it at once (frames stay on the main thread: the bound framebuffer is one for the process):
// the font's data is read once and shared, and the last editor empties the cache.
TEST(CanvasVGThreads, EditorsOnSeveralThreadsShareOneCopyOfAFont)
{
  const int handedOut = FileFontDouble::sDataHandedOut.load();
  std::atomic<int> ready{0};
  float widths[4] = {};
  std::vector<std::thread> threads;
  for (float& width : widths)
    threads.emplace_back([&] {
      for (++ready; ready.load() < 4;)
        std::this_thread::yield();
      GpuView v(100, 40); // loads Roboto-Regular
      IRECT r(0, 0, 100, 20);
      width = v.g.MeasureText(IText(14.f), "Kelmo", r);
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
