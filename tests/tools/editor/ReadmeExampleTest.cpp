// The README's kelmo-editor example does what its words say: it drags both thresholds to -16 dB
// while the tone makes the needles show gain reduction.
#include "EditorToolTestSupport.h"

#include "editor/EditorTags.h"
#include "editor/VUMeterControl.h"
#include "engine/dsp/KelmoParams.h"
#include "platform/mac/ICanvasMac.h"
#include "tools/editor/GestureScript.h"
#include "tools/render/UserPresetIsolation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace kelmo::editor;

namespace {

// The README's lines, continuation backslashes joined.
std::vector<std::string> ReadmeLines()
{
  std::ifstream in(KELMO_README);
  std::vector<std::string> lines;
  bool continued = false;
  for (std::string line; std::getline(in, line);) {
    const bool continues = !line.empty() && line.back() == '\\';
    if (continues) line.pop_back();
    if (continued)
      lines.back() += line;
    else
      lines.push_back(line);
    continued = continues;
  }
  return lines;
}

// A command line split into words as a shell splits it: blanks separate, double quotes group.
std::vector<std::string> Words(const std::string& line)
{
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

// The arguments of the README's examples of the tool, in order.
std::vector<std::vector<std::string>> Examples()
{
  std::vector<std::vector<std::string>> examples;
  for (const std::string& line : ReadmeLines())
    if (line.rfind("./build/tools/kelmo-editor ", 0) == 0) {
      std::vector<std::string> words = Words(line);
      words.erase(words.begin());
      examples.push_back(std::move(words));
    }
  return examples;
}

std::string Option(const std::vector<std::string>& args, const std::string& name, const std::string& otherwise)
{
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == name) return args[i + 1];
  return otherwise;
}

} // namespace

TEST(ReadmeExample, TheEditorExampleDragsBothThresholdsAndTheNeedlesShowGainReduction)
{
  const auto examples = Examples();
  ASSERT_FALSE(examples.empty());
  const std::vector<std::string>& args = examples[0];
  const std::string signal = Option(args, "--signal", "1000:-12");
  const auto colon = signal.find(':');
  ASSERT_NE(colon, std::string::npos);
  std::string error;
  const auto steps = ParseGestureScript(Option(args, "--script", ""), error);
  ASSERT_TRUE(steps) << error;

  // Played as the tool plays it.
  const kelmo::render::UserPresetIsolation isolation;
  auto session = editortest::OpenSession();
  ASSERT_TRUE(session);
  session->SetSignal(std::stod(signal.substr(0, colon)), std::stod(signal.substr(colon + 1)));
  session->RunFrames(std::stoi(Option(args, "--frames", "60")));
  std::ostringstream shown;
  ASSERT_TRUE(PlayGestureScript(*session, *steps, shown, error)) << error;
  EXPECT_EQ(editortest::ShownValue(*session, kLThreshold), "-16.0");
  EXPECT_EQ(editortest::ShownValue(*session, kRThreshold), "-16.0");
  for (const int tag : {plugin::ui::kCtrlTagMeterL, plugin::ui::kCtrlTagMeterR}) {
    auto* meter = dynamic_cast<plugin::ui::VUMeterControl*>(session->Graphics()->GetControlWithTag(tag));
    ASSERT_TRUE(meter);
    EXPECT_GT(meter->NeedlePosition(), 0.2f) << tag;
  }
}
