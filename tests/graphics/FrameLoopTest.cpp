#include "graphics/controls/IFPSDisplayControl.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using Log = std::vector<std::string>;

namespace {

// Logs its animation steps, dirty answers, cleaning and drawing, as does the context its frames.
class FrameControl : public IControl
{
public:
  FrameControl(const IRECT& r, Log& log, std::string name, bool animated = false)
      : IControl(r), mLog(log), mName(std::move(name))
  {
    if (animated) SetAnimationFunction([this](IControl*) { mLog.push_back(mName + ".step"); });
  }
  bool IsDirty() override { return mLog.push_back(mName + ".dirty?"), IControl::IsDirty(); }
  void SetClean() override { mLog.push_back(mName + ".clean"), IControl::SetClean(); }
  void Draw(ICanvas&) override { mLog.push_back(mName + ".draw"); }

private:
  Log& mLog;
  std::string mName;
};

class FrameCanvas : public RecordingCanvas
{
public:
  FrameCanvas(TestEditorDelegate& dlg, Log& log) : RecordingCanvas(dlg), mLog(log) {}
  void BeginFrame() override { RecordingCanvas::BeginFrame(), mLog.push_back("Begin"); }
  void EndFrame() override { mLog.push_back("End"); }
  std::vector<IRECT> Clips() const
  {
    std::vector<IRECT> out;
    for (const CanvasCall& c : CallsNamed("SetClipRegion"))
      out.emplace_back(float(c.args[0]), float(c.args[1]), float(c.args[2]), float(c.args[3]));
    return out;
  }

private:
  Log& mLog;
};

class FrameLoopTest : public ::testing::Test
{
protected:
  IControl* Add(const IRECT& r, const char* name, bool animated = false)
  {
    return ui.AttachControl(new FrameControl(r, log, name, animated));
  }
  Log log;
  TestEditorDelegate dlg;
  FrameCanvas ui{dlg, log};
  FrameDriver frames{ui};
};

} // namespace

TEST_F(FrameLoopTest, AnimationsStepBeforeAnyDirtyTestAndCleaningPrecedesDrawing)
{
  Add(IRECT(0, 0, 10, 10), "a", true);
  Add(IRECT(20, 0, 30, 10), "b");
  Add(IRECT(40, 0, 50, 10), "hidden")->Hide(true);
  log.clear();
  frames.Tick();
  EXPECT_EQ(log, (Log{"a.step", "a.dirty?", "b.dirty?", "hidden.dirty?", "a.clean", "b.clean", "hidden.clean",
                      "Begin", "a.draw", "b.draw", "End"}));
  EXPECT_EQ(frames.lastDirty.size(), 3u); // the hidden control reports; it is not drawn
  log.clear();
  frames.Tick(); // only the running animation is dirty
  EXPECT_EQ(log, (Log{"a.step", "a.dirty?", "b.dirty?", "hidden.dirty?", "a.clean", "b.clean", "hidden.clean",
                      "Begin", "a.draw", "End"}));

  IRECTList empty;
  log.clear();
  ui.Draw(empty);
  EXPECT_TRUE(log.empty()); // no frame is begun
  ui.ShowFPSDisplay(true);
  ASSERT_EQ(frames.Run(3), 3);
  EXPECT_NEAR(ui.GetFPSDisplay()->GetSample(ui.GetFPSDisplay()->GetReadPos()), 1.0 / 60.0, 1e-6);
}

TEST_F(FrameLoopTest, DirtyAreasGrowAlignToPixelsMergeAndStayInsideParents)
{
  ui.SetScreenScale(2.f);
  Add(IRECT(10, 10, 20, 20), "a");
  Add(IRECT(20, 10, 30, 20), "b"); // touches a with the same rows: merged
  frames.Tick();
  EXPECT_EQ(frames.lastDirty[0], IRECT(9.25f, 9.25f, 20.75f, 20.75f));
  EXPECT_EQ(frames.lastDrawn, std::vector<IRECT>{IRECT(9, 9, 31, 21)});

  IControl* parent = Add(IRECT(0, 0, 100, 100), "parent");
  IControl* child = Add(IRECT(90, 10, 120, 20), "child"); // sticks out to the right
  child->SetParent(parent);
  parent->SetClean();
  frames.Tick();
  EXPECT_EQ(frames.lastDirty, std::vector<IRECT>{IRECT(68.25f, 9.25f, 99.75f, 20.75f)});
  ui.ClearCalls();
  ui.DrawControl(child, IRECT(0, 0, 200, 200), 1.f);
  ui.DrawControl(child, IRECT(150, 150, 200, 200), 1.f); // outside the region: not drawn
  EXPECT_EQ(ui.Clips(), std::vector<IRECT>{IRECT(68, 9, 100, 21)});
  EXPECT_EQ(ui.CallsNamed("PathTransformSetMatrix")[0].args, (std::vector<double>{1, 0, 0, 1, 0, 0}));
}

TEST_F(FrameLoopTest, SingleDirtyRegionRedrawsEverythingBetweenTheDirtyCorners)
{
  IControl* a = Add(IRECT(0, 0, 10, 10), "a");
  Add(IRECT(100, 80, 110, 90), "middle");
  IControl* b = Add(IRECT(280, 180, 290, 190), "b");
  ui.SetSingleDirtyRegion(true);
  frames.Tick();
  a->SetDirty(false);
  b->SetDirty(false);
  log.clear();
  frames.Tick();
  EXPECT_EQ(log.back(), "End");
  EXPECT_EQ(log[log.size() - 3], "middle.draw");
}

TEST(BitmapFrames, FramesClampAndCharactersPickTheirCells)
{
  TestEditorDelegate dlg;
  RecordingCanvas ui(dlg);
  CountedBitmap strip(1, 100, 50, 1.f, 1.f);
  CountedBitmap font(2, 576, 12, 1.f, 1.f); // 96 characters of 6 x 12
  const IBitmap horizontal(&strip, 4, true), vertical(&strip, 5, false), glyphs(&font, 96, true);
  auto src = [&] {
    std::vector<double> out;
    for (const CanvasCall& c : ui.CallsNamed("DrawBitmap"))
      out.insert(out.end(), {c.args[0], c.args[1], c.args[4], c.args[5]});
    ui.ClearCalls();
    return out;
  };
  for (int frame : {-3, 0, 2, 9})
    ui.DrawBitmapFrame(horizontal, IRECT(1, 2, 3, 4), frame);
  ui.DrawBitmapFrame(vertical, IRECT(1, 2, 3, 4), 3);
  EXPECT_EQ(src(), (std::vector<double>{1, 2, 0, 0, 1, 2, 0, 0, 1, 2, 25, 0, 1, 2, 75, 0, 1, 2, 0, 20}));

  // 'A' is frame 34, '!' frame 2, control and high bytes frame 1; far alignment, centred row.
  ui.DrawBitmapText(glyphs, IRECT(0, 0, 100, 40), IText(14.f, COLOR_BLACK, nullptr, EAlign::Far), nullptr,
                    "A!\x01\xC3", true, false, 6, 12, 1);
  EXPECT_EQ(src(), (std::vector<double>{76, 14, 198, 0, 83, 14, 6, 0, 90, 14, 0, 0, 97, 14, 0, 0}));
  // Wrapped lines are centred by the width of a line, not of the whole string.
  ui.DrawBitmapText(glyphs, IRECT(0, 0, 12, 60), IText(), nullptr, "ABCDE", false, true, 6, 12, 0);
  EXPECT_EQ(src(),
            (std::vector<double>{0, 0, 198, 0, 6, 0, 204, 0, 0, 12, 210, 0, 6, 12, 216, 0, 0, 24, 222, 0}));
  ui.DrawBitmapText(glyphs, IRECT(0, 0, 5, 12), IText(), nullptr, "A", false, false, 6, 12, 0);
  EXPECT_TRUE(src().empty()); // no whole cell fits
}
