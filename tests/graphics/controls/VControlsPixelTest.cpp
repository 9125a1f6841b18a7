#include "../renderer/canvas/CanvasVGTestSupport.h"
#include "graphics/controls/IVKnobControl.h"
#include "graphics/controls/IVSlideSwitchControl.h"
#include "graphics/controls/IVSliderControl.h"
#include "graphics/controls/IVTabSwitchControl.h"
#include "graphics/controls/IVToggleControl.h"

#include <functional>

// One frame per control family through the drawing backend on the headless GPU, probed inside the
// shapes the controls should fill; KELMO_TEST_PNG_DIR names a folder to write the frames to.

using namespace canvastest;

namespace {

// Opaque roles: background white, face grey, pressed blue, frame black, shadow dark grey, extra red;
// no label, value, frame or shadow.
IVStyle Vivid()
{
  IVStyle s;
  s.showLabel = s.showValue = s.drawFrame = s.drawShadows = false;
  s.colorSpec = {COLOR_WHITE,       IColor(255, 128, 128, 128), IColor(255, 0, 0, 255), IColor(255, 0, 0, 0),
                 COLOR_TRANSPARENT, IColor(255, 64, 64, 64),    IColor(255, 255, 0, 0)};
  return s;
}

} // namespace

TEST(ControlPixels, OneFramePerFamily)
{
  const Pixel white = kWhite, grey{128, 128, 128, 255}, blue = kBlue, black = kBlack, dark{64, 64, 64, 255},
              red = kRed;
  struct Case
  {
    const char* name;
    std::function<IControl*()> make;
    double value; // set after attaching; -1 keeps the constructed one
    std::initializer_list<Probe> probes;
  };
  const Case cases[] = {
      // Track radius (80 - 4) / 2 = 38 round (40, 40): the arc runs from -135 over 9 o'clock to 12;
      // the handle is a circle of radius 34 with the pointer up to 34 above the centre.
      {"knob",
       [] {
         return new IVKnobControl({0, 0, 80, 80}, -1, "", Vivid(), false, false, -135, 135, -135,
                                  EDirection::Vertical, 4, 4);
       },
       0.5,
       {{2, 40, red, 2}, {77, 40, white, 2}, {40, 65, grey, 2}, {40, 15, black, 2}}},
      {"toggle",
       [] {
         return new IVToggleControl({0, 0, 60, 30}, nullptr, "", Vivid(), "", "", true);
       },
       -1,
       {{30, 15, blue, 2}, {2, 2, blue, 2}}},
      // Three tabs 30 wide; the middle one selected.
      {"tabs",
       [] {
         return new IVTabSwitchControl({0, 0, 90, 30}, nullptr, {"", "", ""}, "", Vivid());
       },
       0.5,
       {{15, 15, grey, 2}, {45, 15, blue, 2}, {75, 15, grey, 2}}},
      // Two states, the handle on the right half over the dark track.
      {"slide switch",
       [] {
         return new IVSlideSwitchControl({0, 0, 80, 20}, nullptr, "", Vivid(), false, EDirection::Horizontal,
                                         2, 1);
       },
       -1,
       {{20, 10, dark, 2}, {60, 10, grey, 2}}},
      // Track (18, 8, 22, 72): red below the value's level 40, dark above; the handle circle on it.
      {"slider",
       [] {
         return new IVSliderControl({0, 0, 40, 80}, -1, "", Vivid(), false, EDirection::Vertical);
       },
       0.5,
       {{20, 66, red, 2}, {20, 14, dark, 2}, {20, 40, grey, 2}, {5, 40, white, 2}}}};
  for (const Case& c : cases) {
    GpuView v(100, 80);
    IControl* control = c.make();
    v.g.AttachControl(control);
    if (c.value >= 0) control->SetValue(c.value);
    v.Frame([&](ICanvas& g) { control->Draw(g); });
    const PixelProbe frame = v.ReadMain();
    frame.WritePngOnRequest(std::string("controls_") + c.name);
    ExpectPixels(frame, c.probes, c.name);
  }
}
