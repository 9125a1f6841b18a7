#include "editor/UserPresetFiles.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "engine/kelmo/KelmoTestSupport.h"

using namespace kelmotest;
using namespace plugin::ui;

namespace {

using EditorPresetFiles = KelmoTest;

std::string FileOf(int slot)
{
  return ReadFileToString(UserPresetPath(slot));
}

// Whatever stays in the folder besides the slot files (a failed save must leave no temporary).
std::vector<std::string> FolderEntries(const std::string& dir)
{
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace

// Every stored parameter at its default, keys in byte order, integers for the int and enum
// parameters, doubles with a decimal point, and no oversampling, delta or comparison slot.
TEST_F(EditorPresetFiles, AllDefaultsFileByteForByte)
{
  TestKelmo k;
  ASSERT_TRUE(WriteUserPresetFile(3, CaptureUserPresetParams(k), "Init"));
  EXPECT_EQ(FileOf(3),
            R"({"Params":{"0":1,"1":0.0,"10":0.0,"11":1,"12":20.0,"13":450.0,"14":150.0,"15":0.0,"16":1,)"
            R"("17":0.0,"18":0,"19":0,"2":0.0,"22":0.0,"23":1,"24":0.0,"25":0.0,"26":1.0,"27":0.3,"28":0,)"
            R"("29":1,"3":1,"30":1,"31":100.0,"32":0.0,"33":0,"34":0,"35":0,"36":0,"38":0,"39":0,"4":20.0,)"
            R"("40":2,"41":3,"42":0.0,"43":0.0,"5":450.0,"6":150.0,"7":0.0,"8":1,"9":0.0},)"
            R"("PresetName":"Init"})");
}

// Live values as stored, unsnapped; integers cut toward zero, also far beyond any int.
TEST_F(EditorPresetFiles, CaptureKeepsLiveValuesAndTheirKind)
{
  TestKelmo k;
  for (int i : {kOverSampling, kDelta, kComparisonSlot})
    k.GetParam(i)->Set(1.0);
  k.GetParam(kLWetGain)->Set(-3.25);
  k.GetParam(kLRelease)->Set(1234.5678);
  const UserPresetParams params = CaptureUserPresetParams(k);
  ASSERT_EQ(params.size(), 41u);
  for (const UserPresetValue& v : params) {
    SCOPED_TRACE(v.paramIdx);
    EXPECT_FALSE(v.paramIdx == kOverSampling || v.paramIdx == kDelta || v.paramIdx == kComparisonSlot);
    EXPECT_EQ(v.value, k.GetParam(v.paramIdx)->Value());
    EXPECT_EQ(v.isDouble, k.GetParam(v.paramIdx)->Type() == plugin::IParam::kTypeDouble);
  }

  const UserPresetParams odd = {{kLSyncRelease, 2.9, false},
                                {kPower, -0.7, false},
                                {kLAttack, 2.9, true},
                                {kRSyncRelease, 1e300, false}};
  ASSERT_TRUE(WriteUserPresetFile(1, odd, ""));
  EXPECT_EQ(FileOf(1), R"({"Params":{"0":0,"35":2,"4":2.9},"PresetName":""})");
}

TEST_F(EditorPresetFiles, NamesAreStoredAsValidUtf8)
{
  const struct
  {
    const char* typed;
    std::string stored;
  } cases[] = {
      {nullptr, ""},
      {"Br\xC3\xBC"
       "cke",
       "Br\xC3\xBC"
       "cke"},
      {"bad \xFF\xC3 end", "bad \xEF\xBF\xBD\xEF\xBF\xBD end"},
      {"q\"\\/\t", "q\"\\/\t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    ASSERT_TRUE(WriteUserPresetFile(4, {{kLWetGain, 1.5, true}}, c.typed));
    const auto read = ReadUserPresetFile(4);
    ASSERT_TRUE(read && read->name);
    EXPECT_EQ(*read->name, c.stored);
    EXPECT_EQ(read->assignments.size(), 1u);
  }
}

TEST_F(EditorPresetFiles, TheWholeFolderPathIsCreatedByTheFirstSave)
{
  SetUserPresetFolder(folder.Path() + "/Application Support/Quillmere/Kelmo Presets");
  ASSERT_TRUE(WriteUserPresetFile(39, {{kVariGain, 12.0, true}}, "deep"));
  EXPECT_EQ(FileOf(39), R"({"Params":{"17":12.0},"PresetName":"deep"})");
  EXPECT_EQ(UserPresetPath(39),
            folder.Path() + "/Application Support/Quillmere/Kelmo Presets/39 User Preset.json");
}

// A failed save reports the failure and leaves the earlier file whole, with no leftovers.
TEST_F(EditorPresetFiles, AFailedSaveKeepsTheEarlierFile)
{
  const std::string before = R"({"Params":{"1":3.3},"PresetName":"old"})";
  WriteSlot(6, before);
  const UserPresetParams big = {{kLWetGain, 1.0 / 3.0, true}, {kVariGain, 2.0 / 3.0, true}};

  // The disk fills up during the write (a file size limit gives a short write).
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool shortWrite = WriteUserPresetFile(6, big, "new");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedHandler);
  EXPECT_FALSE(shortWrite);
  EXPECT_EQ(FileOf(6), before);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"6 User Preset.json"});

  // The slot's name is taken by a folder.
  std::filesystem::create_directories(UserPresetPath(7) + "/inside");
  EXPECT_FALSE(WriteUserPresetFile(7, big, "new"));
  EXPECT_TRUE(std::filesystem::is_directory(UserPresetPath(7)));

  // A file stands where the preset folder should be.
  SetUserPresetFolder(folder.Path() + "/6 User Preset.json/Kelmo Presets");
  EXPECT_FALSE(WriteUserPresetFile(6, big, "new"));
  SetUserPresetFolder(folder.Path());
  EXPECT_EQ(FileOf(6), before);
}

TEST_F(EditorPresetFiles, AFolderWithoutWritePermissionFailsTheSave)
{
  if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
  WriteSlot(2, "kept");
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0500), 0);
  EXPECT_FALSE(WriteUserPresetFile(2, {{kLWetGain, 1.0, true}}, "x"));
  EXPECT_FALSE(DeleteUserPresetFile(2));
  ::chmod(folder.Path().c_str(), 0700);
  EXPECT_EQ(FileOf(2), "kept");
}

TEST_F(EditorPresetFiles, OnlyTheFortySlotsHaveFiles)
{
  for (int slot : {-1, 40, 1000, std::numeric_limits<int>::min()}) {
    SCOPED_TRACE(slot);
    EXPECT_FALSE(WriteUserPresetFile(slot, {{kLWetGain, 1.0, true}}, "x"));
    EXPECT_FALSE(ReadUserPresetFile(slot));
    EXPECT_FALSE(DeleteUserPresetFile(slot));
  }
  EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST_F(EditorPresetFiles, DeleteEmptiesTheSlot)
{
  ASSERT_TRUE(WriteUserPresetFile(0, {}, "zero"));
  ASSERT_TRUE(ReadUserPresetFile(0));
  EXPECT_TRUE(DeleteUserPresetFile(0));
  EXPECT_FALSE(ReadUserPresetFile(0));
  EXPECT_FALSE(DeleteUserPresetFile(0));
}
