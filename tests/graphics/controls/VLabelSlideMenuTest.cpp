#include "ControlCanvas.h"
#include "framework/params/IParam.h"
#include "graphics/IPopupMenu.h"
#include "graphics/controls/IVButtonControl.h"
#include "graphics/controls/IVLabelControl.h"
#include "graphics/controls/IVMenuButtonControl.h"
#include "graphics/controls/IVSlideSwitchControl.h"
#include "support/ui/FrameDriver.h"

using namespace plugin::ui;
using namespace plugin::ui::test;

// Shadow colour 60,0,0,0 offset by 3; frame 255,70,70,70.
TEST_F(ControlTest, LabelShadowTextAndFrame)
{
  const std::tuple<const char*, const char*, bool, std::string> cases[] = {
      {"Hi", "sf", false,
       "fillR0,0,0,0,0,0,100,20,1 text60,0,0,0,3,3,103,23,1'Hi' text255,0,0,0,0,0,100,20,1'Hi' "
       "drawR255,70,70,70,0,0,100,20,1,1"},
      {"Hi", "s", true, "fillR0,0,0,0,0,0,100,20,0.25 text255,0,0,0,0,0,100,20,0.25'Hi'"}, // no shadow
      {nullptr, "sf", false, "fillR0,0,0,0,0,0,100,20,1 drawR255,70,70,70,0,0,100,20,1,1"}};
  for (const auto& [text, flags, disabled, drawn] : cases) {
    auto* l = Attach(new IVLabelControl({0, 0, 100, 20}, text, Plain(flags)));
    l->SetDisabled(disabled);
    l->Draw(g);
    EXPECT_EQ(Trace(g.calls), drawn);
    EXPECT_EQ(g.GetMouseControlIdx(50, 10, false), -1); // it never takes the mouse
    g.RemoveControl(l);
  }
}

// A two-state slide switch 100 wide: state 0 covers (0, 50), state 1 (50, 100). A click slides the
// handle over 100 ms; the value text (in the handle) is hidden meanwhile.
TEST_F(ControlTest, SlideSwitchAnimation)
{
  FrameDriver frames(g);
  int ended = 0;
  auto* s = Attach(new IVSlideSwitchControl(
      {0, 0, 100, 20}, [&](IControl*) { ++ended; }, "", Plain("v"), true, EDirection::Horizontal, 2, 0));
  s->SetValueStr("v");
  Click(25, 10);
  std::string steps;
  for (double ms : {50.0, 51.0}) { // half way, then past the end
    frames.AdvanceMs(ms);
    s->StepAnimation();
    g.ClearCalls();
    s->Draw(g);
    steps += Box(s->GetDrawnBounds()) + " " + Box(s->GetValueBounds()) + " " +
             std::to_string(g.Count("text")) + " " + std::to_string(ended) + " | ";
  }
  EXPECT_EQ(s->GetValue(), 1.0);
  EXPECT_EQ(steps, "25,0,75,20 25,0,75,20 0 0 | 50,0,100,20 50,0,100,20 1 1 | ");
  EXPECT_EQ(Ops(g.calls), "fillR fillRR1 fillRR text'v'"); // background, track, handle, value

  // Three states starting at the middle one (value 0.5): the next part after the last wraps to 0.
  auto* three = Attach(
      new IVSlideSwitchControl({0, 30, 90, 50}, nullptr, "", Plain(), false, EDirection::Horizontal, 3, 1));
  std::string rects = Nums({three->GetValue()}) + " " + Box(three->GetNextBounds());
  three->SetValue(1.0);
  three->SetDirty(false);
  rects += " " + Box(three->GetHandleBounds()) + " " + Box(three->GetNextBounds());
  EXPECT_EQ(rects, "0.5 60,30,90,50 60,30,90,50 0,30,30,50");
}

// A menu button on Mode shows "Soft"; its click splashes for 100 ms, then the value menu opens.
TEST_F(ControlTest, MenuButtonPromptsAfterSplash)
{
  FrameDriver frames(g);
  auto* m = Attach(new IVMenuButtonControl({0, 0, 100, 30}, TestEditorDelegate::kMode, "", Plain("v")));
  IVButtonControl* b = m->GetButton();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(std::string(b->GetValueStr()) + " " + Box(b->GetBounds()), "Soft 0,0,100,30");

  struct Step
  {
    int chosen;       // item the scripted menu answers, -1 dismissed
    const char* text; // on the button afterwards
    double value;
  };
  for (const Step& step : {Step{2, "Hard", 1.0}, Step{-1, "Hard", 1.0}, Step{0, "Off", 0.0}}) {
    g.menuScript.chosenIdx = step.chosen;
    g.ClearCalls();
    Click(50, 15);
    const int menusBefore = g.Count("CreatePlatformPopupMenu");
    for (int i = 0; i < 8; ++i)
      frames.Tick();
    EXPECT_EQ(menusBefore, 0); // not before the splash has ended
    EXPECT_EQ(Trace(g.CallsNamed("CreatePlatformPopupMenu")), "CreatePlatformPopupMenu0,0,100,30,3'Mode'");
    EXPECT_EQ(std::string(b->GetValueStr()) + Nums({m->GetValue()}), step.text + Nums({step.value}));
  }
  // A menu with no chosen item changes neither text nor value; the delegate's value updates the text.
  IPopupMenu menu("", {"Off", "Soft"}, nullptr);
  m->OnPopupMenuSelection(&menu, 0);
  dlg.GetParam(TestEditorDelegate::kMode)->SetNormalized(0.5);
  m->SetValueFromDelegate(0.5);
  EXPECT_EQ(std::string(b->GetValueStr()) + Nums({m->GetValue()}), "Soft0.5");
  // Restyled together, the button's value text centred; removing the button leaves none behind.
  m->SetStyle(Plain("l"));
  EXPECT_TRUE(b->GetStyle().showLabel && b->GetStyle().valueText.mVAlign == EVAlign::Middle);
  g.RemoveControl(b);
  EXPECT_EQ(m->GetButton(), nullptr);
  m->SetValueFromDelegate(1.0);
}
