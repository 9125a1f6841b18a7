#include "framework/runloop/RunLoop.h"
#include "graphics/menu/IPopupMenu.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

const IRECT kBox(10, 10, 30, 20);

class ControlTest : public ::testing::Test
{
protected:
  // A control attached to the context with an action that counts.
  RecordingControl* Attach(RecordingControl* c)
  {
    c->SetActionFunction([this](IControl*) { ++actions; });
    return static_cast<RecordingControl*>(ui.AttachControl(c));
  }
  std::vector<double> Values(const IControl& c)
  {
    std::vector<double> v;
    for (int i = 0; i < c.NVals(); ++i)
      v.push_back(c.GetValue(i));
    return v;
  }

  TD dlg;
  RecordingCanvas ui{dlg};
  int actions = 0;
};

} // namespace

TEST_F(ControlTest, ConstructorsGiveValueEntries)
{
  RecordingControl one(kBox, TD::kSteps), two(kBox, {TD::kGain, TD::kSteps}),
      none(kBox, std::initializer_list<int>{});
  EXPECT_EQ(one.GetParamIdx(0), TD::kSteps);
  EXPECT_EQ(one.GetValIdxForPos(0, 0), 0);
  EXPECT_EQ(two.GetParamIdx(1), TD::kSteps);
  EXPECT_EQ(two.GetValIdxForPos(0, 0), -1);
  EXPECT_EQ(none.GetValIdxForPos(0, 0), -1);
  EXPECT_EQ(none.GetParamIdx(0), -1); // no entry 0 to read: unbound
  EXPECT_EQ(one.GetHitRect(), kBox);
  EXPECT_TRUE(one.GetPromptBlocked());
  EXPECT_EQ(one.GetParam(0), nullptr); // unattached: no delegate
}

TEST_F(ControlTest, SetDirtyClampsSendsUpdatesPeersAndRunsActionOnce)
{
  struct Case
  {
    std::vector<int> params;
    std::vector<double> before;
    bool trigger;
    int valIdx;
    std::vector<double> after;
    std::vector<DelegateCall> sends;
    int actions;
  };
  const Case cases[] = {
      {{TD::kSteps}, {1.3}, true, 5, {1.0}, {{"Send", TD::kSteps, 1.0}}, 1}, // one entry: any index is 0
      {{TD::kSteps}, {-0.2}, false, -1, {0.0}, {}, 0},
      {{TD::kGain, -1}, {1.5, 2.0}, true, -1, {1.0, 1.0}, {{"Send", TD::kGain, 1.0}}, 1},
      {{TD::kGain, -1}, {1.5, 2.0}, true, 1, {1.5, 1.0}, {}, 1},
      {{TD::kGain, 99}, {0.5, 0.5}, true, -1, {0.5, 0.5}, {{"Send", TD::kGain, 0.5}}, 1}, // 99: unknown
  };
  for (const Case& c : cases) {
    ui.RemoveAllControls();
    dlg.calls.clear();
    actions = 0;
    auto* ctrl = c.params.size() == 1 ? new RecordingControl(kBox, c.params[0])
                                      : new RecordingControl(kBox, {c.params[0], c.params[1]});
    for (size_t i = 0; i < c.before.size(); ++i)
      ctrl->SetValue(c.before[i], int(i));
    Attach(ctrl);
    auto* peer = Attach(new RecordingControl(kBox, {-1, c.params[0]}));
    ctrl->SetClean();
    ctrl->SetDirty(c.trigger, c.valIdx);
    EXPECT_EQ(Values(*ctrl), c.after) << c.valIdx;
    EXPECT_EQ(dlg.CallsNamed("Send"), c.sends) << c.valIdx;
    EXPECT_EQ(actions, c.actions) << c.valIdx;
    EXPECT_TRUE(ctrl->GetNeedsRedraw());
    EXPECT_EQ(peer->GetValue(1), c.sends.empty() ? 0.0 : c.sends[0].value); // peers follow at their own entry
  }
}

TEST_F(ControlTest, DelegateValuesAreIgnoredWhileCapturedUnchangedOrUnbound)
{
  auto* c = Attach(new RecordingControl(kBox, TD::kGain));
  auto* none = Attach(new RecordingControl(kBox, std::initializer_list<int>{}));
  none->SetValueFromDelegate(0.7, 0);
  EXPECT_EQ(none->NVals(), 0);
  c->SetValueFromDelegate(0.7, 3);
  ui.Capture(0, c);
  c->SetValueFromDelegate(0.4, 0);
  EXPECT_EQ(c->GetValue(), 0.0);
  ui.ReleaseMouseCapture();
  c->SetClean();
  c->SetValueFromDelegate(0.0, 0); // unchanged: not even redrawn
  EXPECT_FALSE(c->GetNeedsRedraw());
  c->SetValueFromDelegate(0.4, 0);
  EXPECT_EQ(c->GetValue(), 0.4);
  EXPECT_TRUE(c->GetNeedsRedraw());
  c->SetValueFromUserInput(0.4, 0); // unchanged user input: nothing sent, no action
  EXPECT_TRUE(dlg.CallsNamed("Send").empty());
  EXPECT_EQ(actions, 0);
  c->SetValueFromUserInput(0.6, 0);
  EXPECT_EQ(dlg.CallsNamed("Send"), (std::vector<DelegateCall>{{"Send", TD::kGain, 0.6}}));
  EXPECT_EQ(actions, 1);
}

TEST_F(ControlTest, DefaultsComeFromTheParametersAndDoubleClickRestoresThem)
{
  auto* c = Attach(new RecordingControl(kBox, {TD::kGain, TD::kSteps, TD::kMode, TD::kBypass, 99, -1}));
  for (int i = 0; i < c->NVals(); ++i)
    c->SetValue(0.9, i);
  c->SetValueToDefault(-1);
  EXPECT_EQ(Values(*c), (std::vector<double>{0.5, 0.5, 0.5, 0.0, 0.9, 0.9}));
  EXPECT_EQ(dlg.CallsNamed("Send").size(), 4u);
  EXPECT_EQ(actions, 1);

  dlg.calls.clear();
  auto* steps = Attach(new RecordingControl(kBox, TD::kSteps));
  steps->SetValue(0.9, 0);
  steps->OnMouseDblClick(0, 0, LeftButton());
  EXPECT_EQ(steps->GetValue(), 0.5);
  EXPECT_EQ(dlg.CallsNamed("Send"), (std::vector<DelegateCall>{{"Send", TD::kSteps, 0.5}}));
  EXPECT_EQ(actions, 2);
}

TEST_F(ControlTest, PopupSelectionBecomesAParameterValue)
{
  struct Case
  {
    int param, chosen, valIdx;
    bool blocked, nullMenu;
    double expected;
  };
  const Case cases[] = {
      {TD::kMode, 2, 0, false, false, 1.0},   {TD::kSteps, 7, 0, false, false, 0.7},
      {TD::kSteps, 15, 0, false, false, 1.0}, {TD::kSteps, 7, 0, true, false, 0.25},
      {TD::kSteps, 7, 0, false, true, 0.25},  {TD::kSteps, 7, -1, false, false, 0.25},
      {99, 7, 0, false, false, 0.25},
  };
  for (const Case& c : cases) {
    auto* ctrl = Attach(new RecordingControl(kBox, c.param));
    ctrl->SetValue(0.25, 0);
    ctrl->SetPromptBlocked(c.blocked);
    IPopupMenu menu;
    menu.SetChosenItemIdx(c.chosen);
    ctrl->OnPopupMenuSelection(c.nullMenu ? nullptr : &menu, c.valIdx);
    EXPECT_NEAR(ctrl->GetValue(), c.expected, 1e-12) << c.param << " " << c.chosen;
  }
}

TEST_F(ControlTest, SnapToMouseRoundsToThreeDecimalsAndClips)
{
  struct Case
  {
    float x, y;
    EDirection dir;
    IRECT bounds;
    double minClip, expected;
  };
  const IRECT b(0, 0, 100, 200);
  const Case cases[] = {
      {5, 0, EDirection::Vertical, b, 0, 1.0},
      {5, 200, EDirection::Vertical, b, 0, 0.0},
      {5, 300, EDirection::Vertical, b, 0, 0.0},
      {5, 66.66f, EDirection::Vertical, b, 0, 0.667},
      {12.3456f, 9, EDirection::Horizontal, b, 0, 0.123},
      {0, 9, EDirection::Horizontal, b, 0.2, 0.2},
      {5, 5, EDirection::Vertical, IRECT(0, 10, 100, 10), 0, 0.5}, // no extent: value unchanged
  };
  for (const Case& c : cases) {
    auto* ctrl = Attach(new RecordingControl(kBox, TD::kGain));
    ctrl->SetValue(0.5, 0);
    ctrl->SnapToMouse(c.x, c.y, c.dir, c.bounds, -1, c.minClip, 1.0);
    EXPECT_NEAR(ctrl->GetValue(), c.expected, 1e-9) << c.x << "," << c.y;
  }
  EXPECT_EQ(dlg.CallsNamed("Send").size(), 6u); // not for the zero extent
}

TEST_F(ControlTest, PositionAndSizeMoveBothRectangles)
{
  auto* c = Attach(new RecordingControl(kBox, -1));
  c->SetHitRect(IRECT(12, 12, 28, 18));
  c->OnMouseOver(15, 15, NoButton());
  c->hooks.clear();
  c->SetPosition(-5, 30);
  EXPECT_EQ(c->GetBounds(), IRECT(0, 30, 20, 40));
  EXPECT_EQ(c->GetHitRect(), IRECT(2, 32, 18, 38));
  EXPECT_FALSE(c->GetMouseIsOver());
  c->SetSize(-1, 8);
  EXPECT_EQ(c->GetBounds(), IRECT(0, 30, 0, 38));
  EXPECT_EQ(c->GetHitRect(), c->GetBounds());
  EXPECT_EQ(c->hooks, (HookLog{"OnResize", "OnResize"}));
}

TEST_F(ControlTest, HideDisableHoverAndDrops)
{
  auto* c = Attach(new RecordingControl(kBox, -1));
  c->SetDisabled(true);
  EXPECT_EQ(c->GetBlend()->mWeight, 0.25f);
  c->SetDisabled(false);
  EXPECT_EQ(c->GetBlend()->mWeight, 1.f);
  c->SetClean();
  c->OnMouseOut(); // not hovered: stays clean
  EXPECT_FALSE(c->IsDirty());
  c->OnMouseOver(1, 1, NoButton());
  EXPECT_TRUE(c->IsDirty());
  c->OnDropMultiple({});
  c->OnDropMultiple({"a.txt", "b.txt"});
  EXPECT_EQ(c->lastText, "a.txt");
}

TEST_F(ControlTest, SetParamIdxBindsAnEntryAndRefusesABadIndexWithAnError)
{
  auto* two = Attach(new RecordingControl(kBox, {-1, -1}));
  auto* none = Attach(new RecordingControl(kBox, std::initializer_list<int>{}));
  two->SetClean();
  two->SetParamIdx(TD::kSteps, 1);
  EXPECT_EQ((std::vector<int>{two->GetParamIdx(0), two->GetParamIdx(1)}), (std::vector<int>{-1, TD::kSteps}));
  EXPECT_TRUE(two->GetNeedsRedraw());
  // {control, value index}: outside the entries, the standard out-of-range error and no change.
  const std::pair<RecordingControl*, int> bad[] = {{two, 2}, {two, -1}, {none, 0}};
  for (const auto& [control, valIdx] : bad) {
    control->SetClean();
    EXPECT_THROW(control->SetParamIdx(TD::kGain, valIdx), std::out_of_range) << valIdx;
    EXPECT_FALSE(control->GetNeedsRedraw()) << valIdx;
  }
  EXPECT_EQ((std::vector<int>{two->GetParamIdx(0), two->GetParamIdx(1)}), (std::vector<int>{-1, TD::kSteps}));
}

TEST_F(ControlTest, AnimationEndsOnTheFirstFramePastProgressOne)
{
  plugin::ManualRunLoopClock clock(1000.0);
  plugin::RunLoop::Main().SetClock(&clock);
  auto* c = Attach(new RecordingControl(kBox, -1));
  int ends = 0;
  c->SetAnimationEndActionFunction([&](IControl*) { ++ends; });
  EXPECT_EQ(c->GetAnimationProgress(), 0.0);
  c->SetAnimationFunction(&IControl::DefaultAnimation); // no duration given: ends on the next frame
  c->StepAnimation();
  EXPECT_FALSE(c->GetAnimationFunction());
  IControl::DefaultClickAction(c);
  c->SetClean();
  EXPECT_TRUE(c->IsDirty()); // animating counts as dirty
  const struct
  {
    double advanceMs;
    bool animating;
  } frames[] = {{50.0, true}, {50.0, true}, {0.001, false}};
  for (const auto& f : frames) {
    clock.AdvanceMs(f.advanceMs);
    c->StepAnimation();
    EXPECT_EQ(bool(c->GetAnimationFunction()), f.animating) << c->GetAnimationProgress();
  }
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(c->hooks.back(), "OnEndAnimation");
  c->SetClean();
  EXPECT_FALSE(c->IsDirty());
  plugin::RunLoop::Main().SetClock(nullptr);
}

TEST_F(ControlTest, GesturesRunTheirRegisteredHandler)
{
  auto* c = Attach(new RecordingControl(kBox, -1));
  EXPECT_FALSE(c->WantsGestures());
  int first = 0, second = 0;
  c->AddGestureHandler(3, [&](IControl*, const IGestureInfo&) { ++first; });
  c->AddGestureHandler(3, [&](IControl*, const IGestureInfo&) { ++second; }); // the first one stays
  EXPECT_TRUE(c->WantsGestures());
  IGestureInfo info;
  info.type = 5;
  EXPECT_FALSE(c->OnGesture(info));
  info.type = 3;
  EXPECT_TRUE(c->OnGesture(info));
  EXPECT_EQ(first + 10 * second, 1);
  EXPECT_EQ(c->GetLastGestureType(), 3);
  c->SetAnimationFunction(&IControl::DefaultAnimation);
  EXPECT_FALSE(c->WantsGestures());
}

TEST_F(ControlTest, HostContextMenuInterface)
{
  RecordingControl c(kBox, -1);
  void* obj = nullptr;
  const char other[16] = {1};
  EXPECT_EQ(c.queryInterface(other, &obj), IControl::kNoInterface);
  EXPECT_EQ(c.queryInterface(kContextMenuTargetIID, nullptr), IControl::kInvalidArgument);
  EXPECT_EQ(c.queryInterface(kContextMenuTargetIID, &obj), IControl::kResultOk);
  EXPECT_EQ(obj, &c);
  EXPECT_EQ(c.release(), 1u);
  EXPECT_EQ(c.release(), 0u);
  EXPECT_EQ(c.release(), 0u); // never wraps, never deletes
  EXPECT_EQ(c.executeMenuItem(5), IControl::kResultOk);
  EXPECT_EQ(c.lastInt, 5);
  EXPECT_TRUE(c.isA("IControl") && !c.isA("FObject") && c.isTypeOf("FObject", true) && !c.isTypeOf(nullptr));
}
