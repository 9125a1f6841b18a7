#include "ControlTestSupport.h"
#include "framework/params/IParam.h"
#include "graphics/controls/IVButtonControl.h"
#include "graphics/controls/IVLabelControl.h"
#include "graphics/controls/IVMenuButtonControl.h"
#include "graphics/controls/IVSlideSwitchControl.h"
#include "graphics/menu/IPopupMenu.h"
#include "support/ui/FrameDriver.h"

using namespace plugin::ui;
using namespace plugin::ui::test;

// Shadow colour 60,0,0,0 offset by 3; frame 255,70,70,70.
TEST_F(ControlTest, LabelShadowTextAndFrame)
{
  const std::string frame = " drawR255,70,70,70,0,0,100,20,1,1";
  const std::tuple<const char*, const char*, bool, std::string> cases[] = {
      {"Hi", "sf", false,
       "fillR0,0,0,0,0,0,100,20,1 text60,0,0,0,3,3,103,23,1'Hi' text255,0,0,0,0,0,100,20,1'Hi'" + frame},
      {"Hi", "s", true,
       "fillR0,0,0,0,0,0,100,20,0.25 text255,0,0,0,0,0,100,20,0.25'Hi'"}, // disabled: no shadow
      {nullptr, "sf", false, "fillR0,0,0,0,0,0,100,20,1" + frame}};
  for (const auto& [text, flags, disabled, drawn] : cases) {
    auto* l = Attach(new IVLabelControl({0, 0, 100, 20}, text, Plain(flags)));
    l->SetDisabled(disabled);
    l->Draw(g);
    EXPECT_EQ(Trace(g.calls), drawn);
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
    steps += Box(s->GetDrawnBounds()) + " " + Box(s->GetValueBounds()) + " " + Ops(g.calls) + " " +
             std::to_string(ended) + " | ";
  }
  EXPECT_EQ(steps, "25,0,75,20 25,0,75,20 fillR fillRR1 fillRR 0 | "
                   "50,0,100,20 50,0,100,20 fillR fillRR1 fillRR text'v' 1 | ");
  // The track: the whole widget in the shadow colour, no blend, rounded by the handle's size.
  IVStyle round = Plain();
  round.roundness = 1.f;
  s->SetStyle(round);
  g.ClearCalls();
  s->DrawWidget(g);
  EXPECT_EQ(g.Only("fillRR1"), "fillRR160,0,0,0,0,0,100,20,10,-1");

  // Three states from state 1 (value 0.5); from the last one the next part wraps to state 0.
  auto* three = Attach(
      new IVSlideSwitchControl({0, 30, 90, 50}, nullptr, "", Plain(), false, EDirection::Horizontal, 3, 1));
  std::string rects = Nums({three->GetValue()}) + " " + Box(three->GetNextBounds());
  three->SetValue(1.0);
  three->SetDirty(false);
  EXPECT_EQ(rects + " " + Box(three->GetNextBounds()), "0.5 60,30,90,50 0,30,30,50");
}

// A menu button on Mode shows "Soft"; a click splashes for 100 ms, then the value menu opens.
TEST_F(ControlTest, MenuButtonPromptsAfterSplash)
{
  FrameDriver frames(g);
  auto* m = Attach(new IVMenuButtonControl({0, 0, 100, 30}, TestEditorDelegate::kMode, "", Plain("v")));
  IVButtonControl* b = m->GetButton();
  ASSERT_NE(b, nullptr);
  std::string seen = b->GetValueStr();
  for (int chosen : {2, -1, 0}) { // -1: dismissed
    g.menuScript.chosenIdx = chosen;
    g.ClearCalls();
    Click(50, 15);
    seen += " " + std::to_string(g.Count("CreatePlatformPopupMenu")); // not before the splash ends
    for (int i = 0; i < 8; ++i)
      frames.Tick();
    seen += Trace(g.CallsNamed("CreatePlatformPopupMenu")) + " " + b->GetValueStr() + Nums({m->GetValue()});
  }
  const std::string menu = "CreatePlatformPopupMenu0,0,100,30,3'Mode' ";
  EXPECT_EQ(seen, "Soft 0" + menu + "Hard1 0" + menu + "Hard1 0" + menu + "Off0");

  // A menu with no chosen item changes nothing; the delegate's value updates the text.
  IPopupMenu none("", {"Off", "Soft"}, nullptr);
  m->OnPopupMenuSelection(&none, 0);
  dlg.GetParam(TestEditorDelegate::kMode)->SetNormalized(0.5);
  m->SetValueFromDelegate(0.5);
  EXPECT_EQ(std::string(b->GetValueStr()) + Nums({m->GetValue()}), "Soft0.5");
  g.RemoveControl(b); // the menu button forgets it
  m->SetValueFromDelegate(1.0);
  EXPECT_EQ(m->GetButton(), nullptr);
}
