#pragma once

#include "graphics/control/ISliderControlBase.h"
#include "graphics/resources/ISVG.h"

namespace plugin::ui {

// A slider drawn from two SVG images: a track image fitted across the bounds keeping its aspect,
// and a handle image sized in proportion to it that moves along the track. Value 1 puts the
// handle at the track's right end (horizontal) or top (vertical). Main thread only.
class ISVGSliderControl : public ISliderControlBase
{
public:
  ISVGSliderControl(const IRECT& bounds, const ISVG& handleSvg, const ISVG& trackSvg, int paramIdx = -1,
                    EDirection dir = EDirection::Vertical, double gearing = 4.0);
  ~ISVGSliderControl() override;

  // Track image rectangle, handle rectangle at value 1 and the drag track from the images; redraw.
  // Attaching and resizes.
  void OnResize() override;
  // The track image, then the handle image where the value puts it. Frame loop.
  void Draw(ICanvas& g) override;

  // The handle rectangle for a value; a negative value means the current one.
  IRECT GetHandleBounds(double value = -1.0) const;
  const IRECT& GetTrackSVGBounds() const noexcept { return mTrackSVGBounds; }
  const IRECT& GetHandleBoundsAtMax() const noexcept { return mHandleBoundsAtMax; }

protected:
  IRECT mTrackSVGBounds;
  IRECT mHandleBoundsAtMax;
  ISVG mHandleSVG;
  ISVG mTrackSVG;
};

} // namespace plugin::ui
