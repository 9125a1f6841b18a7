#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/controls/IVSwitchControl.h"

namespace plugin::ui {

// A two-state vector switch that looks pressed while on and shows its on or off text inside the
// shape. Main thread only.
class IVToggleControl : public IVSwitchControl
{
public:
  // Bound to paramIdx (-1: none); null texts are empty.
  IVToggleControl(const IRECT& bounds, int paramIdx, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, const char* offText = "", const char* onText = "");
  // Unbound, starting on or off; the action runs on every click.
  IVToggleControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, const char* offText = "", const char* onText = "",
                  bool initialState = false);
  ~IVToggleControl() override;

  // The shape, pressed while the value is above 0.5. Frame loop.
  void DrawWidget(ICanvas& g) override;
  // A highlight backing when mouseOver, then the on or off text. Frame loop.
  void DrawValue(ICanvas& g, bool mouseOver) override;

  const char* GetOffText() const noexcept { return mOffText.Get(); }
  const char* GetOnText() const noexcept { return mOnText.Get(); }

protected:
  StringBuf mOffText;
  StringBuf mOnText;
};

} // namespace plugin::ui
