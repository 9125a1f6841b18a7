#include "platform/mac/system/FontRegistry.h"

#include "platform/mac/system/PathString.h"
#include "support/ui/FontFiles.h"
#include "support/ui/ScopedSystemFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plugin::sys;
using namespace fonttest;

namespace {

class FontRegistryTest : public ::testing::Test
{
protected:
  ~FontRegistryTest() override { FontRegistry::Shared().SetFolders({}); }

  // "<file name>#<face>" of each descriptor.
  static std::vector<std::string> Names(const std::vector<std::shared_ptr<const FontDescriptor>>& fonts)
  {
    std::vector<std::string> names;
    for (const auto& f : fonts)
      names.push_back(LastPathComponent(f->Url() ? f->Url()->path : "<no url>") + "#" +
                      std::to_string(f->FaceIndex()));
    return names;
  }

  ScopedSystemFolders mFolders;
};

} // namespace

TEST_F(FontRegistryTest, MatchesFamilyAndStyleOfInstalledFonts)
{
  FontRegistry::Shared().SetFolders(DebianFontFolders());
  struct Case
  {
    const char* family;
    const char* style;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"Lato", "Bold", {"Lato-Bold.ttf#0"}},
      {"LATO", "Bold", {"Lato-Bold.ttf#0"}},
      {"Lato", "bold", {}},
      {"Roboto", "Regular", {"Roboto-Regular.ttf#0"}},
      {"Roboto", "Italic", {"Roboto-Italic.ttf#0"}},
      {"DejaVu Sans", "Book", {"DejaVuSans.ttf#0"}},
      {"DejaVu Sans", "Regular", {}},
      {"Nowhere Sans", "Regular", {}},
      {"", "Bold", {}},
      {"Lato", "", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Names(FontRegistry::Shared().Match(c.family, c.style)), c.expected)
        << c.family << "/" << c.style;

  const auto lato = FontRegistry::Shared().Match("Lato", "Bold").front();
  EXPECT_EQ(lato->Url()->path, DebianFontPath("Lato-Bold.ttf"));
  EXPECT_EQ(lato->FamilyName(), "Lato");
  EXPECT_EQ(lato->StyleName(), "Bold");
  const auto viaDescriptor =
      FontDescriptor({"Lato", "Bold", std::nullopt, 0}).CreateMatchingFontDescriptors();
  ASSERT_EQ(viaDescriptor.size(), 1u);
  EXPECT_EQ(viaDescriptor.front(), lato); // the registry's own descriptor, shared
}

TEST_F(FontRegistryTest, ScansSubFoldersCollectionsAndAnyCaseOfExtension)
{
  TempFolder fonts;
  std::filesystem::create_directories(fonts / "sub/deep");
  WriteFile(fonts / "Pair.TTC", MakeCollection({ReadFile(DebianFontPath("Lato-Regular.ttf")),
                                                ReadFile(DebianFontPath("Lato-Bold.ttf"))}));
  WriteFile(fonts / "sub/deep/Roboto-Bold.Ttf", ReadFile(DebianFontPath("Roboto-Bold.ttf")));
  WriteFile(fonts / "garbage.ttf", Ascii("garbage, not a font"));
  const Bytes italic = ReadFile(DebianFontPath("Lato-Italic.ttf"));
  WriteFile(fonts / "cut.ttf", Bytes(italic.begin(), italic.begin() + 1000));
  WriteFile(fonts / "font.txt", ReadFile(DebianFontPath("Lato-Thin.ttf")));
  FontRegistry::Shared().SetFolders({fonts.Path(), fonts / "missing"});

  EXPECT_EQ(Names(FontRegistry::Shared().Fonts()),
            (std::vector<std::string>{"Pair.TTC#0", "Pair.TTC#1", "Roboto-Bold.Ttf#0"}));
  EXPECT_EQ(Names(FontRegistry::Shared().Match("Lato", "Bold")), std::vector<std::string>{"Pair.TTC#1"});
}

TEST_F(FontRegistryTest, DefaultFoldersLieUnderHomeAndRootAndFolderChangesRescan)
{
  EXPECT_EQ(FontRegistry::DefaultFolders(),
            (std::vector<std::string>{mFolders.Home() + "/Library/Fonts", mFolders.Root() + "/Library/Fonts",
                                      mFolders.Root() + "/System/Library/Fonts"}));
  FontRegistry::Shared().SetFolders({});
  EXPECT_EQ(FontRegistry::Shared().Folders(), FontRegistry::DefaultFolders());
  EXPECT_TRUE(FontRegistry::Shared().Fonts().empty());

  std::filesystem::create_directories(mFolders.Home() + "/Library/Fonts");
  WriteFile(mFolders.Home() + "/Library/Fonts/Lato-Bold.ttf", ReadFile(DebianFontPath("Lato-Bold.ttf")));
  FontRegistry::Shared().SetFolders({DebianFontFolders()[1]});
  EXPECT_EQ(FontRegistry::Shared().Match("Lato", "Bold").front()->Url()->path,
            DebianFontPath("Lato-Bold.ttf"));
  FontRegistry::Shared().SetFolders({});
  EXPECT_EQ(FontRegistry::Shared().Match("Lato", "Bold").front()->Url()->path,
            mFolders.Home() + "/Library/Fonts/Lato-Bold.ttf");
}
