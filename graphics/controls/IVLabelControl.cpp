#include "graphics/controls/IVLabelControl.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/controls/VectorControlHelpers.h"

namespace plugin::ui {

IVLabelControl::IVLabelControl(const IRECT& bounds, const char* label, const IVStyle& style)
    : ITextControl(bounds, label, DEFAULT_TEXT, COLOR_TRANSPARENT, false), IVectorBase(style, false, false)
{
  mTextStyle = style.valueText;
  AttachIControl(this, label);
}

IVLabelControl::~IVLabelControl() = default;

void IVLabelControl::Draw(ICanvas& g)
{
  if (!HasArea(mBounds)) return;
  DrawBackground(g, mBounds);
  if (*mString.Get()) {
    if (mStyle.drawShadows && !mIsDisabled) {
      IText shadow = mStyle.valueText;
      shadow.mFGColor = GetColor(EVColor::Shadow);
      const float d = mStyle.shadowOffset;
      g.DrawText(shadow, mString.Get(), mBounds.GetTranslated(d, d), &mBlendState);
    }
    g.DrawText(mStyle.valueText, mString.Get(), mBounds, &mBlendState);
  }
  if (mStyle.drawFrame) g.DrawRect(GetColor(EVColor::Frame), mBounds, &mBlendState, mStyle.frameThickness);
}

} // namespace plugin::ui
