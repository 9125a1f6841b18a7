#include "graphics/controls/ISVGKnobControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

ISVGKnobControl::ISVGKnobControl(const IRECT& bounds, const ISVG& svg, int paramIdx)
    : IKnobControlBase(bounds, paramIdx, EDirection::Vertical, 4.0), mSVG(svg)
{}

ISVGKnobControl::~ISVGKnobControl() = default;

void ISVGKnobControl::Draw(ICanvas& g)
{
  g.DrawRotatedSVG(mSVG, mBounds.MW(), mBounds.MH(), mBounds.W(), mBounds.H(), AngleForValue(GetValue(0)),
                   GetBlend());
}

void ISVGKnobControl::SetSVG(const ISVG& svg)
{
  mSVG = svg;
  SetDirty(false);
}

} // namespace plugin::ui
