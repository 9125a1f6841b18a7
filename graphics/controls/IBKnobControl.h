#pragma once

#include "graphics/control/IBitmapBase.h"
#include "graphics/control/IKnobControlBase.h"

namespace plugin::ui {

// A knob drawn from a strip of bitmap frames: the frame for its value, frame-sized and centred
// where it was placed. Dragging, the wheel and values are the knob base's. Main thread only.
class IBKnobControl : public IKnobControlBase, public IBitmapBase
{
public:
  // The control's rectangle is one frame of bitmap centred on the centre of bounds.
  IBKnobControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx, EDirection direction,
                double gearing);
  ~IBKnobControl() override;

  // The frame for the value. Frame loop.
  void Draw(ICanvas& g) override;
  // The same strip at the new screen scale. Attaching and scale changes.
  void OnRescale() override;
};

} // namespace plugin::ui
