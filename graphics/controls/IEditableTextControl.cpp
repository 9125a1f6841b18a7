#include "graphics/controls/IEditableTextControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

IEditableTextControl::IEditableTextControl(const IRECT& bounds, const char* str, const IText& text,
                                           const IColor& background, bool sizeToText)
    : ITextControl(bounds, -1, nullptr, str, text, background, sizeToText)
{
  mDoubleClickIsClick = true;
}

IEditableTextControl::~IEditableTextControl() = default;

void IEditableTextControl::OnMouseDown(float, float, const IMouseMod&)
{
  if (GetUI()) GetUI()->CreateTextEntry(*this, mTextStyle, mBounds, mString.Get(), 0);
}

void IEditableTextControl::OnTextEntryCompletion(const char* str, int)
{
  SetStr(str);
}

} // namespace plugin::ui
