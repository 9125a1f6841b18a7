#include "graphics/IBKnobControl.h"
#include "graphics/ShapeCanvas.h"
#include "graphics/Trace.h"
#include "graphics/controls/IBButtonControl.h"
#include "graphics/controls/IBKnobRotaterControl.h"
#include "graphics/controls/IBMeterControl.h"
#include "graphics/controls/IBSliderControl.h"
#include "graphics/controls/IBSwitchControl.h"
#include "graphics/controls/IBTextControl.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// A renderer image of w x h pixels at scale 1.
struct Strip
{
  Strip(int w, int h, int frames, bool horizontal, const char* name = "strip")
      : image(1, w, h, 1.f, 1.f), bitmap(&image, frames, horizontal, name)
  {}
  CountedBitmap image;
  IBitmap bitmap;
};

class BitmapControls : public ::testing::Test
{
protected:
  template <class T> T* Attach(T* c) { return g.AttachControl(c), c; }
  // The DrawBitmap calls of one draw of c.
  std::string Drawn(IControl* c)
  {
    g.ClearCalls();
    c->Draw(g);
    return Trace(g.CallsNamed("DrawBitmap"));
  }
  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
};

} // namespace

// Frame i + 1 for i = trunc(v (N - 1) + 0.5): a 60-frame strip shows 1, 31 and 60 at 0, 0.5 and 1;
// a 3-frame strip changes frame at 0.25 and 0.75. Knob, switch, button and meter alike.
TEST_F(BitmapControls, EveryStripControlDrawsTheFrameForItsValue)
{
  Strip knobStrip(48, 2880, 60, false), threeStrip(90, 30, 3, true), one(16, 16, 1, false);
  const std::function<IControl*(const IBitmap&)> makers[] = {
      [](const IBitmap& b) {
        return new IBKnobControl(IRECT(0, 0, 100, 100), b, -1, EDirection::Vertical, 4.0);
      },
      [](const IBitmap& b) { return new IBSwitchControl(IRECT(0, 0, 100, 100), b); },
      [](const IBitmap& b) { return new IBButtonControl(IRECT(0, 0, 100, 100), b); },
      [](const IBitmap& b) { return new IBMeterControl(50.f - b.FW() / 2.f, 50.f - b.FH() / 2.f, b); }};
  // {strip, value, drawn: dest rectangle, source offset, strip size, weight}
  const std::tuple<const IBitmap*, double, const char*> cases[] = {
      {&knobStrip.bitmap, 0.0, "26,26,74,74,0,0,48,2880,1"},
      {&knobStrip.bitmap, 0.5, "26,26,74,74,0,1440,48,2880,1"}, // 29.5 + 0.5 truncates to 30
      {&knobStrip.bitmap, 1.0, "26,26,74,74,0,2832,48,2880,1"},
      {&threeStrip.bitmap, 0.2499, "35,35,65,65,0,0,90,30,1"},
      {&threeStrip.bitmap, 0.25, "35,35,65,65,30,0,90,30,1"},
      {&threeStrip.bitmap, 0.7499, "35,35,65,65,30,0,90,30,1"},
      {&threeStrip.bitmap, 0.75, "35,35,65,65,60,0,90,30,1"},
      {&one.bitmap, 0.9, "42,42,58,58,0,0,16,16,1"}};
  for (const auto& make : makers)
    for (const auto& [bitmap, value, drawn] : cases) {
      IControl* c = Attach(make(*bitmap));
      c->SetValue(value);
      EXPECT_EQ(Drawn(c), std::string("DrawBitmap") + drawn + "'strip'")
          << value << " control " << g.NControls();
    }
  // Disabled controls draw at a quarter; an empty bitmap draws nothing.
  IControl* knob = Attach(makers[0](knobStrip.bitmap));
  knob->SetDisabled(true);
  EXPECT_EQ(Drawn(knob), "DrawBitmap26,26,74,74,0,0,48,2880,0.25'strip'");
  for (const auto& make : makers)
    EXPECT_EQ(Drawn(Attach(make(IBitmap()))), "");
}

// Forms with x, y put one frame there; forms with a rectangle centre one frame in it, spilling
// over when the frame is larger.
TEST_F(BitmapControls, PlacementFromAPointOrARectangle)
{
  Strip bypass(43, 56, 2, false), save(16, 16, 1, false), nuppi(128, 128, 1, false), meter(200, 20, 10, true),
      handle(10, 20, 1, false), big(40, 40, 1, false);
  auto* rotater = new IBKnobRotaterControl(19, 53, nuppi.bitmap, 1);
  const std::unique_ptr<IControl> controls[] = {
      std::make_unique<IBSwitchControl>(425, 349, bypass.bitmap, 0),
      std::make_unique<IBSwitchControl>(IRECT(0, 0, 100, 100), bypass.bitmap, 0),
      std::make_unique<IBSwitchControl>(IRECT(0, 0, 10, 10), big.bitmap),
      std::make_unique<IBButtonControl>(605, 5, save.bitmap, nullptr),
      std::unique_ptr<IControl>(rotater),
      std::make_unique<IBMeterControl>(5, 6, meter.bitmap),
      std::make_unique<IBSliderControl>(3, 4, 100, handle.bitmap, IBitmap(), -1, EDirection::Horizontal),
      std::make_unique<IBSliderControl>(3, 4, 100, handle.bitmap, IBitmap(), -1, EDirection::Vertical)};
  std::string placed;
  for (const auto& c : controls)
    placed += Nums({c->GetBounds().L, c->GetBounds().T, c->GetBounds().R, c->GetBounds().B}) + " ";
  EXPECT_EQ(placed, "425,349,468,377 28.5,36,71.5,64 -15,-15,25,25 605,5,621,21 19,53,147,181 5,6,25,26 "
                    "3,4,103,24 3,4,13,104 ");
  EXPECT_TRUE(rotater->GetDirection() == EDirection::Vertical && rotater->GetGearing() == 4.0);
  rotater->SetGearing(32.0); // the editor's fine knobs
  EXPECT_EQ(rotater->GetGearing(), 32.0);
  EXPECT_EQ(static_cast<IBSliderControl&>(*controls[6]).GetHandleSize(), 10.f);
  EXPECT_EQ(static_cast<IBSliderControl&>(*controls[7]).GetHandleSize(), 20.f);
}

// The step is 1/(N - 1) of the strip (1 without frames), whatever the state count; past 1.001 the
// value wraps to 0, and a strip finer than that still wraps after its last frame.
TEST_F(BitmapControls, SwitchStepsThroughItsFramesAndWraps)
{
  struct Case
  {
    int frames;
    double start;
    std::vector<double> after; // value after each click
  };
  std::vector<double> eleven;
  for (int i = 1; i <= 10; ++i)
    eleven.push_back(i / 10.0);
  eleven.push_back(0.0); // ten tenths add up to just about 1; the next click is above 1.001
  const Case cases[] = {{2, 1.0, {0.0, 1.0}}, {3, 0.0, {0.5, 1.0, 0.0}}, {1, 0.0, {1.0, 0.0}},
                        {0, 0.0, {1.0, 0.0}}, {11, 0.0, eleven},         {3001, 1.0, {0.0}}};
  for (const Case& c : cases) {
    Strip strip(10, 10 * std::max(c.frames, 1), c.frames, false);
    // Bound to the three-valued Mode: the state count becomes 3, the step stays the strip's.
    auto* sw = Attach(new IBSwitchControl(0, 0, strip.bitmap, TestEditorDelegate::kMode));
    ASSERT_EQ(sw->GetNumStates(), 3);
    sw->SetValue(c.start);
    for (double want : c.after) {
      sw->OnMouseDown(1, 1, RightButton()); // any button
      EXPECT_NEAR(sw->GetValue(), want, 1e-9) << c.frames << " frames";
    }
  }
  // Each click sends the value to the parameter.
  EXPECT_EQ(dlg.CallsNamed("Send").back().index, TestEditorDelegate::kMode);
}

// value x 260 - 130 degrees about the bounds' centre: -130 at 0, upright at 0.5, +130 at 1; the
// whole picture, centred on the origin of the rotation.
TEST_F(BitmapControls, RotaterTurnsTheWholePicture)
{
  Strip nuppi(128, 256, 2, false); // frames are not used
  auto* knob = Attach(new IBKnobRotaterControl(19, 53, nuppi.bitmap, 1));
  for (const double value : {0.0, 0.5, 1.0}) {
    knob->SetValue(value);
    g.ClearCalls();
    knob->Draw(g);
    const auto matrices = g.CallsNamed("PathTransformSetMatrix");
    ASSERT_GE(matrices.size(), 2u);
    const auto& m = matrices[1].args; // translated to the centre, then rotated
    EXPECT_NEAR(std::atan2(m[1], m[0]) * 180.0 / M_PI, value * 260.0 - 130.0, 1e-4);
    EXPECT_NEAR(m[4], 19 + 64, 1e-4);
    EXPECT_NEAR(m[5], 53 + 64, 1e-4);
    EXPECT_EQ(Trace(g.CallsNamed("DrawBitmap")), "DrawBitmap-64,-128,64,128,0,0,128,256,1'strip'");
  }
}

// Press: value 1 (frame 2) and the action; the end of the click animation: frame 1.
TEST_F(BitmapControls, ButtonShowsItsPressedFrameUntilTheAnimationEnds)
{
  Strip strip(20, 40, 2, false);
  int actions = 0;
  auto* button = Attach(new IBButtonControl(0, 0, strip.bitmap, [&](IControl* c) {
    ++actions;
    IControl::DefaultClickAction(c);
  }));
  button->OnMouseDown(5, 5, LeftButton());
  const std::string pressed = Drawn(button);
  button->OnEndAnimation();
  EXPECT_EQ(pressed + " | " + Drawn(button),
            "DrawBitmap0,0,20,20,0,20,20,40,1'strip' | DrawBitmap0,0,20,20,0,0,20,40,1'strip'");
  EXPECT_EQ(actions, 1);
}

// The level is the float at byte 16 of a 20-byte record. Log: 8.6859 ln|level| + |low| over
// |high - low| (-60..12 dB here, so 0 dB is 60/72); linear: the level limited to 0..1.
TEST_F(BitmapControls, MeterTurnsLevelMessagesIntoValues)
{
  Strip strip(10, 100, 10, false);
  auto* log = Attach(new IBMeterControl(0, 0, strip.bitmap));
  auto* lin = Attach(new IBMeterControl(0, 0, strip.bitmap, IBMeterControl::kLinear));
  auto* flat = Attach(new IBMeterControl(0, 0, strip.bitmap, IBMeterControl::kLog, 0.f, 0.f));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case
  {
    IBMeterControl* meter;
    int tag, size, channels;
    float level;
    double value; // -1: unchanged from 0.3
    bool redrawn;
  };
  const Case cases[] = {
      {log, 0, 20, 1, 1.f, 60.0 / 72.0, true},
      {log, 0, 20, 1, -0.5f, (20 * std::log10(0.5) + 60) / 72, true}, // the magnitude counts
      {log, 0, 20, 1, 3.981072f, 1.0, true},                          // +12 dB
      {log, 0, 20, 1, 100.f, 1.0, true},
      {log, 0, 20, 1, 0.001f, 0.0, true}, // -60 dB
      {log, 0, 20, 1, 0.f, 0.0, true},
      {log, 0, 20, 1, nan, 0.0, true},
      {lin, 0, 20, 1, 0.4f, 0.4, true},
      {lin, 0, 20, 1, 1.5f, 1.0, true},
      {lin, 0, 20, 1, -0.2f, 0.0, true},
      {lin, 0, 20, 1, nan, 0.0, true},
      {flat, 0, 20, 1, 2.f, 1.0, true}, // a range of zero is not divided by
      {flat, 0, 20, 1, 0.5f, 0.0, true},
      {lin, 0, 20, 0, 0.4f, -1, true},  // no channels: value kept, still redrawn
      {lin, 0, 19, 1, 0.4f, -1, false}, // short: ignored
      {lin, 1, 20, 1, 0.4f, -1, false}, // another tag: ignored
  };
  for (const Case& c : cases) {
    IBMeterControl::Record record;
    record.mNChans = c.channels;
    record.mEntry[0] = 0.9f; // not the level
    record.mEntry[1] = c.level;
    c.meter->SetValue(0.3);
    c.meter->SetClean();
    c.meter->OnMsgFromDelegate(c.tag, c.size, &record);
    EXPECT_NEAR(c.meter->GetValue(), c.value < 0 ? 0.3 : c.value, 1e-5) << c.level << " tag " << c.tag;
    EXPECT_EQ(c.meter->GetNeedsRedraw(), c.redrawn) << c.level;
  }
  lin->SetDisabled(true);
  lin->SetValue(0.3);
  IBMeterControl::Record loud;
  loud.mEntry[1] = 1.f;
  lin->OnMsgFromDelegate(0, 20, &loud);
  lin->OnMsgFromDelegate(0, 20, nullptr);
  EXPECT_EQ(lin->GetValue(), 0.3);
}

// The handle's frame rests on the track's top (1) or bottom (0) when vertical, left (0) or right
// (1) when horizontal; the track is the track picture centred, else a strip through the middle.
TEST_F(BitmapControls, SliderHandleEndsAndTrack)
{
  Strip handle(10, 20, 1, false, "handle"), track(14, 120, 1, false, "track");
  auto* vertical = Attach(new IBSliderControl(IRECT(0, 0, 20, 100), handle.bitmap, track.bitmap));
  auto* horizontal =
      Attach(new IBSliderControl(0, 0, 100, handle.bitmap, IBitmap(), -1, EDirection::Horizontal, 1.0));
  auto* bare = Attach(new IBSliderControl(IRECT(0, 0, 40, 100), handle.bitmap));
  auto nums = [](const IRECT& r) { return Nums({r.L, r.T, r.R, r.B}); };
  EXPECT_EQ(nums(vertical->GetTrackBounds()) + " " + nums(horizontal->GetTrackBounds()) + " " +
                nums(bare->GetTrackBounds()),
            "3,-10,17,110 0,0,100,20 15,0,25,100");
  EXPECT_EQ(nums(vertical->GetHandleBounds(1.0)) + " " + nums(vertical->GetHandleBounds(0.0)) + " " +
                nums(horizontal->GetHandleBounds(0.0)) + " " + nums(horizontal->GetHandleBounds(1.0)),
            "3,-10,13,10 3,90,13,110 0,0,10,20 90,0,100,20");
  // A press snaps along the track: y = 50 is (110 - 50) / 120 of the way up.
  vertical->OnMouseDown(10, 50, LeftButton());
  vertical->OnMouseUp(10, 50, LeftButton());
  EXPECT_DOUBLE_EQ(vertical->GetValue(), 0.5);
  EXPECT_EQ(Drawn(vertical),
            "DrawBitmap3,-10,17,110,0,0,14,120,1'track' DrawBitmap3,40,13,60,0,0,10,20,1'handle'");
}

// Glyph frame = max(char, 32) - 31 of a 95-frame strip; cells centred as a line; no background.
TEST_F(BitmapControls, TextDrawsCharacterFrames)
{
  Strip glyphs(570, 12, 95, true, "font");
  auto* text = Attach(new IBTextControl(IRECT(0, 0, 100, 20), glyphs.bitmap, DEFAULT_TEXT, "A!", 6, 12, 0,
                                        false, true, static_cast<int>(EBlend::Add)));
  g.ClearCalls();
  text->Draw(g);
  EXPECT_EQ(Trace(g.calls),
            "DrawBitmap44,4,50,16,198,0,570,12,1'font' DrawBitmap50,4,56,16,6,0,570,12,1'font'");
  EXPECT_TRUE(text->GetBlend()->mMethod == EBlend::Add && text->GetIgnoreMouse());
  text->SetStr("");
  EXPECT_EQ(Drawn(text), "");
}

// Attached, and again when the screen scale changes, each control reloads its strip by name at
// the scale rounded up; the slider keeps its track picture.
TEST_F(BitmapControls, RescaleReloadsTheStripAtTheScreenScale)
{
  ResourceFolder folder;
  for (const char* name : {"s.png", "s@2x.png", "t.png", "t@2x.png"})
    folder.Write(name);
  const IBitmap strip = g.LoadBitmap("s.png", 2, false, 1), track = g.LoadBitmap("t.png", 1, false, 1);
  IBitmapBase* bases[] = {Attach(new IBSwitchControl(0, 0, strip)), Attach(new IBButtonControl(0, 0, strip)),
                          Attach(new IBTextControl(IRECT(0, 0, 9, 9), strip)),
                          Attach(new IBSliderControl(IRECT(0, 0, 9, 9), strip, track))};
  auto* meter = Attach(new IBMeterControl(0, 0, strip));
  g.SetScreenScale(1.5f);
  for (IBitmapBase* b : bases)
    EXPECT_EQ(b->GetBitmap().GetScale(), 2.f);
  EXPECT_EQ(meter->GetBitmap().GetScale(), 2.f);
  EXPECT_EQ(static_cast<IBSliderControl*>(bases[3])->GetTrackBitmap().GetScale(), 1.f);
}
