#include "CanvasVGTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace canvastest;

namespace {

using testsupport::RecordedDraw;

// The extent (min x, min y, max x, max y) of the stroke vertices of each sub-path that has any.
std::vector<std::array<float, 4>> StrokeExtents(const RecordedDraw& d)
{
  std::vector<std::array<float, 4>> out;
  for (const auto& p : d.paths) {
    if (p.stroke.empty()) continue;
    std::array<float, 4> e{1e9f, 1e9f, -1e9f, -1e9f};
    for (const VGvertex& v : p.stroke) {
      e[0] = std::min(e[0], v.x);
      e[1] = std::min(e[1], v.y);
      e[2] = std::max(e[2], v.x);
      e[3] = std::max(e[3], v.y);
    }
    out.push_back(e);
  }
  return out;
}

void ExpectNear(const std::array<float, 4>& got, const std::array<float, 4>& want, float tol,
                const char* what)
{
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR(got[i], want[i], tol) << what << " [" << i << "]";
}

class CanvasVGPath : public ::testing::Test
{
protected:
  void SetUp() override
  {
    v.g.BeginFrame();
    v.TakeDraws();
  }
  void TearDown() override { v.g.EndFrame(); }
  std::vector<RecordedDraw> Draws() { return v.TakeDraws(); }

  RecordingView v{200, 100};
};

TEST_F(CanvasVGPath, ArcAnglesRunClockwiseFromTwelveOClock)
{
  // A pie slice's fill bounds show where its arc runs.
  const struct
  {
    float a1, a2;
    std::array<float, 4> bounds;
  } cases[] = {
      {0, 90, {50, 30, 70, 50}},    // twelve to three o'clock
      {90, 180, {50, 50, 70, 70}},  // three to six
      {180, 270, {30, 50, 50, 70}}, // six to nine
      {270, 360, {30, 30, 50, 50}}, // nine to twelve
  };
  for (const auto& c : cases) {
    v.g.FillArc(COLOR_BLACK, 50, 50, 20, c.a1, c.a2);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    ExpectNear(draws[0].bounds, c.bounds, 0.05f, "pie");
  }
  // The stroked arc from 0 to 90 alone: between the top point and the right point.
  v.g.DrawArc(COLOR_BLACK, 50, 50, 20, 0, 90, nullptr, 2.f);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  const auto extents = StrokeExtents(draws[0]);
  ASSERT_EQ(extents.size(), 1u);
  ExpectNear(extents[0], {49, 29, 71, 51}, 1.f, "quarter arc");
}

TEST_F(CanvasVGPath, DottedLineOf50WithDash10DrawsTwoDashes)
{
  v.g.DrawDottedLine(COLOR_BLACK, 0, 50, 50, 50, nullptr, 2.f, 10.f);
  auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  const auto dashes = StrokeExtents(draws[0]);
  ASSERT_EQ(dashes.size(), 2u); // from 0 to 0.2 and from 0.4 to 0.6 of the line; nothing after 0.8
  ExpectNear(dashes[0], {0, 49, 10, 51}, 1.f, "first dash");
  ExpectNear(dashes[1], {20, 49, 30, 51}, 1.f, "second dash");

  // Length 10 with dash 10 has one segment: nothing visible.
  v.g.DrawDottedLine(COLOR_BLACK, 0, 50, 10, 50, nullptr, 2.f, 10.f);
  draws = Draws();
  EXPECT_TRUE(draws.empty() || StrokeExtents(draws[0]).empty());

  // Length 45 with dash 10: round(4.5) = 5 segments of 9.
  v.g.DrawDottedLine(COLOR_BLACK, 0, 50, 45, 50, nullptr, 2.f, 10.f);
  draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  ExpectNear(StrokeExtents(draws[0]).at(1), {18, 49, 27, 51}, 1.f, "second of five");
}

TEST_F(CanvasVGPath, DashLengthsOfZeroOrLessOrBeyondCountDrawNothing)
{
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  for (float dash : {0.f, -2.f, kNaN, 1e-9f}) {
    v.g.PathClear();
    v.g.DrawDottedLine(COLOR_BLACK, 0, 0, 100, 0, nullptr, 1.f, dash);
    v.g.DrawDottedRect(COLOR_BLACK, IRECT(0, 0, 100, 50), nullptr, 1.f, dash);
    EXPECT_TRUE(Draws().empty()) << dash;
  }
  // A line too long for its dashes, and one with a coordinate that is not a number.
  v.g.DrawDottedLine(COLOR_BLACK, 0, 0, 1e9f, 0, nullptr, 1.f, 1.f);
  v.g.DrawDottedLine(COLOR_BLACK, 0, 0, kNaN, 0, nullptr, 1.f, 1.f);
  EXPECT_TRUE(Draws().empty());
}

TEST_F(CanvasVGPath, DottedRectangleWalksTheEdgesClockwise)
{
  // 40 x 20 with dash 5: four dashes along each long edge, two along each short one.
  v.g.DrawDottedRect(COLOR_BLACK, IRECT(10, 10, 50, 30), nullptr, 2.f, 5.f);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  const auto dashes = StrokeExtents(draws[0]);
  ASSERT_EQ(dashes.size(), 12u);
  ExpectNear(dashes[0], {10, 9, 15, 11}, 1.f, "top edge, first");
  ExpectNear(dashes[3], {40, 9, 45, 11}, 1.f, "top edge, last");
  ExpectNear(dashes[4], {49, 10, 51, 15}, 1.f, "right edge, first");
  ExpectNear(dashes[6], {45, 29, 50, 31}, 1.f, "bottom edge, first (leftwards)");
  ExpectNear(dashes[10], {9, 25, 11, 30}, 1.f, "left edge, first (upwards)");
}

TEST_F(CanvasVGPath, StrokesAreSolidWhateverTheDashSettings)
{
  IStrokeOptions dashed;
  const float lengths[] = {3.f, 3.f};
  dashed.mDash.SetDash(lengths, 2, 0.f);
  for (const IStrokeOptions& options : {IStrokeOptions(), dashed}) {
    v.g.PathMoveTo(0, 10);
    v.g.PathLineTo(100, 10);
    v.g.PathStroke(IPattern(COLOR_BLACK), 2.f, options);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    const auto pieces = StrokeExtents(draws[0]);
    ASSERT_EQ(pieces.size(), 1u);
    ExpectNear(pieces[0], {0, 9, 100, 11}, 1.f, "one piece along the whole line");
  }
}

TEST_F(CanvasVGPath, StrokeAndFillTakeTheirOptionsPatternAndBlend)
{
  IStrokeOptions options;
  options.mCapOption = ELineCap::Round;
  options.mJoinOption = ELineJoin::Bevel;
  options.mPreserve = true;
  const IBlend xorHalf(EBlend::Xor, 0.5f);
  v.g.PathRect(IRECT(10, 10, 30, 30));
  v.g.PathStroke(IPattern(COLOR_RED), 4.f, options, &xorHalf);
  VGstate* state = vgCurrentState(v.g.GetVGContext());
  EXPECT_EQ(state->lineCap, VG_ROUND);
  EXPECT_EQ(state->lineJoin, VG_BEVEL);
  EXPECT_EQ(state->strokeWidth, 4.f);
  // The path survived the stroke: fill it with the default options.
  v.g.PathFill(IPattern(COLOR_BLUE));
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].kind, RecordedDraw::Kind::Stroke);
  EXPECT_EQ(draws[0].op.srcRGB, vgCompositeOperationStateFor(VG_XOR).srcRGB);
  EXPECT_EQ(draws[0].op.dstRGB, vgCompositeOperationStateFor(VG_XOR).dstRGB);
  EXPECT_EQ(draws[0].paint.innerColor.r, 1.f);
  EXPECT_EQ(draws[0].paint.innerColor.a, 0.5f);
  EXPECT_EQ(draws[1].kind, RecordedDraw::Kind::Fill);
  EXPECT_EQ(draws[1].op.srcRGB, vgCompositeOperationStateFor(VG_SOURCE_OVER).srcRGB); // back to source over
  EXPECT_EQ(draws[1].op.dstRGB, vgCompositeOperationStateFor(VG_SOURCE_OVER).dstRGB);
  EXPECT_EQ(draws[1].paint.innerColor.b, 1.f);
  // Without preserve the fill cleared the path.
  v.g.PathFill(IPattern(COLOR_BLUE));
  EXPECT_TRUE(Draws().empty());
}

TEST_F(CanvasVGPath, APatternWithoutStopsPaintsNothingButStillClearsThePath)
{
  v.g.PathRect(IRECT(0, 0, 10, 10));
  v.g.PathFill(IPattern(EPatternType::Linear));
  v.g.PathStroke(IPattern(EPatternType::Radial), 1.f);
  EXPECT_TRUE(Draws().empty());
  v.g.PathFill(IPattern(COLOR_RED)); // the path is gone
  EXPECT_TRUE(Draws().empty());
}

TEST_F(CanvasVGPath, FillRulesSetTheWindingOfTheLastSubPath)
{
  // A square with a square inside: even-odd leaves a hole, winding fills both.
  for (EFillRule rule : {EFillRule::Winding, EFillRule::EvenOdd}) {
    v.g.PathRect(IRECT(0, 0, 40, 40));
    v.g.PathRect(IRECT(10, 10, 30, 30));
    v.g.PathFill(IPattern(COLOR_BLACK), IFillOptions(rule, false));
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    ASSERT_EQ(draws[0].paths.size(), 2u);
    EXPECT_EQ(draws[0].paths[1].winding, rule == EFillRule::EvenOdd ? VG_CW : VG_CCW);
  }
}

TEST_F(CanvasVGPath, TransformsScaleByTheDrawScaleAndMoveIntoTheTopLayer)
{
  RecordingView scaled(200, 100, 2.f);
  scaled.g.BeginFrame();
  scaled.TakeDraws();
  scaled.g.PathTransformTranslate(10, 5);
  scaled.g.FillRect(COLOR_BLACK, IRECT(0, 0, 10, 10));
  auto draws = scaled.TakeDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].bounds, (std::array<float, 4>{20, 10, 40, 30}));
  scaled.g.PathTransformReset(true);
  // Clip in untransformed units, scaled like everything else.
  scaled.g.SetClipRegion(IRECT(5, 5, 15, 25));
  scaled.g.FillRect(COLOR_BLACK, IRECT(0, 0, 10, 10));
  draws = scaled.TakeDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_FLOAT_EQ(draws[0].scissor.xform[4], 20.f); // centre (10, 15) x 2
  EXPECT_FLOAT_EQ(draws[0].scissor.xform[5], 30.f);
  EXPECT_FLOAT_EQ(draws[0].scissor.xform[0], 2.f);
  EXPECT_FLOAT_EQ(draws[0].scissor.extent[0], 5.f); // half size in clip units
  EXPECT_FLOAT_EQ(draws[0].scissor.extent[1], 10.f);
  scaled.g.EndFrame();
}

TEST_F(CanvasVGPath, BitmapsArePaintedOneBitmapUnitPerUnitFromTheirSourceOffset)
{
  ImageFolder folder;
  const std::string path = folder.Png("strip@2x.png", 40, 20, [](int, int) {
    return std::array<int, 4>{1, 2, 3, 255};
  });
  const IBitmap strip = v.g.LoadBitmap(folder.Path("strip.png").c_str(), 2, true, 2);
  ASSERT_TRUE(strip.IsValid());
  EXPECT_EQ(strip.W(), 20);
  EXPECT_EQ(strip.H(), 10);
  v.TakeDraws();
  const IBlend quarter(EBlend::SourceOver, 0.25f);
  v.g.DrawBitmapFrame(strip, IRECT(100, 50, 110, 60), 2, &quarter);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  const VGpaint& p = draws[0].paint;
  EXPECT_EQ(p.image, strip.GetAPIBitmap()->GetImage());
  EXPECT_FLOAT_EQ(p.xform[0], 0.5f); // one pixel is half a unit at scale 2
  EXPECT_FLOAT_EQ(p.xform[3], 0.5f);
  EXPECT_FLOAT_EQ(p.xform[4], 90.f); // frame 2 starts 10 units into the strip
  EXPECT_FLOAT_EQ(p.xform[5], 50.f);
  EXPECT_FLOAT_EQ(p.extent[0], 40.f);
  EXPECT_FLOAT_EQ(p.extent[1], 20.f);
  EXPECT_FLOAT_EQ(p.innerColor.a, 0.25f);
  EXPECT_EQ(draws[0].bounds, (std::array<float, 4>{100, 50, 110, 60}));

  // The empty bitmap and a bitmap whose image could not be made draw nothing.
  v.g.DrawBitmap(IBitmap(), IRECT(0, 0, 10, 10), 0, 0);
  APIBitmap noImage(0, 10, 10, 1.f, 1.f);
  v.g.DrawBitmap(IBitmap(&noImage, 1, false), IRECT(0, 0, 10, 10), 0, 0);
  EXPECT_TRUE(Draws().empty());
}

TEST_F(CanvasVGPath, FastDropShadowIsABoxGradientOfSemiBlackFillingTheOuterRectangle)
{
  v.g.DrawFastDropShadow(IRECT(10, 10, 50, 30), IRECT(0, 0, 70, 50), 4.f, 3.f, 6.f, &BLEND_50);
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  const VGpaint want =
      vgBoxGradient(14, 14, 40, 20, 3, 6, VGcolor{0, 0, 0, 128 / 255.f * 0.5f}, VGcolor{0, 0, 0, 0});
  const VGpaint& p = draws[0].paint;
  for (int i = 0; i < 6; ++i)
    EXPECT_FLOAT_EQ(p.xform[i], want.xform[i]) << i;
  EXPECT_FLOAT_EQ(p.radius, 3.f);
  EXPECT_FLOAT_EQ(p.feather, 6.f);
  EXPECT_FLOAT_EQ(p.innerColor.a, want.innerColor.a);
  EXPECT_FLOAT_EQ(p.outerColor.a, 0.f);
  EXPECT_EQ(draws[0].bounds, (std::array<float, 4>{0, 0, 70, 50}));
}

} // namespace
