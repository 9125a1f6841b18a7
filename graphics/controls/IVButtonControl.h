#pragma once

#include "graphics/control/IButtonControlBase.h"
#include "graphics/control/IVectorBase.h"

namespace plugin::ui {

// A vector-drawn momentary push button without a parameter: a press runs its action and the
// button looks pressed until the animation that action starts has ended. Main thread only.
class IVButtonControl : public IButtonControlBase, public IVectorBase
{
public:
  // The label and value may sit inside the pressable shape.
  IVButtonControl(const IRECT& bounds, IActionFunction action = SplashClickAction, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool labelInButton = true, bool valueInButton = true,
                  EVShape shape = EVShape::Rectangle);
  ~IVButtonControl() override;

  // Lays out label, shape (with room for frame and shadow) and value; the hit rectangle follows.
  void OnResize() override;
  // The frame loop draws: background, shape, label, value.
  void Draw(ICanvas& g) override;
  // Only the shape reacts.
  bool IsHit(float x, float y) const override;
  // The shape, pressed while the value is not 0. Frame loop.
  void DrawWidget(ICanvas& g) override;
};

} // namespace plugin::ui
