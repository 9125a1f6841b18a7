// The gesture script's grammar and the tool's command line, hostile input included.
#include "tools/editor/GestureScript.h"
#include "tools/editor/EditorCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

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
  std::ostringstream out, err;
  EXPECT_EQ(RunEditorCommand({"--help"}, out, err), 0);
  EXPECT_NE(out.str().find("usage"), std::string::npos);
}

TEST(GestureScript, KeysAreOneCharacterOrANamedKey)
{
  for (const char* name : {"a", "Z", "7", ".", "space", "Return", "Escape", "Tab", "Backspace", "Left",
                           "Right", "Up", "Down", "SPACE", "return"}) {
    std::string error;
    const auto steps = ParseGestureScript(std::string("key ") + name, error);
    ASSERT_TRUE(steps) << name << ": " << error;
    EXPECT_EQ((*steps)[0].text, name);
  }
}

// The script's frames and signal steps refuse exactly what --frames and --signal refuse.
TEST(GestureScript, FramesAndSignalTakeTheCommandLinesRanges)
{
  const struct
  {
    const char* step;   // the script step
    const char* option; // the same through the command line
    const char* value;
    bool valid;
  } table[] = {
      {"frames 1", "--frames", "1", true},
      {"frames 36000", "--frames", "36000", true},
      {"frames 2.5", "--frames", "2.5", false},
      {"frames 0", "--frames", "0", false},
      {"frames 36001", "--frames", "36001", false},
      {"signal 1000 -6", "--signal", "1000:-6", true},
      {"signal 23999 40", "--signal", "23999:40", true},
      {"signal 0.5 -300", "--signal", "0.5:-300", true},
      {"signal 0 -6", "--signal", "0:-6", false},
      {"signal -5 -6", "--signal", "-5:-6", false},
      {"signal 24000 -6", "--signal", "24000:-6", false},
      {"signal 1e9 -6", "--signal", "1e9:-6", false},
      {"signal 1000 40.5", "--signal", "1000:40.5", false},
      {"signal 1000 1e6", "--signal", "1000:1e6", false},
  };
  for (const auto& row : table) {
    std::string error;
    EXPECT_EQ(ParseGestureScript(row.step, error).has_value(), row.valid) << row.step;
    if (row.valid) continue; // a valid option would open the editor
    EXPECT_NE(error.find(row.step), std::string::npos) << error;
    std::ostringstream out, err;
    EXPECT_EQ(RunEditorCommand({row.option, row.value, "o.png"}, out, err), 2) << row.option << " " << row.value;
    const std::string text = err.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  }
}
