#include "ControlCanvas.h"
#include "graphics/controls/IVSliderControl.h"

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// A slider that keeps the handle rectangle it was asked to draw.
class ProbeSlider : public IVSliderControl
{
public:
  using IVSliderControl::IVSliderControl;
  void DrawHandle(ICanvas& g, const IRECT& bounds) override
  {
    handle = bounds;
    IVSliderControl::DrawHandle(g, bounds);
  }
  IRECT handle;
};

ProbeSlider* Slider(const IRECT& r, int param, const IVStyle& style, EDirection dir, bool inside = false,
                    float track = 2.f)
{
  return new ProbeSlider(r, param, "", style, true, dir, inside, 4.0, 8.f, track);
}

} // namespace

// A vertical slider 40 x 200, handle half-side 8, track half-thickness 2: track (18, 8, 22, 192).
TEST_F(ControlTest, SliderTrackAndValueFromPointer)
{
  ProbeSlider* s = Attach(Slider({0, 0, 40, 200}, TestEditorDelegate::kGain, Plain(), EDirection::Vertical));
  EXPECT_EQ(Box(s->GetTrackBounds()), "18,8,22,192");
  const std::tuple<float, float, float, double> presses[] = {
      // press y, then a drag dY (0: none): value
      {100, 0, 0, 0.5},
      {54, 0, 0, 0.75},
      {0, 0, 0, 1},
      {199, 0, 0, 0},
      {100, -46, 0, 0.5 + 46.0 / 736},   // relative while the pointer hides: -dY / (4 x 184)
      {100, -46, 1, 0.5 + 46.0 / 7360}}; // fine
  for (const auto& [y, dY, fine, value] : presses) {
    g.OnMouseDown(Press(20, y));
    if (dY != 0) g.OnMouseDrag(Drag(20, y + dY, 0, dY, WithKeys(LeftButton(), fine != 0)));
    g.OnMouseUp(Press(20, y + dY));
    EXPECT_NEAR(s->GetValue(), value, 1e-9) << y << " " << dY;
  }
  // Without hiding the pointer the handle follows it.
  IVStyle follow = Plain();
  follow.hidePointerOnDrag = false;
  ProbeSlider* f =
      Attach(Slider({100, 0, 140, 200}, TestEditorDelegate::kGain, follow, EDirection::Vertical));
  g.OnMouseDown(Press(120, 100));
  g.OnMouseDrag(Drag(120, 54, 0, -46));
  EXPECT_EQ(f->GetValue(), 0.75);
  g.OnMouseUp(Press(120, 54));
  g.OnMouseDblClick(120, 54, LeftButton());
  EXPECT_EQ(f->GetValue(), 0.5); // default 0 dB
}

TEST_F(ControlTest, SliderDrawsFillFromTheStart)
{
  IVStyle shadowed = Plain("s");
  const std::tuple<EDirection, bool, float, bool, std::string, std::string> cases[] = {
      // direction, handle inside, track, square shadowed handle: track and fill, handle
      {EDirection::Vertical, false, 2, false,
       "fillRR160,0,0,0,18,8,22,192,0,1 fillRR1255,0,0,0,18,146,22,192,0,1", "12,138,28,154"},
      {EDirection::Vertical, true, 2, false,
       "fillRR160,0,0,0,18,0,22,200,0,1 fillRR1255,0,0,0,18,138,22,200,0,1", "12,138,28,154"},
      {EDirection::Vertical, false, 0, false, "", "12,138,28,154"},
      {EDirection::Vertical, false, 2, true,
       "fillRR160,0,0,0,18,8,22,192,0,1 fillRR1255,0,0,0,18,146,22,192,0,1", "13.5,138,29.5,154"},
      // Horizontal 200 x 40: track (8, 18, 192, 22), filled to 8 + 184 / 4 = 54.
      {EDirection::Horizontal, false, 2, true,
       "fillRR160,0,0,0,8,18,192,22,0,1 fillRR1255,0,0,0,8,18,54,22,0,1", "46,13.5,62,29.5"}};
  for (const auto& [dir, inside, track, square, drawn, handle] : cases) {
    const IRECT bounds = dir == EDirection::Vertical ? IRECT(0, 0, 40, 200) : IRECT(0, 0, 200, 40);
    ProbeSlider* s = Attach(Slider(bounds, -1, square ? shadowed : Plain(), dir, inside, track));
    if (square) s->SetShape(EVShape::Rectangle);
    s->SetValue(0.25);
    s->DrawWidget(g);
    EXPECT_EQ(g.Only("fillRR1") + " " + Box(s->handle), drawn + " " + handle);
  }
  // Order, and the frame of the track when the style draws frames.
  ProbeSlider* s = Attach(Slider({0, 0, 40, 200}, -1, Plain("f"), EDirection::Vertical));
  s->Draw(g);
  EXPECT_EQ(Ops(g.calls), "fillR fillRR1 fillRR1 drawRR1 fillE drawE");
  EXPECT_EQ(g.Only("drawRR1"), "drawRR1255,70,70,70,18,8,22,192,0,1,1");
}
