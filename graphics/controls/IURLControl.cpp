#include "graphics/controls/IURLControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

IURLControl::IURLControl(const IRECT& bounds, const char* str, const char* url, const IText& text,
                         const IColor& background, const IColor& hoverColor, const IColor& clickedColor)
    : ITextControl(bounds, -1, nullptr, str, text, background, false), mLinkAddress(url),
      mNormalTextColor(text.mFGColor), mHoverTextColor(hoverColor), mClickedTextColor(clickedColor)
{}

IURLControl::~IURLControl() = default;

void IURLControl::OnMouseDown(float, float, const IMouseMod&)
{
  if (ICanvas* g = GetUI()) {
    g->OpenURL(mLinkAddress.Get(), nullptr, nullptr, nullptr);
    g->ReleaseMouseCapture();
  }
  mWasClicked = true;
}

void IURLControl::OnMouseOver(float, float, const IMouseMod&)
{
  if (GetUI()) GetUI()->SetMouseCursor(ICanvas::kCursorHand);
  const bool was = mHovered;
  mHovered = true;
  if (!was) SetDirty(false);
}

void IURLControl::OnMouseOut()
{
  if (GetUI()) GetUI()->SetMouseCursor(ICanvas::kCursorArrow);
  const bool was = mHovered;
  mHovered = false;
  if (was) SetDirty(false);
}

void IURLControl::SetText(const IText& text)
{
  mTextStyle = text;
  mNormalTextColor = text.mFGColor;
}

void IURLControl::Draw(ICanvas& g)
{
  g.FillRect(mBackgroundColor, mBounds, &mBlendState);
  mTextStyle.mFGColor = mHovered ? mHoverTextColor : (mWasClicked ? mClickedTextColor : mNormalTextColor);
  if (!*mString.Get()) return;

  IRECT m;
  g.MeasureText(mTextStyle, mString.Get(), m);
  float x1 = mBounds.L;
  float x2 = mBounds.L + m.W();
  if (mTextStyle.mAlign == EAlign::Center) {
    x1 = mBounds.MW() + m.L;
    x2 = mBounds.MW() + m.R;
  } else if (mTextStyle.mAlign == EAlign::Far) {
    x1 = mBounds.R - m.W();
    x2 = mBounds.R;
  }
  // Under the text for every alignment: top-aligned text ends one text height below the top.
  float y = mBounds.B;
  if (mTextStyle.mVAlign == EVAlign::Top) y = mBounds.T + m.H();
  if (mTextStyle.mVAlign == EVAlign::Middle) y = mBounds.MH() + m.B;
  g.DrawLine(mTextStyle.mFGColor, x1, y, x2, y, &mBlendState, 1.f);
  g.DrawText(mTextStyle, mString.Get(), mBounds, &mBlendState);
}

} // namespace plugin::ui
