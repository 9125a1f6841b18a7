#include "tools/artwork/Preview.h"

#include "graphics/renderer/VG.h"
#include "tools/artwork/ArtworkTable.h"
#include "tools/artwork/EditorPlacement.h"
#include "tools/artwork/KnobGeometry.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/PreviewControls.h"
#include "tools/artwork/Shapes.h"

#include <cmath>
#include <cstring>

namespace kelmo::artwork {

namespace {

// The frame a switch shows for a normalised value (nearest of the strip's frames).
int FrameOf(const ArtworkSpec& spec, float value)
{
  if (spec.frames < 2) return 0;
  const int i = static_cast<int>(value * (spec.frames - 1) + 0.5f);
  return i < 0 ? 0 : (i >= spec.frames ? spec.frames - 1 : i);
}

bool Rotates(const char* name)
{
  return std::strcmp(name, "Nuppi.png") == 0 || std::strcmp(name, "NuppiVarjo.png") == 0 ||
         std::strcmp(name, "Trim.png") == 0 || std::strcmp(name, "MiniNuppi.png") == 0;
}

void PasteFrame(VGcontext* vg, int image, const ArtworkSpec& spec, const Placement& p)
{
  const auto fw = static_cast<float>(spec.frameWidth), fh = static_cast<float>(spec.frameHeight);
  const int frame = FrameOf(spec, p.value);
  const float ox = spec.horizontal ? -fw * frame : 0.0f, oy = spec.horizontal ? 0.0f : -fh * frame;
  vgSave(vg);
  vgTranslate(vg, p.x + fw * 0.5f, p.y + fh * 0.5f);
  if (Rotates(p.name)) vgRotate(vg, knob::DegreesOf(p.value) * kPi / 180.0f);
  vgBeginPath(vg);
  vgRect(vg, -fw * 0.5f, -fh * 0.5f, fw, fh);
  vgFillPaint(vg, vgImagePattern(ox - fw * 0.5f, oy - fh * 0.5f, static_cast<float>(spec.Width()),
                                 static_cast<float>(spec.Height()), 0.0f, image, 1.0f));
  vgFill(vg);
  vgRestore(vg);
}

// The needle as the meter control draws it: a red line with a light grey body over it.
void Needle(VGcontext* vg, const Rect& meter, float value)
{
  const float px = MeterPivotX(meter), py = MeterPivotY(meter), w = meter.Width();
  const float deg = kMeterAngleMin + (kMeterAngleMax - kMeterAngleMin) * value;
  vgSave(vg);
  vgScissor(vg, meter.l, meter.t, meter.Width(), meter.Height());
  RadialLine(vg, px, py, deg, 0.0f, w * kNeedleReach, 1.5f, palette::kRed, VG_BUTT);
  RadialLine(vg, px, py, deg, 0.0f, w * kNeedleBodyReach, 1.5f, palette::Rgb(206, 206, 206), VG_BUTT);
  vgRestore(vg);
}

} // namespace

void DrawPreview(VGcontext* vg, const std::map<std::string, int>& images)
{
  const auto paste = [&](const ArtworkSpec& spec, const Placement& p) {
    const auto it = images.find(spec.name);
    if (it != images.end()) PasteFrame(vg, it->second, spec, p);
  };
  if (const ArtworkSpec* bg = FindArtwork("background.jpg")) paste(*bg, Placement{bg->name, 0, 0, 0});
  const float needles[] = {0.47f, 0.27f};
  for (std::size_t i = 0; i < MeterRects().size(); ++i)
    Needle(vg, MeterRects()[i], needles[i % 2]);
  const auto presetIcon = [](const Placement& p) {
    return std::strcmp(p.name, "Save.png") == 0 || std::strcmp(p.name, "Trash.png") == 0;
  };
  for (const Placement& p : EditorPlacements())
    if (const ArtworkSpec* spec = FindArtwork(p.name); spec && !presetIcon(p)) paste(*spec, p);
  DrawControlStandIns(vg);
  DrawPresetFrameStandIn(vg);
  for (const Placement& p : EditorPlacements())
    if (const ArtworkSpec* spec = FindArtwork(p.name); spec && presetIcon(p)) paste(*spec, p);
}

Picture ComposePreview(ArtworkRenderer& renderer, const std::map<std::string, Picture>& pictures)
{
  std::map<std::string, int> images;
  for (const auto& [name, picture] : pictures)
    if (const int id = renderer.ImageOf(picture, 0)) images[name] = id;
  return renderer.Render(kEditorWidth, kEditorHeight, kArtworkScale,
                         [&](VGcontext* vg) { DrawPreview(vg, images); });
}

} // namespace kelmo::artwork
