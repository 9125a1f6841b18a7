#include "graphics/renderer/VG.h"
#include "tools/artwork/ArtworkPieces.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

namespace kelmo::artwork {

using namespace palette;

void DrawBackground(VGcontext* vg, const Frame& f)
{
  vgBeginPath(vg);
  vgRect(vg, 0, 0, f.width, f.height);
  vgFillColor(vg, kPlate);
  vgFill(vg);
}

} // namespace kelmo::artwork
