#include "graphics/controls/ITextToggleControl.h"

namespace plugin::ui {

ITextToggleControl::ITextToggleControl(const IRECT& bounds, int paramIdx, const char* offText,
                                       const char* onText, const IText& text, const IColor& background)
    : ITextControl(bounds, paramIdx, nullptr, offText, text, background, false), mTextWhenOff(offText),
      mTextWhenOn(onText)
{
  mDoubleClickIsClick = true;
}

ITextToggleControl::ITextToggleControl(const IRECT& bounds, IActionFunction action, const char* offText,
                                       const char* onText, const IText& text, const IColor& background)
    : ITextControl(bounds, -1, std::move(action), offText, text, background, false), mTextWhenOff(offText),
      mTextWhenOn(onText)
{
  mDoubleClickIsClick = true;
}

ITextToggleControl::~ITextToggleControl() = default;

void ITextToggleControl::OnMouseDown(float, float, const IMouseMod&)
{
  SetValue(GetValue(0) < 0.5 ? 1.0 : 0.0, 0);
  SetDirty(true, 0);
}

void ITextToggleControl::SetDirty(bool triggerAction, int)
{
  // SetStr marks dirty through this override again; the second call finds the text unchanged.
  SetStr(GetValue(0) > 0.5 ? mTextWhenOn.Get() : mTextWhenOff.Get());
  IControl::SetDirty(triggerAction, -1);
}

} // namespace plugin::ui
