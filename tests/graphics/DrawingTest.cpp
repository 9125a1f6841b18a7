#include "DrawCalls.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using namespace drawcalls;

namespace {

const IColor kRed = COLOR_RED;
const IBlend kHalf = BLEND_50;

// Calls of an ellipse path: translate, rotate, scale (each handed on), the unit circle, restore.
Calls EllipsePath(float cx, float cy, float rx, float ry, float degrees)
{
  IMatrix m;
  Calls out;
  out.push_back(Matrix(m.Translate(cx, cy)));
  out.push_back(Matrix(m.Rotate(degrees)));
  out.push_back(Matrix(m.Scale(rx, ry)));
  Calls circle = {Move(0, -1), Arc(0, 0, 1, 0, 360), Close(), Matrix(IMatrix())};
  out.insert(out.end(), circle.begin(), circle.end());
  return out;
}

class DrawingTest : public ::testing::Test
{
protected:
  Calls Run(const std::function<void(ICanvas&)>& op)
  {
    g.ClearCalls();
    op(g);
    return DrawOnly(g.calls);
  }

  TestEditorDelegate dlg;
  RecordingCanvas g{dlg};
};

struct OpCase
{
  std::string name;
  std::function<void(ICanvas&)> op;
  Calls expected;
};

} // namespace

// Every outline strokes once with the default options (miter 10, no preserve, butt, miter, no
// dash); every fill fills once with winding and no preserve; each path is what its algorithm says.
TEST_F(DrawingTest, OutlinesAndFillsRecordTheirPathsAndDefaultOptions)
{
  float xs[] = {1, 9, 5};
  float ys[] = {1, 1, 8};
  IStrokeOptions dashed;
  dashed.mDash.mCount = 1;
  const IRECT r(0, 0, 100, 50);
  const std::vector<OpCase> cases = {
      {"DrawLine",
       [](ICanvas& c) { c.DrawLine(kRed, 1, 2, 3, 4, &kHalf, 2.f); },
       {Clear(), Move(1, 2), Line(3, 4), Stroke(kRed, 2, {}, &kHalf)}},
      {"DrawDottedLine",
       [](ICanvas& c) { c.DrawDottedLine(kRed, 1, 2, 3, 4, nullptr, 1.f, 3.f); },
       {Clear(), Move(1, 2), Line(3, 4), Stroke(kRed, 1, dashed)}},
      {"DrawTriangle",
       [](ICanvas& c) { c.DrawTriangle(kRed, 1, 2, 3, 4, 5, 6); },
       {Clear(), Move(1, 2), Line(3, 4), Line(5, 6), Close(), Stroke(kRed)}},
      {"DrawRect", [&](ICanvas& c) { c.DrawRect(kRed, r, nullptr, 3.f); },
       Join({{Clear()}, RectPath(r), {Stroke(kRed, 3)}})},
      // Radius 0 is exactly the rectangle outline.
      {"DrawRoundRect radius 0", [&](ICanvas& c) { c.DrawRoundRect(kRed, r, 0.f); },
       Join({{Clear()}, RectPath(r), {Stroke(kRed)}})},
      {"DrawRoundRect radius 5",
       [&](ICanvas& c) { c.DrawRoundRect(kRed, r, 5.f); },
       {Clear(), Move(0, 5), Arc(5, 5, 5, 270, 360), Arc(95, 5, 5, 0, 90), Arc(95, 45, 5, 90, 180),
        Arc(5, 45, 5, 180, 270), Close(), Stroke(kRed)}},
      // Only the top-right corner rounded: the other three are arcs of radius 0 at the corners.
      {"DrawRoundRectCorners",
       [&](ICanvas& c) { c.DrawRoundRectCorners(kRed, r, 0, 5, 0, 0); },
       {Clear(), Move(0, 0), Arc(0, 0, 0, 270, 360), Arc(95, 5, 5, 0, 90), Arc(100, 50, 0, 90, 180),
        Arc(0, 50, 0, 180, 270), Close(), Stroke(kRed)}},
      {"DrawArc",
       [](ICanvas& c) { c.DrawArc(kRed, 10, 20, 5, 0, 90); },
       {Clear(), Arc(10, 20, 5, 0, 90), Stroke(kRed)}},
      {"DrawCircle starts at the top",
       [](ICanvas& c) { c.DrawCircle(kRed, 10, 20, 5); },
       {Clear(), Move(10, 15), Arc(10, 20, 5, 0, 360), Close(), Stroke(kRed)}},
      {"DrawEllipse", [](ICanvas& c) { c.DrawEllipse(kRed, IRECT(0, 0, 20, 10)); },
       Join({{Clear()}, EllipsePath(10, 5, 10, 5, 0), {Stroke(kRed)}})},
      {"DrawEllipseRotated", [](ICanvas& c) { c.DrawEllipseRotated(kRed, 10, 5, 4, 2, 90); },
       Join({{Clear()}, EllipsePath(10, 5, 4, 2, 90), {Stroke(kRed)}})},
      {"DrawEllipseRotated rx 0",
       [](ICanvas& c) { c.DrawEllipseRotated(kRed, 10, 5, 0, 2, 30); },
       {Clear(), Stroke(kRed)}},
      {"DrawConvexPolygon",
       [&](ICanvas& c) { c.DrawConvexPolygon(kRed, xs, ys, 3); },
       {Clear(), Move(1, 1), Line(9, 1), Line(5, 8), Close(), Stroke(kRed)}},
      {"DrawConvexPolygon one point",
       [&](ICanvas& c) { c.DrawConvexPolygon(kRed, xs, ys, 1); },
       {Clear(), Move(1, 1), Close(), Stroke(kRed)}},
      {"DrawConvexPolygon no point", [&](ICanvas& c) { c.DrawConvexPolygon(kRed, xs, ys, 0); }, {}},
      {"DrawConvexPolygon null arrays",
       [](ICanvas& c) { c.DrawConvexPolygon(kRed, nullptr, nullptr, 3); },
       {}},
      {"DrawDottedRect", [&](ICanvas& c) { c.DrawDottedRect(kRed, r, nullptr, 1.f, 4.f); },
       Join({{Clear()}, RectPath(r), {Stroke(kRed, 1, dashed)}})},
      {"DrawPoint fills one unit", [](ICanvas& c) { c.DrawPoint(kRed, 3, 4, &kHalf); },
       Join({{Clear()}, RectPath(IRECT(3, 4, 4, 5)), {Fill(kRed, {}, &kHalf)}})},
      {"FillTriangle",
       [](ICanvas& c) { c.FillTriangle(kRed, 1, 2, 3, 4, 5, 6); },
       {Clear(), Move(1, 2), Line(3, 4), Line(5, 6), Close(), Fill(kRed)}},
      {"FillRect", [&](ICanvas& c) { c.FillRect(kRed, r, &kHalf); },
       Join({{Clear()}, RectPath(r), {Fill(kRed, {}, &kHalf)}})},
      {"FillRoundRect",
       [&](ICanvas& c) { c.FillRoundRect(kRed, r, 10.f); },
       {Clear(), Move(0, 10), Arc(10, 10, 10, 270, 360), Arc(90, 10, 10, 0, 90), Arc(90, 40, 10, 90, 180),
        Arc(10, 40, 10, 180, 270), Close(), Fill(kRed)}},
      {"FillRoundRectCorners",
       [&](ICanvas& c) { c.FillRoundRectCorners(kRed, r, 1, 2, 3, 4); },
       {Clear(), Move(0, 1), Arc(1, 1, 1, 270, 360), Arc(98, 2, 2, 0, 90), Arc(96, 46, 4, 90, 180),
        Arc(3, 47, 3, 180, 270), Close(), Fill(kRed)}},
      {"FillCircle",
       [](ICanvas& c) { c.FillCircle(kRed, 10, 20, 5); },
       {Clear(), Move(10, 15), Arc(10, 20, 5, 0, 360), Close(), Fill(kRed)}},
      {"FillEllipse", [](ICanvas& c) { c.FillEllipse(kRed, IRECT(0, 0, 20, 10)); },
       Join({{Clear()}, EllipsePath(10, 5, 10, 5, 0), {Fill(kRed)}})},
      {"FillEllipseRotated", [](ICanvas& c) { c.FillEllipseRotated(kRed, 1, 2, 3, 4, 45); },
       Join({{Clear()}, EllipsePath(1, 2, 3, 4, 45), {Fill(kRed)}})},
      // A pie slice from the centre; DrawArc with the same angles has only the curve.
      {"FillArc",
       [](ICanvas& c) { c.FillArc(kRed, 10, 20, 5, 0, 90); },
       {Clear(), Move(10, 20), Arc(10, 20, 5, 0, 90), Close(), Fill(kRed)}},
      {"FillConvexPolygon",
       [&](ICanvas& c) { c.FillConvexPolygon(kRed, xs, ys, 3); },
       {Clear(), Move(1, 1), Line(9, 1), Line(5, 8), Close(), Fill(kRed)}},
      {"FillConvexPolygon no point", [&](ICanvas& c) { c.FillConvexPolygon(kRed, xs, ys, -2); }, {}},
  };
  for (const OpCase& c : cases)
    EXPECT_TRUE(SameCalls(Run(c.op), c.expected)) << c.name;
}

TEST_F(DrawingTest, GridLinesLieInsideTheBounds)
{
  const std::vector<OpCase> cases = {
      {"steps 25",
       [](ICanvas& c) { c.DrawGrid(kRed, IRECT(0, 0, 100, 100), 25, 25); },
       {Clear(), Move(25, 0), Line(25, 100), Move(50, 0), Line(50, 100), Move(75, 0), Line(75, 100),
        Move(0, 25), Line(100, 25), Move(0, 50), Line(100, 50), Move(0, 75), Line(100, 75), Stroke(kRed)}},
      {"steps of 1 draw nothing but still stroke",
       [](ICanvas& c) { c.DrawGrid(kRed, IRECT(0, 0, 100, 100), 1, 1); },
       {Clear(), Stroke(kRed)}},
      {"only x",
       [](ICanvas& c) { c.DrawGrid(kRed, IRECT(10, 0, 50, 10), 15, 0.5f, nullptr, 2.f); },
       {Clear(), Move(25, 0), Line(25, 10), Move(40, 0), Line(40, 10), Stroke(kRed, 2)}},
      {"NaN steps",
       [](ICanvas& c) {
         const float nan = std::numeric_limits<float>::quiet_NaN();
         c.DrawGrid(kRed, IRECT(0, 0, 10, 10), nan, nan);
       },
       {Clear(), Stroke(kRed)}},
  };
  for (const OpCase& c : cases)
    EXPECT_TRUE(SameCalls(Run(c.op), c.expected)) << c.name;
}

TEST_F(DrawingTest, DataPlotsRunFromTheBottomEdge)
{
  const IRECT r(10, 20, 110, 70);
  float y01[] = {0, 1};
  float x5[] = {0.5f, 1};
  float ramp[] = {0, 0.5f, 1};
  const IColor fill = COLOR_BLUE;
  const std::vector<OpCase> cases = {
      {"n = 0 leaves the path alone", [&](ICanvas& c) { c.DrawData(kRed, r, y01, 0); }, {}},
      {"null values", [&](ICanvas& c) { c.DrawData(kRed, r, nullptr, 2); }, {}},
      {"a single point",
       [&](ICanvas& c) { c.DrawData(kRed, r, ramp + 1, 1); },
       {Clear(), Move(10, 45), Stroke(kRed)}},
      {"bottom left to top right",
       [&](ICanvas& c) { c.DrawData(kRed, r, y01, 2); },
       {Clear(), Move(10, 70), Line(110, 20), Stroke(kRed)}},
      {"x fractions",
       [&](ICanvas& c) { c.DrawData(kRed, r, y01, 2, x5); },
       {Clear(), Move(60, 70), Line(110, 20), Stroke(kRed)}},
      {"filled, then stroked on the kept path",
       [&](ICanvas& c) { c.DrawData(kRed, r, ramp, 3, nullptr, &kHalf, 2.f, &fill); },
       {Clear(), Move(10, 70), Line(60, 45), Line(110, 20), Fill(fill, {EFillRule::Winding, true}, &kHalf),
        Stroke(kRed, 2, {}, &kHalf)}},
  };
  for (const OpCase& c : cases)
    EXPECT_TRUE(SameCalls(Run(c.op), c.expected)) << c.name;
}

TEST_F(DrawingTest, LineHelpersClampAndPlaceTheirLines)
{
  const IRECT r(10, 20, 110, 70);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  auto line = [](double x1, double y1, double x2, double y2) {
    return Calls{Clear(), Move(x1, y1), Line(x2, y2), Stroke(kRed)};
  };
  const std::vector<OpCase> cases = {
      {"horizontal at 0.25 from the bottom", [&](ICanvas& c) { c.DrawHorizontalLine(kRed, r, 0.25f); },
       line(10, 57.5, 110, 57.5)},
      {"horizontal clamped above 1", [&](ICanvas& c) { c.DrawHorizontalLine(kRed, r, 1.5f); },
       line(10, 20, 110, 20)},
      {"vertical truncates", [&](ICanvas& c) { c.DrawVerticalLine(kRed, r, 0.333f); }, line(43, 20, 43, 70)},
      {"vertical clamped below 0", [&](ICanvas& c) { c.DrawVerticalLine(kRed, r, -2.f); },
       line(10, 20, 10, 70)},
      {"NaN reads as 0", [&](ICanvas& c) { c.DrawVerticalLine(kRed, r, nan); }, line(10, 20, 10, 70)},
      {"across, horizontal", [&](ICanvas& c) { c.DrawLineAcross(kRed, r, EDirection::Horizontal, 0.5f); },
       line(10, 45, 110, 45)},
      {"across, vertical", [&](ICanvas& c) { c.DrawLineAcross(kRed, r, EDirection::Vertical, 0.5f); },
       line(60, 20, 60, 70)},
      {"vertical by points", [](ICanvas& c) { c.DrawVerticalLine(kRed, 5, 1, 9); }, line(5, 1, 5, 9)},
      {"horizontal by points", [](ICanvas& c) { c.DrawHorizontalLine(kRed, 5, 1, 9); }, line(1, 5, 9, 5)},
      {"radial at 90 points right", [](ICanvas& c) { c.DrawRadialLine(kRed, 50, 50, 90, 10, 20); },
       line(60, 50, 70, 50)},
      {"radial at 0 points up", [](ICanvas& c) { c.DrawRadialLine(kRed, 50, 50, 0, 10, 20); },
       line(50, 40, 50, 30)},
  };
  for (const OpCase& c : cases)
    EXPECT_TRUE(SameCalls(Run(c.op), c.expected)) << c.name;
}

TEST_F(DrawingTest, BitmapsAreFittedAndRotatedUnderTheTransform)
{
  CountedBitmap image(1, 200, 100, 2.f, 1.f); // 100 x 50 units
  const IBitmap bitmap(&image, 1, false, "b.png");
  auto draw = [](double l, double t, double r, double b) {
    return CanvasCall{"DrawBitmap", {l, t, r, b, 0, 0, 100, 50, 1}, "b.png"};
  };
  IMatrix fitted;
  fitted.Translate(10, 20).Scale(2, 0.5);
  IMatrix rotated;
  rotated.Translate(30, 40).Rotate(90);
  const std::vector<OpCase> cases = {
      {"fitted",
       [&](ICanvas& c) { c.DrawFittedBitmap(bitmap, IRECT(10, 20, 210, 45)); },
       {Matrix(IMatrix().Translate(10, 20)), Matrix(fitted), draw(0, 0, 100, 50), Matrix(IMatrix())}},
      {"rotated",
       [&](ICanvas& c) { c.DrawRotatedBitmap(bitmap, 30, 40, 90); },
       {Matrix(IMatrix().Translate(30, 40)), Matrix(rotated), draw(-50, -25, 50, 25), Matrix(IMatrix())}},
      {"empty bitmap, fitted", [](ICanvas& c) { c.DrawFittedBitmap(IBitmap(), IRECT(0, 0, 10, 10)); }, {}},
      {"empty bitmap, rotated", [](ICanvas& c) { c.DrawRotatedBitmap(IBitmap(), 5, 5, 10); }, {}},
      {"multi-line text is not supported here",
       [](ICanvas& c) { c.DrawMultiLineText(DEFAULT_TEXT, "a b c", IRECT(0, 0, 10, 10)); },
       {CanvasCall{"DoDrawText", {0, 0, 10, 10, 14, 1}, "Unsupported"}}},
  };
  for (const OpCase& c : cases)
    EXPECT_TRUE(SameCalls(Run(c.op), c.expected)) << c.name;
}

// Text rotated by its angle covers the box of its rotated corners, placed by its alignment.
TEST(TextRotation, RotatedBoxIsAlignedInsideTheBounds)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  const IRECT bounds(0, 0, 100, 20);
  const struct
  {
    float angle;
    EAlign align;
    EVAlign valign;
    IRECT measured;
    IRECT expected;
  } cases[] = {
      {90, EAlign::Near, EVAlign::Top, IRECT(0, 0, 40, 10), IRECT(0, 0, 10, 40)},
      {90, EAlign::Far, EVAlign::Bottom, IRECT(0, 0, 40, 10), IRECT(90, -20, 100, 20)},
      {90, EAlign::Center, EVAlign::Middle, IRECT(0, 0, 40, 10), IRECT(45, -10, 55, 30)},
      {180, EAlign::Near, EVAlign::Top, IRECT(0, 0, 40, 10), IRECT(0, 0, 40, 10)},
      {0, EAlign::Far, EVAlign::Bottom, IRECT(1, 2, 3, 4), IRECT(1, 2, 3, 4)}, // angle 0: unchanged
  };
  for (const auto& c : cases) {
    IText text(14.f, COLOR_BLACK, nullptr, c.align, c.valign, c.angle);
    IRECT rect = c.measured;
    g.DoMeasureTextRotation(text, bounds, rect);
    EXPECT_NEAR(rect.L, c.expected.L, 1e-4) << c.angle;
    EXPECT_NEAR(rect.T, c.expected.T, 1e-4) << c.angle;
    EXPECT_NEAR(rect.R, c.expected.R, 1e-4) << c.angle;
    EXPECT_NEAR(rect.B, c.expected.B, 1e-4) << c.angle;
  }
  // The translation alone, and the rotated box before it.
  IText text(14.f, COLOR_BLACK, nullptr, EAlign::Near, EVAlign::Top, 90.f);
  IRECT rect(0, 0, 40, 10);
  double tx = 7;
  double ty = 7;
  g.CalculateTextRotation(text, bounds, rect, tx, ty);
  EXPECT_NEAR(rect.L, -10, 1e-4);
  EXPECT_NEAR(rect.R, 0, 1e-4);
  EXPECT_NEAR(tx, 10, 1e-4);
  EXPECT_NEAR(ty, 0, 1e-4);
}
