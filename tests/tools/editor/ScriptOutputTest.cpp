// kelmo-editor as a person runs it: what it prints while it plays a script, what its keys reach,
// where the presets saved from it go, and what it says when one was not saved.
#include "engine/presets/UserPresetLocation.h"
#include "tools/editor/EditorCommand.h"
#include "tools/editor/GestureScript.h"

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

// Menus are printed numbered as "menu I/J" answers them, with the addresses the editor opens; a
// preset name typed with named keys (a blank in it) is saved into KELMO_USER_PRESET_DIR.
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
      "key X; key Right; key Z; key Up; key Y; key Down; key W; key Return";
  std::ostringstream shown, err;
  const int status = kelmo::editor::RunEditorCommand(
      {"--bundle", KELMO_BUNDLE, "--frames", "1", "--script", script, out / "o.png"}, shown, err);
  ::unsetenv(kUserPresetFolderEnv);
  ASSERT_EQ(status, 0) << err.str();
  EXPECT_EQ(shown.str().find("no menu opened"), std::string::npos) << shown.str();
  for (const char* told :
       {"\n  0  -- INFO --\n  1  Product page\n  2  Manual\n  3  Read about Ukraine\n",
        "\nkelmo-editor: the menu was dismissed\n", "\nkelmo-editor: menu 2 chose \"Manual\"\n",
        "\nkelmo-editor: opened https://www.quillmere.com/kelmo/manual\n", "\n  32  empty\n",
        "\nkelmo-editor: menu 32 chose \"empty\"\n"})
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

namespace {

// The steps that open the save field for slot 32 and click into it, as in the README.
constexpr const char* kOpenSaveField = "press 613 13; release 613 13; menu 32; press 450 12; release 450 12; "
                                       "frames 7; press 450 12; release 450 12; ";

} // namespace

// Menu answers are taken in turn: those left when the script ends are named on one line, and the
// status stays 0.
TEST(ScriptOutput, AnswersNoMenuTookAreNamed)
{
  const testsupport::TempFolder out;
  const std::pair<const char*, const char*> table[] = {
      {"menu 3; frames 2", "\nkelmo-editor: no menu opened to take the answer \"menu 3\"\n"},
      {"menu -; press 10 10; release 10 10; frames 1; menu 3; menu 1/2",
       "\nkelmo-editor: no menu opened to take the answers \"menu 3\", \"menu 1/2\"\n"},
  };
  for (const auto& [script, told] : table) {
    std::ostringstream shown, err;
    EXPECT_EQ(kelmo::editor::RunEditorCommand(
                  {"--bundle", KELMO_BUNDLE, "--frames", "1", "--script", script, out / "o.png"}, shown, err),
              0)
        << err.str();
    EXPECT_NE(("\n" + shown.str()).find(told), std::string::npos) << shown.str();
  }
}

// A name confirmed in the save field whose file was not written (the preset folder is a plain
// file) is a failure: one line, status 1, the script stopped there (no picture). Saving the same
// preset twice writes a new file each time, which is no failure.
TEST(ScriptOutput, APresetThatWasNotWrittenIsAFailure)
{
  const testsupport::TempFolder temp;
  const std::string script = std::string(kOpenSaveField) + "key A; key Return; frames 2";
  const std::string plain = temp.WriteFile("plain", "x"), folder = temp / "presets";
  const std::pair<std::string, int> table[] = {{plain, 1}, {folder, 0}, {folder, 0}};
  for (const auto& [presets, status] : table) {
    ::setenv(kUserPresetFolderEnv, presets.c_str(), 1);
    std::ostringstream shown, err;
    EXPECT_EQ(
        kelmo::editor::RunEditorCommand(
            {"--bundle", KELMO_BUNDLE, "--frames", "1", "--script", script, temp / "o.png"}, shown, err),
        status)
        << presets << ": " << err.str();
    ::unsetenv(kUserPresetFolderEnv);
    const std::string text = err.str();
    if (status == 1) {
      EXPECT_EQ(text, "kelmo-editor: the preset for slot 32 was not saved: nothing was written to " + plain +
                          "/32 User Preset.json\n");
      EXPECT_EQ(temp.Entries(), std::vector<std::string>{"plain"});
    } else {
      EXPECT_TRUE(text.empty()) << text;
    }
  }
}

// The README's example that saves a preset does what its words say: the file of the slot its
// script answers holds the name its keys type, and the README names that name.
TEST(ScriptOutput, TheReadmesSaveExampleSavesTheTypedName)
{
  std::ifstream in(KELMO_README);
  const std::string readme = std::regex_replace(std::string(std::istreambuf_iterator<char>(in), {}),
                                                std::regex("\\\\\n"), ""); // continued lines joined
  std::smatch example;
  ASSERT_TRUE(std::regex_search(readme, example,
                                std::regex(R"(\$ KELMO_USER_PRESET_DIR=\S+ \./build/tools/kelmo-editor )"
                                           R"re(--frames (\d+) --script "([^"]*)" \S+\.png)re")));
  std::string error;
  const auto steps = kelmo::editor::ParseGestureScript(example[2], error);
  ASSERT_TRUE(steps) << error;
  // The slot the list is answered with and the name the keys type before Return.
  std::string slot, typed;
  for (const auto& step : *steps) {
    if (step.kind == kelmo::editor::ScriptStep::Kind::Menu) slot = step.text;
    if (step.kind == kelmo::editor::ScriptStep::Kind::Key && step.text.size() == 1) typed += step.text;
    if (step.kind == kelmo::editor::ScriptStep::Kind::Key && step.text == "space") typed += ' ';
  }
  ASSERT_FALSE(typed.empty());
  EXPECT_NE(readme.find("\"PresetName\" \"" + typed + "\""), std::string::npos) << typed;

  const testsupport::TempFolder presets, out;
  ::setenv(kUserPresetFolderEnv, presets.Path().c_str(), 1);
  std::ostringstream shown, err;
  const int status = kelmo::editor::RunEditorCommand(
      {"--bundle", KELMO_BUNDLE, "--frames", example[1], "--script", example[2], out / "saved.png"}, shown,
      err);
  ::unsetenv(kUserPresetFolderEnv);
  ASSERT_EQ(status, 0) << err.str();
  const std::string file = slot + " User Preset.json";
  ASSERT_EQ(presets.Entries(), std::vector<std::string>{file}) << shown.str();
  std::ifstream saved(presets / file);
  const std::string json(std::istreambuf_iterator<char>(saved), {});
  EXPECT_NE(json.find("\"PresetName\":\"" + typed + "\""), std::string::npos) << json;
}
