// The gesture script's grammar and the tool's command line, hostile input included.
#include "tools/editor/GestureScript.h"
#include "tools/editor/EditorCommand.h"
#include "tools/editor/NamedKeys.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <tuple>
#include <utility>

using namespace kelmo::editor;

TEST(GestureScript, ParsesEveryStep)
{
  std::string error;
  const auto steps = ParseGestureScript(
      " frames 3; move 1 2;press 10 20 ; drag 11.5 -2; release 11 2; rpress 1 1; rrelease 1 1; "
      "wheel 5 6 -1.5; key a; menu 2/0; menu -; signal 440 -6; write out.png;;",
      error);
  ASSERT_TRUE(steps) << error;
  ASSERT_EQ(steps->size(), 13u);
  using K = ScriptStep::Kind;
  const K kinds[] = {K::Frames, K::Move, K::Press, K::Drag, K::Release, K::RightPress, K::RightRelease,
                     K::Wheel,  K::Key,  K::Menu,  K::Menu, K::Signal,  K::Write};
  for (size_t i = 0; i < steps->size(); ++i)
    EXPECT_EQ((*steps)[i].kind, kinds[i]) << i;
  EXPECT_EQ((*steps)[3].numbers, (std::vector<double>{11.5, -2.0}));
  EXPECT_EQ((*steps)[7].numbers, (std::vector<double>{5.0, 6.0, -1.5}));
  EXPECT_EQ((*steps)[9].text, "2/0");
  EXPECT_EQ((*steps)[12].text, "out.png");
  EXPECT_TRUE(ParseGestureScript("", error)->empty());
  EXPECT_TRUE(ParseGestureScript("wheel 1 -3.4e38 3.4e38", error)) << error; // the largest floats
}

TEST(GestureScript, RefusesMalformedSteps)
{
  for (const char* bad : {"jump 1 2", "press 1", "press 1 2 3", "press x 2", "press nan 2", "press 1 inf",
                          "frames -1", "frames 99999999", "key", "key ab", "key Enter", "key spaces", "menu",
                          "menu a/b", "menu 1//2", "menu 1/", "write", "write a b", "wheel 1 2"}) {
    std::string error;
    EXPECT_FALSE(ParseGestureScript(bad, error)) << bad;
    EXPECT_NE(error.find("step"), std::string::npos) << bad;
  }
}

TEST(EditorCommand, BadCommandLinesGiveStatusTwoAndOneLine)
{
  const std::vector<std::vector<std::string>> table = {
      {},
      {"--frames", "0", "o.png"},
      {"--frames", "1.5", "o.png"},
      {"--frames"},
      {"--backing-scale", "0", "o.png"},
      {"--backing-scale", "nan", "o.png"},
      {"--signal", "1000", "o.png"},
      {"--signal", "0:-6", "o.png"},
      {"--signal", "1000:x", "o.png"},
      {"--script", "press 1", "o.png"},
      {"--script", "drag 231 -1e39", "o.png"},
      {"--bogus", "o.png"},
      {"a.png", "b.png"},
  };
  for (const auto& args : table) {
    std::ostringstream out, err;
    EXPECT_EQ(RunEditorCommand(args, out, err), 2) << (args.empty() ? "" : args[0]);
    const std::string text = err.str();
    EXPECT_EQ(text.rfind("kelmo-editor: ", 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  }
}

// --help and -h, wherever they stand, print the whole usage: options, script steps, key names,
// exit statuses.
TEST(EditorCommand, HelpAndDashHPrintTheWholeUsage)
{
  const std::string words = std::string("--bundle DIR, --backing-scale S, --signal HZ:DBFS, rrelease X Y, "
                                        "wheel X Y DELTA, menu I/J, write FILE, Exit status, ") +
                            NamedKeyList();
  for (const char* help : {"--help", "-h"}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunEditorCommand({"--frames", "3", help, "o.png"}, out, err), 0) << help;
    std::istringstream list(words);
    for (std::string word; std::getline(list >> std::ws, word, ',');)
      EXPECT_NE(out.str().find(word), std::string::npos) << help << ": " << word;
  }
}

// The script's frames and signal steps take what --frames and --signal take, no more.
TEST(GestureScript, FramesAndSignalTakeTheCommandLinesRanges)
{
  const std::tuple<const char*, const char*, bool> table[] = {
      {"frames", "1", true},          {"frames", "36000", true}, {"frames", "0", false},
      {"frames", "36001", false},     {"frames", "2.5", false},  {"signal", "23999:40", true},
      {"signal", "0.5:-300", true},   {"signal", "0:-6", false}, {"signal", "24000:-6", false},
      {"signal", "1000:40.5", false},
  };
  for (const auto& [option, value, valid] : table) {
    std::string step = std::string(option) + " " + value, error;
    std::replace(step.begin(), step.end(), ':', ' ');
    EXPECT_EQ(ParseGestureScript(step, error).has_value(), valid) << step;
    // A value the command line takes gets as far as the missing bundle (1); a bad one stops it (2).
    std::ostringstream out, err;
    EXPECT_EQ(
        RunEditorCommand({"--bundle", "/nonexistent", std::string("--") + option, value, "o.png"}, out, err),
        valid ? 1 : 2)
        << step << ": " << err.str();
  }
}

// A bundle the editor cannot be shown from (missing, a plain file, without one of its pictures:
// every one is looked for, not only the first) gives status 1 and one line saying why.
TEST(EditorCommand, AnUnusableBundleGivesStatusOneAndOneLine)
{
  namespace fs = std::filesystem;
  const testsupport::TempFolder dir;
  const fs::path resources = fs::path(dir / "notrash.vst3") / "Contents" / "Resources";
  fs::create_directories(resources);
  fs::copy(fs::path(KELMO_BUNDLE) / "Contents" / "Resources", resources);
  fs::remove(resources / "Trash@2x.png");
  const std::pair<std::string, const char*> table[] = {
      {dir / "missing.vst3", "does not exist"},
      {dir.WriteFile("plain.vst3", "not a folder"), "is not a folder"},
      {dir / "notrash.vst3", "lacks the editor's picture Contents/Resources/Trash@2x.png"},
  };
  for (const auto& [bundle, says] : table) {
    std::ostringstream out, err;
    EXPECT_EQ(RunEditorCommand({"--bundle", bundle, "--frames", "1", dir / "o.png"}, out, err), 1);
    const std::string text = err.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_NE(text.find(says), std::string::npos) << text;
  }
}
