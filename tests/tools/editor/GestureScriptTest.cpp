// The gesture script's grammar and the tool's command line, hostile input included.
#include "tools/editor/GestureScript.h"
#include "tools/editor/EditorCommand.h"

#include <gtest/gtest.h>

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
                          "frames -1", "frames 99999999", "key", "key ab", "menu", "menu a/b", "menu 1//2",
                          "menu 1/", "write", "write a b", "wheel 1 2"}) {
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
