#include "ControlTestSupport.h"
#include "graphics/controls/IVKnobControl.h"

#include <cmath>

using namespace plugin::ui;
using namespace plugin::ui::test;

using Knob = IVKnobControl;

// A bare knob (no label, value, frame or shadow) whose widget is its bounds. Angle 0 points up and
// angles grow clockwise: the pointer's end at radius r and angle a is (cx + r sin a, cy - r cos a).
TEST_F(ControlTest, KnobArcHandleAndPointerForValue)
{
  const std::string face = " fillE255,200,200,200,5,5,95,95,-1 ";
  const std::tuple<IRECT, float, float, double, std::string> cases[] = {
      // bounds, track, anchor, value: arc, handle face, pointer from 0.1 r to r
      {{0, 0, 100, 100}, 2, -135, 0.5, "arc255,0,0,0,50,50,49,-135,0,2,1" + face + "M50,45.5 L50,5"},
      {{0, 0, 100, 100},
       2,
       -135,
       0.0,
       "arc255,0,0,0,50,50,49,-135,-135,2,1" + face + "M46.818,53.182 L18.18,81.82"},
      {{0, 0, 100, 100},
       2,
       -135,
       1.0,
       "arc255,0,0,0,50,50,49,-135,135,2,1" + face + "M53.182,53.182 L81.82,81.82"},
      {{0, 0, 100, 100},
       2,
       0,
       0.25,
       "arc255,0,0,0,50,50,49,-67.5,0,2,1" + face + "M45.843,48.278 L8.425,32.779"},
      {{0, 0, 100, 100}, 0, -135, 0.5, "fillE255,200,200,200,4,4,96,96,-1 M50,45.4 L50,4"}, // no track
      {{0, 0, 6, 6},
       2,
       -135,
       0.5,
       "arc255,0,0,0,3,3,2,-135,0,2,1 fillE255,200,200,200,2.5,2.5,3.5,3.5,-1 M3,2.95 L3,2.5"},
      {{0, 0, 100, 100},
       2,
       -135,
       NAN,
       "arc255,0,0,0,50,50,49,-135,-135,2,1" + face + "M46.818,53.182 L18.18,81.82"},
      {{0, 0, 0, 0}, 2, -135, 0.5, ""},
      {{50, 50, 10, 10}, 2, -135, 0.5, ""}};
  for (const auto& [bounds, track, anchor, value, drawn] : cases) {
    Knob* k = Attach(
        new Knob(bounds, -1, "", Plain(), false, false, -135, 135, anchor, EDirection::Vertical, 4, track));
    k->SetValue(value);
    k->Draw(g);
    EXPECT_EQ(Trace(g.calls, {"PathClear", "fillR"}),
              drawn + (drawn.empty() ? "" : " stroke0,255,70,70,70,2.5,10,0,0,0,0,0,1"))
        << Box(bounds) << value;
  }
  // The drag box: half as wide as high in a wide widget; as wide and half as high in a tall one.
  const std::pair<IRECT, std::string> boxes[] = {{{0, 0, 200, 100}, "75,0,125,100"},
                                                 {{0, 0, 60, 100}, "0,35,60,65"}};
  for (const auto& [bounds, box] : boxes)
    EXPECT_EQ(Box(Attach(new Knob(bounds, -1, "", Plain()))->GetKnobDragBounds()), box);
}

// On Gain, label "Gain" (19 high) above, value "0.0 dB" (42 x 14) below: widget (0, 19, 100, 86),
// value (50 -/+ 42 x 0.66, 86, .., 100). The drag box is 67 high: with gearing 4 a drag of dY moves
// the value by -dY / 268 (fine: / 2680).
TEST_F(ControlTest, KnobTextsAndMouseRouting)
{
  Knob* k = Attach(new Knob({0, 0, 100, 100}, TestEditorDelegate::kGain, "", Plain("lv"), true));
  EXPECT_EQ(std::string(k->GetLabelStr()) + "|" + k->GetValueStr() + "|" + Box(k->GetWidgetBounds()) + "|" +
                Box(k->GetValueBounds()),
            "Gain|0.0 dB|0,19,100,86|22.28,86,77.72,100");
  k->OnMouseOver(50, 90, NoButton()); // over the editable value: a faint backing under it
  k->Draw(g);
  EXPECT_EQ(Ops(g.calls), "fillR text'Gain' arc fillE fillE stroke fillR text'0.0 dB'"); // hovered handle

  k->SetValueFromDelegate(0.5);
  const double dragged = 0.5 + 10.0 / 268 - 10.0 / 2680;
  const std::tuple<const char*, std::function<void()>, double> steps[] = {
      {"drag", [&] { g.OnMouseDown(Press(50, 50)), g.OnMouseDrag(Drag(50, 40, 0, -10)); }, 0.5 + 10.0 / 268},
      {"fine", [&] { g.OnMouseDrag(Drag(50, 50, 0, 10, WithKeys(LeftButton(), true))); }, dragged},
      {"release", [&] { g.OnMouseUp(Press(50, 50)); }, dragged},
      {"default", [&] { g.OnMouseDblClick(50, 50, LeftButton()); }, 0.5},
      {"wheel", [&] { g.OnMouseWheel(50, 50, NoButton(), 2); }, 0.52},
      {"fine wheel", [&] { g.OnMouseWheel(50, 50, WithKeys(NoButton(), false, true), -1); }, 0.519},
      {"value text", [&] { Click(50, 90); }, 0.519}, // prompts, no drag
      {"label", [&] { Click(50, 5); }, 0.519}};      // not hit
  std::string log;
  for (const auto& [what, act, value] : steps) {
    dlg.calls.clear();
    act();
    EXPECT_NEAR(k->GetValue(), value, 1e-6) << what;
    log += std::string(what) + ":" + std::to_string(dlg.CallsNamed("Send").size()) + " ";
  }
  // Every change sends; the release sends the final value once more (also after a prompt).
  EXPECT_EQ(log, "drag:1 fine:1 release:1 default:1 wheel:1 fine wheel:1 value text:1 label:0 ");
  EXPECT_EQ(Trace(g.CallsNamed("CreatePlatformTextEntry")),
            "CreatePlatformTextEntry0,22.28,86,77.72,100,7,14'0.5'");
  EXPECT_EQ(k->GetValueStr(), std::string("0.5 dB")); // 0.519 of -12..12 dB

  // Not editable: the value text is no part of the hit area. Stepped (Steps 0..10 from 0): one step
  // per wheel event whatever its size, none for 0.
  Knob* fixed = Attach(new Knob({100, 0, 200, 100}, TestEditorDelegate::kSteps, "", Plain("lv"), false));
  EXPECT_TRUE(!fixed->IsHit(150, 90) && fixed->IsHit(150, 50) && !fixed->IsHit(150, 5));
  for (float d : {1.f, 100.f, 0.f, -1.f})
    fixed->OnMouseWheel(150, 50, NoButton(), d);
  EXPECT_DOUBLE_EQ(fixed->GetValue(), 0.1);
  // A value drawn inside the widget covers it. Fixed: a press on the text is a press on the widget
  // and a drag turns it as it turns a twin that shows no value. Editable: the press prompts and the
  // drags until the release, through the context or straight to the knob, leave the value alone.
  Knob* inside = Attach(new Knob({0, 100, 100, 200}, TestEditorDelegate::kGain, "", Plain("v"), false, true));
  Knob* twin = Attach(new Knob({100, 100, 200, 200}, -1, "", Plain()));
  Knob* prompts =
      Attach(new Knob({200, 100, 300, 200}, TestEditorDelegate::kGain, "", Plain("v"), true, true));
  std::string values;
  for (Knob* c : {inside, twin, prompts}) {
    const IRECT v = c == twin ? inside->GetValueBounds().GetTranslated(100, 0) : c->GetValueBounds();
    ASSERT_TRUE(c->GetWidgetBounds().Contains(v.MW(), v.MH()));
    c->SetValue(0.75);
    g.OnMouseDown(Press(v.MW(), v.MH()));
    g.OnMouseDrag(Drag(v.MW(), v.MH() - 20, 0, -20));
    c->OnMouseDrag(v.MW(), v.MH() - 40, 0, -20, LeftButton());
    g.OnMouseUp(Press(v.MW(), v.MH() - 40));
    values += std::to_string(c->GetValue()) + " ";
  }
  EXPECT_EQ(values, std::to_string(0.75 + 40.0 / (4 * 100)) + " " + std::to_string(0.75 + 40.0 / (4 * 100)) +
                        " 0.750000 ");
  EXPECT_EQ(g.Count("CreatePlatformTextEntry"), 1);
}
