#include "graphics/ShapeCanvas.h"
#include "graphics/Trace.h"
#include "graphics/controls/IVRangeSliderControl.h"
#include "graphics/controls/IVXYPadControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

// No label, value, shadows or frames: the widget is the whole bounds.
IVStyle Plain()
{
  IVStyle s;
  s.showLabel = s.showValue = s.drawShadows = s.drawFrame = false;
  return s;
}

// The track base drawing only its tracks.
struct Bars : IVTrackControlBase
{
  using IVTrackControlBase::IVTrackControlBase;
  void Draw(ICanvas& g) override { DrawWidget(g); }
  void WithoutZeroCell()
  {
    mZeroValueStepHasBounds = false;
    OnResize();
  }
};

std::string Rects(const std::vector<IRECT>& rects)
{
  std::string out;
  for (const IRECT& r : rects)
    out += (out.empty() ? "" : " ") + Nums({r.L, r.T, r.R, r.B});
  return out;
}

class TrackControls : public ::testing::Test
{
protected:
  void SetUp() override { g.SetClip(IRECT(0, 0, 300, 200)); }
  template <class T> T* Attach(T* c) { return g.AttachControl(c), c; }
  std::string Drawn(IControl* c, const std::set<std::string>& skip = {"DoMeasureText"})
  {
    g.ClearCalls();
    c->Draw(g);
    return Trace(g.calls, skip);
  }
  TestEditorDelegate dlg{8};
  ShapeCanvas g{dlg};
};

} // namespace

// Vertical: n columns of r.W / n, padding off the right and bottom; horizontal: n rows with
// padding above and below. The first track containing a point, edges right and bottom excluded.
TEST_F(TrackControls, TrackLayoutAndHitTest)
{
  auto* columns = Attach(new Bars(IRECT(0, 0, 100, 60), "", Plain(), {0, 1, 2, 3}));
  auto* rows = Attach(new Bars(IRECT(0, 0, 100, 60), "", Plain(), {0, 1, 2}, 0, EDirection::Horizontal));
  auto* none = Attach(new Bars(IRECT(0, 0, 100, 60), "", Plain(), {}));
  columns->SetTrackPadding(2);
  rows->SetTrackPadding(1);
  EXPECT_EQ(Rects(columns->GetTrackBounds()), "0,0,23,58 25,0,48,58 50,0,73,58 75,0,98,58");
  EXPECT_EQ(Rects(rows->GetTrackBounds()), "0,1,100,19 0,21,100,39 0,41,100,59");
  const std::tuple<IControl*, float, float, int> hits[] = {
      {columns, 24, 5, -1},  {columns, 25, 5, 1}, {columns, 97.9f, 57.9f, 3}, {columns, 98, 5, -1},
      {columns, 30, 58, -1}, {rows, 50, 20, -1},  {rows, 50, 21, 1},          {none, 50, 30, -1}};
  for (const auto& [control, x, y, idx] : hits)
    EXPECT_EQ(control->GetValIdxForPos(x, y), idx) << x << "," << y;
  // The hovered track is the one under the pointer.
  columns->OnMouseOver(60, 10, NoButton());
  EXPECT_EQ(columns->GetMouseOverTrack(), 2);
  columns->OnMouseOut();
  EXPECT_EQ(columns->GetMouseOverTrack(), -1);
  EXPECT_TRUE(none->GetTrackBounds().empty() && Drawn(none).empty());
}

// The fill runs from the start (or the base value) to the value, with a peak band of 1 at the
// value edge; the hovered track is filled again in the highlight colour. Colours: foreground
// (255,200,200,200), frame (255,70,70,70), highlight (10,0,0,0).
TEST_F(TrackControls, ValueFillsAndPeaks)
{
  auto* v = Attach(new Bars(IRECT(0, 0, 10, 100), "", Plain(), {0}));
  auto* h = Attach(new Bars(IRECT(0, 0, 100, 10), "", Plain(), {0}, 0, EDirection::Horizontal));
  struct Case
  {
    Bars* bars;
    double base, value;
    const char* fills; // value fill, peak
  };
  const Case cases[] = {
      {v, 0.0, 0.25, "fillR255,200,200,200,0,75,10,100,1 fillR255,70,70,70,0,75,10,76,1"},
      {v, 0.5, 0.25,
       "fillR255,200,200,200,0,50,10,75,1 fillR255,70,70,70,0,74,10,75,1"}, // peak at the bottom
      {v, 0.5, 0.75, "fillR255,200,200,200,0,25,10,50,1 fillR255,70,70,70,0,25,10,26,1"},
      {h, 0.0, 0.4, "fillR255,200,200,200,0,0,40,10,1 fillR255,70,70,70,39,0,40,10,1"},
      {h, 0.5, 0.25, "fillR255,200,200,200,25,0,50,10,1 fillR255,70,70,70,25,0,26,10,1"}};
  for (const Case& c : cases) {
    c.bars->SetBaseValue(c.base);
    c.bars->SetValue(c.value);
    EXPECT_EQ(Drawn(c.bars), std::string("fillR0,0,0,0,") +
                                 Nums({c.bars->GetBounds().L, c.bars->GetBounds().T, c.bars->GetBounds().R,
                                       c.bars->GetBounds().B}) +
                                 ",1 " + c.fills)
        << c.base << " " << c.value;
  }
  v->SetBaseValue(0.0);
  v->SetValue(0.25);
  v->OnMouseOver(5, 5, NoButton());
  EXPECT_EQ(Drawn(v),
            "fillR0,0,0,0,0,0,10,100,1 fillR255,200,200,200,0,75,10,100,1 fillR10,0,0,0,0,75,10,100,1 "
            "fillR255,70,70,70,0,75,10,76,1");
  // The background marks a base value with a line in the shadow colour.
  v->SetBaseValue(std::numeric_limits<double>::quiet_NaN()); // refused: 0
  g.ClearCalls();
  v->DrawBackground(g, v->GetBounds());
  v->SetBaseValue(0.5);
  v->DrawBackground(g, v->GetBounds());
  h->DrawBackground(g, h->GetBounds());
  EXPECT_EQ(Trace(g.calls), "fillR0,0,0,0,0,0,10,100,1 fillR0,0,0,0,0,0,10,100,1 line60,0,0,0,0,50,10,50,1,1 "
                            "fillR0,0,0,0,0,0,100,10,1 line60,0,0,0,50,0,50,10,1,1");
}

// nSteps + 1 cells (cell 0 the bottom one) or nSteps; the fill snaps to the first cell holding
// its top edge; value 0 fills the bottom cell only when it has bounds.
TEST_F(TrackControls, StepCellsReplaceTheFill)
{
  auto* stepped = Attach(new Bars(IRECT(0, 0, 10, 100), "", Plain(), {0}, 4));
  EXPECT_EQ(Rects(stepped->GetStepBounds()), "0,80,10,100 0,60,10,80 0,40,10,60 0,20,10,40 0,0,10,20");
  const std::set<std::string> onlyFills = {"DoMeasureText"};
  const std::tuple<bool, double, const char*> cases[] = {
      {true, 0.5, "fillR255,200,200,200,0,40,10,60,1"},  {true, 0.0, "fillR255,200,200,200,0,80,10,100,1"},
      {true, 0.7, "fillR255,200,200,200,0,20,10,40,1"},  {false, 0.0, ""},
      {false, 0.5, "fillR255,200,200,200,0,50,10,75,1"}, {false, 1.0, "fillR255,200,200,200,0,0,10,25,1"}};
  for (const auto& [zeroCell, value, fill] : cases) {
    if (!zeroCell) stepped->WithoutZeroCell();
    stepped->SetValue(value);
    EXPECT_EQ(Drawn(stepped), std::string("fillR0,0,0,0,0,0,10,100,1") + (*fill ? " " : "") + fill) << value;
  }
  stepped->SetNSteps(0);
  EXPECT_TRUE(stepped->GetStepBounds().empty());
}

// Handles of half-width 5 beside a track of half-thickness 2: even ones below (left of) it,
// odd ones above (right of) it; shadows move them by half the shadow offset.
TEST_F(TrackControls, RangeSliderHandles)
{
  auto* h = Attach(
      new IVRangeSliderControl(IRECT(0, 0, 200, 40), {0, 1}, "", Plain(), EDirection::Horizontal, 5, 2));
  auto* v =
      Attach(new IVRangeSliderControl(IRECT(0, 0, 40, 200), {0, 1}, "", Plain(), EDirection::Vertical, 5, 2));
  IVStyle shadowed = Plain();
  shadowed.drawShadows = true;
  auto* s = Attach(
      new IVRangeSliderControl(IRECT(0, 0, 200, 40), {0, 1}, "", shadowed, EDirection::Horizontal, 5, 2));
  for (IControl* c : {static_cast<IControl*>(h), static_cast<IControl*>(v), static_cast<IControl*>(s)}) {
    c->SetValue(0.2, 0);
    c->SetValue(0.6, 1);
  }
  auto handles = [](IVRangeSliderControl* c) {
    return Rects({c->GetHandleBounds(0), c->GetHandleBounds(1), c->GetHandleBounds(2)});
  };
  EXPECT_EQ(Rects(h->GetTrackBounds()), "5,18,195,22 5,18,195,22");
  EXPECT_EQ(handles(h), "38,22,48,32 114,10,124,20 0,0,0,0");
  EXPECT_EQ(handles(v), "10,152,20,162 22,76,32,86 0,0,0,0");
  EXPECT_EQ(handles(s), "38,23.5,48,33.5 114,11.5,124,21.5 0,0,0,0");
  // The span between the handles in the first extra colour, then the two triangles.
  EXPECT_EQ(Drawn(h, {"DoMeasureText", "fillT"}),
            "fillR0,0,0,0,0,0,200,40,1 fillR0,0,0,0,5,18,195,22,1 fillR255,0,0,0,43,18,119,22,1");
  EXPECT_EQ(Trace(g.CallsNamed("fillT")),
            "fillT255,200,200,200,38,32,43,22,48,32,-1 fillT255,200,200,200,124,10,119,20,114,10,-1");
}

// A handle cannot pass its neighbours: the first stops at the second's value, the second at the
// first's; with no handle under the pointer a drag changes nothing.
TEST_F(TrackControls, RangeSliderKeepsItsValuesInOrder)
{
  auto* h = Attach(
      new IVRangeSliderControl(IRECT(0, 0, 200, 40), {0, 1}, "", Plain(), EDirection::Horizontal, 5, 2));
  h->SetValue(0.2, 0);
  h->SetValue(0.6, 1);
  h->OnMouseOver(43, 27, NoButton()); // handle 0
  ASSERT_EQ(h->GetMouseOverHandle(), 0);
  h->OnMouseDown(43, 27, LeftButton());
  h->OnMouseDrag(180, 27, 137, 0, LeftButton()); // 0.9, stopped at 0.6
  h->OnMouseUp(180, 27, LeftButton());
  EXPECT_EQ(h->GetValue(0), 0.6);
  h->OnMouseOver(119, 15, NoButton()); // handle 1
  ASSERT_EQ(h->GetMouseOverHandle(), 1);
  h->OnMouseDown(119, 15, LeftButton());
  h->OnMouseDrag(10, 15, -109, 0, LeftButton()); // 0.05, stopped at 0.6
  EXPECT_EQ(h->GetValue(1), 0.6);
  h->OnMouseDrag(190, 15, 180, 0, LeftButton());
  EXPECT_DOUBLE_EQ(h->GetValue(1), 0.95);
  h->OnMouseOut();
  h->OnMouseDrag(10, 15, -180, 0, LeftButton());
  EXPECT_DOUBLE_EQ(h->GetValue(0) + h->GetValue(1), 0.6 + 0.95);
  // Neighbours set out of order by the plug-in pin the middle handle instead of inverting the limits.
  auto* three = Attach(
      new IVRangeSliderControl(IRECT(0, 0, 200, 40), {0, 1, 2}, "", Plain(), EDirection::Horizontal, 5, 2));
  for (int i = 0; i < 3; ++i)
    three->SetValue(0.9 - 0.4 * i, i);
  three->OnMouseOver(100, 15, NoButton()); // handle 1, above the track at 0.5
  ASSERT_EQ(three->GetMouseOverHandle(), 1);
  three->OnMouseDrag(0, 15, -100, 0, LeftButton());
  EXPECT_EQ(three->GetValue(1), 0.9);
}

// x from the left, y from the bottom, both clamped to the bounds (1 at the top edge); bounds
// without an extent keep the values.
TEST_F(TrackControls, XYPadFollowsThePointerInsideItsBounds)
{
  auto* pad = Attach(new IVXYPadControl(IRECT(0, 0, 100, 50), {TD::kGain, TD::kSteps}, "", Plain(), 5));
  const std::tuple<float, float, double, double> drags[] = {
      {50, 25, 0.5, 0.5}, {150, -10, 1, 1}, {-5, 60, 0, 0}, {25, 0, 0.25, 1}, {100, 50, 1, 0}};
  for (const auto& [x, y, vx, vy] : drags) {
    pad->OnMouseDrag(x, y, 0, 0, LeftButton());
    EXPECT_TRUE(pad->GetValue(0) == vx && pad->GetValue(1) == vy) << x << "," << y;
  }
  EXPECT_EQ(dlg.CallsNamed("Send").size(), 2u * std::size(drags));
  auto* flat = Attach(new IVXYPadControl(IRECT(10, 10, 10, 30), {-1, -1}, "", Plain()));
  flat->SetValue(0.3, 0);
  flat->SetValue(0.7, 1);
  flat->OnMouseDown(10, 20, LeftButton());
  flat->OnMouseDrag(10, 20, 0, 0, LeftButton());
  EXPECT_TRUE(flat->GetValue(0) == 0.3 && flat->GetValue(1) == 0.7);
  // The press hides the pointer without holding it; the release shows it.
  EXPECT_EQ(Trace(g.CallsNamed("HideMouseCursor")), "HideMouseCursor1,0");
}

// The handle's centre moves over the pad inset by its radius, or over the whole pad clipped to
// it (inset by half the frame); the cross goes through the middle in the shadow colour.
TEST_F(TrackControls, XYPadHandleAndCross)
{
  IVStyle framed = Plain();
  framed.drawFrame = true;
  auto* inset = Attach(new IVXYPadControl(IRECT(0, 0, 100, 50), {-1, -1}, "", Plain(), 5, false, false));
  auto* clipped = Attach(new IVXYPadControl(IRECT(0, 0, 100, 50), {-1, -1}, "", framed, 5, true, true));
  for (IControl* c : {static_cast<IControl*>(inset), static_cast<IControl*>(clipped)}) {
    c->SetValue(0.5, 0);
    c->SetValue(1.0, 1);
  }
  EXPECT_EQ(Rects({inset->GetHandleBounds(), clipped->GetHandleBounds()}), "45,0,55,10 45,-5,55,5");
  const std::string drawn = Drawn(clipped, {"DoMeasureText", "PathTransformSetMatrix", "PathStroke",
                                            "PathClear", "PathMoveTo", "PathLineTo", "PathClose"});
  EXPECT_EQ(drawn,
            "fillR0,0,0,0,0,0,100,50,1 line60,0,0,0,50,0,50,50,1,1 line60,0,0,0,0,25,100,25,1,1 "
            "clip0.5,0.5,99.5,49.5 fillE255,200,200,200,45,-5,55,5,-1 drawE255,70,70,70,45,-5,55,5,1,1 "
            "clip0,0,300,200");
}
