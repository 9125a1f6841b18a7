#include "graphics/resources/ResourceCaches.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace plugin::ui;
using namespace plugin::ui::test;

// Editors of several plug-in instances load the same resources on their own threads at once: each
// is loaded (and scaled) once and every editor gets that one cached copy.
TEST(ResourceLoadThreads, ConcurrentLoadsShareOneCachedCopy)
{
  ResourceFolder folder;
  folder.Write("knob.png");
  folder.Write("logo.svg", "<svg width='40' height='20'><circle cx='5' cy='5' r='4'/></svg>");
  TestEditorDelegate holderDelegate;
  auto holder = std::make_unique<RecordingCanvas>(holderDelegate);
  const int live = CountedBitmap::Live();
  std::atomic<const void*> firstBitmap{nullptr}, firstSvg{nullptr};
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      TestEditorDelegate dlg;
      for (int i = 0; i < 50; ++i) {
        RecordingCanvas ui(dlg);
        const void* b = ui.LoadBitmap("knob.png", 1, false, 2).GetAPIBitmap(); // scaled through a layer
        const void* s = ui.LoadSVG("logo.svg").GetImage();
        const void* none = nullptr;
        firstBitmap.compare_exchange_strong(none, b);
        none = nullptr;
        firstSvg.compare_exchange_strong(none, s);
        mismatches += !b || !s || b != firstBitmap.load() || s != firstSvg.load();
      }
    });
  for (auto& t : threads)
    t.join();
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(CountedBitmap::Live(), live + 1);
  holder.reset();
  EXPECT_EQ(CountedBitmap::Live(), live);
}
