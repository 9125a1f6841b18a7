#include "graphics/IButtonControlBase.h"
#include "graphics/IKnobControlBase.h"
#include "graphics/ISliderControlBase.h"
#include "graphics/ISwitchControlBase.h"
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

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

template <class Base> class Drawn : public Base
{
public:
  using Base::Base;
  void Draw(ICanvas&) override {}
};
using Switch = Drawn<ISwitchControlBase>;
using Knob = Drawn<IKnobControlBase>;
using Slider = Drawn<ISliderControlBase>;
using Button = Drawn<IButtonControlBase>;

class InteractionTest : public ::testing::Test
{
protected:
  template <class C> C* Attach(C* control) { return static_cast<C*>(ui.AttachControl(control)); }
  int Sends() const { return static_cast<int>(dlg.CallsNamed("Send").size()); }

  TD dlg;
  RecordingCanvas ui{dlg};
  const IMouseMod left = LeftButton();
};

} // namespace

TEST_F(InteractionTest, SwitchStepsThroughItsPositionsAndWraps)
{
  struct Case
  {
    int states;
    double from, to;
  } cases[] = {{2, 0.0, 1.0}, {2, 0.3, 0.0}, {2, 1.0, 0.0}, {3, 0.0, 0.5}, {3, 0.5, 1.0},
               {3, 1.0, 0.0}, {5, 0.75, 1.0}, {5, 1.0, 0.0}, {4, 2.0 / 3.0, 1.0}};
  for (const Case& c : cases) {
    Switch* s = Attach(new Switch(IRECT(0, 0, 10, 10), -1, nullptr, c.states));
    s->SetValue(c.from, 0);
    s->OnMouseDown(5, 5, left);
    EXPECT_NEAR(s->GetValue(0), c.to, 1e-15) << c.states << " states from " << c.from;
    EXPECT_TRUE(s->GetPressed());
    s->OnMouseUp(5, 5, left);
    EXPECT_FALSE(s->GetPressed());
  }
}

TEST_F(InteractionTest, SwitchTakesItsParametersValueCountWhenAttached)
{
  EXPECT_EQ(Attach(new Switch(IRECT(), TD::kSteps, nullptr, 2))->GetNumStates(), 11);
  EXPECT_EQ(Attach(new Switch(IRECT(), TD::kMode, nullptr, 7))->GetNumStates(), 3);
  EXPECT_EQ(Attach(new Switch(IRECT(), 40, nullptr, 4))->GetNumStates(), 4); // unknown parameter

  Switch* s = Attach(new Switch(IRECT(), TD::kMode, nullptr, 2));
  s->SetStateDisabled(1, true);
  s->SetStateDisabled(3, true); // out of range: ignored
  EXPECT_EQ((std::vector<bool>{s->GetStateDisabled(0), s->GetStateDisabled(1), s->GetStateDisabled(2),
                               s->GetStateDisabled(3), s->GetStateDisabled(-1)}),
            (std::vector<bool>{false, true, false, false, false}));
  s->SetAllStatesDisabled(true);
  EXPECT_TRUE(s->GetStateDisabled(0) && s->GetStateDisabled(2));
}

TEST_F(InteractionTest, KnobDragFollowsGearingFineModeAndDirection)
{
  struct Case
  {
    const char* name;
    EDirection dir;
    double gearing;
    float dX, dY;
    bool fine;
    double expected;
  } cases[] = {
      {"full height sweeps the range", EDirection::Vertical, 1.0, 0, -100, false, 1.0},
      {"downwards lowers", EDirection::Vertical, 1.0, 0, 30, false, 0.2},
      {"gearing 2 needs twice the way", EDirection::Vertical, 2.0, 0, -50, false, 0.75},
      {"fine needs ten times", EDirection::Vertical, 1.0, 0, -50, true, 0.55},
      {"horizontal over the width", EDirection::Horizontal, 1.0, 10, -99, false, 1.0},
      {"zero gearing changes nothing", EDirection::Vertical, 0.0, 0, -50, false, 0.5},
      {"non-finite move changes nothing", EDirection::Vertical, 1.0, 0, kNaN, false, 0.5},
  };
  for (const Case& c : cases) {
    Knob* k = Attach(new Knob(IRECT(0, 0, 20, 100), TD::kGain, c.dir, c.gearing));
    k->SetValue(0.5, 0);
    dlg.calls.clear();
    k->OnMouseDown(10, 50, left);
    k->OnMouseDrag(10, 50, c.dX, c.dY, WithKeys(left, c.fine));
    EXPECT_NEAR(k->GetValue(0), c.expected, 1e-12) << c.name;
    EXPECT_EQ(Sends(), c.expected == 0.5 ? 0 : 1) << c.name; // never a NaN sent
  }
  Knob* flat = Attach(new Knob(IRECT(0, 0, 20, 0), TD::kGain, EDirection::Vertical, 1.0)); // zero extent
  flat->OnMouseDown(0, 0, left);
  flat->OnMouseDrag(0, 0, 0, -5, left);
  EXPECT_EQ(flat->GetValue(0), 0.0);
}

TEST_F(InteractionTest, SteppedKnobMovesInWholeStepsWhileTheDragValueMovesSmoothly)
{
  Knob* k = Attach(new Knob(IRECT(0, 0, 20, 100), TD::kSteps, EDirection::Vertical, 1.0));
  k->SetValue(0.5, 0);
  k->OnMouseDown(10, 50, left);
  std::vector<double> seen;
  for (float dY : {-3.f, -3.f, -3.f, 3.f, 3.f, 3.f}) {
    k->OnMouseDrag(10, 50, 0, dY, left);
    seen.push_back(std::round(k->GetValue(0) * 10.0));
  }
  EXPECT_EQ(seen, (std::vector<double>{5, 6, 6, 6, 5, 5}));
  EXPECT_NEAR(k->GetDragValue(), 0.5, 1e-12);
}

TEST_F(InteractionTest, WheelAddsHundredthsOrOneStep)
{
  struct Case
  {
    const char* name;
    int param;
    double from;
    float delta;
    bool fine;
    double expected;
  } cases[] = {
      {"continuous", TD::kGain, 0.5, 2.f, false, 0.52},     {"continuous fine", TD::kGain, 0.5, 2.f, true, 0.502},
      {"clamped", TD::kGain, 0.99, 5.f, false, 1.0},         {"one step up", TD::kSteps, 0.5, 0.2f, false, 0.6},
      {"one step for a big delta", TD::kSteps, 0.5, -7.f, false, 0.4}, {"no delta", TD::kSteps, 0.5, 0.f, false, 0.5},
      {"top stays", TD::kSteps, 1.0, 3.f, false, 1.0},      {"non-finite", TD::kGain, 0.5, kNaN, false, 0.5},
  };
  for (const Case& c : cases) {
    Knob* k = Attach(new Knob(IRECT(0, 0, 20, 20), c.param, EDirection::Vertical, 1.0));
    Slider* s = Attach(new Slider(IRECT(0, 0, 20, 20), c.param, EDirection::Vertical, 1.0, 5.f));
    for (IControl* control : {static_cast<IControl*>(k), static_cast<IControl*>(s)}) {
      control->SetValue(c.from, 0);
      control->OnMouseWheel(0, 0, WithKeys(NoButton(), false, c.fine), c.delta);
      EXPECT_NEAR(control->GetValue(0), c.expected, 1e-12) << c.name;
    }
  }
}

TEST_F(InteractionTest, KnobHidesThePointerWhilePressed)
{
  Knob* k = Attach(new Knob(IRECT(0, 0, 20, 20), TD::kGain, EDirection::Vertical, 1.0));
  ui.OnMouseDown(Press(10, 10));
  EXPECT_TRUE(ui.CursorIsHidden() && ui.CursorIsLocked());
  ui.OnMouseUp(Press(10, 10));
  EXPECT_FALSE(ui.CursorIsHidden());
  k->SetHidePointer(false);
  ui.ClearCalls();
  ui.OnMouseDown(Press(10, 10));
  ui.OnMouseUp(Press(10, 10));
  EXPECT_EQ(ui.Count("HideMouseCursor"), 0);
}

TEST_F(InteractionTest, SliderJumpsAndDragsRelativelyOrAbsolutely)
{
  Slider* s = Attach(new Slider(IRECT(0, 0, 20, 100), TD::kGain, EDirection::Vertical, 1.0, 5.f));
  EXPECT_EQ(s->GetTrackBounds(), IRECT(0, 0, 20, 100));
  s->OnMouseDown(10, 25, left);
  EXPECT_DOUBLE_EQ(s->GetValue(0), 0.75); // jumped to the pointer
  s->OnMouseDrag(10, 15, 0, -10, left);
  EXPECT_DOUBLE_EQ(s->GetValue(0), 0.85); // relative: the pointer is hidden
  s->OnMouseDrag(10, 60, 0, 45, LeftButton(1));
  EXPECT_DOUBLE_EQ(s->GetValue(0), 0.4); // a touch follows the pointer
  s->SetHidePointer(false);
  s->OnMouseDrag(10, 90, 0, 30, left);
  EXPECT_DOUBLE_EQ(s->GetValue(0), 0.1);

  Slider* stepped = Attach(new Slider(IRECT(0, 0, 100, 20), TD::kSteps, EDirection::Horizontal, 1.0, 5.f));
  stepped->SetHidePointer(false);
  stepped->SetValue(0.5, 0);
  stepped->OnMouseDown(90, 10, left);
  EXPECT_EQ(stepped->GetValue(0), 0.5); // no jump
  stepped->OnMouseDrag(98, 10, 8, 0, left);
  EXPECT_DOUBLE_EQ(stepped->GetValue(0), 0.6); // relative, snapped

  Slider* flat = Attach(new Slider(IRECT(5, 5, 5, 5), TD::kGain, EDirection::Vertical, 1.0, 5.f));
  flat->SetValue(0.3, 0);
  flat->OnMouseDown(5, 5, left);
  flat->OnMouseDrag(5, 5, 0, -4, left);
  EXPECT_EQ(flat->GetValue(0), 0.3); // zero track: nothing moves
}

TEST_F(InteractionTest, ButtonHoldsOneUntilItsClickAnimationEnds)
{
  FrameDriver frames(ui);
  int ended = 0;
  Button* b = Attach(new Button(IRECT(0, 0, 20, 20), IControl::DefaultClickAction));
  b->SetAnimationEndActionFunction([&](IControl*) { ++ended; });
  ui.OnMouseDown(Press(10, 10));
  ui.OnMouseUp(Press(10, 10));
  frames.Tick(); // 16.7 ms after the click
  EXPECT_EQ(b->GetValue(0), 1.0);
  frames.AdvanceMs(60.0);
  frames.Tick(); // 93.3 ms
  EXPECT_EQ(b->GetValue(0), 1.0);
  EXPECT_EQ(ended, 0);
  frames.Tick(); // 110 ms: the animation is over
  EXPECT_EQ(b->GetValue(0), 0.0);
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(b->GetDoubleClickIsClick());
}
