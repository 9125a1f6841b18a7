#include "graphics/ShapeCanvas.h"
#include "graphics/Trace.h"
#include "graphics/controls/ISVGButtonControl.h"
#include "graphics/controls/ISVGKnobControl.h"
#include "graphics/controls/ISVGSliderControl.h"
#include "graphics/controls/ISVGSwitchControl.h"
#include "graphics/controls/ISVGToggleControl.h"
#include "graphics/svg/SvgImage.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// A parsed w x h image of one filled rectangle, freed at the end.
struct Svg
{
  Svg(int w, int h)
  {
    const std::string text = "<svg width='" + std::to_string(w) + "' height='" + std::to_string(h) +
                             "'><rect width='" + std::to_string(w) + "' height='" + std::to_string(h) +
                             "' fill='#ff0000'/></svg>";
    image = SvgParse(text.c_str(), "px", 96.f);
  }
  ~Svg() { SvgDelete(image); }
  ISVG Get() const { return ISVG(image); }
  SvgImage* image;
};

// Records the SVG draws: "svg" image index (-1 null, -2 unknown), rectangle, blend weight, red of
// the stroke and fill colours given (-1 none); "rsvg" image, centre, size, degrees, weight.
class SvgCanvas : public ShapeCanvas
{
public:
  using ShapeCanvas::ShapeCanvas;
  std::vector<const SvgImage*> known;

  void DrawSVG(const ISVG& svg, const IRECT& r, const IBlend* b, const IColor* stroke,
               const IColor* fill) override
  {
    calls.push_back({"svg",
                     {Index(svg), r.L, r.T, r.R, r.B, b ? b->mWeight : -1.0, stroke ? stroke->R : -1.0,
                      fill ? fill->R : -1.0},
                     ""});
  }
  void DrawRotatedSVG(const ISVG& svg, float cx, float cy, float w, float h, double deg,
                      const IBlend* b) override
  {
    calls.push_back({"rsvg", {Index(svg), cx, cy, w, h, deg, b ? b->mWeight : -1.0}, ""});
  }

private:
  double Index(const ISVG& svg) const
  {
    if (!svg.IsValid()) return -1;
    for (size_t i = 0; i < known.size(); ++i)
      if (known[i] == svg.GetImage()) return static_cast<double>(i);
    return -2;
  }
};

class SVGControls : public ::testing::Test
{
protected:
  void SetUp() override
  {
    g.known = {off.image, on.image, third.image};
    ASSERT_TRUE(off.image && off.Get().W() == 20.f && off.Get().H() == 10.f);
  }
  template <class T> T* Attach(T* c) { return g.AttachControl(c), c; }
  std::string Drawn(IControl* c)
  {
    g.ClearCalls();
    c->Draw(g);
    return Trace(g.calls);
  }
  Svg off{20, 10}, on{20, 10}, third{20, 10};
  TestEditorDelegate dlg;
  SvgCanvas g{dlg};
};

const std::array<IColor, 4> kColors = {IColor(255, 10, 0, 0), IColor(255, 20, 0, 0), IColor(255, 30, 0, 0),
                                       IColor(255, 40, 0, 0)};

} // namespace

// On above 0.5 (exactly 0.5 is off); colour off, on, off + over, on + over; the colour replaces
// the fill or the stroke, or nothing with replacement none.
TEST_F(SVGControls, ButtonAndToggleLooks)
{
  const IRECT r(0, 0, 40, 20);
  auto* pair = Attach(new ISVGToggleControl(r, TestEditorDelegate::kBypass, off.Get(), on.Get()));
  auto* fill = Attach(new ISVGToggleControl(r, nullptr, off.Get(), kColors, EColorReplacement::Fill));
  auto* stroke = Attach(new ISVGToggleControl(r, -1, on.Get(), kColors, EColorReplacement::Stroke));
  auto* none = Attach(new ISVGButtonControl(r, nullptr, off.Get(), kColors, EColorReplacement::None));
  struct Case
  {
    IControl* control;
    double value;
    bool over;
    const char* drawn;
  };
  const Case cases[] = {
      {pair, 0.0, false, "svg0,0,0,40,20,1,-1,-1"}, {pair, 0.5, false, "svg0,0,0,40,20,1,-1,-1"},
      {pair, 0.51, true, "svg1,0,0,40,20,1,-1,-1"}, {fill, 0.0, false, "svg0,0,0,40,20,1,-1,10"},
      {fill, 1.0, false, "svg0,0,0,40,20,1,-1,20"}, {fill, 0.0, true, "svg0,0,0,40,20,1,-1,30"},
      {fill, 1.0, true, "svg0,0,0,40,20,1,-1,40"},  {stroke, 1.0, true, "svg1,0,0,40,20,1,40,-1"},
      {none, 1.0, true, "svg0,0,0,40,20,1,-1,-1"}};
  for (const Case& c : cases) {
    c.control->SetValue(c.value);
    if (c.over)
      c.control->OnMouseOver(1, 1, NoButton());
    else
      c.control->OnMouseOut();
    EXPECT_EQ(Drawn(c.control), c.drawn) << c.value;
  }
  // The toggle steps 0 -> 1 -> 0 and sends it; the button shows on until its click animation ends.
  pair->SetValue(0.0);
  pair->OnMouseDown(1, 1, LeftButton());
  EXPECT_EQ(pair->GetValue(), 1.0);
  pair->OnMouseDown(1, 1, LeftButton());
  EXPECT_EQ(pair->GetValue(), 0.0);
  EXPECT_EQ(dlg.CallsNamed("Send").size(), 2u);
  auto* button = Attach(new ISVGButtonControl(r, IControl::DefaultClickAction, off.Get(), on.Get()));
  button->OnMouseDown(1, 1, LeftButton());
  const std::string pressed = Drawn(button);
  button->OnEndAnimation();
  EXPECT_EQ(pressed + " " + Drawn(button), "svg1,0,0,40,20,1,-1,-1 svg0,0,0,40,20,1,-1,-1");
}

// start + v (end - start): -135, 0 and +135 degrees, about the centre, at the bounds' size.
TEST_F(SVGControls, KnobTurnsItsImage)
{
  auto* knob = Attach(new ISVGKnobControl(IRECT(10, 20, 50, 80), off.Get(), TestEditorDelegate::kGain));
  std::string drawn;
  for (const double v : {0.0, 0.5, 1.0}) {
    knob->SetValue(v);
    drawn += Drawn(knob) + " ";
  }
  knob->SetClean();
  knob->SetSVG(on.Get());
  EXPECT_TRUE(knob->GetNeedsRedraw());
  drawn += Drawn(knob);
  EXPECT_EQ(drawn,
            "rsvg0,30,50,40,60,-135,1 rsvg0,30,50,40,60,0,1 rsvg0,30,50,40,60,135,1 rsvg1,30,50,40,60,135,1");
  EXPECT_TRUE(knob->GetDirection() == EDirection::Vertical && knob->GetGearing() == 4.0 &&
              knob->GetHidePointer());
}

// Image trunc(v (states - 1) + 0.5); a parameter with more states than images shows the last
// image beyond the list; no images, nothing.
TEST_F(SVGControls, SwitchShowsTheImageOfItsState)
{
  const IRECT r(0, 0, 30, 30);
  auto* three = Attach(new ISVGSwitchControl(r, {off.Get(), on.Get(), third.Get()}));
  auto* eleven =
      Attach(new ISVGSwitchControl(r, {off.Get(), on.Get(), third.Get()}, TestEditorDelegate::kSteps));
  auto* empty = Attach(new ISVGSwitchControl(r, {}));
  ASSERT_TRUE(three->GetNumStates() == 3 && eleven->GetNumStates() == 11);
  const std::tuple<IControl*, double, int> cases[] = {{three, 0.0, 0},  {three, 0.24, 0}, {three, 0.25, 1},
                                                      {three, 0.74, 1}, {three, 1.0, 2},  {eleven, 0.1, 1},
                                                      {eleven, 0.2, 2}, {eleven, 1.0, 2}, {empty, 1.0, -9}};
  for (const auto& [control, value, image] : cases) {
    control->SetValue(value);
    EXPECT_EQ(Drawn(control), image < -1 ? "" : "svg" + std::to_string(image) + ",0,0,30,30,1,-1,-1")
        << value;
  }
  three->SetValue(0.0);
  std::string steps;
  for (int i = 0; i < 3; ++i) {
    three->OnMouseDown(1, 1, LeftButton());
    steps += Nums({three->GetValue()}) + " ";
  }
  EXPECT_EQ(steps, "0.5 1 0 ");
}

// Horizontal: track image 100 x 20 across 200 wide is 200 x 40; a square handle as tall as the
// track; value 0 puts the handle's left edge on the track's, value 1 its right edge on the track's.
// Vertical: track 20 x 100 on 200 high is 40 x 200; handle 2:1 at 0.2 of the height.
TEST_F(SVGControls, SliderSizesItsImagesAndMovesTheHandle)
{
  Svg track(100, 20), handle(20, 20), tall(20, 100), wide(40, 20);
  g.known = {track.image, handle.image, tall.image, wide.image};
  auto* h = Attach(
      new ISVGSliderControl(IRECT(0, 0, 200, 100), handle.Get(), track.Get(), -1, EDirection::Horizontal));
  auto* v = Attach(new ISVGSliderControl(IRECT(0, 0, 100, 200), wide.Get(), tall.Get()));
  auto nums = [](const IRECT& r) { return Nums({r.L, r.T, r.R, r.B}); };
  EXPECT_EQ(nums(h->GetTrackSVGBounds()) + " " + nums(h->GetTrackBounds()) + " " +
                nums(h->GetHandleBounds(0.0)) + " " + nums(h->GetHandleBounds(1.0)),
            "0,30,200,70 40,30,200,70 0,30,40,70 160,30,200,70");
  EXPECT_EQ(nums(v->GetTrackSVGBounds()) + " " + nums(v->GetTrackBounds()) + " " +
                nums(v->GetHandleBounds(0.0)) + " " + nums(v->GetHandleBounds(1.0)),
            "30,0,70,200 30,40,70,200 10,160,90,200 10,0,90,40");
  // A press snaps along the base's track: x = 120 is half way from 40 to 200.
  h->OnMouseDown(120, 50, LeftButton());
  h->OnMouseUp(120, 50, LeftButton());
  EXPECT_EQ(Drawn(h), "svg0,0,30,200,70,1,-1,-1 svg1,80,30,120,70,1,-1,-1");
  // Images without a size count as square: the layout stays finite.
  auto* blank =
      Attach(new ISVGSliderControl(IRECT(0, 0, 200, 100), ISVG(), ISVG(), -1, EDirection::Horizontal));
  for (const IRECT& r : {blank->GetTrackSVGBounds(), blank->GetHandleBounds(0.3), blank->GetTrackBounds()})
    EXPECT_TRUE(std::isfinite(r.L + r.T + r.R + r.B));
  EXPECT_EQ(nums(blank->GetTrackSVGBounds()), "0,-50,200,150");
}
