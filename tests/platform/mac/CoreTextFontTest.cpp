#include "platform/mac/CoreTextFont.h"

#include "platform/mac/MacPaths.h"
#include "platform/mac/system/Bundle.h"
#include "platform/mac/system/FontRegistry.h"
#include "support/ui/FontFiles.h"
#include "support/ui/ScopedResourceLocator.h"
#include "support/ui/ScopedSystemFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plugin::ui;
using namespace fonttest;
namespace sys = plugin::sys;

namespace {

// "family/style system style face valid" of a font's descriptor and data; "null" without a font.
std::string Describe(const std::unique_ptr<CoreTextFont>& font)
{
  if (!font) return "null";
  const auto data = font->GetFontData();
  return font->GetDescriptor()->FamilyName() + "/" + font->GetDescriptor()->StyleName() + " " +
         std::to_string(font->IsSystem()) + " " + font->GetStyle() + " " + std::to_string(data->mFaceIndex) +
         " " + std::to_string(data->IsValid());
}

} // namespace

TEST(CoreTextFont, FromFileAndFromMemory)
{
  ScopedSystemFolders folders;
  const test::ScopedResourceLocator locator(&MacLocateResource); // the bundle, the shared folder, the path
  const std::string res = folders.Root() + "/K.vst3/Contents/Resources",
                    shared = folders.Home() + "/Music/Sub/Resources";
  std::filesystem::create_directories(res);
  std::filesystem::create_directories(shared);
  WriteFile(res + "/Roboto-Regular.ttf", ReadDebianFont("Roboto-Regular.ttf"));
  WriteFile(res + "/Broken.ttf", Ascii(std::string("\0\1\0\0 and nothing else", 22)));
  WriteFile(shared + "/DejaVuSans.ttf", ReadDebianFont("DejaVuSans.ttf"));
  sys::Bundle::Register("test.fonts", (folders.Root() + "/K.vst3").c_str(), "");
  const std::string absolute = RequireDebianFont("Lato-Regular.ttf");
  const std::pair<const char*, const char*> files[] = {
      {"ROBOTO-REGULAR.TTF", "Roboto/Regular 0  0 1"},
      {"DejaVuSans.ttf", "DejaVu Sans/Book 0  0 1"},
      {absolute.c_str(), "Lato/Regular 0  0 1"},
      {"Roboto-Regular", "null"},
      {"Broken.ttf", "null"},
      {nullptr, "null"},
  };
  for (const auto& [file, expected] : files)
    EXPECT_EQ(Describe(LoadCoreTextFontFromFile("id", file, "test.fonts", "Sub")), expected);
  EXPECT_EQ(LoadCoreTextFontFromFile("id", "DejaVuSans.ttf", "test.fonts", ""), nullptr);
  sys::Bundle::Unregister("test.fonts");

  Bytes lato = ReadDebianFont("Lato-Bold.ttf");
  const Bytes original = lato;
  const auto font = LoadCoreTextFontFromMemory("Lato-Bold", lato.data(), int(lato.size()));
  EXPECT_EQ(Describe(font), "Lato/Bold 0  0 1");
  std::fill(lato.begin(), lato.end(), 0); // the font keeps its own copy
  const auto data = font->GetFontData();
  EXPECT_TRUE(data->GetSize() == int(original.size()) &&
              std::equal(original.begin(), original.end(), data->GetBytes()));
  for (int size : {0, -1, 5000})
    EXPECT_EQ(LoadCoreTextFontFromMemory("x", original.data(), size), nullptr) << size;
  EXPECT_EQ(LoadCoreTextFontFromMemory("x", nullptr, 100), nullptr);
}

// Installed fonts come from the font folders and their sub-folders, collections and extensions in
// any case included, damaged files and other extensions left out.
TEST(CoreTextFont, ByNameAmongInstalledFonts)
{
  ScopedSystemFolders folders;
  const std::string fonts = folders.Home() + "/Library/Fonts";
  std::filesystem::create_directories(fonts + "/sub");
  const Bytes lato = ReadDebianFont("Lato-Regular.ttf");
  WriteFile(fonts + "/sub/Pair.TTC", MakeCollection({lato, ReadDebianFont("Lato-Bold.ttf")}));
  WriteFile(fonts + "/cut.ttf", Bytes(lato.begin(), lato.begin() + 1000));
  WriteFile(fonts + "/font.txt", ReadDebianFont("Lato-Italic.ttf"));
  RequireDebianFont("Roboto-Italic.ttf"); // found below among the installed fonts
  sys::FontRegistry& registry = sys::FontRegistry::Shared();
  EXPECT_EQ(registry.Folders()[0], fonts); // the defaults lie under the home
  registry.SetFolders({fonts, DebianFontFolders()[0], DebianFontFolders()[2]});
  const std::tuple<const char*, ETextStyle, const char*> cases[] = {
      {"Lato", ETextStyle::Bold, "Lato/Bold 1 Bold 1 1"},
      {"LATO", ETextStyle(7), "Lato/Regular 1 Regular 0 1"},
      {"Lato", ETextStyle::Italic, "null"},
      {"Roboto", ETextStyle::Italic, "Roboto/Italic 1 Italic 0 1"},
      {"DejaVu Sans", ETextStyle::Normal, "null"}, // its regular face is called "Book"
      {"", ETextStyle::Bold, "null"},
      {nullptr, ETextStyle::Bold, "null"},
  };
  for (const auto& [family, style, expected] : cases)
    EXPECT_EQ(Describe(LoadCoreTextFontByName("id", family, style)), expected);
  EXPECT_EQ(sys::FontDescriptor({"Lato", "Bold", std::nullopt}).CreateMatchingFontDescriptors(),
            registry.Match("Lato", "Bold")); // the registry's own descriptors

  // A match whose file went away after the fonts were listed is passed over.
  registry.SetFolders({fonts, DebianFontFolders()[1]});
  ASSERT_EQ(registry.Match("Lato", "Bold").size(), 2u);
  std::filesystem::remove(fonts + "/sub/Pair.TTC");
  EXPECT_EQ(LoadCoreTextFontByName("id", "Lato", ETextStyle::Bold)->GetDescriptor()->Url()->path,
            RequireDebianFont("Lato-Bold.ttf"));
  registry.SetFolders({});
}
