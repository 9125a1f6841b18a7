#include "support/ui/CallTrace.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

struct OpCase
{
  const char* name;
  std::function<void(ICanvas&)> op;
  const char* trace;
};

} // namespace

// Each operation's recorded primitives against its algorithm. Outlines stroke once with the
// default options (miter 10, no preserve, butt, miter, no dash), fills fill once (winding, no
// preserve); arcs are clockwise from twelve o'clock; every transform change is handed on at once.
TEST(Drawing, EveryOperationRecordsItsAlgorithm)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  const IColor red = COLOR_RED;
  const IColor blue = COLOR_BLUE;
  const IRECT r(0, 0, 100, 50);
  const IRECT d(10, 20, 110, 70);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  float xs[] = {1, 9, 5};
  float ys[] = {1, 1, 8};
  float y01[] = {0, 1};
  float x5[] = {0.5f, 1};
  float ramp[] = {0, 0.5f, 1};
  CountedBitmap image(1, 200, 100, 2.f, 1.f); // 100 x 50 units
  const IBitmap bitmap(&image, 1, false, "b.png");
  const OpCase cases[] = {
      {"line", [&](ICanvas& c) { c.DrawLine(red, 1, 2, 3, 4, &BLEND_50, 2); },
       "clear M1,2 L3,4 stroke0,255,255,0,0,2,10,0,0,0,0,0,0.5"},
      {"dotted line: one dash entry", [&](ICanvas& c) { c.DrawDottedLine(red, 1, 2, 3, 4, nullptr, 1, 3); },
       "clear M1,2 L3,4 stroke0,255,255,0,0,1,10,0,0,0,1,0,1"},
      {"triangle", [&](ICanvas& c) { c.DrawTriangle(red, 1, 2, 3, 4, 5, 6); },
       "clear M1,2 L3,4 L5,6 Z stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"rect", [&](ICanvas& c) { c.DrawRect(red, r, nullptr, 3); },
       "clear M0,0 L100,0 L100,50 L0,50 Z stroke0,255,255,0,0,3,10,0,0,0,0,0,1"},
      {"round rect of radius 0 is the rect", [&](ICanvas& c) { c.DrawRoundRect(red, r, 0); },
       "clear M0,0 L100,0 L100,50 L0,50 Z stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"round rect", [&](ICanvas& c) { c.DrawRoundRect(red, r, 5); },
       "clear M0,5 A5,5,5,270,360,0 A95,5,5,0,90,0 A95,45,5,90,180,0 A5,45,5,180,270,0 Z "
       "stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"only the top-right corner rounded", [&](ICanvas& c) { c.DrawRoundRectCorners(red, r, 0, 5, 0, 0); },
       "clear M0,0 A0,0,0,270,360,0 A95,5,5,0,90,0 A100,50,0,90,180,0 A0,50,0,180,270,0 Z "
       "stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"arc: the curve alone", [&](ICanvas& c) { c.DrawArc(red, 10, 20, 5, 0, 90); },
       "clear A10,20,5,0,90,0 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"circle starts at the top", [&](ICanvas& c) { c.DrawCircle(red, 10, 20, 5); },
       "clear M10,15 A10,20,5,0,360,0 Z stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"ellipse", [&](ICanvas& c) { c.DrawEllipse(red, IRECT(0, 0, 20, 10)); },
       "clear T1,0,0,1,10,5 T1,0,0,1,10,5 T10,0,0,5,10,5 M0,-1 A0,0,1,0,360,0 Z T1,0,0,1,0,0 "
       "stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"rotated ellipse", [&](ICanvas& c) { c.DrawEllipseRotated(red, 10, 5, 4, 2, 90); },
       "clear T1,0,0,1,10,5 T0,1,-1,0,10,5 T0,4,-2,0,10,5 M0,-1 A0,0,1,0,360,0 Z T1,0,0,1,0,0 "
       "stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"ellipse of radius 0 adds nothing", [&](ICanvas& c) { c.DrawEllipseRotated(red, 10, 5, 0, 2, 30); },
       "clear stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"polygon", [&](ICanvas& c) { c.DrawConvexPolygon(red, xs, ys, 3); },
       "clear M1,1 L9,1 L5,8 Z stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"polygon without points", [&](ICanvas& c) { c.DrawConvexPolygon(red, xs, ys, 0); }, ""},
      {"polygon without arrays", [&](ICanvas& c) { c.FillConvexPolygon(red, nullptr, ys, 3); }, ""},
      {"dotted rect", [&](ICanvas& c) { c.DrawDottedRect(red, r, nullptr, 1, 4); },
       "clear M0,0 L100,0 L100,50 L0,50 Z stroke0,255,255,0,0,1,10,0,0,0,1,0,1"},
      {"point fills one unit", [&](ICanvas& c) { c.DrawPoint(red, 3, 4, &BLEND_50); },
       "clear M3,4 L4,4 L4,5 L3,5 Z fill0,255,255,0,0,0,0,0,0.5"},
      {"fill triangle", [&](ICanvas& c) { c.FillTriangle(red, 1, 2, 3, 4, 5, 6); },
       "clear M1,2 L3,4 L5,6 Z fill0,255,255,0,0,0,0,0,1"},
      {"fill rect", [&](ICanvas& c) { c.FillRect(red, r, &BLEND_50); },
       "clear M0,0 L100,0 L100,50 L0,50 Z fill0,255,255,0,0,0,0,0,0.5"},
      {"fill corners", [&](ICanvas& c) { c.FillRoundRectCorners(red, r, 1, 2, 3, 4); },
       "clear M0,1 A1,1,1,270,360,0 A98,2,2,0,90,0 A96,46,4,90,180,0 A3,47,3,180,270,0 Z "
       "fill0,255,255,0,0,0,0,0,1"},
      {"fill circle", [&](ICanvas& c) { c.FillCircle(red, 10, 20, 5); },
       "clear M10,15 A10,20,5,0,360,0 Z fill0,255,255,0,0,0,0,0,1"},
      {"fill ellipse", [&](ICanvas& c) { c.FillEllipse(red, IRECT(0, 0, 20, 10)); },
       "clear T1,0,0,1,10,5 T1,0,0,1,10,5 T10,0,0,5,10,5 M0,-1 A0,0,1,0,360,0 Z T1,0,0,1,0,0 "
       "fill0,255,255,0,0,0,0,0,1"},
      {"fill rotated ellipse", [&](ICanvas& c) { c.FillEllipseRotated(red, 1, 2, 3, 4, 45); },
       "clear T1,0,0,1,1,2 T0.707,0.707,-0.707,0.707,1,2 T2.121,2.121,-2.828,2.828,1,2 M0,-1 A0,0,1,0,360,0 "
       "Z T1,0,0,1,0,0 fill0,255,255,0,0,0,0,0,1"},
      {"fill arc: a pie slice", [&](ICanvas& c) { c.FillArc(red, 10, 20, 5, 0, 90); },
       "clear M10,20 A10,20,5,0,90,0 Z fill0,255,255,0,0,0,0,0,1"},
      {"fill polygon", [&](ICanvas& c) { c.FillConvexPolygon(red, xs, ys, 3); },
       "clear M1,1 L9,1 L5,8 Z fill0,255,255,0,0,0,0,0,1"},
      {"grid lines inside the bounds", [&](ICanvas& c) { c.DrawGrid(red, IRECT(0, 0, 100, 100), 25, 25); },
       "clear M25,0 L25,100 M50,0 L50,100 M75,0 L75,100 M0,25 L100,25 M0,50 L100,50 M0,75 L100,75 "
       "stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"grid steps of 1 or NaN draw none", [&](ICanvas& c) { c.DrawGrid(red, r, 1, nan); },
       "clear stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"data: n = 0 leaves the path", [&](ICanvas& c) { c.DrawData(red, d, y01, 0); }, ""},
      {"data: one point", [&](ICanvas& c) { c.DrawData(red, d, ramp + 1, 1); },
       "clear M10,45 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"data: bottom left to top right", [&](ICanvas& c) { c.DrawData(red, d, y01, 2); },
       "clear M10,70 L110,20 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"data: x fractions", [&](ICanvas& c) { c.DrawData(red, d, y01, 2, x5); },
       "clear M60,70 L110,20 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"data: filled, kept, stroked",
       [&](ICanvas& c) { c.DrawData(red, d, ramp, 3, nullptr, &BLEND_50, 2, &blue); },
       "clear M10,70 L60,45 L110,20 fill0,255,0,0,255,0,1,0,0.5 stroke0,255,255,0,0,2,10,0,0,0,0,0,0.5"},
      {"horizontal line from the bottom", [&](ICanvas& c) { c.DrawHorizontalLine(red, d, 0.25f); },
       "clear M10,57.5 L110,57.5 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"horizontal line clamped", [&](ICanvas& c) { c.DrawHorizontalLine(red, d, 1.5f); },
       "clear M10,20 L110,20 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"vertical line truncated", [&](ICanvas& c) { c.DrawVerticalLine(red, d, 0.333f); },
       "clear M43,20 L43,70 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"vertical line, NaN is 0", [&](ICanvas& c) { c.DrawVerticalLine(red, d, nan); },
       "clear M10,20 L10,70 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"line across, horizontal", [&](ICanvas& c) { c.DrawLineAcross(red, d, EDirection::Horizontal, 0.5f); },
       "clear M10,45 L110,45 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"line across, vertical", [&](ICanvas& c) { c.DrawLineAcross(red, d, EDirection::Vertical, -1); },
       "clear M10,20 L10,70 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"lines by points",
       [&](ICanvas& c) { c.DrawVerticalLine(red, 5, 1, 9), c.DrawHorizontalLine(red, 5, 1, 9); },
       "clear M5,1 L5,9 stroke0,255,255,0,0,1,10,0,0,0,0,0,1 clear M1,5 L9,5 "
       "stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"radial line at 90 points right", [&](ICanvas& c) { c.DrawRadialLine(red, 50, 50, 90, 10, 20); },
       "clear M60,50 L70,50 stroke0,255,255,0,0,1,10,0,0,0,0,0,1"},
      {"fitted bitmap", [&](ICanvas& c) { c.DrawFittedBitmap(bitmap, IRECT(10, 20, 210, 45)); },
       "T1,0,0,1,10,20 T2,0,0,0.5,10,20 DrawBitmap0,0,100,50,0,0,100,50,1'b.png' T1,0,0,1,0,0"},
      {"rotated bitmap", [&](ICanvas& c) { c.DrawRotatedBitmap(bitmap, 30, 40, 90); },
       "T1,0,0,1,30,40 T0,1,-1,0,30,40 DrawBitmap-50,-25,50,25,0,0,100,50,1'b.png' T1,0,0,1,0,0"},
      {"empty bitmaps",
       [&](ICanvas& c) { c.DrawFittedBitmap(IBitmap(), r), c.DrawRotatedBitmap(IBitmap(), 5, 5, 1); }, ""},
      {"multi-line text", [&](ICanvas& c) { c.DrawMultiLineText(DEFAULT_TEXT, "a b", r); },
       "DoDrawText0,0,100,50,14,1'Unsupported'"},
  };
  for (const OpCase& c : cases) {
    g.ClearCalls();
    c.op(g);
    EXPECT_EQ(Trace(g.calls), c.trace) << c.name;
    EXPECT_EQ(g.GetTransform(), IMatrix()) << c.name;
    EXPECT_EQ(g.TransformStackDepth(), 0) << c.name;
  }
}

// Text rotated by its angle covers the box of its rotated corners, placed by its alignment.
TEST(Drawing, RotatedTextBoxIsAlignedInsideTheBounds)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  const struct
  {
    float angle;
    EAlign align;
    EVAlign valign;
    const char* box;
  } cases[] = {
      {90, EAlign::Near, EVAlign::Top, "0,0,10,40"},
      {90, EAlign::Far, EVAlign::Bottom, "90,-20,100,20"},
      {90, EAlign::Center, EVAlign::Middle, "45,-10,55,30"},
      {180, EAlign::Near, EVAlign::Top, "0,0,40,10"},
      {0, EAlign::Far, EVAlign::Bottom, "0,0,40,10"}, // angle 0: unchanged
  };
  for (const auto& c : cases) {
    IRECT rect(0, 0, 40, 10);
    g.DoMeasureTextRotation(IText(14.f, COLOR_BLACK, nullptr, c.align, c.valign, c.angle),
                            IRECT(0, 0, 100, 20), rect);
    EXPECT_EQ(Box(rect), c.box) << c.angle;
  }
}
