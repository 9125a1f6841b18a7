#include "editor/UserPresetFiles.h"

#include <filesystem>
#include <limits>
#include <string>

#include "editor/PresetSlotLoading.h"
#include "editor/UserPresetNames.h"
#include "support/engine/KelmoTestSupport.h"

using namespace kelmotest;
using namespace plugin::ui;

namespace {

using EditorPresetFiles = KelmoTest;

std::string FileOf(int slot)
{
  return ReadFileToString(UserPresetPath(slot));
}

} // namespace

// Every stored parameter at its default, keys in byte order, integers for the int and enum
// parameters, doubles with a decimal point, no oversampling, delta or comparison slot; the
// missing folders above the preset folder are created.
TEST_F(EditorPresetFiles, AllDefaultsFileByteForByte)
{
  TestKelmo k;
  SetUserPresetFolder(folder.Path() + "/Support/Quillmere/Kelmo Presets");
  ASSERT_TRUE(WriteUserPresetFile(3, CaptureUserPresetParams(k), "Init"));
  EXPECT_EQ(FileOf(3),
            R"({"Params":{"0":1,"1":0.0,"10":0.0,"11":1,"12":20.0,"13":450.0,"14":150.0,"15":0.0,"16":1,)"
            R"("17":0.0,"18":0,"19":0,"2":0.0,"22":0.0,"23":1,"24":0.0,"25":0.0,"26":1.0,"27":0.3,"28":0,)"
            R"("29":1,"3":1,"30":1,"31":100.0,"32":0.0,"33":0,"34":0,"35":0,"36":0,"38":0,"39":0,"4":20.0,)"
            R"("40":2,"41":3,"42":0.0,"43":0.0,"5":450.0,"6":150.0,"7":0.0,"8":1,"9":0.0},)"
            R"("PresetName":"Init"})");
}

// A typed name is stored as valid UTF-8, and the label shown after the save is the one a later
// load shows.
TEST_F(EditorPresetFiles, TypedNamesAreStoredAsValidUtf8)
{
  const std::pair<const char*, std::string> cases[] = {
      {nullptr, ""},
      {"Br\xC3\xBC"
       "cke",
       "Br\xC3\xBC"
       "cke"},
      {"bad \xFF\xC3 end", "bad \xEF\xBF\xBD\xEF\xBF\xBD end"},
      {"q\"\\/\t", "q\"\\/\t"},
  };
  TestKelmo k;
  for (const auto& [typed, stored] : cases) {
    SCOPED_TRACE(stored);
    ASSERT_TRUE(WriteUserPresetFile(4, {}, typed));
    const auto read = ReadUserPresetFile(4);
    ASSERT_TRUE(read && read->name);
    EXPECT_EQ(*read->name, stored);
    EXPECT_EQ(LoadPresetSlot(k, 4), UserPresetLabel(typed ? typed : ""));
  }
}

// A save that cannot complete says so and leaves the earlier file whole.
TEST_F(EditorPresetFiles, AFailedSaveKeepsTheEarlierFile)
{
  const std::string before = R"({"Params":{"1":3.3},"PresetName":"old"})";
  WriteSlot(6, before);
  std::filesystem::create_directories(UserPresetPath(7) + "/inside"); // a folder takes the name
  EXPECT_FALSE(WriteUserPresetFile(7, {{kLWetGain, 1.0, true}}, "new"));
  SetUserPresetFolder(UserPresetPath(6) + "/Kelmo Presets"); // a file stands where a folder must be
  EXPECT_FALSE(WriteUserPresetFile(6, {{kLWetGain, 1.0, true}}, "new"));
  SetUserPresetFolder(folder.Path());
  EXPECT_EQ(FileOf(6), before);
  EXPECT_TRUE(std::filesystem::is_directory(UserPresetPath(7)));
}

TEST_F(EditorPresetFiles, OnlyTheFortySlotsHaveFiles)
{
  for (int slot : {-1, 40, std::numeric_limits<int>::min()}) {
    EXPECT_FALSE(WriteUserPresetFile(slot, {}, "x")) << slot;
    EXPECT_FALSE(ReadUserPresetFile(slot)) << slot;
    EXPECT_FALSE(DeleteUserPresetFile(slot)) << slot;
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  ASSERT_TRUE(WriteUserPresetFile(39, {}, "last"));
  EXPECT_TRUE(DeleteUserPresetFile(39));
  EXPECT_FALSE(ReadUserPresetFile(39));
  EXPECT_FALSE(DeleteUserPresetFile(39));
}
