#include "graphics/ShapeCanvas.h"
#include "graphics/Trace.h"
#include "graphics/controls/IVColorSwatchControl.h"
#include "graphics/controls/IVGroupControl.h"
#include "graphics/controls/IVPlotControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// No label, value, shadows or frames: the widget is the whole bounds.
IVStyle Plain()
{
  IVStyle s;
  s.showLabel = s.showValue = s.drawShadows = s.drawFrame = false;
  return s;
}

// Records grids ("grid" rectangle, steps) and data ("data" red, rectangle, points, thickness)
// instead of drawing them; the colour picker answers `picked` at once.
class PlotCanvas : public ShapeCanvas
{
public:
  using ShapeCanvas::ShapeCanvas;
  IColor picked = COLOR_RED;

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
    if (done) done(picked);
    return true;
  }
};

class PlotGroupSwatch : public ::testing::Test
{
protected:
  void SetUp() override { g.SetClip(IRECT(0, 0, 300, 200)); }
  template <class T> T* Attach(T* c, const char* group = "") { return g.AttachControl(c, -1, group), c; }
  std::string Drawn(IControl* c, const std::set<std::string>& skip = {"DoMeasureText"})
  {
    g.ClearCalls();
    c->Draw(g);
    return Trace(g.calls, skip);
  }
  TestEditorDelegate dlg;
  PlotCanvas g{dlg};
};

std::string Rects(const std::vector<IRECT>& rects)
{
  std::string out;
  for (const IRECT& r : rects)
    out += (out.empty() ? "" : " ") + Nums({r.L, r.T, r.R, r.B});
  return out;
}

} // namespace

// Grid of widget width / 10 by height / 12; the plot area loses one y step at the top and the
// bottom; (f - min) / (max - min) per point, x = j / (n - 1). 0 in -1..1 is the middle line.
TEST_F(PlotGroupSwatch, PlotSamplesItsFunctionsIntoThePlotArea)
{
  using Plot = IVPlotControl::Plot;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto* mid = Attach(new IVPlotControl(IRECT(0, 0, 100, 120), {Plot{COLOR_RED, [](double) { return 0.0; }}},
                                       3, "", Plain(), -1.f, 1.f));
  auto* ramp = Attach(new IVPlotControl(
      IRECT(0, 0, 100, 120), {Plot{COLOR_BLUE, [](double x) { return x; }}, Plot{COLOR_GREEN, nullptr}}, 1,
      "", Plain(), 0.f, 1.f));
  auto* flat =
      Attach(new IVPlotControl(IRECT(0, 0, 100, 120),
                               {Plot{IColor(255, 7, 0, 0), [](double x) { return x * 50.0; }},
                                Plot{IColor(255, 9, 0, 0), [&](double x) { return x > 0 ? nan : 4.0; }}},
                               2, "", Plain(), 4.f, 4.f));
  EXPECT_TRUE(ramp->NPoints() == 2 && ramp->NPlots() == 1); // at least 2 points; no empty function
  EXPECT_EQ(Drawn(mid) + " | " + Drawn(ramp) + " | " + Drawn(flat),
            "fillR0,0,0,0,0,0,100,120,1 grid0,0,100,120,10,10 data255,0,10,100,110,0.5,0.5,0.5,2 | "
            "fillR0,0,0,0,0,0,100,120,1 grid0,0,100,120,10,10 data0,0,10,100,110,0,1,2 | "
            "fillR0,0,0,0,0,0,100,120,1 grid0,0,100,120,10,10 data7,0,10,100,110,0.5,0.5,2 "
            "data9,0,10,100,110,0.5,0,2");
}

// In a layer, the functions run again only when the layer is invalid (here: the control moved).
TEST_F(PlotGroupSwatch, PlotInALayerRedrawsOnlyWhenInvalidated)
{
  int runs = 0;
  auto* plot = Attach(new IVPlotControl(IRECT(0, 0, 100, 120),
                                        {IVPlotControl::Plot{COLOR_RED, [&](double) { return ++runs, 0.0; }}},
                                        4, "", Plain(), -1.f, 1.f, true));
  for (int frame = 0; frame < 3; ++frame)
    plot->Draw(g);
  EXPECT_EQ(runs, 4);
  EXPECT_EQ(g.Count("DrawBitmap"), 3); // the layer each frame
  g.SetControlBounds(plot, IRECT(10, 0, 110, 120));
  plot->Draw(g);
  EXPECT_EQ(runs, 8);
}

// The union of the group's non-empty bounds, padded; with only empty bounds, the padding alone.
TEST_F(PlotGroupSwatch, GroupSurroundsItsControls)
{
  for (const IRECT& r : {IRECT(10, 10, 30, 30), IRECT(50, 20, 70, 60), IRECT()})
    Attach(new IVGroupControl(r), "knobs");
  Attach(new IVGroupControl(IRECT()), "empty");
  auto* knobs =
      Attach(new IVGroupControl("Knobs", "knobs", 5, 15, 5, 5, Plain()), "knobs"); // not counting itself
  auto* empty = Attach(new IVGroupControl("", "empty", 5, 15, 5, 5, Plain()));
  auto* unknown = Attach(new IVGroupControl("", "", 1, 1, 1, 1, Plain()));
  auto bounds = [](IControl* c) { return Rects({c->GetBounds()}); };
  EXPECT_EQ(bounds(knobs) + " " + bounds(empty) + " " + bounds(unknown), "5,-5,75,65 -5,-15,5,5 0,0,0,0");
  EXPECT_TRUE(knobs->GetIgnoreMouse());
}

// Label "Knobs" (47.5 x 19 in the recording metrics) widened by 10 each side and moved to
// L + offset 10 + frame 1 + corner radius; the outline starts at the label's right edge, turns
// clockwise through the corners and ends at its left edge; without a label both ends are at the
// centre.
TEST_F(PlotGroupSwatch, GroupOutlineLeavesRoomForTheLabel)
{
  IVStyle style = Plain();
  style.showLabel = true;
  style.roundness = 0.2f;
  auto* group = Attach(new IVGroupControl(IRECT(0, 0, 200, 100), "Knobs", 10.f, style));
  // Widget (0, 9.5 - 0.5, 200, 100) after moving up by (19 + 1) / 2; cr = 0.2 x 0.5 x 91 = 9.1.
  EXPECT_EQ(Rects({group->GetLabelBounds(), group->GetWidgetBounds()}), "20.1,0,87.6,19 0,9,200,100");
  EXPECT_EQ(Drawn(group, {"DoMeasureText", "DoDrawText"}),
            "clear M87.6,9.5 A190.4,18.6,9.1,0,90,0 A190.4,90.4,9.1,90,180,0 A9.6,90.4,9.1,180,270,0 "
            "A9.6,18.6,9.1,270,360,0 L20.1,9.5 stroke0,255,70,70,70,1,10,0,0,0,0,0,1");
  auto* bare = Attach(new IVGroupControl(IRECT(0, 0, 200, 100), "", 10.f, Plain()));
  EXPECT_EQ(Drawn(bare), "clear M100,0 A199.5,0,0,0,90,0 A199.5,99.5,0,90,180,0 A0.5,99.5,0,180,270,0 "
                         "A0.5,0,0,270,360,0 L100,0 stroke0,255,70,70,70,1,10,0,0,0,0,0,1");
}

// Layout 0 is a 3 x 3 grid filled left to right, top to bottom; 1 a row; 2 a column; a cell past
// the grid takes the whole widget. Each cell is its grid cell less 2 on every side.
TEST_F(PlotGroupSwatch, SwatchCellsInTheirLayouts)
{
  struct Case
  {
    IRECT r;
    int layout;
    std::initializer_list<int> ids;
    const char* want; // null: only the last cell is checked
  };
  const Case cases[] = {
      {IRECT(0, 0, 90, 90), 0, {0, 1, 2, 3, 4}, "2,2,28,28 32,2,58,28 62,2,88,28 2,32,28,58 32,32,58,58"},
      {IRECT(0, 0, 90, 30), 1, {0, 1, 2}, "2,2,28,28 32,2,58,28 62,2,88,28"},
      {IRECT(0, 0, 30, 60), 2, {0, 1}, "2,2,28,28 2,32,28,58"},
      {IRECT(0, 0, 90, 90), 7, {0, 1, 2, 3, 4, 5, 6, 7, 8, 1}, nullptr},
      {IRECT(0, 0, 90, 90), 0, {}, ""}};
  for (const auto& [r, layout, ids, want] : cases) {
    auto* swatch = Attach(new IVColorSwatchControl(r, "", nullptr, Plain(), layout, ids));
    const std::string cells = Rects(swatch->GetCellRects());
    if (want)
      EXPECT_EQ(cells, want) << layout;
    else
      EXPECT_EQ(cells.substr(cells.rfind(' ') + 1), "2,2,88,88");
  }
}

// A labelled cell shows its colour in its right quarter, outlined 0.5 outside (lighter while
// hovered), its label in the left 0.7 aligned far; a click opens the picker, whose colour
// replaces that style colour and is reported with the cell.
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
  EXPECT_EQ(swatch->GetCellOver(), 0);
  // Cell 0 is (2, 2, 28, 28); cell 1 names no style colour and is skipped.
  EXPECT_EQ(Drawn(swatch, {"DoMeasureText", "PathClear", "PathMoveTo", "PathLineTo", "PathClose"}),
            "fillR255,1,2,3,21.5,2,28,28,1 stroke0,255,127,127,127,1,10,0,0,0,0,0,1 "
            "DoDrawText2,2,20.2,28,14,1'Extra'");
  const std::tuple<float, float, int> clicks[] = {{29, 10, -1}, {40, 10, -1}, {25, 10, 0}};
  for (const auto& [x, y, cell] : clicks) {
    g.ClearCalls();
    swatch->OnMouseDown(x, y, LeftButton());
    EXPECT_EQ(g.Count("PromptForColor"), cell < 0 ? 0 : 1) << x;
  }
  EXPECT_EQ(Trace(g.calls, {"DoMeasureText"}), "PromptForColor1,2,3'Choose a color'");
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_TRUE(changes[0].first == 0 && changes[0].second == COLOR_RED);
  EXPECT_EQ(swatch->GetStyle().colorSpec.GetColor(EVColor::Extra2), COLOR_RED);
  swatch->OnMouseOut();
  EXPECT_EQ(swatch->GetCellOver(), -1);
}
