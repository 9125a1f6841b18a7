#include "graphics/controls/PlaceHolder.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

namespace {

constexpr float kInset = 10.f;
constexpr IText kPlaceHolderText{20.f, COLOR_BLACK, "Roboto-Regular"};

IText WithAlign(IText text, EAlign align)
{
  text.mAlign = align;
  return text;
}

IText WithAngle(IText text, float angle)
{
  text.mAngle = angle;
  return text;
}

} // namespace

PlaceHolder::PlaceHolder(const IRECT& bounds, const char* label)
    : ITextControl(bounds, -1, nullptr, label, kPlaceHolderText, COLOR_WHITE, false),
      mTLHCText(WithAlign(DEFAULT_TEXT, EAlign::Near)), mWidthText(DEFAULT_TEXT),
      mHeightText(WithAngle(DEFAULT_TEXT, 270.f))
{
  mPromptBlocked = false;
}

PlaceHolder::~PlaceHolder() = default;

void PlaceHolder::OnResize()
{
  mTLHCStr.SetFormatted(kMaxChars, "%0.1f, %0.1f", static_cast<double>(mBounds.L),
                        static_cast<double>(mBounds.T));
  mWidthStr.SetFormatted(kMaxChars, "%0.1f", static_cast<double>(mBounds.W()));
  mHeightStr.SetFormatted(kMaxChars, "%0.1f", static_cast<double>(mBounds.H()));
}

void PlaceHolder::Draw(ICanvas& g)
{
  g.FillRect(mBackgroundColor, mBounds);
  g.DrawLine(COLOR_RED, mBounds.L, mBounds.T, mBounds.R, mBounds.B, &BLEND_50, 2.f);
  g.DrawLine(COLOR_RED, mBounds.L, mBounds.B, mBounds.R, mBounds.T, &BLEND_50, 2.f);

  // Each figure on a backing of its own measured size, placed at its anchor point.
  auto figure = [&](const IText& text, const StringBuf& str, float x, float y, const IBlend& backing) {
    IRECT r(x, y, x, y);
    g.MeasureText(text, str.Get(), r);
    g.FillRect(mBackgroundColor, r, &backing);
    g.DrawText(text, str.Get(), x, y);
  };
  figure(mHeightText, mHeightStr, mBounds.L + kInset, mBounds.MH(), BLEND_50);
  figure(mWidthText, mWidthStr, mBounds.MW(), mBounds.T + kInset, BLEND_75);
  figure(mTLHCText, mTLHCStr, mBounds.L + kInset, mBounds.T + kInset, BLEND_50);

  if (*mString.Get()) {
    mLabelRect = mBounds;
    g.MeasureText(mTextStyle, mString.Get(), mLabelRect);
    g.FillRect(mBackgroundColor, mLabelRect, &BLEND_75);
    g.DrawText(mTextStyle, mString.Get(), mLabelRect);
  }
}

void PlaceHolder::OnMouseDblClick(float, float, const IMouseMod&)
{
  if (GetUI()) GetUI()->CreateTextEntry(*this, mTextStyle, mBounds, mString.Get(), 0);
}

void PlaceHolder::OnTextEntryCompletion(const char* str, int)
{
  SetStr(str);
}

} // namespace plugin::ui
