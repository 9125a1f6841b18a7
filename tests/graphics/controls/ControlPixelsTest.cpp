#include "graphics/controls/IBSwitchControl.h"
#include "graphics/controls/IFPSDisplayControl.h"
#include "graphics/controls/ISVGToggleControl.h"
#include "graphics/controls/IVColorSwatchControl.h"
#include "graphics/controls/IVRangeSliderControl.h"
#include "graphics/controls/StyleAndRects.h"
#include "graphics/renderer/canvas/CanvasVGTestSupport.h"
#include "graphics/svg/SvgImage.h"
#include "support/ui/UiEvents.h"

// One frame per control family through the drawing backend on the headless GPU, probed;
// KELMO_TEST_PNG_DIR names a folder to write them to.

using namespace canvastest;

namespace {

// c attached to v and drawn in one frame.
PixelProbe Drawn(GpuView& v, IControl* c, const char* png)
{
  v.Frame([&](ICanvas& g) { c->Draw(g); });
  PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest(png);
  return frame;
}

} // namespace

// A two-frame strip, red above blue: the switch shows red, then blue after a click.
TEST(ControlPixels, BitmapSwitchShowsTheFrameOfItsValue)
{
  ResourceFolder folder;
  Png(folder, "redblue.png", 20, 40, [](int, int y) {
    return y < 20 ? std::array{255, 0, 0, 255} : std::array{0, 0, 255, 255};
  });
  GpuView v(60, 60);
  auto* sw = new IBSwitchControl(10, 10, v.g.LoadBitmap("redblue.png", 2, false));
  v.g.AttachControl(sw);
  ExpectPixels(Drawn(v, sw, "controls_bswitch_off"), {{20, 20, kRed}, {5, 5, kClear}, {31, 20, kClear}},
               "off");
  sw->OnMouseDown(20, 20, LeftButton());
  ExpectPixels(Drawn(v, sw, "controls_bswitch_on"), {{20, 20, kBlue}, {29, 29, kBlue}}, "on");
}

// A black square drawn blue while on (fill replacement), its own colour while off.
TEST(ControlPixels, SvgToggleReplacesTheFill)
{
  SvgImage* square = SvgParse("<svg width='10' height='10'><rect width='10' height='10'/></svg>", "px", 96.f);
  GpuView v(60, 60);
  auto* toggle =
      new ISVGToggleControl(IRECT(10, 10, 50, 50), nullptr, ISVG(square),
                            {COLOR_BLACK, COLOR_BLUE, COLOR_BLACK, COLOR_BLUE}, EColorReplacement::Fill);
  v.g.AttachControl(toggle);
  ExpectPixels(Drawn(v, toggle, "controls_svg_off"), {{30, 30, kBlack}, {5, 30, kClear}}, "off");
  toggle->SetValue(1.0);
  ExpectPixels(Drawn(v, toggle, "controls_svg_on"), {{30, 30, kBlue}, {49, 49, kBlue}, {51, 30, kClear}},
               "on");
  SvgDelete(square);
}

// The span between two range-slider handles in the first extra colour, the track beyond it not.
TEST(ControlPixels, RangeSliderFillsTheSpanBetweenItsHandles)
{
  IVStyle style = PlainStyle();
  style.colorSpec.SetColor(EVColor::Extra1, COLOR_RED);
  GpuView v(100, 40);
  auto* range =
      new IVRangeSliderControl(IRECT(0, 0, 100, 40), {-1, -1}, "", style, EDirection::Horizontal, 5, 4);
  v.g.AttachControl(range);
  range->SetValue(0.25, 0);
  range->SetValue(0.75, 1);
  // Track (5, 16, 95, 24): the span runs from x = 27.5 to 72.5.
  ExpectPixels(Drawn(v, range, "controls_range"),
               {{50, 20, kRed}, {30, 17, kRed}, {15, 20, kClear}, {85, 20, kClear}}, "span");
}

// Swatch cells filled with their style colours; frame-time display: white face, black outline and
// a graph at full height for an empty ring in frames per second.
TEST(ControlPixels, SwatchCellsAndFrameTimeDisplay)
{
  IVStyle style = PlainStyle();
  style.colorSpec.SetColor(EVColor::Background, COLOR_RED);
  style.colorSpec.SetColor(EVColor::Foreground, COLOR_BLUE);
  GpuView v(120, 60);
  auto* swatch = new IVColorSwatchControl(IRECT(0, 0, 60, 30), "", nullptr, style,
                                          IVColorSwatchControl::kHorizontal, {0, 1});
  auto* fps = new IFPSDisplayControl(IRECT(0, 30, 120, 60));
  v.g.AttachControl(swatch);
  v.g.AttachControl(fps);
  v.Frame([&](ICanvas& g) {
    swatch->Draw(g);
    fps->Draw(g);
  });
  const PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest("controls_swatch_fps");
  // Cells (2, 2, 28, 28) and (32, 2, 58, 28); the outline's half pixel at x = 0; the graph fills
  // r = (2, 32, 118, 58) in grey 200 (probed clear of the texts).
  ExpectPixels(frame,
               {{15, 15, kRed},
                {45, 15, kBlue},
                {30, 15, kClear},
                {0, 45, {128, 128, 128, 255}, 2},
                {110, 55, {200, 200, 200, 255}}},
               "swatch and display");
}
