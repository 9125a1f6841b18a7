// What kelmo-editor tells while it plays a script, and what its keys reach: menus printed with
// the numbers "menu I/J" answers, addresses the editor opens, named keys typing a preset name,
// and the user preset folder it saves into.
#include "EditorToolTestSupport.h"

#include "engine/presets/UserPresetLocation.h"
#include "tools/editor/EditorCommand.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace kelmo::editor;
using testsupport::TempFolder;

namespace {

struct ToolRun
{
  int status = -1;
  std::string out, err;
};

ToolRun RunTool(const std::string& script, const std::string& output)
{
  std::ostringstream out, err;
  ToolRun run;
  run.status = RunEditorCommand({"--bundle", KELMO_BUNDLE, "--frames", "1", "--script", script, output}, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Opens the save field for user slot 32 (the first empty slot): the save button, the slot list
// answered with 32, a click into the field.
// The buttons act when their click animation ends, within 12 frames.
constexpr const char* kOpenSaveField = "press 613 13; release 613 13; frames 12; menu 32; press 450 12; "
                                       "release 450 12; frames 12; press 450 12; release 450 12; frames 2; ";

std::string ReadFile(const std::string& path)
{
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

} // namespace

TEST(ScriptOutput, TheInfoMenuIsPrintedWithItsNumbersAndItsLinkOpens)
{
  TempFolder dir;
  const struct
  {
    const char* answer;
    const char* told;
    const char* url; // null: none opened
  } table[] = {
      {"menu 2", "kelmo-editor: menu 2 chose \"Manual\"\n", "https://www.quillmere.com/kelmo/manual"},
      {"menu 3", "kelmo-editor: menu 3 chose \"Read about Ukraine\"\n", "https://www.quillmere.com/ukraine"},
      {"menu 0", "kelmo-editor: menu 0 chose \"-- INFO --\"\n", nullptr}, // the heading opens nothing
      {"menu -", "kelmo-editor: the menu was dismissed\n", nullptr},
  };
  for (const auto& row : table) {
    const ToolRun run = RunTool(std::string(row.answer) + "; press 10 10; release 10 10; frames 2", dir / "info.png");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  0  -- INFO --\n  1  Product page\n  2  Manual\n  3  Read about Ukraine\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(row.told), std::string::npos) << run.out;
    const auto opened = run.out.find("kelmo-editor: opened ");
    if (row.url) {
      EXPECT_NE(run.out.find(std::string("kelmo-editor: opened ") + row.url + "\n"), std::string::npos) << run.out;
    } else {
      EXPECT_EQ(opened, std::string::npos) << run.out;
    }
  }
}

TEST(ScriptOutput, ThePresetListIsNumberedAsTheAnswerCountsIt)
{
  TempFolder dir;
  const ToolRun run = RunTool("menu 7; press 450 12; release 450 12; frames 12", dir / "list.png");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("  0  Factory default  (checked)\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  7  Drumbus - Smack My Drums Up dV\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("kelmo-editor: menu 7 chose \"Drumbus - Smack My Drums Up dV\"\n"), std::string::npos)
      << run.out;
}

TEST(ScriptOutput, NamedKeysEditThePresetNameInTheUsersFolder)
{
  const struct
  {
    const char* keys;
    const char* saved; // the name in the file; null: no file
  } table[] = {
      {"key A; key space; key B; key Return", "A B"},
      // Left and Backspace take the blank; Right goes back to the end.
      {"key A; key space; key B; key Left; key Backspace; key X; key Right; key Z; key Return", "AXBZ"},
      {"key A; key Up; key B; key Down; key C; key Return", "BAC"},
      {"key A; key Escape", nullptr},
  };
  for (const auto& row : table) {
    TempFolder presets, out;
    const editortest::ScopedEnv folder(kUserPresetFolderEnv, presets.Path());
    const ToolRun run = RunTool(std::string(kOpenSaveField) + row.keys + "; frames 10", out / "save.png");
    ASSERT_EQ(run.status, 0) << run.err;
    if (!row.saved) {
      EXPECT_TRUE(presets.Entries().empty()) << row.keys;
      continue;
    }
    // The file stays in the person's folder after the tool ends.
    ASSERT_EQ(presets.Entries(), (std::vector<std::string>{"32 User Preset.json"})) << row.keys;
    EXPECT_NE(ReadFile(presets / "32 User Preset.json").find(std::string("\"PresetName\":\"") + row.saved + "\""),
              std::string::npos)
        << row.keys;
  }
}

TEST(ScriptOutput, WithoutAFolderOfTheUsersTheToolSavesIntoItsOwnAndRemovesIt)
{
  TempFolder home, temp, out;
  const editortest::ScopedEnv noFolder(kUserPresetFolderEnv, std::nullopt);
  const editortest::ScopedEnv homeFolder("HOME", home.Path());
  const editortest::ScopedEnv tempFolder("TMPDIR", temp.Path());
  const ToolRun run = RunTool(std::string(kOpenSaveField) + "key A; key Return; frames 10", out / "save.png");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(home.Entries().empty()); // the default folder under the home folder stays untouched
  EXPECT_TRUE(temp.Entries().empty()); // the tool's own folder is gone
  EXPECT_EQ(std::getenv(kUserPresetFolderEnv), nullptr);
}
