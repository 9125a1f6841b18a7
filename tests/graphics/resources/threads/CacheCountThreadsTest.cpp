#include "graphics/resources/ResourceCaches.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

// Editors of several plug-in instances open and close on their own threads at once: the counts
// stay consistent and the shared cache lives as long as one context does.
TEST(ResourceCachesThreads, ContextsMadeAndDestroyedOnManyThreads)
{
  constexpr int kThreads = 4;
  constexpr int kRounds = 200;
  TestEditorDelegate holderDelegate;
  auto holder = std::make_unique<RecordingCanvas>(holderDelegate);
  const int live = CountedBitmap::Live();
  {
    std::lock_guard lock(BitmapCache().Mutex());
    BitmapCache().Add(new CountedBitmap(1, 4, 4, 1.f, 1.f), "kept.png", 1.0);
  }

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([] {
      TestEditorDelegate dlg;
      for (int i = 0; i < kRounds; ++i) {
        RecordingCanvas ui(dlg);
        std::lock_guard bitmapLock(BitmapCache().Mutex());
        std::lock_guard svgLock(SVGCache().Mutex());
        EXPECT_NE(BitmapCache().Find("kept.png", 1.0), nullptr);
        EXPECT_EQ(BitmapCache().InstanceCount(), SVGCache().InstanceCount());
        EXPECT_GE(BitmapCache().InstanceCount(), 2);
      }
    });
  for (std::thread& t : threads)
    t.join();

  EXPECT_EQ(BitmapCache().InstanceCount(), 1);
  EXPECT_EQ(SVGCache().InstanceCount(), 1);
  EXPECT_EQ(CountedBitmap::Live(), live + 1);
  holder.reset();
  EXPECT_EQ(CountedBitmap::Live(), live);
}
