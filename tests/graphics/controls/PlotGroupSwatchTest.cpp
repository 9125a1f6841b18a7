#include "graphics/controls/DrawnControls.h"
#include "graphics/controls/IVColorSwatchControl.h"
#include "graphics/controls/IVGroupControl.h"
#include "graphics/controls/IVPlotControl.h"

#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// Records grids ("grid" rectangle, steps) and data ("data" red, area, points, thickness) instead
// of drawing them; the colour picker answers red at once.
class PlotCanvas : public ShapeCanvas
{
public:
  using ShapeCanvas::ShapeCanvas;
  void DrawGrid(const IColor&, const IRECT& r, float xStep, float yStep, const IBlend*, float) override
  {
    calls.push_back({"grid", {r.L, r.T, r.R, r.B, xStep, yStep}, ""});
  }
  void DrawData(const IColor& c, const IRECT& r, float* y, int n, float*, const IBlend*, float t,
                const IColor*) override
  {
    std::vector<double> args = {double(c.R), r.L, r.T, r.R, r.B};
    args.insert(args.end(), y, y + n);
    args.push_back(t);
    calls.push_back({"data", args, ""});
  }
  bool PromptForColor(IColor& start, const char* prompt, IColorPickerHandlerFunc done) override
  {
    calls.push_back({"PromptForColor", {double(start.R), double(start.G), double(start.B)}, prompt});
    return done(COLOR_RED), true;
  }
};

using PlotGroupSwatch = DrawnControls<PlotCanvas>;

using Plot = IVPlotControl::Plot;

} // namespace

// Grid of widget width / 10 by height / 12; the plot area loses one y step at the top and the
// bottom; (f - min) / (max - min) per point, x = j / (n - 1): 0 in -1..1 is the middle line. At
// least 2 points; a range of zero is not divided by; NaN lies at the bottom.
TEST_F(PlotGroupSwatch, PlotSamplesItsFunctionsIntoThePlotArea)
{
  const IRECT r(0, 0, 100, 120);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto* mid = Attach(new IVPlotControl(r, {Plot{COLOR_RED, [](double) { return 0.0; }}}, 3, "", Plain()));
  auto* ramp = Attach(new IVPlotControl(r, {{COLOR_BLUE, [](double x) { return x; }}, {COLOR_GREEN, nullptr}},
                                        1, "", Plain(), 0.f, 1.f));
  auto* flat = Attach(new IVPlotControl(
      r, {{IColor(255, 9, 0, 0), [&](double x) { return x > 0 ? nan : 4.0; }}}, 2, "", Plain(), 4.f, 4.f));
  EXPECT_TRUE(ramp->NPoints() == 2 && ramp->NPlots() == 1);
  EXPECT_EQ(Drawn(mid) + " | " + Drawn(ramp) + " | " + Drawn(flat),
            "fillR0,0,0,0,0,0,100,120,1 grid0,0,100,120,10,10 data255,0,10,100,110,0.5,0.5,0.5,2 | "
            "fillR0,0,0,0,0,0,100,120,1 grid0,0,100,120,10,10 data0,0,10,100,110,0,1,2 | "
            "fillR0,0,0,0,0,0,100,120,1 grid0,0,100,120,10,10 data9,0,10,100,110,0.5,0,2");
  // In a layer the functions run again only when the layer is invalid (here: the control moved).
  int runs = 0;
  auto* layered = Attach(
      new IVPlotControl(r, {{COLOR_RED, [&](double) { return ++runs, 0.0; }}}, 4, "", Plain(), -1, 1, true));
  for (int frame = 0; frame < 3; ++frame)
    layered->Draw(g);
  EXPECT_TRUE(runs == 4 && g.Count("DrawBitmap") == 3);
  g.SetControlBounds(layered, IRECT(10, 0, 110, 120));
  layered->Draw(g);
  EXPECT_EQ(runs, 8);
}

// Bounds: the union of the group's other non-empty bounds, padded (only the padding when all are
// empty). The label "Knobs" (47.5 x 19 in the recording metrics), widened by 10 each side, moves
// to L + offset 10 + frame 1 + corner radius; the outline starts at its right edge, runs
// clockwise through the corners and ends at its left edge; without a label, at the centre.
TEST_F(PlotGroupSwatch, GroupSurroundsItsControlsAndLeavesRoomForItsLabel)
{
  for (const IRECT& r : {IRECT(10, 10, 30, 30), IRECT(50, 20, 70, 60), IRECT()})
    Attach(new IVGroupControl(r), "knobs");
  Attach(new IVGroupControl(IRECT()), "empty");
  auto* knobs = Attach(new IVGroupControl("Knobs", "knobs", 5, 15, 5, 5, Plain()), "knobs");
  auto* empty = Attach(new IVGroupControl("", "empty", 5, 15, 5, 5, Plain()));
  EXPECT_EQ(Rects({knobs->GetBounds(), empty->GetBounds()}), "5,-5,75,65 -5,-15,5,5");
  EXPECT_TRUE(knobs->GetIgnoreMouse());

  IVStyle style = Plain();
  style.showLabel = true;
  style.roundness = 0.2f;
  auto* group = Attach(new IVGroupControl(IRECT(0, 0, 200, 100), "Knobs", 10.f, style));
  // The widget's top moves up by (19 + 1) / 2 to 9; cr = 0.2 x 0.5 x 91 = 9.1.
  EXPECT_EQ(Rects({group->GetLabelBounds(), group->GetWidgetBounds()}), "20.1,0,87.6,19 0,9,200,100");
  EXPECT_EQ(Drawn(group, {"DoMeasureText", "DoDrawText"}),
            "clear M87.6,9.5 A190.4,18.6,9.1,0,90,0 A190.4,90.4,9.1,90,180,0 A9.6,90.4,9.1,180,270,0 "
            "A9.6,18.6,9.1,270,360,0 L20.1,9.5 stroke0,255,70,70,70,1,10,0,0,0,0,0,1");
}

// Layout 0 is a 3 x 3 grid filled left to right, top to bottom; 1 a row; 2 a column; a cell past
// the grid takes the whole widget; each cell is its grid cell less 2 on every side.
TEST_F(PlotGroupSwatch, SwatchCellsInTheirLayouts)
{
  struct Case
  {
    IRECT r;
    int layout;
    std::initializer_list<int> ids;
    const char* cells;
  };
  const Case cases[] = {
      {IRECT(0, 0, 90, 90), 0, {0, 1, 2, 3, 4}, "2,2,28,28 32,2,58,28 62,2,88,28 2,32,28,58 32,32,58,58"},
      {IRECT(0, 0, 90, 30), 1, {0, 1, 2}, "2,2,28,28 32,2,58,28 62,2,88,28"},
      {IRECT(0, 0, 30, 60), 2, {0, 1}, "2,2,28,28 2,32,28,58"},
      {IRECT(0, 0, 90, 90), 7, {0, 1, 2, 3, 4, 5, 6, 7, 8, 1}, "2,2,88,88"}, // the tenth cell
      {IRECT(0, 0, 90, 90), 0, {}, ""}};
  for (const Case& c : cases) {
    const std::string cells =
        Rects(Attach(new IVColorSwatchControl(c.r, "", nullptr, Plain(), c.layout, c.ids))->GetCellRects());
    EXPECT_EQ(cells.substr(c.ids.size() > 9 ? cells.rfind(' ') + 1 : 0), c.cells) << c.layout;
  }
}

// A labelled cell shows its colour in its right quarter, outlined 0.5 outside (grey while
// hovered), its label in the left 0.7 aligned far; a click opens the picker, whose colour
// replaces that style colour and is reported with the cell. A cell naming no style colour is
// neither drawn nor picked.
TEST_F(PlotGroupSwatch, SwatchShowsAndPicksColours)
{
  IVStyle style = Plain();
  style.colorSpec.SetColor(EVColor::Extra2, IColor(255, 1, 2, 3));
  std::vector<std::pair<int, IColor>> changes;
  auto* swatch = Attach(new IVColorSwatchControl(
      IRECT(0, 0, 60, 30), "", [&](int i, const IColor& c) { changes.emplace_back(i, c); }, style,
      IVColorSwatchControl::kHorizontal, {7, 12}, {"Extra"}));
  EXPECT_TRUE(swatch->GetText().mAlign == EAlign::Far && swatch->GetStyle().valueText.mAlign == EAlign::Far);
  swatch->OnMouseOver(10, 10, NoButton());
  EXPECT_EQ(Drawn(swatch, {"DoMeasureText", "PathClear", "PathMoveTo", "PathLineTo", "PathClose"}),
            "fillR255,1,2,3,21.5,2,28,28,1 stroke0,255,127,127,127,1,10,0,0,0,0,0,1 "
            "DoDrawText2,2,20.2,28,14,1'Extra'");
  for (const float x : {29.f, 40.f, 25.f}) // between cells, the cell without a colour, cell 0
    swatch->OnMouseDown(x, 10, LeftButton());
  EXPECT_EQ(Trace(g.CallsNamed("PromptForColor")), "PromptForColor1,2,3'Choose a color'");
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_TRUE(changes[0].first == 0 && changes[0].second == COLOR_RED &&
              swatch->GetStyle().colorSpec.GetColor(EVColor::Extra2) == COLOR_RED);
  swatch->OnMouseOut();
  EXPECT_EQ(swatch->GetCellOver(), -1);
}
