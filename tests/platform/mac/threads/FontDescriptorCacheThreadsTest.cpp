#include "platform/mac/CoreTextFont.h"
#include "platform/mac/FontDescriptorCache.h"

#include "platform/mac/system/FontRegistry.h"
#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

using namespace plugin::ui;

// Editors of several plug-in instances open, load fonts from files and installed fonts, cache them,
// look them up and close, all at once.
TEST(FontDescriptorCacheThreads, EditorsOpenCacheAndCloseConcurrently)
{
  // Checked here: a font missing inside a thread would end the process rather than the test.
  fonttest::RequireDebianFont("Lato-Bold.ttf");
  const std::string lato =
      std::filesystem::path(fonttest::RequireDebianFont("Lato-Regular.ttf")).parent_path();
  plugin::sys::FontRegistry::Shared().SetFolders({lato});
  std::atomic<int> misses{0};
  std::vector<std::thread> editors;
  for (int t = 0; t < 4; ++t)
    editors.emplace_back([&, t] {
      for (int i = 0; i < 8; ++i) {
        RetainFontDescriptorCache();
        const bool byName = (t + i) % 2;
        const char* id = byName ? "Lato-Bold" : "Lato-Regular";
        const auto font =
            byName ? LoadCoreTextFontByName(id, "Lato", ETextStyle::Bold)
                   : LoadCoreTextFontFromFile(id, (lato + "/Lato-Regular.ttf").c_str(), "no.bundle", "");
        CacheCoreTextFont(id, font.get(), SharedFontDescriptorCache());
        IText text;
        text.SetFont(id);
        misses += !FindCachedFontDescriptor(&text, SharedFontDescriptorCache());
        ReleaseFontDescriptorCache();
      }
    });
  for (auto& e : editors)
    e.join();
  plugin::sys::FontRegistry::Shared().SetFolders({});
  EXPECT_EQ(misses.load(), 0);
  EXPECT_EQ(SharedFontDescriptorCache().NEntries(), 0);
}
