#pragma once

#include "graphics/control/IBitmapBase.h"
#include "graphics/control/IControl.h"
#include "graphics/resources/IBitmap.h"

namespace plugin::ui {

// A control drawing the frame of a bitmap strip that matches its value; the editor's background
// is one. Main thread only.
class IBitmapControl : public IControl, public IBitmapBase
{
public:
  // Bounds: one frame of the bitmap with its top-left at (x, y); blend method at weight 1.
  IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx = -1,
                 EBlend blend = EBlend::SourceOver);
  ~IBitmapControl() override;

  // The screen scale changed: the same resource is loaded again at the next whole scale. Main
  // thread; loads and allocates.
  void OnRescale() override;
  // The frame loop draws the frame for the value. Main thread; no allocation.
  void Draw(ICanvas& g) override;
};

} // namespace plugin::ui
