#include "graphics/controls/DrawnControls.h"
#include "graphics/controls/IBButtonControl.h"
#include "graphics/controls/IBKnobControl.h"
#include "graphics/controls/IBKnobRotaterControl.h"
#include "graphics/controls/IBMeterControl.h"
#include "graphics/controls/IBSliderControl.h"
#include "graphics/controls/IBSwitchControl.h"
#include "graphics/controls/IBTextControl.h"
#include "support/ui/ResourceFolder.h"

#include <cmath>
#include <functional>
#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// A strip of w x h pixels at scale 1.
struct Strip
{
  Strip(int w, int h, int frames, bool horizontal = false, const char* name = "strip")
      : image(1, w, h, 1.f, 1.f), bitmap(&image, frames, horizontal, name)
  {}
  CountedBitmap image;
  IBitmap bitmap;
};

// Drawn calls: name, dest, source offset, strip size, weight.
using BitmapControls = DrawnControls<>;

} // namespace

// Frame trunc(v (N - 1) + 0.5) + 1, centred: a 60-frame strip shows 1, 31 and 60 at 0, 0.5 and
// 1; a 3-frame strip changes at 0.25. Knob, switch, button and meter alike.
TEST_F(BitmapControls, StripControlsDrawTheFrameForTheirValue)
{
  Strip sixty(48, 2880, 60), three(90, 30, 3, true), one(16, 16, 1);
  const IRECT r(0, 0, 100, 100);
  const std::function<IControl*(const IBitmap&)> makers[] = {
      [&](const IBitmap& b) { return new IBKnobControl(r, b, -1, EDirection::Vertical, 4.0); },
      [&](const IBitmap& b) { return new IBSwitchControl(r, b); },
      [&](const IBitmap& b) { return new IBButtonControl(r, b); },
      [&](const IBitmap& b) { return new IBMeterControl(50.f - b.FW() / 2.f, 50.f - b.FH() / 2.f, b); }};
  const std::tuple<const IBitmap*, double, const char*> cases[] = {
      {&sixty.bitmap, 0.0, "26,26,74,74,0,0,48,2880"},    {&sixty.bitmap, 0.5, "26,26,74,74,0,1440,48,2880"},
      {&sixty.bitmap, 1.0, "26,26,74,74,0,2832,48,2880"}, {&three.bitmap, 0.2499, "35,35,65,65,0,0,90,30"},
      {&three.bitmap, 0.25, "35,35,65,65,30,0,90,30"},    {&one.bitmap, 0.9, "42,42,58,58,0,0,16,16"}};
  for (const auto& make : makers) {
    for (const auto& [bitmap, value, drawn] : cases) {
      IControl* c = Attach(make(*bitmap));
      c->SetValue(value);
      EXPECT_EQ(Drawn(c), "DrawBitmap" + std::string(drawn) + ",1'strip'") << value << " " << g.NControls();
    }
    EXPECT_EQ(Drawn(Attach(make(IBitmap()))), ""); // an empty bitmap draws nothing
  }
  // A press shows a button's last frame until its click animation ends; disabled: a quarter.
  auto* button = Attach(new IBButtonControl(0, 0, three.bitmap));
  button->OnMouseDown(5, 5, LeftButton());
  const std::string pressed = Drawn(button);
  button->OnEndAnimation();
  button->SetDisabled(true);
  EXPECT_EQ(pressed + " " + Drawn(button), "DrawBitmap0,0,30,30,60,0,90,30,1'strip' "
                                           "DrawBitmap0,0,30,30,0,0,90,30,0.25'strip'");
}

// Forms with x, y put one frame there; forms with a rectangle centre one frame in it, spilling
// over when the frame is larger. Sliders are len long and as thick as the handle.
TEST_F(BitmapControls, PlacementFromAPointOrARectangle)
{
  Strip bypass(43, 56, 2), save(16, 16, 1), nuppi(128, 128, 1), meter(200, 20, 10, true), handle(10, 20, 1),
      big(40, 40, 1);
  auto* h = Attach(new IBSliderControl(3, 4, 100, handle.bitmap, IBitmap(), -1, EDirection::Horizontal));
  auto* v = Attach(new IBSliderControl(3, 4, 100, handle.bitmap));
  const IControl* controls[] = {Attach(new IBSwitchControl(425, 349, bypass.bitmap, 0)),
                                Attach(new IBSwitchControl(IRECT(0, 0, 100, 100), bypass.bitmap)),
                                Attach(new IBSwitchControl(IRECT(0, 0, 10, 10), big.bitmap)),
                                Attach(new IBButtonControl(605, 5, save.bitmap, nullptr)),
                                Attach(new IBMeterControl(5, 6, meter.bitmap)),
                                Attach(new IBKnobRotaterControl(19, 53, nuppi.bitmap, 1)),
                                h,
                                v};
  std::string placed;
  for (const IControl* c : controls)
    placed += Rects({c->GetBounds()}) + " ";
  EXPECT_EQ(placed, "425,349,468,377 28.5,36,71.5,64 -15,-15,25,25 605,5,621,21 5,6,25,26 19,53,147,181 "
                    "3,4,103,24 3,4,13,104 ");
  EXPECT_TRUE(h->GetHandleSize() == 10.f && v->GetHandleSize() == 20.f);
}

// The step is 1/(N - 1) of the strip (1 without frames), whatever the state count; past 1.001
// the value wraps to 0 (ten tenths add up to just under 1), and a strip with a finer step than
// that still wraps after its last frame.
TEST_F(BitmapControls, SwitchStepsThroughItsFramesAndWraps)
{
  const std::tuple<int, double, std::vector<double>> cases[] = {
      {2, 1.0, {0.0, 1.0}}, {3, 0.0, {0.5, 1.0, 0.0}}, {1, 0.0, {1.0, 0.0}},
      {0, 0.0, {1.0, 0.0}}, {11, 0.9, {1.0, 0.0}},     {3001, 1.0, {0.0}}};
  for (const auto& [frames, start, after] : cases) {
    Strip strip(10, 10 * std::max(frames, 1), frames);
    auto* sw = Attach(new IBSwitchControl(0, 0, strip.bitmap, TestEditorDelegate::kMode)); // 3 states
    ASSERT_EQ(sw->GetNumStates(), 3);
    sw->SetValue(frames == 11 ? 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 : start);
    for (double want : after) {
      sw->OnMouseDown(1, 1, RightButton()); // any button
      EXPECT_NEAR(sw->GetValue(), want, 1e-9) << frames << " frames";
    }
  }
  EXPECT_EQ(dlg.CallsNamed("Send").back().index, TestEditorDelegate::kMode);
}

// value x 260 - 130 degrees about the bounds' centre (-130, upright, +130); the whole picture.
TEST_F(BitmapControls, RotaterTurnsTheWholePicture)
{
  Strip nuppi(128, 256, 2); // frames are not used
  auto* knob = Attach(new IBKnobRotaterControl(19, 53, nuppi.bitmap, 1));
  EXPECT_TRUE(knob->GetDirection() == EDirection::Vertical && knob->GetGearing() == 4.0);
  for (const double value : {0.0, 0.5, 1.0}) {
    knob->SetValue(value);
    EXPECT_EQ(Drawn(knob, {"PathTransformSetMatrix"}), "DrawBitmap-64,-128,64,128,0,0,128,256,1'strip'");
    const auto m = g.CallsNamed("PathTransformSetMatrix").at(1).args; // translated, then rotated
    EXPECT_NEAR(std::atan2(m[1], m[0]) * 180.0 / M_PI, value * 260.0 - 130.0, 1e-4);
    EXPECT_TRUE(std::fabs(m[4] - 83) < 1e-4 && std::fabs(m[5] - 117) < 1e-4);
  }
}

// The level is the float at byte 16 of a 20-byte record; a shorter message counts as level 0.
// Log: 8.6859 ln|level| + |low| over |high - low| (-60..12 dB here: 0 dB is 60/72); linear: the
// level limited to 0..1.
TEST_F(BitmapControls, MeterTurnsLevelMessagesIntoValues)
{
  Strip strip(10, 100, 10);
  auto* log = Attach(new IBMeterControl(0, 0, strip.bitmap));
  auto* lin = Attach(new IBMeterControl(0, 0, strip.bitmap, IBMeterControl::kLinear));
  auto* flat = Attach(new IBMeterControl(0, 0, strip.bitmap, IBMeterControl::kLog, 0.f, 0.f));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // {meter, tag, size, channels, level, value (-1: unchanged from 0.3), redrawn}
  const std::tuple<IBMeterControl*, int, int, int, float, double, bool> cases[] = {
      {log, 0, 20, 1, 1.f, 60.0 / 72.0, true},
      {log, 0, 20, 1, -0.5f, (20 * std::log10(0.5) + 60) / 72, true}, // the magnitude counts
      {log, 0, 20, 1, 3.981072f, 1.0, true},                          // +12 dB
      {log, 0, 20, 1, nan, 0.0, true},
      {log, 0, 20, 1, 0.f, 0.0, true}, // silence is the floor, not minus infinity
      {lin, 0, 20, 1, 0.4f, 0.4, true},
      {lin, 0, 20, 1, 1.5f, 1.0, true},
      {flat, 0, 20, 1, 2.f, 1.0, true}, // a range of zero is not divided by
      {flat, 0, 20, 1, 0.5f, 0.0, true},
      {lin, 0, 20, 0, 0.4f, -1, true},  // no channels: value kept, still redrawn
      {lin, 0, 19, 1, 0.4f, 0.0, true}, // short: level 0, nothing of it read
      {log, 0, 16, 1, 1.f, 0.0, true},  // the 16-byte record the editor's meters take
      {lin, 0, 0, 1, 0.4f, 0.0, true},
      {lin, 1, 20, 1, 0.4f, -1, false}, // another tag: ignored
  };
  for (const auto& [meter, tag, size, channels, level, value, redrawn] : cases) {
    IBMeterControl::Record record{-1, channels, 0, {0.9f, level}};
    meter->SetValue(0.3);
    meter->SetClean();
    meter->OnMsgFromDelegate(tag, size, &record);
    EXPECT_NEAR(meter->GetValue(), value < 0 ? 0.3 : value, 1e-5) << level << " tag " << tag;
    EXPECT_EQ(meter->GetNeedsRedraw(), redrawn) << level;
  }
  // No data at all reads as a short message; a disabled meter takes nothing.
  lin->SetValue(0.3);
  lin->OnMsgFromDelegate(0, 20, nullptr);
  EXPECT_EQ(lin->GetValue(), 0.0);
  lin->SetValue(0.3);
  lin->SetDisabled(true);
  IBMeterControl::Record loud{-1, 1, 0, {1.f, 1.f}};
  lin->OnMsgFromDelegate(0, 20, &loud);
  lin->OnMsgFromDelegate(0, 4, &loud);
  EXPECT_EQ(lin->GetValue(), 0.3);
}

// The handle's frame rests on the track's top (1) or bottom (0) when vertical, left (0) or right
// (1) when horizontal; the track is the track picture centred, else a strip through the middle.
TEST_F(BitmapControls, SliderHandleEndsAndTrack)
{
  Strip handle(10, 20, 1, false, "handle"), track(14, 120, 1, false, "track");
  auto* v = Attach(new IBSliderControl(IRECT(0, 0, 20, 100), handle.bitmap, track.bitmap));
  auto* h = Attach(new IBSliderControl(0, 0, 100, handle.bitmap, IBitmap(), -1, EDirection::Horizontal, 1.0));
  auto* bare = Attach(new IBSliderControl(IRECT(0, 0, 40, 100), handle.bitmap));
  EXPECT_EQ(Rects({v->GetTrackBounds(), h->GetTrackBounds(), bare->GetTrackBounds(), v->GetHandleBounds(1.0),
                   v->GetHandleBounds(0.0), h->GetHandleBounds(0.0), h->GetHandleBounds(1.0)}),
            "3,-10,17,110 0,0,100,20 15,0,25,100 3,-10,13,10 3,90,13,110 0,0,10,20 90,0,100,20");
  v->OnMouseDown(10, 50, LeftButton()); // snaps along the track: (110 - 50) / 120 of the way up
  v->OnMouseUp(10, 50, LeftButton());
  EXPECT_EQ(Drawn(v), "DrawBitmap3,-10,17,110,0,0,14,120,1'track' DrawBitmap3,40,13,60,0,0,10,20,1'handle'");
}

// The strip is reloaded by name at the screen scale rounded up (also by the text control, which
// has no value to draw); the slider keeps its track picture. The text control draws glyph frames
// max(char, 32) - 31, cells centred as a line, no background, with the blend method given.
TEST_F(BitmapControls, RescaleReloadsTheStripAtTheScreenScale)
{
  ResourceFolder folder;
  for (const char* name : {"s.png", "s@2x.png", "t.png", "t@2x.png"})
    folder.Write(name);
  const IBitmap strip = g.LoadBitmap("s.png", 2, false, 1), track = g.LoadBitmap("t.png", 1, false, 1);
  auto* slider = Attach(new IBSliderControl(IRECT(0, 0, 9, 9), strip, track));
  auto* text =
      Attach(new IBTextControl(IRECT(0, 0, 80, 60), strip, DEFAULT_TEXT, "A!", 10, 20, 0, false, true, 8));
  auto* meter = Attach(new IBMeterControl(0, 0, strip));
  g.SetScreenScale(1.5f);
  EXPECT_EQ(Nums({slider->GetBitmap().GetScale(), slider->GetTrackBitmap().GetScale(),
                  text->GetBitmap().GetScale(), meter->GetBitmap().GetScale()}),
            "2,1,2,2");
  // 'A' is frame 34 of 2 (clamped), '!' frame 2; lines of 2 x 10 centred in 80 x 60.
  EXPECT_EQ(Drawn(text),
            "DrawBitmap30,20,40,40,0,25,100,50,1's.png' DrawBitmap40,20,50,40,0,25,100,50,1's.png'");
  EXPECT_TRUE(text->GetBlend()->mMethod == EBlend::Add && text->GetIgnoreMouse());
}

// A vertical strip 48 x 2880 of 60 frames has 48 x 48 frames: a knob placed on (0, 0, 100, 100)
// gets (26, 26, 74, 74), draws its value's frame there, and keeps all that at another scale.
TEST(BitmapKnobControl, IsOneFrameCentredAndDrawsItsValuesFrame)
{
  ResourceFolder folder;
  folder.Write("knob.png");
  folder.Write("knob@2x.png");
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  g.bitmapWidth = 48;
  g.bitmapHeight = 2880;
  auto* knob = new IBKnobControl(IRECT(0, 0, 100, 100), g.LoadBitmap("knob.png", 60, false, 1),
                                 TestEditorDelegate::kGain, EDirection::Vertical, 4.0);
  EXPECT_TRUE(knob->GetHitRect() == IRECT(26, 26, 74, 74) && knob->GetHidePointer() &&
              knob->GetGearing() == 4.0);
  g.AttachControl(knob);
  knob->SetValue(0.5);
  knob->SetBlend(BLEND_25);
  g.ClearCalls();
  knob->Draw(g); // frame 31: 2880 x 30 / 60 = 1440 down the strip
  g.SetScreenScale(2.f);
  knob->Draw(g);
  EXPECT_EQ(Trace(g.CallsNamed("DrawBitmap")), "DrawBitmap26,26,74,74,0,1440,48,2880,0.25'knob.png' "
                                               "DrawBitmap26,26,74,74,0,1440,48,2880,0.25'knob.png'");
  EXPECT_EQ(knob->GetBitmap().GetScale(), 2.f);

  // Without a bitmap the knob collapses to the centre and draws nothing; a bitmap that cannot be
  // loaded again (no resource name) is kept on a rescale.
  auto* empty = new IBKnobControl(IRECT(0, 0, 100, 50), IBitmap(), -1, EDirection::Horizontal, 1.0);
  EXPECT_EQ(empty->GetBounds(), IRECT(50, 25, 50, 25));
  CountedBitmap image(9, 96, 96, 2.f, 1.f);
  auto* unnamed =
      new IBKnobControl(IRECT(0, 0, 100, 100), IBitmap(&image, 1, false), -1, EDirection::Vertical, 1.0);
  g.AttachControl(empty);
  g.AttachControl(unnamed);
  g.SetScreenScale(3.f);
  g.ClearCalls();
  empty->Draw(g);
  unnamed->SetValue(0.9); // a single frame: always frame 1
  unnamed->Draw(g);
  EXPECT_EQ(Trace(g.CallsNamed("DrawBitmap")), "DrawBitmap26,26,74,74,0,0,48,48,1");
}
