#include "graphics/controls/DrawnControls.h"
#include "graphics/controls/IVRangeSliderControl.h"
#include "graphics/controls/IVXYPadControl.h"

#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

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

class TrackControls : public DrawnControls<>
{
protected:
  // The visible fills of one draw: F value (foreground), H hover (highlight), P peak (frame
  // colour), S span (first extra colour), each with its rectangle.
  std::string Fills(IControl* c)
  {
    g.ClearCalls();
    c->Draw(g);
    std::string out;
    for (const CanvasCall& f : g.CallsNamed("fillR")) {
      if (f.args[0] == 0) continue; // the transparent track highlight and background
      const char tag = f.args[0] == 10 ? 'H' : f.args[1] == 200 ? 'F' : f.args[1] == 70 ? 'P' : 'S';
      out += (out.empty() ? "" : " ") + (tag + Nums({f.args[4], f.args[5], f.args[6], f.args[7]}));
    }
    return out;
  }
};

} // namespace

// Vertical: n columns of r.W / n, padding off the right and bottom; horizontal: n rows padded
// above and below. Hit test: the first track containing the point, right and bottom excluded.
TEST_F(TrackControls, TrackLayoutAndHitTest)
{
  auto* columns = Attach(new Bars(IRECT(0, 0, 100, 60), "", Plain(), {0, 1, 2, 3}));
  auto* rows = Attach(new Bars(IRECT(0, 0, 100, 60), "", Plain(), {0, 1, 2}, 0, EDirection::Horizontal));
  auto* none = Attach(new Bars(IRECT(0, 0, 100, 60), "", Plain(), {}));
  columns->SetTrackPadding(2);
  rows->SetTrackPadding(1);
  EXPECT_EQ(Rects(columns->GetTrackBounds()) + " | " + Rects(rows->GetTrackBounds()),
            "0,0,23,58 25,0,48,58 50,0,73,58 75,0,98,58 | 0,1,100,19 0,21,100,39 0,41,100,59");
  const std::tuple<IControl*, float, float, int> hits[] = {
      {columns, 24, 5, -1}, {columns, 25, 5, 1}, {columns, 97.9f, 57.9f, 3}, {columns, 30, 58, -1},
      {rows, 50, 20, -1},   {rows, 50, 21, 1},   {none, 50, 30, -1}};
  for (const auto& [control, x, y, idx] : hits)
    EXPECT_EQ(control->GetValIdxForPos(x, y), idx) << x << "," << y;
  EXPECT_TRUE(none->GetTrackBounds().empty() && Fills(none).empty());
}

// From the start (or the base value) to the value, a peak of 1 at the value edge (the bottom or
// left when below the base); the hovered track again in the highlight colour. With steps
// (cell 0 the bottom one) the fill becomes the first cell holding its top edge, no peak; value 0
// fills the bottom cell only when that cell exists.
TEST_F(TrackControls, ValueFillsPeaksAndSteps)
{
  auto* v = Attach(new Bars(IRECT(0, 0, 10, 100), "", Plain(), {0}));
  auto* h = Attach(new Bars(IRECT(0, 0, 100, 10), "", Plain(), {0}, 0, EDirection::Horizontal));
  auto* stepped = Attach(new Bars(IRECT(0, 0, 10, 100), "", Plain(), {0}, 4));
  auto* coarse = Attach(new Bars(IRECT(0, 0, 10, 100), "", Plain(), {0}, 4));
  coarse->WithoutZeroCell();
  EXPECT_EQ(Rects(stepped->GetStepBounds()), "0,80,10,100 0,60,10,80 0,40,10,60 0,20,10,40 0,0,10,20");
  const std::tuple<Bars*, double, double, const char*> cases[] = {{v, 0.0, 0.25, "F0,75,10,100 P0,75,10,76"},
                                                                  {v, 0.5, 0.25, "F0,50,10,75 P0,74,10,75"},
                                                                  {v, 0.5, 0.75, "F0,25,10,50 P0,25,10,26"},
                                                                  {h, 0.0, 0.4, "F0,0,40,10 P39,0,40,10"},
                                                                  {h, 0.5, 0.25, "F25,0,50,10 P25,0,26,10"},
                                                                  {stepped, 0, 0.5, "F0,40,10,60"},
                                                                  {stepped, 0, 0.0, "F0,80,10,100"},
                                                                  {stepped, 0, 0.7, "F0,20,10,40"},
                                                                  {coarse, 0, 0.0, ""},
                                                                  {coarse, 0, 0.5, "F0,50,10,75"},
                                                                  {coarse, 0, 1.0, "F0,0,10,25"}};
  for (const auto& [bars, base, value, fills] : cases) {
    bars->SetBaseValue(base);
    bars->SetValue(value);
    EXPECT_EQ(Fills(bars), fills) << base << " " << value;
  }
  v->SetBaseValue(0.0);
  v->OnMouseOver(5, 5, NoButton());
  EXPECT_EQ(Fills(v), "F0,25,10,100 H0,25,10,100 P0,25,10,26");
  v->OnMouseOut();
  EXPECT_EQ(v->GetMouseOverTrack(), -1);
  // The background marks a base value with a line in the shadow colour; NaN is refused.
  v->SetBaseValue(std::numeric_limits<double>::quiet_NaN());
  g.ClearCalls();
  v->DrawBackground(g, v->GetBounds());
  v->SetBaseValue(0.5);
  v->DrawBackground(g, v->GetBounds());
  h->DrawBackground(g, h->GetBounds());
  EXPECT_EQ(Trace(g.CallsNamed("line")), "line60,0,0,0,0,50,10,50,1,1 line60,0,0,0,50,0,50,10,1,1");
}

// Handles of half-width 5 beside a track of half-thickness 2: even ones below (left of) it, odd
// ones above (right of) it, shadows moving them by half the shadow offset. A dragged handle
// stops at its neighbours' values; neighbours out of order pin it; without a hovered handle a
// drag does nothing.
TEST_F(TrackControls, RangeSliderHandlesStayInOrder)
{
  IVStyle shadowed = Plain();
  shadowed.drawShadows = true;
  auto* h = Attach(
      new IVRangeSliderControl(IRECT(0, 0, 200, 40), {0, 1}, "", Plain(), EDirection::Horizontal, 5, 2));
  auto* v =
      Attach(new IVRangeSliderControl(IRECT(0, 0, 40, 200), {0, 1}, "", Plain(), EDirection::Vertical, 5, 2));
  auto* s = Attach(
      new IVRangeSliderControl(IRECT(0, 0, 200, 40), {0, 1}, "", shadowed, EDirection::Horizontal, 5, 2));
  std::string handles;
  for (IVRangeSliderControl* c : {h, v, s}) {
    c->SetValue(0.2, 0);
    c->SetValue(0.6, 1);
    handles += Rects({c->GetHandleBounds(0), c->GetHandleBounds(1), c->GetHandleBounds(2)}) + " | ";
  }
  EXPECT_EQ(
      Rects(h->GetTrackBounds()) + " | " + handles,
      "5,18,195,22 5,18,195,22 | 38,22,48,32 114,10,124,20 0,0,0,0 | 10,152,20,162 22,76,32,86 0,0,0,0 | "
      "38,23.5,48,33.5 114,11.5,124,21.5 0,0,0,0 | ");
  EXPECT_EQ(Fills(h), "S43,18,119,22");
  EXPECT_EQ(Trace(g.CallsNamed("fillT")), // pointing at the track: up, then down
            "fillT255,200,200,200,38,32,43,22,48,32,-1 fillT255,200,200,200,124,10,119,20,114,10,-1");

  // {hover x, y (-1: none), drag to x, handle hovered, value index, value}
  const std::tuple<float, float, float, int, int, double> drags[] = {{43, 27, 180, 0, 0, 0.6},
                                                                     {119, 15, 10, 1, 1, 0.6},
                                                                     {119, 15, 190, 1, 1, 0.95},
                                                                     {-1, -1, 10, -1, 1, 0.95}};
  for (const auto& [x, y, to, handle, idx, value] : drags) {
    x < 0 ? h->OnMouseOut() : h->OnMouseOver(x, y, NoButton());
    ASSERT_EQ(h->GetMouseOverHandle(), handle);
    h->OnMouseDown(x, y, LeftButton());
    h->OnMouseDrag(to, y, to - x, 0, LeftButton());
    h->OnMouseUp(to, y, LeftButton());
    EXPECT_DOUBLE_EQ(h->GetValue(idx), value) << to;
  }
  auto* three =
      Attach(new IVRangeSliderControl(IRECT(0, 0, 200, 40), {0, 1, 2}, "", Plain(), EDirection::Horizontal));
  for (int i = 0; i < 3; ++i)
    three->SetValue(0.9 - 0.4 * i, i);
  three->OnMouseOver(100, 10, NoButton()); // handle 1 at 0.5, above the track
  ASSERT_EQ(three->GetMouseOverHandle(), 1);
  three->OnMouseDrag(0, 10, -100, 0, LeftButton());
  EXPECT_EQ(three->GetValue(1), 0.9);
}

// x from the left, y from the bottom, clamped to the bounds (1 at the top edge); zero-size bounds
// keep the values. The handle's centre moves over the pad inset by its radius, or over the whole
// pad clipped to it less half the frame; the cross runs through the middle in the shadow colour.
TEST_F(TrackControls, XYPadValuesHandleAndCross)
{
  auto* pad =
      Attach(new IVXYPadControl(IRECT(0, 0, 100, 50), {TD::kGain, TD::kSteps}, "", Plain(), 5, false, false));
  const std::tuple<float, float, double, double> drags[] = {
      {50, 25, 0.5, 0.5}, {150, -10, 1, 1}, {-5, 60, 0, 0}, {25, 0, 0.25, 1}, {50, 0, 0.5, 1}};
  for (const auto& [x, y, vx, vy] : drags) {
    pad->OnMouseDrag(x, y, 0, 0, LeftButton());
    EXPECT_TRUE(pad->GetValue(0) == vx && pad->GetValue(1) == vy) << x << "," << y;
  }
  EXPECT_EQ(dlg.CallsNamed("Send").size(), 2u * std::size(drags));
  auto* flat = Attach(new IVXYPadControl(IRECT(10, 10, 10, 30), {-1, -1}, "", Plain()));
  flat->SetValue(0.3, 0);
  flat->SetValue(0.7, 1);
  flat->OnMouseDown(10, 20, LeftButton());
  EXPECT_TRUE(flat->GetValue(0) == 0.3 && flat->GetValue(1) == 0.7);
  EXPECT_EQ(Trace(g.CallsNamed("HideMouseCursor")), "HideMouseCursor1,0"); // hidden, not held

  EXPECT_EQ(Rects({pad->GetHandleBounds()}), "45,0,55,10"); // inset by the radius 5
}
