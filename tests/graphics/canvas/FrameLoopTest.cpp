#include "graphics/attached/IFPSDisplayControl.h"
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

// Logs its animation steps, dirty answers, cleaning and drawing; the context logs its frames.
struct FrameControl : IControl
{
  FrameControl(const IRECT& r, Log& log, std::string name, bool animated = false)
      : IControl(r), log(log), name(std::move(name))
  {
    if (animated) SetAnimationFunction([this](IControl*) { this->log.push_back(this->name + ".step"); });
  }
  bool IsDirty() override { return log.push_back(name + ".dirty?"), IControl::IsDirty(); }
  void SetClean() override { log.push_back(name + ".clean"), IControl::SetClean(); }
  void Draw(ICanvas&) override { log.push_back(name + ".draw"); }
  Log& log;
  std::string name;
};
struct FrameCanvas : RecordingCanvas
{
  FrameCanvas(TestEditorDelegate& dlg, Log& log) : RecordingCanvas(dlg), log(log) {}
  void BeginFrame() override { RecordingCanvas::BeginFrame(), log.push_back("Begin"); }
  void EndFrame() override { log.push_back("End"); }
  Log& log;
};

} // namespace

TEST(FrameLoop, AnimationsStepBeforeAnyDirtyTestAndCleaningPrecedesDrawing)
{
  Log log;
  TestEditorDelegate dlg;
  FrameCanvas ui(dlg, log);
  FrameDriver frames(ui);
  ui.AttachControl(new FrameControl(IRECT(0, 0, 10, 10), log, "a", true));
  ui.AttachControl(new FrameControl(IRECT(20, 0, 30, 10), log, "b"));
  ui.AttachControl(new FrameControl(IRECT(40, 0, 50, 10), log, "hid"))->Hide(true); // reports, not drawn
  log.clear();
  frames.Tick();
  frames.Tick(); // then only the running animation is dirty
  IRECTList empty;
  ui.Draw(empty); // begins no frame
  EXPECT_EQ(log, (Log{"a.step",     "a.dirty?", "b.dirty?", "hid.dirty?", "a.clean", "b.clean",  "hid.clean",
                      "Begin",      "a.draw",   "b.draw",   "End",        "a.step",  "a.dirty?", "b.dirty?",
                      "hid.dirty?", "a.clean",  "b.clean",  "hid.clean",  "Begin",   "a.draw",   "End"}));
  ui.ShowFPSDisplay(true);
  frames.Tick();
  frames.Tick();
  EXPECT_NEAR(ui.GetFPSDisplay()->GetSample(ui.GetFPSDisplay()->GetReadPos()), 1.0 / 60.0, 1e-6);
}

TEST(FrameLoop, DirtyAreasGrowAlignToPixelsMergeAndStayInsideParents)
{
  Log log;
  TestEditorDelegate dlg;
  FrameCanvas ui(dlg, log);
  FrameDriver frames(ui);
  ui.SetScreenScale(2.f);
  ui.AttachControl(new FrameControl(IRECT(10, 10, 20, 20), log, "a"));
  ui.AttachControl(new FrameControl(IRECT(20, 10, 30, 20), log, "b")); // same rows, touching: merged
  frames.Tick();
  EXPECT_EQ(frames.lastDirty[0], IRECT(9.25f, 9.25f, 20.75f, 20.75f));
  EXPECT_EQ(frames.lastDrawn, std::vector<IRECT>{IRECT(9, 9, 31, 21)});

  IControl* parent = ui.AttachControl(new FrameControl(IRECT(0, 0, 100, 100), log, "parent"));
  IControl* child = ui.AttachControl(new FrameControl(IRECT(90, 10, 120, 20), log, "child"));
  child->SetParent(parent); // sticks out to the right: moved to end one unit inside
  parent->SetClean();
  frames.Tick();
  EXPECT_EQ(frames.lastDirty, std::vector<IRECT>{IRECT(68.25f, 9.25f, 99.75f, 20.75f)});
  ui.ClearCalls();
  ui.DrawControl(child, IRECT(0, 0, 200, 200), 1.f);
  ui.DrawControl(child, IRECT(150, 150, 200, 200), 1.f); // outside the region: not drawn
  EXPECT_EQ(ui.CallsNamed("SetClipRegion"),
            (std::vector<CanvasCall>{{"SetClipRegion", {68, 9, 100, 21}, ""}}));
  EXPECT_EQ(ui.CallsNamed("PathTransformSetMatrix")[0].args, (std::vector<double>{1, 0, 0, 1, 0, 0}));
}

TEST(FrameLoop, BitmapFramesClampAndCharactersPickTheirCells)
{
  TestEditorDelegate dlg;
  RecordingCanvas ui(dlg);
  CountedBitmap strip(1, 100, 50, 1.f, 1.f), font(2, 576, 12, 1.f, 1.f); // 96 characters of 6 x 12
  const IBitmap horizontal(&strip, 4, true), vertical(&strip, 5, false), glyphs(&font, 96, true);
  auto drawn = [&] { // left, top, source x and y of every bitmap drawn
    std::vector<double> out;
    for (const CanvasCall& c : ui.CallsNamed("DrawBitmap"))
      out.insert(out.end(), {c.args[0], c.args[1], c.args[4], c.args[5]});
    return ui.ClearCalls(), out;
  };
  for (int frame : {-3, 0, 2, 9})
    ui.DrawBitmapFrame(horizontal, IRECT(1, 2, 3, 4), frame);
  ui.DrawBitmapFrame(vertical, IRECT(1, 2, 3, 4), 3);
  EXPECT_EQ(drawn(), (std::vector<double>{1, 2, 0, 0, 1, 2, 0, 0, 1, 2, 25, 0, 1, 2, 75, 0, 1, 2, 0, 20}));
  // 'A' is frame 34, '!' frame 2, control and high bytes frame 1; aligned far, centred vertically.
  ui.DrawBitmapText(glyphs, IRECT(0, 0, 100, 40), IText(14.f, COLOR_BLACK, nullptr, EAlign::Far), nullptr,
                    "A!\x01\xC3", true, false, 6, 12, 1);
  EXPECT_EQ(drawn(), (std::vector<double>{76, 14, 198, 0, 83, 14, 6, 0, 90, 14, 0, 0, 97, 14, 0, 0}));
  // Wrapped lines are centred by the width of a line, not of the whole string.
  ui.DrawBitmapText(glyphs, IRECT(0, 0, 12, 60), IText(), nullptr, "ABCDE", false, true, 6, 12, 0);
  EXPECT_EQ(drawn(),
            (std::vector<double>{0, 0, 198, 0, 6, 0, 204, 0, 0, 12, 210, 0, 6, 12, 216, 0, 0, 24, 222, 0}));
  ui.DrawBitmapText(glyphs, IRECT(0, 0, 5, 12), IText(), nullptr, "A", false, false, 6, 12, 0);
  EXPECT_TRUE(drawn().empty()); // no whole cell fits
}

// Where each character cell of bitmap text starts: text that fits is placed by its whole width,
// as n x the character width; text cut to the cells that fit is placed by their width, so that it
// stays inside the rectangle. Nothing is drawn without frames or without a cell to draw into.
TEST(FrameLoop, BitmapTextIsPlacedByTheWidthOfTheDrawnLine)
{
  TestEditorDelegate dlg;
  RecordingCanvas ui(dlg);
  CountedBitmap font(2, 576, 12, 1.f, 1.f), blank(3, 576, 12, 1.f, 1.f);
  const IBitmap glyphs(&font, 96, true), noFrames(&blank, 0, true);
  const struct
  {
    const IBitmap* bitmap;
    EAlign align;
    float right;
    const char* str;
    int charWidth, charHeight;
    std::vector<double> lefts;
  } cases[] = {
      {&glyphs, EAlign::Near, 40, "AB", 6, 12, {0, 6}},
      {&glyphs, EAlign::Center, 40, "AB", 6, 12, {14, 20}},   // 0.5 x (40 - 2 x 6)
      {&glyphs, EAlign::Far, 40, "AB", 6, 12, {28, 34}},      // 40 - 2 x 6
      {&glyphs, EAlign::Far, 20, "ABCDE", 6, 12, {2, 8, 14}}, // three cells fit: 20 - 3 x 6
      {&glyphs, EAlign::Center, 20, "ABCDE", 6, 12, {1, 7, 13}},
      {&glyphs, EAlign::Far, 40, "AB", 0, 12, {}},
      {&glyphs, EAlign::Far, 40, "AB", -6, 12, {}},
      {&glyphs, EAlign::Far, 40, "AB", 6, 0, {}},
      {&noFrames, EAlign::Far, 40, "AB", 6, 12, {}},
  };
  for (const auto& c : cases) {
    ui.ClearCalls();
    ui.DrawBitmapText(*c.bitmap, IRECT(0, 0, c.right, 12), IText(14.f, COLOR_BLACK, nullptr, c.align),
                      nullptr, c.str, false, false, c.charWidth, c.charHeight, 0);
    std::vector<double> lefts;
    for (const CanvasCall& call : ui.CallsNamed("DrawBitmap"))
      lefts.push_back(call.args[0]);
    EXPECT_EQ(lefts, c.lefts) << c.str << " in " << c.right << " cell " << c.charWidth << "x" << c.charHeight;
  }
  ui.ClearCalls();
  ui.DrawBitmapText(IBitmap(), IRECT(0, 0, 40, 12), IText(), nullptr, "AB", false, false, 6, 12, 0);
  ui.DrawBitmapFrame(IBitmap(), IRECT(0, 0, 40, 12), 1);
  EXPECT_EQ(ui.Count("DrawBitmap"), 0); // an empty bitmap draws nothing
}
