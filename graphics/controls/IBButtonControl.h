#pragma once

#include "graphics/control/IBitmapBase.h"
#include "graphics/control/IButtonControlBase.h"

namespace plugin::ui {

// A momentary button drawn from a strip of frames: a press shows the frame for value 1 and runs
// the action; the end of the click animation the action starts shows frame 1 again. Main thread
// only.
class IBButtonControl : public IButtonControlBase, public IBitmapBase
{
public:
  // Bounds: one frame of the bitmap with its top-left at (x, y).
  IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction action = DefaultClickAction);
  // Bounds: one frame of the bitmap centred in bounds.
  IBButtonControl(const IRECT& bounds, const IBitmap& bitmap, IActionFunction action = DefaultClickAction);
  ~IBButtonControl() override;

  // The frame for the value. Frame loop.
  void Draw(ICanvas& g) override;
  // The same strip at the new screen scale. Attaching and scale changes.
  void OnRescale() override;
};

} // namespace plugin::ui
