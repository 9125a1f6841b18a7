#include "tools/artwork/ArtworkTable.h"

#include "tools/artwork/ArtworkPieces.h"

namespace kelmo::artwork {

// The sizes are not given by the layout, which only places the pictures; each one is derived
// from the rectangles around it (points, one frame; the files are drawn at 2x):
// - background.jpg, 899x500: the editor.
// - Nuppi.png, 128x128: centre (x+64, y+64) sits above its value caption, 36 wide; knobs are 148
//   apart.
// - NuppiVarjo.png, 128x128: the same picture size, placed 6 right and 15 down: the drop shadow.
// - NuppiOverlay.png, 128x128: placed where the knob is; it stays still over it.
// - Trim.png, 22x22: centred on its caption's middle line, clear of the caption beside it.
// - MiniNuppi.png, 28x28: x=33 ends where the caption at x=62 begins.
// - Bypass.png, 2 frames stacked, 43x28: x=60 and x=796 mirror each other about the middle.
// - Delta.png, 2 frames stacked, 30x18: left of the version line, above it.
// - CTRLLINK.png, 2 frames stacked, 24x14: inside the 25-point top bar.
// - MiniFlipperVertAnim.png, 2 frames stacked, 20x34: x=353 and x=526 (and 145/734) mirror each
//   other.
// - FlipperTwoAnim.png, 2 frames side by side, 38x22: x=211 and x=650 mirror each other; ends
//   before the caption at x=258.
// - Oversampling.png, 5 frames stacked, 66x18: five lamps in a row, above the version line.
// - Power.png, 2 frames stacked, 49x60: centred on the editor's middle line (425 + 49/2 = 449.5).
// - SCF.png, 2 frames stacked, 24x14: loaded but placed nowhere; the size of the link button.
// - Save.png and Trash.png, 16x16: the preset bar's 56x25 frame at x=594 holds both icons; Trash
//   at x=627, 6 points after Save.
const std::vector<ArtworkSpec>& ArtworkTable()
{
  static const std::vector<ArtworkSpec> table = {
      {"background.jpg", 1, false, kEditorWidth, kEditorHeight, ImageFormat::Jpeg, DrawBackground},
      {"Nuppi.png", 1, false, 128, 128, ImageFormat::Png, DrawNuppi},
      {"NuppiVarjo.png", 1, false, 128, 128, ImageFormat::Png, DrawNuppiVarjo},
      {"NuppiOverlay.png", 1, false, 128, 128, ImageFormat::Png, DrawNuppiOverlay},
      {"Trim.png", 1, false, 22, 22, ImageFormat::Png, DrawTrim},
      {"MiniNuppi.png", 1, false, 28, 28, ImageFormat::Png, DrawMiniNuppi},
      {"Bypass.png", 2, false, 43, 28, ImageFormat::Png, DrawBypass},
      {"Delta.png", 2, false, 30, 18, ImageFormat::Png, DrawDelta},
      {"CTRLLINK.png", 2, false, 24, 14, ImageFormat::Png, DrawCtrlLink},
      {"MiniFlipperVertAnim.png", 2, false, 20, 34, ImageFormat::Png, DrawMiniFlipperVert},
      {"FlipperTwoAnim.png", 2, true, 38, 22, ImageFormat::Png, DrawFlipperTwo},
      {"Oversampling.png", 5, false, 66, 18, ImageFormat::Png, DrawOversampling},
      {"Power.png", 2, false, 49, 60, ImageFormat::Png, DrawPower},
      {"SCF.png", 2, false, 24, 14, ImageFormat::Png, DrawSidechainFilter},
      {"Save.png", 1, false, 16, 16, ImageFormat::Png, DrawSave},
      {"Trash.png", 1, false, 16, 16, ImageFormat::Png, DrawTrash},
  };
  return table;
}

const ArtworkSpec* FindArtwork(const std::string& name)
{
  for (const ArtworkSpec& spec : ArtworkTable())
    if (name == spec.name) return &spec;
  return nullptr;
}

std::string ScaledFileName(const std::string& name, int scale)
{
  if (scale == 1) return name;
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.find_last_of('.');
  const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string base = hasExt ? name.substr(0, dot) : name;
  const std::string ext = hasExt ? name.substr(dot) : std::string();
  return base + "@" + std::to_string(scale) + "x" + ext;
}

} // namespace kelmo::artwork
