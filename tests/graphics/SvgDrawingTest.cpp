#include "DrawCalls.h"
#include "graphics/svg/SvgImage.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using namespace drawcalls;

namespace {

// A closed square path from (x, y) of side s, each side a straight cubic.
SvgPath Square(float x, float y, float s)
{
  SvgPath p;
  const SvgPoint corners[] = {{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}, {x, y}};
  p.points.push_back(corners[0]);
  for (int i = 1; i < 5; ++i) {
    const SvgPoint a = corners[i - 1];
    const SvgPoint b = corners[i];
    p.points.push_back({a.x + (b.x - a.x) / 3, a.y + (b.y - a.y) / 3});
    p.points.push_back({a.x + 2 * (b.x - a.x) / 3, a.y + 2 * (b.y - a.y) / 3});
    p.points.push_back(b);
  }
  p.closed = true;
  p.bounds[0] = x;
  p.bounds[1] = y;
  p.bounds[2] = x + s;
  p.bounds[3] = y + s;
  return p;
}

// The path calls of a square as DoDrawSVG adds them.
Calls SquareCalls(const SvgPath& p, bool hole)
{
  Calls out{Move(p.points[0].x, p.points[0].y)};
  for (size_t i = 1; i + 2 < p.points.size(); i += 3)
    out.push_back(Cubic(p.points[i].x, p.points[i].y, p.points[i + 1].x, p.points[i + 1].y, p.points[i + 2].x,
                        p.points[i + 2].y));
  out.push_back(Close());
  out.push_back(Winding(hole));
  return out;
}

SvgShape ColorShape(uint32_t fill, uint32_t stroke, float opacity)
{
  SvgShape s;
  s.flags = kSvgFlagVisible;
  s.opacity = opacity;
  if (fill) {
    s.fill.type = SvgPaintType::Color;
    s.fill.color = fill;
  }
  if (stroke) {
    s.stroke.type = SvgPaintType::Color;
    s.stroke.color = stroke;
  }
  return s;
}

class SvgDrawingTest : public ::testing::Test
{
protected:
  Calls Draw(const SvgImage& image, const IColor* stroke = nullptr, const IColor* fill = nullptr)
  {
    g.ClearCalls();
    g.DoDrawSVG(ISVG(const_cast<SvgImage*>(&image)), nullptr, stroke, fill);
    return DrawOnly(g.calls);
  }

  TestEditorDelegate dlg;
  RecordingCanvas g{dlg};
};

} // namespace

TEST_F(SvgDrawingTest, FillThenStrokeWithTheShapesOwnOptions)
{
  SvgImage image;
  image.width = image.height = 20;
  const SvgPath sq = Square(0, 0, 10);

  // Fill only: the shape opacity is the colour's alpha; the colour's own alpha byte is ignored.
  SvgShape fillOnly = ColorShape(SvgPackColor(10, 20, 30, 77), 0, 0.5f);
  fillOnly.paths = {sq};
  // Fill and stroke: the fill keeps the path for the stroke.
  SvgShape both = ColorShape(SvgPackColor(1, 2, 3, 255), SvgPackColor(4, 5, 6, 255), 1.f);
  both.paths = {sq};
  both.strokeWidth = 3;
  both.miterLimit = 7;
  both.strokeLineCap = SvgLineCap::Round;
  both.strokeLineJoin = SvgLineJoin::Bevel;
  both.strokeDashCount = 2;
  both.strokeDashArray[0] = 4;
  both.strokeDashArray[1] = 2;
  // Cap and join outside their ranges fall back to butt and miter.
  SvgShape odd = ColorShape(0, SvgPackColor(7, 8, 9, 255), 1.f);
  odd.paths = {sq};
  odd.strokeLineCap = static_cast<SvgLineCap>(7);
  odd.strokeLineJoin = static_cast<SvgLineJoin>(-1);
  // Not visible: skipped whole.
  SvgShape hidden = ColorShape(SvgPackColor(1, 1, 1, 255), 0, 1.f);
  hidden.flags = 0;
  hidden.paths = {sq};
  image.shapes = {fillOnly, both, odd, hidden};

  IStrokeOptions bothOptions;
  bothOptions.mMiterLimit = 7;
  bothOptions.mCapOption = ELineCap::Round;
  bothOptions.mJoinOption = ELineJoin::Bevel;
  bothOptions.mDash.mCount = 2;
  IStrokeOptions oddOptions;
  oddOptions.mMiterLimit = 4;
  const Calls expected = Join({
      {Clear()},
      SquareCalls(sq, false),
      {Fill(IColor(128, 10, 20, 30), {EFillRule::Preserve, false})},
      {Clear()},
      SquareCalls(sq, false),
      {Fill(IColor(255, 1, 2, 3), {EFillRule::Preserve, true}), Stroke(IColor(255, 4, 5, 6), 3, bothOptions)},
      {Clear()},
      SquareCalls(sq, false),
      {Stroke(IColor(255, 7, 8, 9), 1, oddOptions)},
  });
  EXPECT_TRUE(SameCalls(Draw(image), expected));

  // Given colours replace every paint, gradients included.
  image.shapes[0].fill.type = SvgPaintType::LinearGradient;
  const IColor stroke = COLOR_BLUE;
  const IColor fill = COLOR_GREEN;
  const Calls replaced = DrawOnly(Draw(image, &stroke, &fill));
  const auto fills = [&] {
    Calls out;
    for (const auto& c : replaced)
      if (c.op == "PathFill" || c.op == "PathStroke") out.push_back(c);
    return out;
  }();
  EXPECT_TRUE(
      SameCalls(fills, {Fill(fill, {EFillRule::Preserve, false}), Fill(fill, {EFillRule::Preserve, true}),
                        Stroke(stroke, 3, bothOptions), Stroke(stroke, 1, oddOptions)}));
}

// A sub-path inside an odd number of the shape's other sub-paths is wound as a hole.
TEST_F(SvgDrawingTest, NestedSubPathsAlternateBetweenFilledAndHole)
{
  const struct
  {
    const char* name;
    std::vector<SvgPath> paths;
    std::vector<bool> holes;
  } cases[] = {
      {"ring", {Square(0, 0, 10), Square(3, 3, 4)}, {false, true}},
      {"inner first", {Square(3, 3, 4), Square(0, 0, 10)}, {true, false}},
      {"side by side", {Square(0, 0, 4), Square(6, 0, 4)}, {false, false}},
      {"three deep", {Square(0, 0, 30), Square(5, 5, 20), Square(10, 10, 10)}, {false, true, false}},
      {"a two-point path is no container",
       {SvgPath{{{-5, -5}, {50, -5}}, false, {-5, -5, 50, -5}}, Square(3, 3, 4)},
       {false, false}},
  };
  for (const auto& c : cases) {
    SvgImage image;
    image.width = image.height = 40;
    SvgShape shape = ColorShape(SvgPackColor(0, 0, 0, 255), 0, 1.f);
    shape.paths = c.paths;
    image.shapes = {shape};
    std::vector<bool> holes;
    for (const auto& call : Draw(image))
      if (call.op == "PathSetWinding") holes.push_back(call.args[0] != 0);
    EXPECT_EQ(holes, c.holes) << c.name;
  }
}

TEST_F(SvgDrawingTest, ParsedRingDrawsWithAHole)
{
  SvgImage* image = SvgParse("<svg width='10' height='10'><path d='M0 0 H10 V10 H0 Z M3 3 H7 V7 H3 Z' "
                             "fill='#102030'/></svg>",
                             "px", 96.f);
  ASSERT_NE(image, nullptr);
  std::vector<bool> holes;
  for (const auto& call : Draw(*image))
    if (call.op == "PathSetWinding") holes.push_back(call.args[0] != 0);
  EXPECT_EQ(holes, (std::vector<bool>{false, true}));
  SvgDelete(image);
}

TEST(SvgPattern, PaintsBecomePatterns)
{
  // Colour: RGB from the packed bits, the opacity as alpha (rounded, clamped).
  SvgPaint color;
  color.type = SvgPaintType::Color;
  color.color = SvgPackColor(10, 20, 30, 40);
  const struct
  {
    float opacity;
    int alpha;
  } alphas[] = {{0.5f, 128}, {1.f, 255}, {0.f, 0},
                {2.f, 255},  {-1.f, 0},  {std::numeric_limits<float>::quiet_NaN(), 0}};
  for (const auto& a : alphas) {
    const IPattern p = ICanvas::GetSVGPattern(color, a.opacity);
    EXPECT_EQ(p.mType, EPatternType::Solid);
    ASSERT_EQ(p.NStops(), 1);
    EXPECT_EQ(p.GetStop(0).mColor, IColor(a.alpha, 10, 20, 30)) << a.opacity;
  }

  // Gradient: opaque stops whatever the opacity, extend from the spread, the six transform values.
  SvgPaint linear;
  linear.type = SvgPaintType::LinearGradient;
  linear.gradient.spread = SvgSpread::Reflect;
  linear.gradient.stops = {{SvgPackColor(255, 0, 0, 10), 0.f}, {SvgPackColor(0, 0, 255, 128), 0.75f}};
  const float xform[6] = {1, 2, 3, 4, 5, 6};
  std::copy(xform, xform + 6, linear.gradient.xform);
  const IPattern lp = ICanvas::GetSVGPattern(linear, 0.5f);
  EXPECT_EQ(lp.mType, EPatternType::Linear);
  EXPECT_EQ(lp.mExtend, EPatternExtend::Reflect);
  ASSERT_EQ(lp.NStops(), 2);
  EXPECT_EQ(lp.GetStop(0), (IColorStop{IColor(255, 255, 0, 0), 0.f}));
  EXPECT_EQ(lp.GetStop(1), (IColorStop{IColor(255, 0, 0, 255), 0.75f}));
  EXPECT_EQ(lp.mTransform, IMatrix(1, 2, 3, 4, 5, 6));

  SvgPaint radial = linear;
  radial.type = SvgPaintType::RadialGradient;
  const struct
  {
    SvgSpread spread;
    EPatternExtend extend;
  } spreads[] = {{SvgSpread::Pad, EPatternExtend::Pad},
                 {SvgSpread::Repeat, EPatternExtend::Repeat},
                 {static_cast<SvgSpread>(9), EPatternExtend::Pad}};
  for (const auto& s : spreads) {
    radial.gradient.spread = s.spread;
    const IPattern rp = ICanvas::GetSVGPattern(radial, 1.f);
    EXPECT_EQ(rp.mType, EPatternType::Radial);
    EXPECT_EQ(rp.mExtend, s.extend);
  }
  // Stops past 16 are dropped.
  radial.gradient.stops.assign(20, {SvgPackColor(1, 2, 3, 4), 0.5f});
  EXPECT_EQ(ICanvas::GetSVGPattern(radial, 1.f).NStops(), IPattern::kMaxStops);

  // Any other paint: black at the opacity.
  SvgPaint none;
  const IPattern np = ICanvas::GetSVGPattern(none, 0.25f);
  EXPECT_EQ(np.mType, EPatternType::Solid);
  EXPECT_EQ(np.GetStop(0).mColor, IColor(64, 0, 0, 0));
}

TEST_F(SvgDrawingTest, ImagesScaleToFitAtTheTopLeftAndNullImagesDrawNothing)
{
  SvgImage image;
  image.width = 100;
  image.height = 50;
  SvgShape shape = ColorShape(SvgPackColor(0, 0, 0, 255), 0, 1.f);
  shape.paths = {Square(0, 0, 10)};
  image.shapes = {shape};
  g.ClearCalls();
  g.DrawSVG(ISVG(&image), IRECT(10, 20, 210, 220));
  // Scale 2 (the smaller of 200 / 100 and 200 / 50): the image fills the top 100 units.
  const auto matrices = g.CallsNamed("PathTransformSetMatrix");
  ASSERT_EQ(matrices.size(), 3u);
  EXPECT_TRUE(SameCalls(matrices, {Matrix(IMatrix(1, 0, 0, 1, 10, 20)), Matrix(IMatrix(2, 0, 0, 2, 10, 20)),
                                   Matrix(IMatrix())}));
  double x = 100;
  double y = 50;
  IMatrix(2, 0, 0, 2, 10, 20).TransformPoint(x, y);
  EXPECT_EQ(x, 210);
  EXPECT_EQ(y, 120);
  EXPECT_EQ(g.Count("PathFill"), 1);

  // Rotated: about the centre, no colours passed on.
  g.ClearCalls();
  g.DrawRotatedSVG(ISVG(&image), 50, 50, 100, 50, 90);
  EXPECT_EQ(g.CallsNamed("PathFill")[0].args[1], 255); // the shape's own colour and opacity
  EXPECT_EQ(g.GetTransform(), IMatrix());

  SvgImage flat;
  flat.shapes = image.shapes; // no size
  const std::pair<const char*, ISVG> nothing[] = {{"null", ISVG()}, {"zero size", ISVG(&flat)}};
  for (const auto& [name, svg] : nothing) {
    g.ClearCalls();
    g.DrawSVG(svg, IRECT(0, 0, 10, 10));
    g.DrawRotatedSVG(svg, 5, 5, 10, 10, 45);
    g.DoDrawSVG(ISVG());
    EXPECT_EQ(g.Count("PathFill") + g.Count("PathClear"), 0) << name;
    EXPECT_EQ(g.GetTransform(), IMatrix()) << name;
    EXPECT_EQ(g.TransformStackDepth(), 0) << name;
  }
}
