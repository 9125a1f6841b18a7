#include "ControlTestSupport.h"
#include "graphics/controls/IVButtonControl.h"
#include "graphics/controls/IVToggleControl.h"
#include "support/ui/FrameDriver.h"

using namespace plugin::ui;
using namespace plugin::ui::test;

TEST_F(ControlTest, SwitchSteppingAndPressedLook)
{
  const std::tuple<int, double, std::string> cases[] = {
      // states, start: values after each of four clicks
      {3, 0.0, "0.5 1 0 0.5 "},
      {5, 0.5, "0.75 1 0 0.25 "},
      {2, 0.3, "0 1 0 1 "}}; // only exactly 0 turns a two-state switch on
  for (const auto& [states, start, values] : cases) {
    auto* s = Attach(new IVSwitchControl({0, 0, 100, 50}, nullptr, "", Plain(), states));
    s->SetValue(start);
    std::string seen;
    for (int i = 0; i < 4; ++i) {
      Click(50, 25);
      seen += Nums({s->GetValue()}) + " ";
    }
    EXPECT_EQ(seen, values) << states;
    g.RemoveControl(s);
  }
  // Pressed only while held; a click on the label above the widget does nothing.
  auto* s = Attach(new IVSwitchControl({0, 0, 100, 50}, nullptr, "Sw", Plain("l"), 2));
  g.OnMouseDown(Press(50, 40));
  s->Draw(g);
  g.OnMouseUp(Press(50, 40));
  Click(50, 5);
  s->DrawWidget(g);
  EXPECT_EQ(Ops(g.calls) + " " + Faces(g) + Nums({s->GetValue()}), "fillR text'Sw' fillRR fillRR 240 200 1");
}

TEST_F(ControlTest, SwitchAndToggleTexts)
{
  // Attached, a switch keeps the display text without unit; its label becomes the name.
  auto* sw = Attach(new IVSwitchControl({0, 0, 100, 50}, TestEditorDelegate::kGain));
  EXPECT_EQ(std::string(sw->GetValueStr()) + "|" + sw->GetLabelStr(), "0.0|Gain");

  auto* t = Attach(
      new IVToggleControl({0, 60, 100, 110}, TestEditorDelegate::kBypass, "", Plain("v"), "off", nullptr));
  std::string seen;
  for (int i = 0; i < 3; ++i) {
    g.ClearCalls();
    t->Draw(g);
    seen += Faces(g) + Trace(g.CallsNamed("text")) + " | ";
    Click(50, 85);
  }
  // Off: "off" centred in the shape; on: pressed, and the empty on text draws nothing.
  EXPECT_EQ(seen, "200 text255,0,0,0,0,60,100,110,1'off' | 240  | 200 text255,0,0,0,0,60,100,110,1'off' | ");
  EXPECT_EQ(dlg.CallsNamed("Send").size(), 3u);
}

TEST_F(ControlTest, ButtonPressLastsForItsAnimation)
{
  FrameDriver frames(g);
  int ended = 0;
  auto* b = Attach(new IVButtonControl({0, 0, 100, 50}, SplashClickAction, "Go", Plain("l")));
  b->SetAnimationEndActionFunction([&](IControl*) { ++ended; });
  auto* held = Attach(new IVButtonControl({0, 60, 100, 110}, nullptr)); // starts no animation
  Click(50, 25);
  Click(50, 85);
  std::string steps;
  for (double ms : {0.0, 66.0, 20.0}) { // frames at +16.7, +99, +136 ms
    frames.AdvanceMs(ms);
    frames.Tick();
    steps += Nums({b->GetValue(), double(ended), held->GetValue()}) + " ";
  }
  EXPECT_EQ(steps, "1,0,1 1,0,1 0,1,1 ");
  // Background, pressable shape, then the label inside it; pressed while the value is not 0.
  g.ClearCalls();
  b->SetValue(0.25);
  b->Draw(g);
  EXPECT_EQ(Ops(g.calls) + " " + Faces(g), "fillR fillRR text'Go' 240 ");
}
