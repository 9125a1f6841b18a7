#include "platform/mac/CoreTextFont.h"
#include "platform/mac/FontDescriptorCache.h"

#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace plugin::ui;

// Editors of several plug-in instances open, cache their fonts, look them up and close at once.
TEST(FontDescriptorCacheThreads, EditorsOpenCacheAndCloseConcurrently)
{
  const fonttest::Bytes roboto = fonttest::ReadFile(fonttest::DebianFontPath("Roboto-Regular.ttf"));
  const fonttest::Bytes lato = fonttest::ReadFile(fonttest::DebianFontPath("Lato-Bold.ttf"));
  std::atomic<int> misses{0};
  std::vector<std::thread> editors;
  for (int t = 0; t < 4; ++t)
    editors.emplace_back([&, t] {
      for (int i = 0; i < 10; ++i) {
        RetainFontDescriptorCache();
        const fonttest::Bytes& bytes = (t + i) % 2 ? roboto : lato;
        const char* id = (t + i) % 2 ? "Roboto-Regular" : "Lato-Bold";
        const auto font = LoadCoreTextFontFromMemory(id, bytes.data(), static_cast<int>(bytes.size()));
        CacheCoreTextFont(id, font.get(), SharedFontDescriptorCache());
        IText text;
        text.SetFont(id);
        if (!FindCachedFontDescriptor(&text, SharedFontDescriptorCache())) ++misses;
        ReleaseFontDescriptorCache();
      }
    });
  for (auto& e : editors)
    e.join();
  EXPECT_EQ(misses.load(), 0);
  EXPECT_EQ(SharedFontDescriptorCache().InstanceCount(), 0);
  EXPECT_EQ(SharedFontDescriptorCache().NEntries(), 0);
}
