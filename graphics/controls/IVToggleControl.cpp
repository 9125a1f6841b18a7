#include "graphics/controls/IVToggleControl.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/controls/VectorControlHelpers.h"

namespace plugin::ui {

IVToggleControl::IVToggleControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 const char* offText, const char* onText)
    : IVSwitchControl(bounds, paramIdx, label, style, true), mOffText(offText), mOnText(onText)
{}

IVToggleControl::IVToggleControl(const IRECT& bounds, IActionFunction action, const char* label,
                                 const IVStyle& style, const char* offText, const char* onText,
                                 bool initialState)
    : IVSwitchControl(bounds, std::move(action), label, style, 2, true), mOffText(offText), mOnText(onText)
{
  SetValue(initialState ? 1.0 : 0.0, 0);
}

IVToggleControl::~IVToggleControl() = default;

void IVToggleControl::DrawWidget(ICanvas& g)
{
  if (!HasArea(mWidgetBounds)) return;
  DrawPressableShape(g, mShape, mWidgetBounds, GetValue(0) > 0.5, mHovered, mIsDisabled);
}

void IVToggleControl::DrawValue(ICanvas& g, bool mouseOver)
{
  if (mouseOver) g.FillRect(GetColor(EVColor::Highlight), mValueBounds, &mBlendState);
  g.DrawText(mStyle.valueText, GetValue(0) > 0.5 ? mOnText.Get() : mOffText.Get(), mValueBounds,
             &mBlendState);
}

} // namespace plugin::ui
