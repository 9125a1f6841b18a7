#include "platform/mac/FontDescriptorCache.h"

#include "platform/mac/CoreTextFont.h"
#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

using namespace plugin::ui;

namespace {

std::unique_ptr<CoreTextFont> Load(const char* file)
{
  const fonttest::Bytes bytes = fonttest::ReadDebianFont(file);
  return LoadCoreTextFontFromMemory(file, bytes.data(), int(bytes.size()));
}

const FontDescriptorEntry* Find(const char* fontID)
{
  IText text;
  text.SetFont(fontID);
  return FindCachedFontDescriptor(&text, SharedFontDescriptorCache());
}

} // namespace

TEST(FontDescriptorCache, KeyAndEmRatio)
{
  plugin::StringBuf key;
  FontDescriptorCache::FormatKey("Roboto-Regular", 1.0, key);
  EXPECT_STREQ(key.Get(), "Roboto-Regular-1.0x");
  const std::tuple<int, int, int, double> cases[] = {
      {2048, 1900, -500, 2048.0 / 2400}, {1000, 800, 800, 1.0}, {1000, 0, 0, 1.0},
      {65535, -1, 1, -65535.0 / 2},      {0, 10, -10, 0.0},     {1000, 32767, -32768, 1000.0 / 65535},
  };
  for (const auto& [upem, ascender, descender, ratio] : cases)
    EXPECT_DOUBLE_EQ(FontEmRatio(uint16_t(upem), int16_t(ascender), int16_t(descender)), ratio) << upem;
}

TEST(FontDescriptorCache, OneEntryPerFontIdUntilTheLastContextGoes)
{
  FontDescriptorCache& cache = SharedFontDescriptorCache();
  RetainFontDescriptorCache(); // two editors are open
  RetainFontDescriptorCache();
  std::weak_ptr<const plugin::sys::FontDescriptor> first;
  {
    const auto a = Load("Roboto-Regular.ttf"), b = Load("Roboto-Regular.ttf"), lato = Load("Lato-Bold.ttf");
    first = a->GetDescriptor();
    CacheCoreTextFont("Roboto-Regular", a.get(), cache);
    CacheCoreTextFont("Roboto-Regular", b.get(), cache);
    CacheCoreTextFont("Lato-Bold", lato.get(), cache);
    CacheCoreTextFont(nullptr, lato.get(), cache);
    CacheCoreTextFont("Null", nullptr, cache);
    PlatformFont foreign;
    CacheCoreTextFont("Foreign", &foreign, cache);
  }
  EXPECT_EQ(cache.NEntries(), 2);
  ASSERT_NE(Find("Roboto-Regular"), nullptr);
  EXPECT_EQ(Find("Roboto-Regular")->mDescriptor, first.lock()); // the first font's, kept alive by the entry
  EXPECT_DOUBLE_EQ(Find("Roboto-Regular")->mEMRatio, 2048.0 / 2400);
  EXPECT_DOUBLE_EQ(Find("Lato-Bold")->mEMRatio, 2000.0 / 2400);
  EXPECT_EQ(Find("Lato-Regular"), nullptr);
  EXPECT_EQ(FindCachedFontDescriptor(nullptr, cache), nullptr);

  ReleaseFontDescriptorCache(); // one editor closes
  EXPECT_EQ(cache.NEntries(), 2);
  ReleaseFontDescriptorCache(); // the last one closes
  EXPECT_EQ(cache.NEntries(), 0);
  EXPECT_TRUE(first.expired());
}
