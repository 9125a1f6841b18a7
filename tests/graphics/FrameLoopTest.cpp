#include "graphics/controls/IFPSDisplayControl.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// Logs its animation steps, dirty questions, cleaning and drawing into a shared log.
class FrameControl : public IControl
{
public:
  FrameControl(const IRECT& r, HookLog& log, std::string name, bool animated = false)
      : IControl(r, -1), mLog(log), mName(std::move(name))
  {
    if (animated) SetAnimationFunction([this](IControl*) { mLog.push_back(mName + ".step"); });
  }
  bool IsDirty() override
  {
    mLog.push_back(mName + ".dirty?");
    return IControl::IsDirty();
  }
  void SetClean() override
  {
    mLog.push_back(mName + ".clean");
    IControl::SetClean();
  }
  void Draw(ICanvas&) override { mLog.push_back(mName + ".draw"); }

private:
  HookLog& mLog;
  std::string mName;
};

// Writes the frame boundaries and clips into the same log.
class FrameCanvas : public RecordingCanvas
{
public:
  FrameCanvas(TestEditorDelegate& dlg, HookLog& log) : RecordingCanvas(dlg), mLog(log) {}
  void BeginFrame() override
  {
    RecordingCanvas::BeginFrame();
    mLog.push_back("BeginFrame");
  }
  void EndFrame() override { mLog.push_back("EndFrame"); }

private:
  HookLog& mLog;
};

std::vector<IRECT> Clips(const RecordingCanvas& ui)
{
  std::vector<IRECT> out;
  for (const CanvasCall& c : ui.CallsNamed("SetClipRegion"))
    out.emplace_back(float(c.args[0]), float(c.args[1]), float(c.args[2]), float(c.args[3]));
  return out;
}

class FrameLoopTest : public ::testing::Test
{
protected:
  RecordingControl* Add(const IRECT& r)
  {
    return static_cast<RecordingControl*>(ui.AttachControl(new RecordingControl(r)));
  }

  HookLog log;
  TestEditorDelegate dlg;
  FrameCanvas ui{dlg, log};
  FrameDriver frames{ui};
};

} // namespace

TEST_F(FrameLoopTest, AnimationsStepBeforeAnyDirtyCheckAndCleaningPrecedesDrawing)
{
  ui.AttachControl(new FrameControl(IRECT(0, 0, 10, 10), log, "a", true));
  ui.AttachControl(new FrameControl(IRECT(20, 0, 30, 10), log, "b"));
  log.clear();
  ASSERT_TRUE(frames.Tick());
  EXPECT_EQ(log, (HookLog{"a.step", "a.dirty?", "b.dirty?", "a.clean", "b.clean", "BeginFrame", "a.draw",
                          "b.draw", "EndFrame"}));

  log.clear();
  ASSERT_TRUE(frames.Tick()); // the running animation keeps a dirty; b is clean and not drawn
  EXPECT_EQ(log, (HookLog{"a.step", "a.dirty?", "b.dirty?", "a.clean", "b.clean", "BeginFrame", "a.draw",
                          "EndFrame"}));
}

TEST_F(FrameLoopTest, NothingDirtyOrAnEmptyListBeginsNoFrame)
{
  Add(IRECT(0, 0, 10, 10));
  frames.Tick();
  ui.ClearCalls();
  EXPECT_FALSE(frames.Tick());
  IRECTList empty;
  ui.Draw(empty);
  EXPECT_EQ(ui.Count("BeginFrame"), 0);
}

TEST_F(FrameLoopTest, DirtyControlReportsGrownBoundsAndDrawsInWholePixelsAtTotalScale)
{
  ui.SetScreenScale(2.f);
  Add(IRECT(10, 10, 20, 20));
  frames.Tick();
  ASSERT_EQ(frames.lastDirty.size(), 1u);
  EXPECT_EQ(frames.lastDirty[0], IRECT(9.25f, 9.25f, 20.75f, 20.75f));
  EXPECT_EQ(Clips(ui), std::vector<IRECT>{IRECT(9, 9, 21, 21)});
}

TEST_F(FrameLoopTest, HiddenControlsReportButOnlyTheHiddenBackgroundDraws)
{
  RecordingControl* background = Add(IRECT(0, 0, 300, 200));
  RecordingControl* other = Add(IRECT(10, 10, 20, 20));
  background->Hide(true);
  other->Hide(true);
  ASSERT_TRUE(frames.Tick());
  EXPECT_EQ(frames.lastDirty.size(), 2u);
  EXPECT_EQ(background->drawCount, 1);
  EXPECT_EQ(other->drawCount, 0);
}

TEST_F(FrameLoopTest, ChildIsReportedAndClippedInsideItsParent)
{
  RecordingControl* parent = Add(IRECT(0, 0, 100, 100));
  RecordingControl* child = Add(IRECT(90, 10, 120, 20));
  child->SetParent(parent);
  parent->SetClean();
  frames.Tick();
  ASSERT_EQ(frames.lastDirty.size(), 1u);
  EXPECT_EQ(frames.lastDirty[0], IRECT(68.25f, 9.25f, 99.75f, 20.75f)); // ends 1 inside the parent

  ui.ClearCalls();
  ui.DrawControl(child, IRECT(0, 0, 200, 200), 1.f);
  EXPECT_EQ(Clips(ui), std::vector<IRECT>{IRECT(68, 9, 100, 21)});
  ui.ClearCalls();
  ui.DrawControl(child, IRECT(150, 150, 200, 200), 1.f); // outside the region: not drawn
  EXPECT_EQ(ui.Count("SetClipRegion"), 0);
}

TEST_F(FrameLoopTest, PrepareRegionResetsTransformAndPathBeforeClipping)
{
  Add(IRECT(10, 10, 20, 20));
  frames.Tick();
  std::vector<std::string> ops;
  for (const CanvasCall& c : ui.calls)
    if (c.op != "BeginFrame") ops.push_back(c.op);
  EXPECT_EQ(ops, (std::vector<std::string>{"PathTransformSetMatrix", "PathClear", "SetClipRegion"}));
  EXPECT_EQ(ui.CallsNamed("PathTransformSetMatrix")[0].args, (std::vector<double>{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(ui.GetClipRect(), IRECT(9, 9, 21, 21));
}

TEST_F(FrameLoopTest, TouchingNeighboursMergeAndNestedRectanglesDrop)
{
  Add(IRECT(10, 10, 20, 20));
  Add(IRECT(20, 10, 30, 20));
  Add(IRECT(12, 12, 14, 14));
  frames.Tick();
  EXPECT_EQ(frames.lastDrawn, std::vector<IRECT>{IRECT(9, 9, 31, 21)});
}

TEST_F(FrameLoopTest, SingleDirtyRegionRedrawsEverythingBetweenTheCorners)
{
  RecordingControl* a = Add(IRECT(0, 0, 10, 10));
  RecordingControl* middle = Add(IRECT(100, 80, 110, 90));
  RecordingControl* b = Add(IRECT(280, 180, 290, 190));
  ui.SetSingleDirtyRegion(true);
  frames.Tick();
  middle->drawCount = 0;
  a->SetDirty(false);
  b->SetDirty(false);
  ui.ClearCalls();
  frames.Tick();
  EXPECT_EQ(middle->drawCount, 1);
  EXPECT_EQ(Clips(ui)[0], IRECT(-1, -1, 11, 11));
  EXPECT_EQ(Clips(ui)[1], IRECT(99, 79, 111, 91));
}

TEST_F(FrameLoopTest, FrameTimeRingTakesTheIntervalOfEveryFrame)
{
  ui.AttachControl(new FrameControl(IRECT(0, 0, 10, 10), log, "always", true)); // a frame every tick
  ui.ShowFPSDisplay(true);
  ASSERT_EQ(frames.Run(3), 3);
  const IFPSDisplayControl* fps = ui.GetFPSDisplay();
  ASSERT_NE(fps, nullptr);
  EXPECT_EQ(fps->GetReadPos(), 3);
  EXPECT_NEAR(fps->GetSample(3), 1.0 / 60.0, 1e-6);
  EXPECT_NEAR(fps->GetSample(2), 1.0 / 60.0, 1e-6);
  ASSERT_EQ(frames.Run(97), 97);
  EXPECT_EQ(fps->GetReadPos(), 0); // the ring wraps after 100 entries
}

TEST_F(FrameLoopTest, BitmapFrameIsClampedAndOffsetAlongItsStrip)
{
  CountedBitmap horizontalImage(1, 100, 50, 1.f, 1.f);
  CountedBitmap verticalImage(2, 40, 50, 1.f, 1.f);
  const IBitmap horizontal(&horizontalImage, 4, true, "h");
  const IBitmap vertical(&verticalImage, 5, false, "v");
  const IBitmap single(&horizontalImage, 1, true, "s");
  struct Case
  {
    const IBitmap* bitmap;
    int frame;
    double srcX, srcY;
  } cases[] = {{&horizontal, -3, 0, 0}, {&horizontal, 0, 0, 0}, {&horizontal, 2, 25, 0}, {&horizontal, 4, 75, 0},
               {&horizontal, 9, 75, 0}, {&vertical, 3, 0, 20},   {&single, 3, 0, 0}};
  for (const Case& c : cases) {
    ui.ClearCalls();
    ui.DrawBitmapFrame(*c.bitmap, IRECT(1, 2, 3, 4), c.frame);
    ASSERT_EQ(ui.Count("DrawBitmap"), 1);
    const CanvasCall call = ui.CallsNamed("DrawBitmap")[0];
    EXPECT_EQ(call.args[4], c.srcX) << c.bitmap->GetResourceName() << " frame " << c.frame;
    EXPECT_EQ(call.args[5], c.srcY) << c.bitmap->GetResourceName() << " frame " << c.frame;
  }
}

TEST(BitmapText, CellsFramesAlignmentAndWrapping)
{
  TestEditorDelegate dlg;
  RecordingCanvas ui(dlg);
  CountedBitmap image(1, 576, 12, 1.f, 1.f); // 96 frames of 6 x 12
  const IBitmap font(&image, 96, true, "font");
  // Cell rectangles (L, T) and source x of every character drawn.
  auto draw = [&](const char* str, const IRECT& r, EAlign align, bool vCenter, bool multiline) {
    ui.ClearCalls();
    IText text;
    text.mAlign = align;
    ui.DrawBitmapText(font, r, text, nullptr, str, vCenter, multiline, 6, 12, 1);
    std::vector<std::vector<double>> cells;
    for (const CanvasCall& c : ui.CallsNamed("DrawBitmap"))
      cells.push_back({c.args[0], c.args[1], c.args[4]});
    return cells;
  };
  using Cells = std::vector<std::vector<double>>;
  // 'A' is frame 34 (source 198), '!' frame 2 (6), control and high bytes frame 1 (0).
  EXPECT_EQ(draw("A!\x01\xC3", IRECT(0, 0, 100, 12), EAlign::Near, false, false),
            (Cells{{0, 0, 198}, {7, 0, 6}, {14, 0, 0}, {21, 0, 0}}));
  EXPECT_EQ(draw("AB", IRECT(0, 0, 100, 40), EAlign::Far, true, false), (Cells{{88, 14, 198}, {95, 14, 204}}));
  EXPECT_EQ(draw("AB", IRECT(0, 0, 100, 12), EAlign::Center, false, false), (Cells{{44, 0, 198}, {51, 0, 204}}));
  EXPECT_EQ(draw("ABCDE", IRECT(0, 0, 12, 60), EAlign::Near, false, true),
            (Cells{{0, 0, 198}, {7, 0, 204}, {0, 12, 210}, {7, 12, 216}, {0, 24, 222}}));
  EXPECT_EQ(draw("ABCDE", IRECT(0, 0, 12, 60), EAlign::Near, false, false), (Cells{{0, 0, 198}, {7, 0, 204}}));
  EXPECT_TRUE(draw("A", IRECT(0, 0, 5, 12), EAlign::Near, false, false).empty()); // no whole cell fits
  EXPECT_TRUE(draw("", IRECT(0, 0, 100, 12), EAlign::Near, false, false).empty());
}
