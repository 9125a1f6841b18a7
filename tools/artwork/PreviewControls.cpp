#include "tools/artwork/PreviewControls.h"

#include "graphics/renderer/VG.h"
#include "tools/artwork/ArtworkFonts.h"
#include "tools/artwork/EditorPlacement.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

namespace kelmo::artwork {

using namespace palette;

namespace {

struct TextStandIn
{
  Rect rect;
  float size;
  int grey;
  const char* text;
};

// Captions and readouts with sample values (Lato; sizes and greys of the layout's text styles).
constexpr TextStandIn kTexts[] = {
    {{365, 131, 402, 151}, 16, 183, "-2.05"},
    {{500, 131, 537, 151}, 16, 183, "-1.01"},
    {{382, 308, 415, 323}, 15, 211, "30%"},
    {{487, 308, 520, 323}, 15, 211, "100%"},
    {{487, 384, 520, 399}, 15, 211, "0%"},
    {{65, 163, 101, 176}, 15, 211, "2.0"},
    {{213, 163, 249, 176}, 15, 211, "-12.6"},
    {{65, 369, 101, 382}, 15, 211, "20.1"},
    {{213, 369, 249, 382}, 15, 211, "352"},
    {{653, 163, 689, 176}, 15, 211, "2.0"},
    {{801, 163, 837, 176}, 15, 211, "-12.6"},
    {{653, 369, 689, 382}, 15, 211, "20.1"},
    {{801, 369, 837, 382}, 15, 211, "352"},
    {{62, 424, 106, 436}, 15, 211, "152"},
    {{649, 424, 693, 436}, 15, 211, "152"},
    {{62, 437, 106, 449}, 15, 211, "dB"},
    {{649, 437, 693, 449}, 15, 211, "dB"},
    {{258, 437, 295, 452}, 15, 211, "BUS"},
    {{846, 437, 883, 452}, 15, 211, "1/4"},
    {{112, 455, 136, 471}, 13, 211, "ext 1"},
    {{699, 455, 723, 471}, 13, 211, "ext 2"},
    {{829, 5, 869, 20}, 14, 151, "dB"},
    {{675, 480, 704, 495}, 14, 151, "0.30"},
    {{67, 480, 107, 495}, 14, 151, "dB"},
    {{210, 480, 250, 495}, 14, 151, "dB"},
    {{110, 3, 122, 22}, 14, 183, "A"},
    {{196, 3, 208, 22}, 14, 183, "B"},
    {{131, 3, 184, 22}, 14, 183, "->       <-"},
    {{250, 1, 275, 24}, 16, 183, "<"},
    {{275, 1, 300, 24}, 16, 183, ">"},
    {{308, 1, 594, 24}, 16, 183, "Choose Preset..."},
};

struct KnobStandIn
{
  Rect rect;
  float value;
};

// The six small vector knobs: value arc from -135 degrees and a pointer, in the style's grey.
constexpr KnobStandIn kKnobs[] = {
    {{91, 456, 109, 472}, 0.0f},  {{679, 456, 696, 472}, 0.4f}, {{873, 5, 890, 22}, 0.857f},
    {{653, 480, 670, 497}, 0.3f}, {{111, 480, 128, 497}, 0.5f}, {{254, 480, 271, 497}, 0.5f},
};

void Text(VGcontext* vg, Face face, const Rect& r, float size, VGcolor colour, const char* text)
{
  UseFace(vg, face, size);
  vgTextAlign(vg, VG_ALIGN_CENTER | VG_ALIGN_MIDDLE);
  vgFillColor(vg, colour);
  vgText(vg, r.CentreX(), r.CentreY(), text, nullptr);
}

void VectorKnob(VGcontext* vg, const KnobStandIn& k)
{
  const VGcolor grey = Rgb(151, 151, 151);
  const float cx = k.rect.CentreX(), cy = k.rect.CentreY();
  const float r = (k.rect.Width() < k.rect.Height() ? k.rect.Width() : k.rect.Height()) * 0.5f - 1.0f;
  const float deg = -135.0f + 270.0f * k.value;
  if (k.value > 0.0f) {
    vgBeginPath(vg);
    vgArc(vg, cx, cy, r, KnobRadians(-135.0f), KnobRadians(deg), VG_CW);
    vgStrokeWidth(vg, 2.0f);
    vgStrokeColor(vg, grey);
    vgStroke(vg);
  }
  RadialLine(vg, cx, cy, deg, 0.0f, r - 2.0f, 1.5f, grey, VG_ROUND);
}

} // namespace

void DrawPresetFrameStandIn(VGcontext* vg)
{
  vgBeginPath(vg);
  vgRect(vg, 594, 0, 56, 25);
  vgFillColor(vg, Rgb(21, 21, 21));
  vgFill(vg);
}

void DrawControlStandIns(VGcontext* vg)
{
  for (const TextStandIn& t : kTexts)
    Text(vg, Face::Legend, t.rect, t.size, Rgb(t.grey, t.grey, t.grey), t.text);
  Text(vg, Face::Version, {372, 462, 527, 473}, 10, Rgb(100, 100, 100), "v1.0.7 arm64 VST3");
  for (const KnobStandIn& k : kKnobs)
    VectorKnob(vg, k);
  // The left side-chain compensation toggle is on: the style's translucent amber.
  FillRoundedRect(vg, 27, 456, 43, 22, 11, Rgb(255, 189, 82, 76 / 255.0f));
  // Corner resizer.
  vgBeginPath(vg);
  vgMoveTo(vg, 879, 500);
  vgLineTo(vg, 899, 480);
  vgLineTo(vg, 899, 500);
  vgClosePath(vg);
  vgFillColor(vg, Rgb(100, 100, 100));
  vgFill(vg);
}

} // namespace kelmo::artwork
