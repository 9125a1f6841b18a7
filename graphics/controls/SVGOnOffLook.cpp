#include "graphics/controls/SVGOnOffLook.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"

namespace plugin::ui {

int SVGOnOffLook::ColorIndex(double value, bool mouseOver) noexcept
{
  return (value > 0.5 ? 1 : 0) + (mouseOver ? 2 : 0);
}

void SVGOnOffLook::Draw(ICanvas& g, const IControl& control) const
{
  const double value = control.GetValue(0);
  const IColor& color = mColors[static_cast<size_t>(ColorIndex(value, control.GetMouseIsOver()))];
  const IColor* stroke = mColorReplacement == EColorReplacement::Stroke ? &color : nullptr;
  const IColor* fill = mColorReplacement == EColorReplacement::Fill ? &color : nullptr;
  g.DrawSVG(value > 0.5 ? mOnSVG : mOffSVG, control.GetBounds(), control.GetBlend(), stroke, fill);
}

} // namespace plugin::ui
