#include "graphics/controls/IBTextControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

IBTextControl::IBTextControl(const IRECT& bounds, const IBitmap& bitmap, const IText& text, const char* str,
                             int charWidth, int charHeight, int charOffset, bool multiLine, bool vCenter,
                             int blendMode)
    : ITextControl(bounds, str, text, COLOR_TRANSPARENT, false), IBitmapBase(bitmap), mCharWidth(charWidth),
      mCharHeight(charHeight), mCharOffset(charOffset), mMultiLine(multiLine), mVCentre(vCenter)
{
  // The mix-in's control stays unset: this control draws its string, not a frame for a value.
  mBlendState = IBlend(static_cast<EBlend>(blendMode), 1.f);
}

IBTextControl::~IBTextControl() = default;

void IBTextControl::Draw(ICanvas& g)
{
  if (!mBitmap.IsValid()) return;
  g.DrawBitmapText(mBitmap, mBounds, mTextStyle, GetBlend(), mString.Get(), mVCentre, mMultiLine, mCharWidth,
                   mCharHeight, mCharOffset);
}

void IBTextControl::OnRescale()
{
  RescaleFor(*this, mBitmap);
}

} // namespace plugin::ui
