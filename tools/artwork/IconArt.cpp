#include "graphics/renderer/VG.h"
#include "tools/artwork/ArtworkPieces.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

// The preset bar's two file icons, in the bar's light grey on its dark frame.
namespace kelmo::artwork {

using namespace palette;

namespace {

constexpr VGcolor kIcon = Rgb(183, 183, 183);

} // namespace

void DrawSave(VGcontext* vg, const Frame& f)
{
  // A floppy disk: body with a cut corner, shutter at the top, label below.
  const float x = 2.0f, y = 2.0f, w = f.width - 4.0f, h = f.height - 4.0f;
  vgBeginPath(vg);
  vgMoveTo(vg, x + 1.5f, y);
  vgLineTo(vg, x + w - 3.0f, y);
  vgLineTo(vg, x + w, y + 3.0f);
  vgLineTo(vg, x + w, y + h - 1.5f);
  vgArcTo(vg, x + w, y + h, x + w - 1.5f, y + h, 1.5f);
  vgLineTo(vg, x + 1.5f, y + h);
  vgArcTo(vg, x, y + h, x, y + h - 1.5f, 1.5f);
  vgLineTo(vg, x, y + 1.5f);
  vgArcTo(vg, x, y, x + 1.5f, y, 1.5f);
  vgClosePath(vg);
  vgFillColor(vg, kIcon);
  vgFill(vg);
  // Shutter and label cut out in the frame's dark colour.
  FillRoundedRect(vg, x + 3.0f, y, w - 7.0f, 4.2f, 0.6f, Rgb(21, 21, 21));
  FillRoundedRect(vg, x + w - 6.6f, y + 0.8f, 1.6f, 2.6f, 0.3f, kIcon);
  FillRoundedRect(vg, x + 2.2f, y + h - 5.6f, w - 4.4f, 4.4f, 0.8f, Rgb(21, 21, 21));
}

void DrawTrash(VGcontext* vg, const Frame& f)
{
  const float cx = f.width * 0.5f;
  // Lid with its handle, then the tapered bin with three ribs.
  FillRoundedRect(vg, cx - 2.0f, 1.6f, 4.0f, 2.0f, 0.8f, kIcon);
  FillRoundedRect(vg, cx - 6.0f, 3.0f, 12.0f, 1.8f, 0.8f, kIcon);
  vgBeginPath(vg);
  vgMoveTo(vg, cx - 5.0f, 5.6f);
  vgLineTo(vg, cx + 5.0f, 5.6f);
  vgLineTo(vg, cx + 4.1f, f.height - 1.8f);
  vgLineTo(vg, cx - 4.1f, f.height - 1.8f);
  vgClosePath(vg);
  vgFillColor(vg, kIcon);
  vgFill(vg);
  for (float dx : {-2.2f, 0.0f, 2.2f})
    Line(vg, cx + dx, 7.4f, cx + dx * 0.9f, f.height - 3.6f, 0.9f, Rgb(21, 21, 21), VG_ROUND);
}

} // namespace kelmo::artwork
