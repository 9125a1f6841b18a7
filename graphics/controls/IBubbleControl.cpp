#include "graphics/controls/IBubbleControl.h"

#include "graphics/ICanvas.h"

namespace plugin::ui {

IBubbleControl::IBubbleControl(const IText& text, const IColor& fillColor, const IColor& strokeColor,
                               float roundness)
    : IControl(IRECT(), -1), mRoundness(roundness), mFillColor(fillColor), mStrokeColor(strokeColor)
{
  mTextStyle = text;
  mIsHidden = true;
  mMouseTransparent = true;
}

IBubbleControl::~IBubbleControl() = default;

// Placeholder until the bubble control lands: nothing is drawn.
void IBubbleControl::Draw(ICanvas&) {}
void IBubbleControl::DrawContent(ICanvas&, const IRECT&) {}
void IBubbleControl::DrawBubble(ICanvas&, const IRECT&) {}

void IBubbleControl::MeasureText(const char* str, IRECT& r)
{
  if (mGraphicsContext) mGraphicsContext->MeasureText(mTextStyle, str, r);
}

} // namespace plugin::ui
