// A drag is the hand's motion: while a knob holds the cursor hidden at its press point, each event
// carries the motion since the previous one, so a drag ends where it ends however many steps it
// takes, and clicks after it land where they are aimed.
#include "EditorToolTestSupport.h"

#include "engine/dsp/KelmoParams.h"
#include "platform/mac/system/Display.h"
#include "tools/render/UserPresetIsolation.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelmo::editor;

namespace {

// The "Input Gain" knob's middle.
constexpr float kInputX = 119.5f, kInputY = 488.5f;
// The left "Threshold" knob's middle.
constexpr float kThresholdX = 231.f, kThresholdY = 117.f;

struct DragResult
{
  double value = 0.0;
  std::string shown;
  Frame frame;
};

// Presses the knob at (x, y), moves the hand up by distance in steps equal steps, releases and
// lets a frame draw.
DragResult DragUp(float x, float y, float distance, int steps)
{
  const kelmo::render::UserPresetIsolation isolation;
  auto session = editortest::OpenSession();
  if (!session) return {};
  session->RunFrames(1);
  session->MoveMouse(x, y);
  session->Press(x, y);
  for (int i = 1; i <= steps; ++i)
    session->Drag(x, y - distance * static_cast<float>(i) / static_cast<float>(steps));
  session->Release(x, y - distance);
  session->RunFrames(1);
  return {session->Plugin().Controller().getParamNormalized(kInputGain),
          editortest::ShownValue(*session, kInputGain), session->Read()};
}

int DifferentPixels(const Frame& a, const Frame& b)
{
  if (a.width != b.width || a.height != b.height) return -1;
  int n = 0;
  for (size_t i = 0; i + 3 < a.rgba.size(); i += 4)
    n += a.rgba[i] != b.rgba[i] || a.rgba[i + 1] != b.rgba[i + 1] || a.rgba[i + 2] != b.rgba[i + 2];
  return n;
}

} // namespace

TEST(DragMotion, TheSameDragInAnyNumberOfStepsEndsAtTheSameValueAndPicture)
{
  for (const float distance : {38.f, 57.f}) {
    const DragResult one = DragUp(kInputX, kInputY, distance, 1);
    // Short of the end of the range, where counting a motion twice would show.
    EXPECT_GT(one.value, 0.5) << distance;
    EXPECT_LT(one.value, 0.95) << distance;
    for (const int steps : {2, 3, 6}) {
      const DragResult split = DragUp(kInputX, kInputY, distance, steps);
      EXPECT_DOUBLE_EQ(split.value, one.value) << distance << " in " << steps;
      EXPECT_EQ(split.shown, one.shown) << distance << " in " << steps;
      EXPECT_EQ(DifferentPixels(split.frame, one.frame), 0) << distance << " in " << steps;
    }
  }
}

TEST(DragMotion, MovingUpAndDownByAPointLeavesTheValue)
{
  const kelmo::render::UserPresetIsolation isolation;
  auto session = editortest::OpenSession();
  ASSERT_TRUE(session);
  session->RunFrames(1);
  const double before = session->Plugin().Controller().getParamNormalized(kInputGain);
  session->Press(kInputX, kInputY);
  ASSERT_GT(plugin::sys::DisplayCursor().hideCount, 0); // the knob hides the cursor
  for (int i = 0; i < 3; ++i) {
    session->Drag(kInputX, kInputY - 1.f);
    session->Drag(kInputX, kInputY);
  }
  session->Release(kInputX, kInputY);
  EXPECT_DOUBLE_EQ(session->Plugin().Controller().getParamNormalized(kInputGain), before);
  EXPECT_EQ(plugin::sys::DisplayCursor().hideCount, 0);
}

TEST(DragMotion, AfterADragAPressElsewhereLandsWhereItIsAimed)
{
  const kelmo::render::UserPresetIsolation isolation;
  // The threshold knob dragged on a fresh editor, and after another knob's drag: the cursor stays
  // hidden at the first knob until its release, then the hand goes on to the second.
  double fresh = 0.0, after = 0.0;
  for (const bool first : {false, true}) {
    auto session = editortest::OpenSession();
    ASSERT_TRUE(session);
    session->RunFrames(1);
    double input = session->Plugin().Controller().getParamNormalized(kInputGain);
    if (first) {
      session->Press(kInputX, kInputY);
      session->Drag(kInputX, kInputY - 20.f);
      session->Release(kInputX, kInputY - 20.f);
      EXPECT_NE(session->Plugin().Controller().getParamNormalized(kInputGain), input);
      input = session->Plugin().Controller().getParamNormalized(kInputGain);
    }
    session->Press(kThresholdX, kThresholdY);
    session->Drag(kThresholdX, kThresholdY - 57.f);
    session->Drag(kThresholdX, kThresholdY - 114.f);
    session->Release(kThresholdX, kThresholdY - 114.f);
    EXPECT_DOUBLE_EQ(session->Plugin().Controller().getParamNormalized(kInputGain), input);
    (first ? after : fresh) = session->Plugin().Controller().getParamNormalized(kLThreshold);
  }
  EXPECT_GT(fresh, 0.0);
  EXPECT_DOUBLE_EQ(after, fresh);
}
