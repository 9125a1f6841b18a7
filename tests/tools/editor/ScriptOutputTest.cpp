// kelmo-editor as a person runs it: what it prints while it plays a script, what its keys reach,
// where the presets saved from it go, and what it says when one was not saved.
#include "engine/presets/UserPresetLocation.h"
#include "tools/editor/EditorCommand.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <thread>

// Menus are printed numbered as "menu I/J" answers them, with the addresses the editor opens, and
// the answers no menu took at the end; a preset name typed with named keys (a blank in it) is saved
// into KELMO_USER_PRESET_DIR.
TEST(ScriptOutput, MenusAreNumberedAsAnsweredAndNamedKeysTypeTheSavedName)
{
  const testsupport::TempFolder presets, out;
  ::setenv(kUserPresetFolderEnv, presets.Path().c_str(), 1);
  // The info menu dismissed, then answered; the save button, the slot list answered, a click into
  // the name field and the name typed. The buttons act when their 100 ms click animation ends.
  const std::string script =
      "menu -; press 10 10; release 10 10; frames 1; menu 2; press 10 10; release 10 10; "
      "press 613 13; release 613 13; frames 7; menu 32; press 450 12; release 450 12; frames 7; "
      "press 450 12; release 450 12; key A; key space; key B; key Left; key Left; key Backspace; "
      "key X; key Right; key Z; key Up; key Y; key Down; key W; key Return; menu 3; menu 1/2";
  std::ostringstream shown, err;
  const int status = kelmo::editor::RunEditorCommand(
      {"--bundle", KELMO_BUNDLE, "--frames", "1", "--script", script, out / "o.png"}, shown, err);
  ::unsetenv(kUserPresetFolderEnv);
  ASSERT_EQ(status, 0) << err.str();
  for (const char* told :
       {"\n  0  -- INFO --\n  1  Product page\n  2  Manual\n  3  Read about Ukraine\n",
        "\nkelmo-editor: the menu was dismissed\n", "\nkelmo-editor: menu 2 chose \"Manual\"\n",
        "\nkelmo-editor: opened https://www.quillmere.com/kelmo/manual\n", "\n  32  empty\n",
        "\nkelmo-editor: menu 32 chose \"empty\"\n",
        "\nkelmo-editor: no menu opened to take the answers \"menu 3\", \"menu 1/2\"\n"})
    EXPECT_NE(shown.str().find(told), std::string::npos) << told << shown.str();
  // The file stays in the person's folder after the tool ends.
  ASSERT_EQ(presets.Entries(), std::vector<std::string>{"32 User Preset.json"});
  std::ifstream file(presets / "32 User Preset.json");
  const std::string json(std::istreambuf_iterator<char>(file), {});
  EXPECT_NE(json.find("\"PresetName\":\"X YZWB\""), std::string::npos) << json;
}

// Without a preset folder of the person's, a signal that ends the tool removes the one it made for
// itself in the temporary folder.
TEST(SignalCleanup, AnEndingSignalRemovesTheToolsPresetFolder)
{
  for (const int signal : {SIGTERM, SIGINT}) {
    const testsupport::TempFolder temp;
    // The shell tells its process id, then becomes the tool.
    const std::string command = "echo $$; exec env -u KELMO_USER_PRESET_DIR TMPDIR='" + temp.Path() +
                                "' '" KELMO_EDITOR_EXE "' --bundle '" KELMO_BUNDLE
                                "' --script 'frames 36000' /dev/null";
    FILE* tool = ::popen(command.c_str(), "r");
    int pid = 0;
    ASSERT_TRUE(tool && std::fscanf(tool, "%d", &pid) == 1);
    for (int i = 0; i < 6000 && temp.Entries().empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::vector<std::string> made = temp.Entries();
    ::kill(pid, signal);
    const int status = ::pclose(tool);
    EXPECT_TRUE(made.size() == 1 && made[0].rfind("kelmo-editor-", 0) == 0) << made.size();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_TRUE(temp.Entries().empty()) << signal;
  }
}

// A name confirmed in the save field whose file was not written (the preset folder is a plain
// file) is a failure: one line, status 1, the script stopped there (no picture).
TEST(ScriptOutput, APresetThatWasNotWrittenIsAFailure)
{
  const testsupport::TempFolder temp;
  const std::string plain = temp.WriteFile("plain", "x");
  ::setenv(kUserPresetFolderEnv, plain.c_str(), 1);
  std::ostringstream shown, err;
  const int status = kelmo::editor::RunEditorCommand(
      {"--bundle", KELMO_BUNDLE, "--frames", "1", "--script",
       "press 613 13; release 613 13; menu 32; press 450 12; release 450 12; frames 7; press 450 12; "
       "release 450 12; key A; key Return; frames 2",
       temp / "o.png"},
      shown, err);
  ::unsetenv(kUserPresetFolderEnv);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(err.str(), "kelmo-editor: the preset for slot 32 was not saved: nothing was written to " + plain +
                           "/32 User Preset.json\n");
  EXPECT_EQ(temp.Entries(), std::vector<std::string>{"plain"});
}

// The README's example that saves a preset does what its words say, here over an unreadable older
// file of the slot (a replaced file is a save too): the slot's file holds the name it gives.
TEST(ScriptOutput, TheReadmesSaveExampleSavesTheNameItGives)
{
  std::ifstream in(KELMO_README);
  const std::string readme = std::regex_replace(std::string(std::istreambuf_iterator<char>(in), {}),
                                                std::regex("\\\\\n"), ""); // continued lines joined
  std::smatch says, example;
  ASSERT_TRUE(std::regex_search(readme, says, std::regex(R"re(into user preset slot (\d+) as "([^"]+)")re")));
  ASSERT_TRUE(std::regex_search(readme, example,
                                std::regex(R"(\$ KELMO_USER_PRESET_DIR=\S+ \./build/tools/kelmo-editor )"
                                           R"re(--frames (\d+) --script "([^"]*)" \S+\.png)re")));
  const testsupport::TempFolder presets, out;
  const std::string file = says[1].str() + " User Preset.json";
  presets.WriteFile(file, "older");
  ::setenv(kUserPresetFolderEnv, presets.Path().c_str(), 1);
  std::ostringstream shown, err;
  const int status = kelmo::editor::RunEditorCommand(
      {"--bundle", KELMO_BUNDLE, "--frames", example[1], "--script", example[2], out / "saved.png"}, shown,
      err);
  ::unsetenv(kUserPresetFolderEnv);
  ASSERT_EQ(status, 0) << err.str();
  ASSERT_EQ(presets.Entries(), std::vector<std::string>{file});
  std::ifstream saved(presets / file);
  const std::string json(std::istreambuf_iterator<char>(saved), {});
  EXPECT_NE(json.find("\"PresetName\":\"" + says[2].str() + "\""), std::string::npos) << json;
}
