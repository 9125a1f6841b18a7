#pragma once

#include "graphics/controls/ITextControl.h"

namespace plugin::ui {

// A two-state text button: shows its on text while value 0 is above 0.5, its off text otherwise;
// a click flips the value and fires the action. A double click counts as a click. Main thread only.
class ITextToggleControl : public ITextControl
{
public:
  // Value entry 0 bound to paramIdx.
  ITextToggleControl(const IRECT& bounds, int paramIdx, const char* offText, const char* onText,
                     const IText& text = DEFAULT_TEXT, const IColor& background = COLOR_TRANSPARENT);
  // An unbound value that runs action when clicked.
  ITextToggleControl(const IRECT& bounds, IActionFunction action, const char* offText, const char* onText,
                     const IText& text = DEFAULT_TEXT, const IColor& background = COLOR_TRANSPARENT);
  ~ITextToggleControl() override;

  // Value 0 becomes 1 when below 0.5, else 0; then SetDirty with the action.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Shows the text of the state, then marks every entry dirty.
  void SetDirty(bool triggerAction, int valIdx = -1) override;

protected:
  StringBuf mTextWhenOff;
  StringBuf mTextWhenOn;
};

} // namespace plugin::ui
