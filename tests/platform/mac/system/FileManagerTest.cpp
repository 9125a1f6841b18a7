#include "platform/mac/system/FileManager.h"

#include "engine/presets/TempFolder.h"
#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plugin::sys;

TEST(FileManager, NamesMatchIgnoringCaseAndComeBackAsSpelledOnDisk)
{
  TempFolder folder;
  std::filesystem::create_directories(folder / "Resources/img");
  fonttest::WriteFile(folder / "Resources/img/Knob.png", fonttest::Ascii("x"));
  fonttest::WriteFile(folder / "Resources/Roboto-Regular.ttf", fonttest::Ascii("x"));
  const std::string& f = folder.Path();
  const std::pair<std::string, std::string> cases[] = {
      {f + "/Resources/img/Knob.png", f + "/Resources/img/Knob.png"},
      {f + "/RESOURCES/IMG/knob.PNG", f + "/Resources/img/Knob.png"},
      {f + "/resources//Roboto-Regular.TTF", f + "/Resources/Roboto-Regular.ttf"},
      {f + "/Resources/img/../Roboto-Regular.TTF", f + "/Resources/img/../Roboto-Regular.ttf"},
      {f + "/resources/", f + "/Resources/"},
      {f + "/Resources/img/Knob.png/", ""},
      {f + "/Resources/missing.png", ""},
      {f + "/Resources/Knob.png", ""},
      {"", ""},
  };
  for (const auto& [asked, spelled] : cases) {
    EXPECT_EQ(ExistingPathSpelling(asked.c_str()), spelled) << asked;
    EXPECT_EQ(FileExistsAtPath(asked.c_str()), !spelled.empty()) << asked;
  }
  EXPECT_FALSE(FileExistsAtPath(nullptr));
  EXPECT_EQ(ExistingPathSpelling(nullptr), "");
}
