#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/control/IControl.h"

namespace plugin::ui {

// A line of static text on a filled background; optionally sized around its text. It ignores the
// mouse. The base of the link, toggle, caption, readout and editable text controls.
// Main thread only.
class ITextControl : public IControl
{
public:
  // No parameter, no action; str null gives "". The text style is copied.
  ITextControl(const IRECT& bounds, const char* str = "", const IText& text = DEFAULT_TEXT,
               const IColor& background = COLOR_TRANSPARENT, bool sizeToText = false);
  ~ITextControl() override;

  // Attaching: sizes the control around its text when asked to.
  void OnInit() override;
  // Fills the bounds, then draws the text unless a text entry is open for this control.
  void Draw(ICanvas& g) override;

  // Replaces the text (nothing, not even a redraw, when it is the same); refits when sized to
  // text; marks dirty. Main thread; may allocate.
  virtual void SetStr(const char* str);
  // The text from a printf format, cut to maxLength characters; marks dirty (no refit).
  virtual void SetStrFmt(int maxLength, const char* format, ...) __attribute__((format(printf, 3, 4)));
  // SetStr("").
  virtual void ClearStr();

  // Bounds and hit rectangle become the measured text size centred on the old centre; clears the
  // hover flag; OnResize. Nothing before the control is attached.
  void FitBoundsToText();

  const char* GetStr() const noexcept { return mString.Get(); }
  const IColor& GetBackgroundColor() const noexcept { return mBackgroundColor; }
  bool GetSizeToText() const noexcept { return mSizeToText; }

protected:
  // For derived controls: the value entry bound to paramIdx (or the action) instead of none.
  ITextControl(const IRECT& bounds, int paramIdx, IActionFunction action, const char* str, const IText& text,
               const IColor& background, bool sizeToText);
  // Fills the background and draws mString as Draw does.
  void DrawTextAndBackground(ICanvas& g);

  StringBuf mString;
  IColor mBackgroundColor;
  bool mSizeToText;
};

} // namespace plugin::ui
