#include "CanvasVGTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace canvastest;

namespace {

using testsupport::RecordedDraw;

class CanvasVGText : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_FALSE(RobotoPath().empty()) << "fonts-roboto-unhinted is missing";
    ASSERT_TRUE(v.g.LoadFont("Roboto", RobotoPath().c_str()));
  }

  // Line height of the font at size, in units.
  float LineHeight(float size)
  {
    VGcontext* vg = v.g.GetVGContext();
    vgSave(vg);
    vgFontFace(vg, "Roboto");
    vgFontSize(vg, size);
    float lh = 0.f;
    vgTextMetrics(vg, nullptr, nullptr, &lh);
    vgRestore(vg);
    return lh;
  }

  // Vertical extent of the glyph quads of a text draw.
  static std::pair<float, float> YExtent(const RecordedDraw& d)
  {
    float lo = 1e9f, hi = -1e9f;
    for (const VGvertex& vx : d.verts) {
      lo = std::min(lo, vx.y);
      hi = std::max(hi, vx.y);
    }
    return {lo, hi};
  }

  RecordingView v{200, 100};
};

TEST_F(CanvasVGText, MeasuredBoundsFollowTheAlignment)
{
  const IRECT area(10, 10, 190, 90);
  const struct
  {
    EAlign h;
    EVAlign vert;
    float edgeX; // left, centre or right of the measured box
    float edgeY; // top, middle or bottom
  } cases[] = {
      {EAlign::Near, EVAlign::Top, 10, 10},
      {EAlign::Center, EVAlign::Middle, 100, 50},
      {EAlign::Far, EVAlign::Bottom, 190, 90},
  };
  for (const auto& c : cases) {
    const IText text(20.f, COLOR_BLACK, "Roboto", c.h, c.vert);
    IRECT r = area;
    const float width = v.g.MeasureText(text, "Kelmo", r);
    EXPECT_GT(width, 20.f);
    EXPECT_FLOAT_EQ(width, r.W());
    EXPECT_GT(r.H(), 15.f);
    const float x = c.h == EAlign::Near ? r.L : c.h == EAlign::Center ? r.MW() : r.R;
    const float y = c.vert == EVAlign::Top ? r.T : c.vert == EVAlign::Middle ? r.MH() : r.B;
    EXPECT_NEAR(x, c.edgeX, 0.01f) << static_cast<int>(c.h);
    EXPECT_NEAR(y, c.edgeY, 2.f) << static_cast<int>(c.vert);
  }
}

TEST_F(CanvasVGText, TextWithoutAUsableFontMeasuresNothing)
{
  for (const char* font : {"Missing", ""}) {
    const IText text(20.f, COLOR_BLACK, font, EAlign::Center, EVAlign::Middle);
    IRECT r(0, 0, 100, 40);
    EXPECT_EQ(v.g.MeasureText(text, "Kelmo", r), 0.f) << font;
    EXPECT_EQ(r, IRECT(50, 20, 50, 20)) << "an empty box at the anchor";
  }
}

TEST_F(CanvasVGText, RotatedTextIsMeasuredByTheBoxItCovers)
{
  IText text(20.f, COLOR_BLACK, "Roboto", EAlign::Near, EVAlign::Top);
  IRECT flat(0, 0, 200, 100);
  v.g.MeasureText(text, "Kelmo", flat);
  text.mAngle = 90.f;
  IRECT turned(0, 0, 200, 100);
  v.g.MeasureText(text, "Kelmo", turned);
  EXPECT_NEAR(turned.W(), flat.H(), 0.01f);
  EXPECT_NEAR(turned.H(), flat.W(), 0.01f);
  EXPECT_NEAR(turned.L, 0.f, 0.01f); // placed by the alignment inside the bounds
  EXPECT_NEAR(turned.T, 0.f, 0.01f);
}

TEST_F(CanvasVGText, DrawnTextTakesTheTextColourUnderTheBlend)
{
  v.g.BeginFrame();
  v.TakeDraws();
  const IText text(16.f, IColor(255, 255, 0, 0), "Roboto");
  v.g.DrawText(text, "Kelmo", IRECT(0, 0, 200, 100), &BLEND_50);
  const auto draws = v.TakeDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].kind, RecordedDraw::Kind::Triangles);
  EXPECT_EQ(draws[0].verts.size(), 5u * 6u); // two triangles per glyph
  EXPECT_FLOAT_EQ(draws[0].paint.innerColor.r, 1.f);
  EXPECT_FLOAT_EQ(draws[0].paint.innerColor.a, 0.5f);
  v.g.EndFrame();
}

TEST_F(CanvasVGText, InvalidUtf8IsSkippedWithoutHarm)
{
  v.g.BeginFrame();
  const IText text(16.f, COLOR_BLACK, "Roboto");
  for (const char* s : {"\xC3",
                        "\xFF\xFE"
                        "abc",
                        "ab\xE2\x82", "\xF4\x90\x80\x80", "\xC0\xAF x"}) {
    IRECT r(0, 0, 100, 40);
    const float w = v.g.MeasureText(text, s, r);
    EXPECT_GE(w, 0.f);
    v.g.DrawText(text, s, IRECT(0, 0, 100, 40));
    v.g.DrawMultiLineText(text, s, IRECT(0, 0, 30, 100));
  }
  v.g.EndFrame();
}

TEST_F(CanvasVGText, MultiLineTextPlacesItsRowsByTheVerticalAlignment)
{
  const IRECT bounds(10, 10, 80, 190);
  const char* str = "alpha beta gamma delta"; // one word per row at this width
  const float lh = LineHeight(20.f);
  ASSERT_GT(lh, 10.f);
  const struct
  {
    EVAlign align;
    float firstRowY; // where the first row is anchored
  } cases[] = {
      {EVAlign::Top, bounds.T},
      {EVAlign::Middle, bounds.MH() - 2.f * lh},
      {EVAlign::Bottom, bounds.B - 4.f * lh}, // four rows: four line heights above the bottom
  };
  v.g.BeginFrame();
  for (const auto& c : cases) {
    v.TakeDraws();
    v.g.DrawMultiLineText(IText(20.f, COLOR_BLACK, "Roboto", EAlign::Near, c.align), str, bounds);
    const auto draws = v.TakeDraws();
    ASSERT_EQ(draws.size(), 4u) << static_cast<int>(c.align);
    for (int row = 0; row < 4; ++row) {
      const float anchor = c.firstRowY + static_cast<float>(row) * lh;
      const auto [lo, hi] = YExtent(draws[row]);
      // The glyphs of a row lie within one line of its anchor: below it for top alignment,
      // around it for middle, above it for bottom.
      const float top = c.align == EVAlign::Top      ? anchor
                        : c.align == EVAlign::Middle ? anchor - lh / 2
                                                     : anchor - lh;
      EXPECT_GE(lo, top - 1.f) << "row " << row;
      EXPECT_LE(hi, top + lh + 1.f) << "row " << row;
      EXPECT_GE(draws[row].verts.front().x, bounds.L - 2.f);
    }
  }
  v.g.EndFrame();
}

TEST_F(CanvasVGText, MultiLineTextThatCannotBeBrokenStops)
{
  v.g.BeginFrame();
  v.TakeDraws();
  // A zero width still moves on by one character per row; an empty string draws nothing.
  v.g.DrawMultiLineText(IText(20.f, COLOR_BLACK, "Roboto"), "abc", IRECT(0, 0, 0, 100));
  EXPECT_EQ(v.TakeDraws().size(), 3u);
  v.g.DrawMultiLineText(IText(20.f, COLOR_BLACK, "Roboto"), "", IRECT(0, 0, 50, 100));
  v.g.DrawMultiLineText(IText(20.f, COLOR_BLACK, "Roboto"), nullptr, IRECT(0, 0, 50, 100));
  EXPECT_TRUE(v.TakeDraws().empty());
  v.g.EndFrame();
}

} // namespace
