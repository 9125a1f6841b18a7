#pragma once

#include "graphics/controls/IVTabSwitchControl.h"

#include <initializer_list>

namespace plugin::ui {

// A tab switch drawn as a list of small pressable buttons (circles with the Ellipse shape), each
// followed by its text; the selected text takes the pressed colour, the others extra colour 1.
// A click anywhere on a row selects it. Main thread only.
class IVRadioButtonControl : public IVTabSwitchControl
{
public:
  // Bound to paramIdx (-1: none). buttonSize is the button's side; the button column is three
  // times as wide. A negative or non-finite size counts as 0 (the button is then 1 unit).
  IVRadioButtonControl(const IRECT& bounds, int paramIdx,
                       const std::initializer_list<const char*>& options = {}, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, EVShape shape = EVShape::Ellipse,
                       EDirection direction = EDirection::Vertical, float buttonSize = 10.f);
  // Unbound with the given action.
  IVRadioButtonControl(const IRECT& bounds, IActionFunction action,
                       const std::initializer_list<const char*>& options, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, EVShape shape = EVShape::Ellipse,
                       EDirection direction = EDirection::Vertical, float buttonSize = 10.f);
  ~IVRadioButtonControl() override;

  // Every row: its button in the left column, then its text. Frame loop.
  void DrawWidget(ICanvas& g) override;
  // The first row holding the point (only its button column when so set), -1 when none. Hit
  // tests, hover and presses; no allocation.
  int GetButtonForPoint(float x, float y) const override;

  // Lets only the button column of a row, not its text, take the mouse.
  void SetOnlyButtonsRespondToMouse(bool only) noexcept { mOnlyButtonsRespondToMouse = only; }
  float GetButtonSize() const noexcept { return mButtonSize; }
  float GetButtonAreaWidth() const noexcept { return mButtonAreaWidth; }

protected:
  float mButtonSize;
  float mButtonAreaWidth;
  bool mOnlyButtonsRespondToMouse = false;

private:
  // Size, column and left-aligned middle text.
  void Setup(float buttonSize);
};

} // namespace plugin::ui
