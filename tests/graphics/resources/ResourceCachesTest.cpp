#include "graphics/resources/ResourceCaches.h"
#include "graphics/svg/SvgImage.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <memory>

using namespace plugin::ui;
using namespace plugin::ui::test;

TEST(StaticStorage, KeysLookupsAndRemoval)
{
  plugin::StringBuf key;
  StaticStorage<APIBitmap>::FormatKey("knob.png", 2.0, key);
  EXPECT_STREQ(key.Get(), "knob.png-2.0x");

  const int before = CountedBitmap::Live();
  {
    StaticStorage<APIBitmap> cache;
    auto* a1 = new CountedBitmap(1, 10, 10, 1.f, 1.f);
    auto* a2 = new CountedBitmap(2, 20, 20, 2.f, 1.f);
    auto* again = new CountedBitmap(3, 10, 10, 1.f, 1.f);
    cache.Add(a1, "a", 1.0);
    cache.Add(a2, "a", 2.0);
    cache.Add(again, "a", 1.0); // no lookup first: a second entry under the same key
    EXPECT_EQ(cache.Find("a", 1.0), a1);
    EXPECT_EQ(cache.Find("a", 2.0), a2);
    EXPECT_EQ(cache.Find("a", 3.0), nullptr);
    EXPECT_EQ(cache.Find("b", 1.0), nullptr);
    cache.Remove(a1);
    EXPECT_EQ(cache.Find("a", 1.0), again);
    EXPECT_EQ(CountedBitmap::Live(), before + 2);
    cache.Retain();
    cache.Retain();
    cache.Release();
    EXPECT_EQ(cache.NEntries(), 2);
    cache.Release(); // the last user empties the cache
    EXPECT_EQ(cache.NEntries(), 0);
    EXPECT_EQ(CountedBitmap::Live(), before);
    cache.Add(new CountedBitmap(4, 1, 1, 1.f, 1.f), "left", 1.0);
  }
  EXPECT_EQ(CountedBitmap::Live(), before); // destroying the storage frees what it still holds
}

TEST(ResourceCaches, CountsFollowContextsAndTheLastOneEmptiesBoth)
{
  TestEditorDelegate dlg;
  const int live = CountedBitmap::Live();
  auto first = std::make_unique<RecordingCanvas>(dlg);
  auto second = std::make_unique<RecordingCanvas>(dlg);
  {
    std::lock_guard lock(BitmapCache().Mutex());
    EXPECT_EQ(BitmapCache().InstanceCount(), 2);
    BitmapCache().Add(new CountedBitmap(1, 4, 4, 1.f, 1.f), "shared.png", 1.0);
  }
  {
    std::lock_guard lock(SVGCache().Mutex());
    EXPECT_EQ(SVGCache().InstanceCount(), 2);
    SvgImage* image = SvgParse("<svg width='40' height='20'/>", "px", 72.f);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(ISVG(image).W(), 40.f);
    SVGCache().Add(new SVGHolder(image), "shared.svg", 1.0); // freed with the last context (ASan checks)
  }
  first.reset();
  EXPECT_EQ(CountedBitmap::Live(), live + 1);
  EXPECT_EQ(SVGCache().NEntries(), 1);
  second.reset();
  EXPECT_EQ(CountedBitmap::Live(), live);
  EXPECT_EQ(BitmapCache().InstanceCount(), 0);
  EXPECT_EQ(SVGCache().NEntries(), 0);
}
