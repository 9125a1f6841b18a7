#include "graphics/controls/IVKnobControl.h"
#include "graphics/controls/IVSlideSwitchControl.h"
#include "graphics/controls/IVSliderControl.h"
#include "graphics/controls/IVTabSwitchControl.h"
#include "graphics/controls/IVToggleControl.h"
#include "support/ui/GpuCanvasView.h"

// One frame with a control of each family, drawn through the drawing backend on the headless GPU
// and probed inside the shapes they fill; KELMO_TEST_PNG_DIR names a folder to write it to.

using namespace canvastest;

TEST(ControlPixels, OneControlOfEachFamily)
{
  // Opaque roles: background white, face grey, pressed blue, frame black, shadow dark grey, extra
  // red; no label, value, frame or shadow.
  IVStyle s;
  s.showLabel = s.showValue = s.drawFrame = s.drawShadows = false;
  s.colorSpec = {COLOR_WHITE,       IColor(255, 128, 128, 128), IColor(255, 0, 0, 255), IColor(255, 0, 0, 0),
                 COLOR_TRANSPARENT, IColor(255, 64, 64, 64),    IColor(255, 255, 0, 0)};
  const Pixel grey{128, 128, 128, 255}, dark{64, 64, 64, 255};
  GpuView v(300, 100);
  IControl* controls[] = {
      new IVKnobControl({0, 0, 80, 80}, -1, "", s, false, false, -135, 135, -135, EDirection::Vertical, 4, 4),
      new IVToggleControl({90, 0, 150, 30}, nullptr, "", s, "", "", true),
      new IVTabSwitchControl({90, 40, 180, 70}, nullptr, {"", "", ""}, "", s),
      new IVSlideSwitchControl({190, 0, 270, 20}, nullptr, "", s, false, EDirection::Horizontal, 2, 1),
      new IVSliderControl({190, 20, 230, 100}, -1, "", s, false, EDirection::Vertical)};
  for (IControl* c : controls) {
    v.g.AttachControl(c);
    if (c != controls[1] && c != controls[3]) c->SetValue(0.5);
  }
  v.Frame([&](ICanvas& g) {
    for (IControl* c : controls)
      c->Draw(g);
  });
  const PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest("controls");
  ExpectPixels(frame,
               {// Knob: arc radius 38 round (40, 40) from -135 over 9 o'clock to 12, none at 3 o'clock;
                // handle circle of radius 34; pointer up to 34 above the centre.
                {2, 40, kRed, 2},
                {77, 40, kWhite, 2},
                {40, 65, grey, 2},
                {40, 15, kBlack, 2},
                // Toggle on: pressed face to its corners.
                {120, 15, kBlue, 2},
                {91, 1, kBlue, 2},
                // Tabs 30 wide, the middle one selected.
                {105, 55, grey, 2},
                {135, 55, kBlue, 2},
                {165, 55, grey, 2},
                // Slide switch at state 1: dark track on the left half, the handle on the right.
                {210, 10, dark, 2},
                {250, 10, grey, 2},
                // Slider track (208, 28, 212, 92): red below the level 60, dark above; the handle on it.
                {210, 86, kRed, 2},
                {210, 34, dark, 2},
                {210, 60, grey, 2},
                {195, 60, kWhite, 2}},
               "controls");
}
