#include "editor/EditorBitmaps.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

const std::array<EditorBitmapSpec, kNumEditorBitmaps>& EditorBitmapSpecs() noexcept
{
  static constexpr std::array<EditorBitmapSpec, kNumEditorBitmaps> kSpecs = {{
      {"Bypass.png", 2, false},
      {"Delta.png", 2, false},
      {"CTRLLINK.png", 2, false},
      {"MiniFlipperVertAnim.png", 2, false},
      {"FlipperTwoAnim.png", 2, true},
      {"Nuppi.png", 1, false},
      {"NuppiOverlay.png", 1, false},
      {"NuppiVarjo.png", 1, false},
      {"Oversampling.png", 5, false},
      {"Trim.png", 1, false},
      {"Power.png", 2, false},
      {"SCF.png", 2, false},
      {"MiniNuppi.png", 1, false},
  }};
  return kSpecs;
}

EditorBitmaps LoadEditorBitmaps(ICanvas& ui)
{
  EditorBitmaps bitmaps;
  for (int i = 0; i < kNumEditorBitmaps; ++i) {
    const EditorBitmapSpec& spec = EditorBitmapSpecs()[static_cast<size_t>(i)];
    bitmaps[static_cast<size_t>(i)] =
        ui.LoadBitmap(spec.name, spec.frames, spec.horizontal, kEditorBitmapScale);
  }
  return bitmaps;
}

} // namespace plugin::ui
