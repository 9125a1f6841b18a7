#include "graphics/controls/ITextControl.h"

#include "graphics/canvas/ICanvas.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace plugin::ui {

ITextControl::ITextControl(const IRECT& bounds, const char* str, const IText& text, const IColor& background,
                           bool sizeToText)
    : ITextControl(bounds, -1, nullptr, str, text, background, sizeToText)
{
  mMouseTransparent = true;
}

ITextControl::ITextControl(const IRECT& bounds, int paramIdx, IActionFunction action, const char* str,
                           const IText& text, const IColor& background, bool sizeToText)
    : IControl(bounds, paramIdx, std::move(action)), mString(str), mBackgroundColor(background),
      mSizeToText(sizeToText)
{
  mTextStyle = text;
}

ITextControl::~ITextControl() = default;

void ITextControl::OnInit()
{
  if (mSizeToText) FitBoundsToText();
}

void ITextControl::FitBoundsToText()
{
  if (!GetUI()) return;
  IRECT measured;
  GetUI()->MeasureText(mTextStyle, mString.Get(), measured);
  mBounds = mHitRect = IRECT::MakeCentred(mBounds.MW(), mBounds.MH(), measured.W(), measured.H());
  mHovered = false;
  OnResize();
}

void ITextControl::SetStr(const char* str)
{
  if (std::strcmp(str ? str : "", mString.Get()) == 0) return;
  mString.Set(str);
  if (mSizeToText) FitBoundsToText();
  SetDirty(false, -1);
}

void ITextControl::SetStrFmt(int maxLength, const char* format, ...)
{
  if (maxLength < 0) maxLength = 0;
  std::vector<char> text(static_cast<size_t>(maxLength) + 1, '\0');
  va_list args;
  va_start(args, format);
  if (format) std::vsnprintf(text.data(), text.size(), format, args); // longer output is cut
  va_end(args);
  mString.Set(text.data());
  SetDirty(false, -1);
}

void ITextControl::ClearStr()
{
  SetStr("");
}

void ITextControl::DrawTextAndBackground(ICanvas& g)
{
  g.FillRect(mBackgroundColor, mBounds, &mBlendState);
  if (*mString.Get() && g.GetControlInTextEntry() != this)
    g.DrawText(mTextStyle, mString.Get(), mBounds, &mBlendState);
}

void ITextControl::Draw(ICanvas& g)
{
  DrawTextAndBackground(g);
}

} // namespace plugin::ui
