// Knob drags through the editor as a hand makes them, and the README's example made of them.
#include "editor/EditorTags.h"
#include "editor/VUMeterControl.h"
#include "engine/dsp/KelmoParams.h"
#include "platform/mac/ICanvasMac.h"
#include "tools/editor/EditorSession.h"
#include "tools/editor/GestureScript.h"
#include "tools/render/UserPresetIsolation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

using namespace kelmo::editor;

// Each step of a drag moves the knob by the hand's motion since the previous one, so the same drag
// ends at the same value and picture in one step or in several, and a point up and back leaves it.
// Then, with its tone playing, the README's first kelmo-editor example drags both thresholds to
// -16 dB and the needles show gain reduction, as its words say.
TEST(DragMotion, ADragEndsAlikeInOneStepOrSeveralAndTheReadmeExampleDoesWhatItSays)
{
  const kelmo::render::UserPresetIsolation isolation;
  std::string error;
  const auto session = EditorSession::Open({KELMO_BUNDLE}, error);
  ASSERT_TRUE(session) << error;
  auto& controller = session->Plugin().Controller();
  // Drags the "Input Gain" knob through the vertical offsets; the value and what shows. The presses
  // alternate between two points 5 apart, so that none makes a double click.
  int presses = 0;
  const auto drag = [&](std::initializer_list<float> offsets) {
    const float x = 119.5f + 5.f * static_cast<float>(presses++ % 2), y = 488.5f;
    session->Press(x, y);
    for (const float dy : offsets)
      session->Drag(x, y + dy);
    session->Release(x, y + *(offsets.end() - 1));
    session->RunFrames(1);
    const Frame frame = session->Read(); // its bottom bar: the knob, its value
    return std::pair{controller.getParamNormalized(kInputGain),
                     std::vector(frame.rgba.end() - 4 * 40 * frame.width, frame.rgba.end())};
  };
  const double start = controller.getParamNormalized(kInputGain);
  const auto one = drag({-57.f});
  EXPECT_GT(one.first, start);
  EXPECT_LT(one.first, 0.95); // short of the range's end, where a motion counted twice would not show
  EXPECT_DOUBLE_EQ(drag({57.f}).first, start);
  const auto three = drag({-19.f, -38.f, -57.f});
  EXPECT_DOUBLE_EQ(three.first, one.first);
  EXPECT_TRUE(three.second == one.second) << "the frames differ";
  EXPECT_DOUBLE_EQ(drag({-1.f, 0.f, 1.f, 0.f, -1.f, 0.f}).first, one.first);
  EXPECT_DOUBLE_EQ(drag({57.f}).first, start);

  std::ifstream in(KELMO_README);
  const std::string readme = std::regex_replace(std::string(std::istreambuf_iterator<char>(in), {}),
                                                std::regex("\\\\\n"), ""); // continued lines joined
  std::smatch example;
  ASSERT_TRUE(std::regex_search(readme, example,
                                std::regex(R"(\./build/tools/kelmo-editor --frames \d+ --signal )"
                                           R"re(([\d.]+):(-?[\d.]+) --script "([^"]*)")re")));
  auto steps = ParseGestureScript(example[3], error);
  ASSERT_TRUE(steps) << error;
  // The tone is steady: what the needles show 15 frames after the drags they show after more,
  // whatever frames come before.
  constexpr double kMostFrames = 15;
  for (ScriptStep& step : *steps)
    if (step.kind == ScriptStep::Kind::Frames) step.numbers[0] = std::min(step.numbers[0], kMostFrames);
  session->SetSignal(std::stod(example[1]), std::stod(example[2]));
  std::ostringstream shown;
  ASSERT_TRUE(PlayGestureScript(*session, *steps, shown, error)) << error;
  for (const auto id : {kLThreshold, kRThreshold}) // stored positive, shown negated
    EXPECT_NEAR(controller.normalizedParamToPlain(id, controller.getParamNormalized(id)), 16.0, 0.05) << id;
  for (const int tag : {plugin::ui::kCtrlTagMeterL, plugin::ui::kCtrlTagMeterR}) {
    const auto* meter =
        dynamic_cast<plugin::ui::VUMeterControl*>(session->Graphics()->GetControlWithTag(tag));
    EXPECT_GT(meter ? meter->NeedlePosition() : 0.f, 0.2f) << tag;
  }
}
