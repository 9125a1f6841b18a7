#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/controls/DrawnControls.h"
#include "graphics/controls/IBSwitchControl.h"
#include "graphics/controls/ISVGToggleControl.h"
#include "graphics/controls/IVColorSwatchControl.h"
#include "graphics/controls/IVRangeSliderControl.h"
#include "graphics/svg/SvgImage.h"
#include "support/ui/GpuCanvasView.h"
#include "support/ui/UiEvents.h"

// One frame per control family through the drawing backend on the headless GPU, probed;
// KELMO_TEST_PNG_DIR names a folder to write them to.

using namespace canvastest;

// A two-frame strip, red above blue, shown by a switch; a black square drawn by a toggle, blue
// (fill replacement) while on. Both change with a click.
TEST(LibraryControlPixels, BitmapSwitchAndSvgToggleFollowTheirValue)
{
  ResourceFolder folder;
  Png(folder, "redblue.png", 20, 40, [](int, int y) {
    return y < 20 ? std::array{255, 0, 0, 255} : std::array{0, 0, 255, 255};
  });
  SvgImage* square = SvgParse("<svg width='10' height='10'><rect width='10' height='10'/></svg>", "px", 96.f);
  GpuView v(100, 60);
  IControl* controls[] = {new IBSwitchControl(10, 10, v.g.LoadBitmap("redblue.png", 2, false)),
                          new ISVGToggleControl(IRECT(50, 10, 90, 50), nullptr, ISVG(square),
                                                {COLOR_BLACK, COLOR_BLUE, COLOR_BLACK, COLOR_BLUE},
                                                EColorReplacement::Fill)};
  for (IControl* c : controls)
    v.g.AttachControl(c);
  for (bool on : {false, true}) {
    if (on)
      for (IControl* c : controls)
        c->OnMouseDown(1, 1, LeftButton());
    v.Frame([&](ICanvas& g) {
      for (IControl* c : controls)
        c->Draw(g);
    });
    const PixelProbe frame = v.ReadMain();
    frame.WritePngOnRequest(on ? "controls_switch_toggle_on" : "controls_switch_toggle_off");
    ExpectPixels(
        frame,
        {{20, 20, on ? kBlue : kRed}, {31, 20, kClear}, {70, 30, on ? kBlue : kBlack}, {91, 30, kClear}},
        on ? "on" : "off");
  }
  SvgDelete(square);
}

// Swatch cells filled with their style colours; the span between two range-slider handles in the
// first extra colour; the frame-time display's white face, black outline and, for an empty ring
// in frames per second, a graph at full height.
TEST(LibraryControlPixels, SwatchRangeSliderAndFrameTimeDisplay)
{
  IVStyle style = Plain();
  style.colorSpec.SetColor(EVColor::Background, COLOR_RED);
  style.colorSpec.SetColor(EVColor::Foreground, COLOR_BLUE);
  style.colorSpec.SetColor(EVColor::Extra1, COLOR_BLUE);
  GpuView v(120, 100);
  IControl* controls[] = {
      new IVColorSwatchControl(IRECT(0, 0, 60, 30), "", nullptr, style, IVColorSwatchControl::kHorizontal,
                               {0, 1}),
      new IVRangeSliderControl(IRECT(0, 60, 100, 100), {-1, -1}, "", style, EDirection::Horizontal, 5, 4),
      new IFPSDisplayControl(IRECT(0, 30, 120, 60))};
  for (IControl* c : controls)
    v.g.AttachControl(c);
  controls[1]->SetValue(0.25, 0);
  controls[1]->SetValue(0.75, 1);
  v.Frame([&](ICanvas& g) {
    for (IControl* c : controls)
      c->Draw(g);
  });
  const PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest("controls_swatch_range_fps");
  // Cells (2, 2, 28, 28) and (32, 2, 58, 28); the display's outline half a pixel at x = 0 and its
  // graph over r = (2, 32, 118, 58) in grey 200 (probed clear of the texts); the slider's track
  // (5, 76, 95, 84) filled from x = 27.5 to 72.5 over its red background.
  ExpectPixels(frame,
               {{15, 15, kRed},
                {45, 15, kBlue},
                {30, 15, kClear},
                {0, 45, {128, 128, 128, 255}, 2},
                {110, 55, {200, 200, 200, 255}},
                {50, 80, kBlue},
                {15, 80, kRed}},
               "swatch, display and slider");
}
