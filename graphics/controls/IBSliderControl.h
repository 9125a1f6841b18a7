#pragma once

#include "graphics/control/IBitmapBase.h"
#include "graphics/control/ISliderControlBase.h"

namespace plugin::ui {

// A slider whose handle picture moves along a track: the track picture centred in the bounds
// when one is given, else a strip as wide (vertical) or as high (horizontal) as the handle
// through the bounds' middle. Dragging is the slider base's, along that track. Main thread only.
class IBSliderControl : public ISliderControlBase, public IBitmapBase
{
public:
  // Bounds at (x, y): len long and as thick as the handle picture across the direction.
  IBSliderControl(float x, float y, float len, const IBitmap& handleBitmap,
                  const IBitmap& trackBitmap = IBitmap(), int paramIdx = -1,
                  EDirection dir = EDirection::Vertical, double gearing = 4.0);
  // The given bounds.
  IBSliderControl(const IRECT& bounds, const IBitmap& handleBitmap, const IBitmap& trackBitmap = IBitmap(),
                  int paramIdx = -1, EDirection dir = EDirection::Vertical, double gearing = 4.0);
  ~IBSliderControl() override;

  // Track bounds from the pictures; redraw. Attaching and resizes.
  void OnResize() override;
  // The track picture whole, then the handle's frame 1 where the value puts it. Frame loop.
  void Draw(ICanvas& g) override;
  // The handle picture at the new screen scale; the track picture stays. Attaching and scale changes.
  void OnRescale() override;

  // The handle rectangle for a value; a negative value means the current one.
  IRECT GetHandleBounds(double value = -1.0) const;
  const IBitmap& GetTrackBitmap() const noexcept { return mTrackBitmap; }

protected:
  IBitmap mTrackBitmap;
};

} // namespace plugin::ui
