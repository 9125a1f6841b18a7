#include "platform/mac/system/FileManager.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace plugin::sys;

// Names match their folder entries exactly or, failing that, ignoring ASCII case, component by
// component; the answer is the path as the file system spells it.
TEST(FileManager, ExistenceIgnoresLetterCaseAndAnswersTheOnDiskSpelling)
{
  testsupport::TempFolder t;
  const std::string r = t.Path();
  std::filesystem::create_directories(r + "/Res/Img");
  std::ofstream(r + "/Res/Img/Knob.png") << "x";
  std::ofstream(r + "/Res/Straße.TTF") << "x";
  const std::pair<std::string, std::string> cases[] = {
      {r + "/Res/Img/Knob.png", r + "/Res/Img/Knob.png"},
      {r + "/RES/img/KNOB.PNG", r + "/Res/Img/Knob.png"},
      {r + "//Res/./img/../Img/knob.png", r + "/Res/./Img/../Img/Knob.png"},
      {r + "/res/img/", r + "/Res/Img/"},
      {r + "/Res/Straße.ttf", r + "/Res/Straße.TTF"},
      {r + "/Res/STRASSE.TTF", ""}, // ASCII case only
      {r + "/Res/Img/Knob.png/x", ""},
      {r + "/Res/Img/Knob", ""},
      {r + "/Missing/Knob.png", ""},
      {"", ""},
  };
  for (const auto& [path, spelled] : cases)
    EXPECT_EQ(ExistingPathSpelling(path.c_str()), spelled) << path;
  EXPECT_EQ(ExistingPathSpelling(nullptr), "");
}
