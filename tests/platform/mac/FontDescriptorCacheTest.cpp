#include "platform/mac/FontDescriptorCache.h"

#include "platform/mac/CoreTextFont.h"
#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

using namespace plugin::ui;
using namespace fonttest;

namespace {

// One editor's worth of the cache: retained for the test, released after.
class FontDescriptorCacheTest : public ::testing::Test
{
protected:
  FontDescriptorCacheTest() { RetainFontDescriptorCache(); }
  ~FontDescriptorCacheTest() override { ReleaseFontDescriptorCache(); }

  static std::unique_ptr<CoreTextFont> Load(const char* file)
  {
    const Bytes bytes = ReadFile(DebianFontPath(file));
    return LoadCoreTextFontFromMemory(file, bytes.data(), static_cast<int>(bytes.size()));
  }

  static IText TextIn(const char* font)
  {
    IText text;
    text.SetFont(font);
    return text;
  }

  FontDescriptorCache& mCache = SharedFontDescriptorCache();
};

class NotACoreTextFont : public PlatformFont
{};

} // namespace

TEST(FontDescriptorCacheKeys, KeyAndEmRatio)
{
  plugin::StringBuf key;
  FontDescriptorCache::FormatKey("Roboto-Regular", 1.0, key);
  EXPECT_STREQ(key.Get(), "Roboto-Regular-1.0x");

  struct Case
  {
    uint16_t upem;
    int16_t ascender, descender;
    double ratio;
  };
  const Case cases[] = {
      {2048, 1900, -500, 2048.0 / 2400},
      {2000, 1974, -426, 2000.0 / 2400},
      {1000, 800, 800, 1.0},
      {1000, 0, 0, 1.0},
      {65535, -1, 1, -65535.0 / 2},
      {0, 10, -10, 0.0},
      {1000, 32767, -32768, 1000.0 / 65535},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(FontEmRatio(c.upem, c.ascender, c.descender), c.ratio) << c.upem << " " << c.ascender;
}

TEST_F(FontDescriptorCacheTest, OneEntryPerFontId)
{
  const auto first = Load("Roboto-Regular.ttf");
  const auto second = Load("Roboto-Regular.ttf");
  ASSERT_TRUE(first && second);
  CacheCoreTextFont("Roboto-Regular", first.get(), mCache);
  CacheCoreTextFont("Roboto-Regular", second.get(), mCache);
  EXPECT_EQ(mCache.NEntries(), 1);

  const IText roboto = TextIn("Roboto-Regular");
  const FontDescriptorEntry* entry = FindCachedFontDescriptor(&roboto, mCache);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->mDescriptor, first->GetDescriptor()); // the first font's, retained
  EXPECT_DOUBLE_EQ(entry->mEMRatio, 2048.0 / 2400);

  const IText never = TextIn("Lato-Bold");
  EXPECT_EQ(FindCachedFontDescriptor(&never, mCache), nullptr);
  EXPECT_EQ(FindCachedFontDescriptor(nullptr, mCache), nullptr);

  const auto lato = Load("Lato-Bold.ttf");
  CacheCoreTextFont("Lato-Bold", lato.get(), mCache);
  ASSERT_NE(FindCachedFontDescriptor(&never, mCache), nullptr);
  EXPECT_DOUBLE_EQ(FindCachedFontDescriptor(&never, mCache)->mEMRatio, 2000.0 / 2400);
  EXPECT_EQ(mCache.NEntries(), 2);
}

TEST_F(FontDescriptorCacheTest, NothingCachedForANullIdOrAForeignFont)
{
  const auto font = Load("Lato-Bold.ttf");
  NotACoreTextFont foreign;
  CacheCoreTextFont(nullptr, font.get(), mCache);
  CacheCoreTextFont("Foreign", &foreign, mCache);
  CacheCoreTextFont("Null", nullptr, mCache);
  EXPECT_EQ(mCache.NEntries(), 0);
}

TEST_F(FontDescriptorCacheTest, EmptiedWhenTheLastContextGoes)
{
  std::weak_ptr<const plugin::sys::FontDescriptor> descriptor;
  {
    const auto font = Load("Roboto-Regular.ttf");
    descriptor = font->GetDescriptor();
    CacheCoreTextFont("Roboto-Regular", font.get(), mCache);
  }
  EXPECT_FALSE(descriptor.expired()); // the entry retains it after the font is gone

  RetainFontDescriptorCache();  // a second editor opens
  ReleaseFontDescriptorCache(); // and closes: the first still uses the cache
  EXPECT_EQ(mCache.NEntries(), 1);

  ReleaseFontDescriptorCache(); // the last editor closes
  EXPECT_EQ(mCache.NEntries(), 0);
  EXPECT_TRUE(descriptor.expired());
  RetainFontDescriptorCache(); // a new editor starts from an empty cache
  EXPECT_EQ(mCache.InstanceCount(), 1);
  EXPECT_EQ(mCache.NEntries(), 0);
}
