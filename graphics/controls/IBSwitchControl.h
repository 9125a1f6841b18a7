#pragma once

#include "graphics/control/IBitmapBase.h"
#include "graphics/control/ISwitchControlBase.h"

namespace plugin::ui {

// A switch drawn from a strip of frames, one per position. Each press steps to the next frame of
// the strip (by 1/(N-1); a strip of one frame or none steps by 1) and wraps to 0 past the last.
// Main thread only.
class IBSwitchControl : public ISwitchControlBase, public IBitmapBase
{
public:
  // Bounds: one frame of the bitmap with its top-left at (x, y).
  IBSwitchControl(float x, float y, const IBitmap& bitmap, int paramIdx = -1);
  // Bounds: one frame of the bitmap centred in bounds.
  IBSwitchControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx = -1);
  ~IBSwitchControl() override;

  // The next frame's value, whatever the button or position; SetDirty with the action.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // The frame for the value. Frame loop.
  void Draw(ICanvas& g) override;
  // The same strip at the new screen scale. Attaching and scale changes.
  void OnRescale() override;
};

} // namespace plugin::ui
