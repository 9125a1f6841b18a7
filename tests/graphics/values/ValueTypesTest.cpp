#include "graphics/resources/IBitmap.h"
#include "graphics/values/IPattern.h"
#include "graphics/values/IRECTList.h"
#include "graphics/values/IVStyle.h"

#include <gtest/gtest.h>

#include <string>

using namespace plugin::ui;

TEST(IRECT, ContainmentKeepsLeftTopInAndRightBottomOut)
{
  const struct
  {
    IRECT r;
    float x, y;
    bool inside;
  } cases[] = {
      {{0, 0, 0, 0}, 0, 0, false},          {{0, 0, 10, 10}, 0, 0, true},
      {{0, 0, 10, 10}, 10, 5, false},       {{0, 0, 10, 10}, 5, 10, false},
      {{0, 0, 10, 10}, 9.99f, 9.99f, true}, {{-5, -5, 5, 5}, -5, 0, true},
      {{0, 0, 10, 10}, -0.01f, 5, false},   {{2, 2, 2, 8}, 2, 4, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.r.Contains(c.x, c.y), c.inside) << c.r.L << "," << c.r.R << " @ " << c.x << "," << c.y;
}

TEST(IRECT, GeometryOnTheFourFields)
{
  const IRECT r(10, 20, 30, 60);
  EXPECT_EQ(IRECT::MakeCentred(r.MW(), r.MH(), 40, 16), IRECT(0, 32, 40, 48));
  EXPECT_EQ(IRECT().Union(r), r); // an empty rectangle adds nothing
  EXPECT_EQ(r.Union(IRECT(0, 0, 15, 25)), IRECT(0, 0, 30, 60));
  EXPECT_EQ(r.Intersect(IRECT(25, 50, 90, 90)), IRECT(25, 50, 30, 60));
  EXPECT_EQ(r.Intersect(IRECT(30, 20, 40, 60)), IRECT()); // touching edges share no area
  EXPECT_EQ(IRECT(10, 10, 20, 20).GetPadded(0.75f).GetPixelAligned(2.f), IRECT(9, 9, 21, 21));
}

TEST(IText, DefaultsAndFontIdentifier)
{
  EXPECT_EQ(IColor(), IColor(255, 0, 0, 0)); // opaque black, not transparent
  EXPECT_EQ(std::string(DEFAULT_TEXT.mFont), "Roboto-Regular");
  EXPECT_EQ(DEFAULT_LABEL_TEXT.mSize, DEFAULT_VALUE_TEXT.mSize + 5.f);
  const std::string longName(100, 'x');
  EXPECT_EQ(std::string(IText(12.f, COLOR_RED, longName.c_str()).mFont), std::string(63, 'x'));
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
  EXPECT_EQ(ten.GetColor(EVColor::Extra3), COLOR_RED); // the tenth colour is ignored
}

TEST(IPattern, SolidColourAndStopLimit)
{
  const IPattern solid(COLOR_RED);
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
  const struct
  {
    int n;
    bool horizontal;
    int fw, fh;
  } cases[] = {{60, false, 48, 48}, {60, true, 0, 2880}, {1, true, 48, 2880}, {0, false, 48, 0}};
  for (const auto& c : cases) {
    const IBitmap b(&strip, c.n, c.horizontal, "knob.png");
    EXPECT_EQ(b.FW(), c.fw) << c.n;
    EXPECT_EQ(b.FH(), c.fh) << c.n;
  }
  EXPECT_FALSE(IBitmap().IsValid());
}

TEST(IRECTList, AddRemoveAndBounds)
{
  IRECTList list;
  for (const IRECT& r : {IRECT(0, 0, 10, 10), IRECT(), IRECT(20, 5, 30, 40)})
    list.Add(r);
  EXPECT_EQ(list.Bounds(), IRECT(0, 0, 30, 40));
  list.Remove(0);
  list.Remove(7);
  ASSERT_EQ(list.Size(), 2);
  EXPECT_EQ(list.Get(1), IRECT(20, 5, 30, 40));
}
