#include "graphics/controls/ICaptionControl.h"

#include "framework/params/IParam.h"
#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

namespace {

constexpr float kArrowHalfWidth = 4.f;
constexpr float kArrowHalfHeight = 2.5f;

} // namespace

ICaptionControl::ICaptionControl(const IRECT& bounds, int paramIdx, const IText& text,
                                 const IColor& background, bool appendUnit)
    : ITextControl(bounds, paramIdx, nullptr, "", text, background, false), mAppendUnit(appendUnit)
{
  mPromptBlocked = false;
  mDoubleClickIsClick = true;
}

ICaptionControl::~ICaptionControl() = default;

void ICaptionControl::OnMouseDown(float, float, const IMouseMod& mod)
{
  if ((mod.leftButton || mod.rightButton) && GetParamIdx(0) >= 0 && !mPromptBlocked && GetUI())
    GetUI()->PromptUserInput(*this, mBounds, 0);
}

void ICaptionControl::OnResize()
{
  const IParam* param = GetParam(0);
  if (!param || param->Type() != IParam::kTypeEnum) return;
  const float x = mBounds.R - 0.1f * mBounds.W();
  const float y = mBounds.MH();
  mArrowRect = IRECT(x - kArrowHalfWidth, y - kArrowHalfHeight, x + kArrowHalfWidth, y + kArrowHalfHeight);
}

void ICaptionControl::Draw(ICanvas& g)
{
  if (const IParam* param = GetParam(0)) {
    // The text is refreshed as it is drawn, without marking the control dirty again.
    param->GetDisplay(param->Value(), false, mString, true);
    if (mAppendUnit) {
      mString.Append(" ");
      mString.Append(param->GetLabel());
    }
  }
  DrawTextAndBackground(g);
  if (mArrowRect.W() > 0.f) {
    const IRECT& a = mArrowRect;
    g.FillTriangle(mHovered ? mArrowHoverColor : mArrowColor, a.L, a.T, a.R, a.T, a.MW(), a.B,
                   mHovered ? nullptr : &BLEND_50);
  }
}

} // namespace plugin::ui
