#include "graphics/control/IKnobControlBase.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <optional>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

struct Knob : IKnobControlBase
{
  explicit Knob(const IRECT& r) : IKnobControlBase(r, TD::kGain, EDirection::Vertical, 1.0) {}
  void Draw(ICanvas&) override { ++draws; }
  int draws = 0;
};

} // namespace

// One editor session as a host drives it: open and lay out, frames, a knob turned by the pointer
// while automation arrives, a value pushed by the host, close, and reopen.
TEST(EditorSession, OpenTurnAKnobTakeAHostValueCloseAndReopen)
{
  TD dlg;
  dlg.SetMakeGraphicsFunc([&dlg]() -> ICanvas* { return new RecordingCanvas(dlg, 899, 500); });
  dlg.SetLayoutFunc([](ICanvas* ui) {
    ui->AttachControl(new RecordingControl(IRECT(0, 0, 899, 500)));
    ui->AttachControl(new Knob(IRECT(100, 100, 140, 200)), 10);
  });
  auto knob = [&] { return static_cast<Knob*>(dlg.GetUI()->GetControlWithTag(10)); };
  ASSERT_NE(dlg.OpenWindow(&dlg), nullptr);
  ICanvas& ui = *dlg.GetUI();
  std::optional<FrameDriver> frames(std::in_place, ui);
  EXPECT_EQ(knob()->GetValue(0), 0.5); // the default, sent when the editor opened
  EXPECT_TRUE(frames->Tick());
  EXPECT_FALSE(frames->Tick()); // nothing changed: nothing drawn

  dlg.calls.clear();
  ui.OnMouseDown(Press(120, 150));
  ui.OnMouseDrag(Drag(120, 140, 0, -10));
  dlg.SendParameterValueFromDelegate(TD::kGain, 0.1, true); // automation does not fight the drag
  ui.OnMouseDrag(Drag(120, 130, 0, -10));
  ui.OnMouseUp(Press(120, 130));
  EXPECT_NEAR(knob()->GetValue(0), 0.7, 1e-12);
  EXPECT_NEAR(dlg.GetParam(TD::kGain)->Value(), 4.8, 1e-9);
  EXPECT_EQ((std::vector<size_t>{dlg.CallsNamed("Begin").size(), dlg.CallsNamed("Send").size(),
                                 dlg.CallsNamed("End").size()}),
            (std::vector<size_t>{1, 2, 1}));
  knob()->draws = 0;
  EXPECT_TRUE(frames->Tick());
  EXPECT_EQ(knob()->draws, 1);
  EXPECT_EQ(frames->lastDrawn, std::vector<IRECT>{IRECT(99, 99, 141, 201)}); // only the knob's area

  dlg.GetParam(TD::kGain)->Set(-6.0); // the host sets the parameter and shows it
  dlg.SendParameterValueFromDelegate(TD::kGain, -6.0, false);
  EXPECT_DOUBLE_EQ(knob()->GetValue(0), 0.25);
  ui.Resize(1000, 600, 1.25f, true);
  frames.reset();
  dlg.CloseWindow();

  ASSERT_NE(dlg.OpenWindow(&dlg), nullptr);
  EXPECT_EQ(dlg.CallsNamed("Layout").size(), 1u); // laid out afresh
  EXPECT_EQ(dlg.GetUI()->Width(), 1000);
  EXPECT_EQ(dlg.GetUI()->GetDrawScale(), 1.25f);
  EXPECT_DOUBLE_EQ(knob()->GetValue(0), 0.25);
  EXPECT_TRUE(FrameDriver(*dlg.GetUI()).Tick());
}
