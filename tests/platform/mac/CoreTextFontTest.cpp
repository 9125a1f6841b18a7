#include "platform/mac/CoreTextFont.h"

#include "platform/mac/system/Bundle.h"
#include "platform/mac/system/FontRegistry.h"
#include "support/ui/FontFiles.h"
#include "support/ui/ScopedSystemFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plugin::ui;
using namespace fonttest;
namespace sys = plugin::sys;

namespace {

constexpr const char* kBundleID = "test.fonts.kelmo";

// What a test checks of a loaded font and its font data.
struct FontSummary
{
  bool loaded = false;
  bool system = false;
  std::string style, family, descriptorStyle;
  bool hasUrl = false;
  int faceIndex = 0;
  bool valid = false;
  std::string dataStyle;

  bool operator==(const FontSummary&) const = default;
};

std::ostream& operator<<(std::ostream& os, const FontSummary& s)
{
  return os << "{loaded " << s.loaded << ", system " << s.system << ", style '" << s.style
            << "', descriptor '" << s.family << "'/'" << s.descriptorStyle << "' url " << s.hasUrl
            << ", face " << s.faceIndex << ", valid " << s.valid << ", data style '" << s.dataStyle << "'}";
}

FontSummary Summarise(const std::unique_ptr<CoreTextFont>& font)
{
  if (!font) return {};
  const auto data = font->GetFontData();
  const auto& d = *font->GetDescriptor();
  return {true,          font->IsSystem(), font->GetStyle(), d.FamilyName(),    d.StyleName(),
          bool(d.Url()), data->mFaceIndex, data->IsValid(),  data->mStyle.Get()};
}

const FontSummary kNone{};

FontSummary FileFont(const char* family, const char* style)
{
  return {true, false, "", family, style, false, 0, true, style};
}

FontSummary SystemFont(const char* family, const char* style, int face = 0)
{
  return {true, true, style, family, style, true, face, true, style};
}

class CoreTextFontTest : public ::testing::Test
{
protected:
  CoreTextFontTest()
  {
    const std::string bundle = mFolders.Root() + "/Kelmo.vst3";
    mResources = bundle + "/Contents/Resources";
    mShared = mFolders.Home() + "/Music/Sub/Resources";
    std::filesystem::create_directories(mResources);
    std::filesystem::create_directories(mShared);
    for (const char* file : {"Roboto-Regular.ttf", "Lato-Bold.ttf"})
      WriteFile(mResources + "/" + file, ReadFile(DebianFontPath(file)));
    WriteFile(mResources + "/Broken.ttf", Ascii("\x00\x01\x00\x00 but nothing else"));
    WriteFile(mShared + "/DejaVuSans.ttf", ReadFile(DebianFontPath("DejaVuSans.ttf")));
    sys::Bundle::Register(kBundleID, bundle.c_str(), "");
  }
  ~CoreTextFontTest() override
  {
    sys::Bundle::Unregister(kBundleID);
    sys::FontRegistry::Shared().SetFolders({});
  }

  ScopedSystemFolders mFolders;
  std::string mResources, mShared;
};

} // namespace

TEST_F(CoreTextFontTest, FromFileFoundAsAResource)
{
  const std::string absolute = DebianFontPath("Lato-Regular.ttf");
  struct Case
  {
    const char* file;
    const char* sub;
    FontSummary expected;
  };
  const Case cases[] = {
      {"Roboto-Regular.ttf", "", FileFont("Roboto", "Regular")},
      {"LATO-BOLD.TTF", "", FileFont("Lato", "Bold")},
      {"DejaVuSans.ttf", "Sub", FileFont("DejaVu Sans", "Book")},
      {"DejaVuSans.ttf", "", kNone},
      {absolute.c_str(), "", FileFont("Lato", "Regular")},
      {"Roboto-Regular", "", kNone},
      {"Roboto-Regular.otf", "", kNone},
      {"Broken.ttf", "", kNone},
      {"Missing.ttf", "Sub", kNone},
      {"", "", kNone},
      {nullptr, "", kNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Summarise(LoadCoreTextFontFromFile("id", c.file, kBundleID, c.sub)), c.expected)
        << (c.file ? c.file : "null");

  const auto font = LoadCoreTextFontFromFile("Roboto-Regular", "Roboto-Regular.ttf", kBundleID, "");
  ASSERT_NE(font, nullptr);
  const auto data = font->GetFontData();
  EXPECT_EQ(Bytes(data->GetBytes(), data->GetBytes() + data->GetSize()),
            ReadFile(mResources + "/Roboto-Regular.ttf"));
}

TEST_F(CoreTextFontTest, FromMemoryKeepsItsOwnCopy)
{
  Bytes lato = ReadFile(DebianFontPath("Lato-Bold.ttf"));
  const Bytes original = lato;
  const auto font = LoadCoreTextFontFromMemory("Lato-Bold", lato.data(), static_cast<int>(lato.size()));
  EXPECT_EQ(Summarise(font), FileFont("Lato", "Bold"));
  std::fill(lato.begin(), lato.end(), 0); // the caller's block may change or go
  const auto data = font->GetFontData();
  EXPECT_TRUE(data->IsValid());
  EXPECT_EQ(Bytes(data->GetBytes(), data->GetBytes() + data->GetSize()), original);

  const Bytes cut(original.begin(), original.begin() + 5000);
  const char garbage[] = "garbage";
  EXPECT_EQ(LoadCoreTextFontFromMemory("x", original.data(), 0), nullptr);
  EXPECT_EQ(LoadCoreTextFontFromMemory("x", original.data(), -1), nullptr);
  EXPECT_EQ(LoadCoreTextFontFromMemory("x", nullptr, 100), nullptr);
  EXPECT_EQ(LoadCoreTextFontFromMemory("x", garbage, sizeof garbage), nullptr);
  EXPECT_EQ(LoadCoreTextFontFromMemory("x", cut.data(), static_cast<int>(cut.size())), nullptr);
}

TEST_F(CoreTextFontTest, ByNameAmongInstalledFonts)
{
  sys::FontRegistry::Shared().SetFolders(DebianFontFolders());
  struct Case
  {
    const char* family;
    ETextStyle style;
    FontSummary expected;
  };
  const Case cases[] = {
      {"Lato", ETextStyle::Bold, SystemFont("Lato", "Bold")},
      {"Roboto", ETextStyle::Italic, SystemFont("Roboto", "Italic")},
      {"Roboto", ETextStyle::Normal, SystemFont("Roboto", "Regular")},
      {"Lato", static_cast<ETextStyle>(7), SystemFont("Lato", "Regular")},
      {"DejaVu Sans", ETextStyle::Normal, kNone}, // its regular face is called "Book"
      {"Nowhere Sans", ETextStyle::Bold, kNone},
      {"", ETextStyle::Bold, kNone},
      {nullptr, ETextStyle::Bold, kNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Summarise(LoadCoreTextFontByName("id", c.family, c.style)), c.expected)
        << (c.family ? c.family : "null");
}

TEST_F(CoreTextFontTest, ByNamePicksTheFaceOfACollectionAndSkipsUnreadableFiles)
{
  TempFolder installed;
  WriteFile(installed / "Pair.ttc", MakeCollection({ReadFile(DebianFontPath("Lato-Regular.ttf")),
                                                    ReadFile(DebianFontPath("Lato-Bold.ttf"))}));
  sys::FontRegistry::Shared().SetFolders({installed.Path()});
  EXPECT_EQ(Summarise(LoadCoreTextFontByName("id", "Lato", ETextStyle::Bold)), SystemFont("Lato", "Bold", 1));
  EXPECT_EQ(Summarise(LoadCoreTextFontByName("id", "Lato", ETextStyle::Normal)),
            SystemFont("Lato", "Regular", 0));

  // The first match's file went away after the fonts were listed: the next match wins.
  sys::FontRegistry::Shared().SetFolders({installed.Path(), DebianFontFolders()[1]});
  ASSERT_EQ(sys::FontRegistry::Shared().Match("Lato", "Bold").size(), 2u);
  std::filesystem::remove(installed / "Pair.ttc");
  const auto font = LoadCoreTextFontByName("id", "Lato", ETextStyle::Bold);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->GetDescriptor()->Url()->path, DebianFontPath("Lato-Bold.ttf"));
}
