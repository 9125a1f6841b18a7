#include "graphics/renderer/VG.h"
#include "tools/artwork/ArtworkPieces.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

namespace kelmo::artwork {

using namespace palette;

void DrawBypass(VGcontext* vg, const Frame& f)
{
  Lamp(vg, f.width / 2, f.height / 2, 6, kAmber, f.index == 1, 10);
}
void DrawDelta(VGcontext* vg, const Frame& f)
{
  Lamp(vg, f.width / 2, f.height / 2, 5, kAmber, f.index == 1, 8);
}
void DrawCtrlLink(VGcontext* vg, const Frame& f)
{
  Lamp(vg, f.width / 2, f.height / 2, 4, kAmber, f.index == 1, 6);
}
void DrawMiniFlipperVert(VGcontext* vg, const Frame& f)
{
  Lamp(vg, f.width / 2, f.height / 2, 6, kAmber, f.index == 1, 9);
}
void DrawFlipperTwo(VGcontext* vg, const Frame& f)
{
  Lamp(vg, f.width / 2, f.height / 2, 6, kAmber, f.index == 1, 9);
}
void DrawOversampling(VGcontext* vg, const Frame& f)
{
  for (int i = 0; i < 5; ++i)
    Lamp(vg, 9 + i * 12, f.height / 2, 4, kAmber, f.index == i, 6);
}
void DrawPower(VGcontext* vg, const Frame& f)
{
  Lamp(vg, f.width / 2, f.height / 2, 10, kRed, f.index == 1, 16);
}
void DrawSidechainFilter(VGcontext* vg, const Frame& f)
{
  Lamp(vg, f.width / 2, f.height / 2, 4, kAmber, f.index == 1, 6);
}
void DrawSave(VGcontext* vg, const Frame& f)
{
  FillRoundedRect(vg, 2, 2, f.width - 4, f.height - 4, 2, Rgb(183, 183, 183));
}
void DrawTrash(VGcontext* vg, const Frame& f)
{
  FillRoundedRect(vg, 3, 2, f.width - 6, f.height - 4, 1, Rgb(183, 183, 183));
}

} // namespace kelmo::artwork
