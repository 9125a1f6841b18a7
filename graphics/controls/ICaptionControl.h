#pragma once

#include "graphics/controls/ITextControl.h"

namespace plugin::ui {

// Shows the display text of a parameter (optionally with its unit) and opens the value prompt
// when clicked: a menu of the display texts for an enumerated parameter, which also gets a small
// arrow at the right, a text entry otherwise. A double click counts as a click. Main thread only.
class ICaptionControl : public ITextControl
{
public:
  ICaptionControl(const IRECT& bounds, int paramIdx, const IText& text = DEFAULT_TEXT,
                  const IColor& background = COLOR_TRANSPARENT, bool appendUnit = true);
  ~ICaptionControl() override;

  // Left or right button on a bound control with prompts allowed: the value prompt over the bounds.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // An enumerated parameter places the 8 x 5 arrow at 90 % of the width, centred vertically.
  void OnResize() override;
  // The parameter's display text, background and text, then the arrow when it has width.
  void Draw(ICanvas& g) override;

  const IRECT& GetArrowRect() const noexcept { return mArrowRect; }

protected:
  bool mAppendUnit;
  IColor mArrowColor = COLOR_BLACK;
  IColor mArrowHoverColor = COLOR_WHITE;
  IRECT mArrowRect;
};

} // namespace plugin::ui
