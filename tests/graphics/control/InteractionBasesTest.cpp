#include "graphics/control/IButtonControlBase.h"
#include "graphics/control/IKnobControlBase.h"
#include "graphics/control/ISliderControlBase.h"
#include "graphics/control/ISwitchControlBase.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;
using V = EDirection;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

template <class Base> struct Drawn : Base
{
  using Base::Base;
  void Draw(ICanvas&) override {}
};

class InteractionTest : public ::testing::Test
{
protected:
  template <class C, class... Args> C* Make(Args... args)
  {
    return static_cast<C*>(ui.AttachControl(new Drawn<C>(args...)));
  }
  TD dlg;
  RecordingCanvas ui{dlg};
  const IMouseMod left = LeftButton();
};

} // namespace

TEST_F(InteractionTest, SwitchStepsThroughItsPositionsAndTakesItsParametersCount)
{
  const double cases[][3] = {{2, 0, 1}, {2, 0.3, 0}, {3, 0.5, 1}, {3, 1, 0}, {5, 0.75, 1}, {5, 1, 0}};
  for (const auto& c : cases) {
    auto* s = Make<ISwitchControlBase>(IRECT(), -1, nullptr, int(c[0]));
    s->SetValue(c[1], 0);
    s->OnMouseDown(0, 0, left);
    EXPECT_EQ(s->GetValue(0), c[2]) << c[0] << " states from " << c[1];
  }
  EXPECT_EQ(Make<ISwitchControlBase>(IRECT(), TD::kSteps, nullptr, 2)->GetNumStates(), 11);
  EXPECT_EQ(Make<ISwitchControlBase>(IRECT(), 40, nullptr, 4)->GetNumStates(), 4); // no such parameter
  auto* mode = Make<ISwitchControlBase>(IRECT(), TD::kMode, nullptr, 9);
  mode->SetStateDisabled(1, true);
  mode->SetStateDisabled(5, true); // beyond the three positions: ignored
  EXPECT_EQ(
      (std::vector<bool>{mode->GetStateDisabled(1), mode->GetStateDisabled(2), mode->GetStateDisabled(5)}),
      (std::vector<bool>{true, false, false}));
}

TEST_F(InteractionTest, KnobDragFollowsGearingFineModeAxisAndStepsAndNeverSendsNaN)
{
  const struct
  {
    V dir;
    double gearing;
    float dX, dY;
    bool fine;
    double expected;
  } cases[] = {{V::Vertical, 1, 0, -100, false, 1.0},   {V::Vertical, 1, 0, 30, false, 0.2},
               {V::Vertical, 2, 0, -50, false, 0.75},   {V::Vertical, 1, 0, -50, true, 0.55},
               {V::Horizontal, 1, 10, -99, false, 1.0}, {V::Vertical, 0, 0, -50, false, 0.5},
               {V::Vertical, 1, 0, kNaN, false, 0.5}};
  for (const auto& c : cases) {
    auto* k = Make<IKnobControlBase>(IRECT(0, 0, 20, 100), TD::kGain, c.dir, c.gearing);
    k->SetValue(0.5, 0);
    dlg.calls.clear();
    k->OnMouseDown(10, 50, left);
    k->OnMouseDrag(10, 50, c.dX, c.dY, WithKeys(left, c.fine));
    EXPECT_NEAR(k->GetValue(0), c.expected, 1e-12) << c.gearing << " " << c.dY;
    EXPECT_EQ(dlg.CallsNamed("Send").size(), c.expected == 0.5 ? 0u : 1u);
  }
  auto* flat = Make<IKnobControlBase>(IRECT(0, 0, 20, 0), TD::kGain, V::Vertical, 1.0);
  flat->OnMouseDrag(0, 0, 0, -5, left); // no height to measure the drag over
  EXPECT_EQ(flat->GetValue(0), 0.0);
  auto* stepped = Make<IKnobControlBase>(IRECT(0, 0, 20, 100), TD::kSteps, V::Vertical, 1.0);
  stepped->SetValue(0.5, 0);
  stepped->OnMouseDown(10, 50, left);
  std::vector<double> seen;
  for (float dY : {-3.f, -3.f, -3.f, 3.f, 3.f, 3.f})
    stepped->OnMouseDrag(10, 50, 0, dY, left), seen.push_back(std::round(stepped->GetValue(0) * 10.0));
  EXPECT_EQ(seen, (std::vector<double>{5, 6, 6, 6, 5, 5})); // whole steps from a smooth drag
}

TEST_F(InteractionTest, WheelAddsHundredthsOrExactlyOneStep)
{
  const double cases[][5] = {// parameter, from, delta, fine, expected
                             {TD::kGain, 0.5, 2, 0, 0.52},  {TD::kGain, 0.5, 2, 1, 0.502},
                             {TD::kGain, 0.99, 5, 0, 1.0},  {TD::kSteps, 0.5, 0.2, 0, 0.6},
                             {TD::kSteps, 0.5, -7, 0, 0.4}, {TD::kSteps, 0.5, 0, 0, 0.5},
                             {TD::kGain, 0.5, kNaN, 0, 0.5}};
  for (const auto& c : cases) {
    for (IControl* control :
         {static_cast<IControl*>(Make<IKnobControlBase>(IRECT(), int(c[0]), V::Vertical, 1.0)),
          static_cast<IControl*>(Make<ISliderControlBase>(IRECT(), int(c[0]), V::Vertical, 1.0, 5.f))}) {
      control->SetValue(c[1], 0);
      control->OnMouseWheel(0, 0, WithKeys(NoButton(), c[3] != 0), float(c[2]));
      EXPECT_NEAR(control->GetValue(0), c[4], 1e-12) << c[0] << " " << c[2];
    }
  }
}

TEST_F(InteractionTest, SliderJumpsThenDragsRelativelyOrFollowsThePointer)
{
  auto* s = Make<ISliderControlBase>(IRECT(0, 0, 20, 100), TD::kGain, V::Vertical, 1.0, 5.f);
  std::vector<double> seen;
  ui.OnMouseDown(Press(10, 25)); // jumps to the pointer, hides it
  seen.push_back(s->GetValue(0));
  ui.OnMouseDrag(Drag(10, 15, 0, -10)); // relative while the pointer is hidden
  seen.push_back(s->GetValue(0));
  s->OnMouseDrag(10, 60, 0, 45, LeftButton(1)); // a touch follows the pointer
  seen.push_back(s->GetValue(0));
  EXPECT_TRUE(ui.CursorIsHidden());
  ui.OnMouseUp(Press(10, 60));
  EXPECT_FALSE(ui.CursorIsHidden());
  auto* stepped = Make<ISliderControlBase>(IRECT(0, 0, 100, 20), TD::kSteps, V::Horizontal, 1.0, 5.f);
  stepped->SetHidePointer(false);
  stepped->SetValue(0.5, 0);
  stepped->OnMouseDown(90, 10, left); // no jump
  seen.push_back(stepped->GetValue(0));
  stepped->OnMouseDrag(98, 10, 8, 0, left); // relative and snapped
  seen.push_back(stepped->GetValue(0));
  const std::vector<double> expected{0.75, 0.85, 0.4, 0.5, 0.6};
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(seen[i], expected[i], 1e-12) << i;
}

TEST_F(InteractionTest, ButtonHoldsOneUntilItsClickAnimationEnds)
{
  FrameDriver frames(ui);
  int ended = 0;
  auto* b = Make<IButtonControlBase>(IRECT(0, 0, 20, 20), IActionFunction(IControl::DefaultClickAction));
  b->SetAnimationEndActionFunction([&](IControl*) { ++ended; });
  ui.OnMouseDblClick(10, 10, left); // a double click is a click
  ui.OnMouseUp(Press(10, 10));
  frames.AdvanceMs(80.0);
  frames.Tick(); // 96.7 ms after the click
  EXPECT_EQ(b->GetValue(0), 1.0);
  frames.Tick(); // 113 ms
  EXPECT_EQ((std::vector<double>{b->GetValue(0), double(ended)}), (std::vector<double>{0, 1}));
}
