#include "tools/artwork/ArtworkPieces.h"
#include "tools/artwork/BackgroundParts.h"

namespace kelmo::artwork {

void DrawBackground(VGcontext* vg, const Frame& f)
{
  background::DrawPlate(vg, f.width, f.height);
  background::DrawKnobScales(vg);
  background::DrawMeterWindows(vg);
  background::DrawLegends(vg);
}

} // namespace kelmo::artwork
