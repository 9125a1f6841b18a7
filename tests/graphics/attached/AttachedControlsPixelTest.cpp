#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "support/ui/GpuCanvasView.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/UiEvents.h"

// One frame with the controls the graphics context attaches: a grey panel background, an open
// popup menu with its second cell hovered, a text field whose blank text is selected and the red
// corner resizer, drawn through the drawing backend on the headless GPU and probed inside the
// shapes they fill; KELMO_TEST_PNG_DIR names a folder to write it to.

using namespace canvastest;

TEST(AttachedControlPixels, PanelMenuTextFieldAndResizer)
{
  GpuView v(200, 150);
  v.g.AttachPanelBackground(IPattern(COLOR_LIGHT_GRAY));
  v.g.AttachPopupMenuControl();
  v.g.AttachTextEntryControl();
  v.g.AttachCornerResizer(0, false, COLOR_RED, COLOR_GREEN, COLOR_BLUE, 20.f);
  auto* caller = new RecordingControl(IRECT(0, 0, 1, 1));
  v.g.AttachControl(caller);

  IPopupMenu menu("", {"One", "Two", "Three"});
  v.g.CreatePopupMenu(*caller, menu, IRECT(10, 5, 50, 15));
  IPopupMenuControl* pm = v.g.GetPopupMenuControl();
  pm->OnEndAnimation(); // faded in
  const IRECT c0 = *pm->GetPanel(0)->Cell(0), c1 = *pm->GetPanel(0)->Cell(1), c2 = *pm->GetPanel(0)->Cell(2);
  v.g.OnMouseOver(c1.MW(), c1.MH(), NoButton());
  v.g.CreateTextEntry(*caller, IText(14.f, COLOR_BLACK, nullptr, EAlign::Near), IRECT(100, 110, 180, 135),
                      "    ");

  v.Frame([&](ICanvas& g) {
    g.GetControl(0)->Draw(g);
    pm->Draw(g);
    g.GetTextEntryControl()->Draw(g);
    g.GetCornerResizer()->Draw(g);
  });
  const PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest("attached_controls");
  // Panel 240 grey; the menu at weight 0.95 over its own shadow: white 242 to 254; the hovered
  // band, blue at 0.95 over that white, just right of the cell; the selection band is black at 0.2 over white
  // (204); the resizer's triangle fills the lower right half of (180, 130, 200, 150).
  const Pixel grey{240, 240, 240, 255};
  ExpectPixels(frame,
               {{150, 60, grey},
                {int(c0.R) + 2, int(c0.MH()), {248, 248, 248, 255}, 6},
                {int(c1.R) + 2, int(c1.MH()), {12, 12, 255, 255}, 2},
                {102, 122, {204, 204, 204, 255}, 2},
                {176, 122, kWhite},
                {197, 147, kRed},
                {183, 133, grey}},
               "attached");
  int ink = 0;
  for (int x = int(c2.L) + 15; x < int(c2.R); ++x)
    for (int y = int(c2.T); y < int(c2.B); ++y)
      ink += frame.At(x, y)[0] < 100;
  EXPECT_GT(ink, 15) << "item text";
}
