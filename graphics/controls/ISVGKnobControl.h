#pragma once

#include "graphics/control/IKnobControlBase.h"
#include "graphics/resources/ISVG.h"

namespace plugin::ui {

// A knob drawn as one SVG image filling its bounds, turned from -135 degrees at 0 to +135 at 1.
// A vertical drag with gearing 4 turns it. Main thread only.
class ISVGKnobControl : public IKnobControlBase
{
public:
  ISVGKnobControl(const IRECT& bounds, const ISVG& svg, int paramIdx = -1);
  ~ISVGKnobControl() override;

  // The image rotated about the bounds' centre. Frame loop.
  void Draw(ICanvas& g) override;

  // Replaces the image; redraw without the action.
  void SetSVG(const ISVG& svg);
  // Rotation in degrees for a normalised value.
  double AngleForValue(double value) const noexcept
  {
    return mStartAngle + value * (mEndAngle - mStartAngle);
  }
  const ISVG& GetSVG() const noexcept { return mSVG; }

protected:
  ISVG mSVG;
  float mStartAngle = -135.f;
  float mEndAngle = 135.f;
};

} // namespace plugin::ui
