#pragma once

#include "graphics/control/IContainerBase.h"
#include "graphics/control/IVectorBase.h"

namespace plugin::ui {

class IVButtonControl;

// A container bound to a parameter holding one vector button that shows the parameter's display
// text; a click on the button splashes, then opens the parameter's value prompt (a menu for a
// parameter with display texts) over the button. The button belongs to the graphics context like
// any child. Main thread only.
class IVMenuButtonControl : public IContainerBase, public IVectorBase
{
public:
  // Bound to paramIdx (-1: none) with its prompt enabled; the button gets label, style and shape.
  IVMenuButtonControl(const IRECT& bounds, int paramIdx, const char* label = "",
                      const IVStyle& style = DEFAULT_STYLE, EVShape shape = EVShape::Rectangle);
  ~IVMenuButtonControl() override;

  // A chosen item's text goes on the button, then the parameter takes the item's index. A menu
  // with no chosen item (or none at all) changes nothing.
  void OnPopupMenuSelection(IPopupMenu* menu, int valIdx) override;
  // The value as the base takes it, then the button shows the new display text with unit.
  void SetValueFromDelegate(double value, int valIdx = 0) override;
  // A changed value as the base takes it, then the same text update.
  void SetValueFromUserInput(double value, int valIdx = 0) override;
  // The style here and, with its value text centred vertically, on the button.
  void SetStyle(const IVStyle& style) override;
  // The button leaves with the graphics context's removal.
  void ForgetChild(IControl* child) noexcept override;

  // The button, null before attaching or once it was removed.
  IVButtonControl* GetButton() const noexcept { return mButton; }

private:
  // Creates and attaches the button.
  void AttachButton(const IRECT& bounds);
  // Places the button over bounds.
  void PlaceButton(const IRECT& bounds);
  // The button's value text from the parameter.
  void UpdateButtonText();
  // style with its value text vertically centred.
  static IVStyle ButtonStyle(const IVStyle& style);

  IVButtonControl* mButton = nullptr;
};

} // namespace plugin::ui
