#include "ControlTestSupport.h"
#include "graphics/controls/IVSliderControl.h"

#include <functional>
#include <tuple>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// Handle half-side 8, track half-thickness track, value editable, gearing 4.
IVSliderControl* Slider(const IRECT& r, int param, const IVStyle& style, EDirection dir, bool inside = false,
                        float track = 2.f)
{
  return new IVSliderControl(r, param, "", style, true, dir, inside, 4.0, 8.f, track);
}

} // namespace

// A vertical slider 40 x 200: track (18, 8, 22, 192), 184 long.
TEST_F(ControlTest, SliderTrackAndValueFromPointer)
{
  IVSliderControl* s =
      Attach(Slider({0, 0, 40, 200}, TestEditorDelegate::kGain, Plain(), EDirection::Vertical));
  EXPECT_EQ(Box(s->GetTrackBounds()), "18,8,22,192");
  const std::tuple<float, float, bool, double> presses[] = {
      // press y, then a drag dY (0: none), fine: value
      {100, 0, false, 0.5},
      {54, 0, false, 0.75},
      {100, -46, false, 0.5 + 46.0 / 736}, // relative while the pointer hides: -dY / (4 x 184)
      {100, -46, true, 0.5 + 46.0 / 7360}};
  for (const auto& [y, dY, fine, value] : presses) {
    g.OnMouseDown(Press(20, y));
    if (dY != 0) g.OnMouseDrag(Drag(20, y + dY, 0, dY, WithKeys(LeftButton(), fine)));
    g.OnMouseUp(Press(20, y + dY));
    EXPECT_NEAR(s->GetValue(), value, 1e-9) << y << " " << dY;
  }
}

// At 0.25 a vertical slider fills the lowest quarter of its track, (18, 146, 22, 192), and centres
// the handle (half-side 8) on that level; a horizontal one fills to 8 + 184 / 4 = 54.
TEST_F(ControlTest, SliderDrawsFillFromTheStart)
{
  const std::tuple<EDirection, bool, float, bool, std::string> cases[] = {
      // direction, handle inside, track, square shadowed handle: track, fill, handle
      {EDirection::Vertical, false, 2, false,
       "fillRR160,0,0,0,18,8,22,192,0,1 fillRR1255,0,0,0,18,146,22,192,0,1 "
       "fillE255,200,200,200,12,138,28,154,-1"},
      {EDirection::Vertical, true, 2, false, // both lengthened by the handle size
       "fillRR160,0,0,0,18,0,22,200,0,1 fillRR1255,0,0,0,18,138,22,200,0,1 "
       "fillE255,200,200,200,12,138,28,154,-1"},
      {EDirection::Vertical, false, 0, false, "fillE255,200,200,200,12,138,28,154,-1"},
      // Shadowed square handle 1.5 below the centre line: (46, 13.5, 62, 29.5), its face less the shadow
      // room.
      {EDirection::Horizontal, false, 2, true,
       "fillRR160,0,0,0,8,18,192,22,0,1 fillRR1255,0,0,0,8,18,54,22,0,1 "
       "fillRR60,0,0,0,52,16.5,62,29.5"}};
  for (const auto& [dir, inside, track, square, drawn] : cases) {
    const IRECT bounds = dir == EDirection::Vertical ? IRECT(0, 0, 40, 200) : IRECT(0, 0, 200, 40);
    IVSliderControl* s = Attach(Slider(bounds, -1, Plain(square ? "s" : ""), dir, inside, track));
    if (square) s->SetShape(EVShape::Rectangle);
    s->SetValue(0.25);
    s->DrawWidget(g);
    EXPECT_EQ(Trace(g.calls).substr(0, drawn.size()), drawn);
  }
  // Order, and the frame of the track when the style draws frames.
  IVSliderControl* s = Attach(Slider({0, 0, 40, 200}, -1, Plain("f"), EDirection::Vertical));
  s->Draw(g);
  EXPECT_EQ(Ops(g.calls) + " " + g.Only("drawRR1"),
            "fillR fillRR1 fillRR1 drawRR1 fillE drawE drawRR1255,70,70,70,18,8,22,192,0,1,1");
}

// On Gain with label "Gain" (19 high) above and value "0.0 dB" (42 x 14) below: widget
// (0, 19, 40, 186), track (18, 27, 22, 178), value (20 -/+ 27.72, 186, .., 200). A press on the
// editable value text prompts and moves nothing; in the widget the value jumps to the pointer; a
// double click restores the default; the label never reacts.
TEST_F(ControlTest, SliderValueTextPromptsAndDoubleClickResets)
{
  IVSliderControl* s = Attach(new IVSliderControl({0, 0, 40, 200}, TestEditorDelegate::kGain, "", Plain("lv"),
                                                  true, EDirection::Vertical, false, 4.0, 8.f, 2.f));
  EXPECT_EQ(Box(s->GetTrackBounds()) + " " + Box(s->GetValueBounds()), "18,27,22,178 -7.72,186,47.72,200");
  s->SetValueFromDelegate(0.5);
  s->OnMouseOver(20, 190, NoButton());
  s->Draw(g);
  EXPECT_EQ(Ops(g.calls), "fillR text'Gain' fillRR1 fillRR1 fillE fillE fillR text'0.0 dB'"); // hovered

  const std::tuple<const char*, std::function<void()>, double, size_t> steps[] = {
      // what, gesture: value, values sent
      {"value text", [&] { Click(20, 190); }, 0.5, 1}, // the release sends once more
      {"widget", [&] { Click(20, 64.75f); }, 0.75, 2}, // jump, then the release
      {"default", [&] { g.OnMouseDblClick(20, 100, LeftButton()); }, 0.5, 1},
      {"label", [&] { Click(20, 5); }, 0.5, 0}};
  std::string log;
  for (const auto& [what, act, value, sends] : steps) {
    dlg.calls.clear();
    act();
    EXPECT_NEAR(s->GetValue(), value, 1e-6) << what;
    EXPECT_EQ(dlg.CallsNamed("Send").size(), sends) << what;
  }
  EXPECT_EQ(g.Count("CreatePlatformTextEntry"), 1);

  // Not editable: the value text is no part of the hit area.
  IVSliderControl* fixed = Attach(new IVSliderControl({50, 0, 90, 200}, TestEditorDelegate::kGain, "",
                                                      Plain("lv"), false, EDirection::Vertical));
  EXPECT_TRUE(!fixed->IsHit(70, 190) && fixed->IsHit(70, 100) && !fixed->IsHit(70, 5));
  // A value text over the widget, fixed: a press on it and a drag move the value as on a twin that
  // shows no value. Editable: the press prompts and the drags until the release, through the
  // context or straight to the slider, move nothing.
  IVStyle middle = Plain("v");
  middle.valueText.mVAlign = EVAlign::Middle;
  const std::pair<IVStyle, bool> twins[] = {{middle, false}, {Plain(), false}, {middle, true}};
  std::vector<double> values;
  float left = 100;
  for (const auto& [style, editable] : twins) {
    IVSliderControl* c = Attach(new IVSliderControl({left, 0, left + 40, 200}, TestEditorDelegate::kGain, "",
                                                    style, editable, EDirection::Vertical));
    c->SetValueFromDelegate(0.75);
    g.OnMouseDown(Press(left + 20, 100));
    g.OnMouseDrag(Drag(left + 20, 80, 0, -20));
    c->OnMouseDrag(left + 20, 60, 0, -20, LeftButton());
    g.OnMouseUp(Press(left + 20, 60));
    values.push_back(c->GetValue());
    left += 50;
  }
  // The pointer hides: a jump to 0.5 at the press, then 40 points up the track.
  EXPECT_EQ(values, std::vector<double>({values[1], 0.5 + 40.0 / (8 * 184), 0.75}));
  EXPECT_EQ(g.Count("CreatePlatformTextEntry"), 1);
}
