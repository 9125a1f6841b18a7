#pragma once

#include "graphics/controls/ITextControl.h"

namespace plugin::ui {

// A text control the user edits: a click opens a text entry over it, filled with its text, and
// the entered text replaces it. Unlike a plain text control it takes the mouse; a double click
// counts as a click. Main thread only.
class IEditableTextControl : public ITextControl
{
public:
  IEditableTextControl(const IRECT& bounds, const char* str, const IText& text = DEFAULT_TEXT,
                       const IColor& background = COLOR_TRANSPARENT, bool sizeToText = false);
  ~IEditableTextControl() override;

  // Opens the text entry over the bounds with the current text, for value index 0.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // The entered text becomes the control's text.
  void OnTextEntryCompletion(const char* str, int valIdx) override;
};

} // namespace plugin::ui
