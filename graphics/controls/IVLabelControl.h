#pragma once

#include "graphics/control/IVectorBase.h"
#include "graphics/controls/ITextControl.h"

namespace plugin::ui {

// A static text in the look of the vector controls: background, an optional drop shadow of the
// text and an optional frame. It ignores the mouse. Main thread only.
class IVLabelControl : public ITextControl, public IVectorBase
{
public:
  // label null is empty; drawn in the style's value text.
  IVLabelControl(const IRECT& bounds, const char* label, const IVStyle& style = DEFAULT_STYLE);
  ~IVLabelControl() override;

  // The frame loop draws: background, shadow copy (unless disabled), text, frame.
  void Draw(ICanvas& g) override;
};

} // namespace plugin::ui
