#include "graphics/attached/IBubbleControl.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <string>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

const IRECT kCaller(100, 80, 140, 100);
const IRECT kMin(0, 0, 50, 30);

class CanvasBubbleTest : public ::testing::Test
{
protected:
  TD dlg;
  RecordingCanvas ui{dlg, 300, 200};
};

} // namespace

// Text is 7 units per character and 14 high; the content grows by 15 left and right, 10 above and
// below; the editor is 300 x 200.
TEST_F(CanvasBubbleTest, PlacementBesideThePointOrTheCaller)
{
  struct Case
  {
    EDirection dir;
    float x, y;
    const char* str;
    IRECT minBounds, expected;
    int placement;
  };
  const Case cases[] = {
      {EDirection::Horizontal, 140, 90, "abcd", kMin, {140, 65, 220, 115}, IBubbleControl::kRightOfPoint},
      {EDirection::Horizontal, 250, 90, "abcd", kMin, {20, 65, 100, 115}, IBubbleControl::kLeftOfCaller},
      {EDirection::Vertical, 120, 80, "abcd", kMin, {80, 30, 160, 80}, IBubbleControl::kAbovePoint},
      {EDirection::Vertical, 120, 40, "abcd", kMin, {80, 60, 160, 110}, IBubbleControl::kBelowCaller},
      {EDirection::Horizontal,
       140,
       90,
       "abcdefghij",
       IRECT(),
       {140, 73, 240, 107},
       IBubbleControl::kRightOfPoint},
  };
  for (const Case& c : cases) {
    RecordingCanvas canvas(dlg, 300, 200);
    canvas.AttachBubbleControl();
    IControl* caller = canvas.AttachControl(new RecordingControl(kCaller));
    canvas.ShowBubbleControl(caller, c.x, c.y, c.str, c.dir, c.minBounds);
    const IBubbleControl* b = canvas.GetBubble(0);
    EXPECT_EQ(b->GetBubbleBounds(), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(b->GetBounds(), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(b->GetPlacement(), c.placement) << c.x << "," << c.y;
    EXPECT_EQ(b->GetMaxBounds(), IRECT(0, 0, 300, 200));
    EXPECT_STREQ(b->GetStr(), c.str);
    EXPECT_EQ(b->GetCaller(), caller);
    EXPECT_EQ(b->GetState(), IBubbleControl::kFadingIn);
    EXPECT_FALSE(b->IsHidden());
  }
}

TEST_F(CanvasBubbleTest, TheSameCallerGrowsTheBoundsANewOneReplacesThem)
{
  ui.AttachBubbleControl();
  IControl* caller = ui.AttachControl(new RecordingControl(kCaller));
  IControl* other = ui.AttachControl(new RecordingControl(kCaller));
  ui.ShowBubbleControl(caller, 140, 90, "abcd", EDirection::Horizontal, kMin);
  ui.ShowBubbleControl(caller, 140, 100, "abcd", EDirection::Horizontal, kMin);
  EXPECT_EQ(ui.GetBubble(0)->GetBounds(), IRECT(140, 65, 220, 125));
  ui.ShowBubbleControl(other, 140, 100, "abcd", EDirection::Horizontal, kMin);
  EXPECT_EQ(ui.GetBubble(0)->GetBounds(), IRECT(140, 75, 220, 125));
  EXPECT_EQ(ui.GetBubble(0)->GetCaller(), other);
}

TEST_F(CanvasBubbleTest, NothingWithoutBubbleCallerOrSingleCapture)
{
  IControl* caller = ui.AttachControl(new RecordingControl(kCaller));
  ui.ShowBubbleControl(caller, 0, 0, "x"); // no bubble attached
  ui.AttachBubbleControl();
  ui.AttachBubbleControl();
  ui.ShowBubbleControl(nullptr, 0, 0, "x");
  ui.EnableMultiTouch(true);
  ui.ShowBubbleControl(caller, 0, 0, "x"); // not captured
  ui.Capture(3, caller);
  ui.Capture(4, caller);
  ui.ShowBubbleControl(caller, 0, 0, "x"); // captured twice
  EXPECT_TRUE(ui.GetBubble(0)->IsHidden() && ui.GetBubble(1)->IsHidden());
  ui.ReleaseMouseCapture();
  ui.Capture(4, caller);
  ui.ShowBubbleControl(caller, 0, 0, "x");
  const IBubbleControl* used = ui.GetBubble(0)->IsHidden() ? ui.GetBubble(1) : ui.GetBubble(0);
  EXPECT_EQ(used->GetTouchId(), 4u);
  ui.ShowBubbleControl(caller, 0, 0, "y"); // the bubble of that touch again
  EXPECT_STREQ(used->GetStr(), "y");
}

TEST_F(CanvasBubbleTest, ValueBubbleActionsNeedAParameter)
{
  ui.AttachBubbleControl();
  IControl* gain = ui.AttachControl(new RecordingControl(kCaller, TD::kGain));
  IControl* unbound = ui.AttachControl(new RecordingControl(kCaller));
  ShowBubbleRightAction(unbound);
  ShowBubbleAboveAction(nullptr);
  EXPECT_TRUE(ui.GetBubble(0)->IsHidden());
  ShowBubbleRightAction(gain);
  EXPECT_STREQ(ui.GetBubble(0)->GetStr(), "0.0 dB");
  EXPECT_EQ(ui.GetBubble(0)->GetBubbleBounds(), IRECT(140, 65, 220, 115));
  ShowBubbleAboveAction(gain);
  EXPECT_EQ(ui.GetBubble(0)->GetBubbleBounds(), IRECT(80, 30, 160, 80));
}

TEST_F(CanvasBubbleTest, TextOperationsSkipEmptyStrings)
{
  IRECT r(1, 2, 3, 4);
  EXPECT_EQ(ui.MeasureText(DEFAULT_TEXT, nullptr, r), 0.f);
  EXPECT_EQ(ui.MeasureText(DEFAULT_TEXT, "", r), 0.f);
  EXPECT_EQ(r, IRECT(1, 2, 3, 4));
  EXPECT_EQ(ui.MeasureText(DEFAULT_TEXT, "abc", r), 21.f);
  ui.DrawText(DEFAULT_TEXT, "", r);
  ui.DrawText(DEFAULT_TEXT, nullptr, 5, 6);
  ui.DrawText(DEFAULT_TEXT, "hi", 5, 6, &BLEND_50);
  EXPECT_EQ(ui.CallsNamed("DoDrawText"),
            (std::vector<CanvasCall>{{"DoDrawText", {5, 6, 5, 6, 14, 0.5}, "hi"}}));
}
