#include "engine/presets/UserPresetLocation.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "engine/presets/UserPresetFileIO.h"

namespace {

// Restores the folder override and the environment variable after each test.
class UserPresetLocation : public ::testing::Test
{
protected:
  void SetUp() override
  {
    if (const char* env = std::getenv(kUserPresetFolderEnv)) mSavedEnv = env;
    ::unsetenv(kUserPresetFolderEnv);
    SetUserPresetFolder("");
  }
  void TearDown() override
  {
    SetUserPresetFolder("");
    if (mSavedEnv)
      ::setenv(kUserPresetFolderEnv, mSavedEnv->c_str(), 1);
    else
      ::unsetenv(kUserPresetFolderEnv);
  }

private:
  std::optional<std::string> mSavedEnv;
};

} // namespace

TEST_F(UserPresetLocation, SlotFileNames)
{
  EXPECT_EQ(UserPresetFileName(0), "0 User Preset.json");
  EXPECT_EQ(UserPresetFileName(3), "3 User Preset.json");
  EXPECT_EQ(UserPresetFileName(39), "39 User Preset.json");
  EXPECT_EQ(UserPresetFileName(-1), "");
  EXPECT_EQ(UserPresetPath(-1), "");
}

TEST_F(UserPresetLocation, DefaultFolderUnderTheHomeFolder)
{
  EXPECT_EQ(UserPresetFolder(), "~/Library/Application Support/Quillmere/Kelmo Presets/");
  // Only the path is computed here; nothing under the real home folder is touched.
  EXPECT_EQ(UserPresetPath(0),
            *HomeFolder() + "/Library/Application Support/Quillmere/Kelmo Presets/0 User Preset.json");
}

TEST_F(UserPresetLocation, EnvironmentThenSetterOverride)
{
  ::setenv(kUserPresetFolderEnv, "/tmp/from-env", 1);
  EXPECT_EQ(UserPresetFolder(), "/tmp/from-env/");
  EXPECT_EQ(UserPresetPath(7), "/tmp/from-env/7 User Preset.json");

  SetUserPresetFolder("/tmp/from-setter/");
  EXPECT_EQ(UserPresetFolder(), "/tmp/from-setter/");
  EXPECT_EQ(UserPresetPath(12), "/tmp/from-setter/12 User Preset.json");

  SetUserPresetFolder("");
  EXPECT_EQ(UserPresetFolder(), "/tmp/from-env/");
  ::setenv(kUserPresetFolderEnv, "", 1);
  EXPECT_EQ(UserPresetFolder(), kDefaultUserPresetFolder);
}
