#include "platform/mac/system/FontDataProvider.h"
#include "platform/mac/system/GraphicsFont.h"
#include "platform/mac/system/TextFont.h"

#include "engine/presets/TempFolder.h"
#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace plugin::sys;
using namespace fonttest;

namespace {

Bytes Copied(const FontDataProvider& provider)
{
  plugin::HeapBuf copy;
  EXPECT_TRUE(provider.CopyData(copy));
  const uint8_t* p = static_cast<const uint8_t*>(copy.Get());
  return Bytes(p, p + copy.GetSize());
}

std::shared_ptr<FontDataProvider> FileProvider(const std::string& path)
{
  return FontDataProvider::CreateWithUrl(*FileUrl::FromPath(path.c_str()));
}

} // namespace

TEST(FontDataProvider, FileProviderHoldsTheFileBytes)
{
  const std::string path = DebianFontPath("Roboto-Regular.ttf");
  const auto provider = FileProvider(path);
  ASSERT_NE(provider, nullptr);
  EXPECT_EQ(Copied(*provider), ReadFile(path));
  EXPECT_EQ(provider->Size(), ReadFile(path).size());

  TempFolder folder;
  WriteFile(folder / "empty.ttf", {});
  EXPECT_EQ(FileProvider(folder / "empty.ttf"), nullptr);
  EXPECT_EQ(FileProvider(folder / "missing.ttf"), nullptr);
  EXPECT_EQ(FileProvider(folder.Path()), nullptr);
  EXPECT_EQ(FontDataProvider::CreateWithUrl(FileUrl{folder.Path(), true}), nullptr);
  EXPECT_FALSE(FileUrl::FromPath(""));
  EXPECT_FALSE(FileUrl::FromPath(nullptr));
}

TEST(FontDataProvider, MemoryProviderReleasesItsBlockOnceWhenTheLastReferenceGoes)
{
  struct Release
  {
    int calls = 0;
    const void* data = nullptr;
    size_t size = 0;
  } release;
  const uint8_t block[5] = {1, 2, 3, 4, 5};
  auto provider = FontDataProvider::CreateWithData(&release, block, sizeof block,
                                                   [](void* info, const void* data, size_t size) {
                                                     auto* r = static_cast<Release*>(info);
                                                     ++r->calls, r->data = data, r->size = size;
                                                   });
  ASSERT_NE(provider, nullptr);
  EXPECT_EQ(Copied(*provider), Bytes(block, block + 5));
  auto second = provider;
  provider.reset();
  EXPECT_EQ(release.calls, 0);
  second.reset();
  EXPECT_EQ(release.calls, 1);
  EXPECT_EQ(release.data, block);
  EXPECT_EQ(release.size, 5u);

  EXPECT_EQ(FontDataProvider::CreateWithData(&release, nullptr, 5, nullptr), nullptr);
  const auto empty = FontDataProvider::CreateWithData(nullptr, block, 0, nullptr);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(Copied(*empty).empty());
}

TEST(GraphicsFont, UsableFacesGiveFontsWithTheirNames)
{
  struct Case
  {
    const char* file;
    const char* family;
    const char* style;
  };
  const Case cases[] = {
      {"Roboto-Regular.ttf", "Roboto", "Regular"},
      {"Lato-Bold.ttf", "Lato", "Bold"},
      {"DejaVuSans-Oblique.ttf", "DejaVu Sans", "Oblique"},
  };
  for (const Case& c : cases) {
    const auto font = GraphicsFont::CreateWithDataProvider(FileProvider(DebianFontPath(c.file)));
    ASSERT_NE(font, nullptr) << c.file;
    EXPECT_EQ(font->FamilyName(), c.family);
    EXPECT_EQ(font->StyleName(), c.style);
    ASSERT_NE(font->DataProvider(), nullptr);
  }
  EXPECT_EQ(GraphicsFont::CreateWithDataProvider(nullptr), nullptr);
  static const char kText[] = "not a font at all, just some text";
  EXPECT_EQ(GraphicsFont::CreateWithDataProvider(
                FontDataProvider::CreateWithData(nullptr, kText, sizeof kText, nullptr)),
            nullptr);
}

TEST(TextFont, SizeAndDescriptor)
{
  const auto graphics = GraphicsFont::CreateWithDataProvider(FileProvider(DebianFontPath("Lato-Bold.ttf")));
  ASSERT_NE(graphics, nullptr);
  const std::pair<double, double> sizes[] = {{0, 12}, {-3, 12}, {NAN, 12}, {15.5, 15.5}};
  for (const auto& [asked, given] : sizes) {
    const auto font = TextFont::CreateWithGraphicsFont(graphics, asked);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Size(), given) << asked;
  }
  const auto descriptor = TextFont::CreateWithGraphicsFont(graphics, 0)->CopyFontDescriptor();
  ASSERT_NE(descriptor, nullptr);
  EXPECT_EQ(descriptor->FamilyName(), "Lato");
  EXPECT_EQ(descriptor->StyleName(), "Bold");
  EXPECT_FALSE(descriptor->Url());
  EXPECT_EQ(TextFont::CreateWithGraphicsFont(nullptr, 12), nullptr);
}
