#include "DrawCalls.h"
#include "ShapeCanvas.h"
#include "graphics/svg/SvgImage.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using namespace drawcalls;

namespace {

// Maps (x, y) through m.
std::pair<double, double> Map(const IMatrix& m, double x, double y)
{
  m.TransformPoint(x, y);
  return {x, y};
}

class TransformTest : public ::testing::Test
{
protected:
  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
};

} // namespace

TEST_F(TransformTest, OperationsComposeInLocalCoordinates)
{
  const struct
  {
    const char* name;
    std::function<void(ICanvas&)> ops;
    double x, y;   // a local point
    double ex, ey; // where it lands
  } cases[] = {
      {"translate after scale moves by scaled units",
       [](ICanvas& c) {
         c.PathTransformScale(2, 2);
         c.PathTransformTranslate(10, 0);
       },
       0, 0, 20, 0},
      {"rotation is clockwise on screen",
       [](ICanvas& c) {
         c.PathTransformRotate(90);
         c.PathTransformTranslate(10, 0);
       },
       0, 0, 0, 10},
      {"one-factor scale",
       [](ICanvas& c) {
         c.PathTransformTranslate(1, 1);
         c.PathTransformScale(3);
       },
       1, 2, 4, 7},
      {"skew by 45 degrees in x", [](ICanvas& c) { c.PathTransformSkew(45, 0); }, 0, 10, 10, 10},
      {"skew by 45 degrees in y", [](ICanvas& c) { c.PathTransformSkew(0, 45); }, 10, 0, 10, 10},
      {"matrix composes on the right",
       [](ICanvas& c) {
         c.PathTransformScale(2, 3);
         c.PathTransformMatrix(IMatrix(1, 0, 0, 1, 3, 4));
       },
       0, 0, 6, 12},
  };
  for (const auto& c : cases) {
    g.PathTransformReset(true);
    g.ClearCalls();
    c.ops(g);
    const auto [x, y] = Map(g.GetTransform(), c.x, c.y);
    EXPECT_NEAR(x, c.ex, 1e-5) << c.name;
    EXPECT_NEAR(y, c.ey, 1e-5) << c.name;
    // Every change was handed to the renderer at once: the last matrix handed on is the current one.
    const auto handed = g.CallsNamed("PathTransformSetMatrix");
    ASSERT_FALSE(handed.empty()) << c.name;
    EXPECT_TRUE(SameCalls({handed.back()}, {Matrix(g.GetTransform())})) << c.name;
  }
}

TEST_F(TransformTest, SaveRestoreAndReset)
{
  g.PathTransformTranslate(5, 6);
  g.PathTransformSave();
  g.PathTransformScale(2);
  EXPECT_EQ(g.TransformStackDepth(), 1);
  g.ClearCalls();
  g.PathTransformRestore();
  EXPECT_EQ(g.GetTransform(), IMatrix(1, 0, 0, 1, 5, 6));
  EXPECT_TRUE(SameCalls(g.calls, {Matrix(IMatrix(1, 0, 0, 1, 5, 6))}));
  g.ClearCalls();
  g.PathTransformRestore(); // empty stack: nothing at all
  EXPECT_TRUE(g.calls.empty());
  EXPECT_EQ(g.GetTransform(), IMatrix(1, 0, 0, 1, 5, 6));

  g.PathTransformSave();
  g.PathTransformReset(false); // keeps the stack
  EXPECT_EQ(g.GetTransform(), IMatrix());
  EXPECT_EQ(g.TransformStackDepth(), 1);
  g.PathTransformReset(true);
  EXPECT_EQ(g.TransformStackDepth(), 0);
}

// Every drawing operation that moves the transform leaves it, and the depth of its stack, as it
// found them.
TEST_F(TransformTest, EveryDrawRestoresTheMatrixAndStackDepth)
{
  CountedBitmap image(1, 40, 20, 1.f, 1.f);
  const IBitmap bitmap(&image, 2, true, "b.png");
  SvgImage svgImage;
  svgImage.width = 10;
  svgImage.height = 10;
  SvgShape shape;
  shape.flags = kSvgFlagVisible;
  shape.fill.type = SvgPaintType::Color;
  shape.paths.push_back({{{0, 0}, {1, 0}, {2, 0}, {3, 3}}, true, {0, 0, 3, 3}});
  svgImage.shapes.push_back(shape);
  const ISVG svg(&svgImage);
  IColor fill = COLOR_GREEN;
  float xs[] = {0, 1, 2};
  float ys[] = {0, 2, 1};
  float vals[] = {0.2f, 0.8f};
  const std::vector<std::pair<std::string, std::function<void(ICanvas&)>>> ops = {
      {"DrawSVG", [&](ICanvas& c) { c.DrawSVG(svg, IRECT(0, 0, 50, 20), nullptr, nullptr, &fill); }},
      {"DrawRotatedSVG", [&](ICanvas& c) { c.DrawRotatedSVG(svg, 10, 10, 20, 20, 33); }},
      {"DrawFittedBitmap", [&](ICanvas& c) { c.DrawFittedBitmap(bitmap, IRECT(0, 0, 5, 5)); }},
      {"DrawRotatedBitmap", [&](ICanvas& c) { c.DrawRotatedBitmap(bitmap, 5, 5, 45); }},
      {"DrawEllipse", [](ICanvas& c) { c.ICanvas::DrawEllipse(COLOR_RED, IRECT(0, 0, 8, 4)); }},
      {"FillEllipseRotated", [](ICanvas& c) { c.FillEllipseRotated(COLOR_RED, 1, 1, 3, 2, 20); }},
      {"DrawEllipseRotated rx 0", [](ICanvas& c) { c.DrawEllipseRotated(COLOR_RED, 1, 1, 0, 2, 20); }},
      {"DrawConvexPolygon", [&](ICanvas& c) { c.DrawConvexPolygon(COLOR_RED, xs, ys, 3); }},
      {"DrawData", [&](ICanvas& c) { c.DrawData(COLOR_RED, IRECT(0, 0, 9, 9), vals, 2); }},
      {"DrawGrid", [](ICanvas& c) { c.DrawGrid(COLOR_RED, IRECT(0, 0, 9, 9), 2, 2); }},
      {"PathClipRegion", [](ICanvas& c) { c.PathClipRegion(IRECT(1, 1, 2, 2)); }},
  };
  for (const auto& [name, op] : ops) {
    g.PathTransformReset(true);
    g.PathTransformTranslate(3, 4);
    g.PathTransformRotate(10);
    g.PathTransformSave();
    const IMatrix before = g.GetTransform();
    op(g);
    EXPECT_EQ(g.GetTransform(), before) << name;
    EXPECT_EQ(g.TransformStackDepth(), 1) << name;
  }
}

TEST_F(TransformTest, ClipIsTheRequestInsideTheCurrentArea)
{
  const IRECT area(10, 10, 110, 60);
  const struct
  {
    const char* name;
    IRECT area;
    IRECT request;
    IRECT clip;
  } cases[] = {
      {"all zero: the whole area", area, IRECT(), area},
      {"overlap", area, IRECT(0, 20, 50, 100), IRECT(10, 20, 50, 60)},
      {"inside", area, IRECT(20, 20, 30, 30), IRECT(20, 20, 30, 30)},
      {"touching the left edge still overlaps", area, IRECT(0, 20, 10, 30), IRECT(10, 20, 10, 30)},
      {"starting at the right edge is outside", area, IRECT(110, 20, 120, 30), IRECT()},
      {"above", area, IRECT(20, 0, 30, 5), IRECT()},
      {"no area clips to nothing", IRECT(), IRECT(1, 1, 5, 5), IRECT()},
  };
  for (const auto& c : cases) {
    g.SetClip(c.area);
    g.PathTransformReset(true);
    g.PathTransformScale(2);
    g.ClearCalls();
    g.PathClipRegion(c.request);
    // The clip goes to the renderer in untransformed units; the transform comes back after.
    EXPECT_TRUE(SameCalls(g.calls, {Matrix(IMatrix()), Clip(c.clip), Matrix(IMatrix(2, 0, 0, 2, 0, 0))}))
        << c.name;
  }
}
