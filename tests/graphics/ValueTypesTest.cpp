#include "graphics/IBitmap.h"
#include "graphics/IBlend.h"
#include "graphics/IPattern.h"
#include "graphics/IRECTList.h"
#include "graphics/IVStyle.h"

#include <gtest/gtest.h>

#include <string>

using namespace plugin::ui;

TEST(IRECT, ContainmentKeepsLeftTopInAndRightBottomOut)
{
  struct Case
  {
    IRECT r;
    float x, y;
    bool inside;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, 0, 0, false},          {{0, 0, 10, 10}, 0, 0, true},
      {{0, 0, 10, 10}, 10, 5, false},       {{0, 0, 10, 10}, 5, 10, false},
      {{0, 0, 10, 10}, 9.99f, 9.99f, true}, {{-5, -5, 5, 5}, -5, 0, true},
      {{0, 0, 10, 10}, -0.01f, 5, false},   {{2, 2, 2, 8}, 2, 4, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.r.Contains(c.x, c.y), c.inside)
        << c.r.L << "," << c.r.T << "," << c.r.R << "," << c.r.B << " @ " << c.x << "," << c.y;
}

TEST(IRECT, GeometryOnTheFourFields)
{
  const IRECT r(10, 20, 30, 60);
  EXPECT_EQ(r.W(), 20.f);
  EXPECT_EQ(r.H(), 40.f);
  EXPECT_EQ(r.MW(), 20.f);
  EXPECT_EQ(r.MH(), 40.f);
  EXPECT_EQ(IRECT::MakeCentred(20, 40, 40, 16), IRECT(0, 32, 40, 48));
  EXPECT_EQ(IRECT().Union(r), r); // an empty rectangle adds nothing
  EXPECT_EQ(r.Union(IRECT(0, 0, 15, 25)), IRECT(0, 0, 30, 60));
  EXPECT_EQ(r.Intersect(IRECT(25, 50, 90, 90)), IRECT(25, 50, 30, 60));
  EXPECT_EQ(r.Intersect(IRECT(30, 20, 40, 60)), IRECT()); // touching edges share no area
  EXPECT_EQ(IRECT(10, 10, 20, 20).GetPadded(0.75f).GetPixelAligned(2.f), IRECT(9, 9, 21, 21));
}

TEST(IColor, DefaultAndNamedColours)
{
  EXPECT_EQ(IColor(), COLOR_BLACK);
  EXPECT_EQ(COLOR_TRANSLUCENT, IColor(10, 0, 0, 0));
  EXPECT_EQ(COLOR_ORANGE, IColor(255, 255, 127, 0));
  EXPECT_EQ(COLOR_SHADOW, IColor(60, 0, 0, 0));
}

TEST(IText, NamedStylesAndFontIdentifier)
{
  EXPECT_EQ(std::string(DEFAULT_TEXT.mFont), "Roboto-Regular");
  EXPECT_EQ(DEFAULT_TEXT.mSize, 14.f);
  EXPECT_EQ(DEFAULT_TEXT.mTextEntryBGColor, COLOR_WHITE);
  EXPECT_EQ(DEFAULT_TEXT.mAlign, EAlign::Center);
  EXPECT_EQ(DEFAULT_LABEL_TEXT.mSize, DEFAULT_TEXT.mSize + 5.f);
  EXPECT_EQ(DEFAULT_LABEL_TEXT.mVAlign, EVAlign::Top);
  EXPECT_EQ(DEFAULT_VALUE_TEXT.mSize, 14.f);
  EXPECT_EQ(DEFAULT_VALUE_TEXT.mVAlign, EVAlign::Bottom);

  const std::string longName(100, 'x');
  IText t(12.f, COLOR_RED, longName.c_str());
  EXPECT_EQ(std::string(t.mFont), std::string(63, 'x'));
  IText a, b;
  b.mFont[20] = 'z'; // past the terminator: not significant
  EXPECT_EQ(a, b);
  b.SetFont("Lato");
  EXPECT_NE(a, b);
}

TEST(IVColorSpec, ListedColoursThenDefaults)
{
  EXPECT_EQ(IVColorSpec({}), DEFAULT_COLOR_SPEC);
  const IVColorSpec three{COLOR_RED, COLOR_GREEN, COLOR_BLUE};
  const IColor expected[9] = {COLOR_RED,    COLOR_GREEN, COLOR_BLUE,  COLOR_DARK_GRAY, COLOR_TRANSLUCENT,
                              COLOR_SHADOW, COLOR_BLACK, COLOR_GREEN, COLOR_BLUE};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(three.mColors[i], expected[i]) << i;
  const IVColorSpec ten{COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED,
                        COLOR_RED, COLOR_RED, COLOR_RED, COLOR_RED, COLOR_WHITE};
  for (const IColor& c : ten.mColors)
    EXPECT_EQ(c, COLOR_RED);
  EXPECT_EQ(DEFAULT_STYLE.colorSpec.GetColor(EVColor::Shadow), COLOR_SHADOW);
  EXPECT_EQ(DEFAULT_STYLE.labelText, DEFAULT_LABEL_TEXT);
  EXPECT_TRUE(DEFAULT_STYLE.hidePointerOnDrag && !DEFAULT_STYLE.embossed);
  EXPECT_EQ(DEFAULT_STYLE.shadowOffset, 3.f);
}

TEST(IBlend, NamedBlends)
{
  EXPECT_EQ(BLEND_25, IBlend(EBlend::SourceOver, 0.25f));
  EXPECT_EQ(BLEND_01, IBlend(EBlend::SourceOver, 0.01f));
  EXPECT_EQ(BLEND_DST_IN, IBlend(EBlend::DestinationIn, 1.f));
  EXPECT_EQ(static_cast<int>(BLEND_DST_OVER.mMethod), 4);
}

TEST(IPattern, SolidColourAndStopLimit)
{
  const IPattern solid(COLOR_RED);
  EXPECT_EQ(solid.mType, EPatternType::Solid);
  EXPECT_EQ(solid.mExtend, EPatternExtend::Pad);
  EXPECT_EQ(solid.NStops(), 1);
  EXPECT_EQ(solid.GetStop(0), (IColorStop{COLOR_RED, 0.f}));
  EXPECT_EQ(solid.GetStop(5), (IColorStop{COLOR_BLACK, 0.f})); // unused stops hold opaque black
  IPattern g(EPatternType::Linear);
  for (int i = 0; i < 20; ++i)
    g.AddStop(COLOR_WHITE, i / 20.f);
  EXPECT_EQ(g.NStops(), 16);
}

TEST(IBitmap, FrameSizesByDirection)
{
  APIBitmap strip(1, 96, 5760, 2.f, 1.f); // 2x pixels of a 48 x 2880 strip
  struct Case
  {
    int n;
    bool horizontal;
    int fw, fh;
  };
  const Case cases[] = {{60, false, 48, 48}, {60, true, 0, 2880}, {1, true, 48, 2880}, {0, false, 48, 0}};
  for (const Case& c : cases) {
    const IBitmap b(&strip, c.n, c.horizontal, "knob.png");
    EXPECT_EQ(b.W(), 48);
    EXPECT_EQ(b.FW(), c.fw) << c.n;
    EXPECT_EQ(b.FH(), c.fh) << c.n;
  }
  EXPECT_FALSE(IBitmap().IsValid());
  EXPECT_EQ(std::string(IBitmap().GetResourceName()), "");
}

TEST(IRECTList, AddRemoveAndBounds)
{
  IRECTList list;
  list.Add({0, 0, 10, 10});
  list.Add({});
  list.Add({20, 5, 30, 40});
  EXPECT_EQ(list.Bounds(), IRECT(0, 0, 30, 40));
  list.Remove(0);
  list.Remove(7);
  ASSERT_EQ(list.Size(), 2);
  EXPECT_EQ(list.Get(1), IRECT(20, 5, 30, 40));
  list.Clear();
  EXPECT_EQ(list.Size(), 0);
}
