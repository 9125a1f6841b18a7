#include "graphics/svg/SvgImage.h"
#include "support/ui/CallTrace.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// A closed square path at (x, y) of side s, each side one straight cubic.
SvgPath Square(float x, float y, float s)
{
  SvgPath p{{{x, y}}, true, {x, y, x + s, y + s}};
  for (const SvgPoint& c : {SvgPoint{x + s, y}, {x + s, y + s}, {x, y + s}, {x, y}}) {
    const SvgPoint a = p.points.back();
    p.points.insert(p.points.end(), {{a.x + (c.x - a.x) / 3, a.y + (c.y - a.y) / 3},
                                     {a.x + 2 * (c.x - a.x) / 3, a.y + 2 * (c.y - a.y) / 3},
                                     c});
  }
  return p;
}

SvgShape Shape(std::vector<SvgPath> paths, uint32_t fill, uint32_t stroke, float opacity = 1.f)
{
  SvgShape s;
  s.flags = kSvgFlagVisible;
  s.opacity = opacity;
  s.fill = {fill ? SvgPaintType::Color : SvgPaintType::None, fill, {}};
  s.stroke = {stroke ? SvgPaintType::Color : SvgPaintType::None, stroke, {}};
  s.paths = std::move(paths);
  return s;
}

class SvgDrawing : public ::testing::Test
{
protected:
  // The image drawn; with holesOnly, just the windings of its sub-paths (f filled, h hole).
  std::string Drawn(SvgImage& image, bool holesOnly = false, const IColor* stroke = nullptr,
                    const IColor* fill = nullptr)
  {
    g.ClearCalls();
    g.DoDrawSVG(ISVG(&image), nullptr, stroke, fill);
    if (!holesOnly) return Trace(g.calls);
    std::string holes;
    for (const auto& c : g.CallsNamed("PathSetWinding"))
      holes += c.args[0] ? "h" : "f";
    return holes;
  }

  TestEditorDelegate dlg;
  RecordingCanvas g{dlg};
};

} // namespace

TEST_F(SvgDrawing, ShapesFillThenStrokeWithTheirOwnOptions)
{
  SvgImage image{20, 20, {}};
  const SvgPath line{{{0, 0}, {1, 1}, {2, 2}, {3, 3}}, false, {0, 0, 3, 3}};
  // Fill only at opacity 0.5: the opacity is the alpha, the colour's own alpha byte is not read.
  image.shapes.push_back(Shape({line}, SvgPackColor(10, 20, 30, 77), 0, 0.5f));
  // Fill and stroke: the fill keeps the path; the stroke takes width, miter, cap, join, dashes.
  SvgShape both = Shape({Square(0, 0, 3)}, SvgPackColor(1, 2, 3, 255), SvgPackColor(4, 5, 6, 255));
  both.strokeWidth = 3;
  both.miterLimit = 7;
  both.strokeLineCap = SvgLineCap::Round;
  both.strokeLineJoin = SvgLineJoin::Bevel;
  both.strokeDashCount = 2;
  image.shapes.push_back(both);
  // Cap and join out of range: butt and miter. Invisible shapes are skipped.
  SvgShape odd = Shape({line}, 0, SvgPackColor(7, 8, 9, 255));
  odd.strokeLineCap = static_cast<SvgLineCap>(7);
  odd.strokeLineJoin = static_cast<SvgLineJoin>(-1);
  image.shapes.push_back(odd);
  image.shapes.push_back(Shape({line}, SvgPackColor(1, 1, 1, 255), 0));
  image.shapes.back().flags = 0;
  EXPECT_EQ(Drawn(image), "clear M0,0 C1,1,2,2,3,3 W0 fill0,128,10,20,30,2,0,0,1 "
                          "clear M0,0 C1,0,2,0,3,0 C3,1,3,2,3,3 C2,3,1,3,0,3 C0,2,0,1,0,0 Z W0 "
                          "fill0,255,1,2,3,2,1,0,1 stroke0,255,4,5,6,3,7,0,1,2,2,0,1 "
                          "clear M0,0 C1,1,2,2,3,3 W0 stroke0,255,7,8,9,1,4,0,0,0,0,0,1");
  // Given colours replace every paint, gradients included.
  image.shapes[0].fill.type = SvgPaintType::LinearGradient;
  const IColor blue = COLOR_BLUE;
  const IColor green = COLOR_GREEN;
  Drawn(image, false, &blue, &green);
  EXPECT_EQ(Trace(g.calls, {"PathClear", "PathMoveTo", "PathCubicBezierTo", "PathClose", "PathSetWinding"}),
            "fill0,255,0,255,0,2,0,0,1 fill0,255,0,255,0,2,1,0,1 stroke0,255,0,0,255,3,7,0,1,2,2,0,1 "
            "stroke0,255,0,0,255,1,4,0,0,0,0,0,1");
}

// A sub-path inside an odd number of its shape's other sub-paths is wound as a hole.
TEST_F(SvgDrawing, NestedSubPathsAlternateBetweenFilledAndHole)
{
  const std::pair<std::vector<SvgPath>, const char*> cases[] = {
      {{Square(0, 0, 10), Square(3, 3, 4)}, "fh"}, // a ring
      {{Square(3, 3, 4), Square(0, 0, 10)}, "hf"},
      {{Square(0, 0, 4), Square(6, 0, 4)}, "ff"},
      {{Square(0, 0, 30), Square(5, 5, 20), Square(10, 10, 10)}, "fhf"},
      {{SvgPath{{{-5, -5}, {50, -5}}, false, {-5, -5, 50, -5}}, Square(3, 3, 4)},
       "ff"}}; // two points contain nothing
  for (const auto& [paths, holes] : cases) {
    SvgImage image{40, 40, {Shape(paths, SvgPackColor(0, 0, 0, 255), 0)}};
    EXPECT_EQ(Drawn(image, true), holes);
  }
  SvgImage* parsed =
      SvgParse("<svg width='10' height='10'><path d='M0 0 H10 V10 H0 Z M3 3 H7 V7 H3 Z'/></svg>", "px", 96);
  ASSERT_NE(parsed, nullptr);
  EXPECT_EQ(Drawn(*parsed, true), "fh");
  SvgDelete(parsed);
}

TEST_F(SvgDrawing, PaintsBecomePatterns)
{
  const SvgPaint color{SvgPaintType::Color, SvgPackColor(10, 20, 30, 40), {}};
  for (const auto& [opacity, alpha] :
       {std::pair{0.5f, 128}, {2.f, 255}, {-1.f, 0}, {std::numeric_limits<float>::quiet_NaN(), 0}})
    EXPECT_EQ(ICanvas::GetSVGPattern(color, opacity), IPattern(IColor(alpha, 10, 20, 30)));
  // Gradients: opaque stops whatever the opacity, the extend from the spread, six transform values.
  SvgPaint gradient{SvgPaintType::LinearGradient,
                    0,
                    {{1, 2, 3, 4, 5, 6},
                     SvgSpread::Reflect,
                     {{SvgPackColor(255, 0, 0, 10), 0.f}, {SvgPackColor(0, 0, 255, 1), 0.75f}}}};
  IPattern linear(EPatternType::Linear);
  linear.mExtend = EPatternExtend::Reflect;
  linear.AddStop(COLOR_RED, 0.f);
  linear.AddStop(COLOR_BLUE, 0.75f);
  linear.mTransform = IMatrix(1, 2, 3, 4, 5, 6);
  EXPECT_EQ(ICanvas::GetSVGPattern(gradient, 0.5f), linear);
  gradient.type = SvgPaintType::RadialGradient;
  std::string extends;
  for (SvgSpread spread : {SvgSpread::Pad, SvgSpread::Repeat, static_cast<SvgSpread>(9)}) {
    gradient.gradient.spread = spread;
    const IPattern p = ICanvas::GetSVGPattern(gradient, 1.f);
    extends += std::to_string(int(p.mType)) + std::to_string(int(p.mExtend));
  }
  EXPECT_EQ(extends, "212321"); // radial: pad, repeat, pad
  gradient.gradient.stops.resize(20);
  EXPECT_EQ(ICanvas::GetSVGPattern(gradient, 1.f).NStops(), 16); // the rest dropped
  EXPECT_EQ(ICanvas::GetSVGPattern(SvgPaint{}, 0.25f), IPattern(IColor(64, 0, 0, 0)));
}

TEST_F(SvgDrawing, ImagesFitAtTheTopLeftAndEmptyImagesDrawNothing)
{
  SvgImage image{100, 50, {Shape({Square(0, 0, 10)}, SvgPackColor(0, 0, 0, 255), 0)}};
  // Scale 2, the smaller of 200 / 100 and 200 / 50: the image fills the top 100 units.
  g.DrawSVG(ISVG(&image), IRECT(10, 20, 210, 220));
  g.DrawRotatedSVG(ISVG(&image), 50, 50, 100, 50, 90); // about the centre
  EXPECT_EQ(Trace(g.CallsNamed("PathTransformSetMatrix")),
            "T1,0,0,1,10,20 T2,0,0,2,10,20 T1,0,0,1,0,0 T1,0,0,1,50,50 "
            "T0,1,-1,0,50,50 T0,1,-1,0,75,0 T0,1,-1,0,75,0 T0,1,-1,0,50,50 T1,0,0,1,0,0");
  // One side of 0 scales by the other: 10 / 50. Without a side, or at 0 / 0, nothing is drawn.
  SvgImage flat = image;
  flat.width = 0;
  g.ClearCalls();
  g.DrawSVG(ISVG(&flat), IRECT(0, 0, 10, 10));
  EXPECT_EQ(Trace(g.CallsNamed("PathTransformSetMatrix")), "T1,0,0,1,0,0 T0.2,0,0,0.2,0,0 T1,0,0,1,0,0");
  g.ClearCalls();
  g.DrawSVG(ISVG(&flat), IRECT(0, 0, 0, 10));
  flat.height = 0;
  for (const ISVG& svg : {ISVG(), ISVG(&flat)})
    g.DrawSVG(svg, IRECT(0, 0, 10, 10)), g.DrawRotatedSVG(svg, 5, 5, 10, 10, 45), g.DoDrawSVG(ISVG());
  EXPECT_EQ(g.Count("PathFill") + g.Count("PathClear"), 0);
}
