#include "graphics/IBKnobControl.h"
#include "graphics/ResourceCaches.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;

TEST(BitmapBase, FrameForTheValue)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct
  {
    double value;
    int frames;
    int frame;
  } cases[] = {
      {0.5, 60, 31}, {0.49, 60, 30},  {0.0, 60, 1},
      {1.0, 60, 60}, {0.7, 1, 1},     {0.7, 0, 1}, // no frames: one
      {0.7, -3, 1},  {nan, 60, 1},    {2.0, 60, 60},
      {-1.0, 60, 1}, {1e300, 60, 60}, {0.5, 2, 2}, // halves round up
  };
  for (const auto& c : cases)
    EXPECT_EQ(IBitmapBase::FrameForValue(c.value, c.frames), c.frame) << c.value << " of " << c.frames;
}

namespace {

class BitmapKnobTest : public ::testing::Test
{
protected:
  ResourceFolder folder;
  TestEditorDelegate dlg;
  RecordingCanvas g{dlg};
};

} // namespace

// A vertical strip 48 wide and 2880 high with 60 frames has 48 x 48 frames: a knob placed on
// (0, 0, 100, 100) gets (26, 26, 74, 74) and draws the frame for its value there.
TEST_F(BitmapKnobTest, KnobIsOneFrameCentredAndDrawsItsValuesFrame)
{
  folder.Write("knob.png");
  folder.Write("knob@2x.png");
  g.bitmapWidth = 48;
  g.bitmapHeight = 2880;
  const IBitmap strip = g.LoadBitmap("knob.png", 60, false, 1);
  auto* knob =
      new IBKnobControl(IRECT(0, 0, 100, 100), strip, TestEditorDelegate::kGain, EDirection::Vertical, 4.0);
  EXPECT_EQ(knob->GetBounds(), IRECT(26, 26, 74, 74));
  EXPECT_EQ(knob->GetHitRect(), IRECT(26, 26, 74, 74));
  EXPECT_TRUE(knob->GetHidePointer());
  EXPECT_EQ(knob->GetGearing(), 4.0);
  EXPECT_EQ(knob->GetDirection(), EDirection::Vertical);
  EXPECT_FALSE(knob->GetPressed());
  g.AttachControl(knob);

  knob->SetValue(0.5);
  knob->SetBlend(BLEND_25);
  g.ClearCalls();
  knob->Draw(g);
  // Frame 31: source offset 2880 x 30 / 60 = 1440 down the strip.
  EXPECT_EQ(g.CallsNamed("DrawBitmap"),
            (std::vector<CanvasCall>{{"DrawBitmap", {26, 26, 74, 74, 0, 1440, 48, 2880, 0.25}, "knob.png"}}));

  // After a change of screen scale the 2x resource is drawn with the same frames and rectangle.
  g.SetScreenScale(2.f);
  EXPECT_EQ(knob->GetBitmap().GetScale(), 2.f);
  EXPECT_EQ(knob->GetBitmap().N(), 60);
  EXPECT_STREQ(knob->GetBitmap().GetResourceName(), "knob.png");
  EXPECT_EQ(knob->GetBounds(), IRECT(26, 26, 74, 74));

  // A bitmap that cannot be loaded again (it has no resource name) is kept on a rescale.
  CountedBitmap layerImage(9, 96, 96, 2.f, 1.f);
  auto* unnamed =
      new IBKnobControl(IRECT(0, 0, 100, 100), IBitmap(&layerImage, 1, false), -1, EDirection::Vertical, 1.0);
  g.AttachControl(unnamed);
  g.SetScreenScale(3.f);
  EXPECT_EQ(unnamed->GetBitmap().GetAPIBitmap(), &layerImage);
}

TEST_F(BitmapKnobTest, EmptyBitmapCollapsesToTheCentreAndDrawsNothing)
{
  auto* knob = new IBKnobControl(IRECT(0, 0, 100, 50), IBitmap(), -1, EDirection::Horizontal, 1.0);
  EXPECT_EQ(knob->GetBounds(), IRECT(50, 25, 50, 25));
  g.AttachControl(knob);
  g.ClearCalls();
  knob->Draw(g);
  EXPECT_EQ(g.Count("DrawBitmap"), 0);
}

TEST_F(BitmapKnobTest, SingleFrameAlwaysShowsFrameOne)
{
  folder.Write("one.png");
  const IBitmap one = g.LoadBitmap("one.png", 1, true, 1); // 100 x 50
  auto* knob = new IBKnobControl(IRECT(0, 0, 100, 100), one, -1, EDirection::Vertical, 1.0);
  g.AttachControl(knob);
  for (double v : {0.0, 0.6, 1.0}) {
    knob->SetValue(v);
    g.ClearCalls();
    knob->Draw(g);
    EXPECT_EQ(g.CallsNamed("DrawBitmap"),
              (std::vector<CanvasCall>{{"DrawBitmap", {0, 25, 100, 75, 0, 0, 100, 50, 1}, "one.png"}}));
  }
}
