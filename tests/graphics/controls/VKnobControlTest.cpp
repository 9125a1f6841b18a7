#include "ControlCanvas.h"
#include "graphics/controls/IVKnobControl.h"

#include <cmath>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

using Knob = IVKnobControl;

// A bare knob (no label, value, frame or shadow): the widget is the bounds.
Knob* Bare(const IRECT& r, float trackSize, float anchor = -135.f)
{
  return new Knob(r, -1, "", Plain(), false, false, -135.f, 135.f, anchor, EDirection::Vertical, 4.0,
                  trackSize);
}

} // namespace

// Angle 0 points up, clockwise: the pointer end at radius r and angle a is (cx + r sin a, cy - r cos a).
TEST_F(ControlTest, KnobArcHandleAndPointerForValue)
{
  const std::string up = "M50,45.5 L50,5"; // 0.1 x 45 to 45 above the centre
  const std::tuple<IRECT, float, float, double, std::string> cases[] = {
      // bounds, track, anchor, value: arc, handle face, pointer
      {{0, 0, 100, 100},
       2,
       -135,
       0.5,
       "arc255,0,0,0,50,50,49,-135,0,2,1 fillE255,200,200,200,5,5,95,95,-1 " + up},
      {{0, 0, 100, 100},
       2,
       -135,
       0.0,
       "arc255,0,0,0,50,50,49,-135,-135,2,1 fillE255,200,200,200,5,5,95,95,-1 M46.818,53.182 L18.18,81.82"},
      {{0, 0, 100, 100},
       2,
       -135,
       1.0,
       "arc255,0,0,0,50,50,49,-135,135,2,1 fillE255,200,200,200,5,5,95,95,-1 M53.182,53.182 L81.82,81.82"},
      {{0, 0, 100, 100},
       2,
       0,
       0.25, // bipolar
       "arc255,0,0,0,50,50,49,-67.5,0,2,1 fillE255,200,200,200,5,5,95,95,-1 M45.843,48.278 L8.425,32.779"},
      {{0, 0, 100, 100}, 0, -135, 0.5, "fillE255,200,200,200,4,4,96,96,-1 M50,45.4 L50,4"},
      {{0, 0, 6, 6},
       2,
       -135,
       0.5,
       "arc255,0,0,0,3,3,2,-135,0,2,1 fillE255,200,200,200,2.5,2.5,3.5,3.5,-1 M3,2.95 L3,2.5"},
      {{0, 0, 100, 100},
       2,
       -135,
       NAN, // not a value: drawn as 0
       "arc255,0,0,0,50,50,49,-135,-135,2,1 fillE255,200,200,200,5,5,95,95,-1 M46.818,53.182 L18.18,81.82"},
      {{0, 0, 0, 0}, 2, -135, 0.5, ""},
      {{50, 50, 10, 10}, 2, -135, 0.5, ""}};
  for (const auto& [bounds, track, anchor, value, drawn] : cases) {
    Knob* k = Attach(Bare(bounds, track, anchor));
    k->SetValue(value);
    k->Draw(g);
    EXPECT_EQ(Trace(g.calls, {"DoMeasureText", "PathClear", "PathStroke", "fillR"}), drawn)
        << Box(bounds) << value;
  }
  // The pointer: frame colour, 2.5 thick, with the control's blend.
  EXPECT_EQ(g.Only("PathStroke"), "");
  Knob* k = Attach(Bare({0, 0, 100, 100}, 2));
  k->DrawWidget(g);
  EXPECT_EQ(g.Only("PathStroke"), "stroke0,255,70,70,70,2.5,10,0,0,0,0,0,1");
}

// Label "Gain" (19 high) above, value "0.0 dB" (14 high, 42 wide) below a 100 x 100 knob: the widget
// is (0, 19, 100, 86), the value (50 -/+ 42 x 0.66, 86, .., 100).
TEST_F(ControlTest, KnobLayoutTextsAndDrawOrder)
{
  Knob* k = Attach(new Knob({0, 0, 100, 100}, TestEditorDelegate::kGain, "", Plain("lv"), true));
  EXPECT_EQ(std::string(k->GetLabelStr()) + "|" + k->GetValueStr() + "|" + Box(k->GetWidgetBounds()) + "|" +
                Box(k->GetValueBounds()) + "|" + Box(k->GetHitRect()),
            "Gain|0.0 dB|0,19,100,86|22.28,86,77.72,100|0,19,100,100");
  k->Draw(g);
  EXPECT_EQ(Ops(g.calls), "fillR text'Gain' arc fillE stroke text'0.0 dB'");
  EXPECT_EQ(g.Only("fillR"), "fillR0,0,0,0,0,0,100,100,1");

  // Hovering the editable value backs it faintly before its text.
  k->OnMouseOver(50, 90, NoButton());
  g.ClearCalls();
  k->DrawValue(g, k->GetMouseOverValue());
  EXPECT_EQ(Trace(g.calls), "fillR10,0,0,0,22.28,86,77.72,100,-1 text255,0,0,0,22.28,86,77.72,100,1'0.0 dB'");
  k->OnMouseOut();
  EXPECT_FALSE(k->GetMouseOverValue());

  // Wide widget: a box half as wide as high; tall: as wide, half as high.
  const std::pair<IRECT, std::string> boxes[] = {{{0, 0, 200, 100}, "75,0,125,100"},
                                                 {{0, 0, 60, 100}, "0,35,60,65"}};
  for (const auto& [bounds, box] : boxes)
    EXPECT_EQ(Box(Attach(Bare(bounds, 2))->GetKnobDragBounds()), box);
}

// A knob on Gain: the widget (0, 19, 100, 86) gives a drag box 67 high, so with gearing 4 a drag of
// dY moves the value by -dY / 268 (fine: / 2680).
TEST_F(ControlTest, KnobMouseRouting)
{
  Knob* k = Attach(new Knob({0, 0, 100, 100}, TestEditorDelegate::kGain, "", Plain("lv"), true));
  k->SetValueFromDelegate(0.5);
  struct Step
  {
    const char* what;
    std::function<void()> act;
    double value;
  };
  const Step steps[] = {
      {"drag", [&] { g.OnMouseDown(Press(50, 50)), g.OnMouseDrag(Drag(50, 40, 0, -10)); }, 0.5 + 10.0 / 268},
      {"fine", [&] { g.OnMouseDrag(Drag(50, 50, 0, 10, WithKeys(LeftButton(), true))); },
       0.5 + 10.0 / 268 - 0.00373134},
      {"release", [&] { g.OnMouseUp(Press(50, 50)); }, 0.5 + 10.0 / 268 - 0.00373134},
      {"default", [&] { g.OnMouseDblClick(50, 50, LeftButton()); }, 0.5},
      {"wheel", [&] { g.OnMouseWheel(50, 50, NoButton(), 2); }, 0.52},
      {"fine wheel", [&] { g.OnMouseWheel(50, 50, WithKeys(NoButton(), false, true), -1); }, 0.519},
      {"value text", [&] { Click(50, 90); }, 0.519}, // prompts, no drag
      {"label", [&] { Click(50, 5); }, 0.519}};      // not hit
  std::string log;
  for (const Step& s : steps) {
    dlg.calls.clear();
    s.act();
    EXPECT_NEAR(k->GetValue(), s.value, 1e-6) << s.what;
    log += std::string(s.what) + ":" + std::to_string(dlg.CallsNamed("Send").size()) + " ";
  }
  // Every drag step sends; the release sends the final value again (also after a prompt).
  EXPECT_EQ(log, "drag:1 fine:1 release:1 default:1 wheel:1 fine wheel:1 value text:1 label:0 ");
  EXPECT_EQ(Trace(g.CallsNamed("CreatePlatformTextEntry")),
            "CreatePlatformTextEntry0,22.28,86,77.72,100,7,14'0.5'");
  EXPECT_EQ(k->GetValueStr(), std::string("0.5 dB")); // 0.519 of -12..12 dB

  // Not editable: the value text is not part of the hit area, and the prompt is refused.
  Knob* fixed = Attach(new Knob({100, 0, 200, 100}, TestEditorDelegate::kSteps, "", Plain("lv"), false));
  EXPECT_TRUE(!fixed->IsHit(150, 90) && fixed->IsHit(150, 50) && !fixed->IsHit(150, 5));
  fixed->OnMouseDown(150, 90, LeftButton());
  EXPECT_EQ(g.Count("CreatePlatformTextEntry") + int(fixed->GetPressed()), 0);
  // Stepped (0..10 from 0): each wheel event one step, whatever its size; 0 none.
  for (float d : {1.f, 100.f, 0.f, -1.f})
    fixed->OnMouseWheel(150, 50, NoButton(), d);
  EXPECT_DOUBLE_EQ(fixed->GetValue(), 0.1);
}
