#pragma once

#include "graphics/resources/IBitmap.h"

#include <array>

namespace plugin::ui {

class ICanvas;

// The pictures the editor's bitmap controls show, one strip each.
enum EEditorBitmap : int {
  kBitmapBypass = 0,
  kBitmapDelta,
  kBitmapCtrlLink,
  kBitmapMiniFlipper,
  kBitmapFlipper,
  kBitmapKnob,
  kBitmapKnobOverlay,
  kBitmapKnobShadow,
  kBitmapOversampling,
  kBitmapTrim,
  kBitmapPower,
  kBitmapSidechainFilter, // loaded, shown by no control
  kBitmapMiniKnob,
  kNumEditorBitmaps
};

// Resource name, frame count and frame direction of each picture.
struct EditorBitmapSpec
{
  const char* name;
  int frames;
  bool horizontal;
};
const std::array<EditorBitmapSpec, kNumEditorBitmaps>& EditorBitmapSpecs() noexcept;

// The bundle's pictures are drawn at twice the editor's point size.
inline constexpr int kEditorBitmapScale = 2;

using EditorBitmaps = std::array<IBitmap, kNumEditorBitmaps>;

// Every picture loaded through ui at kEditorBitmapScale; a picture that cannot be found or decoded
// is the empty bitmap (its controls then have no size and draw nothing). Main thread; allocates.
EditorBitmaps LoadEditorBitmaps(ICanvas& ui);

} // namespace plugin::ui
