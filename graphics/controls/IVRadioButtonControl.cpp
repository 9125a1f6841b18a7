#include "graphics/controls/IVRadioButtonControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

IVRadioButtonControl::IVRadioButtonControl(const IRECT& bounds, int paramIdx,
                                           const std::initializer_list<const char*>& options,
                                           const char* label, const IVStyle& style, EVShape shape,
                                           EDirection direction, float buttonSize)
    : IVTabSwitchControl(bounds, paramIdx, std::vector<const char*>(options), label, style, shape, direction)
{
  Setup(buttonSize);
}

IVRadioButtonControl::IVRadioButtonControl(const IRECT& bounds, IActionFunction action,
                                           const std::initializer_list<const char*>& options,
                                           const char* label, const IVStyle& style, EVShape shape,
                                           EDirection direction, float buttonSize)
    : IVTabSwitchControl(bounds, std::move(action), std::vector<const char*>(options), label, style, shape,
                         direction)
{
  Setup(buttonSize);
}

IVRadioButtonControl::~IVRadioButtonControl() = default;

void IVRadioButtonControl::Setup(float buttonSize)
{
  mButtonSize = std::isfinite(buttonSize) && buttonSize > 0.f ? buttonSize : 0.f;
  mButtonAreaWidth = 3.f * mButtonSize;
  mTextStyle.mAlign = EAlign::Near;
  mTextStyle.mVAlign = EVAlign::Middle;
  mStyle.valueText.mAlign = EAlign::Near;
  mStyle.valueText.mVAlign = EVAlign::Middle;
}

void IVRadioButtonControl::DrawWidget(ICanvas& g)
{
  const int sel = GetSelectedIdx();
  const float side = std::max(1.f, mButtonSize);
  for (int i = 0; i < NButtons(); ++i) {
    const IRECT& r = mButtons[static_cast<size_t>(i)];
    const float left = r.L + mButtonAreaWidth / 2.f - side / 2.f;
    const float top = r.MH() - side / 2.f;
    const bool disabled = mIsDisabled || GetStateDisabled(i);
    DrawButton(g, IRECT(left, top, left + side, top + side), i == sel, i == mMouseOverButton,
               ETabSegment::Mid, disabled);
    if (i >= NTabLabels()) continue;
    IText text = mStyle.valueText;
    text.mFGColor = GetColor(i == sel ? EVColor::Pressed : EVColor::Extra1);
    g.DrawText(text, GetTabLabel(i), IRECT(r.L + mButtonAreaWidth, r.T, r.R, r.B), &mBlendState);
  }
}

int IVRadioButtonControl::GetButtonForPoint(float x, float y) const
{
  if (!mOnlyButtonsRespondToMouse) return IVTabSwitchControl::GetButtonForPoint(x, y);
  for (int i = 0; i < NButtons(); ++i) {
    const IRECT& r = mButtons[static_cast<size_t>(i)];
    if (IRECT(r.L, r.T, r.L + mButtonAreaWidth, r.B).Contains(x, y)) return i;
  }
  return -1;
}

} // namespace plugin::ui
