#include "tools/artwork/EditorPlacement.h"

#include "tools/artwork/ArtworkTable.h"

#include <cstring>

namespace kelmo::artwork {

const std::vector<Placement>& EditorPlacements()
{
  static const std::vector<Placement> placements = {
      {"Power.png", 425, 349, 1.0f},
      {"Bypass.png", 60, 193, 1.0f},
      {"Bypass.png", 796, 193, 1.0f},
      {"FlipperTwoAnim.png", 211, 425, 0.0f},
      {"FlipperTwoAnim.png", 799, 425, 1.0f},
      {"MiniFlipperVertAnim.png", 145, 197, 1.0f},
      {"MiniFlipperVertAnim.png", 734, 197, 1.0f},
      {"FlipperTwoAnim.png", 211, 207, 1.0f},
      {"FlipperTwoAnim.png", 650, 207, 0.0f},
      {"MiniFlipperVertAnim.png", 353, 221, 1.0f},
      {"MiniFlipperVertAnim.png", 526, 221, 0.0f},
      {"MiniFlipperVertAnim.png", 353, 371, 0.0f},
      {"NuppiVarjo.png", 25, 68, 0.67f},
      {"NuppiVarjo.png", 173, 68, 0.35f},
      {"NuppiVarjo.png", 25, 274, 0.5f},
      {"NuppiVarjo.png", 173, 274, 0.42f},
      {"NuppiVarjo.png", 613, 68, 0.67f},
      {"NuppiVarjo.png", 761, 68, 0.35f},
      {"NuppiVarjo.png", 613, 274, 0.5f},
      {"NuppiVarjo.png", 761, 274, 0.42f},
      {"Nuppi.png", 19, 53, 0.67f},
      {"Nuppi.png", 167, 53, 0.35f},
      {"Nuppi.png", 19, 259, 0.5f},
      {"Nuppi.png", 167, 259, 0.42f},
      {"Nuppi.png", 607, 53, 0.67f},
      {"Nuppi.png", 755, 53, 0.35f},
      {"Nuppi.png", 607, 259, 0.5f},
      {"Nuppi.png", 755, 259, 0.42f},
      {"NuppiOverlay.png", 19, 53, 0.0f},
      {"NuppiOverlay.png", 167, 53, 0.0f},
      {"NuppiOverlay.png", 19, 259, 0.0f},
      {"NuppiOverlay.png", 167, 259, 0.0f},
      {"NuppiOverlay.png", 607, 53, 0.0f},
      {"NuppiOverlay.png", 755, 53, 0.0f},
      {"NuppiOverlay.png", 607, 259, 0.0f},
      {"NuppiOverlay.png", 755, 259, 0.0f},
      {"Trim.png", 354, 305, 0.3f},
      {"Trim.png", 527, 305, 1.0f},
      {"Trim.png", 527, 381, 0.0f},
      {"Oversampling.png", 477, 440, 0.25f},
      {"Delta.png", 335, 440, 0.0f},
      {"CTRLLINK.png", 664, 6, 1.0f},
      {"MiniNuppi.png", 33, 421, 0.8f},
      {"MiniNuppi.png", 105, 421, 0.31f},
      {"MiniNuppi.png", 620, 421, 0.8f},
      {"MiniNuppi.png", 692, 421, 0.58f},
      {"Save.png", 605, 5, 0.0f},
      {"Trash.png", 627, 5, 0.0f},
  };
  return placements;
}

const std::vector<Rect>& MeterRects()
{
  static const std::vector<Rect> meters = {{325.1f, 93, 442, 164}, {460, 93, 576.9f, 164}};
  return meters;
}

float MeterPivotX(const Rect& meter)
{
  return static_cast<float>(meter.l + (static_cast<double>(meter.r) - meter.l) * 0.5);
}

float MeterPivotY(const Rect& meter)
{
  return (meter.b - meter.t) * 0.25f + (meter.b - 2.0f);
}

bool PlacementCentre(const char* name, int index, float& cx, float& cy)
{
  const ArtworkSpec* spec = FindArtwork(name);
  if (!spec) return false;
  for (const Placement& p : EditorPlacements()) {
    if (std::strcmp(p.name, name) != 0 || index-- > 0) continue;
    cx = p.x + spec->frameWidth * 0.5f;
    cy = p.y + spec->frameHeight * 0.5f;
    return true;
  }
  return false;
}

} // namespace kelmo::artwork
