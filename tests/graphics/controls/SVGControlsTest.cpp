#include "graphics/controls/DrawnControls.h"
#include "graphics/controls/ISVGButtonControl.h"
#include "graphics/controls/ISVGKnobControl.h"
#include "graphics/controls/ISVGSliderControl.h"
#include "graphics/controls/ISVGSwitchControl.h"
#include "graphics/controls/ISVGToggleControl.h"
#include "graphics/svg/SvgImage.h"

#include <algorithm>
#include <cmath>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// A parsed image of one w x h rectangle, freed at the end.
struct Svg
{
  Svg(int w, int h)
  {
    char text[128];
    std::snprintf(text, sizeof text, "<svg width='%d' height='%d'><rect width='%d' height='%d'/></svg>", w, h,
                  w, h);
    image = SvgParse(text, "px", 96.f);
  }
  ~Svg() { SvgDelete(image); }
  ISVG Get() const { return ISVG(image); }
  SvgImage* image;
};

// Records SVG draws instead of drawing: "svg" image index among `known` (-1 none), rectangle, red
// of the stroke and fill colours (-1 none); "rsvg" image, centre, size, degrees.
class SvgCanvas : public ShapeCanvas
{
public:
  using ShapeCanvas::ShapeCanvas;
  std::vector<const SvgImage*> known;

  void DrawSVG(const ISVG& svg, const IRECT& r, const IBlend*, const IColor* stroke,
               const IColor* fill) override
  {
    calls.push_back(
        {"svg", {Index(svg), r.L, r.T, r.R, r.B, stroke ? stroke->R : -1.0, fill ? fill->R : -1.0}, ""});
  }
  void DrawRotatedSVG(const ISVG& svg, float cx, float cy, float w, float h, double deg,
                      const IBlend*) override
  {
    calls.push_back({"rsvg", {Index(svg), cx, cy, w, h, deg}, ""});
  }

private:
  double Index(const ISVG& svg) const
  {
    const auto it = std::find(known.begin(), known.end(), svg.GetImage());
    return it == known.end() ? -1.0 : static_cast<double>(it - known.begin());
  }
};

class SVGControls : public DrawnControls<SvgCanvas>
{
protected:
  void SetUp() override
  {
    g.known = {off.image, on.image, third.image};
    ASSERT_TRUE(off.image && off.Get().W() == 20.f && off.Get().H() == 10.f);
  }
  Svg off{20, 10}, on{20, 10}, third{20, 10};
};

} // namespace

// On above 0.5 (exactly 0.5 is off); colour off, on, off + over, on + over replaces the fill or
// the stroke, or nothing with replacement none.
TEST_F(SVGControls, ButtonAndToggleLooks)
{
  const IRECT r(0, 0, 40, 20);
  const std::array<IColor, 4> colors = {IColor(255, 10, 0, 0), IColor(255, 20, 0, 0), IColor(255, 30, 0, 0),
                                        IColor(255, 40, 0, 0)};
  auto* pair = Attach(new ISVGToggleControl(r, TestEditorDelegate::kBypass, off.Get(), on.Get()));
  auto* fill = Attach(new ISVGToggleControl(r, nullptr, off.Get(), colors, EColorReplacement::Fill));
  auto* stroke = Attach(new ISVGToggleControl(r, -1, on.Get(), colors, EColorReplacement::Stroke));
  auto* none = Attach(new ISVGButtonControl(r, nullptr, off.Get(), colors, EColorReplacement::None));
  const std::tuple<IControl*, double, bool, const char*> cases[] = {
      {pair, 0.5, false, "0,-1,-1"},  {pair, 0.51, true, "1,-1,-1"}, {fill, 0.0, false, "0,-1,10"},
      {fill, 1.0, false, "0,-1,20"},  {fill, 0.0, true, "0,-1,30"},  {fill, 1.0, true, "0,-1,40"},
      {stroke, 1.0, true, "1,40,-1"}, {none, 1.0, true, "0,-1,-1"}};
  for (const auto& [control, value, over, look] : cases) {
    control->SetValue(value);
    over ? control->OnMouseOver(1, 1, NoButton()) : control->OnMouseOut();
    const std::string drawn = Drawn(control); // image, 0,0,40,20, stroke, fill
    EXPECT_EQ(drawn.substr(3, 1) + drawn.substr(drawn.find("20,") + 2), look) << value << " " << over;
  }
}

// Knob: start + v (end - start), -135 to +135 degrees, about the centre at the bounds' size.
// Switch: image trunc(v (states - 1) + 0.5); a parameter with more states than images shows the
// last image beyond the list; no images, nothing.
TEST_F(SVGControls, KnobAnglesAndSwitchImages)
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
  EXPECT_EQ(drawn + Drawn(knob), "rsvg0,30,50,40,60,-135 rsvg0,30,50,40,60,0 rsvg0,30,50,40,60,135 "
                                 "rsvg1,30,50,40,60,135");

  const IRECT r(0, 0, 30, 30);
  auto* three = Attach(new ISVGSwitchControl(r, {off.Get(), on.Get(), third.Get()}));
  auto* eleven =
      Attach(new ISVGSwitchControl(r, {off.Get(), on.Get(), third.Get()}, TestEditorDelegate::kSteps));
  auto* empty = Attach(new ISVGSwitchControl(r, {}));
  ASSERT_TRUE(three->GetNumStates() == 3 && eleven->GetNumStates() == 11);
  const std::tuple<IControl*, double, const char*> cases[] = {
      {three, 0.24, "svg0"}, {three, 0.25, "svg1"}, {three, 1.0, "svg2"}, {eleven, 0.1, "svg1"},
      {eleven, 0.2, "svg2"}, {eleven, 1.0, "svg2"}, {empty, 1.0, ""}};
  for (const auto& [control, value, image] : cases) {
    control->SetValue(value);
    EXPECT_EQ(Drawn(control), *image ? std::string(image) + ",0,0,30,30,-1,-1" : "") << value;
  }
}

// Horizontal: a 100 x 20 track image across 200 is 200 x 40; a square handle as tall; value 0
// puts the handle's left edge on the track's, value 1 its right edge on the track's. Vertical:
// a 20 x 100 track on 200 high is 40 x 200; a 2:1 handle 0.2 of the height.
TEST_F(SVGControls, SliderSizesItsImagesAndMovesTheHandle)
{
  Svg track(100, 20), handle(20, 20), tall(20, 100), wide(40, 20);
  g.known = {track.image, handle.image};
  auto* h = Attach(
      new ISVGSliderControl(IRECT(0, 0, 200, 100), handle.Get(), track.Get(), -1, EDirection::Horizontal));
  auto* v = Attach(new ISVGSliderControl(IRECT(0, 0, 100, 200), wide.Get(), tall.Get()));
  auto* blank =
      Attach(new ISVGSliderControl(IRECT(0, 0, 200, 100), ISVG(), ISVG(), -1, EDirection::Horizontal));
  std::string layout;
  for (ISVGSliderControl* s : {h, v, blank})
    layout += Rects({s->GetTrackSVGBounds(), s->GetTrackBounds(), s->GetHandleBounds(0.0),
                     s->GetHandleBounds(1.0)}) +
              " | ";
  // Images without a size count as square.
  EXPECT_EQ(layout, "0,30,200,70 40,30,200,70 0,30,40,70 160,30,200,70 | "
                    "30,0,70,200 30,40,70,200 10,160,90,200 10,0,90,40 | "
                    "0,-50,200,150 200,-50,200,150 0,-50,200,150 0,-50,200,150 | ");
  h->OnMouseDown(120, 50, LeftButton()); // snaps along the base's track: half way from 40 to 200
  h->OnMouseUp(120, 50, LeftButton());
  EXPECT_EQ(Drawn(h), "svg0,0,30,200,70,-1,-1 svg1,80,30,120,70,-1,-1");
}
