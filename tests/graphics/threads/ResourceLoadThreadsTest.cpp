#include "graphics/ResourceCaches.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

// Editors of several plug-in instances load the same resources on their own threads at once: each
// resource is loaded (and scaled) once, every editor gets the one cached copy, and nothing leaks.
TEST(ResourceLoadThreads, ConcurrentLoadsShareOneCachedCopy)
{
  constexpr int kThreads = 4;
  constexpr int kRounds = 50;
  ResourceFolder folder;
  folder.Write("knob.png");
  folder.Write("logo.svg", "<svg width='40' height='20'><circle cx='5' cy='5' r='4'/></svg>");
  TestEditorDelegate holderDelegate;
  auto holder = std::make_unique<RecordingCanvas>(holderDelegate);
  const int live = CountedBitmap::Live();

  std::atomic<const APIBitmap*> firstBitmap{nullptr};
  std::atomic<const SvgImage*> firstSvg{nullptr};
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&] {
      TestEditorDelegate dlg;
      for (int i = 0; i < kRounds; ++i) {
        RecordingCanvas ui(dlg);
        const IBitmap b = ui.LoadBitmap("knob.png", 1, false, 2); // scaled from 1x through a layer
        const ISVG svg = ui.LoadSVG("logo.svg");
        const APIBitmap* expectedBitmap = nullptr;
        firstBitmap.compare_exchange_strong(expectedBitmap, b.GetAPIBitmap());
        const SvgImage* expectedSvg = nullptr;
        firstSvg.compare_exchange_strong(expectedSvg, svg.GetImage());
        if (b.GetAPIBitmap() != firstBitmap.load() || svg.GetImage() != firstSvg.load() || !b.IsValid() ||
            !svg.IsValid())
          ++mismatches;
      }
    });
  for (auto& t : threads)
    t.join();

  EXPECT_EQ(mismatches.load(), 0);
  {
    std::lock_guard bitmapLock(BitmapCache().Mutex());
    EXPECT_EQ(BitmapCache().NEntries(), 1);
    std::lock_guard svgLock(SVGCache().Mutex());
    EXPECT_EQ(SVGCache().NEntries(), 1);
  }
  EXPECT_EQ(CountedBitmap::Live(), live + 1);
  holder.reset();
  EXPECT_EQ(CountedBitmap::Live(), live);
}
