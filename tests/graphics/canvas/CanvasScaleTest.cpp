#include "graphics/attached/ICornerResizerControl.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Delegate, context and resizer that write the calls whose order matters into one log.
class OrderDelegate : public TestEditorDelegate
{
public:
  explicit OrderDelegate(HookLog& log) : mLog(log) {}
  bool EditorResizeFromUI(int w, int h, bool needsPlatformResize) override
  {
    mLog.push_back("report " + std::to_string(w) + "x" + std::to_string(h) +
                   (needsPlatformResize ? " 1" : " 0"));
    return TestEditorDelegate::EditorResizeFromUI(w, h, needsPlatformResize);
  }
  void LayoutUI(ICanvas*) override { mLog.push_back("layout"); }

private:
  HookLog& mLog;
};

class OrderCanvas : public RecordingCanvas
{
public:
  OrderCanvas(OrderDelegate& dlg, HookLog& log, float drawScale = 1.f)
      : RecordingCanvas(dlg, 300, 200, 60, drawScale), mLog(log)
  {}
  void DrawResize() override { mLog.push_back("DrawResize"); }
  void PlatformResize(bool resized) override
  {
    mLog.push_back(resized ? "PlatformResize 1" : "PlatformResize 0");
  }

private:
  HookLog& mLog;
};

class LoggingResizer : public ICornerResizerControl
{
public:
  explicit LoggingResizer(HookLog& log) : ICornerResizerControl(IRECT(), 20.f, 300.f, 200.f), mLog(log) {}
  ~LoggingResizer() override { mLog.push_back("resizer.~"); }
  void OnRescale() override { mLog.push_back("resizer.OnRescale"); }
  void OnResize() override { mLog.push_back("resizer.OnResize"); }

private:
  HookLog& mLog;
};

class CanvasScaleTest : public ::testing::Test
{
protected:
  HookLog log;
  OrderDelegate dlg{log};
  OrderCanvas ui{dlg, log};
};

} // namespace

TEST_F(CanvasScaleTest, ResizeOrderAndTheSizeReportedToTheHost)
{
  dlg.SetSizeConstraints(100, 1000, 100, 1000);
  ui.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), -1, &log, "k"));
  ui.AttachCornerResizer(new LoggingResizer(log));
  ui.SetLayoutOnResize(true);
  ui.Capture(0, ui.GetControl(0));
  log.clear();
  ui.Resize(1200, 700, 1.5f, true); // width constrained to 1000
  EXPECT_EQ(log, (HookLog{"resizer.OnRescale", "report 1500x1050 1", "PlatformResize 1", "k.OnResize",
                          "resizer.OnResize", "DrawResize", "layout"}));
  EXPECT_EQ(ui.Width(), 1000);
  EXPECT_EQ(ui.Height(), 700);
  EXPECT_EQ(ui.GetDrawScale(), 1.5f);
  EXPECT_TRUE(ui.CaptureIsEmpty());
  log.clear();
  ui.Resize(1000, 700, 1.5f, true);
  EXPECT_TRUE(log.empty()); // nothing changes: nothing happens
}

TEST_F(CanvasScaleTest, DrawScaleIsClampedAndNaNKeepsTheCurrentOne)
{
  struct Case
  {
    float asked, expected;
  };
  // From scale 2 in [0.5, 4]: infinities and non-positive scales clamp like any other.
  const Case cases[] = {{0.2f, 0.5f}, {9.f, 4.f},  {kNaN, 2.f},   {-1.f, 0.5f},
                        {0.f, 0.5f},  {kInf, 4.f}, {-kInf, 0.5f}, {3.f, 3.f}};
  for (const Case& c : cases) {
    OrderCanvas canvas(dlg, log, 2.f);
    log.clear();
    canvas.Resize(300, 200, c.asked, false);
    EXPECT_EQ(canvas.GetDrawScale(), c.expected) << c.asked;
    EXPECT_EQ(log.empty(), c.expected == 2.f) << c.asked; // the current scale: no resize
  }
  // A corner drag asks for 2 x min(x / 100, y / 100) from a press at (100, 100): past the origin,
  // the smallest scale.
  OrderCanvas dragged(dlg, log, 2.f);
  dragged.OnMouseDown(Press(100, 100));
  dragged.SetResizeDragActive(true);
  dragged.OnMouseDrag(Drag(-10, 50, 1.f, 1.f));
  EXPECT_EQ(dragged.GetDrawScale(), 0.5f);
  ui.SetScaleConstraints(4.f, 0.25f);
  EXPECT_EQ(ui.GetMinScale(), 0.25f);
  EXPECT_EQ(ui.GetMaxScale(), 4.f);
  // 1e30: a window 300 wide would be 3e32 view points, past any int.
  for (float bad : {kNaN, kInf, 0.f, 1e30f})
    ui.SetScaleConstraints(bad, 2.f);
  EXPECT_EQ(ui.GetMaxScale(), 4.f);
  ui.SetScaleConstraints(1.f, 7e6f); // 2.1e9 view points still fit
  EXPECT_EQ(ui.GetMaxScale(), 7e6f);
  for (float bad : {kNaN, 0.f, -3.f})
    EXPECT_EQ(OrderCanvas(dlg, log, bad).GetDrawScale(), 1.f);
  // A huge scale given at construction: the window size is held at the int range.
  const OrderCanvas huge(dlg, log, 1e30f);
  EXPECT_EQ(std::to_string(huge.WindowWidth()) + "x" + std::to_string(huge.WindowHeight()),
            "2147483647x2147483647");
}

TEST_F(CanvasScaleTest, ScreenScaleRescalesEveryControlAndIgnoresUnusableScales)
{
  ui.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), -1, &log, "k"));
  ui.ShowFPSDisplay(true);
  ui.Resize(301, 200, 1.5f, false); // the window width 451.5 is truncated
  for (float bad : {kNaN, kInf, 0.f, -2.f}) {
    log.clear();
    ui.SetScreenScale(bad);
    EXPECT_TRUE(log.empty()) << bad;
  }
  EXPECT_EQ(ui.GetScreenScale(), 1.f);
  dlg.resizeResult = false;
  ui.SetScreenScale(2.f);
  EXPECT_EQ(log, (HookLog{"report 451x300 1", "PlatformResize 0", "k.OnRescale", "DrawResize"}));
  EXPECT_EQ(ui.GetScreenScale(), 2.f);
  EXPECT_EQ(ui.GetTotalScale(), 3.f);
}

TEST_F(CanvasScaleTest, CornerResizerKeepsItsOnScreenSizeAndIsAttachedOnce)
{
  OrderCanvas zoomed(dlg, log, 2.f);
  zoomed.AttachCornerResizer(1, true, COLOR_RED, COLOR_GREEN, COLOR_BLUE, 20.f);
  ICornerResizerControl* resizer = zoomed.GetCornerResizer();
  ASSERT_NE(resizer, nullptr);
  EXPECT_EQ(resizer->GetBounds(), IRECT(290, 190, 300, 200));
  EXPECT_EQ(resizer->GetHitRect(), resizer->GetBounds());
  EXPECT_EQ(resizer->GetInitialGraphicsBounds(), IRECT(0, 0, 300, 200));
  EXPECT_EQ(zoomed.GetCornerResizerMode(), 1);
  EXPECT_TRUE(zoomed.GetLayoutOnResize());
  zoomed.AttachCornerResizer(0, false);
  EXPECT_EQ(zoomed.GetCornerResizer(), resizer);
  EXPECT_EQ(zoomed.GetCornerResizerMode(), 1);
  log.clear();
  zoomed.AttachCornerResizer(new LoggingResizer(log));
  EXPECT_EQ(log, HookLog{"resizer.~"});
}
